#include "cli/TerminalView.h"

#include <cstdio>

#include "base/StringUtil.h"
#include "platform/Console.h"

namespace vardeno {

void PrintToStderr(const std::string& text) {
  std::string plain = ReplaceAll(text, "\r\n", "\n");
  if (plain.empty() || plain.back() != '\n') plain += '\n';
  std::fputs(plain.c_str(), stderr);
  std::fflush(stderr);
}

TerminalView::TerminalView(RunState& run, UiLanguage lang)
    : run_(run), lang_(lang), statusLine_(StderrIsTerminal()), interrupt_(std::make_unique<InterruptCatcher>()) {}

TerminalView::~TerminalView() { EndStatusLine(); }

bool TerminalView::AbortSignalled() { return InterruptCatcher::Requested(); }

namespace {
// The text cut to fewer characters than the terminal has columns (UTF-8 sequences kept whole): a
// line that wrapped could not be rewritten in place, and every update would add a line.
std::string FitToTerminal(const std::string& text, unsigned columns) {
  if (columns < 2) return text;
  unsigned characters = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (characters == columns - 1) return text.substr(0, i);
    ++characters;
  }
  return text;
}
}  // namespace

void TerminalView::ShowStatusLine(const std::string& text) {
  if (!statusLine_ || text.empty()) return;
  const std::string fitted = FitToTerminal(text, TerminalColumns());
  if (statusShown_ && fitted == shownText_) return;  // the encoder repeats itself many times a second
  std::fprintf(stderr, "\r%s\x1b[K", fitted.c_str());
  std::fflush(stderr);
  statusShown_ = true;
  shownText_ = fitted;
}

void TerminalView::EndStatusLine() {
  if (!statusShown_) return;
  std::fputs("\r\x1b[K", stderr);
  std::fflush(stderr);
  statusShown_ = false;
}

void TerminalView::ShowWarning(const std::string& text) {
  EndStatusLine();
  PrintToStderr(text);
}

void TerminalView::ShowRunNotice(const std::string& text) {
  EndStatusLine();
  PrintToStderr(text);
}

void TerminalView::ShowSystemError(const std::string& text) {
  EndStatusLine();
  PrintToStderr(text);
}

void TerminalView::SetStatus(const std::string& text, StatusTone) { ShowStatusLine(text); }

void TerminalView::ShowProgress(const ProgressUpdate& update) { ShowStatusLine(update.statusText); }

void TerminalView::ShowRunSummary(const RunSummary& summary) { ShowStatusLine(RunSummaryText(summary, lang_)); }

std::string RunSummaryText(const RunSummary& s, UiLanguage lang) {
  const bool polish = lang == UiLanguage::Polish;
  return std::string(polish ? "Gotowe pliki: " : "Files done: ") + std::to_string(s.done) + " / " +
         std::to_string(s.fileCount) + (polish ? "  W toku: " : "  Running: ") + std::to_string(s.running) +
         (polish ? "  Zakończono: " : "  Complete: ") + std::to_string(s.percentage) + " %";
}

void TerminalView::RowFinished(std::size_t, const std::string& status, const std::string& outputPath) {
  EndStatusLine();
  std::printf("%s\t%s\n", status.c_str(), outputPath.c_str());
  std::fflush(stdout);
}

void TerminalView::ProcessPendingEvents() {
  if (InterruptCatcher::Requested() && run_.Running) run_.AbortRequested = true;
}

}  // namespace vardeno
