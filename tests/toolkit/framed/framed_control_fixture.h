// Shared by the tests of the framed controls: the framed units once per process, and a form that
// owns the control under test and whatever a test places beside it.
#pragma once
#include <memory>

#include "framed_fixture.h"

template <class TControl> class FramedControlFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartFramedTestUnits();
  }
  // A new form, not shown yet: tests that need the windows show it once the controls are set.
  void NewForm(int width = 300, int height = 200) {
    form_ = std::make_unique<TForm>(nullptr, 0);
    form_->SetBounds(0, 0, width, height);
  }
  // A control on the form at `bounds`; by default one of the kind under test.
  template <class T = TControl> T* Place(const TRect& bounds) {
    auto* control = new T(form_.get());
    control->SetParent(form_.get());
    control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    return control;
  }

  std::unique_ptr<TForm> form_;
};
