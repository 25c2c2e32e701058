// The code pages are the system locale's defaults (GetLocaleInfoW with LOCALE_SYSTEM_DEFAULT),
// which the manifest does not bend. The registry's Nls\CodePage is not used: Wine rewrites it
// with each starting process's own code pages, 65001 for ours. A locale with no code page of its
// own (it answers 0 or 1, meaning "the process's") leaves the process's GetACP()/GetOEMCP().
#include "platform/win32/SystemCodePages.h"

#include <windows.h>

namespace vardeno {

namespace {

unsigned SystemCodePage(LCTYPE localeType, unsigned processCodePage) {
  DWORD codePage = 0;
  const int written = GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, localeType | LOCALE_RETURN_NUMBER,
                                     reinterpret_cast<wchar_t*>(&codePage), sizeof(codePage) / sizeof(wchar_t));
  if (written == 0 || codePage <= CP_OEMCP || !IsValidCodePage(codePage)) return processCodePage;
  return codePage;
}

}  // namespace

unsigned SystemAnsiCodePage() {
  static const unsigned codePage = SystemCodePage(LOCALE_IDEFAULTANSICODEPAGE, GetACP());
  return codePage;
}

unsigned SystemOemCodePage() {
  static const unsigned codePage = SystemCodePage(LOCALE_IDEFAULTCODEPAGE, GetOEMCP());
  return codePage;
}

}  // namespace vardeno
