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

// Until the command-line window has ShowCommandLine(), it is only shown.
void ShowCommandLineWindow(AppWindows& windows) { ShowAndRaise(windows.cmdLine); }

void ShowProgressWindow(AppWindows& windows) { ShowAndRaise(windows.progress); }

// Until the file information window has ToggleVisible(), its visibility is turned over here.
void ToggleFileInfoWindow(AppWindows& windows) {
  if (windows.fileInfo->isVisible())
    windows.fileInfo->hide();
  else
    ShowAndRaise(windows.fileInfo);
}

// Until the errors window has ToggleVisible(), its visibility is turned over here.
void ToggleErrorsWindow(AppWindows& windows) {
  if (windows.errors->isVisible())
    windows.errors->hide();
  else
    ShowAndRaise(windows.errors);
}

void ShowOptionsWindow(AppWindows& windows) { ShowAndRaise(windows.options); }

void ShowAboutWindow(AppWindows& windows) { ShowAndRaise(windows.about); }

bool FileInfoWindowVisible(const AppWindows& windows) { return windows.fileInfo && windows.fileInfo->isVisible(); }

// Until the file information window has UpdateList(), there is nothing to update.
void UpdateFileInfoWindow(AppWindows& /*windows*/) {}
