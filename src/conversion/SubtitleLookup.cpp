#include "conversion/SubtitleLookup.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "base/FsPath.h"
#include "base/StringUtil.h"
#include "probe/SubtitleStreams.h"
#include "texts/ConversionTexts.h"

namespace vardeno {

namespace {
constexpr const char* kBesideExtensions[] = {"srt", "ass", "ssa", "vtt"};
constexpr size_t kLanguageRank = std::size(kBesideExtensions);

bool IsLanguageTag(std::string_view text) {
  if (text.empty() || text.size() > 16) return false;
  return std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
  });
}

// The place of a file name in the search order, or nullopt when it is no subtitle of the video.
std::optional<size_t> RankOf(const std::string& fileName, const std::string& stem) {
  if (fileName.size() <= stem.size() + 1 || !StartsWith(fileName, stem) || fileName[stem.size()] != '.')
    return std::nullopt;
  const std::string rest = fileName.substr(stem.size() + 1);
  for (size_t rank = 0; rank < kLanguageRank; ++rank)
    if (EqualsIgnoreCase(rest, kBesideExtensions[rank])) return rank;
  const size_t dot = rest.rfind('.');
  if (dot != std::string::npos && EqualsIgnoreCase(rest.substr(dot + 1), "srt") &&
      IsLanguageTag(std::string_view(rest).substr(0, dot)))
    return kLanguageRank;
  return std::nullopt;
}
}  // namespace

std::optional<std::string> FindSubtitleFileBeside(const std::string& videoPath) {
  const std::filesystem::path video = FsPath(videoPath);
  const std::string stem = Utf8Path(video.stem());
  std::error_code error;
  std::optional<std::pair<size_t, std::string>> best;
  for (std::filesystem::directory_iterator it(video.parent_path(), error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = Utf8Path(it->path().filename());
    const std::optional<size_t> rank = RankOf(name, stem);
    if (!rank || !it->is_regular_file(error)) continue;
    const std::pair<size_t, std::string> candidate{*rank, name};
    if (!best || candidate < *best) best = candidate;
  }
  if (!best) return std::nullopt;
  return Utf8Path(video.parent_path() / FsPath(best->second));
}

SubtitleLookup LookUpSubtitles(const EncoderSettings& settings, const std::string& videoPath,
                               const MediaProbe& probe, UiLanguage lang) {
  SubtitleLookup lookup;
  if (settings.Subtitles == static_cast<int>(SubtitleMode::FileBeside)) {
    if (const auto file = FindSubtitleFileBeside(videoPath)) {
      const std::string ext = ToLowerAscii(Utf8Path(FsPath(*file).extension()));
      lookup.source = {SubtitleSource::Kind::TextFile, *file, 0, ext == ".ass" || ext == ".ssa"};
    } else {
      lookup.missing = kNoSubtitleFileHead(lang) + videoPath + kNoSubtitleFileTail(lang);
    }
    return lookup;
  }
  if (settings.Subtitles == static_cast<int>(SubtitleMode::OwnTrack)) {
    const std::vector<std::string> codecs = SubtitleStreamCodecs(probe);
    const int track = settings.SubtitleTrack;
    if (track < 0 || static_cast<size_t>(track) >= codecs.size()) {
      lookup.missing = kNoSubtitleTrackHead(lang) + std::to_string(track + 1) + kNoSubtitleTrackMiddle(lang) +
                       videoPath + kNoSubtitleTrackTail(lang);
      return lookup;
    }
    const std::string& codec = codecs[static_cast<size_t>(track)];
    const SubtitleSource::Kind kind =
        IsPictureSubtitleCodec(codec) ? SubtitleSource::Kind::PictureTrack : SubtitleSource::Kind::TextTrack;
    lookup.source = {kind, videoPath, track, IsStyledSubtitleCodec(codec)};
  }
  return lookup;
}

}  // namespace vardeno
