// The number checks of the argument builders. They never depend on the process locale:
// "." and "," are both taken as the decimal mark.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A decimal whole number with an optional sign that fits 32 bits (no blanks), else empty.
std::optional<std::int32_t> ParseWholeNumber(std::string_view text);

// The text, trimmed, is a signed 32-bit decimal integer (optional sign, digits only).
bool IsWholeNumber(const std::string& text);

// The text, trimmed, with every "." and "," read as the decimal mark, is a real number:
// optional sign, digits with at most one decimal mark, optional exponent. Empty is not a number.
bool IsRealNumber(const std::string& text);

// The value of a text that IsRealNumber accepts; nullopt otherwise.
std::optional<double> ParseRealNumber(const std::string& text);

// Rounds to the nearest whole number, exact halves to the even neighbour.
double RoundHalfEven(double value);
