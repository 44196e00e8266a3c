// Shared by the modules of the control layer (not for other modules): the settings controller's
// shut-down, which the control unit runs, and a scope that sets a flag for the length of a step.
#pragma once

// Frees the settings controller (the hidden window that tells the controls when the system's
// scroll-bar sizes change); none is made after it.
void CloseSettingsController();

// Sets a flag for the length of a step, also when the step throws.
class TcxFlagScope {
 public:
  explicit TcxFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~TcxFlagScope() { flag_ = false; }
  TcxFlagScope(const TcxFlagScope&) = delete;
  TcxFlagScope& operator=(const TcxFlagScope&) = delete;

 private:
  bool& flag_;
};
