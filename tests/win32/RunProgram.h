// Running one of the shipped programs (vardeno-cli.exe, ffmpeg.exe) from a test and keeping what it printed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ArgumentText.h"
#include "platform/ProcessRunner.h"
#include "platform/win32/WideText.h"

namespace vardeno {

inline std::string ModuleFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return Narrow(folder.substr(0, folder.rfind(L'\\')));
}

struct Ran {
  std::uint32_t exitCode = 0;
  std::string output;
};

inline Ran RunProgram(const std::string& exe, const std::vector<std::string>& arguments) {
  std::string argText;
  for (const std::string& argument : arguments) argText += QuoteArgument(argument) + " ";
  std::vector<std::string> lines;
  Ran ran;
  ran.exitCode = RunConsoleProcess(exe, argText, &lines, {});
  for (const std::string& line : lines) ran.output += line + "\n";
  return ran;
}

}  // namespace vardeno
