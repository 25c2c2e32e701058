// Collation keys from Windows: the user's sort order with letter case ignored in every script
// (LCMapStringEx with LCMAP_SORTKEY and LINGUISTIC_IGNORECASE), whatever
// locale object is given, since the C++ library on Windows knows no named locales.
#include "platform/Collation.h"

#include <windows.h>

namespace vardeno {

struct CollationKeys::State {};

CollationKeys::CollationKeys(const std::locale&) {}
CollationKeys::~CollationKeys() = default;

std::wstring CollationKeys::KeyOf(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | LINGUISTIC_IGNORECASE, text.data(), length, nullptr, 0, nullptr,
                                 nullptr, 0);
  if (size <= 0) return text;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | LINGUISTIC_IGNORECASE, text.data(), length, reinterpret_cast<LPWSTR>(bytes.data()),
                size, nullptr, nullptr, 0);
  // The key is a byte string that compares as unsigned bytes; one wide character per byte keeps that order.
  std::wstring key;
  key.reserve(bytes.size());
  for (const char byte : bytes) key.push_back(static_cast<wchar_t>(static_cast<unsigned char>(byte)));
  while (!key.empty() && key.back() == L'\0') key.pop_back();
  return key;
}

}  // namespace vardeno
