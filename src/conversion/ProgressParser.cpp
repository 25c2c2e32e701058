#include "conversion/ProgressParser.h"

#include <algorithm>
#include <iterator>

#include "base/StringUtil.h"
#include "conversion/ProgressLine.h"

namespace vardeno {

namespace {

// Steps shared by both forms once the values are known: percentage, status text.
void FinishUpdate(ProgressUpdate& update, const RunState& run, const MediaProbe& probe,
                  UiLanguage lang) {
  update.totalTime = ProgressTotalTime(run, probe);
  update.percentage = ProgressPercentage(update.values.encodedTime, update.totalTime);
  update.statusText = ProgressStatusText(update.values, update.percentage, run, probe, lang);
}

ProgressUpdate EndedEarly() {
  ProgressUpdate update;
  update.endedEarly = true;
  return update;
}

}  // namespace

void ProgressParser::SetGeneration(EncoderGeneration generation) {
  generation_ = generation;
  Reset();
}

void ProgressParser::Reset() {
  scannedCount_ = 0;
  lastScanned_.clear();
  paneValid_ = 0;
  frame_.reset();
  speed_.reset();
  time_.reset();
}

void ProgressParser::ForgetEntriesFrom(std::size_t index) {
  scannedCount_ = std::min(scannedCount_, index);
  paneValid_ = std::min(paneValid_, index);
  if (frame_ && frame_->index >= index) frame_.reset();
  if (speed_ && speed_->index >= index) speed_.reset();
  if (time_ && time_->index >= index) time_.reset();
}

void ProgressParser::NoteOutsideChanges(const EncoderOutputLines& lines) {
  if (lines.size() < scannedCount_) {
    Reset();
    return;
  }
  // Only the last entry can have been rewritten; the ones before it are as they were.
  if (scannedCount_ > 0 && lines[scannedCount_ - 1] != lastScanned_) {
    ForgetEntriesFrom(scannedCount_ - 1);
  }
}

void ProgressParser::RememberLastScanned(const EncoderOutputLines& lines) {
  if (scannedCount_ == 0) {
    lastScanned_.clear();
  } else if (lastScanned_ != lines[scannedCount_ - 1]) {
    lastScanned_ = lines[scannedCount_ - 1];
  }
}

ProgressUpdate ProgressParser::Update(EncoderOutputLines& lines, const RunState& run,
                                      const MediaProbe& probe, UiLanguage lang) {
  NoteOutsideChanges(lines);

  // The backward scan over the new entries stops at the first "Multiple frames" line it meets,
  // i.e. the last one in the list: it and the entries after it are filtered, those before it
  // wait for the next call.
  std::size_t scanFrom = scannedCount_;
  bool endedEarly = false;
  for (std::size_t i = lines.size(); i > scannedCount_; --i) {
    if (IsMultipleFramesLine(lines[i - 1])) {
      scanFrom = i - 1;
      endedEarly = true;
      break;
    }
  }
  const auto isNoise = [this](const std::string& line) { return IsNoiseLine(line, generation_); };
  const auto firstRemoved =
      std::remove_if(lines.begin() + static_cast<std::ptrdiff_t>(scanFrom), lines.end(), isNoise);
  // Only unscanned entries go, and the pane's valid part never reaches past the scanned ones.
  lines.erase(firstRemoved, lines.end());
  if (endedEarly) {
    // The kept entries after the stop were filtered already; scanning them again next time
    // finds the same, so they simply stay among the unscanned ones.
    RememberLastScanned(lines);
    return EndedEarly();
  }

  // Every new entry is kept now; the earliest progress line that gives a value wins, and the
  // entries scanned before lie earlier than any new one.
  for (std::size_t i = scannedCount_; i < lines.size(); ++i) {
    if (!IsProgressLine(lines[i])) continue;
    ProgressFields fields = ReadProgressFields(lines[i]);
    if (!frame_ && fields.frameNumber) frame_ = Found<std::int32_t>{i, *fields.frameNumber};
    if (!speed_ && fields.speedText) speed_ = Found<std::string>{i, std::move(*fields.speedText)};
    if (!time_ && fields.encodedTime) time_ = Found<std::int64_t>{i, *fields.encodedTime};
  }
  scannedCount_ = lines.size();
  RememberLastScanned(lines);

  ProgressUpdate update;
  if (frame_) update.values.frameNumber = frame_->value;
  if (speed_) update.values.speedText = speed_->value;
  if (time_) update.values.encodedTime = time_->value;
  FinishUpdate(update, run, probe, lang);
  update.paneKeepLines = paneValid_;
  update.paneNewLines.assign(lines.begin() + static_cast<std::ptrdiff_t>(paneValid_), lines.end());
  paneValid_ = lines.size();
  return update;
}

ProgressUpdate ScanProgressFully(EncoderOutputLines& lines, EncoderGeneration generation,
                                 const RunState& run, const MediaProbe& probe, UiLanguage lang) {
  ProgressUpdate update;
  std::optional<std::string> current;  // the current progress line
  for (std::size_t i = lines.size(); i-- > 0;) {
    const auto entry = lines.begin() + static_cast<std::ptrdiff_t>(i);
    if (Trim(*entry).empty()) {
      lines.erase(entry);
      continue;
    }
    if (IsNoiseLine(*entry, generation)) {
      const bool multipleFrames = IsMultipleFramesLine(*entry);
      lines.erase(entry);
      if (multipleFrames) return EndedEarly();
      continue;
    }
    if (IsProgressLine(*entry)) {
      current = *entry;
      ProgressFields fields = ReadProgressFields(*current);
      if (fields.frameNumber) update.values.frameNumber = *fields.frameNumber;
      if (fields.speedText) update.values.speedText = *fields.speedText;
    }
    if (current) {
      if (const auto time = ReadProgressFields(*current).encodedTime) update.values.encodedTime = *time;
    }
  }
  FinishUpdate(update, run, probe, lang);
  update.paneKeepLines = 0;
  update.paneNewLines = lines;
  return update;
}

}  // namespace vardeno
