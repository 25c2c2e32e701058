// Prints the user interface language Windows (or Wine) reports, as the setup program sees it:
// "0x0415 pl-PL" for Polish.
#include <windows.h>

#include <cstdio>

int main() {
  const LANGID ui = GetUserDefaultUILanguage();
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = L"";
  LCIDToLocaleName(MAKELCID(ui, SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0);
  std::printf("0x%04X %ls\n", ui, name);
  return 0;
}
