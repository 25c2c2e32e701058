// The player check after each file, with the real ffmpeg: for each player, outputs that play and
// outputs that break one limit at a time (size, frame rate, bit rate, profile through the extra
// parameters, sampling rate, WMV), each judged from what the probe reads of the real output.
#include <string>
#include <vector>

#include "e2e/RealConversion.h"
#include "encoder/Presets.h"
#include "player/PlayerLimits.h"

namespace vardeno {

using namespace e2e;

namespace {
struct Case {
  const char* what;
  PlayerId player;
  int format;
  int width, height;  // 0: the source's size
  const char* fps;
  const char* kbps;
  std::vector<std::string> extra;
  const char* sampling;     // "" for Auto
  const char* problemHead;  // "" when the output plays
};

int SamplingIndex(const std::string& entry) {
  if (entry.empty()) return 0;
  const auto& list = AudioSamplingPresets();
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == entry) return static_cast<int>(i);
  return -1;
}

// One source for every case: 720x576 at 50 frames per second, 48 kHz stereo sound.
const std::string& Source(const fs::path& folder) {
  static std::string path;
  path = (folder / "source.avi").string();
  const CommandResult made = RunCommand({"ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                                         "testsrc=duration=1:size=720x576:rate=50", "-f", "lavfi", "-i",
                                         "sine=frequency=440:sample_rate=48000:duration=1", "-ac", "2", "-c:v",
                                         "mpeg4", "-q:v", "3", "-c:a", "pcm_s16le", "-shortest", path});
  EXPECT_EQ(made.exitCode, 0) << made.output;
  return path;
}
}  // namespace

TEST(PlayerCheckEndToEnd, EachLimitBrokenAloneIsFoundInTheRealOutput) {
  const Case cases[] = {
      {"H.264 at the screen's size plays", PlayerId::Zune, 3, 320, 240, "25", "500", {}, "", ""},
      {"640x480 is above the Zune's screen", PlayerId::Zune, 3, 640, 480, "25", "500", {}, "", "  frame size 640x480"},
      {"MPEG-4 at 720x576, 25 fps plays on the HD", PlayerId::ZuneHD, 2, 720, 576, "25", "500", {}, "", ""},
      {"the source's 720x576 at 30 fps", PlayerId::ZuneHD, 2, 0, 0, "30", "500", {}, "", "  frame rate 30 fps"},
      {"1280x720", PlayerId::ZuneHD, 3, 1280, 720, "25", "500", {}, "", "  frame size 1280x720"},
      {"50 fps", PlayerId::ZuneHD, 3, 320, 240, "50", "500", {}, "", "  frame rate 50 fps"},
      {"High profile through the extra parameters", PlayerId::ZuneHD, 3, 320, 240, "25", "500", {"-profile:v high"}, "",
       "  video profile High"},
      // Noise, so that the encoder has to spend the rate it is given.
      {"a bit rate above the peak", PlayerId::ZuneHD, 2, 720, 480, "25", "6000", {"-vf noise=alls=80:allf=t+u"}, "",
       "  video bit rate"},
      {"48 kHz beside a picture", PlayerId::Zune, 3, 320, 240, "25", "500", {}, "48000", "  sampling rate 48000 Hz"},
      {"WMV 8", PlayerId::ZuneHD, 1, 320, 240, "25", "500", {"-acodec wmav2"}, "", "  video codec WMV 8"},
      {"H.264 on the Zune 30", PlayerId::Zune30, 3, 320, 240, "25", "500", {}, "", "  video codec H.264"},
      {"MP3 plays on the Zune 30", PlayerId::Zune30, 8, 0, 0, "25", "500", {}, "48000", ""},
      {"AAC at 96 kHz", PlayerId::Zune30, 11, 0, 0, "25", "500", {"-ar 96000"}, "", "  sampling rate 96000 Hz"},
  };
  TempDir sources;
  const std::string source = Source(sources.Path());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RealRun r;
    r.AddRow(source);
    r.request.outputToInputDir = false;
    r.request.outputDir = r.dir / "out";
    r.request.player = c.player;
    EncoderSettings& s = r.request.settings;
    s.OutputFormat = c.format;
    if (c.width > 0) {
      s.Resolution = kResolutionCustom;
      s.ResWidth = c.width;
      s.ResHeight = c.height;
    }
    s.VideoFPS = c.fps;
    s.VideoBitrate = c.kbps;
    s.AudioSampling = SamplingIndex(c.sampling);
    s.AdditionalParams = c.extra;
    const RunResult result = r.Execute();
    ASSERT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(result.errorCount, 0);  // a file the player does not take is no error
    const std::string logText = [&] {
      std::string text;
      for (const std::string& line : r.log.Lines()) text += line + "\n";
      return text;
    }();
    if (*c.problemHead == 0) {
      EXPECT_EQ(r.Status(0), "Done") << logText;
      EXPECT_EQ(result.notForPlayerCount, 0);
    } else {
      EXPECT_EQ(r.Status(0), "OK - Not for " + PlayerName(c.player, UiLanguage::English)) << logText;
      EXPECT_EQ(result.notForPlayerCount, 1);
      EXPECT_TRUE(r.LogHasLineStarting(c.problemHead)) << logText;
      EXPECT_TRUE(r.LogHasLineStarting("Player: " + PlayerName(c.player, UiLanguage::English))) << logText;
    }
  }
}

}  // namespace vardeno
