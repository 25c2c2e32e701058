// Reading the encoder's information lines into a MediaProbe, for both encoder generations.
#include <algorithm>

#include "base/NumberText.h"
#include "base/StringUtil.h"
#include "probe/Probe.h"

namespace vardeno {

namespace {
constexpr std::string_view kDurationMark = "Duration:";
constexpr std::string_view kStartMark = "start:";
constexpr std::string_view kStreamMark = "Stream #";
constexpr std::string_view kVideoMark = "Video:";
constexpr std::string_view kAudioMark = "Audio:";
constexpr std::string_view kInputMark = "Input #";
constexpr std::string_view kFromMark = ", from '";

std::string After(std::string_view text, size_t position) { return std::string(text.substr(position)); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A comma that separates parts. A comma between two digits ("29,97", "00:01:23,45") is a
// decimal mark, which every number of this output may use, and separates nothing.
bool IsSeparator(std::string_view text, size_t at) {
  return text[at] == ',' && !(at > 0 && at + 1 < text.size() && IsDigit(text[at - 1]) && IsDigit(text[at + 1]));
}

size_t FindSeparator(std::string_view text) {
  for (size_t at = 0; at < text.size(); ++at)
    if (IsSeparator(text, at)) return at;
  return std::string_view::npos;
}

size_t FindLastSeparator(std::string_view text) {
  for (size_t at = text.size(); at-- > 0;)
    if (IsSeparator(text, at)) return at;
  return std::string_view::npos;
}

std::optional<double> ParseNumberText(std::string_view text) { return TryParseDecimal(Trim(text)); }

// A broken or wrapped encoder may print any number where the rate stands; only a positive one is
// a rate (anything else would make the frame count, and the progress read from it, negative).
bool IsFrameRate(double value) { return value > 0; }

// The "Duration: <time>, start: <seconds>, bitrate: ..." line. Shortens text the way the later
// steps of the line expect it. The classic encoder's duration has the start time taken off; a
// modern encoder prints the playing time itself, so there it stays as printed.
void ReadDuration(std::string& text, EncoderGeneration generation, MediaProbe& probe) {
  const size_t mark = text.find(kDurationMark);
  if (mark == std::string::npos) return;
  text = After(text, mark + kDurationMark.size());
  const size_t comma = FindSeparator(text);
  if (comma == std::string::npos) return;

  const std::string durationText = Trim(std::string_view(text).substr(0, comma));
  probe.DurationText = CutText(durationText, kProbeShortTextMax);
  probe.DurationExact = ParseTimeText(durationText);
  const bool classic = generation == EncoderGeneration::Classic;
  double duration = classic ? probe.DurationExact : std::max(probe.DurationExact, 0.0);
  // Never below 0, also when the line ends before its start time.
  probe.Duration = RoundToInt32(std::max(duration, 0.0));

  text = After(text, comma + 1);
  const size_t startMark = text.find(kStartMark);
  if (startMark == std::string::npos) return;
  text = Trim(std::string_view(text).substr(startMark + kStartMark.size()));
  const size_t startComma = FindSeparator(text);
  if (startComma == std::string::npos) return;
  if (const auto start = ParseNumberText(std::string_view(text).substr(0, startComma))) {
    probe.StartTime = RoundToInt32(*start);
    if (classic) duration -= *start;
  }
  probe.Duration = RoundToInt32(std::max(duration, 0.0));
}

void StoreStreamLine(const std::string& text, size_t streamNumber, MediaProbe& probe) {
  if (streamNumber >= kMaxProbeStreams) return;
  probe.Streams[streamNumber].Present = true;
  probe.Streams[streamNumber].Text = CutText(Trim(text), kStreamTextMax);
}

size_t SkipDigits(std::string_view text, size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

// Where the stream's description starts in a modern stream line ("  Stream #0:1[0x2](und): Audio:
// aac ..." gives the position after "(und):"); npos when the line is no stream line, such as
// "Guessed Channel Layout for Input Stream #0.0 : mono" or "Stream #0:0 -> #0:0 (copy)".
size_t ModernStreamDescription(std::string_view line) {
  for (size_t mark = line.find(kStreamMark); mark != std::string_view::npos;
       mark = line.find(kStreamMark, mark + 1)) {
    size_t at = mark + kStreamMark.size();
    const size_t fileEnd = SkipDigits(line, at);
    if (fileEnd == at || fileEnd >= line.size() || line[fileEnd] != ':') continue;
    at = SkipDigits(line, fileEnd + 1);
    if (at == fileEnd + 1) continue;
    // Optional "[0x1]" (stream id) and "(und)" (language) before the ":".
    while (at < line.size() && (line[at] == '[' || line[at] == '(')) {
      const size_t close = line.find(line[at] == '[' ? ']' : ')', at);
      if (close == std::string_view::npos) break;
      at = close + 1;
    }
    if (at < line.size() && line[at] == ':') return at + 1;
  }
  return std::string_view::npos;
}

// The comma-separated parts of a description, commas inside brackets not counting
// ("yuv420p(tv, progressive)" stays one part), each trimmed.
std::vector<std::string> SplitParts(std::string_view text) {
  std::vector<std::string> parts;
  int depth = 0;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    const char c = i < text.size() ? text[i] : ',';
    if (c == '(' || c == '[') ++depth;
    if ((c == ')' || c == ']') && depth > 0) --depth;
    if (i == text.size() || (depth == 0 && IsSeparator(text, i))) {
      parts.push_back(Trim(text.substr(start, i - start)));
      start = i + 1;
    }
  }
  return parts;
}

std::string FirstWord(std::string_view text) { return std::string(text.substr(0, text.find(' '))); }

// "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from '/films/clip.mp4':": the format names before ", from '"
// (the first one: a file name may hold that text too).
void ReadContainer(std::string_view line, MediaProbe& probe) {
  const size_t mark = line.find(kInputMark);
  if (mark == std::string_view::npos) return;
  size_t at = SkipDigits(line, mark + kInputMark.size());
  if (at == mark + kInputMark.size() || line.substr(at, 2) != ", ") return;
  at += 2;
  const size_t from = line.find(kFromMark, at);
  if (from == std::string_view::npos) return;
  probe.Container = CutText(Trim(line.substr(at, from - at)), kProbeLongTextMax);
}

// The profile in a codec part: "h264 (Baseline) (avc1 / 0x31637661)" gives "Baseline"; a
// bracket holding a codec tag ("wmv2 (WMV2 / 0x32564D57)") is no profile.
std::string ProfileOf(std::string_view codecPart) {
  const size_t open = codecPart.find('(');
  if (open == std::string_view::npos) return {};
  const size_t close = codecPart.find(')', open);
  if (close == std::string_view::npos) return {};
  const std::string_view inside = codecPart.substr(open + 1, close - open - 1);
  if (inside.find('/') != std::string_view::npos) return {};
  return CutText(Trim(inside), kProbeLongTextMax);
}

// A part that is a number followed by unit ("96 kb/s", "96 kb/s (default)", "44100 Hz"): the
// number, rounded; nullopt for any other part.
std::optional<std::int32_t> NumberWithUnit(std::string_view part, std::string_view unit) {
  const size_t at = part.find(unit);
  if (at == std::string_view::npos || at == 0) return std::nullopt;
  const size_t end = at + unit.size();
  if (end < part.size() && part[end] != ' ') return std::nullopt;
  const auto value = TryParseDecimal(Trim(part.substr(0, at)));
  if (!value || !(*value >= 0 && *value < 2e9)) return std::nullopt;
  return RoundToInt32(*value);
}

std::optional<std::int32_t> BitrateOf(const std::vector<std::string>& parts) {
  for (size_t i = 1; i < parts.size(); ++i)
    if (const auto kbps = NumberWithUnit(parts[i], " kb/s")) return kbps;
  return std::nullopt;
}

// Channels of a layout as the encoder names it: "mono", "stereo", "3 channels", "5.1(side)".
std::int32_t ChannelsOf(std::string_view layout) {
  if (layout == "mono") return 1;
  if (layout == "stereo" || layout == "downmix") return 2;
  if (layout == "quad" || StartsWith(layout, "quad(")) return 4;
  if (const auto count = NumberWithUnit(layout, " channels")) return *count;
  // "N.M" or "N.M(...)": N full-range channels and M low-frequency ones.
  if (layout.size() >= 3 && IsDigit(layout[0]) && layout[1] == '.' && IsDigit(layout[2]) &&
      (layout.size() == 3 || layout[3] == '('))
    return (layout[0] - '0') + (layout[2] - '0');
  return 0;
}

// "Duration: 00:00:02.00, start: 0.000000, bitrate: 293 kb/s": the whole file's bit rate.
void ReadTotalBitrate(std::string_view line, MediaProbe& probe) {
  if (line.find(kDurationMark) == std::string_view::npos) return;
  constexpr std::string_view kBitrateMark = "bitrate:";
  const size_t mark = line.rfind(kBitrateMark);
  if (mark == std::string_view::npos) return;
  if (const auto kbps = NumberWithUnit(Trim(line.substr(mark + kBitrateMark.size())), " kb/s")) probe.TotalBitrate = *kbps;
}

// Video parts after the codec: the pixel format ("yuv420p(tv, progressive)") is the part right
// after the codec, unless that part is already the picture size; the bit rate is the part in kb/s.
void ReadVideoDetails(const std::vector<std::string>& parts, MediaProbe& probe) {
  probe.VideoProfile = ProfileOf(parts[0]);
  if (parts.size() > 1) {
    const std::string& second = parts[1];
    const bool isFormat = !second.empty() && second.find(' ') == std::string::npos &&
                          !IsDigit(second[0]) && second.find(':') == std::string::npos;
    if (isFormat) probe.PixelFormat = CutText(second.substr(0, second.find('(')), kProbeShortTextMax);
  }
  if (const auto kbps = BitrateOf(parts)) probe.VideoBitrate = *kbps;
}

// Audio parts after the codec: "44100 Hz", the channel layout after it, then the bit rate.
void ReadAudioDetails(const std::vector<std::string>& parts, MediaProbe& probe) {
  probe.AudioProfile = ProfileOf(parts[0]);
  for (size_t i = 1; i < parts.size(); ++i) {
    const auto hertz = NumberWithUnit(parts[i], " Hz");
    if (!hertz) continue;
    probe.SampleRate = *hertz;
    if (i + 1 < parts.size()) {
      probe.ChannelLayout = CutText(parts[i + 1], kProbeShortTextMax);
      probe.Channels = ChannelsOf(parts[i + 1]);
    }
    break;
  }
  if (const auto kbps = BitrateOf(parts)) probe.AudioBitrate = *kbps;
}

// "25", "29.97" or "90k" (thousands), as modern rates are printed.
std::optional<double> ParseRate(std::string_view text) {
  if (!text.empty() && text.back() == 'k') {
    const auto thousands = TryParseDecimal(text.substr(0, text.size() - 1));
    return thousands ? std::optional<double>(*thousands * 1000.0) : std::nullopt;
  }
  return TryParseDecimal(text);
}

// "640x480" or "640x480 [SAR 1:1 DAR 4:3]": the picture size.
bool ReadModernSize(const std::string& part, MediaProbe& probe) {
  const std::string word = FirstWord(part);
  const size_t x = word.find('x');
  if (x == std::string::npos) return false;
  const auto width = TryParseWholeNumber(std::string_view(word).substr(0, x));
  const auto height = TryParseWholeNumber(std::string_view(word).substr(x + 1));
  if (!width || !height) return false;
  probe.Width = *width;
  probe.Height = *height;
  return true;
}

void ReadModernVideo(std::string_view description, MediaProbe& probe) {
  // Cover art of an audio file is a picture, not a video: it changes nothing.
  if (description.find("(attached pic)") != std::string_view::npos) return;
  const std::vector<std::string> parts = SplitParts(description);
  if (parts.empty()) return;
  if (const std::string codec = FirstWord(parts[0]); !codec.empty()) probe.VideoCodec = CutText(codec, kProbeShortTextMax);
  ReadVideoDetails(parts, probe);
  for (size_t i = 1; i < parts.size(); ++i)
    if (ReadModernSize(parts[i], probe)) break;
  for (const std::string_view suffix : {std::string_view(" fps"), std::string_view(" tbr")}) {
    for (const std::string& part : parts) {
      if (!EndsWith(part, suffix)) continue;
      const auto rate = ParseRate(std::string_view(part).substr(0, part.size() - suffix.size()));
      if (rate && IsFrameRate(*rate)) {
        probe.FrameRate = *rate;
        return;
      }
    }
  }
}

// Classic stream line: "Stream #0.0: Video: mpeg4, yuv420p, 640x480, 25.00 tb(r)", the rate and
// the size being the last two comma-separated parts.
void ReadClassicStream(std::string text, MediaProbe& probe) {
  if (const size_t mark = text.find(kVideoMark); mark != std::string::npos) {
    std::string video = Trim(std::string_view(text).substr(mark + kVideoMark.size()));
    if (const std::vector<std::string> parts = SplitParts(video); !parts.empty()) ReadVideoDetails(parts, probe);
    if (const size_t comma = FindSeparator(video); comma != std::string::npos)
      probe.VideoCodec = CutText(Trim(std::string_view(video).substr(0, comma)), kProbeShortTextMax);
    if (const size_t rateComma = FindLastSeparator(video); rateComma != std::string::npos) {
      std::string rate = Trim(std::string_view(video).substr(rateComma + 1));
      video = Trim(std::string_view(video).substr(0, rateComma));
      rate = rate.substr(0, rate.find(' '));
      if (const auto value = ParseNumberText(rate); value && IsFrameRate(*value)) probe.FrameRate = *value;
      if (const size_t sizeComma = FindLastSeparator(video); sizeComma != std::string::npos) {
        const std::string size = Trim(std::string_view(video).substr(sizeComma + 1));
        if (const size_t x = size.find('x'); x != std::string::npos) {
          if (const auto width = TryParseWholeNumber(Trim(std::string_view(size).substr(0, x)))) probe.Width = *width;
          if (const auto height = TryParseWholeNumber(Trim(std::string_view(size).substr(x + 1))))
            probe.Height = *height;
        }
      }
    }
    text = video;
  }
  if (const size_t mark = text.find(kAudioMark); mark != std::string::npos) {
    const std::string audio = Trim(std::string_view(text).substr(mark + kAudioMark.size()));
    if (const std::vector<std::string> parts = SplitParts(audio); !parts.empty()) ReadAudioDetails(parts, probe);
    if (const size_t comma = FindSeparator(audio); comma != std::string::npos) {
      std::string codec = Trim(std::string_view(audio).substr(0, comma));
      if (const size_t slash = codec.find('/'); slash != std::string::npos) codec = Trim(codec.substr(0, slash));
      probe.AudioCodec = CutText(codec, kProbeShortTextMax);
    }
  }
}

// Modern stream line: "Stream #0:0[0x1](und): Video: h264 (High) (avc1 / 0x31637661),
// yuv420p(tv, progressive), 640x480 [SAR 1:1 DAR 4:3], 60 kb/s, 29.97 fps, 29.97 tbr, 30k tbn".
void ReadModernStream(std::string_view description, MediaProbe& probe) {
  const std::string text = Trim(description);
  if (StartsWith(text, kVideoMark)) {
    ReadModernVideo(Trim(std::string_view(text).substr(kVideoMark.size())), probe);
  } else if (StartsWith(text, kAudioMark)) {
    const std::vector<std::string> parts = SplitParts(Trim(std::string_view(text).substr(kAudioMark.size())));
    if (parts.empty()) return;
    if (!FirstWord(parts[0]).empty()) probe.AudioCodec = CutText(FirstWord(parts[0]), kProbeShortTextMax);
    ReadAudioDetails(parts, probe);
  }
}
}  // namespace

double ParseTimeText(std::string_view text) {
  std::string rest;
  for (const char c : text)
    if (c != ' ') rest += c;
  double hours = 0, minutes = 0, seconds = 0;
  if (const size_t colon = rest.find(':'); colon != std::string::npos) {
    hours = TryParseWholeNumber(std::string_view(rest).substr(0, colon)).value_or(0);
    rest = rest.substr(colon + 1);
    if (const size_t second = rest.find(':'); second != std::string::npos) {
      minutes = TryParseWholeNumber(std::string_view(rest).substr(0, second)).value_or(0);
      seconds = TryParseDecimal(std::string_view(rest).substr(second + 1)).value_or(0.0);
    }
  }
  return hours * 3600 + minutes * 60 + seconds;
}

void ParseProbeOutput(const std::vector<std::string>& lines, EncoderGeneration generation, MediaProbe& probe) {
  size_t streamCount = 0;
  for (const std::string& line : lines) {
    std::string text = line;
    ReadContainer(text, probe);
    ReadTotalBitrate(text, probe);
    ReadDuration(text, generation, probe);
    if (generation == EncoderGeneration::Classic) {
      if (text.find(kStreamMark) == std::string::npos) continue;
      StoreStreamLine(text, streamCount++, probe);
      ReadClassicStream(text, probe);
    } else {
      const size_t description = ModernStreamDescription(text);
      if (description == std::string::npos) continue;
      StoreStreamLine(text, streamCount++, probe);
      ReadModernStream(std::string_view(text).substr(description), probe);
    }
  }
  probe.FrameCount = RoundToInt32(probe.Duration * probe.FrameRate);
}

}  // namespace vardeno
