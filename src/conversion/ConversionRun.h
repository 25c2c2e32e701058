// The conversion run: checks the settings, builds the encoder's argument pieces once, walks the
// file list from top to bottom converting every checked row (or, in batch mode, writing a script
// that would), records each row's outcome, and takes the after-conversion action.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "conversion/AfterRun.h"
#include "conversion/ConversionRequest.h"
#include "conversion/ConversionScript.h"
#include "conversion/ConversionView.h"
#include "conversion/EncoderAccess.h"
#include "conversion/ProgressHandler.h"
#include "conversion/RowScheduler.h"
#include "encoder/ArgumentBuilder.h"
#include "platform/SleepLock.h"

namespace vardeno {

struct RunResult {
  RunEnd end = RunEnd::Completed;
  std::int32_t fileCount = 0;
  std::int32_t errorCount = 0;
  std::int32_t notForPlayerCount = 0;  // RunState::NotForPlayerCount at the end
  bool aborted = false;
  AfterRunOutcome afterRun = AfterRunOutcome::Nothing;
};

class ConversionRun {
 public:
  ConversionRun(ConversionState state, EncoderAccess& encoder, ConversionView& view, PowerControl& power,
                AfterRunHost& host);
  // One whole run; returns when it has ended.
  RunResult Execute(const ConversionRequest& request);

  // From now on the conversions of Execute (not batch-mode runs) work through their rows with
  // scheduler instead of one after another; nullptr goes back to that. Not owned.
  void SetRowScheduler(RowScheduler* scheduler) { scheduler_ = scheduler; }
  // From now on a conversion (not a batch-mode run) asks keepAwake for a sleep lock once its
  // files are known and holds it to its end; without one, the view's ShowRunNotice says the
  // computer may sleep. Empty (the default): nothing is asked and nothing said.
  using SleepLockRequest = std::function<std::unique_ptr<SleepLock>(const std::string& why)>;
  void SetSleepLock(SleepLockRequest keepAwake) { keepAwake_ = std::move(keepAwake); }

 private:
  RunEnd RunRows(const ConversionRequest& request, const std::string& encoderPath, EncoderGeneration generation,
                 const ArgumentPieces& pieces, ConversionScript& script, ProgressHandler& progress);

  ConversionState s_;
  EncoderAccess& encoder_;
  ConversionView& view_;
  PowerControl& power_;
  AfterRunHost& host_;
  RowScheduler* scheduler_ = nullptr;
  SleepLockRequest keepAwake_;
};

}  // namespace vardeno
