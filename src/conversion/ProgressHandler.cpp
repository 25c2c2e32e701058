#include "conversion/ProgressHandler.h"

#include <utility>

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

OutputLineHandler ProgressHandler::LineHandler() {
  return [this](const ChildProcess&, const std::string&) { OnOutput(); };
}

IdleHandler ProgressHandler::Idle() {
  return [this] { OnIdle(); };
}
