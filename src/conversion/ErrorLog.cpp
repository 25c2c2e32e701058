#include "conversion/ErrorLog.h"

#include <ctime>
#include <iterator>
#include <string_view>

#include "base/StringUtil.h"
#include "platform/FileIo.h"
#include "texts/ErrorLogTexts.h"

namespace vardeno {

namespace {
// Every line break (CR LF, LF or CR) starts a new line, so n breaks give n + 1 lines: a final
// break leaves an empty line and an empty text is one empty line.
void AppendSplitAtBreaks(std::vector<std::string>& lines, std::string_view text) {
  std::vector<std::string> split = SplitLines(text);
  lines.insert(lines.end(), std::make_move_iterator(split.begin()), std::make_move_iterator(split.end()));
  if (text.empty() || text.back() == '\r' || text.back() == '\n') lines.emplace_back();
}
}  // namespace

DateTimeTexts CurrentLocaleDateTime() { return LocaleDateTimeTexts(std::time(nullptr)); }

void ErrorLog::Clear() {
  lines_.clear();
  if (listener_) listener_->Cleared();
}

void ErrorLog::AddEntry(const std::string& text, std::int32_t number) {
  const std::size_t first = lines_.size();
  if (number > 0) {
    lines_.push_back(kErrorLogNumberPrefix + std::to_string(number));
    lines_.emplace_back(kErrorLogNumberRule);
  }
  const DateTimeTexts moment = now_();
  lines_.push_back(kErrorLogDateTimePrefix + moment.date + kErrorLogDateTimeJoin + moment.time);
  AppendSplitAtBreaks(lines_, text);
  lines_.emplace_back(kErrorLogSeparator);
  if (listener_) listener_->LinesAppended(first, lines_.size() - first);
}

void ErrorLog::AppendLines(const std::vector<std::string>& lines) {
  const std::size_t first = lines_.size();
  lines_.insert(lines_.end(), lines.begin(), lines.end());
  if (listener_ && !lines.empty()) listener_->LinesAppended(first, lines.size());
}

void ResetErrorLog(ErrorLog& log, RunState& state) {
  state.ErrorCount = 0;
  log.Clear();
}

void AddErrorLogEntry(ErrorLog& log, const std::string& text, std::int32_t number) {
  log.AddEntry(text, number);
}

std::string ExitCodeEntryText(std::uint32_t exitCode, const std::vector<std::string>& paneLines) {
  std::string text = kErrorLogExitCodePrefix + std::to_string(exitCode) + "\r\n";
  for (const std::string& line : paneLines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::int32_t LogFailedRun(ErrorLog& log, RunState& state, const std::string& text) {
  ++state.ErrorCount;
  AddErrorLogEntry(log, text, state.ErrorCount);
  return state.ErrorCount;
}

std::string ErrorsWindowCaption(UiLanguage lang, std::int32_t errorCount) {
  std::string caption = kErrorsCaption(lang);
  if (errorCount > 0) caption += " (" + std::to_string(errorCount) + ")";
  return caption;
}

std::string ErrorLogFileText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void SaveErrorLog(const std::vector<std::string>& lines, const std::string& path) {
  WriteFileAtomically(path, ErrorLogFileText(lines));
}

}  // namespace vardeno
