// Runs a program from a test and captures its standard output and standard error.
// Arguments are single-quoted for /bin/sh, so any file name passes through unchanged.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

namespace vardeno {

struct CommandResult {
  int exitCode = -1;
  std::string output;
};

inline std::string ShellQuote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline CommandResult RunCommand(const std::vector<std::string>& argv, bool mergeStderr = true) {
  std::string line;
  for (const std::string& arg : argv) line += ShellQuote(arg) + " ";
  line += mergeStderr ? "2>&1 </dev/null" : "2>/dev/null </dev/null";
  CommandResult result;
  FILE* pipe = popen(line.c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.output.append(buffer, n);
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

// Width and height of the first video stream, as "WxH", read with ffprobe.
inline std::string ProbeVideoSize(const std::string& file) {
  CommandResult r = RunCommand({"ffprobe", "-v", "error", "-select_streams", "v:0", "-show_entries",
                                "stream=width,height", "-of", "csv=s=x:p=0", file},
                               false);
  while (!r.output.empty() && (r.output.back() == '\n' || r.output.back() == '\r')) r.output.pop_back();
  return r.output;
}

}  // namespace vardeno
