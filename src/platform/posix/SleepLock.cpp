// The sleep lock on Linux: logind's Inhibit("sleep:idle", ..., "block") on the system bus. logind
// holds the lock while the descriptor it returns stays open, so the lock is that descriptor.
#include "platform/SleepLock.h"

#include <fcntl.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <cstdint>

namespace vardeno {

namespace {
// A logind that does not answer must not hold up the start of a run for long.
constexpr std::uint64_t kCallTimeoutUsec = 3'000'000;

class InhibitorFd : public SleepLock {
 public:
  explicit InhibitorFd(int fd) : fd_(fd) {}
  ~InhibitorFd() override { close(fd_); }
  InhibitorFd(const InhibitorFd&) = delete;
  InhibitorFd& operator=(const InhibitorFd&) = delete;

 private:
  int fd_;
};

struct BusRef {
  sd_bus* bus = nullptr;
  ~BusRef() { sd_bus_flush_close_unref(bus); }
};

struct MessageRef {
  sd_bus_message* message = nullptr;
  ~MessageRef() { sd_bus_message_unref(message); }
};

struct ErrorRef {
  sd_bus_error error = SD_BUS_ERROR_NULL;
  ~ErrorRef() { sd_bus_error_free(&error); }
};
}  // namespace

std::unique_ptr<SleepLock> KeepComputerAwake(const std::string& why) {
  BusRef bus;
  if (sd_bus_open_system(&bus.bus) < 0) return nullptr;
  sd_bus_set_method_call_timeout(bus.bus, kCallTimeoutUsec);
  ErrorRef error;
  MessageRef reply;
  if (sd_bus_call_method(bus.bus, "org.freedesktop.login1", "/org/freedesktop/login1",
                         "org.freedesktop.login1.Manager", "Inhibit", &error.error, &reply.message, "ssss",
                         "sleep:idle", "Vardeno", why.c_str(), "block") < 0)
    return nullptr;
  int fd = -1;
  if (sd_bus_message_read(reply.message, "h", &fd) < 0 || fd < 0) return nullptr;
  // The reply owns its descriptor; the lock keeps a copy of its own, away from 0, 1 and 2.
  const int own = fcntl(fd, F_DUPFD_CLOEXEC, 3);
  if (own < 0) return nullptr;
  return std::make_unique<InhibitorFd>(own);
}

}  // namespace vardeno
