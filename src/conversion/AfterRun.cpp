#include "conversion/AfterRun.h"

#include "texts/AfterRunTexts.h"

namespace vardeno {

std::optional<AfterConversionChoice> AfterConversionChoiceAt(int index) {
  if (index < 0 || index >= kAfterConversionChoiceCount) return std::nullopt;
  return static_cast<AfterConversionChoice>(index);
}

std::string AfterConversionChoiceText(AfterConversionChoice choice, UiLanguage lang) {
  switch (choice) {
    case AfterConversionChoice::DoNothing:
      return kAfterConversionDoNothing(lang);
    case AfterConversionChoice::CloseApplication:
      return kAfterConversionCloseApplication(lang);
    case AfterConversionChoice::ShutDown:
      return kAfterConversionShutDown(lang);
  }
  return {};
}

bool AfterConversionActionDue(const RunState& state) {
  return state.FileCount > 0 && !state.AbortRequested && state.ErrorCount == 0;
}

AfterRunOutcome TakeAfterConversionAction(int choiceIndex, const RunState& state,
                                          PowerControl& power, AfterRunHost& host) {
  if (!AfterConversionActionDue(state)) return AfterRunOutcome::Nothing;
  const std::optional<AfterConversionChoice> choice = AfterConversionChoiceAt(choiceIndex);
  if (!choice) return AfterRunOutcome::Nothing;
  switch (*choice) {
    case AfterConversionChoice::DoNothing:
      return AfterRunOutcome::Nothing;
    case AfterConversionChoice::CloseApplication:
      host.CloseMainWindow();
      return AfterRunOutcome::Closed;
    case AfterConversionChoice::ShutDown:
      // A refused request leaves the computer running; the program still closes.
      power.ShutDownComputer();
      host.CloseMainWindow();
      return AfterRunOutcome::ShutDownAndClosed;
  }
  return AfterRunOutcome::Nothing;
}

}  // namespace vardeno
