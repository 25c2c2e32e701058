// The user's encoder settings: one value per setting control. Field names are the profile keys.
// List fields hold an index into their list; -1 (or any index outside the list) means
// "no entry selected", which the argument builders see as an empty text.
#pragma once

#include <string>
#include <vector>

namespace vardeno {

enum class SizeUnit { KB = 0, MB = 1 };

struct EncoderSettings {
  int OutputFormat = 3;              // row of the output format table, 0..12
  std::string VideoBitrate = "500";  // kbit/s, as typed
  std::string VideoFPS = "25";       // as typed, "." or "," as decimal mark
  int AudioBitrate = 0;              // index into AudioBitratePresets(), 0 = "Auto"
  int AudioSampling = 0;             // index into AudioSamplingPresets(), 0 = "Auto"
  bool DoNotCopyAudio = false;
  int Volume = 100;                  // percent, 0..300
  int Resolution = 0;                // index into ResolutionList: 0 "Auto", 1 "Custom", 2.. sizes
  int ResWidth = 320;                // 2..5000
  int ResHeight = 240;               // 2..5000
  int CropTop = 0;                   // 0..5000 each
  int CropBottom = 0;
  int CropLeft = 0;
  int CropRight = 0;
  bool SizeLimit = false;
  std::string SizeLimitValue;        // as typed
  SizeUnit SizeLimitUnit = SizeUnit::MB;
  bool TimeLimitDuration = false;
  int TimeLimitDH = 0;               // 0..100
  int TimeLimitDM = 0;               // 0..60
  int TimeLimitDS = 0;               // 0..60
  bool TimeLimitStart = false;
  int TimeLimitSH = 0;
  int TimeLimitSM = 0;
  int TimeLimitSS = 0;
  std::vector<std::string> AdditionalParams;  // memo lines, any number
  int Subtitles = 0;                 // burned in: 0 none, 1 a file beside the video, 2 the video's own track
  int SubtitleTrack = 0;             // which of the video's subtitle tracks, 0 the first; 0..99

  bool operator==(const EncoderSettings&) const = default;
};

// Range of a numeric field as its number box allows it.
struct FieldRange {
  int min;
  int max;
};
inline constexpr FieldRange kVolumeRange{0, 300};
inline constexpr FieldRange kResSizeRange{2, 5000};
inline constexpr FieldRange kCropRange{0, 5000};
inline constexpr FieldRange kHoursRange{0, 100};
inline constexpr FieldRange kMinSecRange{0, 60};
inline constexpr FieldRange kSubtitlesRange{0, 2};
inline constexpr FieldRange kSubtitleTrackRange{0, 99};

// The defaults of every field (the "Default encoder settings" action).
inline EncoderSettings DefaultEncoderSettings() { return EncoderSettings{}; }

}  // namespace vardeno
