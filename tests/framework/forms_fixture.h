// Shared by the framework's window tests: the graphics, controls and forms units on a private
// desktop, started before a suite and stopped after it.
#pragma once
#include "Forms.h"

class FormsFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartUnits({&GraphicsUnit, &ControlsUnit, &FormsUnit});
  }
  static void TearDownTestSuite() { StopUnits(); }
};
