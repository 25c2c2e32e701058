// The picture chain and the escaping of paths inside a filter graph.
#include "encoder/PictureChain.h"

#include <gtest/gtest.h>

#include "encoder/EnableRules.h"
#include "encoder/EncoderInfo.h"
#include "encoder/FilterGraphText.h"
#include "encoder/GenerationAdapter.h"
#include "encoder/PreviewLine.h"
#include "support/RecordingWarnings.h"

namespace vardeno {

namespace {
const ResolutionList kResolutions = MakeResolutionList(BuiltInResolutions());

EncoderSettings WithSubtitles(int mode) {
  EncoderSettings s;
  s.Subtitles = mode;
  s.Resolution = kResolutionCustom;
  s.ResWidth = 320;
  s.ResHeight = 240;
  s.CropTop = 8;
  s.CropLeft = 4;
  return s;
}
const SubtitleSource kTextFile{SubtitleSource::Kind::TextFile, "/films/a.srt", 0, false};
}  // namespace

TEST(FilterGraphText, EveryCharacterThatEndsAValueIsEscapedAtBothLevels) {
  // Option level: \ ' : get a backslash; graph level: \ ' , ; [ ] on top of that.
  EXPECT_EQ(EscapeFilterOption("a:b'c\\d,e"), "a\\:b\\'c\\\\d,e");
  EXPECT_EQ(EscapeFilterGraph("a\\:b,c;d[e]f'"), "a\\\\:b\\,c\\;d\\[e\\]f\\'");
  EXPECT_EQ(FilterGraphValue("/x/a:b.srt"), "/x/a\\\\:b.srt");
  // A Windows drive letter's colon and backslashes.
  EXPECT_EQ(FilterGraphValue("C:\\Films\\a.srt"), "C\\\\:\\\\\\\\Films\\\\\\\\a.srt");
  // Blanks at the ends would be trimmed by the parsers; inside they are kept escaped too.
  EXPECT_EQ(FilterGraphValue(" a b "), "\\\\\\ a\\\\\\ b\\\\\\ ");
  // Polish letters and other bytes pass as they are.
  EXPECT_EQ(FilterGraphValue("zażółć=%$(x)"), "zażółć=%$(x)");
}

TEST(PictureChain, TextIsDrawnAfterCropAndScalePicturesAreLaidOnTheSource) {
  const EncoderSettings s = WithSubtitles(1);
  EXPECT_EQ(BuildPictureFilter(s, kResolutions, EncoderGeneration::Modern, kTextFile),
            (PictureFilter{"-vf", "crop=iw-(4+0):ih-(8+0):4:8,scale=320:240,subtitles=filename=/films/a.srt:"
                                  "force_style=FontSize=20"}));
  const SubtitleSource styledTrack{SubtitleSource::Kind::TextTrack, "/f/v.mkv", 2, true};
  EXPECT_EQ(BuildPictureFilter(s, kResolutions, EncoderGeneration::Modern, styledTrack).graph,
            "crop=iw-(4+0):ih-(8+0):4:8,scale=320:240,subtitles=filename=/f/v.mkv:si=2");
  const SubtitleSource dvd{SubtitleSource::Kind::PictureTrack, "/f/v.vob", 1, false};
  EXPECT_EQ(BuildPictureFilter(s, kResolutions, EncoderGeneration::Modern, dvd),
            (PictureFilter{"-filter_complex", "[0:v][0:s:1]overlay,crop=iw-(4+0):ih-(8+0):4:8,scale=320:240"}));
  // None found for this file: the crop and the size still apply (the pieces left the crop out).
  EXPECT_EQ(BuildPictureFilter(s, kResolutions, EncoderGeneration::Modern, {}).graph,
            "crop=iw-(4+0):ih-(8+0):4:8,scale=320:240");
  // Not asked for, an audio-only format, or the 2009 encoder: no filter of the file's own.
  EXPECT_EQ(BuildPictureFilter(WithSubtitles(0), kResolutions, EncoderGeneration::Modern, kTextFile), PictureFilter{});
  EncoderSettings audio = s;
  audio.OutputFormat = 8;
  EXPECT_EQ(BuildPictureFilter(audio, kResolutions, EncoderGeneration::Modern, kTextFile), PictureFilter{});
  EXPECT_EQ(BuildPictureFilter(s, kResolutions, EncoderGeneration::Classic, kTextFile), PictureFilter{});
}

TEST(PictureChain, AHostileSubtitleNameStaysOneValueOfOneFilter) {
  const SubtitleSource hostile{SubtitleSource::Kind::TextFile, "/t/x',scale=2:2[out];[in]y:z.srt", 0, true};
  const std::string graph = PictureChainFilter(EncoderSettings{}, kResolutions, hostile).graph;
  EXPECT_EQ(graph, "subtitles=filename=/t/x\\\\\\'\\,scale=2\\\\:2\\[out\\]\\;\\[in\\]y\\\\:z.srt");
}

TEST(PictureChain, CropMovesIntoTheFileFilterOnlyWhenSubtitlesAreBurnedIn) {
  EncoderSettings s = WithSubtitles(1);
  RecordingWarnings w;
  const auto classic = BuildArgumentPieces(s, kResolutions, UiLanguage::English, w);
  ASSERT_TRUE(classic);
  EXPECT_EQ(AdaptPieces(*classic, EncoderGeneration::Modern).advanced,
            "-s 320x240 -vf crop=iw-(4+0):ih-(8+0):4:8");
  EXPECT_EQ(AdaptPieces(*classic, EncoderGeneration::Modern, true).advanced, "-s 320x240");
  // The preview line shows the same filter, with the file's subtitles as a placeholder; the 2009
  // encoder's line is as it always was.
  EXPECT_EQ(BuildPreviewLine(s, kResolutions, EncoderGeneration::Modern, UiLanguage::English, w).line,
            "-y -i <input_file> -vcodec libx264 -profile:v baseline -pix_fmt yuv420p -b:v 500k -r 25 -acodec aac "
            "-b:a 96k -ar 44100 -ac 2 -s 320x240 -vf \"crop=iw-(4+0):ih-(8+0):4:8,scale=320:240,"
            "subtitles=filename=<subtitle_file>:force_style=FontSize=20\"  <output_file>");
  s.Subtitles = 2;
  s.SubtitleTrack = 1;
  EXPECT_NE(BuildPreviewLine(s, kResolutions, EncoderGeneration::Modern, UiLanguage::English, w)
                .line.find("subtitles=filename=<input_file>:si=1:"),
            std::string::npos);
  EXPECT_EQ(BuildPreviewLine(s, kResolutions, EncoderGeneration::Classic, UiLanguage::English, w).line,
            "-y -i <input_file> -vcodec libx264 -b 500k -r 25 -acodec libfaac -ab 96k -ar 44100 -ac 2 -s 320x240 "
            "-croptop 8 -cropleft 4  <output_file>");
}

TEST(PictureChain, TheSubtitleChoiceIsDisabledForThe2009EncoderWithItsReason) {
  EncoderSettings s = WithSubtitles(1);
  auto states = ComputeEnabledControls(s, EncoderGeneration::Modern);
  EXPECT_TRUE(IsControlEnabled(states, "cbSubtitles"));
  EXPECT_FALSE(IsControlEnabled(states, "edSubtitleTrack"));
  s.Subtitles = 2;
  EXPECT_TRUE(IsControlEnabled(ComputeEnabledControls(s, EncoderGeneration::Modern), "edSubtitleTrack"));
  states = ComputeEnabledControls(s, EncoderGeneration::Classic);
  EXPECT_FALSE(IsControlEnabled(states, "cbSubtitles"));
  EXPECT_FALSE(IsControlEnabled(states, "edSubtitleTrack"));
  EXPECT_NE(SubtitlesUnavailableReason(EncoderGeneration::Classic, UiLanguage::English).find("2009"),
            std::string::npos);
  EXPECT_EQ(SubtitlesUnavailableReason(EncoderGeneration::Modern, UiLanguage::Polish), "");
}

TEST(EncoderInfo, FilterListIsReadFromFiltersOutput) {
  const std::vector<std::string> lines = {"Filters:",
                                          "  T.. = Timeline support",
                                          "  | = Source or sink filter",
                                          " ... subtitles         V->V       Render text subtitles onto input video.",
                                          " TSC overlay           VV->V      Overlay a video source on top of the input.",
                                          " ... abuffersink       A->|       Buffer audio frames."};
  EXPECT_EQ(ParseFilterList(lines), (std::vector<std::string>{"subtitles", "overlay", "abuffersink"}));
}

}  // namespace vardeno
