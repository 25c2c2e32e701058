#include "platform/StoredText.h"

#include <windows.h>

#include <string_view>

#include "platform/win32/SystemCodePages.h"
#include "platform/win32/WideText.h"

namespace vardeno {

namespace {
bool IsValidUtf8(std::string_view bytes) {
  if (bytes.empty()) return true;
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                             0) > 0;
}
}  // namespace

std::string StoredTextToUtf8(std::string bytes) {
  // A byte-order mark says UTF-8 even when a later byte is damaged; such a text is kept as read.
  if (std::string_view(bytes).substr(0, 3) == "\xEF\xBB\xBF" || IsValidUtf8(bytes)) return bytes;
  return CodePageToUtf8(bytes, SystemAnsiCodePage());
}

}  // namespace vardeno
