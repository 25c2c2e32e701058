#include "encoder/ArgumentBuilder.h"

#include <gtest/gtest.h>

#include <clocale>

#include "support/RecordingWarnings.h"

namespace vardeno {

namespace {
const ResolutionList kResolutions = MakeResolutionList(BuiltInResolutions());

EncoderSettings Format(int index) {
  EncoderSettings s;
  s.OutputFormat = index;
  return s;
}

struct Pieces {
  std::string vc, vp, ac, ap, adv, add;
};

Pieces AllPieces(const EncoderSettings& s, RecordingWarnings& w, UiLanguage lang = UiLanguage::English) {
  return {GetVideoCodecStr(s), GetVideoParamsStr(s, lang, w),      GetAudioCodecStr(s),
          GetAudioParamsStr(s, lang, w), GetAdvancedParamsStr(s, kResolutions), GetAdditionalParamsStr(s)};
}
}  // namespace

TEST(ArgumentBuilder, DefaultPiecesPerFormat) {
  RecordingWarnings w;
  Pieces p = AllPieces(Format(3), w);
  EXPECT_EQ(p.vc, "-vcodec libx264");
  EXPECT_EQ(p.vp, " -b 500k -r 25");
  EXPECT_EQ(p.ac, "-acodec libfaac");
  EXPECT_EQ(p.ap, " -ab 96k -ar 44100 -ac 2");
  EXPECT_EQ(p.adv, "");
  EXPECT_EQ(p.add, "");

  p = AllPieces(Format(8), w);
  EXPECT_EQ(p.vc, "-vn");
  EXPECT_EQ(p.vp, "");
  EXPECT_EQ(p.ac, "-acodec libmp3lame");
  EXPECT_EQ(p.ap, " -ab 96k -ar 44100 -ac 2");

  EncoderSettings noAudio = Format(1);
  noAudio.DoNotCopyAudio = true;
  p = AllPieces(noAudio, w);
  EXPECT_EQ(p.vc, "-vcodec wmv2");
  EXPECT_EQ(p.vp, " -b 500k -r 25");
  EXPECT_EQ(p.ac, "-an");
  EXPECT_EQ(p.ap + p.adv + p.add, "");
  EXPECT_TRUE(w.shown.empty());
}

TEST(ArgumentBuilder, DoNotCopyAudioKeepsTheCodecOfAudioOnlyFormats) {
  RecordingWarnings w;
  EncoderSettings s = Format(8);
  s.DoNotCopyAudio = true;
  EXPECT_EQ(GetAudioCodecStr(s), "-acodec libmp3lame");
  EXPECT_EQ(GetAudioParamsStr(s, UiLanguage::English, w), "");
}

TEST(ArgumentBuilder, ExtensionAndCodecsOutsideTheTable) {
  EXPECT_EQ(GetExt(Format(3), true), ".mp4");
  EXPECT_EQ(GetExt(Format(12), false), "aac");
  EXPECT_EQ(GetExt(Format(13), false), "wmv");
  EXPECT_EQ(GetExt(Format(-1), true), ".wmv");
  EXPECT_EQ(GetVideoCodecStr(Format(-1)), "-vn");
  EXPECT_EQ(GetAudioCodecStr(Format(13)), "");
}

TEST(ArgumentBuilder, VideoBitrateMustBeWholeAndFpsReal) {
  RecordingWarnings w;
  EncoderSettings s;
  s.VideoBitrate = "";
  EXPECT_EQ(GetVideoParamsStr(s, UiLanguage::English, w), "ERROR");
  ASSERT_EQ(w.shown.size(), 1u);
  EXPECT_EQ(w.shown[0], "Video bitrate: \r\nBitrate must be a integer value!");

  s.VideoBitrate = "12.5";
  EXPECT_EQ(GetVideoParamsStr(s, UiLanguage::Polish, w), "ERROR");
  EXPECT_EQ(w.shown[1], "Bitrate video musi być liczbą całkowitą!\r\nPodano: 12.5");

  // No range is checked; the text goes out unchanged, with its own blanks.
  s.VideoBitrate = " -300 ";
  s.VideoFPS = "29,97";
  EXPECT_EQ(GetVideoParamsStr(s, UiLanguage::English, w), " -b  -300 k -r 29,97");

  s.VideoBitrate = "500";
  s.VideoFPS = "abc";
  EXPECT_EQ(GetVideoParamsStr(s, UiLanguage::English, w), "ERROR");
  EXPECT_EQ(w.shown.back(), "Video FPS: abc\r\nFPS must be a float value!");
  EXPECT_EQ(GetVideoParamsStr(s, UiLanguage::Polish, w), "ERROR");
  EXPECT_EQ(w.shown.back(), "FPS musi być liczbą rzeczywistą!\r\nPodano: abc");

  // Audio-only formats check nothing.
  s.OutputFormat = 10;
  const size_t before = w.shown.size();
  EXPECT_EQ(GetVideoParamsStr(s, UiLanguage::English, w), "");
  EXPECT_EQ(w.shown.size(), before);
}

TEST(ArgumentBuilder, AudioListIndexOutsideTheListIsRefused) {
  RecordingWarnings w;
  EncoderSettings s;
  s.AudioBitrate = -1;
  EXPECT_EQ(GetAudioParamsStr(s, UiLanguage::English, w), "ERROR");
  EXPECT_EQ(w.shown.back(), "Audio bitrate: \r\nBitrate must be a real number!");
  s.AudioBitrate = 17;
  EXPECT_EQ(GetAudioParamsStr(s, UiLanguage::Polish, w), "ERROR");
  EXPECT_EQ(w.shown.back(), "Bitrate audio musi być liczbą rzeczywistą!\r\nPodano: ");

  s.AudioBitrate = 11;  // "128"
  s.AudioSampling = 99;
  EXPECT_EQ(GetAudioParamsStr(s, UiLanguage::English, w), "ERROR");
  EXPECT_EQ(w.shown.back(), "Audio sampling frequency: \r\nFrequency must be a integer value!");
  EXPECT_EQ(GetAudioParamsStr(s, UiLanguage::Polish, w), "ERROR");
  EXPECT_EQ(w.shown.back(), "Częstotliwość próbkowania dźwięku musi być liczbą całkowitą!\r\nPodano: ");

  // With the audio dropped nothing is looked at.
  s.DoNotCopyAudio = true;
  EXPECT_EQ(GetAudioParamsStr(s, UiLanguage::English, w), "");
}

TEST(ArgumentBuilder, AudioBitrateSamplingAndVolume) {
  RecordingWarnings w;
  EncoderSettings s;
  s.AudioBitrate = 11;   // "128"
  s.AudioSampling = 5;   // "44100"
  s.Volume = 150;
  EXPECT_EQ(GetAudioParamsStr(s, UiLanguage::English, w), " -ab 128k -ar 44100 -ac 2 -vol 384");

  const std::pair<int, const char*> volumes[] = {{0, " -vol 0"},     {1, " -vol 3"},     {50, " -vol 128"},
                                                 {99, " -vol 253"},  {100, ""},          {101, " -vol 259"},
                                                 {200, " -vol 512"}, {300, " -vol 768"}};
  for (const auto& [percent, option] : volumes) {
    s.Volume = percent;
    EXPECT_EQ(GetAudioParamsStr(s, UiLanguage::English, w), std::string(" -ab 128k -ar 44100 -ac 2") + option)
        << percent;
  }
  EXPECT_TRUE(w.shown.empty());
}

TEST(ArgumentBuilder, TimeLimits) {
  EncoderSettings s;
  EXPECT_EQ(GetTimeLimitD(s), -1);
  EXPECT_EQ(GetTimeLimitS(s), -1);
  s.TimeLimitDuration = true;
  EXPECT_EQ(GetTimeLimitD(s), 0);
  EXPECT_EQ(GetAdvancedParamsStr(s, kResolutions), "");  // a zero duration adds nothing
  s.TimeLimitDM = 60;
  s.TimeLimitDS = 60;
  EXPECT_EQ(GetTimeLimitD(s), 3660);
  EXPECT_EQ(GetAdvancedParamsStr(s, kResolutions), " -t 3660");
  s.TimeLimitDuration = false;
  s.TimeLimitStart = true;
  s.TimeLimitSH = 100;
  EXPECT_EQ(GetTimeLimitS(s), 360000);
  EXPECT_EQ(GetAdvancedParamsStr(s, kResolutions), " -ss 360000");
}

TEST(ArgumentBuilder, SizeLimitInBytes) {
  EncoderSettings s;
  s.SizeLimit = true;
  const std::tuple<const char*, SizeUnit, const char*> cases[] = {
      {"1,5", SizeUnit::MB, " -fs 1572864"}, {"700", SizeUnit::KB, " -fs 716800"},
      {"0,5", SizeUnit::KB, " -fs 512"},     {" 1 0 ", SizeUnit::KB, " -fs 10240"},
      {"abc", SizeUnit::KB, ""},            {"", SizeUnit::MB, ""},
      {"1.5.2", SizeUnit::MB, ""},          {"1e400", SizeUnit::MB, ""},
      // 0.0009765625 KB is one byte: halves go to the even neighbour.
      {"0.00048828125", SizeUnit::KB, " -fs 0"}, {"0.00146484375", SizeUnit::KB, " -fs 2"},
      {"4096", SizeUnit::MB, " -fs 4294967296"}};
  for (const auto& [value, unit, expected] : cases) {
    s.SizeLimitValue = value;
    s.SizeLimitUnit = unit;
    EXPECT_EQ(GetAdvancedParamsStr(s, kResolutions), expected) << value;
  }
  s.SizeLimit = false;
  s.SizeLimitValue = "5";
  EXPECT_EQ(GetAdvancedParamsStr(s, kResolutions), "");
}

TEST(ArgumentBuilder, PictureSizeAndCropInOrder) {
  EncoderSettings s;
  s.Resolution = kResolutionCustom;
  s.ResWidth = 2;
  s.ResHeight = 2;
  EXPECT_EQ(GetAdvancedParamsStr(s, kResolutions), " -s 2x2");

  s.Resolution = 3;  // "640 x 480 - VGA"
  EXPECT_EQ(GetAdvancedParamsStr(s, kResolutions), " -s 640x480");
  s.Resolution = 200;  // nothing selected
  EXPECT_EQ(GetAdvancedParamsStr(s, kResolutions), "");
  EXPECT_EQ(GetAdvancedParamsStr(s, MakeResolutionList({"HD720"})).size(), 0u);
  s.Resolution = 2;
  EXPECT_EQ(GetAdvancedParamsStr(s, MakeResolutionList({"HD720"})), " -s 2x2");

  // Everything together, and picture options are passed for audio-only formats too.
  s.OutputFormat = 8;
  s.Resolution = 3;
  s.SizeLimit = true;
  s.SizeLimitValue = "1,5";
  s.TimeLimitDuration = true;
  s.TimeLimitDM = 1;
  s.TimeLimitDS = 30;
  s.TimeLimitStart = true;
  s.TimeLimitSH = 1;
  s.CropTop = 8;
  EXPECT_EQ(GetAdvancedParamsStr(s, kResolutions), " -fs 1572864 -t 90 -ss 3600 -s 640x480 -croptop 8");
  s.CropTop = 0;
  s.CropBottom = 1;
  s.CropLeft = 2;
  s.CropRight = 3;
  EXPECT_EQ(GetAdvancedParamsStr(s, kResolutions),
            " -fs 1572864 -t 90 -ss 3600 -s 640x480 -cropbottom 1 -cropleft 2 -cropright 3");
}

TEST(ArgumentBuilder, ParseResolution) {
  EXPECT_EQ(ParseResolution("320 x 240 - QVGA"), (Resolution{320, 240}));
  EXPECT_EQ(ParseResolution("1920x1080"), (Resolution{1920, 1080}));
  EXPECT_EQ(ParseResolution("1280 X 720"), (Resolution{1280, 720}));
  EXPECT_EQ(ParseResolution("HD720"), (Resolution{2, 2}));
  EXPECT_EQ(ParseResolution("abc x 480"), (Resolution{2, 480}));
  EXPECT_EQ(ParseResolution("640 x"), (Resolution{640, 2}));
  EXPECT_EQ(ParseResolution("99999999999x10"), (Resolution{2, 10}));
  EXPECT_EQ(ParseResolution(""), (Resolution{2, 2}));
}

TEST(ArgumentBuilder, AdditionalLinesAreJoinedUntrimmed) {
  EncoderSettings s;
  s.AdditionalParams = {"-threads 2", "", " -map 0"};
  EXPECT_EQ(GetAdditionalParamsStr(s), " -threads 2   -map 0");
}

TEST(ArgumentBuilder, BuildStopsAtTheFirstRefusedPiece) {
  RecordingWarnings w;
  EncoderSettings s;
  s.VideoBitrate = "x";
  s.AudioBitrate = -1;
  EXPECT_FALSE(BuildArgumentPieces(s, kResolutions, UiLanguage::English, w).has_value());
  EXPECT_EQ(w.shown.size(), 1u);  // the audio warning never comes

  s.VideoBitrate = "800";
  s.AudioBitrate = 0;
  s.AdditionalParams = {"  -threads 1  "};
  const auto pieces = BuildArgumentPieces(s, kResolutions, UiLanguage::English, w);
  ASSERT_TRUE(pieces.has_value());
  EXPECT_EQ(pieces->videoParams, "-b 800k -r 25");
  EXPECT_EQ(pieces->audioParams, "-ab 96k -ar 44100 -ac 2");
  EXPECT_EQ(pieces->additional, "-threads 1");
}

TEST(ArgumentBuilder, NumbersDoNotDependOnTheProcessLocale) {
  // A locale whose decimal mark is "," must change nothing; skip the switch if none is installed.
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  const bool switched = std::setlocale(LC_ALL, "pl_PL.UTF-8") || std::setlocale(LC_ALL, "de_DE.UTF-8");
  RecordingWarnings w;
  EncoderSettings s;
  s.VideoFPS = "29.97";
  s.SizeLimit = true;
  s.SizeLimitValue = "1.5";
  EXPECT_EQ(GetVideoParamsStr(s, UiLanguage::English, w), " -b 500k -r 29.97");
  EXPECT_EQ(GetAdvancedParamsStr(s, kResolutions), " -fs 1572864");
  s.Volume = 150;
  EXPECT_EQ(GetAudioParamsStr(s, UiLanguage::English, w), " -ab 96k -ar 44100 -ac 2 -vol 384");
  std::setlocale(LC_ALL, saved.c_str());
  if (!switched) GTEST_SKIP() << "no locale with a decimal comma installed";
}

}  // namespace vardeno
