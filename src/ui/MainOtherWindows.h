// How the main window shows and hides the other windows. Each call site is one function here, so
// that a window's own entry point replaces a plain show() in one place when that window has it.
#pragma once

struct AppWindows;

void ShowCommandLineWindow(AppWindows& windows);  // F2: builds and shows the preview
void ShowProgressWindow(AppWindows& windows);     // F8
void ToggleFileInfoWindow(AppWindows& windows);   // F10
void ToggleErrorsWindow(AppWindows& windows);     // F11
void ShowOptionsWindow(AppWindows& windows);      // F12
void ShowAboutWindow(AppWindows& windows);        // Shift+Ctrl+F1
bool FileInfoWindowVisible(const AppWindows& windows);
// Probes the selected row and shows it in the file information window.
void UpdateFileInfoWindow(AppWindows& windows);
