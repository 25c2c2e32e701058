// What each Zune player plays as the file is (no conversion by the Zune software at sync): one
// table, each value with its public source beside it in PlayerLimits.cpp.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "player/PlayerId.h"

namespace vardeno {

// The extensions a Zune takes, for messages.
inline constexpr const char* kPlayableExtensions = ".wmv, .mp4, .m4v, .mov, .wma, .mp3, .m4a, .m4b";

// The kinds of file a player takes; the extension decides it (the Zune software sorts files by it).
enum class FileKind { Wmv, Mpeg4, Wma, Mp3, AacAudio, Other };
// The kind of an extension ("mp4", "WMV", no dot); Other for one no Zune takes.
FileKind FileKindOfExtension(const std::string& extension);
// Whether the encoder's name of a container ("asf", "mov,mp4,m4a,3gp,3g2,mj2", "mp3") fits the kind.
bool ContainerFitsKind(const std::string& container, FileKind kind);

struct FrameLimit {
  int width;
  int height;
  double fps;  // the highest frame rate at this size
};

// One video codec a player decodes. codec is the encoder's name of it ("h264", "mpeg4", "wmv3").
struct VideoCodecLimit {
  const char* codec;
  FileKind kind;                      // the container it plays in
  std::vector<std::string> profiles;  // the profiles it decodes, in lower case, as the encoder names them
  int peakKbps;                       // the peak video bit rate
};

// One audio codec a player decodes, alone or beside a picture.
struct AudioCodecLimit {
  const char* codec;
  std::vector<FileKind> kinds;        // the containers it plays in
  std::vector<std::string> profiles;  // lower case; empty: any (the codec has none)
  int maxKbps;
  int maxSampleRate;
  int maxChannels;
};

struct PlayerLimits {
  PlayerId player;
  std::vector<VideoCodecLimit> video;
  std::vector<FrameLimit> frames;         // a picture plays if it fits one of them
  std::vector<AudioCodecLimit> audioWithVideo;
  std::vector<AudioCodecLimit> audioAlone;
  // The video codecs the Zune software converts for this player at sync (it plays none of them).
  std::vector<std::string> convertedAtSync;
};

// The table's row for player; nullptr for PlayerId::None.
const PlayerLimits* LimitsOf(PlayerId player);

// The size of a player's screen in pixels, which a picture is fitted into keeping its shape.
struct ScreenSize {
  int width;
  int height;
};
// The screen of player; nullopt for PlayerId::None (no screen is known).
std::optional<ScreenSize> ScreenOf(PlayerId player);

}  // namespace vardeno
