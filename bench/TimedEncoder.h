// The system's encoder with a stopwatch around every call that starts it: the one-off -version and
// -encoders queries, the probes (those of files under an output folder, when one is given, counted
// apart: the player check after each file) and the conversions.
#pragma once

#include <chrono>
#include <string>
#include <utility>

#include "conversion/SystemEncoder.h"

namespace vardeno {

class TimedEncoder : public EncoderAccess {
 public:
  using Clock = std::chrono::steady_clock;

  explicit TimedEncoder(std::string outputDir = {}) : outputDir_(std::move(outputDir)) {}

  EncoderGeneration Generation(const std::string& path) override {
    const auto start = Clock::now();
    const EncoderGeneration generation = real_.Generation(path);
    queries += Clock::now() - start;
    return generation;
  }
  std::optional<bool> HasEncoder(const std::string& path, const std::string& codec) override {
    const auto start = Clock::now();
    const auto has = real_.HasEncoder(path, codec);
    queries += Clock::now() - start;
    return has;
  }
  MediaProbe Probe(const std::string& input, const std::string& path, const IdleHandler& idle) override {
    const auto start = Clock::now();
    MediaProbe probe = real_.Probe(input, path, idle);
    const auto spent = Clock::now() - start;
    if (!outputDir_.empty() && input.rfind(outputDir_, 0) == 0) {
      outputProbes += spent;
      ++outputProbeCount;
    } else {
      probes += spent;
      ++probeCount;
    }
    return probe;
  }
  std::uint32_t Run(const std::string& path, const std::string& args, EncoderOutputLines& lines,
                    const OutputLineHandler& handler, const IdleHandler& idle) override {
    const auto start = Clock::now();
    const std::uint32_t code = real_.Run(path, args, lines, handler, idle);
    runs += Clock::now() - start;
    ++runCount;
    return code;
  }
  bool Terminate(const std::string& path) override { return real_.Terminate(path); }

  Clock::duration queries{}, probes{}, outputProbes{}, runs{};
  int probeCount = 0, outputProbeCount = 0, runCount = 0;

 private:
  std::string outputDir_;
  SystemEncoder real_;
};

}  // namespace vardeno
