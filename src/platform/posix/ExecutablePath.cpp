#include "platform/ExecutablePath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace vardeno {

namespace {
bool IsNonFolderFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}
}  // namespace

std::string ResolveExecutablePath(const std::string& exePath) {
  if (exePath.empty()) return {};
  if (exePath.find('/') != std::string::npos) return IsNonFolderFile(exePath) ? exePath : std::string();

  const char* pathVariable = std::getenv("PATH");
  const std::string_view folders = pathVariable ? pathVariable : "/bin:/usr/bin";
  size_t start = 0;
  while (start <= folders.size()) {
    size_t end = folders.find(':', start);
    if (end == std::string_view::npos) end = folders.size();
    // An empty entry means the current folder, as for execvp.
    const std::string folder(end > start ? folders.substr(start, end - start) : std::string_view("."));
    const std::string candidate = folder + "/" + exePath;
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return {};
}

}  // namespace vardeno
