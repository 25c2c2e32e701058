// The process runner on POSIX systems: posix_spawn with one pipe for stdout and stderr, poll()
// so that a silent child still lets the caller handle events, and a bounded wait for the exit.
#include "platform/ProcessRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <thread>
#include <utility>

#include "base/StringUtil.h"
#include "platform/ArgumentText.h"
#include "platform/OutputPieces.h"
#include "platform/SystemError.h"
#include "platform/posix/ChildRegistry.h"
#include "platform/posix/ExecutableIdentity.h"
#include "platform/posix/UniqueFd.h"

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kIdleInterval = std::chrono::milliseconds(100);
constexpr auto kExitWait = std::chrono::milliseconds(5000);
// How much nicer than this process a child runs (the most a process can be is 19).
constexpr int kChildNiceIncrement = 10;
constexpr int kNicest = 19;

// An encoder takes every processor it is given for as long as it runs; a converter that runs
// several of them must still leave the desktop, its own windows and screen readers responsive.
// The child's process group (every thread it has started so far and whatever they start later)
// is made nicer than this process; the processors it does not leave idle go to it all the same.
// A failure leaves the child at this process's priority: nothing is lost but the courtesy.
void LowerPriority(pid_t pid) {
  errno = 0;
  const int own = getpriority(PRIO_PROCESS, 0);
  if (own == -1 && errno != 0) return;
  setpriority(PRIO_PGRP, static_cast<id_t>(pid), std::min(own + kChildNiceIncrement, kNicest));
}

// Moves a descriptor above 2 (close-on-exec kept), so that setting up the child's 0, 1 and 2
// can never overwrite it when this process runs with a standard descriptor closed.
void MoveAboveStandardFds(UniqueFd& fd) {
  if (fd.Get() > 2) return;
  const int moved = fcntl(fd.Get(), F_DUPFD_CLOEXEC, 3);
  if (moved < 0) throw SystemError::FromErrno();
  fd.Reset(moved);
}

#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
int AddCloseDescriptorsFrom3(posix_spawn_file_actions_t* actions) {
  return posix_spawn_file_actions_addclosefrom_np(actions, 3);
}
#else
int AddCloseDescriptorsFrom3(posix_spawn_file_actions_t*) { return 0; }
#endif

void ThrowIfFailed(int result) {
  if (result != 0) throw SystemError(result, std::strerror(result));
}

class SpawnSetup {
 public:
  SpawnSetup() {
    ThrowIfFailed(posix_spawn_file_actions_init(&actions_));
    const int attrResult = posix_spawnattr_init(&attributes_);
    if (attrResult != 0) {
      posix_spawn_file_actions_destroy(&actions_);
      ThrowIfFailed(attrResult);
    }
  }
  ~SpawnSetup() {
    posix_spawnattr_destroy(&attributes_);
    posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  void Configure(int stdinFd, int outputFd) {
    ThrowIfFailed(posix_spawn_file_actions_adddup2(&actions_, stdinFd, STDIN_FILENO));
    ThrowIfFailed(posix_spawn_file_actions_adddup2(&actions_, outputFd, STDOUT_FILENO));
    ThrowIfFailed(posix_spawn_file_actions_adddup2(&actions_, outputFd, STDERR_FILENO));
    // Our own descriptors are close-on-exec; this also keeps out any that other code of this
    // process opened without that flag.
    ThrowIfFailed(AddCloseDescriptorsFrom3(&actions_));

    // Its own process group (so it can be ended with its helpers, and a terminal's Ctrl+C
    // reaches it only through us), no blocked signals, and default handling of the signals this
    // process may ignore (an encoder must die of SIGPIPE and SIGTERM as usual).
    sigset_t none;
    sigemptyset(&none);
    ThrowIfFailed(posix_spawnattr_setsigmask(&attributes_, &none));
    sigset_t defaults;
    sigemptyset(&defaults);
    for (const int signal : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD, SIGALRM, SIGUSR1,
                             SIGUSR2, SIGTSTP, SIGTTIN, SIGTTOU})
      sigaddset(&defaults, signal);
    ThrowIfFailed(posix_spawnattr_setsigdefault(&attributes_, &defaults));
    ThrowIfFailed(posix_spawnattr_setpgroup(&attributes_, 0));
    ThrowIfFailed(posix_spawnattr_setflags(
        &attributes_, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF));
  }

  // Returns the child's pid; throws with the system's code when it cannot be started, which
  // includes a file that exists but cannot be executed (glibc reports exec errors here).
  pid_t Spawn(const std::string& exePath, const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    ThrowIfFailed(posix_spawnp(&pid, exePath.c_str(), &actions_, &attributes_, argv.data(), environ));
    return pid;
  }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

std::uint32_t ExitCodeOf(const ChildRegistry::Ended& ended) {
  if (ended.terminated) return kTerminatedExitCode;
  // Reaped elsewhere (SIGCHLD ignored by this process): the outcome is unknown, so not success.
  if (!ended.statusKnown) return kStillActive;
  if (WIFEXITED(ended.status)) return static_cast<std::uint32_t>(WEXITSTATUS(ended.status));
  if (WIFSIGNALED(ended.status)) return 128u + static_cast<std::uint32_t>(WTERMSIG(ended.status));
  return kStillActive;
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
  // Milliseconds until the next call is due (for poll); -1 without an idle handler.
  int MillisecondsToNext() const {
    if (!idle_) return -1;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(last_ + kIdleInterval - Clock::now());
    return static_cast<int>(std::clamp<long long>(left.count() + 1, 0, kIdleInterval.count()));
  }

 private:
  const IdleHandler& idle_;
  Clock::time_point last_;
};

// Until the run is complete, the child belongs to this call: if the call is left by an
// exception, the child is ended and reaped in the background rather than left behind.
class ChildGuard {
 public:
  explicit ChildGuard(pid_t pid) : pid_(pid) {}
  ~ChildGuard() {
    if (released_) return;
    try {
      ChildRegistry::Instance().End(pid_);
      ChildRegistry::Instance().ReapInBackground(pid_);
    } catch (...) {
      // Out of resources while unwinding: the child is left as it is rather than ending the program.
    }
  }
  ChildGuard(const ChildGuard&) = delete;
  ChildGuard& operator=(const ChildGuard&) = delete;
  void Release() { released_ = true; }

 private:
  pid_t pid_;
  bool released_ = false;
};

// Whether the child has ended, without reaping it: while it is a zombie its pid and process
// group stay ours, so ending the group (the SIGKILL after the grace time) still reaches its helpers.
bool HasEnded(pid_t pid) {
  siginfo_t info{};
  int result;
  do {
    result = waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT);
  } while (result != 0 && errno == EINTR);
  // An error (reaped elsewhere) counts as ended: there is nothing left to wait for.
  return result != 0 || info.si_pid == pid;
}

// Reads until the output closes. A child that has ended while something it started still holds
// the output open (a helper left running in the background) is read from for kExitWait more at
// most, so such a helper cannot hold the run up.
void ReadUntilClosed(int fd, pid_t pid, OutputPieces& pieces, IdleTimer& idleTimer) {
  char buffer[kPipeReadSize];
  auto nextExitCheck = Clock::now() + kIdleInterval;
  std::optional<Clock::time_point> readDeadline;
  for (;;) {
    // Read first and wait only when nothing is there: while the child writes steadily this
    // takes one system call per block instead of two.
    const ssize_t count = read(fd, buffer, sizeof buffer);
    if (count > 0) {
      pieces.Feed(buffer, static_cast<size_t>(count));
    } else if (count == 0) {
      return;
    } else if (errno == EAGAIN) {
      const int untilIdle = idleTimer.MillisecondsToNext();
      const int wait = static_cast<int>(kIdleInterval.count());
      pollfd ready{fd, POLLIN, 0};
      if (poll(&ready, 1, untilIdle < 0 ? wait : std::min(untilIdle, wait)) < 0 && errno != EINTR) return;
    } else if (errno != EINTR) {
      return;
    }
    const auto now = Clock::now();
    if (now >= nextExitCheck) {
      nextExitCheck = now + kIdleInterval;
      if (!readDeadline && HasEnded(pid)) readDeadline = now + kExitWait;
      if (readDeadline && now >= *readDeadline) return;
    }
    idleTimer.Tick();
  }
}

// Waits up to kExitWait for the child to end; kStillActive (and reaping left to the background)
// when it does not.
std::uint32_t WaitForExit(pid_t pid, IdleTimer& idleTimer) {
  ChildRegistry& registry = ChildRegistry::Instance();
  const auto deadline = Clock::now() + kExitWait;
  auto pause = std::chrono::milliseconds(1);
  for (;;) {
    if (const auto ended = registry.TryReap(pid)) return ExitCodeOf(*ended);
    const auto now = Clock::now();
    if (now >= deadline) {
      registry.ReapInBackground(pid);
      return kStillActive;
    }
    idleTimer.Tick();
    // A child that closed its output normally ends within a moment: poll often at first.
    std::this_thread::sleep_for(std::min({pause, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now),
                                          std::chrono::milliseconds(std::max(idleTimer.MillisecondsToNext(), 1))}));
    pause = std::min(pause * 2, std::chrono::milliseconds(50));
  }
}
}  // namespace

std::uint32_t RunConsoleProcess(const std::string& exePath, const std::string& argText,
                                std::vector<std::string>* outputList, const OutputLineHandler& handler,
                                const IdleHandler& idle) {
  std::vector<std::string> arguments{exePath};
  if (!Trim(argText).empty()) {
    std::vector<std::string> split = SplitArgumentText(argText);
    arguments.insert(arguments.end(), std::make_move_iterator(split.begin()), std::make_move_iterator(split.end()));
  }

  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) throw SystemError::FromErrno();
  UniqueFd readEnd(pipeFds[0]);
  UniqueFd writeEnd(pipeFds[1]);
  UniqueFd devNull(open("/dev/null", O_RDONLY | O_CLOEXEC));
  if (devNull.Get() < 0) throw SystemError::FromErrno();
  MoveAboveStandardFds(writeEnd);
  MoveAboveStandardFds(devNull);
  // Only our end is non-blocking; the child's end stays as a console program expects it.
  if (fcntl(readEnd.Get(), F_SETFL, fcntl(readEnd.Get(), F_GETFL) | O_NONBLOCK) != 0)
    throw SystemError::FromErrno();

  // Which file the child starts from, so that an abort finds it whatever it exec's into.
  ExecutableIdentity startedFrom = IdentifyExecutable(exePath);
  SpawnSetup setup;
  setup.Configure(devNull.Get(), writeEnd.Get());
  const pid_t pid = setup.Spawn(exePath, arguments);
  ChildRegistry::Instance().Add(pid, std::move(startedFrom));
  ChildGuard guard(pid);
  LowerPriority(pid);
  // From now on only the child holds the write end, so the pipe closes when it (and whatever
  // inherited the end from it) is gone.
  writeEnd.Reset();
  devNull.Reset();

  OutputPieces pieces(outputList, handler, ChildProcess{pid});
  IdleTimer idleTimer(idle);
  ReadUntilClosed(readEnd.Get(), pid, pieces, idleTimer);
  const std::uint32_t exitCode = WaitForExit(pid, idleTimer);
  guard.Release();
  pieces.Deliver();
  return exitCode;
}
