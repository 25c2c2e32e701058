// Collation keys from the C library: wcsxfrm_l with a handle of the named locale, or the
// locale object's own collate facet for a locale the C library cannot name.
#include "platform/Collation.h"

#include <locale.h>
#include <wchar.h>

#include <map>
#include <mutex>

namespace vardeno {

namespace {
// The C library's handles, one per locale name, made when first asked for and freed at exit.
class CollationHandles {
 public:
  ~CollationHandles() {
    for (const auto& [name, handle] : handles_)
      if (handle) freelocale(handle);
  }
  // Null for a name the C library does not know ("*" for a locale put together in code).
  locale_t Of(const std::string& name) {
    if (name.empty() || name == "*") return nullptr;
    std::lock_guard lock(mutex_);
    const auto found = handles_.find(name);
    if (found != handles_.end()) return found->second;
    const locale_t handle = newlocale(LC_ALL_MASK, name.c_str(), nullptr);
    handles_.emplace(name, handle);
    return handle;
  }

 private:
  std::mutex mutex_;
  std::map<std::string, locale_t> handles_;
};

CollationHandles& Handles() {
  static CollationHandles handles;
  return handles;
}
}  // namespace

struct CollationKeys::State {
  std::locale collation;
  locale_t handle = nullptr;
  std::vector<wchar_t> buffer;  // reused from key to key
};

CollationKeys::CollationKeys(const std::locale& collation)
    : state_(std::make_unique<State>(State{collation, Handles().Of(collation.name()), {}})) {}

CollationKeys::~CollationKeys() = default;

// What the locale's collate facet's transform gives, which for a named locale is wcsxfrm_l's
// result; called directly, with room for a key several times as long as the text, so the key is
// worked out once and not twice as the facet does.
std::wstring CollationKeys::KeyOf(const std::wstring& text) {
  State& s = *state_;
  if (!s.handle) {
    const auto& collate = std::use_facet<std::collate<wchar_t>>(s.collation);
    return collate.transform(text.data(), text.data() + text.size());
  }
  std::vector<wchar_t>& buffer = s.buffer;
  if (buffer.size() < text.size() * 4 + 16) buffer.resize(text.size() * 4 + 16);
  size_t length = wcsxfrm_l(buffer.data(), text.c_str(), buffer.size(), s.handle);
  if (length >= buffer.size()) {
    buffer.resize(length + 1);
    length = wcsxfrm_l(buffer.data(), text.c_str(), buffer.size(), s.handle);
  }
  return std::wstring(buffer.data(), length);
}

}  // namespace vardeno
