#include "ui/windows/ProgressWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ProgramState.h"
#include "conversion/UnattendedText.h"
#include "texts/ConversionTexts.h"
#include "ui/AppWindows.h"
#include "ui/desktop/DesktopRun.h"
#include "ui/windows/EncoderOutputPane.h"
#include "ui/MessageBoxes.h"
#include "ui/windows/PathLabel.h"
#include "ui/RunWorker.h"
#include "ui/QtText.h"
#include "ui/windows/RunWindowTexts.h"
#include "ui/windows/ErrorLogWindow.h"
#include "ui/main/MainWindow.h"

namespace vardeno {

namespace {
template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

QColor ToQColor(RgbColor c) { return QColor(c.r, c.g, c.b); }

bool IsCloseCaption(const std::string& caption) {
  return caption == kCloseCaption(UiLanguage::English) || caption == kCloseCaption(UiLanguage::Polish);
}
}  // namespace

ProgressWindow::ProgressWindow(ProgramState& state, AppWindows& windows, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint),
      state_(state),
      windows_(windows) {
  setObjectName(QStringLiteral("FormProgress"));
  setModal(false);
  flushTimer_ = new QTimer(this);
  flushTimer_->setSingleShot(true);
  connect(flushTimer_, &QTimer::timeout, this, [this] { FlushDisplay(); });
  BuildControls();
  resize(763, 329);
  setMinimumSize(600, 200);
  SetPbColor(state_.Params.PbColor);
  SetLang();
}

void ProgressWindow::BuildControls() {
  actAbort = Named(new QAction(this), "actAbort");
  connect(actAbort, &QAction::triggered, this, [this] { actAbortExecute(); });

  lblEncoderOutput = Named(new QLabel(this), "lblEncoderOutput");
  me = Named(new EncoderOutputPane(this), "me");
  lblEncoderOutput->setBuddy(me);

  auto valueLabel = [this](const char* name) {
    auto* label = Named(new QLabel(this), name);
    label->setTextFormat(Qt::PlainText);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
  };
  lblStatusDesc = Named(new QLabel(this), "lblStatusDesc");
  lblStatus = valueLabel("lblStatus");
  lblInputFileDesc = Named(new QLabel(this), "lblInputFileDesc");
  lblInputFile = Named(new PathLabel(this), "lblInputFile");
  lblOutputFileDesc = Named(new QLabel(this), "lblOutputFileDesc");
  lblOutputFile = Named(new PathLabel(this), "lblOutputFile");
  lblProgress = Named(new QLabel(this), "lblProgress");
  pbFile = Named(new QProgressBar(this), "pbFile");
  pbFile->setRange(0, 100);
  pbFile->setValue(0);
  pbFile->setTextVisible(false);
  // A style that draws the bar in the palette's highlight colour, so PbColor shows in every theme.
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
    fusion->setParent(pbFile);
    pbFile->setStyle(fusion);
  }
  lblProgress->setBuddy(pbFile);
  btnAbort = Named(new QPushButton(this), "btnAbort");
  btnAbort->setAutoDefault(false);
  connect(btnAbort, &QPushButton::clicked, actAbort, &QAction::trigger);
  connect(actAbort, &QAction::changed, btnAbort, [this] { btnAbort->setText(actAbort->text()); });

  auto* panel = new QWidget(this);
  panel->setFixedHeight(92);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setVerticalSpacing(2);
  QLabel* rows[][2] = {{lblStatusDesc, lblStatus},
                       {lblInputFileDesc, lblInputFile},
                       {lblOutputFileDesc, lblOutputFile},
                       {lblProgress, nullptr}};
  for (int row = 0; row < 4; ++row) {
    grid->addWidget(rows[row][0], row, 0);
    if (rows[row][1]) grid->addWidget(rows[row][1], row, 1);
  }
  grid->addWidget(pbFile, 3, 1);
  grid->addWidget(btnAbort, 0, 2, 4, 1, Qt::AlignRight | Qt::AlignVCenter);
  grid->setColumnStretch(1, 1);

  lblRunNotes = valueLabel("lblRunNotes");
  lblRunNotes->hide();
  lblRunningFilesDesc = Named(new QLabel(this), "lblRunningFilesDesc");
  lblRunningFiles = valueLabel("lblRunningFiles");
  lblRunningFiles->setFocusPolicy(Qt::TabFocus);  // reachable, so a screen reader reads it out
  lblRunningFilesDesc->setBuddy(lblRunningFiles);
  lblRunningFilesDesc->hide();
  lblRunningFiles->hide();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblEncoderOutput);
  layout->addWidget(me, 1);
  layout->addWidget(lblRunNotes);
  layout->addWidget(lblRunningFilesDesc);
  layout->addWidget(lblRunningFiles);
  layout->addWidget(panel);
}

void ProgressWindow::SetLang() {
  const UiLanguage lang = state_.CurrentLanguage;
  setWindowTitle(ToQ(kProgressWindowCaption(lang)));
  lblEncoderOutput->setText(ToQ(kEncoderOutputLabel(lang)));
  lblStatusDesc->setText(ToQ(kStatusLabel(lang)));
  lblInputFileDesc->setText(ToQ(kInputFileLabel(lang)));
  lblOutputFileDesc->setText(ToQ(kOutputFileLabel(lang)));
  lblProgress->setText(ToQ(kProgressLabel(lang)));
  lblRunningFilesDesc->setText(ToQ(kRunningFilesLabel(lang)));
  const bool close = abortShowsClose_ && !state_.Run.Running;
  actAbort->setText(ToQ(close ? kCloseCaption(lang) : kAbortCaption(lang)));
}

void ProgressWindow::actAbortExecute() {
  if (!state_.Run.Running) {
    close();
    return;
  }
  state_.Run.AbortRequested = true;
  if (windows_.runner) windows_.runner->Abort();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  if (state_.Run.Running) actAbortExecute();
  event->accept();
}

void ProgressWindow::reject() {
  if (!state_.Run.Running) QDialog::reject();
}

QWidget* ProgressWindow::MessageOwner() const {
  // This window stays on top: a box owned by the main window could open behind it.
  return isVisible() ? const_cast<ProgressWindow*>(this) : static_cast<QWidget*>(windows_.main);
}

void ProgressWindow::ShowWarning(const std::string& text) { ShowWarningBox(MessageOwner(), text); }
void ProgressWindow::DisableAll() {
  runNotice_.clear();
  silence_.clear();
  ShowNotes();
  windows_.main->DisableAll();
  // This window and the errors window are windows of their own, yet Qt disables a disabled
  // widget's child windows too: Abort, the close box and the log must stay usable during a run.
  setEnabled(true);
  if (windows_.errors) windows_.errors->setEnabled(true);
}
void ProgressWindow::EnableAll() {
  lblRunningFilesDesc->hide();
  lblRunningFiles->hide();
  silence_.clear();
  ShowNotes();
  if (runShown_ && windows_.desktop) windows_.desktop->Ended(state_.Run.ErrorCount);
  runShown_ = false;
  windows_.main->EnableAll();
}
void ProgressWindow::ShowSystemError(const std::string& text) { ShowSystemErrorBox(MessageOwner(), text); }

void ProgressWindow::ShowProgressWindow() {
  summaryShown_ = false;
  show();
  raise();
  runShown_ = true;
  if (windows_.desktop) windows_.desktop->Started(state_.Run.FileCount);
}

void ProgressWindow::ShowRunNotice(const std::string& text) {
  runNotice_ = ToQ(text);
  ShowNotes();
}

void ProgressWindow::ShowSilence(std::chrono::seconds silent) {
  silence_ = silent.count() > 0 ? ToQ(SilenceText(state_.CurrentLanguage, silent)) : QString();
  ShowNotes();
}

void ProgressWindow::ShowNotes() {
  QStringList notes;
  for (const QString& note : {runNotice_, silence_})
    if (!note.isEmpty()) notes << note;
  lblRunNotes->setText(notes.join(QLatin1Char('\n')));
  lblRunNotes->setVisible(!notes.isEmpty());
}

void ProgressWindow::ReportToDesktop(int percent) {
  if (runShown_ && windows_.desktop)
    windows_.desktop->Progress(state_.Run.FileNo, state_.Run.FileCount, percent, state_.Run.ErrorCount);
}

void ProgressWindow::SetAbortCaption(const std::string& caption) {
  abortShowsClose_ = IsCloseCaption(caption);
  actAbort->setText(ToQ(caption));
}

void ProgressWindow::SetInputFile(const std::string& path) {
  FlushDisplay();
  lblInputFile->SetPath(ToQ(path));
}

void ProgressWindow::SetOutputFile(const std::string& path) {
  FlushDisplay();
  lblOutputFile->SetPath(ToQ(path));
}

void ProgressWindow::SetStatus(const std::string& text, StatusTone tone) {
  FlushDisplay();
  QPalette colours = palette();
  if (tone == StatusTone::Ok) colours.setColor(QPalette::WindowText, ToQColor(state_.Params.StatusColorOK));
  if (tone == StatusTone::Error) colours.setColor(QPalette::WindowText, ToQColor(state_.Params.StatusColorError));
  lblStatus->setPalette(colours);
  lblStatus->setText(ToQ(text));
}

void ProgressWindow::SetProgress(int percent) {
  FlushDisplay();
  pbFile->setValue(std::clamp(percent, 0, 100));
  ReportToDesktop(percent);
}

void ProgressWindow::SetPbColor(RgbColor color) {
  QPalette colours = pbFile->palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    colours.setColor(group, QPalette::Highlight, ToQColor(color));
  pbFile->setPalette(colours);
}

void ProgressWindow::ClearEncoderOutput() {
  FlushDisplay();
  silence_.clear();
  ShowNotes();
  me->Clear();
}

void ProgressWindow::RowFinished(std::size_t row, const std::string& /*status*/, const std::string& outputPath) {
  // One at a time, the labels show the row as it goes; several at once, the last one finished.
  if (!summaryShown_ || row >= state_.Files.Count()) return;
  lblInputFile->SetPath(ToQ(RowFullPath(state_.Files.Row(row))));
  lblOutputFile->SetPath(ToQ(outputPath));
}

void ProgressWindow::ShowRunSummary(const RunSummary& summary) {
  const UiLanguage lang = state_.CurrentLanguage;
  if (!summaryShown_) {
    summaryShown_ = true;
    me->Clear();
  }
  displayPending_ = false;
  lblStatus->setPalette(palette());
  lblStatus->setText(ToQ(kFilesDoneText(lang) + std::to_string(summary.done) + " / " + std::to_string(summary.fileCount) +
                         kFilesRunningText(lang) + std::to_string(summary.running) + "   " +
                         std::to_string(summary.percentage) + " %"));
  pbFile->setValue(std::clamp(summary.percentage, 0, 100));
  QStringList running;
  for (const RunningRow& row : summary.rows) {
    const QString name = QFileInfo(ToQ(row.input)).fileName();
    // The percentage first: the short status text of audio-only output has none.
    QString line = name + QStringLiteral("   %1 %").arg(row.percentage);
    if (!row.statusText.empty()) line += QStringLiteral("   ") + ToQ(row.statusText);
    running << line;
  }
  lblRunningFiles->setText(running.join(QLatin1Char('\n')));
  lblRunningFilesDesc->setVisible(!running.isEmpty());
  lblRunningFiles->setVisible(!running.isEmpty());
  if (!summary.outputLines.empty()) {
    me->Apply(me->LineCount(), summary.outputLines);
    me->Flush();
  }
  if (runShown_ && windows_.desktop)
    windows_.desktop->OverallProgress(summary.done, summary.fileCount, summary.percentage, state_.Run.ErrorCount);
}

void ProgressWindow::ShowErrorsWindow() { windows_.Errors()->show(); }
void ProgressWindow::SetErrorsCaption(const std::string& caption) { windows_.Errors()->setWindowTitle(ToQ(caption)); }
void ProgressWindow::ProcessPendingEvents() {
  if (DisplayDue()) FlushDisplay();
}

bool ProgressWindow::DisplayDue() const {
  return displayPending_ && (!displayClock_.isValid() || displayClock_.elapsed() >= kDisplayIntervalMs);
}

void ProgressWindow::ShowProgress(const ProgressUpdate& update) {
  pendingPercent_ = std::clamp(update.percentage, 0, 100);
  pendingStatus_ = ToQ(update.statusText);
  me->Apply(update.paneKeepLines, update.paneNewLines);
  ReportToDesktop(pendingPercent_);
  displayPending_ = true;
  if (DisplayDue())
    FlushDisplay();
  else if (!flushTimer_->isActive())
    // What is gathered reaches the screen when its interval is up, even if nothing follows.
    flushTimer_->start(std::max<qint64>(0, kDisplayIntervalMs - displayClock_.elapsed()));
}

void ProgressWindow::FlushDisplay() {
  if (!displayPending_) return;
  displayPending_ = false;
  flushTimer_->stop();
  pbFile->setValue(pendingPercent_);
  if (lblStatus->text() != pendingStatus_) {
    lblStatus->setText(pendingStatus_);
    lblStatus->repaint();  // at once, like the bar, so that the two always agree on screen
  }
  me->Flush();
  displayClock_.start();
}

}  // namespace vardeno
