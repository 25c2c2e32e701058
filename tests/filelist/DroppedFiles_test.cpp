#include "filelist/DroppedFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <locale>
#include <string>
#include <vector>

#include "platform/SystemError.h"
#include "support/TempDir.h"

namespace vardeno {

namespace {
std::vector<std::string> Names(const FileList& list) {
  std::vector<std::string> names;
  for (const FileListRow& row : list.Rows()) names.push_back(row.Name);
  return names;
}

std::vector<std::string> Numbers(const FileList& list) {
  std::vector<std::string> numbers;
  for (const FileListRow& row : list.Rows()) numbers.push_back(row.Number);
  return numbers;
}

// The tests sort by code points with case folded, whatever the machine's locale.
const std::locale kPlainOrder = std::locale::classic();
}  // namespace

TEST(HandleDroppedFiles, NamesAreSortedIgnoringCaseAndUnsupportedOnesSkipped) {
  TempDir dir;
  FileList list;
  const size_t added = HandleDroppedFiles(
      list, {dir / "b.avi", dir / "c.txt", "", dir / "A.mp3", dir / "B2.avi"}, UiLanguage::English,
      kPlainOrder);
  EXPECT_EQ(added, 3u);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"A.mp3", "b.avi", "B2.avi"}));
  EXPECT_EQ(Numbers(list), (std::vector<std::string>{"1", "2", "3"}));
}

TEST(HandleDroppedFiles, CaseIsIgnoredBeyondAscii) {
  TempDir dir;
  FileList list;
  // Byte order would put "ŁB" (C5 81) before "ła" (C5 82).
  HandleDroppedFiles(list, {dir / "ŁB.avi", dir / "ła.avi", dir / "Łc.avi"}, UiLanguage::English,
                     kPlainOrder);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"ła.avi", "ŁB.avi", "Łc.avi"}));
}

TEST(HandleDroppedFiles, ListFileIsLoadedAtItsPlaceInTheOrder) {
  TempDir dir;
  const std::string d = dir.Path().string();
  const std::string listPath = dir.Write("M.LST", d + "/z1.avi\r\n" + d + "/z0.avi\r\n");
  FileList list;
  list.AddToList(dir / "first.avi", UiLanguage::English);
  HandleDroppedFiles(list, {dir / "x.avi", listPath, dir / "a.avi"}, UiLanguage::English,
                     kPlainOrder);
  EXPECT_EQ(Names(list),
            (std::vector<std::string>{"first.avi", "a.avi", "z1.avi", "z0.avi", "x.avi"}));
  EXPECT_EQ(Numbers(list), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
}

TEST(HandleDroppedFiles, FoldersAreOneNameAndNeverOpened) {
  TempDir dir;
  std::filesystem::create_directories(dir.Path() / "Holiday.avi");
  std::filesystem::create_directories(dir.Path() / "clips");
  std::filesystem::create_directories(dir.Path() / "old.lst");
  dir.Write("clips/inside.avi", "x");
  dir.Write("Holiday.avi/inside.avi", "x");
  FileList list;
  HandleDroppedFiles(list, {dir / "clips", dir / "Holiday.avi", dir / "old.lst"},
                     UiLanguage::English, kPlainOrder);
  ASSERT_EQ(Names(list), (std::vector<std::string>{"Holiday.avi"}));
  EXPECT_EQ(list.Row(0).SizeText, " 0 bytes");
}

TEST(HandleDroppedFiles, UnreadableListFileStopsTheDropButKeepsEarlierRows) {
  TempDir dir;
  FileList list;
  EXPECT_THROW(HandleDroppedFiles(list, {dir / "c.avi", dir / "b.lst", dir / "a.avi"},
                                  UiLanguage::English, kPlainOrder),
               SystemError);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a.avi"}));
  EXPECT_EQ(Numbers(list), (std::vector<std::string>{"1"}));
}

}  // namespace vardeno
