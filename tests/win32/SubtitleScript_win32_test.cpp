// A batch file exported by vardeno-cli.exe with burned-in subtitles, run by cmd on a Polish Windows
// (OEM code page 852, so Polish names go into the file as they are): every video, whatever its name
// holds (' , ; [ ] for the filter graph, & ^ % ( ) for cmd, blanks, Polish letters, the drive's
// ":" in every path), converts with the text of the subtitle file beside it in the picture, and
// nothing in a name runs. With each Windows encoder the tests are given (VARDENO_WIN_FFMPEG_51, the
// one that ships, and VARDENO_WIN_FFMPEG_41). Run with LANG=pl_PL.UTF-8 (ctest's win.win32.polish).
// Subtitles are drawn with the font called Arial: under Wine the prefix needs one (test-windows.sh
// installs DejaVu Sans under that name).
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/win32/SystemCodePages.h"
#include "platform/win32/WideText.h"
#include "win32/RunBatch.h"
#include "win32/RunProgram.h"
#include "win32/Win32TempDir.h"

namespace vardeno {

namespace {

// Shown from 1.0 s to 2.0 s of a 3 s clip.
const char* const kSrt = "1\r\n00:00:01,000 --> 00:00:02,000\r\nHELLO ZUNE\r\n\r\n";

const std::vector<std::wstring> kNames = {
    L"it's",          L"c,d;e",          L"[in]f[out]",        L"i',scale=2:2,'j",
    L" sp ace",       L"x%PATH%y %CD%",  L"a^b&mkdir pwned&rem x", L"y)&mkdir pwned2&(",
    L"\u0179d\u017abo\u0142o g\u0119\u015bl\u0105"};  // "Źdźbło gęślą"

class PolishWindowsSubtitleScript : public ::testing::Test {
 protected:
  void SetUp() override {
    if (SystemOemCodePage() != 852) {
      GTEST_SKIP() << "the OEM code page is " << SystemOemCodePage() << ", not 852 (run with LANG=pl_PL.UTF-8)";
    }
    cli_ = ModuleFolder() + "\\..\\vardeno-cli.exe";
    ASSERT_TRUE(IsRegularFile(cli_)) << cli_;
  }

  // Grey pixels above 128 in the frame of video at seconds (a black clip: the subtitle's), -1 when
  // the frame cannot be read.
  int BrightPixels(const std::string& ffmpeg, const std::wstring& video, const char* seconds) {
    const std::filesystem::path frame = dir_.Path() / L"frame.gray";
    const Ran read = RunProgram(ffmpeg, {"-v", "error", "-y", "-ss", seconds, "-i", dir_.Utf8(video), "-frames:v",
                                         "1", "-f", "rawvideo", "-pix_fmt", "gray", Narrow(frame.wstring())});
    const std::string pixels = read.exitCode == 0 ? Win32FileText(frame) : "<missing>";
    DeleteFileW(frame.c_str());
    if (pixels == "<missing>") return -1;
    int bright = 0;
    for (unsigned char pixel : pixels) bright += pixel > 128;
    return bright;
  }

  std::string cli_;
  Win32TempDir dir_;
};

TEST_F(PolishWindowsSubtitleScript, EveryHostileNameConvertsWithItsSubtitleAndNothingElseRuns) {
  int encodersTried = 0;
  for (const char* variable : {"VARDENO_WIN_FFMPEG_51", "VARDENO_WIN_FFMPEG_41"}) {
    const std::string ffmpeg = EnvironmentValue(variable).value_or("");
    if (ffmpeg.empty() || !IsRegularFile(ffmpeg)) continue;
    ++encodersTried;
    SCOPED_TRACE(variable);
    // The previous encoder's batch output may be held a moment after cmd has ended under Wine.
    std::error_code removeError;
    for (int attempt = 0; attempt < 50; ++attempt) {
      removeError.clear();
      for (const std::wstring& entry : dir_.Entries()) std::filesystem::remove_all(dir_.Path() / entry, removeError);
      if (!removeError && dir_.Entries().empty()) break;
      Sleep(100);
    }
    ASSERT_FALSE(removeError) << removeError.message();

    const Ran made = RunProgram(ffmpeg, {"-v", "error", "-y", "-f", "lavfi", "-i",
                                         "color=c=black:size=320x240:rate=10:duration=3", "-f", "lavfi", "-i",
                                         "sine=duration=3", "-c:v", "mpeg4", "-c:a", "mp2", dir_.Utf8(L"clip.avi")});
    ASSERT_EQ(made.exitCode, 0u) << made.output;
    std::vector<std::string> arguments = {"script", dir_.Utf8(L"conv.bat"), "--format", "bat", "--encoder", ffmpeg,
                                          "--set", "Subtitles=1"};
    std::set<std::wstring> expected = {L"clip.avi", L"conv.bat", L"cmd-output.txt"};
    for (const std::wstring& name : kNames) {
      ASSERT_TRUE(CopyFileW((dir_.Path() / L"clip.avi").c_str(), (dir_.Path() / (name + L".avi")).c_str(), FALSE))
          << Narrow(name);
      dir_.Write(name + L".srt", kSrt);
      arguments.push_back(dir_.Utf8(name + L".avi"));
      expected.insert({name + L".avi", name + L".srt", name + L".mp4"});
    }
    const Ran written = RunProgram(cli_, arguments);
    ASSERT_EQ(written.exitCode, 0u) << written.output;
    ASSERT_NE(RunBatch(dir_.Path(), L"conv.bat", 300000), -1) << Win32FileText(dir_.Path() / L"cmd-output.txt");
    const std::string cmdOutput = Win32FileText(dir_.Path() / L"cmd-output.txt");

    for (const std::wstring& name : kNames) {
      SCOPED_TRACE(Narrow(name));
      EXPECT_GT(BrightPixels(ffmpeg, name + L".mp4", "1.5"), 50) << "no subtitle in the picture\n" << cmdOutput;
      EXPECT_EQ(BrightPixels(ffmpeg, name + L".mp4", "2.5"), 0);
    }
    const std::vector<std::wstring> entries = dir_.Entries();
    EXPECT_EQ(std::set<std::wstring>(entries.begin(), entries.end()), expected) << cmdOutput;
  }
  if (encodersTried == 0) GTEST_SKIP() << "neither VARDENO_WIN_FFMPEG_51 nor VARDENO_WIN_FFMPEG_41 names an ffmpeg.exe";
}

}  // namespace

}  // namespace vardeno
