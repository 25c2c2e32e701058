// What every vardeno-cli command starts from: the program's paths and its encoder setting, the
// language, and the encoder settings of the defaults, the profile and every --set.
#pragma once

#include <optional>
#include <string>

#include "app/AppParams.h"
#include "cli/CliOptions.h"
#include "encoder/EncoderSettings.h"
#include "encoder/ResolutionList.h"

namespace vardeno {

// A usage error: one line on stderr, nothing done.
struct UsageError {
  std::string message;
};

// Everything the commands share: paths, language, encoder, settings.
struct Session {
  AppParams params;
  std::string programDir;
  UiLanguage lang = UiLanguage::English;
  ResolutionList resolutions;
  EncoderSettings settings;
  std::optional<EncoderGeneration> forcedGeneration;
  PlayerId player = kDefaultPlayer;  // --player, else the settings file's Player

  // Throws UsageError for an unreadable profile or an unknown --set key.
  explicit Session(const CliOptions& options);

  std::string EncoderPath() const;
  // The forced generation, else the one detected for the encoder (modern when it cannot be asked).
  EncoderGeneration Generation(const std::string& encoderPath) const;
};

}  // namespace vardeno
