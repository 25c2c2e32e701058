#include "ui/windows/EncoderOutputPane.h"

#include <QFontDatabase>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "ui/QtText.h"

namespace vardeno {

EncoderOutputPane::EncoderOutputPane(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setUndoRedoEnabled(false);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  QPalette colours = palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    colours.setColor(group, QPalette::Base, Qt::black);
    colours.setColor(group, QPalette::Text, QColor(218, 214, 205));
  }
  setPalette(colours);
  // Scrolling back to the end (or the pane growing while it is there) follows the output again.
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    if (!flushing_) followEnd_ = value >= verticalScrollBar()->maximum();
  });
}

void EncoderOutputPane::Clear() {
  clear();
  lineCount_ = 0;
  firstShown_ = 0;
  followEnd_ = true;
  pending_ = false;
  pendingLines_.clear();
}

std::size_t EncoderOutputPane::LineCount() const {
  return pending_ ? pendingKeep_ + pendingSkipped_ + pendingLines_.size() : lineCount_;
}

void EncoderOutputPane::Apply(std::size_t keepLines, const std::vector<std::string>& newLines) {
  keepLines = std::min(keepLines, LineCount());
  if (!pending_) {
    pending_ = true;
    pendingKeep_ = keepLines;
    pendingSkipped_ = 0;
    pendingLines_.clear();
  } else if (keepLines >= pendingKeep_ + pendingSkipped_) {
    pendingLines_.resize(keepLines - pendingKeep_ - pendingSkipped_);
  } else if (keepLines >= pendingKeep_) {
    // Entries that were too many to show stay counted, still unshown.
    pendingSkipped_ = keepLines - pendingKeep_;
    pendingLines_.clear();
  } else {
    pendingKeep_ = keepLines;
    pendingSkipped_ = 0;
    pendingLines_.clear();
  }
  pendingLines_.insert(pendingLines_.end(), newLines.begin(), newLines.end());
  while (pendingLines_.size() > kMaxShownLines) {
    pendingLines_.pop_front();
    ++pendingSkipped_;
  }
}

void EncoderOutputPane::RemoveShownFrom(std::size_t shownIndex) {
  QTextCursor cursor(document());
  if (shownIndex == 0) {
    cursor.select(QTextCursor::Document);
  } else {
    // From the end of the line before, so that its line break goes too.
    cursor.setPosition(document()->findBlockByNumber(static_cast<int>(shownIndex) - 1).position());
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  }
  cursor.removeSelectedText();
}

void EncoderOutputPane::TrimTop() {
  // Trimmed a quarter at a time, so that a long stream of lines does not pay for it every time.
  const std::size_t shown = ShownLineCount();
  if (shown <= kMaxShownLines + kMaxShownLines / 4) return;
  const std::size_t drop = shown - kMaxShownLines;
  QTextCursor cursor(document());
  cursor.setPosition(document()->findBlockByNumber(static_cast<int>(drop)).position(), QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  firstShown_ += drop;
}

void EncoderOutputPane::Flush() {
  if (!pending_) return;
  pending_ = false;
  flushing_ = true;

  if (pendingKeep_ < firstShown_ || pendingSkipped_ > 0) {
    // Lines that are not shown would have to stand between: show from the new lines on.
    clear();
    firstShown_ = pendingKeep_ + pendingSkipped_;
  } else if (pendingKeep_ < lineCount_) {
    RemoveShownFrom(pendingKeep_ - firstShown_);
  }
  lineCount_ = pendingKeep_ + pendingSkipped_;

  if (!pendingLines_.empty()) {
    QString text;
    bool first = ShownLineCount() == 0;
    for (const std::string& line : pendingLines_) {
      if (!first) text += QLatin1Char('\n');
      first = false;
      text += ToQ(line);
    }
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
  }
  lineCount_ += pendingLines_.size();
  pendingLines_.clear();
  TrimTop();

  if (followEnd_) {
    moveCursor(QTextCursor::End);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    horizontalScrollBar()->setValue(0);
  }
  flushing_ = false;
}

}  // namespace vardeno
