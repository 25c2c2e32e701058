// The progress window's encoder output pane: shows the entries of EncoderOutputLines, one line
// each, as the progress handler's updates describe them (keep the first lines, append the new
// ones). Updates are gathered and put on screen by Flush, so an encoder that prints thousands of
// lines a second costs one change of the text per flush rather than one per line. Only the last
// kMaxShownLines lines are held, so memory stays bounded however much the encoder prints.
#pragma once

#include <QPlainTextEdit>
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace vardeno {

class EncoderOutputPane : public QPlainTextEdit {
 public:
  static constexpr std::size_t kMaxShownLines = 5000;

  explicit EncoderOutputPane(QWidget* parent = nullptr);

  // Empties the pane at once (the list has been emptied for the next file).
  void Clear();
  // Keeps the first keepLines entries of the list the pane stands for, drops the rest and
  // appends newLines; on screen at the next Flush.
  void Apply(std::size_t keepLines, const std::vector<std::string>& newLines);
  // Puts the gathered updates on screen.
  void Flush();
  bool HasPending() const { return pending_; }

  // The number of list entries the pane stands for (updates not yet flushed included).
  std::size_t LineCount() const;
  // How many of the last entries the screen shows (after the last Flush).
  std::size_t ShownLineCount() const { return lineCount_ - firstShown_; }
  // The pane keeps its last line in view until the user scrolls away from the end.
  bool FollowsEnd() const { return followEnd_; }

 private:
  void RemoveShownFrom(std::size_t shownIndex);
  void TrimTop();

  // On screen: lineCount_ entries, of which the lines from firstShown_ on are shown.
  bool followEnd_ = true;
  bool flushing_ = false;
  std::size_t lineCount_ = 0;
  std::size_t firstShown_ = 0;
  // Gathered since the last flush: keep pendingKeep_ entries of the screen's, then
  // pendingSkipped_ entries too many to show, then pendingLines_.
  bool pending_ = false;
  std::size_t pendingKeep_ = 0;
  std::size_t pendingSkipped_ = 0;
  std::deque<std::string> pendingLines_;
};

}  // namespace vardeno
