// The size of a file as the file list shows it, found cheaply for many files at once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vardeno {

// What GetFileSizeBytes gives (the size of a regular file that can be opened for reading, else
// 0), in one stat call when the file belongs to this user and the owner may read it, which holds
// for nearly every file a user adds; other files are opened as GetFileSizeBytes does.
std::uint64_t ListedFileSize(const std::string& path);

// ListedFileSize for a run of files: files that follow one another in the same folder are
// looked up relative to that folder, so the system walks the folder's path once, not per file.
class ListedFileSizes {
 public:
  ListedFileSizes();
  ~ListedFileSizes();
  ListedFileSizes(const ListedFileSizes&) = delete;
  ListedFileSizes& operator=(const ListedFileSizes&) = delete;

  // fullPath is directory, the separator and name (directory the root for a file in the root,
  // "" for a relative name).
  std::uint64_t Of(const std::string& fullPath, const std::string& directory, const std::string& name);

 private:
  struct State;  // what the system's implementation keeps from file to file
  std::unique_ptr<State> state_;
};

}  // namespace vardeno
