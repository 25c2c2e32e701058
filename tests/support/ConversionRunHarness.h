// A scripted stand-in for the encoder program and a harness around one conversion run, for the
// job loop's tests: the encoder records its calls and writes, empties or leaves the output file,
// returns chosen exit codes, can be aborted while it runs, or fail to start.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/AppParams.h"
#include "app/EncoderMissing.h"
#include "conversion/ConversionRun.h"
#include "platform/ArgumentText.h"
#include "platform/SystemError.h"
#include "support/RecordingConversionView.h"
#include "support/TempDir.h"

namespace vardeno {

namespace conversion_run_test {

// What the stand-in encoder does on one Run call.
struct RunPlan {
  enum class Output { Write, Empty, None };
  Output output = Output::Write;  // write "encoded <input>", leave an empty file, or touch nothing
  std::uint32_t exitCode = 0;
  std::vector<std::string> printed;  // output lines, each delivered as one piece
  bool abortWhileRunning = false;    // the user's Abort click arrives with the first piece
  bool failToStart = false;          // throws SystemError as the runner does
  bool removeOutputFolder = false;   // the output's folder goes while the encoder writes; exit 0
};

inline RunPlan Plan(RunPlan::Output output, std::uint32_t exitCode = 0) {
  RunPlan plan;
  plan.output = output;
  plan.exitCode = exitCode;
  return plan;
}
inline RunPlan Printing(std::vector<std::string> printed, std::uint32_t exitCode = 0) {
  RunPlan plan;
  plan.printed = std::move(printed);
  plan.exitCode = exitCode;
  return plan;
}
inline RunPlan AbortedByUser() {
  RunPlan plan;
  plan.abortWhileRunning = true;
  return plan;
}
inline RunPlan FailsToStart() {
  RunPlan plan;
  plan.output = RunPlan::Output::None;
  plan.failToStart = true;
  return plan;
}

class FakeEncoder : public EncoderAccess {
 public:
  bool silentProbe = false;  // each probe waits once for a silent encoder
  explicit FakeEncoder(RunState& run) : run_(run) {}

  EncoderGeneration Generation(const std::string& /*encoderPath*/) override { return generation; }

  std::optional<bool> HasEncoder(const std::string& /*encoderPath*/, const std::string& codec) override {
    codecQueries.push_back(codec);
    const auto known = codecs.find(codec);
    return known == codecs.end() ? std::optional<bool>(true) : known->second;
  }

  std::optional<bool> HasFilter(const std::string& /*encoderPath*/, const std::string& filter) override {
    const auto known = filters.find(filter);
    return known == filters.end() ? std::optional<bool>(true) : known->second;
  }

  MediaProbe Probe(const std::string& inputPath, const std::string& /*encoderPath*/, const IdleHandler& idle) override {
    probed.push_back(inputPath);
    if (silentProbe && idle) idle();  // the runner's call while the probing encoder is silent
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

    if (plan.removeOutputFolder) std::filesystem::remove_all(std::filesystem::path(output).parent_path());
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
  std::map<std::string, std::optional<bool>> filters;  // filters not named here are available
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
  AppParams params;
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
  ConversionRun::SleepLockRequest keepAwake;  // none unless a test gives one

  Harness() {
    // Only its existence matters: every call goes to the stand-in.
    encoderPath = dir.Write("ffmpeg", "#!/bin/sh\n");
    params.EncoderExe = encoderPath;
    std::filesystem::create_directory(dir / "in");
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
    ConversionState state{[this] { return GetEncoderPath(params, ""); },
                          ShowEncoderMissing,
                          params.PbColor,
                          language,
                          run,
                          currentProbe,
                          outputLines,
                          files,
                          log};
    ConversionRun conversion(state, encoder, view, power, host);
    conversion.SetSleepLock(keepAwake);
    return conversion.Execute(request);
  }

  bool LogHas(const std::string& line) const {
    return std::find(log.Lines().begin(), log.Lines().end(), line) != log.Lines().end();
  }
};

// Every way a run ends that got past the size-limit check leaves it idle with the window enabled.
inline void ExpectCleanEnd(const Harness& h) {
  EXPECT_FALSE(h.run.Running);
  EXPECT_FALSE(h.run.BatchMode);
  EXPECT_EQ(h.view.disableCalls, 1);
  EXPECT_EQ(h.view.enableCalls, 1);
  const auto& e = h.view.events;
  const auto disable = std::find(e.begin(), e.end(), "disable");
  const auto enable = std::find(e.begin(), e.end(), "enable");
  EXPECT_TRUE(disable < enable);
}

// The argument pieces of the default settings for a modern encoder.
inline const std::string kModernVideo = "-vcodec libx264 -profile:v baseline -pix_fmt yuv420p -b:v 500k -r 25";
inline const std::string kModernAudio = "-acodec aac -b:a 96k -ar 44100 -ac 2";

}  // namespace conversion_run_test

}  // namespace vardeno
