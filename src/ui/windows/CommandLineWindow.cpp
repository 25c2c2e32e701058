#include "ui/windows/CommandLineWindow.h"

#include <QAction>
#include <QFont>
#include <QLabel>
#include <QStringList>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/AppParams.h"
#include "app/ProgramState.h"
#include "encoder/EncoderInfo.h"
#include "encoder/PreviewLine.h"
#include "player/PlayerReport.h"
#include "ui/AppWindows.h"
#include "ui/windows/CmdLineTexts.h"
#include "ui/MessageBoxes.h"
#include "ui/QtText.h"
#include "ui/main/MainWindow.h"
#include "ui/windows/ToolWindowEscape.h"
#include "ui/windows/WindowAction.h"

namespace vardeno {

namespace {
// The builders' warnings, each in a message box owned by the main window.
class BoxWarnings : public WarningSink {
 public:
  explicit BoxWarnings(QWidget* owner) : owner_(owner) {}
  void ShowWarning(const std::string& text) override { ShowWarningBox(owner_, text); }

 private:
  QWidget* owner_;
};
}  // namespace

CommandLineWindow::CommandLineWindow(ProgramState& state, AppWindows& windows, QWidget* parent)
    : QDialog(parent, Qt::Tool), state_(state), windows_(windows) {
  setObjectName(QStringLiteral("FormCmdLine"));
  setSizeGripEnabled(true);

  me = new QPlainTextEdit(this);
  me->setObjectName(QStringLiteral("me"));
  me->setReadOnly(true);
  me->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPixelSize(12);
  me->setFont(font);

  lblPlayerWarning = new QLabel(this);
  lblPlayerWarning->setObjectName(QStringLiteral("lblPlayerWarning"));
  lblPlayerWarning->setWordWrap(true);
  lblPlayerWarning->setTextFormat(Qt::PlainText);
  lblPlayerWarning->setContentsMargins(4, 2, 4, 2);
  QPalette warningColours = lblPlayerWarning->palette();
  warningColours.setColor(QPalette::WindowText, QColor(176, 0, 0));
  lblPlayerWarning->setPalette(warningColours);
  lblPlayerWarning->hide();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(me);
  layout->addWidget(lblPlayerWarning);

  actEsc = AddWindowAction(this, "actEsc", [this] { hide(); }, QKeySequence(Qt::Key_Escape));
  actEsc->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  ClaimEscapeForToolWindow(this, actEsc);

  resize(621, 69);
  SetLang();
}

void CommandLineWindow::SetLang() { setWindowTitle(ToQ(kCmdLineCaption(state_.CurrentLanguage))); }

void CommandLineWindow::ShowCommandLine() {
  const EncoderSettings settings = settingsSource_ ? settingsSource_() : windows_.main->ReadEncoderSettings();
  // The generation of the encoder a run would start, so the line is what that encoder would get.
  const std::string encoderPath = GetEncoderPath(state_.Params, state_.ProgramDir);
  const EncoderGeneration generation =
      windows_.encoder ? windows_.encoder->Generation(encoderPath) : GetEncoderGeneration(encoderPath);
  BoxWarnings warnings(windows_.main);
  const PreviewLine preview =
      BuildPreviewLine(settings, state_.Resolutions, generation, state_.CurrentLanguage, warnings);

  SetLang();
  me->setPlainText(ToQ(preview.line));
  const std::vector<std::string> lines = PreRunLines(
      CheckSettingsForPlayer(settings, state_.Resolutions, state_.Params.Player), state_.CurrentLanguage);
  QStringList all;
  for (const std::string& line : lines) all << ToQ(line);
  lblPlayerWarning->setText(lines.empty() ? QString() : all.front());
  lblPlayerWarning->setToolTip(all.join(QLatin1Char('\n')));
  lblPlayerWarning->setVisible(!lines.empty());
  show();
  raise();
  activateWindow();
}

}  // namespace vardeno
