#include "app/AppParams.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/EncoderMissing.h"
#include "support/RecordingWarnings.h"
#include "support/TempDir.h"

namespace vardeno {

namespace {
void MakeExecutable(const std::string& path) {
  std::ofstream(path) << "#!/bin/sh\n";
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

// Sets PATH for one test and puts the old value back.
class PathOverride {
 public:
  explicit PathOverride(const std::string& value) : old_(std::getenv("PATH") ? std::getenv("PATH") : "") {
    setenv("PATH", value.c_str(), 1);
  }
  ~PathOverride() { setenv("PATH", old_.c_str(), 1); }

 private:
  std::string old_;
};
}  // namespace

TEST(AppParams, NormalizeDir) {
  EXPECT_EQ(NormalizeDir("/opt/vardeno/"), "/opt/vardeno");
  EXPECT_EQ(NormalizeDir("/opt/vardeno/."), "/opt/vardeno");
  EXPECT_EQ(NormalizeDir("/opt/vardeno/./"), "/opt/vardeno");
  EXPECT_EQ(NormalizeDir("/opt/vardeno"), "/opt/vardeno");
  EXPECT_EQ(NormalizeDir("/opt/vardeno//"), "/opt/vardeno/");  // only one delimiter goes
  EXPECT_EQ(NormalizeDir("/"), "");
}

TEST(AppParams, PathsBelowTheFilesFolder) {
  AppParams params;
  params.EncoderExe = "/somewhere/else";
  InitAppParams(params, "/opt/v");
  EXPECT_EQ(params.EncoderExe, "ffmpeg");
  EXPECT_EQ(params.SettingsFile, "/opt/v/Vardeno.ini");
  EXPECT_EQ(params.ResolutionsFile, "/opt/v/Vardeno_resolutions.txt");
  EXPECT_EQ(params.ProfilesDir, "/opt/v/profiles");
  EXPECT_EQ(params.LastSessionFile, "/opt/v/profiles/__Last.ini");
  EXPECT_EQ(params.PbColor, (RgbColor{82, 35, 35}));
  EXPECT_EQ(params.StatusColorError, (RgbColor{255, 0, 0}));
  EXPECT_EQ(params.Language, UiLanguage::English);
}

TEST(AppParams, ProgramFilesGoBesideTheProgramWhenThatFolderIsWritable) {
  TempDir dir;
  EXPECT_EQ(ChooseProgramFilesDir(dir.Path().string()), dir.Path().string());
  setenv("XDG_CONFIG_HOME", (dir / "cfg").c_str(), 1);
  EXPECT_EQ(ChooseProgramFilesDir("/nonexistent/dir"), dir / "cfg" + "/vardeno");
  // An installed program's bin folder is never used, even when it is writable (root, ~/.local/bin).
  std::filesystem::create_directory(dir / "bin");
  EXPECT_EQ(ChooseProgramFilesDir(dir / "bin"), dir / "cfg" + "/vardeno");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_FALSE(GetProgramDir().empty());
}

TEST(AppParams, EncoderBesideTheProgramComesFirst) {
  TempDir programDir, pathDir;
  MakeExecutable(programDir / "ffmpeg");
  MakeExecutable(pathDir / "ffmpeg");
  PathOverride path(pathDir.Path().string());
  AppParams params;
  EXPECT_EQ(GetEncoderPath(params, programDir.Path().string() + "/"), programDir / "ffmpeg");

  std::filesystem::remove(programDir / "ffmpeg");
  EXPECT_EQ(GetEncoderPath(params, programDir.Path().string()), pathDir / "ffmpeg");

  // A folder named like the encoder is not the encoder; nor is a file that cannot run on PATH.
  std::filesystem::create_directory(programDir / "ffmpeg");
  std::filesystem::permissions(pathDir / "ffmpeg", std::filesystem::perms::owner_read);
  EXPECT_EQ(GetEncoderPath(params, programDir.Path().string()), "");
}

TEST(AppParams, ConfiguredPathIsUsedAsItIs) {
  TempDir dir;
  MakeExecutable(dir / "my ffmpeg");
  AppParams params;
  params.EncoderExe = dir / "my ffmpeg";
  EXPECT_EQ(GetEncoderPath(params, "/nonexistent"), dir / "my ffmpeg");
  std::filesystem::remove(dir / "my ffmpeg");
  EXPECT_EQ(GetEncoderPath(params, "/nonexistent"), "");
  params.EncoderExe = "";
  EXPECT_EQ(GetEncoderPath(params, dir.Path().string()), "");
}

TEST(AppParams, EncoderMissingWarningInBothLanguages) {
  RecordingWarnings w;
  ShowEncoderMissing(w, UiLanguage::English);
  ShowEncoderMissing(w, UiLanguage::Polish);
  ASSERT_EQ(w.shown.size(), 2u);
  EXPECT_EQ(w.shown[0].rfind("Could not find FFmpeg encoder!\r\n\r\n", 0), 0u);
  EXPECT_EQ(w.shown[1].rfind("Nie można odnaleźć kodera FFmpeg!\r\n\r\n", 0), 0u);
}

}  // namespace vardeno
