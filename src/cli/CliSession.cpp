#include "cli/CliSession.h"

#include "app/IniFile.h"
#include "app/MainWindowSettings.h"
#include "app/Profiles.h"
#include "app/SettingsFile.h"
#include "encoder/EncoderInfo.h"
#include "platform/SystemLanguage.h"

namespace vardeno {

Session::Session(const CliOptions& options) {
  programDir = GetProgramDir();
  InitAppParams(params, ChooseProgramFilesDir(programDir));
  // The program's own encoder setting, from its settings file.
  AppParams stored = params;
  MainWindowSettings window;
  EncoderSettings ignored;
  LoadSettingsFromIni(stored, window, ignored, ScreenSize{});
  params.EncoderExe = options.encoder.value_or(stored.EncoderExe);
  params.StallMinutes = stored.StallMinutes;
  player = options.player.value_or(stored.Player);
  params.Player = player;

  lang = options.lang.value_or(SystemLanguageIsPolish() ? UiLanguage::Polish : UiLanguage::English);
  params.Language = lang;
  resolutions = MakeResolutionList(LoadResolutionSizes(params.ResolutionsFile), lang);
  if (options.generation == GenerationChoice::Classic) forcedGeneration = EncoderGeneration::Classic;
  if (options.generation == GenerationChoice::Modern) forcedGeneration = EncoderGeneration::Modern;

  const int resolutionCount = static_cast<int>(resolutions.Entries.size());
  if (options.profile) {
    const IniFile check(*options.profile);
    if (!check.Existed() || check.Unreadable()) throw UsageError{"cannot read the profile \"" + *options.profile + "\""};
    LoadProfile(*options.profile, settings, resolutionCount);
  }
  for (const auto& [key, value] : options.sets) {
    if (!ApplyProfileValue(settings, key, value, resolutionCount))
      throw UsageError{"unknown setting \"" + key + "\" in --set"};
  }
}

std::string Session::EncoderPath() const { return GetEncoderPath(params, programDir); }

EncoderGeneration Session::Generation(const std::string& encoderPath) const {
  return forcedGeneration ? *forcedGeneration : GetEncoderGeneration(encoderPath);
}

}  // namespace vardeno
