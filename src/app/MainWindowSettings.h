// The main window's own values that the settings file keeps (not encoder settings): one field per
// control. The window copies its controls into this record before saving and back after loading.
#pragma once

#include <array>
#include <string>

namespace vardeno {

inline constexpr int kMinMainWindowWidth = 600;
inline constexpr int kMinMainWindowHeight = 400;

// Entries of the output-exists list: 0 "Rename file", 1 "Overwrite it", 2 "Skip file".
inline constexpr int kOutputExistsEntries = 3;
// Entries of the after-conversion list when the settings file is read: 0 "Do nothing",
// 1 "Close application". The third ("shut down") is added afterwards by the language routine,
// so a stored 2 is read as no selection: the computer is never switched off because of a
// choice left over from an earlier session.
inline constexpr int kAfterConversionEntriesAtLoad = 2;

struct MainWindowSettings {
  bool Maximized = false;
  // The window's place and size in its normal (not maximized) state; kept while it is maximized.
  int Left = 256;
  int Top = 115;
  // The first start's size shows every encoder setting without scrolling in either language and
  // fits a 1366 x 768 screen with a task bar and the window's title.
  int Width = 1200;  // at least kMinMainWindowWidth; Windows' own style needs the most
  int Height = 640;  // at least kMinMainWindowHeight
  bool BottomPanelVisible = true;
  int OutputExists = 0;     // index into cbOutputExists; -1 = no selection
  int AfterConversion = 0;  // index into cbAfterConversion; -1 = no selection (take no action)
  int FilesAtOnce = 1;      // files converted at once; 0 = as many as the usable cores ("Auto")
  bool OutDirIsInDir = true;  // rbOutDirIsInDir checked; rbOutDir is its opposite
  std::string OutDir;         // edOutDir; the window starts it with the program's directory (the
                              // home folder when that cannot be written)
  // Widths of the file list's columns: number, video file, directory, size, status. The number
  // (56, beside its check box) and size (80) columns are wider than the designed 42 and 65 so that
  // "10000" and "1023.99 MB" fit in the usual Linux desktop font.
  std::array<int, 5> ColumnWidths{56, 260, 285, 80, 90};
  bool GridLines = true;
  std::string LastDir;  // start directory of the add-files dialog; empty = the dialog's own choice

  bool operator==(const MainWindowSettings&) const = default;
};

}  // namespace vardeno
