// The control routines unit's process-wide services, as its start-up and shut-down see them (not
// for other modules): the shared hidden windows, the running timers and the tracking timers, each
// created on first use and never again once shut-down has begun.
#pragma once

bool IsControlServicesShutDown();
// First step of the unit's shut-down: no service is created from now on. Raises
// "MouseTrackingTimerList.Count <> 0" when a caller is still tracked (its owner forgot to end it),
// otherwise frees the tracking list.
void BeginControlServicesShutDown();
// Last step: the timer window, the running-timer list and the shared message window, in this order.
void FreeControlServices();
