#include "platform/SystemError.h"

#include <cerrno>
#include <cstring>

namespace vardeno {

namespace {
std::string FormatSystemError(int code, const std::string& systemMessage) {
  return "System Error.  Code: " + std::to_string(code) + ".\r\n" + systemMessage;
}
}  // namespace

SystemError::SystemError(int code, const std::string& systemMessage)
    : std::runtime_error(FormatSystemError(code, systemMessage)), code_(code) {}

SystemError SystemError::FromErrno() {
  const int code = errno;
  return SystemError(code, std::strerror(code));
}

}  // namespace vardeno
