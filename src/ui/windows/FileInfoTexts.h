// Texts of the file information window, in both languages. "&&" shows a single "&" in a label
// that has a buddy.
#pragma once

#include "texts/Language.h"

namespace vardeno {

inline constexpr LangText kFileInfoCaption{"Video file properties", "Właściwości pliku video"};
inline constexpr LangText kFileNameDesc{"File name :", "Nazwa pliku :"};
inline constexpr LangText kDirectoryDesc{"Directory :", "Katalog :"};
inline constexpr LangText kFileSizeDesc{"File size :", "Rozmiar :"};
inline constexpr LangText kDurationDesc{"Duration :", "Czas :"};
inline constexpr LangText kFpsDesc{"FPS :", "FPS :"};
inline constexpr LangText kPlayerDesc{"Player :", "Odtwarzacz :"};
inline constexpr LangText kStreamsLabel{"Audio && Video Streams :", "Strumienie Audio && Video :"};
inline constexpr LangText kStreamColumn{"Stream", "Strumień"};
inline constexpr LangText kDetailsColumn{"Details", "Szczegóły"};
inline constexpr LangText kSaveAction{"Save...", "Zapisz..."};
inline constexpr LangText kCloseAction{"Close", "Zamknij"};
// Description and pattern, separated by "|".
inline constexpr LangText kInfoFileFilter{"Text files (*.TXT)|*.txt", "Pliki tekstowe (*.TXT)|*.txt"};

}  // namespace vardeno
