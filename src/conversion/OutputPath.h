// Input and output paths of a conversion: joining, the "_NEW" rule, numbered names, deletion.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace vardeno {

// NormalizeDir(directory), the separator and name, with every doubled separator made single
// (except the two that begin a Windows network path).
std::string MakeInputPath(const std::string& directory, const std::string& name);

// The path with its extension (from the last "." of the file name on) replaced by ext (with dot);
// a name without one gets ext appended.
std::string ReplaceExtension(const std::string& path, const std::string& ext);

// The output path for input: in outputDir when it is not empty, else beside the input, with the
// extension ext. When that would be the input itself (letters compared without case, or the same
// file on disk), "_NEW" goes before the extension, so an input is never written over.
std::string MakeOutputPath(const std::string& input, const std::string& outputDir, const std::string& ext);

// The path when nothing exists there, else the first free of <stem><separator><n padded to width>
// <ext> for n = 1..100000; "" when all are taken.
std::string MakeUniqueFileName(const std::string& path, const std::string& separator, int width);
// The same, calling visit with every path it looks at, in order (path first, the result last);
// a path for which alsoTaken (when given) is true counts as taken though nothing is there.
std::string MakeUniqueFileName(const std::string& path, const std::string& separator, int width,
                               const std::function<void(const std::string&)>& visit,
                               const std::function<bool(const std::string&)>& alsoTaken = {});

// Files on disk known by their identity (device and inode, volume and file index), so that any spelling of a path (links, "..", another
// letter case on a case-blind file system) is recognised as the same file.
class FileIdentitySet {
 public:
  // Adds the file at path; nothing when there is none.
  void Add(const std::string& path);
  // A file exists at path and is one of those added.
  bool Contains(const std::string& path) const;

 private:
  std::set<FileIdentity> ids_;
};

// The outputs given to the rows of one run, so that no two rows are given one output file. Paths
// count as one when they are equal with their folder resolved on disk (links, "..") and letters
// compared without case (as on the FAT file systems of players and memory cards).
class OutputClaims {
 public:
  // Another row than row was given path.
  bool TakenByOtherRow(const std::string& path, std::size_t row) const;
  void Give(const std::string& path, std::size_t row);

 private:
  std::map<std::string, std::size_t> rows_;  // key of the path, row
};

}  // namespace vardeno
