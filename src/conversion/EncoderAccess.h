// The encoder program as a conversion run uses it; tests and benchmarks stand in for it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "encoder/EncoderGeneration.h"
#include "platform/ProcessRunner.h"
#include "probe/MediaProbe.h"

namespace vardeno {

// The encoder program as a run uses it.
class EncoderAccess {
 public:
  virtual ~EncoderAccess() = default;
  virtual EncoderGeneration Generation(const std::string& encoderPath) = 0;
  // nullopt when the encoder's list of encoders could not be read.
  virtual std::optional<bool> HasEncoder(const std::string& encoderPath, const std::string& codec) = 0;
  // ProbeMediaFile; idle is called while the encoder is silent (events and abort of a run).
  virtual MediaProbe Probe(const std::string& inputPath, const std::string& encoderPath, const IdleHandler& idle) = 0;
  // RunConsoleProcess; throws SystemError when the encoder cannot be started.
  virtual std::uint32_t Run(const std::string& encoderPath, const std::string& argText, EncoderOutputLines& lines,
                            const OutputLineHandler& handler, const IdleHandler& idle) = 0;
  virtual bool Terminate(const std::string& encoderPath) = 0;
  // Whether the encoder has the named filter; nullopt when it cannot tell (the run then goes on).
  virtual std::optional<bool> HasFilter(const std::string& /*encoderPath*/, const std::string& /*filter*/) {
    return std::nullopt;
  }
};

}  // namespace vardeno
