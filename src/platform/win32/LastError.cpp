#include "platform/win32/LastError.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace vardeno {

std::string SystemMessage(unsigned long code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring message = length > 0 ? std::wstring(buffer, length) : std::wstring();
  if (buffer) LocalFree(buffer);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
    message.pop_back();
  return Narrow(message);
}

SystemError SystemErrorFromCode(unsigned long code) { return SystemError(static_cast<int>(code), SystemMessage(code)); }

SystemError LastSystemError() { return SystemErrorFromCode(GetLastError()); }

}  // namespace vardeno
