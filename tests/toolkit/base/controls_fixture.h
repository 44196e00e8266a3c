// Shared by the tests of the control layer: the toolkit's units in their start-up order, a form to
// put controls on, and a message pump that waits for a condition (bounded, so a fault fails
// instead of hanging).
#pragma once
#include <functional>
#include <memory>

#include "Forms.h"
#include "cxControls.h"
#include "toolkit/lookandfeel/lookandfeel_fixture.h"

struct ControlsFixture : ::testing::Test {
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartLookAndFeelUnits();
  }
  ControlsFixture() {
    form = std::make_unique<TForm>(nullptr, 0);
    form->SetBounds(50, 50, 500, 400);
    form->Show();
  }
  template <class T> T* Place(T* control, int x, int y, int w, int h) {
    control->SetParent(form.get());
    control->SetBounds(x, y, w, h);
    return control;
  }
  std::unique_ptr<TForm> form;
};

// A popup menu of another kind than the framework's: records where it was asked to show.
class TMenuHandler : public TComponent, public IcxPopupMenuHandler {
 public:
  explicit TMenuHandler(TComponent* owner) : TComponent(owner) {}
  bool IsShortCut(TMessage&) override { return shortCut; }
  void Popup(int x, int y) override { shownAt = TPoint(x, y); }
  bool shortCut = false;
  TPoint shownAt{-1, -1};
};

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
