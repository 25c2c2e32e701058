// The children started by the process runner that have not been reaped yet, and which of them
// TerminateApp has ended. Reaping and signalling a child go through one lock, so a signal never
// reaches a pid that has been reaped (and may already belong to another process).
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <set>
#include <unordered_map>
#include <utility>

// How long a child ended with SIGTERM has before it gets SIGKILL.
inline constexpr int kTerminateGraceMs = 2000;

class ChildRegistry {
 public:
  // The one registry of this process. It is never destroyed, because background threads that
  // reap or end children may still use it while the program exits.
  static ChildRegistry& Instance();

  void Add(pid_t pid);

  struct Ended {
    bool statusKnown = false;  // false when the child was reaped by someone else
    int status = 0;            // as waitpid gives it
    bool terminated = false;   // TerminateApp (or a failed run) ended it
  };
  // Reaps the child when it has ended, without waiting; empty while it still runs.
  std::optional<Ended> TryReap(pid_t pid);
  // Leaves the child to a background thread that reaps it whenever it ends.
  void ReapInBackground(pid_t pid);

  enum class EndResult { NotRegistered, Ended, AlreadyEnding };
  // Sends SIGTERM to the child's process group (once per child) and SIGKILL after the grace
  // time if it has not been reaped by then; never blocks.
  EndResult End(pid_t pid);
  // The same for a child of this process that the runner did not start; identified by pid and
  // start time, so the late SIGKILL cannot reach a process that reused the pid.
  bool EndUnregistered(pid_t pid, std::uint64_t startTime);

 private:
  ChildRegistry() = default;
  void SignalIfCurrent(pid_t pid, std::uint64_t serial, int signal);

  struct Entry {
    std::uint64_t serial = 0;
    bool terminated = false;
  };
  std::mutex mutex_;
  std::unordered_map<pid_t, Entry> children_;
  std::set<std::pair<pid_t, std::uint64_t>> unregisteredEnding_;
  std::uint64_t nextSerial_ = 1;
};
