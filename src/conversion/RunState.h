// The flags and counters of the current conversion run, shared by the job loop,
// the progress parser and the error log.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace vardeno {

// A flag that one thread sets while another reads it: the run's abort, asked for on the windows'
// thread and seen at once by the run's own. Copying copies its value.
class SharedFlag {
 public:
  SharedFlag(bool value = false) : value_(value) {}  // NOLINT: a flag reads and writes as a bool
  SharedFlag(const SharedFlag& other) : value_(other.value_.load()) {}
  SharedFlag& operator=(const SharedFlag& other) {
    value_ = other.value_.load();
    return *this;
  }
  SharedFlag& operator=(bool value) {
    value_ = value;
    return *this;
  }
  operator bool() const { return value_.load(); }  // NOLINT

 private:
  std::atomic<bool> value_;
};

struct RunState {
  bool Running = false;
  SharedFlag AbortRequested = false;
  bool BatchMode = false;
  std::string BatchFileName;
  bool AudioOnly = false;
  bool DurationLimitOn = false;
  bool StartLimitOn = false;
  std::int64_t DurationLimit = -1;  // whole seconds, -1 when the duration limit is off
  std::int32_t FileCount = 0;
  std::int32_t FileNo = 0;
  std::int32_t ErrorCount = 0;
  // Outputs of this run that converted well but that the chosen player does not play as they
  // are (or that could not be read to tell); they are no errors.
  std::int32_t NotForPlayerCount = 0;
};

// The running encoder's output, one entry per line; a rewritten status line stays one entry.
using EncoderOutputLines = std::vector<std::string>;

}  // namespace vardeno
