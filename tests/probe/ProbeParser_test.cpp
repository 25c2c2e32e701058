// Reading captured encoder information text: classic lines by the classic rules, modern lines
// (as printed by FFmpeg 5.1) by the modern ones.
#include <gtest/gtest.h>

#include "base/StringUtil.h"
#include "probe/Probe.h"

namespace vardeno {

namespace {
MediaProbe ParseClassic(const std::vector<std::string>& lines) {
  MediaProbe probe;
  ParseProbeOutput(lines, EncoderGeneration::Classic, probe);
  return probe;
}

MediaProbe ParseModern(const std::string& text) {
  MediaProbe probe;
  ParseProbeOutput(SplitLines(text), EncoderGeneration::Modern, probe);
  return probe;
}

size_t PresentStreams(const MediaProbe& probe) {
  return static_cast<size_t>(std::count_if(probe.Streams.begin(), probe.Streams.end(),
                                           [](const StreamLine& line) { return line.Present; }));
}
}  // namespace

TEST(ParseTimeText, HoursMinutesSeconds) {
  EXPECT_DOUBLE_EQ(ParseTimeText("01:02:03.5"), 3723.5);
  EXPECT_DOUBLE_EQ(ParseTimeText("00:01:23,45"), 83.45);
  EXPECT_DOUBLE_EQ(ParseTimeText(" 00 : 01 : 05.5 "), 65.5);
  EXPECT_DOUBLE_EQ(ParseTimeText("N/A"), 0.0);
  EXPECT_DOUBLE_EQ(ParseTimeText("83.45"), 0.0);
  EXPECT_DOUBLE_EQ(ParseTimeText("02:30"), 7200.0);  // one ":" gives only the hours
  EXPECT_DOUBLE_EQ(ParseTimeText("x:01:05"), 65.0);
  EXPECT_DOUBLE_EQ(ParseTimeText("01:y:05"), 3605.0);
  EXPECT_DOUBLE_EQ(ParseTimeText("01:02:zz"), 3720.0);
  EXPECT_DOUBLE_EQ(ParseTimeText("1.5:00:00"), 0.0);  // the hours must be whole
}

TEST(ClassicProbe, DocumentedExampleLines) {
  const MediaProbe probe = ParseClassic({
      "Input #0, avi, from 'clip.avi':",
      "  Duration: 00:01:23.45, start: 0.500000, bitrate: 1000 kb/s",
      "    Stream #0.0: Video: mpeg4, yuv420p, 640x480, 25.00 fps(r)",
      "    Stream #0.1: Audio: mp3, 44100 Hz, stereo, 128 kb/s",
  });
  EXPECT_EQ(probe.DurationText, "00:01:23.45");
  EXPECT_DOUBLE_EQ(probe.DurationExact, 83.45);
  EXPECT_EQ(probe.StartTime, 0);  // 0.5 rounds to the even 0
  EXPECT_EQ(probe.Duration, 83);  // 83.45 - 0.5
  EXPECT_EQ(probe.VideoCodec, "mpeg4");
  EXPECT_DOUBLE_EQ(probe.FrameRate, 25.0);
  EXPECT_EQ(probe.Width, 640);
  EXPECT_EQ(probe.Height, 480);
  EXPECT_EQ(probe.AudioCodec, "mp3");
  EXPECT_EQ(probe.FrameCount, 83 * 25);
  ASSERT_EQ(PresentStreams(probe), 2u);
  EXPECT_EQ(probe.Streams[0].Text, "Stream #0.0: Video: mpeg4, yuv420p, 640x480, 25.00 fps(r)");
  EXPECT_EQ(probe.Streams[1].Text, "Stream #0.1: Audio: mp3, 44100 Hz, stereo, 128 kb/s");
}

TEST(ClassicProbe, DurationAndStartTime) {
  const MediaProbe unknown = ParseClassic({"  Duration: N/A, start: 0.000000, bitrate: N/A"});
  EXPECT_EQ(unknown.DurationText, "N/A");
  EXPECT_DOUBLE_EQ(unknown.DurationExact, 0.0);
  EXPECT_EQ(unknown.Duration, 0);
  EXPECT_EQ(unknown.StartTime, 0);
  EXPECT_EQ(unknown.FrameCount, 0);

  const MediaProbe lateStart = ParseClassic({"Duration: 00:00:05.00, start: 10.000000, bitrate: 5 kb/s"});
  EXPECT_EQ(lateStart.Duration, 0);
  EXPECT_EQ(lateStart.StartTime, 10);
  EXPECT_DOUBLE_EQ(lateStart.DurationExact, 5.0);
  // A negative printed duration on a line that ends before its start time (found by fuzzing).
  const MediaProbe negative = ParseClassic({"  Duration: 00:-1:00.00, bitrate: N/A", "Stream #0.0: Video: h264, 25 fps"});
  EXPECT_LT(negative.DurationExact, 0.0);
  EXPECT_EQ(negative.Duration, 0);
  EXPECT_EQ(negative.FrameCount, 0);

  EXPECT_EQ(ParseClassic({"Duration: 00:00:10.50, start: 0.000000, bitrate: 1 kb/s"}).Duration, 10);
  EXPECT_EQ(ParseClassic({"Duration: 00:00:11.50, start: 0.000000, bitrate: 1 kb/s"}).Duration, 12);
  // A decimal comma is no separator, in the duration as in the start time.
  const MediaProbe commas = ParseClassic({"Duration: 00:00:03,75, start: 1,5, bitrate: 1 kb/s"});
  EXPECT_EQ(commas.DurationText, "00:00:03,75");
  EXPECT_EQ(commas.StartTime, 2);
  EXPECT_EQ(commas.Duration, 2);  // 2.25

  // Without "start:", or without a "," after it, the duration stays as printed (rounded).
  const MediaProbe noStart = ParseClassic({"Duration: 00:00:07.50, bitrate: 100 kb/s"});
  EXPECT_EQ(noStart.Duration, 8);
  EXPECT_EQ(noStart.StartTime, 0);
  const MediaProbe openStart = ParseClassic({"Duration: 00:00:07.60, start: 3.0"});
  EXPECT_EQ(openStart.Duration, 8);
  EXPECT_EQ(openStart.StartTime, 0);
  // A start that is no number leaves the start time alone but still counts as found.
  const MediaProbe badStart = ParseClassic({"Duration: -01:00:00.00, start: abc, bitrate: 1 kb/s"});
  EXPECT_EQ(badStart.StartTime, 0);
  EXPECT_EQ(badStart.Duration, 0);  // never below 0
  // No "," after the duration: nothing is read.
  EXPECT_EQ(ParseClassic({"Duration: 00:00:07.60"}).DurationText, "");
}

TEST(ClassicProbe, StreamDetails) {
  // Two video streams of different sizes: the second one wins.
  const MediaProbe two = ParseClassic({"Stream #0.0: Video: mpeg4, yuv420p, 320x240, 25.00 tb(r)",
                                       "Stream #0.1: Video: h264, yuv420p, 640x360, 29.97 tb(r)"});
  EXPECT_EQ(two.VideoCodec, "h264");
  EXPECT_EQ(two.Width, 640);
  EXPECT_EQ(two.Height, 360);
  EXPECT_DOUBLE_EQ(two.FrameRate, 29.97);

  EXPECT_EQ(ParseClassic({"Stream #0.1: Audio: wmav2 / 0x0161, 44100 Hz, 2 channels"}).AudioCodec, "wmav2");
  const MediaProbe twoParts = ParseClassic({"Stream #0.0: Video: mjpeg, 640x480"});
  EXPECT_EQ(twoParts.VideoCodec, "mjpeg");
  EXPECT_EQ(twoParts.Width, 0);
  EXPECT_EQ(twoParts.Height, 0);
  EXPECT_DOUBLE_EQ(twoParts.FrameRate, 0.0);
  EXPECT_DOUBLE_EQ(ParseClassic({"Stream #0.0: Video: wmv2, yuv420p, 320x240, 29,97 tb(r)"}).FrameRate, 29.97);

  // A height that is no whole number leaves the height as it was; the width is still read.
  const MediaProbe aspect = ParseClassic({"Stream #0.0: Video: mpeg4, yuv420p, 320x200, 25 tb(r)",
                                          "Stream #0.1: Video: mpeg4, yuv420p, 640x480 [PAR 1:1 DAR 4:3], 25 tb(r)"});
  EXPECT_EQ(aspect.Width, 640);
  EXPECT_EQ(aspect.Height, 200);

  // A long codec name is cut to 20 characters.
  EXPECT_EQ(ParseClassic({"Stream #0.0: Audio: a_codec_name_longer_than_twenty, 8000 Hz"}).AudioCodec,
            "a_codec_name_longer_");
}

TEST(ClassicProbe, TwentyStreamLinesAreKept) {
  std::vector<std::string> lines;
  for (int i = 0; i < 25; ++i) {
    const std::string n = std::to_string(i);
    lines.push_back(i % 2 == 0 ? "  Stream #0." + n + ": Video: v" + n + ", yuv420p, " + std::to_string(100 + i) + "x50, 25 tb(r)"
                               : "  Stream #0." + n + ": Audio: a" + n + ", 44100 Hz, stereo");
  }
  const MediaProbe probe = ParseClassic(lines);
  EXPECT_EQ(PresentStreams(probe), 20u);
  EXPECT_EQ(probe.Streams[19].Text, Trim(lines[19]));
  EXPECT_EQ(probe.VideoCodec, "v24");
  EXPECT_EQ(probe.Width, 124);
  EXPECT_EQ(probe.AudioCodec, "a23");
}

TEST(ClassicProbe, StreamTextIsCutTo200Characters) {
  const std::string line = "Stream #0.0: Video: mpeg4, " + std::string(300, 'y') + ", 320x240, 25 tb(r)";
  const MediaProbe probe = ParseClassic({"   " + line});
  EXPECT_EQ(probe.Streams[0].Text, line.substr(0, 200));
  // A two-byte letter across the limit is dropped whole rather than cut in half.
  const std::string polish = "Stream #0.0: Audio: x, " + std::string(176, 'a') + "ł";
  ASSERT_EQ(polish.size(), 201u);
  EXPECT_EQ(ParseClassic({polish}).Streams[0].Text, polish.substr(0, 199));
}

TEST(ModernProbe, CapturedFfmpeg51Output) {
  const MediaProbe mp4 = ParseModern(
      "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'a.mp4':\n"
      "  Metadata:\n"
      "    major_brand     : isom\n"
      "  Duration: 00:00:02.00, start: 0.000000, bitrate: 117 kb/s\n"
      "  Stream #0:0[0x1](und): Video: h264 (High 4:4:4 Predictive) (avc1 / 0x31637661), yuv444p(progressive), "
      "160x120 [SAR 1:1 DAR 4:3], 35 kb/s, 25 fps, 25 tbr, 12800 tbn (default)\n"
      "    Metadata:\n"
      "      handler_name    : VideoHandler\n"
      "  Stream #0:1[0x2](und): Audio: aac (LC) (mp4a / 0x6134706D), 44100 Hz, mono, fltp, 69 kb/s (default)\n"
      "At least one output file must be specified\n");
  EXPECT_EQ(mp4.VideoCodec, "h264");
  EXPECT_EQ(mp4.AudioCodec, "aac");
  EXPECT_EQ(mp4.Width, 160);
  EXPECT_EQ(mp4.Height, 120);
  EXPECT_DOUBLE_EQ(mp4.FrameRate, 25.0);
  EXPECT_EQ(mp4.Duration, 2);
  EXPECT_EQ(mp4.FrameCount, 50);
  EXPECT_EQ(PresentStreams(mp4), 2u);
  EXPECT_TRUE(StartsWith(mp4.Streams[1].Text, "Stream #0:1[0x2](und): Audio: aac"));

  // The size may stand apart from its aspect ratio; commas inside brackets do not split.
  const MediaProbe wmv = ParseModern(
      "  Stream #0:0: Video: wmv2 (WMV2 / 0x32564D57), yuv420p, 160x120, SAR 1:1 DAR 4:3, 25 fps, 25 tbr, 1k tbn\n"
      "  Stream #0:1: Audio: wmav2 (a[1][0][0] / 0x0161), 44100 Hz, mono, fltp, 128 kb/s\n");
  EXPECT_EQ(wmv.VideoCodec, "wmv2");
  EXPECT_EQ(wmv.AudioCodec, "wmav2");
  EXPECT_EQ(wmv.Width, 160);
  EXPECT_EQ(wmv.Height, 120);

  // Without "fps" the rate comes from "tbr"; a "k" means thousands.
  EXPECT_DOUBLE_EQ(ParseModern("Stream #0:0: Video: h264, yuv420p(tv, bt709), 640x480, 23.98 tbr, 1200k tbn").FrameRate,
                   23.98);
  EXPECT_DOUBLE_EQ(ParseModern("Stream #0:0: Video: rawvideo, rgb24, 8x8, 1k tbr, 1k tbn").FrameRate, 1000.0);
}

TEST(Probe, ARateThatIsNotAboveZeroIsNoRateAndTheFrameCountStaysUnknown) {
  const MediaProbe classic = ParseClassic({"Duration: 00:01:00.00, start: 0.000000, bitrate: 1000 kb/s",
                                           "Stream #0.0: Video: mpeg4, yuv420p,-2024 the FFmpeg dev/s"});
  EXPECT_EQ(classic.Duration, 60);
  EXPECT_DOUBLE_EQ(classic.FrameRate, 0.0);
  EXPECT_EQ(classic.FrameCount, 0);
  // A modern line's negative "fps" leaves the rate to "tbr".
  const MediaProbe modern = ParseModern(
      "  Duration: 00:01:00.00, start: 0.000000, bitrate: 1000 kb/s\n"
      "  Stream #0:0: Video: h264, yuv420p, 640x480, -25 fps, 0 tbr, 1k tbn\n");
  EXPECT_DOUBLE_EQ(modern.FrameRate, 0.0);
  EXPECT_EQ(modern.FrameCount, 0);
  EXPECT_DOUBLE_EQ(ParseModern("Stream #0:0: Video: h264, yuv420p, 640x480, -25 fps, 30 tbr, 1k tbn").FrameRate, 30.0);
}

TEST(ModernProbe, StartTimeNoiseAndCoverArt) {
  // A modern encoder prints the playing time itself: the start time is not taken off again.
  const MediaProbe ts = ParseModern(
      "  Duration: 00:00:02.01, start: 1.429089, bitrate: 698 kb/s\n"
      "  Program 1 \n"
      "  Stream #0:0[0x100]: Video: mpeg2video (Main) ([2][0][0][0] / 0x0002), yuv420p(tv, progressive), 160x120 "
      "[SAR 1:1 DAR 4:3], 25 fps, 25 tbr, 90k tbn\n"
      "    Side data:\n"
      "      cpb: bitrate max/min/avg: 0/0/0 buffer size: 49152 vbv_delay: N/A\n"
      "  Stream #0:1[0x101]: Audio: mp2 ([3][0][0][0] / 0x0003), 44100 Hz, mono, fltp, 384 kb/s\n");
  EXPECT_EQ(ts.Duration, 2);
  EXPECT_EQ(ts.StartTime, 1);
  EXPECT_DOUBLE_EQ(ts.DurationExact, 2.01);
  EXPECT_EQ(ts.FrameCount, 50);
  EXPECT_EQ(ts.AudioCodec, "mp2");

  // Cover art is no video; the channel layout remark is no stream line.
  const MediaProbe mp3 = ParseModern(
      "  Duration: 00:00:01.04, start: 0.025056, bitrate: 82 kb/s\n"
      "  Stream #0:0: Audio: mp3, 44100 Hz, mono, fltp, 64 kb/s\n"
      "  Stream #0:1: Video: mjpeg (Baseline), yuvj444p(pc, bt470bg/unknown/unknown), 64x64 [SAR 1:1 DAR 1:1], "
      "90k tbr, 90k tbn (attached pic)\n"
      "Guessed Channel Layout for Input Stream #0.1 : mono\n"
      "Stream mapping:\n"
      "  Stream #0:0 -> #0:0 (mp3 (mp3float) -> aac (native))\n");
  EXPECT_EQ(mp3.AudioCodec, "mp3");
  EXPECT_EQ(mp3.VideoCodec, "");
  EXPECT_DOUBLE_EQ(mp3.FrameRate, 0.0);
  EXPECT_EQ(mp3.FrameCount, 0);
  EXPECT_EQ(PresentStreams(mp3), 2u);

  const MediaProbe unknown = ParseModern("  Duration: N/A, bitrate: N/A\n");
  EXPECT_EQ(unknown.DurationText, "N/A");
  EXPECT_EQ(unknown.Duration, 0);
}

TEST(ModernProbe, ClassicRulesStillReadTheLayoutChangedLines) {
  // The same modern line read by the classic rules goes wrong (the reason for two rule sets):
  // the last two parts are not the rate and the size any more.
  const std::string line =
      "  Stream #0:0: Video: mpeg4 (Simple Profile) (FMP4 / 0x34504D46), yuv420p, 160x120 [SAR 1:1 DAR 4:3], 25 fps, "
      "25 tbr, 25 tbn";
  const MediaProbe classic = ParseClassic({line});
  const MediaProbe modern = ParseModern(line);
  EXPECT_EQ(classic.Width, 0);
  EXPECT_EQ(modern.Width, 160);
  EXPECT_EQ(modern.Height, 120);
  EXPECT_EQ(modern.VideoCodec, "mpeg4");
}

// FFmpeg 7.1 (Debian 13): the stream metadata is indented further, a guessed channel layout is
// reported on a line of its own before the input, and MP3 names its decoder in brackets.
TEST(ModernProbe, CapturedFfmpeg71Output) {
  const MediaProbe mp4 = ParseModern(
      "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'z71.mp4':\n"
      "  Metadata:\n"
      "    encoder         : Lavf61.7.103\n"
      "  Duration: 00:00:02.00, start: 0.000000, bitrate: 226 kb/s\n"
      "  Stream #0:0[0x1](und): Video: h264 (Constrained Baseline) (avc1 / 0x31637661), yuv420p(progressive), "
      "320x240 [SAR 1:1 DAR 4:3], 118 kb/s, 25 fps, 25 tbr, 12800 tbn (default)\n"
      "      Metadata:\n"
      "        handler_name    : VideoHandler\n"
      "        vendor_id       : [0][0][0][0]\n"
      "        encoder         : Lavc61.19.101 libx264\n"
      "  Stream #0:1[0x2](und): Audio: aac (LC) (mp4a / 0x6134706D), 44100 Hz, stereo, fltp, 96 kb/s (default)\n"
      "      Metadata:\n"
      "        handler_name    : SoundHandler\n"
      "At least one output file must be specified\n");
  EXPECT_EQ(mp4.Container, "mov,mp4,m4a,3gp,3g2,mj2");
  EXPECT_EQ(mp4.TotalBitrate, 226);
  EXPECT_EQ(mp4.VideoCodec, "h264");
  EXPECT_EQ(mp4.VideoProfile, "Constrained Baseline");
  EXPECT_EQ(mp4.Width, 320);
  EXPECT_EQ(mp4.Height, 240);
  EXPECT_DOUBLE_EQ(mp4.FrameRate, 25.0);
  EXPECT_EQ(mp4.VideoBitrate, 118);
  EXPECT_EQ(mp4.AudioProfile, "LC");
  EXPECT_EQ(mp4.SampleRate, 44100);
  EXPECT_EQ(mp4.Channels, 2);
  EXPECT_EQ(mp4.AudioBitrate, 96);
  EXPECT_EQ(PresentStreams(mp4), 2u);

  const MediaProbe wmv = ParseModern(
      "[aist#0:1/wmav2 @ 0x555590c2d080] Guessed Channel Layout: mono\n"
      "Input #0, asf, from 'z71.wmv':\n"
      "  Duration: 00:00:02.09, start: 0.000000, bitrate: 517 kb/s\n"
      "  Stream #0:0: Video: wmv2 (WMV2 / 0x32564D57), yuv420p, 320x240, SAR 1:1 DAR 4:3, 25 fps, 25 tbr, 1k tbn\n"
      "  Stream #0:1: Audio: wmav2 (a[1][0][0] / 0x0161), 44100 Hz, mono, fltp, 128 kb/s\n");
  EXPECT_EQ(wmv.Container, "asf");
  EXPECT_EQ(PresentStreams(wmv), 2u);
  EXPECT_EQ(wmv.VideoCodec, "wmv2");
  EXPECT_EQ(wmv.AudioCodec, "wmav2");
  EXPECT_EQ(wmv.Channels, 1);

  const MediaProbe mp3 = ParseModern(
      "Input #0, mp3, from 'z71.mp3':\n"
      "  Duration: 00:00:02.04, start: 0.025057, bitrate: 129 kb/s\n"
      "  Stream #0:0: Audio: mp3 (mp3float), 44100 Hz, mono, fltp, 128 kb/s\n");
  EXPECT_EQ(mp3.AudioCodec, "mp3");
  EXPECT_EQ(mp3.AudioBitrate, 128);
  EXPECT_EQ(mp3.SampleRate, 44100);
  EXPECT_EQ(PresentStreams(mp3), 1u);
}

// What a player check needs: container, profiles, pixel format, stream and file bit rates,
// sampling rate and channels, as FFmpeg 5.1 prints them.
TEST(ModernProbe, StreamDetailsForPlayerChecks) {
  const MediaProbe probe = ParseModern(
      "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'x, from 'y.mp4':\n"
      "  Duration: 00:00:02.00, start: 0.000000, bitrate: 293 kb/s\n"
      "  Stream #0:0[0x1](und): Video: h264 (Constrained Baseline) (avc1 / 0x31637661), yuv420p(progressive), "
      "320x240 [SAR 1:1 DAR 4:3], 185 kb/s, 25 fps, 25 tbr, 12800 tbn (default)\n"
      "  Stream #0:1[0x2](und): Audio: aac (HE-AAC) (mp4a / 0x6134706D), 48000 Hz, 5.1(side), fltp, 96 kb/s (default)\n");
  EXPECT_EQ(probe.Container, "mov,mp4,m4a,3gp,3g2,mj2");
  EXPECT_EQ(probe.TotalBitrate, 293);
  EXPECT_EQ(probe.VideoProfile, "Constrained Baseline");
  EXPECT_EQ(probe.PixelFormat, "yuv420p");
  EXPECT_EQ(probe.VideoBitrate, 185);
  EXPECT_EQ(probe.AudioProfile, "HE-AAC");
  EXPECT_EQ(probe.SampleRate, 48000);
  EXPECT_EQ(probe.ChannelLayout, "5.1(side)");
  EXPECT_EQ(probe.Channels, 6);
  EXPECT_EQ(probe.AudioBitrate, 96);

  // A codec tag is no profile; ASF prints no video rate; "3 channels" and "mono" are counted.
  const MediaProbe wmv = ParseModern(
      "Input #0, asf, from 'b.wmv':\n"
      "  Stream #0:0: Video: wmv2 (WMV2 / 0x32564D57), yuv420p, 320x240, SAR 1:1 DAR 4:3, 25 fps, 25 tbr, 1k tbn\n"
      "  Stream #0:1: Audio: wmav2 (a[1][0][0] / 0x0161), 44100 Hz, 3 channels, fltp, 128 kb/s\n");
  EXPECT_EQ(wmv.Container, "asf");
  EXPECT_EQ(wmv.VideoProfile, "");
  EXPECT_EQ(wmv.VideoBitrate, 0);
  EXPECT_EQ(wmv.Channels, 3);
  EXPECT_EQ(ParseModern("  Stream #0:0: Audio: mp3, 44100 Hz, mono, fltp, 128 kb/s\n").Channels, 1);
  // A layout not known here is kept as text, with no count.
  const MediaProbe odd = ParseModern("  Stream #0:0: Audio: pcm_s16le, 8000 Hz, hexagonal, s16, 768 kb/s\n");
  EXPECT_EQ(odd.ChannelLayout, "hexagonal");
  EXPECT_EQ(odd.Channels, 0);
}

}  // namespace vardeno
