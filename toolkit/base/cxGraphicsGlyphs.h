// Glyph and image drawing of the graphics module: every glyph and image-list image is composed off
// screen in 32-bit bitmaps (background, picture with its mask or alpha, one of six drawing modes)
// and blended over the background; alpha blending of rectangles with a software fallback, a
// Lanczos-3 smooth stretch, drop shadows, a checker overlay and transparent-colour helpers.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "Graphics.h"
#include "ImgList.h"
#include "Types.h"
#include "cxGraphics.h"

enum TcxImageDrawMode : Byte { idmNormal, idmDisabled, idmFaded, idmGrayScale, idmLightened, idmShadowed };

// A procedure that may draw an image itself into the composition bitmap's canvas; true: it did.
using TcxImageDrawHook = bool (*)(TcxCanvas* canvas, TCustomImageList* images, int imageIndex,
                                  TcxImageDrawMode mode, const TRect& glyphRect, TBitmap* glyph);
extern TcxImageDrawHook ImageDrawHook;

// Draws the glyph when it is a non-empty bitmap, else image imageIndex of the image list; nothing
// when neither is valid. updateRect is the area of dc that is recomposed; glyphRect is where the
// picture goes, scaled to its size (smoothly when smooth). A brush other than 0 fills the
// background instead of what dc shows. transparentColor (clNone for none) and the glyph's own
// transparent colour count as transparent for pictures without alpha. Not re-entrant.
void DrawImageGlyph(HDC dc, const TRect& glyphRect, const TRect& updateRect, TBitmap* glyph,
                    TCustomImageList* images, int imageIndex, TcxImageDrawMode mode, bool smooth = false,
                    HBRUSH brush = nullptr, TColor transparentColor = clNone, bool useGlyphTransparentColor = true);
// The same for an image list known only by its platform handle.
void DrawImageGlyphOfHandle(HDC dc, const TRect& glyphRect, const TRect& updateRect, HIMAGELIST images,
                            int imageIndex, TcxImageDrawMode mode, bool smooth = false, HBRUSH brush = nullptr,
                            TColor transparentColor = clNone);

// Blends the source rectangle over the destination rectangle at a constant alpha, using the
// source's own alpha; stretches smoothly when asked and the sizes differ.
void AlphaBlendRect(HDC destDC, HDC srcDC, const TRect& destRect, Byte alpha, bool smooth, const TRect& srcRect);
void AlphaBlendBitmaps(TBitmap* dest, TBitmap* source, const TRect& destRect, Byte alpha, bool smooth = false);
void AlphaBlendBitmapToDC(HDC dest, TBitmap* source, const TRect& destRect, Byte alpha, bool smooth = false);
void AlphaBlendDCToDC(HDC dest, HDC source, const TRect& destRect, const TRect& srcRect, Byte alpha,
                      bool smooth = false);
void DrawBitmapAlpha(TBitmap* source, TBitmap* destBitmap, const TRect& destRect, Byte alpha, bool smooth = false);
bool TryAlphaBlend(HDC destDC, const TRect& destRect, HDC srcDC, const TRect& srcRect, Byte alpha);

// Fills dest (its size is the target size) from source: a halftone stretch, or with forceSoftware
// a separable Lanczos-3 resampling of all four channels.
void SmoothStretchBitmap(TBitmap* source, TBitmap* dest, bool forceSoftware = false);
// Adds to the image its silhouette shifted right and down by offset in the colour, where the
// mask (black on the glyph) shows no glyph; grow enlarges the image to keep the whole shadow.
void DrawShadow(TcxBitmap* image, TBitmap* mask, int offset, bool grow, TColor color);
void DrawCheckerRect(HDC dc, const TRect& rect, TColor color1, TColor color2, int cellSize, Byte alpha1, Byte alpha2);
TcxBitmap* CreateCxBitmapCopy(TBitmap* bitmap);
void TransparentColorToAlpha(TcxBitmap* source, TcxBitmap* dest);
void MakeMaskBitmap(TcxBitmap* source, TBitmap* dest);

void CopyDCRect(HDC destDC, HDC srcDC, const TRect& destRect, DWORD rop, const TPoint& srcOrigin);
void BlitWithPalette(HDC dc, TBitmap* bitmap, const TRect& rect, DWORD rop, const TPoint& srcOrigin = TPoint());
TcxBitmap* CopyDCRectToBitmap(HDC dc, const TRect& rect);
TBitmap* CreateSizedBitmap(int width, int height, TPixelFormat format = TPixelFormat::pfDevice);
void StretchCopy(TBitmap* dest, TBitmap* source);
// All pixels of a bitmap as 32-bit values (B, G, R, A), rows top-down or bottom-up.
std::vector<TcxPixel> GetBitmapPixels(TBitmap* bitmap, bool topDown);
void SetBitmapPixels(TBitmap* bitmap, std::vector<TcxPixel>& pixels, bool topDown);

// The scratch bitmaps of glyph drawing: resized (and cleared) on each request, freed at shut-down;
// a glyph drawn while another is (from a draw hook) has bitmaps of its own.
TcxBitmap* GetDrawBitmap(int width, int height);
TcxBitmap* GetImageBitmap(int width, int height);
TcxBitmap* GetMaskBitmap(int width, int height);
void FreeGlyphScratchBitmaps();
