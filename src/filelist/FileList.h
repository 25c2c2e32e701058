// The file list: its rows in order, and the operations that add, check, swap and remove them.
// Every row's Number is its 1-based position at all times, so no operation has to renumber the
// whole list to stay correct. A view mirrors the list through FileListListener.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "filelist/FileListRow.h"
#include "texts/Language.h"

namespace vardeno {

// What a view of the list hears. Each structural change is announced before and after it (as a
// Qt model needs); the default of every method is to do nothing.
class FileListListener {
 public:
  virtual ~FileListListener() = default;
  // Rows [first, first + count) are about to be appended / have been appended at the end.
  virtual void RowsAboutToBeAppended(std::size_t /*first*/, std::size_t /*count*/) {}
  virtual void RowsAppended(std::size_t /*first*/, std::size_t /*count*/) {}
  // Rows are about to be removed / have been removed; every row may have moved.
  virtual void AboutToReset() {}
  virtual void Reset() {}
  // The texts or check marks of rows [first, last] have changed.
  virtual void RowsChanged(std::size_t /*first*/, std::size_t /*last*/) {}
};

// The row that adding path would append (Number left empty), or nothing when its extension is
// not supported, or it holds a NUL byte or a line break (no system call or list file could name
// it). The path is made absolute against currentDir; the size text is of the size that
// GetFileSizeBytes gives (" 0 bytes" for a missing file; see ListedFileSize); the status is "Ready"
// in lang; the row is checked. The file need not exist.
std::optional<FileListRow> MakeFileListRow(const std::string& path, UiLanguage lang,
                                           const std::string& currentDir);

class FileList;

// Adds every path in order as FileList::AddToList would, in one step (one notification, the
// current folder asked once): for the add-files dialog's many files. Returns the rows added.
std::size_t AddFilesToList(FileList& list, const std::vector<std::string>& paths, UiLanguage lang);

class FileList {
 public:
  std::size_t Count() const { return rows_.size(); }
  bool Empty() const { return rows_.empty(); }
  // index < Count().
  const FileListRow& Row(std::size_t index) const { return rows_.at(index); }
  const std::vector<FileListRow>& Rows() const { return rows_; }
  // The number of checked rows; kept as rows change, so asking costs nothing.
  std::int32_t GetCheckedCount() const { return checkedCount_; }
  // The folder of the file added last ("" before the first): the add-files and script dialogs
  // start there.
  const std::string& LastAddedDirectory() const { return lastAddedDirectory_; }

  // The listener is not owned; nullptr for none.
  void SetListener(FileListListener* listener) { listener_ = listener; }

  // Adds one file if its extension is supported, against the current folder; the same file may
  // stand in several rows. Returns whether a row was added.
  bool AddToList(const std::string& path, UiLanguage lang);
  // Appends rows in one step (one notification); their Numbers are set to their positions.
  void AppendRows(std::vector<FileListRow> rows);

  // Sets every row's Number to its position (1-based).
  void RenumLv();
  // Exchanges Name, Directory, SizeText and Status of the two rows; check marks and Numbers stay
  // with the positions. Nothing happens unless both indexes lie within the list.
  void ReplaceLvItems(int first, int second);
  // Removes every checked row; the rest keep their order and are renumbered.
  void RemoveChecked();
  void CheckAll();
  // Reverses every check mark.
  void InvertChecks();

  // index < Count().
  void SetChecked(std::size_t index, bool checked);
  void SetStatus(std::size_t index, std::string status);

 private:
  void NotifyChanged(std::size_t first, std::size_t last);

  std::vector<FileListRow> rows_;
  std::int32_t checkedCount_ = 0;
  std::string lastAddedDirectory_;
  FileListListener* listener_ = nullptr;
};

}  // namespace vardeno
