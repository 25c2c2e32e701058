// The one-text form of a command line's arguments and its split into an argument list.
// Blanks (space, tab, CR, LF) separate arguments outside double quotes; a double-quoted stretch
// belongs to the current argument without its quotes, blanks included; inside quotes a doubled
// quote ("") stands for one literal quote. Nothing else is special: backslashes, single quotes,
// "$", backquotes and non-ASCII bytes are kept as they are.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vardeno {

std::vector<std::string> SplitArgumentText(std::string_view argText);

// The argument in double quotes, so that SplitArgumentText gives it back unchanged whatever it
// holds. For a text without double quotes this is simply "\"" + text + "\"".
std::string QuoteArgument(std::string_view argument);

}  // namespace vardeno
