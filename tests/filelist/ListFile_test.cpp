#include "filelist/ListFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/SystemError.h"
#include "support/ScopedCurrentDir.h"
#include "support/TempDir.h"

namespace {
std::vector<std::string> FullPaths(const FileList& list) {
  std::vector<std::string> paths;
  for (const FileListRow& row : list.Rows()) paths.push_back(RowFullPath(row));
  return paths;
}
}  // namespace

TEST(LoadFileList, EveryLineEndIsAcceptedAndOnlySupportedFilesAreAdded) {
  TempDir dir;
  const std::string d = dir.Path().string();
  dir.Write("a.avi", std::string(2048, 'x'));
  const std::string listPath = dir.Write(
      "films.lst", "\xEF\xBB\xBF" + d + "/a.avi\r\n" + d + "/b.mp3\n\n" + d + "/notes.txt\r" + d +
                       "/c.MKV\r\n\r\n" + d + "/d.wma");
  FileList list;
  EXPECT_EQ(LoadFileList(list, listPath, UiLanguage::English), 4u);
  EXPECT_EQ(FullPaths(list),
            (std::vector<std::string>{d + "/a.avi", d + "/b.mp3", d + "/c.MKV", d + "/d.wma"}));
  EXPECT_EQ(list.Row(0).SizeText, "2.00 KB");
  EXPECT_EQ(list.Row(3).Number, "4");
  EXPECT_EQ(list.GetCheckedCount(), 4);
}

TEST(LoadFileList, FolderPartsAreCleanedAndRelativeLinesUseTheCurrentFolder) {
  TempDir dir;
  TempDir other;
  const std::string d = dir.Path().string();
  const std::string listPath =
      other.Write("x.lst", "plain.avi\nsub/rel.avi\n" + d + "/./dot.avi\n" + d + "//twice.avi\n/root.avi\n");
  FileList list;
  {
    ScopedCurrentDir inDir(dir.Path());
    LoadFileList(list, listPath, UiLanguage::English);
  }
  EXPECT_EQ(FullPaths(list), (std::vector<std::string>{d + "/plain.avi", d + "/sub/rel.avi",
                                                       d + "/dot.avi", d + "/twice.avi",
                                                       "/root.avi"}));
}

TEST(LoadFileList, UnreadableListFileThrowsAndAddsNothing) {
  TempDir dir;
  FileList list;
  list.AddToList(dir / "keep.avi", UiLanguage::English);
  try {
    LoadFileList(list, dir / "missing.lst", UiLanguage::English);
    FAIL() << "no error for a missing list file";
  } catch (const SystemError& error) {
    EXPECT_EQ(error.Code(), ENOENT);
  }
  std::filesystem::create_directory(dir.Path() / "folder.lst");
  try {
    LoadFileList(list, dir / "folder.lst", UiLanguage::English);
    FAIL() << "a folder read as an empty list file";
  } catch (const SystemError& error) {
    EXPECT_EQ(error.Code(), EISDIR);
  }
  EXPECT_EQ(list.Count(), 1u);
}

TEST(SaveFileList, EveryRowIsOneCrLfLineAndLoadsBackTheSame) {
  TempDir dir;
  const std::string d = dir.Path().string();
  FileList list;
  list.AddToList(dir / "a.avi", UiLanguage::English);
  list.AddToList("/root.mp4", UiLanguage::English);
  list.AddToList(dir / "zażółć.mkv", UiLanguage::English);
  list.SetChecked(1, false);
  list.SetStatus(0, "Done");
  const std::string listPath = dir / "out.lst";
  SaveFileList(list, listPath);
  EXPECT_EQ(ReadWholeFile(listPath),
            d + "/a.avi\r\n/root.mp4\r\n" + d + "/zażółć.mkv\r\n");

  FileList loaded;
  LoadFileList(loaded, listPath, UiLanguage::English);
  EXPECT_EQ(FullPaths(loaded), FullPaths(list));

  SaveFileList(FileList(), listPath);  // replaces the file
  EXPECT_EQ(ReadWholeFile(listPath), "");
}

TEST(SaveFileList, FailureThrowsAndLeavesNothingBehind) {
  TempDir dir;
  FileList list;
  list.AddToList(dir / "a.avi", UiLanguage::English);
  EXPECT_THROW(SaveFileList(list, dir / "no such folder/out.lst"), SystemError);
  std::filesystem::create_directory(dir.Path() / "taken.lst");
  EXPECT_THROW(SaveFileList(list, dir / "taken.lst"), SystemError);
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "taken.lst"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            1);
}
