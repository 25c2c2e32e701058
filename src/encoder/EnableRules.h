// Which setting controls are enabled for given settings. A disabled control keeps its value;
// the argument builders never look at enabled states.
#pragma once

#include <string>
#include <vector>

#include "encoder/EncoderGeneration.h"
#include "encoder/EncoderSettings.h"
#include "texts/Language.h"

namespace vardeno {

struct ControlState {
  std::string name;  // the control's object name, e.g. "cbAudioBitrate"
  bool enabled;
};

// Every control that the rules govern, with its state. The main window applies them by name.
// The subtitle controls ("cbSubtitles", "edSubtitleTrack") need a format with a picture and a
// modern encoder (generation); the track number only for the video's own track.
std::vector<ControlState> ComputeEnabledControls(const EncoderSettings& settings,
                                                 EncoderGeneration generation = EncoderGeneration::Modern);

// Why the subtitle choice is disabled for this encoder generation; "" when it is not.
std::string SubtitlesUnavailableReason(EncoderGeneration generation, UiLanguage lang);

// The state of one named control in a result of ComputeEnabledControls; true if it is not governed.
bool IsControlEnabled(const std::vector<ControlState>& states, const std::string& name);

}  // namespace vardeno
