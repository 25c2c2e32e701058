#include "filelist/SupportedExtensions.h"

#include <gtest/gtest.h>

#include <set>

#include "base/StringUtil.h"

TEST(SupportedExtensions, EveryEntryIsAcceptedInAnyCaseAndNothingElse) {
  EXPECT_EQ(std::set<std::string_view>(SupportedExtensions.begin(), SupportedExtensions.end()).size(),
            37u);
  for (std::string_view extension : SupportedExtensions) {
    EXPECT_TRUE(IsSupportedExtension("/v/clip." + ToLowerAscii(extension))) << extension;
    EXPECT_TRUE(IsSupportedExtension("clip." + std::string(extension))) << extension;
  }
  EXPECT_TRUE(IsSupportedExtension("movie.AvI"));
  EXPECT_FALSE(IsSupportedExtension("movie.mp4v"));  // offered by the dialog, not accepted
  EXPECT_FALSE(IsSupportedExtension("movie.txt"));
  EXPECT_FALSE(IsSupportedExtension("list.lst"));
  EXPECT_FALSE(IsSupportedExtension("movie"));
  EXPECT_FALSE(IsSupportedExtension("movie."));
  EXPECT_FALSE(IsSupportedExtension(""));
  EXPECT_FALSE(IsSupportedExtension("movie.avi.part"));
  EXPECT_FALSE(IsSupportedExtension("movie.avi "));
}

TEST(SupportedExtensions, TheExtensionIsTakenFromTheFileNameOnly) {
  EXPECT_EQ(FileExtension("/home/u/my.videos/clip"), "");
  EXPECT_FALSE(IsSupportedExtension("/home/u/my.avi/clip"));
  EXPECT_EQ(FileExtension("/a/b.tar.MP4"), ".MP4");
  EXPECT_TRUE(IsSupportedExtension("/a/.avi"));
  EXPECT_TRUE(IsListFileName("/a/Films.LST"));
  EXPECT_FALSE(IsListFileName("/a/films.lst.avi"));
  EXPECT_FALSE(IsListFileName("/a.lst/films"));
}
