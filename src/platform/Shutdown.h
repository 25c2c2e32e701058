// Switching the computer off. The real power control is built into its own library,
// vardeno_shutdown, which only the program executables link: neither the core nor any test
// executable contains it, so no test can ever switch a machine off. Tests use a fake.
#pragma once

#include <memory>

namespace vardeno {

class PowerControl {
 public:
  virtual ~PowerControl() = default;
  // Asks the system to switch the computer off at once. True if the request was accepted.
  virtual bool ShutDownComputer() = 0;
};

// The system's power control (Linux: runs "systemctl poweroff", which asks logind; Windows: the
// shutdown privilege, then InitiateShutdownW).
// Defined only in vardeno_shutdown.
std::unique_ptr<PowerControl> MakeSystemPowerControl();

}  // namespace vardeno
