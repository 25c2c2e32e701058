// Sets ControlsUpdating for a scope (InitControls, SetLang, defaults, profile loading) and puts
// back the value it found, also when the scope is left by an exception; change handlers of the
// setting controls return at once while the flag is set.
#pragma once

namespace vardeno {

class ControlsUpdatingGuard {
 public:
  explicit ControlsUpdatingGuard(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~ControlsUpdatingGuard() { flag_ = before_; }
  ControlsUpdatingGuard(const ControlsUpdatingGuard&) = delete;
  ControlsUpdatingGuard& operator=(const ControlsUpdatingGuard&) = delete;

 private:
  bool& flag_;
  bool before_;
};

}  // namespace vardeno
