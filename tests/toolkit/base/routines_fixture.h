// Shared by the tests of the control routines and timers: the toolkit base's units, a form to put
// windows on, a message pump that waits for a condition (bounded, so a fault fails instead of
// hanging), and a popup menu of another kind than the framework's.
#pragma once
#include "message_pump.h"

#include "Forms.h"
#include "cxBaseUnits.h"
#include "cxControlsRoutines.h"
#include "shown_form.h"

struct RoutinesFixture : ::testing::Test, ShownForm {
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartToolkitBaseUnits();
  }
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
