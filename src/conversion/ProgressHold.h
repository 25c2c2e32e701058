// Keeps the progress shown for one file from moving backwards with a modern encoder. While it
// flushes, FFmpeg 7 prints a status line with "time=N/A" and then summary lines
// ("[out#0/mp4 @ ...] video:... audio:...", the codecs' statistics) that take the place of the
// rewritten status line; read as they stand they would show frame 0 and 0 % for a moment.
#pragma once

#include <cstdint>

#include "conversion/ProgressParser.h"
#include "encoder/EncoderGeneration.h"

namespace vardeno {

class ProgressHold {
 public:
  // A new file: nothing has been shown for it yet.
  void Reset();

  // For a classic encoder the update stays exactly as parsed. For a modern one: when no time
  // could be read (a "time=N/A" status line, or no status line left in the list) the update
  // shows the frame, speed, time and percentage shown before; otherwise the frame and the
  // percentage never drop below what was shown, and a missing speed keeps the shown one. The
  // status text is rebuilt from what is then shown.
  void Apply(ProgressUpdate& update, EncoderGeneration generation, const RunState& run, const MediaProbe& probe,
             UiLanguage lang);

 private:
  ProgressValues shown_;
  std::int32_t shownPercentage_ = 0;
};

}  // namespace vardeno
