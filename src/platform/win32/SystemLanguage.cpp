// Windows: Polish exactly when the primary language of the user's interface language
// (GetUserDefaultUILanguage) is Polish; the environment's locale variables play no part.
#include "platform/SystemLanguage.h"

#include <windows.h>

namespace vardeno {

bool SystemLanguageIsPolish() { return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_POLISH; }

}  // namespace vardeno
