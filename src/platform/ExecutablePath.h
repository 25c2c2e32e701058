// Finding the file that starting a program by a path or a bare name would run.
#pragma once

#include <string>

namespace vardeno {

// A path with a "/" is taken as it is; a bare name is looked up in the PATH folders the way the
// process runner starts it. Returns the path of an existing file that is not a folder (for a
// bare name: an executable one), or an empty text when there is none.
std::string ResolveExecutablePath(const std::string& exePath);

}  // namespace vardeno
