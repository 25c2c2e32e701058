// The sleep lock of a conversion run: held from the start of the rows to the end of the run,
// however it ends; a script export holds none; a refused lock is said once and the run goes on.
#include <gtest/gtest.h>

#include "support/ConversionRunHarness.h"

namespace vardeno {

using namespace conversion_run_test;

namespace {
struct LockRecord {
  std::vector<std::string> reasons;
  int held = 0;
  bool refuse = false;
};

class CountedLock : public SleepLock {
 public:
  explicit CountedLock(int& held) : held_(held) { ++held_; }
  ~CountedLock() override { --held_; }

 private:
  int& held_;
};

void GiveLocks(Harness& h, LockRecord& record) {
  h.keepAwake = [&record](const std::string& why) -> std::unique_ptr<SleepLock> {
    record.reasons.push_back(why);
    if (record.refuse) return nullptr;
    return std::make_unique<CountedLock>(record.held);
  };
}
}  // namespace

TEST(ConversionRunSleepLock, HeldWhileRowsConvertAndReleasedHoweverTheRunEnds) {
  enum class End { Done, Aborted, FailedStart };
  for (End end : {End::Done, End::Aborted, End::FailedStart}) {
    SCOPED_TRACE(static_cast<int>(end));
    Harness h;
    LockRecord record;
    GiveLocks(h, record);
    for (const char* name : {"a.avi", "b.avi", "c.avi"}) h.AddInput(name);
    if (end == End::Aborted) h.encoder.plans = {RunPlan{}, AbortedByUser()};
    if (end == End::FailedStart) h.encoder.plans = {RunPlan{}, FailsToStart()};
    std::vector<int> heldDuringRows;
    h.view.onPendingEvents = [&] { heldDuringRows.push_back(record.held); };

    const RunResult result = h.Execute();
    EXPECT_EQ(result.end, end == End::FailedStart ? RunEnd::SystemFailure : RunEnd::Completed);
    EXPECT_EQ(record.reasons, std::vector<std::string>{"Converting 3 files"});
    ASSERT_FALSE(heldDuringRows.empty());
    for (int held : heldDuringRows) EXPECT_EQ(held, 1);
    EXPECT_EQ(record.held, 0);
    EXPECT_TRUE(h.view.notices.empty());
  }

  // A script export converts nothing and holds nothing.
  Harness script;
  LockRecord none;
  GiveLocks(script, none);
  script.AddInput("a.avi");
  script.request.batchMode = true;
  script.request.batchFileName = script.dir / "convert.sh";
  EXPECT_EQ(script.Execute().end, RunEnd::Completed);
  EXPECT_TRUE(none.reasons.empty());
}

TEST(ConversionRunSleepLock, ARefusedLockIsSaidOnceInTheRunsLanguageAndTheRunGoesOn) {
  Harness h;
  LockRecord record;
  record.refuse = true;
  GiveLocks(h, record);
  h.language = UiLanguage::Polish;
  h.AddInput("a.avi");
  h.AddInput("b.avi");
  const RunResult result = h.Execute();
  EXPECT_EQ(result.end, RunEnd::Completed);
  EXPECT_EQ(record.reasons, std::vector<std::string>{"Konwertowanie 2 plików"});
  EXPECT_EQ(h.view.notices, std::vector<std::string>{"Komputer może przejść w stan uśpienia podczas konwersji."});
  EXPECT_EQ(h.encoder.runs.size(), 2u);
  EXPECT_EQ(h.Status(1), "Zrobiono");
}

}  // namespace vardeno
