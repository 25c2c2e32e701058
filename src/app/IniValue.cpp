#include "app/IniValue.h"

#include <cstdint>

#include "base/StringUtil.h"

namespace vardeno {

namespace {

// Length of the character that starts at text[pos]: a valid UTF-8 sequence, or 1 byte.
std::size_t CharacterLength(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  unsigned minCode = 0;
  unsigned code = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, minCode = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, minCode = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, minCode = 0x10000;
  } else {
    return 1;
  }
  if (pos + length > text.size()) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return 1;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < minCode || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 1;
  return length;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string CutToCharacters(std::string_view text, std::size_t maxChars) {
  std::size_t pos = 0;
  for (std::size_t count = 0; count < maxChars && pos < text.size(); ++count) {
    pos += CharacterLength(text, pos);
  }
  return std::string(text.substr(0, pos));
}

std::string CleanIniValue(std::string_view raw) {
  std::string value = Trim(raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  if (value.size() > kIniValueMaxChars) value = CutToCharacters(value, kIniValueMaxChars);
  return value;
}

std::optional<int> ParseIniInteger(std::string_view text) {
  std::string normalized;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    normalized = "$";
    normalized.append(text.substr(2));
    text = normalized;
  }
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  if (pos >= text.size()) return std::nullopt;

  if (text[pos] == '$') {
    ++pos;
    if (pos >= text.size()) return std::nullopt;
    std::uint32_t value = 0;
    for (; pos < text.size(); ++pos) {
      const int digit = HexDigit(text[pos]);
      if (digit < 0 || (value & 0xF0000000u) != 0) return std::nullopt;
      value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
  }

  std::int64_t value = 0;
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  for (; pos < text.size(); ++pos) {
    if (text[pos] < '0' || text[pos] > '9') return std::nullopt;
    value = value * 10 + (text[pos] - '0');
    if (value > limit) return std::nullopt;
  }
  return static_cast<int>(negative ? -value : value);
}

}  // namespace vardeno
