// Burned-in subtitles with the real encoder: the text is in the picture while it is shown and
// nowhere else; every hostile subtitle name converts and runs nothing, in a run and in a script.
#include <gtest/gtest.h>

#include <fstream>

#include "e2e/RealConversion.h"

namespace vardeno {

namespace e2e {
namespace {
// A black clip (so every bright pixel is a subtitle's) of 3 s at 10 frames a second, with sound.
void MakeDarkClip(const std::string& path, const char* container = nullptr) {
  std::vector<std::string> argv = {"ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                                   "color=c=black:size=320x240:rate=10:duration=3",
                                   "-f", "lavfi", "-i", "sine=duration=3", "-c:v", "mpeg4", "-c:a", "mp2"};
  if (container) argv.insert(argv.end(), {"-f", container});
  argv.push_back(path);
  const CommandResult made = RunCommand(argv);
  ASSERT_EQ(made.exitCode, 0) << made.output;
}

// Shown from 1.0 s to 2.0 s.
const char* const kSrt = "1\n00:00:01,000 --> 00:00:02,000\nHELLO ZUNE\n\n";

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(FsPath(path), std::ios::binary) << bytes;
}

// Pixels of the frame at seconds that are bright (grey level above 128).
int BrightPixels(const std::string& video, double seconds) {
  const CommandResult r = RunCommand({"ffmpeg", "-v", "error", "-ss", std::to_string(seconds), "-i", video,
                                      "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "gray", "-"},
                                     false);
  if (r.exitCode != 0 || r.output.empty()) return -1;
  int bright = 0;
  for (unsigned char c : r.output) bright += c > 128;
  return bright;
}

void UseSubtitles(RealRun& r, int mode) {
  r.request.settings.Subtitles = mode;
  r.request.settings.Resolution = kResolutionCustom;
  r.request.settings.ResWidth = 320;
  r.request.settings.ResHeight = 240;
}

// Names with every character the graph or a shell acts on, blanks and Polish letters.
const std::vector<std::string> kHostileNames = {
    "it's", "a:b", "c,d;e", "[in]f[out]", "g\\h", "zażółć gęślą jaźń", "$(touch pwned) `touch pwned2` %PATH%",
    " x ", "i',scale=2:2,'j"};
}  // namespace

TEST(SubtitlesEndToEnd, TextIsInTheFrameWhileShownAndNotOutsideItsTime) {
  RealRun with;
  MakeDarkClip(with.dir / "film.avi");
  WriteFile(with.dir / "film.srt", kSrt);
  UseSubtitles(with, 1);
  with.AddRow(with.dir / "film.avi");
  ASSERT_EQ(with.Execute().end, RunEnd::Completed);
  ASSERT_EQ(with.Status(0), "Done") << with.view.warnings.size();
  const std::string output = with.dir / "film.mp4";
  EXPECT_EQ(ProbeVideoSize(output), "320x240");
  EXPECT_GT(BrightPixels(output, 1.5), 200);
  EXPECT_EQ(BrightPixels(output, 0.5), 0);
  EXPECT_EQ(BrightPixels(output, 2.5), 0);

  // The same file converted without: no text at 1.5 s either.
  RealRun without;
  MakeDarkClip(without.dir / "film.avi");
  WriteFile(without.dir / "film.srt", kSrt);
  UseSubtitles(without, 0);
  without.AddRow(without.dir / "film.avi");
  ASSERT_EQ(without.Execute().end, RunEnd::Completed);
  EXPECT_EQ(BrightPixels(without.dir / "film.mp4", 1.5), 0);

  // The video's own text track (an .mkv), and a file without any: converted, and noted.
  RealRun own;
  MakeDarkClip(own.dir / "plain.avi");
  WriteFile(own.dir / "t.srt", kSrt);
  const CommandResult mkv = RunCommand({"ffmpeg", "-v", "error", "-y", "-i", own.dir / "plain.avi", "-i",
                                        own.dir / "t.srt", "-c:v", "copy", "-c:a", "copy", "-c:s", "srt",
                                        own.dir / "track.mkv"});
  ASSERT_EQ(mkv.exitCode, 0) << mkv.output;
  UseSubtitles(own, 2);
  own.AddRow(own.dir / "track.mkv");
  own.AddRow(own.dir / "plain.avi");
  ASSERT_EQ(own.Execute().end, RunEnd::Completed);
  EXPECT_EQ(own.Status(0), "Done");
  EXPECT_EQ(own.Status(1), "Done");
  EXPECT_GT(BrightPixels(own.dir / "track.mp4", 1.5), 200);
  EXPECT_EQ(BrightPixels(own.dir / "track.mp4", 2.5), 0);
  EXPECT_EQ(BrightPixels(own.dir / "plain.mp4", 1.5), 0);
  EXPECT_EQ(own.run.ErrorCount, 0);
  EXPECT_TRUE(own.LogHasLineStarting("There is no subtitle track 1 in \""));
}

TEST(SubtitlesEndToEnd, HostileSubtitleNamesConvertAndRunNothingInARunAndInAShellScript) {
  RealRun direct;
  RealRun script;
  for (RealRun* r : {&direct, &script}) {
    UseSubtitles(*r, 1);
    MakeDarkClip(r->dir / "clip.avi");
    for (const std::string& name : kHostileNames) {
      fs::copy_file(FsPath(r->dir / "clip.avi"), FsPath(r->dir / (name + ".avi")));
      WriteFile(r->dir / (name + ".srt"), kSrt);
      r->AddRow(r->dir / (name + ".avi"));
    }
  }
  ASSERT_EQ(direct.Execute().end, RunEnd::Completed);

  script.request.batchMode = true;
  script.request.scriptFormat = ScriptFormat::PosixShell;
  script.request.batchFileName = script.dir / "convert.sh";
  ASSERT_EQ(script.Execute().end, RunEnd::Completed);
  const CommandResult ran = RunCommand({"sh", "-c", "cd \"$1\" && bash ./convert.sh", "sh", script.dir.Path().string()});
  ASSERT_EQ(ran.exitCode, 0) << ran.output;

  for (RealRun* r : {&direct, &script}) {
    for (size_t row = 0; row < kHostileNames.size(); ++row) {
      const std::string output = r->dir / (kHostileNames[row] + ".mp4");
      EXPECT_GT(BrightPixels(output, 1.5), 200) << kHostileNames[row];
      EXPECT_EQ(BrightPixels(output, 2.5), 0) << kHostileNames[row];
    }
    EXPECT_FALSE(fs::exists(r->dir.Path() / "pwned"));
    EXPECT_FALSE(fs::exists(r->dir.Path() / "pwned2"));
    EXPECT_FALSE(fs::exists(fs::current_path() / "pwned"));
  }
  for (size_t row = 0; row < kHostileNames.size(); ++row) EXPECT_EQ(direct.Status(row), "Done") << kHostileNames[row];
}
}  // namespace e2e

}  // namespace vardeno
