// A conversion run of the windowed program on a thread of its own, so the windows stay as
// responsive during a run as when idle.
//
// The run works on copies taken when it starts (the request, the program's parameters, the
// language, the file list, the error log) and on a run state, probe and output lines of its own;
// nothing the windows' thread touches is shared with it but the abort flag. What the run tells
// the windows reaches the view on the windows' thread in the order it was said, and the program
// state's rows, error log and run state are brought up to date there as it goes, so the windows
// read them as they always have. A warning or system error box is shown there while the run waits
// for it to be closed.
#pragma once

#include <QObject>
#include <memory>
#include <thread>

#include "conversion/ConversionRun.h"

namespace vardeno {

class GuiCallQueue;
struct ProgramState;

class RunWorker : public QObject {
  Q_OBJECT
 public:
  // view, power and host are used on the windows' thread only; encoder on the run's thread (and
  // on several at once when more than one file converts at once). None is owned.
  RunWorker(ProgramState& state, EncoderAccess& encoder, ConversionView& view, PowerControl& power,
            AfterRunHost& host, QObject* parent = nullptr);
  // Ends a run still going on (as Abort does) and waits for its thread; what it had still to say
  // is dropped.
  ~RunWorker() override;

  struct Options {
    ConversionRun::SleepLockRequest keepAwake;  // empty: none asked for
    unsigned filesAtOnce = 1;                   // rows converted at once (1: one after another)
  };
  // Starts a run of request unless one is going on (false then). finished follows once it has
  // ended and everything it said has reached the windows.
  bool Start(const ConversionRequest& request, Options options);
  // A run has started and finished has not yet been emitted for it.
  bool Active() const { return thread_.joinable(); }
  // Asks the run to stop: no further file starts and the running encoders are ended.
  void Abort();
  // Aborts, waits for the run's thread to end and then hands the windows what the run still had
  // to say (finished last), before returning.
  void AbortAndWait();

 signals:
  void finished(const RunResult& result);

 private:
  struct Copy;
  class Bridge;
  void Finish(const RunResult& result);

  ProgramState& state_;
  EncoderAccess& encoder_;
  ConversionView& view_;
  PowerControl& power_;
  AfterRunHost& host_;
  GuiCallQueue* calls_;
  std::unique_ptr<Copy> copy_;
  std::thread thread_;
};

}  // namespace vardeno
