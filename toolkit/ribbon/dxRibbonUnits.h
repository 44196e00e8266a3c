// Start-up of the ribbon control with what it stands on: its skins, the bar system, the ribbon.
// A header of its own, so a program can start the ribbon without seeing the bar types (whose
// enumerators share names with the list view's).
#pragma once

void StartRibbonControlUnits();
