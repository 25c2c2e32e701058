#include "filelist/SupportedExtensions.h"

#include "base/PathSyntax.h"
#include "base/StringUtil.h"

namespace vardeno {

namespace {
std::string_view ExtensionOf(std::string_view path) {
  const size_t slash = LastPathSeparator(path);
  const size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < nameStart) return {};
  return path.substr(dot);
}
}  // namespace

std::string FileExtension(std::string_view path) { return std::string(ExtensionOf(path)); }

bool IsSupportedExtension(std::string_view path) {
  std::string_view extension = ExtensionOf(path);
  if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
  if (extension.empty()) return false;
  // The table is upper-case ASCII, so an ASCII case-blind comparison is the upper-cased match.
  for (const std::string_view supported : SupportedExtensions) {
    if (EqualsIgnoreCase(extension, supported)) return true;
  }
  return false;
}

bool IsListFileName(std::string_view path) { return EqualsIgnoreCase(ExtensionOf(path), ".lst"); }

}  // namespace vardeno
