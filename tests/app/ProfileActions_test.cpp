#include "app/ProfileActions.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/IniFile.h"
#include "app/Profiles.h"
#include "base/PathSyntax.h"
#include "support/TempDir.h"

namespace vardeno {

namespace {

constexpr int kResolutions = 19;

class FakeDialogs : public ProfileFileDialogs {
 public:
  std::optional<std::string> ChooseProfileToOpen(const std::string& startDir) override {
    startDirs.push_back(startDir);
    return answer;
  }
  std::optional<std::string> ChooseProfileToSave(const std::string& startDir) override {
    startDirs.push_back(startDir);
    return answer;
  }
  std::optional<std::string> answer;
  std::vector<std::string> startDirs;
};

struct ProfilesFixture {
  TempDir dir;
  AppParams params;
  ProfileTable table;
  FakeDialogs dialogs;
  ProfilesFixture() {
    params.ProfilesDir = dir / "profiles";
    params.LastSessionFile = JoinPath(params.ProfilesDir, "__Last.ini");
    std::filesystem::create_directory(params.ProfilesDir);
  }
  void Profile(const std::string& name, int volume, const std::string& displayName = "") {
    dir.Write("profiles/" + name,
              "[MAIN]\r\nDisplayName=" + displayName + "\r\n[AUDIO]\r\nVolume=" + std::to_string(volume) + "\r\n");
  }
  void List() { GetProfiles(params.ProfilesDir, params.LastSessionFile, table); }
};

EncoderSettings WithVolume(int volume) {
  EncoderSettings s;
  s.Volume = volume;
  return s;
}

}  // namespace

TEST(ProfileActions, EachPositionOfTheListLoadsItsSettings) {
  ProfilesFixture f;
  f.Profile("__Last.ini", 10);
  f.Profile("a.ini", 20);
  f.Profile("b.ini", 30);
  f.List();
  EncoderSettings s = WithVolume(5);
  s.OutputFormat = 9;
  EXPECT_EQ(ExecuteLoadSelectedProfile(0, f.table, f.params, s, kResolutions), SelectedProfileResult::Loaded);
  EXPECT_EQ(s.Volume, 10);
  EXPECT_EQ(ExecuteLoadSelectedProfile(3, f.table, f.params, s, kResolutions), SelectedProfileResult::Loaded);
  EXPECT_EQ(s.Volume, 30);
  EXPECT_EQ(ExecuteLoadSelectedProfile(9, f.table, f.params, s, kResolutions), SelectedProfileResult::Loaded);
  EXPECT_EQ(s.Volume, 20);  // past the end: the first profile
  EXPECT_EQ(ExecuteLoadSelectedProfile(1, f.table, f.params, s, kResolutions), SelectedProfileResult::Defaults);
  EXPECT_EQ(s, EncoderSettings{});

  s = WithVolume(7);
  EXPECT_EQ(ExecuteLoadSelectedProfile(-1, f.table, f.params, s, kResolutions), SelectedProfileResult::Nothing);
  EXPECT_EQ(ExecuteLoadSelectedProfile(2, {}, f.params, s, kResolutions), SelectedProfileResult::Nothing);
  std::filesystem::remove(f.params.LastSessionFile);
  EXPECT_EQ(ExecuteLoadSelectedProfile(0, f.table, f.params, s, kResolutions), SelectedProfileResult::Nothing);
  std::filesystem::remove(FsPath(JoinPath(f.params.ProfilesDir, "a.ini")));  // removed since the list was built
  EXPECT_EQ(ExecuteLoadSelectedProfile(2, f.table, f.params, s, kResolutions), SelectedProfileResult::Nothing);
  EXPECT_EQ(s, WithVolume(7));
}

TEST(ProfileActions, LoadingAChosenFileStartsInTheProfilesFolder) {
  ProfilesFixture f;
  EncoderSettings s = WithVolume(1);
  EXPECT_FALSE(ExecuteLoadProfile(f.dialogs, f.params, s, kResolutions));  // cancelled
  f.dialogs.answer = f.dir.Write("elsewhere.ini", "[AUDIO]\nVolume=99\n");
  EXPECT_TRUE(ExecuteLoadProfile(f.dialogs, f.params, s, kResolutions));
  EXPECT_EQ(s.Volume, 99);
  EXPECT_EQ(f.dialogs.startDirs, (std::vector<std::string>{f.params.ProfilesDir, f.params.ProfilesDir}));
}

TEST(ProfileActions, SavingOverAListedProfileSelectsIt) {
  ProfilesFixture f;
  f.Profile("a.ini", 20);
  f.Profile("b.ini", 30, "Bee");
  f.Profile("c.ini", 40);
  f.List();
  f.dialogs.answer = JoinPath(f.params.ProfilesDir, "b.ini");
  const ProfileSaveResult result = ExecuteSaveProfile(f.dialogs, f.params, WithVolume(55), f.table);
  EXPECT_TRUE(result.Saved);
  EXPECT_TRUE(result.ListRebuilt);
  EXPECT_EQ(result.SelectPosition, 3);
  EXPECT_EQ(f.table[1], (ProfileEntry{"b.ini", "b"}));  // the display name was emptied by the save
  EXPECT_EQ(IniFile(JoinPath(f.params.ProfilesDir, "b.ini")).ReadInteger("AUDIO", "Volume", 0), 55);

  // A new file, named through another spelling of the same folder.
  f.dialogs.answer = JoinPath(JoinPath(f.params.ProfilesDir, "."), "new.ini");
  EXPECT_EQ(ExecuteSaveProfile(f.dialogs, f.params, WithVolume(1), f.table).SelectPosition, 5);  // a, b, c, new
  EXPECT_EQ(f.table.size(), 4u);

  // The last-session file is never listed, so saving to it selects the first entry.
  f.dialogs.answer = f.params.LastSessionFile;
  EXPECT_EQ(ExecuteSaveProfile(f.dialogs, f.params, WithVolume(1), f.table).SelectPosition, 0);
}

TEST(ProfileActions, SavingElsewhereOrCancellingLeavesTheList) {
  ProfilesFixture f;
  f.Profile("a.ini", 20);
  f.List();
  const ProfileTable before = f.table;
  EXPECT_FALSE(ExecuteSaveProfile(f.dialogs, f.params, WithVolume(1), f.table).Saved);

  f.dialogs.answer = f.dir / "outside.ini";
  const ProfileSaveResult result = ExecuteSaveProfile(f.dialogs, f.params, WithVolume(1), f.table);
  EXPECT_TRUE(result.Saved);
  EXPECT_FALSE(result.ListRebuilt);
  EXPECT_TRUE(std::filesystem::exists(f.dir / "outside.ini"));

  f.dialogs.answer = JoinPath(f.dir.Write("blocker", ""), "p.ini");
  EXPECT_THROW(ExecuteSaveProfile(f.dialogs, f.params, WithVolume(1), f.table), IniWriteError);
  EXPECT_EQ(f.table, before);
}

TEST(ProfileActions, TheLastSessionSurvivesARestart) {
  TempDir dir;
  AppParams params;
  params.ProfilesDir = dir / "new/profiles";
  params.LastSessionFile = JoinPath(params.ProfilesDir, "__Last.ini");
  EncoderSettings s = WithVolume(3);
  EXPECT_FALSE(LoadLastSession(params, s, kResolutions));
  EXPECT_TRUE(std::filesystem::is_directory(params.ProfilesDir));  // created at start
  EXPECT_EQ(s, WithVolume(3));
  EXPECT_TRUE(SaveLastSession(params, WithVolume(250)));
  EXPECT_TRUE(LoadLastSession(params, s, kResolutions));
  EXPECT_EQ(s, WithVolume(250));

  params.LastSessionFile = JoinPath(dir.Write("file", ""), "__Last.ini");
  EXPECT_FALSE(SaveLastSession(params, s));  // reported, never thrown
}

}  // namespace vardeno
