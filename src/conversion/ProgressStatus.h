// From the values read off the encoder's progress lines to what the progress window shows:
// the percentage done and the status text.
#pragma once

#include <cstdint>
#include <string>

#include "conversion/RunState.h"
#include "probe/MediaProbe.h"
#include "texts/Language.h"

namespace vardeno {

// The values one progress handler call works out; these are their start values.
struct ProgressValues {
  std::int32_t frameNumber = 0;
  std::string speedText;
  std::int64_t encodedTime = -1;  // whole seconds; -1 when no progress line gave a time
  bool operator==(const ProgressValues&) const = default;
};

// The length of the file's conversion in seconds: the duration limit when its box was checked
// at the run's start, else the probed duration.
std::int64_t ProgressTotalTime(const RunState& run, const MediaProbe& probe);

// encodedTime x 100 / totalTime rounded (halves to even) and held between 0 and 100;
// 0 unless both times are above 0.
std::int32_t ProgressPercentage(std::int64_t encodedTime, std::int64_t totalTime);

// "Seeking start position..." while no frame was reported and a start offset is set, the short
// text for audio-only output, else the full line with speed, frame and percentage.
std::string ProgressStatusText(const ProgressValues& values, std::int32_t percentage,
                               const RunState& run, const MediaProbe& probe, UiLanguage lang);

}  // namespace vardeno
