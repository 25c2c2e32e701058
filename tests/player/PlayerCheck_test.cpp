// The player checks: the settings before a run, and what the probe read after it, against the
// limits of each Zune; and the texts that tell the result.
#include <gtest/gtest.h>

#include "base/StringUtil.h"
#include "encoder/OutputFormat.h"
#include "encoder/Presets.h"
#include "player/PlayerCheck.h"
#include "player/PlayerReport.h"
#include "probe/Probe.h"

namespace vardeno {

namespace {
ResolutionList Sizes() { return MakeResolutionList(BuiltInResolutions()); }

// The settings a test starts from: H.264 in MP4 at 320x240, as the program's defaults with a size.
EncoderSettings Custom(int width, int height) {
  EncoderSettings settings = DefaultEncoderSettings();
  settings.Resolution = kResolutionCustom;
  settings.ResWidth = width;
  settings.ResHeight = height;
  return settings;
}

std::vector<ProblemKind> Kinds(const PlayerVerdict& verdict) {
  std::vector<ProblemKind> kinds;
  for (const PlayerProblem& problem : verdict.problems) kinds.push_back(problem.kind);
  return kinds;
}

int PresetIndex(const std::vector<std::string>& list, const std::string& entry) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == entry) return static_cast<int>(i);
  return -1;
}

// FFmpeg 5.1's "-i" lines of a file, as the probe reads them.
MediaProbe Probed(const std::string& name, const std::string& text) {
  MediaProbe probe;
  probe.FileName = name;
  probe.FileSize = 1000;
  ParseProbeOutput(SplitLines(text), EncoderGeneration::Modern, probe);
  return probe;
}

const char* kH264Mp4 =
    "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'a.mp4':\n"
    "  Duration: 00:00:02.00, start: 0.000000, bitrate: 293 kb/s\n"
    "  Stream #0:0[0x1](und): Video: h264 (Constrained Baseline) (avc1 / 0x31637661), yuv420p(progressive), "
    "320x240 [SAR 1:1 DAR 4:3], 185 kb/s, 25 fps, 25 tbr, 12800 tbn (default)\n"
    "  Stream #0:1[0x2](und): Audio: aac (LC) (mp4a / 0x6134706D), 44100 Hz, stereo, fltp, 96 kb/s (default)\n";
}  // namespace

TEST(PlayerKeys, ReadBackAndUnknownGivesDefault) {
  for (PlayerId player : {PlayerId::Zune30, PlayerId::Zune, PlayerId::ZuneHD, PlayerId::None})
    EXPECT_EQ(ParsePlayerKey(PlayerKey(player)), player);
  EXPECT_EQ(ParsePlayerKey(" ZuneHD "), PlayerId::ZuneHD);
  EXPECT_FALSE(ParsePlayerKey("zune 30").has_value());
  EXPECT_EQ(PlayerFromKeyOrDefault("ipod"), kDefaultPlayer);
  EXPECT_EQ(PlayerFromKeyOrDefault(""), kDefaultPlayer);
  EXPECT_EQ(PlayerName(PlayerId::None, UiLanguage::Polish), "Inny odtwarzacz (bez sprawdzania)");
}

// Every shipped format with "Auto" choices and the default rates, at the screen's size, for the
// players it is meant for. WMV 7 and 8, WMA version 1 and a bare .aac file are meant for none
// (each is checked as failing below).
TEST(SettingsCheck, ShippedDefaultsPassForTheirPlayers) {
  EXPECT_EQ(CheckSettingsForPlayer(DefaultEncoderSettings(), Sizes(), kDefaultPlayer).verdict, Verdict::Plays);
  for (int format : {2, 3, 4, 5, 6, 7, 8, 10, 11}) {
    SCOPED_TRACE(OutputFormats()[format].Label);
    EncoderSettings settings = Custom(320, 240);
    settings.OutputFormat = format;
    for (PlayerId player : {PlayerId::Zune, PlayerId::ZuneHD}) {
      const PlayerVerdict verdict = CheckSettingsForPlayer(settings, Sizes(), player);
      EXPECT_EQ(verdict.verdict, Verdict::Plays) << VerdictLine(verdict, UiLanguage::English);
    }
  }
  for (int format : {8, 10, 11}) {  // the audio formats the Zune 30 plays
    EncoderSettings settings = DefaultEncoderSettings();
    settings.OutputFormat = format;
    EXPECT_EQ(CheckSettingsForPlayer(settings, Sizes(), PlayerId::Zune30).verdict, Verdict::Plays) << format;
  }
}

TEST(SettingsCheck, EachLimitBrokenAlone) {
  struct Case {
    const char* what;
    PlayerId player;
    void (*change)(EncoderSettings&);
    ProblemKind expected;
  };
  const Case cases[] = {
      {"640x480", PlayerId::Zune, [](EncoderSettings& s) { s.ResWidth = 640; s.ResHeight = 480; }, ProblemKind::FrameSize},
      {"1280x720 on the HD", PlayerId::ZuneHD, [](EncoderSettings& s) { s.ResWidth = 1280; s.ResHeight = 720; },
       ProblemKind::FrameSize},
      {"50 fps", PlayerId::Zune, [](EncoderSettings& s) { s.VideoFPS = "50"; }, ProblemKind::FrameRate},
      {"30 fps at 720x576 on the HD", PlayerId::ZuneHD,
       [](EncoderSettings& s) { s.ResWidth = 720; s.ResHeight = 576; s.VideoFPS = "30"; }, ProblemKind::FrameRate},
      {"2000 kbit/s", PlayerId::Zune, [](EncoderSettings& s) { s.VideoBitrate = "2000"; }, ProblemKind::VideoBitrate},
      {"maxrate", PlayerId::ZuneHD, [](EncoderSettings& s) { s.AdditionalParams = {"-maxrate 4M -bufsize 4M"}; },
       ProblemKind::VideoBitrate},
      {"High profile", PlayerId::ZuneHD, [](EncoderSettings& s) { s.AdditionalParams = {"-profile:v high"}; },
       ProblemKind::VideoProfile},
      {"MPEG-4 with B-frames", PlayerId::Zune, [](EncoderSettings& s) { s.OutputFormat = 2; s.AdditionalParams = {"-bf 2"}; },
       ProblemKind::VideoProfile},
      {"4:4:4", PlayerId::Zune, [](EncoderSettings& s) { s.OutputFormat = 2; s.AdditionalParams = {"-pix_fmt yuv444p"}; },
       ProblemKind::PixelFormat},
      {"scale filter", PlayerId::Zune, [](EncoderSettings& s) { s.Resolution = kResolutionAuto; s.AdditionalParams = {"-vf scale=640:360"}; },
       ProblemKind::FrameSize},
      {"48 kHz beside video", PlayerId::Zune,
       [](EncoderSettings& s) { s.AudioSampling = PresetIndex(AudioSamplingPresets(), "48000"); }, ProblemKind::SampleRate},
      {"256 kbit/s beside video", PlayerId::ZuneHD,
       [](EncoderSettings& s) { s.AudioBitrate = PresetIndex(AudioBitratePresets(), "256"); }, ProblemKind::AudioBitrate},
      {"six channels", PlayerId::Zune, [](EncoderSettings& s) { s.AdditionalParams = {"-ac 6"}; }, ProblemKind::Channels},
      {"HE-AAC", PlayerId::Zune, [](EncoderSettings& s) { s.AdditionalParams = {"-profile:a aac_he"}; }, ProblemKind::AudioProfile},
      {"WMV 7", PlayerId::ZuneHD, [](EncoderSettings& s) { s.OutputFormat = 0; s.AdditionalParams = {"-acodec wmav2"}; }, ProblemKind::VideoCodec},
      {"WMV 8", PlayerId::Zune, [](EncoderSettings& s) { s.OutputFormat = 1; }, ProblemKind::VideoCodec},
      {"H.264 on the Zune 30", PlayerId::Zune30, [](EncoderSettings& s) { s.DoNotCopyAudio = true; }, ProblemKind::VideoCodec},
      {"WMA 1", PlayerId::Zune, [](EncoderSettings& s) { s.OutputFormat = 9; }, ProblemKind::AudioCodec},
      {"bare AAC", PlayerId::ZuneHD, [](EncoderSettings& s) { s.OutputFormat = 12; }, ProblemKind::FileType},
      {"96 kHz MP3", PlayerId::Zune, [](EncoderSettings& s) { s.OutputFormat = 8; s.AdditionalParams = {"-ar 96000"}; },
       ProblemKind::SampleRate},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EncoderSettings settings = Custom(320, 240);
    c.change(settings);
    const PlayerVerdict verdict = CheckSettingsForPlayer(settings, Sizes(), c.player);
    ASSERT_EQ(verdict.verdict, Verdict::DoesNotPlay);
    EXPECT_EQ(Kinds(verdict), std::vector<ProblemKind>{c.expected}) << VerdictLine(verdict, UiLanguage::English);
  }
}

TEST(SettingsCheck, LaterExtraParametersWinAndUnknownSizesAreLeftToTheOutput) {
  EncoderSettings settings = Custom(640, 480);
  settings.AdditionalParams = {"-s 320x240", "-profile:v main", "-profile:v baseline", "-b:v 3000k", "-b:v 400k"};
  EXPECT_EQ(CheckSettingsForPlayer(settings, Sizes(), PlayerId::Zune).verdict, Verdict::Plays);
  // "Auto" keeps the source's size (cropped or not), which only the output shows.
  settings = DefaultEncoderSettings();
  settings.CropTop = 10;
  EXPECT_EQ(CheckSettingsForPlayer(settings, Sizes(), PlayerId::Zune).verdict, Verdict::Plays);
  // A frame size the HD plays at 25 fps but not at 30; the source's size and 30 fps pass.
  settings.VideoFPS = "29.97";
  EXPECT_EQ(CheckSettingsForPlayer(settings, Sizes(), PlayerId::ZuneHD).verdict, Verdict::Plays);
  // WMV 8 at 640x480 for the Zune 30: the codec first, then the size.
  settings = Custom(640, 480);
  settings.OutputFormat = 1;
  EXPECT_EQ(Kinds(CheckSettingsForPlayer(settings, Sizes(), PlayerId::Zune30)),
            (std::vector<ProblemKind>{ProblemKind::VideoCodec, ProblemKind::FrameSize}));
  // Nothing is checked for another player, nor for settings the run refuses.
  EXPECT_EQ(CheckSettingsForPlayer(Custom(4000, 3000), Sizes(), PlayerId::None).verdict, Verdict::NotChecked);
  settings.VideoBitrate = "fast";
  EXPECT_EQ(CheckSettingsForPlayer(settings, Sizes(), PlayerId::Zune).verdict, Verdict::NotChecked);
}

TEST(ProbeCheck, RealOutputLinesAgainstEachPlayer) {
  const MediaProbe h264 = Probed("/out/a.mp4", kH264Mp4);
  EXPECT_EQ(CheckProbeForPlayer(h264, PlayerId::Zune, UiLanguage::English).verdict, Verdict::Plays);
  EXPECT_EQ(CheckProbeForPlayer(h264, PlayerId::ZuneHD, UiLanguage::English).verdict, Verdict::Plays);
  // The Zune 30 plays neither H.264 nor AAC beside a picture.
  EXPECT_EQ(Kinds(CheckProbeForPlayer(h264, PlayerId::Zune30, UiLanguage::English)),
            (std::vector<ProblemKind>{ProblemKind::VideoCodec, ProblemKind::AudioCodec}));
  EXPECT_EQ(CheckProbeForPlayer(h264, PlayerId::None, UiLanguage::English).verdict, Verdict::NotChecked);

  // WMV 8 in ASF: no video rate of its own; the file's rate less the sound's stands for it.
  const MediaProbe wmv = Probed("/out/b.WMV",
                                "Input #0, asf, from 'b.wmv':\n"
                                "  Duration: 00:00:02.09, start: 0.000000, bitrate: 2517 kb/s\n"
                                "  Stream #0:0: Video: wmv2 (WMV2 / 0x32564D57), yuv420p, 640x480, SAR 1:1 DAR 4:3, "
                                "25 fps, 25 tbr, 1k tbn\n"
                                "  Stream #0:1: Audio: wmav2 (a[1][0][0] / 0x0161), 48000 Hz, stereo, fltp, 128 kb/s\n");
  const PlayerVerdict verdict = CheckProbeForPlayer(wmv, PlayerId::Zune30, UiLanguage::English);
  EXPECT_EQ(Kinds(verdict), (std::vector<ProblemKind>{ProblemKind::VideoCodec, ProblemKind::FrameSize,
                                                      ProblemKind::SampleRate}));
  EXPECT_EQ(VerdictLine(verdict, UiLanguage::English),
            "does not play on Zune 30: video codec WMV 8 is not one it plays (WMV 9): the Zune software converts it at "
            "sync, slowly; frame size 640x480 is above 320x240: the Zune software converts it at sync, slowly; "
            "sampling rate 48000 Hz is above 44100 Hz");

  // Five channels of AAC in a bare ADTS file.
  const MediaProbe adts = Probed("/out/c.aac",
                                 "Input #0, aac, from 'c.aac':\n  Duration: 00:00:02.02, bitrate: 175 kb/s\n"
                                 "  Stream #0:0: Audio: aac (LC), 44100 Hz, 5.1, fltp, 175 kb/s\n");
  EXPECT_EQ(adts.Channels, 6);
  EXPECT_EQ(Kinds(CheckProbeForPlayer(adts, PlayerId::ZuneHD, UiLanguage::English)),
            (std::vector<ProblemKind>{ProblemKind::FileType, ProblemKind::Channels}));

  // An MP4 file whose content is something else.
  MediaProbe renamed = Probed("/out/d.mp4",
                              "Input #0, asf, from 'd.mp4':\n  Stream #0:0: Audio: wmav2 (a[1][0][0] / 0x0161), "
                              "44100 Hz, stereo, fltp, 128 kb/s\n");
  EXPECT_EQ(Kinds(CheckProbeForPlayer(renamed, PlayerId::Zune, UiLanguage::English)).front(), ProblemKind::FileType);
}

TEST(ProbeCheck, UnreadableFileIsCannotTellNeverPlays) {
  MediaProbe missing;
  missing.FileName = "/out/gone.mp4";
  PlayerVerdict verdict = CheckProbeForPlayer(missing, PlayerId::Zune, UiLanguage::English);
  EXPECT_EQ(verdict.verdict, Verdict::CannotTell);
  EXPECT_EQ(VerdictLine(verdict, UiLanguage::English),
            "cannot tell for Zune 4, 8, 16, 80, 120: the file is missing, cannot be opened or is empty");
  // Read, but nothing the encoder understood (a text file, a probe that ran out of time).
  const MediaProbe noise = Probed("/out/n.mp4", "/out/n.mp4: Invalid data found when processing input\n");
  verdict = CheckProbeForPlayer(noise, PlayerId::ZuneHD, UiLanguage::Polish);
  EXPECT_EQ(verdict.verdict, Verdict::CannotTell);
  EXPECT_EQ(StatusAfterPlayerCheck("Zrobiono", verdict, UiLanguage::Polish), "OK - Nie sprawdzono dla Zune HD");
}

TEST(PlayerReport, StatusLogEntryAndPreRunLinesInBothLanguages) {
  const PlayerVerdict verdict = CheckSettingsForPlayer(Custom(1280, 720), Sizes(), PlayerId::ZuneHD);
  EXPECT_EQ(StatusAfterPlayerCheck("Done", verdict, UiLanguage::English), "OK - Not for Zune HD");
  EXPECT_EQ(StatusAfterPlayerCheck("Zrobiono", verdict, UiLanguage::Polish), "OK - Nie dla Zune HD");
  EXPECT_EQ(PreRunLines(verdict, UiLanguage::English),
            std::vector<std::string>{"Not for Zune HD: frame size 1280x720 is above 720x480 / 720x576: the Zune "
                                     "software converts it at sync, slowly"});
  EXPECT_EQ(PlayerLogEntry("/out/a.mp4", verdict, UiLanguage::Polish),
            "Plik: /out/a.mp4\r\nOdtwarzacz: Zune HD\r\nNie zostanie tam odtworzony w tej postaci:\r\n"
            "  rozmiar obrazu 1280x720 przekracza 720x480 / 720x576: oprogramowanie Zune przekonwertuje go przy "
            "synchronizacji, powoli\r\n");

  const PlayerVerdict plays = CheckSettingsForPlayer(Custom(320, 240), Sizes(), PlayerId::ZuneHD);
  EXPECT_EQ(StatusAfterPlayerCheck("OK - Renamed", plays, UiLanguage::English), "OK - Renamed");
  EXPECT_TRUE(PreRunLines(plays, UiLanguage::English).empty());
  EXPECT_EQ(PlayerLogEntry("/out/a.mp4", plays, UiLanguage::English), "");
}

}  // namespace vardeno
