#include "encoder/PictureChain.h"

#include <vector>

#include "encoder/FilterGraphText.h"
#include "encoder/OutputFormat.h"

namespace vardeno {

namespace {
std::string JoinFilters(const std::vector<std::string>& filters) {
  std::string chain;
  for (const std::string& filter : filters) chain += (chain.empty() ? "" : ",") + filter;
  return chain;
}
}  // namespace

bool BurnsSubtitles(const EncoderSettings& settings, EncoderGeneration generation) {
  return settings.Subtitles != static_cast<int>(SubtitleMode::None) && generation == EncoderGeneration::Modern &&
         HasVideo(settings.OutputFormat);
}

bool IsPictureSubtitleCodec(const std::string& codec) {
  return codec == "dvd_subtitle" || codec == "hdmv_pgs_subtitle" || codec == "dvb_subtitle" || codec == "xsub";
}

bool IsStyledSubtitleCodec(const std::string& codec) { return codec == "ass" || codec == "ssa"; }

std::string CropFilter(long long top, long long bottom, long long left, long long right) {
  const std::string T = std::to_string(top), B = std::to_string(bottom);
  const std::string L = std::to_string(left), R = std::to_string(right);
  return "crop=iw-(" + L + "+" + R + "):ih-(" + T + "+" + B + "):" + L + ":" + T;
}

PictureFilter BuildPictureFilter(const EncoderSettings& settings, const ResolutionList& resolutions,
                                 EncoderGeneration generation, const SubtitleSource& subtitles) {
  if (!BurnsSubtitles(settings, generation)) return {};
  return PictureChainFilter(settings, resolutions, subtitles);
}

PictureFilter PictureChainFilter(const EncoderSettings& settings, const ResolutionList& resolutions,
                                 const SubtitleSource& subtitles) {
  std::vector<std::string> chain;
  const bool picture = subtitles.kind == SubtitleSource::Kind::PictureTrack;
  if (picture) chain.push_back("[0:v][0:s:" + std::to_string(subtitles.track) + "]overlay");
  if (settings.CropTop != 0 || settings.CropBottom != 0 || settings.CropLeft != 0 || settings.CropRight != 0)
    chain.push_back(CropFilter(settings.CropTop, settings.CropBottom, settings.CropLeft, settings.CropRight));
  if (const auto size = OutputSize(settings, resolutions))
    chain.push_back("scale=" + std::to_string(size->width) + ":" + std::to_string(size->height));
  if (picture) return {"-filter_complex", JoinFilters(chain)};
  if (subtitles.kind == SubtitleSource::Kind::None)
    return chain.empty() ? PictureFilter{} : PictureFilter{"-vf", JoinFilters(chain)};

  std::string text = "subtitles=filename=" + FilterGraphValue(subtitles.path);
  if (subtitles.kind == SubtitleSource::Kind::TextTrack) text += ":si=" + std::to_string(subtitles.track);
  if (!subtitles.ownStyles) text += ":force_style=FontSize=" + std::to_string(kSubtitleFontSize);
  chain.push_back(text);
  return {"-vf", JoinFilters(chain)};
}

}  // namespace vardeno
