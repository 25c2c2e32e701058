// The players a conversion can be checked against, their names in both languages and their keys
// in the settings file and on the command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "texts/Language.h"

namespace vardeno {

enum class PlayerId { Zune30 = 0, Zune = 1, ZuneHD = 2, None = 3 };

inline constexpr int kPlayerCount = 4;

// The player a fresh installation checks for: the Zune 4, 8, 16, 80 and 120 (the second
// generation). The program's default format (H.264 in MP4, 320x240 at 25 fps) is made for it, and
// a file that plays on it plays on the Zune HD too; the stricter Zune 30 plays WMV 9 only, which
// the encoder cannot make, so no default format would pass for it.
inline constexpr PlayerId kDefaultPlayer = PlayerId::Zune;

// "zune30", "zune", "zunehd", "none".
const char* PlayerKey(PlayerId player);
// The key read back (letter case and surrounding blanks ignored); nullopt for anything else.
std::optional<PlayerId> ParsePlayerKey(std::string_view key);
// As ParsePlayerKey, with kDefaultPlayer for an unknown or empty value (a settings file).
PlayerId PlayerFromKeyOrDefault(std::string_view key);

// "Zune 30", "Zune 4, 8, 16, 80, 120", "Zune HD", "Other player (no checks)", in the language.
std::string PlayerName(PlayerId player, UiLanguage lang);

}  // namespace vardeno
