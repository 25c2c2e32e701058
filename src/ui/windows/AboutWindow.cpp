#include "ui/windows/AboutWindow.h"

#include <QAction>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QShowEvent>
#include <QVBoxLayout>
#include <chrono>
#include <vector>

#include "app/AppParams.h"
#include "app/ProgramState.h"
#include "base/StringUtil.h"
#include "conversion/ConversionRun.h"
#include "encoder/EncoderInfo.h"
#include "platform/ProcessRunner.h"
#include "ui/AppWindows.h"
#include "ui/desktop/OpenAddress.h"
#include "ui/QtText.h"
#include "ui/windows/AboutWindowTexts.h"
#include "ui/main/MainWindow.h"
#include "ui/windows/WindowAction.h"

namespace vardeno {

namespace {
constexpr QSize kMinimumClientSize(416, 310);
constexpr int kMaxEncoderLineWidth = 560;
// How long the encoder may take to print its version before the window gives up on it.
constexpr std::chrono::seconds kEncoderVersionTimeout(5);

QKeySequence MainWindowKey(MainWindow* main, const char* actionName, const QKeySequence& fallback) {
  QAction* action = main ? main->findChild<QAction*>(QString::fromLatin1(actionName)) : nullptr;
  return action && !action->shortcut().isEmpty() ? action->shortcut() : fallback;
}

QLabel* CentredLabel(QWidget* parent, const char* name, int pixelSize = 0, bool bold = false) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  QFont font = label->font();
  if (pixelSize > 0) font.setPixelSize(pixelSize);
  font.setBold(bold);
  label->setFont(font);
  return label;
}

LinkLabel* CentredLink(QWidget* parent, const char* name, LinkLabel::Pointing pointing) {
  auto* label = new LinkLabel(pointing, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  return label;
}

QFrame* WhitePanel(QWidget* parent, const char* name) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setAutoFillBackground(true);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::WindowText, Qt::black);
  panel->setPalette(palette);
  return panel;
}

struct EncoderTimedOut {};

// The first line the encoder prints for "-version", without its copyright part ("ffmpeg version
// 5.1.6-0+deb12u1"); empty when it cannot be started, prints nothing or takes too long.
std::string EncoderVersionLine(const std::string& encoderPath) {
  const auto deadline = std::chrono::steady_clock::now() + kEncoderVersionTimeout;
  const auto checkTime = [deadline] {
    if (std::chrono::steady_clock::now() > deadline) throw EncoderTimedOut{};
  };
  std::vector<std::string> lines;
  try {
    RunConsoleProcess(encoderPath, "-version", &lines, [&](const ChildProcess&, const std::string&) { checkTime(); },
                      checkTime);
  } catch (...) {
    return {};
  }
  for (const std::string& line : lines) {
    std::string text = Trim(line);
    if (text.empty()) continue;
    if (const size_t copyright = text.find(" Copyright"); copyright != std::string::npos) text.resize(copyright);
    return text;
  }
  return {};
}
}  // namespace

LinkLabel::LinkLabel(Pointing pointing, QWidget* parent) : QLabel(parent), pointing_(pointing) {
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
  QPalette linkPalette = palette();
  linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 255));
  setPalette(linkPalette);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
  QFont style = font();
  if (pointing_ == Pointing::UnderlineOnly) {
    style.setBold(false);
    style.setItalic(false);
    style.setStrikeOut(false);
  }
  style.setUnderline(true);
  setFont(style);
  QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
  QFont style = font();
  style.setUnderline(false);
  if (pointing_ == Pointing::UnderlineOnly) {
    style.setBold(false);
    style.setItalic(false);
    style.setStrikeOut(false);
  }
  setFont(style);
  QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (rect().contains(event->position().toPoint()) && onClick) onClick();
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && onClick) {
    onClick();
    return;
  }
  QLabel::keyPressEvent(event);
}

QString ProgramManualPath(const std::string& programDir) {
  const QString dir = ToQ(programDir);
  for (const QString& candidate :
       {dir + "/README.md", dir + "/../README.md", dir + "/../share/doc/vardeno/README.md",
        QStringLiteral("/usr/local/share/doc/vardeno/README.md"), QStringLiteral("/usr/share/doc/vardeno/README.md")}) {
    const QFileInfo info(candidate);
    if (info.isFile()) return info.canonicalFilePath();
  }
  return {};
}

AboutWindow::AboutWindow(ProgramState& state, AppWindows& windows, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      state_(state),
      windows_(windows) {
  setObjectName(QStringLiteral("FormAbout"));
  BuildControls();
  actClose->setShortcut(
      MainWindowKey(windows_.main, "actAbout", QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F1)));
  SetLang();
}

void AboutWindow::BuildControls() {
  Panel1 = WhitePanel(this, "Panel1");
  Label1 = CentredLabel(Panel1, "Label1", 21, true);
  Label1->setText(QString::fromUtf8(AboutTexts::ProgramName));
  lblVersion = CentredLabel(Panel1, "lblVersion", 15);
  lblDate = CentredLabel(Panel1, "lblDate");
  Label3 = CentredLabel(Panel1, "Label3");
  Label3->setText(QString::fromUtf8(AboutTexts::Author));
  lblWWW = CentredLink(Panel1, "lblWWW", LinkLabel::Pointing::AddUnderline);
  auto* top = new QVBoxLayout(Panel1);
  top->setContentsMargins(12, 14, 12, 14);
  top->setSpacing(6);
  for (QWidget* widget : std::initializer_list<QWidget*>{Label1, lblVersion, lblDate, Label3, lblWWW})
    top->addWidget(widget);

  Label5 = CentredLabel(this, "Label5", 16, true);
  Label6 = CentredLabel(this, "Label6");
  lblWwwFFmpeg = CentredLink(this, "lblWwwFFmpeg", LinkLabel::Pointing::AddUnderline);
  lblWwwFFmpeg->setText(QString::fromLatin1(AboutTexts::FFmpegAddress));

  Panel2 = WhitePanel(this, "Panel2");
  lblFreeDesc = new QLabel(Panel2);
  lblFreeDesc->setObjectName(QStringLiteral("lblFreeDesc"));
  lblCredit = new LinkLabel(LinkLabel::Pointing::UnderlineOnly, Panel2);
  lblCredit->setObjectName(QStringLiteral("lblCredit"));
  lblCredit->setText(QString::fromLatin1(AboutTexts::CreditLink));
  auto* bottom = new QHBoxLayout(Panel2);
  bottom->setContentsMargins(12, 8, 12, 8);
  bottom->addStretch(1);
  bottom->addWidget(lblFreeDesc);
  bottom->addWidget(lblCredit);
  bottom->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(8);
  layout->addWidget(Panel1);
  layout->addStretch(1);
  layout->addWidget(Label5);
  layout->addWidget(Label6);
  layout->addWidget(lblWwwFFmpeg);
  layout->addStretch(1);
  layout->addWidget(Panel2);

  lblWWW->onClick = [this] { OpenAddress(lblWWW->toolTip()); };
  lblWwwFFmpeg->onClick = [this] { OpenAddress(lblWwwFFmpeg->text()); };
  lblCredit->onClick = [this] { OpenAddress(lblCredit->toolTip()); };

  actEsc = AddWindowAction(this, "actEsc", [this] { close(); }, QKeySequence(Qt::Key_Escape));
  actClose = AddWindowAction(this, "actClose", [this] { close(); });
}

void AboutWindow::SetLang() {
  const UiLanguage lang = state_.CurrentLanguage;
  lblFreeDesc->setText(ToQ(AboutTexts::FreeDesc(lang)));
  setWindowTitle(ToQ(AboutTexts::Caption(lang)));
  lblVersion->setText(ToQ(AboutTexts::Version(lang)) + QStringLiteral(VARDENO_VERSION));
  lblDate->setText(ToQ(AboutTexts::Date(lang)));

  // The manual is the program's home page, the same file in both languages. Its path is shown
  // shortened in the middle when it is long; the hint holds it whole.
  const QString manual = ProgramManualPath(state_.ProgramDir.empty() ? GetProgramDir() : state_.ProgramDir);
  lblWWW->setVisible(!manual.isEmpty());
  lblWWW->setToolTip(manual);
  lblWWW->setText(lblWWW->fontMetrics().elidedText(manual, Qt::ElideMiddle, kMinimumClientSize.width() - 24));

  lblCredit->setToolTip(QString::fromLatin1(AboutTexts::CreditAddress));
  ShowEncoderTexts();
  FitSize();
}

void AboutWindow::ReadEncoder() {
  const std::string path = GetEncoderPath(state_.Params, state_.ProgramDir);
  encoderRead_ = true;
  encoderFound_ = !path.empty();
  encoderVersion_.clear();
  if (!encoderFound_) return;
  encoderVersion_ = EncoderVersionLine(path);
  const EncoderGeneration generation =
      windows_.encoder ? windows_.encoder->Generation(path) : GetEncoderGeneration(path);
  encoderClassic_ = generation == EncoderGeneration::Classic;
}

void AboutWindow::ShowEncoderTexts() {
  const UiLanguage lang = state_.CurrentLanguage;
  Label5->setVisible(encoderRead_);
  Label6->setVisible(encoderRead_);
  if (!encoderRead_) return;
  if (!encoderFound_) {
    Label5->setText(ToQ(AboutTexts::EncoderMissing(lang)));
    Label6->setText(ToQ(state_.Params.EncoderExe));
    return;
  }
  // Some builds print long version lines: the window stays readable, the hint holds the whole line.
  const QString version = ToQ(encoderVersion_);
  Label5->setToolTip(version);
  Label5->setText(version.isEmpty() ? ToQ(AboutTexts::EncoderVersionUnknown(lang))
                                    : Label5->fontMetrics().elidedText(version, Qt::ElideRight, kMaxEncoderLineWidth));
  Label6->setText(ToQ(encoderClassic_ ? AboutTexts::ClassicArguments(lang) : AboutTexts::ModernArguments(lang)));
}

void AboutWindow::FitSize() {
  layout()->activate();
  setFixedSize(layout()->totalSizeHint().expandedTo(kMinimumClientSize));
}

void AboutWindow::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    ReadEncoder();
    ShowEncoderTexts();
    FitSize();
    if (QWidget* over = windows_.main ? static_cast<QWidget*>(windows_.main) : parentWidget()) {
      QRect frame = frameGeometry();
      frame.moveCenter(over->frameGeometry().center());
      move(frame.topLeft());
    }
  }
  QDialog::showEvent(event);
}

}  // namespace vardeno
