// The command line of vardeno-cli: COMMAND [OPTIONS] [FILES...].
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "conversion/ConversionScript.h"
#include "encoder/EncoderGeneration.h"
#include "player/PlayerId.h"
#include "texts/Language.h"

namespace vardeno {

enum class CliCommand { Help, Version, Preview, Probe, Info, Check, Convert, Script };

enum class GenerationChoice { Auto, Classic, Modern };

struct CliOptions {
  CliCommand command = CliCommand::Help;
  // Settings, applied in this order: defaults, profile, every --set.
  std::optional<std::string> profile;
  std::vector<std::pair<std::string, std::string>> sets;  // key, value
  std::optional<std::string> encoder;
  GenerationChoice generation = GenerationChoice::Auto;
  std::optional<UiLanguage> lang;
  // preview, check, convert, script: the player checked for (default: the settings file's Player).
  std::optional<PlayerId> player;
  bool strict = false;  // convert: an output the player does not play counts as a failed file
  // Conversion and script.
  std::optional<std::string> outDir;
  int outputExistsPolicy = 0;  // rename
  std::optional<std::string> logFile;
  std::optional<std::string> listFile;
  // convert: the stall limit in seconds (0 off); default the settings file's StallMinutes.
  std::optional<long> stallSeconds;
  unsigned jobs = 1;           // convert: files at once; kJobsAuto for the cores this process may use
  bool batchScript = kNativeScriptFormat == ScriptFormat::WindowsBatch;  // --format bat (sh)
  std::string scriptFile;      // script OUTFILE
  std::vector<std::string> files;
};

inline constexpr unsigned kJobsAuto = 0;
inline constexpr unsigned kMaxJobs = 256;

struct CliParseResult {
  std::optional<CliOptions> options;
  std::string error;  // one line naming what was wrong, when options is empty
};

// args are the arguments after the program name.
CliParseResult ParseCliArguments(const std::vector<std::string>& args);

std::string CliHelpText();

}  // namespace vardeno
