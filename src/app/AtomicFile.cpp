#include "app/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/SystemError.h"

namespace {
void WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw SystemError::FromErrno();
    done += static_cast<size_t>(n);
  }
}
}  // namespace

void WriteFileAtomically(const std::string& path, const std::string& bytes, std::optional<unsigned> wanted) {
  unsigned mode = wanted.value_or(0644);
  struct stat existing {};
  if (stat(path.c_str(), &existing) == 0) {
    if (S_ISDIR(existing.st_mode)) throw SystemError(EISDIR, "Is a directory: " + path);
    if (!wanted) mode = existing.st_mode & 07777;
  }
  std::string temp = path + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) throw SystemError::FromErrno();
  bool closed = false;
  try {
    WriteAll(fd, bytes);
    if (fchmod(fd, static_cast<mode_t>(mode)) != 0 || fsync(fd) != 0) throw SystemError::FromErrno();
    closed = true;
    if (close(fd) != 0) throw SystemError::FromErrno();
    if (rename(temp.c_str(), path.c_str()) != 0) throw SystemError::FromErrno();
  } catch (...) {
    if (!closed) close(fd);
    unlink(temp.c_str());
    throw;
  }
}
