// Collation keys: texts compare in a locale's sort order by comparing their keys as plain wide
// strings, so a list is sorted with one key per name instead of one locale call per comparison.
#pragma once

#include <locale>
#include <memory>
#include <string>
#include <vector>

namespace vardeno {

class CollationKeys {
 public:
  // For the locale collation names (a named locale of the C library on Linux; on Windows the
  // user's own sort order, which the process locale cannot name).
  explicit CollationKeys(const std::locale& collation);
  ~CollationKeys();
  CollationKeys(const CollationKeys&) = delete;
  CollationKeys& operator=(const CollationKeys&) = delete;

  // The key of text, which holds no NUL.
  std::wstring KeyOf(const std::wstring& text);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vardeno
