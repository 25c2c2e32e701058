#include "platform/posix/ExecutableIdentity.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/ExecutablePath.h"

namespace vardeno {

namespace {
std::string AbsolutePath(const std::string& path) {
  if (!path.empty() && path.front() == '/') return path;
  char buffer[PATH_MAX];
  if (!getcwd(buffer, sizeof buffer)) return path;
  return std::string(buffer) + "/" + path;
}
}  // namespace

ExecutableIdentity IdentifyExecutable(const std::string& exePath) {
  ExecutableIdentity identity;
  const std::string resolved = ResolveExecutablePath(exePath);
  if (resolved.empty()) {
    // Gone since: only a path with a folder still says which file it was.
    if (exePath.find('/') != std::string::npos) identity.path = AbsolutePath(exePath);
    return identity;
  }
  struct stat info {};
  if (stat(resolved.c_str(), &info) == 0) {
    identity.fileKnown = true;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
  }
  char real[PATH_MAX];
  identity.path = realpath(resolved.c_str(), real) ? std::string(real) : AbsolutePath(resolved);
  return identity;
}

bool SameExecutable(const ExecutableIdentity& a, const ExecutableIdentity& b) {
  if (a.fileKnown && b.fileKnown && a.device == b.device && a.inode == b.inode) return true;
  return !a.path.empty() && a.path == b.path;
}

}  // namespace vardeno
