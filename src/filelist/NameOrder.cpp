#include "filelist/NameOrder.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "platform/Collation.h"

namespace vardeno {

namespace {

// Bytes that are no part of a valid UTF-8 sequence map to private-use characters, so distinct
// names stay distinct.
constexpr wchar_t kStrayByteBase = 0xF700;

std::wstring DecodeUtf8(std::string_view text) {
  std::wstring result;
  result.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t extra = 0;
    char32_t code = lead;
    if (lead < 0x80) extra = 0;
    else if (lead >= 0xC2 && lead <= 0xDF) extra = 1, code = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF) extra = 2, code = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4) extra = 3, code = lead & 0x07;
    else extra = text.size();  // a stray continuation byte or an invalid lead: never valid
    bool valid = i + extra < text.size();
    for (size_t k = 1; valid && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    if (valid) {
      result.push_back(static_cast<wchar_t>(code));
      i += extra + 1;
    } else {
      result.push_back(static_cast<wchar_t>(kStrayByteBase + lead));
      ++i;
    }
  }
  return result;
}

// Case is folded with the Unicode tables of C.UTF-8, which know every script whatever the
// user's locale is; when that locale is missing, the collation locale's own tables serve.
const std::locale* CaseFoldingLocale() {
  static const std::optional<std::locale> folding = []() -> std::optional<std::locale> {
    try {
      return std::locale("C.UTF-8");
    } catch (const std::runtime_error&) {
      return std::nullopt;
    }
  }();
  return folding ? &*folding : nullptr;
}

std::wstring SortKey(const std::string& name, const std::locale& collation, CollationKeys& keys) {
  std::wstring wide = DecodeUtf8(name);
  const std::locale* folding = CaseFoldingLocale();
  const auto& ctype = std::use_facet<std::ctype<wchar_t>>(folding ? *folding : collation);
  ctype.tolower(wide.data(), wide.data() + wide.size());
  // A NUL (from a name that held one) would end the text early for the system's collation.
  if (wide.find(L'\0') != std::wstring::npos) {
    const auto& collate = std::use_facet<std::collate<wchar_t>>(collation);
    return collate.transform(wide.data(), wide.data() + wide.size());
  }
  return keys.KeyOf(wide);
}

}  // namespace

std::locale UserCollationLocale() {
  try {
    return std::locale("");
  } catch (const std::runtime_error&) {
    return std::locale::classic();
  }
}

void SortNamesIgnoringCase(std::vector<std::string>& names, const std::locale& collation) {
  CollationKeys collationKeys(collation);
  std::vector<std::wstring> keys;
  keys.reserve(names.size());
  for (const std::string& name : names) keys.push_back(SortKey(name, collation, collationKeys));
  // Names dropped together mostly share a folder, so their keys share a long beginning; leaving
  // out what every key begins with changes no comparison and makes each one short.
  size_t common = keys.empty() ? 0 : keys.front().size();
  for (const std::wstring& key : keys) {
    common = std::min(common, key.size());
    common = static_cast<size_t>(
        std::mismatch(key.begin(), key.begin() + static_cast<std::ptrdiff_t>(common), keys.front().begin()).first -
        key.begin());
  }
  std::vector<std::wstring_view> tails;
  tails.reserve(keys.size());
  for (const std::wstring& key : keys) tails.push_back(std::wstring_view(key).substr(common));
  std::vector<size_t> order(names.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&tails](size_t a, size_t b) { return tails[a] < tails[b]; });
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (size_t index : order) sorted.push_back(std::move(names[index]));
  names = std::move(sorted);
}

}  // namespace vardeno
