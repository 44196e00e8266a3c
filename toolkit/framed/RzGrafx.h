// The graphics engine under the framed controls: a gradient painter with ten directions computed
// off-screen (stripes 8 pixels wide replicated by doubling copies, boxes in one quadrant and
// mirrored), transparent bitmap drawing through masks, and painting a control's parent behind it.
#pragma once
#include <windows.h>

#include <cstdint>

#include "Controls.h"
#include "Graphics.h"
#include "Types.h"

enum TGradientDirection : uint8_t {
  gdDiagonalUp, gdDiagonalDown, gdHorizontalEnd, gdHorizontalCenter, gdHorizontalBox, gdVerticalEnd,
  gdVerticalCenter, gdVerticalBox, gdSquareBox, gdBigSquareBox
};

// Colour A and colour B land as the direction says (gdHorizontalEnd: A on the top row, B on the
// bottom row; box directions: A outside, B in the centre). A band count of 1 changes colour at
// every pixel where the colour changes; larger counts give coarser bands.
void RenderGradient(TCanvas* canvas, const TRect& rect, TGradientDirection direction, TColor colorA, TColor colorB,
                    uint8_t bandCount);

// The building blocks of RenderGradient, on a device context (exposed for the tests).
void GradientStripe(HDC dc, int x, int y, int extent, TColor colorA, TColor colorB, uint8_t bandCount);
void GradientBoxQuadrant(HDC dc, int width, int height, int insetX, int insetY, TColor colorA, TColor colorB,
                         uint8_t bandCount);
void GradientDiagonal(HDC dc, int signedWidth, int height, TColor colorA, TColor colorB, uint8_t bandCount);
void TileByDoubling(HDC dc, int x0, int y0, int totalWidth, int totalHeight, int seedWidth, int seedHeight,
                    DWORD rop);
void MirrorQuadrant(HDC dc, int x0, int y0, int width, int height, DWORD rop);

// Transparent copies: pixels of the transparent colour leave the canvas as it was.
void DrawMaskedBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& dest, const TRect& source, TColor transparent);
void DrawMaskedBitmapRop(TCanvas* canvas, TBitmap* bitmap, const TRect& dest, const TRect& source,
                         TColor transparent);
void TileMaskedBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& rect, TColor transparent);
void StretchMaskedBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& rect, TColor transparent);

// The parent's background and painting, drawn into dc under the control's place.
void PaintBehindControl(TControl* control, HDC dc, bool invalidateParent);
void PaintBehindControlCanvas(TControl* control, TCanvas* canvas, bool invalidateParent);
