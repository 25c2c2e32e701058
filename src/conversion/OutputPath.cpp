#include "conversion/OutputPath.h"

#include <filesystem>

#include "base/DirText.h"
#include "base/PathSyntax.h"
#include "base/StringUtil.h"

namespace vardeno {

namespace {
// Position of the extension's dot in the file-name part, or npos.
size_t ExtensionDot(const std::string& path) {
  const size_t slash = LastPathSeparator(path);
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string::npos;
  return dot;
}

bool SameFileOnDisk(const std::string& a, const std::string& b) {
  const std::optional<FileIdentity> identity = IdentifyFile(a);
  return identity && identity == IdentifyFile(b);
}
}  // namespace

std::string MakeInputPath(const std::string& directory, const std::string& name) {
  std::string path = NormalizeDir(directory) + kPathSeparator + name;
  // A network path's leading "\\" stays; elsewhere a doubled separator is made single.
  const bool network = kDriveLetterPaths && PathRootLength(path) == 2;
  if (!network && path.size() > 1 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) path.erase(0, 1);
  std::string single;
  single.reserve(path.size());
  for (char c : path)
    if (!(IsPathSeparator(c) && single.size() > (network ? 1u : 0u) && IsPathSeparator(single.back()))) single += c;
  return single;
}

std::string ReplaceExtension(const std::string& path, const std::string& ext) {
  const size_t dot = ExtensionDot(path);
  return (dot == std::string::npos ? path : path.substr(0, dot)) + ext;
}

std::string MakeOutputPath(const std::string& input, const std::string& outputDir, const std::string& ext) {
  const std::string start = outputDir.empty() ? input : NormalizeDir(outputDir) + kPathSeparator + std::string(FileNameOf(input));
  std::string output = ReplaceExtension(start, ext);
  if (EqualsIgnoreCase(output, input) || SameFileOnDisk(output, input))
    output = ReplaceExtension(output, "") + "_NEW" + ext;
  return output;
}

std::string MakeUniqueFileName(const std::string& path, const std::string& separator, int width) {
  return MakeUniqueFileName(path, separator, width, {});
}

std::string MakeUniqueFileName(const std::string& path, const std::string& separator, int width,
                               const std::function<void(const std::string&)>& visit,
                               const std::function<bool(const std::string&)>& alsoTaken) {
  const auto taken = [&](const std::string& candidate) {
    if (visit) visit(candidate);
    return PathExists(candidate) || (alsoTaken && alsoTaken(candidate));
  };
  if (!taken(path)) return path;
  const size_t dot = ExtensionDot(path);
  const std::string stem = dot == std::string::npos ? path : path.substr(0, dot);
  const std::string ext = dot == std::string::npos ? "" : path.substr(dot);
  for (int n = 1; n <= 100000; ++n) {
    std::string number = std::to_string(n);
    if (static_cast<int>(number.size()) < width) number.insert(0, static_cast<size_t>(width) - number.size(), '0');
    const std::string candidate = stem + separator + number + ext;
    if (!taken(candidate)) return candidate;
  }
  return {};
}

void FileIdentitySet::Add(const std::string& path) {
  if (const std::optional<FileIdentity> identity = IdentifyFile(path)) ids_.insert(*identity);
}

bool FileIdentitySet::Contains(const std::string& path) const {
  const std::optional<FileIdentity> identity = IdentifyFile(path);
  return identity && ids_.count(*identity) > 0;
}

namespace {
std::string ClaimKey(const std::string& path) {
  const std::filesystem::path full(path);
  std::error_code ignored;
  std::filesystem::path folder = std::filesystem::weakly_canonical(full.parent_path(), ignored);
  if (folder.empty()) folder = full.parent_path();
  return ToLowerAscii((folder / full.filename()).string());
}
}  // namespace

bool OutputClaims::TakenByOtherRow(const std::string& path, std::size_t row) const {
  const auto found = rows_.find(ClaimKey(path));
  return found != rows_.end() && found->second != row;
}

// The first row given a path keeps it: a row planned again (a parallel run waits for the running
// row that writes its output, then decides anew) must still see that the earlier row has it.
void OutputClaims::Give(const std::string& path, std::size_t row) { rows_.emplace(ClaimKey(path), row); }

}  // namespace vardeno
