// Settings and list files of the 2009 program are in the ANSI code page; the readers take them as
// UTF-8 text.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/IniFile.h"
#include "platform/StoredText.h"
#include "platform/win32/SystemCodePages.h"
#include "Win32TempDir.h"

namespace vardeno {

namespace {

const std::string kZazolcCp1250 = "Za\xBF\xF3\xB3\xE6";                   // "Zażółć" in code page 1250
const std::string kZazolcUtf8 = "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87";     // the same in UTF-8

// Runs on a Polish system (ctest's win.win32.polish), where the test program's own code page is
// UTF-8 (its manifest) and the system's ANSI code page 1250.
TEST(PolishWindowsStoredText, AnOldSettingsFileInCodePage1250ReadsAsUtf8) {
  if (SystemAnsiCodePage() != 1250) {
    GTEST_SKIP() << "the system's ANSI code page is " << SystemAnsiCodePage() << ", not 1250 (run with LANG=pl_PL.UTF-8)";
  }
  Win32TempDir dir;
  dir.Write(L"Vardeno.ini", "[MAIN]\r\nOutDir=C:\\Filmy\\" + kZazolcCp1250 + "\r\n");
  const IniFile ini(dir.Utf8(L"Vardeno.ini"));
  EXPECT_EQ(ini.ReadString("MAIN", "OutDir", ""), "C:\\Filmy\\" + kZazolcUtf8);
}

TEST(StoredTextWin32, Utf8TextStaysAsItIs) {
  // Valid UTF-8 that would also be valid ANSI text must not be converted a second time.
  EXPECT_EQ(StoredTextToUtf8("[MAIN]\r\nOutDir=" + kZazolcUtf8), "[MAIN]\r\nOutDir=" + kZazolcUtf8);
  // With a byte-order mark the text is UTF-8 even when a byte in it is damaged.
  const std::string marked = "\xEF\xBB\xBFName=" + kZazolcCp1250;
  EXPECT_EQ(StoredTextToUtf8(marked), marked);
  EXPECT_EQ(StoredTextToUtf8(""), "");
}

}  // namespace

}  // namespace vardeno
