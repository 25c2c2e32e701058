#include "filelist/FileListRow.h"

#include "base/PathSyntax.h"

namespace vardeno {

std::string RowFullPath(const FileListRow& row) {
  if (row.Directory.empty()) return row.Name;
  if (IsPathSeparator(row.Directory.back())) return row.Directory + row.Name;
  return row.Directory + kPathSeparator + row.Name;
}

}  // namespace vardeno
