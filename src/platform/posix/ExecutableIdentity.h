// Which file a program was started from, so that an abort can find the children started from an
// encoder path again, whatever that file is called in the request (a bare name, a link).
#pragma once

#include <sys/types.h>

#include <string>

namespace vardeno {

struct ExecutableIdentity {
  bool fileKnown = false;  // device and inode are set
  dev_t device = 0;
  ino_t inode = 0;
  // The file's path with links resolved (or the absolute path when the file is gone), for a
  // file that has been replaced since the child started.
  std::string path;
};

// The identity of the file that starting exePath runs (a bare name is looked up in PATH, see
// platform/ExecutablePath.h). An empty path when nothing can be found there.
ExecutableIdentity IdentifyExecutable(const std::string& exePath);

// True when both name the same file: the same device and inode, or the same resolved path.
bool SameExecutable(const ExecutableIdentity& a, const ExecutableIdentity& b);

}  // namespace vardeno
