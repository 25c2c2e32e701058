// The program entry: one ProgramState, the seven windows in their order, the event loop. The
// program ends when the main window has closed (its settings saved), not when the last window
// is hidden: the main window may live in the tray.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include "app/AppParams.h"
#include "app/ProgramState.h"
#include "conversion/SystemEncoder.h"
#include "platform/Shutdown.h"
#include "ui/AppWindows.h"
#include "ui/desktop/InstanceChannel.h"
#include "ui/desktop/MainSignals.h"
#include "ui/main/MainWindow.h"

int main(int argc, char* argv[]) {
  using namespace vardeno;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vardeno"));
  QApplication::setQuitOnLastWindowClosed(false);
  // Wayland desktops tie the windows to the installed launcher (and its icon) by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("vardeno"));
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/%1x%1/vardeno.png").arg(size), QSize(size, size));
  QApplication::setWindowIcon(icon);
  // A Vardeno already running for this user from this folder takes the files and comes forward.
  const QString channel = InstanceSocketName(QString::fromStdString(GetProgramDir()));
  QStringList handed;
  for (const QString& argument : app.arguments().mid(1))
    if (!argument.isEmpty()) handed << QDir::toNativeSeparators(QFileInfo(argument).absoluteFilePath());
  if (HandToRunningInstance(channel, handed)) return 0;

  ProgramState state;
  AppWindows windows;
  SystemEncoder encoder;
  auto power = MakeSystemPowerControl();
  windows.encoder = &encoder;
  windows.power = power.get();
  CreateAppWindows(state, windows, app.arguments().mid(1));
  QObject::connect(windows.main, &MainWindow::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
  InstanceServer instances(channel, &app);
  QObject::connect(&instances, &InstanceServer::filesHanded, windows.main, &MainWindow::AddHandedFiles);
  CloseOnTerminationSignals(windows.main);
  windows.main->show();
  // For the installer's test: start, choose the settings folder, close as the user would (which
  // saves the settings there), end.
  if (qEnvironmentVariable("VARDENO_TEST_EXIT_AFTER_START") == QLatin1String("1"))
    QTimer::singleShot(0, windows.main, &QWidget::close);
  int code = app.exec();
  delete windows.main;
  return code;
}
