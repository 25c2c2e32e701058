#include "platform/SystemLanguage.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace vardeno {

bool SystemLanguageIsPolish() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return std::strncmp(value, "pl", 2) == 0;
  }
  return false;
}

}  // namespace vardeno
