// The console that vardeno-cli runs in: its arguments and output as UTF-8, whether standard error
// is a terminal and how wide, and the interrupt (Ctrl+C, SIGTERM, the console window closed).
#pragma once

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace vardeno {

// The program's arguments without its own name, as UTF-8: argv on Linux; on Windows the
// command line's UTF-16 arguments, so no name goes through the ANSI code page.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Makes the console show the UTF-8 the program writes (Windows: output code page 65001).
void PrepareConsoleOutput();

bool StderrIsTerminal();
// The width of the terminal on standard error in columns; 0 when unknown.
unsigned TerminalColumns();

// While one lives, an interrupt no longer ends the process: it sets the flag that Requested
// reads, so the program can end its encoders and exit in its own way. Only one at a time.
class InterruptCatcher {
 public:
  InterruptCatcher();
  ~InterruptCatcher();
  InterruptCatcher(const InterruptCatcher&) = delete;
  InterruptCatcher& operator=(const InterruptCatcher&) = delete;
  static bool Requested();
};

// A thread running body that never takes the interrupt itself, so that the thread that owns the
// InterruptCatcher sees it.
std::thread StartThreadWithoutInterrupts(std::function<void()> body);

}  // namespace vardeno
