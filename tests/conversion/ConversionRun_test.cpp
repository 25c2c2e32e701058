// The conversion run with a scripted stand-in for the encoder program: output naming, the
// output-exists policies, statuses, abort, failures, early ends, batch scripts and file safety.
#include "conversion/ConversionRun.h"

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/ArgumentText.h"
#include "platform/SystemError.h"
#include "support/RecordingConversionView.h"
#include "support/TempDir.h"
#include "texts/AppTexts.h"

namespace fs = std::filesystem;

namespace {

// What the stand-in encoder does on one Run call.
struct RunPlan {
  enum class Output { Write, Empty, None };
  Output output = Output::Write;  // write "encoded <input>", leave an empty file, or touch nothing
  std::uint32_t exitCode = 0;
  std::vector<std::string> printed;  // output lines, each delivered as one piece
  bool abortWhileRunning = false;    // the user's Abort click arrives with the first piece
  bool failToStart = false;          // throws SystemError as the runner does
};

RunPlan Plan(RunPlan::Output output, std::uint32_t exitCode = 0) {
  RunPlan plan;
  plan.output = output;
  plan.exitCode = exitCode;
  return plan;
}
RunPlan Printing(std::vector<std::string> printed, std::uint32_t exitCode = 0) {
  RunPlan plan;
  plan.printed = std::move(printed);
  plan.exitCode = exitCode;
  return plan;
}
RunPlan AbortedByUser() {
  RunPlan plan;
  plan.abortWhileRunning = true;
  return plan;
}
RunPlan FailsToStart() {
  RunPlan plan;
  plan.output = RunPlan::Output::None;
  plan.failToStart = true;
  return plan;
}

class FakeEncoder : public EncoderAccess {
 public:
  explicit FakeEncoder(RunState& run) : run_(run) {}

  EncoderGeneration Generation(const std::string& /*encoderPath*/) override { return generation; }

  std::optional<bool> HasEncoder(const std::string& /*encoderPath*/, const std::string& codec) override {
    codecQueries.push_back(codec);
    const auto known = codecs.find(codec);
    return known == codecs.end() ? std::optional<bool>(true) : known->second;
  }

  MediaProbe Probe(const std::string& inputPath, const std::string& /*encoderPath*/) override {
    probed.push_back(inputPath);
    MediaProbe probe;
    probe.FileName = inputPath;
    probe.Duration = 10;
    return probe;
  }

  std::uint32_t Run(const std::string& encoderPath, const std::string& argText, EncoderOutputLines& lines,
                    const OutputLineHandler& handler, const IdleHandler& idle) override {
    const RunPlan plan = runs.size() < plans.size() ? plans[runs.size()] : RunPlan{};
    runs.push_back(argText);
    runEncoderPaths.push_back(encoderPath);
    linesAtStart.push_back(lines.size());
    if (plan.failToStart) throw SystemError(2, "No such file or directory");

    const std::vector<std::string> args = SplitArgumentText(argText);
    const std::string output = args.empty() ? std::string() : args.back();
    if (plan.output == RunPlan::Output::Write) {
      std::ofstream(output, std::ios::binary | std::ios::trunc) << "encoded " << (args.size() > 2 ? args[2] : "");
    } else if (plan.output == RunPlan::Output::Empty) {
      std::ofstream(output, std::ios::binary | std::ios::trunc);
    }

    terminatedThisRun_ = false;
    if (plan.abortWhileRunning) run_.AbortRequested = true;
    for (const std::string& line : plan.printed) {
      lines.push_back(line);
      if (handler) handler(ChildProcess{4242}, line);
    }
    if (idle) idle();
    // The runner's final delivery once the child has ended.
    lines.emplace_back();
    if (handler) handler(ChildProcess{4242}, "");
    return terminatedThisRun_ ? kTerminatedExitCode : plan.exitCode;
  }

  bool Terminate(const std::string& encoderPath) override {
    terminated.push_back(encoderPath);
    terminatedThisRun_ = true;
    return true;
  }

  EncoderGeneration generation = EncoderGeneration::Modern;
  std::map<std::string, std::optional<bool>> codecs;  // codecs not named here are available
  std::vector<RunPlan> plans;                         // by Run call; later calls use RunPlan{}

  std::vector<std::string> codecQueries;
  std::vector<std::string> probed;
  std::vector<std::string> runs;  // argument texts
  std::vector<std::string> runEncoderPaths;
  std::vector<std::size_t> linesAtStart;
  std::vector<std::string> terminated;

 private:
  RunState& run_;
  bool terminatedThisRun_ = false;
};

struct Harness {
  TempDir dir;
  TAppParams params;
  UiLanguage language = UiLanguage::English;
  RunState run;
  MediaProbe currentProbe;
  EncoderOutputLines outputLines;
  FileList files;
  ErrorLog log{[] { return DateTimeTexts{"2024-05-06", "07:08:09"}; }};
  FakeEncoder encoder{run};
  RecordingConversionView view;
  FakePower power;
  FakeAfterRunHost host;
  ConversionRequest request;
  std::string encoderPath;

  Harness() {
    // Only its existence matters: every call goes to the stand-in.
    encoderPath = dir.Write("ffmpeg", "#!/bin/sh\n");
    params.EncoderExe = encoderPath;
    fs::create_directory(dir / "in");
    request.settings.OutputFormat = 3;  // MP4 (H.264 / AAC)
    request.resolutions = MakeResolutionList(BuiltInResolutions());
  }

  // An input file in dir/in, with content, and its checked row.
  std::string AddInput(const std::string& name, bool checked = true) {
    const std::string path = dir.Write("in/" + name, "input bytes of " + name);
    AddRow((dir.Path() / "in").string(), name, checked);
    return path;
  }
  void AddRow(const std::string& directory, const std::string& name, bool checked = true) {
    FileListRow row;
    row.Checked = checked;
    row.Directory = directory;
    row.Name = name;
    row.Status = "Ready";
    files.AppendRows({row});
  }
  std::string In(const std::string& name) const { return dir / ("in/" + name); }
  std::string Status(std::size_t row) const { return files.Row(row).Status; }

  RunResult Execute() {
    ConversionRun conversion({params, "", language, run, currentProbe, outputLines, files, log}, encoder, view, power,
                             host);
    return conversion.Execute(request);
  }

  bool LogHas(const std::string& line) const {
    return std::find(log.Lines().begin(), log.Lines().end(), line) != log.Lines().end();
  }
};

// Every way a run ends that got past the size-limit check leaves it idle with the window enabled.
void ExpectCleanEnd(const Harness& h) {
  EXPECT_FALSE(h.run.Running);
  EXPECT_FALSE(h.run.BatchMode);
  EXPECT_EQ(h.view.disableCalls, 1);
  EXPECT_EQ(h.view.enableCalls, 1);
  const auto& e = h.view.events;
  const auto disable = std::find(e.begin(), e.end(), "disable");
  const auto enable = std::find(e.begin(), e.end(), "enable");
  EXPECT_TRUE(disable < enable);
}

// For the life of the object the calling thread obeys file permissions even when it runs as
// root (the capabilities that override them are taken out of its effective set), so a file
// without read permission really cannot be opened.
class ScopedFilePermissionsObeyed {
 public:
  ScopedFilePermissionsObeyed() {
    if (syscall(SYS_capget, &header_, saved_) != 0) return;
    __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
    reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    restore_ = syscall(SYS_capset, &header_, reduced) == 0;
  }
  ~ScopedFilePermissionsObeyed() {
    if (restore_) syscall(SYS_capset, &header_, saved_);
  }
  ScopedFilePermissionsObeyed(const ScopedFilePermissionsObeyed&) = delete;
  ScopedFilePermissionsObeyed& operator=(const ScopedFilePermissionsObeyed&) = delete;

 private:
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2]{};
  bool restore_ = false;
};

const std::string kModernVideo = "-vcodec libx264 -b:v 500k -r 25";
const std::string kModernAudio = "-acodec aac -b:a 96k -ar 44100 -ac 2";

}  // namespace

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
            "set VCodec=-vcodec libx264\r\n"
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

TEST(ConversionRun, EmptyOutputsAreDeletedAndPartialOnesKept) {
  Harness h;
  h.AddInput("empty-failed.avi");
  h.AddInput("partial-failed.avi");
  h.AddInput("empty-ok.avi");
  h.AddInput("nothing-written.avi");
  h.encoder.plans = {Plan(RunPlan::Output::Empty, 1), Plan(RunPlan::Output::Write, 1),
                     Plan(RunPlan::Output::Empty, 0), Plan(RunPlan::Output::None, 0)};
  h.Execute();
  EXPECT_FALSE(fs::exists(h.In("empty-failed.mp4")));
  EXPECT_EQ(h.Status(0), "Error (1)");
  EXPECT_TRUE(fs::exists(h.In("partial-failed.mp4")));
  EXPECT_EQ(h.Status(1), "Error (1)");
  EXPECT_FALSE(fs::exists(h.In("empty-ok.mp4")));
  EXPECT_EQ(h.Status(2), "Done");
  EXPECT_EQ(h.Status(3), "Done");
  // Two failures, numbered in order.
  EXPECT_TRUE(h.LogHas("Error # 1"));
  EXPECT_TRUE(h.LogHas("Error # 2"));
  EXPECT_EQ(h.view.errorsCaptions.back(), "Errors (2)");
}

TEST(ConversionRun, TwoRowsWithOneOutputAreNumberedOnlyAfterARealFile) {
  for (bool firstWritesSomething : {true, false}) {
    SCOPED_TRACE(firstWritesSomething);
    Harness h;
    h.AddInput("clip.avi");
    h.AddInput("clip.mkv");
    h.encoder.plans = {Plan(firstWritesSomething ? RunPlan::Output::Write : RunPlan::Output::Empty)};
    h.Execute();
    ASSERT_EQ(h.encoder.runs.size(), 2u);
    EXPECT_EQ(SplitArgumentText(h.encoder.runs[0]).back(), h.In("clip.mp4"));
    EXPECT_EQ(h.Status(0), "Done");
    if (firstWritesSomething) {
      EXPECT_EQ(SplitArgumentText(h.encoder.runs[1]).back(), h.In("clip_001.mp4"));
      EXPECT_EQ(h.Status(1), "OK - Renamed");
      EXPECT_EQ(ReadWholeFile(h.In("clip.mp4")), "encoded " + h.In("clip.avi"));
    } else {
      EXPECT_EQ(SplitArgumentText(h.encoder.runs[1]).back(), h.In("clip.mp4"));
      EXPECT_EQ(h.Status(1), "Done");
    }
  }
}

TEST(ConversionRun, NoCheckedRowsOnlyDisablesAndEnables) {
  Harness h;
  h.AddInput("a.avi", false);
  h.encoder.codecs["libx264"] = false;  // not even this is looked at
  h.request.batchMode = true;
  h.request.batchFileName = h.dir / "convert.sh";
  h.request.afterConversion = 1;
  RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::NoCheckedFiles);
  EXPECT_FALSE(fs::exists(h.dir / "convert.sh"));
  EXPECT_EQ(h.host.closeCalls, 0);
  EXPECT_TRUE(h.view.pauses.empty());
  EXPECT_EQ(h.view.progressWindowShown, 0);
  EXPECT_TRUE(h.view.warnings.empty());
  EXPECT_EQ(h.Status(0), "Ready");
  ExpectCleanEnd(h);

  Harness converting;
  converting.AddInput("a.avi", false);
  converting.encoder.codecs["libx264"] = false;
  result = converting.Execute();
  EXPECT_EQ(result.end, RunEnd::NoCheckedFiles);
  EXPECT_TRUE(converting.view.warnings.empty());
  EXPECT_TRUE(converting.encoder.probed.empty());
  EXPECT_EQ(converting.view.progressWindowShown, 0);
  ExpectCleanEnd(converting);
}

TEST(ConversionRun, RefusedSettingsEndTheRunAfterTheBuildersWarning) {
  Harness h;
  h.AddInput("a.avi");
  h.request.settings.VideoBitrate = "5OO";
  h.request.batchMode = true;
  h.request.batchFileName = h.dir / "convert.sh";
  const RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::RefusedSettings);
  EXPECT_EQ(h.view.warnings, std::vector<std::string>{"Video bitrate: 5OO\r\nBitrate must be a integer value!"});
  EXPECT_TRUE(h.encoder.runs.empty());
  EXPECT_FALSE(fs::exists(h.dir / "convert.sh"));
  EXPECT_TRUE(h.view.pauses.empty());
  ExpectCleanEnd(h);
}

TEST(ConversionRun, InvalidSizeLimitChangesNothing) {
  Harness h;
  h.AddInput("a.avi");
  h.request.settings.SizeLimit = true;
  h.request.settings.SizeLimitValue = "1.5 MB";
  h.run.ErrorCount = 3;
  h.log.AddEntry("from the run before", 3);
  const std::vector<std::string> logBefore = h.log.Lines();

  const RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::InvalidSizeLimit);
  EXPECT_EQ(h.view.warnings, std::vector<std::string>{"File size limit must be a number!"});
  EXPECT_EQ(h.view.disableCalls, 0);
  EXPECT_EQ(h.view.enableCalls, 0);
  EXPECT_TRUE(h.view.errorsCaptions.empty());
  EXPECT_EQ(h.run.ErrorCount, 3);
  EXPECT_EQ(h.log.Lines(), logBefore);
  EXPECT_FALSE(h.run.Running);
  EXPECT_TRUE(h.encoder.runs.empty());

  // Blanks anywhere and a decimal comma are fine: 1.5 MB.
  h.request.settings.SizeLimitValue = " 1 ,5 ";
  h.Execute();
  ASSERT_EQ(h.encoder.runs.size(), 1u);
  EXPECT_NE(h.encoder.runs[0].find(" -fs 1572864 "), std::string::npos) << h.encoder.runs[0];
  EXPECT_EQ(h.run.ErrorCount, 0);
}

TEST(ConversionRun, MissingEncoderProgramEndsTheRunBeforeAnyRow) {
  Harness h;
  h.AddInput("a.avi");
  h.params.EncoderExe = h.dir / "no/such/ffmpeg";
  const RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::NoEncoder);
  EXPECT_EQ(h.view.warnings, std::vector<std::string>{kEncoderMissing(UiLanguage::English)});
  EXPECT_TRUE(h.encoder.probed.empty());
  EXPECT_TRUE(h.view.pauses.empty());
  EXPECT_EQ(h.Status(0), "Ready");
  ExpectCleanEnd(h);
}

TEST(ConversionRun, OutputDirectoryThatCannotBeMadeEndsTheRunEarly) {
  Harness h;
  h.AddInput("a.avi");
  h.AddInput("b.avi");
  h.dir.Write("blocker", "a file where a folder should go");
  const std::string outDir = h.dir / "blocker/out";
  h.request.outputToInputDir = false;
  h.request.outputDir = outDir;
  h.request.batchMode = true;
  h.request.batchFileName = h.dir / "convert.sh";
  h.request.afterConversion = 1;
  RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::CannotCreateDir);
  EXPECT_EQ(h.view.warnings, std::vector<std::string>{"Couldn't create directory \"" + outDir + "\" !"});
  EXPECT_FALSE(fs::exists(h.dir / "convert.sh"));
  EXPECT_EQ(h.run.FileNo, 1);
  EXPECT_EQ(h.host.closeCalls, 0);
  EXPECT_EQ(h.view.abortCaptions, std::vector<std::string>{"Abort"});
  ExpectCleanEnd(h);

  // An empty folder text cannot be made at all: an error box, not the warning.
  for (const std::string& text : {std::string(), std::string("   ")}) {
    Harness e;
    e.AddInput("a.avi");
    e.request.outputToInputDir = false;
    e.request.outputDir = text;
    result = e.Execute();
    EXPECT_EQ(result.end, RunEnd::CannotCreateDir);
    EXPECT_EQ(e.view.systemErrors, std::vector<std::string>{"Unable to create directory"});
    EXPECT_TRUE(e.view.warnings.empty());
    EXPECT_TRUE(e.encoder.runs.empty());
    ExpectCleanEnd(e);
  }
}

TEST(ConversionRun, EncoderThatCannotStartEndsTheRunWithAnErrorBox) {
  Harness h;
  h.AddInput("a.avi");
  h.AddInput("b.avi");
  h.request.afterConversion = 1;
  h.encoder.plans = {FailsToStart()};
  const RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::SystemFailure);
  EXPECT_EQ(h.view.systemErrors, std::vector<std::string>{"System Error.  Code: 2.\r\nNo such file or directory"});
  EXPECT_EQ(h.Status(0), "Converting");
  EXPECT_EQ(h.Status(1), "Ready");
  EXPECT_EQ(h.encoder.runs.size(), 1u);
  EXPECT_EQ(h.view.errorsWindowShown, 0);
  EXPECT_EQ(h.host.closeCalls, 0);
  ExpectCleanEnd(h);
}

TEST(ConversionRun, MissingCodecWarnsButAnUnknownListDoesNot) {
  Harness h;
  h.AddInput("a.avi");
  h.encoder.codecs["aac"] = false;
  RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::MissingCodec);
  ASSERT_EQ(h.view.warnings.size(), 1u);
  EXPECT_EQ(h.view.warnings[0], "The FFmpeg program in use cannot encode with \"aac\".\r\n"
                                "Choose another output format or install an FFmpeg build that has this encoder.");
  EXPECT_TRUE(h.encoder.probed.empty());
  EXPECT_TRUE(h.encoder.runs.empty());
  EXPECT_EQ(h.Status(0), "Ready");
  ExpectCleanEnd(h);

  Harness unknown;
  unknown.AddInput("a.avi");
  unknown.encoder.codecs["libx264"] = std::nullopt;
  unknown.encoder.codecs["aac"] = std::nullopt;
  result = unknown.Execute();
  EXPECT_EQ(result.end, RunEnd::Completed);
  EXPECT_TRUE(unknown.view.warnings.empty());
  EXPECT_EQ(unknown.encoder.codecQueries, (std::vector<std::string>{"libx264", "aac"}));
  EXPECT_EQ(unknown.Status(0), "Done");

  // An audio-only format asks only for its audio encoder.
  Harness mp3;
  mp3.AddInput("a.avi");
  mp3.request.settings.OutputFormat = 8;
  mp3.Execute();
  EXPECT_EQ(mp3.encoder.codecQueries, std::vector<std::string>{"libmp3lame"});
  EXPECT_TRUE(mp3.run.AudioOnly);
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
  // The loop lets pending events run once per converted row before its probe; the handler adds
  // one call per delivered piece and per silent wait.
  EXPECT_EQ(h.run.FileCount, 3);
  EXPECT_EQ(h.run.FileNo, 3);
  EXPECT_EQ(h.view.progressWindowShown, 1);
}

TEST(ConversionRun, NoInputIsWrittenOverOrDeleted) {
  // Same format beside the input, and the same folder reached through a link: "_NEW" both times,
  // whatever the policy.
  for (int policy : {0, 1, -1}) {
    SCOPED_TRACE(policy);
    Harness h;
    const std::string input = h.AddInput("clip.mp4");
    fs::create_directory_symlink(h.dir / "in", h.dir / "link");
    h.request.outputExistsPolicy = policy;
    h.request.outputToInputDir = false;
    h.request.outputDir = h.dir / "link";
    h.encoder.plans = {Plan(RunPlan::Output::Empty, 1)};
    h.Execute();
    ASSERT_EQ(h.encoder.runs.size(), 1u);
    EXPECT_EQ(SplitArgumentText(h.encoder.runs[0]).back(), h.dir / "link/clip_NEW.mp4");
    EXPECT_EQ(ReadWholeFile(input), "input bytes of clip.mp4");
  }

  // An output that is another checked row's input is never overwritten, in either order of the
  // rows; a file that is not converted in this run is overwritten as asked.
  for (int policy : {1, -1}) {
    SCOPED_TRACE(policy);
    Harness h;
    const std::string avi = h.AddInput("a.avi");
    const std::string mp4 = h.AddInput("a.mp4");
    h.AddInput("b.avi");
    h.AddInput("c.avi");
    h.AddInput("c.mp4", false);
    h.dir.Write("in/b.mp4", "an earlier output");
    h.request.outputExistsPolicy = policy;
    h.encoder.plans = {Plan(RunPlan::Output::Empty, 1)};
    h.Execute();
    ASSERT_EQ(h.encoder.runs.size(), 4u);
    EXPECT_EQ(SplitArgumentText(h.encoder.runs[0]).back(), h.In("a_001.mp4"));
    EXPECT_EQ(h.Status(0), "Error (1)");
    EXPECT_EQ(SplitArgumentText(h.encoder.runs[1]).back(), h.In("a_NEW.mp4"));
    EXPECT_EQ(SplitArgumentText(h.encoder.runs[2]).back(), h.In("b.mp4"));
    EXPECT_EQ(h.Status(2), policy == 1 ? "OK - Overwritten" : "Done");
    EXPECT_EQ(SplitArgumentText(h.encoder.runs[3]).back(), h.In("c.mp4"));
    EXPECT_EQ(ReadWholeFile(avi), "input bytes of a.avi");
    EXPECT_EQ(ReadWholeFile(mp4), "input bytes of a.mp4");

    Harness reversed;
    const std::string first = reversed.AddInput("a.mp4");
    reversed.AddInput("a.avi");
    reversed.request.outputExistsPolicy = policy;
    reversed.Execute();
    ASSERT_EQ(reversed.encoder.runs.size(), 2u);
    EXPECT_EQ(SplitArgumentText(reversed.encoder.runs[1]).back(), reversed.In("a_001.mp4"));
    EXPECT_EQ(reversed.Status(1), "OK - Renamed");
    EXPECT_EQ(ReadWholeFile(first), "input bytes of a.mp4");
  }

  // An empty input converted to its own format: its "_NEW" output is deleted, never the input.
  {
    Harness h;
    h.dir.Write("in/empty.mp4", "");
    h.AddRow(h.dir / "in", "empty.mp4");
    h.encoder.plans = {Plan(RunPlan::Output::Empty, 1)};
    h.Execute();
    EXPECT_TRUE(fs::exists(h.In("empty.mp4")));
    EXPECT_FALSE(fs::exists(h.In("empty_NEW.mp4")));
  }

  // An existing output the encoder never touched: kept when it cannot be read, when it is a
  // folder, or a link to another file, because none of these is proven empty.
  {
    Harness h;
    h.AddInput("locked.avi");
    h.AddInput("folder.avi");
    h.AddInput("linked.avi");
    h.dir.Write("in/locked.mp4", "someone's data");
    fs::permissions(h.In("locked.mp4"), fs::perms::none);
    fs::create_directory(h.In("folder.mp4"));
    h.dir.Write("in/folder.mp4/inside", "x");
    fs::create_symlink(h.dir / "nowhere", h.In("linked.mp4"));
    h.request.outputExistsPolicy = 1;
    h.encoder.plans = std::vector<RunPlan>(3, Plan(RunPlan::Output::None, 1));
    {
      ScopedFilePermissionsObeyed obeyed;
      ASSERT_FALSE(std::ifstream(h.In("locked.mp4")).is_open());
      h.Execute();
    }
    EXPECT_EQ(h.encoder.runs.size(), 3u);
    ASSERT_TRUE(fs::exists(h.In("locked.mp4")));
    fs::permissions(h.In("locked.mp4"), fs::perms::owner_read);
    EXPECT_EQ(ReadWholeFile(h.In("locked.mp4")), "someone's data");
    EXPECT_TRUE(fs::exists(h.In("folder.mp4/inside")));
    EXPECT_TRUE(fs::is_symlink(h.In("linked.mp4")));
  }
}

TEST(ConversionRun, ScriptThatCannotBeSavedIsASystemErrorAndTakesNoAfterRunAction) {
  Harness h;
  h.AddInput("a.avi");
  h.request.batchMode = true;
  h.request.batchFileName = h.dir / "no/such/folder/convert.sh";
  h.request.afterConversion = 1;
  const RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::SystemFailure);
  ASSERT_EQ(h.view.systemErrors.size(), 1u);
  EXPECT_EQ(h.view.systemErrors[0].rfind("System Error.  Code: ", 0), 0u) << h.view.systemErrors[0];
  EXPECT_EQ(h.host.closeCalls, 0);
  EXPECT_EQ(h.view.abortCaptions, std::vector<std::string>{"Abort"});
  ExpectCleanEnd(h);
}
