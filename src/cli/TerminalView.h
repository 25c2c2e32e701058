// The terminal as the view of a conversion run: the status text (or, with several files at once,
// the run's summary) on one rewritten line of stderr (only when stderr is a terminal), one line
// per processed file on stdout, warnings and errors on stderr. SIGINT and SIGTERM abort the run
// like the Abort button.
#pragma once

#include <memory>
#include <string>

#include "conversion/ParallelRows.h"
#include "conversion/ConversionRun.h"
#include "platform/Console.h"

namespace vardeno {

class TerminalView : public ConversionView, public RunSummaryDisplay {
 public:
  // lang: the language of the run's summary line.
  TerminalView(RunState& run, UiLanguage lang);
  ~TerminalView() override;

  void ShowWarning(const std::string& text) override;
  void ShowSystemError(const std::string& text) override;
  void ShowRunNotice(const std::string& text) override;
  void SetStatus(const std::string& text, StatusTone tone) override;
  void ShowProgress(const ProgressUpdate& update) override;
  void RowFinished(std::size_t row, const std::string& status, const std::string& outputPath) override;
  void ProcessPendingEvents() override;
  void ShowRunSummary(const RunSummary& summary) override;

  // True once an interrupt (Ctrl+C, SIGTERM, the console closed) has arrived while a view lived.
  static bool AbortSignalled();

 private:
  void ShowStatusLine(const std::string& text);
  void EndStatusLine();

  RunState& run_;
  UiLanguage lang_;
  bool statusLine_ = false;  // stderr is a terminal
  bool statusShown_ = false;
  std::string shownText_;  // what the status line shows while statusShown_
  std::unique_ptr<InterruptCatcher> interrupt_;  // for as long as the view lives
};

// "Files done: 3 / 20  Running: 4  Complete: 27 %" (or its Polish).
std::string RunSummaryText(const RunSummary& summary, UiLanguage lang);

// Writes a text whose lines end in CR LF to stderr with LF line ends and a final line end.
void PrintToStderr(const std::string& text);

}  // namespace vardeno
