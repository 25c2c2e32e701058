#include "app/AtomicFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "platform/SystemError.h"
#include "support/TempDir.h"

TEST(AtomicFile, ReplacesContentAndKeepsPermissions) {
  TempDir dir;
  const std::string file = dir.Write("a.txt", "old content");
  chmod(file.c_str(), 0600);
  WriteFileAtomically(file, "new");
  EXPECT_EQ(ReadWholeFile(file), "new");
  struct stat st {};
  stat(file.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  WriteFileAtomically(file, "x", 0750);
  stat(file.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0750u);
  // Nothing but the file is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(AtomicFile, FailureLeavesTheOldStateAlone) {
  TempDir dir;
  std::filesystem::create_directory(dir / "folder");
  EXPECT_THROW(WriteFileAtomically(dir / "folder", "x"), SystemError);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));
  try {
    WriteFileAtomically(dir / "no/such/dir/a.txt", "x");
    FAIL() << "no error";
  } catch (const SystemError& e) {
    EXPECT_EQ(e.Code(), ENOENT);
    EXPECT_EQ(std::string(e.what()).rfind("System Error.  Code: 2.\r\n", 0), 0u);
  }
}
