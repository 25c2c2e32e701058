// Runs a console program with its standard output and standard error joined in one pipe,
// cuts what it writes into pieces the way a console shows it, and returns its exit code.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ChildProcess {
  int pid = 0;
};

// Called with each delivered piece of the child's output while it runs.
using OutputLineHandler = std::function<void(const ChildProcess& child, const std::string& piece)>;
// Called at least every 100 ms while the child is silent, so a window can handle pending events.
using IdleHandler = std::function<void()>;

// Exit code reported when the child has not ended 5000 ms after closing its output.
inline constexpr std::uint32_t kStillActive = 259;
// Exit code reported for a child that TerminateApp or TerminateChild ended, however it went.
inline constexpr std::uint32_t kTerminatedExitCode = 1;

// Runs exePath with argText split into arguments (a double-quoted stretch is one argument
// without its quotes, see platform/ArgumentText.h). Appends pieces to outputList (when given)
// and calls handler (when given).
// Pieces: reads of at most 10241 bytes; a carriage return delivers the piece; a line feed right
// after a carriage return only sets the new-line mark, a line feed after anything else delivers
// the piece and then sets the mark (so LF alone ends a line as CR LF does); a piece that reaches
// 10240 characters is delivered with the mark set; once the output has closed and the child has
// been waited for, the rest is delivered (even when empty). A delivery with the mark set appends
// to outputList, else it replaces the last entry (or appends, when the list is empty).
// The child: exePath as given (a bare name is looked up in PATH), stdin from /dev/null, stdout
// and stderr into the pipe, its own process group, no other descriptor of this process, a lower
// scheduling priority than this process (nice 10 more, at most 19, on POSIX systems; the
// below-normal priority class on Windows), so that encoders keep the desktop responsive.
// Exit code: the child's own; kTerminatedExitCode when TerminateApp or TerminateChild ended it
// (whatever it exited with then); 128 + the signal number when a signal killed it otherwise;
// kStillActive when it still runs 5000 ms after its output closed (it is left running and
// reaped in the background when it ends). A child that has ended while a process it started
// still holds the output open is read from for 5000 ms more at most; then its own exit code is
// returned and the holder is left as it is.
// Throws SystemError when the pipe or the process cannot be created (also when the file cannot
// be executed). An exception from handler or idle ends the child and passes on.
std::uint32_t RunConsoleProcess(const std::string& exePath, const std::string& argText,
                                std::vector<std::string>* outputList, const OutputLineHandler& handler,
                                const IdleHandler& idle = {});

// Ends every child that RunConsoleProcess started from the file at exePath (a bare name is
// looked up in PATH) and has not reaped yet, whatever program the child runs by now: the path
// may be a wrapper script that exec'd the encoder. SIGTERM to the child's process group at once,
// which lets the encoder close its output file, and SIGKILL to the group 2 s later if the child
// is still there; returns at once. A child is sent SIGTERM only once however often this is
// called. No process the runner did not start is ever signalled. True if any such child was found.
bool TerminateApp(const std::string& exePath);

// The same for one child of a running RunConsoleProcess call (the one its handlers are given).
// False when the runner has no such child (it has ended and been reaped, or was never started).
bool TerminateChild(const ChildProcess& child);
