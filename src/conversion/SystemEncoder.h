// The encoder program of this machine as a conversion run uses it: the real process runner,
// probe, generation detection and encoder list.
#pragma once

#include <optional>

#include "conversion/ConversionRun.h"

namespace vardeno {

class SystemEncoder : public EncoderAccess {
 public:
  // forced, when given, replaces the detected generation (the user knows better).
  explicit SystemEncoder(std::optional<EncoderGeneration> forced = std::nullopt) : forced_(forced) {}

  EncoderGeneration Generation(const std::string& encoderPath) override;
  std::optional<bool> HasEncoder(const std::string& encoderPath, const std::string& codec) override;
  MediaProbe Probe(const std::string& inputPath, const std::string& encoderPath, const IdleHandler& idle) override;
  std::uint32_t Run(const std::string& encoderPath, const std::string& argText, EncoderOutputLines& lines,
                    const OutputLineHandler& handler, const IdleHandler& idle) override;
  bool Terminate(const std::string& encoderPath) override;
  std::optional<bool> HasFilter(const std::string& encoderPath, const std::string& filter) override;

 private:
  std::optional<EncoderGeneration> forced_;
};

}  // namespace vardeno
