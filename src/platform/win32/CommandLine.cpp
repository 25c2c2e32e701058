// Quoting arguments for the C runtime's split and for cmd.exe.
#include "platform/win32/CommandLine.h"

#include <windows.h>

#include <cwctype>
#include <string_view>

#include "platform/win32/LastError.h"

namespace vardeno {

namespace {
void AppendRuntimeArgument(std::wstring& line, const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    line += argument;
    return;
  }
  line += L'"';
  size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'"') line.append(backslashes + 1, L'\\');  // 2n backslashes, then \"
    backslashes = c == L'\\' ? backslashes + 1 : 0;
    line += c;
  }
  line.append(backslashes, L'\\');  // 2n before the closing quote
  line += L'"';
}

bool NeedsBatchQuotes(const std::wstring& argument) {
  // A trailing backslash is quoted too, so that a script's "%~1" cannot end in \".
  if (argument.empty() || argument.back() == L'\\') return true;
  constexpr std::wstring_view kPlain = L"#$*+-./:?@\\_";
  for (const wchar_t c : argument) {
    if (c < 0x80 && !std::iswalnum(c) && kPlain.find(c) == std::wstring_view::npos) return true;
    if (std::iswcntrl(c)) return true;
  }
  return false;
}

void AppendBatchArgument(std::wstring& line, const std::wstring& argument) {
  if (argument.find_first_of(L"\r\n") != std::wstring::npos) throw SystemErrorFromCode(ERROR_INVALID_PARAMETER);
  const bool quote = NeedsBatchQuotes(argument);
  if (quote) line += L'"';
  size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'"') {
      // The program the script passes %* on to reads "" inside quotes as one quote; cmd sees
      // two quote marks and so keeps its idea of what is quoted.
      line.append(backslashes, L'\\');
      line += L'"';
    } else if (c == L'%') {
      // %cd:~,% expands to nothing, so the % before it can never begin a %VAR%.
      line += L"%%cd:~,";
    }
    backslashes = c == L'\\' ? backslashes + 1 : 0;
    line += c;
  }
  if (quote) {
    line.append(backslashes, L'\\');
    line += L'"';
  }
}
}  // namespace

std::wstring BuildCommandLine(const std::wstring& exePath, const std::vector<std::wstring>& arguments) {
  std::wstring line = L"\"" + exePath + L"\"";
  for (const std::wstring& argument : arguments) {
    line += L' ';
    AppendRuntimeArgument(line, argument);
  }
  return line;
}

bool IsBatchFile(const std::wstring& path) {
  const size_t dot = path.find_last_of(L".\\/");
  if (dot == std::wstring::npos || path[dot] != L'.') return false;
  const std::wstring extension = path.substr(dot);
  return CompareStringOrdinal(extension.c_str(), -1, L".bat", -1, TRUE) == CSTR_EQUAL ||
         CompareStringOrdinal(extension.c_str(), -1, L".cmd", -1, TRUE) == CSTR_EQUAL;
}

std::wstring BuildBatchCommandLine(const std::wstring& scriptPath, const std::vector<std::wstring>& arguments) {
  // /d: no AutoRun commands from the registry; /e:ON for the %cd:~,% substring; /v:OFF so that
  // ! is an ordinary character. cmd drops the outer quotes of what follows /c.
  std::wstring line = L"cmd.exe /d /e:ON /v:OFF /c \"\"" + scriptPath + L"\"";
  for (const std::wstring& argument : arguments) {
    line += L' ';
    AppendBatchArgument(line, argument);
  }
  line += L'"';
  return line;
}

}  // namespace vardeno
