// The control unit's process-wide services, as its start-up and shut-down see them (not for other
// modules): the shared hidden windows, the running timers, the tracking timers and the settings
// controller, each created on first use and never again once shut-down has begun.
#pragma once

class TcxSettingsController;

bool IsControlServicesShutDown();
// First step of the unit's shut-down: no service is created from now on. Raises
// "MouseTrackingTimerList.Count <> 0" when a caller is still tracked (its owner forgot to end it),
// otherwise frees the tracking list.
void BeginControlServicesShutDown();
// Last step: the settings controller, the timer window, the running-timer list and the shared
// message window, in this order.
void FreeControlServices();

// Null once shut-down has begun.
TcxSettingsController* SettingsController();
void FreeSettingsController();

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
