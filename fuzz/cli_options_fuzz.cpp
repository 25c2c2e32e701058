// vardeno-cli's option parser over any arguments (the input split at NUL bytes): it either gives
// options within their ranges or one line naming what was wrong, never both, never neither.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "cli/CliOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vardeno;
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) args.emplace_back();
    else args.back() += static_cast<char>(data[i]);
  }
  const CliParseResult result = ParseCliArguments(args);
  FUZZ_CHECK(result.options.has_value() == result.error.empty());
  if (result.options) {
    FUZZ_CHECK(result.options->jobs <= kMaxJobs);
    for (const std::string& file : result.options->files) FUZZ_CHECK(file.size() <= size);
  } else {
    FUZZ_CHECK(result.error.find('\n') == std::string::npos);
  }
  return 0;
}
