// The conversion run with the real ffmpeg on tiny clips made by ffmpeg's own test sources; every
// output is probed with ffprobe to prove it is what was asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "conversion/ConversionRun.h"
#include "conversion/SystemEncoder.h"
#include "support/Command.h"
#include "support/RecordingConversionView.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// A clip of 160x120 test picture at 10 frames a second, with a sine tone unless silent.
void MakeClip(const std::string& path, double seconds, bool withAudio = true) {
  const std::string length = std::to_string(seconds);
  std::vector<std::string> argv = {"ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                                   "testsrc=duration=" + length + ":size=160x120:rate=10"};
  if (withAudio) {
    for (const char* arg : {"-f", "lavfi", "-i"}) argv.push_back(arg);
    argv.push_back("sine=frequency=440:sample_rate=44100:duration=" + length);
  }
  for (const char* arg : {"-c:v", "mpeg4", "-c:a", "mp2", "-shortest"}) argv.push_back(arg);
  argv.push_back(path);
  const CommandResult made = RunCommand(argv);
  ASSERT_EQ(made.exitCode, 0) << made.output;
}

// One line per stream: "codec,type[,width,height]".
std::vector<std::string> ProbeStreams(const std::string& file) {
  const CommandResult r = RunCommand({"ffprobe", "-v", "error", "-show_entries", "stream=codec_name,codec_type,width,height",
                                      "-of", "csv=p=0", file},
                                     false);
  std::vector<std::string> lines;
  std::string line;
  for (char c : r.output) {
    if (c == '\n') {
      if (!line.empty()) lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

double ProbeDuration(const std::string& file) {
  const CommandResult r =
      RunCommand({"ffprobe", "-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", file}, false);
  try {
    return std::stod(r.output);
  } catch (const std::exception&) {
    return -1;
  }
}

struct RealRun {
  TempDir dir;
  TAppParams params;
  UiLanguage language = UiLanguage::English;
  RunState run;
  MediaProbe currentProbe;
  EncoderOutputLines outputLines;
  FileList files;
  ErrorLog log;
  SystemEncoder encoder;
  RecordingConversionView view;
  FakePower power;
  FakeAfterRunHost host;
  ConversionRequest request;

  RealRun() {
    params.EncoderExe = "ffmpeg";
    request.settings.OutputFormat = 3;  // MP4 (H.264 / AAC)
    request.resolutions = MakeResolutionList(BuiltInResolutions());
  }
  void AddRow(const std::string& path, bool checked = true) {
    FileListRow row;
    row.Checked = checked;
    row.Directory = fs::path(path).parent_path().string();
    row.Name = fs::path(path).filename().string();
    row.Status = "Ready";
    files.AppendRows({row});
  }
  RunResult Execute() {
    ConversionRun conversion({params, dir.Path().string(), language, run, currentProbe, outputLines, files, log},
                             encoder, view, power, host);
    return conversion.Execute(request);
  }
  std::string Status(std::size_t row) const { return files.Row(row).Status; }
  bool LogHasLineStarting(const std::string& start) const {
    for (const std::string& line : log.Lines())
      if (line.rfind(start, 0) == 0) return true;
    return false;
  }
};

}  // namespace

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
  EXPECT_TRUE(r.LogHasLineStarting(broken + ": Invalid data found"));
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
  EXPECT_LT(afterAbort, std::chrono::seconds(3));
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
