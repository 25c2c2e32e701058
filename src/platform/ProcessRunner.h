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

// Runs exePath with argText split into arguments (a double-quoted stretch is one argument
// without its quotes). Appends pieces to outputList (when given) and calls handler (when given).
// Throws SystemError when the pipe or the process cannot be created.
std::uint32_t RunConsoleProcess(const std::string& exePath, const std::string& argText,
                                std::vector<std::string>* outputList, const OutputLineHandler& handler,
                                const IdleHandler& idle = {});

// Ends every child of this process whose executable is the file at exePath; true if any was ended.
bool TerminateApp(const std::string& exePath);
