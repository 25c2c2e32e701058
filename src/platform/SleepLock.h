// Keeping the computer awake while a conversion runs: neither a sleep request nor the idle timer
// puts it to sleep while a lock is held.
#pragma once

#include <memory>
#include <string>

namespace vardeno {

class SleepLock {
 public:
  // Releasing gives the system back its own way of sleeping.
  virtual ~SleepLock() = default;
};

// Asks the system to stay awake on behalf of this program, naming why ("Converting 37 files").
// nullptr when the system has no such service, cannot be reached or refuses; never throws and
// returns within a few seconds at most.
std::unique_ptr<SleepLock> KeepComputerAwake(const std::string& why);

}  // namespace vardeno
