// The program's seven windows. They are created once, in this order, live until the program ends
// and are only shown and hidden; each window reaches the others through this record.
#pragma once

#include <QStringList>
#include <string>

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
  AboutWindow* about = nullptr;
  ProgressWindow* progress = nullptr;
  OptionsWindow* options = nullptr;
  FileInfoWindow* fileInfo = nullptr;
  ErrorLogWindow* errors = nullptr;
  CommandLineWindow* cmdLine = nullptr;
  DesktopRun* desktop = nullptr;  // the run outside the windows (task bar, tray tip, notice)
  RunWorker* runner = nullptr;    // the conversion run's own thread; the progress window's Abort

  // Set by the program entry (or a test) before the windows are created; not owned.
  EncoderAccess* encoder = nullptr;  // the encoder program a run and a probe use
  PowerControl* power = nullptr;     // switching the computer off after a run
  // The folder of the settings file, resolution list and profiles; empty: chosen as the program
  // chooses it (ChooseProgramFilesDir). Tests point it at a temporary folder.
  std::string programFilesDir;
};

// Creates the windows in the program's order; arguments are the program's command-line arguments
// without the program name. The main window owns the others (deleting it deletes them all).
void CreateAppWindows(ProgramState& state, AppWindows& windows, const QStringList& arguments);
