// The date and time of the error log and the start language, in a Polish Windows user locale
// (under Wine: LANG=pl_PL.UTF-8).
#include <gtest/gtest.h>
#include <windows.h>

#include <regex>

#include "platform/LocaleTime.h"
#include "platform/SystemLanguage.h"

namespace vardeno {

namespace {

bool UserLocaleIs(const wchar_t* name) {
  wchar_t locale[LOCALE_NAME_MAX_LENGTH];
  return GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH) > 0 && std::wstring(locale) == name;
}

TEST(LocaleWin32, APolishUserGetsPolishDateAndTimeFormatsAndPolishTexts) {
  if (!UserLocaleIs(L"pl-PL")) GTEST_SKIP() << "the user locale is not pl-PL (run with LANG=pl_PL.UTF-8)";
  EXPECT_TRUE(SystemLanguageIsPolish());
  // 2026-12-08 12:00:00 UTC: the same day in every time zone within 11 hours of UTC.
  const DateTimeTexts texts = LocaleDateTimeTexts(1796731200);
  // Windows writes the day with two digits, Wine 8 (from the Unicode locale data) with one.
  EXPECT_TRUE(std::regex_match(texts.date, std::regex("0?8\\.12\\.2026"))) << texts.date;
  EXPECT_TRUE(std::regex_match(texts.time, std::regex("[0-9]{1,2}:[0-9]{2}:[0-9]{2}"))) << texts.time;
}

TEST(LocaleWin32, AnEnglishUserGetsNoPolish) {
  if (!UserLocaleIs(L"en-US")) GTEST_SKIP() << "the user locale is not en-US (run with LANG=en_US.UTF-8)";
  EXPECT_FALSE(SystemLanguageIsPolish());
  const DateTimeTexts texts = LocaleDateTimeTexts(1796731200);
  EXPECT_EQ(texts.date, "12/8/2026");
  EXPECT_TRUE(std::regex_match(texts.time, std::regex("[0-9]{1,2}:[0-9]{2}:[0-9]{2} (AM|PM)"))) << texts.time;
}

}  // namespace

}  // namespace vardeno
