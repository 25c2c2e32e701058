// The parallel scheduler against the job loop's one file after another, both running a
// real child process per file (the fake ffmpeg): the same outputs, statuses and error log entries
// under every output-exists policy, whatever order the files finish in.
#include "conversion/ParallelRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "app/AppParams.h"
#include "app/EncoderMissing.h"
#include "cli/FakeFfmpeg.h"
#include "conversion/SystemEncoder.h"
#include "support/RecordingConversionView.h"
#include "support/TempDir.h"

namespace vardeno {

namespace fs = std::filesystem;

namespace {
class MaxRunning : public RunSummaryDisplay {
 public:
  void ShowRunSummary(const RunSummary& summary) override {
    most = std::max(most, summary.running);
    last = summary;
  }
  int most = 0;
  RunSummary last;
};

// Input name and content, in list order. The sleeps make later files finish before earlier ones;
// pairs of rows map to one output; some outputs exist before the run.
const std::vector<std::pair<std::string, std::string>> kInputs = {
    {"a.avi", FakeInput("write", "sleep=150")},
    {"b.avi", FakeInput("write", "sleep=10")},
    {"c.avi", FakeInput("write", "w=c\\sfailed\\r\\n exit=1")},  // fails, keeps its partial file
    {"d.avi", FakeInput("empty", "w=d\\sfailed\\r\\n sleep=30 exit=2")},  // fails, its empty file goes
    {"clip.avi", FakeInput("write", "sleep=80")},
    {"clip.mkv", FakeInput("write", "exit=0")},                 // the same output as clip.avi
    {"song.wav", FakeInput("empty", "sleep=60 exit=1")},        // leaves nothing...
    {"song.flac", FakeInput("write", "exit=0")},                // ...so this one is not renamed
    {"old_002.avi", FakeInput("write", "sleep=120")},           // a name old.avi's renaming tries
    {"old.avi", FakeInput("write", "exit=0")},                  // old.mp4 and old_001.mp4 exist
    {"movie.avi", FakeInput("write", "sleep=40")},              // movie.mp4 is the next row's input
    {"movie.mp4", FakeInput("write", "exit=0")},
    {"e.avi", FakeInput("write", "sleep=70")},
    {"f.avi", FakeInput("write", "sleep=5")},
    {"g.avi", FakeInput("write", "w=g\\sline\\s1\\r\\n sleep=50 w=g\\sline\\s2\\r\\n exit=3")},
    {"h.avi", FakeInput("write", "sleep=25")},
    {"i.avi", FakeInput("write", "exit=0")},
    {"j.avi", FakeInput("write", "sleep=90")},
    {"k.avi", FakeInput("write", "sleep=15")},
    {"l.avi", FakeInput("write", "exit=0")},
};

// Everything a run leaves that must not depend on how many files convert at once.
struct Outcome {
  std::map<std::size_t, std::pair<std::string, std::string>> rows;  // row: status, output
  std::map<std::string, std::string> files;                          // every file left: content
  std::vector<std::string> logEntries;                               // without number and date, sorted
  int errorCount = 0;
  bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
  for (const auto& [row, r] : o.rows) out << row << " " << r.first << " " << r.second << "\n";
  for (const auto& [name, content] : o.files) out << name << ": " << content << "\n";
  for (const auto& entry : o.logEntries) out << "[" << entry << "]\n";
  return out << "errors " << o.errorCount << "\n";
}

std::string Relative(std::string text, const std::string& folder) {
  for (size_t at; (at = text.find(folder)) != std::string::npos;) text.replace(at, folder.size(), "<dir>");
  return text;
}

// The text of each entry: the lines between the date line and the closing rule.
std::vector<std::string> LogEntries(const std::vector<std::string>& lines, const std::string& folder) {
  std::vector<std::string> entries;
  std::string entry;
  bool inEntry = false;
  for (const std::string& line : lines) {
    if (line.rfind("Date & Time: ", 0) == 0) {
      inEntry = true;
      entry.clear();
    } else if (line == std::string(69, '-')) {
      entries.push_back(Relative(entry, folder));
      inEntry = false;
    } else if (inEntry) {
      entry += line + "|";
    }
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

// The program state of one conversion run over files in dir/in, with the real process runner.
struct Fixture {
  TempDir dir;
  AppParams params;
  const UiLanguage language = UiLanguage::English;
  RunState run;
  MediaProbe probe;
  EncoderOutputLines lines;
  FileList files;
  ErrorLog log{[] { return DateTimeTexts{"2024-05-06", "07:08:09"}; }};
  SystemEncoder encoder{EncoderGeneration::Modern};
  RecordingConversionView view;
  FakePower power;
  FakeAfterRunHost host;
  ConversionRequest request;

  Fixture() {
    fs::create_directory(dir / "in");
    params.EncoderExe = WriteFakeFfmpeg(dir);
    request.settings.OutputFormat = 3;  // MP4
    request.resolutions = MakeResolutionList(BuiltInResolutions());
  }

  void AddInput(const std::string& name, const std::string& content) {
    dir.Write("in/" + name, content);
    FileListRow row;
    row.Checked = true;
    row.Directory = dir / "in";
    row.Name = name;
    row.Status = "Ready";
    files.AppendRows({row});
  }

  // jobs 0 is the job loop's own one-after-another.
  RunResult Execute(unsigned jobs, RunSummaryDisplay& summary) {
    ConversionState state{[this] { return GetEncoderPath(params, ""); }, ShowEncoderMissing, params.PbColor, language, run,
                          probe, lines, files, log};
    ConversionRun conversion(state, encoder, view, power, host);
    ParallelRows parallel(jobs, summary);
    if (jobs > 0) conversion.SetRowScheduler(&parallel);
    return conversion.Execute(request);
  }
};

// One conversion run of the inputs above.
Outcome Convert(int policy, unsigned jobs, MaxRunning& summary) {
  Fixture f;
  for (const auto& [name, content] : kInputs) f.AddInput(name, content);
  f.dir.Write("in/old.mp4", "an earlier output");
  f.dir.Write("in/old_001.mp4", "another earlier output");
  f.request.outputExistsPolicy = policy;
  const RunResult result = f.Execute(jobs, summary);
  EXPECT_EQ(result.end, RunEnd::Completed);
  EXPECT_FALSE(result.aborted);

  Outcome outcome;
  const std::string folder = f.dir.Path().string();
  for (const auto& done : f.view.finished) {
    EXPECT_EQ(outcome.rows.count(done.row), 0u) << "row " << done.row << " finished twice";
    outcome.rows[done.row] = {done.status, Relative(done.output, folder)};
    EXPECT_EQ(f.files.Row(done.row).Status, done.status);
  }
  for (const auto& entry : fs::directory_iterator(f.dir / "in"))
    outcome.files[entry.path().filename().string()] = Relative(ReadWholeFile(entry.path().string()), folder);
  outcome.logEntries = LogEntries(f.log.Lines(), folder);
  outcome.errorCount = f.run.ErrorCount;
  return outcome;
}
}  // namespace

TEST(ParallelRows, FourAtOnceGiveWhatOneAfterAnotherGivesUnderEveryPolicy) {
  for (int policy : {0, 1, 2}) {
    SCOPED_TRACE(policy);
    MaxRunning unused, summary;
    const Outcome oneByOne = Convert(policy, 0, unused);
    const Outcome parallel = Convert(policy, 4, summary);
    EXPECT_EQ(parallel, oneByOne) << "one after another:\n" << oneByOne << "four at once:\n" << parallel;
    EXPECT_EQ(summary.most, 4);
    EXPECT_EQ(summary.last.done, 20);
    EXPECT_EQ(summary.last.running, 0);
    EXPECT_EQ(summary.last.percentage, 100);

    // The cases the list is made of really occurred.
    ASSERT_EQ(oneByOne.rows.size(), kInputs.size()) << oneByOne;
    EXPECT_EQ(oneByOne.rows.at(2).first, "Error (1)");
    EXPECT_EQ(oneByOne.files.count("d.mp4"), 0u);
    EXPECT_EQ(oneByOne.rows.at(7), std::make_pair(std::string("Done"), std::string("<dir>/in/song.mp4")));
    EXPECT_EQ(oneByOne.files.at("movie.mp4"), FakeInput("write", "exit=0"));  // an input stays whole
    EXPECT_EQ(oneByOne.logEntries.size(), 4u);  // c, d, song.wav and g failed
    const std::string clipStatus = policy == 0 ? "OK - Renamed" : policy == 1 ? "OK - Overwritten" : "Skipped";
    // clip.mkv's output is the one clip.avi made earlier in this run: never overwritten, only
    // renamed or skipped.
    EXPECT_EQ(oneByOne.rows.at(5).first, policy == 2 ? "Skipped" : "OK - Renamed");
    EXPECT_EQ(oneByOne.rows.at(9), std::make_pair(clipStatus, std::string(policy == 0 ? "<dir>/in/old_003.mp4"
                                                                                       : "<dir>/in/old.mp4")));
  }
}

TEST(ParallelRows, AnEncoderThatCannotBeStartedEndsTheRunOnceTheStartedRowsHaveEnded) {
  Fixture f;
  for (int i = 0; i < 6; ++i) f.AddInput("clip" + std::to_string(i) + ".avi", FakeInput("write", "exit=0"));
  f.params.EncoderExe = f.dir.Write("not-executable", "#!/bin/sh\n");
  MaxRunning summary;
  const RunResult result = f.Execute(4, summary);
  EXPECT_EQ(result.end, RunEnd::SystemFailure);
  ASSERT_EQ(f.view.systemErrors.size(), 1u);
  EXPECT_NE(f.view.systemErrors[0].find("Code: 13"), std::string::npos) << f.view.systemErrors[0];
  // As one after another: no row has a result; the rows that were started keep "Converting", the
  // others were never started.
  EXPECT_TRUE(f.view.finished.empty());
  for (std::size_t row = 0; row < 6; ++row) EXPECT_EQ(f.files.Row(row).Status, row < 4 ? "Converting" : "Ready");
  EXPECT_EQ(summary.last.running, 0);
  EXPECT_FALSE(f.run.Running);
}

}  // namespace vardeno
