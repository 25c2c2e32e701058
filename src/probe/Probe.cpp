// Running the encoder's information mode on one file, and a file's size.
#include "probe/Probe.h"

#include <chrono>

#include "base/NumberText.h"
#include "encoder/EncoderInfo.h"
#include "platform/ArgumentText.h"
#include "platform/ExecutablePath.h"
#include "platform/FileSystem.h"

namespace vardeno {

namespace {
// How long the encoder may take to describe one file. It reads only the file's header, which
// takes well under a second; an encoder that hangs must not freeze the window that asked.
constexpr std::chrono::seconds kProbeTimeLimit(10);

struct ProbeTimedOut {};

MediaProbe StartRecord(const std::string& inputPath) {
  MediaProbe probe;
  probe.FileName = CutText(inputPath, kProbeFileNameMax);
  probe.FileSize = GetFileSizeBytes(inputPath);
  return probe;
}
}  // namespace

MediaProbe ProbeMediaFile(const std::string& inputPath, const std::string& encoderPath, const IdleHandler& idle) {
  if (!IsExistingNonFolder(inputPath) || ResolveExecutablePath(encoderPath).empty()) return StartRecord(inputPath);
  return ProbeMediaFile(inputPath, encoderPath, GetEncoderGeneration(encoderPath), idle);
}

MediaProbe ProbeMediaFile(const std::string& inputPath, const std::string& encoderPath, EncoderGeneration generation,
                          const IdleHandler& idle) {
  MediaProbe probe = StartRecord(inputPath);
  if (!IsExistingNonFolder(inputPath) || ResolveExecutablePath(encoderPath).empty()) return probe;
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

}  // namespace vardeno
