#include "ui/AppWindows.h"

#include "app/ProgramState.h"
#include "ui/desktop/DesktopRun.h"
#include "ui/main/MainWindow.h"
#include "ui/windows/AboutWindow.h"
#include "ui/windows/CommandLineWindow.h"
#include "ui/windows/ErrorLogWindow.h"
#include "ui/windows/FileInfoWindow.h"
#include "ui/windows/LanguageSwitch.h"
#include "ui/windows/OptionsWindow.h"
#include "ui/windows/ProgressWindow.h"

namespace vardeno {

namespace {
template <typename Window>
Window* Made(Window*& window, AppWindows& windows) {
  if (!window) window = new Window(*windows.state, windows, windows.main);
  return window;
}
}  // namespace

AboutWindow* AppWindows::About() { return Made(about, *this); }
ProgressWindow* AppWindows::Progress() { return Made(progress, *this); }
OptionsWindow* AppWindows::Options() { return Made(options, *this); }
FileInfoWindow* AppWindows::FileInfo() { return Made(fileInfo, *this); }
ErrorLogWindow* AppWindows::Errors() { return Made(errors, *this); }
CommandLineWindow* AppWindows::CmdLine() { return Made(cmdLine, *this); }

void CreateAppWindows(ProgramState& state, AppWindows& windows, const QStringList& arguments) {
  windows.state = &state;
  windows.main = new MainWindow(state, windows, arguments);
  windows.desktop = new DesktopRun(windows, windows.main);
  // The start ends with the language routine of the windows made so far, as when the options
  // window was made at start (its language buttons run it): the main window's texts that follow
  // the language, such as the profile list's renamed defaults entry, are those of a switch.
  SwitchLanguage(state, windows, state.Params.Language);
}

}  // namespace vardeno
