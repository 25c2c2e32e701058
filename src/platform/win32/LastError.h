// Errors of the Windows API as the program's SystemError: GetLastError's code and the system's
// own message for it (FormatMessageW, the user's language).
#pragma once

#include "platform/SystemError.h"

SystemError SystemErrorFromCode(unsigned long code);
// Takes GetLastError() at the moment of the call.
SystemError LastSystemError();
