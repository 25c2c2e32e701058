// The run's progress outside the program's windows, on the desktop's task bar or dock. One
// implementation per desktop family, chosen in CMake (freedesktop/ on Linux, the platform folder on
// Windows).
#pragma once

#include <memory>
class QWidget;

namespace vardeno {

class DesktopProgress {
 public:
  virtual ~DesktopProgress() = default;
  // fraction: 0 to 1 of the whole run; failed: a file of the run has failed so far.
  virtual void Show(double fraction, bool failed) = 0;
  // The run has ended: its progress goes; failed asks for the user's attention (until the next
  // Show).
  virtual void Clear(bool failed) = 0;
};


// The desktop's own for the main window; one that does nothing where the desktop offers no way.
std::unique_ptr<DesktopProgress> MakeDesktopProgress(QWidget* mainWindow);

}  // namespace vardeno
