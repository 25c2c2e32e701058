// How the main window shows and hides the other windows: one function per action, each calling
// that window's own entry point.
#pragma once

namespace vardeno {

struct AppWindows;

void ShowCommandLineWindow(AppWindows& windows);  // F2: builds and shows the preview
void ShowProgressWindow(AppWindows& windows);     // F8
void ToggleFileInfoWindow(AppWindows& windows);   // F10: shown, it probes the selected row
void ToggleErrorsWindow(AppWindows& windows);     // F11
void ShowOptionsWindow(AppWindows& windows);      // F12
void ShowAboutWindow(AppWindows& windows);        // Shift+Ctrl+F1
bool FileInfoWindowVisible(const AppWindows& windows);
// Probes the selected row and shows it in the file information window.
void UpdateFileInfoWindow(AppWindows& windows);

}  // namespace vardeno
