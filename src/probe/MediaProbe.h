// What the encoder's information mode tells about one input file.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vardeno {

struct StreamLine {
  bool Present = false;
  std::string Text;  // the printed stream line, trimmed, at most 200 characters
};

inline constexpr size_t kMaxProbeStreams = 20;
inline constexpr size_t kProbeFileNameMax = 511;
inline constexpr size_t kProbeShortTextMax = 20;
inline constexpr size_t kStreamTextMax = 200;
inline constexpr size_t kProbeLongTextMax = 40;

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
  // What a player check needs of the streams (a modern encoder prints all of these; a classic
  // one no profiles). Texts are empty and numbers 0 where the encoder printed nothing readable.
  std::string Container;          // the format the encoder read ("asf", "mov,mp4,m4a,3gp,3g2,mj2"), at most 40 characters
  std::string VideoProfile;       // "Baseline", "Simple Profile", "Main"; at most 40 characters
  std::string PixelFormat;        // "yuv420p"; at most 20 characters
  std::int32_t VideoBitrate = 0;  // kbit/s of the video stream
  std::int32_t TotalBitrate = 0;  // kbit/s of the whole file (the "Duration:" line's bitrate)
  std::string AudioProfile;       // "LC", "HE-AAC"; at most 40 characters
  std::int32_t AudioBitrate = 0;  // kbit/s of the audio stream
  std::int32_t SampleRate = 0;    // Hz
  std::string ChannelLayout;      // "mono", "stereo", "5.1(side)", "3 channels"; at most 20 characters
  std::int32_t Channels = 0;      // read from the layout; 0 for a layout not known here
  std::array<StreamLine, kMaxProbeStreams> Streams{};
};

}  // namespace vardeno
