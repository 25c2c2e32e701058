#include "filelist/DroppedFiles.h"

#include <algorithm>
#include <utility>

#include "filelist/FileRowMaker.h"
#include "filelist/ListFile.h"
#include "filelist/SupportedExtensions.h"
#include "platform/FileSystem.h"

namespace vardeno {

std::size_t HandleDroppedFiles(FileList& list, std::vector<std::string> names, UiLanguage lang,
                               const std::locale& collation) {
  names.erase(std::remove_if(names.begin(), names.end(),
                             [](const std::string& name) { return name.empty(); }),
              names.end());
  SortNamesIgnoringCase(names, collation);

  FileRowMaker maker(lang);
  const std::size_t countBefore = list.Count();
  // Consecutive files are appended together; a list file first gets the files before it.
  std::vector<FileListRow> pending;
  for (const std::string& name : names) {
    if (IsListFileName(name) && !IsFolder(name)) {
      list.AppendRows(std::exchange(pending, {}));
      LoadFileList(list, name, lang);
    } else if (std::optional<FileListRow> row = maker.Make(name)) {
      pending.push_back(std::move(*row));
    }
  }
  list.AppendRows(std::move(pending));
  return list.Count() - countBefore;
}

}  // namespace vardeno
