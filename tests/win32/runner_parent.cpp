// A small program that runs one child through the process runner and passes each piece of its
// output on to its own stdout, each followed by CR LF: the test of what happens to that child when
// this program is ended abruptly.   runner_parent <program> <argument text>
#include <windows.h>

#include <string>

#include "platform/ProcessRunner.h"
#include "platform/win32/WideText.h"

int wmain(int argc, wchar_t** argv) {
  using namespace vardeno;
  if (argc < 3) return 2;
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  return static_cast<int>(RunConsoleProcess(Narrow(argv[1]), Narrow(argv[2]), nullptr,
                                            [output](const ChildProcess&, const std::string& piece) {
                                              const std::string line = piece + "\r\n";
                                              DWORD written = 0;
                                              WriteFile(output, line.data(), static_cast<DWORD>(line.size()),
                                                        &written, nullptr);
                                            }));
}
