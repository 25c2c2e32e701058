// The state that lives once per program run: what the windows share and the core works on.
// The program entry (or the command-line front end) makes one and hands it on, so tests can
// make a fresh one.
#pragma once

#include <string>

#include "app/AppParams.h"
#include "app/EncoderMissing.h"
#include "app/ProfileList.h"
#include "conversion/ConversionRun.h"
#include "conversion/ErrorLog.h"
#include "conversion/RunState.h"
#include "encoder/ResolutionList.h"
#include "filelist/FileList.h"
#include "probe/MediaProbe.h"
#include "texts/Language.h"

namespace vardeno {

struct ProgramState {
  AppParams Params;
  std::string ProgramDir;           // the executable's folder
  UiLanguage CurrentLanguage = UiLanguage::English;
  bool ControlsUpdating = false;    // the program itself is changing controls
  ResolutionList Resolutions;
  ProfileTable Profiles;
  FileList Files;
  RunState Run;
  MediaProbe CurrentProbe;
  EncoderOutputLines OutputLines;
  ErrorLog Errors;

  // What a conversion run works on.
  ConversionState ForConversion() {
    return {[this] { return GetEncoderPath(Params, ProgramDir); },
            ShowEncoderMissing,
            Params.PbColor,
            CurrentLanguage,
            Run,
            CurrentProbe,
            OutputLines,
            Files,
            Errors};
  }
};

}  // namespace vardeno
