// The two interface languages and a text that exists in both.
#pragma once

#include <cstdint>
#include <string>

namespace vardeno {

enum class UiLanguage : std::uint8_t { English = 0, Polish = 1 };

// Anything but 1 means English, as stored settings and language arguments are read.
inline UiLanguage LanguageFromNumber(int value) {
  return value == 1 ? UiLanguage::Polish : UiLanguage::English;
}

// One text of the program in both languages (UTF-8), chosen when it is produced.
struct LangText {
  const char* en;
  const char* pl;
  std::string operator()(UiLanguage lang) const { return lang == UiLanguage::Polish ? pl : en; }
};

}  // namespace vardeno
