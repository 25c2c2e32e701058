#include "encoder/EnableRules.h"

#include <initializer_list>

#include "encoder/OutputFormat.h"
#include "encoder/PictureChain.h"
#include "encoder/ResolutionList.h"
#include "texts/ConversionTexts.h"

namespace vardeno {

namespace {
void Set(std::vector<ControlState>& states, std::initializer_list<const char*> names, bool enabled) {
  for (const char* name : names) states.push_back({name, enabled});
}
}  // namespace

std::vector<ControlState> ComputeEnabledControls(const EncoderSettings& s, EncoderGeneration generation) {
  const bool video = HasVideo(s.OutputFormat);
  std::vector<ControlState> states;
  Set(states, {"cbAviVideoBitrate", "cbAviVideoFPS", "lblAviVideoBitrate", "lblAviVideoKbps", "lblAviVideoFPS"},
      video);
  Set(states, {"chAudioDontCopy"}, video);
  Set(states,
      {"cbAudioBitrate", "cbAudioSampling", "lblAudioBitrate", "lblAudioKbps", "lblAudioSampling", "lblAudioHz"},
      !video || !s.DoNotCopyAudio);
  Set(states, {"tbAudioVolume", "lblAudioVolumeInfo", "lblAudioVolume"}, !s.DoNotCopyAudio);
  Set(states,
      {"edCropTop", "udCropTop", "edCropBottom", "udCropBottom", "edCropLeft", "udCropLeft", "edCropRight",
       "udCropRight"},
      video);
  Set(states, {"cbResolution"}, video);
  Set(states, {"edResWidth", "udResWidth", "edResHeight", "udResHeight", "lblResX"},
      video && s.Resolution == kResolutionCustom);
  Set(states, {"edSizeLimit", "cbSizeLimitUnit"}, s.SizeLimit);
  Set(states, {"edTimeLimitDH", "udTimeLimitDH", "edTimeLimitDM", "udTimeLimitDM", "edTimeLimitDS", "udTimeLimitDS"},
      s.TimeLimitDuration);
  Set(states, {"edTimeLimitSH", "udTimeLimitSH", "edTimeLimitSM", "udTimeLimitSM", "edTimeLimitSS", "udTimeLimitSS"},
      s.TimeLimitStart);
  const bool subtitles = video && generation == EncoderGeneration::Modern;
  Set(states, {"cbSubtitles", "lblSubtitles"}, subtitles);
  Set(states, {"edSubtitleTrack", "lblSubtitleTrack"},
      subtitles && s.Subtitles == static_cast<int>(SubtitleMode::OwnTrack));
  return states;
}

std::string SubtitlesUnavailableReason(EncoderGeneration generation, UiLanguage lang) {
  return generation == EncoderGeneration::Classic ? kClassicEncoderNoSubtitles(lang) : std::string();
}

bool IsControlEnabled(const std::vector<ControlState>& states, const std::string& name) {
  for (const ControlState& state : states)
    if (state.name == name) return state.enabled;
  return true;
}

}  // namespace vardeno
