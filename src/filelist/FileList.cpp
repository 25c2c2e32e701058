#include "filelist/FileList.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "filelist/FileRowMaker.h"

namespace vardeno {

std::optional<FileListRow> MakeFileListRow(const std::string& path, UiLanguage lang,
                                           const std::string& currentDir) {
  return FileRowMaker(lang, currentDir).Make(path);
}

std::size_t AddFilesToList(FileList& list, const std::vector<std::string>& paths, UiLanguage lang) {
  FileRowMaker maker(lang);
  std::vector<FileListRow> rows;
  rows.reserve(paths.size());
  for (const std::string& path : paths) {
    if (std::optional<FileListRow> row = maker.Make(path)) rows.push_back(std::move(*row));
  }
  const std::size_t added = rows.size();
  list.AppendRows(std::move(rows));
  return added;
}

bool FileList::AddToList(const std::string& path, UiLanguage lang) {
  // The current folder is asked only for a relative path.
  std::optional<FileListRow> row = FileRowMaker(lang).Make(path);
  if (!row) return false;
  std::vector<FileListRow> one;
  one.push_back(std::move(*row));
  AppendRows(std::move(one));
  return true;
}

void FileList::AppendRows(std::vector<FileListRow> rows) {
  if (rows.empty()) return;
  const std::size_t first = rows_.size();
  if (listener_) listener_->RowsAboutToBeAppended(first, rows.size());
  // Grows geometrically: reserving just the new size on every append would copy the whole list
  // each time a single file is added.
  if (rows_.size() + rows.size() > rows_.capacity())
    rows_.reserve(std::max(rows_.size() + rows.size(), rows_.capacity() * 2));
  for (FileListRow& row : rows) {
    row.Number = std::to_string(rows_.size() + 1);
    if (row.Checked) ++checkedCount_;
    rows_.push_back(std::move(row));
  }
  lastAddedDirectory_ = rows_.back().Directory;
  if (listener_) listener_->RowsAppended(first, rows.size());
}

void FileList::RenumLv() {
  for (std::size_t i = 0; i < rows_.size(); ++i) rows_[i].Number = std::to_string(i + 1);
  if (!rows_.empty()) NotifyChanged(0, rows_.size() - 1);
}

void FileList::ReplaceLvItems(int first, int second) {
  const auto count = static_cast<long long>(rows_.size());
  if (first < 0 || second < 0 || first >= count || second >= count || first == second) return;
  FileListRow& a = rows_[static_cast<std::size_t>(first)];
  FileListRow& b = rows_[static_cast<std::size_t>(second)];
  std::swap(a.Name, b.Name);
  std::swap(a.Directory, b.Directory);
  std::swap(a.SizeText, b.SizeText);
  std::swap(a.Status, b.Status);
  // Positions do not change, so the Numbers are right as they are.
  NotifyChanged(static_cast<std::size_t>(first), static_cast<std::size_t>(first));
  NotifyChanged(static_cast<std::size_t>(second), static_cast<std::size_t>(second));
}

void FileList::RemoveChecked() {
  if (checkedCount_ == 0) return;
  if (listener_) listener_->AboutToReset();
  const auto firstChecked =
      std::find_if(rows_.begin(), rows_.end(), [](const FileListRow& row) { return row.Checked; });
  const auto renumberFrom = static_cast<std::size_t>(firstChecked - rows_.begin());
  rows_.erase(std::remove_if(firstChecked, rows_.end(),
                             [](const FileListRow& row) { return row.Checked; }),
              rows_.end());
  checkedCount_ = 0;
  for (std::size_t i = renumberFrom; i < rows_.size(); ++i) rows_[i].Number = std::to_string(i + 1);
  if (listener_) listener_->Reset();
}

void FileList::CheckAll() {
  for (FileListRow& row : rows_) row.Checked = true;
  checkedCount_ = static_cast<std::int32_t>(rows_.size());
  if (!rows_.empty()) NotifyChanged(0, rows_.size() - 1);
}

void FileList::InvertChecks() {
  for (FileListRow& row : rows_) row.Checked = !row.Checked;
  checkedCount_ = static_cast<std::int32_t>(rows_.size()) - checkedCount_;
  if (!rows_.empty()) NotifyChanged(0, rows_.size() - 1);
}

void FileList::SetChecked(std::size_t index, bool checked) {
  FileListRow& row = rows_.at(index);
  if (row.Checked == checked) return;
  row.Checked = checked;
  checkedCount_ += checked ? 1 : -1;
  NotifyChanged(index, index);
}

void FileList::SetStatus(std::size_t index, std::string status) {
  rows_.at(index).Status = std::move(status);
  NotifyChanged(index, index);
}

void FileList::NotifyChanged(std::size_t first, std::size_t last) {
  if (listener_) listener_->RowsChanged(first, last);
}

}  // namespace vardeno
