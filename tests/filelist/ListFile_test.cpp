#include "filelist/ListFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "base/PathSyntax.h"
#include "platform/SystemError.h"
#include "support/ScopedCurrentDir.h"
#include "support/TempDir.h"

namespace vardeno {

namespace {
// The root of the folder path d: "/" on Linux, its drive ("C:\\") on Windows.
std::string RootOf(const std::string& d) { return d.substr(0, PathRootLength(d)); }

std::vector<std::string> FullPaths(const FileList& list) {
  std::vector<std::string> paths;
  for (const FileListRow& row : list.Rows()) paths.push_back(RowFullPath(row));
  return paths;
}
}  // namespace

TEST(LoadFileList, EveryLineEndIsAcceptedAndOnlySupportedFilesAreAdded) {
  TempDir dir;
  dir.Write("a.avi", std::string(2048, 'x'));
  const std::string listPath = dir.Write(
      "films.lst", "\xEF\xBB\xBF" + (dir / "a.avi") + "\r\n" + (dir / "b.mp3") + "\n\n" + (dir / "notes.txt") + "\r" +
                       (dir / "c.MKV") + "\r\n\r\n" + (dir / "d.wma"));
  FileList list;
  EXPECT_EQ(LoadFileList(list, listPath, UiLanguage::English), 4u);
  EXPECT_EQ(FullPaths(list), (std::vector<std::string>{dir / "a.avi", dir / "b.mp3", dir / "c.MKV", dir / "d.wma"}));
  EXPECT_EQ(list.Row(0).SizeText, "2.00 KB");
  EXPECT_EQ(list.Row(3).Number, "4");
  EXPECT_EQ(list.GetCheckedCount(), 4);
}

TEST(LoadFileList, FolderPartsAreCleanedAndRelativeLinesUseTheCurrentFolder) {
  TempDir dir;
  TempDir other;
  const std::string d = Utf8Path(dir.Path());
  const std::string sep(kPathSeparatorText);
  const std::string listPath = other.Write("x.lst", "plain.avi\nsub" + sep + "rel.avi\n" + d + sep + "." + sep +
                                                        "dot.avi\n" + d + sep + sep + "twice.avi\n" + RootOf(d) + "root.avi\n");
  FileList list;
  {
    ScopedCurrentDir inDir(dir.Path());
    LoadFileList(list, listPath, UiLanguage::English);
  }
  EXPECT_EQ(FullPaths(list), (std::vector<std::string>{JoinPath(d, "plain.avi"), JoinPath(JoinPath(d, "sub"), "rel.avi"),
                                                       JoinPath(d, "dot.avi"), JoinPath(d, "twice.avi"),
                                                       RootOf(d) + "root.avi"}));
}

TEST(LoadFileList, UnreadableListFileThrowsAndAddsNothing) {
  TempDir dir;
  FileList list;
  list.AddToList(dir / "keep.avi", UiLanguage::English);
  try {
    LoadFileList(list, dir / "missing.lst", UiLanguage::English);
    FAIL() << "no error for a missing list file";
  } catch (const SystemError& error) {
#ifndef _WIN32
    EXPECT_EQ(error.Code(), ENOENT);
#endif
  }
  std::filesystem::create_directory(dir.Path() / "folder.lst");
  try {
    LoadFileList(list, dir / "folder.lst", UiLanguage::English);
    FAIL() << "a folder read as an empty list file";
  } catch (const SystemError& error) {
#ifndef _WIN32
    EXPECT_EQ(error.Code(), EISDIR);
#endif
  }
  EXPECT_EQ(list.Count(), 1u);
}

TEST(SaveFileList, EveryRowIsOneCrLfLineAndLoadsBackTheSame) {
  TempDir dir;
  const std::string root = RootOf(Utf8Path(dir.Path())) + "root.mp4";
  FileList list;
  list.AddToList(dir / "a.avi", UiLanguage::English);
  list.AddToList(root, UiLanguage::English);
  list.AddToList(dir / "zażółć.mkv", UiLanguage::English);
  list.SetChecked(1, false);
  list.SetStatus(0, "Done");
  const std::string listPath = dir / "out.lst";
  SaveFileList(list, listPath);
  EXPECT_EQ(ReadWholeFile(listPath),
            (dir / "a.avi") + "\r\n" + root + "\r\n" + (dir / "zażółć.mkv") + "\r\n");

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

}  // namespace vardeno
