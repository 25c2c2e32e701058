#include "encoder/GenerationAdapter.h"

#include <charconv>
#include <sstream>
#include <vector>

#include "base/StringUtil.h"
#include "encoder/PictureChain.h"

namespace vardeno {

namespace {
std::vector<std::string> SplitOnBlanks(const std::string& piece) {
  std::vector<std::string> words;
  std::istringstream in(piece);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::string JoinWords(const std::vector<std::string>& words) {
  std::string result;
  for (const std::string& word : words) result += (result.empty() ? "" : " ") + word;
  return result;
}

// N/256 written exactly (a multiple of 1/256 always has a short exact decimal form).
std::string VolumeFactor(const std::string& classicVolume) {
  long long volume = 0;
  const auto result = std::from_chars(classicVolume.data(), classicVolume.data() + classicVolume.size(), volume);
  if (result.ec != std::errc() || result.ptr != classicVolume.data() + classicVolume.size())
    return classicVolume + "/256";
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(volume) / 256.0);
  return std::string(buffer, written.ptr);
}

// Rewrites a parameter piece option by option ("-option value" pairs).
std::string AdaptParameters(const std::string& piece, bool cropInPictureFilter) {
  const std::vector<std::string> words = SplitOnBlanks(piece);
  std::vector<std::string> out;
  long long crop[4] = {0, 0, 0, 0};  // top, bottom, left, right
  size_t cropPosition = std::string::npos;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& option = words[i];
    const bool hasValue = i + 1 < words.size();
    const std::string value = hasValue ? words[i + 1] : "";
    static const char* const kCropOptions[] = {"-croptop", "-cropbottom", "-cropleft", "-cropright"};
    int cropIndex = -1;
    for (int c = 0; c < 4; ++c)
      if (option == kCropOptions[c]) cropIndex = c;
    if (cropIndex >= 0 && hasValue) {
      crop[cropIndex] = std::stoll(value);
      if (cropPosition == std::string::npos) cropPosition = out.size();
      ++i;
    } else if (option == "-b" && hasValue) {
      out.insert(out.end(), {"-b:v", value});
      ++i;
    } else if (option == "-ab" && hasValue) {
      out.insert(out.end(), {"-b:a", value});
      ++i;
    } else if (option == "-r" && hasValue) {
      out.insert(out.end(), {"-r", ReplaceAll(value, ",", ".")});
      ++i;
    } else if (option == "-vol" && hasValue) {
      out.insert(out.end(), {"-af", "volume=" + VolumeFactor(value)});
      ++i;
    } else {
      out.push_back(option);
    }
  }
  if (cropPosition != std::string::npos && !cropInPictureFilter) {
    const std::string filter = CropFilter(crop[0], crop[1], crop[2], crop[3]);
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(cropPosition), {"-vf", filter});
  }
  return JoinWords(out);
}
}  // namespace

ArgumentPieces AdaptPieces(const ArgumentPieces& classic, EncoderGeneration generation, bool cropInPictureFilter) {
  if (generation == EncoderGeneration::Classic) return classic;
  ArgumentPieces modern = classic;
  // The 2009 encoder's libx264 defaults (no CABAC, no B-frames, no 8x8 transform, 8-bit 4:2:0)
  // gave H.264 Baseline, which the players decode; today's defaults give High profile (High
  // 4:2:2 10-bit from such an input), which they do not.
  if (classic.videoCodec == "-vcodec libx264") modern.videoCodec = "-vcodec libx264 -profile:v baseline -pix_fmt yuv420p";
  if (classic.audioCodec == "-acodec libfaac") modern.audioCodec = "-acodec aac";
  modern.videoParams = AdaptParameters(classic.videoParams, cropInPictureFilter);
  modern.audioParams = AdaptParameters(classic.audioParams, cropInPictureFilter);
  modern.advanced = AdaptParameters(classic.advanced, cropInPictureFilter);
  return modern;
}

}  // namespace vardeno
