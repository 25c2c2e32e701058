#include "app/ProfileList.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include "base/PathSyntax.h"
#include "support/TempDir.h"

namespace vardeno {

namespace {

std::vector<std::string> Names(const ProfileTable& table) {
  std::vector<std::string> names;
  for (const ProfileEntry& entry : table) names.push_back(entry.FileName + "|" + entry.DisplayName);
  return names;
}

}  // namespace

TEST(ProfileList, ProfilesAreSortedWithoutCaseAndNamedByDisplayNameOrFileName) {
  TempDir dir;
  dir.Write("b.ini", "[MAIN]\r\nDisplayName=\r\n");
  dir.Write("A.ini", "[MAIN]\r\nDisplayName=  \"Zune HD\"  \r\n");
  dir.Write("C.INI", "");
  dir.Write("__Last.ini", "[MAIN]\r\n");
#ifndef _WIN32
  dir.Write("__last.ini", "[MAIN]\r\n");  // another file on a case-sensitive disk: listed
#endif
  dir.Write("notes.txt", "");
  dir.Write("ini", "");
  std::filesystem::create_directory(dir / "folder.ini");
  dir.Write("folder.ini/inner.ini", "");
#ifndef _WIN32
  ASSERT_EQ(mkfifo((dir / "pipe.ini").c_str(), 0644), 0);  // must neither hang nor be listed
#endif

  ProfileTable table{{"stale.ini", "stale"}};
  GetProfiles(Utf8Path(dir.Path()), dir / "__Last.ini", table);
#ifndef _WIN32
  EXPECT_EQ(Names(table), (std::vector<std::string>{"__last.ini|__last", "A.ini|Zune HD", "b.ini|b",
                                                    "C.INI|C"}));
  EXPECT_EQ(ProfileComboEntries(table, UiLanguage::English),
            (std::vector<std::string>{"The last session settings", "Default encoder settings", "__last",
                                      "Zune HD", "b", "C"}));
#else
  EXPECT_EQ(Names(table), (std::vector<std::string>{"A.ini|Zune HD", "b.ini|b", "C.INI|C"}));
#endif
  EXPECT_EQ(ProfileComboEntries({}, UiLanguage::Polish),
            (std::vector<std::string>{"Ustawienia z ostatniej sesji programu", "Domyślne ustawienia kodera"}));
}

TEST(ProfileList, AMissingOrUnreadableFolderGivesAnEmptyList) {
  TempDir dir;
  ProfileTable table{{"x.ini", "x"}};
  GetProfiles(dir / "missing", dir / "missing/__Last.ini", table);
  EXPECT_TRUE(table.empty());
  GetProfiles(dir.Write("file", "x"), "", table);
  EXPECT_TRUE(table.empty());
}

TEST(ProfileList, EntriesAreCutAt250Characters) {
  TempDir dir;
  std::string longName;
  for (int i = 0; i < 300; ++i) longName += "ż";
  const std::string file = dir.Write("p.ini", "[MAIN]\nDisplayName=" + longName + "\n");
  ProfileTable table;
  AP_AddProfile(file, table);
  AP_AddProfile(dir / "gone.ini", table);  // a missing file is named after itself
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[0].DisplayName.size(), 250u * 2);  // 250 two-byte letters, none split
  EXPECT_EQ(table[1], (ProfileEntry{"gone.ini", "gone"}));
}

TEST(ProfileList, WildcardsMatchWithoutCase) {
  EXPECT_TRUE(MatchesWildcard("*.ini", "a.ini"));
  EXPECT_TRUE(MatchesWildcard("*.ini", "A.INI"));
  EXPECT_TRUE(MatchesWildcard("*.ini", ".ini"));
  EXPECT_TRUE(MatchesWildcard("*.ini", "x.ini.ini"));
  EXPECT_FALSE(MatchesWildcard("*.ini", "a.ini.bak"));
  EXPECT_FALSE(MatchesWildcard("*.ini", "aini"));
  EXPECT_TRUE(MatchesWildcard("a?c*", "abcdef"));
  EXPECT_FALSE(MatchesWildcard("a?c", "ac"));
  EXPECT_TRUE(MatchesWildcard("*", ""));
}

TEST(ProfileList, FindFilesGoesDownToTheDepthAndStopsWhenAsked) {
  TempDir dir;
  dir.Write("top.ini", "");
  std::filesystem::create_directories(dir / "B/deep");
  std::filesystem::create_directories(dir / "a");
  dir.Write("B/b.ini", "");
  dir.Write("B/deep/d.ini", "");
  dir.Write("a/a.ini", "");
  const std::string root = Utf8Path(dir.Path());
  const std::string a = JoinPath(root, "a");
  const std::string b = JoinPath(root, "B");

  std::vector<std::string> found;
  EXPECT_TRUE(FindFilesInDirs("*.ini", root + std::string(kPathSeparatorText), found));
  EXPECT_EQ(found, std::vector<std::string>{JoinPath(root, "top.ini")});

  found.clear();
  std::vector<std::string> asked;
  FindFilesInDirs("*.ini", root, found, [&](const std::string& d) { asked.push_back(d); return true; }, 1);
  EXPECT_EQ(asked, (std::vector<std::string>{root, a, b}));
  EXPECT_EQ(found, (std::vector<std::string>{JoinPath(root, "top.ini"), JoinPath(a, "a.ini"), JoinPath(b, "b.ini")}));

  found.clear();
  int calls = 0;
  EXPECT_FALSE(FindFilesInDirs("*.ini", root, found, [&](const std::string&) { return ++calls < 2; }, 2));
  EXPECT_EQ(found, std::vector<std::string>{JoinPath(root, "top.ini")});
}

}  // namespace vardeno
