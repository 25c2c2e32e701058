// Windows: the user's short date format (GetDateFormatEx, DATE_SHORTDATE) and long time format
// (GetTimeFormatEx with no flags) of the user's default locale, in local time.
#include "platform/LocaleTime.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace vardeno {

namespace {

// The moment as local SYSTEMTIME. time_t counts seconds from 1970; FILETIME counts 100 ns
// intervals from 1601.
bool LocalSystemTime(std::time_t when, SYSTEMTIME& local) {
  const unsigned long long ticks = (static_cast<unsigned long long>(when) + 11644473600ULL) * 10000000ULL;
  FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME utcTime;
  return FileTimeToSystemTime(&utc, &utcTime) && SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &local);
}

std::string DateText(const SYSTEMTIME& moment) {
  const int length = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &moment, nullptr, nullptr, 0, nullptr);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length), L'\0');
  GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &moment, nullptr, text.data(), length, nullptr);
  text.resize(static_cast<size_t>(length - 1));  // the count includes the terminating null
  return Narrow(text);
}

std::string TimeText(const SYSTEMTIME& moment) {
  const int length = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &moment, nullptr, nullptr, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length), L'\0');
  GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &moment, nullptr, text.data(), length);
  text.resize(static_cast<size_t>(length - 1));
  return Narrow(text);
}

}  // namespace

DateTimeTexts LocaleDateTimeTexts(std::time_t when) {
  SYSTEMTIME moment;
  if (!LocalSystemTime(when, moment)) return {};
  return {DateText(moment), TimeText(moment)};
}

}  // namespace vardeno
