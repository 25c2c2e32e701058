#include "conversion/OutputPath.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempDir.h"

namespace vardeno {

TEST(OutputPath, InputPathJoinsDirectoryAndName) {
  EXPECT_EQ(MakeInputPath("/", "clip.avi"), "/clip.avi");
  EXPECT_EQ(MakeInputPath("/videos/", "clip.avi"), "/videos/clip.avi");
  EXPECT_EQ(MakeInputPath("/videos/.", "clip.avi"), "/videos/clip.avi");
  EXPECT_EQ(MakeInputPath("//srv//share", "a b.avi"), "/srv/share/a b.avi");
}

TEST(OutputPath, ExtensionIsReplacedOrAppended) {
  EXPECT_EQ(ReplaceExtension("/v/clip.avi", ".mp4"), "/v/clip.mp4");
  EXPECT_EQ(ReplaceExtension("/v/clip.tar.gz", ".mp4"), "/v/clip.tar.mp4");
  EXPECT_EQ(ReplaceExtension("/v.d/clip", ".mp4"), "/v.d/clip.mp4");
}

TEST(OutputPath, SameFileGetsNew) {
  TempDir dir;
  const std::string input = dir.Write("clip.mp4", "x");
  EXPECT_EQ(MakeOutputPath(input, "", ".mp4"), dir / "clip_NEW.mp4");
  EXPECT_EQ(MakeOutputPath(input, "", ".wmv"), dir / "clip.wmv");
  // Letters of another case count as the same name.
  EXPECT_EQ(MakeOutputPath(dir / "Clip.MP4", "", ".mp4"), dir / "Clip_NEW.mp4");
  // Another spelling of the same folder is still the same file on disk.
  std::filesystem::create_directory_symlink(dir.Path(), dir / "link");
  EXPECT_EQ(MakeOutputPath(input, dir / "link", ".mp4"), dir / "link/clip_NEW.mp4");
  // A hard link to the input is the input.
  std::filesystem::create_directory(dir / "out");
  std::filesystem::create_hard_link(input, dir / "out/clip.mp4");
  EXPECT_EQ(MakeOutputPath(input, dir / "out", ".mp4"), dir / "out/clip_NEW.mp4");
  EXPECT_EQ(MakeOutputPath(input, dir / "out/", ".wmv"), dir / "out/clip.wmv");
}

TEST(OutputPath, UniqueNamesAreNumbered) {
  TempDir dir;
  EXPECT_EQ(MakeUniqueFileName(dir / "clip.wmv", "_", 3), dir / "clip.wmv");
  dir.Write("clip.wmv", "x");
  EXPECT_EQ(MakeUniqueFileName(dir / "clip.wmv", "_", 3), dir / "clip_001.wmv");
  dir.Write("clip_001.wmv", "x");
  EXPECT_EQ(MakeUniqueFileName(dir / "clip.wmv", "_", 3), dir / "clip_002.wmv");
  dir.Write("noext", "x");
  EXPECT_EQ(MakeUniqueFileName(dir / "noext", "-", 1), dir / "noext-1");
  // A folder in the way counts as taken.
  std::filesystem::create_directory(dir / "clip_002.wmv");
  EXPECT_EQ(MakeUniqueFileName(dir / "clip.wmv", "_", 3), dir / "clip_003.wmv");
}

TEST(OutputPath, ForceDeleteRemovesWriteProtectedFiles) {
  TempDir dir;
  const std::string file = dir.Write("ro.mp4", "");
  std::filesystem::permissions(file, std::filesystem::perms::owner_read);
  EXPECT_TRUE(ForceDeleteFile(file));
  EXPECT_FALSE(PathExists(file));
  EXPECT_FALSE(ForceDeleteFile(file));
  std::filesystem::create_directory(dir / "folder");
  EXPECT_FALSE(ForceDeleteFile(dir / "folder"));
  EXPECT_TRUE(PathExists(dir / "folder"));
}

}  // namespace vardeno
