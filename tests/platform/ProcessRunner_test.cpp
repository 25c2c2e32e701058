// The process runner against the fake encoder: how output is cut into pieces, exit codes, the
// 5000 ms wait, start failures, idle calls, and the descriptors and arguments the child gets.
#include "platform/ProcessRunner.h"

#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/ArgumentText.h"
#include "platform/SystemError.h"
#include "support/TempDir.h"

namespace {
using Clock = std::chrono::steady_clock;
const std::string kFake = VARDENO_FAKE_ENCODER_PATH;

struct RunResult {
  std::uint32_t code = 0;
  std::vector<std::string> list;
  std::vector<std::string> pieces;
  int pid = 0;
};

RunResult RunFake(const std::string& argText) {
  RunResult run;
  run.code = RunConsoleProcess(kFake, argText, &run.list, [&](const ChildProcess& child, const std::string& piece) {
    run.pieces.push_back(piece);
    run.pid = child.pid;
  });
  return run;
}

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// True once the process is gone altogether (ended and reaped, no zombie left).
bool GoneWithin(int pid, double seconds) {
  const auto start = Clock::now();
  while (SecondsSince(start) < seconds) {
    if (kill(pid, 0) != 0 && errno == ESRCH) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

int OpenDescriptorCount() {
  int count = 0;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (const dirent* entry = readdir(dir)) count += entry->d_name[0] != '.';
    closedir(dir);
  }
  return count;
}

std::string Unhex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}
}  // namespace

TEST(ProcessRunner, CarriageReturnDeliversLineFeedOnlyMarks) {
  RunResult crlf = RunFake(R"(w=a\r\nb\r\n)");
  EXPECT_EQ(crlf.code, 0u);
  EXPECT_EQ(crlf.list, (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(crlf.pieces, (std::vector<std::string>{"a", "b", ""}));

  // Programs on this system end lines with LF alone; such a line is one piece, as with CR LF.
  RunResult lfOnly = RunFake(R"(w=a\nb\n)");
  EXPECT_EQ(lfOnly.list, (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(lfOnly.pieces, (std::vector<std::string>{"a", "b", ""}));
  // ffmpeg's last status line ends with LF: it replaces the rewritten line, then a new line starts.
  RunResult lastStatus = RunFake(R"(w=frame=1\rframe=2\n)");
  EXPECT_EQ(lastStatus.list, (std::vector<std::string>{"frame=2", ""}));

  // Bytes other than CR and LF pass unchanged, a zero byte included; stderr shares the pipe.
  RunResult mixed = RunFake(R"(e=err\r\n w=x\x00y\x7f\tz\r\n)");
  EXPECT_EQ(mixed.list, (std::vector<std::string>{"err", std::string("x\0y\x7f\tz", 6), ""}));
}

TEST(ProcessRunner, RewrittenStatusLineKeepsOneEntry) {
  std::vector<std::string> list;
  std::vector<std::vector<std::string>> listSeenByHandler;
  RunConsoleProcess(kFake, R"(w=head\r\nframe=1\rframe=2\rframe=3\r)", &list,
                    [&](const ChildProcess&, const std::string&) { listSeenByHandler.push_back(list); });
  ASSERT_EQ(listSeenByHandler.size(), 5u);
  EXPECT_EQ(listSeenByHandler[3], (std::vector<std::string>{"head", "frame=3"}));
  // The final delivery replaces the status line with the empty rest after the last CR.
  EXPECT_EQ(list, (std::vector<std::string>{"head", ""}));

  // A list emptied by the handler does not lose a piece delivered without the mark.
  std::vector<std::string> emptied;
  std::vector<std::string> afterB;
  RunConsoleProcess(kFake, R"(w=a\rb\r)", &emptied, [&](const ChildProcess&, const std::string& piece) {
    if (piece == "a") emptied.clear();
    if (piece == "b") afterB = emptied;
  });
  EXPECT_EQ(afterB, (std::vector<std::string>{"b"}));
  EXPECT_EQ(emptied, (std::vector<std::string>{""}));
}

TEST(ProcessRunner, LongLineIsCutInto10240CharacterPieces) {
  std::string line;
  for (int i = 0; i < 25000; ++i) line += static_cast<char>('a' + i % 26);
  std::vector<std::string> list;
  std::vector<std::string> pieces;
  // 961 alphabets and 14 letters: 25000 characters, then CR LF.
  RunConsoleProcess(kFake, R"(rep=961:abcdefghijklmnopqrstuvwxyz w=abcdefghijklmn\r\n)", &list,
                    [&](const ChildProcess&, const std::string& piece) { pieces.push_back(piece); });
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_EQ(pieces[0], line.substr(0, 10240));
  EXPECT_EQ(pieces[1], line.substr(10240, 10240));
  EXPECT_EQ(pieces[2], line.substr(20480));
  EXPECT_EQ(pieces[3], "");
  EXPECT_EQ(list, (std::vector<std::string>{line.substr(0, 10240), line.substr(20480), ""}));
}

TEST(ProcessRunner, ExitCodes) {
  EXPECT_EQ(RunConsoleProcess(kFake, "w=x exit=7", nullptr, {}), 7u);  // no list, no handler
  EXPECT_EQ(RunConsoleProcess(kFake, "exit=255", nullptr, {}), 255u);
  EXPECT_EQ(RunConsoleProcess(kFake, "raise=9", nullptr, {}), 128u + 9u);
  // SIGTERM from anyone but TerminateApp is just another signal.
  EXPECT_EQ(RunConsoleProcess(kFake, "raise=15", nullptr, {}), 128u + 15u);
}

TEST(ProcessRunner, BlankArgumentTextGivesNoArguments) {
  EXPECT_EQ(RunFake(" \t  ").list, (std::vector<std::string>{"no arguments", ""}));
  EXPECT_EQ(RunFake("").list, (std::vector<std::string>{"no arguments", ""}));
}

TEST(ProcessRunner, ArgumentsReachTheChildIntact) {
  const std::vector<std::string> names = {
      "/tmp/my clip.avi",     "it's.mp4",          "$(touch /tmp/vardeno-pwned).mp4",
      "`id`.wmv",             "zażółć gęślą jaźń.mkv", "-rf",
      "back\\slash\\",        "semi;colon|pipe&amp>x<y", "*?[glob]~",
      "say \"hi\".mp3",       "",                  "tab\there  two blanks"};
  std::string argText = "args";
  for (const std::string& name : names) argText += " " + QuoteArgument(name);
  // The plain form the argument builders use for a name without double quotes.
  argText += " -i \"/tmp/a b/c.avi\" -y";
  const RunResult run = RunFake(argText);
  ASSERT_EQ(run.list.size(), names.size() + 5);
  EXPECT_EQ(Unhex(run.list[0]), "args");
  for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(Unhex(run.list[i + 1]), names[i]);
  EXPECT_EQ(Unhex(run.list[names.size() + 1]), "-i");
  EXPECT_EQ(Unhex(run.list[names.size() + 2]), "/tmp/a b/c.avi");
  EXPECT_EQ(Unhex(run.list[names.size() + 3]), "-y");
  struct stat info {};
  EXPECT_NE(stat("/tmp/vardeno-pwned", &info), 0);
}

TEST(ProcessRunner, ChildGetsOnlyNullInputThePipeAndItsOwnGroup) {
  const int before = OpenDescriptorCount();
  const RunResult run = RunFake("fds");
  std::set<std::string> seen(run.list.begin(), run.list.end());
  ASSERT_EQ(run.list.size(), 5u) << ::testing::PrintToString(run.list);
  EXPECT_EQ(run.list[0], "fd 0 -> /dev/null");
  EXPECT_TRUE(run.list[1].rfind("fd 1 -> pipe:", 0) == 0);
  EXPECT_EQ(run.list[2], "fd 2" + run.list[1].substr(4));
  EXPECT_EQ(run.list[3], "leader");
  EXPECT_EQ(OpenDescriptorCount(), before);
}

TEST(ProcessRunner, ChildRunsNicerThanThisProcess) {
  const int own = getpriority(PRIO_PROCESS, 0);
  const RunResult run = RunFake("nice");
  ASSERT_EQ(run.list.size(), 2u) << ::testing::PrintToString(run.list);
  EXPECT_EQ(run.list[0], "nice " + std::to_string(std::min(own + 10, 19)));
}

TEST(ProcessRunner, StartFailuresRaiseTheSystemError) {
  const TempDir dir;
  const std::string notExecutable = dir.Write("plain.txt", "not a program");
  const std::string noInterpreter = dir.Write("script", "echo no first line naming a shell\n");
  chmod(noInterpreter.c_str(), 0755);
  const int before = OpenDescriptorCount();
  bool handlerCalled = false;
  const OutputLineHandler handler = [&](const ChildProcess&, const std::string&) { handlerCalled = true; };
  const auto codeOf = [&](const std::string& path) {
    try {
      RunConsoleProcess(path, "-i x", nullptr, handler);
    } catch (const SystemError& error) {
      const std::string text = error.what();
      EXPECT_EQ(text.rfind("System Error.  Code: " + std::to_string(error.Code()) + ".\r\n", 0), 0u) << text;
      EXPECT_GT(text.size(), 25u);
      return error.Code();
    }
    return 0;
  };
  EXPECT_EQ(codeOf(dir / "missing-encoder"), ENOENT);
  EXPECT_EQ(codeOf(notExecutable), EACCES);
  EXPECT_EQ(codeOf(noInterpreter), ENOEXEC);
  EXPECT_EQ(codeOf(dir.Path().string()), EACCES);
  EXPECT_EQ(codeOf("vardeno-no-such-program-anywhere"), ENOENT);
  EXPECT_FALSE(handlerCalled);
  EXPECT_EQ(OpenDescriptorCount(), before);
}

TEST(ProcessRunner, ChildStillRunningAfterClosingItsOutputGives259AndIsReapedLater) {
  const auto start = Clock::now();
  // The child lives 10 s: a runner that waits for its end rather than 5 s takes them all.
  const RunResult run = RunFake(R"(w=x\r\n close sleep=10000 exit=4)");
  const double waited = SecondsSince(start);
  EXPECT_EQ(run.code, kStillActive);
  EXPECT_GE(waited, 4.9);
  EXPECT_LT(waited, 9.0);
  EXPECT_EQ(run.list, (std::vector<std::string>{"x", ""}));
  ASSERT_GT(run.pid, 0);
  EXPECT_EQ(kill(run.pid, 0), 0);  // left running, not ended
  EXPECT_TRUE(GoneWithin(run.pid, 10.0)) << "the child stays a zombie";
}

TEST(ProcessRunner, ReadsUntilEveryHolderOfTheOutputHasClosedIt) {
  const auto start = Clock::now();
  // The child exits at once; a grandchild keeps the pipe open for 700 ms.
  const RunResult run = RunFake(R"(w=a\r\n hold=700 exit=5)");
  EXPECT_GE(SecondsSince(start), 0.65);
  EXPECT_EQ(run.code, 5u);
  EXPECT_EQ(run.list, (std::vector<std::string>{"a", ""}));
}

TEST(ProcessRunner, AHelperHoldingTheOutputAfterTheChildEndedHoldsTheRunUp5sAtMost) {
  const auto start = Clock::now();
  // The helper keeps the pipe open for 30 s and writes nothing more.
  const RunResult run = RunFake(R"(w=a\r\n hold=30000 exit=5)");
  const double waited = SecondsSince(start);
  EXPECT_GE(waited, 4.9);
  EXPECT_LT(waited, 15.0);  // not the helper's 30 s
  EXPECT_EQ(run.code, 5u);
  EXPECT_EQ(run.list, (std::vector<std::string>{"a", ""}));
}

TEST(ProcessRunner, IdleIsCalledWhileTheChildIsSilent) {
  std::vector<Clock::time_point> calls;
  std::vector<std::string> list;
  const auto start = Clock::now();
  RunConsoleProcess(kFake, R"(sleep=3000 w=done\r\n)", &list, {}, [&] { calls.push_back(Clock::now()); });
  EXPECT_EQ(list, (std::vector<std::string>{"done", ""}));
  ASSERT_GE(calls.size(), 4u);
  // Calls keep coming while the child is silent for 3 s; the bounds leave room for a loaded
  // machine, not for a runner that waits for the child's next output.
  EXPECT_LT(std::chrono::duration<double>(calls.front() - start).count(), 1.5);
  for (size_t i = 1; i < calls.size(); ++i)
    EXPECT_LT(std::chrono::duration<double>(calls[i] - calls[i - 1]).count(), 1.5);
}

TEST(ProcessRunner, AbortFromIdleEndsASilentChildWithCode1) {
  bool ended = false;
  const auto start = Clock::now();
  // Like ffmpeg, the fake closes cleanly on SIGTERM and exits 255; the runner reports 1.
  const std::uint32_t code = RunConsoleProcess(kFake, "term=255 sleep=20000", nullptr, {}, [&] {
    if (!ended) ended = TerminateApp(kFake);
  });
  EXPECT_TRUE(ended);
  EXPECT_EQ(code, kTerminatedExitCode);
  EXPECT_LT(SecondsSince(start), 4.5);  // ended at once, not after the runner's 5 s wait
}

TEST(ProcessRunner, TerminateSendsOneSigtermThenSigkill) {
  std::vector<double> terminateCallSeconds;
  std::vector<std::string> list;
  const auto start = Clock::now();
  // The child logs every SIGTERM and does not exit on it; the handler asks to end it on every
  // piece, as the progress window does while an abort is pending.
  const std::uint32_t code = RunConsoleProcess(
      kFake, R"(termlog w=a\r sleep=300 w=b\r sleep=300 w=c\r sleep=20000)", &list,
      [&](const ChildProcess&, const std::string& piece) {
        if (piece == "TERM" || piece.empty()) return;
        const auto before = Clock::now();
        EXPECT_TRUE(TerminateApp(kFake));
        terminateCallSeconds.push_back(SecondsSince(before));
      });
  const double total = SecondsSince(start);
  EXPECT_EQ(code, kTerminatedExitCode);
  EXPECT_EQ(std::count(list.begin(), list.end(), "TERM"), 1);
  EXPECT_GE(total, 1.9);
  EXPECT_LT(total, 12.0);  // killed, not left to sleep its 20 s
  ASSERT_EQ(terminateCallSeconds.size(), 3u);
  for (const double seconds : terminateCallSeconds) EXPECT_LT(seconds, 1.0);  // never waits for the end
}

TEST(ProcessRunner, ExceptionFromHandlerEndsTheChild) {
  const int before = OpenDescriptorCount();
  int pid = 0;
  EXPECT_THROW(RunConsoleProcess(kFake, R"(term=0 w=x\r sleep=20000)", nullptr,
                                 [&](const ChildProcess& child, const std::string&) {
                                   pid = child.pid;
                                   throw std::runtime_error("window gone");
                                 }),
               std::runtime_error);
  EXPECT_EQ(OpenDescriptorCount(), before);
  ASSERT_GT(pid, 0);
  EXPECT_TRUE(GoneWithin(pid, 3.0));
}
