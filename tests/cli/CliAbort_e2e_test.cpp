// vardeno-cli convert while it runs: SIGINT and SIGTERM abort the run like the Abort button, and
// each file's line reaches stdout as soon as that file is done. ffmpeg's "realtime" filter makes
// every conversion take at least as long as its clip plays, whatever the machine's speed.
#include <signal.h>
#include <sys/stat.h>

#include "cli/CliTestFolder.h"

namespace vardeno {

namespace {
using namespace std::chrono_literals;

const std::string kRealTime = "AdditionalParams=-vf realtime";

// Waits until path exists (the encoder has opened its output, so the conversion is under way).
bool WaitForFile(const std::string& path, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!std::filesystem::exists(path)) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

// The playing time of a media file in seconds, read with ffprobe; -1 when unknown.
double MediaSeconds(const std::string& path) {
  const CommandResult r =
      RunCommand({"ffprobe", "-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", path}, false);
  try {
    return std::stod(r.output);
  } catch (const std::exception&) {
    return -1;
  }
}

class CliAbortTest : public CliTest {
 protected:
  // Starts converting a 3-second clip and then a short one, sends signal once the first
  // conversion is under way, and checks the run ends aborted: exit 130, one "Aborted" line, the
  // second file never started.
  void AbortWith(int signal, const std::vector<std::string>& extraArgs, const std::string& abortedStatus) {
    Clip("long clip.mp4", 3.0);
    Clip("next.mp4", 0.5);
    const std::string out = dir_ / "out";
    std::vector<std::string> args = {"convert", "long clip.mp4", "next.mp4", "--out-dir", out, "--set", kRealTime};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    CliProcess cli(args, WithConfig({}), dir_.Path().string());
    ASSERT_TRUE(cli.Started());
    ASSERT_TRUE(WaitForFile(out + "/long clip.mp4", 15s)) << "the conversion never started";
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(cli.Running()) << "ended before the signal: " << cli.Finish().err;
    cli.Signal(signal);

    const CliResult r = cli.Finish(20s);
    EXPECT_EQ(r.exitCode, 130) << r.err;
    EXPECT_EQ(r.out, abortedStatus + "\t" + out + "/long clip.mp4\n");
    EXPECT_FALSE(Exists(out + "/next.mp4"));
    // The encoder was stopped, not waited for: it closed its output holding less than the clip.
    const double seconds = MediaSeconds(out + "/long clip.mp4");
    EXPECT_GT(seconds, 0.0);
    EXPECT_LT(seconds, 2.5);
  }
};
}  // namespace

TEST_F(CliAbortTest, SigintDuringAConversionAbortsTheRun) { AbortWith(SIGINT, {}, "Aborted"); }

TEST_F(CliAbortTest, SigintStopsAnEncoderStartedThroughAWrapperScript) {
  // The encoder path is a script that execs ffmpeg: what runs is ffmpeg, started from the script.
  const std::string wrapper = dir_.Write("ffmpeg-wrapper", "#!/bin/sh\nexec ffmpeg \"$@\"\n");
  ASSERT_EQ(chmod(wrapper.c_str(), 0755), 0);
  AbortWith(SIGINT, {"--encoder", wrapper}, "Aborted");
}

TEST_F(CliAbortTest, SigtermAbortsTheSameWay) { AbortWith(SIGTERM, {"--lang", "pl"}, "Przerwano"); }

TEST_F(CliAbortTest, EachFilesLineIsWrittenWhenThatFileIsDone) {
  Clip("short.mp4", 0.5);
  Clip("long.mp4", 2.5);
  const std::string out = dir_ / "out";
  CliProcess cli({"convert", "short.mp4", "long.mp4", "--out-dir", out, "--set", kRealTime}, WithConfig({}),
                 dir_.Path().string());
  ASSERT_TRUE(cli.Started());
  ASSERT_TRUE(cli.WaitForStdoutLine(15s)) << cli.OutSoFar();
  // The long file plays for 2.5 s in real time, so the program is still converting it.
  EXPECT_TRUE(cli.Running());
  EXPECT_EQ(cli.OutSoFar(), "Done\t" + out + "/short.mp4\n");

  const CliResult r = cli.Finish(30s);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Done\t" + out + "/short.mp4\nDone\t" + out + "/long.mp4\n");
}

}  // namespace vardeno
