// The user's resolution list file: every size read is a trimmed, non-empty line that is no
// comment, and the list built from it always starts with its two fixed entries.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "base/StringUtil.h"
#include "encoder/ResolutionList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vardeno;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> sizes = LoadResolutionSizes(WriteScratchFile("resolutions.txt", text));
  for (const std::string& entry : sizes) {
    FUZZ_CHECK(!entry.empty());
    FUZZ_CHECK(entry == Trim(entry));
    FUZZ_CHECK(entry.rfind("//", 0) != 0);
    FUZZ_CHECK(entry.find_first_of("\r\n") == std::string::npos);
  }
  const ResolutionList list = MakeResolutionList(sizes, UiLanguage::Polish);
  FUZZ_CHECK(list.Entries.size() == sizes.size() + 2);
  FUZZ_CHECK(list.EntryText(kResolutionAuto) == "Auto");
  FUZZ_CHECK(list.EntryText(static_cast<int>(list.Entries.size())).empty());
  FUZZ_CHECK(list.EntryText(-1).empty());
  return 0;
}
