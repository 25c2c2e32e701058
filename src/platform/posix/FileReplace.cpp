#include "platform/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/SystemError.h"

namespace {

std::atomic<unsigned> tempCounter{0};

// Closes and removes a temporary file that was not renamed into place, keeping errno.
void Discard(int fd, const std::string& tempPath) {
  const int saved = errno;
  if (fd >= 0) close(fd);
  unlink(tempPath.c_str());
  errno = saved;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// The file that is really replaced: the target of a symbolic link, else path itself.
std::string ResolveTarget(const std::string& path) {
  struct stat linkInfo {};
  if (lstat(path.c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode)) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved)) return resolved;
  }
  return path;
}

}  // namespace

void ReplaceFileContents(const std::string& path, std::string_view bytes) {
  const std::string target = ResolveTarget(path);
  struct stat old {};
  const bool hadFile = stat(target.c_str(), &old) == 0;
  if (hadFile && S_ISDIR(old.st_mode)) throw SystemError(EISDIR, "Is a directory");

  const size_t slash = target.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : target.substr(0, slash == 0 ? 1 : slash);
  std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  if (base.size() > 100) base.resize(100);  // keep the temporary name within NAME_MAX

  std::string tempPath;
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    tempPath = dir + "/." + base + ".new-" + std::to_string(getpid()) + "-" +
               std::to_string(tempCounter.fetch_add(1));
    fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt >= 100)) throw SystemError::FromErrno();
  }

  if (hadFile && S_ISREG(old.st_mode)) {
    fchmod(fd, old.st_mode & 07777);
    if (fchown(fd, old.st_uid, old.st_gid) != 0) {
      // Only the owner of the old file or root may keep its owner; the contents matter more.
    }
  }
  if (!WriteAll(fd, bytes) || fsync(fd) != 0) {
    Discard(fd, tempPath);
    throw SystemError::FromErrno();
  }
  if (close(fd) != 0) {
    Discard(-1, tempPath);
    throw SystemError::FromErrno();
  }
  if (rename(tempPath.c_str(), target.c_str()) != 0) {
    Discard(-1, tempPath);
    throw SystemError::FromErrno();
  }
  // Make the rename itself durable; a failure here loses nothing that was written.
  const int dirFd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    fsync(dirFd);
    close(dirFd);
  }
}
