// Small colour and drawing routines of the graphics module used across the toolkit: the hot and
// pressed colours of ultra-flat buttons, rectangle margins, validity tests, the cursor's extent
// below its hot spot, the cross-fade of two bitmaps, parent backgrounds of transparent controls,
// and the bound AlphaBlend entry point.
#pragma once
#include <windows.h>

#include "Graphics.h"
#include "ImgList.h"
#include "System.h"
#include "Types.h"

extern const TUnitInfo cxGraphicsRoutinesUnit;

void ApplyRectMargins(TRect& rect, const TRect& margins);
bool IsBitmapAssigned(TBitmap* bitmap);
bool IsImageIndexValid(TCustomImageList* images, int index);
// Puts newList into field: the old list stops telling the component of its destruction and loses
// the change link, the new one gains both, and the link reports a change. Nothing when unchanged.
void AssignImageList(TCustomImageList* newList, TCustomImageList*& field, TChangeLink* changeLink,
                     TComponent* component);
TColor GetNearestScreenColor(TColor color);
int ClampByte(int n);
// Mixes of the button-face, highlight and window colours (the highlight colour alone when the
// face is black or white).
TColor PressedMixColor();
TColor HotMixColor();
// How far the current cursor reaches below its hot spot.
TSize GetCursorExtent();
// dest := a blend of `from` and `to` (three 24-bit bitmaps of one size); alpha 0 gives from, 255 to.
void BlendBitmaps(TBitmap* dest, TBitmap* from, TBitmap* to, Byte alpha);

class TcxCanvas;
// A marker rectangle: light green (kind 0) or light red (kind 1), hatched and framed in darker
// shades, with a one-pixel button-shadow shadow; afterwards excluded from the canvas's clipping.
void DrawHatchedRect(TcxCanvas* canvas, const TRect& rect, int kind);

// msimg32's AlphaBlend, bound at start-up; null when the library or the entry is missing.
using TAlphaBlendFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
TAlphaBlendFunction cxAlphaBlendFunction();

// The visual-styles library's parent background (draws into dc what the window's parent shows under
// rect, in the window's coordinates). The look-and-feel layer binds it while that library is
// loaded; null otherwise.
using TcxDrawThemeParentBackgroundProc = HRESULT (*)(HWND window, HDC dc, const RECT* rect);
void SetDrawThemeParentBackgroundProc(TcxDrawThemeParentBackgroundProc proc);
TcxDrawThemeParentBackgroundProc cxDrawThemeParentBackgroundProc();

class TControl;
// Fills rect (in the control's coordinates) of the canvas with what the control's parent shows
// there: the parent paints itself into the canvas when it is double-buffered, when the control has
// no window or without visual styles; otherwise the visual styles draw the parent's background.
void DrawParentBackground(TControl* control, TcxCanvas* canvas, const TRect& rect);
// Makes the control's parent paint, into rect of the canvas (in the control's coordinates), what
// lies under the control; withSiblings adds the parent's windowed children below the control.
// Meant for windowed controls: the parent's painting reaches its graphic children again.
void PaintParentImage(TControl* control, TcxCanvas* canvas, const TRect& rect, bool withSiblings);
