#include "filelist/ListFile.h"

#include <string_view>
#include <utility>
#include <vector>

#include "base/DirText.h"
#include "base/PathSyntax.h"
#include "base/StringUtil.h"
#include "filelist/FileRowMaker.h"
#include "platform/FileIo.h"
#include "platform/StoredText.h"

namespace vardeno {

namespace {

// The path a list-file line stands for, written into path: its folder part without one trailing
// "/" and then a trailing "/." (the program's rule for folder texts), then "/" and its name. A
// line in the root ("/clip.avi") keeps its "/", so the file is not looked for in the current
// folder.
void PathOfListLine(std::string_view line, std::string& path) {
  const size_t slash = LastPathSeparator(line);
  if (slash == std::string_view::npos) {
    path.assign(line);
    return;
  }
  std::string_view folder = line.substr(0, slash);
  if (!folder.empty() && IsPathSeparator(folder.back())) folder.remove_suffix(1);
  if (folder.size() >= 2 && folder.back() == '.' && IsPathSeparator(folder[folder.size() - 2])) folder.remove_suffix(2);
  path.assign(folder);
  path += kPathSeparator;
  path.append(line.substr(slash + 1));
}

// Calls action with every line of text; lines end with CR LF, LF or CR, and the last one may
// have no ending.
template <typename Action>
void ForEachLine(std::string_view text, Action action) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    action(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) action(text.substr(start));
}

}  // namespace

std::size_t LoadFileList(FileList& list, const std::string& listPath, UiLanguage lang) {
  const std::string bytes = StoredTextToUtf8(ReadFileBytes(listPath));
  std::string_view content = bytes;
  if (StartsWith(content, "\xEF\xBB\xBF")) content.remove_prefix(3);

  FileRowMaker maker(lang);
  std::vector<FileListRow> rows;
  std::string path;
  ForEachLine(content, [&](std::string_view line) {
    PathOfListLine(line, path);
    if (std::optional<FileListRow> row = maker.Make(path)) rows.push_back(std::move(*row));
  });
  const std::size_t added = rows.size();
  list.AppendRows(std::move(rows));
  return added;
}

std::string FileListText(const FileList& list) {
  std::string text;
  for (const FileListRow& row : list.Rows()) {
    if (!row.Directory.empty()) {
      text += NormalizeDir(row.Directory);
      text += kPathSeparator;
    }
    text += row.Name;
    text += "\r\n";
  }
  return text;
}

void SaveFileList(const FileList& list, const std::string& path) {
  WriteFileAtomically(path, FileListText(list));
}

}  // namespace vardeno
