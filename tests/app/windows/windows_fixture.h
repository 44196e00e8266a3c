// Shared by the application windows' tests: the windows' units in start-up order on a private
// desktop, once per test program.
#pragma once
#include "ClipEditorUnits.h"
#include "message_pump.h"

inline void StartWindowTestUnits() {
  UsePrivateDesktop();
  StartClipEditorUnits();
}

class WindowsFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartWindowTestUnits(); }
};
