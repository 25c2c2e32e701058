#include "platform/BatchText.h"

#include <cerrno>
#include <cstring>

namespace vardeno {

// UTF-8 holds every name, so nothing is ever refused here.
std::optional<std::string> BatchFilePath(const std::string& path) { return path; }

std::optional<std::string> BatchFileBytes(std::string_view text) { return std::string(text); }

SystemError BatchTextError(const std::string& name) {
  return SystemError(EILSEQ, std::string(std::strerror(EILSEQ)) + "\r\n" + name);
}

}  // namespace vardeno
