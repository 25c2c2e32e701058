// A colour of the display (the progress bar, the status texts) as red, green and blue.
#pragma once

#include <cstdint>

namespace vardeno {

struct RgbColor {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const RgbColor&) const = default;
};

}  // namespace vardeno
