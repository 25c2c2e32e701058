#include "platform/LocaleTime.h"

#include <langinfo.h>
#include <locale.h>

#include <string_view>

namespace vardeno {

namespace {

// The time formats of the locale the user's environment names, as a locale object of its own:
// the process locale (setlocale) is never touched.
class UserTimeLocale {
 public:
  UserTimeLocale() {
    locale_ = ::newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    if (!locale_) locale_ = ::newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(0));
  }
  ~UserTimeLocale() {
    if (locale_) ::freelocale(locale_);
  }
  UserTimeLocale(const UserTimeLocale&) = delete;
  UserTimeLocale& operator=(const UserTimeLocale&) = delete;

  std::string Format(const char* format, const std::tm& moment) const {
    char buffer[256];
    const size_t length = locale_ ? ::strftime_l(buffer, sizeof buffer, format, &moment, locale_)
                                  : ::strftime(buffer, sizeof buffer, format, &moment);
    return std::string(buffer, length);
  }

 private:
  locale_t locale_ = static_cast<locale_t>(0);
};

bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t extra = 0;
    if (lead < 0x80) extra = 0;
    else if (lead >= 0xC2 && lead <= 0xDF) extra = 1;
    else if (lead >= 0xE0 && lead <= 0xEF) extra = 2;
    else if (lead >= 0xF0 && lead <= 0xF4) extra = 3;
    else return false;
    if (i + extra >= text.size()) return false;
    for (size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

// A locale whose texts are in another encoding than UTF-8 would put bytes into the log that no
// reader can show; such bytes are replaced.
std::string AsUtf8(std::string text) {
  if (IsValidUtf8(text)) return text;
  for (char& c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) c = '?';
  }
  return text;
}

}  // namespace

DateTimeTexts LocaleDateTimeTexts(std::time_t when) {
  std::tm moment{};
  ::localtime_r(&when, &moment);
  const UserTimeLocale locale;
  return {AsUtf8(locale.Format("%x", moment)), AsUtf8(locale.Format("%X", moment))};
}

}  // namespace vardeno
