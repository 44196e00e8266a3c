// Start-up of the framed suite: the colour probes, then the published properties and classes that
// stored form definitions create by name. The program entry and test fixtures call
// StartFramedUnits() after the look-and-feel layer's units.
#pragma once
#include "System.h"

extern const TUnitInfo RzFramedRegistrationUnit;
void StartFramedUnits();
