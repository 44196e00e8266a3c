// Stateless routines of the control layer (windows and coordinates, keyboard and mouse state,
// monitor work areas, captions and characters, popup menus) and the control unit's start-up: the
// toolkit's screen cursors and its two registered window messages.
#pragma once
#include <windows.h>

#include <string>

#include "Classes.h"
#include "Controls.h"
#include "Menus.h"
#include "Types.h"

// Screen cursors of the toolkit (ids in the framework's screen cursor table).
inline constexpr int crcxDragCopy = 2100;
inline constexpr int crcxFullScroll = 2101;
inline constexpr int crcxHorScroll = 2102;
inline constexpr int crcxVerScroll = 2103;
inline constexpr int crcxUpScroll = 2104;
inline constexpr int crcxRightScroll = 2105;
inline constexpr int crcxDownScroll = 2106;
inline constexpr int crcxLeftScroll = 2107;
inline constexpr int crcxRemove = 2108;
inline constexpr int crcxVertSize = 2109;
inline constexpr int crcxHorzSize = 2110;
inline constexpr int crcxMultiDrag = 2111;
inline constexpr int crcxNoDrop = 2112;
inline constexpr int crcxDrag = 2113;
inline constexpr int crcxColorPicker = 2114;
inline constexpr int crcxHandPoint = -2099;

// Registered at start-up (0 before): asked of a window whether it paints its own skin, and sent
// when the skin state changes.
extern UINT CXM_QUERYOWNSKIN;
extern UINT CXM_SKINSTATECHANGED;

// Windows NT family from version 5.1 on.
bool IsWinXPOrLater();

// ---------------------------------------------------------------------------------------------
// Windows and coordinates
bool CanAllocateHandle(TWinControl* control);
bool IsChildWindowStyle(HWND window);
// Other is window itself or one of its descendants.
bool IsWindowOrDescendant(HWND window, HWND other);
// Whether window is on other's parent chain (a window is not its own parent).
bool IsParentWindowOf(HWND window, HWND other);
// Window none means the screen.
TPoint MapPointBetweenWindows(HWND from, HWND to, const TPoint& point);
TRect MapRectBetweenWindows(HWND from, HWND to, const TRect& rect);
// The work area of the monitor nearest to the point.
TRect GetWorkAreaAtPoint(const TPoint& point);
// (-1, -1) when the system cannot tell.
TPoint GetCursorPosSafe();
bool IsComponentLoading(TComponent* component);

// ---------------------------------------------------------------------------------------------
// Keyboard and mouse
bool IsCtrlKeyDown();
// The mouse-message key flags of the current state: MK_LBUTTON 1, MK_RBUTTON 2, MK_SHIFT 4,
// MK_CONTROL 8, MK_MBUTTON 16.
WPARAM GetMouseKeys();
WPARAM ShiftStateToMouseKeys(TShiftState shift);
Word NormalizeKeyCode(Word key);
bool IsPointInDragDetectArea(const TPoint& pressPoint, int x, int y);
UINT GetSystemDoubleClickTime();

// ---------------------------------------------------------------------------------------------
// Characters and captions
// Digits and signs; mode 1 adds the decimal separator, mode 2 also e and E.
bool IsNumericInputChar(char c, int mode);
bool IsPrintableChar(int code);
// Drops accelerator ampersands ("&&" gives "&"); a final one becomes "_" with underscore.
std::string RemoveAccelChars(const std::string& caption, bool underscore = true);

// ---------------------------------------------------------------------------------------------
// Popup menus
// Popup menus of other kinds than the framework's implement this.
class IcxPopupMenuHandler {
 public:
  virtual ~IcxPopupMenuHandler() = default;
  virtual bool IsShortCut(TMessage& message) = 0;
  virtual void Popup(int x, int y) = 0;
};

bool IsPopupMenuShortCut(TComponent* popupMenu, TMessage& message);
bool ShowPopupMenu(TControl* control, TComponent* popupMenu, int x, int y);
int GetPopupMenuHeight(TPopupMenu* popupMenu);


extern const TUnitInfo cxControlsUnit;
