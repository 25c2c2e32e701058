// Shared by the fuzz targets: a scratch folder for readers that take a path, and the check that
// turns a broken property into a crash libFuzzer reports with its input.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace vardeno {

// A folder of its own for this process, made once, under /dev/shm when it exists (no disk
// writes for millions of inputs).
inline const std::string& FuzzScratchDir() {
  static const std::string dir = [] {
    std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/vardeno-fuzz-XXXXXX");
    if (!mkdtemp(pattern.data())) std::abort();
    return pattern;
  }();
  return dir;
}

// Writes bytes to <scratch>/<name> and returns the path.
inline std::string WriteScratchFile(const std::string& name, std::string_view bytes) {
  const std::string path = FuzzScratchDir() + "/" + name;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::abort();
  std::fclose(file);
  return path;
}

#define FUZZ_CHECK(condition)                                                          \
  do {                                                                                 \
    if (!(condition)) {                                                                \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                    \
    }                                                                                  \
  } while (0)

}  // namespace vardeno
