// std::filesystem paths from and to the program's UTF-8 path texts. A path made from a plain
// std::string, and path::string(), use the system's narrow encoding: UTF-8 on Linux, but the ANSI
// code page on Windows, which would garble every name beyond it ("Zażółć", "映画").
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vardeno {

inline std::filesystem::path FsPath(std::string_view utf8) {
  return std::filesystem::path(std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

inline std::string Utf8Path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

}  // namespace vardeno
