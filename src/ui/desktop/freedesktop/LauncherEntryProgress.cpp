// The task bar's progress on Linux desktops: the com.canonical.Unity.LauncherEntry "Update"
// signal on the session bus for the program's launcher, which KDE Plasma's task manager and the
// common docks show. Without a session bus nothing is sent.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

#include "ui/desktop/DesktopProgress.h"

namespace vardeno {

namespace {
class LauncherEntryProgress : public DesktopProgress {
 public:
  void Show(double fraction, bool failed) override {
    Send({{QStringLiteral("progress"), fraction},
          {QStringLiteral("progress-visible"), true},
          {QStringLiteral("urgent"), false}});
    (void)failed;  // the launcher entry has no error state: urgent marks failures at the end
  }
  void Clear(bool failed) override {
    Send({{QStringLiteral("progress"), 0.0},
          {QStringLiteral("progress-visible"), false},
          {QStringLiteral("urgent"), failed}});
  }

 private:
  static void Send(const QVariantMap& properties) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/com/canonical/unity/launcherentry/vardeno"),
                                                     QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                                     QStringLiteral("Update"));
    signal << QStringLiteral("application://vardeno.desktop") << properties;
    bus.send(signal);
  }
};
}  // namespace

std::unique_ptr<DesktopProgress> MakeDesktopProgress(QWidget* /*mainWindow: the launcher speaks for it*/) {
  return std::make_unique<LauncherEntryProgress>();
}

}  // namespace vardeno
