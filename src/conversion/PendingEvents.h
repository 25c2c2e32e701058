// How the core lets its front end handle what is pending between the steps of a run (the command
// line's interrupt). The windowed program's run has a thread of its own and needs nothing here.
#pragma once

namespace vardeno {

class PendingEvents {
 public:
  virtual ~PendingEvents() = default;
  // Handles every pending event and returns; may set RunState::AbortRequested.
  virtual void ProcessPendingEvents() = 0;
};

}  // namespace vardeno
