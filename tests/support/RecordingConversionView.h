// A ConversionView that records everything a run shows and never sleeps; a test can hook the
// pending-events point (where the user's Abort click would be handled) and progress updates.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "conversion/ConversionRun.h"

namespace vardeno {

class RecordingConversionView : public ConversionView {
 public:
  struct Status {
    std::string text;
    StatusTone tone;
  };
  struct Finished {
    std::size_t row;
    std::string status;
    std::string output;
  };

  void ShowRunNotice(const std::string& text) override { notices.push_back(text); }
  std::vector<std::string> notices;

  void ShowWarning(const std::string& text) override {
    warnings.push_back(text);
    events.push_back("warning");
  }
  void DisableAll() override {
    ++disableCalls;
    events.push_back("disable");
  }
  void EnableAll() override {
    ++enableCalls;
    events.push_back("enable");
  }
  void ShowSystemError(const std::string& text) override {
    systemErrors.push_back(text);
    events.push_back("system error");
  }
  void ShowProgressWindow() override {
    ++progressWindowShown;
    events.push_back("progress window");
  }
  void SetAbortCaption(const std::string& caption) override { abortCaptions.push_back(caption); }
  void SetInputFile(const std::string& path) override {
    inputFiles.push_back(path);
    pendingCallsThisRow = 0;
  }
  void SetOutputFile(const std::string& path) override { outputFiles.push_back(path); }
  void SetStatus(const std::string& text, StatusTone tone) override { statuses.push_back({text, tone}); }
  void SetProgress(int percent) override { progress.push_back(percent); }
  void SetPbColor(RgbColor color) override { pbColors.push_back(color); }
  void ClearEncoderOutput() override { ++outputCleared; }
  void ShowErrorsWindow() override {
    ++errorsWindowShown;
    events.push_back("errors window");
  }
  void SetErrorsCaption(const std::string& caption) override { errorsCaptions.push_back(caption); }
  void RowFinished(std::size_t row, const std::string& status, const std::string& output) override {
    finished.push_back({row, status, output});
  }
  void Pause(std::chrono::milliseconds duration) override { pauses.push_back(duration); }
  void ProcessPendingEvents() override {
    ++pendingCalls;
    ++pendingCallsThisRow;
    if (onPendingEvents) onPendingEvents();
  }
  void ShowProgress(const ProgressUpdate& update) override {
    ++progressUpdates;
    if (onProgress) onProgress(update);
  }

  // The input path shown last ("" before the first row).
  std::string CurrentInput() const { return inputFiles.empty() ? std::string() : inputFiles.back(); }

  std::vector<std::string> events;  // disable, enable, warnings, windows, in order
  std::vector<std::string> warnings;
  std::vector<std::string> systemErrors;
  std::vector<std::string> abortCaptions;
  std::vector<std::string> inputFiles;
  std::vector<std::string> outputFiles;
  std::vector<Status> statuses;
  std::vector<int> progress;
  std::vector<RgbColor> pbColors;
  std::vector<std::string> errorsCaptions;
  std::vector<Finished> finished;
  std::vector<std::chrono::milliseconds> pauses;
  int disableCalls = 0;
  int enableCalls = 0;
  int progressWindowShown = 0;
  int errorsWindowShown = 0;
  int outputCleared = 0;
  int pendingCalls = 0;
  int pendingCallsThisRow = 0;  // since the last SetInputFile
  int progressUpdates = 0;

  std::function<void()> onPendingEvents;
  std::function<void(const ProgressUpdate&)> onProgress;
};

// The after-run pieces a test can observe: the power control and the main window's close.
class FakePower : public PowerControl {
 public:
  bool ShutDownComputer() override {
    ++calls;
    return false;
  }
  int calls = 0;
};

class FakeAfterRunHost : public AfterRunHost {
 public:
  void CloseMainWindow() override { ++closeCalls; }
  int closeCalls = 0;
};

}  // namespace vardeno
