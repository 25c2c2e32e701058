// The conversion run with a scripted stand-in for the encoder program: output naming, the
// output-exists policies, statuses in both languages, abort, failed runs, batch scripts, pauses.
#include "conversion/ConversionRun.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/ConversionRunHarness.h"
#include "texts/AppTexts.h"

namespace vardeno {

namespace fs = std::filesystem;
using namespace conversion_run_test;

TEST(ConversionRun, OutputBesideTheInputGetsNewThenANumberedName) {
  Harness h;
  const std::string input = h.AddInput("clip.mp4");

  RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::Completed);
  ASSERT_EQ(h.encoder.runs.size(), 1u);
  // The whole argument text, pieces adapted for a modern encoder; the empty advanced and
  // additional pieces keep their blanks.
  EXPECT_EQ(h.encoder.runs[0], "-y -i \"" + input + "\" " + kModernVideo + " " + kModernAudio + "   \"" +
                                   h.In("clip_NEW.mp4") + "\"");
  EXPECT_EQ(h.encoder.runEncoderPaths[0], h.encoderPath);
  EXPECT_EQ(h.encoder.probed, std::vector<std::string>{input});
  EXPECT_EQ(h.currentProbe.FileName, input);
  EXPECT_EQ(h.Status(0), "Done");
  EXPECT_EQ(ReadWholeFile(input), "input bytes of clip.mp4");
  ExpectCleanEnd(h);

  // Converted again: clip_NEW.mp4 now exists and the rename policy numbers the new output.
  result = h.Execute();
  ASSERT_EQ(h.encoder.runs.size(), 2u);
  EXPECT_NE(h.encoder.runs[1].find(" \"" + h.In("clip_NEW_001.mp4") + "\""), std::string::npos) << h.encoder.runs[1];
  EXPECT_EQ(h.Status(0), "OK - Renamed");
  EXPECT_EQ(ReadWholeFile(h.In("clip_NEW.mp4")), "encoded " + input);
  EXPECT_EQ(ReadWholeFile(input), "input bytes of clip.mp4");
}

TEST(ConversionRun, OutputDirectoryIsCreatedAndARootRowHasOneSlash) {
  Harness h;
  const std::string input = h.AddInput("clip.avi");
  h.request.outputToInputDir = false;
  h.request.outputDir = h.dir / "out/deeper/";
  h.Execute();
  EXPECT_TRUE(fs::is_directory(h.dir / "out/deeper"));
  EXPECT_EQ(ReadWholeFile(h.dir / "out/deeper/clip.mp4"), "encoded " + input);
  EXPECT_EQ(h.view.outputFiles.back(), h.dir / "out/deeper/clip.mp4");

  // A row in the root folder; the stand-in writes nothing there.
  Harness root;
  root.AddRow("/", "vardeno-test-no-such-clip.avi");
  root.encoder.plans = {Plan(RunPlan::Output::None)};
  root.Execute();
  ASSERT_EQ(root.encoder.runs.size(), 1u);
  EXPECT_EQ(root.encoder.probed, std::vector<std::string>{"/vardeno-test-no-such-clip.avi"});
  const std::vector<std::string> args = SplitArgumentText(root.encoder.runs[0]);
  EXPECT_EQ(args[2], "/vardeno-test-no-such-clip.avi");
  EXPECT_EQ(args.back(), "/vardeno-test-no-such-clip.mp4");
}

TEST(ConversionRun, OutputExistsPolicies) {
  struct Case {
    int policy;
    std::string status;
    std::string output;  // file name the encoder is given, "" when it does not run
  };
  for (const Case& c : {Case{0, "OK - Renamed", "clip_001.mp4"}, Case{1, "OK - Overwritten", "clip.mp4"},
                        Case{2, "Skipped", ""}, Case{-1, "Done", "clip.mp4"}}) {
    SCOPED_TRACE(c.policy);
    Harness h;
    const std::string input = h.AddInput("clip.avi");
    h.dir.Write("in/clip.mp4", "older output");
    h.request.outputExistsPolicy = c.policy;
    const RunResult result = h.Execute();
    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(h.Status(0), c.status);
    ASSERT_EQ(h.view.finished.size(), 1u);
    EXPECT_EQ(h.view.finished[0].status, c.status);
    if (c.output.empty()) {
      // Skipped: no probe, no encoder, the file that was there stays.
      EXPECT_TRUE(h.encoder.probed.empty());
      EXPECT_TRUE(h.encoder.runs.empty());
      EXPECT_EQ(h.view.pendingCalls, 0);
      EXPECT_EQ(h.view.outputFiles.back(), h.In("clip.mp4"));
      EXPECT_EQ(ReadWholeFile(h.In("clip.mp4")), "older output");
    } else {
      ASSERT_EQ(h.encoder.runs.size(), 1u);
      EXPECT_EQ(SplitArgumentText(h.encoder.runs[0]).back(), h.In(c.output));
      EXPECT_EQ(ReadWholeFile(h.In(c.output)), "encoded " + input);
    }
    if (c.policy == 0) {
      EXPECT_EQ(ReadWholeFile(h.In("clip.mp4")), "older output");
    }
    EXPECT_EQ(ReadWholeFile(input), "input bytes of clip.avi");
  }
}

TEST(ConversionRun, AbortWhileAProbeWaitsStartsNoEncoderForThatRow) {
  Harness h;
  h.AddInput("a.avi");
  const std::string b = h.AddInput("b.avi");
  h.AddInput("c.avi");
  h.encoder.silentProbe = true;
  // The loop's own call before the probe is the first of the row; the probe's wait is the second.
  h.view.onPendingEvents = [&h, b] {
    if (h.view.CurrentInput() == b && h.view.pendingCallsThisRow == 2) h.run.AbortRequested = true;
  };

  const RunResult result = h.Execute();
  EXPECT_TRUE(result.aborted);
  EXPECT_EQ(h.encoder.runs.size(), 1u);  // only a.avi's encoder ran
  ASSERT_FALSE(h.encoder.terminated.empty());
  EXPECT_EQ(h.encoder.terminated.front(), h.encoderPath);  // the probing encoder is ended
  EXPECT_EQ(h.Status(0), "Done");
  EXPECT_EQ(h.Status(1), "Aborted");
  EXPECT_EQ(h.Status(2), "Ready");
}

TEST(ConversionRun, AbortInTheMiddleRowStopsTheRun) {
  for (bool fromPendingEvents : {false, true}) {
    SCOPED_TRACE(fromPendingEvents);
    Harness h;
    h.AddInput("a.avi");
    const std::string b = h.AddInput("b.avi");
    h.AddInput("c.avi");
    h.request.afterConversion = 1;  // close the program
    if (fromPendingEvents) {
      // The click is handled while the second encoder runs (the loop's own call before the probe
      // is the first of the row).
      h.view.onPendingEvents = [&h, b] {
        if (h.view.CurrentInput() == b && h.view.pendingCallsThisRow == 2) h.run.AbortRequested = true;
      };
      h.encoder.plans = {RunPlan{}, Printing({"frame=   10 fps=0.0 q=2.0 size= 1kB"})};
    } else {
      h.encoder.plans = {RunPlan{}, AbortedByUser()};
    }

    const RunResult result = h.Execute();
    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_TRUE(result.aborted);
    EXPECT_EQ(h.encoder.runs.size(), 2u);
    EXPECT_EQ(h.encoder.terminated.front(), h.encoderPath);
    EXPECT_EQ(h.Status(0), "Done");
    EXPECT_EQ(h.Status(1), "Aborted");
    EXPECT_EQ(h.Status(2), "Ready");
    EXPECT_EQ(h.view.statuses.back().text, "Aborted");
    EXPECT_EQ(h.view.statuses.back().tone, StatusTone::Error);
    // The bar is not filled for the aborted file.
    EXPECT_EQ(std::count(h.view.progress.begin(), h.view.progress.end(), 100), 1);
    // The ended encoder reported exit code 1: one log entry, counted in the caption, no window.
    EXPECT_EQ(result.errorCount, 1);
    EXPECT_TRUE(h.LogHas("Error # 1"));
    EXPECT_TRUE(h.LogHas("ExitCode: 1"));
    EXPECT_EQ(h.view.errorsWindowShown, 0);
    EXPECT_EQ(h.view.errorsCaptions.back(), "Errors (1)");
    EXPECT_EQ(h.host.closeCalls, 0);
    EXPECT_EQ(result.afterRun, AfterRunOutcome::Nothing);
    // The partly written output of the aborted file is not empty and stays.
    EXPECT_TRUE(fs::exists(h.In("b.mp4")));
    EXPECT_FALSE(fs::exists(h.In("c.mp4")));
    EXPECT_EQ(h.view.abortCaptions.back(), "Close");
    ExpectCleanEnd(h);
  }
}

TEST(ConversionRun, FailedRunShowsTheCodeUnsignedAndTheNextRowStillConverts) {
  Harness h;
  h.AddInput("a.avi");
  h.AddInput("b.avi");
  h.request.afterConversion = 1;
  h.encoder.plans = {Printing({"a.avi: Invalid data found when processing input"}, 0xFFFFFFFFu)};
  const RunResult result = h.Execute();
  EXPECT_EQ(h.Status(0), "Error (4294967295)");
  EXPECT_EQ(h.Status(1), "Done");
  EXPECT_EQ(h.encoder.runs.size(), 2u);
  // EncoderOutputLines is emptied before each encoder run.
  EXPECT_EQ(h.encoder.linesAtStart, (std::vector<std::size_t>{0, 0}));
  EXPECT_TRUE(h.LogHas("ExitCode: 4294967295"));
  EXPECT_TRUE(h.LogHas("a.avi: Invalid data found when processing input"));
  EXPECT_EQ(result.errorCount, 1);
  EXPECT_EQ(h.view.errorsWindowShown, 1);
  EXPECT_EQ(h.view.errorsCaptions.back(), "Errors (1)");
  // The bar is filled after a failed run too; the tone tells failure from success.
  EXPECT_EQ(h.view.progress, (std::vector<int>{0, 0, 100, 0, 100}));
  EXPECT_EQ(h.view.finished[0].status, "Error (4294967295)");
  EXPECT_EQ(h.host.closeCalls, 0);
  ExpectCleanEnd(h);
}

TEST(ConversionRun, StatusesAndCaptionsInPolish) {
  {
    Harness h;
    h.language = UiLanguage::Polish;
    h.AddInput("a.avi");
    h.AddInput("b.avi");
    h.dir.Write("in/b.mp4", "old");
    h.AddInput("c.avi");
    h.encoder.plans = {RunPlan{}, RunPlan{}, Plan(RunPlan::Output::None, 1)};
    h.Execute();
    EXPECT_EQ(h.Status(0), "Zrobiono");
    EXPECT_EQ(h.Status(1), "OK - Zmieniono nazwę");
    EXPECT_EQ(h.Status(2), "Błąd (1)");
    EXPECT_EQ(h.view.errorsCaptions.front(), "Błędy");
    EXPECT_EQ(h.view.errorsCaptions.back(), "Błędy (1)");
    EXPECT_EQ(h.view.abortCaptions, (std::vector<std::string>{"Przerwij", "Zamknij"}));
    EXPECT_TRUE(std::any_of(h.view.statuses.begin(), h.view.statuses.end(),
                            [](const auto& status) { return status.text == "Proszę czekać..."; }));
  }
  {
    Harness h;
    h.language = UiLanguage::Polish;
    h.AddInput("a.avi");
    h.dir.Write("in/a.mp4", "old");
    h.AddInput("b.avi");
    h.dir.Write("in/b.mp4", "old");
    h.request.outputExistsPolicy = 2;
    h.Execute();
    EXPECT_EQ(h.Status(0), "Pominięto");
    h.request.outputExistsPolicy = 1;
    h.encoder.plans = {RunPlan{}, AbortedByUser()};
    h.Execute();
    EXPECT_EQ(h.Status(0), "OK - Nadpisano");
    EXPECT_EQ(h.Status(1), "Przerwano");
  }
  {
    Harness h;
    h.language = UiLanguage::Polish;
    h.AddInput("a.avi");
    h.encoder.plans = {FailsToStart()};
    h.Execute();
    EXPECT_EQ(h.Status(0), "Konwertowanie");
  }
}

TEST(ConversionRun, BatchFileHasHeaderOneLinePerRowAndPause) {
  Harness h;
  const std::string a = h.AddInput("a.avi");
  h.AddInput("skipped.avi");
  h.dir.Write("in/skipped.mp4", "there already");
  h.AddInput("unchecked.avi", false);
  const std::string c = h.AddInput("c d.avi");
  h.request.outputExistsPolicy = 2;
  h.request.batchMode = true;
  h.request.batchFileName = h.dir / "convert.bat";
  h.request.scriptFormat = ScriptFormat::WindowsBatch;
  h.request.afterConversion = 1;

  const RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::Completed);
  const std::string tail = " %VCodec% %VParams% %ACodec% %AParams% %AdvParams% %AddParams% ";
  EXPECT_EQ(ReadWholeFile(h.dir / "convert.bat"),
            "@echo off\r\n"
            "set ffmpeg=\"" + h.encoderPath + "\"\r\n"
            "set VCodec=-vcodec libx264 -profile:v baseline -pix_fmt yuv420p\r\n"
            "set VParams=-b:v 500k -r 25\r\n"
            "set ACodec=-acodec aac\r\n"
            "set AParams=-b:a 96k -ar 44100 -ac 2\r\n"
            "set AdvParams=\r\n"
            "set AddParams=\r\n"
            "%ffmpeg% -y -i \"" + a + "\"" + tail + "\"" + h.In("a.mp4") + "\"\r\n"
            "%ffmpeg% -y -i \"" + c + "\"" + tail + "\"" + h.In("c d.mp4") + "\"\r\n"
            "pause\r\n");
  // Nothing probed, run or shown as progress; the rows keep their statuses; no codec is asked for.
  EXPECT_TRUE(h.encoder.probed.empty());
  EXPECT_TRUE(h.encoder.runs.empty());
  EXPECT_TRUE(h.encoder.codecQueries.empty());
  EXPECT_EQ(h.view.progressWindowShown, 0);
  for (std::size_t row = 0; row < 4; ++row) EXPECT_EQ(h.Status(row), "Ready");
  // One pause per checked row (the skipped one too), none for probes.
  EXPECT_EQ(h.view.pauses.size(), 3u);
  EXPECT_EQ(h.host.closeCalls, 1);
  EXPECT_EQ(result.afterRun, AfterRunOutcome::Closed);
  EXPECT_FALSE(fs::exists(h.In("a.mp4")));
  ExpectCleanEnd(h);

  // The shell form: same structure, LF endings, the run bit.
  Harness sh;
  sh.AddInput("a.avi");
  sh.request.batchMode = true;
  sh.request.batchFileName = sh.dir / "convert.sh";
  sh.Execute();
  const std::string text = ReadWholeFile(sh.dir / "convert.sh");
  EXPECT_EQ(text.rfind("#!/bin/sh\n", 0), 0u);
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_NE(text.find("ACodec='-acodec aac'\n"), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 12);
  EXPECT_TRUE((fs::status(sh.dir / "convert.sh").permissions() & fs::perms::owner_exec) != fs::perms::none);
}

TEST(ConversionRun, ClassicEncoderGetsThePiecesUnchanged) {
  Harness h;
  h.encoder.generation = EncoderGeneration::Classic;
  h.request.settings.Volume = 50;
  h.request.settings.CropTop = 8;
  h.request.settings.AdditionalParams = {"-metadata title=x"};
  const std::string input = h.AddInput("a.avi");
  h.Execute();
  ASSERT_EQ(h.encoder.runs.size(), 1u);
  EXPECT_EQ(h.encoder.runs[0], "-y -i \"" + input + "\" -vcodec libx264 -b 500k -r 25 -acodec libfaac "
                               "-ab 96k -ar 44100 -ac 2 -vol 128 -croptop 8 -metadata title=x \"" +
                                   h.In("a.mp4") + "\"");

  // The same settings for a modern encoder, in the run and in the script.
  Harness m;
  m.request.settings = h.request.settings;
  m.AddInput("a.avi");
  m.Execute();
  ASSERT_EQ(m.encoder.runs.size(), 1u);
  EXPECT_NE(m.encoder.runs[0].find(" -acodec aac -b:a 96k -ar 44100 -ac 2 -af volume=0.5 -vf crop=iw-(0+0):ih-(8+0):0:8 "
                                   "-metadata title=x \""),
            std::string::npos)
      << m.encoder.runs[0];
  m.request.batchMode = true;
  m.request.scriptFormat = ScriptFormat::WindowsBatch;
  m.request.batchFileName = m.dir / "x.bat";
  m.request.outputExistsPolicy = 1;
  m.Execute();
  const std::string bat = ReadWholeFile(m.dir / "x.bat");
  EXPECT_NE(bat.find("\r\nset AParams=-b:a 96k -ar 44100 -ac 2 -af volume=0.5\r\n"), std::string::npos) << bat;
  EXPECT_NE(bat.find("\r\nset AdvParams=-vf crop=iw-(0+0):ih-(8+0):0:8\r\n"), std::string::npos) << bat;
}

TEST(ConversionRun, PausesBeforeEveryCheckedRowAndAfterEveryProbe) {
  Harness h;
  h.AddInput("a.avi");
  h.AddInput("b.avi");
  h.dir.Write("in/b.mp4", "exists");
  h.AddInput("unchecked.avi", false);
  h.AddInput("c.avi");
  h.request.outputExistsPolicy = 2;
  h.Execute();
  EXPECT_EQ(h.encoder.probed.size(), 2u);
  EXPECT_EQ(h.view.pauses, std::vector<std::chrono::milliseconds>(5, std::chrono::milliseconds(150)));
  EXPECT_EQ(h.run.FileCount, 3);
  EXPECT_EQ(h.run.FileNo, 3);
  EXPECT_EQ(h.view.progressWindowShown, 1);
}

}  // namespace vardeno
