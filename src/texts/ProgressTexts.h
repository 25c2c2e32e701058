// Texts of the progress status line that the core builds while the encoder runs.
#pragma once

#include "texts/Language.h"

namespace vardeno {

inline constexpr LangText kSeekingStartText{"Seeking start position...",
                                            "Wyszukiwanie pozycji startowej..."};
inline constexpr LangText kConvertingFileText{"Converting file: ", "Konwertowanie pliku: "};
inline constexpr LangText kSpeedText{"Speed: ", "Szybkość: "};
inline constexpr LangText kFramesPerSecText{" frames/sec", " klatek/sek"};
inline constexpr LangText kFrameText{"Frame ", "Klatka "};
inline constexpr LangText kCompleteText{"Complete: ", "Zakończono: "};
// Between the parts of the full status line, the same in both languages.
inline constexpr const char* kStatusSeparator = "  ::::  ";

}  // namespace vardeno
