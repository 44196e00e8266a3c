// Shared by the editor tests: the toolkit's units and the container module in their start-up
// order, on top of the control-layer fixture (a form to put controls on, message pumps).
#pragma once
#include "cxContainer.h"
#include "cxEdit.h"
#include "cxEditPaintUtils.h"
#include "toolkit/base/controls_fixture.h"

inline void StartEditorUnits() {
  StartLookAndFeelUnits();
  StartUnits({&cxContainerUnit, &cxEditPaintUtilsUnit, &cxEditUnit});
}

struct EditorsFixture : ControlsFixture {
  static void SetUpTestSuite() {
    ControlsFixture::SetUpTestSuite();
    StartEditorUnits();
  }
};

// Counts the change notifications of a style.
struct TChangeCounter {
  int count = 0;
  TObject* lastSender = nullptr;
  void Changed(TObject* sender) { ++count, lastSender = sender; }
  TcxStyleChangedEvent Event() { return MakeEvent(this, &TChangeCounter::Changed); }
};
