#include "platform/FileIo.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/SystemError.h"
#include "support/TempDir.h"

TEST(WriteFileAtomically, ReplacesThroughALinkKeepingItsTargetsMode) {
  TempDir dir;
  const std::string target = dir.Write("target.ini", "old");
  chmod(target.c_str(), 0640);
  const std::string link = dir / "link.ini";
  std::filesystem::create_symlink(target, link);

  WriteFileAtomically(link, "new contents");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(target), "new contents");
  struct stat info {};
  stat(target.c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0640u);

  WriteFileAtomically(dir / "fresh", "");
  EXPECT_TRUE(std::filesystem::is_regular_file(dir / "fresh"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 3);  // no leftovers
}

TEST(WriteFileAtomically, WritingBelowAFileFailsWithTheSystemCode) {
  TempDir dir;
  std::filesystem::create_directory(dir / "folder");
  try {
    WriteFileAtomically(dir / "folder", "x");
    ADD_FAILURE() << "replaced a folder";
  } catch (const SystemError& error) {
    EXPECT_EQ(error.Code(), EISDIR);
  }
  const std::string file = dir.Write("file", "x");
  try {
    WriteFileAtomically(file + "/child", "x");
    ADD_FAILURE() << "wrote below a file";
  } catch (const SystemError& error) {
    EXPECT_EQ(error.Code(), ENOTDIR);
  }
  EXPECT_EQ(ReadWholeFile(file), "x");
}
