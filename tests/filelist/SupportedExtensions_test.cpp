#include "filelist/SupportedExtensions.h"

#include <gtest/gtest.h>

#include <locale>
#include <set>
#include <string>
#include <vector>

#include "filelist/DroppedFiles.h"
#include "support/TempDir.h"

namespace vardeno {

// The types a user may drop, written out here rather than read from the table, so a changed,
// lost or added extension fails: each is taken in any case, anything else is skipped.
TEST(SupportedExtensions, ADropTakesTheConvertibleTypesAndNothingElse) {
  const std::vector<std::string> taken{
      "avi",  "DIVX", "xvid", "mpg", "MPEG", "mpe", "wmv",  "asf", "mp4", "M4v", "mov", "qt", "3gp",
      "3gpp", "3g2",  "3GP2", "mkv", "flv",  "swf", "vob",  "dat", "ogm", "amv", "wav", "Mp3", "ac3",
      "mpc",  "mpa",  "mp2",  "wma", "flac", "shn", "ape",  "ogg", "m4a", "wv",  "amr"};
  const std::vector<std::string> skipped{"xyz", "mp4v", "txt", "webm", "aac", "opus", "ts", "m2ts", "avi ", "part"};
  TempDir dir;
  std::vector<std::string> names;
  std::set<std::string> expected;
  for (const std::string& ext : taken) {
    names.push_back(dir / ("clip." + ext));
    expected.insert("clip." + ext);
  }
  for (const std::string& ext : skipped) names.push_back(dir / ("clip." + ext));
  FileList list;
  EXPECT_EQ(HandleDroppedFiles(list, names, UiLanguage::English, std::locale::classic()), taken.size());
  std::set<std::string> added;
  for (const FileListRow& row : list.Rows()) added.insert(row.Name);
  EXPECT_EQ(added, expected);

  for (const char* notAFile : {"movie", "movie.", "", "movie.avi.part", "list.lst"})
    EXPECT_FALSE(IsSupportedExtension(notAFile)) << notAFile;
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

}  // namespace vardeno
