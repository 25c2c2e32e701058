#include "base/DirText.h"

#include "base/PathSyntax.h"

namespace vardeno {

std::string NormalizeDir(const std::string& dir) {
  std::string result = dir;
  if (!result.empty() && IsPathSeparator(result.back())) result.pop_back();
  if (result.size() >= 2 && result.back() == '.' && IsPathSeparator(result[result.size() - 2]))
    result.resize(result.size() - 2);
  return result;
}

}  // namespace vardeno
