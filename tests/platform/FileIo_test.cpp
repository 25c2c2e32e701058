#include "platform/FileIo.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/SystemError.h"
#include "support/TempDir.h"

namespace vardeno {

namespace fs = std::filesystem;

namespace {
mode_t ModeOf(const std::string& path) {
  struct stat info;
  EXPECT_EQ(::stat(path.c_str(), &info), 0);
  return info.st_mode & 07777;
}

size_t EntriesIn(const fs::path& dir) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

int ErrorCodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const SystemError& error) {
    return error.Code();
  }
  return 0;
}
}  // namespace

TEST(WriteFileAtomically, NewFilesGetUsualModesAndReplacedFilesKeepTheirs) {
  TempDir dir;
  const mode_t mask = ::umask(022);
  const std::string plain = dir / "a.lst";
  const std::string script = dir / "run.sh";
  WriteFileAtomically(plain, std::string("x\0y\r\n", 5));
  WriteFileAtomically(script, "echo\n", true);
  EXPECT_EQ(ReadWholeFile(plain), std::string("x\0y\r\n", 5));
  EXPECT_EQ(ModeOf(plain), 0644u);
  EXPECT_EQ(ModeOf(script), 0755u);

  ::chmod(plain.c_str(), 0600);
  WriteFileAtomically(plain, "new");
  EXPECT_EQ(ReadWholeFile(plain), "new");
  EXPECT_EQ(ModeOf(plain), 0600u);
  WriteFileAtomically(plain, "newer", true);
  EXPECT_EQ(ModeOf(plain), 0700u);
  ::umask(mask);
  EXPECT_EQ(EntriesIn(dir.Path()), 2u);  // no temporary file left
}

TEST(WriteFileAtomically, LinkIsFollowedAndStaysALink) {
  TempDir dir;
  const std::string target = dir.Write("real.log", "old");
  fs::create_symlink(target, dir.Path() / "link.log");
  ::chmod(target.c_str(), 0640);
  WriteFileAtomically(dir / "link.log", "new");
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.log"));
  EXPECT_EQ(ReadWholeFile(target), "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(WriteFileAtomically, FailureLeavesWhatWasThere) {
  TempDir dir;
  fs::create_directory(dir.Path() / "folder.log");
  dir.Write("folder.log/inside", "kept");
  EXPECT_EQ(ErrorCodeOf([&] { WriteFileAtomically(dir / "folder.log", "x"); }), EISDIR);
  EXPECT_EQ(ReadWholeFile(dir / "folder.log/inside"), "kept");
  EXPECT_EQ(ErrorCodeOf([&] { WriteFileAtomically(dir / "nowhere/x.log", "x"); }), ENOENT);
  const std::string file = dir.Write("file", "x");
  EXPECT_EQ(ErrorCodeOf([&] { WriteFileAtomically(file + "/child", "x"); }), ENOTDIR);
  EXPECT_EQ(ReadWholeFile(file), "x");
  EXPECT_EQ(EntriesIn(dir.Path()), 2u);
}

TEST(ReadFileBytes, ReadsEveryByteAndRefusesFoldersAndMissingFiles) {
  TempDir dir;
  const std::string bytes("a\r\nb\rc\0d", 8);
  EXPECT_EQ(ReadFileBytes(dir.Write("f.lst", bytes)), bytes);
  EXPECT_EQ(ErrorCodeOf([&] { ReadFileBytes(dir / "missing.lst"); }), ENOENT);
  EXPECT_EQ(ErrorCodeOf([&] { ReadFileBytes(dir.Path().string()); }), EISDIR);
}

}  // namespace vardeno
