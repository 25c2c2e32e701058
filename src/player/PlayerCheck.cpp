// Comparing what a file holds with one player's row of the limits table.
#include "player/PlayerCheck.h"

#include <algorithm>
#include <cstdio>

#include "base/NumberText.h"
#include "base/StringUtil.h"
#include "encoder/GenerationAdapter.h"
#include "platform/ArgumentText.h"
#include "player/PlayerLimits.h"
#include "player/PlayerReport.h"
#include "texts/PlayerTexts.h"

namespace vardeno {

namespace {
// A rate printed as 29.97 for 30000/1001 is still 30 frames per second's worth.
constexpr double kFpsTolerance = 0.01;

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string Size(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

bool Contains(const std::vector<std::string>& list, const std::string& value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

std::string Joined(const std::vector<std::string>& items, const char* separator) {
  std::string text;
  for (const std::string& item : items) {
    if (!text.empty()) text += separator;
    text += item;
  }
  return text;
}

// "baseline" -> "Baseline", "simple profile" -> "Simple Profile": profiles as the encoder prints them.
std::string ProfileDisplay(const std::string& profile) {
  std::string text = profile;
  bool start = true;
  for (char& c : text) {
    if (start && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    start = c == ' ';
  }
  return text;
}

std::vector<std::string> ProfilesOf(const std::vector<VideoCodecLimit>& rows, const std::string& codec) {
  std::vector<std::string> profiles;
  for (const VideoCodecLimit& row : rows)
    if (codec == row.codec)
      for (const std::string& profile : row.profiles)
        if (!profile.empty() && !Contains(profiles, ProfileDisplay(profile))) profiles.push_back(ProfileDisplay(profile));
  return profiles;
}

std::string VideoCodecsOf(const PlayerLimits& limits) {
  std::vector<std::string> names;
  for (const VideoCodecLimit& row : limits.video)
    if (!Contains(names, CodecDisplayName(row.codec))) names.push_back(CodecDisplayName(row.codec));
  return Joined(names, ", ");
}

std::string AudioCodecsOf(const std::vector<AudioCodecLimit>& rows) {
  std::vector<std::string> names;
  for (const AudioCodecLimit& row : rows)
    if (!Contains(names, CodecDisplayName(row.codec))) names.push_back(CodecDisplayName(row.codec));
  return Joined(names, ", ");
}

void CheckVideo(const MediaFacts& facts, FileKind kind, const PlayerLimits& limits, std::vector<PlayerProblem>& problems) {
  if (!facts.videoCodec.empty()) {
    const VideoCodecLimit* codecRow = nullptr;
    const VideoCodecLimit* profileRow = nullptr;
    for (const VideoCodecLimit& row : limits.video) {
      if (facts.videoCodec != row.codec) continue;
      if (!codecRow) codecRow = &row;
      if (!profileRow && (facts.videoProfile.empty() || Contains(row.profiles, facts.videoProfile))) profileRow = &row;
    }
    if (!codecRow) {
      problems.push_back({ProblemKind::VideoCodec, CodecDisplayName(facts.videoCodec), VideoCodecsOf(limits), true});
    } else {
      if (kind != FileKind::Other && kind != codecRow->kind)
        problems.push_back({ProblemKind::FileType, "." + facts.extension, CodecDisplayName(codecRow->codec), true});
      if (!profileRow)
        problems.push_back({ProblemKind::VideoProfile, ProfileDisplay(facts.videoProfile),
                            Joined(ProfilesOf(limits.video, facts.videoCodec), ", "), true});
      int peak = 0;
      if (profileRow) {
        peak = profileRow->peakKbps;
      } else {
        for (const VideoCodecLimit& row : limits.video)
          if (facts.videoCodec == row.codec) peak = std::max(peak, row.peakKbps);
      }
      if (facts.videoKbps > peak)
        problems.push_back({ProblemKind::VideoBitrate, std::to_string(facts.videoKbps), std::to_string(peak)});
    }
  }

  if (facts.width > 0 && facts.height > 0) {
    double fpsLimit = -1;
    for (const FrameLimit& frame : limits.frames)
      if (facts.width <= frame.width && facts.height <= frame.height) fpsLimit = std::max(fpsLimit, frame.fps);
    if (fpsLimit < 0) {
      std::vector<std::string> sizes;
      for (const FrameLimit& frame : limits.frames) sizes.push_back(Size(frame.width, frame.height));
      problems.push_back({ProblemKind::FrameSize, Size(facts.width, facts.height), Joined(sizes, " / "), true});
    } else if (facts.fps > fpsLimit + kFpsTolerance) {
      problems.push_back({ProblemKind::FrameRate, Number(facts.fps), Number(fpsLimit)});
    }
  } else if (facts.fps > 0) {
    // The size follows the source: only a rate above every size's limit is sure to be too high.
    double fpsLimit = 0;
    for (const FrameLimit& frame : limits.frames) fpsLimit = std::max(fpsLimit, frame.fps);
    if (facts.fps > fpsLimit + kFpsTolerance)
      problems.push_back({ProblemKind::FrameRate, Number(facts.fps), Number(fpsLimit)});
  }

  // Every Zune decoder takes 8-bit 4:2:0 pictures only.
  if (!facts.pixelFormat.empty() && facts.pixelFormat != "yuv420p" && facts.pixelFormat != "yuvj420p")
    problems.push_back({ProblemKind::PixelFormat, facts.pixelFormat, "yuv420p"});
}

void CheckAudio(const MediaFacts& facts, FileKind kind, const std::vector<AudioCodecLimit>& rows,
                std::vector<PlayerProblem>& problems) {
  if (facts.audioCodec.empty()) return;
  const AudioCodecLimit* row = nullptr;
  // In a file of a type no Zune takes, only the codec is judged (the type is a problem of its own).
  for (const AudioCodecLimit& candidate : rows)
    if (facts.audioCodec == candidate.codec &&
        (kind == FileKind::Other || std::find(candidate.kinds.begin(), candidate.kinds.end(), kind) != candidate.kinds.end()))
      row = &candidate;
  if (!row) {
    problems.push_back({ProblemKind::AudioCodec, CodecDisplayName(facts.audioCodec), AudioCodecsOf(rows), true});
    return;
  }
  if (!row->profiles.empty() && !facts.audioProfile.empty() && !Contains(row->profiles, facts.audioProfile))
    problems.push_back({ProblemKind::AudioProfile, facts.audioProfile, Joined(row->profiles, ", ")});
  if (facts.audioKbps > row->maxKbps)
    problems.push_back({ProblemKind::AudioBitrate, std::to_string(facts.audioKbps), std::to_string(row->maxKbps)});
  if (facts.sampleRate > row->maxSampleRate)
    problems.push_back(
        {ProblemKind::SampleRate, std::to_string(facts.sampleRate), std::to_string(row->maxSampleRate)});
  if (facts.channels > row->maxChannels)
    problems.push_back({ProblemKind::Channels, std::to_string(facts.channels), std::to_string(row->maxChannels)});
}
}  // namespace

PlayerVerdict CompareWithPlayer(const MediaFacts& facts, PlayerId player) {
  PlayerVerdict result;
  result.player = player;
  const PlayerLimits* limits = LimitsOf(player);
  if (!limits) return result;

  const FileKind kind = FileKindOfExtension(facts.extension);
  if (kind == FileKind::Other)
    result.problems.push_back({ProblemKind::FileType, "." + facts.extension, kPlayableExtensions, true});
  else if (!facts.container.empty() && !ContainerFitsKind(facts.container, kind))
    result.problems.push_back({ProblemKind::FileType, facts.container, "." + facts.extension, true});

  if (facts.hasVideo) CheckVideo(facts, kind, *limits, result.problems);
  if (facts.hasAudio) CheckAudio(facts, kind, facts.hasVideo ? limits->audioWithVideo : limits->audioAlone, result.problems);
  result.verdict = result.problems.empty() ? Verdict::Plays : Verdict::DoesNotPlay;
  return result;
}

PlayerVerdict CheckSettingsForPlayer(const EncoderSettings& settings, const ResolutionList& resolutions,
                                     PlayerId player) {
  if (player == PlayerId::None) return {};
  const std::optional<MediaFacts> facts = FactsFromSettings(settings, resolutions);
  if (!facts) return {player, Verdict::NotChecked, {}, {}};
  return CompareWithPlayer(*facts, player);
}

PlayerVerdict CheckProbeForPlayer(const MediaProbe& probe, PlayerId player, UiLanguage lang) {
  PlayerVerdict result;
  result.player = player;
  if (player == PlayerId::None) return result;
  if (probe.VideoCodec.empty() && probe.AudioCodec.empty()) {
    result.verdict = Verdict::CannotTell;
    result.cannotTellReason = probe.FileSize == 0 ? kCannotTellNoFile(lang) : kCannotTellNoStreams(lang);
    return result;
  }
  return CompareWithPlayer(FactsFromProbe(probe), player);
}

}  // namespace vardeno
