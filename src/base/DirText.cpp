#include "base/DirText.h"

#include "base/StringUtil.h"

std::string NormalizeDir(const std::string& dir) {
  std::string result = dir;
  if (!result.empty() && result.back() == '/') result.pop_back();
  if (EndsWith(result, "/.")) result.resize(result.size() - 2);
  return result;
}
