#include "conversion/ProgressLine.h"
#include "base/NumberText.h"

#include <gtest/gtest.h>

namespace vardeno {

namespace {
constexpr auto kClassic = EncoderGeneration::Classic;
constexpr auto kModern = EncoderGeneration::Modern;

bool NoiseInBoth(const std::string& line) {
  return IsNoiseLine(line, kClassic) && IsNoiseLine(line, kModern);
}
bool KeptInBoth(const std::string& line) {
  return !IsNoiseLine(line, kClassic) && !IsNoiseLine(line, kModern);
}
}  // namespace

TEST(ProgressNoise, EveryRuleRemovesItsLine) {
  EXPECT_TRUE(NoiseInBoth("FFmpeg version SVN-r16573, Copyright (c) 2000-2009 Fabrice Bellard, et al."));
  EXPECT_TRUE(NoiseInBoth("  configuration: --enable-memalign-hack --enable-gpl"));
  EXPECT_TRUE(NoiseInBoth("  libavutil     49.12. 0 / 49.12. 0"));
  EXPECT_TRUE(NoiseInBoth("  libavcodec    52.10. 0 / 52.10. 0"));
  EXPECT_TRUE(NoiseInBoth("  libavformat   52.23. 1 / 52.23. 1"));
  EXPECT_TRUE(NoiseInBoth("  libavdevice   52. 1. 0 / 52. 1. 0"));
  EXPECT_TRUE(NoiseInBoth("  built on Jan 10 2009 12:00:00, gcc: 4.2.4"));
  EXPECT_TRUE(NoiseInBoth("Unable to parse option value \"x\""));
  EXPECT_TRUE(NoiseInBoth("Multiple frames in a packet from stream 1"));
  EXPECT_TRUE(NoiseInBoth("[mpeg4 @ 01478BD0]header damaged"));
  EXPECT_TRUE(NoiseInBoth("[h263 @ 0x1234]warning, clipping 1 dct coefficients to -127..127"));
  EXPECT_TRUE(NoiseInBoth("[mpeg4 @ 0x99]Invalid and inefficient vfw-avi packed B frames detected"));
  EXPECT_TRUE(NoiseInBoth("[libmp3lame @ 0x1]lame: output buffer too small (buffer index: 9)"));
  EXPECT_TRUE(NoiseInBoth("[mp3 @ 0x1]skipping granule 1"));
  EXPECT_TRUE(NoiseInBoth("[NULL @ 0x1]Invalid and inefficient vfw-avi packed B frames detected"));
  EXPECT_TRUE(NoiseInBoth("Warning, extension is not supported"));
  EXPECT_TRUE(NoiseInBoth("Press [q] to stop encoding"));
  EXPECT_TRUE(NoiseInBoth(""));
  EXPECT_TRUE(NoiseInBoth("  \t\x01\x1f "));
}

TEST(ProgressNoise, BeginsWithIgnoresCaseContainsDoesNot) {
  EXPECT_TRUE(NoiseInBoth("[MPEG4 @ 01478BD0] something"));
  EXPECT_TRUE(NoiseInBoth("ffmpeg version 5.1.9-0+deb12u1 Copyright (c) 2000-2026 the FFmpeg developers"));
  EXPECT_TRUE(NoiseInBoth("  LIBAVCODEC    52.10. 0 / 52.10. 0"));
  EXPECT_TRUE(NoiseInBoth("multiple FRAMES in a packet from stream 0"));
  EXPECT_TRUE(NoiseInBoth("press [Q] TO STOP ENCODING"));
  EXPECT_TRUE(KeptInBoth("[H263 @ 0x1234]warning, clipping 1 dct coefficients"));
  EXPECT_TRUE(KeptInBoth("[h263 @ 0x1234]Warning, clipping 1 dct coefficients"));
  EXPECT_TRUE(KeptInBoth("[MP3 @ 0x1]skipping granule 1"));
  EXPECT_TRUE(KeptInBoth("warning, extension is not supported"));
  // Both texts must be present; the begins-with texts must stand at the very start.
  EXPECT_TRUE(KeptInBoth("[mpeg4 @ 0x99] some other warning"));
  EXPECT_TRUE(KeptInBoth(" FFmpeg version 0.5"));
  EXPECT_TRUE(KeptInBoth("  libavcodec"));  // the rule's text ends with a blank
  EXPECT_TRUE(KeptInBoth("Input #0, avi, from 'clip.avi':"));
}

TEST(ProgressNoise, ModernBannerLinesAreNoiseOnlyForAModernEncoder) {
  for (const char* line : {"  built with gcc 12 (Debian 12.2.0-14+deb12u1)",
                           "  libavfilter     8. 44.100 /  8. 44.100",
                           "  libswscale      6.  7.100 /  6.  7.100",
                           "  libswresample   4.  7.100 /  4.  7.100",
                           "  libpostproc    56.  6.100 / 56.  6.100",
                           "Press [q] to stop, [?] for help"}) {
    EXPECT_TRUE(IsNoiseLine(line, kModern)) << line;
    EXPECT_FALSE(IsNoiseLine(line, kClassic)) << line;
  }
  // The modern configuration line is caught by the classic rule in both generations.
  EXPECT_TRUE(NoiseInBoth("  configuration: --prefix=/usr --extra-version=0+deb12u1"));
  // Only library *version* lines go; other lines that start alike stay.
  EXPECT_FALSE(IsNoiseLine("  libx264 says hello", kModern));
  EXPECT_FALSE(IsNoiseLine("  lib 5", kModern));
  EXPECT_FALSE(IsNoiseLine("  built without anything", kModern));
  EXPECT_FALSE(IsNoiseLine("    libavfilter     8. 44.100", kModern));
}

TEST(ProgressLine, ProgressLinesNeedTimeAndSize) {
  EXPECT_TRUE(IsProgressLine("frame=  250 fps= 25 q=5.0 size=    1024kB time=10.00 bitrate= 838.9kbits/s"));
  EXPECT_TRUE(IsProgressLine("size=  96kB time=6.02 bitrate= 130.6kbits/s"));
  EXPECT_TRUE(IsProgressLine("frame=   50 fps= 24 q=-1.0 Lsize=      29kB time=00:00:02.02 bitrate= 117.2kbits/s"));
  EXPECT_FALSE(IsProgressLine("frame=  250 fps= 25 q=5.0 size=    1024kB"));
  EXPECT_FALSE(IsProgressLine("time=10.00 bitrate= 838.9kbits/s"));
  EXPECT_FALSE(IsProgressLine("TIME=10.00 SIZE=1kB"));
}

TEST(ProgressLine, ReadsModernLinesIncludingKiBAndLongFrameNumbers) {
  // ffmpeg 7.0 writes KiB; frame numbers of 10000 and more touch the "=".
  const ProgressFields kib = ReadProgressFields(
      "frame=   50 fps= 24 q=2.0 size=     123KiB time=00:00:01.99 bitrate= 504.0kbits/s dup=1 "
      "drop=0 speed=0.952x    ");
  EXPECT_EQ(kib.frameNumber, 50);
  EXPECT_EQ(kib.speedText, "24");
  EXPECT_EQ(kib.encodedTime, 2);
  const ProgressFields big = ReadProgressFields(
      "frame=10000 fps=250 q=28.0 size=    4096kB time=00:06:40.00 bitrate= 83.9kbits/s speed=10x");
  EXPECT_EQ(big.frameNumber, 10000);
  EXPECT_EQ(big.speedText, "250");
  EXPECT_EQ(big.encodedTime, 400);
  const ProgressFields first =
      ReadProgressFields("frame=    1 fps=0.0 q=0.0 size=       0kB time=00:00:00.00 bitrate=N/A speed=   0x    ");
  EXPECT_EQ(first.frameNumber, 1);
  EXPECT_EQ(first.speedText, "0.0");
  EXPECT_EQ(first.encodedTime, 0);
}

TEST(ProgressLine, UnreadableFieldsStayEmpty) {
  // An audio-only line has no "fps=": neither frame nor speed.
  const ProgressFields audio = ReadProgressFields("size=  96kB time=6.02 bitrate= 130.6kbits/s");
  EXPECT_FALSE(audio.frameNumber);
  EXPECT_FALSE(audio.speedText);
  EXPECT_EQ(audio.encodedTime, 6);
  // The speed needs a blank after its value; the frame must be a whole number.
  const ProgressFields endsAtFps = ReadProgressFields("frame=abc size=1kB time=N/A fps=25");
  EXPECT_FALSE(endsAtFps.frameNumber);
  EXPECT_FALSE(endsAtFps.speedText);
  EXPECT_FALSE(endsAtFps.encodedTime);
  const ProgressFields tooBig = ReadProgressFields("frame=99999999999 fps=1 size=1kB time=1");
  EXPECT_FALSE(tooBig.frameNumber);
  EXPECT_EQ(tooBig.speedText, "1");
  EXPECT_EQ(tooBig.encodedTime, 1);  // the time is the rest of the line when no blank follows
}

TEST(ProgressTime, PlainSecondsRoundHalvesToEven) {
  EXPECT_EQ(ParseEncodedTime("12.5"), 12);
  EXPECT_EQ(ParseEncodedTime("13.5"), 14);
  EXPECT_EQ(ParseEncodedTime("12.51"), 13);
  EXPECT_EQ(ParseEncodedTime("12,5"), 12);  // a comma is a decimal mark as well
  EXPECT_EQ(ParseEncodedTime("-0.5"), 0);
  EXPECT_EQ(ParseEncodedTime("-1.5"), -2);
  EXPECT_EQ(ParseEncodedTime("+7"), 7);
  EXPECT_EQ(ParseEncodedTime("1e2"), 100);
  EXPECT_FALSE(ParseEncodedTime("1.2,5"));  // two decimal marks
  EXPECT_FALSE(ParseEncodedTime(""));
  EXPECT_FALSE(ParseEncodedTime("inf"));
  EXPECT_FALSE(ParseEncodedTime("nan"));
  EXPECT_FALSE(ParseEncodedTime("+-1"));
  EXPECT_FALSE(ParseEncodedTime("1e300"));  // beyond 64 bits
}

TEST(ProgressTime, ModernClockTimesAreRead) {
  EXPECT_EQ(ParseEncodedTime("00:01:02.50"), 62);
  EXPECT_EQ(ParseEncodedTime("00:01:03.50"), 64);
  EXPECT_EQ(ParseEncodedTime("01:00:00.00"), 3600);
  EXPECT_EQ(ParseEncodedTime("100:00:00.49"), 360000);
  EXPECT_EQ(ParseEncodedTime("-00:00:00.05"), 0);
  EXPECT_EQ(ParseEncodedTime("-00:00:02.00"), -2);
  EXPECT_FALSE(ParseEncodedTime("N/A"));
  EXPECT_FALSE(ParseEncodedTime("00:61:00.00"));
  EXPECT_FALSE(ParseEncodedTime("00:00:60.00"));
  EXPECT_FALSE(ParseEncodedTime("00::00.00"));
  EXPECT_FALSE(ParseEncodedTime("00:00"));
  EXPECT_FALSE(ParseEncodedTime("00:00:-1"));
  EXPECT_FALSE(ParseEncodedTime("00:00:01.00:00"));
}

TEST(ProgressLine, FrameNumbersMustFit32Bits) {
  EXPECT_EQ(TryParseWholeNumber("2147483647"), 2147483647);
  EXPECT_EQ(TryParseWholeNumber("-5"), -5);
  EXPECT_FALSE(TryParseWholeNumber("2147483648"));
  EXPECT_FALSE(TryParseWholeNumber("1.0"));
  EXPECT_FALSE(TryParseWholeNumber("++1"));
}

}  // namespace vardeno
