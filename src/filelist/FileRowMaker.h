// Making the rows of many files at once, as adding them one by one would, at a fraction of the
// cost: the current folder is asked once (and only when a relative path needs it), and the files
// of one folder are sized relative to it.
#pragma once

#include <optional>
#include <string>

#include "filelist/FileListRow.h"
#include "platform/ListedFileSize.h"
#include "texts/Language.h"

namespace vardeno {

class FileRowMaker {
 public:
  // currentDir, when given, is the folder relative paths count from; otherwise the process's
  // current folder, asked the first time a relative path comes.
  explicit FileRowMaker(UiLanguage lang, std::optional<std::string> currentDir = std::nullopt);

  // The row of path (Number left empty) as MakeFileListRow describes it, or nothing.
  std::optional<FileListRow> Make(const std::string& path);

 private:
  const std::string& CurrentDir();

  std::string status_;
  std::optional<std::string> currentDir_;
  ListedFileSizes sizes_;
};

}  // namespace vardeno
