// The selection-rectangle library "User.db": one child window that shows a bitmap file as its
// background and a rectangle with eight handles over it. The user moves the rectangle or drags an
// edge or a corner; after every such change the window sends the chosen message to the chosen
// window with WParam pointing to four 32-bit integers left, top, right, bottom (window pixels,
// right and bottom outside), readable while the message is handled.
//
// The rectangle stays inside the window and never turns over: left < right and top < bottom, with
// at least one pixel between them. SCSetRect orders and clamps what it is given the same way and
// reports nothing (only the user's changes are reported, so a caller that answers a report with
// SCSetRect does not start a loop). There is one window per process; creating another destroys the
// first. Not built: keyboard handling, more than one window.
#pragma once
#include <windows.h>

extern "C" {
HWND WINAPI SCCreateSelrectWnd(HWND Parent, HINSTANCE Instance, int Left, int Top, int Width, int Height);
BOOL WINAPI SCSetMSGWnd(HWND Window);
BOOL WINAPI SCSetMSGRectID(UINT Message);
BOOL WINAPI SCSetRect(int Left, int Top, int Right, int Bottom);
BOOL WINAPI SCDrawBackGround(const char* FileName);
BOOL WINAPI SCDestroySelrectWnd();
}
