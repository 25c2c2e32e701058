// An error of the operating system: its code and message, shown as
// "System Error.  Code: <code>.\r\n<message>".
#pragma once

#include <stdexcept>
#include <string>

namespace vardeno {

class SystemError : public std::runtime_error {
 public:
  SystemError(int code, const std::string& systemMessage);
  // Takes errno's current value and its strerror text.
  static SystemError FromErrno();
  int Code() const { return code_; }

 private:
  int code_;
};

}  // namespace vardeno
