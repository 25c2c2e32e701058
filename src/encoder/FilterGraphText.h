// Text that goes inside an encoder filter graph (-vf, -filter_complex). A value such as a file
// name passes two parsers there: the filter's own option parser (key=value pairs split at ":")
// and, before it, the graph parser (filters split at "," and ";", stream labels in "[ ]"). Each
// removes one level of backslash escaping, so a value is escaped for the first and then the
// result for the second. A name escaped this way never ends a filter, adds an option or a label.
#pragma once

#include <string>
#include <string_view>

namespace vardeno {

// One filter option's value: "\", "'", ":" and blanks (which the parser would trim at the ends)
// get a backslash. "C:\x" becomes "C\:\\x".
std::string EscapeFilterOption(std::string_view value);
// A filter's argument text inside a graph: "\", "'", ",", ";", "[", "]" and blanks get a backslash.
std::string EscapeFilterGraph(std::string_view argument);
// Both levels: a value as it is written into a graph, e.g. subtitles=filename=<this>.
std::string FilterGraphValue(std::string_view value);

}  // namespace vardeno
