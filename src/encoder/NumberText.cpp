#include "encoder/NumberText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "app/StringUtil.h"

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the grammar of a real number whose decimal marks are all ".", and parses it.
std::optional<double> ParseNormalisedReal(const std::string& text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;

  // from_chars takes no leading "+" and no bare trailing "."; both are valid here.
  std::string forParse = text[0] == '+' ? text.substr(1) : text;
  double value = 0;
  const auto result = std::from_chars(forParse.data(), forParse.data() + forParse.size(), value);
  if (result.ec == std::errc::result_out_of_range) return std::nullopt;
  if (result.ec != std::errc()) {
    // A mantissa such as "5." or ".5": from_chars reads ".5" but may stop at "5."
    std::string padded = ReplaceAll(forParse, ".", ".0");
    if (std::from_chars(padded.data(), padded.data() + padded.size(), value).ec != std::errc())
      return std::nullopt;
  }
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}
}  // namespace

std::optional<std::int32_t> ParseWholeNumber(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return std::nullopt;
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool IsWholeNumber(const std::string& text) { return ParseWholeNumber(Trim(text)).has_value(); }

std::optional<double> ParseRealNumber(const std::string& text) {
  std::string normalised = ReplaceAll(Trim(text), ",", ".");
  if (normalised.empty()) return std::nullopt;
  return ParseNormalisedReal(normalised);
}

bool IsRealNumber(const std::string& text) { return ParseRealNumber(text).has_value(); }

double RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff < 0.5) return floor;
  if (diff > 0.5) return floor + 1;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}
