// vardeno-cli.exe as a Windows user runs it, with the Windows ffmpeg.exe (VARDENO_WIN_FFMPEG):
// probing a clip and converting clips whose names hold Polish letters and & % ^ ! to MP4 (H.264)
// and MP3, each output then read back by the encoder.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/ArgumentText.h"
#include "platform/FileSystem.h"
#include "platform/ProcessRunner.h"
#include "platform/win32/WideText.h"
#include "win32/RunProgram.h"
#include "win32/Win32TempDir.h"

namespace vardeno {

namespace {
class CliWithFfmpeg : public ::testing::Test {
 protected:
  void SetUp() override {
    ffmpeg_ = EnvironmentValue("VARDENO_WIN_FFMPEG").value_or("");
    if (ffmpeg_.empty() || !IsRegularFile(ffmpeg_)) GTEST_SKIP() << "VARDENO_WIN_FFMPEG names no ffmpeg.exe";
    cli_ = ModuleFolder() + "\\..\\vardeno-cli.exe";
    ASSERT_TRUE(IsRegularFile(cli_)) << cli_;
  }

  // A one-second clip with picture and sound at path.
  void MakeClip(const std::string& path) {
    const Ran made = RunProgram(ffmpeg_, {"-v", "error", "-f", "lavfi", "-i", "testsrc=duration=1:size=320x240:rate=25",
                                   "-f", "lavfi", "-i", "sine=duration=1", "-c:v", "mpeg4", "-c:a", "mp2", "-y", path});
    ASSERT_EQ(made.exitCode, 0u) << made.output;
  }

  std::string ffmpeg_;
  std::string cli_;
  Win32TempDir dir_;
};

TEST_F(CliWithFfmpeg, ProbesAndConvertsNamesWithPolishLettersAndCmdCharacters) {
  const std::string polish = dir_.Utf8(L"Za\u017c\u00f3\u0142\u0107 g\u0119\u015bl\u0105.avi");
  const std::string hostile = dir_.Utf8(L"a&b %PATH% ^c! (1).avi");
  MakeClip(polish);
  ASSERT_TRUE(CopyFileW(Widen(polish).c_str(), Widen(hostile).c_str(), TRUE));

  const Ran probe = RunProgram(cli_, {"probe", polish, "--encoder", ffmpeg_});
  EXPECT_EQ(probe.exitCode, 0u) << probe.output;
  EXPECT_NE(probe.output.find("320"), std::string::npos) << probe.output;

  const std::string out = dir_.Utf8(L"out");
  CreateDirectoryW(Widen(out).c_str(), nullptr);
  for (const auto& [format, extension, codec] :
       {std::tuple{"3", ".mp4", "h264 (Constrained Baseline)"}, std::tuple{"8", ".mp3", "Audio: mp3"}}) {
    const Ran converted = RunProgram(cli_, {"convert", polish, hostile, "--encoder", ffmpeg_, "--out-dir", out, "--set",
                                     std::string("OutputFormat=") + format});
    ASSERT_EQ(converted.exitCode, 0u) << converted.output;
    for (const std::wstring& stem : {L"Za\u017c\u00f3\u0142\u0107 g\u0119\u015bl\u0105", L"a&b %PATH% ^c! (1)"}) {
      const std::string output = out + "\\" + Narrow(stem) + extension;
      ASSERT_TRUE(IsRegularFile(output)) << output << "\n" << converted.output;
      const Ran read = RunProgram(ffmpeg_, {"-hide_banner", "-i", output});
      EXPECT_NE(read.output.find(codec), std::string::npos) << read.output;
    }
  }
}
}  // namespace

}  // namespace vardeno
