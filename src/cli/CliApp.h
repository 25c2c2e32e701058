// vardeno-cli's commands on the core: the same settings, builders, runner, probe, job loop,
// statuses, error log and script export as the windows.
#pragma once

#include <string>
#include <vector>

namespace vardeno {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitRefused = 3;
inline constexpr int kExitNoEncoder = 4;
inline constexpr int kExitAborted = 130;

// args are the arguments after the program name; returns the exit status.
int RunCli(const std::vector<std::string>& args);

}  // namespace vardeno
