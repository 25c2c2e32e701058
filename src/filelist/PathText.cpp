#include "filelist/PathText.h"

#include <algorithm>
#include <string_view>

#include "base/PathSyntax.h"

namespace vardeno {

namespace {
// An absolute path without empty or "." segments, without a trailing separator and with this
// system's own separator only: already as MakeAbsolutePath would write it.
bool IsCleanAbsolutePath(std::string_view path) {
  const size_t root = PathRootLength(path);
  if (root == 0 || path.size() <= root || IsPathSeparator(path.back()) || IsPathSeparator(path[root])) return false;
  if constexpr (kPathSeparators.size() > 1) {
    for (char c : path)
      if (c != kPathSeparator && IsPathSeparator(c)) return false;
  }
  const char doubled[] = {kPathSeparator, kPathSeparator, '\0'};
  const char dotted[] = {kPathSeparator, '.', kPathSeparator, '\0'};
  const char dotEnd[] = {kPathSeparator, '.', '\0'};
  if (path.find(doubled, root) != std::string_view::npos || path.find(dotted, root - 1) != std::string_view::npos)
    return false;
  return path.substr(path.size() - 2) != dotEnd;
}
}  // namespace

std::string MakeAbsolutePath(const std::string& path, const std::string& baseDir) {
  if (IsCleanAbsolutePath(path)) return path;
  const bool absolute = IsAbsolutePath(path);
  const std::string joined = absolute || baseDir.empty() ? path : baseDir + kPathSeparator + path;
  const size_t rootLength = PathRootLength(joined);

  std::string result = joined.substr(0, rootLength);
  std::replace_if(result.begin(), result.end(), IsPathSeparator, kPathSeparator);
  result.reserve(joined.size());
  bool empty = true;
  size_t pos = rootLength;
  while (pos <= joined.size()) {
    size_t end = joined.find_first_of(kPathSeparators, pos);
    if (end == std::string::npos) end = joined.size();
    const std::string_view segment(joined.data() + pos, end - pos);
    if (!segment.empty() && segment != ".") {
      if (!empty) result += kPathSeparator;
      result.append(segment);
      empty = false;
    }
    pos = end + 1;
  }
  if (empty) return rootLength > 0 ? result : ".";
  return result;
}

void SplitDirectoryAndName(const std::string& path, std::string& directory, std::string& name) {
  const size_t slash = LastPathSeparator(path);
  if (slash == std::string::npos) {
    directory.clear();
    name = path;
    return;
  }
  // A file in the root keeps the root's separator: "/" or "C:\".
  directory.assign(path, 0, slash < PathRootLength(path) ? slash + 1 : slash);
  name.assign(path, slash + 1);
}

}  // namespace vardeno
