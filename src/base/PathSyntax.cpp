#include "base/PathSyntax.h"

namespace vardeno {

namespace {
bool IsDriveRoot(std::string_view path) {
  const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  return kDriveLetterPaths && path.size() >= 3 && letter(path[0]) && path[1] == ':' && IsPathSeparator(path[2]);
}
}  // namespace

std::size_t PathRootLength(std::string_view path) {
  if (IsDriveRoot(path)) return 3;
  if (kDriveLetterPaths && path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) return 2;
  return !path.empty() && IsPathSeparator(path[0]) ? 1 : 0;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && !IsPathSeparator(path.back())) path += kPathSeparator;
  path.append(name);
  return path;
}

}  // namespace vardeno
