// conev: the progress handler the job loop hands to the process runner for each encoder run.
// On every delivered piece it lets pending events through, ends the encoder while an abort is
// pending, filters EncoderOutputLines and tells the progress display what to show.
#pragma once

#include <functional>
#include <string>

#include "conversion/PendingEvents.h"
#include "conversion/ProgressHold.h"
#include "conversion/ProgressParser.h"
#include "conversion/RunState.h"
#include "encoder/EncoderGeneration.h"
#include "platform/ProcessRunner.h"
#include "probe/MediaProbe.h"
#include "texts/Language.h"

// The progress window (or the CLI): shows what a call worked out.
class ProgressDisplay {
 public:
  virtual ~ProgressDisplay() = default;
  // Shows update's status text and bar position and brings the output pane up to date
  // (keep paneKeepLines lines, append paneNewLines). Never called for a call that ended early.
  virtual void ShowProgress(const ProgressUpdate& update) = 0;
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
  // The job loop has emptied EncoderOutputLines for the next file.
  void StartFile();

  // One call of conev: pending events, abort, parse, show.
  void OnOutput();
  // For the runner's silent waits: pending events and abort only, so an encoder that prints
  // nothing can still be aborted.
  void OnIdle();

  // Adapters to pass to RunConsoleProcess; they call this handler, which must outlive them.
  OutputLineHandler LineHandler();
  IdleHandler Idle();

 private:
  void HandleEventsAndAbort();

  ProgressSources sources_;
  PendingEvents& events_;
  ProgressDisplay& display_;
  EncoderTerminator terminate_;
  std::string encoderPath_;
  EncoderGeneration generation_ = EncoderGeneration::Modern;
  ProgressParser parser_;
  ProgressHold hold_;
};
