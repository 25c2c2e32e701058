// The INI store reading a settings file or profile that anyone may have edited: the program's
// own loaders run over it, and a store that was only read serializes to lines that read back
// the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "app/AppParams.h"
#include "app/IniFile.h"
#include "app/MainWindowSettings.h"
#include "app/Profiles.h"
#include "app/SettingsFile.h"
#include "encoder/EncoderSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vardeno;
  const std::string path = WriteScratchFile("settings.ini", std::string_view(reinterpret_cast<const char*>(data), size));

  AppParams params;
  params.SettingsFile = path;
  MainWindowSettings window;
  EncoderSettings encoder;
  LoadSettingsFromIni(params, window, encoder, ScreenSize{1920, 1080});

  EncoderSettings fromProfile;
  LoadProfile(path, fromProfile, 20);

  const IniFile ini(path);
  FUZZ_CHECK(!ini.Modified());
  const std::string once = ini.Serialize();
  const IniFile again(WriteScratchFile("again.ini", once));
  FUZZ_CHECK(again.Serialize() == once);
  EncoderSettings fromSaved;
  LoadProfile(again.Path(), fromSaved, 20);
  FUZZ_CHECK(fromSaved == fromProfile);
  return 0;
}
