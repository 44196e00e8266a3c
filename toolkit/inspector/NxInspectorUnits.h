// Start-up of the property inspector: the framework modules it builds on, then its own (the
// visual-styles binding, the text function choice, the published properties and the classes that
// stored forms create by name). Run once by the program entry and by test fixtures.
#pragma once
#include "System.h"

extern const TUnitInfo NxInspectorUnit;
void StartInspectorUnits();
