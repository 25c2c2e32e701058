#include "filelist/PathText.h"

#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <vector>

std::string CurrentDirectory() {
  std::vector<char> buffer(4096);
  for (;;) {
    if (::getcwd(buffer.data(), buffer.size())) return std::string(buffer.data());
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
}

namespace {
// An absolute path without empty or "." segments and without a trailing "/": already as
// MakeAbsolutePath would write it.
bool IsCleanAbsolutePath(std::string_view path) {
  if (path.size() < 2 || path.front() != '/' || path.back() == '/') return false;
  if (path.find("//") != std::string_view::npos || path.find("/./") != std::string_view::npos) return false;
  return path.substr(path.size() - 2) != "/.";
}
}  // namespace

std::string MakeAbsolutePath(const std::string& path, const std::string& baseDir) {
  if (IsCleanAbsolutePath(path)) return path;
  const bool absolute = !path.empty() && path.front() == '/';
  const std::string joined = absolute || baseDir.empty() ? path : baseDir + "/" + path;
  const bool rooted = !joined.empty() && joined.front() == '/';

  std::string result;
  result.reserve(joined.size());
  size_t pos = 0;
  while (pos <= joined.size()) {
    size_t end = joined.find('/', pos);
    if (end == std::string::npos) end = joined.size();
    const std::string_view segment(joined.data() + pos, end - pos);
    if (!segment.empty() && segment != ".") {
      if (rooted || !result.empty()) result += '/';
      result.append(segment);
    }
    pos = end + 1;
  }
  if (result.empty()) return rooted ? "/" : ".";
  return result;
}

void SplitDirectoryAndName(const std::string& path, std::string& directory, std::string& name) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    directory.clear();
    name = path;
    return;
  }
  if (slash == 0) {
    directory = "/";
  } else {
    directory.assign(path, 0, slash);
  }
  name.assign(path, slash + 1);
}
