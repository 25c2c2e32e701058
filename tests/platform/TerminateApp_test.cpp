// Ending the encoder on an abort: every child the runner started from the encoder path is ended
// with its process group, whatever it has exec'd into, and nothing else ever is.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <thread>

#include "platform/ProcessRunner.h"
#include "support/Command.h"
#include "support/TempDir.h"

namespace vardeno {

namespace {
using Clock = std::chrono::steady_clock;
const std::string kFake = VARDENO_FAKE_ENCODER_PATH;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Waits until the fake encoder has written its pid to path; 0 when it never does.
int WaitForPidFile(const std::string& path) {
  for (int i = 0; i < 300; ++i) {
    if (const int pid = std::atoi(ReadWholeFile(path).c_str()); pid > 0) return pid;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return 0;
}

// True while the process exists and has not ended (a zombie counts as ended).
bool IsRunning(int pid) {
  if (kill(pid, 0) != 0) return false;
  const std::string stat = ReadWholeFile("/proc/" + std::to_string(pid) + "/stat");
  const size_t close = stat.rfind(')');
  return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
}

bool GoneWithin(int pid, double seconds) {
  const auto start = Clock::now();
  while (SecondsSince(start) < seconds) {
    if (!IsRunning(pid)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

// A shell script that runs the fake encoder: by exec (the script's process becomes the fake) or
// as its own child that the shell waits for.
std::string WriteWrapper(const TempDir& dir, const std::string& name, bool exec) {
  const std::string path = dir.Write(name, "#!/bin/sh\n" + std::string(exec ? "exec " : "") + ShellQuote(kFake) +
                                               " \"$@\"\n");
  chmod(path.c_str(), 0755);
  return path;
}

// A process this test starts itself (not through the runner), from program with args.
class OwnChild {
 public:
  OwnChild(const std::string& program, const std::vector<std::string>& args) {
    pid_ = fork();
    if (pid_ == 0) {
      std::vector<char*> argv{const_cast<char*>(program.c_str())};
      for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
      argv.push_back(nullptr);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
  }
  ~OwnChild() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  OwnChild(const OwnChild&) = delete;
  OwnChild& operator=(const OwnChild&) = delete;
  int Pid() const { return pid_; }

 private:
  int pid_ = -1;
};
}  // namespace

TEST(TerminateApp, EndsAChildThatExecdFromAWrapperScript) {
  const TempDir dir;
  const std::string wrapper = WriteWrapper(dir, "encoder.sh", true);
  bool endedThroughFake = true;
  bool endedThroughWrapper = false;
  const auto start = Clock::now();
  const std::uint32_t code =
      RunConsoleProcess(wrapper, R"(term=255 w=ready\r\n sleep=20000)", nullptr,
                        [&](const ChildProcess&, const std::string& piece) {
                          if (piece != "ready") return;
                          // Its running image is the fake now, but it was started from the script.
                          endedThroughFake = TerminateApp(kFake);
                          endedThroughWrapper = TerminateApp(wrapper);
                        });
  EXPECT_FALSE(endedThroughFake);
  EXPECT_TRUE(endedThroughWrapper);
  EXPECT_EQ(code, kTerminatedExitCode);
  EXPECT_LT(SecondsSince(start), 4.5);  // ended at once, not after the runner's 5 s wait
}

TEST(TerminateApp, EndsTheWholeGroupOfAWrapperThatWaitsForTheEncoder) {
  const TempDir dir;
  const std::string wrapper = WriteWrapper(dir, "encoder.sh", false);
  const std::string pidFile = dir / "encoder.pid";
  int encoder = 0;
  // The encoder ignores SIGTERM, so only the SIGKILL to the group 2 s later ends it.
  const std::uint32_t code = RunConsoleProcess(wrapper, "ignoreterm pidfile=" + pidFile + R"( w=ready\r\n sleep=20000)",
                                               nullptr, [&](const ChildProcess&, const std::string& piece) {
                                                 if (piece != "ready") return;
                                                 encoder = WaitForPidFile(pidFile);
                                                 EXPECT_TRUE(TerminateApp(wrapper));
                                               });
  EXPECT_EQ(code, kTerminatedExitCode);
  ASSERT_GT(encoder, 0);
  EXPECT_TRUE(GoneWithin(encoder, 1.0)) << "the encoder the wrapper started is still running";
}

TEST(TerminateApp, NeverSignalsAProcessTheRunnerDidNotStart) {
  const TempDir dir;
  const std::string wrapper = WriteWrapper(dir, "encoder.sh", true);
  const std::string pidFile = dir / "foreign.pid";
  // The same programs, started by this process itself and by a shell it started.
  OwnChild ownFake(kFake, {"sleep=20000"});
  OwnChild ownWrapper(wrapper, {"sleep=20000"});
  OwnChild shell("/bin/sh", {"-c", ShellQuote(kFake) + " pidfile=" + ShellQuote(pidFile) + " sleep=20000; :"});
  const int foreign = WaitForPidFile(pidFile);
  ASSERT_GT(foreign, 0);

  EXPECT_FALSE(TerminateApp(kFake));  // no child of the runner runs yet
  EXPECT_FALSE(TerminateApp(wrapper));
  bool endedOurs = false;
  const std::uint32_t code = RunConsoleProcess(wrapper, R"(term=0 w=ready\r\n sleep=20000)", nullptr,
                                               [&](const ChildProcess&, const std::string& piece) {
                                                 if (piece != "ready") return;
                                                 EXPECT_FALSE(TerminateApp("/bin/true"));
                                                 endedOurs = TerminateApp(wrapper);
                                               });
  EXPECT_TRUE(endedOurs);
  EXPECT_EQ(code, kTerminatedExitCode);
  // Past the 2 s after which an encoder that is still there gets SIGKILL.
  std::this_thread::sleep_for(std::chrono::milliseconds(2300));
  EXPECT_TRUE(IsRunning(ownFake.Pid()));
  EXPECT_TRUE(IsRunning(ownWrapper.Pid()));
  EXPECT_TRUE(IsRunning(foreign));
  kill(foreign, SIGKILL);
}

TEST(TerminateApp, FindsTheEncoderByAnyNameOfItsFile) {
  const TempDir dir;
  const std::string wrapper = WriteWrapper(dir, "encoder.sh", true);
  const std::string link = dir / "link-to-encoder";
  ASSERT_EQ(symlink(wrapper.c_str(), link.c_str()), 0);
  bool ended = false;
  const std::uint32_t code = RunConsoleProcess(link, R"(term=0 w=ready\r\n sleep=20000)", nullptr,
                                               [&](const ChildProcess&, const std::string& piece) {
                                                 if (piece == "ready") ended = TerminateApp(wrapper);
                                               });
  EXPECT_TRUE(ended);
  EXPECT_EQ(code, kTerminatedExitCode);
}

TEST(TerminateApp, TerminateChildEndsOnlyThatChild) {
  EXPECT_FALSE(TerminateChild(ChildProcess{getpid()}));
  OwnChild own(kFake, {"sleep=20000"});
  EXPECT_FALSE(TerminateChild(ChildProcess{own.Pid()}));

  int pid = 0;
  const std::uint32_t code = RunConsoleProcess(kFake, R"(term=0 w=ready\r\n sleep=20000)", nullptr,
                                               [&](const ChildProcess& child, const std::string& piece) {
                                                 if (piece != "ready") return;
                                                 pid = child.pid;
                                                 EXPECT_TRUE(TerminateChild(child));
                                               });
  EXPECT_EQ(code, kTerminatedExitCode);
  EXPECT_FALSE(TerminateChild(ChildProcess{pid}));  // reaped: that pid is no longer ours
  EXPECT_TRUE(IsRunning(own.Pid()));
}

}  // namespace vardeno
