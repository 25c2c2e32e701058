#include "conversion/ProgressStatus.h"

#include "conversion/ProgressLine.h"
#include "base/NumberText.h"
#include "texts/ProgressTexts.h"

namespace vardeno {

std::int64_t ProgressTotalTime(const RunState& run, const MediaProbe& probe) {
  return run.DurationLimitOn ? run.DurationLimit : static_cast<std::int64_t>(probe.Duration);
}

std::int32_t ProgressPercentage(std::int64_t encodedTime, std::int64_t totalTime) {
  if (totalTime <= 0 || encodedTime <= 0) return 0;
  const double percent =
      RoundHalfEven(static_cast<double>(encodedTime) * 100.0 / static_cast<double>(totalTime));
  if (percent >= 100.0) return 100;
  if (percent <= 0.0) return 0;
  return static_cast<std::int32_t>(percent);
}

std::string ProgressStatusText(const ProgressValues& values, std::int32_t percentage,
                               const RunState& run, const MediaProbe& probe, UiLanguage lang) {
  if (values.frameNumber == 0 && run.StartLimitOn) return kSeekingStartText(lang);
  std::string text = kConvertingFileText(lang) + std::to_string(run.FileNo) + " / " +
                     std::to_string(run.FileCount);
  if (run.AudioOnly) return text;
  text += kStatusSeparator;
  text += kSpeedText(lang) + values.speedText + kFramesPerSecText(lang);
  text += kStatusSeparator;
  text += kFrameText(lang) + std::to_string(values.frameNumber) + " / ~" +
          std::to_string(static_cast<std::uint32_t>(probe.FrameCount));
  text += kStatusSeparator;
  text += kCompleteText(lang) + std::to_string(percentage) + " %";
  return text;
}

}  // namespace vardeno
