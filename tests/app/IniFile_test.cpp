#include "app/IniFile.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include "app/IniValue.h"
#include "base/PathSyntax.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"

namespace vardeno {

using namespace std::string_literals;

TEST(IniFile, ReadsFilesMadeOnWindowsWithAnyLineEnd) {
  TempDir dir;
  const std::string body =
      "[Main]\r\nLanguage = PL \r\nOutDir=\"C:\\Filmy\\\xb3\xf3\x64\xbc\"\r\n\r\n"
      "[video]\r\nVideoBitrate='700'\r\n";
  for (const std::string eol : {"\r\n", "\n", "\r"}) {
    std::string text = body;
    size_t pos = 0;
    while ((pos = text.find("\r\n", pos)) != std::string::npos) text.replace(pos, 2, eol), pos += eol.size();
    const IniFile ini(dir.Write("w.ini", text));
    EXPECT_TRUE(ini.Existed());
    EXPECT_EQ(ini.ReadString("MAIN", "language", "EN"), "PL");
#ifndef _WIN32  // Windows reads a file that is not UTF-8 in its ANSI code page (win32/StoredText_win32_test)
    EXPECT_EQ(ini.ReadString("main", "OutDir", ""), "C:\\Filmy\\\xb3\xf3\x64\xbc");  // cp1250 bytes as they are
#endif
    EXPECT_EQ(ini.ReadString("VIDEO", "VIDEOBITRATE", ""), "700");
    EXPECT_EQ(ini.ReadString("VIDEO", "Language", "none"), "none");  // keys belong to their section
  }
}

TEST(IniFile, MissingKeysAndNumbersGiveTheDefault) {
  TempDir dir;
  const IniFile missing(dir / "none.ini");
  EXPECT_FALSE(missing.Existed());
  EXPECT_FALSE(missing.Unreadable());
  EXPECT_EQ(missing.ReadString("MAIN", "Key", "default  "), "default  ");
  EXPECT_EQ(missing.ReadInteger("MAIN", "Key", 17), 17);

  const IniFile ini(dir.Write("n.ini",
                              "[S]\nnum=0x10\nbad=12px\nempty=\nyes=1\nno=0\ntwo=2\nword=true\nq=\"5\"\n"));
  EXPECT_EQ(ini.ReadInteger("S", "num", 0), 16);
  EXPECT_EQ(ini.ReadInteger("S", "bad", -3), -3);
  EXPECT_EQ(ini.ReadInteger("S", "empty", 8), 8);
  EXPECT_EQ(ini.ReadString("S", "empty", "x"), "");  // an empty value is a value
  EXPECT_EQ(ini.ReadInteger("S", "q", 0), 5);
  EXPECT_TRUE(ini.ReadBool("S", "yes", false));
  EXPECT_FALSE(ini.ReadBool("S", "no", true));
  EXPECT_TRUE(ini.ReadBool("S", "two", false));
  EXPECT_TRUE(ini.ReadBool("S", "word", true));
  EXPECT_FALSE(ini.ReadBool("S", "word", false));
}

TEST(IniFile, WritesReplaceInPlaceAppendToTheSectionOrAddTheSection) {
  TempDir dir;
  const std::string path = dir.Write("w.ini",
                                     "; settings\n[One]\nA=1\n  b = 2\n\n[Two]\nC=3\nnot an entry\n");
  IniFile ini(path);
  ini.WriteString("one", "B", "20");
  ini.WriteInteger("ONE", "New", -4);
  ini.WriteBool("Three", "Flag", true);
  ini.WriteString("Two", "D", "x");
  ini.Save();
  EXPECT_EQ(ReadWholeFile(path),
            "; settings\r\n[One]\r\nA=1\r\nb=20\r\nNew=-4\r\n\r\n[Two]\r\nC=3\r\nnot an entry\r\nD=x\r\n"
            "[Three]\r\nFlag=1\r\n");
  EXPECT_EQ(IniFile(path).ReadInteger("One", "new", 0), -4);
}

TEST(IniFile, AMissingFileIsCreatedWithCrLfLines) {
  TempDir dir;
  IniFile ini(dir / "new.ini");
  ini.WriteString("MAIN", "Language", "EN");
  ini.WriteString("MAIN", "OutDir", "/home/u/wideo ł");
  ini.Save();
  EXPECT_TRUE(ini.Existed());
  EXPECT_EQ(ReadWholeFile(dir / "new.ini"), "[MAIN]\r\nLanguage=EN\r\nOutDir=/home/u/wideo ł\r\n");
}

TEST(IniFile, LinesItDoesNotWriteKeepTheirBytes) {
  TempDir dir;
  // Invalid UTF-8, a BOM, a NUL, control bytes and a comment must all come back unchanged.
  const std::string head = "\xEF\xBB\xBF[MAIN]\r\nName=\xff\xfe\x80 \xc3\r\n;comment=\x01\x02\r\n";
  const std::string tail = "raw\0line\r\n[Other]\r\nKey=\xa5\xb9\r\n"s;
  const std::string path = dir.Write("b.ini", head + tail);
  const std::string before = ReadWholeFile(path);
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString("MAIN", "Name", ""), "\xff\xfe\x80 \xc3");  // the BOM does not hide the header
  ini.WriteString("Other", "Key", "new");
  ini.Save();
  std::string expected = before;
  expected.replace(expected.find("Key=\xa5\xb9"), 6, "Key=new");
  EXPECT_EQ(ReadWholeFile(path), expected);
}

TEST(IniFile, WritesStayInMemoryUntilOneSave) {
  TempDir dir;
  const std::string path = dir.Write("s.ini", "[MAIN]\r\nLeft=1\r\n");
  const auto identity = IdentifyFile(path);
  IniFile ini(path);
  for (int i = 0; i < 40; ++i) ini.WriteInteger("MAIN", "Key" + std::to_string(i), i);
  EXPECT_EQ(ReadWholeFile(path), "[MAIN]\r\nLeft=1\r\n");  // nothing on disk yet
  EXPECT_EQ(ini.ReadInteger("MAIN", "Key39", 0), 39);      // but readable at once
  ini.Save();
  EXPECT_EQ(IniFile(path).ReadInteger("MAIN", "Key39", 0), 39);
  EXPECT_NE(IdentifyFile(path), identity);  // replaced, not rewritten in place

  // Writing the values it already holds changes nothing, so nothing is written.
  IniFile same(path);
  same.WriteInteger("MAIN", "Left", 1);
  EXPECT_FALSE(same.Modified());
  const auto saved = IdentifyFile(path);
  same.Save();
  EXPECT_EQ(IdentifyFile(path), saved);
}

TEST(IniFile, DuplicateSectionsAndKeysUseTheFirst) {
  TempDir dir;
  const std::string path = dir.Write("d.ini", "[A]\nk=1\nk=2\n[B]\nx=1\n[a]\nk=3\nonly=4\n");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadInteger("A", "K", 0), 1);
  EXPECT_EQ(ini.ReadInteger("A", "only", 0), 0);  // the second [a] is never looked at
  ini.WriteInteger("A", "k", 9);
  ini.WriteInteger("A", "only", 5);
  ini.Save();
  EXPECT_EQ(ReadWholeFile(path), "[A]\r\nk=9\r\nk=2\r\nonly=5\r\n[B]\r\nx=1\r\n[a]\r\nk=3\r\nonly=4\r\n");
}

TEST(IniFile, MalformedLinesAreKeptButNeverMatch) {
  TempDir dir;
  const std::string path = dir.Write("m.ini", "[MAIN\nLanguage=PL\nOutDir\n[]\n=nameless\n[MAIN]x\nTop=5\n");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString("MAIN", "Language", "EN"), "EN");  // under the unclosed header
  EXPECT_EQ(ini.ReadString("MAIN", "OutDir", "keep"), "keep");  // a key without "=" is no entry
  EXPECT_EQ(ini.ReadInteger("MAIN", "Top", 0), 5);              // text after "]" is ignored
  ini.WriteString("MAIN", "OutDir", "/x");
  ini.WriteString("MAIN", "Bad", "one\r\n[Injected]\nline");
  ini.Save();
  EXPECT_EQ(ReadWholeFile(path),
            "[MAIN\r\nLanguage=PL\r\nOutDir\r\n[]\r\n=nameless\r\n[MAIN]x\r\nTop=5\r\nOutDir=/x\r\n"
            "Bad=one  [Injected] line\r\n");
  EXPECT_THROW(ini.WriteString("MAIN", "K=ey", "v"), std::invalid_argument);
  EXPECT_THROW(ini.WriteString("Sec]", "Key", "v"), std::invalid_argument);
}

TEST(IniFile, BinaryAndHugeFilesReadWithoutHarmAndSurviveAWrite) {
  TempDir dir;
  std::string binary;
  for (int i = 0; i < 200000; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
  const std::string binPath = dir.Write("bin.ini", binary);
  IniFile bin(binPath);
  EXPECT_EQ(bin.ReadInteger("MAIN", "Left", 77), 77);
  bin.WriteInteger("VardenoCheck", "Left", 3);
  bin.Save();
  [[maybe_unused]] const std::string after = ReadWholeFile(binPath);
  EXPECT_EQ(IniFile(binPath).ReadInteger("VardenoCheck", "Left", 0), 3);
#ifndef _WIN32  // Windows reads a file that is not UTF-8 in its ANSI code page and writes it in UTF-8
  // Every byte that was not a line end is still there, in order.
  std::string strip = binary, stripAfter = after;
  std::erase_if(strip, [](char c) { return c == '\r' || c == '\n'; });
  std::erase_if(stripAfter, [](char c) { return c == '\r' || c == '\n'; });
  EXPECT_EQ(stripAfter.substr(0, strip.size()), strip);
#endif

  const std::string longValue(10 * 1024 * 1024, 'v');
  const std::string longPath = dir.Write("long.ini", "[MAIN]\nHuge=" + longValue + "\nTop=4\n");
  IniFile big(longPath);
  EXPECT_EQ(big.ReadString("MAIN", "Huge", "").size(), kIniValueMaxChars);
  EXPECT_EQ(big.ReadInteger("MAIN", "Top", 0), 4);
  big.WriteInteger("MAIN", "Top", 5);
  big.Save();
  EXPECT_EQ(ReadWholeFile(longPath), "[MAIN]\r\nHuge=" + longValue + "\r\nTop=5\r\n");
}

TEST(IniFile, AFailedWriteReportsTheFileAndLosesNothing) {
  TempDir dir;
  // The parent of the path is a file: nothing can be created there, even by root.
  const std::string blocker = dir.Write("plain", "content");
  IniFile underFile(JoinPath(blocker, "Vardeno.ini"));
  underFile.WriteString("MAIN", "Language", "EN");
  try {
    underFile.Save();
    ADD_FAILURE() << "saving under a file succeeded";
  } catch (const IniWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + JoinPath(blocker, "Vardeno.ini"));
    EXPECT_FALSE(error.Reason().empty());
  }
  EXPECT_EQ(ReadWholeFile(blocker), "content");

  // A folder where the file should be: reading gives defaults, writing fails, the folder stays.
  const std::string folder = dir / "folder.ini";
  std::filesystem::create_directory(folder);
  dir.Write("folder.ini/inside.txt", "keep");
  IniFile onFolder(folder);
  EXPECT_TRUE(onFolder.Unreadable());
  EXPECT_EQ(onFolder.ReadInteger("MAIN", "Left", 12), 12);
  onFolder.WriteInteger("MAIN", "Left", 1);
  EXPECT_THROW(onFolder.Save(), IniWriteError);
  EXPECT_EQ(ReadWholeFile(JoinPath(folder, "inside.txt")), "keep");

  // No temporary file is left behind by either failure.
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++entries;
  EXPECT_EQ(entries, 2u);
}

#ifndef _WIN32  // a named pipe in the file system
TEST(IniFile, SomethingUnreadableAtThePathIsNeverReplaced) {
  TempDir dir;
  // A named pipe would block a plain reader forever; the store neither reads nor replaces it.
  const std::string pipe = dir / "pipe.ini";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
  IniFile ini(pipe);
  EXPECT_TRUE(ini.Unreadable());
  EXPECT_EQ(ini.ReadString("MAIN", "Language", "EN"), "EN");
  ini.WriteString("MAIN", "Language", "PL");
  EXPECT_THROW(ini.Save(), IniWriteError);
  EXPECT_TRUE(std::filesystem::is_fifo(pipe));
}
#endif

}  // namespace vardeno
