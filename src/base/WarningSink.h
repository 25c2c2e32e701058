// How the core shows a warning the user can act on: the window shows a modal box captioned
// "Vardeno" with a warning icon and an OK button; the CLI prints it; tests record it.
#pragma once

#include <string>

namespace vardeno {

class WarningSink {
 public:
  virtual ~WarningSink() = default;
  // Shows the text (UTF-8, lines separated by "\r\n") and returns when the user has seen it.
  virtual void ShowWarning(const std::string& text) = 0;
};

}  // namespace vardeno
