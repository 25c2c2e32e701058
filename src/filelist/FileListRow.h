// One row of the file list: the check mark and the five texts shown in its columns.
#pragma once

#include <string>

namespace vardeno {

struct FileListRow {
  bool Checked = true;
  std::string Number;     // the 1-based position as decimal text
  std::string Name;       // the file name without its folder
  std::string Directory;  // the folder, no trailing "/" except for the root, which is "/"
  std::string SizeText;   // FormatFileSize of the file's size when it was added
  std::string Status;     // "Ready" when added, then written by the job loop
};

// The full path of the row's file: Directory, "/" and Name (one "/" for a file in the root).
std::string RowFullPath(const FileListRow& row);

}  // namespace vardeno
