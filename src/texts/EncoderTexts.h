// Run-time texts of the encoder settings: the argument builders' warnings and list entries.
#pragma once

#include "texts/Language.h"

namespace vardeno {

// Each warning is followed by the refused value; the Polish texts name it after a line break.
inline constexpr LangText kVideoBitrateWarningHead{"Video bitrate: ", "Bitrate video musi być liczbą całkowitą!\r\nPodano: "};
inline constexpr LangText kVideoBitrateWarningTail{"\r\nBitrate must be a integer value!", ""};
inline constexpr LangText kFrameRateWarningHead{"Video FPS: ", "FPS musi być liczbą rzeczywistą!\r\nPodano: "};
inline constexpr LangText kFrameRateWarningTail{"\r\nFPS must be a float value!", ""};
inline constexpr LangText kAudioBitrateWarningHead{"Audio bitrate: ", "Bitrate audio musi być liczbą rzeczywistą!\r\nPodano: "};
inline constexpr LangText kAudioBitrateWarningTail{"\r\nBitrate must be a real number!", ""};
inline constexpr LangText kSamplingWarningHead{
    "Audio sampling frequency: ", "Częstotliwość próbkowania dźwięku musi być liczbą całkowitą!\r\nPodano: "};
inline constexpr LangText kSamplingWarningTail{"\r\nFrequency must be a integer value!", ""};

// Entry 1 of the resolution list.
inline constexpr LangText kCustomResolutionText{"Custom", "Własne"};

}  // namespace vardeno
