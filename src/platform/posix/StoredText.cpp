#include "platform/StoredText.h"

namespace vardeno {

// Linux systems have no older 8-bit code page to fall back on: the bytes are kept as read.
std::string StoredTextToUtf8(std::string bytes) { return bytes; }

}  // namespace vardeno
