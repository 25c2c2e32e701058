#include "conversion/ProgressHold.h"

#include <algorithm>

namespace vardeno {

void ProgressHold::Reset() {
  shown_ = ProgressValues{};
  shownPercentage_ = 0;
}

void ProgressHold::Apply(ProgressUpdate& update, EncoderGeneration generation, const RunState& run,
                         const MediaProbe& probe, UiLanguage lang) {
  if (generation == EncoderGeneration::Classic || update.endedEarly) return;
  // -1 is the parser's "no time read".
  if (update.values.encodedTime == -1) {
    update.values = shown_;
    update.percentage = shownPercentage_;
  } else {
    update.values.frameNumber = std::max(update.values.frameNumber, shown_.frameNumber);
    if (update.values.speedText.empty()) update.values.speedText = shown_.speedText;
    update.percentage = std::max(update.percentage, shownPercentage_);
  }
  update.statusText = ProgressStatusText(update.values, update.percentage, run, probe, lang);
  shown_ = update.values;
  shownPercentage_ = update.percentage;
}

}  // namespace vardeno
