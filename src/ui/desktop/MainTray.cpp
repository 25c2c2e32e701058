#include "ui/desktop/MainTray.h"

#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

namespace vardeno {

MainTray::MainTray(QMenu* popTi, const QIcon& icon, QObject* parent)
    : QObject(parent), ti_(new QSystemTrayIcon(icon, this)) {
  ti_->setObjectName(QStringLiteral("ti"));
  ti_->setToolTip(QStringLiteral("Vardeno"));
  ti_->setContextMenu(popTi);
  if (QSystemTrayIcon::isSystemTrayAvailable()) ti_->show();
}

bool MainTray::Available() const { return QSystemTrayIcon::isSystemTrayAvailable() && ti_->isVisible(); }

}  // namespace vardeno
