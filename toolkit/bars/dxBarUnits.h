// Start-up of the bar system: the control unit it stands on (started once), the shared state of the
// bar unit (item-class registry, drag cursors, layered-window functions, checkerboard brush), then
// the published properties and classes that stored forms create by name and the item kinds with
// their item controls. The program entry and test fixtures call StartBarUnits() after the
// look-and-feel layer's units.
#pragma once
#include "System.h"

extern const TUnitInfo dxBarRegistrationUnit;
void StartBarUnits();
