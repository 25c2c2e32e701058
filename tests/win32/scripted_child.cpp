// A console program for the Windows process runner tests: does what its arguments say, in order.
//   w=TEXT     writes TEXT to stdout (\r, \n and \\ stand for CR, LF and a backslash)
//   e=TEXT     the same to stderr
//   x=N        writes N letters x to stdout
//   args       writes each following argument as the hex of its UTF-8 bytes and CR LF, then stops
//   self       writes the path this program was started from, then CR LF
//   pid        writes "pid=" and its process id, then CR LF
//   priority   writes "below normal" or "other" and CR LF: its own priority class
//   handle=N   writes "valid" or "invalid" and CR LF: whether N is a handle value of this process
//   stdin      writes "stdin=eof" and CR LF when standard input gives end of file at once
//   spawn=ARGS starts this program again with the command-line tail ARGS, inheriting its handles
//   close      closes its stdout and stderr
//   sleep=MS   sleeps
//   exit=N     ends with exit code N
// Anything else is written as "unknown=" and the argument, and ends it with exit code 2.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {
std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
  return bytes;
}

void Write(DWORD which, const std::string& bytes) {
  DWORD written = 0;
  WriteFile(GetStdHandle(which), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string Unescape(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\\' && i + 1 < text.size()) {
      const wchar_t next = text[++i];
      out += next == L'r' ? L'\r' : next == L'n' ? L'\n' : next;
    } else {
      out += text[i];
    }
  }
  return Utf8(out);
}

std::wstring ModulePath() {
  wchar_t path[32768];
  const DWORD length = GetModuleFileNameW(nullptr, path, 32768);
  return std::wstring(path, length);
}

void Spawn(const std::wstring& tail) {
  std::wstring commandLine = L"\"" + ModulePath() + L"\" " + tail;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
    Write(STD_OUTPUT_HANDLE, "spawn failed\r\n");
    return;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
}

bool Starts(const std::wstring& argument, const wchar_t* prefix, std::wstring& rest) {
  const size_t length = std::wcslen(prefix);
  if (argument.compare(0, length, prefix) != 0) return false;
  rest = argument.substr(length);
  return true;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = argv[i];
    std::wstring value;
    if (Starts(argument, L"w=", value)) {
      Write(STD_OUTPUT_HANDLE, Unescape(value));
    } else if (Starts(argument, L"e=", value)) {
      Write(STD_ERROR_HANDLE, Unescape(value));
    } else if (Starts(argument, L"x=", value)) {
      Write(STD_OUTPUT_HANDLE, std::string(std::stoul(value), 'x'));
    } else if (argument == L"args") {
      for (int j = i + 1; j < argc; ++j) {
        std::string hex;
        char digits[3];
        for (const unsigned char byte : Utf8(argv[j])) {
          std::snprintf(digits, sizeof digits, "%02x", byte);
          hex += digits;
        }
        Write(STD_OUTPUT_HANDLE, hex + "\r\n");
      }
      return 0;
    } else if (argument == L"self") {
      Write(STD_OUTPUT_HANDLE, Utf8(ModulePath()) + "\r\n");
    } else if (argument == L"pid") {
      Write(STD_OUTPUT_HANDLE, "pid=" + std::to_string(GetCurrentProcessId()) + "\r\n");
    } else if (argument == L"priority") {
      const bool below = GetPriorityClass(GetCurrentProcess()) == BELOW_NORMAL_PRIORITY_CLASS;
      Write(STD_OUTPUT_HANDLE, below ? "below normal\r\n" : "other\r\n");
    } else if (Starts(argument, L"handle=", value)) {
      DWORD flags = 0;
      const HANDLE handle = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(std::stoull(value)));
      Write(STD_OUTPUT_HANDLE, GetHandleInformation(handle, &flags) ? "valid\r\n" : "invalid\r\n");
    } else if (argument == L"stdin") {
      char byte;
      DWORD count = 1;
      const BOOL read = ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &count, nullptr);
      Write(STD_OUTPUT_HANDLE, read && count == 0 ? "stdin=eof\r\n" : "stdin=other\r\n");
    } else if (Starts(argument, L"spawn=", value)) {
      Spawn(value);
    } else if (argument == L"close") {
      CloseHandle(GetStdHandle(STD_OUTPUT_HANDLE));
      CloseHandle(GetStdHandle(STD_ERROR_HANDLE));
    } else if (Starts(argument, L"sleep=", value)) {
      Sleep(std::stoul(value));
    } else if (Starts(argument, L"exit=", value)) {
      return std::stoi(value);
    } else {
      // A command line split wrongly shows here rather than passing unnoticed.
      Write(STD_OUTPUT_HANDLE, "unknown=" + Utf8(argument) + "\r\n");
      return 2;
    }
  }
  return 0;
}
