// The folder of one end-to-end test of vardeno-cli: clips with awkward names made on demand, and
// runs of the program with that folder as the current one.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "cli/CliProcess.h"
#include "support/TempDir.h"

namespace vardeno {

// Blanks, both quote characters and shell substitutions: none of it may ever be run or altered.
inline const std::string kOddName = "it's a \"clip\" $(touch pwned) `touch pwned`.mp4";

class CliTest : public ::testing::Test {
 protected:
  // A clip in the test's folder (made once per name); its full path.
  std::string Clip(const std::string& name, double seconds = 1.0, bool video = true, bool audio = true,
                   const std::string& rate = "25") {
    const std::string path = dir_ / name;
    if (!std::filesystem::exists(path)) {
      EXPECT_TRUE(MakeClip(path, seconds, video, audio, rate)) << "ffmpeg could not make " << path;
    }
    return path;
  }

  CliResult Run(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) {
    return RunCli(args, WithConfig(env), dir_.Path().string());
  }

  // The program's own files (settings, profiles) of this test's user live in the test folder.
  // No system bus either: a run never asks the machine's own logind for its sleep lock.
  std::vector<std::string> WithConfig(std::vector<std::string> env) const {
    env.push_back("XDG_CONFIG_HOME=" + (dir_ / "config"));
    env.push_back("DBUS_SYSTEM_BUS_ADDRESS=unix:path=" + (dir_ / "no-system-bus"));
    return env;
  }

  bool Exists(const std::string& path) const { return std::filesystem::exists(path); }

  // A shell substitution in a file name was run.
  bool SomethingWasInjected() const { return Exists(dir_ / "pwned"); }

  TempDir dir_;
};

inline bool IsExecutable(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IXUSR) != 0;
}

}  // namespace vardeno
