// Keeping Windows awake: the calling thread's execution state says that the system is required
// for as long as the lock lives (ES_CONTINUOUS); the idle timer then never puts it to sleep.
// The reason text has no place here: Windows names the program in "powercfg /requests".
#include "platform/SleepLock.h"

#include <windows.h>

namespace vardeno {

namespace {
class ExecutionStateLock : public SleepLock {
 public:
  ~ExecutionStateLock() override { SetThreadExecutionState(ES_CONTINUOUS); }
};
}  // namespace

std::unique_ptr<SleepLock> KeepComputerAwake(const std::string&) {
  if (SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED) == 0) return nullptr;
  return std::make_unique<ExecutionStateLock>();
}

}  // namespace vardeno
