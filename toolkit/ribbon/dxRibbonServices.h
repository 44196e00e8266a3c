// The routines the ribbon, its tabs and its popups share: finding the ribbon of a window, the work
// area of a monitor, redrawing a control, and the thread's wheel hook, which turns the wheel over
// a ribbon into tab changes unless an open bar window takes it.
#pragma once
#include <windows.h>

#include "Controls.h"
#include "dxRibbon.h"

// The ribbon that owns the window. With searchForm, a form's window answers the first ribbon among
// the form's components; otherwise the window's parents are followed. None when no ribbon is found,
// when it is hidden for lack of room, or when it shows neither tab headers nor tab groups.
TdxCustomRibbon* FindRibbon(HWND window, bool searchForm);
// The work area of the monitor nearest to the window (without a window, nearest to the cursor).
TRect GetWindowWorkArea(HWND window);
// Invalidates and redraws a visible control's window, with its children when asked, at once when
// synchronous.
void RedrawControl(TWinControl* control, bool allChildren, bool synchronous);
// Fills the rectangle and, when asked, takes it out of the DC's clip area.
void FillRectAndExclude(HDC dc, const TRect& rect, TColor color, bool exclude);
bool HasComponentOfClass(TComponent* owner, TClass componentClass);

// Whether a bar window holds the menu focus (a menu or an active toolbar): tab tracking and wheel
// tab switching wait until it closes.
bool IsBarMenuModeActive();

// Who takes a wheel message: 0 the active bar window drops it, 1 the active bar window scrolls
// itself, 2 the focused window control of the active bar window, 3 no bar window is active.
enum TdxBarWheelRouting : uint8_t { bwrBarIgnores, bwrBarTakes, bwrFocusedControl, bwrNoActiveBar };
TdxBarWheelRouting GetBarWheelRouting();

// The WH_MOUSE hook procedure the ribbon installs once for its thread (exposed for tests).
LRESULT CALLBACK RibbonMouseWheelHook(int code, WPARAM message, LPARAM data);
void InstallRibbonMouseHook();
void RemoveRibbonMouseHook();
