// The size text of the file list's "Size" column and of the file information window.
#pragma once

#include <cstdint>
#include <string>

namespace vardeno {

// Below 1024: the number right-aligned in two characters and " bytes" (5 gives " 5 bytes").
// Otherwise the size in KB, MB or GB (powers of 1024, chosen by the byte count) with exactly two
// decimals rounded to the nearest hundredth (halves up), "." as the decimal mark whatever the
// locale, no thousands separators: 1536 gives "1.50 KB", 5 GiB gives "5.00 GB".
std::string FormatFileSize(std::uint64_t bytes);

}  // namespace vardeno
