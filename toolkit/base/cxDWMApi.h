// Whether the desktop window manager composes the screen. Its library exists only from Windows 6
// on, so it is bound at run time and the program still starts on older systems.
#pragma once

#include <windows.h>

#include "System.h"

// True when the library was loaded at start-up.
bool IsCompositionAvailable();
// False without the library or its query; otherwise what the query reports.
bool IsCompositionEnabled();

// Binds the library when majorVersion is 6 or more (start-up passes the system's version).
void LoadDWMApi(DWORD majorVersion);
void UnloadDWMApi();

extern const TUnitInfo cxDWMApiUnit;
