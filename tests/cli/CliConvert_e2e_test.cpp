// vardeno-cli convert with the real ffmpeg: output folder, the output-exists choices, failures and
// the error log, list files, the language of the statuses.
#include "cli/CliTestFolder.h"

namespace vardeno {

namespace {
const std::string kDashes69(69, '-');

// True when every line of text ends with CR LF (and there is at least one).
bool AllLinesEndCrLf(const std::string& text) {
  size_t lf = 0, crlf = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n') continue;
    ++lf;
    if (i > 0 && text[i - 1] == '\r') ++crlf;
  }
  return lf > 0 && lf == crlf && text.back() == '\n';
}
}  // namespace

TEST_F(CliTest, ConvertsOddNamesIntoTheOutputFolder) {
  Clip(kOddName, 0.5);
  Clip("second clip.mp4", 0.5);
  const std::string out = dir_ / "converted files";
  const CliResult r = Run({"convert", kOddName, "second clip.mp4", "--out-dir", out});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Done\t" + out + "/" + kOddName + "\nDone\t" + out + "/second clip.mp4\n");
  // Not a terminal: no status line, and nothing went wrong; without logind the run goes on after
  // saying so once.
  EXPECT_EQ(r.err, "The computer may go to sleep during the conversion.\n");
  EXPECT_EQ(ProbeVideoSize(out + "/" + kOddName), "160x120");
  EXPECT_EQ(ProbeVideoSize(out + "/second clip.mp4"), "160x120");
  EXPECT_FALSE(SomethingWasInjected());

  // Without --out-dir the output lies beside the input, "_NEW" keeping the input whole; an
  // audio-only format gives an audio-only file.
  const CliResult beside = Run({"convert", "second clip.mp4", "--set", "OutputFormat=8"});
  ASSERT_EQ(beside.exitCode, 0) << beside.err;
  EXPECT_EQ(beside.out, "Done\t" + (dir_ / "second clip.mp3") + "\n");
  EXPECT_EQ(ProbeVideoSize(dir_ / "second clip.mp3"), "");
  EXPECT_GT(std::filesystem::file_size(dir_ / "second clip.mp3"), 0u);
}

TEST_F(CliTest, AnExistingOutputIsRenamedOverwrittenOrSkipped) {
  Clip("clip.mp4", 0.5);
  const std::string out = dir_ / "out";
  std::filesystem::create_directory(out);
  const std::string existing = dir_.Write("out/clip.mp4", "someone's file");

  const CliResult skip = Run({"convert", "clip.mp4", "--out-dir", out, "--if-exists", "skip"});
  EXPECT_EQ(skip.exitCode, 0) << skip.err;
  EXPECT_EQ(skip.out, "Skipped\t" + existing + "\n");
  EXPECT_EQ(ReadWholeFile(existing), "someone's file");

  const CliResult rename = Run({"convert", "clip.mp4", "--out-dir", out, "--if-exists=rename"});
  EXPECT_EQ(rename.exitCode, 0) << rename.err;
  EXPECT_EQ(rename.out, "OK - Renamed\t" + out + "/clip_001.mp4\n");
  EXPECT_EQ(ReadWholeFile(existing), "someone's file");
  EXPECT_EQ(ProbeVideoSize(out + "/clip_001.mp4"), "160x120");

  // Rename is the default.
  const CliResult byDefault = Run({"convert", "clip.mp4", "--out-dir", out});
  EXPECT_EQ(byDefault.out, "OK - Renamed\t" + out + "/clip_002.mp4\n");

  const CliResult overwrite = Run({"convert", "clip.mp4", "--out-dir", out, "--if-exists", "overwrite"});
  EXPECT_EQ(overwrite.exitCode, 0) << overwrite.err;
  EXPECT_EQ(overwrite.out, "OK - Overwritten\t" + existing + "\n");
  EXPECT_EQ(ProbeVideoSize(existing), "160x120");

  const CliResult polishSkip = Run({"convert", "clip.mp4", "--out-dir", out, "--if-exists", "skip", "--lang", "pl"});
  EXPECT_EQ(polishSkip.out, "Pominięto\t" + existing + "\n");
}

TEST_F(CliTest, AFailedFileExits1AndItsLogEntryGoesToStderr) {
  dir_.Write("broken clip.avi", "this is not a video at all");
  Clip("good.mp4", 0.5);
  const std::string out = dir_ / "out";
  const CliResult r = Run({"convert", "broken clip.avi", "good.mp4", "--out-dir", out});
  EXPECT_EQ(r.exitCode, 1);
  // The failed file does not stop the run; its status carries the encoder's exit code.
  const std::vector<std::string> lines = LfLines(r.out);
  ASSERT_EQ(lines.size(), 2u) << r.out;
  EXPECT_EQ(lines[0].rfind("Error (", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find(")\t" + out + "/broken clip.mp4"), std::string::npos) << lines[0];
  EXPECT_EQ(lines[1], "Done\t" + out + "/good.mp4");
  // No empty output is left behind.
  EXPECT_FALSE(Exists(out + "/broken clip.mp4"));

  // The log follows the one line that says the computer may sleep (the tests have no logind).
  EXPECT_EQ(r.err.rfind("The computer may go to sleep during the conversion.\nError # 1\n----------\nDate & Time: ", 0),
            0u)
      << r.err;
  EXPECT_NE(r.err.find("\nExitCode: "), std::string::npos);
  EXPECT_NE(r.err.find("broken clip.avi"), std::string::npos);
  EXPECT_EQ(r.err.substr(r.err.size() - 70), kDashes69 + "\n");
  EXPECT_EQ(r.err.find('\r'), std::string::npos);
}

TEST_F(CliTest, LogOptionWritesTheErrorLogWithCrLf) {
  dir_.Write("broken.avi", "this is not a video at all");
  dir_.Write("also broken.mp4", "nor is this");
  Clip("good.mp4", 0.5);
  const std::string log = dir_ / "error log.log";
  const CliResult r =
      Run({"convert", "broken.avi", "good.mp4", "also broken.mp4", "--out-dir", dir_ / "out", "--log", log});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(LfLines(r.out).size(), 3u) << r.out;
  EXPECT_EQ(r.err.find("Error #"), std::string::npos) << r.err;

  const std::string text = ReadWholeFile(log);
  EXPECT_TRUE(AllLinesEndCrLf(text)) << text;
  EXPECT_EQ(text.rfind("Error # 1\r\n----------\r\nDate & Time: ", 0), 0u) << text;
  EXPECT_NE(text.find("\r\nExitCode: "), std::string::npos);
  EXPECT_NE(text.find("\r\nError # 2\r\n----------\r\n"), std::string::npos);
  EXPECT_NE(text.find("also broken.mp4"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 71), kDashes69 + "\r\n");

  // The next run's log replaces this one: a run without failures leaves an empty log, not the
  // failures of an earlier run.
  const CliResult clean = Run({"convert", "good.mp4", "--out-dir", dir_ / "out", "--log", log});
  EXPECT_EQ(clean.exitCode, 0) << clean.err;
  EXPECT_TRUE(Exists(log));
  EXPECT_EQ(ReadWholeFile(log), "");
}

TEST_F(CliTest, ListFileNamesTheFilesInOrder) {
  Clip(kOddName, 0.5);
  Clip("b.mp4", 0.5);
  const std::string out = dir_ / "out";
  // An absolute line and a relative one (counted from the current folder), CR LF ends.
  const std::string list = dir_.Write("my list.lst", (dir_ / kOddName) + "\r\nb.mp4\r\n");
  const CliResult r = Run({"convert", "--list", list, "--out-dir", out});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Done\t" + out + "/" + kOddName + "\nDone\t" + out + "/b.mp4\n");

  // Files named beside the list follow its files.
  Clip("c.mp4", 0.5);
  const CliResult both = Run({"script", dir_ / "s.sh", "c.mp4", "--list=" + list, "--out-dir", out});
  ASSERT_EQ(both.exitCode, 0) << both.err;
  EXPECT_EQ(LfLines(both.out),
            (std::vector<std::string>{"OK - Renamed\t" + out + "/" + kOddName.substr(0, kOddName.size() - 4) + "_001.mp4",
                                      "OK - Renamed\t" + out + "/b_001.mp4", "Done\t" + out + "/c.mp4"}));

  // A list with nothing to convert in it is bad input, not a run that did nothing.
  const std::string empty = dir_.Write("empty.lst", "notes.txt\r\n\r\n");
  const CliResult nothing = Run({"convert", "--list", empty, "--out-dir", out});
  EXPECT_EQ(nothing.exitCode, 2);
  EXPECT_EQ(nothing.err, "vardeno-cli: no files to convert in the list file \"" + empty + "\"\n");
}

TEST_F(CliTest, StatusLanguageFollowsLangOptionThenLocale) {
  Clip("clip.mp4", 0.5);
  const std::string out = dir_ / "out";
  const CliResult polish = Run({"convert", "clip.mp4", "--out-dir", out, "--lang", "pl"});
  EXPECT_EQ(polish.exitCode, 0) << polish.err;
  EXPECT_EQ(polish.out, "Zrobiono\t" + out + "/clip.mp4\n");

  // The script command reports the same statuses without running the encoder.
  auto status = [&](const std::vector<std::string>& extraArgs, const std::vector<std::string>& env) {
    std::vector<std::string> args = {"script", "s.sh", "clip.mp4", "--out-dir", dir_ / "other"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    const CliResult r = Run(args, env);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.out.substr(0, r.out.find('\t'));
  };
  EXPECT_EQ(status({}, {}), "Done");
  EXPECT_EQ(status({}, {"LANG=pl_PL.UTF-8"}), "Zrobiono");
  EXPECT_EQ(status({}, {"LC_ALL=pl_PL.UTF-8", "LANG=en_GB.UTF-8"}), "Zrobiono");
  EXPECT_EQ(status({}, {"LC_MESSAGES=pl_PL.UTF-8"}), "Zrobiono");
  EXPECT_EQ(status({}, {"LC_ALL=C", "LANG=pl_PL.UTF-8"}), "Done");
  EXPECT_EQ(status({"--lang", "en"}, {"LANG=pl_PL.UTF-8"}), "Done");
  EXPECT_EQ(status({"--lang=pl"}, {"LANG=C"}), "Zrobiono");
}

}  // namespace vardeno
