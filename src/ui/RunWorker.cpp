#include "ui/RunWorker.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <utility>

#include "app/ProgramState.h"
#include "conversion/ParallelRows.h"
#include "ui/GuiCallQueue.h"

namespace vardeno {

// What the run's thread works on: taken when the run starts, touched by that thread only (but the
// abort flag) until the run has ended.
struct RunWorker::Copy {
  ConversionRequest request;
  Options options;
  AppParams params;
  std::string programDir;
  UiLanguage language = UiLanguage::English;
  RunState run;
  MediaProbe probe;
  EncoderOutputLines lines;
  FileList files;
  ErrorLog errors;
  std::atomic<bool> stopping{false};  // the windows are going: questions are no longer asked
};

// The run's view on its own thread. Every call becomes a call on the windows' thread, made there
// in order after the program state's run state has been set to the run's at the moment of the
// call; the rows' statuses and the error log's lines go the same way.
class RunWorker::Bridge : public ConversionView,
                          public FileListListener,
                          public ErrorLogListener,
                          public PowerControl,
                          public AfterRunHost,
                          public RunSummaryDisplay {
 public:
  Bridge(RunWorker& worker, Copy& copy) : w_(worker), c_(copy) {}

  // ConversionView
  void ShowWarning(const std::string& text) override {
    Ask([w = &w_, text] { w->view_.ShowWarning(text); });
  }
  void ShowSystemError(const std::string& text) override {
    Ask([w = &w_, text] { w->view_.ShowSystemError(text); });
  }
  void DisableAll() override { Say([w = &w_] { w->view_.DisableAll(); }); }
  void EnableAll() override { Say([w = &w_] { w->view_.EnableAll(); }); }
  void ShowProgressWindow() override { Say([w = &w_] { w->view_.ShowProgressWindow(); }); }
  void SetAbortCaption(const std::string& caption) override {
    Say([w = &w_, caption] { w->view_.SetAbortCaption(caption); });
  }
  void SetInputFile(const std::string& path) override { Say([w = &w_, path] { w->view_.SetInputFile(path); }); }
  void SetOutputFile(const std::string& path) override { Say([w = &w_, path] { w->view_.SetOutputFile(path); }); }
  void SetStatus(const std::string& text, StatusTone tone) override {
    Say([w = &w_, text, tone] { w->view_.SetStatus(text, tone); });
  }
  void SetProgress(int percent) override { Say([w = &w_, percent] { w->view_.SetProgress(percent); }); }
  void SetPbColor(RgbColor color) override { Say([w = &w_, color] { w->view_.SetPbColor(color); }); }
  void ClearEncoderOutput() override { Say([w = &w_] { w->view_.ClearEncoderOutput(); }); }
  void ShowRunNotice(const std::string& text) override { Say([w = &w_, text] { w->view_.ShowRunNotice(text); }); }
  void ShowErrorsWindow() override { Say([w = &w_] { w->view_.ShowErrorsWindow(); }); }
  void SetErrorsCaption(const std::string& caption) override {
    Say([w = &w_, caption] { w->view_.SetErrorsCaption(caption); });
  }
  void RowFinished(std::size_t row, const std::string& status, const std::string& outputPath) override {
    Say([w = &w_, row, status, outputPath] { w->view_.RowFinished(row, status, outputPath); });
  }
  void ShowProgress(const ProgressUpdate& update) override {
    Say([w = &w_, update] { w->view_.ShowProgress(update); });
  }
  void ShowSilence(std::chrono::seconds silent) override { Say([w = &w_, silent] { w->view_.ShowSilence(silent); }); }
  // The windows' events are the windows' thread's own business; the abort is a flag read at once.
  void ProcessPendingEvents() override {}
  // Ended early by an abort, so the next step sees it at once.
  void Pause(std::chrono::milliseconds duration) override {
    const auto end = std::chrono::steady_clock::now() + duration;
    while (!c_.run.AbortRequested && std::chrono::steady_clock::now() < end)
      std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
          std::chrono::milliseconds(10), end - std::chrono::steady_clock::now()));
  }

  // FileListListener: the run's copy of the list changed a row's status.
  void RowsChanged(std::size_t first, std::size_t last) override {
    for (std::size_t row = first; row <= last && row < c_.files.Count(); ++row) {
      std::string status = c_.files.Row(row).Status;
      w_.calls_->Post([w = &w_, row, status = std::move(status)] {
        FileList& files = w->state_.Files;
        if (row < files.Count()) files.SetStatus(row, status);
      });
    }
  }
  // ErrorLogListener: the run's log was emptied or has new entries.
  void Cleared() override {
    w_.calls_->Post([w = &w_] { w->state_.Errors.Clear(); });
  }
  void LinesAppended(std::size_t first, std::size_t count) override {
    const auto& lines = c_.errors.Lines();
    std::vector<std::string> added(lines.begin() + static_cast<std::ptrdiff_t>(first),
                                   lines.begin() + static_cast<std::ptrdiff_t>(first + count));
    w_.calls_->Post([w = &w_, added = std::move(added)] { w->state_.Errors.AppendLines(added); });
  }

  // PowerControl and AfterRunHost: the after-run action, taken on the windows' thread.
  bool ShutDownComputer() override {
    auto accepted = std::make_shared<bool>(false);
    Ask([w = &w_, accepted] { *accepted = w->power_.ShutDownComputer(); });
    return *accepted;
  }
  void CloseMainWindow() override { Say([w = &w_] { w->host_.CloseMainWindow(); }); }

  // RunSummaryDisplay: several rows at once.
  void ShowRunSummary(const RunSummary& summary) override {
    auto* display = dynamic_cast<RunSummaryDisplay*>(&w_.view_);
    if (display) Say([display, summary] { display->ShowRunSummary(summary); });
  }

 private:
  // Made on the windows' thread with the program state's run state as the run's is now.
  std::function<void()> WithRunState(std::function<void()> call) {
    return [w = &w_, run = c_.run, call = std::move(call)] {
      RunState& shown = w->state_.Run;
      const bool abort = shown.AbortRequested || run.AbortRequested;
      shown = run;
      shown.AbortRequested = abort;
      call();
    };
  }
  void Say(std::function<void()> call) { w_.calls_->Post(WithRunState(std::move(call))); }
  // The run waits for the answer, unless the windows are going away.
  void Ask(std::function<void()> call) {
    w_.calls_->PostAndWait(WithRunState(std::move(call)), [&stopping = c_.stopping] { return stopping.load(); });
  }

  RunWorker& w_;
  Copy& c_;
};

RunWorker::RunWorker(ProgramState& state, EncoderAccess& encoder, ConversionView& view, PowerControl& power,
                     AfterRunHost& host, QObject* parent)
    : QObject(parent),
      state_(state),
      encoder_(encoder),
      view_(view),
      power_(power),
      host_(host),
      calls_(new GuiCallQueue(this)) {}

RunWorker::~RunWorker() {
  if (!thread_.joinable()) return;
  copy_->stopping = true;
  Abort();
  thread_.join();
}

bool RunWorker::Start(const ConversionRequest& request, Options options) {
  if (Active()) return false;
  copy_ = std::make_unique<Copy>();
  Copy& c = *copy_;
  c.request = request;
  c.options = std::move(options);
  c.params = state_.Params;
  c.programDir = state_.ProgramDir;
  c.language = state_.CurrentLanguage;
  c.run = state_.Run;
  c.files = state_.Files;
  c.errors = state_.Errors;
  state_.Run.Running = true;
  state_.Run.AbortRequested = false;
  c.run.AbortRequested = false;

  thread_ = std::thread([this, &c] {
    Bridge bridge(*this, c);
    c.files.SetListener(&bridge);
    c.errors.SetListener(&bridge);
    ConversionState conversionState{[&c] { return GetEncoderPath(c.params, c.programDir); },
                                    ShowEncoderMissing,
                                    c.params.PbColor,
                                    c.language,
                                    c.run,
                                    c.probe,
                                    c.lines,
                                    c.files,
                                    c.errors};
    ConversionRun run(conversionState, encoder_, bridge, bridge, bridge);
    run.SetSleepLock(c.options.keepAwake);
    ParallelRows parallel(c.options.filesAtOnce, bridge);
    if (c.options.filesAtOnce > 1) run.SetRowScheduler(&parallel);
    RunResult result;
    try {
      result = run.Execute(c.request);
    } catch (...) {
      // Nothing may leave the thread; the run has ended (its cleanup ran) and reports a failure.
      result.end = RunEnd::SystemFailure;
    }
    c.files.SetListener(nullptr);
    c.errors.SetListener(nullptr);
    calls_->Post([this, result] { Finish(result); });
  });
  return true;
}

void RunWorker::Abort() {
  state_.Run.AbortRequested = true;
  if (copy_) copy_->run.AbortRequested = true;
}

void RunWorker::AbortAndWait() {
  if (!thread_.joinable()) return;
  copy_->stopping = true;
  Abort();
  thread_.join();
  calls_->RunPending();
}

void RunWorker::Finish(const RunResult& result) {
  if (thread_.joinable()) thread_.join();
  state_.Run = copy_->run;
  state_.CurrentProbe = copy_->probe;
  state_.OutputLines = copy_->lines;
  copy_.reset();
  emit finished(result);
}

}  // namespace vardeno
