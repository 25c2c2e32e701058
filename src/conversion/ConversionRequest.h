// What a conversion run is asked to do, and the program state it works on.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "base/RgbColor.h"
#include "base/WarningSink.h"
#include "conversion/ConversionScript.h"
#include "conversion/ErrorLog.h"
#include "conversion/RunState.h"
#include "encoder/EncoderSettings.h"
#include "encoder/ResolutionList.h"
#include "filelist/FileList.h"
#include "player/PlayerId.h"
#include "probe/MediaProbe.h"
#include "texts/Language.h"

namespace vardeno {

// The run's choices, copied from the main window's controls when the run starts.
struct ConversionRequest {
  EncoderSettings settings;
  ResolutionList resolutions;
  bool outputToInputDir = true;  // rbOutDirIsInDir
  std::string outputDir;         // edOutDir, used when outputToInputDir is false
  int outputExistsPolicy = 0;    // 0 rename, 1 overwrite, 2 skip, anything else: no choice
  int afterConversion = 0;       // index of the after-conversion list
  bool batchMode = false;        // write a script instead of converting
  std::string batchFileName;
  ScriptFormat scriptFormat = ScriptFormat::PosixShell;
  // A running encoder that prints nothing for this long is ended and its file fails (zero: never).
  std::chrono::seconds stallLimit{0};
  // Every output that converted well is probed and compared with this player (None: nothing is
  // probed).
  PlayerId player = PlayerId::None;
};

// The program state a run works on; it outlives the run.
struct ConversionState {
  // The full path of the configured encoder at the moment of asking; "" when there is none.
  std::function<std::string()> findEncoder;
  // Tells the user that no encoder was found and where one belongs.
  std::function<void(WarningSink&, UiLanguage)> showEncoderMissing;
  RgbColor progressColor;
  const UiLanguage& language;  // the language in force
  RunState& run;
  MediaProbe& currentProbe;
  EncoderOutputLines& outputLines;
  FileList& files;
  ErrorLog& errorLog;
};

}  // namespace vardeno
