// The entries the setting lists offer. The same for every output format.
#pragma once

#include <string>
#include <vector>

namespace vardeno {

const std::vector<std::string>& VideoBitratePresets();   // "50", "100", ... "1500"
const std::vector<std::string>& FrameRatePresets();      // "12.5" ... "30"
const std::vector<std::string>& AudioBitratePresets();   // "Auto", "16", ... "320"
const std::vector<std::string>& AudioSamplingPresets();  // "Auto", "16000", ... "48000"
const std::vector<std::string>& SizeUnitNames();         // "KB", "MB"

inline constexpr int kDefaultVideoBitratePreset = 9;  // "500"
inline constexpr int kDefaultFrameRatePreset = 4;     // "25"

// The entry at index, or "" when index is outside the list (no selection).
std::string EntryOrEmpty(const std::vector<std::string>& list, int index);

}  // namespace vardeno
