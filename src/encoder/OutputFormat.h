// The fixed table of the 13 output formats. The row index is what settings and profiles store.
#pragma once

#include <array>

namespace vardeno {

struct OutputFormat {
  const char* Label;          // shown in the format list, the same in both languages
  const char* Extension;      // output extension without dot; the encoder picks the container from it
  const char* VideoCodecArg;  // "-vcodec ..." or "-vn"
  const char* AudioCodecArg;  // "-acodec ..."
  bool HasVideo;              // the output carries a picture (rows 0 to 7)
};

inline constexpr int kOutputFormatCount = 13;
inline constexpr int kDefaultOutputFormat = 3;

const std::array<OutputFormat, kOutputFormatCount>& OutputFormats();
bool IsValidOutputFormat(int index);
// The row's HasVideo; false for an index outside the table.
bool HasVideo(int index);

}  // namespace vardeno
