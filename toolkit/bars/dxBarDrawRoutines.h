// Drawing routines shared by bar windows, item controls and the bar painters: arrows with their
// exact geometry, frames, the checkerboard brush, clip-region save and restore, background tiling,
// glyph drawing in the item states, the transparent size grip, the menu and edit font derivations
// and the two menu sounds. All work on a device context unless a canvas is named.
//
// Left for later: the themed close-button and size-box routines and the hint layout come with the
// themed painter and the hint window.
#pragma once
#include <windows.h>

#include <string>

#include "Graphics.h"
#include "ImgList.h"
#include "Types.h"
#include "cxGraphics.h"
#include "cxGraphicsGlyphs.h"

class TdxBarItemControl;

// Polygon of points[0..count] (count + 1 points) filled and outlined in one colour each.
void DrawFilledPolygon(HDC dc, const POINT* points, int count, TColor fillColor, TColor lineColor);
// Kind 1: an arrow pointing down; any other kind: pointing right. clDefault picks the colour from
// the state (disabled, selected, normal).
int ArrowSizeForRect(const TRect& rect, int kind);
void DrawArrowInRect(HDC dc, const TRect& rect, int kind, bool enabled, bool selected, bool flat, TColor color);
void DrawArrowSized(HDC dc, const TRect& rect, int kind, int size, bool selected, bool enabled, bool flat,
                    TColor color);
TColor ArrowColor(TColor color, bool enabled, bool selected);

void FrameRectHighlight(HDC dc, const TRect& rect);
void FrameRectSysColorTwice(HDC dc, const TRect& rect, int colorIndex);
// Two nested frames of button-text pixels where x + y is even.
void DrawDottedFrame(HDC dc, const TRect& rect);
// The system size grip over the rectangle's content, which shows where the grip has the face colour.
void DrawSizeGrip(HDC dc, const TRect& rect);

// A new region receives the clip; hadClip tells whether there was one. Restore puts it back (or
// removes clipping) and deletes the region.
void SaveClipRegion(HDC dc, HRGN& region, bool& hadClip);
void RestoreClipRegion(HDC dc, HRGN region, bool hadClip);
void AddClipRect(HDC dc, const TRect& rect);
// Subtracts rect less inner from the canvas's clip region.
void ExcludeRectFromCanvasClip(TcxCanvas* canvas, const TRect& rect, const TRect& inner);

// The origin rectangle says which part of an endless tiling the destination shows.
void TileBitmap(HDC dc, const TRect& rect, const TRect& origin, TBitmap* bitmap);
// A non-empty bitmap is tiled; else the brush, or a solid brush of the colour, fills the rectangle.
void FillRectOrTile(HDC dc, const TRect& rect, const TRect& origin, TBitmap* bitmap, TColor color, HBRUSH brush);

void DeleteGdiObjectVar(HGDIOBJ& object);
void SelectAndDeleteOldObject(HDC dc, HGDIOBJ object);

// Glyphs. The flags choose one of the image routine's modes (normal, disabled, faded, grey-scale,
// lightened, shadowed), tested in the order of the fields below.
struct TdxBarGlyphDrawFlags {
  bool Enabled = true;
  bool Faded = false;       // the disabled look is faded rather than greyed
  bool GreyScale = false;
  bool HotEffects = false;  // the style lightens idle glyphs and shadows selected ones
  bool Selected = false;
  bool Pressed = false;
  bool Shadow = false;
  bool Smooth = false;
};
TcxImageDrawMode GlyphDrawMode(const TdxBarGlyphDrawFlags& flags);
// The glyph bitmap when one is assigned (no transparent colour then), else the image list's image.
void DrawItemGlyph(HDC dc, const TRect& rect, const TdxBarGlyphDrawFlags& flags, HBRUSH background,
                   TCustomImageList* images, int imageIndex, TBitmap* glyph, TColor transparentColor = clNone);
void DrawGlyphInRect(HDC dc, const TRect& rect, TBitmap* bitmap, bool enabled);

// The menu font of the non-client metrics; unless system, at least 11 pixels high and in the given
// font's face. The caller owns the handle.
HFONT CreateMenuFont(TFont* font, bool system);
// With system: the given font at the icon-title font's height (at least 11 pixels); else a copy.
void CreateEditFont(TFont* font, TFont* target, bool system);
// The non-client metrics (the 340-byte form that older systems answer too).
NONCLIENTMETRICSA ReadNonClientMetrics();

// The screen's bits per pixel and the checkerboard brush, read at start-up and on colour changes.
void RefreshDeviceConsts();
int ScreenColorDepth();
void CreateCheckerBrush();
HBRUSH CheckerBrush();
void FreeCheckerBrush();

// 0 "MenuPopup" (a menu opens), 1 "MenuCommand" (a menu command runs), 2 no sound (stops any).
void PlayMenuSound(int index);
void StopMenuSound();
