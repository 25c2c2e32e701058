// The error log of the current conversion run: one entry per failed encoder run, kept as lines
// of text. The errors window shows the lines; saving writes them, each ended by CR LF.
//
// An entry: "Error # " number, ten hyphens, "Date & Time: " date " / " time, the entry text (one
// line per line break in it; a final line break leaves an empty line), 69 hyphens. The first two
// lines are left out for a number of 0 or below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "conversion/RunState.h"
#include "platform/LocaleTime.h"
#include "texts/Language.h"

namespace vardeno {

// Gives the date and time texts of an entry at the moment it is written.
using DateTimeSource = std::function<DateTimeTexts()>;

// Now, in the user's locale's short date and long time formats.
DateTimeTexts CurrentLocaleDateTime();

// What a view of the log hears; the default of every method is to do nothing.
class ErrorLogListener {
 public:
  virtual ~ErrorLogListener() = default;
  // Lines [first, first + count) have been appended.
  virtual void LinesAppended(std::size_t /*first*/, std::size_t /*count*/) {}
  virtual void Cleared() {}
};

class ErrorLog {
 public:
  explicit ErrorLog(DateTimeSource now = CurrentLocaleDateTime) : now_(std::move(now)) {}

  const std::vector<std::string>& Lines() const { return lines_; }
  // The listener is not owned; nullptr for none.
  void SetListener(ErrorLogListener* listener) { listener_ = listener; }

  // Empties the log (the clear action). The run's ErrorCount is not changed, so later entries
  // of the same run keep counting on.
  void Clear();
  // Appends one entry (see the top of this file), dated now.
  void AddEntry(const std::string& text, std::int32_t number);
  // Appends lines as they are: the entries another log (a run's own) has made.
  void AppendLines(const std::vector<std::string>& lines);

 private:
  DateTimeSource now_;
  std::vector<std::string> lines_;
  ErrorLogListener* listener_ = nullptr;
};

// At the start of every run: ErrorCount becomes 0 and the log is emptied.
void ResetErrorLog(ErrorLog& log, RunState& state);

// Appends one entry numbered `number`.
void AddErrorLogEntry(ErrorLog& log, const std::string& text, std::int32_t number);

// The entry text of a failed encoder run: "ExitCode: " and the code as an unsigned number, CR LF,
// then every line of the encoder output pane followed by CR LF.
std::string ExitCodeEntryText(std::uint32_t exitCode, const std::vector<std::string>& paneLines);

// One failed encoder run: raises ErrorCount and appends the entry with that number, so the first
// entry of a run is 1 and numbering goes on across a cleared log. Returns the entry's number.
std::int32_t LogFailedRun(ErrorLog& log, RunState& state, const std::string& text);

// "Errors" ("Błędy"), followed by " (" count ")" when count is above 0.
std::string ErrorsWindowCaption(UiLanguage lang, std::int32_t errorCount);

// The content of a saved log: every line followed by CR LF.
std::string ErrorLogFileText(const std::vector<std::string>& lines);

// Writes the lines to path (ErrorLogFileText), replacing any file there safely. Throws SystemError
// when it cannot; the file that was there is then unchanged.
void SaveErrorLog(const std::vector<std::string>& lines, const std::string& path);

}  // namespace vardeno
