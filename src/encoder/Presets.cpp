#include "encoder/Presets.h"

namespace vardeno {

const std::vector<std::string>& VideoBitratePresets() {
  static const std::vector<std::string> list = [] {
    std::vector<std::string> entries;
    for (int n = 1; n <= 30; ++n) entries.push_back(std::to_string(50 * n));
    return entries;
  }();
  return list;
}

const std::vector<std::string>& FrameRatePresets() {
  static const std::vector<std::string> list = {"12.5", "14.985", "24", "23.976", "25", "29.97", "30"};
  return list;
}

const std::vector<std::string>& AudioBitratePresets() {
  static const std::vector<std::string> list = {"Auto", "16",  "24",  "32",  "40",  "48",
                                                "56",   "64",  "80",  "96",  "112", "128",
                                                "160",  "192", "224", "256", "320"};
  return list;
}

const std::vector<std::string>& AudioSamplingPresets() {
  static const std::vector<std::string> list = {"Auto", "16000", "22050", "24000", "32000", "44100", "48000"};
  return list;
}

const std::vector<std::string>& SizeUnitNames() {
  static const std::vector<std::string> list = {"KB", "MB"};
  return list;
}

std::string EntryOrEmpty(const std::vector<std::string>& list, int index) {
  if (index < 0 || static_cast<size_t>(index) >= list.size()) return {};
  return list[static_cast<size_t>(index)];
}

}  // namespace vardeno
