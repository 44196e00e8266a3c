// The inspector's own binding of the visual-styles library, looked up at run time: without the
// library, or with visual styles off, every inspector control draws its classic look.
#pragma once
#include <windows.h>

#include <string>

#include "Types.h"

// Loads "uxtheme.dll" once and looks up its entry points (module start-up); never unloaded.
void BindThemeLibrary();
// The library is loaded and both the application and the system use visual styles. An error
// inside the queries surfaces as "Error in Themes".
bool ThemesAvailable();
// Draws one themed part (theme class, part and state) into rect; callers ask ThemesAvailable first.
void DrawThemeElement(HWND window, HDC dc, const TRect& rect, const std::u16string& className, int partId,
                   int stateId);
