// A way through the checked rows of a conversion with up to N encoders at once (vardeno-cli's
// --jobs, the window's "Files at once"), each row going through the same steps as the job loop's
// (conversion/RowSteps.h).
//
// The rows are planned in list order on the calling thread, and a row's output name is decided
// and claimed before its encoder starts. A row whose decision looked at a path that a running row
// is converting into (the same output, or a numbered name tried on the way) waits until that row
// has finished, so the outputs and statuses are those of one file after another, whatever the
// timing, and no two encoders ever write one file. The probe and the encoder run of a row happen
// on a thread of its own with its own output lines and progress parser; everything else (the
// status, the error log entry, the empty-output deletion, the view) stays on the calling thread,
// in the order the rows finish.
//
// An abort (RunState::AbortRequested, set by the view's ProcessPendingEvents) starts no further
// row and ends every running encoder; their rows end "Aborted".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "conversion/RowScheduler.h"

namespace vardeno {

// A row whose probe or encoder runs, as its progress handler last showed it.
struct RunningRow {
  std::size_t row = 0;
  std::string input;       // the input file's path
  std::string statusText;  // frame, percentage and speed ("" before the encoder's first line)
  int percentage = 0;
};

// Where the run stands, for a status line.
struct RunSummary {
  int done = 0;       // rows finished, skipped or failed
  int running = 0;    // rows whose probe or encoder runs
  int fileCount = 0;  // checked rows
  int percentage = 0; // of the whole run: finished rows count 100, running ones their own share
  std::vector<RunningRow> rows;  // the running rows, in the order they started
  // The encoders' output lines finished since the last summary, each after its input's file name
  // and ": ", in the order they were read (a row's last lines when it ends).
  std::vector<std::string> outputLines;
};

class RunSummaryDisplay {
 public:
  virtual ~RunSummaryDisplay() = default;
  // Called on the scheduler's thread whenever the figures may have changed (often).
  virtual void ShowRunSummary(const RunSummary& summary) = 0;
};

class ParallelRows : public RowScheduler {
 public:
  // jobs: how many rows may convert at once (at least 1).
  ParallelRows(unsigned jobs, RunSummaryDisplay& display);

  // The context's EncoderAccess must allow Probe and Run to be called from several threads at
  // once (SystemEncoder does); Terminate is called on the calling thread only.
  RunEnd RunRows(const RowsContext& context) override;

 private:
  unsigned jobs_;
  RunSummaryDisplay& display_;
};

}  // namespace vardeno
