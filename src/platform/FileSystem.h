// Questions about files on disk and the few changes the program makes to them besides writing
// (deleting an output, finding the current folder). Paths are UTF-8 texts in the system's syntax.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace vardeno {

// Anything at the path: a file, a folder, a dangling link.
bool PathExists(const std::string& path);
bool IsFolder(const std::string& path);
// Something exists at path (links followed) and it is not a folder.
bool IsExistingNonFolder(const std::string& path);
// A regular file (links followed).
bool IsRegularFile(const std::string& path);
// A regular file that this user may run (on Windows: any regular file).
bool IsExecutableFile(const std::string& path);
// An existing folder in which this user may create files.
bool IsWritableFolder(const std::string& path);

// The size of a regular file that can be opened for reading, else 0. Never blocks on a named pipe.
std::uint64_t GetFileSizeBytes(const std::string& path);

// What tells one file on disk from every other, however its path is spelt (links, "..", letter
// case): the device and inode on Linux, the volume serial number and file index on Windows.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  auto operator<=>(const FileIdentity&) const = default;
};
std::optional<FileIdentity> IdentifyFile(const std::string& path);

// The file's last change (nanoseconds since an epoch of the system's) and size, when it exists.
struct FileChangeStamp {
  std::int64_t modifiedNs = 0;
  std::int64_t size = 0;
};
std::optional<FileChangeStamp> ChangeStampOf(const std::string& path);

// The process's current folder, or "" when it cannot be told (it was removed).
std::string CurrentDirectory();

// Deletes the file; when that fails, makes it writable and tries once more. False on any failure.
bool ForceDeleteFile(const std::string& path);

// Whether folder is where installed programs live, shared with other programs or users, so that a
// program there never keeps the user's files beside itself even when it could write there (root
// on Linux; Wine, or an administrator, on Windows): a "bin" folder on Linux (/usr/bin, ~/.local/bin,
// a staging copy of those), a folder inside Program Files on Windows.
bool IsInstalledProgramFolder(const std::string& folder);

// The folder where a program that cannot keep its files beside itself keeps them for this user:
// $XDG_CONFIG_HOME/vardeno (default ~/.config/vardeno) on Linux, %APPDATA%\Vardeno on Windows.
std::string UserProgramFilesDir();

// The value of an environment variable as UTF-8, or nullopt when it is not set.
std::optional<std::string> EnvironmentValue(const char* name);

}  // namespace vardeno
