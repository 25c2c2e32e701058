// Comparing a file with a player: what the settings in force will make (before a run) or what
// the probe read from a file (after a run, the CLI's check, the file information window).
// A check tells; it never stops a run.
#pragma once

#include <string>
#include <vector>

#include "encoder/ArgumentBuilder.h"
#include "encoder/EncoderSettings.h"
#include "encoder/ResolutionList.h"
#include "player/PlayerId.h"
#include "probe/MediaProbe.h"

namespace vardeno {

// What a file holds, as far as a player cares. Texts are the encoder's names in lower case;
// "" and 0 stand for what is not known (before a run: a picture size that follows the source).
struct MediaFacts {
  std::string extension;  // without the dot, lower case
  std::string container;  // the encoder's name of what it read; "" when not probed
  bool hasVideo = false;
  bool hasAudio = false;
  std::string videoCodec;  // "h264", "mpeg4", "wmv2", ...
  std::string videoProfile;
  std::string pixelFormat;
  int width = 0;
  int height = 0;
  double fps = 0;
  int videoKbps = 0;
  std::string audioCodec;  // "aac", "mp3", "wmav2", ...
  std::string audioProfile;
  int audioKbps = 0;
  int sampleRate = 0;
  int channels = 0;  // 0: not known
};

enum class ProblemKind {
  FileType,       // an extension or container no Zune takes
  VideoCodec,     // a codec the player does not decode
  VideoProfile,
  PixelFormat,
  FrameSize,
  FrameRate,
  VideoBitrate,
  AudioCodec,
  AudioProfile,
  AudioBitrate,
  SampleRate,
  Channels,
};

// One value outside the player's limits: the value and the limit as texts ("640x480",
// "320x240"), and whether the Zune software converts such a file when it syncs it.
struct PlayerProblem {
  ProblemKind kind;
  std::string value;
  std::string limit;
  bool convertedAtSync = false;
  bool operator==(const PlayerProblem&) const = default;
};

enum class Verdict {
  NotChecked,  // "Other player (no checks)"
  Plays,
  DoesNotPlay,
  CannotTell,  // the file could not be read
};

struct PlayerVerdict {
  PlayerId player = PlayerId::None;
  Verdict verdict = Verdict::NotChecked;
  std::vector<PlayerProblem> problems;  // DoesNotPlay: at least one, the most important first
  std::string cannotTellReason;         // CannotTell: why, in the language asked for
};

// Compares facts with the player's limits (table in PlayerLimits.cpp).
PlayerVerdict CompareWithPlayer(const MediaFacts& facts, PlayerId player);

// What the settings will make, as the encoder gets them: the argument pieces adapted to a modern
// encoder, with the user's extra parameters read in order (a later option wins, as in the
// encoder). nullopt when an argument builder refuses a value (the run refuses it too).
std::optional<MediaFacts> FactsFromSettings(const EncoderSettings& settings, const ResolutionList& resolutions);
// Facts out of the encoder's argument list for an output with that extension.
MediaFacts FactsFromArguments(const std::vector<std::string>& arguments, const std::string& extension);
// What the probe read of path.
MediaFacts FactsFromProbe(const MediaProbe& probe);

// Before a run: the settings against the player (NotChecked for PlayerId::None or refused settings).
PlayerVerdict CheckSettingsForPlayer(const EncoderSettings& settings, const ResolutionList& resolutions,
                                     PlayerId player);
// After a run or for a user's file: the probe of it against the player. A probe that found no
// stream (a missing or unreadable file, an encoder that hung) gives CannotTell, never Plays.
PlayerVerdict CheckProbeForPlayer(const MediaProbe& probe, PlayerId player, UiLanguage lang);

}  // namespace vardeno
