#include "ui/windows/LanguageSwitch.h"

#include "app/ProgramState.h"
#include "ui/AppWindows.h"
#include "ui/windows/AboutWindow.h"
#include "ui/windows/CommandLineWindow.h"
#include "ui/windows/ErrorLogWindow.h"
#include "ui/windows/FileInfoWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/windows/OptionsWindow.h"
#include "ui/windows/ProgressWindow.h"

namespace vardeno {

namespace {
template <typename Window>
void AddRoutine(std::vector<LanguageRoutine>& routines, const char* name, Window* window) {
  if (window) routines.push_back({name, [window] { window->SetLang(); }});
}
}  // namespace

std::vector<LanguageRoutine> LanguageRoutines(AppWindows& windows) {
  std::vector<LanguageRoutine> routines;
  AddRoutine(routines, "options", windows.options);
  AddRoutine(routines, "main", windows.main);
  AddRoutine(routines, "progress", windows.progress);
  AddRoutine(routines, "about", windows.about);
  AddRoutine(routines, "errors", windows.errors);
  AddRoutine(routines, "fileInfo", windows.fileInfo);
  AddRoutine(routines, "cmdLine", windows.cmdLine);
  return routines;
}

void SwitchLanguage(ProgramState& state, AppWindows& windows, UiLanguage language) {
  state.Params.Language = language;
  state.CurrentLanguage = language;
  for (const LanguageRoutine& routine : LanguageRoutines(windows)) routine.run();
}

}  // namespace vardeno
