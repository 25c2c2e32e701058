// Text at the Windows boundary: the core keeps UTF-8, the system's ...W functions take UTF-16.
// Nothing here ever goes through the ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace vardeno {

// UTF-8 to UTF-16. Invalid UTF-8 bytes become U+FFFD.
std::wstring Widen(std::string_view utf8);
// UTF-16 to UTF-8. Unpaired surrogates become U+FFFD.
std::string Narrow(std::wstring_view utf16);
// Bytes in a code page (CP_ACP, CP_OEMCP, 1250, ...) to UTF-8.
std::string CodePageToUtf8(std::string_view bytes, unsigned codePage);

}  // namespace vardeno
