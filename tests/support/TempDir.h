// A fresh folder under the system's temporary folder, removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

#include "base/FsPath.h"

namespace vardeno {

class TempDir {
 public:
  TempDir() {
    // create_directory is false for a folder that exists, so a name is never shared.
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
      path_ = std::filesystem::temp_directory_path() / ("vardeno-test-" + std::to_string(random() % 1000000000));
      if (std::filesystem::create_directory(path_)) return;
    }
    throw std::runtime_error("no temporary folder could be made");
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return Utf8Path(path_ / FsPath(name)); }

  // Writes bytes to a file in this folder and returns its full path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string full = *this / name;
    std::ofstream out(FsPath(full), std::ios::binary);
    out << bytes;
    return full;
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace vardeno
