#include "filelist/FileList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/PathSyntax.h"
#include "support/ScopedCurrentDir.h"
#include "support/TempDir.h"

namespace vardeno {

namespace {

std::vector<std::string> Column(const FileList& list, std::string FileListRow::*field) {
  std::vector<std::string> values;
  for (const FileListRow& row : list.Rows()) values.push_back(row.*field);
  return values;
}

std::vector<bool> Checks(const FileList& list) {
  std::vector<bool> values;
  for (const FileListRow& row : list.Rows()) values.push_back(row.Checked);
  return values;
}

// A list of five files a.avi ... e.avi with sizes 1, 2, ... bytes.
FileList FiveFiles(const TempDir& dir) {
  FileList list;
  const std::string names = "abcde";
  for (size_t i = 0; i < names.size(); ++i)
    list.AddToList(dir.Write(std::string(1, names[i]) + ".avi", std::string(i + 1, 'x')),
                   UiLanguage::English);
  return list;
}

class RecordingListener : public FileListListener {
 public:
  explicit RecordingListener(const FileList& list) : list_(list) {}
  void RowsAboutToBeAppended(std::size_t first, std::size_t count) override {
    events.push_back("before append " + std::to_string(first) + "+" + std::to_string(count) +
                     " at " + std::to_string(list_.Count()));
  }
  void RowsAppended(std::size_t first, std::size_t count) override {
    events.push_back("append " + std::to_string(first) + "+" + std::to_string(count) + " at " +
                     std::to_string(list_.Count()));
  }
  void AboutToReset() override { events.push_back("before reset at " + std::to_string(list_.Count())); }
  void Reset() override { events.push_back("reset at " + std::to_string(list_.Count())); }
  void RowsChanged(std::size_t first, std::size_t last) override {
    events.push_back("changed " + std::to_string(first) + "-" + std::to_string(last));
  }
  std::vector<std::string> events;

 private:
  const FileList& list_;
};

}  // namespace

TEST(FileList, AddedRowHoldsFolderNameSizeReadyAndCheckMark) {
  TempDir dir;
  FileList list;
  const std::string path = dir.Write("Clip One.AVI", std::string(1536, 'x'));
  ASSERT_TRUE(list.AddToList(path, UiLanguage::English));
  ASSERT_TRUE(list.AddToList(dir / "missing.mp3", UiLanguage::Polish));
  ASSERT_EQ(list.Count(), 2u);
  const FileListRow& row = list.Row(0);
  EXPECT_TRUE(row.Checked);
  EXPECT_EQ(row.Number, "1");
  EXPECT_EQ(row.Name, "Clip One.AVI");
  EXPECT_EQ(row.Directory, Utf8Path(dir.Path()));
  EXPECT_EQ(row.SizeText, "1.50 KB");
  EXPECT_EQ(row.Status, "Ready");
  EXPECT_EQ(RowFullPath(row), path);
  // A file that does not exist is added all the same, with no size; the status follows the
  // language of the moment.
  EXPECT_EQ(list.Row(1).Number, "2");
  EXPECT_EQ(list.Row(1).SizeText, " 0 bytes");
  EXPECT_EQ(list.Row(1).Status, "Gotowy");
  EXPECT_EQ(list.GetCheckedCount(), 2);
  EXPECT_EQ(list.LastAddedDirectory(), Utf8Path(dir.Path()));
}

TEST(FileList, RefusedPathsAddNothing) {
  TempDir dir;
  FileList list;
  EXPECT_FALSE(list.AddToList(dir.Write("notes.txt", "x"), UiLanguage::English));
  EXPECT_FALSE(list.AddToList(dir / "noextension", UiLanguage::English));
  EXPECT_FALSE(list.AddToList(dir / "films.lst", UiLanguage::English));
  // A NUL would make the system see "a.avi" while the row shows another name.
  EXPECT_FALSE(list.AddToList(std::string(dir / "a.avi") + std::string(1, '\0') + ".mkv",
                              UiLanguage::English));
  // A line break in a name could not be saved in a list file, one path per line.
  EXPECT_FALSE(list.AddToList(dir / "two\nlines.avi", UiLanguage::English));
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.LastAddedDirectory(), "");
}

TEST(FileList, SameFileTwiceGivesTwoRows) {
  TempDir dir;
  FileList list;
  const std::string path = dir.Write("a.avi", "x");
  list.AddToList(path, UiLanguage::English);
  list.AddToList(path, UiLanguage::English);
  EXPECT_EQ(Column(list, &FileListRow::Number), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(Column(list, &FileListRow::Name), (std::vector<std::string>{"a.avi", "a.avi"}));
}

TEST(FileList, PathsAreMadeAbsoluteAndCleaned) {
  TempDir dir;
  std::filesystem::create_directory(dir.Path() / "sub");
  dir.Write("sub/b.mkv", std::string(7, 'x'));
  FileList list;
  {
    ScopedCurrentDir inDir(dir.Path());
    list.AddToList("sub/b.mkv", UiLanguage::English);
    list.AddToList("./sub/./b.mkv", UiLanguage::English);
    list.AddToList(dir / "sub//b.mkv", UiLanguage::English);
  }
  // The root of the temporary folder: "/" on Linux, its drive ("C:\\") on Windows.
  const std::string sub = dir / "sub";
  const std::string root = sub.substr(0, PathRootLength(sub));
  list.AddToList(root + "clip.avi", UiLanguage::English);
  EXPECT_EQ(Column(list, &FileListRow::Directory), (std::vector<std::string>{sub, sub, sub, root}));
  EXPECT_EQ(Column(list, &FileListRow::SizeText).front(), " 7 bytes");
  // A file in the root keeps the root as its folder and has a full path with one separator.
  EXPECT_EQ(list.Row(3).Name, "clip.avi");
  EXPECT_EQ(RowFullPath(list.Row(3)), root + "clip.avi");
}

TEST(FileList, FoldersAndHugeFilesGetTheirSizeText) {
  TempDir dir;
  std::filesystem::create_directory(dir.Path() / "Holiday.avi");
  const std::string huge = dir / "huge.mkv";
  std::ofstream(FsPath(huge)).close();
  std::filesystem::resize_file(FsPath(huge), 5ull * 1024 * 1024 * 1024 + 1024ull * 1024 * 1024 / 2);  // sparse
  FileList list;
  list.AddToList(dir / "Holiday.avi", UiLanguage::English);
  list.AddToList(huge, UiLanguage::English);
  EXPECT_EQ(Column(list, &FileListRow::SizeText), (std::vector<std::string>{" 0 bytes", "5.50 GB"}));
}

TEST(FileList, RemovingCheckedRowsRenumbersTheRest) {
  TempDir dir;
  FileList list = FiveFiles(dir);
  list.InvertChecks();
  list.SetChecked(1, true);
  list.SetChecked(3, true);
  ASSERT_EQ(list.GetCheckedCount(), 2);
  list.RemoveChecked();
  EXPECT_EQ(Column(list, &FileListRow::Name), (std::vector<std::string>{"a.avi", "c.avi", "e.avi"}));
  EXPECT_EQ(Column(list, &FileListRow::Number), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(list.GetCheckedCount(), 0);
  list.CheckAll();
  list.RemoveChecked();
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.GetCheckedCount(), 0);
}

TEST(FileList, CheckAllInvertAndSingleChecksKeepTheCount) {
  TempDir dir;
  FileList list = FiveFiles(dir);
  list.SetChecked(0, false);
  list.SetChecked(0, false);  // setting what is already set changes nothing
  list.SetChecked(2, false);
  EXPECT_EQ(list.GetCheckedCount(), 3);
  list.InvertChecks();
  EXPECT_EQ(Checks(list), (std::vector<bool>{true, false, true, false, false}));
  EXPECT_EQ(list.GetCheckedCount(), 2);
  list.CheckAll();
  EXPECT_EQ(list.GetCheckedCount(), 5);
  FileList empty;
  empty.CheckAll();
  empty.InvertChecks();
  EXPECT_EQ(empty.GetCheckedCount(), 0);
}

TEST(FileList, SwappingRowsExchangesTextsButNotCheckMarks) {
  TempDir dir;
  FileList list = FiveFiles(dir);
  list.SetChecked(0, false);
  list.SetStatus(2, "Done");
  list.ReplaceLvItems(0, 2);
  EXPECT_EQ(Column(list, &FileListRow::Name),
            (std::vector<std::string>{"c.avi", "b.avi", "a.avi", "d.avi", "e.avi"}));
  EXPECT_EQ(Column(list, &FileListRow::SizeText),
            (std::vector<std::string>{" 3 bytes", " 2 bytes", " 1 bytes", " 4 bytes", " 5 bytes"}));
  EXPECT_EQ(Column(list, &FileListRow::Status),
            (std::vector<std::string>{"Done", "Ready", "Ready", "Ready", "Ready"}));
  EXPECT_EQ(Checks(list), (std::vector<bool>{false, true, true, true, true}));
  EXPECT_EQ(Column(list, &FileListRow::Number), (std::vector<std::string>{"1", "2", "3", "4", "5"}));

  const std::vector<FileListRow> before = list.Rows();
  list.ReplaceLvItems(-1, 2);
  list.ReplaceLvItems(0, 5);
  list.ReplaceLvItems(3, 3);
  EXPECT_EQ(Column(list, &FileListRow::Name)[0], before[0].Name);
  EXPECT_EQ(Column(list, &FileListRow::Name)[3], before[3].Name);
  EXPECT_EQ(Column(list, &FileListRow::Name)[4], before[4].Name);
}

TEST(FileList, ViewHearsEveryChangeBeforeAndAfterIt) {
  TempDir dir;
  FileList list;
  RecordingListener listener(list);
  list.SetListener(&listener);
  list.AddToList(dir / "a.avi", UiLanguage::English);
  list.AddToList(dir / "a.txt", UiLanguage::English);  // refused: nothing heard
  list.AppendRows({FileListRow{}, FileListRow{}});
  list.SetChecked(1, false);
  list.ReplaceLvItems(0, 2);
  list.RemoveChecked();
  list.SetListener(nullptr);
  list.CheckAll();
  list.RenumLv();
  EXPECT_EQ(listener.events, (std::vector<std::string>{
                                 "before append 0+1 at 0", "append 0+1 at 1",
                                 "before append 1+2 at 1", "append 1+2 at 3", "changed 1-1",
                                 "changed 0-0", "changed 2-2", "before reset at 3", "reset at 1"}));
  EXPECT_EQ(list.Row(0).Number, "1");
  EXPECT_EQ(list.Row(0).Name, "");  // the one unchecked row is left
}

}  // namespace vardeno
