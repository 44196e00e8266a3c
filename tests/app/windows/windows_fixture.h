// Shared by the application windows' tests: the program's units in start-up order on a private
// desktop, once per test program, and small helpers for stored forms.
#pragma once
#include "FormReader.h"
#include "Forms.h"
#include "NxInspectorUnits.h"
#include "RangeSlider.h"
#include "RzFramedUnits.h"
#include "cxBaseUnits.h"
#include "cxButtons.h"
#include "cxContainer.h"
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeels.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"
#include "message_pump.h"

inline void StartWindowTestUnits() {
  static bool started = false;
  if (started) return;
  started = true;
  UsePrivateDesktop();
  StartToolkitBaseUnits();
  StartUnits({&dxUxThemeUnit, &dxThemeManagerUnit, &dxOffice11Unit, &cxLookAndFeelsUnit, &cxLookAndFeelPaintersUnit,
              &FormReaderUnit});
  StartFramedUnits();
  StartInspectorUnits();
  StartUnits({&cxContainerUnit, &cxButtonsUnit, &RangeSliderUnit});
}

class WindowsFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartWindowTestUnits(); }
};
