// One notice on the desktop, outside the program's windows, that the user may click. One
// implementation per desktop family, chosen in CMake (freedesktop/ on Linux, the platform folder on
// Windows).
#pragma once

#include <QString>
#include <functional>
#include <memory>

class QSystemTrayIcon;

namespace vardeno {

class DesktopNotice {
 public:
  virtual ~DesktopNotice() = default;
  // Shows text under the caption title; clicked runs (on the UI thread) when the user clicks it.
  // A later Show replaces what clicking does.
  virtual void Show(const QString& title, const QString& text, std::function<void()> clicked) = 0;
};

// The desktop's notification service; where there is none, the tray icon's message (when the
// tray is there). tray is not owned and may be null.
std::unique_ptr<DesktopNotice> MakeDesktopNotice(QSystemTrayIcon* tray);

}  // namespace vardeno
