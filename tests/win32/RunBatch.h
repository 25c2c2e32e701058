// Running a batch file as a user does, with cmd, for the batch-file tests.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace vardeno {

// A file beside the running test program (its helper programs are built there).
inline std::filesystem::path BesideThisProgram(const std::wstring& name) {
  wchar_t self[32768];
  const std::filesystem::path exe(std::wstring(self, GetModuleFileNameW(nullptr, self, 32768)));
  return exe.parent_path() / name;
}

// Runs "cmd /d /c <batch>" in folder with no input (so the last line's pause goes on at once);
// what cmd writes goes to cmd-output.txt there. cmd's exit code, or -1 when it did not end in time.
inline int RunBatch(const std::filesystem::path& folder, const std::wstring& batch, DWORD timeoutMs = 60000) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE nul = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  const HANDLE out = CreateFileW((folder / L"cmd-output.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nul;
  startup.hStdOutput = out;
  startup.hStdError = out;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"cmd.exe /d /c " + batch;
  int code = -1;
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                     folder.c_str(), &startup, &process)) {
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
      DWORD exitCode = 0;
      GetExitCodeProcess(process.hProcess, &exitCode);
      code = static_cast<int>(exitCode);
    } else {
      TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(nul);
  CloseHandle(out);
  return code;
}

}  // namespace vardeno
