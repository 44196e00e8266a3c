// Message pumps and mouse-message coordinates shared by the tests that drive real windows.
#pragma once
#include <windows.h>

#include <functional>

// Handles this thread's messages until done() holds or 20000 messages went by.
inline bool PumpUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 20000 && !done(); ++i) {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
  }
  return done();
}

// Handles what is queued now and what arrives within a short wait (a few timer ticks).
inline void PumpWhileBusy() {
  for (int idle = 0; idle < 3;) {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else {
      ++idle;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 30, QS_ALLINPUT);
    }
  }
}

inline LPARAM ClientPoint(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }
