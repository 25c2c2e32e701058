// The notice on Linux desktops: org.freedesktop.Notifications on the session bus, with a default
// action, so clicking the notice is reported back (ActionInvoked). When the service cannot be
// reached the tray icon's message stands in, when there is a tray.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QObject>
#include <QSystemTrayIcon>
#include <QVariantMap>

#include "ui/desktop/DesktopNotice.h"

namespace vardeno {

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

class FreedesktopNotice : public QObject, public DesktopNotice {
  Q_OBJECT
 public:
  explicit FreedesktopNotice(QSystemTrayIcon* tray) : tray_(tray) {
    if (tray_) connect(tray_, &QSystemTrayIcon::messageClicked, this, [this] { Clicked(); });
  }

  void Show(const QString& title, const QString& text, std::function<void()> clicked) override {
    clicked_ = std::move(clicked);
    shownId_ = 0;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
      ShowInTray(title, text);
      return;
    }
    if (!listening_)
      listening_ = bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                               SLOT(OnActionInvoked(uint, QString)));
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << QStringLiteral("Vardeno") << 0u << QStringLiteral("vardeno") << title << text
         << QStringList{QStringLiteral("default"), title}
         << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("vardeno")}} << -1;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, title, text] {
      const QDBusPendingReply<uint> reply = *watcher;
      if (reply.isError())
        ShowInTray(title, text);
      else
        shownId_ = reply.value();
      watcher->deleteLater();
    });
  }

 private slots:
  void OnActionInvoked(uint id, const QString& /*action*/) {
    if (id != 0 && id == shownId_) Clicked();
  }

 private:
  void ShowInTray(const QString& title, const QString& text) {
    if (tray_ && tray_->isVisible()) tray_->showMessage(title, text);
  }
  void Clicked() {
    if (clicked_) clicked_();
  }

  QSystemTrayIcon* tray_;
  std::function<void()> clicked_;
  uint shownId_ = 0;
  bool listening_ = false;
};
}  // namespace

std::unique_ptr<DesktopNotice> MakeDesktopNotice(QSystemTrayIcon* tray) {
  return std::make_unique<FreedesktopNotice>(tray);
}

}  // namespace vardeno

#include "FreedesktopNotice.moc"
