// The real power control: built into vardeno_shutdown only, which test executables never link.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include "platform/Shutdown.h"

extern char** environ;

namespace vardeno {

namespace {

class SystemPowerControl : public PowerControl {
 public:
  bool ShutDownComputer() override {
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return false;
    // No terminal input: systemctl must not wait for a password typed into nothing.
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    char program[] = "systemctl";
    char verb[] = "poweroff";
    char* argv[] = {program, verb, nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
      if (errno != EINTR) return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
};

}  // namespace

std::unique_ptr<PowerControl> MakeSystemPowerControl() {
  return std::make_unique<SystemPowerControl>();
}

}  // namespace vardeno
