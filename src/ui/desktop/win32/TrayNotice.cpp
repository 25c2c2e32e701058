// The notice on Windows: the tray icon's message (a notification in Windows 10 and 11); clicking
// it is reported back by the tray. Without a tray icon in view there is no notice.
#include <QObject>
#include <QSystemTrayIcon>

#include "ui/desktop/DesktopNotice.h"

namespace vardeno {

namespace {
class TrayNotice : public QObject, public DesktopNotice {
 public:
  explicit TrayNotice(QSystemTrayIcon* tray) : tray_(tray) {
    if (tray_) connect(tray_, &QSystemTrayIcon::messageClicked, this, [this] {
        if (clicked_) clicked_();
      });
  }
  void Show(const QString& title, const QString& text, std::function<void()> clicked) override {
    clicked_ = std::move(clicked);
    if (tray_ && tray_->isVisible()) tray_->showMessage(title, text);
  }

 private:
  QSystemTrayIcon* tray_;
  std::function<void()> clicked_;
};
}  // namespace

std::unique_ptr<DesktopNotice> MakeDesktopNotice(QSystemTrayIcon* tray) { return std::make_unique<TrayNotice>(tray); }

}  // namespace vardeno
