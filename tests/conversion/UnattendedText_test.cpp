// The texts with numbers of an unattended run, in both languages.
#include "conversion/UnattendedText.h"

#include <gtest/gtest.h>

namespace vardeno {

using namespace std::chrono_literals;

TEST(UnattendedText, CountsTakeTheirGrammaticalNumberInEitherLanguage) {
  EXPECT_EQ(SleepLockReason(UiLanguage::English, 37), "Converting 37 files");
  EXPECT_EQ(SleepLockReason(UiLanguage::English, 1), "Converting 1 file");
  EXPECT_EQ(SleepLockReason(UiLanguage::Polish, 37), "Konwertowanie 37 plików");
  EXPECT_EQ(SleepLockReason(UiLanguage::Polish, 1), "Konwertowanie 1 pliku");

  EXPECT_EQ(StalledEncoderText(UiLanguage::English, 10min), "The encoder printed nothing for 10 minutes and was ended.");
  EXPECT_EQ(StalledEncoderText(UiLanguage::English, 1min), "The encoder printed nothing for 1 minute and was ended.");
  EXPECT_EQ(StalledEncoderText(UiLanguage::English, 90s), "The encoder printed nothing for 90 seconds and was ended.");
  const std::pair<std::chrono::seconds, const char*> polish[] = {
      {1min, "1 minutę"}, {3min, "3 minuty"}, {5min, "5 minut"},     {12min, "12 minut"},
      {22min, "22 minuty"}, {2s, "2 sekundy"}, {1s, "1 sekundę"}, {115s, "115 sekund"}};
  for (const auto& [limit, span] : polish)
    EXPECT_EQ(StalledEncoderText(UiLanguage::Polish, limit),
              std::string("Koder nie wypisał niczego przez ") + span + " i został zakończony.");

  EXPECT_EQ(SilenceText(UiLanguage::English, 65s), "The encoder has printed nothing for 1 min 05 s");
  EXPECT_EQ(SilenceText(UiLanguage::Polish, 600s), "Koder nic nie wypisał od 10 min 00 s");

  EXPECT_EQ(RunEndText(UiLanguage::English, 37, 2, false), "35 files converted, 2 failed");
  EXPECT_EQ(RunEndText(UiLanguage::English, 2, 1, false), "1 file converted, 1 failed");
  EXPECT_EQ(RunEndText(UiLanguage::English, 20, 0, false), "20 files converted");
  EXPECT_EQ(RunEndText(UiLanguage::Polish, 37, 2, false), "Przekonwertowane pliki: 35, nieudane: 2");
  EXPECT_EQ(RunEndText(UiLanguage::English, 37, 1, true), "The conversion was aborted");
}

}  // namespace vardeno
