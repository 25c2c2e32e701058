#include "conversion/ParallelRows.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <vector>

#include "base/FsPath.h"
#include "conversion/RowSteps.h"
#include "conversion/UnattendedText.h"
#include "platform/Console.h"
#include "texts/ConversionTexts.h"

namespace vardeno {

namespace {
constexpr auto kWakeInterval = std::chrono::milliseconds(100);

// Two spellings of one output (a linked folder, "..") give one key; the file need not exist.
std::string ClaimKey(const std::string& path) {
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(FsPath(path), error);
  return error ? path : Utf8Path(resolved);
}

// One row being converted on its own thread.
struct Job {
  RowPlan plan;
  std::string claimKey;  // of plan.output
  std::string arguments;
  std::string subtitleNote;  // subtitles asked for but not found, for the error log
  RunState progressRun;  // what this row's progress text reads (FileNo, limits, AudioOnly)
  std::atomic<int> percentage{0};
  // What the row's progress handler last showed, for the summary; under shownMutex.
  std::mutex shownMutex;
  std::string statusText;
  std::vector<std::string> outbox;  // finished output lines not yet in a summary
  std::size_t paneHanded = 0;       // lines of lines put into the outbox so far
  std::thread thread;
  // Written by the worker before it reports the job finished.
  std::uint32_t exitCode = 0;
  EncoderOutputLines lines;
  bool aborted = false;
  bool stalled = false;  // ended for printing nothing
  std::optional<MediaProbe> outputProbe;  // the output's, when it is compared with a player
  std::exception_ptr error;
};

// What the rows' threads and the scheduler share.
struct Board {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<Job*> finished;  // in the order they finished; under mutex
  std::atomic<bool> abort{false};
};

// A worker has no window: nothing is pending, and the abort is the scheduler's business.
class NoEvents : public PendingEvents {
 public:
  void ProcessPendingEvents() override {}
};

class JobProgress : public ProgressDisplay {
 public:
  explicit JobProgress(Job& job) : job_(job) {}
  // On the row's thread, which also fills job.lines.
  void ShowProgress(const ProgressUpdate& update) override {
    job_.percentage = update.percentage;
    // Every line but the last is done (the last may be a status line still being rewritten).
    const std::size_t count = std::min(update.paneKeepLines + update.paneNewLines.size(), job_.lines.size());
    const std::size_t done = count > 0 ? count - 1 : 0;
    std::lock_guard lock(job_.shownMutex);
    job_.statusText = update.statusText;
    for (std::size_t i = job_.paneHanded; i < done; ++i) job_.outbox.push_back(job_.lines[i]);
    job_.paneHanded = std::max(job_.paneHanded, done);
  }

 private:
  Job& job_;
};

void Convert(Job& job, const RowsContext& c, Board& board) {
  try {
    MediaProbe probe;
    if (!board.abort) probe = c.encoder.Probe(job.plan.input, c.encoderPath, {});
    // The file's picture filter may depend on its probe (its own subtitle track).
    const RowPicture picture = PlanRowPicture(c.request, c.generation, job.plan.input, probe, c.state.language);
    job.subtitleNote = picture.missingNote;
    job.arguments = ConversionArguments(job.plan.input, c.pieces, job.plan.output, picture.filter);
    NoEvents events;
    JobProgress display(job);
    ProgressHandler progress({job.lines, job.progressRun, probe, c.state.language}, events, display, {});
    progress.SetEncoder(c.encoderPath, c.generation);
    progress.SetStallLimit(c.request.stallLimit);
    progress.StartFile();
    // A row handed over just as the run was aborted does not start its encoder.
    job.exitCode = board.abort ? kTerminatedExitCode
                               : c.encoder.Run(c.encoderPath, job.arguments, job.lines, progress.LineHandler(),
                                               progress.EncoderIdle());
    job.aborted = board.abort;
    job.stalled = progress.Stalled();
    // The output is read here, on the row's own thread, like the input was.
    if (job.exitCode == 0 && !job.aborted && c.request.player != PlayerId::None)
      job.outputProbe = c.encoder.Probe(job.plan.output, c.encoderPath, {});
  } catch (...) {
    job.error = std::current_exception();
  }
  {
    std::lock_guard lock(board.mutex);
    board.finished.push_back(&job);
  }
  board.changed.notify_all();
}

// The worker threads take no SIGINT or SIGTERM: the handler's flag is read on the scheduler's
// thread, which ends the encoders.
std::thread StartThread(Job& job, const RowsContext& c, Board& board) {
  return StartThreadWithoutInterrupts([&job, &c, &board] { Convert(job, c, board); });
}

class Scheduler {
 public:
  Scheduler(const RowsContext& c, unsigned jobs, RunSummaryDisplay& display)
      : c_(c), jobs_(std::max(jobs, 1u)), display_(display), planner_(c.request, c.state.files, c.state.language) {
    for (std::size_t row = 0; row < c.state.files.Count(); ++row)
      if (c.state.files.Row(row).Checked) rows_.push_back(row);
    // A started row's thread is never left unowned by a failed allocation.
    running_.reserve(jobs_);
  }
  // Leaving by an exception still ends and waits for every row's thread.
  ~Scheduler() { StopAll(); }
  Scheduler(const Scheduler&) = delete;
  Scheduler& operator=(const Scheduler&) = delete;

  RunEnd Run() {
    for (;;) {
      c_.view.ProcessPendingEvents();
      if (c_.state.run.AbortRequested) board_.abort = true;
      // Repeated while rows run, so an encoder started just after an earlier call ends too.
      if (board_.abort && !running_.empty()) c_.encoder.Terminate(c_.encoderPath);
      FinishRows(TakeFinished());
      if (!board_.abort && !stopStarting_) StartRows();
      ShowSummary();
      if (running_.empty()) break;
      WaitForChange();
    }
    if (failure_) std::rethrow_exception(failure_);
    return end_;
  }

 private:
  std::vector<Job*> TakeFinished() {
    std::lock_guard lock(board_.mutex);
    std::vector<Job*> finished;
    finished.swap(board_.finished);
    return finished;
  }

  void WaitForChange() {
    std::unique_lock lock(board_.mutex);
    board_.changed.wait_for(lock, kWakeInterval, [this] { return !board_.finished.empty(); });
  }

  void StartRows() {
    while (next_ < rows_.size() && running_.size() < jobs_) {
      const std::size_t row = rows_[next_];
      if (numbered_ <= next_) {
        ++c_.state.run.FileNo;
        numbered_ = next_ + 1;
      }
      const OutputDirCheck outputDir = PrepareOutputDir(c_.request);
      if (outputDir.problem != OutputDirCheck::Problem::None) {
        ReportOutputDirProblem(outputDir, c_.view, c_.state.language);
        end_ = RunEnd::CannotCreateDir;
        stopStarting_ = true;
        return;
      }
      RowPlan plan = planner_.Plan(row, outputDir.dir);
      // Decided by a file a running row is writing: wait for that row, then decide again.
      for (const std::string& path : plan.examined)
        if (claimed_.count(ClaimKey(path))) return;
      ++next_;

      FileList& files = c_.state.files;
      files.SetStatus(row, kStatusConverting(c_.state.language));
      if (plan.skip) {
        files.SetStatus(row, plan.status);
        c_.view.RowFinished(row, plan.status, plan.output);
        ++done_;
        continue;
      }
      auto job = std::make_unique<Job>();
      job->plan = std::move(plan);
      job->progressRun = c_.state.run;
      job->progressRun.AbortRequested = false;
      job->claimKey = ClaimKey(job->plan.output);
      claimed_.insert(job->claimKey);
      job->thread = StartThread(*job, c_, board_);
      running_.push_back(std::move(job));
    }
  }

  std::vector<std::unique_ptr<Job>>::iterator Find(const Job* job) {
    return std::find_if(running_.begin(), running_.end(), [job](const auto& j) { return j.get() == job; });
  }

  void FinishRows(const std::vector<Job*>& finished) {
    for (Job* job : finished) {
      job->thread.join();
      const auto owned = Find(job);
      std::unique_ptr<Job> done = std::move(*owned);
      running_.erase(owned);
      claimed_.erase(done->claimKey);
      ++done_;
      if (!done->subtitleNote.empty()) NoteMissingSubtitles({{}, done->subtitleNote}, c_.state.errorLog);
      // The row's last output lines (its thread has ended: they are the scheduler's now).
      HandOn(*done, std::move(done->outbox));
      HandOn(*done, {done->lines.begin() + static_cast<std::ptrdiff_t>(std::min(done->paneHanded, done->lines.size())),
                     done->lines.end()});
      // An encoder that could not be started ends the run: its row keeps "Converting", and the
      // rows still running are let finish.
      if (done->error) {
        if (!failure_) failure_ = done->error;
        stopStarting_ = true;
        continue;
      }
      const RowPlan& plan = done->plan;
      const UiLanguage lang = c_.state.language;
      std::string status = StatusAfterEncoder(
          plan.input, plan.status, done->exitCode, done->lines, c_.state.errorLog, c_.state.run, lang,
          done->stalled ? StalledEncoderText(lang, c_.request.stallLimit) : "");
      if (done->outputProbe && !done->aborted && !OutputFolderGone(plan.output))
        status = StatusAfterOutputCheck(status, plan.output, *done->outputProbe, c_.request.player, c_.state.errorLog,
                                        c_.state.run, lang);
      if (done->aborted) status = AbortedStatus(lang);
      c_.state.files.SetStatus(plan.row, status);
      DeleteEmptyOutput(plan.output);
      c_.view.RowFinished(plan.row, status, plan.output);
    }
  }

  // Lines of a row's output, for the next summary, each after the row's file name.
  void HandOn(const Job& job, const std::vector<std::string>& lines) {
    const std::string prefix = Utf8Path(FsPath(job.plan.input).filename()) + ": ";
    for (const std::string& line : lines) outputLines_.push_back(prefix + line);
  }

  void ShowSummary() {
    RunSummary summary;
    for (const auto& job : running_) {
      std::vector<std::string> lines;
      RunningRow shown{job->plan.row, job->plan.input, {}, std::clamp(job->percentage.load(), 0, 100)};
      {
        std::lock_guard lock(job->shownMutex);
        lines.swap(job->outbox);
        shown.statusText = job->statusText;
      }
      HandOn(*job, lines);
      summary.rows.push_back(std::move(shown));
    }
    summary.outputLines.swap(outputLines_);
    summary.done = done_;
    summary.running = static_cast<int>(running_.size());
    summary.fileCount = static_cast<int>(rows_.size());
    long long sum = 100LL * done_;
    for (const auto& job : running_) sum += std::clamp(job->percentage.load(), 0, 100);
    summary.percentage = rows_.empty() ? 0 : static_cast<int>(sum / static_cast<long long>(rows_.size()));
    display_.ShowRunSummary(summary);
  }

  // Ends every running encoder and waits for every row's thread.
  void StopAll() {
    if (running_.empty()) return;
    board_.abort = true;
    while (!running_.empty()) {
      try {
        c_.encoder.Terminate(c_.encoderPath);
      } catch (...) {
      }
      for (Job* job : TakeFinished()) {
        job->thread.join();
        running_.erase(Find(job));
      }
      if (!running_.empty()) WaitForChange();
    }
  }

  const RowsContext& c_;
  const unsigned jobs_;
  RunSummaryDisplay& display_;
  RowPlanner planner_;
  std::vector<std::size_t> rows_;  // the checked rows, in list order
  std::size_t next_ = 0;           // the next of rows_ to start
  std::size_t numbered_ = 0;       // rows_ before this have had their FileNo
  std::vector<std::unique_ptr<Job>> running_;
  std::set<std::string> claimed_;  // the outputs of the running rows
  Board board_;
  int done_ = 0;
  std::vector<std::string> outputLines_;  // for the next summary
  bool stopStarting_ = false;
  RunEnd end_ = RunEnd::Completed;
  std::exception_ptr failure_;
};
}  // namespace

ParallelRows::ParallelRows(unsigned jobs, RunSummaryDisplay& display) : jobs_(jobs), display_(display) {}

RunEnd ParallelRows::RunRows(const RowsContext& context) {
  Scheduler scheduler(context, jobs_, display_);
  return scheduler.Run();
}

}  // namespace vardeno
