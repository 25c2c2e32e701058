#include "filelist/ListedFileSize.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "probe/Probe.h"

namespace {
// The size from what stat told, opening the file only when the owner's read bit cannot decide.
std::uint64_t SizeFromStat(const struct stat& info, uid_t user, const std::string& fullPath) {
  // Only a regular file has a size to show.
  if (!S_ISREG(info.st_mode)) return 0;
  // The owner's read bit decides for the owner (an ACL never changes it).
  if (info.st_uid == user && (info.st_mode & S_IRUSR) != 0) return static_cast<std::uint64_t>(info.st_size);
  return GetFileSizeBytes(fullPath);
}
}  // namespace

std::uint64_t ListedFileSize(const std::string& path) {
  struct stat info {};
  // What stat cannot reach, open cannot either.
  if (::stat(path.c_str(), &info) != 0) return 0;
  return SizeFromStat(info, ::geteuid(), path);
}

ListedFileSizes::ListedFileSizes() : user_(::geteuid()) {}

ListedFileSizes::~ListedFileSizes() {
  if (directoryFd_ >= 0) ::close(directoryFd_);
}

std::uint64_t ListedFileSizes::Of(const std::string& fullPath, const std::string& directory,
                                  const std::string& name) {
  if (directory != directory_) {
    if (directoryFd_ >= 0) ::close(directoryFd_);
    directoryFd_ = -1;
    directoryFailed_ = false;
    directory_ = directory;
  } else if (directoryFd_ < 0 && !directoryFailed_ && !directory.empty()) {
    directoryFd_ = ::open(directory.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    directoryFailed_ = directoryFd_ < 0;
  }
  struct stat info {};
  const int found = directoryFd_ >= 0 && !name.empty() ? ::fstatat(directoryFd_, name.c_str(), &info, 0)
                                                        : ::stat(fullPath.c_str(), &info);
  if (found != 0) return 0;
  return SizeFromStat(info, user_, fullPath);
}
