#include "platform/win32/ChildRegistry.h"

#include <chrono>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/ProcessRunner.h"

namespace vardeno {

namespace {
// How often a background thread looks whether a job whose child has ended is empty yet.
constexpr DWORD kJobPollMs = 500;
}  // namespace

ChildRegistry& ChildRegistry::Instance() {
  static ChildRegistry* const registry = new ChildRegistry();
  return *registry;
}

void ChildRegistry::Add(DWORD pid, UniqueHandle process, UniqueHandle job, ExecutableIdentity startedFrom) {
  std::lock_guard lock(mutex_);
  children_[pid] = Entry{std::move(process), std::move(job), std::move(startedFrom), false};
}

bool ChildRegistry::JobIsEmptyLocked(const Entry& entry) {
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
  if (!QueryInformationJobObject(entry.job.Get(), JobObjectBasicAccountingInformation, &info, sizeof info, nullptr))
    return WaitForSingleObject(entry.process.Get(), 0) == WAIT_OBJECT_0;
  return info.ActiveProcesses == 0;
}

bool ChildRegistry::JobIsEmpty(DWORD pid) {
  std::lock_guard lock(mutex_);
  const auto found = children_.find(pid);
  return found == children_.end() || JobIsEmptyLocked(found->second);
}

std::optional<DWORD> ChildRegistry::ExitCode(DWORD pid) {
  std::lock_guard lock(mutex_);
  const auto found = children_.find(pid);
  if (found == children_.end()) return std::nullopt;
  const Entry& entry = found->second;
  if (WaitForSingleObject(entry.process.Get(), 0) != WAIT_OBJECT_0) return std::nullopt;
  if (entry.terminated) return kTerminatedExitCode;
  DWORD code = kStillActive;
  GetExitCodeProcess(entry.process.Get(), &code);
  return code;
}

bool ChildRegistry::TryRemoveIfDone(DWORD pid) {
  std::lock_guard lock(mutex_);
  const auto found = children_.find(pid);
  if (found == children_.end()) return true;
  if (WaitForSingleObject(found->second.process.Get(), 0) != WAIT_OBJECT_0 || !JobIsEmptyLocked(found->second))
    return false;
  children_.erase(found);
  return true;
}

void ChildRegistry::ReleaseWhenDone(DWORD pid) {
  if (TryRemoveIfDone(pid)) return;
  try {
    std::thread([this, pid] {
      HANDLE process = nullptr;
      {
        std::lock_guard lock(mutex_);
        const auto found = children_.find(pid);
        if (found == children_.end()) return;
        // Our own duplicate, so the wait does not depend on the entry's handle staying open.
        DuplicateHandle(GetCurrentProcess(), found->second.process.Get(), GetCurrentProcess(), &process, SYNCHRONIZE,
                        FALSE, 0);
      }
      const UniqueHandle waitHandle(process);
      if (waitHandle) WaitForSingleObject(waitHandle.Get(), INFINITE);
      // A job is signalled only by a time limit, so what the child left running is polled.
      while (!TryRemoveIfDone(pid)) Sleep(kJobPollMs);
    }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: the entry stays until this program ends.
  }
}

ChildRegistry::EndResult ChildRegistry::EndLocked(Entry& entry) {
  if (entry.terminated) return EndResult::AlreadyEnding;
  entry.terminated = true;
  // Windows has no polite request a hidden console program would get: the job is ended at once.
  TerminateJobObject(entry.job.Get(), kTerminatedExitCode);
  return EndResult::Ended;
}

ChildRegistry::EndResult ChildRegistry::End(DWORD pid) {
  std::lock_guard lock(mutex_);
  const auto found = children_.find(pid);
  if (found == children_.end()) return EndResult::NotRegistered;
  return EndLocked(found->second);
}

std::size_t ChildRegistry::EndStartedFrom(const ExecutableIdentity& file) {
  std::lock_guard lock(mutex_);
  std::size_t count = 0;
  for (auto& [pid, entry] : children_) {
    if (!SameExecutable(entry.startedFrom, file)) continue;
    EndLocked(entry);
    ++count;
  }
  return count;
}

}  // namespace vardeno
