// Where the program's own files lie, the interface language chosen, the configured encoder
// and the three display colours. Filled once at start; paths never change afterwards.
#pragma once

#include <cstdint>
#include <string>

#include "base/DirText.h"
#include "base/PathSyntax.h"
#include "base/RgbColor.h"
#include "player/PlayerId.h"
#include "texts/Language.h"

namespace vardeno {

struct AppParams {
  UiLanguage Language = UiLanguage::English;
  // bare name or path ("ffmpeg", on Windows "ffmpeg.exe"), replaced by the settings key "ffmpeg"
  std::string EncoderExe = "ffmpeg" + std::string(kExecutableSuffix);
  std::string SettingsFile;           // <program files>/Vardeno.ini
  std::string ResolutionsFile;        // <program files>/Vardeno_resolutions.txt
  std::string ProfilesDir;            // <program files>/profiles
  std::string LastSessionFile;        // <ProfilesDir>/__Last.ini
  RgbColor PbColor{82, 35, 35};
  RgbColor StatusColorOK{0, 0, 255};
  RgbColor StatusColorError{255, 0, 0};
  // A running encoder that prints nothing for this many minutes is ended (0: never). Read from
  // the settings file's StallMinutes, which the program itself never writes.
  int StallMinutes = 10;
  // The player the outputs are checked for (the settings file's "Player": zune30, zune, zunehd,
  // none); an unknown value is the default.
  PlayerId Player = kDefaultPlayer;
};

// The directory of the running executable, normalised.
std::string GetProgramDir();

// The folder that holds the program's own files: the executable's folder when it is writable
// (portable use, the build tree) and is not an installed program's folder ("bin", Program Files), else the
// user's folder for it (UserProgramFilesDir: ~/.config/vardeno, %APPDATA%\Vardeno).
std::string ChooseProgramFilesDir(const std::string& programDir);

// Fills params with the paths below filesDir and the start values of every other field.
void InitAppParams(AppParams& params, const std::string& filesDir);

// The full path of the configured encoder, or "" when no such file exists. A bare name is looked
// for beside the executable (programDir), then on PATH; a name with a separator is used as it is.
// Computed afresh on every call.
std::string GetEncoderPath(const AppParams& params, const std::string& programDir);

}  // namespace vardeno
