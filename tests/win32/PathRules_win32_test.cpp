// The program's path rules with Windows paths: "\" joins folder and name, a drive's root keeps
// its "\", a network path keeps its "\\", "/" is read as a separator, and the same file is
// known by its volume and index whatever the spelling.
#include <gtest/gtest.h>
#include <windows.h>

#include "base/DirText.h"
#include "conversion/OutputPath.h"
#include "filelist/FileListRow.h"
#include "filelist/PathText.h"
#include "platform/win32/WideText.h"
#include "win32/Win32TempDir.h"

namespace vardeno {

TEST(WindowsPaths, JoiningAndCuttingKeepRootsAndNetworkPaths) {
  EXPECT_EQ(NormalizeDir("C:\\videos\\"), "C:\\videos");
  EXPECT_EQ(NormalizeDir("C:\\videos\\."), "C:\\videos");
  EXPECT_EQ(MakeInputPath("C:\\", "clip.avi"), "C:\\clip.avi");
  EXPECT_EQ(MakeInputPath("C:\\videos\\\\", "clip.avi"), "C:\\videos\\clip.avi");
  EXPECT_EQ(MakeInputPath("\\\\server\\share", "a b.avi"), "\\\\server\\share\\a b.avi");

  EXPECT_EQ(MakeAbsolutePath("clip.avi", "C:\\videos"), "C:\\videos\\clip.avi");
  EXPECT_EQ(MakeAbsolutePath("C:/videos/./new//clip.avi", "D:\\x"), "C:\\videos\\new\\clip.avi");
  EXPECT_EQ(MakeAbsolutePath("\\\\server\\share\\clip.avi", "C:\\"), "\\\\server\\share\\clip.avi");
  EXPECT_EQ(MakeAbsolutePath("C:\\", ""), "C:\\");

  std::string directory, name;
  SplitDirectoryAndName("C:\\clip.avi", directory, name);
  EXPECT_EQ(directory, "C:\\");
  EXPECT_EQ(name, "clip.avi");
  SplitDirectoryAndName("C:\\videos\\clip.avi", directory, name);
  EXPECT_EQ(directory, "C:\\videos");

  FileListRow row;
  row.Directory = "C:\\";
  row.Name = "clip.avi";
  EXPECT_EQ(RowFullPath(row), "C:\\clip.avi");
  row.Directory = "C:\\videos";
  EXPECT_EQ(RowFullPath(row), "C:\\videos\\clip.avi");
}

TEST(WindowsPaths, AnOutputIsNeverTheInputWhateverItsSpelling) {
  Win32TempDir dir;
  const std::string input = dir.Utf8(L"Za\u017c\u00f3\u0142\u0107.mp4");
  dir.Write(L"Za\u017c\u00f3\u0142\u0107.mp4", "x");
  const std::string folder = Narrow(dir.Path().wstring());
  EXPECT_EQ(MakeOutputPath(input, "", ".mp4"), folder + "\\Za\u017c\u00f3\u0142\u0107_NEW.mp4");
  EXPECT_EQ(MakeOutputPath(input, "", ".wmv"), folder + "\\Za\u017c\u00f3\u0142\u0107.wmv");
  // The folder spelt with "/" and in capitals is still the input's folder on disk.
  std::string other = folder;
  for (char& c : other) c = c == '\\' ? '/' : static_cast<char>(toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(MakeOutputPath(input, other, ".mp4"), other + "\\Za\u017c\u00f3\u0142\u0107_NEW.mp4");
}

}  // namespace vardeno
