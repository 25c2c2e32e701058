// The encoder output parser behind the progress window: filters EncoderOutputLines in place
// and works out the frame, speed, time, percentage and status text to show.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "conversion/ProgressStatus.h"
#include "conversion/RunState.h"
#include "encoder/EncoderGeneration.h"
#include "probe/MediaProbe.h"
#include "texts/Language.h"

namespace vardeno {

// What one call worked out. A view copies it: the status label, the bar, and the output pane.
struct ProgressUpdate {
  // A "Multiple frames in a packet from stream" line ended the call: the view keeps what it
  // shows and every other field is left at its start value.
  bool endedEarly = false;
  ProgressValues values;
  std::int64_t totalTime = 0;   // seconds the percentage is measured against
  std::int32_t percentage = 0;  // the progress bar's position, 0 to 100
  std::string statusText;       // the status label
  // The output pane: keep its first paneKeepLines lines, drop the rest, then append
  // paneNewLines. Afterwards it shows exactly the entries of EncoderOutputLines.
  std::size_t paneKeepLines = 0;
  std::vector<std::string> paneNewLines;
};

// Filters the output list and reads the progress values, doing work only for entries that are
// new or rewritten since the previous call. Its results, and what it leaves in the list, are
// those of a full backward scan over the whole list on every call (ScanProgressFully).
//
// Between two calls the list may only get new entries at its end and its last entry replaced
// (as the process runner does), or be emptied; call Reset() when it is emptied or changed in
// any other way. A list shorter than after the previous call is noticed as emptied.
class ProgressParser {
 public:
  explicit ProgressParser(EncoderGeneration generation = EncoderGeneration::Modern)
      : generation_(generation) {}

  // Which encoder wrote the output (its banner lines differ); resets the parser.
  void SetGeneration(EncoderGeneration generation);
  // Forgets everything about the list, e.g. after the job loop emptied it for the next file.
  void Reset();

  // One call of the progress handler's parsing steps: deletes empty and noise entries of
  // lines, reads the earliest progress values, and builds the status text in lang.
  ProgressUpdate Update(EncoderOutputLines& lines, const RunState& run, const MediaProbe& probe,
                        UiLanguage lang);

 private:
  // Always made with both fields given. (No default member values: clang 14, which builds the
  // fuzz targets, crashes on them in this nested template.)
  template <typename T>
  struct Found {
    std::size_t index;  // the entry that gave the value
    T value;
  };

  void NoteOutsideChanges(const EncoderOutputLines& lines);
  void ForgetEntriesFrom(std::size_t index);
  void RememberLastScanned(const EncoderOutputLines& lines);

  EncoderGeneration generation_;
  // The first scannedCount_ entries were scanned and kept; they are not looked at again.
  std::size_t scannedCount_ = 0;
  // A copy of entry scannedCount_ - 1, to notice that the runner has rewritten it.
  std::string lastScanned_;
  // The first paneValid_ entries are what the pane showed after the last full call.
  std::size_t paneValid_ = 0;
  // The earliest scanned entry giving each value (the earliest progress line wins).
  std::optional<Found<std::int32_t>> frame_;
  std::optional<Found<std::string>> speed_;
  std::optional<Found<std::int64_t>> time_;
};

// The same work as one ProgressParser::Update, done the plain way: a backward scan over every
// entry. Its pane fields always ask for a full refill (paneKeepLines 0).
ProgressUpdate ScanProgressFully(EncoderOutputLines& lines, EncoderGeneration generation,
                                 const RunState& run, const MediaProbe& probe, UiLanguage lang);

}  // namespace vardeno
