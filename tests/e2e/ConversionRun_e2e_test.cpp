// The conversion run with the real ffmpeg on tiny clips made by ffmpeg's own test sources; every
// output is probed with ffprobe to prove it is what was asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "e2e/RealConversion.h"

namespace vardeno {

using namespace e2e;

TEST(ConversionRunEndToEnd, Mp4WithH264AndAac) {
  RealRun r;
  const std::string input = r.dir / "clip.avi";
  MakeClip(input, 1.0);
  r.AddRow(input);
  const RunResult result = r.Execute();
  EXPECT_EQ(result.end, RunEnd::Completed);
  EXPECT_EQ(result.errorCount, 0);
  EXPECT_EQ(r.Status(0), "Done");
  EXPECT_EQ(ProbeStreams(r.dir / "clip.mp4"), (std::vector<std::string>{"h264,video,160,120", "aac,audio"}));
  EXPECT_NEAR(ProbeDuration(r.dir / "clip.mp4"), 1.0, 0.15);
  // The input was probed before it was converted, and the progress display was fed.
  EXPECT_EQ(r.currentProbe.Duration, 1);
  EXPECT_EQ(r.currentProbe.Width, 160);
  EXPECT_GT(r.view.progressUpdates, 0);
  EXPECT_EQ(r.view.progress.back(), 100);
}

TEST(ConversionRunEndToEnd, AudioOnlyMp3) {
  RealRun r;
  const std::string input = r.dir / "clip.avi";
  MakeClip(input, 0.5);
  r.AddRow(input);
  r.request.settings.OutputFormat = 8;  // MP3
  r.Execute();
  EXPECT_EQ(r.Status(0), "Done");
  EXPECT_TRUE(r.run.AudioOnly);
  EXPECT_EQ(ProbeStreams(r.dir / "clip.mp3"), std::vector<std::string>{"mp3,audio"});
}

TEST(ConversionRunEndToEnd, PictureSizeAndCropReachTheEncoder) {
  RealRun r;
  const std::string input = r.dir / "clip.avi";
  MakeClip(input, 0.5, false);
  r.AddRow(input);
  r.request.settings.DoNotCopyAudio = true;
  r.request.settings.Resolution = kResolutionCustom;
  r.request.settings.ResWidth = 96;
  r.request.settings.ResHeight = 64;
  r.Execute();
  EXPECT_EQ(r.Status(0), "Done");
  EXPECT_EQ(ProbeVideoSize(r.dir / "clip.mp4"), "96x64");

  r.request.settings.Resolution = kResolutionAuto;
  r.request.settings.CropTop = 8;
  r.request.settings.CropLeft = 4;
  r.request.settings.CropRight = 4;
  r.Execute();
  EXPECT_EQ(r.Status(0), "OK - Renamed");
  EXPECT_EQ(ProbeVideoSize(r.dir / "clip_001.mp4"), "152x112");
}

TEST(ConversionRunEndToEnd, BrokenInputFailsAndTheNextFileStillConverts) {
  RealRun r;
  std::string garbage;
  for (int i = 0; i < 200; ++i) garbage += "This is not a video file at all.\n";
  const std::string broken = r.dir.Write("broken.avi", garbage);
  const std::string good = r.dir / "good.avi";
  MakeClip(good, 0.5);
  r.AddRow(broken);
  r.AddRow(good);
  r.request.afterConversion = 1;

  const RunResult result = r.Execute();
  EXPECT_EQ(result.errorCount, 1);
  const std::string failed = r.Status(0);
  EXPECT_EQ(failed.rfind("Error (", 0), 0u) << failed;
  EXPECT_NE(failed, "Error (0)");
  EXPECT_TRUE(r.LogHasLineStarting("Error # 1"));
  EXPECT_TRUE(r.LogHasLineStarting("ExitCode: " + failed.substr(7, failed.size() - 8)));
  // The encoder's own reason names the file: "<path>: Invalid data found..." in FFmpeg 5.1,
  // "Error opening input file <path>." in 7.1.
  EXPECT_TRUE(r.LogHasLineStarting(broken + ": Invalid data found") ||
              r.LogHasLineStarting("Error opening input file " + broken))
      << testing::PrintToString(r.log.Lines());
  EXPECT_FALSE(fs::exists(r.dir / "broken.mp4"));
  EXPECT_EQ(ReadWholeFile(broken), garbage);
  EXPECT_EQ(r.Status(1), "Done");
  EXPECT_EQ(ProbeStreams(r.dir / "good.mp4"), (std::vector<std::string>{"h264,video,160,120", "aac,audio"}));
  EXPECT_EQ(r.view.errorsWindowShown, 1);
  EXPECT_EQ(r.host.closeCalls, 0);
}

TEST(ConversionRunEndToEnd, AbortEndsALongConversionQuickly) {
  RealRun r;
  const std::string first = r.dir / "first.avi";
  const std::string longer = r.dir / "long.avi";
  const std::string third = r.dir / "third.avi";
  MakeClip(first, 0.5, false);
  // A minute of plain grey is quick to make; scaled up to 1280x720 it takes long to encode.
  const CommandResult made = RunCommand({"ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                                         "color=c=gray:size=160x120:rate=25:duration=60", "-c:v", "mpeg4", longer});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  MakeClip(third, 0.5, false);
  r.AddRow(first);
  r.AddRow(longer);
  r.AddRow(third);
  r.request.settings.DoNotCopyAudio = true;
  r.request.settings.Resolution = kResolutionCustom;
  r.request.settings.ResWidth = 1280;
  r.request.settings.ResHeight = 720;
  r.request.afterConversion = 1;

  // The user clicks Abort once the long file shows encoded frames; the click is handled at the
  // next pending-events point.
  bool clickPending = false;
  std::optional<std::chrono::steady_clock::time_point> abortedAt;
  int framesSeen = 0;
  r.view.onProgress = [&](const ProgressUpdate& update) {
    if (r.view.CurrentInput() == longer && update.values.frameNumber > 0 && !abortedAt) {
      framesSeen = update.values.frameNumber;
      clickPending = true;
    }
  };
  r.view.onPendingEvents = [&] {
    if (!clickPending) return;
    clickPending = false;
    r.run.AbortRequested = true;
    abortedAt = std::chrono::steady_clock::now();
  };

  const RunResult result = r.Execute();
  ASSERT_TRUE(abortedAt.has_value());
  const auto afterAbort = std::chrono::steady_clock::now() - *abortedAt;
  EXPECT_LT(afterAbort, std::chrono::milliseconds(4500));  // not the runner's full 5 s wait, nor the file's end
  EXPECT_GT(framesSeen, 0);
  EXPECT_TRUE(result.aborted);
  EXPECT_EQ(r.Status(0), "Done");
  EXPECT_EQ(r.Status(1), "Aborted");
  EXPECT_EQ(r.Status(2), "Ready");
  EXPECT_TRUE(r.LogHasLineStarting("ExitCode: 1"));
  EXPECT_EQ(r.view.errorsWindowShown, 0);
  EXPECT_EQ(r.view.errorsCaptions.back(), "Errors (1)");
  EXPECT_EQ(r.host.closeCalls, 0);
  EXPECT_FALSE(fs::exists(r.dir / "third.mp4"));
  EXPECT_FALSE(r.run.Running);
}

TEST(ConversionRunEndToEnd, ScriptRunsNothingAFileNameHolds) {
  RealRun r;
  const std::string name = "a&b %PATH% $(touch pwned) \"q\" 'x'";
  const std::string input = r.dir / (name + ".avi");
  MakeClip(input, 0.5);
  r.AddRow(input);
  // An additional parameter with shell syntax in it reaches the encoder as the same text.
  r.request.settings.AdditionalParams = {"-metadata \"title=t $(touch pwned) `touch pwned` 'q'\""};
  r.request.batchMode = true;
  r.request.batchFileName = r.dir / "convert.sh";
  r.request.scriptFormat = ScriptFormat::PosixShell;
  const RunResult result = r.Execute();
  ASSERT_EQ(result.end, RunEnd::Completed);
  EXPECT_FALSE(fs::exists(r.dir / (name + ".mp4")));

  // Run as a user would: sh in the file's folder, nobody at the keyboard.
  const CommandResult ran =
      RunCommand({"/bin/sh", "-c", "cd \"$1\" && exec /bin/sh \"$2\"", "sh", r.dir.Path().string(), r.dir / "convert.sh"});
  EXPECT_NE(ran.output.find("Press Enter to continue"), std::string::npos) << ran.output;
  const std::string output = r.dir / (name + ".mp4");
  EXPECT_EQ(ProbeStreams(output), (std::vector<std::string>{"h264,video,160,120", "aac,audio"})) << ran.output;
  const CommandResult title =
      RunCommand({"ffprobe", "-v", "error", "-show_entries", "format_tags=title", "-of", "csv=p=0", output}, false);
  EXPECT_EQ(title.output, "t $(touch pwned) `touch pwned` 'q'\n");
  for (const auto& entry : fs::recursive_directory_iterator(r.dir.Path()))
    EXPECT_NE(entry.path().filename(), "pwned") << entry.path();

  // The same file converted directly by the run: the runner passes the name intact too.
  r.request.batchMode = false;
  r.request.outputToInputDir = false;
  r.request.outputDir = r.dir / "direct";
  r.Execute();
  EXPECT_EQ(r.Status(0), "Done");
  EXPECT_EQ(ProbeStreams(r.dir / ("direct/" + name + ".mp4")),
            (std::vector<std::string>{"h264,video,160,120", "aac,audio"}));
  EXPECT_FALSE(fs::exists(r.dir / "pwned"));

  // The batch form of the line: cmd's "%" doubled, the quotes escaped for the argument parser,
  // and "&", "(" and ")" inside cmd's quotes where it does not act on them.
  r.request.batchMode = true;
  r.request.outputToInputDir = true;
  r.request.outputExistsPolicy = 1;
  r.request.batchFileName = r.dir / "convert.bat";
  r.request.scriptFormat = ScriptFormat::WindowsBatch;
  r.Execute();
  const std::string folder = r.dir.Path().string();
  const std::string expected = "%ffmpeg% -y -i \"" + folder + "/a&b %%PATH%% $(touch pwned) \\\"q\\\" 'x'.avi\" "
                               "%VCodec% %VParams% %ACodec% %AParams% %AdvParams% %AddParams% \"" +
                               folder + "/a&b %%PATH%% $(touch pwned) \\\"q\\\" 'x'.mp4\"\r\n";
  const std::string bat = ReadWholeFile(r.dir / "convert.bat");
  EXPECT_NE(bat.find("\r\n" + expected + "pause\r\n"), std::string::npos) << bat;
}

}  // namespace vardeno
