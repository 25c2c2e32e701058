// Conversion runs started from the main window: actConvert converts, actSaveBAT writes a script.
// A run goes on on the runner's thread: whoever pressed the button (a screen reader over the
// accessibility bus too) gets its answer at once and can reach the progress window's Abort
// during the run.
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "app/ProgramState.h"
#include "conversion/ConversionRun.h"
#include "platform/Processors.h"
#include "platform/SleepLock.h"
#include "ui/desktop/DesktopRun.h"
#include "ui/AppWindows.h"
#include "ui/main/FileListView.h"
#include "ui/main/MainFileDialogs.h"
#include "ui/main/MainTexts.h"
#include "ui/main/MiddlePanel.h"
#include "ui/QtText.h"
#include "ui/RunWorker.h"
#include "ui/main/MainWindow.h"
#include "ui/windows/ProgressWindow.h"

namespace vardeno {

void MainWindow::actConvertExecute() { RunConversion(false, {}); }

void MainWindow::actSaveBATExecute() {
  if (RunActive()) return;
  const std::string& lastAdded = state_.Files.LastAddedDirectory();
  const QString start = ToQ(lastAdded.empty() ? state_.ProgramDir : lastAdded);
  const QString name = AskSaveFileName(this, start, ScriptFileFilter(state_.CurrentLanguage), QStringLiteral("sh"));
  if (name.isEmpty()) return;
  RunConversion(true, ToStd(name));
}

void MainWindow::Later(std::function<void()> work) {
  QMetaObject::invokeMethod(
      this,
      [this, work = std::move(work)] {
        if (!closed_) work();
      },
      Qt::QueuedConnection);
}

RunWorker& MainWindow::Runner() {
  if (!runner_) {
    runner_ = new RunWorker(state_, *windows_.encoder, *windows_.Progress(), *windows_.power, *this, this);
    windows_.runner = runner_;
    connect(runner_, &RunWorker::finished, this, &MainWindow::RunFinished);
  }
  return *runner_;
}

bool MainWindow::RunActive() const { return runner_ && runner_->Active(); }

void MainWindow::RunConversion(bool batchMode, const std::string& batchFileName) {
  if (RunActive() || closed_) return;
  ConversionRequest request;
  request.settings = ReadEncoderSettings();
  request.resolutions = state_.Resolutions;
  request.outputToInputDir = pnMid_->OutDirIsInDir();
  request.outputDir = ToStd(pnMid_->OutDir());
  request.outputExistsPolicy = pnMid_->OutputExists();
  request.afterConversion = pnMid_->AfterConversion();
  request.batchMode = batchMode;
  request.batchFileName = batchFileName;
  request.scriptFormat = kNativeScriptFormat;

  request.stallLimit = std::chrono::seconds(state_.Params.StallMinutes * 60L);
  request.player = state_.Params.Player;

  RunWorker::Options options;
  options.keepAwake = KeepComputerAwake;
  const int filesAtOnce = pnMid_->FilesAtOnce();
  options.filesAtOnce = filesAtOnce <= 0 ? UsableCores() : static_cast<unsigned>(filesAtOnce);
  runIsBatch_ = batchMode;
  Runner().Start(request, std::move(options));
}

void MainWindow::RunFinished(const RunResult& result) {
  if (!runIsBatch_ && windows_.desktop) windows_.desktop->NoticeEnd(result, state_.CurrentLanguage);
  // The run disabled the list, which took the keyboard focus away: it goes back to the list, so
  // Esc and the list's keys work without a click into the window.
  lv_->setFocus(Qt::OtherFocusReason);
  emit runEnded();
}

}  // namespace vardeno
