// Window, focus and key routines shared by the bar system's windows: which form a window belongs
// to, whether a chain of windows is enabled or focused, which window lies under a point, which
// manager serves a control, the accelerator of a caption, and the directional search of keyboard
// navigation.
//
// Left for later: the chain of activated bar windows, the navigation helpers and key tips, and the
// menu-mode queries come with the bar windows' keyboard and navigation parts.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Controls.h"
#include "Forms.h"
#include "Types.h"
#include "dxBarTypes.h"

bool IsActiveWindow(HWND window);
bool IsControlWindowVisible(TWinControl* control);
// The window and, for a child window, every parent up to the first non-child are enabled.
bool IsWindowEnabledChain(HWND window);
// The focused window is this window or one of its ancestors through child windows.
bool IsFocusInChain(HWND window);
bool IsDescendantWindow(HWND window, HWND ancestor);
// True for no window, or for a window of another process.
bool IsWindowOfOtherProcess(HWND window);
void ActivateTopLevelWindow(HWND window);
TWinControl* GetWinControlOwner(TComponent* component);
TWinControl* GetWinControlOf(TControl* control);
bool IsControlInside(TControl* control, TControl* other);
// Mode 2 stops at the first form, 1 at the first MDI child form, 0 goes to the top-level window;
// the answer is the last form met.
TCustomForm* FindParentForm(TControl* control, int mode);
TCustomForm* GetParentFormOf(TControl* control);
TdxBarManager* FindBarManagerForWindow(HWND window);
TdxBarManager* FindBarManagerForControl(TControl* control);
// The deepest visible child window under a screen point.
HWND WindowFromScreenPoint(const TPoint& point);
void SetWindowZOrder(HWND window, HWND after, bool activate, UINT flags = 0);
void DestroyWindowVar(HWND& window, bool destroy = true);
// Kills the timer whose id the variable holds; true when it was killed (the variable is cleared).
bool KillTimerVar(HWND window, UINT_PTR& timer);
// Below 255 the window becomes layered with that opacity; 255 makes it opaque again.
void SetWindowAlphaBlend(HWND window, Byte alpha);
int ShowAppMessageBox(const std::string& text, UINT flags);

// Keys, mouse and text.
uint16_t KeyMessageToShortCut(WPARAM charCode, LPARAM keyData);
bool IsCharacterKey(UINT virtualKey);
bool IsMouseButtonDownMessage(UINT message);
bool IsLeftMouseButtonDown();
bool IsRightMouseButtonDown();
// 1-based position of the character after the last single "&" (0 when none). With deleteAmp the
// markers are taken out of the caption ("&&" becomes "&").
int FindAccelCharPos(std::string& caption, bool deleteAmp);
std::string StripAccelChars(const std::string& caption);

// The lowest / highest real level (0-3) in a set: 4 / 255 for an empty set; the next level above
// the given one in the set, 4 when none.
int FirstViewLevel(TdxBarItemViewLevels levels);
int LastViewLevel(TdxBarItemViewLevels levels);
int NextViewLevel(TdxBarItemViewLevels levels, int level);

// The neighbour of a rectangle in a direction (0 left, 1 up, 2 right, 3 down) among candidate
// rectangles (all in screen coordinates): the nearest one ahead, then the one closest to the
// straight direction; with wrap, left and right continue from the far end of the row. -1 when none.
int FindNeighbourInDirection(const TRect& from, const std::vector<TRect>& candidates, int direction, bool wrap);
