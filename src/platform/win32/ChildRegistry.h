// The children started by the process runner, each in its own job object with everything it
// starts, the file each was started from, and which of them have been ended. A child stays here,
// with its process handle open (so its process id cannot go to another process), until it and
// every process of its job have ended. Only jobs registered here are ever ended.
#pragma once

#include <windows.h>

#include <cstddef>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "platform/win32/ExecutableIdentity.h"
#include "platform/win32/UniqueHandle.h"

namespace vardeno {

class ChildRegistry {
 public:
  // The one registry of this process. It is never destroyed, because background threads that
  // wait for children may still use it while the program exits.
  static ChildRegistry& Instance();

  // Takes over the child's process handle and its job.
  void Add(DWORD pid, UniqueHandle process, UniqueHandle job, ExecutableIdentity startedFrom);

  // True when the child's job has no running process left (the child included).
  bool JobIsEmpty(DWORD pid);
  // The exit code of an ended child: kTerminatedExitCode when End ended it. Empty while it runs.
  std::optional<DWORD> ExitCode(DWORD pid);
  // Forgets the child once it and its job's processes have ended: at once when they have,
  // else on a background thread that waits for them.
  void ReleaseWhenDone(DWORD pid);

  enum class EndResult { NotRegistered, Ended, AlreadyEnding };
  // Ends the child's job, the child and everything it started, with kTerminatedExitCode.
  EndResult End(DWORD pid);
  // End for every registered child started from the file `file` names. Returns how many there
  // were (those already ending included).
  std::size_t EndStartedFrom(const ExecutableIdentity& file);

 private:
  struct Entry {
    UniqueHandle process;
    UniqueHandle job;
    ExecutableIdentity startedFrom;
    bool terminated = false;
  };

  ChildRegistry() = default;
  // With mutex_ held.
  static EndResult EndLocked(Entry& entry);
  static bool JobIsEmptyLocked(const Entry& entry);
  bool TryRemoveIfDone(DWORD pid);

  std::mutex mutex_;
  std::unordered_map<DWORD, Entry> children_;
};

}  // namespace vardeno
