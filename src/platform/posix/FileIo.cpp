#include "platform/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/SystemError.h"

namespace vardeno {

namespace {

[[noreturn]] void ThrowErrno(int code) { throw SystemError(code, std::strerror(code)); }

class FdCloser {
 public:
  explicit FdCloser(int fd) : fd_(fd) {}
  ~FdCloser() {
    if (fd_ >= 0) ::close(fd_);
  }
  FdCloser(const FdCloser&) = delete;
  FdCloser& operator=(const FdCloser&) = delete;

 private:
  int fd_;
};

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// A symbolic link is replaced through its target, so the link keeps pointing at the new file.
std::string ResolveLink(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return path;  // a dangling link is replaced by the file itself
  std::string result(real);
  std::free(real);
  return result;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Opens a new, unique file in folder; its name starts with a dot so file managers hide it.
int CreateTemporaryBeside(const std::string& folder, mode_t mode, std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  for (;;) {
    tempPath = folder + "/.vardeno-" + std::to_string(::getpid()) + "-" +
               std::to_string(counter.fetch_add(1)) + ".tmp";
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) return fd;
    if (errno != EEXIST) ThrowErrno(errno);
  }
}

}  // namespace

std::string ReadFileBytes(const std::string& path) {
  // Non-blocking, so that a named pipe without a writer reads as empty instead of hanging.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) ThrowErrno(errno);
  FdCloser closer(fd);
  struct stat info;
  if (::fstat(fd, &info) != 0) ThrowErrno(errno);
  if (S_ISDIR(info.st_mode)) ThrowErrno(EISDIR);

  std::string content;
  if (S_ISREG(info.st_mode) && info.st_size > 0) content.reserve(static_cast<size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN) break;
      ThrowErrno(errno);
    }
    if (got == 0) break;
    content.append(buffer, static_cast<size_t>(got));
  }
  return content;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes, bool executable) {
  const std::string target = ResolveLink(path);
  struct stat old;
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  if (replacing && S_ISDIR(old.st_mode)) ThrowErrno(EISDIR);

  std::string tempPath;
  const int fd = CreateTemporaryBeside(FolderOf(target), executable ? 0777 : 0666, tempPath);
  auto fail = [&](int code) {
    ::close(fd);
    ::unlink(tempPath.c_str());
    ThrowErrno(code);
  };
  if (!WriteAll(fd, bytes)) fail(errno);
  if (replacing) {
    mode_t mode = old.st_mode & 07777;
    if (executable) mode |= (mode & 0444) >> 2;  // run bits wherever there are read bits
    if (::fchmod(fd, mode) != 0) fail(errno);
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
      // Keeps the owner when the system lets us (we run as root); otherwise the file becomes
      // ours, as with any editor that saves by renaming.
      [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
    }
  }
  if (::fsync(fd) != 0) fail(errno);
  if (::close(fd) != 0) {
    const int code = errno;
    ::unlink(tempPath.c_str());
    ThrowErrno(code);
  }
  if (::rename(tempPath.c_str(), target.c_str()) != 0) {
    const int code = errno;
    ::unlink(tempPath.c_str());
    ThrowErrno(code);
  }
  // Makes the rename itself durable; a failure here loses nothing that was already there.
  const int folderFd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    ::fsync(folderFd);
    ::close(folderFd);
  }
}

}  // namespace vardeno
