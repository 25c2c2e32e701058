// What the encoder's information mode tells about one input file.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct StreamLine {
  bool Present = false;
  std::string Text;  // the printed stream line, trimmed, at most 200 characters
};

inline constexpr size_t kMaxProbeStreams = 20;
inline constexpr size_t kProbeFileNameMax = 511;
inline constexpr size_t kProbeShortTextMax = 20;
inline constexpr size_t kStreamTextMax = 200;

struct MediaProbe {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::string FileName;         // the input path, at most 511 characters
  std::uint64_t FileSize = 0;   // bytes; 0 when the file cannot be opened
  std::int32_t Duration = 0;    // whole seconds, duration minus start time, never below 0
  double DurationExact = 0.0;   // the printed duration in seconds
  std::string DurationText;     // as printed, trimmed, at most 20 characters
  std::int32_t StartTime = 0;   // whole seconds
  double FrameRate = 0.0;
  std::string AudioCodec;       // at most 20 characters
  std::string VideoCodec;       // at most 20 characters
  std::int32_t FrameCount = 0;  // Duration x FrameRate, rounded
  std::array<StreamLine, kMaxProbeStreams> Streams{};
};
