// Ending the encoder on an abort: every child of this process that runs the given executable.
#include <dirent.h>
#include <unistd.h>

#include <charconv>
#include <cstring>
#include <memory>

#include "platform/ExecutablePath.h"
#include "platform/ProcessRunner.h"
#include "platform/posix/ChildRegistry.h"
#include "platform/posix/ProcFs.h"

namespace {
bool ParsePid(const char* name, pid_t& pid) {
  const char* end = name + std::strlen(name);
  const auto [stop, error] = std::from_chars(name, end, pid);
  return error == std::errc() && stop == end && pid > 0;
}
}  // namespace

bool TerminateApp(const std::string& exePath) {
  const std::string resolved = ResolveExecutablePath(exePath);
  ExecutableIdentity identity;
  if (resolved.empty() || !GetExecutableIdentity(resolved, identity)) return false;

  const std::unique_ptr<DIR, int (*)(DIR*)> proc(opendir("/proc"), closedir);
  if (!proc) return false;
  const pid_t self = getpid();
  bool anyEnded = false;
  while (const dirent* entry = readdir(proc.get())) {
    pid_t pid = 0;
    ProcStat stat;
    if (!ParsePid(entry->d_name, pid) || !ReadProcStat(pid, stat)) continue;
    // A zombie has already ended; it is not ended again.
    if (stat.ppid != self || stat.state == 'Z' || !ProcessRunsExecutable(pid, identity)) continue;
    switch (ChildRegistry::Instance().End(pid)) {
      case ChildRegistry::EndResult::Ended:
      case ChildRegistry::EndResult::AlreadyEnding:
        anyEnded = true;
        break;
      case ChildRegistry::EndResult::NotRegistered:
        anyEnded = ChildRegistry::Instance().EndUnregistered(pid, stat.startTime) || anyEnded;
        break;
    }
  }
  return anyEnded;
}
