// The real power control on Windows: built into its own library, which only the windowed program
// links; no test executable contains it.
//
// The process's token gets the shutdown privilege (which a normal user holds but that is not
// enabled), then the system is asked to switch the computer off, closing programs that do not end
// by themselves. Without the privilege nothing is asked and the answer is false.
#include <windows.h>

#include "platform/Shutdown.h"

namespace vardeno {

namespace {

bool EnableShutdownPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  // SE_SHUTDOWN_NAME spelled out: the macro is narrow unless UNICODE is defined.
  bool enabled = LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid) &&
                 AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  // AdjustTokenPrivileges succeeds also when the token does not hold the privilege at all; only
  // the last error tells.
  if (enabled && GetLastError() == ERROR_NOT_ALL_ASSIGNED) enabled = false;
  CloseHandle(token);
  return enabled;
}

class SystemPowerControl : public PowerControl {
 public:
  bool ShutDownComputer() override {
    if (!EnableShutdownPrivilege()) return false;
    // InitiateShutdownW switches off at once (no grace period), closing the other programs;
    // its answer is a system error code.
    const DWORD answer = InitiateShutdownW(nullptr, nullptr, 0, SHUTDOWN_POWEROFF | SHUTDOWN_FORCE_OTHERS,
                                           SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_FLAG_PLANNED);
    if (answer == ERROR_SUCCESS) return true;
    // The older call, for systems whose InitiateShutdownW refuses (it is not there before Vista).
    return ExitWindowsEx(EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCE,
                         SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_FLAG_PLANNED) != 0;
  }
};

}  // namespace

std::unique_ptr<PowerControl> MakeSystemPowerControl() { return std::make_unique<SystemPowerControl>(); }

}  // namespace vardeno
