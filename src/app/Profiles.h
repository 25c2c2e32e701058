// Encoder profiles: one complete EncoderSettings in an INI file, in the sections "MAIN", "VIDEO",
// "AUDIO" and "ADVANCED". The same files serve the last-session settings.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "encoder/EncoderSettings.h"

namespace vardeno {

// Writes settings to the profile file at path (created when missing). Other keys of an existing
// file stay; "DisplayName" is emptied. Every key is written, in its order, in one replacement of
// the file. Throws IniWriteError when the file cannot be written; the file is then unchanged.
void SaveProfile(const std::string& path, const EncoderSettings& settings);

// Applies the profile at path to settings. A missing key or a value that is not a number keeps
// the field's current value, except the size limit: a missing "SizeLimit" turns it off, a missing
// "SizeLimitValue" empties it and a missing "SizeLimitUnit" means MB. The output format and the
// numbers are kept within their ranges; a list index outside its list (resolutionCount entries in
// the resolution list) becomes -1, no selection, which the argument builders read as an empty
// text. "AdditionalParams" becomes one line (none when empty).
// Returns false, changing nothing, when no such file exists; never fails otherwise.
// The window sets ControlsUpdating while it copies the result into its controls and applies its
// enable rules once afterwards.
bool LoadProfile(const std::string& path, EncoderSettings& settings, int resolutionCount);

// Sets one field as a profile would store it under key (its field name, any letter case) and
// reads it back by the rules of LoadProfile; every other field stays. False for an unknown key.
bool ApplyProfileValue(EncoderSettings& settings, std::string_view key, std::string_view value,
                       int resolutionCount);

class IniFile;
// The profile keys of settings written into / read from an INI store (the body of SaveProfile
// and LoadProfile).
void WriteProfileValues(IniFile& ini, const EncoderSettings& settings);
void ReadProfileValues(const IniFile& ini, EncoderSettings& settings, int resolutionCount);

// The memo's lines as "AdditionalParams" stores them: each line after one blank, then the
// blanks and control characters at both ends removed.
std::string JoinAdditionalParams(const std::vector<std::string>& lines);

}  // namespace vardeno
