// The program settings file (AppParams::SettingsFile): language, encoder, the main window's place
// and controls, and the output format last chosen. Read once at start, written once at close.
#pragma once

#include "app/AppParams.h"
#include "app/MainWindowSettings.h"
#include "encoder/EncoderSettings.h"

namespace vardeno {

// The size of the screen the main window is placed on, in pixels.
struct ScreenSize {
  int Width = 0;
  int Height = 0;
};

// Reads the settings file into params (Language, EncoderExe, StallMinutes, Player), window and encoder.OutputFormat.
// Every value missing from the file, or not a number where one is expected, leaves its field as it
// was, except "Language", whose absence means English. Applies the rules of the file: "Left" beyond
// the screen's width either way and "Top" below 0 or beyond its height become 0, the size keeps the
// window's minimum, the output format is kept within the table, a list index outside its list
// becomes -1, "ffmpeg" is kept only while that file exists (a relative name is looked up from the
// current directory; else the default encoder name), "LastDir" only while that directory exists.
// Returns false, changing nothing, when the settings file does not exist; never fails otherwise.
bool LoadSettingsFromIni(AppParams& params, MainWindowSettings& window, EncoderSettings& encoder,
                         ScreenSize screen);

// Writes the settings file: every key, in its order, in one replacement of the file. While the
// window is maximized its place and size are not written, so the file keeps the last normal ones.
// Keys and lines of the file that are not the program's stay. Throws IniWriteError when the file
// cannot be written (the old file is then untouched).
void SaveSettingsToIni(const AppParams& params, const MainWindowSettings& window,
                       const EncoderSettings& encoder);

}  // namespace vardeno
