// Writes a whole file so that it is never left half-written: the bytes go to a new file beside
// it, which is flushed and then renamed over the old one.
#pragma once

#include <optional>
#include <string>

// Throws SystemError when the file cannot be written; the old file, if any, is then untouched.
// The file gets mode when it is given; otherwise it keeps the permissions of the file it replaces
// (0644 for a new one).
void WriteFileAtomically(const std::string& path, const std::string& bytes,
                         std::optional<unsigned> mode = std::nullopt);
