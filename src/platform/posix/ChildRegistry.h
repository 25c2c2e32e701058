// The children started by the process runner that have not been reaped yet, the file each was
// started from, and which of them have been ended. Reaping and signalling a child go through one
// lock, so a signal never reaches a pid that has been reaped (and may already belong to another
// process). Only children registered here are ever signalled.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "platform/posix/ExecutableIdentity.h"

namespace vardeno {

// How long a child ended with SIGTERM has before it gets SIGKILL.
inline constexpr int kTerminateGraceMs = 2000;

class ChildRegistry {
 public:
  // The one registry of this process. It is never destroyed, because background threads that
  // reap or end children may still use it while the program exits.
  static ChildRegistry& Instance();

  // pid leads its own process group and was started from the file startedFrom names.
  void Add(pid_t pid, ExecutableIdentity startedFrom);

  struct Ended {
    bool statusKnown = false;  // false when the child was reaped by someone else
    int status = 0;            // as waitpid gives it
    bool terminated = false;   // End (or a failed run) ended it
  };
  // Reaps the child when it has ended, without waiting; empty while it still runs.
  std::optional<Ended> TryReap(pid_t pid);
  // Leaves the child to a background thread that reaps it whenever it ends.
  void ReapInBackground(pid_t pid);

  enum class EndResult { NotRegistered, Ended, AlreadyEnding };
  // Sends SIGTERM to the child's process group (once per child) and SIGKILL to it after the
  // grace time if the child has not been reaped by then; never blocks.
  EndResult End(pid_t pid);
  // End for every registered child started from the file `file` names, whatever it runs now.
  // Returns how many there were (those already ending included).
  std::size_t EndStartedFrom(const ExecutableIdentity& file);

 private:
  struct Entry {
    std::uint64_t serial = 0;  // tells this child from a later one that gets the same pid
    bool terminated = false;
    ExecutableIdentity startedFrom;
  };

  ChildRegistry() = default;
  // With mutex_ held.
  EndResult EndLocked(pid_t pid, Entry& entry);
  void SignalIfCurrent(pid_t pid, std::uint64_t serial, int signal);

  std::mutex mutex_;
  std::unordered_map<pid_t, Entry> children_;
  std::uint64_t nextSerial_ = 1;
};

}  // namespace vardeno
