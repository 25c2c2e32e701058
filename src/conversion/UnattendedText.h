// The texts with numbers of an unattended run, in the language given: why the computer is kept
// awake, the error log line of a stalled encoder, how long the encoder has been silent, and how a
// run ended.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "texts/Language.h"

namespace vardeno {

// "Converting 37 files" ("Konwertowanie 37 plików").
std::string SleepLockReason(UiLanguage lang, std::int32_t fileCount);

// "The encoder printed nothing for 10 minutes and was ended." A limit that is not whole minutes
// (a test's) is said in seconds.
std::string StalledEncoderText(UiLanguage lang, std::chrono::seconds limit);

// "The encoder has printed nothing for 3 min 05 s".
std::string SilenceText(UiLanguage lang, std::chrono::seconds silent);

// "35 files converted, 2 failed", "37 files converted", or the abort's text.
std::string RunEndText(UiLanguage lang, std::int32_t fileCount, std::int32_t errorCount, bool aborted);

}  // namespace vardeno
