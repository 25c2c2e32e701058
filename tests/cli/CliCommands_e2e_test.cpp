// vardeno-cli's commands other than convert, run as the built program with the real ffmpeg: help,
// version, preview, probe, info and script, and the exit statuses of bad input, refused settings
// and a missing encoder.
#include <unistd.h>

#include <locale>

#include "cli/CliTestFolder.h"
#include "base/FileSizeText.h"

namespace vardeno {

namespace {
const std::string kModernDefault =
    "-y -i <input_file> -vcodec libx264 -profile:v baseline -pix_fmt yuv420p -b:v 500k -r 25 -acodec aac -b:a 96k "
    "-ar 44100 -ac 2 <output_file>";
const std::string kClassicDefault =
    "-y -i <input_file> -vcodec libx264 -b 500k -r 25 -acodec libfaac -ab 96k -ar 44100 -ac 2 <output_file>";
const std::string kNoEncoder = "/nonexistent/ffmpeg";

bool LocaleInstalled(const char* name) {
  try {
    std::locale probe(name);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}
}  // namespace

TEST_F(CliTest, HelpAndVersion) {
  for (const char* word : {"--help", "help", "-h"}) {
    const CliResult help = Run({word});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("Usage: vardeno-cli COMMAND [OPTIONS] [FILES...]\n", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
  }
  const CliResult version = Run({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("vardeno-cli ", 0), 0u);
  EXPECT_EQ(LfLines(version.out).size(), 1u);
}

TEST_F(CliTest, PreviewFollowsTheGeneration) {
  const CliResult autoDetected = Run({"preview"});
  EXPECT_EQ(autoDetected.exitCode, 0);
  EXPECT_EQ(autoDetected.out, kModernDefault + "\n");  // ffmpeg 5.1 and later are modern
  EXPECT_EQ(autoDetected.err, "");
  EXPECT_EQ(Run({"preview", "--generation", "modern"}).out, kModernDefault + "\n");
  EXPECT_EQ(Run({"preview", "--generation=classic"}).out, kClassicDefault + "\n");
  // The preview needs no encoder: without one it shows the modern line.
  const CliResult noEncoder = Run({"preview", "--encoder", kNoEncoder});
  EXPECT_EQ(noEncoder.exitCode, 0);
  EXPECT_EQ(noEncoder.out, kModernDefault + "\n");
}

TEST_F(CliTest, PreviewOfARefusedValueWarnsAndExits3) {
  const CliResult english = Run({"preview", "--set", "VideoBitrate=12a"});
  EXPECT_EQ(english.exitCode, 3);
  // The refused piece is left out; the rest of the line is still shown.
  EXPECT_EQ(english.out,
            "-y -i <input_file> -vcodec libx264 -profile:v baseline -pix_fmt yuv420p  -acodec aac -b:a 96k -ar 44100 "
            "-ac 2 <output_file>\n");
  EXPECT_EQ(english.err, "Video bitrate: 12a\nBitrate must be a integer value!\n");

  const CliResult polish = Run({"preview", "--set", "VideoFPS=fast", "--lang", "pl"});
  EXPECT_EQ(polish.exitCode, 3);
  EXPECT_EQ(polish.err, "FPS musi być liczbą rzeczywistą!\nPodano: fast\n");
}

TEST_F(CliTest, ProfileThenSetsInThatOrder) {
  const std::string profile =
      dir_.Write("mp3 profile.ini", "[VIDEO]\r\nOutputFormat=8\r\n[AUDIO]\r\nVolume=50\r\n");
  const std::string mp3 = "-y -i <input_file> -vn  -acodec libmp3lame -b:a 96k -ar 44100 -ac 2";

  const CliResult profileOnly = Run({"preview", "--profile", profile});
  EXPECT_EQ(profileOnly.exitCode, 0) << profileOnly.err;
  EXPECT_EQ(profileOnly.out, mp3 + " -af volume=0.5 <output_file>\n");

  // --set comes after the profile even when written before it; 450 is kept within 0..300, and the
  // key is matched without regard to case.
  const CliResult louder = Run({"preview", "--set", "volume=450", "--profile", profile});
  EXPECT_EQ(louder.exitCode, 0) << louder.err;
  EXPECT_EQ(louder.out, mp3 + " -af volume=3 <output_file>\n");
  const CliResult classic = Run({"preview", "--profile=" + profile, "--set=VOLUME=450", "--generation", "classic"});
  EXPECT_EQ(classic.out,
            "-y -i <input_file> -vn  -acodec libmp3lame -ab 96k -ar 44100 -ac 2 -vol 768 <output_file>\n");

  // Later sets win.
  const CliResult sets = Run({"preview", "--set", "Volume=10", "--set", "Volume=200", "--set", "OutputFormat=8"});
  EXPECT_EQ(sets.exitCode, 0) << sets.err;
  EXPECT_EQ(sets.out, mp3 + " -af volume=2 <output_file>\n");

  // An out-of-range list index means no selection, which the audio builder refuses.
  const CliResult noBitrate = Run({"preview", "--set", "OutputFormat=8", "--set", "AudioBitrate=99"});
  EXPECT_EQ(noBitrate.exitCode, 3);
  EXPECT_EQ(noBitrate.err, "Audio bitrate: \nBitrate must be a real number!\n");
  EXPECT_EQ(noBitrate.out, "-y -i <input_file> -vn  -acodec libmp3lame  <output_file>\n");
}

TEST_F(CliTest, ProbePrintsEveryFieldAndStream) {
  const std::string clip = Clip(kOddName);
  const CliResult probe = Run({"probe", kOddName});  // relative to the current folder
  ASSERT_EQ(probe.exitCode, 0) << probe.err;
  EXPECT_EQ(probe.err, "");
  const std::vector<std::string> lines = LfLines(probe.out);
  ASSERT_EQ(lines.size(), 14u) << probe.out;
  const std::vector<std::string> expected = {"Width: 160",
                                             "Height: 120",
                                             "FileName: " + clip,
                                             "FileSize: " + std::to_string(std::filesystem::file_size(clip)),
                                             "Duration: 1",
                                             "DurationExact: 1",
                                             "DurationText: 00:00:01.00",
                                             "StartTime: 0",
                                             "FrameRate: 25",
                                             "AudioCodec: aac",
                                             "VideoCodec: h264",
                                             "FrameCount: 25"};
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i], expected[i]);
  EXPECT_EQ(lines[12].rfind("Stream 1: Stream #0:0", 0), 0u) << lines[12];
  EXPECT_NE(lines[12].find(": Video: h264"), std::string::npos) << lines[12];
  EXPECT_EQ(lines[13].rfind("Stream 2: Stream #0:1", 0), 0u) << lines[13];
  EXPECT_NE(lines[13].find(": Audio: aac"), std::string::npos) << lines[13];
  EXPECT_FALSE(SomethingWasInjected());

  // Fractions are written in the shortest form that reads back.
  Clip("ntsc.mp4", 0.5, true, false, "30000/1001");
  const std::vector<std::string> ntsc = LfLines(Run({"probe", "ntsc.mp4"}).out);
  ASSERT_EQ(ntsc.size(), 13u);
  EXPECT_EQ(ntsc[5], "DurationExact: 0.5");
  EXPECT_EQ(ntsc[6], "DurationText: 00:00:00.50");
  EXPECT_EQ(ntsc[8], "FrameRate: 29.97");
  EXPECT_EQ(ntsc[9], "AudioCodec: ");
}

TEST_F(CliTest, InfoPrintsTheSavedTextWithLfEnds) {
  const std::string clip = Clip(kOddName);
  const CliResult info = Run({"info", clip});
  ASSERT_EQ(info.exitCode, 0) << info.err;
  EXPECT_EQ(info.out.find('\r'), std::string::npos);
  const std::vector<std::string> lines = LfLines(info.out);
  ASSERT_EQ(lines.size(), 7u) << info.out;
  EXPECT_EQ(info.out.back(), '\n');
  EXPECT_EQ(lines[0], "File: " + clip);
  EXPECT_EQ(lines[1], "File size: " + FormatFileSize(std::filesystem::file_size(clip)));
  EXPECT_EQ(lines[2], "Duration: 00:00:01.00");
  EXPECT_EQ(lines[3], "FPS: 25.00");
  EXPECT_EQ(lines[4], "Audio & Video streams:");
  EXPECT_EQ(lines[5].rfind("  Stream #0:0", 0), 0u) << lines[5];
  EXPECT_NE(lines[5].find(" - Video: h264"), std::string::npos) << lines[5];
  EXPECT_EQ(lines[6].rfind("  Stream #0:1", 0), 0u) << lines[6];
  EXPECT_NE(lines[6].find(" - Audio: aac"), std::string::npos) << lines[6];

  // A file the encoder cannot read: six lines, the last an empty stream row.
  const std::string junk = dir_.Write("junk.avi", "not a video");
  const CliResult unreadable = Run({"info", junk});
  EXPECT_EQ(unreadable.exitCode, 0);
  EXPECT_EQ(unreadable.out, "File: " + junk + "\nFile size: 11 bytes\nDuration: \nFPS: 0.00\nAudio & Video streams:\n   - \n");
}

TEST_F(CliTest, InfoInAPolishLocaleKeepsEnglishLabelsAndUsesADecimalComma) {
  if (!LocaleInstalled("pl_PL.UTF-8")) GTEST_SKIP() << "the pl_PL.UTF-8 locale is not installed";
  const std::string clip = Clip("clip.mp4");
  const CliResult info = Run({"info", clip}, {"LANG=pl_PL.UTF-8"});
  ASSERT_EQ(info.exitCode, 0) << info.err;
  const std::vector<std::string> lines = LfLines(info.out);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "File: " + clip);
  EXPECT_EQ(lines[3], "FPS: 25,00");
  EXPECT_EQ(lines[4], "Audio & Video streams:");
}

TEST_F(CliTest, ShellScriptConvertsOddNamesWhenRun) {
  Clip(kOddName, 0.5);
  const std::string outDir = dir_ / "out dir";
  const std::string script = dir_ / "convert 'them'.sh";
  const CliResult written = Run({"script", script, kOddName, "--out-dir", outDir});
  ASSERT_EQ(written.exitCode, 0) << written.err;
  EXPECT_EQ(written.out, "Done\t" + outDir + "/" + kOddName + "\n");
  EXPECT_EQ(written.err, "");
  ASSERT_TRUE(IsExecutable(script));
  EXPECT_EQ(ReadWholeFile(script).rfind("#!/bin/sh\n", 0), 0u);
  // Writing the script converts nothing.
  EXPECT_FALSE(Exists(outDir + "/" + kOddName));

  // The script ends by waiting for Enter; with no terminal its read meets the end of input.
  const CommandResult ran =
      RunCommand({"sh", "-c", "cd " + ShellQuote(dir_.Path().string()) + " && sh " + ShellQuote(script)});
  EXPECT_NE(ran.output.find("Press Enter to continue"), std::string::npos) << ran.output;
  EXPECT_EQ(ProbeVideoSize(outDir + "/" + kOddName), "160x120");
  EXPECT_FALSE(SomethingWasInjected());

  // Beside the input, an output with the input's own name gets "_NEW".
  const CliResult beside = Run({"script", "s.sh", kOddName});
  EXPECT_EQ(beside.exitCode, 0);
  EXPECT_EQ(beside.out, "Done\t" + (dir_ / "it's a \"clip\" $(touch pwned) `touch pwned`_NEW.mp4") + "\n");
  EXPECT_TRUE(IsExecutable(dir_ / "s.sh"));
}

TEST_F(CliTest, BatchScriptHasCrLfLinesAndQuotedPaths) {
  const std::string clip = Clip("my clip.mp4", 0.5);
  const CliResult written = Run({"script", "--format", "bat", "run it.bat", clip, "--out-dir", dir_ / "o"});
  ASSERT_EQ(written.exitCode, 0) << written.err;
  EXPECT_EQ(written.out, "Done\t" + (dir_ / "o/my clip.mp4") + "\n");
  const std::string text = ReadWholeFile(dir_ / "run it.bat");
  ASSERT_FALSE(text.empty());
  size_t lf = 0, crlf = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n') continue;
    ++lf;
    if (i > 0 && text[i - 1] == '\r') ++crlf;
  }
  EXPECT_EQ(lf, crlf);
  EXPECT_EQ(text.rfind("@echo off\r\n", 0), 0u);
  EXPECT_NE(text.find("\r\n%ffmpeg% -y -i \"" + clip +
                      "\" %VCodec% %VParams% %ACodec% %AParams% %AdvParams% %AddParams% \"" + (dir_ / "o/my clip.mp4") +
                      "\"\r\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.substr(text.size() - 7), "pause\r\n");
}

TEST_F(CliTest, BadInputIsOneLineAndExit2WithNothingDone) {
  const std::string clip = Clip("good.mp4", 0.5);
  const std::string missing = dir_ / "no such clip.mp4";
  const std::string outDir = dir_ / "out";
  dir_.Write("notes.txt", "text");
  std::filesystem::create_directory(dir_ / "a folder.ini");
  const std::string listWithMissing = dir_.Write("missing.lst", clip + "\r\n" + missing + "\r\n");

  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const std::vector<Case> cases = {
      {{"frobnicate"}, "unknown command \"frobnicate\" (try --help)"},
      {{"convert", "--frob", clip}, "unknown option \"--frob\" (try --help)"},
      {{"convert", clip, "--out-dir"}, "option --out-dir needs a value"},
      {{"preview", "--out-dir", outDir}, "option --out-dir does not apply to the command preview"},
      {{"convert", clip, missing, "--out-dir", outDir}, "no such file: \"" + missing + "\""},
      {{"script", dir_ / "s.sh", clip, missing}, "no such file: \"" + missing + "\""},
      {{"probe", missing}, "no such file: \"" + missing + "\""},
      {{"info", missing}, "no such file: \"" + missing + "\""},
      {{"convert", "notes.txt", "--out-dir", outDir}, "not a file type Vardeno converts: \"notes.txt\""},
      {{"preview", "--profile", dir_ / "none.ini"}, "cannot read the profile \"" + (dir_ / "none.ini") + "\""},
      {{"convert", clip, "--profile", "a folder.ini", "--out-dir", outDir}, "cannot read the profile \"a folder.ini\""},
      {{"convert", "--list", "none.lst", "--out-dir", outDir}, "cannot read the list file \"none.lst\""},
      {{"convert", "--list", "a folder.ini", "--out-dir", outDir}, "cannot read the list file \"a folder.ini\""},
      {{"convert", "--list", listWithMissing, "--out-dir", outDir}, "no such file: \"" + missing + "\""},
      {{"probe", dir_ / "a folder.ini"}, "not a file but a folder: \"" + (dir_ / "a folder.ini") + "\""},
      {{"script", dir_ / "no folder/s.sh", clip}, "cannot write the script file \"" + (dir_ / "no folder/s.sh") + "\""},
      {{"script", "a folder.ini", clip}, "cannot write the script file \"a folder.ini\""},
      {{"convert", clip, "--out-dir", outDir, "--log", dir_ / "no folder/e.log"},
       "cannot write the log file \"" + (dir_ / "no folder/e.log") + "\""},
      {{"preview", "--set", "Loudness=3"}, "unknown setting \"Loudness\" in --set"},
      {{"convert", clip, "--set", "Volume=3", "--set", "Loudness=3", "--out-dir", outDir},
       "unknown setting \"Loudness\" in --set"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    const CliResult r = Run(c.args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "vardeno-cli: " + c.error + "\n");
    EXPECT_EQ(r.out, "");
  }
  EXPECT_FALSE(Exists(outDir));
  EXPECT_FALSE(Exists(dir_ / "s.sh"));

  // A profile the user may not read (root reads everything, so only for other users).
  if (geteuid() != 0) {
    const std::string locked = dir_.Write("locked.ini", "[AUDIO]\r\nVolume=50\r\n");
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    const CliResult r = Run({"preview", "--profile", locked});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "vardeno-cli: cannot read the profile \"" + locked + "\"\n");
  }
}

TEST_F(CliTest, RefusedSettingsExit3BeforeAnythingIsConverted) {
  const std::string clip = Clip("clip.mp4", 0.5);
  const std::string outDir = dir_ / "out";

  const CliResult sizeLimit =
      Run({"convert", clip, "--out-dir", outDir, "--set", "SizeLimit=1", "--set", "SizeLimitValue=1,5 MB"});
  EXPECT_EQ(sizeLimit.exitCode, 3);
  EXPECT_EQ(sizeLimit.err, "File size limit must be a number!\n");
  EXPECT_EQ(sizeLimit.out, "");

  const CliResult bitrate = Run({"convert", clip, "--out-dir", outDir, "--set", "VideoBitrate=lots"});
  EXPECT_EQ(bitrate.exitCode, 3);
  EXPECT_EQ(bitrate.err, "Video bitrate: lots\nBitrate must be a integer value!\n");
  EXPECT_EQ(bitrate.out, "");

  const CliResult script = Run({"script", "s.sh", clip, "--set", "VideoBitrate=lots", "--lang", "pl"});
  EXPECT_EQ(script.exitCode, 3);
  EXPECT_EQ(script.err, "Bitrate video musi być liczbą całkowitą!\nPodano: lots\n");
  EXPECT_FALSE(Exists(dir_ / "s.sh"));
  EXPECT_FALSE(Exists(outDir + "/clip.mp4"));
}

TEST_F(CliTest, NoEncoderExits4) {
  const std::string clip = Clip("clip.mp4", 0.5);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"convert", clip, "--out-dir", dir_ / "out"}, {"script", "s.sh", clip},
        {"probe", clip}, {"info", clip}}) {
    SCOPED_TRACE(args[0]);
    std::vector<std::string> withEncoder = args;
    withEncoder.push_back("--encoder");
    withEncoder.push_back(kNoEncoder);
    const CliResult r = Run(withEncoder);
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_EQ(r.err.rfind("Could not find FFmpeg encoder!\n", 0), 0u) << r.err;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_FALSE(Exists(dir_ / "out/clip.mp4"));
  EXPECT_FALSE(Exists(dir_ / "s.sh"));
}

}  // namespace vardeno
