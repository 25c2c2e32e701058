// A small tmpfs mounted over a folder, for tests of writes that fail: a full disk (Fill) and a
// read-only file system (MakeReadOnly). Root ignores permission bits, so a read-only folder has to
// be a read-only mount. Mounting needs root's CAP_SYS_ADMIN (as CI has); where it is refused,
// Mounted() is false and Why() says so, for GTEST_SKIP.
#pragma once

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

namespace vardeno {

class SmallDisk {
 public:
  explicit SmallDisk(std::string folder, int kilobytes = 512) : folder_(std::move(folder)) {
    std::filesystem::create_directories(folder_);
    const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0755";
    mounted_ = mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0;
    if (!mounted_) why_ = "cannot mount a tmpfs at " + folder_ + ": " + std::strerror(errno) + " (needs root)";
  }
  ~SmallDisk() {
    if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& Why() const { return why_; }

  // Takes every free block with one file, ".filler".
  void Fill() const {
    const int fd = open((folder_ + "/.filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    char block[4096] = {};
    while (fd >= 0 && write(fd, block, sizeof block) > 0) {
    }
    while (fd >= 0 && write(fd, block, 1) > 0) {
    }
    if (fd >= 0) close(fd);
  }
  bool MakeReadOnly() const { return mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

  // The names of every entry below the folder, hidden ones included.
  std::set<std::string> Entries() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_))
      names.insert(std::filesystem::relative(entry.path(), folder_).string());
    return names;
  }

 private:
  std::string folder_;
  bool mounted_ = false;
  std::string why_;
};

}  // namespace vardeno
