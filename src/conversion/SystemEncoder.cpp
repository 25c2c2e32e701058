#include "conversion/SystemEncoder.h"

#include "encoder/EncoderInfo.h"
#include "probe/Probe.h"

namespace vardeno {

EncoderGeneration SystemEncoder::Generation(const std::string& encoderPath) {
  return forced_ ? *forced_ : GetEncoderGeneration(encoderPath);
}

namespace {
std::optional<bool> Known(EncoderAvailability availability) {
  switch (availability) {
    case EncoderAvailability::Available:
      return true;
    case EncoderAvailability::Missing:
      return false;
    case EncoderAvailability::Unknown:
      break;
  }
  return std::nullopt;
}
}  // namespace

std::optional<bool> SystemEncoder::HasEncoder(const std::string& encoderPath, const std::string& codec) {
  return Known(GetEncoderAvailability(encoderPath, codec));
}

std::optional<bool> SystemEncoder::HasFilter(const std::string& encoderPath, const std::string& filter) {
  return Known(GetFilterAvailability(encoderPath, filter));
}

MediaProbe SystemEncoder::Probe(const std::string& inputPath, const std::string& encoderPath, const IdleHandler& idle) {
  return ProbeMediaFile(inputPath, encoderPath, Generation(encoderPath), idle);
}

std::uint32_t SystemEncoder::Run(const std::string& encoderPath, const std::string& argText, EncoderOutputLines& lines,
                                 const OutputLineHandler& handler, const IdleHandler& idle) {
  return RunConsoleProcess(encoderPath, argText, &lines, handler, idle);
}

bool SystemEncoder::Terminate(const std::string& encoderPath) { return TerminateApp(encoderPath); }

}  // namespace vardeno
