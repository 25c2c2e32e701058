// Which setting controls are enabled for given settings. A disabled control keeps its value;
// the argument builders never look at enabled states.
#pragma once

#include <string>
#include <vector>

#include "encoder/EncoderSettings.h"

struct ControlState {
  std::string name;  // the control's object name, e.g. "cbAudioBitrate"
  bool enabled;
};

// Every control that the rules govern, with its state. The main window applies them by name.
std::vector<ControlState> ComputeEnabledControls(const EncoderSettings& settings);

// The state of one named control in a result of ComputeEnabledControls; true if it is not governed.
bool IsControlEnabled(const std::vector<ControlState>& states, const std::string& name);
