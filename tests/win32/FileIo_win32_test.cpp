// Reading and safely replacing files through the Windows API: names beyond the ANSI code page, a
// target another program holds open, folders.
#include "platform/FileIo.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/SystemError.h"
#include "Win32TempDir.h"

namespace vardeno {

namespace {

TEST(FileIoWin32, ReplacesAFileWhoseNameNoCodePageHoldsAndLeavesOnlyIt) {
  Win32TempDir dir;
  const std::wstring name = L"lista \u65E5\u672C \u017C\u00F3\u0142w.txt";
  dir.Write(name, "old content that is longer than the new one");
  WriteFileAtomically(dir.Utf8(name), "new");
  EXPECT_EQ(Win32FileText(dir.Path() / name), "new");
  EXPECT_EQ(ReadFileBytes(dir.Utf8(name)), "new");
  EXPECT_EQ(dir.Entries(), std::vector<std::wstring>{name});

  WriteFileAtomically(dir.Utf8(L"fresh.bat"), std::string("a\0b\r\n", 5), true);
  EXPECT_EQ(ReadFileBytes(dir.Utf8(L"fresh.bat")), std::string("a\0b\r\n", 5));
}

TEST(FileIoWin32, ATargetHeldOpenWithoutDeleteSharingStaysWholeAndNoTemporaryFileIsLeft) {
  Win32TempDir dir;
  const auto target = dir.Write(L"errors.txt", "the old log");
  // Another program reading the file, allowing others to read and write but not to delete or
  // rename it: the replacing move must fail.
  const HANDLE holder = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_THROW(WriteFileAtomically(dir.Utf8(L"errors.txt"), "the new log"), SystemError);
  CloseHandle(holder);
  EXPECT_EQ(Win32FileText(target), "the old log");
  EXPECT_EQ(dir.Entries(), std::vector<std::wstring>{L"errors.txt"});
}

TEST(FileIoWin32, FoldersAndMissingFilesThrowInsteadOfReadingOrWritingNothing) {
  Win32TempDir dir;
  std::filesystem::create_directory(dir.Path() / L"folder");
  EXPECT_THROW(ReadFileBytes(dir.Utf8(L"folder")), SystemError);
  EXPECT_THROW(WriteFileAtomically(dir.Utf8(L"folder"), "x"), SystemError);
  try {
    ReadFileBytes(dir.Utf8(L"missing.txt"));
    ADD_FAILURE() << "a missing file was read";
  } catch (const SystemError& error) {
    EXPECT_EQ(error.Code(), ERROR_FILE_NOT_FOUND);
  }
  // A folder that does not exist: nothing is created on the way.
  EXPECT_THROW(WriteFileAtomically(dir.Utf8(L"no such folder\\list.txt"), "x"), SystemError);
  EXPECT_EQ(dir.Entries(), std::vector<std::wstring>{L"folder"});
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / L"folder"));
}

}  // namespace

}  // namespace vardeno
