// conev: the progress handler the job loop hands to the process runner for each encoder run.
// On every delivered piece it lets pending events through, ends the encoder while an abort is
// pending, filters EncoderOutputLines and tells the progress display what to show.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "conversion/PendingEvents.h"
#include "conversion/ProgressHold.h"
#include "conversion/ProgressParser.h"
#include "conversion/RunState.h"
#include "encoder/EncoderGeneration.h"
#include "platform/ProcessRunner.h"
#include "probe/MediaProbe.h"
#include "texts/Language.h"

namespace vardeno {

// The progress window (or the CLI): shows what a call worked out.
class ProgressDisplay {
 public:
  virtual ~ProgressDisplay() = default;
  // Shows update's status text and bar position and brings the output pane up to date
  // (keep paneKeepLines lines, append paneNewLines). Never called for a call that ended early.
  virtual void ShowProgress(const ProgressUpdate& update) = 0;
  // How long the running encoder has printed nothing, once a second from the first minute on;
  // zero when it prints again (or its file has ended) after that was shown.
  virtual void ShowSilence(std::chrono::seconds /*silent*/) {}
};

// Ends every running encoder started from exePath (TerminateApp in the program).
using EncoderTerminator = std::function<bool(const std::string& exePath)>;

// The shared state a handler reads on every call; it is read when the call happens.
struct ProgressSources {
  EncoderOutputLines& lines;     // filled by the runner, filtered here
  const RunState& run;
  const MediaProbe& probe;       // CurrentProbe: Duration and FrameCount are read
  const UiLanguage& language;    // the interface language in force
};

class ProgressHandler {
 public:
  ProgressHandler(ProgressSources sources, PendingEvents& events, ProgressDisplay& display,
                  EncoderTerminator terminate);

  // For a run: the encoder's full path (given to the terminator) and its generation. With a
  // modern encoder the shown progress of one file never moves backwards (see ProgressHold).
  void SetEncoder(const std::string& encoderPath, EncoderGeneration generation);
  // An encoder that has printed nothing for limit is ended as an abort ends it (zero: never).
  void SetStallLimit(std::chrono::seconds limit) { stallLimit_ = limit; }
  // The job loop has emptied EncoderOutputLines for the next file; its encoder starts now.
  void StartFile();
  // The current file's encoder was ended because it printed nothing for the stall limit.
  bool Stalled() const { return stalled_; }

  // One call of conev: pending events, abort, parse, show.
  void OnOutput();
  // For the runner's silent waits: pending events and abort only, so an encoder that prints
  // nothing can still be aborted.
  void OnIdle();

  // Adapters to pass to RunConsoleProcess; they call this handler, which must outlive them.
  // Idle suits any wait (such as the probe's); EncoderIdle is for the encoder run of the file
  // begun by StartFile and also watches its silence.
  OutputLineHandler LineHandler();
  IdleHandler Idle();
  IdleHandler EncoderIdle();

 private:
  void HandleEventsAndAbort();
  void WatchSilence();

  ProgressSources sources_;
  PendingEvents& events_;
  ProgressDisplay& display_;
  EncoderTerminator terminate_;
  std::string encoderPath_;
  EncoderGeneration generation_ = EncoderGeneration::Modern;
  ProgressParser parser_;
  ProgressHold hold_;

  std::chrono::seconds stallLimit_{0};
  std::chrono::steady_clock::time_point lastOutput_ = std::chrono::steady_clock::now();
  std::chrono::seconds silenceShown_{0};
  std::optional<ChildProcess> child_;  // the encoder, once it has printed
  bool stalled_ = false;
};

}  // namespace vardeno
