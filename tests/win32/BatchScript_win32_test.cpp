// The batch file of a batch run, run by cmd: every file reaches the encoder by its exact name,
// whatever cmd would act on in it, and a name the console's code page cannot hold goes in by its
// short name or stops the file from being written. The encoder is a stand-in that copies its input
// to its output ("fake_encoder_win32.exe", beside this test program).
#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "conversion/ConversionScript.h"
#include "platform/SystemError.h"
#include "platform/win32/WideText.h"
#include "Win32TempDir.h"
#include "win32/RunBatch.h"

namespace vardeno {

namespace {

std::set<std::wstring> Names(const std::filesystem::path& folder) {
  std::set<std::wstring> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().wstring());
  return names;
}

class BatchScriptWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto fake = BesideThisProgram(L"fake_encoder_win32.exe");
    ASSERT_TRUE(std::filesystem::exists(fake)) << "build fake_encoder_win32.exe beside this test";
    // No "%" here: Wine's cmd expands variables again inside the value of %ffmpeg% (Windows' cmd
    // expands a line once), so only the file names below carry "%".
    encoderDir_ = dir_.Path() / L"enc & (1) ^x!";
    std::filesystem::create_directory(encoderDir_);
    encoder_ = encoderDir_ / L"ffmpeg.exe";
    ASSERT_TRUE(CopyFileW(fake.c_str(), encoder_.c_str(), FALSE));
  }

  std::string EncoderRuns() const { return Win32FileText(encoderDir_ / L"encoder-runs.txt"); }

  Win32TempDir dir_;
  std::filesystem::path encoderDir_;
  std::filesystem::path encoder_;
};

TEST_F(BatchScriptWin32, EveryFileReachesTheEncoderByItsNameAndNothingInANameRuns) {
  // Input name and output name; each input holds its own name as content.
  const std::vector<std::pair<std::wstring, std::wstring>> files = {
      {L"a&b.mp4", L"a&b.wmv"},
      {L"x%PATH%y %CD%.mp4", L"x%PATH%y %CD%.wmv"},
      {L"c^d^^e.mp4", L"c^d^^e.wmv"},
      {L"wow! (1) !CD!.mp4", L"wow! (1) !CD!.wmv"},
      {L"\u00E9t\u00E9 (caf\u00E9).mp4", L"\u00E9t\u00E9 (caf\u00E9).wmv"},
      {L"x&mkdir pwned&rem .mp4", L"x&mkdir pwned&rem .wmv"},
      {L"y)&mkdir pwned2&(.mp4", L"y)&mkdir pwned2&(.wmv"},
      {L"\u65E5\u672C\u8A9E \u0416.mp4", L"nihongo.wmv"},  // no OEM code page holds this name
  };
  ConversionScript script(ScriptFormat::WindowsBatch, Narrow(encoder_.wstring()), ArgumentPieces{}, {});
  for (const auto& [input, output] : files) {
    dir_.Write(input, Narrow(input));
    script.AddConversion(dir_.Utf8(input), dir_.Utf8(output));
  }
  // No file can be named with a double quote; one that breaks out of the quotes must still not run.
  script.AddConversion(dir_.Utf8(L"q\"&mkdir pwned3&\".mp4"), dir_.Utf8(L"q.wmv"));
  script.Finish();
  script.Save(dir_.Utf8(L"run.bat"));

  // Its exit code is the last encoder's (the one with the quote fails: no such input).
  EXPECT_NE(RunBatch(dir_.Path(), L"run.bat"), -1)
      << script.Text() << "cmd wrote:\n" << Win32FileText(dir_.Path() / L"cmd-output.txt");
  std::set<std::wstring> expected = {L"run.bat", L"cmd-output.txt", encoderDir_.filename().wstring()};
  for (const auto& [input, output] : files) {
    expected.insert(input);
    expected.insert(output);
    EXPECT_EQ(Win32FileText(dir_.Path() / output), Narrow(input)) << Narrow(output);
  }
  EXPECT_EQ(Names(dir_.Path()), expected) << Win32FileText(dir_.Path() / L"cmd-output.txt");
  EXPECT_EQ(Names(encoderDir_), (std::set<std::wstring>{L"ffmpeg.exe", L"encoder-runs.txt"}));

  const std::string runs = EncoderRuns();
  size_t runCount = 0;
  for (size_t at = runs.find("--\n"); at != std::string::npos; at = runs.find("--\n", at + 3))
    if (at == 0 || runs[at - 1] == '\n') ++runCount;
  EXPECT_EQ(runCount, files.size() + 1);
  EXPECT_NE(runs.find(dir_.Utf8(L"q\"&mkdir pwned3&\".mp4") + "\n"), std::string::npos) << runs;
  EXPECT_NE(runs.find(dir_.Utf8(L"x%PATH%y %CD%.wmv") + "\n"), std::string::npos) << runs;
}

TEST_F(BatchScriptWin32, ANewOutputNameTheCodePageCannotHoldStopsTheFileAndIsNamed) {
  dir_.Write(L"clip.mp4", "clip");
  const std::string output = dir_.Utf8(L"\u65E5\u672C.wmv");  // does not exist yet: it has no short name
  ConversionScript script(ScriptFormat::WindowsBatch, Narrow(encoder_.wstring()), ArgumentPieces{}, {});
  script.AddConversion(dir_.Utf8(L"clip.mp4"), output);
  script.Finish();
  try {
    script.Save(dir_.Utf8(L"run.bat"));
    ADD_FAILURE() << "the batch file was written";
  } catch (const SystemError& error) {
    EXPECT_EQ(error.Code(), ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_NE(std::string(error.what()).find(output), std::string::npos) << error.what();
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.Path() / L"run.bat"));
}

}  // namespace

}  // namespace vardeno
