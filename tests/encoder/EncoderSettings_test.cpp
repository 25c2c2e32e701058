#include <gtest/gtest.h>

#include "encoder/EnableRules.h"
#include "encoder/OutputFormat.h"
#include "encoder/Presets.h"
#include "encoder/ResolutionList.h"
#include "support/TempDir.h"

namespace vardeno {

// A stored or typed format number outside the table is refused, and never taken for video.
TEST(OutputFormats, ANumberOutsideTheTableIsNoFormat) {
  for (int outside : {-1, kOutputFormatCount, 1000}) {
    EXPECT_FALSE(IsValidOutputFormat(outside)) << outside;
    EXPECT_FALSE(HasVideo(outside)) << outside;
  }
  EXPECT_TRUE(IsValidOutputFormat(0));
  EXPECT_TRUE(IsValidOutputFormat(kOutputFormatCount - 1));
}

TEST(Presets, ListsAndDefaults) {
  EXPECT_EQ(VideoBitratePresets().size(), 30u);
  EXPECT_EQ(VideoBitratePresets()[kDefaultVideoBitratePreset], "500");
  EXPECT_EQ(VideoBitratePresets().back(), "1500");
  EXPECT_EQ(FrameRatePresets()[kDefaultFrameRatePreset], "25");
  EXPECT_EQ(AudioBitratePresets().size(), 17u);
  EXPECT_EQ(AudioSamplingPresets().size(), 7u);
  EXPECT_EQ(EntryOrEmpty(AudioSamplingPresets(), 7), "");
  EXPECT_EQ(EntryOrEmpty(AudioSamplingPresets(), -1), "");
  const EncoderSettings d = DefaultEncoderSettings();
  EXPECT_EQ(d.OutputFormat, 3);
  EXPECT_EQ(d.VideoBitrate, "500");
  EXPECT_EQ(d.Volume, 100);
  EXPECT_EQ(d.SizeLimitUnit, SizeUnit::MB);
  EXPECT_TRUE(d.AdditionalParams.empty());
}

TEST(EnableRules, AudioOnlyFormat) {
  EncoderSettings s;
  s.OutputFormat = 8;
  s.DoNotCopyAudio = true;
  s.Resolution = kResolutionCustom;
  const auto states = ComputeEnabledControls(s);
  for (const char* off : {"cbAviVideoBitrate", "lblAviVideoFPS", "chAudioDontCopy", "cbResolution", "edResWidth",
                          "udResHeight", "edCropTop", "udCropRight", "tbAudioVolume", "lblAudioVolume"})
    EXPECT_FALSE(IsControlEnabled(states, off)) << off;
  for (const char* on : {"cbAudioBitrate", "cbAudioSampling", "lblAudioHz"})
    EXPECT_TRUE(IsControlEnabled(states, on)) << on;
}

TEST(EnableRules, VideoFormatWithoutAudio) {
  EncoderSettings s;
  s.OutputFormat = 5;
  s.DoNotCopyAudio = true;
  auto states = ComputeEnabledControls(s);
  for (const char* off : {"cbAudioBitrate", "cbAudioSampling", "lblAudioKbps", "tbAudioVolume", "edResWidth"})
    EXPECT_FALSE(IsControlEnabled(states, off)) << off;
  EXPECT_TRUE(IsControlEnabled(states, "cbResolution"));
  EXPECT_TRUE(IsControlEnabled(states, "chAudioDontCopy"));

  s.OutputFormat = 2;
  s.Resolution = kResolutionCustom;
  states = ComputeEnabledControls(s);
  EXPECT_TRUE(IsControlEnabled(states, "edResWidth"));
  EXPECT_TRUE(IsControlEnabled(states, "lblResX"));
  s.Resolution = 5;
  EXPECT_FALSE(IsControlEnabled(ComputeEnabledControls(s), "edResHeight"));
  s.Resolution = -1;
  EXPECT_FALSE(IsControlEnabled(ComputeEnabledControls(s), "edResHeight"));
}

TEST(EnableRules, LimitsFollowTheirBoxes) {
  EncoderSettings s;
  auto states = ComputeEnabledControls(s);
  for (const char* off : {"edSizeLimit", "cbSizeLimitUnit", "edTimeLimitDH", "udTimeLimitDS", "edTimeLimitSM"})
    EXPECT_FALSE(IsControlEnabled(states, off)) << off;
  s.SizeLimit = true;
  s.TimeLimitStart = true;
  states = ComputeEnabledControls(s);
  EXPECT_TRUE(IsControlEnabled(states, "edSizeLimit"));
  EXPECT_TRUE(IsControlEnabled(states, "udTimeLimitSS"));
  EXPECT_FALSE(IsControlEnabled(states, "edTimeLimitDM"));
}

TEST(ResolutionList, BuiltInAndLanguage) {
  ResolutionList list = MakeResolutionList(LoadResolutionSizes("/nonexistent/Vardeno_resolutions.txt"));
  ASSERT_EQ(list.Entries.size(), 19u);
  EXPECT_EQ(list.Entries[0], "Auto");
  EXPECT_EQ(list.Entries[1], "Custom");
  EXPECT_EQ(list.Entries[2], "320 x 240 - QVGA");
  EXPECT_EQ(list.Entries[18], "1920 x 1080 - HD1080");
  list.SetLanguage(UiLanguage::Polish);
  EXPECT_EQ(list.EntryText(1), "Własne");
  EXPECT_EQ(list.EntryText(19), "");
}

TEST(ResolutionList, UserFileReplacesTheBuiltInSizes) {
  TempDir dir;
  const std::string file =
      dir.Write("r.txt", "  320 x 240 - QVGA \t\r\n\r\n// comment\r\n   // indented comment\n1280x720\r/ one slash");
  EXPECT_EQ(LoadResolutionSizes(file), (std::vector<std::string>{"320 x 240 - QVGA", "1280x720", "/ one slash"}));

  // A file that yields nothing still replaces the built-in sizes.
  const std::string empty = dir.Write("e.txt", "\r\n// only\r\n   \r\n");
  EXPECT_EQ(MakeResolutionList(LoadResolutionSizes(empty)).Entries.size(), 2u);

  // A folder in the file's place cannot be read: the built-in sizes stay, nothing breaks.
  std::filesystem::create_directory(dir / "folder.txt");
  EXPECT_EQ(LoadResolutionSizes(dir / "folder.txt").size(), 17u);
}

}  // namespace vardeno
