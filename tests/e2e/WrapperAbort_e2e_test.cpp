// Aborting a conversion whose encoder path is a wrapper script around the real ffmpeg (as many
// systems ship it): the encoder the run started is ended within moments, whatever the script
// became, and no other ffmpeg is touched.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "e2e/RealConversion.h"

namespace vardeno {

using namespace e2e;

namespace {
using Clock = std::chrono::steady_clock;

// A process the test starts itself: the same programs as the run's encoder, which the abort must
// leave alone.
class Bystander {
 public:
  explicit Bystander(std::vector<std::string> argv) {
    pid_ = fork();
    if (pid_ == 0) {
      std::vector<char*> raw;
      for (std::string& arg : argv) raw.push_back(arg.data());
      raw.push_back(nullptr);
      const int null = open("/dev/null", O_RDWR);
      dup2(null, 0), dup2(null, 1), dup2(null, 2);
      execvp(raw[0], raw.data());
      _exit(127);
    }
  }
  ~Bystander() {
    kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  Bystander(const Bystander&) = delete;
  Bystander& operator=(const Bystander&) = delete;

  int Pid() const { return pid_; }
  // Still running: not ended by any signal (a zombie would have ended).
  bool Running() const {
    int status = 0;
    return waitpid(pid_, &status, WNOHANG) == 0;
  }

 private:
  pid_t pid_ = -1;
};

// The pids of processes whose command line mentions text (a zombie's is empty).
std::vector<int> ProcessesMentioning(const std::string& text) {
  std::vector<int> found;
  DIR* proc = opendir("/proc");
  if (!proc) return found;
  while (const dirent* entry = readdir(proc)) {
    const int pid = std::atoi(entry->d_name);
    if (pid <= 0) continue;
    std::string cmdline = ReadWholeFile("/proc/" + std::to_string(pid) + "/cmdline");
    if (cmdline.find(text) != std::string::npos) found.push_back(pid);
  }
  closedir(proc);
  return found;
}

// Children of this process other than the given ones (a zombie left by the run counts).
std::vector<int> OtherChildren(const std::vector<int>& known) {
  std::vector<int> found;
  DIR* proc = opendir("/proc");
  if (!proc) return found;
  const std::string self = std::to_string(getpid());
  while (const dirent* entry = readdir(proc)) {
    const int pid = std::atoi(entry->d_name);
    if (pid <= 0 || std::find(known.begin(), known.end(), pid) != known.end()) continue;
    const std::string stat = ReadWholeFile("/proc/" + std::to_string(pid) + "/stat");
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream fields(stat.substr(close + 2));
    std::string state, ppid;
    fields >> state >> ppid;
    if (ppid == self) found.push_back(pid);
  }
  closedir(proc);
  return found;
}

class WrapperAbortTest : public ::testing::TestWithParam<bool> {};

TEST_P(WrapperAbortTest, AbortEndsTheEncoderBehindTheWrapperOnly) {
  const bool execs = GetParam();
  RealRun r;
  const std::string wrapper = r.dir.Write("ffmpeg-wrapper", std::string("#!/bin/sh\n") +
                                                                 (execs ? "exec ffmpeg \"$@\"\n" : "ffmpeg \"$@\"\n"));
  ASSERT_EQ(chmod(wrapper.c_str(), 0755), 0);
  r.params.EncoderExe = wrapper;

  // A 30-second clip that ffmpeg's "realtime" filter makes take 30 s to convert.
  const std::string input = r.dir / "long.mp4";
  const CommandResult made = RunCommand({"ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                                         "testsrc=size=160x120:rate=10:duration=30", "-c:v", "mpeg4", input});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  r.AddRow(input);
  r.request.outputToInputDir = false;
  r.request.outputDir = r.dir / "out";
  r.request.settings.OutputFormat = 3;
  r.request.settings.DoNotCopyAudio = true;
  r.request.settings.AdditionalParams = {"-vf realtime"};

  // The same script and the same ffmpeg, started by someone else: never to be signalled.
  const std::vector<std::string> idleJob = {"-v", "error", "-re", "-f", "lavfi", "-i",
                                            "color=c=black:size=16x16:rate=5:duration=120", "-f", "null", "-"};
  std::vector<std::string> viaScript{wrapper};
  viaScript.insert(viaScript.end(), idleJob.begin(), idleJob.end());
  std::vector<std::string> direct{"ffmpeg"};
  direct.insert(direct.end(), idleJob.begin(), idleJob.end());
  const Bystander scriptBystander(viaScript);
  const Bystander ffmpegBystander(direct);

  bool clickPending = false;
  std::optional<Clock::time_point> abortedAt;
  r.view.onProgress = [&](const ProgressUpdate& update) {
    if (update.values.frameNumber > 0 && !abortedAt) clickPending = true;
  };
  r.view.onPendingEvents = [&] {
    if (!clickPending) return;
    clickPending = false;
    r.run.AbortRequested = true;
    abortedAt = Clock::now();
  };

  const RunResult result = r.Execute();
  ASSERT_TRUE(abortedAt.has_value()) << "the conversion never showed progress";
  EXPECT_LT(Clock::now() - *abortedAt, std::chrono::seconds(3));
  EXPECT_TRUE(result.aborted);
  EXPECT_EQ(r.Status(0), "Aborted");
  EXPECT_TRUE(r.LogHasLineStarting("ExitCode: 1"));
  const std::string output = r.dir / "out/long.mp4";
  EXPECT_TRUE(ProcessesMentioning(output).empty()) << "an encoder of the run is still there";
  EXPECT_TRUE(OtherChildren({scriptBystander.Pid(), ffmpegBystander.Pid()}).empty()) << "a child was left behind";
  // SIGTERM let ffmpeg close the file: it plays, and holds less than the clip.
  const double seconds = ProbeDuration(output);
  EXPECT_GT(seconds, 0.0);
  EXPECT_LT(seconds, 20.0);

  // Past the time after which an encoder still running would get SIGKILL.
  std::this_thread::sleep_for(std::chrono::milliseconds(2300));
  EXPECT_TRUE(scriptBystander.Running());
  EXPECT_TRUE(ffmpegBystander.Running());
  EXPECT_TRUE(ProcessesMentioning(output).empty());
}

INSTANTIATE_TEST_SUITE_P(WrapperExecsOrWaits, WrapperAbortTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("Execs") : std::string("Waits");
                         });
}  // namespace

}  // namespace vardeno
