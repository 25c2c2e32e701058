// The conversion runs of the main window: actConvert converts, actSaveBAT writes a script.
#include "ui/main/MainRun.h"

#include <QAction>

#include "app/ProgramState.h"
#include "conversion/ConversionRun.h"
#include "platform/Processors.h"
#include "platform/SleepLock.h"
#include "ui/AppWindows.h"
#include "ui/QtText.h"
#include "ui/RunWorker.h"
#include "ui/desktop/DesktopRun.h"
#include "ui/main/FileListView.h"
#include "ui/main/MainActions.h"
#include "ui/main/MainFileDialogs.h"
#include "ui/main/MainTexts.h"
#include "ui/main/MiddlePanel.h"
#include "ui/main/SettingsPanels.h"
#include "ui/windows/ProgressWindow.h"

namespace vardeno {

MainRun::MainRun(ProgramState& state, AppWindows& windows, const MainActions& actions, MiddlePanel& middle,
                 SettingsPanels& settings, FileListView& list, AfterRunHost& host, QWidget* window,
                 std::function<void(std::function<void()>)> later)
    : state_(state), windows_(windows), middle_(middle), settings_(settings), list_(list),
      host_(host), window_(window), later_(std::move(later)) {
  connect(actions.actConvert, &QAction::triggered, this, &MainRun::Convert);
  // The script's file dialog opens once the press has been answered.
  connect(actions.actSaveBAT, &QAction::triggered, this, [this] { later_([this] { SaveScript(); }); });
}

MainRun::~MainRun() {
  if (windows_.runner == runner_) windows_.runner = nullptr;
  delete runner_;
}

void MainRun::Convert() { Start(false, {}); }

void MainRun::SaveScript() {
  if (Active()) return;
  const std::string& lastAdded = state_.Files.LastAddedDirectory();
  const QString start = ToQ(lastAdded.empty() ? state_.ProgramDir : lastAdded);
  const QString name =
      AskSaveFileName(window_, start, ScriptFileFilter(state_.CurrentLanguage), QStringLiteral("sh"));
  if (name.isEmpty()) return;
  Start(true, ToStd(name));
}

RunWorker& MainRun::Runner() {
  if (!runner_) {
    runner_ = new RunWorker(state_, *windows_.encoder, *windows_.Progress(), *windows_.power, host_, this);
    windows_.runner = runner_;
    connect(runner_, &RunWorker::finished, this, &MainRun::Finished);
  }
  return *runner_;
}

bool MainRun::Active() const { return runner_ && runner_->Active(); }

void MainRun::AbortAndWait() {
  if (runner_) runner_->AbortAndWait();
}

void MainRun::Start(bool batchMode, const std::string& batchFileName) {
  if (Active() || closed_) return;
  ConversionRequest request;
  request.settings = settings_.ReadSettings();
  request.resolutions = state_.Resolutions;
  request.outputToInputDir = middle_.OutDirIsInDir();
  request.outputDir = ToStd(middle_.OutDir());
  request.outputExistsPolicy = middle_.OutputExists();
  request.afterConversion = middle_.AfterConversion();
  request.batchMode = batchMode;
  request.batchFileName = batchFileName;
  request.scriptFormat = kNativeScriptFormat;

  request.stallLimit = std::chrono::seconds(state_.Params.StallMinutes * 60L);
  request.player = state_.Params.Player;

  RunWorker::Options options;
  options.keepAwake = KeepComputerAwake;
  const int filesAtOnce = middle_.FilesAtOnce();
  options.filesAtOnce = filesAtOnce <= 0 ? UsableCores() : static_cast<unsigned>(filesAtOnce);
  runIsBatch_ = batchMode;
  Runner().Start(request, std::move(options));
}

void MainRun::Finished(const RunResult& result) {
  if (!runIsBatch_ && windows_.desktop) windows_.desktop->NoticeEnd(result, state_.CurrentLanguage);
  // The run disabled the list, which took the keyboard focus away: it goes back to the list, so
  // Esc and the list's keys work without a click into the window.
  list_.setFocus(Qt::OtherFocusReason);
  emit ended();
}

}  // namespace vardeno
