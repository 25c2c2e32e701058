// What the end-to-end tests share: clips made by ffmpeg's own test sources, ffprobe readings, and
// one conversion run with the real ffmpeg, the real process runner and a recording view.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/AppParams.h"
#include "app/EncoderMissing.h"
#include "conversion/ConversionRun.h"
#include "conversion/SystemEncoder.h"
#include "support/Command.h"
#include "support/RecordingConversionView.h"
#include "support/TempDir.h"

namespace vardeno {

namespace e2e {
namespace fs = std::filesystem;


// A clip of 160x120 test picture at 10 frames a second, with a sine tone unless silent.
inline void MakeClip(const std::string& path, double seconds, bool withAudio = true) {
  const std::string length = std::to_string(seconds);
  std::vector<std::string> argv = {"ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                                   "testsrc=duration=" + length + ":size=160x120:rate=10"};
  if (withAudio) {
    for (const char* arg : {"-f", "lavfi", "-i"}) argv.push_back(arg);
    argv.push_back("sine=frequency=440:sample_rate=44100:duration=" + length);
  }
  for (const char* arg : {"-c:v", "mpeg4", "-c:a", "mp2", "-shortest"}) argv.push_back(arg);
  argv.push_back(path);
  const CommandResult made = RunCommand(argv);
  ASSERT_EQ(made.exitCode, 0) << made.output;
}

// One line per stream: "codec,type[,width,height]".
inline std::vector<std::string> ProbeStreams(const std::string& file) {
  const CommandResult r = RunCommand({"ffprobe", "-v", "error", "-show_entries", "stream=codec_name,codec_type,width,height",
                                      "-of", "csv=p=0", file},
                                     false);
  std::vector<std::string> lines;
  std::string line;
  for (char c : r.output) {
    if (c == '\n') {
      if (!line.empty()) lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

inline double ProbeDuration(const std::string& file) {
  const CommandResult r =
      RunCommand({"ffprobe", "-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", file}, false);
  try {
    return std::stod(r.output);
  } catch (const std::exception&) {
    return -1;
  }
}

struct RealRun {
  TempDir dir;
  AppParams params;
  UiLanguage language = UiLanguage::English;
  RunState run;
  MediaProbe currentProbe;
  EncoderOutputLines outputLines;
  FileList files;
  ErrorLog log;
  SystemEncoder encoder;
  RecordingConversionView view;
  FakePower power;
  FakeAfterRunHost host;
  ConversionRequest request;

  RealRun() {
    params.EncoderExe = "ffmpeg";
    request.settings.OutputFormat = 3;  // MP4 (H.264 / AAC)
    request.resolutions = MakeResolutionList(BuiltInResolutions());
  }
  void AddRow(const std::string& path, bool checked = true) {
    FileListRow row;
    row.Checked = checked;
    row.Directory = fs::path(path).parent_path().string();
    row.Name = fs::path(path).filename().string();
    row.Status = "Ready";
    files.AppendRows({row});
  }
  RunResult Execute() {
    ConversionState state{[this] { return GetEncoderPath(params, dir.Path().string()); },
                          ShowEncoderMissing,
                          params.PbColor,
                          language,
                          run,
                          currentProbe,
                          outputLines,
                          files,
                          log};
    ConversionRun conversion(state, encoder, view, power, host);
    return conversion.Execute(request);
  }
  std::string Status(std::size_t row) const { return files.Row(row).Status; }
  bool LogHasLineStarting(const std::string& start) const {
    for (const std::string& line : log.Lines())
      if (line.rfind(start, 0) == 0) return true;
    return false;
  }
};

}  // namespace e2e

}  // namespace vardeno
