// Text files that the program stores (settings, profiles, file lists) are UTF-8, but files of the
// same names written by the 2009 program are in the system's 8-bit code page. Readers pass the
// bytes they read through here before they parse them.
#pragma once

#include <string>

namespace vardeno {

// The file's text as UTF-8. Linux: the bytes unchanged (invalid UTF-8 passes through as it is read).
// Windows: text that is not valid UTF-8 and has no UTF-8 byte-order mark is taken to be in the
// system's ANSI code page (the machine's, not the process's UTF-8) and converted.
std::string StoredTextToUtf8(std::string bytes);

}  // namespace vardeno
