#include "conversion/AfterRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vardeno {

namespace {

// Records, in one sequence, what the action asked of the system and of the main window.
struct Recorder {
  std::vector<std::string> calls;
};

class FakePower : public PowerControl {
 public:
  FakePower(Recorder& recorder, bool accept) : recorder_(recorder), accept_(accept) {}
  bool ShutDownComputer() override {
    recorder_.calls.push_back("shutdown");
    return accept_;
  }

 private:
  Recorder& recorder_;
  bool accept_;
};

class FakeHost : public AfterRunHost {
 public:
  explicit FakeHost(Recorder& recorder) : recorder_(recorder) {}
  void CloseMainWindow() override { recorder_.calls.push_back("close"); }

 private:
  Recorder& recorder_;
};

RunState FinishedRun() {
  RunState state;
  state.FileCount = 2;
  state.FileNo = 2;
  return state;
}

std::vector<std::string> Take(int choice, const RunState& state, bool shutdownAccepted = true) {
  Recorder recorder;
  FakePower power(recorder, shutdownAccepted);
  FakeHost host(recorder);
  TakeAfterConversionAction(choice, state, power, host);
  return recorder.calls;
}

using Calls = std::vector<std::string>;

}  // namespace

TEST(AfterRun, EachChoiceOfACleanRun) {
  const RunState state = FinishedRun();
  EXPECT_EQ(Take(0, state), Calls{});
  EXPECT_EQ(Take(1, state), Calls{"close"});
  EXPECT_EQ(Take(2, state), (Calls{"shutdown", "close"}));
  // A refused shutdown leaves the computer running; the program still closes.
  EXPECT_EQ(Take(2, state, false), (Calls{"shutdown", "close"}));
  // No selection, or an index the list does not have, takes no action.
  EXPECT_EQ(Take(-1, state), Calls{});
  EXPECT_EQ(Take(3, state), Calls{});
}

TEST(AfterRun, NoActionAfterAFailureAnAbortOrWithoutCheckedRows) {
  RunState failed = FinishedRun();
  failed.ErrorCount = 1;
  RunState aborted = FinishedRun();
  aborted.AbortRequested = true;
  RunState nothingChecked = FinishedRun();
  nothingChecked.FileCount = 0;
  for (const RunState& state : {failed, aborted, nothingChecked}) {
    EXPECT_FALSE(AfterConversionActionDue(state));
    EXPECT_EQ(Take(1, state), Calls{});
    EXPECT_EQ(Take(2, state), Calls{});
  }
}

TEST(AfterRun, WritingAScriptIsARunThatEndsWithTheAction) {
  RunState batch = FinishedRun();
  batch.BatchMode = true;
  EXPECT_EQ(Take(1, batch), Calls{"close"});
}

// Switching off is named as the system names it: Windows' own words there.
#if defined(_WIN32)
const std::string kShutDownEnglish = "Close Windows", kShutDownPolish = "Zamknij Windows";
#else
const std::string kShutDownEnglish = "Shut down computer", kShutDownPolish = "Wyłącz komputer";
#endif

TEST(AfterRun, ChoiceTextsInBothLanguages) {
  EXPECT_EQ(AfterConversionChoiceText(AfterConversionChoice::DoNothing, UiLanguage::Polish),
            "Nic nie rób");
  EXPECT_EQ(AfterConversionChoiceText(AfterConversionChoice::CloseApplication, UiLanguage::English),
            "Close application");
  EXPECT_EQ(AfterConversionChoiceText(AfterConversionChoice::ShutDown, UiLanguage::English), kShutDownEnglish);
  EXPECT_EQ(AfterConversionChoiceText(AfterConversionChoice::ShutDown, UiLanguage::Polish), kShutDownPolish);
  EXPECT_EQ(AfterConversionChoiceAt(2), AfterConversionChoice::ShutDown);
  EXPECT_EQ(AfterConversionChoiceAt(-1), std::nullopt);
}

}  // namespace vardeno
