// What happens when a conversion run has finished: nothing, closing the program, or switching the
// computer off. The choice is the index of the after-conversion list.
#pragma once

#include <optional>
#include <string>

#include "conversion/RunState.h"
#include "platform/Shutdown.h"
#include "texts/Language.h"

namespace vardeno {

enum class AfterConversionChoice { DoNothing = 0, CloseApplication = 1, ShutDown = 2 };

inline constexpr int kAfterConversionChoiceCount = 3;

// The choice at a list index; -1 (no selection) and any index out of range give none.
std::optional<AfterConversionChoice> AfterConversionChoiceAt(int index);

// The list entry's text in lang.
std::string AfterConversionChoiceText(AfterConversionChoice choice, UiLanguage lang);

// The action is taken only after a run in which at least one row was checked (FileCount above
// 0), nothing was aborted and no encoder run failed (ErrorCount 0). Batch runs qualify too.
bool AfterConversionActionDue(const RunState& state);

// The main window as the after-run action needs it.
class AfterRunHost {
 public:
  virtual ~AfterRunHost() = default;
  // Closes the main window with its normal close handling (settings and last-session profile
  // saved), which ends the program.
  virtual void CloseMainWindow() = 0;
};

enum class AfterRunOutcome { Nothing, Closed, ShutDownAndClosed };

// Takes the action of choiceIndex when AfterConversionActionDue(state): CloseApplication closes
// the main window; ShutDown asks power to switch off and then closes the main window whether or
// not the request was accepted. Called by the job loop at the very end of a run that did not end
// early.
AfterRunOutcome TakeAfterConversionAction(int choiceIndex, const RunState& state,
                                          PowerControl& power, AfterRunHost& host);

}  // namespace vardeno
