// Burned-in subtitles in a run: each file's own filter, a file without subtitles, an encoder that
// cannot draw them, and the script lines.
#include <gtest/gtest.h>

#include "conversion/ConversionScript.h"
#include "encoder/FilterGraphText.h"
#include "platform/FileIo.h"
#include "support/ConversionRunHarness.h"

namespace vardeno {

using conversion_run_test::Harness;

namespace {
void AskForSubtitlesBeside(Harness& h) {
  h.request.settings.Subtitles = 1;
  h.request.settings.CropTop = 8;
}
}  // namespace

TEST(ConversionRunSubtitles, EachFileGetsItsOwnFilterAndOneWithoutIsConvertedWithoutAndNoted) {
  Harness h;
  AskForSubtitlesBeside(h);
  h.AddInput("with.avi");
  h.dir.Write("in/with.srt", "1\n00:00:01,000 --> 00:00:02,000\nHi\n");
  h.AddInput("without.avi");
  const RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::Completed);
  ASSERT_EQ(h.encoder.runs.size(), 2u);
  // The crop is in the file's filter, not a second "-vf" in the advanced piece.
  const std::vector<std::string> with = SplitArgumentText(h.encoder.runs[0]);
  ASSERT_EQ(std::count(with.begin(), with.end(), "-vf"), 1);
  const auto vf = std::find(with.begin(), with.end(), "-vf");
  EXPECT_EQ(*(vf + 1), "crop=iw-(0+0):ih-(8+0):0:8,subtitles=filename=" + FilterGraphValue(h.In("with.srt")) +
                           ":force_style=FontSize=20");
  const std::vector<std::string> without = SplitArgumentText(h.encoder.runs[1]);
  const auto vf2 = std::find(without.begin(), without.end(), "-vf");
  ASSERT_NE(vf2, without.end());
  EXPECT_EQ(*(vf2 + 1), "crop=iw-(0+0):ih-(8+0):0:8");
  // Both rows are fine; the log tells of the missing file without counting an error.
  EXPECT_EQ(h.Status(0), "Done");
  EXPECT_EQ(h.Status(1), "Done");
  EXPECT_EQ(result.errorCount, 0);
  EXPECT_TRUE(h.LogHas("No subtitle file (.srt, .ass, .ssa, .vtt) was found beside \"" + h.In("without.avi") +
                       "\"; it was converted without subtitles."));
}

TEST(ConversionRunSubtitles, AnEncoderWithoutTheFilterIsRefusedBeforeAnyFileAndThe2009OneIgnoresTheChoice) {
  Harness h;
  AskForSubtitlesBeside(h);
  h.AddInput("a.avi");
  h.encoder.filters["subtitles"] = false;
  EXPECT_EQ(h.Execute().end, RunEnd::MissingFilter);
  ASSERT_EQ(h.view.warnings.size(), 1u);
  EXPECT_NE(h.view.warnings[0].find("\"subtitles\" filter"), std::string::npos);
  EXPECT_TRUE(h.encoder.runs.empty());
  EXPECT_EQ(h.Status(0), "Ready");

  Harness classic;
  AskForSubtitlesBeside(classic);
  classic.AddInput("a.avi");
  classic.encoder.generation = EncoderGeneration::Classic;
  classic.encoder.filters["subtitles"] = false;
  EXPECT_EQ(classic.Execute().end, RunEnd::Completed);
  ASSERT_EQ(classic.encoder.runs.size(), 1u);
  EXPECT_EQ(classic.encoder.runs[0].find("-vf"), std::string::npos);
  EXPECT_NE(classic.encoder.runs[0].find("-croptop 8"), std::string::npos);
}

TEST(ConversionRunSubtitles, ScriptLinesCarryTheFilterAsOneQuotedArgument) {
  Harness h;
  AskForSubtitlesBeside(h);
  h.request.batchMode = true;
  h.request.batchFileName = h.dir / "run.sh";
  h.AddInput("it's.avi");
  h.dir.Write("in/it's.srt", "");
  ASSERT_EQ(h.Execute().end, RunEnd::Completed);
  const std::string script = ReadFileBytes(h.dir / "run.sh");
  const std::string graph = "crop=iw-(0+0):ih-(8+0):0:8,subtitles=filename=" + FilterGraphValue(h.In("it's.srt")) +
                            ":force_style=FontSize=20";
  EXPECT_NE(script.find(" $AdvParams -vf " + ShellQuote(graph) + " \"$@\" "), std::string::npos) << script;
  EXPECT_NE(script.find("AdvParams=''\n"), std::string::npos) << script;
}

}  // namespace vardeno
