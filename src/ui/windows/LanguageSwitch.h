// Switching the interface language while the program runs: the language chosen and the language in
// force take the new value, and every window that exists puts its texts in that language.
#pragma once

#include <functional>
#include <vector>

#include "texts/Language.h"

namespace vardeno {

struct AppWindows;
struct ProgramState;

// One window's language routine.
struct LanguageRoutine {
  const char* window;  // "options", "main", "progress", "about", "errors", "fileInfo", "cmdLine"
  std::function<void()> run;
};

// The language routines of the windows that exist now, in the order a switch runs them: options,
// main, progress, about, errors, file information, command line. Windows not created yet are left out.
std::vector<LanguageRoutine> LanguageRoutines(AppWindows& windows);

// Sets state.Params.Language and state.CurrentLanguage to language, then runs LanguageRoutines in
// order. Texts produced earlier at run time (statuses, log entries) are left as they are.
void SwitchLanguage(ProgramState& state, AppWindows& windows, UiLanguage language);

}  // namespace vardeno
