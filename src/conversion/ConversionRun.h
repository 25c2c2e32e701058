// The conversion run: checks the settings, builds the encoder's argument pieces once, walks the
// file list from top to bottom converting every checked row (or, in batch mode, writing a script
// that would), records each row's outcome, and takes the after-conversion action.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/RgbColor.h"
#include "base/WarningSink.h"
#include "conversion/AfterRun.h"
#include "conversion/ConversionScript.h"
#include "conversion/ErrorLog.h"
#include "conversion/PendingEvents.h"
#include "conversion/ProgressHandler.h"
#include "conversion/RunState.h"
#include "encoder/ArgumentBuilder.h"
#include "encoder/PictureChain.h"
#include "filelist/FileList.h"
#include "platform/SleepLock.h"
#include "player/PlayerId.h"
#include "probe/MediaProbe.h"

namespace vardeno {

// The run's choices, copied from the main window's controls when the run starts.
struct ConversionRequest {
  EncoderSettings settings;
  ResolutionList resolutions;
  bool outputToInputDir = true;  // rbOutDirIsInDir
  std::string outputDir;         // edOutDir, used when outputToInputDir is false
  int outputExistsPolicy = 0;    // 0 rename, 1 overwrite, 2 skip, anything else: no choice
  int afterConversion = 0;       // index of the after-conversion list
  bool batchMode = false;        // write a script instead of converting
  std::string batchFileName;
  ScriptFormat scriptFormat = ScriptFormat::PosixShell;
  // A running encoder that prints nothing for this long is ended and its file fails (zero: never).
  std::chrono::seconds stallLimit{0};
  // Every output that converted well is probed and compared with this player (None: nothing is
  // probed).
  PlayerId player = PlayerId::None;
};

// The program state a run works on; it outlives the run.
struct ConversionState {
  // The full path of the configured encoder at the moment of asking; "" when there is none.
  std::function<std::string()> findEncoder;
  // Tells the user that no encoder was found and where one belongs.
  std::function<void(WarningSink&, UiLanguage)> showEncoderMissing;
  RgbColor progressColor;
  const UiLanguage& language;  // the language in force
  RunState& run;
  MediaProbe& currentProbe;
  EncoderOutputLines& outputLines;
  FileList& files;
  ErrorLog& errorLog;
};

// The encoder program as a run uses it.
class EncoderAccess {
 public:
  virtual ~EncoderAccess() = default;
  virtual EncoderGeneration Generation(const std::string& encoderPath) = 0;
  // nullopt when the encoder's list of encoders could not be read.
  virtual std::optional<bool> HasEncoder(const std::string& encoderPath, const std::string& codec) = 0;
  // ProbeMediaFile; idle is called while the encoder is silent (events and abort of a run).
  virtual MediaProbe Probe(const std::string& inputPath, const std::string& encoderPath, const IdleHandler& idle) = 0;
  // RunConsoleProcess; throws SystemError when the encoder cannot be started.
  virtual std::uint32_t Run(const std::string& encoderPath, const std::string& argText, EncoderOutputLines& lines,
                            const OutputLineHandler& handler, const IdleHandler& idle) = 0;
  virtual bool Terminate(const std::string& encoderPath) = 0;
  // Whether the encoder has the named filter; nullopt when it cannot tell (the run then goes on).
  virtual std::optional<bool> HasFilter(const std::string& /*encoderPath*/, const std::string& /*filter*/) {
    return std::nullopt;
  }
};

// How a row's status is shown in the progress window.
enum class StatusTone { Normal, Ok, Error };

// What the windows (or the CLI) show of a run. Defaults do nothing.
class ConversionView : public WarningSink, public PendingEvents, public ProgressDisplay {
 public:
  virtual void DisableAll() {}
  virtual void EnableAll() {}
  // The error message box for failures of the operating system.
  virtual void ShowSystemError(const std::string& /*text*/) {}

  virtual void ShowProgressWindow() {}
  virtual void SetAbortCaption(const std::string& /*caption*/) {}
  virtual void SetInputFile(const std::string& /*path*/) {}
  virtual void SetOutputFile(const std::string& /*path*/) {}
  virtual void SetStatus(const std::string& /*text*/, StatusTone /*tone*/) {}
  virtual void SetProgress(int /*percent*/) {}
  virtual void SetPbColor(RgbColor /*color*/) {}
  virtual void ClearEncoderOutput() {}

  // A remark about the whole run (such as that the computer may sleep during it), once.
  virtual void ShowRunNotice(const std::string& /*text*/) {}

  virtual void ShowErrorsWindow() {}
  virtual void SetErrorsCaption(const std::string& /*caption*/) {}

  // A checked row has been processed (converted, failed, aborted or skipped).
  virtual void RowFinished(std::size_t /*row*/, const std::string& /*status*/, const std::string& /*outputPath*/) {}

  // The loop's pauses; a test view may skip them.
  virtual void Pause(std::chrono::milliseconds duration);

  void ProcessPendingEvents() override {}
  void ShowProgress(const ProgressUpdate& /*update*/) override {}
};

enum class RunEnd {
  Completed,          // the loop ran (possibly aborted or with failures)
  InvalidSizeLimit,   // the size limit is not a number
  NoEncoder,          // no encoder program found
  RefusedSettings,    // an argument builder refused a value
  MissingCodec,       // the encoder program cannot encode the chosen format
  MissingFilter,      // subtitles are asked for, but the encoder program cannot draw them
  NoCheckedFiles,
  CannotCreateDir,    // the output folder could not be made
  SystemFailure,      // the encoder could not be started, or the script not written
};

struct RunResult {
  RunEnd end = RunEnd::Completed;
  std::int32_t fileCount = 0;
  std::int32_t errorCount = 0;
  std::int32_t notForPlayerCount = 0;  // RunState::NotForPlayerCount at the end
  bool aborted = false;
  AfterRunOutcome afterRun = AfterRunOutcome::Nothing;
};

// What a run hands to the code that works through its checked rows, once the settings, the
// encoder and the argument pieces are known and RunState is filled (FileCount, AudioOnly, the
// time limits).
struct RowsContext {
  const ConversionRequest& request;
  const std::string& encoderPath;
  EncoderGeneration generation;
  const ArgumentPieces& pieces;
  ConversionState& state;
  EncoderAccess& encoder;
  ConversionView& view;
};

// Works through the checked rows of a conversion (not of a batch-mode run) in some other way than
// one after another, with the per-row steps of conversion/RowSteps.h. Rows it processes end with
// ConversionView::RowFinished; a row whose encoder could not be started ends the run by a
// SystemError thrown from RunRows.
class RowScheduler {
 public:
  virtual ~RowScheduler() = default;
  // RunEnd::Completed, or RunEnd::CannotCreateDir when the output folder could not be used.
  virtual RunEnd RunRows(const RowsContext& context) = 0;
};

class ConversionRun {
 public:
  ConversionRun(ConversionState state, EncoderAccess& encoder, ConversionView& view, PowerControl& power,
                AfterRunHost& host);
  // One whole run; returns when it has ended.
  RunResult Execute(const ConversionRequest& request);

  // From now on the conversions of Execute (not batch-mode runs) work through their rows with
  // scheduler instead of one after another; nullptr goes back to that. Not owned.
  void SetRowScheduler(RowScheduler* scheduler) { scheduler_ = scheduler; }
  // From now on a conversion (not a batch-mode run) asks keepAwake for a sleep lock once its
  // files are known and holds it to its end; without one, the view's ShowRunNotice says the
  // computer may sleep. Empty (the default): nothing is asked and nothing said.
  using SleepLockRequest = std::function<std::unique_ptr<SleepLock>(const std::string& why)>;
  void SetSleepLock(SleepLockRequest keepAwake) { keepAwake_ = std::move(keepAwake); }

 private:
  RunEnd RunRows(const ConversionRequest& request, const std::string& encoderPath, EncoderGeneration generation,
                 const ArgumentPieces& pieces, ConversionScript& script, ProgressHandler& progress);

  ConversionState s_;
  EncoderAccess& encoder_;
  ConversionView& view_;
  PowerControl& power_;
  AfterRunHost& host_;
  RowScheduler* scheduler_ = nullptr;
  SleepLockRequest keepAwake_;
};

// The argument text of one conversion: -y -i "input", the six pieces, the file's picture filter
// (when it has one, after the advanced piece), then "output".
std::string ConversionArguments(const std::string& inputPath, const ArgumentPieces& pieces,
                                const std::string& outputPath, const PictureFilter& picture = {});

}  // namespace vardeno
