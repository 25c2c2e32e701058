#include "probe/FileSize.h"

#include <sys/stat.h>

std::uint64_t GetFileSizeBytes(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) return 0;
  return static_cast<std::uint64_t>(info.st_size);
}
