// Errors of the Windows API as the program's SystemError: GetLastError's code and the system's
// own message for it (FormatMessageW, the user's language).
#pragma once

#include "platform/SystemError.h"

namespace vardeno {

// The system's message for an error code, without its final line break.
std::string SystemMessage(unsigned long code);
SystemError SystemErrorFromCode(unsigned long code);
// Takes GetLastError() at the moment of the call.
SystemError LastSystemError();

}  // namespace vardeno
