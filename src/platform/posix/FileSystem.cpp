// Files on disk through POSIX stat, open and access.
#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace vardeno {

namespace {
bool StatOf(const std::string& path, struct stat& info) { return !path.empty() && ::stat(path.c_str(), &info) == 0; }
}  // namespace

bool PathExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::lstat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return StatOf(path, info) && S_ISDIR(info.st_mode);
}

bool IsExistingNonFolder(const std::string& path) {
  struct stat info {};
  return StatOf(path, info) && !S_ISDIR(info.st_mode);
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return StatOf(path, info) && S_ISREG(info.st_mode);
}

bool IsExecutableFile(const std::string& path) { return IsRegularFile(path) && ::access(path.c_str(), X_OK) == 0; }

bool IsWritableFolder(const std::string& path) { return IsFolder(path) && ::access(path.c_str(), W_OK) == 0; }

std::uint64_t GetFileSizeBytes(const std::string& path) {
  // Non-blocking, so that a named pipe given by mistake does not hang the program.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return 0;
  struct stat info {};
  const bool sized = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  ::close(fd);
  return sized ? static_cast<std::uint64_t>(info.st_size) : 0;
}

std::optional<FileIdentity> IdentifyFile(const std::string& path) {
  struct stat info {};
  if (!StatOf(path, info)) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

std::optional<FileChangeStamp> ChangeStampOf(const std::string& path) {
  struct stat info {};
  if (!StatOf(path, info)) return std::nullopt;
  return FileChangeStamp{static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
                         static_cast<std::int64_t>(info.st_size)};
}

std::string CurrentDirectory() {
  std::vector<char> buffer(4096);
  for (;;) {
    if (::getcwd(buffer.data(), buffer.size())) return std::string(buffer.data());
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
}

bool ForceDeleteFile(const std::string& path) {
  if (::unlink(path.c_str()) == 0) return true;
  // A write-protected file: make it writable and try once more.
  ::chmod(path.c_str(), S_IRUSR | S_IWUSR);
  return ::unlink(path.c_str()) == 0;
}

bool IsInstalledProgramFolder(const std::string& folder) {
  const size_t slash = folder.rfind('/');
  return (slash == std::string::npos ? folder : folder.substr(slash + 1)) == "bin";
}

std::string UserProgramFilesDir() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg == '/') return std::string(xdg) + "/vardeno";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/tmp") + "/.config/vardeno";
}

std::optional<std::string> EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

}  // namespace vardeno
