#include "ui/AppWindows.h"

#include "ui/DesktopRun.h"
#include "ui/TFormAbout.h"
#include "ui/TFormCmdLine.h"
#include "ui/TFormErrors.h"
#include "ui/TFormFileInfo.h"
#include "ui/TFormMain.h"
#include "ui/TFormOptions.h"
#include "ui/TFormProgress.h"

void CreateAppWindows(ProgramState& state, AppWindows& windows, const QStringList& arguments) {
  windows.main = new TFormMain(state, windows, arguments);
  windows.about = new TFormAbout(state, windows, windows.main);
  windows.progress = new TFormProgress(state, windows, windows.main);
  windows.options = new TFormOptions(state, windows, windows.main);
  windows.fileInfo = new TFormFileInfo(state, windows, windows.main);
  windows.errors = new TFormErrors(state, windows, windows.main);
  windows.cmdLine = new TFormCmdLine(state, windows, windows.main);
  windows.desktop = new DesktopRun(windows, windows.main);
  windows.main->CreateRunner();
}
