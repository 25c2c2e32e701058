// How the core, which blocks the one user-interface thread during a run, lets the window
// system handle what is pending (clicks on Abort, the close box, repaints).
#pragma once

class PendingEvents {
 public:
  virtual ~PendingEvents() = default;
  // Handles every pending event and returns; may set RunState::AbortRequested.
  virtual void ProcessPendingEvents() = 0;
};
