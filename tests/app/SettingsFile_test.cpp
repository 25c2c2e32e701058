#include "app/SettingsFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/IniFile.h"
#include "base/StringUtil.h"
#include "support/TempDir.h"

namespace vardeno {

namespace {

constexpr ScreenSize kScreen{1920, 1080};

struct SettingsFixture {
  TempDir dir;
  AppParams params;
  MainWindowSettings window;
  EncoderSettings encoder;
  SettingsFixture() { params.SettingsFile = dir / "Vardeno.ini"; }
  void Write(const std::string& mainLines) { dir.Write("Vardeno.ini", "[MAIN]\r\n" + mainLines); }
  bool Load() { return LoadSettingsFromIni(params, window, encoder, kScreen); }
  std::vector<std::string> Lines() const { return SplitLines(ReadWholeFile(params.SettingsFile)); }
};

}  // namespace

TEST(SettingsFile, NoFileChangesNothing) {
  SettingsFixture f;
  f.params.Language = UiLanguage::Polish;
  f.window.Left = -1;
  EXPECT_FALSE(f.Load());
  EXPECT_EQ(f.params.Language, UiLanguage::Polish);
  EXPECT_EQ(f.window, [] { MainWindowSettings w; w.Left = -1; return w; }());
  EXPECT_FALSE(std::filesystem::exists(f.params.SettingsFile));
}

TEST(SettingsFile, WindowPlaceIsKeptOnTheScreen) {
  SettingsFixture f;
  f.Write("Left=5000\r\nTop=-5\r\nWidth=100\r\nHeight=50\r\n");
  ASSERT_TRUE(f.Load());
  EXPECT_EQ(f.window.Left, 0);
  EXPECT_EQ(f.window.Top, 0);
  EXPECT_EQ(f.window.Width, kMinMainWindowWidth);
  EXPECT_EQ(f.window.Height, kMinMainWindowHeight);

  f.Write("Left=-1000\r\nTop=1080\r\nWidth=1200\r\nHeight=900\r\n");
  f.Load();
  EXPECT_EQ(f.window.Left, -1000);  // not below minus the screen width
  EXPECT_EQ(f.window.Top, 1080);
  EXPECT_EQ(f.window.Width, 1200);
  EXPECT_EQ(f.window.Height, 900);

  f.Write("Left=-1921\r\nTop=1081\r\n");
  f.Load();
  EXPECT_EQ(f.window.Left, 0);
  EXPECT_EQ(f.window.Top, 0);
  EXPECT_EQ(f.window.Width, 1200);  // missing keys keep the current values
}

TEST(SettingsFile, OutputFormatIsKeptWithinTheTable) {
  SettingsFixture f;
  f.Write("OutputFormat=99\r\n");
  f.Load();
  EXPECT_EQ(f.encoder.OutputFormat, 12);
  f.Write("OutputFormat=-3\r\n");
  f.Load();
  EXPECT_EQ(f.encoder.OutputFormat, 0);
  f.encoder.OutputFormat = 8;
  f.Write("OutputFormat=mp3\r\n");
  f.Load();
  EXPECT_EQ(f.encoder.OutputFormat, 8);
}

TEST(SettingsFile, OnlyExactlyPlMeansPolish) {
  SettingsFixture f;
  for (const auto& [stored, expected] : std::vector<std::pair<std::string, UiLanguage>>{
           {"Language=PL\r\n", UiLanguage::Polish},
           {"Language=pl\r\n", UiLanguage::English},
           {"Language= \"PL\" \r\n", UiLanguage::Polish},
           {"Language=POL\r\n", UiLanguage::English},
           {"Left=1\r\n", UiLanguage::English}}) {
    f.params.Language = UiLanguage::Polish;
    f.Write(stored);
    f.Load();
    EXPECT_EQ(f.params.Language, expected) << stored;
  }
}

TEST(SettingsFile, AnEncoderPathThatVanishedFallsBackToTheDefaultName) {
  SettingsFixture f;
  const std::string encoder = f.dir.Write("my-ffmpeg", "#!/bin/sh\n");
  f.Write("ffmpeg=" + encoder + "\r\n");
  f.Load();
  EXPECT_EQ(f.params.EncoderExe, encoder);

  std::filesystem::remove(encoder);
  f.Load();
  EXPECT_EQ(f.params.EncoderExe, "ffmpeg");
  SaveSettingsToIni(f.params, f.window, f.encoder);
  EXPECT_EQ(IniFile(f.params.SettingsFile).ReadString("MAIN", "ffmpeg", ""), "ffmpeg");

  f.Write("ffmpeg=" + f.dir.Path().string() + "\r\n");  // a folder is not an encoder
  f.params.EncoderExe = "x";
  f.Load();
  EXPECT_EQ(f.params.EncoderExe, "ffmpeg");

  // A bare name stays while the lookup finds it on PATH, and goes when it does not.
  const std::string onPath = f.dir.Write("ffmpeg-custom", "#!/bin/sh\n");
  std::filesystem::permissions(onPath, std::filesystem::perms::owner_all);
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", f.dir.Path().c_str(), 1);
  f.Write("ffmpeg=ffmpeg-custom\r\n");
  f.Load();
  EXPECT_EQ(f.params.EncoderExe, "ffmpeg-custom");
  f.Write("ffmpeg=ffmpeg-gone\r\n");
  f.Load();
  EXPECT_EQ(f.params.EncoderExe, "ffmpeg");
  setenv("PATH", oldPath.c_str(), 1);
}

TEST(SettingsFile, ListIndexesOutsideTheirListsMeanNoSelection) {
  SettingsFixture f;
  // The third after-conversion entry does not exist yet when the file is read.
  f.Write("cbOutputExists=2\r\ncbAfterConversion=2\r\n");
  f.Load();
  EXPECT_EQ(f.window.OutputExists, 2);
  EXPECT_EQ(f.window.AfterConversion, -1);
  SaveSettingsToIni(f.params, f.window, f.encoder);
  EXPECT_EQ(IniFile(f.params.SettingsFile).ReadString("MAIN", "cbAfterConversion", ""), "-1");

  f.Write("cbOutputExists=3\r\ncbAfterConversion=1\r\n");
  f.Load();
  EXPECT_EQ(f.window.OutputExists, -1);
  EXPECT_EQ(f.window.AfterConversion, 1);
}

TEST(SettingsFile, FilesAtOnceBelowZeroOrNotANumberIsOneAtATime) {
  SettingsFixture f;
  for (const auto& [stored, read] : std::vector<std::pair<std::string, int>>{
           {"", 1}, {"FilesAtOnce=0\r\n", 0}, {"FilesAtOnce=3\r\n", 3}, {"FilesAtOnce=-2\r\n", 1},
           {"FilesAtOnce=two\r\n", 1}}) {
    f.window.FilesAtOnce = 7;
    f.Write(stored);
    f.Load();
    EXPECT_EQ(f.window.FilesAtOnce, read) << stored;
  }
}

TEST(SettingsFile, LastDirMustStillExist) {
  SettingsFixture f;
  const std::string gone = (f.dir / "gone");
  std::filesystem::create_directory(gone);
  f.window.LastDir = "/previous";
  f.Write("LastDir=" + gone + "\r\n");
  f.Load();
  EXPECT_EQ(f.window.LastDir, gone);
  std::filesystem::remove(gone);
  f.window.LastDir = "/previous";
  f.Load();
  EXPECT_EQ(f.window.LastDir, "/previous");
}

TEST(SettingsFile, KeysAreWrittenInTheirOrderAndAllComeBack) {
  SettingsFixture f;
  f.params.Language = UiLanguage::Polish;
  f.params.EncoderExe = f.dir.Write("enc", "");
  f.encoder.OutputFormat = 9;
  f.params.Player = PlayerId::ZuneHD;
  f.window.Left = 10;
  f.window.Top = 20;
  f.window.Width = 900;
  f.window.Height = 700;
  f.window.BottomPanelVisible = false;
  f.window.OutputExists = 2;
  f.window.AfterConversion = 1;
  f.window.FilesAtOnce = 0;
  f.window.OutDirIsInDir = false;
  f.window.OutDir = "/home/ala/wideo ąę";
  f.window.ColumnWidths = {1, 2, 3, 4, 5};
  f.window.GridLines = false;
  f.window.LastDir = f.dir.Path().string();
  SaveSettingsToIni(f.params, f.window, f.encoder);
  EXPECT_EQ(f.Lines(), (std::vector<std::string>{
                           "[MAIN]", "Language=PL", "ffmpeg=" + f.params.EncoderExe, "Maximized=0",
                           "Left=10", "Top=20", "Width=900", "Height=700", "OutputFormat=9",
                           "Player=zunehd", "BottomPanelVisible=0", "cbOutputExists=2", "cbAfterConversion=1",
                           "FilesAtOnce=0", "OutIn=0",
                           "OutDir=/home/ala/wideo ąę", "lvColumn1=1", "lvColumn2=2", "lvColumn3=3",
                           "lvColumn4=4", "lvColumn5=5", "GridLines=0", "LastDir=" + f.window.LastDir}));

  SettingsFixture g;
  g.params.SettingsFile = f.params.SettingsFile;
  ASSERT_TRUE(g.Load());
  EXPECT_EQ(g.params.Language, UiLanguage::Polish);
  EXPECT_EQ(g.params.EncoderExe, f.params.EncoderExe);
  EXPECT_EQ(g.encoder.OutputFormat, 9);
  EXPECT_EQ(g.params.Player, PlayerId::ZuneHD);
  EXPECT_EQ(g.window, f.window);
}

TEST(SettingsFile, AMaximizedWindowKeepsItsLastNormalPlace) {
  SettingsFixture f;
  f.window.Left = 30;
  f.window.Width = 1000;
  SaveSettingsToIni(f.params, f.window, f.encoder);
  f.window.Maximized = true;
  f.window.Left = 0;
  f.window.Width = 1920;
  SaveSettingsToIni(f.params, f.window, f.encoder);
  const IniFile ini(f.params.SettingsFile);
  EXPECT_EQ(ini.ReadString("MAIN", "Maximized", ""), "1");
  EXPECT_EQ(ini.ReadInteger("MAIN", "Left", -1), 30);
  EXPECT_EQ(ini.ReadInteger("MAIN", "Width", -1), 1000);

  SettingsFixture g;
  g.params.SettingsFile = f.params.SettingsFile;
  g.Load();
  EXPECT_TRUE(g.window.Maximized);
  EXPECT_EQ(g.window.Left, 30);
  EXPECT_EQ(g.window.Width, 1000);
}

TEST(SettingsFile, SectionNameCaseAndForeignKeysDoNotMatter) {
  SettingsFixture f;
  f.dir.Write("Vardeno.ini",
              "[main]\r\nMyNote=keep me\r\nlvcolumn2=333\r\ngridlines=0\r\n[Other]\r\nX=1\r\n");
  f.window.BottomPanelVisible = false;
  f.Load();
  EXPECT_EQ(f.window.ColumnWidths[1], 333);
  EXPECT_FALSE(f.window.GridLines);
  EXPECT_TRUE(f.window.BottomPanelVisible);  // missing means shown, whatever it was
  SaveSettingsToIni(f.params, f.window, f.encoder);
  const IniFile ini(f.params.SettingsFile);
  EXPECT_EQ(ini.ReadString("MAIN", "MyNote", ""), "keep me");
  EXPECT_EQ(ini.ReadInteger("Other", "X", 0), 1);
  EXPECT_EQ(ini.ReadInteger("MAIN", "lvColumn2", 0), 333);
  EXPECT_EQ(f.Lines()[0], "[main]");  // one section, not a second [MAIN]
}

TEST(SettingsFile, AFailedSaveThrowsAndKeepsTheOldFile) {
  SettingsFixture f;
  f.params.SettingsFile = f.dir / "dir.ini";
  std::filesystem::create_directory(f.params.SettingsFile);
  EXPECT_FALSE(f.Load());  // a folder is no settings file
  EXPECT_THROW(SaveSettingsToIni(f.params, f.window, f.encoder), IniWriteError);
  EXPECT_TRUE(std::filesystem::is_directory(f.params.SettingsFile));
}

TEST(SettingsFile, StallMinutesIsReadAndKeptButNeverWritten) {
  SettingsFixture f;
  ASSERT_EQ(f.params.StallMinutes, 10);
  f.Write("StallMinutes=-3\r\n");  // no limit below zero: the setting stays
  f.Load();
  EXPECT_EQ(f.params.StallMinutes, 10);
  f.Write("StallMinutes=0\r\n");
  f.Load();
  EXPECT_EQ(f.params.StallMinutes, 0);

  f.params.StallMinutes = 25;  // the program's own value is not saved over the user's
  SaveSettingsToIni(f.params, f.window, f.encoder);
  EXPECT_EQ(IniFile(f.params.SettingsFile).ReadString("MAIN", "StallMinutes", ""), "0");
}

TEST(SettingsFile, PlayerUnknownOrMissingIsTheDefault) {
  SettingsFixture f;
  f.Write("Player=ZUNE30\r\n");
  f.Load();
  EXPECT_EQ(f.params.Player, PlayerId::Zune30);
  for (const char* stored : {"Player=walkman\r\n", "Player=\r\n", "Player=zune 30\r\n"}) {
    f.params.Player = PlayerId::None;
    f.Write(stored);
    f.Load();
    EXPECT_EQ(f.params.Player, kDefaultPlayer) << stored;
  }
}

}  // namespace vardeno
