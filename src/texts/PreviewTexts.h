// Texts the frame preview's core reports to its window.
#pragma once

#include "texts/Language.h"

namespace vardeno {

inline constexpr LangText kPreviewAudioOnlyFormat{
    "The chosen output format is sound only: the output has no picture.",
    "Wybrany format wyjściowy zawiera tylko dźwięk: plik wynikowy nie ma obrazu."};
inline constexpr LangText kPreviewNoPictureInFile{"This file has no picture (sound only).",
                                                  "Ten plik nie ma obrazu (tylko dźwięk)."};
// Followed by the encoder's last line.
inline constexpr LangText kPreviewCannotRead{"The encoder cannot read this file: ",
                                             "Koder nie potrafi odczytać tego pliku: "};
inline constexpr LangText kPreviewNoEncoder{"No encoder program (FFmpeg) was found.",
                                            "Nie znaleziono programu kodującego (FFmpeg)."};
inline constexpr LangText kPreviewTimedOut{"The encoder did not finish the frame in time.",
                                           "Koder nie zdążył przygotować klatki."};

}  // namespace vardeno
