// How the INI store turns stored text into values: the cleaned text of a read value, integers
// (decimal, "0x"/"$" hexadecimal) and booleans, and cutting a text to a number of characters.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vardeno {

// A read value holds at most this many characters; the rest is cut off.
inline constexpr std::size_t kIniValueMaxChars = 2047;

// Cuts text after maxChars characters. A character is one valid UTF-8 sequence, or one byte of
// anything else (so files in a single-byte code page are cut by their characters too); a
// sequence is never split.
std::string CutToCharacters(std::string_view text, std::size_t maxChars);

// The value as a read returns it: blanks and control characters dropped at both ends, then one
// pair of double or single quotes enclosing the whole value dropped, then cut to
// kIniValueMaxChars characters. What is inside the quotes stays as it is.
std::string CleanIniValue(std::string_view raw);

// Reads an integer: decimal with an optional sign; a text longer than two characters that starts
// "0x" or "0X" is hexadecimal, and so is one starting "$" (after an optional sign). Hexadecimal
// holds up to 32 bits and wraps into the signed range ("$FFFFFFFF" is -1). Leading blanks are
// skipped. Anything else, trailing characters or a decimal outside the 32-bit range included,
// gives no value.
std::optional<int> ParseIniInteger(std::string_view text);

}  // namespace vardeno
