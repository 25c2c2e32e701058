// What /proc tells about one process: its state, its parent and its start time, and whether it
// runs a given executable file.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

struct ProcStat {
  char state = '?';            // 'R', 'S', 'Z', ...
  pid_t ppid = 0;
  std::uint64_t startTime = 0;  // clock ticks after boot; with the pid it names one process
};

bool ReadProcStat(pid_t pid, ProcStat& stat);

// The identity of an executable file, to compare it with /proc/PID/exe.
struct ExecutableIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  std::string realPath;  // for a running file that has been replaced or deleted since it started
};

bool GetExecutableIdentity(const std::string& path, ExecutableIdentity& identity);
bool ProcessRunsExecutable(pid_t pid, const ExecutableIdentity& identity);
