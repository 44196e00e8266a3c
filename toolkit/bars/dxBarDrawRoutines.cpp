#include "dxBarDrawRoutines.h"

#include <mmsystem.h>

#include <algorithm>

#include "cxGraphicsGlyphs.h"
#include "cxGraphicsRoutines.h"
#include "dxOffice11.h"

namespace {
int screenColorDepth = 0;
HBRUSH checkerBrush = nullptr;
// Menu sounds are on for the whole program.
constexpr bool MenuSoundsEnabled = true;

// Selects a pen and a brush for the life of a scope and deletes them afterwards.
class TPenBrushScope {
 public:
  TPenBrushScope(HDC dc, HPEN pen, HBRUSH brush) : dc_(dc), pen_(pen), brush_(brush) {
    oldPen_ = SelectObject(dc, pen);
    oldBrush_ = brush ? SelectObject(dc, brush) : nullptr;
  }
  ~TPenBrushScope() {
    SelectObject(dc_, oldPen_);
    if (oldBrush_) SelectObject(dc_, oldBrush_);
    DeleteObject(pen_);
    if (brush_) DeleteObject(brush_);
  }
  TPenBrushScope(const TPenBrushScope&) = delete;
  TPenBrushScope& operator=(const TPenBrushScope&) = delete;

 private:
  HDC dc_;
  HPEN pen_;
  HBRUSH brush_;
  HGDIOBJ oldPen_, oldBrush_;
};

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void DrawArrowEtch(HDC dc, int x0, int y0, int n, bool down) {
  TPenBrushScope scope(dc, CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)), nullptr);
  if (down) {
    Line(dc, x0 + n, y0 + n - 1, x0 + 2 * n - 1, y0);
    Line(dc, x0 + n, y0 + n, x0 + 2 * n, y0);
  } else {
    Line(dc, x0 + n - 1, y0 + n, x0, y0 + 2 * n - 1);
    Line(dc, x0 + n, y0 + n, x0, y0 + 2 * n);
  }
}

void DottedFrameOnce(HDC dc, const TRect& r, COLORREF color) {
  for (int x = r.Left; x < r.Right; ++x) {
    if ((x + r.Top) % 2 == 0) SetPixel(dc, x, r.Top, color);
    if ((x + r.Bottom - 1) % 2 == 0) SetPixel(dc, x, r.Bottom - 1, color);
  }
  for (int y = r.Top; y < r.Bottom; ++y) {
    if ((r.Left + y) % 2 == 0) SetPixel(dc, r.Left, y, color);
    if ((r.Right - 1 + y) % 2 == 0) SetPixel(dc, r.Right - 1, y, color);
  }
}

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
}  // namespace

void DrawFilledPolygon(HDC dc, const POINT* points, int count, TColor fillColor, TColor lineColor) {
  TPenBrushScope scope(dc, CreatePen(PS_SOLID, 1, ColorToRGB(lineColor)), CreateSolidBrush(ColorToRGB(fillColor)));
  Polygon(dc, points, count + 1);
}

int ArrowSizeForRect(const TRect& rect, int kind) {
  const int g = kind == 1 ? rect.Width() - 8 : rect.Height() - 6;
  return std::max((g - 1) / 2 + (g % 2 != 0 ? 1 : 0), 3);
}

TColor ArrowColor(TColor color, bool enabled, bool selected) {
  if (color != clDefault) return color;
  if (!enabled) return clBtnShadow;
  if (!selected) return clBtnText;
  return IsWhiteButtonFace() ? clBtnFace : clHighlightText;
}

void DrawArrowInRect(HDC dc, const TRect& rect, int kind, bool enabled, bool selected, bool flat, TColor color) {
  DrawArrowSized(dc, rect, kind, ArrowSizeForRect(rect, kind), selected, enabled, flat, color);
}

void DrawArrowSized(HDC dc, const TRect& rect, int kind, int size, bool selected, bool enabled, bool flat,
                    TColor color) {
  const int n = size;
  const bool down = kind == 1;
  const TColor c = ArrowColor(color, enabled, selected);
  int x0, y0;
  POINT p[3];
  if (down) {
    x0 = (rect.Left + rect.Right - (2 * n - 1)) / 2;
    y0 = (rect.Top + rect.Bottom - n) / 2;
    p[0] = {x0, y0}, p[1] = {x0 + 2 * n - 2, y0}, p[2] = {x0 + n - 1, y0 + n - 1};
  } else {
    x0 = (rect.Left + rect.Right - n) / 2;
    y0 = (rect.Top + rect.Bottom - (2 * n - 1)) / 2;
    p[0] = {x0, y0}, p[1] = {x0, y0 + 2 * n - 2}, p[2] = {x0 + n - 1, y0 + n - 1};
  }
  DrawFilledPolygon(dc, p, 2, c, c);
  if (!enabled && !flat) DrawArrowEtch(dc, x0, y0, n, down);
}

void FrameRectHighlight(HDC dc, const TRect& rect) { FrameRect(dc, rect.Win(), GetSysColorBrush(COLOR_HIGHLIGHT)); }

void FrameRectSysColorTwice(HDC dc, const TRect& rect, int colorIndex) {
  TRect r = rect;
  FrameRect(dc, r.Win(), GetSysColorBrush(colorIndex));
  InflateRect(r.Win(), -1, -1);
  FrameRect(dc, r.Win(), GetSysColorBrush(colorIndex));
}

void DrawDottedFrame(HDC dc, const TRect& rect) {
  const COLORREF color = GetSysColor(COLOR_BTNTEXT);
  DottedFrameOnce(dc, rect, color);
  DottedFrameOnce(dc, TRect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1), color);
}

void DrawSizeGrip(HDC dc, const TRect& rect) {
  const int w = rect.Width(), h = rect.Height();
  if (w <= 0 || h <= 0) return;
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  RECT r{0, 0, w, h};
  DrawFrameControl(memory, &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  // The face-coloured pixels of the grip let the background through.
  TransparentBlt(dc, rect.Left, rect.Top, w, h, memory, 0, 0, w, h, GetSysColor(COLOR_BTNFACE));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

void SaveClipRegion(HDC dc, HRGN& region, bool& hadClip) {
  region = CreateRectRgn(0, 0, 0, 0);
  hadClip = GetClipRgn(dc, region) == 1;
}

void RestoreClipRegion(HDC dc, HRGN region, bool hadClip) {
  SelectClipRgn(dc, hadClip ? region : nullptr);
  DeleteObject(region);
}

void AddClipRect(HDC dc, const TRect& rect) {
  HRGN region = CreateRectRgnIndirect(rect.Win());
  ExtSelectClipRgn(dc, region, RGN_OR);
  DeleteObject(region);
}

void ExcludeRectFromCanvasClip(TcxCanvas* canvas, const TRect& rect, const TRect& inner) {
  auto* region = new TcxRegion(rect);
  region->Combine(new TcxRegion(inner), roSubtract);
  canvas->SetClipRegion(region, roSubtract);
}

void TileBitmap(HDC dc, const TRect& rect, const TRect& origin, TBitmap* bitmap) {
  const int w = bitmap ? bitmap->Width() : 0, h = bitmap ? bitmap->Height() : 0;
  if (w == 0 || h == 0 || origin.IsEmpty()) return;
  HRGN saved;
  bool hadClip;
  SaveClipRegion(dc, saved, hadClip);
  IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
  HDC source = bitmap->Canvas()->Handle();
  for (int row = FloorDiv(origin.Top, h); row <= FloorDiv(origin.Bottom - 1, h); ++row) {
    for (int column = FloorDiv(origin.Left, w); column <= FloorDiv(origin.Right - 1, w); ++column) {
      BitBlt(dc, w * column + rect.Left - origin.Left, h * row + rect.Top - origin.Top, w, h, source, 0, 0, SRCCOPY);
    }
  }
  RestoreClipRegion(dc, saved, hadClip);
}

void FillRectOrTile(HDC dc, const TRect& rect, const TRect& origin, TBitmap* bitmap, TColor color, HBRUSH brush) {
  if (IsBitmapAssigned(bitmap)) return TileBitmap(dc, rect, origin, bitmap);
  if (brush) {
    FillRect(dc, rect.Win(), brush);
    return;
  }
  HBRUSH solid = CreateSolidBrush(ColorToRGB(color));
  FillRect(dc, rect.Win(), solid);
  DeleteObject(solid);
}

void DeleteGdiObjectVar(HGDIOBJ& object) {
  if (object) DeleteObject(object);
  object = nullptr;
}

void SelectAndDeleteOldObject(HDC dc, HGDIOBJ object) {
  HGDIOBJ old = SelectObject(dc, object);
  if (old) DeleteObject(old);
}

TcxImageDrawMode GlyphDrawMode(const TdxBarGlyphDrawFlags& flags) {
  if (!flags.Enabled) return flags.Faded ? idmFaded : idmDisabled;
  if (flags.GreyScale) return idmGrayScale;
  if (!flags.HotEffects) return idmNormal;
  if (!flags.Selected && !flags.Pressed && ScreenColorDepth() > 8) return idmLightened;
  if (flags.Selected && !flags.Pressed && flags.Shadow) return idmShadowed;
  return idmNormal;
}

void DrawItemGlyph(HDC dc, const TRect& rect, const TdxBarGlyphDrawFlags& flags, HBRUSH background,
                   TCustomImageList* images, int imageIndex, TBitmap* glyph, TColor transparentColor) {
  const bool useGlyph = IsBitmapAssigned(glyph);
  DrawImageGlyph(dc, rect, rect, useGlyph ? glyph : nullptr, useGlyph ? nullptr : images, imageIndex,
                 GlyphDrawMode(flags), flags.Smooth, background, useGlyph ? clNone : transparentColor);
}

void DrawGlyphInRect(HDC dc, const TRect& rect, TBitmap* bitmap, bool enabled) {
  DrawImageGlyph(dc, rect, rect, bitmap, nullptr, -1, enabled ? idmNormal : idmDisabled);
}

NONCLIENTMETRICSA ReadNonClientMetrics() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = 340;  // without the padded width of later systems, which older ones refuse
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  return metrics;
}

HFONT CreateMenuFont(TFont* font, bool system) {
  LOGFONTA logFont = ReadNonClientMetrics().lfMenuFont;
  if (!system) {
    if (logFont.lfHeight >= -10) logFont.lfHeight = -11;
    lstrcpynA(logFont.lfFaceName, font->Name().c_str(), LF_FACESIZE);
  }
  return CreateFontIndirectA(&logFont);
}

void CreateEditFont(TFont* font, TFont* target, bool system) {
  if (!system) {
    target->Assign(font);
    return;
  }
  LOGFONTA logFont{};
  GetObjectA(font->Handle(), sizeof(logFont), &logFont);
  LOGFONTA iconFont{};
  SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(iconFont), &iconFont, 0);
  logFont.lfHeight = iconFont.lfHeight >= -10 ? -11 : iconFont.lfHeight;
  target->SetHandle(CreateFontIndirectA(&logFont));
}

void RefreshDeviceConsts() {
  HDC dc = GetDC(nullptr);
  screenColorDepth = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  ReleaseDC(nullptr, dc);
}

int ScreenColorDepth() {
  if (screenColorDepth == 0) RefreshDeviceConsts();
  return screenColorDepth;
}

void CreateCheckerBrush() {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), face = GetSysColor(COLOR_BTNFACE);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) SetPixel(dc, x, y, x % 2 == y % 2 ? face : light);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  FreeCheckerBrush();
  checkerBrush = CreatePatternBrush(bitmap);
  DeleteObject(bitmap);  // the brush keeps its own copy
}

HBRUSH CheckerBrush() { return checkerBrush; }

void FreeCheckerBrush() {
  if (checkerBrush) DeleteObject(checkerBrush);
  checkerBrush = nullptr;
}

void PlayMenuSound(int index) {
  static const char* const names[] = {"MenuPopup", "MenuCommand", nullptr};
  if (!MenuSoundsEnabled || index < 0 || index > 2) return;
  PlaySoundA(names[index], nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT);
}

void StopMenuSound() { PlayMenuSound(2); }
