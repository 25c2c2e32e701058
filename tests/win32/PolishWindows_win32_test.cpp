// The shipped executables on a Polish Windows (ANSI code page 1250, OEM code page 852): their
// manifest makes UTF-8 their own code page, yet the files that must be in the machine's code pages
// are: a batch file that cmd runs (OEM) and a 2009 profile read back (ANSI). Run with
// LANG=pl_PL.UTF-8 (ctest's win.win32.polish); this test program carries the same manifest.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/SystemCodePages.h"
#include "platform/win32/WideText.h"
#include "win32/RunBatch.h"
#include "win32/RunProgram.h"
#include "win32/Win32TempDir.h"

namespace vardeno {

namespace {

class PolishWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    if (SystemAnsiCodePage() != 1250 || SystemOemCodePage() != 852) {
      GTEST_SKIP() << "the system's code pages are " << SystemAnsiCodePage() << "/" << SystemOemCodePage()
                   << ", not 1250/852 (run with LANG=pl_PL.UTF-8)";
    }
    cli_ = ModuleFolder() + "\\..\\vardeno-cli.exe";
    ASSERT_TRUE(std::filesystem::exists(Widen(cli_))) << cli_;
  }

  std::string cli_;
  Win32TempDir dir_;
};

TEST_F(PolishWindows, TheProgramsOwnCodePagesAreUtf8AsInTheShippedExecutables) {
  EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
  EXPECT_EQ(GetOEMCP(), static_cast<UINT>(CP_UTF8));
}

TEST_F(PolishWindows, ABatchFileFromTheCliConvertsAPolishNameWhenCmdRunsIt) {
  const std::filesystem::path fake = BesideThisProgram(L"fake_encoder_win32.exe");
  const std::filesystem::path encoder = dir_.Path() / L"ffmpeg.exe";
  ASSERT_TRUE(CopyFileW(fake.c_str(), encoder.c_str(), FALSE));
  const std::wstring polish = L"\u0179d\u017abo\u0142o \u00e9";  // "Źdźbło é": all in code page 852
  const std::wstring hostile = L"a&b ^c! (1)";
  for (const std::wstring& stem : {polish, hostile}) dir_.Write(stem + L".avi", Narrow(stem));
  CreateDirectoryW((dir_.Path() / L"out").c_str(), nullptr);

  const Ran written = RunProgram(cli_, {"script", dir_.Utf8(L"conv.bat"), "--format", "bat", "--encoder",
                                        Narrow(encoder.wstring()), "--generation", "modern", "--out-dir",
                                        dir_.Utf8(L"out"), "--set", "OutputFormat=3", dir_.Utf8(polish + L".avi"),
                                        dir_.Utf8(hostile + L".avi")});
  ASSERT_EQ(written.exitCode, 0u) << written.output;
  // The name is in code page 852 in the file ("Ź" is 0x8D there), not in UTF-8.
  const std::string batch = Win32FileText(dir_.Path() / L"conv.bat");
  EXPECT_NE(batch.find("\x8D" "d\xAB" "bo\x88o \x82"), std::string::npos) << batch;

  ASSERT_NE(RunBatch(dir_.Path(), L"conv.bat"), -1) << Win32FileText(dir_.Path() / L"cmd-output.txt");
  for (const std::wstring& stem : {polish, hostile}) {
    EXPECT_EQ(Win32FileText(dir_.Path() / L"out" / (stem + L".mp4")), Narrow(stem))
        << Narrow(stem) << "\ncmd wrote:\n" << Win32FileText(dir_.Path() / L"cmd-output.txt");
  }
}

TEST_F(PolishWindows, A2009ProfileInCodePage1250ShowsItsPolishTitle) {
  // -metadata title="Źródło łąka" as the 2009 program stored it, in code page 1250.
  dir_.Write(L"old.ini", "[ADVANCED]\r\nAdditionalParams=-metadata title=\"\x8Fr\xF3" "d\xB3o \xB3\xB9ka\"\r\n");
  const Ran preview = RunProgram(cli_, {"preview", "--profile", dir_.Utf8(L"old.ini"), "--generation", "modern"});
  ASSERT_EQ(preview.exitCode, 0u) << preview.output;
  EXPECT_NE(preview.output.find("title=\"\u0179r\u00f3d\u0142o \u0142\u0105ka\""), std::string::npos) << preview.output;
}

}  // namespace

}  // namespace vardeno
