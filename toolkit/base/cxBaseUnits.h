// The modules of the toolkit's control base in dependency order, started once by the program
// entry and by test fixtures (after the framework's own modules, which it starts if they are not).
#pragma once
#include "System.h"

void StartToolkitBaseUnits();
