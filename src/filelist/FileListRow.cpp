#include "filelist/FileListRow.h"

std::string RowFullPath(const FileListRow& row) {
  if (row.Directory.empty()) return row.Name;
  if (row.Directory.back() == '/') return row.Directory + row.Name;
  return row.Directory + "/" + row.Name;
}
