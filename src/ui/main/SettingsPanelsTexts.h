// Texts of the three settings columns of the main window's bottom panel, in both languages.
// Texts that are the same in both languages (units, "FPS :", "INFO") are plain literals.
#pragma once

#include "texts/Language.h"

namespace vardeno {

// Format and video column.
inline constexpr LangText kOutputFormatCaption{"Output file format / Video settings", "Format wyjściowy / Ustawienia video"};
inline constexpr LangText kOutputFormatGroup{"Output format", "Format wyjściowy"};
inline constexpr LangText kPlayerLabel{"&Player:", "&Odtwarzacz:"};
inline constexpr LangText kVideoOptionsGroup{"Video options", "Ustawienia video"};
inline constexpr char kBitrateLabel[] = "Bitrate :";
inline constexpr char kKbpsLabel[] = "kbit/s";
inline constexpr char kFpsLabel[] = "FPS :";

// Audio column.
inline constexpr LangText kAudioSettingsCaption{"Audio settings", "Ustawienia audio"};
inline constexpr LangText kAudioOptionsGroup{"Audio settings", "Ustawienia audio"};
inline constexpr LangText kSamplingLabel{"Sampling freq. :", "Częst. próbk. :"};
inline constexpr char kHzLabel[] = "Hz";
inline constexpr LangText kVolumeLabel{"Volume :", "Głośność :"};
inline constexpr LangText kDontCopyAudio{"Do not copy audio stream", "Nie kopiuj strumienia audio"};

// Advanced column.
inline constexpr LangText kAdvancedSettingsCaption{"Advanced settings", "Ustawienia zaawansowane"};
inline constexpr LangText kCroppingGroup{"Cropping", "Obcinanie obrazu"};
inline constexpr LangText kCropTopLabel{"Top :", "Od góry :"};
inline constexpr LangText kCropBottomLabel{"Bottom :", "Od dołu :"};
inline constexpr LangText kCropLeftLabel{"Left :", "Z lewej :"};
inline constexpr LangText kCropRightLabel{"Right :", "Z prawej :"};
inline constexpr LangText kResolutionGroup{"Resolution", "Rozdzielczość"};
inline constexpr LangText kResWidthLabel{"Width :", "Szerokość :"};
inline constexpr LangText kResHeightLabel{"Height :", "Wysokość :"};
inline constexpr char kResXLabel[] = "x";
inline constexpr LangText kSizeLimitCheck{"Output file size limit :", "Limit wielkości pliku :"};
inline constexpr LangText kTimeLimitsGroup{"Time limits", "Limity czasowe"};
inline constexpr LangText kDurationCheck{"Duration :", "Czas trwania :"};
inline constexpr LangText kStartOffsetCheck{"Start time offset :", "Pozycja startowa :"};
inline constexpr LangText kHoursLabel{"Hours :", "Godziny :"};
inline constexpr LangText kMinutesLabel{"Min. :", "Min. :"};
inline constexpr LangText kSecondsLabel{"Sec. :", "Sek. :"};
inline constexpr LangText kParamsGroup{"Additional FFmpeg command-line parameters :",
                                       "Dodatkowe parametry linii poleceń kodera FFmpeg :"};
inline constexpr char kInfoButton[] = "INFO";

}  // namespace vardeno
