// The about window's texts in both languages (UTF-8) and the addresses its links open.
#pragma once

#include "texts/Language.h"

namespace vardeno {

namespace AboutTexts {
inline constexpr LangText Caption{"About", "O programie"};
inline constexpr const char* ProgramName = "Vardeno";
inline constexpr LangText Version{"Version ", "Wersja "};  // followed by the version number
inline constexpr LangText Date{"January 9, 2009", "9 styczeń 2009"};
inline constexpr const char* Author = "© 2026 The Vardeno developers";
inline constexpr LangText EncoderMissing{"FFmpeg not found", "Nie znaleziono kodera FFmpeg"};
inline constexpr LangText EncoderVersionUnknown{"FFmpeg (version unknown)", "FFmpeg (wersja nieznana)"};
inline constexpr LangText ClassicArguments{"given classic command-line parameters (2009 build)",
                                           "otrzymuje klasyczne parametry linii poleceń (wersja z 2009)"};
inline constexpr LangText ModernArguments{"given modern command-line parameters",
                                          "otrzymuje współczesne parametry linii poleceń"};
inline constexpr LangText FreeDesc{"User interface built with", "Interfejs użytkownika zbudowany z użyciem"};
inline constexpr const char* CreditLink = "Qt";

inline constexpr const char* FFmpegAddress = "https://ffmpeg.org/";
inline constexpr const char* CreditAddress = "https://www.qt.io/";
}  // namespace AboutTexts

}  // namespace vardeno
