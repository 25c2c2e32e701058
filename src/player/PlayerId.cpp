#include "player/PlayerId.h"

#include "base/StringUtil.h"
#include "texts/PlayerTexts.h"

namespace vardeno {

const char* PlayerKey(PlayerId player) {
  switch (player) {
    case PlayerId::Zune30: return "zune30";
    case PlayerId::Zune: return "zune";
    case PlayerId::ZuneHD: return "zunehd";
    case PlayerId::None: break;
  }
  return "none";
}

std::optional<PlayerId> ParsePlayerKey(std::string_view key) {
  const std::string wanted = ToLowerAscii(Trim(key));
  for (int i = 0; i < kPlayerCount; ++i) {
    const auto player = static_cast<PlayerId>(i);
    if (wanted == PlayerKey(player)) return player;
  }
  return std::nullopt;
}

PlayerId PlayerFromKeyOrDefault(std::string_view key) { return ParsePlayerKey(key).value_or(kDefaultPlayer); }

std::string PlayerName(PlayerId player, UiLanguage lang) {
  switch (player) {
    case PlayerId::Zune30: return kPlayerZune30(lang);
    case PlayerId::Zune: return kPlayerZune(lang);
    case PlayerId::ZuneHD: return kPlayerZuneHD(lang);
    case PlayerId::None: break;
  }
  return kPlayerNone(lang);
}

}  // namespace vardeno
