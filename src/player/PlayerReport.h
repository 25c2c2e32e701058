// How the result of a player check is told: the reasons, a verdict line, the lines shown before a
// run, the status of a converted row and its error log entry. The window and the CLI share them.
#pragma once

#include <string>
#include <vector>

#include "player/PlayerCheck.h"

namespace vardeno {

// "H.264", "MPEG-4 Part 2", "WMV 8", "WMA Standard"...: a codec as users know it; the encoder's
// name for one not known here.
std::string CodecDisplayName(const std::string& codec);

// One problem: "frame size 640x480 is above 320x240"; a problem the Zune software solves at sync
// says so ("...: the Zune software converts it at sync, slowly").
std::string ProblemText(const PlayerProblem& problem, UiLanguage lang);

// "plays on Zune HD", "does not play on Zune 30: <reason>; <reason>", "cannot tell for Zune HD:
// <why>", or the not-checked text.
std::string VerdictLine(const PlayerVerdict& verdict, UiLanguage lang);

// Before a run: one line per problem, "Not for Zune 30: <problem>"; none when the settings pass
// or nothing is checked.
std::vector<std::string> PreRunLines(const PlayerVerdict& verdict, UiLanguage lang);

// The status of a row that converted well: planned when the output plays (or nothing was
// checked), else "OK - Not for <player>" or, when the output could not be read,
// "OK - Not checked for <player>".
std::string StatusAfterPlayerCheck(const std::string& planned, const PlayerVerdict& verdict, UiLanguage lang);

// The error log entry (lines separated by CR LF) of an output that does not play or could not be
// read: the file, the player and each value against its limit. "" when it plays.
std::string PlayerLogEntry(const std::string& outputPath, const PlayerVerdict& verdict, UiLanguage lang);

}  // namespace vardeno
