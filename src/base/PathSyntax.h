// How this system writes paths: the separator, where a path's root ends, and the last separator
// of a path. Every layer that joins or cuts paths uses these, so the same rules hold with "/" on
// Linux and "\" on Windows (where "/" is accepted as a separator too).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vardeno {

#if defined(_WIN32)
inline constexpr char kPathSeparator = '\\';
inline constexpr std::string_view kPathSeparators = "\\/";
inline constexpr bool kDriveLetterPaths = true;
inline constexpr std::string_view kExecutableSuffix = ".exe";
#else
inline constexpr char kPathSeparator = '/';
inline constexpr std::string_view kPathSeparators = "/";
inline constexpr bool kDriveLetterPaths = false;
inline constexpr std::string_view kExecutableSuffix = "";
#endif

inline constexpr std::string_view kPathSeparatorText{&kPathSeparator, 1};

inline bool IsPathSeparator(char c) { return kPathSeparators.find(c) != std::string_view::npos; }

// The position of the last separator in path, or npos.
inline std::size_t LastPathSeparator(std::string_view path) { return path.find_last_of(kPathSeparators); }

// The length of the root at the start of path, separators included: "/" on Linux; "C:\" and the
// "\\" of a network path on Windows. 0 for a relative path.
std::size_t PathRootLength(std::string_view path);

inline bool IsAbsolutePath(std::string_view path) { return PathRootLength(path) > 0; }

// The last part of path, after its last separator (the whole path when it has none).
inline std::string_view FileNameOf(std::string_view path) {
  const std::size_t slash = LastPathSeparator(path);
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// folder + separator + name; no separator is added after a folder that ends in one (a root).
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace vardeno
