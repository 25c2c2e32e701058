// Which file a program was started from, so that an abort finds the children started from an
// encoder path again however the path is spelt (a bare name, other letter case, "..", a link).
#pragma once

#include <cstdint>
#include <string>

namespace vardeno {

struct ExecutableIdentity {
  bool fileKnown = false;  // volume and index are set
  std::uint32_t volumeSerial = 0;
  std::uint64_t fileIndex = 0;
  // The file's full path (UTF-16), for a file that has been replaced since the child started.
  std::wstring path;
};

// The identity of the file that starting exePath runs (a bare name is looked up in PATH, see
// platform/ExecutablePath.h). An empty path when nothing can be found there.
ExecutableIdentity IdentifyExecutable(const std::string& exePath);

// True when both name the same file: the same volume and file index, or the same full path
// without regard to letter case.
bool SameExecutable(const ExecutableIdentity& a, const ExecutableIdentity& b);

}  // namespace vardeno
