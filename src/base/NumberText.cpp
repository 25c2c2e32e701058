#include "base/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "base/StringUtil.h"

namespace vardeno {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

// Out of range (overflow or underflow) counts as not a valid number.
std::optional<double> TryParseDecimal(std::string_view text) {
  std::string normalized(text);
  size_t i = 0;
  if (i < normalized.size() && (normalized[i] == '+' || normalized[i] == '-')) ++i;
  size_t digits = 0;
  bool markSeen = false;
  for (; i < normalized.size(); ++i) {
    char& c = normalized[i];
    if (IsDigit(c)) {
      ++digits;
    } else if ((c == '.' || c == ',') && !markSeen) {
      markSeen = true;
      c = '.';
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < normalized.size() && (normalized[i] == 'e' || normalized[i] == 'E')) {
    ++i;
    if (i < normalized.size() && (normalized[i] == '+' || normalized[i] == '-')) ++i;
    size_t exponentDigits = 0;
    while (i < normalized.size() && IsDigit(normalized[i])) ++i, ++exponentDigits;
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != normalized.size()) return std::nullopt;

  // from_chars takes no leading "+".
  const char* first = normalized.data();
  const char* last = first + normalized.size();
  if (*first == '+') ++first;
  double value = 0.0;
  auto [end, error] = std::from_chars(first, last, value);
  if (error == std::errc() && end + 1 == last && *end == '.') end = last;  // "5." is 5
  if (end != last) return std::nullopt;
  if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int32_t> TryParseWholeNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const char* first = text.data();
  const char* last = first + text.size();
  if (*first == '+') {
    ++first;
    if (first == last || *first == '-') return std::nullopt;
  }
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last) return std::nullopt;
  return value;
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  double rounded = std::floor(value);
  const double fraction = value - rounded;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) rounded += 1.0;
  return rounded;
}

std::int32_t RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = RoundHalfEven(value);
  if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  if (rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(rounded);
}

bool IsWholeNumber(std::string_view text) { return TryParseWholeNumber(Trim(text)).has_value(); }

bool IsRealNumber(std::string_view text) { return TryParseDecimal(Trim(text)).has_value(); }

std::string CutText(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return std::string(text);
  // When the first byte left out continues a sequence (10xxxxxx), that sequence is dropped whole.
  size_t end = maxBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end));
}

}  // namespace vardeno
