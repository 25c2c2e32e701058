#include "app/Profiles.h"

#include <algorithm>
#include <filesystem>

#include "base/FsPath.h"
#include "app/IniFile.h"
#include "base/StringUtil.h"
#include "encoder/OutputFormat.h"
#include "encoder/Presets.h"

namespace vardeno {

namespace {

constexpr const char* kMain = "MAIN";
constexpr const char* kVideo = "VIDEO";
constexpr const char* kAudio = "AUDIO";
constexpr const char* kAdvanced = "ADVANCED";

int IndexWithin(int value, size_t count) {
  return value >= 0 && static_cast<size_t>(value) < count ? value : -1;
}

int Clamp(int value, FieldRange range) { return std::clamp(value, range.min, range.max); }

}  // namespace

std::string JoinAdditionalParams(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines) joined.append(" ").append(line);
  return Trim(joined);
}

void WriteProfileValues(IniFile& ini, const EncoderSettings& s) {
  ini.WriteString(kMain, "AppName", "Vardeno");
  ini.WriteString(kMain, "AppVer", "1.1");
  ini.WriteString(kMain, "DisplayName", "");

  ini.WriteInteger(kVideo, "OutputFormat", s.OutputFormat);
  ini.WriteString(kVideo, "VideoBitrate", s.VideoBitrate);
  ini.WriteString(kVideo, "VideoFPS", s.VideoFPS);

  ini.WriteInteger(kAudio, "AudioBitrate", s.AudioBitrate);
  ini.WriteInteger(kAudio, "AudioSampling", s.AudioSampling);
  ini.WriteBool(kAudio, "DoNotCopyAudio", s.DoNotCopyAudio);
  ini.WriteInteger(kAudio, "Volume", s.Volume);

  ini.WriteInteger(kAdvanced, "Resolution", s.Resolution);
  ini.WriteInteger(kAdvanced, "ResWidth", s.ResWidth);
  ini.WriteInteger(kAdvanced, "ResHeight", s.ResHeight);
  ini.WriteInteger(kAdvanced, "CropTop", s.CropTop);
  ini.WriteInteger(kAdvanced, "CropBottom", s.CropBottom);
  ini.WriteInteger(kAdvanced, "CropLeft", s.CropLeft);
  ini.WriteInteger(kAdvanced, "CropRight", s.CropRight);
  ini.WriteBool(kAdvanced, "SizeLimit", s.SizeLimit);
  ini.WriteString(kAdvanced, "SizeLimitValue", s.SizeLimitValue);
  ini.WriteString(kAdvanced, "SizeLimitUnit", s.SizeLimitUnit == SizeUnit::KB ? "KB" : "MB");
  ini.WriteBool(kAdvanced, "TimeLimitDuration", s.TimeLimitDuration);
  ini.WriteInteger(kAdvanced, "TimeLimitDH", s.TimeLimitDH);
  ini.WriteInteger(kAdvanced, "TimeLimitDM", s.TimeLimitDM);
  ini.WriteInteger(kAdvanced, "TimeLimitDS", s.TimeLimitDS);
  ini.WriteBool(kAdvanced, "TimeLimitStart", s.TimeLimitStart);
  ini.WriteInteger(kAdvanced, "TimeLimitSH", s.TimeLimitSH);
  ini.WriteInteger(kAdvanced, "TimeLimitSM", s.TimeLimitSM);
  ini.WriteInteger(kAdvanced, "TimeLimitSS", s.TimeLimitSS);
  ini.WriteString(kAdvanced, "AdditionalParams", JoinAdditionalParams(s.AdditionalParams));
  ini.WriteInteger(kAdvanced, "Subtitles", s.Subtitles);
  ini.WriteInteger(kAdvanced, "SubtitleTrack", s.SubtitleTrack);
}

void SaveProfile(const std::string& path, const EncoderSettings& settings) {
  IniFile ini(path);
  WriteProfileValues(ini, settings);
  ini.Save();
}

bool LoadProfile(const std::string& path, EncoderSettings& settings, int resolutionCount) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(FsPath(path), ec)) return false;
  ReadProfileValues(IniFile(path), settings, resolutionCount);
  return true;
}

bool ApplyProfileValue(EncoderSettings& settings, std::string_view key, std::string_view value,
                       int resolutionCount) {
  static const std::pair<const char*, const char*> kKeys[] = {
      {kVideo, "OutputFormat"},      {kVideo, "VideoBitrate"},     {kVideo, "VideoFPS"},
      {kAudio, "AudioBitrate"},      {kAudio, "AudioSampling"},    {kAudio, "DoNotCopyAudio"},
      {kAudio, "Volume"},            {kAdvanced, "Resolution"},    {kAdvanced, "ResWidth"},
      {kAdvanced, "ResHeight"},      {kAdvanced, "CropTop"},       {kAdvanced, "CropBottom"},
      {kAdvanced, "CropLeft"},       {kAdvanced, "CropRight"},     {kAdvanced, "SizeLimit"},
      {kAdvanced, "SizeLimitValue"}, {kAdvanced, "SizeLimitUnit"}, {kAdvanced, "TimeLimitDuration"},
      {kAdvanced, "TimeLimitDH"},    {kAdvanced, "TimeLimitDM"},   {kAdvanced, "TimeLimitDS"},
      {kAdvanced, "TimeLimitStart"}, {kAdvanced, "TimeLimitSH"},   {kAdvanced, "TimeLimitSM"},
      {kAdvanced, "TimeLimitSS"},    {kAdvanced, "AdditionalParams"},
      {kAdvanced, "Subtitles"},      {kAdvanced, "SubtitleTrack"}};
  for (const auto& [section, name] : kKeys) {
    if (!EqualsIgnoreCase(name, key)) continue;
    // The current settings, stored as a profile in memory with the one value replaced, then read
    // back by the profile rules: every other field comes back unchanged.
    IniFile ini("");
    WriteProfileValues(ini, settings);
    ini.WriteString(section, name, value);
    ReadProfileValues(ini, settings, resolutionCount);
    return true;
  }
  return false;
}

void ReadProfileValues(const IniFile& ini, EncoderSettings& s, int resolutionCount) {

  s.OutputFormat = std::clamp(ini.ReadInteger(kVideo, "OutputFormat", s.OutputFormat), 0,
                              kOutputFormatCount - 1);
  s.VideoBitrate = ini.ReadString(kVideo, "VideoBitrate", s.VideoBitrate);
  s.VideoFPS = ini.ReadString(kVideo, "VideoFPS", s.VideoFPS);

  // The sampling rate comes before the bitrate, although the file lists the bitrate first.
  s.AudioSampling = IndexWithin(ini.ReadInteger(kAudio, "AudioSampling", s.AudioSampling),
                                AudioSamplingPresets().size());
  s.AudioBitrate = IndexWithin(ini.ReadInteger(kAudio, "AudioBitrate", s.AudioBitrate),
                               AudioBitratePresets().size());
  s.DoNotCopyAudio = ini.ReadBool(kAudio, "DoNotCopyAudio", s.DoNotCopyAudio);
  s.Volume = Clamp(ini.ReadInteger(kAudio, "Volume", s.Volume), kVolumeRange);

  s.Resolution = IndexWithin(ini.ReadInteger(kAdvanced, "Resolution", s.Resolution),
                             static_cast<size_t>(std::max(resolutionCount, 0)));
  s.ResWidth = Clamp(ini.ReadInteger(kAdvanced, "ResWidth", s.ResWidth), kResSizeRange);
  s.ResHeight = Clamp(ini.ReadInteger(kAdvanced, "ResHeight", s.ResHeight), kResSizeRange);
  s.CropTop = Clamp(ini.ReadInteger(kAdvanced, "CropTop", s.CropTop), kCropRange);
  s.CropBottom = Clamp(ini.ReadInteger(kAdvanced, "CropBottom", s.CropBottom), kCropRange);
  s.CropLeft = Clamp(ini.ReadInteger(kAdvanced, "CropLeft", s.CropLeft), kCropRange);
  s.CropRight = Clamp(ini.ReadInteger(kAdvanced, "CropRight", s.CropRight), kCropRange);
  s.SizeLimit = ini.ReadBool(kAdvanced, "SizeLimit", false);
  s.SizeLimitValue = ini.ReadString(kAdvanced, "SizeLimitValue", "");
  s.SizeLimitUnit =
      ToUpperAscii(ini.ReadString(kAdvanced, "SizeLimitUnit", "MB")) == "KB" ? SizeUnit::KB : SizeUnit::MB;
  s.TimeLimitDuration = ini.ReadBool(kAdvanced, "TimeLimitDuration", s.TimeLimitDuration);
  s.TimeLimitDH = Clamp(ini.ReadInteger(kAdvanced, "TimeLimitDH", s.TimeLimitDH), kHoursRange);
  s.TimeLimitDM = Clamp(ini.ReadInteger(kAdvanced, "TimeLimitDM", s.TimeLimitDM), kMinSecRange);
  s.TimeLimitDS = Clamp(ini.ReadInteger(kAdvanced, "TimeLimitDS", s.TimeLimitDS), kMinSecRange);
  s.TimeLimitStart = ini.ReadBool(kAdvanced, "TimeLimitStart", s.TimeLimitStart);
  s.TimeLimitSH = Clamp(ini.ReadInteger(kAdvanced, "TimeLimitSH", s.TimeLimitSH), kHoursRange);
  s.TimeLimitSM = Clamp(ini.ReadInteger(kAdvanced, "TimeLimitSM", s.TimeLimitSM), kMinSecRange);
  s.TimeLimitSS = Clamp(ini.ReadInteger(kAdvanced, "TimeLimitSS", s.TimeLimitSS), kMinSecRange);
  s.Subtitles = Clamp(ini.ReadInteger(kAdvanced, "Subtitles", s.Subtitles), kSubtitlesRange);
  s.SubtitleTrack = Clamp(ini.ReadInteger(kAdvanced, "SubtitleTrack", s.SubtitleTrack), kSubtitleTrackRange);
  // A missing key leaves the memo as it is; a stored value replaces it with one line.
  if (ini.HasKey(kAdvanced, "AdditionalParams")) {
    const std::string params = ini.ReadString(kAdvanced, "AdditionalParams", "");
    s.AdditionalParams.clear();
    if (!params.empty()) s.AdditionalParams.push_back(params);
  }
}

}  // namespace vardeno
