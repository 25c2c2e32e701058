// The program's windows and what they share. The main window is made first and lives until the
// program ends; the other windows are made when first asked for (most users never open most of
// them, and a start that builds none of them is quicker), then live on and are only shown and
// hidden. Each window reaches the others through this record.
#pragma once

#include <QStringList>
#include <string>

namespace vardeno {

struct ProgramState;
class MainWindow;
class AboutWindow;
class ProgressWindow;
class OptionsWindow;
class FileInfoWindow;
class ErrorLogWindow;
class CommandLineWindow;
class EncoderAccess;
class PowerControl;
class DesktopRun;
class RunWorker;

struct AppWindows {
  MainWindow* main = nullptr;
  DesktopRun* desktop = nullptr;  // the run outside the windows (task bar, tray tip, notice)
  RunWorker* runner = nullptr;    // the conversion run's own thread; the progress window's Abort

  // Set by the program entry (or a test) before the windows are created; not owned.
  EncoderAccess* encoder = nullptr;  // the encoder program a run and a probe use
  PowerControl* power = nullptr;     // switching the computer off after a run
  // The folder of the settings file, resolution list and profiles; empty: chosen as the program
  // chooses it (ChooseProgramFilesDir). Tests point it at a temporary folder.
  std::string programFilesDir;

  // The other windows, each made on the first call (owned by the main window, which must exist).
  AboutWindow* About();
  ProgressWindow* Progress();
  OptionsWindow* Options();
  FileInfoWindow* FileInfo();
  ErrorLogWindow* Errors();
  CommandLineWindow* CmdLine();

  // The same windows as far as they have been made (null before): for what concerns a window
  // only when it exists, such as hiding it or changing its language.
  AboutWindow* about = nullptr;
  ProgressWindow* progress = nullptr;
  OptionsWindow* options = nullptr;
  FileInfoWindow* fileInfo = nullptr;
  ErrorLogWindow* errors = nullptr;
  CommandLineWindow* cmdLine = nullptr;

  ProgramState* state = nullptr;  // set by CreateAppWindows
};

// Creates the main window and what lives around it; arguments are the program's command-line
// arguments without the program name. The main window owns the others (deleting it deletes them
// all, whenever they were made).
void CreateAppWindows(ProgramState& state, AppWindows& windows, const QStringList& arguments);

}  // namespace vardeno
