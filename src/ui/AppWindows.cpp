#include "ui/AppWindows.h"

#include "ui/desktop/DesktopRun.h"
#include "ui/windows/AboutWindow.h"
#include "ui/windows/CommandLineWindow.h"
#include "ui/windows/ErrorLogWindow.h"
#include "ui/windows/FileInfoWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/windows/OptionsWindow.h"
#include "ui/windows/ProgressWindow.h"

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
