// Small colour and drawing routines of the graphics module used across the toolkit: the hot and
// pressed colours of ultra-flat buttons, rectangle margins, validity tests, the cursor's extent
// below its hot spot, the cross-fade of two bitmaps, and the bound AlphaBlend entry point.
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
