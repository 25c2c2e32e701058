// The tray icon ti with its menu popTi. Where the desktop has no tray, no icon is shown and the
// window minimizes instead of hiding (see Available()).
#pragma once

#include <QObject>

class QMenu;
class QSystemTrayIcon;
class QIcon;

namespace vardeno {

class MainTray : public QObject {
  Q_OBJECT
 public:
  // The icon stays visible for the program's life, hint "Vardeno", menu popTi, no click action.
  MainTray(QMenu* popTi, const QIcon& icon, QObject* parent);
  // True when the desktop has a tray and the icon is shown in it.
  bool Available() const;
  QSystemTrayIcon* ti() const { return ti_; }

 private:
  QSystemTrayIcon* ti_;
};

}  // namespace vardeno
