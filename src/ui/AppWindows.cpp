#include "ui/AppWindows.h"

#include "ui/DesktopRun.h"
#include "ui/AboutWindow.h"
#include "ui/CommandLineWindow.h"
#include "ui/ErrorLogWindow.h"
#include "ui/FileInfoWindow.h"
#include "ui/MainWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/ProgressWindow.h"

void CreateAppWindows(ProgramState& state, AppWindows& windows, const QStringList& arguments) {
  windows.main = new MainWindow(state, windows, arguments);
  windows.about = new AboutWindow(state, windows, windows.main);
  windows.progress = new ProgressWindow(state, windows, windows.main);
  windows.options = new OptionsWindow(state, windows, windows.main);
  windows.fileInfo = new FileInfoWindow(state, windows, windows.main);
  windows.errors = new ErrorLogWindow(state, windows, windows.main);
  windows.cmdLine = new CommandLineWindow(state, windows, windows.main);
  windows.desktop = new DesktopRun(windows, windows.main);
  windows.main->CreateRunner();
}
