#include "ui/GuiCallQueue.h"

#include <chrono>
#include <condition_variable>
#include <memory>

namespace vardeno {

void GuiCallQueue::Post(std::function<void()> call) {
  std::lock_guard lock(mutex_);
  calls_.push_back(std::move(call));
  if (runPosted_) return;
  runPosted_ = true;
  QMetaObject::invokeMethod(this, [this] { RunPending(); }, Qt::QueuedConnection);
}

void GuiCallQueue::PostAndWait(std::function<void()> call, const std::function<bool()>& giveUp) {
  struct Waiting {
    std::mutex mutex;
    std::condition_variable done;
    bool started = false;
    bool finished = false;
    bool dropped = false;
  };
  auto waiting = std::make_shared<Waiting>();
  Post([waiting, call = std::move(call)] {
    {
      std::lock_guard lock(waiting->mutex);
      if (waiting->dropped) return;
      waiting->started = true;
    }
    call();
    {
      std::lock_guard lock(waiting->mutex);
      waiting->finished = true;
    }
    waiting->done.notify_all();
  });
  std::unique_lock lock(waiting->mutex);
  while (!waiting->finished) {
    if (giveUp()) {
      waiting->dropped = true;
      return;
    }
    waiting->done.wait_for(lock, std::chrono::milliseconds(20));
  }
}

void GuiCallQueue::RunPending() {
  {
    std::lock_guard lock(mutex_);
    // Calls posted while one of these runs an event loop of its own get a pass of their own.
    runPosted_ = false;
  }
  for (;;) {
    std::function<void()> call;
    {
      std::lock_guard lock(mutex_);
      if (calls_.empty()) return;
      call = std::move(calls_.front());
      calls_.pop_front();
    }
    call();
  }
}

}  // namespace vardeno
