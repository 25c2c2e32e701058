// Ending the program from outside (SIGTERM, SIGINT, SIGHUP: a session end, `kill`, Ctrl+C in the
// terminal) closes the main window as the user would, without asking: a run is aborted and waited for, the
// settings are saved, and no encoder is left running.
#pragma once

namespace vardeno {

class MainWindow;

// Installs the handlers; a signal is handed to the event loop through a pipe (a signal handler
// may do no more than write to it) and the main window is closed from there. Call once.
void CloseOnTerminationSignals(MainWindow* mainWindow);

}  // namespace vardeno
