#include "ui/MainOtherWindows.h"

#include <QDialog>

#include "ui/AppWindows.h"
#include "ui/TFormAbout.h"
#include "ui/TFormCmdLine.h"
#include "ui/TFormErrors.h"
#include "ui/TFormFileInfo.h"
#include "ui/TFormOptions.h"
#include "ui/TFormProgress.h"

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
