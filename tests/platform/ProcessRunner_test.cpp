// The process runner against a scripted child: how output is cut into pieces, exit codes, the
// 5000 ms wait, start failures, idle calls, aborts, and the handles and arguments the child gets.
// The child is the fake encoder on POSIX systems and scripted_child.exe (with runner_parent.exe)
// beside this test on Windows, where the cases about the command line the child's C runtime
// splits, batch files run through cmd, paths with blanks and job objects are Windows' own.
#include "platform/ProcessRunner.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/ArgumentText.h"
#include "platform/SystemError.h"
#ifdef _WIN32
#include "platform/ExecutablePath.h"
#include "platform/win32/WideText.h"
#else
#include "support/TempDir.h"
#endif

namespace vardeno {

namespace {
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

#ifdef _WIN32
std::wstring ThisFolder() {
  wchar_t path[MAX_PATH];
  std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  return self.substr(0, self.find_last_of(L'\\'));
}

const std::string kChild = Narrow(ThisFolder() + L"\\scripted_child.exe");
// The same program without a console (Windows subsystem): nothing but itself holds its output.
const std::string kConsolelessChild = Narrow(ThisFolder() + L"\\scripted_child_gui.exe");
const std::string kParent = Narrow(ThisFolder() + L"\\runner_parent.exe");

#else
const std::string kChild = VARDENO_FAKE_ENCODER_PATH;
#endif

struct RunResult {
  std::uint32_t code = 0;
  std::vector<std::string> list;
  std::vector<std::string> pieces;
  int pid = 0;
  double seconds = 0;
};

RunResult RunChild(const std::string& program, const std::string& argText,
                   const std::function<void(const ChildProcess&, const std::string&)>& also = {}) {
  RunResult run;
  const auto start = Clock::now();
  run.code = RunConsoleProcess(program, argText, &run.list, [&](const ChildProcess& child, const std::string& piece) {
    run.pieces.push_back(piece);
    run.pid = child.pid;
    if (also) also(child, piece);
  });
  run.seconds = SecondsSince(start);
  return run;
}

RunResult RunScripted(const std::string& argText) { return RunChild(kChild, argText); }

#ifdef _WIN32
// A fresh folder under %TEMP%, removed with its files at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    wchar_t temp[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp, length) + L"vardeno-run-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount64());
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    for (auto it = created_.rbegin(); it != created_.rend(); ++it)
      if (!DeleteFileW(it->c_str())) RemoveDirectoryW(it->c_str());
    RemoveDirectoryW(path_.c_str());
  }
  const std::wstring& Path() const { return path_; }
  std::wstring Folder(const std::wstring& relative) {
    const std::wstring folder = path_ + L"\\" + relative;
    CreateDirectoryW(folder.c_str(), nullptr);
    created_.push_back(folder);
    return folder;
  }
  std::wstring CopyChild(const std::wstring& relative) {
    const std::wstring target = path_ + L"\\" + relative;
    EXPECT_TRUE(CopyFileW(Widen(kChild).c_str(), target.c_str(), FALSE));
    created_.push_back(target);
    return target;
  }
  std::wstring Write(const std::wstring& relative, const std::string& bytes) {
    const std::wstring target = path_ + L"\\" + relative;
    std::ofstream(target.c_str(), std::ios::binary) << bytes;
    created_.push_back(target);
    return target;
  }

 private:
  std::wstring path_;
  std::vector<std::wstring> created_;
};

// Takes the pid from a piece "pid=N" that the child's "pid" command wrote; false for other pieces.
bool TakePid(const std::string& piece, DWORD& pid) {
  if (piece.rfind("pid=", 0) != 0) return false;
  pid = std::stoul(piece.substr(4));
  return true;
}

// Wine's cmd.exe treats % on a /c command line as in a batch file (%% for one %, an unknown
// %VAR% dropped), where Windows leaves both as they are.
bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// True once the process is gone (or never was), false when it still runs after `seconds`.
bool GoneWithin(DWORD pid, double seconds) {
  const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!process) return true;
  const bool gone = WaitForSingleObject(process, static_cast<DWORD>(seconds * 1000)) == WAIT_OBJECT_0;
  CloseHandle(process);
  return gone;
}

void EndProcess(DWORD pid) {
  if (const HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid)) {
    TerminateProcess(process, 9);
    CloseHandle(process);
  }
}

std::string Hex(const std::string& bytes) {
  std::string hex;
  char digits[3];
  for (const unsigned char byte : bytes) {
    std::snprintf(digits, sizeof digits, "%02x", byte);
    hex += digits;
  }
  return hex;
}

std::string ArgText(const std::vector<std::string>& arguments) {
  std::string text = "args";
  for (const std::string& argument : arguments) text += " " + QuoteArgument(argument);
  return text;
}

std::vector<std::string> HexOf(const std::vector<std::string>& arguments) {
  std::vector<std::string> hex;
  for (const std::string& argument : arguments) hex.push_back(Hex(argument));
  hex.push_back("");  // the final delivery
  return hex;
}

// What a C runtime has to get back exactly through the one command line.
const std::vector<std::string> kHardArguments = {
    "two words", "tab\there", "say \"hi\"", "\"", "back\\slash", "C:\\folder\\", "odd\\\\\"quote", "trail\\\\",
    "", "&%^!|<>", "%PATH%", "Zażółć gęślą jaźń", "映画.mkv"};
#else
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
#endif
}  // namespace

TEST(ProcessRunner, CarriageReturnDeliversLineFeedOnlyMarks) {
  RunResult crlf = RunScripted(R"(w=a\r\nb\r\n)");
  EXPECT_EQ(crlf.code, 0u);
  EXPECT_EQ(crlf.list, (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(crlf.pieces, (std::vector<std::string>{"a", "b", ""}));

  // Programs on this system end lines with LF alone; such a line is one piece, as with CR LF.
  RunResult lfOnly = RunScripted(R"(w=a\nb\n)");
  EXPECT_EQ(lfOnly.list, (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(lfOnly.pieces, (std::vector<std::string>{"a", "b", ""}));
  // ffmpeg's last status line ends with LF: it replaces the rewritten line, then a new line starts.
  RunResult lastStatus = RunScripted(R"(w=frame=1\rframe=2\n)");
  EXPECT_EQ(lastStatus.list, (std::vector<std::string>{"frame=2", ""}));

  // stderr shares the pipe.
  RunResult both = RunScripted(R"(e=err\r\n w=out\r\n)");
  EXPECT_EQ(both.list, (std::vector<std::string>{"err", "out", ""}));
#ifndef _WIN32
  // Bytes other than CR and LF pass unchanged, a zero byte included.
  RunResult mixed = RunScripted(R"(e=err\r\n w=x\x00y\x7f\tz\r\n)");
  EXPECT_EQ(mixed.list, (std::vector<std::string>{"err", std::string("x\0y\x7f\tz", 6), ""}));
#endif
}

TEST(ProcessRunner, RewrittenStatusLineKeepsOneEntry) {
  std::vector<std::string> list;
  std::vector<std::vector<std::string>> listSeenByHandler;
  RunConsoleProcess(kChild, R"(w=head\r\nframe=1\rframe=2\rframe=3\r)", &list,
                    [&](const ChildProcess&, const std::string&) { listSeenByHandler.push_back(list); });
  ASSERT_EQ(listSeenByHandler.size(), 5u);
  EXPECT_EQ(listSeenByHandler[3], (std::vector<std::string>{"head", "frame=3"}));
  // The final delivery replaces the status line with the empty rest after the last CR.
  EXPECT_EQ(list, (std::vector<std::string>{"head", ""}));

  // A list emptied by the handler does not lose a piece delivered without the mark.
  std::vector<std::string> emptied;
  std::vector<std::string> afterB;
  RunConsoleProcess(kChild, R"(w=a\rb\r)", &emptied, [&](const ChildProcess&, const std::string& piece) {
    if (piece == "a") emptied.clear();
    if (piece == "b") afterB = emptied;
  });
  EXPECT_EQ(afterB, (std::vector<std::string>{"b"}));
  EXPECT_EQ(emptied, (std::vector<std::string>{""}));
}

TEST(ProcessRunner, ExitCodes) {
  EXPECT_EQ(RunConsoleProcess(kChild, "w=x exit=7", nullptr, {}), 7u);  // no list, no handler
  EXPECT_EQ(RunConsoleProcess(kChild, "exit=255", nullptr, {}), 255u);
#ifndef _WIN32
  EXPECT_EQ(RunConsoleProcess(kChild, "raise=9", nullptr, {}), 128u + 9u);
  // SIGTERM from anyone but TerminateApp is just another signal.
  EXPECT_EQ(RunConsoleProcess(kChild, "raise=15", nullptr, {}), 128u + 15u);
#endif
}

TEST(ProcessRunner, IdleIsCalledWhileTheChildIsSilent) {
  std::vector<Clock::time_point> calls;
  std::vector<std::string> list;
  const auto start = Clock::now();
  RunConsoleProcess(kChild, R"(sleep=3000 w=done\r\n)", &list, {}, [&] { calls.push_back(Clock::now()); });
  EXPECT_EQ(list, (std::vector<std::string>{"done", ""}));
  ASSERT_GE(calls.size(), 4u);
  // Calls keep coming while the child is silent for 3 s; the bounds leave room for a loaded
  // machine, not for a runner that waits for the child's next output.
  EXPECT_LT(std::chrono::duration<double>(calls.front() - start).count(), 1.5);
  for (size_t i = 1; i < calls.size(); ++i)
    EXPECT_LT(std::chrono::duration<double>(calls[i] - calls[i - 1]).count(), 1.5);
}

#ifndef _WIN32

TEST(ProcessRunner, LongLineIsCutInto10240CharacterPieces) {
  std::string line;
  for (int i = 0; i < 25000; ++i) line += static_cast<char>('a' + i % 26);
  std::vector<std::string> list;
  std::vector<std::string> pieces;
  // 961 alphabets and 14 letters: 25000 characters, then CR LF.
  RunConsoleProcess(kChild, R"(rep=961:abcdefghijklmnopqrstuvwxyz w=abcdefghijklmn\r\n)", &list,
                    [&](const ChildProcess&, const std::string& piece) { pieces.push_back(piece); });
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_EQ(pieces[0], line.substr(0, 10240));
  EXPECT_EQ(pieces[1], line.substr(10240, 10240));
  EXPECT_EQ(pieces[2], line.substr(20480));
  EXPECT_EQ(pieces[3], "");
  EXPECT_EQ(list, (std::vector<std::string>{line.substr(0, 10240), line.substr(20480), ""}));
}

TEST(ProcessRunner, BlankArgumentTextGivesNoArguments) {
  EXPECT_EQ(RunScripted(" \t  ").list, (std::vector<std::string>{"no arguments", ""}));
  EXPECT_EQ(RunScripted("").list, (std::vector<std::string>{"no arguments", ""}));
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
  const RunResult run = RunScripted(argText);
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
  const RunResult run = RunScripted("fds");
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
  const RunResult run = RunScripted("nice");
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
  const RunResult run = RunScripted(R"(w=x\r\n close sleep=10000 exit=4)");
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
  const RunResult run = RunScripted(R"(w=a\r\n hold=700 exit=5)");
  EXPECT_GE(SecondsSince(start), 0.65);
  EXPECT_EQ(run.code, 5u);
  EXPECT_EQ(run.list, (std::vector<std::string>{"a", ""}));
}

TEST(ProcessRunner, AHelperHoldingTheOutputAfterTheChildEndedHoldsTheRunUp5sAtMost) {
  const auto start = Clock::now();
  // The helper keeps the pipe open for 30 s and writes nothing more.
  const RunResult run = RunScripted(R"(w=a\r\n hold=30000 exit=5)");
  const double waited = SecondsSince(start);
  EXPECT_GE(waited, 4.9);
  EXPECT_LT(waited, 15.0);  // not the helper's 30 s
  EXPECT_EQ(run.code, 5u);
  EXPECT_EQ(run.list, (std::vector<std::string>{"a", ""}));
}

TEST(ProcessRunner, AbortFromIdleEndsASilentChildWithCode1) {
  bool ended = false;
  const auto start = Clock::now();
  // Like ffmpeg, the fake closes cleanly on SIGTERM and exits 255; the runner reports 1.
  const std::uint32_t code = RunConsoleProcess(kChild, "term=255 sleep=20000", nullptr, {}, [&] {
    if (!ended) ended = TerminateApp(kChild);
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
      kChild, R"(termlog w=a\r sleep=300 w=b\r sleep=300 w=c\r sleep=20000)", &list,
      [&](const ChildProcess&, const std::string& piece) {
        if (piece == "TERM" || piece.empty()) return;
        const auto before = Clock::now();
        EXPECT_TRUE(TerminateApp(kChild));
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
  EXPECT_THROW(RunConsoleProcess(kChild, R"(term=0 w=x\r sleep=20000)", nullptr,
                                 [&](const ChildProcess& child, const std::string&) {
                                   pid = child.pid;
                                   throw std::runtime_error("window gone");
                                 }),
               std::runtime_error);
  EXPECT_EQ(OpenDescriptorCount(), before);
  ASSERT_GT(pid, 0);
  EXPECT_TRUE(GoneWithin(pid, 3.0));
}

#else  // Windows

TEST(ProcessRunner, LongLineIsCutInto10240CharacterPieces) {
  const RunResult longLine = RunChild(kChild, R"(x=25000 w=\r\n)");
  ASSERT_EQ(longLine.pieces.size(), 4u);
  EXPECT_EQ(longLine.pieces[0].size(), 10240u);
  EXPECT_EQ(longLine.pieces[1].size(), 10240u);
  EXPECT_EQ(longLine.pieces[2].size(), 4520u);
  EXPECT_EQ(longLine.list.size(), 3u);
  EXPECT_EQ(longLine.list[1].size(), 4520u);
}

TEST(ProcessRunner, ArgumentsReachTheChildByteExact) {
  EXPECT_EQ(RunChild(kChild, ArgText(kHardArguments)).pieces, HexOf(kHardArguments));
  // A blank argument text gives no arguments at all.
  EXPECT_EQ(RunChild(kChild, "args").pieces, (std::vector<std::string>{""}));
}

TEST(ProcessRunner, BatchFileRunsThroughCmdWithTheSameArguments) {
  TempFolder temp;
  temp.CopyChild(L"child.exe");
  const std::string script = Narrow(temp.Write(L"wrap me.cmd", "@\"%~dp0child.exe\" %*\r\n@exit /b %ERRORLEVEL%\r\n"));
  // cmd passes %* on as written; a quote inside an argument reaches the program as "" inside
  // quotes, which its C runtime reads as one quote.
  std::vector<std::string> arguments = kHardArguments;
  if (UnderWine()) std::erase_if(arguments, [](const std::string& argument) { return argument.find('%') != std::string::npos; });
  EXPECT_EQ(RunChild(script, ArgText(arguments)).pieces, HexOf(arguments));
  EXPECT_EQ(RunChild(script, "exit=5").code, 5u);
}

TEST(ProcessRunner, PathWithBlanksRunsThatProgramNotAPrefixOfIt) {
  TempFolder temp;
  temp.Folder(L"Program Files");
  temp.Folder(L"Program Files\\x");
  const std::wstring real = temp.CopyChild(L"Program Files\\x\\child.exe");
  temp.CopyChild(L"Program.exe");  // what an unquoted command line would start
  // The child's C runtime takes the quoted path as its first argument, so "a" stays the second.
  EXPECT_EQ(RunChild(Narrow(real), "self args a").pieces, (std::vector<std::string>{Narrow(real), Hex("a"), ""}));
}

TEST(ProcessRunner, MissingProgramRaisesFileNotFound) {
  TempFolder temp;
  for (const std::string& missing : {std::string("vardeno-no-such-program"), Narrow(temp.Path() + L"\\none.exe")}) {
    try {
      RunChild(missing, "");
      ADD_FAILURE() << missing << " started";
    } catch (const SystemError& error) {
      EXPECT_EQ(error.Code(), ERROR_FILE_NOT_FOUND) << missing;
    }
  }
}

TEST(ProcessRunner, BareNameIsLookedUpInPathWithPathext) {
  TempFolder temp;
  const std::wstring tool = temp.CopyChild(L"tool.exe");
  wchar_t saved[32768];
  const DWORD savedLength = GetEnvironmentVariableW(L"PATH", saved, 32768);
  SetEnvironmentVariableW(L"PATH", (L"C:\\nowhere;\"" + temp.Path() + L"\"").c_str());
  const std::string found = ResolveExecutablePath("tool");
  const std::uint32_t code = RunChild("tool", "exit=3").code;
  SetEnvironmentVariableW(L"PATH", savedLength ? saved : nullptr);
  EXPECT_EQ(Widen(found), tool);
  EXPECT_EQ(code, 3u);
}

TEST(ProcessRunner, ChildGetsNulInputAndNoOtherHandleOfOurs) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  const HANDLE event = CreateEventW(&inheritable, TRUE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  const RunResult run = RunChild(kChild, "stdin handle=" + std::to_string(reinterpret_cast<UINT_PTR>(event)));
  CloseHandle(event);
  EXPECT_EQ(run.pieces, (std::vector<std::string>{"stdin=eof", "invalid", ""}));
}

TEST(ProcessRunner, ChildRunsBelowNormalPriority) {
  EXPECT_EQ(RunChild(kChild, "priority").pieces, (std::vector<std::string>{"below normal", ""}));
}

TEST(ProcessRunner, AbortEndsTheWrapperScriptAndTheProgramItStarted) {
  TempFolder temp;
  temp.CopyChild(L"child.exe");
  const std::wstring script = temp.Write(L"wrap.cmd", "@\"%~dp0child.exe\" %*\r\n");
  DWORD grandchild = 0;
  bool otherFileEnded = true;
  bool ended = false;
  Clock::time_point abortAt{};
  const RunResult run = RunChild(Narrow(script), "pid sleep=30000", [&](const ChildProcess&, const std::string& piece) {
    if (!TakePid(piece, grandchild)) return;
    // The program the script started was not started by the runner: it is no key to an abort.
    otherFileEnded = TerminateApp(Narrow(temp.Path() + L"\\child.exe"));
    abortAt = Clock::now();
    // Another spelling of the same file finds the child.
    ended = TerminateApp(Narrow(temp.Path() + L"\\.\\WRAP.CMD"));
  });
  EXPECT_FALSE(otherFileEnded);
  EXPECT_TRUE(ended);
  EXPECT_EQ(run.code, kTerminatedExitCode);
  EXPECT_LT(SecondsSince(abortAt), 4.5);  // ended at once, not after the runner's 5 s wait
  ASSERT_NE(grandchild, 0u);
  EXPECT_TRUE(GoneWithin(grandchild, 3.0));
}

TEST(ProcessRunner, AbortLeavesConcurrentRunsOfOtherFiles) {
  TempFolder temp;
  const std::string aborted = Narrow(temp.CopyChild(L"a.exe"));
  const std::string other = Narrow(temp.CopyChild(L"b.exe"));
  auto otherRun = std::async(std::launch::async, [&] { return RunChild(other, "pid sleep=1500 exit=6").code; });
  DWORD pid = 0;
  const RunResult run = RunChild(aborted, "pid sleep=30000", [&](const ChildProcess&, const std::string& piece) {
    if (TakePid(piece, pid)) TerminateApp(aborted);
  });
  EXPECT_EQ(run.code, kTerminatedExitCode);
  EXPECT_EQ(otherRun.get(), 6u);
}

TEST(ProcessRunner, ExceptionFromIdleEndsTheChild) {
  DWORD pid = 0;
  EXPECT_THROW(RunConsoleProcess(
                   kChild, "pid sleep=30000", nullptr,
                   [&](const ChildProcess&, const std::string& piece) { TakePid(piece, pid); },
                   [&] {
                     if (pid) throw std::runtime_error("stop");
                   }),
               std::runtime_error);
  ASSERT_NE(pid, 0u);
  EXPECT_TRUE(GoneWithin(pid, 2.0));
}

TEST(ProcessRunner, GrandchildKeepingTheOutputOpenDoesNotHoldTheRun) {
  DWORD grandchild = 0;
  const RunResult run = RunChild(kChild, "\"spawn=pid sleep=20000\" sleep=200 exit=4",
                            [&](const ChildProcess&, const std::string& piece) {
                              TakePid(piece, grandchild);
                            });
  EXPECT_EQ(run.code, 4u);
  EXPECT_LT(run.seconds, 8.0);
  ASSERT_NE(grandchild, 0u);
  // It is left running, as it would be after a normal end of its parent.
  EXPECT_FALSE(GoneWithin(grandchild, 0.1));
  EndProcess(grandchild);
}

TEST(ProcessRunner, ChildRunningAfterClosingItsOutputGives259AndIsLeftRunning) {
  // Wine's hidden console of a console program would keep the output open until the end.
  int pid = 0;
  const RunResult run = RunChild(kConsolelessChild, "close sleep=8000", [&](const ChildProcess& child, const std::string&) {
    pid = child.pid;
  });
  EXPECT_EQ(run.code, kStillActive);
  EXPECT_GE(run.seconds, 4.9);
  ASSERT_NE(pid, 0);
  EXPECT_FALSE(GoneWithin(static_cast<DWORD>(pid), 0.1));
  EXPECT_TRUE(TerminateChild(ChildProcess{pid}));
  EXPECT_TRUE(GoneWithin(static_cast<DWORD>(pid), 2.0));
}

TEST(ProcessRunner, EndingTheParentAbruptlyEndsItsChild) {
  DWORD grandchild = 0;
  const RunResult run = RunChild(kParent, QuoteArgument(kChild) + " \"pid sleep=30000\"",
                            [&](const ChildProcess& parent, const std::string& piece) {
                              if (TakePid(piece, grandchild)) EndProcess(static_cast<DWORD>(parent.pid));
                            });
  EXPECT_EQ(run.code, 9u);
  ASSERT_NE(grandchild, 0u);
  EXPECT_TRUE(GoneWithin(grandchild, 2.0));
  EndProcess(grandchild);
}

#endif

}  // namespace vardeno
