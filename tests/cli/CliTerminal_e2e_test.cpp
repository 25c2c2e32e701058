// vardeno-cli convert with stderr on a terminal: the progress status is rewritten in place on one
// line that never wraps, and is cleared before anything else is written.
#include "cli/CliTestFolder.h"

namespace vardeno {

namespace {
// The texts written between a carriage return and an erase-to-end-of-line.
std::vector<std::string> StatusTexts(const std::string& err) {
  std::vector<std::string> texts;
  for (size_t start = err.find('\r'); start != std::string::npos; start = err.find('\r', start + 1)) {
    const size_t end = err.find("\x1b[K", start);
    if (end == std::string::npos) break;
    texts.push_back(err.substr(start + 1, end - start - 1));
  }
  return texts;
}

size_t Utf8Length(const std::string& text) {
  size_t count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80;
  return count;
}
}  // namespace

TEST_F(CliTest, StatusLineOnATerminalFitsItsWidth) {
  Clip("clip.mp4", 1.0);
  dir_.Write("broken.avi", "not a video");
  const std::string out = dir_ / "out";
  for (const char* lang : {"en", "pl"}) {
    SCOPED_TRACE(lang);
    CliProcess cli({"convert", "clip.mp4", "broken.avi", "--out-dir", out, "--if-exists", "overwrite", "--lang", lang},
                   WithConfig({}), dir_.Path().string(), 40);
    ASSERT_TRUE(cli.Started());
    const CliResult r = cli.Finish();
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(LfLines(r.out).size(), 2u) << r.out;

    const std::vector<std::string> texts = StatusTexts(r.err);
    std::string longest;
    bool converting = false;
    for (const std::string& text : texts) {
      if (Utf8Length(text) > Utf8Length(longest)) longest = text;
      converting = converting || text.rfind(lang == std::string("en") ? "Converting file: 1 / 2" : "Konwertowanie", 0) == 0;
    }
    EXPECT_LT(Utf8Length(longest), 40u) << longest;
    EXPECT_TRUE(converting) << r.err;
    // The status line is cleared before the error log is written at the end.
    const size_t log = r.err.find("Error # 1\n");
    ASSERT_NE(log, std::string::npos) << r.err;
    EXPECT_EQ(r.err.substr(log - 4, 4), "\r\x1b[K");
  }
}

}  // namespace vardeno
