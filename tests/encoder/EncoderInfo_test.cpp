// Telling the classic encoder from a modern one, and reading the list of encoders a build has.
#include "encoder/EncoderInfo.h"

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>

#include "base/StringUtil.h"
#include "support/TempDir.h"

namespace vardeno {

namespace {
// Captured from "ffmpeg -version" of Debian 12's FFmpeg 5.1.
const char* const kModernVersion =
    "ffmpeg version 5.1.9-0+deb12u1 Copyright (c) 2000-2026 the FFmpeg developers\n"
    "built with gcc 12 (Debian 12.2.0-14+deb12u1)\n"
    "configuration: --prefix=/usr --extra-version=0+deb12u1 --toolchain=hardened --enable-gpl\n"
    "libavutil      57. 28.100 / 57. 28.100\n"
    "libavcodec     59. 37.100 / 59. 37.100\n"
    "libavformat    59. 27.100 / 59. 27.100\n";

// A stand-in encoder: a script that counts its calls and prints the given version text.
std::string WriteScriptEncoder(const TempDir& dir, const std::string& name, const std::string& versionText) {
  const std::string path = dir.Write(name, "#!/bin/sh\necho called >> \"$0.calls\"\nprintf '%s' '" + versionText + "'\n");
  chmod(path.c_str(), 0755);
  return path;
}

size_t CallCount(const std::string& encoder) { return SplitLines(ReadWholeFile(encoder + ".calls")).size(); }
}  // namespace

TEST(EncoderInfo, LibavcodecMajorFromVersionOutput) {
  EXPECT_EQ(ParseLibavcodecMajor(SplitLines(kModernVersion)), 59);
  EXPECT_EQ(ParseLibavcodecMajor({"FFmpeg version SVN-r16452", "  libavcodec     52.10. 0 / 52.10. 0"}), 52);
  EXPECT_EQ(ParseLibavcodecMajor({"  libavcodec version 51.40.4"}), 51);
  EXPECT_EQ(ParseLibavcodecMajor({"libavcodec 3410432 / 3410432"}), 52);  // packed 52.10.0
  EXPECT_EQ(ParseLibavcodecMajor({"libavcodec     61.  3.100 / 61.  3.100"}), 61);
  // Only a line that starts with the library's name counts.
  EXPECT_EQ(ParseLibavcodecMajor({"configuration: --disable-libavcodec-52", "libavformat 52.23. 1"}), std::nullopt);
  EXPECT_EQ(ParseLibavcodecMajor({}), std::nullopt);

  EXPECT_EQ(GenerationFromLibavcodecMajor(52), EncoderGeneration::Classic);
  EXPECT_EQ(GenerationFromLibavcodecMajor(53), EncoderGeneration::Modern);
  EXPECT_EQ(GenerationFromLibavcodecMajor(std::nullopt), EncoderGeneration::Modern);
}

TEST(EncoderInfo, EncoderListSkipsTheLegend) {
  const std::vector<std::string> output = SplitLines(
      "Encoders:\n"
      " V..... = Video\n"
      " A..... = Audio\n"
      " .....D = Supports direct rendering method 1\n"
      " ------\n"
      " V....D a64multi             Multicolor charset for Commodore 64 (codec a64_multi)\n"
      " V....D libx264              libx264 H.264 / AVC / MPEG-4 AVC / MPEG-4 part 10 (codec h264)\n"
      " A....D aac                  AAC (Advanced Audio Coding)\n"
      " A....D wmav2                Windows Media Audio 2\n");
  EXPECT_EQ(ParseEncoderList(output), (std::vector<std::string>{"a64multi", "libx264", "aac", "wmav2"}));
  EXPECT_TRUE(ParseEncoderList(SplitLines(kModernVersion)).empty());
}

TEST(EncoderInfo, RequestedEncodersFromArguments) {
  EXPECT_EQ(RequestedEncoders("-vcodec libx264 -acodec libfaac -b 500k"), (std::vector<std::string>{"libx264", "libfaac"}));
  EXPECT_EQ(RequestedEncoders("-vn -acodec wmav2 -c:a copy -c:v mpeg4 -acodec wmav2"),
            (std::vector<std::string>{"wmav2", "mpeg4"}));
  EXPECT_TRUE(RequestedEncoders("-vcodec").empty());
}

TEST(EncoderInfo, GenerationIsAskedOncePerEncoderFile) {
  ClearEncoderInfoCache();
  const TempDir dir;
  const std::string classic = WriteScriptEncoder(dir, "old-ffmpeg", "FFmpeg version SVN-r16452\n  libavcodec     52.10. 0 / 52.10. 0\n");
  EXPECT_EQ(GetEncoderGeneration(classic), EncoderGeneration::Classic);
  EXPECT_EQ(GetEncoderGeneration(classic), EncoderGeneration::Classic);
  EXPECT_EQ(CallCount(classic), 1u);

  // Replaced by a modern build: a new modification time makes it ask again.
  WriteScriptEncoder(dir, "old-ffmpeg", "libavcodec     60.  3.100 / 60.  3.100\n");
  std::filesystem::last_write_time(classic, std::filesystem::last_write_time(classic) + std::chrono::hours(1));
  EXPECT_EQ(GetEncoderGeneration(classic), EncoderGeneration::Modern);
  EXPECT_EQ(CallCount(classic), 2u);

  // One that cannot be asked counts as modern.
  EXPECT_EQ(GetEncoderGeneration(dir / "no-such-encoder"), EncoderGeneration::Modern);
  const std::string notExecutable = dir.Write("not-executable", "libavcodec 52.1.0");
  EXPECT_EQ(GetEncoderGeneration(notExecutable), EncoderGeneration::Modern);
  // The classic build has no encoder list: whether an encoder is there is unknown.
  EXPECT_EQ(GetEncoderAvailability(classic, "libx264"), EncoderAvailability::Unknown);
  EXPECT_EQ(GetEncoderAvailability(dir / "no-such-encoder", "libx264"), EncoderAvailability::Unknown);
}

// An encoder that never answers is ended after the time limit and counts as one that cannot be
// asked, so converting with it does not freeze the program before the run starts.
TEST(EncoderInfo, EncoderThatNeverAnswersCountsAsModernWithUnknownEncoders) {
  ClearEncoderInfoCache();
  const TempDir dir;
  const std::string hanging = dir.Write("hanging-ffmpeg", "#!/bin/sh\nexec sleep 600\n");
  chmod(hanging.c_str(), 0755);
  EXPECT_EQ(GetEncoderGeneration(hanging), EncoderGeneration::Modern);
  EXPECT_EQ(GetEncoderList(hanging), std::nullopt);
}

TEST(EncoderInfo, RealEncoderIsModernAndListsItsEncoders) {
  ClearEncoderInfoCache();
  EXPECT_EQ(GetEncoderGeneration("ffmpeg"), EncoderGeneration::Modern);
  EXPECT_EQ(GetEncoderGeneration("/usr/bin/ffmpeg"), EncoderGeneration::Modern);
  for (const char* name : {"libx264", "libmp3lame", "aac", "wmav1", "wmav2", "wmv1", "wmv2", "mpeg4"})
    EXPECT_EQ(GetEncoderAvailability("/usr/bin/ffmpeg", name), EncoderAvailability::Available) << name;
  EXPECT_EQ(GetEncoderAvailability("/usr/bin/ffmpeg", "libfaac"), EncoderAvailability::Missing);
  const auto encoders = GetEncoderList("/usr/bin/ffmpeg");
  ASSERT_TRUE(encoders);
  EXPECT_GT(encoders->size(), 50u);
}

}  // namespace vardeno
