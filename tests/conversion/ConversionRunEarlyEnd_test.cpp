// The ways a conversion run ends before or during its rows: refused settings, no encoder, no
// checked row, an output folder that cannot be made, an encoder that cannot start, a missing codec.
#include "conversion/ConversionRun.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/ConversionRunHarness.h"
#include "texts/AppTexts.h"

namespace vardeno {

namespace fs = std::filesystem;
using namespace conversion_run_test;

TEST(ConversionRun, NoCheckedRowsOnlyDisablesAndEnables) {
  Harness h;
  h.AddInput("a.avi", false);
  h.encoder.codecs["libx264"] = false;  // not even this is looked at
  h.request.batchMode = true;
  h.request.batchFileName = h.dir / "convert.sh";
  h.request.afterConversion = 1;
  RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::NoCheckedFiles);
  EXPECT_FALSE(fs::exists(h.dir / "convert.sh"));
  EXPECT_EQ(h.host.closeCalls, 0);
  EXPECT_TRUE(h.view.pauses.empty());
  EXPECT_EQ(h.view.progressWindowShown, 0);
  EXPECT_TRUE(h.view.warnings.empty());
  EXPECT_EQ(h.Status(0), "Ready");
  ExpectCleanEnd(h);

  Harness converting;
  converting.AddInput("a.avi", false);
  converting.encoder.codecs["libx264"] = false;
  result = converting.Execute();
  EXPECT_EQ(result.end, RunEnd::NoCheckedFiles);
  EXPECT_TRUE(converting.view.warnings.empty());
  EXPECT_TRUE(converting.encoder.probed.empty());
  EXPECT_EQ(converting.view.progressWindowShown, 0);
  ExpectCleanEnd(converting);
}

TEST(ConversionRun, RefusedSettingsEndTheRunAfterTheBuildersWarning) {
  Harness h;
  h.AddInput("a.avi");
  h.request.settings.VideoBitrate = "5OO";
  h.request.batchMode = true;
  h.request.batchFileName = h.dir / "convert.sh";
  const RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::RefusedSettings);
  EXPECT_EQ(h.view.warnings, std::vector<std::string>{"Video bitrate: 5OO\r\nBitrate must be a integer value!"});
  EXPECT_TRUE(h.encoder.runs.empty());
  EXPECT_FALSE(fs::exists(h.dir / "convert.sh"));
  EXPECT_TRUE(h.view.pauses.empty());
  ExpectCleanEnd(h);
}

TEST(ConversionRun, InvalidSizeLimitChangesNothing) {
  Harness h;
  h.AddInput("a.avi");
  h.request.settings.SizeLimit = true;
  h.request.settings.SizeLimitValue = "1.5 MB";
  h.run.ErrorCount = 3;
  h.log.AddEntry("from the run before", 3);
  const std::vector<std::string> logBefore = h.log.Lines();

  const RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::InvalidSizeLimit);
  EXPECT_EQ(h.view.warnings, std::vector<std::string>{"File size limit must be a number!"});
  EXPECT_EQ(h.view.disableCalls, 0);
  EXPECT_EQ(h.view.enableCalls, 0);
  EXPECT_TRUE(h.view.errorsCaptions.empty());
  EXPECT_EQ(h.run.ErrorCount, 3);
  EXPECT_EQ(h.log.Lines(), logBefore);
  EXPECT_FALSE(h.run.Running);
  EXPECT_TRUE(h.encoder.runs.empty());

  // Blanks anywhere and a decimal comma are fine: 1.5 MB.
  h.request.settings.SizeLimitValue = " 1 ,5 ";
  h.Execute();
  ASSERT_EQ(h.encoder.runs.size(), 1u);
  EXPECT_NE(h.encoder.runs[0].find(" -fs 1572864 "), std::string::npos) << h.encoder.runs[0];
  EXPECT_EQ(h.run.ErrorCount, 0);
}

TEST(ConversionRun, MissingEncoderProgramEndsTheRunBeforeAnyRow) {
  Harness h;
  h.AddInput("a.avi");
  h.params.EncoderExe = h.dir / "no/such/ffmpeg";
  const RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::NoEncoder);
  EXPECT_EQ(h.view.warnings, std::vector<std::string>{kEncoderMissing(UiLanguage::English)});
  EXPECT_TRUE(h.encoder.probed.empty());
  EXPECT_TRUE(h.view.pauses.empty());
  EXPECT_EQ(h.Status(0), "Ready");
  ExpectCleanEnd(h);
}

TEST(ConversionRun, OutputDirectoryThatCannotBeMadeEndsTheRunEarly) {
  Harness h;
  h.AddInput("a.avi");
  h.AddInput("b.avi");
  h.dir.Write("blocker", "a file where a folder should go");
  const std::string outDir = h.dir / "blocker/out";
  h.request.outputToInputDir = false;
  h.request.outputDir = outDir;
  h.request.batchMode = true;
  h.request.batchFileName = h.dir / "convert.sh";
  h.request.afterConversion = 1;
  RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::CannotCreateDir);
  EXPECT_EQ(h.view.warnings, std::vector<std::string>{"Couldn't create directory \"" + outDir + "\" !"});
  EXPECT_FALSE(fs::exists(h.dir / "convert.sh"));
  EXPECT_EQ(h.run.FileNo, 1);
  EXPECT_EQ(h.host.closeCalls, 0);
  EXPECT_EQ(h.view.abortCaptions, std::vector<std::string>{"Abort"});
  ExpectCleanEnd(h);

  // An empty folder text cannot be made at all: an error box, not the warning.
  for (const std::string& text : {std::string(), std::string("   ")}) {
    Harness e;
    e.AddInput("a.avi");
    e.request.outputToInputDir = false;
    e.request.outputDir = text;
    result = e.Execute();
    EXPECT_EQ(result.end, RunEnd::CannotCreateDir);
    EXPECT_EQ(e.view.systemErrors, std::vector<std::string>{"Unable to create directory"});
    EXPECT_TRUE(e.view.warnings.empty());
    EXPECT_TRUE(e.encoder.runs.empty());
    ExpectCleanEnd(e);
  }
}

TEST(ConversionRun, EncoderThatCannotStartEndsTheRunWithAnErrorBox) {
  Harness h;
  h.AddInput("a.avi");
  h.AddInput("b.avi");
  h.request.afterConversion = 1;
  h.encoder.plans = {FailsToStart()};
  const RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::SystemFailure);
  EXPECT_EQ(h.view.systemErrors, std::vector<std::string>{"System Error.  Code: 2.\r\nNo such file or directory"});
  EXPECT_EQ(h.Status(0), "Converting");
  EXPECT_EQ(h.Status(1), "Ready");
  EXPECT_EQ(h.encoder.runs.size(), 1u);
  EXPECT_EQ(h.view.errorsWindowShown, 0);
  EXPECT_EQ(h.host.closeCalls, 0);
  ExpectCleanEnd(h);
}

TEST(ConversionRun, MissingCodecWarnsButAnUnknownListDoesNot) {
  Harness h;
  h.AddInput("a.avi");
  h.encoder.codecs["aac"] = false;
  RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::MissingCodec);
  ASSERT_EQ(h.view.warnings.size(), 1u);
  EXPECT_EQ(h.view.warnings[0], "The FFmpeg program in use cannot encode with \"aac\".\r\n"
                                "Choose another output format or install an FFmpeg build that has this encoder.");
  EXPECT_TRUE(h.encoder.probed.empty());
  EXPECT_TRUE(h.encoder.runs.empty());
  EXPECT_EQ(h.Status(0), "Ready");
  ExpectCleanEnd(h);

  Harness unknown;
  unknown.AddInput("a.avi");
  unknown.encoder.codecs["libx264"] = std::nullopt;
  unknown.encoder.codecs["aac"] = std::nullopt;
  result = unknown.Execute();
  EXPECT_EQ(result.end, RunEnd::Completed);
  EXPECT_TRUE(unknown.view.warnings.empty());
  EXPECT_EQ(unknown.encoder.codecQueries, (std::vector<std::string>{"libx264", "aac"}));
  EXPECT_EQ(unknown.Status(0), "Done");

  // An audio-only format asks only for its audio encoder.
  Harness mp3;
  mp3.AddInput("a.avi");
  mp3.request.settings.OutputFormat = 8;
  mp3.Execute();
  EXPECT_EQ(mp3.encoder.codecQueries, std::vector<std::string>{"libmp3lame"});
  EXPECT_TRUE(mp3.run.AudioOnly);
}

TEST(ConversionRun, ScriptThatCannotBeSavedIsASystemErrorAndTakesNoAfterRunAction) {
  Harness h;
  h.AddInput("a.avi");
  h.request.batchMode = true;
  h.request.batchFileName = h.dir / "no/such/folder/convert.sh";
  h.request.afterConversion = 1;
  const RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::SystemFailure);
  ASSERT_EQ(h.view.systemErrors.size(), 1u);
  EXPECT_EQ(h.view.systemErrors[0].rfind("System Error.  Code: ", 0), 0u) << h.view.systemErrors[0];
  EXPECT_EQ(h.host.closeCalls, 0);
  EXPECT_EQ(h.view.abortCaptions, std::vector<std::string>{"Abort"});
  ExpectCleanEnd(h);
}

}  // namespace vardeno
