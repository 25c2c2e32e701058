// vardeno-cli convert --jobs: several encoders at once through the fake ffmpeg (an abort ends
// them all, each failed file's log entry holds its own output, the status line sums the run up),
// and the real ffmpeg converting clips three at a time.
#include <signal.h>

#include <fstream>

#include "cli/CliTestFolder.h"
#include "cli/FakeFfmpeg.h"

namespace vardeno {

namespace {
using namespace std::chrono_literals;

// The pids written into the folder's pidfiles so far.
std::vector<pid_t> PidsIn(const std::string& folder) {
  std::vector<pid_t> pids;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream in(entry.path());
    pid_t pid = 0;
    if (in >> pid) pids.push_back(pid);
  }
  return pids;
}

// The process is gone (or a zombie no one has reaped yet, which runs nothing).
bool Ended(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  if (!std::getline(stat, text)) return true;
  const size_t close = text.rfind(')');
  return close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'Z';
}

// The texts written between a carriage return and an erase-to-end-of-line.
std::vector<std::string> StatusTexts(const std::string& err) {
  std::vector<std::string> texts;
  for (size_t start = err.find('\r'); start != std::string::npos; start = err.find('\r', start + 1)) {
    const size_t end = err.find("\x1b[K", start);
    if (end == std::string::npos) break;
    if (end > start + 1) texts.push_back(err.substr(start + 1, end - start - 1));
  }
  return texts;
}

class CliJobsTest : public CliTest {
 protected:
  CliJobsTest() : fake_(WriteFakeFfmpeg(dir_)) {}

  // Arguments of a convert run through the fake ffmpeg, outputs into dir/out; the fake's outputs
  // are no media files, so no player is checked.
  std::vector<std::string> Convert(std::vector<std::string> args) const {
    for (const std::string& a : {std::string("--encoder"), fake_, std::string("--out-dir"), dir_ / "out",
                                 std::string("--generation"), std::string("modern"), std::string("--player"),
                                 std::string("none")})
      args.push_back(a);
    args.insert(args.begin(), "convert");
    return args;
  }

  std::string fake_;
};
}  // namespace

TEST_F(CliJobsTest, AbortWithFourEncodersRunningEndsThemAllAndStartsNoOther) {
  std::filesystem::create_directory(dir_ / "pids");
  std::vector<std::string> args = {"-j", "4"};
  for (int i = 0; i < 20; ++i) {
    const std::string name = "file" + std::to_string(i) + ".avi";
    dir_.Write(name, FakeInput("write", "pidfile=" + (dir_ / "pids/") + std::to_string(i) + " sleep=60000"));
    args.push_back(name);
  }
  CliProcess cli(Convert(args), WithConfig({}), dir_.Path().string());
  ASSERT_TRUE(cli.Started());
  const auto deadline = std::chrono::steady_clock::now() + 15s;
  while (PidsIn(dir_ / "pids").size() < 4 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(20ms);
  const std::vector<pid_t> pids = PidsIn(dir_ / "pids");
  ASSERT_EQ(pids.size(), 4u);
  ASSERT_TRUE(cli.Running());
  cli.Signal(SIGINT);

  const CliResult r = cli.Finish(20s);
  EXPECT_EQ(r.exitCode, 130) << r.err;
  const std::vector<std::string> lines = LfLines(r.out);
  ASSERT_EQ(lines.size(), 4u) << r.out;
  for (const std::string& line : lines) EXPECT_EQ(line.rfind("Aborted\t" + (dir_ / "out/file"), 0), 0u) << line;
  // No other file was started, and none of the four encoders is left running.
  EXPECT_EQ(PidsIn(dir_ / "pids").size(), 4u);
  for (pid_t pid : pids) {
    const auto until = std::chrono::steady_clock::now() + 5s;
    while (!Ended(pid) && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(Ended(pid)) << pid;
  }
}

TEST_F(CliJobsTest, EachFailedFilesLogEntryHoldsOnlyItsOwnOutputAndTheStatusLineSumsUp) {
  // Two files fail while both print, one line each before and after the other's.
  dir_.Write("one.avi", FakeInput("write", "w=one\\sfirst\\r\\n sleep=200 w=one\\ssecond\\r\\n exit=1"));
  dir_.Write("two.avi", FakeInput("empty", "sleep=100 w=two\\sfirst\\r\\n sleep=200 w=two\\ssecond\\r\\n exit=2"));
  dir_.Write("three.avi", FakeInput("write", "w=three\\sprinted\\r\\n sleep=50"));
  dir_.Write("four.avi", FakeInput("write", "w=four\\sprinted\\r\\n"));
  CliProcess cli(Convert({"one.avi", "two.avi", "three.avi", "four.avi", "--jobs=auto", "--log", "run.log",
                          "--jobs", "4"}),
                 WithConfig({}), dir_.Path().string(), 80);
  ASSERT_TRUE(cli.Started());
  const CliResult r = cli.Finish(30s);
  EXPECT_EQ(r.exitCode, 1) << r.err;

  // Every file's line, as each finished.
  std::vector<std::string> lines = LfLines(r.out);
  std::sort(lines.begin(), lines.end());
  const std::string out = dir_ / "out/";
  EXPECT_EQ(lines, (std::vector<std::string>{"Done\t" + out + "four.mp4", "Done\t" + out + "three.mp4",
                                             "Error (1)\t" + out + "one.mp4", "Error (2)\t" + out + "two.mp4"}))
      << r.out;
  EXPECT_FALSE(Exists(out + "two.mp4"));  // its empty output is gone

  // Numbered in the order the files finished, which is the order of their lines.
  const std::string log = ReadWholeFile(dir_ / "run.log");
  const size_t second = log.find("Error # 2\r\n");
  ASSERT_EQ(log.rfind("Error # 1\r\n", 0), 0u) << log;
  ASSERT_NE(second, std::string::npos) << log;
  std::string oneEntry = log.substr(0, second), twoEntry = log.substr(second);
  if (r.out.find("two.mp4") < r.out.find("one.mp4")) std::swap(oneEntry, twoEntry);
  EXPECT_NE(oneEntry.find("\r\nExitCode: 1\r\none first\r\none second\r\n"), std::string::npos) << oneEntry;
  EXPECT_NE(twoEntry.find("\r\nExitCode: 2\r\ntwo first\r\ntwo second\r\n"), std::string::npos) << twoEntry;
  for (const char* other : {"two", "three", "four"}) EXPECT_EQ(oneEntry.find(other), std::string::npos) << oneEntry;
  for (const char* other : {"one", "three", "four"}) EXPECT_EQ(twoEntry.find(other), std::string::npos) << twoEntry;

  // The terminal's status line: files done, files running and the whole run's percentage.
  const std::vector<std::string> texts = StatusTexts(r.err);
  ASSERT_FALSE(texts.empty()) << r.err;
  EXPECT_EQ(texts.front(), "Files done: 0 / 4  Running: 4  Complete: 0 %");
  EXPECT_EQ(texts.back(), "Files done: 4 / 4  Running: 0  Complete: 100 %");
}

TEST_F(CliJobsTest, RealFfmpegConvertsSixClipsThreeAtATime) {
  // Each output is probed on its own row's thread and plays on the Zune HD.
  std::vector<std::string> args = {"convert", "--jobs", "3", "--out-dir", dir_ / "out", "--player", "zunehd"};
  const std::string first = Clip("clip 1.mp4", 0.5);
  for (int i = 1; i <= 6; ++i) {
    const std::string name = "clip " + std::to_string(i) + ".mp4";
    if (i > 1) std::filesystem::copy_file(first, dir_ / name);
    args.push_back(name);
  }
  const CliResult r = Run(args);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::vector<std::string> lines = LfLines(r.out);
  std::sort(lines.begin(), lines.end());
  ASSERT_EQ(lines.size(), 6u) << r.out;
  for (int i = 1; i <= 6; ++i) {
    const std::string output = dir_ / ("out/clip " + std::to_string(i) + ".mp4");
    EXPECT_EQ(lines[i - 1], "Done\t" + output);
    EXPECT_EQ(ProbeVideoSize(output), "160x120") << output;
  }
}

TEST_F(CliJobsTest, AnEncoderSilentForTheStallLimitFailsItsFileAndTheRunGoesOn) {
  dir_.Write("hangs.avi", FakeInput("write", "w=frame=\\s\\s\\s\\s1\\stime=00:00:00.04\\r sleep=60000"));
  dir_.Write("next.avi", FakeInput("write", "w=frame=\\s\\s\\s\\s1\\r\\n"));
  for (const char* jobs : {"1", "2"}) {
    SCOPED_TRACE(jobs);
    std::filesystem::remove_all(dir_ / "out");
    const auto start = std::chrono::steady_clock::now();
    const CliResult r =
        Run(Convert({"hangs.avi", "next.avi", "--stall-seconds", "2", "--jobs", jobs, "--log", "run.log"}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 15s);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    std::vector<std::string> lines = LfLines(r.out);
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"Done\t" + (dir_ / "out/next.mp4"),
                                               "Error (1)\t" + (dir_ / "out/hangs.mp4")}));
    const std::string log = ReadWholeFile(dir_ / "run.log");
    EXPECT_NE(log.find("\r\nExitCode: 1\r\nThe encoder printed nothing for 2 seconds and was ended.\r\n"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("Error # 2"), std::string::npos) << log;
  }
  // 0 turns the limit off (the last of the two options counts).
  dir_.Write("quiet.avi", FakeInput("write", "w=start\\r\\n sleep=1500 w=end\\r\\n"));
  const CliResult off = Run(Convert({"quiet.avi", "--stall-seconds", "1", "--stall-minutes", "0"}));
  EXPECT_EQ(off.exitCode, 0) << off.err;
}

TEST_F(CliJobsTest, RealFfmpegBurnsSubtitlesTwoAtATimeAndAFileWithoutThemKeepsItsCrop) {
  Clip("a.mp4", 0.5);
  std::filesystem::copy_file(dir_ / "a.mp4", dir_ / "b.mp4");
  dir_.Write("a.srt", "1\n00:00:00,000 --> 00:00:01,000\nHELLO\n\n");
  const CliResult r = Run({"convert", "--jobs", "2", "--set", "Subtitles=1", "--set", "CropTop=8", "--out-dir",
                           dir_ / "out", "a.mp4", "b.mp4"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ProbeVideoSize(dir_ / "out/a.mp4"), "160x112");
  EXPECT_EQ(ProbeVideoSize(dir_ / "out/b.mp4"), "160x112");
  EXPECT_NE(r.err.find("No subtitle file (.srt, .ass, .ssa, .vtt) was found beside \"" + dir_ / "b.mp4"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(r.err.find("beside \"" + dir_ / "a.mp4"), std::string::npos) << r.err;
}

}  // namespace vardeno
