#include "ui/main/MainOtherWindows.h"

#include <QDialog>

#include "ui/AppWindows.h"
#include "ui/windows/AboutWindow.h"
#include "ui/windows/CommandLineWindow.h"
#include "ui/windows/ErrorLogWindow.h"
#include "ui/windows/FileInfoWindow.h"
#include "ui/windows/OptionsWindow.h"
#include "ui/windows/ProgressWindow.h"

namespace vardeno {

namespace {
void ShowAndRaise(QDialog* window) {
  window->show();
  window->raise();
  window->activateWindow();
}
}  // namespace

void ShowCommandLineWindow(AppWindows& windows) { windows.CmdLine()->ShowCommandLine(); }

void ShowProgressWindow(AppWindows& windows) { ShowAndRaise(windows.Progress()); }

void ToggleFileInfoWindow(AppWindows& windows) { windows.FileInfo()->ToggleVisible(); }

void ToggleErrorsWindow(AppWindows& windows) { windows.Errors()->ToggleVisible(); }

void ShowOptionsWindow(AppWindows& windows) { ShowAndRaise(windows.Options()); }

void ShowAboutWindow(AppWindows& windows) { ShowAndRaise(windows.About()); }

bool FileInfoWindowVisible(const AppWindows& windows) { return windows.fileInfo && windows.fileInfo->isVisible(); }

void UpdateFileInfoWindow(AppWindows& windows) { windows.FileInfo()->UpdateList(); }

}  // namespace vardeno
