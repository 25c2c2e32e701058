// vardeno-cli.exe with each Windows encoder the tests are given: the FFmpeg 5.1 that ships
// (VARDENO_WIN_FFMPEG_51) and the npm package's FFmpeg 4.1 (VARDENO_WIN_FFMPEG_41), both the modern
// generation. Every one of the 13 output formats is converted from a clip and read back by the same
// encoder: its codecs, and for the Zune video formats H.264 Baseline or MPEG-4 Simple Profile,
// 4:2:0 and AAC LC.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "encoder/EncoderInfo.h"
#include "platform/FileSystem.h"
#include "win32/RunProgram.h"
#include "win32/Win32TempDir.h"

namespace vardeno {

namespace {

struct WindowsEncoder {
  const char* variable;      // the environment variable naming its ffmpeg.exe
  int libavcodecMajor;       // 59 for FFmpeg 5.1, 58 for 4.1
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

class CliFormats : public ::testing::TestWithParam<WindowsEncoder> {
 protected:
  void SetUp() override {
    ffmpeg_ = EnvironmentValue(GetParam().variable).value_or("");
    if (ffmpeg_.empty() || !IsRegularFile(ffmpeg_)) GTEST_SKIP() << GetParam().variable << " names no ffmpeg.exe";
    cli_ = ModuleFolder() + "\\..\\vardeno-cli.exe";
    ASSERT_TRUE(IsRegularFile(cli_)) << cli_;
  }

  // The encoder's own description of file's streams ("Stream #0:0...: Video: h264 (...), yuv420p...").
  std::string Streams(const std::string& file) {
    std::string streams;
    for (const std::string& line : Lines(RunProgram(ffmpeg_, {"-hide_banner", "-i", file}).output))
      if (line.find("Stream #") != std::string::npos) streams += line + "\n";
    return streams;
  }

  std::string ffmpeg_;
  std::string cli_;
  Win32TempDir dir_;
};

TEST_P(CliFormats, IsTheModernGenerationWithEveryEncoderTheFormatsNeed) {
  const Ran version = RunProgram(ffmpeg_, {"-version"});
  ASSERT_EQ(version.exitCode, 0u) << version.output;
  EXPECT_EQ(ParseLibavcodecMajor(Lines(version.output)), GetParam().libavcodecMajor) << version.output;
  EXPECT_EQ(GetEncoderGeneration(ffmpeg_), EncoderGeneration::Modern);
  const auto encoders = GetEncoderList(ffmpeg_);
  ASSERT_TRUE(encoders.has_value());
  for (const char* name : {"aac", "mpeg4", "libx264", "libmp3lame", "wmv1", "wmv2", "wmav1", "wmav2"})
    EXPECT_NE(std::find(encoders->begin(), encoders->end(), name), encoders->end()) << name;
}

TEST_P(CliFormats, EveryFormatComesOutWithItsCodecs) {
  struct Expected {
    const char* extension;
    std::vector<std::string> streams;  // each must be in the output's stream lines
    bool video;
  };
  const std::string h264 = "Video: h264 (Constrained Baseline)";
  const std::string mpeg4 = "Video: mpeg4 (Simple Profile)";
  const std::string aac = "Audio: aac (LC)";
  const Expected formats[13] = {
      {"wmv", {"Video: wmv1", "Audio: wmav1"}, true},  {"wmv", {"Video: wmv2", "Audio: wmav2"}, true},
      {"mp4", {mpeg4, "yuv420p", aac}, true},          {"mp4", {h264, "yuv420p", aac}, true},
      {"m4v", {mpeg4, "yuv420p", aac}, true},          {"m4v", {h264, "yuv420p", aac}, true},
      {"mov", {mpeg4, "yuv420p", aac}, true},          {"mov", {h264, "yuv420p", aac}, true},
      {"mp3", {"Audio: mp3"}, false},                  {"wma", {"Audio: wmav1"}, false},
      {"wma", {"Audio: wmav2"}, false},                {"m4a", {aac}, false},
      {"aac", {aac}, false}};

  const std::string clip = dir_.Utf8(L"clip \u017c\u00f3\u0142w.avi");
  const Ran made = RunProgram(ffmpeg_, {"-v", "error", "-f", "lavfi", "-i", "testsrc=duration=1:size=160x120:rate=10",
                                        "-f", "lavfi", "-i", "sine=duration=1", "-c:v", "mpeg4", "-c:a", "mp2", "-y", clip});
  ASSERT_EQ(made.exitCode, 0u) << made.output;
  for (int format = 0; format < 13; ++format) {
    SCOPED_TRACE("format " + std::to_string(format));
    const std::string out = dir_.Utf8(L"format" + std::to_wstring(format));
    CreateDirectoryW(Widen(out).c_str(), nullptr);
    const Ran converted = RunProgram(cli_, {"convert", clip, "--encoder", ffmpeg_, "--out-dir", out, "--set",
                                            "OutputFormat=" + std::to_string(format)});
    ASSERT_EQ(converted.exitCode, 0u) << converted.output;
    const std::string output = out + "\\clip \u017c\u00f3\u0142w." + formats[format].extension;
    ASSERT_TRUE(IsRegularFile(output)) << output << "\n" << converted.output;
    const std::string streams = Streams(output);
    for (const std::string& expected : formats[format].streams) EXPECT_NE(streams.find(expected), std::string::npos) << expected << " in\n" << streams;
    EXPECT_EQ(streams.find("Video:") != std::string::npos, formats[format].video) << streams;
  }
}

TEST_P(CliFormats, CheckTellsFromTheEncodersOwnReadingWhetherTheZuneHdPlaysAFile) {
  const std::string clip = dir_.Utf8(L"clip.avi");
  const std::string big = dir_.Utf8(L"big \u0142\u0105ka.avi");
  for (const auto& [file, size] : {std::pair{clip, "320x240"}, std::pair{big, "1280x720"}}) {
    const Ran made = RunProgram(ffmpeg_, {"-v", "error", "-f", "lavfi", "-i", std::string("testsrc=duration=0.5:rate=10:size=") + size,
                                          "-f", "lavfi", "-i", "sine=duration=0.5", "-c:v", "mpeg4", "-c:a", "mp2", "-y", file});
    ASSERT_EQ(made.exitCode, 0u) << made.output;
  }
  const Ran converted = RunProgram(cli_, {"convert", clip, "--encoder", ffmpeg_, "--set", "OutputFormat=3"});
  ASSERT_EQ(converted.exitCode, 0u) << converted.output;
  const std::string convertedMp4 = dir_.Utf8(L"clip.mp4");

  const Ran plays = RunProgram(cli_, {"check", "--encoder", ffmpeg_, "--player", "zunehd", convertedMp4});
  EXPECT_EQ(plays.exitCode, 0u) << plays.output;
  EXPECT_NE(plays.output.find(convertedMp4 + ": plays on Zune HD"), std::string::npos) << plays.output;
  const Ran tooBig = RunProgram(cli_, {"check", "--encoder", ffmpeg_, "--player", "zunehd", big});
  EXPECT_EQ(tooBig.exitCode, 1u) << tooBig.output;
  EXPECT_NE(tooBig.output.find(big + ": does not play on Zune HD: "), std::string::npos) << tooBig.output;
  EXPECT_NE(tooBig.output.find("frame size 1280x720 is above 720x480 / 720x576"), std::string::npos) << tooBig.output;
}

INSTANTIATE_TEST_SUITE_P(WindowsEncoders, CliFormats,
                         ::testing::Values(WindowsEncoder{"VARDENO_WIN_FFMPEG_51", 59}, WindowsEncoder{"VARDENO_WIN_FFMPEG_41", 58}),
                         [](const auto& info) { return info.param.libavcodecMajor == 59 ? "FFmpeg51" : "FFmpeg41"; });

}  // namespace

}  // namespace vardeno
