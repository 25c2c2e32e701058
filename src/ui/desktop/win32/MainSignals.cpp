// Ending the program from outside on Windows: when the session ends (log off, shut down), Qt
// turns WM_QUERYENDSESSION into commitDataRequest, and the main window is closed from there as
// the user would close it: a run is aborted and waited for, the settings are saved.
#include "ui/desktop/MainSignals.h"

#include <QGuiApplication>
#include <QPointer>
#include <QSessionManager>

#include "ui/main/MainWindow.h"

namespace vardeno {

void CloseOnTerminationSignals(MainWindow* mainWindow) {
  QPointer<MainWindow> window(mainWindow);
  QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, mainWindow, [window](QSessionManager&) {
    if (window) window->CloseMainWindow();
  });
}

}  // namespace vardeno
