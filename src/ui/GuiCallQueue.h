// Calls made on a worker thread that must run on the windows' (GUI) thread: they run there in the
// order they were made, as many as are waiting per pass of the event loop. A call can also be
// made and waited for (a question the worker needs answered).
#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

namespace vardeno {

class GuiCallQueue : public QObject {
 public:
  // Lives on the GUI thread; calls still waiting when it is deleted never run.
  explicit GuiCallQueue(QObject* parent = nullptr) : QObject(parent) {}

  // From any thread: call runs on the GUI thread after every call posted before it.
  void Post(std::function<void()> call);
  // From a thread other than the GUI thread: posts call and waits until it has run. giveUp is
  // asked every few milliseconds while waiting; once it says true the wait ends, and the call is
  // dropped if it has not started yet.
  void PostAndWait(std::function<void()> call, const std::function<bool()>& giveUp);
  // On the GUI thread: runs every call posted so far, in order (also from inside a call that
  // runs an event loop of its own, such as a message box).
  void RunPending();

 private:
  std::mutex mutex_;
  std::deque<std::function<void()>> calls_;
  bool runPosted_ = false;  // a RunPending is on its way through the event loop
};

}  // namespace vardeno
