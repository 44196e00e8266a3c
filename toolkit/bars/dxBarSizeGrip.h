// The size grip and the resizable frame of bar drop-down windows. Such a window has a one-pixel
// frame and, on the side away from the item that opened it, a grip strip with a size grip in the
// outer corner and a small close button at the other end. The grip can face any corner.
//
// Corners: 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right. The strip runs along the top
// for corners 0 and 1 and along the bottom for 2 and 3; the grip sits at the left for 0 and 2.
#pragma once
#include <windows.h>

#include "Types.h"

// The strip's height: max(SM_CYHSCROLL + 3, SM_CYSIZE + 1).
int GetGripStripHeight();
// The corner a drop-down gets from where it lies against its owner (both in one coordinate space).
int CalcGripCorner(const TRect& ownerRect, const TRect& dropDownRect);
// HTTOPLEFT, HTTOPRIGHT, HTBOTTOMLEFT or HTBOTTOMRIGHT for corners 0 to 3.
int GripCornerHitTest(int corner);
// Draws the grip in the corner of the rectangle, which becomes the grip's rectangle.
void DrawCornerSizeGrip(HDC dc, TRect& rect, int corner);
// Draws the close button at the strip's far end from the grip; the strip rectangle becomes the
// button's rectangle.
void DrawDropDownCloseButton(HDC dc, TRect& rect, bool hot, int corner, bool flat, bool pressed);
// The whole non-client area on the window's DC; grip and close rectangles come back in screen
// coordinates (empty for a window that is not sizable).
void DrawResizableDropDownNonClient(HWND window, bool sizable, bool flat, int corner, TRect& gripRect,
                                    TRect& closeRect, bool hot, bool pressed);
// The same with the visual style's size box and small close button, framed in button shadow.
void DrawThemedResizableDropDownNonClient(HWND window, bool sizable, int corner, TRect& gripRect,
                                          TRect& closeRect, bool hot, bool pressed);

// Themed pieces: the Window small close button's size, the ScrollBar size box's size + 2, the
// themed grip in a corner and the themed small close button (state 1 normal, 2 hot, 3 pressed).
TSize GetThemedCloseButtonSize();
TSize GetThemedSizeGripSize();
void DrawThemedSizeGrip(HDC dc, const TRect& rect, int corner);
void DrawThemedCloseButton(HDC dc, const TRect& rect, int state);
