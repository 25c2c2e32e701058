#include "encoder/FilterGraphText.h"

namespace vardeno {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string EscapeWithBackslash(std::string_view text, std::string_view special) {
  std::string escaped;
  escaped.reserve(text.size() * 2);
  for (char c : text) {
    if (special.find(c) != std::string_view::npos || IsBlank(c)) escaped += '\\';
    escaped += c;
  }
  return escaped;
}
}  // namespace

std::string EscapeFilterOption(std::string_view value) { return EscapeWithBackslash(value, "\\':"); }

std::string EscapeFilterGraph(std::string_view argument) { return EscapeWithBackslash(argument, "\\',;[]"); }

std::string FilterGraphValue(std::string_view value) { return EscapeFilterGraph(EscapeFilterOption(value)); }

}  // namespace vardeno
