#include "encoder/ArgumentBuilder.h"

#include <cmath>
#include <limits>

#include "base/StringUtil.h"
#include "base/NumberText.h"
#include "encoder/OutputFormat.h"
#include "encoder/Presets.h"
#include "texts/EncoderTexts.h"

namespace vardeno {

namespace {
constexpr int kFirstAudioOnlyFormat = 8;

const OutputFormat* SelectedFormat(const EncoderSettings& settings) {
  if (!IsValidOutputFormat(settings.OutputFormat)) return nullptr;
  return &OutputFormats()[static_cast<size_t>(settings.OutputFormat)];
}

bool FormatHasPicture(const EncoderSettings& settings) {
  return settings.OutputFormat < kFirstAudioOnlyFormat;
}

std::string Refuse(WarningSink& warnings, const LangText& head, const LangText& tail,
                   const std::string& value, UiLanguage lang) {
  warnings.ShowWarning(head(lang) + value + tail(lang));
  return kRefusedPiece;
}

bool IsAuto(const std::string& entry) { return ToUpperAscii(Trim(entry)) == "AUTO"; }

std::int64_t Seconds(std::int64_t hours, std::int64_t minutes, std::int64_t seconds) {
  return hours * 3600 + minutes * 60 + seconds;
}

std::string Option(const char* name, const std::string& value) {
  return std::string(" ") + name + " " + value;
}
}  // namespace

std::string GetExt(const EncoderSettings& settings, bool withDot) {
  const OutputFormat* format = SelectedFormat(settings);
  const std::string ext = format ? format->Extension : "wmv";
  return withDot ? "." + ext : ext;
}

std::int64_t GetTimeLimitD(const EncoderSettings& s) {
  return s.TimeLimitDuration ? Seconds(s.TimeLimitDH, s.TimeLimitDM, s.TimeLimitDS) : -1;
}

std::int64_t GetTimeLimitS(const EncoderSettings& s) {
  return s.TimeLimitStart ? Seconds(s.TimeLimitSH, s.TimeLimitSM, s.TimeLimitSS) : -1;
}

std::string GetVideoCodecStr(const EncoderSettings& settings) {
  const OutputFormat* format = SelectedFormat(settings);
  return format ? format->VideoCodecArg : "-vn";
}

std::string GetVideoParamsStr(const EncoderSettings& settings, UiLanguage lang, WarningSink& warnings) {
  if (!FormatHasPicture(settings)) return {};
  if (!IsWholeNumber(settings.VideoBitrate))
    return Refuse(warnings, kVideoBitrateWarningHead, kVideoBitrateWarningTail, settings.VideoBitrate, lang);
  std::string result = Option("-b", settings.VideoBitrate + "k");
  if (!IsRealNumber(settings.VideoFPS))
    return Refuse(warnings, kFrameRateWarningHead, kFrameRateWarningTail, settings.VideoFPS, lang);
  return result + Option("-r", settings.VideoFPS);
}

std::string GetAudioCodecStr(const EncoderSettings& settings) {
  const OutputFormat* format = SelectedFormat(settings);
  if (!format) return {};
  if (settings.DoNotCopyAudio && format->HasVideo) return "-an";
  return format->AudioCodecArg;
}

std::string GetAudioParamsStr(const EncoderSettings& settings, UiLanguage lang, WarningSink& warnings) {
  if (settings.DoNotCopyAudio) return {};
  std::string result;

  const std::string bitrate = EntryOrEmpty(AudioBitratePresets(), settings.AudioBitrate);
  if (IsAuto(bitrate)) {
    result += Option("-ab", "96k");
  } else if (!IsRealNumber(bitrate)) {
    return Refuse(warnings, kAudioBitrateWarningHead, kAudioBitrateWarningTail, bitrate, lang);
  } else {
    result += Option("-ab", bitrate + "k");
  }

  const std::string sampling = EntryOrEmpty(AudioSamplingPresets(), settings.AudioSampling);
  if (IsAuto(sampling)) {
    result += Option("-ar", "44100");
  } else if (!IsWholeNumber(sampling)) {
    return Refuse(warnings, kSamplingWarningHead, kSamplingWarningTail, sampling, lang);
  } else {
    result += Option("-ar", sampling);
  }

  result += Option("-ac", "2");
  if (settings.Volume != 100) {
    const auto encoderVolume = static_cast<long long>(RoundHalfEven(settings.Volume * 256.0 / 100.0));
    result += Option("-vol", std::to_string(encoderVolume));
  }
  return result;
}

std::optional<std::int64_t> GetSizeLimitBytes(const EncoderSettings& settings) {
  const std::string withoutBlanks = ReplaceAll(Trim(settings.SizeLimitValue), " ", "");
  const std::optional<double> value = TryParseDecimal(withoutBlanks);
  if (!value) return std::nullopt;
  const double unit = settings.SizeLimitUnit == SizeUnit::KB ? 1024.0 : 1024.0 * 1024.0;
  const double bytes = RoundHalfEven(*value * unit);
  // Beyond the 64-bit range there is no size the encoder could take.
  if (!(std::fabs(bytes) < 9.2e18)) return std::nullopt;
  return static_cast<std::int64_t>(bytes);
}

std::string GetAdvancedParamsStr(const EncoderSettings& settings, const ResolutionList& resolutions) {
  std::string result;
  if (settings.SizeLimit) {
    if (const auto bytes = GetSizeLimitBytes(settings)) result += Option("-fs", std::to_string(*bytes));
  }
  if (settings.TimeLimitDuration && GetTimeLimitD(settings) > 0)
    result += Option("-t", std::to_string(GetTimeLimitD(settings)));
  if (settings.TimeLimitStart && GetTimeLimitS(settings) > 0)
    result += Option("-ss", std::to_string(GetTimeLimitS(settings)));

  if (const auto size = OutputSize(settings, resolutions))
    result += Option("-s", std::to_string(size->width) + "x" + std::to_string(size->height));

  const std::pair<const char*, int> crops[] = {{"-croptop", settings.CropTop},
                                               {"-cropbottom", settings.CropBottom},
                                               {"-cropleft", settings.CropLeft},
                                               {"-cropright", settings.CropRight}};
  for (const auto& [option, pixels] : crops) {
    if (pixels != 0) result += Option(option, std::to_string(pixels));
  }
  return result;
}

std::optional<Resolution> OutputSize(const EncoderSettings& settings, const ResolutionList& resolutions) {
  if (settings.Resolution == kResolutionCustom) return Resolution{settings.ResWidth, settings.ResHeight};
  if (settings.Resolution > kResolutionCustom) {
    const std::string entry = resolutions.EntryText(settings.Resolution);
    if (!entry.empty()) return ParseResolution(entry);
  }
  return std::nullopt;
}

std::string GetAdditionalParamsStr(const EncoderSettings& settings) {
  std::string result;
  for (const std::string& line : settings.AdditionalParams) result += " " + line;
  return result;
}

Resolution ParseResolution(const std::string& entryText) {
  Resolution size;
  std::string text = ToLowerAscii(ReplaceAll(entryText, " ", ""));
  if (const size_t dash = text.find('-'); dash != std::string::npos) text.resize(dash);
  const size_t x = text.find('x');
  if (x == std::string::npos) return size;
  const std::string width = text.substr(0, x);
  const std::string height = text.substr(x + 1);
  if (IsWholeNumber(width)) size.width = std::stoi(width);
  if (IsWholeNumber(height)) size.height = std::stoi(height);
  return size;
}

std::optional<ArgumentPieces> BuildArgumentPieces(const EncoderSettings& settings,
                                                  const ResolutionList& resolutions, UiLanguage lang,
                                                  WarningSink& warnings) {
  ArgumentPieces pieces;
  pieces.videoCodec = Trim(GetVideoCodecStr(settings));
  pieces.videoParams = Trim(GetVideoParamsStr(settings, lang, warnings));
  if (pieces.videoParams == kRefusedPiece) return std::nullopt;
  pieces.audioCodec = Trim(GetAudioCodecStr(settings));
  pieces.audioParams = Trim(GetAudioParamsStr(settings, lang, warnings));
  if (pieces.audioParams == kRefusedPiece) return std::nullopt;
  pieces.advanced = Trim(GetAdvancedParamsStr(settings, resolutions));
  if (pieces.advanced == kRefusedPiece) return std::nullopt;
  pieces.additional = Trim(GetAdditionalParamsStr(settings));
  return pieces;
}

}  // namespace vardeno
