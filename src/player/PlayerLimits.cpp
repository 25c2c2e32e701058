// The players' limits. Sources (read 2026-12):
//  [Z30]  Microsoft's Zune (30 GB) spec sheet at launch, as quoted by "Zune is out today…",
//         https://benspark.com/?p=3933
//  [ZNET] Microsoft, "Supported Formats for Zune 4GB, Zune 8GB, and Zune 80GB",
//         http://www.zune.net/en-US/support/usersguide/podcasts/create.htm (its introduction:
//         what is not in a supported format is converted during sync, slowly and with much of the
//         processor). The stored copy we could read ends before the page's table.
//  [C9]   Ben Waggoner, "Encoding for the Zune", https://channel9.msdn.com/Blogs/benwagg/Encoding-for-the-Zune
//         (the zune.net recommendations: up to 320x240, WMV 9, 1.5 Mbps peak, WMA up to 192 kbps,
//         stereo, 44.1 kHz; beyond them the Zune software re-encodes)
//  [LIU]  "File formats supported by Zune", https://www.liutilities.com/articles/file-formats-supported-by-zune/
//         (the Zune 30 plays WMV only; MPEG-4 and H.264 are transcoded to WMV at sync)
//  [HD1]  Microsoft's first Zune HD spec sheet, as quoted by "Microsoft's Zune HD Gets Specs Shown
//         Off", http://www.slashgear.com/microsofts-zune-hd-gets-specs-shown-off-1352272/
//  [HD2]  the corrected sheet, "Zune HD specification sheet revealed",
//         https://neowin.net/amp/zune-hd-specification-sheet-revealed-disappointment-ensues
//  [WIKI] "Zune 4, 8, 16", http://en.wikipedia.org./wiki/Zune_4,_8,_16 (display 320 x 240)
// Where sources disagree the stricter value holds; each such place says so.
#include "player/PlayerLimits.h"

#include <array>

#include "base/StringUtil.h"

namespace vardeno {

FileKind FileKindOfExtension(const std::string& extension) {
  const std::string ext = ToLowerAscii(extension);
  if (ext == "wmv" || ext == "asf") return FileKind::Wmv;
  // [HD1] MPEG-4 and H.264 in .mp4/.m4v; [LIU] MPEG-4 in .mov.
  if (ext == "mp4" || ext == "m4v" || ext == "mov") return FileKind::Mpeg4;
  if (ext == "wma") return FileKind::Wma;
  if (ext == "mp3") return FileKind::Mp3;
  // [Z30] AAC in .mp4, .m4a, .m4b, .mov. A bare ".aac" (ADTS) file is in no source's list.
  if (ext == "m4a" || ext == "m4b") return FileKind::AacAudio;
  return FileKind::Other;
}

bool ContainerFitsKind(const std::string& container, FileKind kind) {
  switch (kind) {
    case FileKind::Wmv:
    case FileKind::Wma:
      return container == "asf";
    case FileKind::Mpeg4:
    case FileKind::AacAudio:
      return container.find("mp4") != std::string::npos || container.find("mov") != std::string::npos;
    case FileKind::Mp3:
      return container == "mp3";
    case FileKind::Other:
      break;
  }
  return false;
}

namespace {
// [Z30] WMV 9 Main Profile up to 1.5 Mbps peak, Simple Profile up to 736 kbps; the encoder names
// WMV 9 "wmv3". [C9] names WMV 9 Advanced Profile for the Zune as well, [Z30] does not: the
// stricter reading leaves it out (so "vc1" plays on no Zune).
// Profiles are matched as the encoder prints them; "" stands for a WMV 9 stream whose profile it
// does not print.
const VideoCodecLimit kWmv9Main{"wmv3", FileKind::Wmv, {"main", ""}, 1500};
const VideoCodecLimit kWmv9Simple{"wmv3", FileKind::Wmv, {"simple"}, 736};

// Audio beside a picture: [Z30] WMA up to 192 kbps, 44.1 kHz, stereo; [C9] the same for every
// Zune. No source gives other figures for AAC beside MPEG-4 or H.264 video, so the WMA figures,
// the stricter ones, hold there too.
const AudioCodecLimit kWmaWithVideo{"wmav2", {FileKind::Wmv}, {}, 192, 44100, 2};
const AudioCodecLimit kAacWithVideo{"aac", {FileKind::Mpeg4}, {"lc"}, 192, 44100, 2};

// Audio files: [Z30] WMA Standard and MP3 up to 320 kbps and 48 kHz; AAC Low Complexity up to
// 320 kbps and 48 kHz in .mp4, .m4a, .m4b, .mov. WMA Standard is the encoder's "wmav2" (WMA 7 to
// 9); WMA version 1 ("wmav1") is older than any format a source lists. No sheet names more than
// two channels.
const std::vector<AudioCodecLimit> kAudioAlone = {
    {"wmav2", {FileKind::Wma, FileKind::Wmv}, {}, 320, 48000, 2},
    {"mp3", {FileKind::Mp3}, {}, 320, 48000, 2},
    {"aac", {FileKind::AacAudio, FileKind::Mpeg4}, {"lc"}, 320, 48000, 2},
};

// The screen's size, 30 frames per second: [Z30] for WMV on the Zune 30; [C9] up to 320x240 for
// every Zune of the zune.net page; [WIKI] the flash models' screen is 320x240. The zune.net table
// could not be read, and no other source lets these models play larger pictures as they are.
const std::vector<FrameLimit> kQvga = {{320, 240, 30.0}};

const std::array<PlayerLimits, 3> kTable = {{
    {PlayerId::Zune30,
     {kWmv9Main, kWmv9Simple},
     kQvga,
     {kWmaWithVideo},
     kAudioAlone,
     // [LIU] the Zune 30 plays WMV only and the Zune software transcodes MPEG-4 and H.264 at
     // sync. A blog of 2007 says firmware 2 brought them to the Zune 30; the stricter reading holds.
     {"h264", "mpeg4"}},
    {PlayerId::Zune,
     // [LIU] H.264 and MPEG-4 on every Zune but the Zune 30. Profiles: H.264 Baseline, MPEG-4
     // Part 2 Simple Profile (as [HD1] for the next model; no source gives others for these).
     // Peak: [C9] 1.5 Mbps; [HD1] gives 2.5 Mbps for MPEG-4 and H.264 on the Zune HD. No source
     // we could read gives a figure for these models, so the stricter 1.5 Mbps holds for all three.
     {kWmv9Main, kWmv9Simple,
      {"mpeg4", FileKind::Mpeg4, {"simple profile"}, 1500},
      {"h264", FileKind::Mpeg4, {"baseline", "constrained baseline"}, 1500}},
     kQvga,
     {kWmaWithVideo, kAacWithVideo},
     kAudioAlone,
     {}},
    {PlayerId::ZuneHD,
     // [HD1] WMV Main and Simple up to 3.0 Mbps peak; MPEG-4 Part 2 Simple up to 2.5 Mbps; H.264
     // Baseline up to 2.5 Mbps. [HD2] corrected them to 10.0, 4.0 and 10 Mbps (and added WMV
     // Advanced Profile and H.264 "Baseline + bframes" up to 1280x720 for the dock): the sources
     // disagree, so the first sheet's stricter figures hold.
     {{"wmv3", FileKind::Wmv, {"main", "simple", ""}, 3000},
      {"mpeg4", FileKind::Mpeg4, {"simple profile"}, 2500},
      {"h264", FileKind::Mpeg4, {"baseline", "constrained baseline"}, 2500}},
     // [HD1] and [HD2]: 720x480 up to 30 frames per second, or 720x576 up to 25. 1280x720 only
     // through the dock: [HD1] says the Zune software transcodes HD files at sync.
     {{720, 480, 30.0}, {720, 576, 25.0}},
     // No Zune HD source names audio figures; those of the earlier models hold.
     {kWmaWithVideo, kAacWithVideo},
     kAudioAlone,
     {}},
}};
}  // namespace

const PlayerLimits* LimitsOf(PlayerId player) {
  for (const PlayerLimits& limits : kTable)
    if (limits.player == player) return &limits;
  return nullptr;
}

std::optional<ScreenSize> ScreenOf(PlayerId player) {
  switch (player) {
    case PlayerId::Zune30:  // [Z30] 320x240
    case PlayerId::Zune:    // [WIKI] 320x240
      return ScreenSize{320, 240};
    case PlayerId::ZuneHD:
      // A 3.3-inch 16:9 OLED screen of 480x272: livemint.com, "Hands On: Make way for Zune HD"
      // (2009), https://www.livemint.com/Leisure/LytB2nxhNQsW4JXq4AAMdJ/Hands-On--Make-way-for-Zune-HD.html
      return ScreenSize{480, 272};
    case PlayerId::None:
      break;
  }
  return std::nullopt;
}

}  // namespace vardeno
