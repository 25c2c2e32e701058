#include "platform/ArgumentText.h"

namespace vardeno {

namespace {
bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
}  // namespace

std::vector<std::string> SplitArgumentText(std::string_view argText) {
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false;  // an argument has started (even an empty quoted one)
  bool quoted = false;
  for (size_t i = 0; i < argText.size(); ++i) {
    const char c = argText[i];
    if (quoted) {
      if (c != '"') {
        current += c;
      } else if (i + 1 < argText.size() && argText[i + 1] == '"') {
        current += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
      inArgument = true;
    } else if (IsSeparator(c)) {
      if (inArgument) arguments.push_back(std::move(current));
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) arguments.push_back(std::move(current));
  return arguments;
}

std::string QuoteArgument(std::string_view argument) {
  std::string quoted = "\"";
  for (const char c : argument) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

}  // namespace vardeno
