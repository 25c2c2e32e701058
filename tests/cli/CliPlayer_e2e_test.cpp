// vardeno-cli and the player checks with the real ffmpeg: "check" for files the user has, and
// convert's lines before the first file, each output's status and log entry, and --strict.
#include "cli/CliTestFolder.h"

namespace vardeno {

namespace {
size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}
}  // namespace

TEST_F(CliTest, CheckTellsForEachFileWhetherThePlayerPlaysIt) {
  Clip("small.mp4", 0.5);  // H.264 Baseline 160x120, AAC
  const std::string big = dir_ / "big.mp4";
  ASSERT_EQ(RunCommand({"ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=1280x720:rate=25:duration=0.5",
                        "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", big})
                .exitCode,
            0);
  dir_.Write("notes.mp4", "not a film");

  const CliResult plays = Run({"check", "--player", "zunehd", "small.mp4"});
  EXPECT_EQ(plays.exitCode, 0) << plays.err;
  EXPECT_EQ(plays.out, "small.mp4: plays on Zune HD\n");

  const CliResult mixed = Run({"check", "--player", "zunehd", "small.mp4", "big.mp4", "notes.mp4", "gone.mp4"});
  EXPECT_EQ(mixed.exitCode, 1);
  EXPECT_EQ(LfLines(mixed.out),
            (std::vector<std::string>{
                "small.mp4: plays on Zune HD",
                "big.mp4: does not play on Zune HD: frame size 1280x720 is above 720x480 / 720x576: the Zune software "
                "converts it at sync, slowly",
                "notes.mp4: cannot tell for Zune HD: the encoder read no video or audio stream from it (not a media file, "
                "damaged, or no answer in time)",
                "gone.mp4: cannot tell for Zune HD: the file is missing, cannot be opened or is empty"}));

  // The Zune 30 plays no H.264 (the Zune software converts it at sync); in Polish.
  const CliResult zune30 = Run({"check", "--player", "zune30", "--lang", "pl", "small.mp4"});
  EXPECT_EQ(zune30.exitCode, 1);
  EXPECT_EQ(Count(zune30.out, "small.mp4: nie jest odtwarzany na Zune 30: kodek obrazu H.264"), 1u) << zune30.out;
  EXPECT_EQ(Count(zune30.out, "oprogramowanie Zune przekonwertuje go przy synchronizacji, powoli"), 2u) << zune30.out;

  EXPECT_EQ(Run({"check", "--player", "none", "big.mp4"}).out, "big.mp4: not checked (other player)\n");
  EXPECT_EQ(Run({"check", "--player", "walkman", "small.mp4"}).exitCode, 2);
  EXPECT_EQ(Run({"check"}).exitCode, 2);
  EXPECT_EQ(Run({"check", "--strict", "small.mp4"}).exitCode, 2);
}

TEST_F(CliTest, ConvertWarnsOnceBeforeTheFirstFileAndMarksEachOutput) {
  Clip("one.mp4", 0.5);
  Clip("two.mp4", 0.5);
  const std::string out = dir_ / "out";
  const std::vector<std::string> vga = {"--set", "Resolution=1", "--set", "ResWidth=640", "--set", "ResHeight=480",
                                        "--out-dir", out, "--if-exists", "overwrite"};
  std::vector<std::string> args = {"convert", "--player", "zune", "one.mp4", "two.mp4"};
  args.insert(args.end(), vga.begin(), vga.end());
  const CliResult r = Run(args);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "OK - Not for Zune 4, 8, 16, 80, 120\t" + out + "/one.mp4\nOK - Not for Zune 4, 8, 16, 80, 120\t" +
                       out + "/two.mp4\n");
  const std::string warning =
      "Not for Zune 4, 8, 16, 80, 120: frame size 640x480 is above 320x240: the Zune software converts it at sync, "
      "slowly\n";
  EXPECT_EQ(r.err.rfind(warning, 0), 0u) << r.err;  // first, before any file
  EXPECT_EQ(Count(r.err, warning), 1u);
  // The error log: one entry per file, naming it, the player and the value against its limit.
  EXPECT_EQ(Count(r.err, "File: " + out + "/one.mp4\nPlayer: Zune 4, 8, 16, 80, 120\n"), 1u) << r.err;
  EXPECT_EQ(Count(r.err, "  frame size 640x480 is above 320x240"), 2u) << r.err;

  args.push_back("--strict");
  EXPECT_EQ(Run(args).exitCode, 1);
  // The same files for the Zune HD play: no warning, "Done", and --strict changes nothing.
  args[2] = "zunehd";
  const CliResult hd = Run(args);
  EXPECT_EQ(hd.exitCode, 0) << hd.err;
  EXPECT_EQ(hd.out, "OK - Overwritten\t" + out + "/one.mp4\nOK - Overwritten\t" + out + "/two.mp4\n");
  EXPECT_EQ(Count(hd.err, "Not for"), 0u) << hd.err;
}

}  // namespace vardeno
