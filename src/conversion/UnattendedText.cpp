#include "conversion/UnattendedText.h"

#include <cstdio>

#include "texts/UnattendedTexts.h"

namespace vardeno {

namespace {
// The Polish form of a counted noun: 1 "minutę", 2-4 (not 12-14) "minuty", else "minut".
const char* PolishCount(long long n, const char* one, const char* few, const char* many) {
  if (n == 1) return one;
  const long long tens = n % 100, units = n % 10;
  return units >= 2 && units <= 4 && (tens < 12 || tens > 14) ? few : many;
}

std::string Counted(UiLanguage lang, long long n, const char* enOne, const char* enMany, const char* plOne,
                    const char* plFew, const char* plMany) {
  const char* word = lang == UiLanguage::Polish ? PolishCount(n, plOne, plFew, plMany) : (n == 1 ? enOne : enMany);
  return std::to_string(n) + " " + word;
}
}  // namespace

std::string SleepLockReason(UiLanguage lang, std::int32_t fileCount) {
  if (lang == UiLanguage::Polish)
    return "Konwertowanie " + std::to_string(fileCount) + (fileCount == 1 ? " pliku" : " plików");
  return "Converting " + std::to_string(fileCount) + (fileCount == 1 ? " file" : " files");
}

std::string StalledEncoderText(UiLanguage lang, std::chrono::seconds limit) {
  const long long s = limit.count();
  const std::string span = s % 60 == 0 ? Counted(lang, s / 60, "minute", "minutes", "minutę", "minuty", "minut")
                                       : Counted(lang, s, "second", "seconds", "sekundę", "sekundy", "sekund");
  if (lang == UiLanguage::Polish) return "Koder nie wypisał niczego przez " + span + " i został zakończony.";
  return "The encoder printed nothing for " + span + " and was ended.";
}

std::string SilenceText(UiLanguage lang, std::chrono::seconds silent) {
  char span[48];
  std::snprintf(span, sizeof span, "%lld min %02lld s", static_cast<long long>(silent.count() / 60),
                static_cast<long long>(silent.count() % 60));
  return kSilentFor(lang) + span;
}

std::string RunEndText(UiLanguage lang, std::int32_t fileCount, std::int32_t errorCount, bool aborted) {
  if (aborted) return kRunAbortedNotice(lang);
  const std::int32_t converted = fileCount - errorCount;
  if (lang == UiLanguage::Polish) {
    std::string text = "Przekonwertowane pliki: " + std::to_string(converted);
    if (errorCount > 0) text += ", nieudane: " + std::to_string(errorCount);
    return text;
  }
  std::string text = std::to_string(converted) + (converted == 1 ? " file converted" : " files converted");
  if (errorCount > 0) text += ", " + std::to_string(errorCount) + " failed";
  return text;
}

}  // namespace vardeno
