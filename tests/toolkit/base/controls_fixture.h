// Shared by the tests of the control layer: the toolkit's units in their start-up order, a form to
// put controls on, and a message pump that waits for a condition (bounded, so a fault fails
// instead of hanging).
#pragma once
#include "message_pump.h"
#include <functional>
#include <memory>

#include "Forms.h"
#include "cxControls.h"
#include "shown_form.h"
#include "toolkit/lookandfeel/lookandfeel_fixture.h"

struct ControlsFixture : ::testing::Test, ShownForm {
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartLookAndFeelUnits();
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

