// Where the options window looks for the desktop launcher: the desktop folder read from the
// user's user-dirs.dirs, whatever that file holds. The folder is always an absolute path
// without a trailing "/", and never holds a NUL (which would cut the path short at the system).
#include <stdlib.h>
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "platform/Shortcuts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vardeno;
  static const bool environment = [] {
    const std::string config = FuzzScratchDir() + "/config";
    mkdir(config.c_str(), 0700);
    setenv("HOME", "/home/fuzz user", 1);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    return true;
  }();
  (void)environment;
  WriteScratchFile("config/user-dirs.dirs", std::string_view(reinterpret_cast<const char*>(data), size));

  const std::string folder = ShortcutFolder(ShortcutPlace::Desktop);
  FUZZ_CHECK(!folder.empty() && folder.front() == '/');
  FUZZ_CHECK(folder.size() == 1 || folder.back() != '/');
  FUZZ_CHECK(folder.find('\0') == std::string::npos);
  ShortcutExists(ShortcutPlace::Desktop, ShortcutFileName);
  return 0;
}
