// The process runner on Windows: CreateProcessW with one quoted command line, a pipe for stdout
// and stderr whose write end is the only handle the child inherits, each child in a job object
// of its own, overlapped reads so that a silent child still lets the caller handle events, and
// bounded waits for the output's end and for the exit.
#include "platform/ProcessRunner.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <utility>

#include "base/StringUtil.h"
#include "platform/ArgumentText.h"
#include "platform/ExecutablePath.h"
#include "platform/OutputPieces.h"
#include "platform/win32/ChildRegistry.h"
#include "platform/win32/CommandLine.h"
#include "platform/win32/ExecutableIdentity.h"
#include "platform/win32/LastError.h"
#include "platform/win32/OutputPipe.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace {
using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;
constexpr auto kIdleInterval = Milliseconds(100);
constexpr auto kExitWait = Milliseconds(5000);
// How long the output is still read after the child has ended while something it started keeps
// the pipe open; what that leaves running is not waited for.
constexpr auto kOutputAfterExit = Milliseconds(5000);
// How often, once the child has ended, the job is looked at for processes still running.
constexpr auto kJobCheckInterval = Milliseconds(50);

DWORD ToTimeout(Clock::duration left) {
  return static_cast<DWORD>(std::clamp<long long>(std::chrono::ceil<Milliseconds>(left).count(), 0, 0x7fffffff));
}

// Calls the idle handler when its interval has passed since the last call.
class IdleTimer {
 public:
  explicit IdleTimer(const IdleHandler& idle) : idle_(idle), last_(Clock::now()) {}
  void Tick() {
    if (!idle_) return;
    const auto now = Clock::now();
    if (now - last_ < kIdleInterval) return;
    last_ = now;
    idle_();
  }
  // Time until the next call is due; "never" without an idle handler.
  Clock::duration Left() const { return idle_ ? last_ + kIdleInterval - Clock::now() : Clock::duration::max(); }

 private:
  const IdleHandler& idle_;
  Clock::time_point last_;
};

// The standard input a child gets: the NUL device, inheritable (for the handle list only).
UniqueHandle OpenNulForChild() {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  UniqueHandle nul(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING,
                               0, nullptr));
  if (!nul) throw LastSystemError();
  return nul;
}

// A job that ends every process in it when its last handle closes: when this program ends or
// crashes, so does every child and what the child started.
UniqueHandle CreateKillOnCloseJob() {
  UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
  if (!job) throw LastSystemError();
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits))
    throw LastSystemError();
  return job;
}

// STARTUPINFOEXW whose attribute list names the only handles the child may inherit.
class InheritList {
 public:
  InheritList(HANDLE input, HANDLE output) : handles_{input, output} {
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    storage_ = std::make_unique<char[]>(size);
    list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.get());
    if (!InitializeProcThreadAttributeList(list_, 1, 0, &size)) throw LastSystemError();
    initialized_ = true;
    if (!UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_, sizeof handles_, nullptr,
                                   nullptr))
      throw LastSystemError();
    info_.StartupInfo.cb = sizeof info_;
    info_.StartupInfo.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    info_.StartupInfo.wShowWindow = SW_HIDE;
    info_.StartupInfo.hStdInput = input;
    info_.StartupInfo.hStdOutput = output;
    info_.StartupInfo.hStdError = output;
    info_.lpAttributeList = list_;
  }
  ~InheritList() {
    if (initialized_) DeleteProcThreadAttributeList(list_);
  }
  InheritList(const InheritList&) = delete;
  InheritList& operator=(const InheritList&) = delete;
  STARTUPINFOW* StartupInfo() { return &info_.StartupInfo; }

 private:
  HANDLE handles_[2];
  std::unique_ptr<char[]> storage_;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
  bool initialized_ = false;
  STARTUPINFOEXW info_{};
};

struct Started {
  PROCESS_INFORMATION info{};
  bool created = false;
};

// Creates the child suspended, so that it runs no instruction outside its job. An encoder takes
// every processor it is given for as long as it runs; below normal priority it still gets every
// processor the desktop leaves idle, while the desktop, our windows and screen readers stay
// responsive with several encoders running. The class is set on the suspended process as well
// (Wine does not take it from the creation flags); a failure there costs only the courtesy.
bool CreateSuspended(const std::wstring& application, std::wstring commandLine, InheritList& inherit, DWORD extraFlags,
                     PROCESS_INFORMATION& info) {
  const DWORD flags = CREATE_SUSPENDED | CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT | EXTENDED_STARTUPINFO_PRESENT |
                      BELOW_NORMAL_PRIORITY_CLASS | extraFlags;
  if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                      inherit.StartupInfo(), &info))
    return false;
  SetPriorityClass(info.hProcess, BELOW_NORMAL_PRIORITY_CLASS);
  return true;
}

// Starts the child suspended and puts it in the job. A process in a job that does not allow
// nesting (systems before Windows 8, Wine) cannot be assigned to a second one; the child is then
// started once more outside the job this process is in, where that job allows it.
PROCESS_INFORMATION StartInJob(const std::wstring& application, const std::wstring& commandLine,
                               InheritList& inherit, HANDLE job) {
  PROCESS_INFORMATION info{};
  if (!CreateSuspended(application, commandLine, inherit, 0, info)) throw LastSystemError();
  if (AssignProcessToJobObject(job, info.hProcess)) return info;
  const SystemError notAssigned = LastSystemError();
  TerminateProcess(info.hProcess, kTerminatedExitCode);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  if (!CreateSuspended(application, commandLine, inherit, CREATE_BREAKAWAY_FROM_JOB, info)) throw notAssigned;
  if (AssignProcessToJobObject(job, info.hProcess)) return info;
  const SystemError stillNotAssigned = LastSystemError();
  TerminateProcess(info.hProcess, kTerminatedExitCode);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  throw stillNotAssigned;
}

std::wstring SystemCmdPath() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) throw LastSystemError();
  return std::wstring(folder, length) + L"\\cmd.exe";
}

// Until the run is complete, the child belongs to this call: if the call is left by an
// exception, the child's job is ended rather than left behind.
class ChildGuard {
 public:
  explicit ChildGuard(DWORD pid) : pid_(pid) {}
  ~ChildGuard() {
    try {
      ChildRegistry& registry = ChildRegistry::Instance();
      if (!released_) registry.End(pid_);
      registry.ReleaseWhenDone(pid_);
    } catch (...) {
      // Out of resources while unwinding: the entry is left as it is rather than ending the program.
    }
  }
  ChildGuard(const ChildGuard&) = delete;
  ChildGuard& operator=(const ChildGuard&) = delete;
  void Release() { released_ = true; }

 private:
  DWORD pid_;
  bool released_ = false;
};

// Reads until every writer has closed the pipe or, once the child has ended, until its job is
// empty or kOutputAfterExit has passed.
void ReadOutput(OutputPipe& pipe, HANDLE process, DWORD pid, OutputPieces& pieces, IdleTimer& idleTimer) {
  ChildRegistry& registry = ChildRegistry::Instance();
  bool childEnded = false;
  Clock::time_point stopBy{};
  for (;;) {
    const OutputPipe::Result result = pipe.Read();
    if (result == OutputPipe::Result::Closed) return;
    if (result == OutputPipe::Result::Data) {
      pieces.Feed(pipe.Bytes(), pipe.Count());
      idleTimer.Tick();
      continue;
    }
    Clock::duration wait = idleTimer.Left();
    if (childEnded) wait = std::min<Clock::duration>({wait, kJobCheckInterval, stopBy - Clock::now()});
    const HANDLE handles[2] = {pipe.ReadEvent(), process};
    const DWORD waited = WaitForMultipleObjects(childEnded ? 1 : 2, handles, FALSE,
                                                wait == Clock::duration::max() ? INFINITE : ToTimeout(wait));
    if (waited == WAIT_OBJECT_0 + 1) {
      childEnded = true;
      stopBy = Clock::now() + kOutputAfterExit;
    } else if (waited == WAIT_TIMEOUT && childEnded) {
      if (registry.JobIsEmpty(pid)) {
        // Whoever still holds the pipe is outside the job. What the job's last process wrote
        // before it ended has finished the pending read by now.
        while (pipe.Read() == OutputPipe::Result::Data) pieces.Feed(pipe.Bytes(), pipe.Count());
        return;
      }
      if (Clock::now() >= stopBy) return;
    } else if (waited == WAIT_FAILED) {
      throw LastSystemError();
    }
    idleTimer.Tick();
  }
}

// Waits up to kExitWait for the child to end; kStillActive when it does not.
std::uint32_t WaitForExit(HANDLE process, DWORD pid, IdleTimer& idleTimer) {
  ChildRegistry& registry = ChildRegistry::Instance();
  const auto deadline = Clock::now() + kExitWait;
  for (;;) {
    if (const auto code = registry.ExitCode(pid)) return *code;
    const auto now = Clock::now();
    if (now >= deadline) return kStillActive;
    WaitForSingleObject(process, ToTimeout(std::min<Clock::duration>(deadline - now, idleTimer.Left())));
    idleTimer.Tick();
  }
}
}  // namespace

std::uint32_t RunConsoleProcess(const std::string& exePath, const std::string& argText,
                                std::vector<std::string>* outputList, const OutputLineHandler& handler,
                                const IdleHandler& idle) {
  std::vector<std::wstring> arguments;
  if (!Trim(argText).empty())
    for (const std::string& argument : SplitArgumentText(argText)) arguments.push_back(Widen(argument));

  // The file is found here rather than by CreateProcessW, which would also look beside this
  // program, in the current folder and in the system folders.
  const std::string resolved = ResolveExecutablePath(exePath);
  const std::wstring program = Widen(resolved.empty() ? exePath : resolved);
  if (resolved.empty() && exePath.find_first_of("\\/:") == std::string::npos)
    throw SystemErrorFromCode(ERROR_FILE_NOT_FOUND);
  const bool batch = IsBatchFile(program);
  const std::wstring application = batch ? SystemCmdPath() : program;
  const std::wstring commandLine =
      batch ? BuildBatchCommandLine(program, arguments) : BuildCommandLine(program, arguments);

  // Which file the child starts from, so that an abort finds it.
  ExecutableIdentity startedFrom = IdentifyExecutable(exePath);
  OutputPipe pipe;
  UniqueHandle nul = OpenNulForChild();
  UniqueHandle job = CreateKillOnCloseJob();
  InheritList inherit(nul.Get(), pipe.ChildEnd());
  const PROCESS_INFORMATION info = StartInJob(application, commandLine, inherit, job.Get());
  UniqueHandle process(info.hProcess);
  UniqueHandle thread(info.hThread);
  // The registry keeps the job (and with it the child) alive; this call waits on its own handle.
  HANDLE ownProcess = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), process.Get(), GetCurrentProcess(), &ownProcess, 0, FALSE,
                       DUPLICATE_SAME_ACCESS)) {
    const SystemError error = LastSystemError();
    TerminateJobObject(job.Get(), kTerminatedExitCode);
    throw error;
  }
  const UniqueHandle waitProcess(ownProcess);
  const DWORD pid = info.dwProcessId;
  ChildRegistry::Instance().Add(pid, std::move(process), std::move(job), std::move(startedFrom));
  ChildGuard guard(pid);
  if (ResumeThread(thread.Get()) == static_cast<DWORD>(-1)) throw LastSystemError();
  thread.Reset();
  // From now on only the child holds the write end, so the pipe closes when it (and whatever
  // inherited the end from it) is gone.
  pipe.CloseChildEnd();
  nul.Reset();

  OutputPieces pieces(outputList, handler, ChildProcess{static_cast<int>(pid)});
  IdleTimer idleTimer(idle);
  ReadOutput(pipe, waitProcess.Get(), pid, pieces, idleTimer);
  const std::uint32_t exitCode = WaitForExit(waitProcess.Get(), pid, idleTimer);
  guard.Release();
  pieces.Deliver();
  return exitCode;
}
