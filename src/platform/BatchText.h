// The text of a Windows batch file as cmd reads it. cmd takes a batch file's bytes in the
// console's code page, so names are written in that code page, and a name it cannot hold goes in
// by a form it can, when the file system has one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/SystemError.h"

namespace vardeno {

// A path as a batch file can hold it. Linux (batch files are UTF-8): the path itself. Windows: the
// path when the OEM code page holds all of it, else its short (8.3) form, taken for the deepest
// part that exists (a file not yet made keeps its own name behind its folder's short form); empty
// when neither fits.
std::optional<std::string> BatchFilePath(const std::string& path);

// A UTF-8 text as batch-file bytes: Linux the text itself; Windows the text in the OEM code page,
// empty when it holds a character that code page has not (no look-alike stands in for it).
std::optional<std::string> BatchFileBytes(std::string_view text);

// The error a batch file that cannot hold name is refused with; it names the text.
SystemError BatchTextError(const std::string& name);

}  // namespace vardeno
