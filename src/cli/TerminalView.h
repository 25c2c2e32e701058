// The terminal as the view of a conversion run: the status text on one rewritten line of stderr
// (only when stderr is a terminal), one line per processed file on stdout, warnings and errors
// on stderr. SIGINT and SIGTERM abort the run like the Abort button.
#pragma once

#include "conversion/ConversionRun.h"

class TerminalView : public ConversionView {
 public:
  explicit TerminalView(RunState& run);
  ~TerminalView() override;

  void ShowWarning(const std::string& text) override;
  void ShowSystemError(const std::string& text) override;
  void SetStatus(const std::string& text, StatusTone tone) override;
  void ShowProgress(const ProgressUpdate& update) override;
  void RowFinished(std::size_t row, const std::string& status, const std::string& outputPath) override;
  void ProcessPendingEvents() override;

  // True once SIGINT or SIGTERM has arrived.
  static bool AbortSignalled();

 private:
  void ShowStatusLine(const std::string& text);
  void EndStatusLine();

  RunState& run_;
  bool statusLine_ = false;  // stderr is a terminal
  bool statusShown_ = false;
  std::string shownText_;  // what the status line shows while statusShown_
};

// Writes a text whose lines end in CR LF to stderr with LF line ends and a final line end.
void PrintToStderr(const std::string& text);
