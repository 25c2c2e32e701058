// A conversion run never loses a file: empty outputs go, everything else stays, and no input is
// written over or deleted.
#include "conversion/ConversionRun.h"

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>

#include "conversion/RowSteps.h"
#include "support/ConversionRunHarness.h"
#include "texts/AppTexts.h"

namespace vardeno {

namespace fs = std::filesystem;
using namespace conversion_run_test;

namespace {
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
}  // namespace

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

TEST(ConversionRun, AnOutputFolderThatGoesDuringTheEncoderFailsThatRowAndTheRunGoesOn) {
  Harness h;
  fs::create_directory(h.dir / "gone");
  h.dir.Write("gone/clip.avi", "x");
  h.AddRow(h.dir / "gone", "clip.avi");
  h.AddInput("next.avi");
  RunPlan removing;
  removing.removeOutputFolder = true;
  removing.printed = {"frame=  25"};
  h.encoder.plans = {removing};
  h.Execute();
  EXPECT_EQ(h.Status(0), "Error (0)");
  EXPECT_TRUE(h.LogHas("ExitCode: 0"));
  EXPECT_TRUE(h.LogHas("The output folder is gone, so nothing was kept: " + (h.dir / "gone")));
  EXPECT_TRUE(h.LogHas("frame=  25"));
  EXPECT_EQ(h.Status(1), "Done");
  EXPECT_TRUE(fs::exists(h.In("next.mp4")));
  EXPECT_EQ(h.view.errorsCaptions.back(), "Errors (1)");
}

TEST(RowPlanner, ARowPlannedAgainStillSeesTheOutputAnEarlierRowWasGiven) {
  // A parallel run plans a row, waits for the running row that writes the same output, and plans
  // it again once that file is there: it must not be overwritten.
  Harness h;
  h.AddInput("clip.avi");
  h.AddInput("clip.mkv");
  h.request.outputExistsPolicy = 1;  // overwrite
  RowPlanner planner(h.request, h.files, h.language);
  const std::string folder = h.dir / "in";
  EXPECT_EQ(planner.Plan(0, folder).output, h.In("clip.mp4"));
  EXPECT_EQ(planner.Plan(1, folder).output, h.In("clip.mp4"));  // not written yet: decided later
  h.dir.Write("in/clip.mp4", "made by the first row");
  const RowPlan again = planner.Plan(1, folder);
  EXPECT_EQ(again.status, "OK - Renamed");
  EXPECT_EQ(again.output, h.In("clip_001.mp4"));
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

TEST(ConversionRun, NoTwoRowsAreGivenOneOutput) {
  // A script run writes nothing between its rows: three names that differ only in extension and
  // letter case, and one more reached through a link to the same folder, all map to clip.mp4.
  const auto outputs = [](Harness& h) {
    std::vector<std::string> result;
    for (const auto& f : h.view.finished) result.push_back(f.output + " " + f.status);
    return result;
  };
  for (int policy : {0, 1, 2}) {
    SCOPED_TRACE(policy);
    Harness h;
    h.AddInput("clip.avi");
    h.AddInput("clip.mkv");
    h.AddInput("CLIP.wmv");
    std::filesystem::create_directory_symlink(h.dir / "in", h.dir / "link");
    h.dir.Write("in/clip.flv", "x");
    h.AddRow(h.dir / "link", "clip.flv");
    h.request.outputExistsPolicy = policy;
    h.request.batchMode = true;
    h.request.batchFileName = h.dir / "convert.sh";
    h.Execute();
    if (policy == 2) {
      EXPECT_EQ(outputs(h), (std::vector<std::string>{h.In("clip.mp4") + " Done", h.In("clip.mp4") + " Skipped",
                                                      h.In("CLIP.mp4") + " Skipped",
                                                      (h.dir / "link/clip.mp4") + " Skipped"}));
    } else {
      EXPECT_EQ(outputs(h), (std::vector<std::string>{h.In("clip.mp4") + " Done", h.In("clip_001.mp4") + " OK - Renamed",
                                                      h.In("CLIP_002.mp4") + " OK - Renamed",
                                                      (h.dir / "link/clip_003.mp4") + " OK - Renamed"}));
    }
  }

  // A conversion told to overwrite never overwrites what an earlier row of the same run made.
  Harness h;
  h.AddInput("clip.avi");
  h.AddInput("clip.mkv");
  h.encoder.plans = {Plan(RunPlan::Output::Write), Plan(RunPlan::Output::Write)};
  h.request.outputExistsPolicy = 1;
  h.Execute();
  ASSERT_EQ(h.encoder.runs.size(), 2u);
  EXPECT_EQ(SplitArgumentText(h.encoder.runs[1]).back(), h.In("clip_001.mp4"));
  EXPECT_EQ(h.Status(1), "OK - Renamed");
  EXPECT_EQ(ReadWholeFile(h.In("clip.mp4")), "encoded " + h.In("clip.avi"));
}

}  // namespace vardeno
