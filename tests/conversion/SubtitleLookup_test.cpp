// Which subtitles a file gets: the documented order of files beside it, and its own tracks.
#include "conversion/SubtitleLookup.h"

#include <gtest/gtest.h>

#include "probe/SubtitleStreams.h"
#include "support/TempDir.h"

namespace vardeno {

namespace {
MediaProbe ProbeWithStreams(const std::vector<std::string>& lines) {
  MediaProbe probe;
  for (size_t i = 0; i < lines.size(); ++i) probe.Streams[i] = {true, lines[i]};
  return probe;
}
}  // namespace

TEST(SubtitleLookup, FilesBesideTheVideoAreFoundInTheDocumentedOrder) {
  TempDir dir;
  const std::string video = dir.Write("Film 1.avi", "");
  EXPECT_EQ(FindSubtitleFileBeside(video), std::nullopt);
  dir.Write("Film 1 extra.srt", "");  // not the same base name
  dir.Write("Film 10.srt", "");
  dir.Write("Film 1.en.forced.srt", "");  // "en.forced" is no language
  EXPECT_EQ(FindSubtitleFileBeside(video), std::nullopt);
  dir.Write("Film 1.pl.srt", "");
  dir.Write("Film 1.en.srt", "");
  EXPECT_EQ(FindSubtitleFileBeside(video), dir / "Film 1.en.srt");
  dir.Write("Film 1.VTT", "");
  EXPECT_EQ(FindSubtitleFileBeside(video), dir / "Film 1.VTT");
  dir.Write("Film 1.ssa", "");
  EXPECT_EQ(FindSubtitleFileBeside(video), dir / "Film 1.ssa");
  dir.Write("Film 1.ass", "");
  EXPECT_EQ(FindSubtitleFileBeside(video), dir / "Film 1.ass");
  dir.Write("Film 1.srt", "");
  EXPECT_EQ(FindSubtitleFileBeside(video), dir / "Film 1.srt");

  EncoderSettings s;
  s.Subtitles = 1;
  const SubtitleLookup found = LookUpSubtitles(s, video, {}, UiLanguage::English);
  EXPECT_EQ(found.source, (SubtitleSource{SubtitleSource::Kind::TextFile, dir / "Film 1.srt", 0, false}));
  EXPECT_TRUE(found.missing.empty());
  const SubtitleLookup none = LookUpSubtitles(s, dir.Write("other.avi", ""), {}, UiLanguage::English);
  EXPECT_EQ(none.source.kind, SubtitleSource::Kind::None);
  EXPECT_NE(none.missing.find("other.avi"), std::string::npos);
}

TEST(SubtitleLookup, OwnTracksAreTextOrPicturesByTheirCodec) {
  const MediaProbe probe = ProbeWithStreams({"Stream #0:0: Video: h264 (High), yuv420p, 640x480",
                                             "Stream #0:1(eng): Audio: aac (LC), 44100 Hz, mono",
                                             "Stream #0:2(eng): Subtitle: subrip (default)",
                                             "Stream #0:3(pol): Subtitle: hdmv_pgs_subtitle, 1920x1080",
                                             "Stream #0:4: Subtitle: ass"});
  EXPECT_EQ(SubtitleStreamCodecs(probe), (std::vector<std::string>{"subrip", "hdmv_pgs_subtitle", "ass"}));
  EncoderSettings s;
  s.Subtitles = 2;
  EXPECT_EQ(LookUpSubtitles(s, "/v.mkv", probe, UiLanguage::English).source,
            (SubtitleSource{SubtitleSource::Kind::TextTrack, "/v.mkv", 0, false}));
  s.SubtitleTrack = 1;
  EXPECT_EQ(LookUpSubtitles(s, "/v.mkv", probe, UiLanguage::English).source.kind,
            SubtitleSource::Kind::PictureTrack);
  s.SubtitleTrack = 2;
  EXPECT_TRUE(LookUpSubtitles(s, "/v.mkv", probe, UiLanguage::English).source.ownStyles);
  s.SubtitleTrack = 3;
  const SubtitleLookup missing = LookUpSubtitles(s, "/v.mkv", probe, UiLanguage::Polish);
  EXPECT_EQ(missing.source.kind, SubtitleSource::Kind::None);
  EXPECT_EQ(missing.missing, "Brak ścieżki napisów nr 4 w \"/v.mkv\"; przekonwertowano go bez napisów.");
}

}  // namespace vardeno
