// The language of the user's locale, for the first start and the command line.
#pragma once

namespace vardeno {

// True when the locale's language is Polish: the first of LC_ALL, LC_MESSAGES and LANG that is
// set and not empty starts with "pl". On Windows: the user's interface language is Polish.
bool SystemLanguageIsPolish();

}  // namespace vardeno
