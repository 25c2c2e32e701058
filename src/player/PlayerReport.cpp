#include "player/PlayerReport.h"

#include "texts/PlayerTexts.h"

namespace vardeno {

namespace {
const ProblemTexts& TextsOf(ProblemKind kind) {
  switch (kind) {
    case ProblemKind::FileType: return kProblemFileType;
    case ProblemKind::VideoCodec: return kProblemVideoCodec;
    case ProblemKind::VideoProfile: return kProblemVideoProfile;
    case ProblemKind::PixelFormat: return kProblemPixelFormat;
    case ProblemKind::FrameSize: return kProblemFrameSize;
    case ProblemKind::FrameRate: return kProblemFrameRate;
    case ProblemKind::VideoBitrate: return kProblemVideoBitrate;
    case ProblemKind::AudioCodec: return kProblemAudioCodec;
    case ProblemKind::AudioProfile: return kProblemAudioProfile;
    case ProblemKind::AudioBitrate: return kProblemAudioBitrate;
    case ProblemKind::SampleRate: return kProblemSampleRate;
    case ProblemKind::Channels: break;
  }
  return kProblemChannels;
}
}  // namespace

std::string CodecDisplayName(const std::string& codec) {
  struct Name {
    const char* codec;
    const char* shown;
  };
  static constexpr Name kNames[] = {
      {"h264", "H.264"},   {"mpeg4", "MPEG-4 Part 2"}, {"wmv1", "WMV 7"},        {"wmv2", "WMV 8"},
      {"wmv3", "WMV 9"},   {"vc1", "VC-1 (WMV 9 Advanced)"}, {"aac", "AAC"},     {"mp3", "MP3"},
      {"wmav1", "WMA 1"},  {"wmav2", "WMA Standard"},  {"wmapro", "WMA Pro"}, {"hevc", "H.265"}};
  for (const Name& name : kNames)
    if (codec == name.codec) return name.shown;
  return codec;
}

std::string ProblemText(const PlayerProblem& problem, UiLanguage lang) {
  const ProblemTexts& texts = TextsOf(problem.kind);
  std::string text = texts.head(lang) + problem.value + texts.middle(lang) + problem.limit + texts.tail(lang);
  if (problem.convertedAtSync) text += kConvertedAtSync(lang);
  return text;
}

std::string VerdictLine(const PlayerVerdict& verdict, UiLanguage lang) {
  const std::string player = PlayerName(verdict.player, lang);
  switch (verdict.verdict) {
    case Verdict::NotChecked: return kVerdictNotChecked(lang);
    case Verdict::Plays: return kVerdictPlays(lang) + player;
    case Verdict::CannotTell: return kVerdictCannotTell(lang) + player + ": " + verdict.cannotTellReason;
    case Verdict::DoesNotPlay: break;
  }
  std::string line = kVerdictDoesNotPlay(lang) + player + ":";
  for (size_t i = 0; i < verdict.problems.size(); ++i) line += (i == 0 ? " " : "; ") + ProblemText(verdict.problems[i], lang);
  return line;
}

std::vector<std::string> PreRunLines(const PlayerVerdict& verdict, UiLanguage lang) {
  std::vector<std::string> lines;
  if (verdict.verdict != Verdict::DoesNotPlay) return lines;
  for (const PlayerProblem& problem : verdict.problems)
    lines.push_back(kNotForHead(lang) + PlayerName(verdict.player, lang) + ": " + ProblemText(problem, lang));
  return lines;
}

std::string StatusAfterPlayerCheck(const std::string& planned, const PlayerVerdict& verdict, UiLanguage lang) {
  switch (verdict.verdict) {
    case Verdict::DoesNotPlay: return kStatusNotFor(lang) + PlayerName(verdict.player, lang);
    case Verdict::CannotTell: return kStatusNotCheckedFor(lang) + PlayerName(verdict.player, lang);
    case Verdict::Plays:
    case Verdict::NotChecked: break;
  }
  return planned;
}

std::string PlayerLogEntry(const std::string& outputPath, const PlayerVerdict& verdict, UiLanguage lang) {
  if (verdict.verdict != Verdict::DoesNotPlay && verdict.verdict != Verdict::CannotTell) return {};
  std::string entry = kLogFile(lang) + outputPath + "\r\n" + kLogPlayer(lang) + PlayerName(verdict.player, lang) + "\r\n";
  if (verdict.verdict == Verdict::CannotTell) return entry + kLogCannotTell(lang) + verdict.cannotTellReason + "\r\n";
  entry += kLogDoesNotPlay(lang) + "\r\n";
  for (const PlayerProblem& problem : verdict.problems) entry += "  " + ProblemText(problem, lang) + "\r\n";
  return entry;
}

}  // namespace vardeno
