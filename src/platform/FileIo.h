// Reading a whole file and replacing a file safely, for the files the program writes itself
// (list files, error logs, scripts). Failures of the system are thrown as SystemError.
#pragma once

#include <string>
#include <string_view>

namespace vardeno {

// The whole content of the file at path. Throws SystemError when it cannot be opened or read,
// also when path names a folder (EISDIR) rather than giving an empty text.
std::string ReadFileBytes(const std::string& path);

// Replaces the file at path with bytes, so that path holds either its old content or the whole
// new one, never a part: the bytes go to a new file in the same folder, which is flushed to disk
// and then renamed over path. A replaced file keeps its permission bits; a new file gets the
// usual ones (read/write, less the umask), and with executable also the run bits. A symbolic link
// at path is followed and its target replaced. On failure nothing at path has changed, no
// temporary file is left, and SystemError is thrown.
void WriteFileAtomically(const std::string& path, std::string_view bytes, bool executable = false);

}  // namespace vardeno
