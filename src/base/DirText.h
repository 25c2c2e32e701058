// The program's rule for directory texts, shared by every layer that joins a folder and a name.
#pragma once

#include <string>

namespace vardeno {

// Removes one trailing separator ("/", on Windows "\\" or "/"), then a trailing separator and
// "." if the result ends with them.
std::string NormalizeDir(const std::string& dir);

}  // namespace vardeno
