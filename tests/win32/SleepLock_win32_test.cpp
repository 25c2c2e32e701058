// Keeping Windows awake during a run: the thread's continuous execution state requires the system
// while the lock lives and is given back when it goes.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/SleepLock.h"

namespace vardeno {

namespace {
// The thread's continuous state, read without changing it (a call without ES_CONTINUOUS only
// resets the idle timer once and returns the state in force).
EXECUTION_STATE ContinuousState() { return SetThreadExecutionState(ES_SYSTEM_REQUIRED); }
}  // namespace

TEST(SleepLockWin32, TheSystemIsRequiredWhileTheLockLivesAndNotAfter) {
  {
    const auto lock = KeepComputerAwake("Converting 2 files");
    ASSERT_NE(lock, nullptr);
    EXPECT_TRUE(ContinuousState() & ES_SYSTEM_REQUIRED);
    EXPECT_TRUE(ContinuousState() & ES_CONTINUOUS);
  }
  EXPECT_FALSE(ContinuousState() & ES_SYSTEM_REQUIRED);
}

}  // namespace vardeno
