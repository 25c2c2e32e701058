// The program entry: one ProgramState, the seven windows in their order, the event loop.
#include <QApplication>
#include <QIcon>

#include "app/ProgramState.h"
#include "conversion/SystemEncoder.h"
#include "platform/Shutdown.h"
#include "ui/AppWindows.h"
#include "ui/TFormMain.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vardeno.svg")));
  ProgramState state;
  AppWindows windows;
  SystemEncoder encoder;
  auto power = MakeSystemPowerControl();
  windows.encoder = &encoder;
  windows.power = power.get();
  CreateAppWindows(state, windows, app.arguments().mid(1));
  windows.main->show();
  int code = app.exec();
  delete windows.main;
  return code;
}
