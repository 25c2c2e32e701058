// The one command-line text CreateProcessW takes, built from a program path and an argument list
// so that the child gets back exactly those arguments.
#pragma once

#include <string>
#include <vector>

namespace vardeno {

// The program path in double quotes (unquoted, "C:\Program Files\x.exe" would make Windows try
// C:\Program.exe first), then each argument quoted by the rules the C runtime and
// CommandLineToArgvW split by: an argument with a blank or a quote, or an empty one, goes in
// quotes; a quote inside is written \", and backslashes are doubled where they come right before
// a quote (an inner one or the closing one). Other backslashes stay as they are.
std::wstring BuildCommandLine(const std::wstring& exePath, const std::vector<std::wstring>& arguments);

// True for a .bat or .cmd file, which only cmd.exe can run.
bool IsBatchFile(const std::wstring& path);

// The command line that makes cmd.exe run the batch file with these arguments, as the batch file's
// %1... and %* (cmd /d /e:ON /v:OFF /c ""script" arguments"). cmd knows no backslash escapes and
// expands %VAR% even inside quotes: each argument with anything but letters, digits and
// #$*+-./:?@\_ goes in quotes, a quote inside is doubled (""), and a % is written so that cmd
// cannot take it for the start of a variable. Throws SystemError (ERROR_INVALID_PARAMETER) for an
// argument holding a line break, which would end cmd's command there.
std::wstring BuildBatchCommandLine(const std::wstring& scriptPath, const std::vector<std::wstring>& arguments);

}  // namespace vardeno
