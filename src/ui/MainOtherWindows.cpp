#include "ui/MainOtherWindows.h"

#include <QDialog>

#include "ui/AppWindows.h"
#include "ui/AboutWindow.h"
#include "ui/CommandLineWindow.h"
#include "ui/ErrorLogWindow.h"
#include "ui/FileInfoWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/ProgressWindow.h"

namespace {
void ShowAndRaise(QDialog* window) {
  window->show();
  window->raise();
  window->activateWindow();
}
}  // namespace

void ShowCommandLineWindow(AppWindows& windows) { windows.cmdLine->ShowCommandLine(); }

void ShowProgressWindow(AppWindows& windows) { ShowAndRaise(windows.progress); }

void ToggleFileInfoWindow(AppWindows& windows) { windows.fileInfo->ToggleVisible(); }

void ToggleErrorsWindow(AppWindows& windows) { windows.errors->ToggleVisible(); }

void ShowOptionsWindow(AppWindows& windows) { ShowAndRaise(windows.options); }

void ShowAboutWindow(AppWindows& windows) { ShowAndRaise(windows.about); }

bool FileInfoWindowVisible(const AppWindows& windows) { return windows.fileInfo && windows.fileInfo->isVisible(); }

void UpdateFileInfoWindow(AppWindows& windows) { windows.fileInfo->UpdateList(); }
