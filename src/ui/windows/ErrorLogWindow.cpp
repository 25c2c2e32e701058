#include "ui/windows/ErrorLogWindow.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include "app/ProgramState.h"
#include "platform/SystemError.h"
#include "texts/ErrorLogTexts.h"
#include "ui/AppWindows.h"
#include "ui/MessageBoxes.h"
#include "ui/QtText.h"
#include "ui/windows/RunWindowTexts.h"
#include "ui/windows/ToolWindowEscape.h"

namespace vardeno {

namespace {
template <typename T>
T* Named(T* object, const char* name) {
  object->setObjectName(QLatin1String(name));
  return object;
}

// "Description|*.a;*.b" as Qt writes a name filter: "Description (*.a *.b)". A pattern list the
// description already shows in brackets is replaced by the real one, so "Log file (*.LOG)|*.log"
// becomes "Log file (*.log)".
QString QtNameFilter(const std::string& filter) {
  const QString text = ToQ(filter);
  const qsizetype bar = text.indexOf(QLatin1Char('|'));
  QString description = text.left(bar).trimmed();
  const QString patterns = text.mid(bar + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
  if (description.endsWith(QLatin1Char(')')) && description.contains(QLatin1Char('(')))
    description = description.left(description.lastIndexOf(QLatin1Char('('))).trimmed();
  return description + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

// The program's folder when the user may write there (portable use), else the home folder.
QString LogStartDir(const std::string& programDir) {
  const QFileInfo dir(ToQ(programDir));
  return !programDir.empty() && dir.isDir() && dir.isWritable() ? dir.absoluteFilePath() : QDir::homePath();
}
}  // namespace

ErrorLogWindow::ErrorLogWindow(ProgramState& state, AppWindows& windows, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), state_(state), windows_(windows) {
  setObjectName(QStringLiteral("FormErrors"));
  setModal(false);
  BuildControls();
  resize(673, 328);
  me->clear();
  state_.Errors.SetListener(this);
  SetLang();
}

ErrorLogWindow::~ErrorLogWindow() { state_.Errors.SetListener(nullptr); }

void ErrorLogWindow::BuildControls() {
  me = Named(new QPlainTextEdit(this), "me");
  me->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  me->setLineWrapMode(QPlainTextEdit::NoWrap);
  me->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  me->setUndoRedoEnabled(false);

  actClearLog = Named(new QAction(this), "actClearLog");
  actSaveLog = Named(new QAction(style()->standardIcon(QStyle::SP_DialogSaveButton), QString(), this), "actSaveLog");
  actClose = Named(new QAction(this), "actClose");
  actEsc = Named(new QAction(this), "actEsc");
  actEsc->setShortcut(QKeySequence(Qt::Key_Escape));
  actEsc->setShortcutContext(Qt::WindowShortcut);
  addAction(actEsc);
  ClaimEscapeForToolWindow(this, actEsc);
  connect(actClearLog, &QAction::triggered, this, [this] { actClearLogExecute(); });
  connect(actSaveLog, &QAction::triggered, this, [this] { actSaveLogExecute(); });
  connect(actClose, &QAction::triggered, this, &QWidget::hide);
  connect(actEsc, &QAction::triggered, this, &QWidget::hide);

  // Buttons bound to their actions: caption, hint and icon follow the action.
  auto bound = [this](QAction* action, const char* name) {
    auto* button = Named(new QPushButton(this), name);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::changed, button, [button, action] {
      button->setText(action->text());
      button->setToolTip(action->toolTip());
      button->setIcon(action->icon());
    });
    return button;
  };
  btnClearLog = bound(actClearLog, "btnClearLog");
  btnSaveLog = bound(actSaveLog, "btnSaveLog");
  btnClose = bound(actClose, "btnClose");

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnClearLog);
  buttons->addWidget(btnSaveLog);
  buttons->addWidget(btnClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(me, 1);
  layout->addLayout(buttons);
}

// Made when first needed: a file dialog looks up many theme icons as it is built, which would
// slow every start of the program for a window most starts never open.
QFileDialog* ErrorLogWindow::SaveLogDialog() {
  if (!dlgSaveLog) {
    dlgSaveLog = Named(new QFileDialog(this), "dlgSaveLog");
    dlgSaveLog->setAcceptMode(QFileDialog::AcceptSave);
    dlgSaveLog->setFileMode(QFileDialog::AnyFile);
    dlgSaveLog->setDefaultSuffix(QLatin1String(kSaveLogDefaultSuffix));
    dlgSaveLog->setDirectory(LogStartDir(state_.ProgramDir));
    dlgSaveLog->selectFile(QLatin1String(kSaveLogProposedName));
  }
  dlgSaveLog->setNameFilter(QtNameFilter(kSaveLogFilter(state_.Params.Language)));
  return dlgSaveLog;
}

void ErrorLogWindow::SetLang() {
  const UiLanguage lang = state_.Params.Language;
  // After a run with failures the caption keeps its count.
  const std::int32_t count = state_.Run.Running ? 0 : state_.Run.ErrorCount;
  setWindowTitle(ToQ(ErrorsWindowCaption(lang, count)));
  const std::pair<QAction*, LangText> texts[] = {
      {actClearLog, kClearLogCaption}, {actSaveLog, kSaveLogCaption}, {actClose, kCloseLogCaption}};
  for (const auto& [action, text] : texts) {
    action->setText(ToQ(text(lang)));
    action->setToolTip(ToQ(text(lang)));
  }
  if (dlgSaveLog) dlgSaveLog->setNameFilter(QtNameFilter(kSaveLogFilter(lang)));
}

void ErrorLogWindow::ToggleVisible() {
  if (isVisible()) {
    hide();
  } else {
    show();
    raise();
    activateWindow();  // F11 from the keyboard: Esc and the buttons reach this window next
  }
}

std::vector<std::string> ErrorLogWindow::PaneLines() const {
  std::vector<std::string> lines;
  if (me->document()->isEmpty()) return lines;
  for (QTextBlock block = me->document()->begin(); block.isValid(); block = block.next())
    lines.push_back(ToStd(block.text()));
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

void ErrorLogWindow::actClearLogExecute() { state_.Errors.Clear(); }

void ErrorLogWindow::actSaveLogExecute() {
  QFileDialog* dialog = SaveLogDialog();
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return;
  SaveLogTo(ToStdPath(dialog->selectedFiles().constFirst()));
}

bool ErrorLogWindow::SaveLogTo(const std::string& path) {
  try {
    SaveErrorLog(PaneLines(), path);
    return true;
  } catch (const SystemError& error) {
    ShowSystemErrorBox(this, error.what());
    return false;
  }
}

void ErrorLogWindow::LinesAppended(std::size_t first, std::size_t count) {
  const std::vector<std::string>& lines = state_.Errors.Lines();
  QString text;
  for (std::size_t i = first; i < first + count && i < lines.size(); ++i) {
    if (!text.isEmpty() || i > first) text += QLatin1Char('\n');
    text += ToQ(lines[i]);
  }
  // Appended after whatever the pane holds now (the user may have edited it), on a line of its own.
  QTextCursor cursor(me->document());
  cursor.movePosition(QTextCursor::End);
  if (!me->document()->isEmpty() && !cursor.block().text().isEmpty()) text.prepend(QLatin1Char('\n'));
  cursor.insertText(text);
}

void ErrorLogWindow::Cleared() { me->clear(); }

}  // namespace vardeno
