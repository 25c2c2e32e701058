// Small text helpers shared by the core. Texts are UTF-8; "blanks and control characters"
// are the bytes up to and including the space (0x00-0x20), as the program trims everywhere.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vardeno {

std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);
// ASCII letters only; other bytes (and so UTF-8 sequences) pass unchanged.
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
// Negative, zero or positive like strcmp, ASCII letters compared without case.
int CompareIgnoreCase(std::string_view a, std::string_view b);
bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
// Splits on CR LF, LF or CR; a final line end does not make an extra empty line.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace vardeno
