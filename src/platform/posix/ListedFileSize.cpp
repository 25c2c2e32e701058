// File sizes for the list through stat, relative to an open folder for files that share one.
#include "platform/ListedFileSize.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileSystem.h"

namespace vardeno {

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

struct ListedFileSizes::State {
  uid_t user = ::geteuid();
  std::string directory;  // the folder of the previous file
  int directoryFd = -1;   // opened for it once a second file in it came
  bool directoryFailed = false;
};

ListedFileSizes::ListedFileSizes() : state_(std::make_unique<State>()) {}

ListedFileSizes::~ListedFileSizes() {
  if (state_->directoryFd >= 0) ::close(state_->directoryFd);
}

std::uint64_t ListedFileSizes::Of(const std::string& fullPath, const std::string& directory,
                                  const std::string& name) {
  State& s = *state_;
  if (directory != s.directory) {
    if (s.directoryFd >= 0) ::close(s.directoryFd);
    s.directoryFd = -1;
    s.directoryFailed = false;
    s.directory = directory;
  } else if (s.directoryFd < 0 && !s.directoryFailed && !directory.empty()) {
    s.directoryFd = ::open(directory.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    s.directoryFailed = s.directoryFd < 0;
  }
  struct stat info {};
  const int found = s.directoryFd >= 0 && !name.empty() ? ::fstatat(s.directoryFd, name.c_str(), &info, 0)
                                                         : ::stat(fullPath.c_str(), &info);
  if (found != 0) return 0;
  return SizeFromStat(info, s.user, fullPath);
}

}  // namespace vardeno
