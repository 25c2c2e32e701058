// A WarningSink that keeps every warning shown, in order.
#pragma once

#include <string>
#include <vector>

#include "base/WarningSink.h"

namespace vardeno {

class RecordingWarnings : public WarningSink {
 public:
  void ShowWarning(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

}  // namespace vardeno
