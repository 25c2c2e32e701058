// Running the encoder's information mode on one file, and a file's size.
#include "probe/Probe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

#include "base/NumberText.h"
#include "encoder/EncoderInfo.h"
#include "platform/ArgumentText.h"
#include "platform/ExecutablePath.h"

namespace {
// How long the encoder may take to describe one file. It reads only the file's header, which
// takes well under a second; an encoder that hangs must not freeze the window that asked.
constexpr std::chrono::seconds kProbeTimeLimit(10);

struct ProbeTimedOut {};

bool IsExistingFile(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

MediaProbe StartRecord(const std::string& inputPath) {
  MediaProbe probe;
  probe.FileName = CutText(inputPath, kProbeFileNameMax);
  probe.FileSize = GetFileSizeBytes(inputPath);
  return probe;
}
}  // namespace

MediaProbe ProbeMediaFile(const std::string& inputPath, const std::string& encoderPath, const IdleHandler& idle) {
  if (!IsExistingFile(inputPath) || ResolveExecutablePath(encoderPath).empty()) return StartRecord(inputPath);
  return ProbeMediaFile(inputPath, encoderPath, GetEncoderGeneration(encoderPath), idle);
}

MediaProbe ProbeMediaFile(const std::string& inputPath, const std::string& encoderPath, EncoderGeneration generation,
                          const IdleHandler& idle) {
  MediaProbe probe = StartRecord(inputPath);
  if (!IsExistingFile(inputPath) || ResolveExecutablePath(encoderPath).empty()) return probe;
  std::vector<std::string> lines;
  const auto deadline = std::chrono::steady_clock::now() + kProbeTimeLimit;
  const auto checkTime = [deadline] {
    if (std::chrono::steady_clock::now() > deadline) throw ProbeTimedOut{};
  };
  try {
    RunConsoleProcess(
        encoderPath, "-i " + QuoteArgument(inputPath), &lines, [&](const ChildProcess&, const std::string&) { checkTime(); },
        [&] {
          if (idle) idle();
          checkTime();
        });
  } catch (const ProbeTimedOut&) {
    // The runner has ended the encoder; what it printed so far is all there is.
  }
  ParseProbeOutput(lines, generation, probe);
  return probe;
}

std::uint64_t GetFileSizeBytes(const std::string& path) {
  // Non-blocking, so that a named pipe given by mistake does not hang the program.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return 0;
  struct stat info {};
  const bool sized = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  close(fd);
  return sized ? static_cast<std::uint64_t>(info.st_size) : 0;
}
