// What the windows (or the CLI) show of a conversion run.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "base/RgbColor.h"
#include "base/WarningSink.h"
#include "conversion/PendingEvents.h"
#include "conversion/ProgressHandler.h"

namespace vardeno {

// How a row's status is shown in the progress window.
enum class StatusTone { Normal, Ok, Error };

// What the windows (or the CLI) show of a run. Defaults do nothing.
class ConversionView : public WarningSink, public PendingEvents, public ProgressDisplay {
 public:
  virtual void DisableAll() {}
  virtual void EnableAll() {}
  // The error message box for failures of the operating system.
  virtual void ShowSystemError(const std::string& /*text*/) {}

  virtual void ShowProgressWindow() {}
  virtual void SetAbortCaption(const std::string& /*caption*/) {}
  virtual void SetInputFile(const std::string& /*path*/) {}
  virtual void SetOutputFile(const std::string& /*path*/) {}
  virtual void SetStatus(const std::string& /*text*/, StatusTone /*tone*/) {}
  virtual void SetProgress(int /*percent*/) {}
  virtual void SetPbColor(RgbColor /*color*/) {}
  virtual void ClearEncoderOutput() {}

  // A remark about the whole run (such as that the computer may sleep during it), once.
  virtual void ShowRunNotice(const std::string& /*text*/) {}

  virtual void ShowErrorsWindow() {}
  virtual void SetErrorsCaption(const std::string& /*caption*/) {}

  // A checked row has been processed (converted, failed, aborted or skipped).
  virtual void RowFinished(std::size_t /*row*/, const std::string& /*status*/, const std::string& /*outputPath*/) {}

  // The loop's pauses; a test view may skip them.
  virtual void Pause(std::chrono::milliseconds duration);

  void ProcessPendingEvents() override {}
  void ShowProgress(const ProgressUpdate& /*update*/) override {}
};

}  // namespace vardeno
