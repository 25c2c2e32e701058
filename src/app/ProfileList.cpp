#include "app/ProfileList.h"

#include <algorithm>
#include <filesystem>

#include "base/FsPath.h"
#include "app/IniFile.h"
#include "app/IniValue.h"
#include "base/PathSyntax.h"
#include "base/StringUtil.h"
#include "texts/ProfileTexts.h"

namespace vardeno {

namespace fs = std::filesystem;

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

void SortIgnoreCase(std::vector<std::string>& texts) {
  std::stable_sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
    return CompareIgnoreCase(a, b) < 0;
  });
}

// The subdirectories of dir, as full paths; none when it cannot be read.
std::vector<std::string> SubDirectories(const std::string& dir) {
  std::vector<std::string> found;
  std::error_code ec;
  for (fs::directory_iterator it(FsPath(dir), fs::directory_options::skip_permission_denied, ec), end;
       !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (it->is_directory(typeError)) found.push_back(JoinPath(dir, Utf8Path(it->path().filename())));
  }
  return found;
}

}  // namespace

void AP_AddProfile(const std::string& path, ProfileTable& table) {
  const fs::path file = FsPath(path);
  std::string displayName;
  std::error_code ec;
  if (fs::is_regular_file(file, ec)) displayName = IniFile(path).ReadString("MAIN", "DisplayName", "");
  if (displayName.empty()) displayName = Utf8Path(file.stem());
  table.push_back({CutToCharacters(Utf8Path(file.filename()), kProfileNameMaxChars),
                   CutToCharacters(displayName, kProfileNameMaxChars)});
}

bool MatchesWildcard(const std::string& pattern, const std::string& name) {
  // Iterative match with backtracking to the last "*".
  size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
      ++p, ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++, starN = n;
    } else if (starP != std::string::npos) {
      p = starP + 1, n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool FindFilesInDirs(const std::string& wildcard, const std::string& directory,
                     std::vector<std::string>& result, const ListingCallback& callback, int depth) {
  std::string root = directory;
  if (root.size() > PathRootLength(root) && IsPathSeparator(root.back())) root.pop_back();

  std::vector<std::string> dirs{root};
  std::vector<std::string> level{root};
  for (int d = 0; d < depth && !level.empty(); ++d) {
    std::vector<std::string> next;
    for (const std::string& dir : level) {
      std::vector<std::string> subs = SubDirectories(dir);
      next.insert(next.end(), subs.begin(), subs.end());
    }
    dirs.insert(dirs.end(), next.begin(), next.end());
    level = std::move(next);
  }
  SortIgnoreCase(dirs);

  for (const std::string& dir : dirs) {
    if (callback && !callback(dir)) return false;
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(FsPath(dir), fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
      std::error_code typeError;
      const std::string name = Utf8Path(it->path().filename());
      // Only regular files: reading a pipe or device named like a profile would hang or harm.
      if (it->is_regular_file(typeError) && MatchesWildcard(wildcard, name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) result.push_back(JoinPath(dir, name));
  }
  return true;
}

void GetProfiles(const std::string& profilesDir, const std::string& lastSessionFile, ProfileTable& table) {
  table.clear();
  std::vector<std::string> paths;
  FindFilesInDirs("*.ini", profilesDir, paths, {}, 0);
  SortIgnoreCase(paths);
  for (const std::string& path : paths) {
    if (path != lastSessionFile) AP_AddProfile(path, table);
  }
}

std::vector<std::string> ProfileComboEntries(const ProfileTable& table, UiLanguage lang) {
  std::vector<std::string> entries{kProfileEntryLastSession(lang), kProfileEntryDefaults(lang)};
  for (const ProfileEntry& entry : table) entries.push_back(entry.DisplayName);
  return entries;
}

}  // namespace vardeno
