#include "conversion/ConversionScript.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/TempDir.h"

namespace vardeno {

namespace {
ArgumentPieces DefaultPieces() {
  ArgumentPieces p;
  p.videoCodec = "-vcodec libx264";
  p.videoParams = "-b 500k -r 25";
  p.audioCodec = "-acodec libfaac";
  p.audioParams = "-ab 96k -ar 44100 -ac 2";
  return p;
}
}  // namespace

TEST(ConversionScript, BatchFileLines) {
  ConversionScript script(ScriptFormat::WindowsBatch, "C:\\Vardeno\\ffmpeg.exe", DefaultPieces(), {});
  script.AddConversion("C:\\Videos\\a.avi", "C:\\Videos\\a.mp4");
  script.AddConversion("C:\\Videos\\b c.avi", "C:\\Videos\\b c.mp4");
  script.Finish();
  EXPECT_EQ(script.Text(),
            "@echo off\r\n"
            "set ffmpeg=\"C:\\Vardeno\\ffmpeg.exe\"\r\n"
            "set VCodec=-vcodec libx264\r\n"
            "set VParams=-b 500k -r 25\r\n"
            "set ACodec=-acodec libfaac\r\n"
            "set AParams=-ab 96k -ar 44100 -ac 2\r\n"
            "set AdvParams=\r\n"
            "set AddParams=\r\n"
            "%ffmpeg% -y -i \"C:\\Videos\\a.avi\" %VCodec% %VParams% %ACodec% %AParams% %AdvParams% %AddParams% "
            "\"C:\\Videos\\a.mp4\"\r\n"
            "%ffmpeg% -y -i \"C:\\Videos\\b c.avi\" %VCodec% %VParams% %ACodec% %AParams% %AdvParams% %AddParams% "
            "\"C:\\Videos\\b c.mp4\"\r\n"
            "pause\r\n");
}

TEST(ConversionScript, BatchQuotingLeavesCmdNothingToRunOrExpand) {
  EXPECT_EQ(BatchQuote("C:\\a&b (1).avi"), "\"C:\\a&b (1).avi\"");
  EXPECT_EQ(BatchQuote("100%PATH%.avi"), "\"100%%PATH%%.avi\"");
  // A quote inside the name: the argument parser sees \" as a quote, while cmd's own quoting
  // toggles there, so what follows is escaped for cmd until the next quote.
  EXPECT_EQ(BatchQuote("a\"&b\".avi"), "\"a\\\"^&b\\\".avi\"");
  // Backslashes before a quote and at the end are doubled for the argument parser.
  EXPECT_EQ(BatchQuote("dir\\"), "\"dir\\\\\"");
  EXPECT_EQ(BatchQuote("x\\\"y"), "\"x\\\\\\\"y\"");
}

TEST(ConversionScript, ShellScriptQuotesEveryName) {
  ConversionScript script(ScriptFormat::PosixShell, "/usr/bin/ffmpeg", DefaultPieces(), {"-metadata", "title=It's"});
  script.AddConversion("/v/it's $(x).avi", "/v/it's $(x).mp4");
  script.Finish();
  const auto& lines = script.Lines();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], "#!/bin/sh");
  EXPECT_EQ(lines[3], "ffmpeg='/usr/bin/ffmpeg'");
  EXPECT_EQ(lines[5], "VParams='-b 500k -r 25'");
  EXPECT_EQ(lines[9], "set -- '-metadata' 'title=It'\\''s'");
  EXPECT_EQ(lines[10],
            "\"$ffmpeg\" -y -i '/v/it'\\''s $(x).avi' $VCodec $VParams $ACodec $AParams $AdvParams \"$@\" "
            "'/v/it'\\''s $(x).mp4' </dev/null");
  EXPECT_EQ(script.Text().find('\r'), std::string::npos);
}

TEST(ConversionScript, SavedShellScriptCanRun) {
  TempDir dir;
  ConversionScript script(ScriptFormat::PosixShell, "/bin/true", DefaultPieces(), {});
  script.Finish();
  const std::string path = dir / "run.sh";
  dir.Write("run.sh", "old");
  script.Save(path);
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IXUSR);
  EXPECT_EQ(ReadWholeFile(path), script.Text());
  EXPECT_THROW(script.Save(dir / "missing/run.sh"), std::exception);
}

}  // namespace vardeno
