#include "conversion/ProgressLine.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

#include "base/StringUtil.h"
#include "base/NumberText.h"

namespace vardeno {

namespace {

bool BeginsWithIgnoreCase(std::string_view line, std::string_view prefix) {
  return line.size() >= prefix.size() && EqualsIgnoreCase(line.substr(0, prefix.size()), prefix);
}

bool Contains(std::string_view line, std::string_view part) {
  return line.find(part) != std::string_view::npos;
}

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool IsAsciiLetterOrDigit(char c) {
  return IsAsciiDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr std::string_view kMultipleFrames = "Multiple frames in a packet from stream";

// Lines removed whatever they continue with (the case of letters does not matter).
constexpr std::array<std::string_view, 11> kNoisePrefixes = {
    "FFmpeg version",
    "  configuration:",
    "  libavutil ",
    "  libavcodec ",
    "  libavformat ",
    "  libavdevice ",
    "  built on ",
    "Unable to parse option value",
    kMultipleFrames,
    "[mpeg4 @ 01478BD0]",
    "Press [q] to stop encoding",
};

// Lines removed when they contain both texts (exact case).
struct ContainsPair {
  std::string_view first;
  std::string_view second;
};
constexpr std::array<ContainsPair, 5> kNoisePairs = {{
    {"h263 @", "warning, clipping"},
    {"mpeg4 @", "Invalid and inefficient vfw-avi packed"},
    {"libmp3lame @", "lame: output buffer too small"},
    {"mp3 @", "skipping granule"},
    {"NULL @", "Invalid and inefficient vfw-avi packed"},
}};

constexpr std::string_view kExtensionWarning = "Warning, extension is not";

// A modern encoder's library version line: two blanks, "lib" and a name, blanks, then the
// version number ("  libswresample   4.  7.100 /  4.  7.100").
bool IsModernLibraryVersionLine(std::string_view line) {
  if (!BeginsWithIgnoreCase(line, "  lib")) return false;
  size_t pos = 5;
  const size_t nameStart = pos;
  while (pos < line.size() && (IsAsciiLetterOrDigit(line[pos]) || line[pos] == '_')) ++pos;
  if (pos == nameStart) return false;
  const size_t blanksStart = pos;
  while (pos < line.size() && line[pos] == ' ') ++pos;
  return pos > blanksStart && pos < line.size() && IsAsciiDigit(line[pos]);
}

bool IsModernBannerLine(std::string_view line) {
  return BeginsWithIgnoreCase(line, "  built with ") || IsModernLibraryVersionLine(line) ||
         BeginsWithIgnoreCase(line, "Press [q] to stop, [?] for help");
}

std::optional<double> ParseClockTime(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const size_t first = text.find(':');
  if (first == std::string_view::npos) return std::nullopt;
  const size_t second = text.find(':', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const std::string_view hoursText = text.substr(0, first);
  const std::string_view minutesText = text.substr(first + 1, second - first - 1);
  const std::string_view secondsText = text.substr(second + 1);
  auto unsignedWhole = [](std::string_view part) -> std::optional<std::int64_t> {
    if (part.empty() || part.size() > 12) return std::nullopt;
    std::int64_t value = 0;
    for (char c : part) {
      if (!IsAsciiDigit(c)) return std::nullopt;
      value = value * 10 + (c - '0');
    }
    return value;
  };
  const auto hours = unsignedWhole(hoursText);
  const auto minutes = unsignedWhole(minutesText);
  if (!hours || !minutes || *minutes >= 60) return std::nullopt;
  if (secondsText.empty() || !IsAsciiDigit(secondsText.front())) return std::nullopt;
  const auto seconds = TryParseDecimal(secondsText);
  if (!seconds || *seconds >= 60.0) return std::nullopt;
  const double total = static_cast<double>(*hours) * 3600.0 + static_cast<double>(*minutes) * 60.0 + *seconds;
  return negative ? -total : total;
}

// Cuts a trimmed text at its first blank.
std::string_view FirstWord(std::string_view text, bool* hadBlank) {
  const size_t blank = text.find(' ');
  if (hadBlank) *hadBlank = blank != std::string_view::npos;
  return blank == std::string_view::npos ? text : text.substr(0, blank);
}

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

bool IsMultipleFramesLine(std::string_view line) { return BeginsWithIgnoreCase(line, kMultipleFrames); }

bool IsNoiseLine(std::string_view line, EncoderGeneration generation) {
  if (TrimView(line).empty()) return true;
  for (std::string_view prefix : kNoisePrefixes) {
    if (BeginsWithIgnoreCase(line, prefix)) return true;
  }
  for (const ContainsPair& pair : kNoisePairs) {
    if (Contains(line, pair.first) && Contains(line, pair.second)) return true;
  }
  if (Contains(line, kExtensionWarning)) return true;
  return generation == EncoderGeneration::Modern && IsModernBannerLine(line);
}

bool IsProgressLine(std::string_view line) { return Contains(line, "time=") && Contains(line, "size="); }

std::optional<std::int64_t> ParseEncodedTime(std::string_view text) {
  std::optional<double> seconds = TryParseDecimal(text);
  if (!seconds) seconds = ParseClockTime(text);
  if (!seconds) return std::nullopt;
  const double rounded = RoundHalfEven(*seconds);
  // Beyond what 64 bits hold, the value cannot be a time; it is not read.
  if (!(rounded > -9.0e18 && rounded < 9.0e18)) return std::nullopt;
  return static_cast<std::int64_t>(rounded);
}

ProgressFields ReadProgressFields(std::string_view line) {
  ProgressFields fields;
  const std::string_view rest = line.size() > 6 ? line.substr(6) : std::string_view();
  if (const size_t fps = rest.find("fps="); fps != std::string_view::npos) {
    fields.frameNumber = TryParseWholeNumber(TrimView(rest.substr(0, fps)));
    bool hadBlank = false;
    const std::string_view speed = FirstWord(TrimView(rest.substr(fps + 4)), &hadBlank);
    if (hadBlank) fields.speedText = std::string(speed);
  }
  if (const size_t time = line.find("time="); time != std::string_view::npos) {
    fields.encodedTime = ParseEncodedTime(FirstWord(TrimView(line.substr(time + 5)), nullptr));
  }
  return fields;
}

}  // namespace vardeno
