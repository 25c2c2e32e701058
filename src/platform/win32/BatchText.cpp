// cmd reads a batch file in the console's code page, which is the system's OEM code page unless
// the user changed it with chcp (not GetOEMCP: inside Vardeno's executables that answers UTF-8).
// A name that code page cannot hold is written by its 8.3 short name (GetShortPathNameW), which
// is plain ASCII, on volumes that make short names; without one the batch file is refused (BatchTextError names the file: the system's own message for
// ERROR_NO_UNICODE_TRANSLATION, in the user's language, then the name).
#include "platform/BatchText.h"

#include <windows.h>

#include "platform/win32/LastError.h"
#include "platform/win32/SystemCodePages.h"
#include "platform/win32/WideText.h"

namespace vardeno {

namespace {

// The text in the OEM code page, or nothing when a character has no exact counterpart there.
std::optional<std::string> ToOemCodePage(std::wstring_view text) {
  const UINT codePage = SystemOemCodePage();
  if (codePage == CP_UTF8) return Narrow(text);  // Windows set to use UTF-8 throughout
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  const int length =
      WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

bool Holds(const std::wstring& text) { return ToOemCodePage(text).has_value(); }

// The path in a form the OEM code page holds: the path, its short form, or its folder's short
// form followed by its own name (for a file that does not exist yet).
std::optional<std::wstring> HoldableForm(const std::wstring& path) {
  if (Holds(path)) return path;
  const DWORD length = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (length > 0) {
    std::wstring shortPath(length, L'\0');
    const DWORD written = GetShortPathNameW(path.c_str(), shortPath.data(), length);
    if (written > 0 && written < length) {
      shortPath.resize(written);
      // On a volume without short names the long name comes back: that does not help.
      return Holds(shortPath) ? std::optional<std::wstring>(shortPath) : std::nullopt;
    }
  }
  const size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos || separator == 0) return std::nullopt;
  const std::wstring name = path.substr(separator);
  if (!Holds(name)) return std::nullopt;
  const std::optional<std::wstring> folder = HoldableForm(path.substr(0, separator));
  if (!folder) return std::nullopt;
  return *folder + name;
}

}  // namespace

std::optional<std::string> BatchFilePath(const std::string& path) {
  const std::optional<std::wstring> form = HoldableForm(Widen(path));
  if (!form) return std::nullopt;
  return Narrow(*form);
}

std::optional<std::string> BatchFileBytes(std::string_view text) { return ToOemCodePage(Widen(text)); }

SystemError BatchTextError(const std::string& name) {
  return SystemError(ERROR_NO_UNICODE_TRANSLATION, SystemMessage(ERROR_NO_UNICODE_TRANSLATION) + "\r\n" + name);
}

}  // namespace vardeno
