// Today's date and the time as the user's locale writes them (its short date and long time
// formats), without changing the locale of the process.
#pragma once

#include <ctime>
#include <string>

namespace vardeno {

struct DateTimeTexts {
  std::string date;
  std::string time;
};

// The moment when in the formats of the user's locale (LC_ALL, LC_TIME or LANG; the "C" locale
// when those name none that exists; on Windows the user's default locale). The texts are UTF-8:
// bytes of another encoding become "?".
DateTimeTexts LocaleDateTimeTexts(std::time_t when);

}  // namespace vardeno
