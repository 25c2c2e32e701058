// The process runner on Windows, against scripted_child.exe (and runner_parent.exe) beside this
// test: what Windows changes — the command line the child's C runtime splits, batch files run
// through cmd, paths with blanks, the pipe and the handles a child gets, job objects on abort and
// when the parent dies, and a grandchild that keeps the output open.
#include "platform/ProcessRunner.h"

#include <windows.h>

#include <chrono>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/ArgumentText.h"
#include "platform/ExecutablePath.h"
#include "platform/SystemError.h"
#include "platform/win32/WideText.h"

namespace {
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::wstring ThisFolder() {
  wchar_t path[MAX_PATH];
  std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  return self.substr(0, self.find_last_of(L'\\'));
}

const std::string kChild = Narrow(ThisFolder() + L"\\scripted_child.exe");
// The same program without a console (Windows subsystem): nothing but itself holds its output.
const std::string kConsolelessChild = Narrow(ThisFolder() + L"\\scripted_child_gui.exe");
const std::string kParent = Narrow(ThisFolder() + L"\\runner_parent.exe");

struct RunResult {
  std::uint32_t code = 0;
  std::vector<std::string> list;
  std::vector<std::string> pieces;
  double seconds = 0;
};

RunResult RunChild(const std::string& program, const std::string& argText,
              const std::function<void(const ChildProcess&, const std::string&)>& also = {}) {
  RunResult run;
  const auto start = Clock::now();
  run.code = RunConsoleProcess(program, argText, &run.list, [&](const ChildProcess& child, const std::string& piece) {
    run.pieces.push_back(piece);
    if (also) also(child, piece);
  });
  run.seconds = SecondsSince(start);
  return run;
}

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
}  // namespace

TEST(ProcessRunnerWin32, OutputIsCutIntoPiecesAndTheExitCodePassesThrough) {
  const RunResult crlf = RunChild(kChild, R"(w=a\r\nb\r\n exit=7)");
  EXPECT_EQ(crlf.code, 7u);
  EXPECT_EQ(crlf.list, (std::vector<std::string>{"a", "b", ""}));

  // A status line rewritten with lone CRs keeps one entry; stderr comes through the same pipe.
  const RunResult status = RunChild(kChild, R"(e=head\r\n w=frame=1\r w=frame=2\r w=frame=3\r)");
  EXPECT_EQ(status.list, (std::vector<std::string>{"head", ""}));
  EXPECT_EQ(status.pieces, (std::vector<std::string>{"head", "frame=1", "frame=2", "frame=3", ""}));

  const RunResult lf = RunChild(kChild, R"(w=a\nb\n)");
  EXPECT_EQ(lf.list, (std::vector<std::string>{"a", "b", ""}));

  const RunResult longLine = RunChild(kChild, R"(x=25000 w=\r\n)");
  ASSERT_EQ(longLine.pieces.size(), 4u);
  EXPECT_EQ(longLine.pieces[0].size(), 10240u);
  EXPECT_EQ(longLine.pieces[1].size(), 10240u);
  EXPECT_EQ(longLine.pieces[2].size(), 4520u);
  EXPECT_EQ(longLine.list.size(), 3u);
  EXPECT_EQ(longLine.list[1].size(), 4520u);
}

TEST(ProcessRunnerWin32, ArgumentsReachTheChildByteExact) {
  EXPECT_EQ(RunChild(kChild, ArgText(kHardArguments)).pieces, HexOf(kHardArguments));
  // A blank argument text gives no arguments at all.
  EXPECT_EQ(RunChild(kChild, "args").pieces, (std::vector<std::string>{""}));
}

TEST(ProcessRunnerWin32, BatchFileRunsThroughCmdWithTheSameArguments) {
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

TEST(ProcessRunnerWin32, PathWithBlanksRunsThatProgramNotAPrefixOfIt) {
  TempFolder temp;
  temp.Folder(L"Program Files");
  temp.Folder(L"Program Files\\x");
  const std::wstring real = temp.CopyChild(L"Program Files\\x\\child.exe");
  temp.CopyChild(L"Program.exe");  // what an unquoted command line would start
  // The child's C runtime takes the quoted path as its first argument, so "a" stays the second.
  EXPECT_EQ(RunChild(Narrow(real), "self args a").pieces, (std::vector<std::string>{Narrow(real), Hex("a"), ""}));
}

TEST(ProcessRunnerWin32, MissingProgramRaisesFileNotFound) {
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

TEST(ProcessRunnerWin32, BareNameIsLookedUpInPathWithPathext) {
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

TEST(ProcessRunnerWin32, ChildGetsNulInputAndNoOtherHandleOfOurs) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  const HANDLE event = CreateEventW(&inheritable, TRUE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  const RunResult run = RunChild(kChild, "stdin handle=" + std::to_string(reinterpret_cast<UINT_PTR>(event)));
  CloseHandle(event);
  EXPECT_EQ(run.pieces, (std::vector<std::string>{"stdin=eof", "invalid", ""}));
}

TEST(ProcessRunnerWin32, ChildRunsBelowNormalPriority) {
  EXPECT_EQ(RunChild(kChild, "priority").pieces, (std::vector<std::string>{"below normal", ""}));
}

TEST(ProcessRunnerWin32, AbortEndsTheWrapperScriptAndTheProgramItStarted) {
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

TEST(ProcessRunnerWin32, AbortLeavesConcurrentRunsOfOtherFiles) {
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

TEST(ProcessRunnerWin32, ExceptionFromIdleEndsTheChild) {
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

TEST(ProcessRunnerWin32, GrandchildKeepingTheOutputOpenDoesNotHoldTheRun) {
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

TEST(ProcessRunnerWin32, ChildRunningAfterClosingItsOutputGives259AndIsLeftRunning) {
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

TEST(ProcessRunnerWin32, IdleIsCalledWhileTheChildIsSilent) {
  int idleCalls = 0;
  RunConsoleProcess(kChild, "sleep=1500", nullptr, {}, [&] { ++idleCalls; });
  // Calls keep coming while the child is silent, however slowly a loaded machine runs them.
  EXPECT_GE(idleCalls, 4);
}

TEST(ProcessRunnerWin32, EndingTheParentAbruptlyEndsItsChild) {
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
