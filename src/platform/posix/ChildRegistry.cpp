#include "platform/posix/ChildRegistry.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <system_error>
#include <thread>
#include <utility>

namespace vardeno {

namespace {
// Signals the child's own process group (it leads one, so a wrapper's helpers and whatever it
// has exec'd are reached); falls back to the child alone if it has left that group.
void SignalChildGroup(pid_t pid, int signal) {
  if (kill(-pid, signal) != 0) kill(pid, signal);
}

// Runs the action on a background thread after the grace time. Without a thread (the system
// refused one) the action is skipped: ending a process fails silently.
void AfterGraceTime(std::function<void()> action) {
  try {
    std::thread([action = std::move(action)] {
      std::this_thread::sleep_for(std::chrono::milliseconds(kTerminateGraceMs));
      action();
    }).detach();
  } catch (const std::system_error&) {
  }
}
}  // namespace

ChildRegistry& ChildRegistry::Instance() {
  static ChildRegistry* const registry = new ChildRegistry();
  return *registry;
}

void ChildRegistry::Add(pid_t pid, ExecutableIdentity startedFrom) {
  std::lock_guard lock(mutex_);
  children_[pid] = Entry{nextSerial_++, false, std::move(startedFrom)};
}

std::optional<ChildRegistry::Ended> ChildRegistry::TryReap(pid_t pid) {
  std::lock_guard lock(mutex_);
  int status = 0;
  pid_t result;
  do {
    result = waitpid(pid, &status, WNOHANG);
  } while (result < 0 && errno == EINTR);
  if (result == 0) return std::nullopt;

  Ended ended;
  ended.statusKnown = result == pid;
  ended.status = status;
  const auto found = children_.find(pid);
  if (found != children_.end()) {
    ended.terminated = found->second.terminated;
    children_.erase(found);
  }
  return ended;
}

void ChildRegistry::ReapInBackground(pid_t pid) {
  try {
    std::thread([this, pid] {
      // Wait without reaping, so the pid stays taken until TryReap removes it under the lock.
      siginfo_t info{};
      while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
      }
      TryReap(pid);
    }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: the child stays a zombie until this program ends.
  }
}

ChildRegistry::EndResult ChildRegistry::EndLocked(pid_t pid, Entry& entry) {
  // A second SIGTERM is not sent: ffmpeg exits at once, without finishing its file, after a few.
  if (entry.terminated) return EndResult::AlreadyEnding;
  entry.terminated = true;
  SignalChildGroup(pid, SIGTERM);
  const std::uint64_t serial = entry.serial;
  AfterGraceTime([this, pid, serial] { SignalIfCurrent(pid, serial, SIGKILL); });
  return EndResult::Ended;
}

ChildRegistry::EndResult ChildRegistry::End(pid_t pid) {
  std::lock_guard lock(mutex_);
  const auto found = children_.find(pid);
  if (found == children_.end()) return EndResult::NotRegistered;
  return EndLocked(pid, found->second);
}

std::size_t ChildRegistry::EndStartedFrom(const ExecutableIdentity& file) {
  std::lock_guard lock(mutex_);
  std::size_t count = 0;
  for (auto& [pid, entry] : children_) {
    if (!SameExecutable(entry.startedFrom, file)) continue;
    EndLocked(pid, entry);
    ++count;
  }
  return count;
}

void ChildRegistry::SignalIfCurrent(pid_t pid, std::uint64_t serial, int signal) {
  std::lock_guard lock(mutex_);
  // Not reaped yet, so the pid and the process group it leads are still ours.
  const auto found = children_.find(pid);
  if (found != children_.end() && found->second.serial == serial) SignalChildGroup(pid, signal);
}

}  // namespace vardeno
