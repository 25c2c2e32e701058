#include "filelist/SupportedExtensions.h"

#include <algorithm>

#include "base/StringUtil.h"

std::string FileExtension(std::string_view path) {
  const size_t nameStart = path.rfind('/') == std::string_view::npos ? 0 : path.rfind('/') + 1;
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < nameStart) return {};
  return std::string(path.substr(dot));
}

bool IsSupportedExtension(std::string_view path) {
  std::string extension = ToUpperAscii(FileExtension(path));
  if (!extension.empty() && extension.front() == '.') extension.erase(0, 1);
  if (extension.empty()) return false;
  return std::find(SupportedExtensions.begin(), SupportedExtensions.end(), extension) !=
         SupportedExtensions.end();
}

bool IsListFileName(std::string_view path) { return EqualsIgnoreCase(FileExtension(path), ".lst"); }
