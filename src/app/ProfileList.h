// The list of profiles the main window offers in cbProfile: two fixed entries (the last-session
// settings, the default settings), then one entry per profile file of the profiles directory.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "texts/Language.h"

namespace vardeno {

inline constexpr std::size_t kProfileNameMaxChars = 250;
// Position of ProfileTable entry 0 in cbProfile.
inline constexpr int kFirstProfilePosition = 2;

struct ProfileEntry {
  std::string FileName;     // the file's name with extension, no directory; at most 250 characters
  std::string DisplayName;  // shown in the list; at most 250 characters
  bool operator==(const ProfileEntry&) const = default;
};

// Entry i belongs to position i + kFirstProfilePosition of cbProfile.
using ProfileTable = std::vector<ProfileEntry>;

// Appends the entry of the profile file at path: its "DisplayName" in section "MAIN" when the file
// exists and that value is not empty, else the file's name without its extension.
void AP_AddProfile(const std::string& path, ProfileTable& table);

// Case-blind wildcard match of a file name: "*" any run of characters, "?" one byte.
bool MatchesWildcard(const std::string& pattern, const std::string& name);

// Asked with each directory before it is listed; false ends the listing at once.
using ListingCallback = std::function<bool(const std::string& directory)>;

// Appends to result the full paths ("directory/name") of the regular files (symbolic links to
// them included) whose names match wildcard, in directory and its subdirectories down to depth
// levels (0: the directory alone). One trailing "/" of directory is dropped. Directories are
// visited in case-blind alphabetical order, and each directory's files are appended in byte
// order of their names. Unreadable directories are skipped. Returns false when the callback
// ended the listing.
bool FindFilesInDirs(const std::string& wildcard, const std::string& directory,
                     std::vector<std::string>& result, const ListingCallback& callback = {},
                     int depth = 0);

// Rebuilds table from the "*.ini" files of profilesDir, sorted without regard to letter case,
// leaving out the file whose full path is exactly lastSessionFile (letter case counts).
void GetProfiles(const std::string& profilesDir, const std::string& lastSessionFile, ProfileTable& table);

// The entries cbProfile shows for table right after GetProfiles: the two fixed entries in lang,
// then each DisplayName. The window fills cbProfile with them and selects position 0.
std::vector<std::string> ProfileComboEntries(const ProfileTable& table, UiLanguage lang);

}  // namespace vardeno
