// Reading the encoder's information lines into a MediaProbe, for both encoder generations.
#include <algorithm>

#include "base/NumberText.h"
#include "base/StringUtil.h"
#include "probe/Probe.h"

namespace {
constexpr std::string_view kDurationMark = "Duration:";
constexpr std::string_view kStartMark = "start:";
constexpr std::string_view kStreamMark = "Stream #";
constexpr std::string_view kVideoMark = "Video:";
constexpr std::string_view kAudioMark = "Audio:";

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

// Classic stream line: "Stream #0.0: Video: mpeg4, yuv420p, 640x480, 25.00 tb(r)", the rate and
// the size being the last two comma-separated parts.
void ReadClassicStream(std::string text, MediaProbe& probe) {
  if (const size_t mark = text.find(kVideoMark); mark != std::string::npos) {
    std::string video = Trim(std::string_view(text).substr(mark + kVideoMark.size()));
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
    if (const size_t comma = FindSeparator(audio); comma != std::string::npos) {
      std::string codec = Trim(std::string_view(audio).substr(0, comma));
      if (const size_t slash = codec.find('/'); slash != std::string::npos) codec = Trim(codec.substr(0, slash));
      probe.AudioCodec = CutText(codec, kProbeShortTextMax);
    }
  }
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

// Modern stream line: "Stream #0:0[0x1](und): Video: h264 (High) (avc1 / 0x31637661),
// yuv420p(tv, progressive), 640x480 [SAR 1:1 DAR 4:3], 60 kb/s, 29.97 fps, 29.97 tbr, 30k tbn".
void ReadModernStream(std::string_view description, MediaProbe& probe) {
  const std::string text = Trim(description);
  if (StartsWith(text, kVideoMark)) {
    ReadModernVideo(Trim(std::string_view(text).substr(kVideoMark.size())), probe);
  } else if (StartsWith(text, kAudioMark)) {
    const std::vector<std::string> parts = SplitParts(Trim(std::string_view(text).substr(kAudioMark.size())));
    if (!parts.empty() && !FirstWord(parts[0]).empty()) probe.AudioCodec = CutText(FirstWord(parts[0]), kProbeShortTextMax);
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
