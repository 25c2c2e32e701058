#include "conversion/ErrorLog.h"

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/PathSyntax.h"
#include "platform/SystemError.h"
#include "support/TempDir.h"

namespace vardeno {

namespace {

using Lines = std::vector<std::string>;

const std::string kSeparator(69, '-');

// Gives "day N" / "time N", counting calls, so each entry shows when it was dated.
DateTimeSource CountingClock() {
  auto calls = std::make_shared<int>(0);
  return [calls] {
    ++*calls;
    return DateTimeTexts{"day " + std::to_string(*calls), "time " + std::to_string(*calls)};
  };
}

class RecordingLogView : public ErrorLogListener {
 public:
  void LinesAppended(std::size_t first, std::size_t count) override {
    events.push_back("append " + std::to_string(first) + "+" + std::to_string(count));
  }
  void Cleared() override { events.push_back("cleared"); }
  std::vector<std::string> events;
};

#ifndef _WIN32
// Sets an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, hadOld_ = true;
    ::setenv(name, value, 1);
  }
  ~ScopedEnv() {
    if (hadOld_) ::setenv(name_, old_.c_str(), 1);
    else ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::string old_;
  bool hadOld_ = false;
};
#endif

}  // namespace

TEST(ErrorLog, EntryOfAFailedRunHasHeaderDateTextAndSeparator) {
  ErrorLog log(CountingClock());
  RunState state;
  ResetErrorLog(log, state);
  LogFailedRun(log, state, ExitCodeEntryText(1, {"Input #0, avi", "clip.avi: Invalid data"}));
  EXPECT_EQ(log.Lines(), (Lines{"Error # 1", "----------", "Date & Time: day 1 / time 1",
                                "ExitCode: 1", "Input #0, avi", "clip.avi: Invalid data", "",
                                kSeparator}));
}

TEST(ErrorLog, EncoderWithoutOutputGivesOnlyTheExitCodeLine) {
  ErrorLog log(CountingClock());
  AddErrorLogEntry(log, ExitCodeEntryText(static_cast<std::uint32_t>(-1), {}), 2);
  EXPECT_EQ(log.Lines(), (Lines{"Error # 2", "----------", "Date & Time: day 1 / time 1",
                                "ExitCode: 4294967295", "", kSeparator}));
}

TEST(ErrorLog, NumberZeroLeavesOutTheHeaderAndEveryLineBreakSplits) {
  ErrorLog log(CountingClock());
  AddErrorLogEntry(log, "a\nb\rc\r\n\r\nd", 0);
  AddErrorLogEntry(log, "", -3);
  EXPECT_EQ(log.Lines(), (Lines{"Date & Time: day 1 / time 1", "a", "b", "c", "", "d", kSeparator,
                                "Date & Time: day 2 / time 2", "", kSeparator}));
}

TEST(ErrorLog, NumberingGoesOnAcrossAClearedLogAndRestartsWithTheRun) {
  ErrorLog log(CountingClock());
  RecordingLogView view;
  log.SetListener(&view);
  RunState state;
  state.ErrorCount = 7;  // left from an earlier run
  ResetErrorLog(log, state);
  EXPECT_EQ(state.ErrorCount, 0);
  EXPECT_EQ(LogFailedRun(log, state, "ExitCode: 1\r\n"), 1);
  EXPECT_EQ(LogFailedRun(log, state, "ExitCode: 1\r\n"), 2);
  log.Clear();  // the user clears the pane during the run
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_EQ(LogFailedRun(log, state, "ExitCode: 1\r\n"), 3);
  EXPECT_EQ(log.Lines().front(), "Error # 3");
  EXPECT_EQ(state.ErrorCount, 3);

  ResetErrorLog(log, state);
  LogFailedRun(log, state, "ExitCode: 1\r\n");
  EXPECT_EQ(log.Lines().front(), "Error # 1");
  EXPECT_EQ(view.events, (std::vector<std::string>{"cleared", "append 0+6", "append 6+6",
                                                   "cleared", "append 0+6", "cleared",
                                                   "append 0+6"}));
}

TEST(ErrorLog, CaptionCountsTheRunsFailures) {
  EXPECT_EQ(ErrorsWindowCaption(UiLanguage::English, 0), "Errors");
  EXPECT_EQ(ErrorsWindowCaption(UiLanguage::English, 2), "Errors (2)");
  EXPECT_EQ(ErrorsWindowCaption(UiLanguage::Polish, 12), "Błędy (12)");
}

TEST(ErrorLog, SavedLogHasCrLfAfterEveryLineAndReplacesTheFile) {
  TempDir dir;
  ErrorLog log(CountingClock());
  AddErrorLogEntry(log, "ExitCode: 1\r\n", 1);
  const std::string path = dir.Write("Vardeno_Errors.log", "old content that is longer");
  SaveErrorLog(log.Lines(), path);
  EXPECT_EQ(ReadWholeFile(path), "Error # 1\r\n----------\r\nDate & Time: day 1 / time 1\r\n"
                                 "ExitCode: 1\r\n\r\n" + kSeparator + "\r\n");
  EXPECT_THROW(SaveErrorLog(log.Lines(), JoinPath(dir / "missing", "x.log")), SystemError);
}

// The C library's locales and time zone, as the POSIX build takes its date and time texts from them.
#ifndef _WIN32
TEST(LocaleDateTime, UsesTheLocaleFormatsWithoutChangingTheProcessLocale) {
  const std::string processLocaleBefore = std::setlocale(LC_ALL, nullptr);
  const ScopedEnv zone("TZ", "UTC");
  ::tzset();
  const std::time_t moment = 1710450307;  // 2024-03-14 21:05:07 UTC
  {
    const ScopedEnv locale("LC_ALL", "C");
    const DateTimeTexts texts = LocaleDateTimeTexts(moment);
    EXPECT_EQ(texts.date, "03/14/24");
    EXPECT_EQ(texts.time, "21:05:07");
  }
  {
    // A locale that is not installed falls back to the C formats instead of failing.
    const ScopedEnv locale("LC_ALL", "xx_NOWHERE.UTF-8");
    EXPECT_EQ(LocaleDateTimeTexts(moment).time, "21:05:07");
  }
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), processLocaleBefore);
  ::tzset();
}
#endif

}  // namespace vardeno
