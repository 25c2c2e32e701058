#include "filelist/ListFile.h"

#include <string_view>
#include <utility>
#include <vector>

#include "app/AppParams.h"
#include "base/StringUtil.h"
#include "filelist/PathText.h"
#include "platform/FileIo.h"

namespace {

// Removes one trailing "/", then a trailing "/." (the program's rule for folder texts).
// The path a list-file line stands for: its folder part, cleaned, then "/" and its name. A line
// in the root ("/clip.avi") keeps its "/", so the file is not looked for in the current folder.
std::string PathOfListLine(const std::string& line) {
  const size_t slash = line.rfind('/');
  if (slash == std::string::npos) return line;
  return NormalizeDir(line.substr(0, slash)) + "/" + line.substr(slash + 1);
}

}  // namespace

std::size_t LoadFileList(FileList& list, const std::string& listPath, UiLanguage lang) {
  std::string_view content;
  const std::string bytes = ReadFileBytes(listPath);
  content = bytes;
  if (StartsWith(content, "\xEF\xBB\xBF")) content.remove_prefix(3);

  const std::string currentDir = CurrentDirectory();
  std::vector<FileListRow> rows;
  for (const std::string& line : SplitLines(content)) {
    if (std::optional<FileListRow> row = MakeFileListRow(PathOfListLine(line), lang, currentDir))
      rows.push_back(std::move(*row));
  }
  const std::size_t added = rows.size();
  list.AppendRows(std::move(rows));
  return added;
}

std::string FileListText(const FileList& list) {
  std::string text;
  for (const FileListRow& row : list.Rows()) {
    if (!row.Directory.empty()) {
      text += NormalizeDir(row.Directory);
      text += '/';
    }
    text += row.Name;
    text += "\r\n";
  }
  return text;
}

void SaveFileList(const FileList& list, const std::string& path) {
  WriteFileAtomically(path, FileListText(list));
}
