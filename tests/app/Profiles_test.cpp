#include "app/Profiles.h"

#include <gtest/gtest.h>

#include "app/IniFile.h"
#include "base/StringUtil.h"
#include "support/TempDir.h"

namespace vardeno {

namespace {

constexpr int kResolutions = 19;  // "Auto", "Custom" and the 17 built-in sizes

EncoderSettings SomeSettings() {
  EncoderSettings s;
  s.OutputFormat = 5;
  s.VideoBitrate = "750";
  s.VideoFPS = "29,97";
  s.AudioBitrate = 11;
  s.AudioSampling = 5;
  s.DoNotCopyAudio = true;
  s.Volume = 250;
  s.Resolution = 1;
  s.ResWidth = 480;
  s.ResHeight = 272;
  s.CropTop = 8;
  s.CropBottom = 6;
  s.CropLeft = 4;
  s.CropRight = 2;
  s.SizeLimit = true;
  s.SizeLimitValue = "1,5";
  s.SizeLimitUnit = SizeUnit::KB;
  s.TimeLimitDuration = true;
  s.TimeLimitDH = 1;
  s.TimeLimitDM = 60;
  s.TimeLimitDS = 5;
  s.TimeLimitStart = true;
  s.TimeLimitSH = 100;
  s.TimeLimitSM = 2;
  s.TimeLimitSS = 3;
  s.AdditionalParams = {"-threads 2"};
  s.Subtitles = 2;
  s.SubtitleTrack = 3;
  return s;
}

// A profile holding only the given ADVANCED/AUDIO lines.
std::string Profile(const std::string& audio, const std::string& advanced) {
  return "[MAIN]\r\nAppName=Vardeno\r\n[AUDIO]\r\n" + audio + "[ADVANCED]\r\n" + advanced;
}

}  // namespace

TEST(Profiles, AFreshProfileHoldsEveryKeyInItsOrder) {
  TempDir dir;
  SaveProfile(dir / "p.ini", SomeSettings());
  EXPECT_EQ(SplitLines(ReadWholeFile(dir / "p.ini")),
            (std::vector<std::string>{
                "[MAIN]", "AppName=Vardeno", "AppVer=1.1", "DisplayName=", "[VIDEO]", "OutputFormat=5",
                "VideoBitrate=750", "VideoFPS=29,97", "[AUDIO]", "AudioBitrate=11", "AudioSampling=5",
                "DoNotCopyAudio=1", "Volume=250", "[ADVANCED]", "Resolution=1", "ResWidth=480",
                "ResHeight=272", "CropTop=8", "CropBottom=6", "CropLeft=4", "CropRight=2", "SizeLimit=1",
                "SizeLimitValue=1,5", "SizeLimitUnit=KB", "TimeLimitDuration=1", "TimeLimitDH=1",
                "TimeLimitDM=60", "TimeLimitDS=5", "TimeLimitStart=1", "TimeLimitSH=100", "TimeLimitSM=2",
                "TimeLimitSS=3", "AdditionalParams=-threads 2", "Subtitles=2", "SubtitleTrack=3"}));
}

TEST(Profiles, SavedSettingsLoadBackUnchanged) {
  TempDir dir;
  SaveProfile(dir / "p.ini", SomeSettings());
  EncoderSettings loaded;
  ASSERT_TRUE(LoadProfile(dir / "p.ini", loaded, kResolutions));
  EXPECT_EQ(loaded, SomeSettings());

  SaveProfile(dir / "d.ini", EncoderSettings{});
  ASSERT_TRUE(LoadProfile(dir / "d.ini", loaded, kResolutions));
  EXPECT_EQ(loaded, EncoderSettings{});
}

TEST(Profiles, AMissingFileChangesNothing) {
  TempDir dir;
  EncoderSettings s = SomeSettings();
  EXPECT_FALSE(LoadProfile(dir / "none.ini", s, kResolutions));
  EXPECT_FALSE(LoadProfile(dir.Path().string(), s, kResolutions));  // a folder is no profile
  EXPECT_EQ(s, SomeSettings());
}

TEST(Profiles, NumbersAreKeptWithinTheirRanges) {
  TempDir dir;
  EncoderSettings s;
  dir.Write("high.ini", "[VIDEO]\nOutputFormat=99\n" +
                            Profile("Volume=450\r\n", "ResWidth=9999\r\nResHeight=1\r\nCropTop=-1\r\n"
                                                      "CropRight=70000\r\nTimeLimitDH=101\r\n"
                                                      "TimeLimitDM=61\r\nTimeLimitSS=-2\r\n"));
  LoadProfile(dir / "high.ini", s, kResolutions);
  EXPECT_EQ(s.OutputFormat, 12);
  EXPECT_EQ(s.Volume, 300);
  EXPECT_EQ(s.ResWidth, 5000);
  EXPECT_EQ(s.ResHeight, 2);
  EXPECT_EQ(s.CropTop, 0);
  EXPECT_EQ(s.CropRight, 5000);
  EXPECT_EQ(s.TimeLimitDH, 100);
  EXPECT_EQ(s.TimeLimitDM, 60);
  EXPECT_EQ(s.TimeLimitSS, 0);

  dir.Write("low.ini", "[VIDEO]\nOutputFormat=-4\n" + Profile("Volume=-7\r\n", ""));
  LoadProfile(dir / "low.ini", s, kResolutions);
  EXPECT_EQ(s.OutputFormat, 0);
  EXPECT_EQ(s.Volume, 0);

  s.Volume = 120;
  dir.Write("junk.ini", Profile("Volume=loud\r\n", "CropLeft=0x10\r\n"));
  LoadProfile(dir / "junk.ini", s, kResolutions);
  EXPECT_EQ(s.Volume, 120);  // not a number: the current value stays
  EXPECT_EQ(s.CropLeft, 16);
}

TEST(Profiles, ListIndexesOutsideTheirListsBecomeNoSelection) {
  TempDir dir;
  EncoderSettings s;
  dir.Write("p.ini", Profile("AudioBitrate=17\r\nAudioSampling=-1\r\n", "Resolution=19\r\n"));
  LoadProfile(dir / "p.ini", s, kResolutions);
  EXPECT_EQ(s.AudioBitrate, -1);
  EXPECT_EQ(s.AudioSampling, -1);
  EXPECT_EQ(s.Resolution, -1);

  dir.Write("q.ini", Profile("AudioBitrate=16\r\nAudioSampling=6\r\n", "Resolution=18\r\n"));
  LoadProfile(dir / "q.ini", s, kResolutions);
  EXPECT_EQ(s.AudioBitrate, 16);
  EXPECT_EQ(s.AudioSampling, 6);
  EXPECT_EQ(s.Resolution, 18);
  LoadProfile(dir / "q.ini", s, 3);  // a resolution list file with one size
  EXPECT_EQ(s.Resolution, -1);
}

TEST(Profiles, MissingSizeLimitKeysTurnTheLimitOffButOtherKeysKeepTheirValues) {
  TempDir dir;
  EncoderSettings s = SomeSettings();
  dir.Write("p.ini", Profile("", "CropTop=1\r\n"));
  LoadProfile(dir / "p.ini", s, kResolutions);
  EXPECT_FALSE(s.SizeLimit);
  EXPECT_EQ(s.SizeLimitValue, "");
  EXPECT_EQ(s.SizeLimitUnit, SizeUnit::MB);
  EncoderSettings expected = SomeSettings();
  expected.SizeLimit = false;
  expected.SizeLimitValue = "";
  expected.SizeLimitUnit = SizeUnit::MB;
  expected.CropTop = 1;
  EXPECT_EQ(s, expected);  // TimeLimitDuration, the memo and the rest stay as they were
}

TEST(Profiles, OnlyKbInAnyCaseSelectsKilobytes) {
  TempDir dir;
  for (const auto& [stored, unit] : std::vector<std::pair<std::string, SizeUnit>>{
           {"kb", SizeUnit::KB}, {"Kb", SizeUnit::KB}, {" KB ", SizeUnit::KB}, {"MB", SizeUnit::MB},
           {"GB", SizeUnit::MB}, {"", SizeUnit::MB}, {"k", SizeUnit::MB}}) {
    dir.Write("u.ini", Profile("", "SizeLimitUnit=" + stored + "\r\n"));
    EncoderSettings s;
    s.SizeLimitUnit = unit == SizeUnit::KB ? SizeUnit::MB : SizeUnit::KB;  // start from the other
    LoadProfile(dir / "u.ini", s, kResolutions);
    EXPECT_EQ(s.SizeLimitUnit, unit) << '"' << stored << '"';
  }
}

TEST(Profiles, AdditionalParametersComeBackAsOneLine) {
  EXPECT_EQ(JoinAdditionalParams({"-threads 2", "-g 250"}), "-threads 2 -g 250");
  EXPECT_EQ(JoinAdditionalParams({"a", "", "b"}), "a  b");
  EXPECT_EQ(JoinAdditionalParams({"  ", "x\t", ""}), "x");
  EXPECT_EQ(JoinAdditionalParams({}), "");

  TempDir dir;
  EncoderSettings s;
  s.AdditionalParams = {"-threads 2", "-g 250"};
  SaveProfile(dir / "p.ini", s);
  EXPECT_EQ(IniFile(dir / "p.ini").ReadString("ADVANCED", "AdditionalParams", ""), "-threads 2 -g 250");
  s.AdditionalParams = {"other"};
  LoadProfile(dir / "p.ini", s, kResolutions);
  EXPECT_EQ(s.AdditionalParams, std::vector<std::string>{"-threads 2 -g 250"});

  s.AdditionalParams = {};
  SaveProfile(dir / "p.ini", s);
  s.AdditionalParams = {"old", "lines"};
  LoadProfile(dir / "p.ini", s, kResolutions);
  EXPECT_TRUE(s.AdditionalParams.empty());  // an empty value empties the memo

  dir.Write("none.ini", Profile("", ""));
  s.AdditionalParams = {"old", "lines"};
  LoadProfile(dir / "none.ini", s, kResolutions);
  EXPECT_EQ(s.AdditionalParams, (std::vector<std::string>{"old", "lines"}));  // no key: memo kept
}

TEST(Profiles, SavingOverAProfileKeepsForeignKeysAndEmptiesTheDisplayName) {
  TempDir dir;
  dir.Write("p.ini", "[MAIN]\r\nDisplayName=My phone\r\nNote=by hand\r\n[ADVANCED]\r\nVolume=1\r\n");
  SaveProfile(dir / "p.ini", SomeSettings());
  const IniFile ini(dir / "p.ini");
  EXPECT_EQ(ini.ReadString("MAIN", "DisplayName", "x"), "");
  EXPECT_EQ(ini.ReadString("MAIN", "Note", ""), "by hand");
  EXPECT_EQ(ini.ReadInteger("ADVANCED", "Volume", 0), 1);
  EXPECT_EQ(ini.ReadInteger("AUDIO", "Volume", 0), 250);
}

TEST(Profiles, AFailedSaveThrowsAndLeavesTheFile) {
  TempDir dir;
  const std::string blocker = dir.Write("file", "x");
  EXPECT_THROW(SaveProfile(blocker + "/p.ini", SomeSettings()), IniWriteError);
  EXPECT_EQ(ReadWholeFile(blocker), "x");
}

TEST(ProfileValue, OneKeyChangesOneFieldByTheProfileRules) {
  EncoderSettings s;
  s.SizeLimit = true;
  s.SizeLimitValue = "700";
  s.AdditionalParams = {"-threads 2"};
  EXPECT_TRUE(ApplyProfileValue(s, "volume", "450", 19));
  EXPECT_EQ(s.Volume, 300);
  EXPECT_TRUE(ApplyProfileValue(s, "AUDIOBITRATE", "40", 19));
  EXPECT_EQ(s.AudioBitrate, -1);
  EXPECT_TRUE(ApplyProfileValue(s, "SizeLimitUnit", "kb", 19));
  EXPECT_EQ(s.SizeLimitUnit, SizeUnit::KB);
  EXPECT_TRUE(ApplyProfileValue(s, "OutputFormat", "abc", 19));  // not a number: kept
  EXPECT_EQ(s.OutputFormat, 3);
  EXPECT_TRUE(ApplyProfileValue(s, "Resolution", "19", 19));
  EXPECT_EQ(s.Resolution, -1);
  // The size limit and the memo are untouched by a change elsewhere.
  EXPECT_TRUE(s.SizeLimit);
  EXPECT_EQ(s.SizeLimitValue, "700");
  EXPECT_EQ(s.AdditionalParams, std::vector<std::string>{"-threads 2"});
  EXPECT_TRUE(ApplyProfileValue(s, "AdditionalParams", "", 19));
  EXPECT_TRUE(s.AdditionalParams.empty());
  EXPECT_FALSE(ApplyProfileValue(s, "DisplayName", "x", 19));
  EXPECT_FALSE(ApplyProfileValue(s, "Bitrate", "1", 19));
}

}  // namespace vardeno
