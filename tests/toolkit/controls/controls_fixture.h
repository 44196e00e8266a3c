// Shared by the tests of the control layer: the toolkit's units in their start-up order, a form to
// put controls on, and a message pump that waits for a condition (bounded, so a fault fails
// instead of hanging).
#pragma once
#include <functional>
#include <memory>

#include "cxControls.h"
#include "toolkit/base/routines_fixture.h"
#include "toolkit/lookandfeel/lookandfeel_fixture.h"

inline void StartControlUnits() {
  StartLookAndFeelUnits();
  StartUnits({&cxControlsUnit});
}

struct ControlsFixture : ::testing::Test, ShownForm {
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartControlUnits();
  }
};
