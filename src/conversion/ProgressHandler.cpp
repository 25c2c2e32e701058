#include "conversion/ProgressHandler.h"

#include <utility>

namespace vardeno {

namespace {
using Clock = std::chrono::steady_clock;
constexpr std::chrono::seconds kSilenceShownFrom{60};
}  // namespace

ProgressHandler::ProgressHandler(ProgressSources sources, PendingEvents& events,
                                 ProgressDisplay& display, EncoderTerminator terminate)
    : sources_(sources), events_(events), display_(display), terminate_(std::move(terminate)) {}

void ProgressHandler::SetEncoder(const std::string& encoderPath, EncoderGeneration generation) {
  encoderPath_ = encoderPath;
  generation_ = generation;
  parser_.SetGeneration(generation);
  hold_.Reset();
}

void ProgressHandler::StartFile() {
  parser_.Reset();
  hold_.Reset();
  if (silenceShown_.count() > 0) display_.ShowSilence(std::chrono::seconds{0});
  silenceShown_ = std::chrono::seconds{0};
  lastOutput_ = Clock::now();
  child_.reset();
  stalled_ = false;
}

void ProgressHandler::HandleEventsAndAbort() {
  events_.ProcessPendingEvents();
  // Repeats on every call until the run has stopped; once the encoder has ended the
  // terminator finds nothing to end.
  if (sources_.run.AbortRequested && terminate_) terminate_(encoderPath_);
}

void ProgressHandler::OnOutput() {
  HandleEventsAndAbort();
  ProgressUpdate update = parser_.Update(sources_.lines, sources_.run, sources_.probe, sources_.language);
  if (update.endedEarly) return;
  hold_.Apply(update, generation_, sources_.run, sources_.probe, sources_.language);
  display_.ShowProgress(update);
}

void ProgressHandler::OnIdle() { HandleEventsAndAbort(); }

void ProgressHandler::WatchSilence() {
  const auto silent = std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - lastOutput_);
  if (silent >= kSilenceShownFrom && silent != silenceShown_) {
    silenceShown_ = silent;
    display_.ShowSilence(silent);
  }
  if (stalled_ || stallLimit_.count() <= 0 || silent < stallLimit_) return;
  // Ended the way an abort ends it; the run itself goes on with the next file.
  stalled_ = true;
  if (terminate_) {
    terminate_(encoderPath_);
  } else if (child_) {
    TerminateChild(*child_);
  }
}

OutputLineHandler ProgressHandler::LineHandler() {
  return [this](const ChildProcess& child, const std::string&) {
    child_ = child;
    lastOutput_ = Clock::now();
    if (silenceShown_.count() > 0) {
      silenceShown_ = std::chrono::seconds{0};
      display_.ShowSilence(silenceShown_);
    }
    OnOutput();
  };
}

IdleHandler ProgressHandler::Idle() {
  return [this] { OnIdle(); };
}

IdleHandler ProgressHandler::EncoderIdle() {
  return [this] {
    OnIdle();
    WatchSilence();
  };
}

}  // namespace vardeno
