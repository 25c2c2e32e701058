// Number texts read the same way whatever the process locale: "." or "," as the decimal mark,
// rounding of exact halves to the even neighbour, and UTF-8 aware cutting of fixed-length texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vardeno {

// A decimal number: optional sign, digits with at most one decimal mark ("." or ","), optional
// exponent ("e" or "E", optional sign, digits). No blanks, no "inf"/"nan", no hexadecimal.
std::optional<double> TryParseDecimal(std::string_view text);
// A whole number that fits in 32 bits: optional sign and decimal digits, nothing else.
std::optional<std::int32_t> TryParseWholeNumber(std::string_view text);
// The trimmed text is a whole number / a decimal number as above (an empty text is neither).
bool IsWholeNumber(std::string_view text);
bool IsRealNumber(std::string_view text);
// Nearest whole number, exact halves to the even neighbour (2.5 -> 2, 3.5 -> 4), whatever
// rounding mode the floating-point unit is in.
double RoundHalfEven(double value);
// RoundHalfEven clamped to the 32-bit range; 0 for a value that is not a number.
std::int32_t RoundToInt32(double value);
// The first maxBytes bytes of text, shortened further so that no UTF-8 sequence is cut in half.
std::string CutText(std::string_view text, std::size_t maxBytes);

}  // namespace vardeno
