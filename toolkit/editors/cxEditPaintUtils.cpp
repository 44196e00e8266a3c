#include "cxEditPaintUtils.h"

#include <algorithm>

#include "dxThemeManager.h"
#include "dxUxTheme.h"

CALDERAN_IMPLEMENT_CLASS(TcxSolidBrushCache, TObject)

namespace {

constexpr int systemColorCount = 31;
HBRUSH systemBrushes[systemColorCount] = {};
bool systemBrushesReady = false;
TcxSolidBrushCache* brushCache = nullptr;
bool hotLightAvailable = false;

constexpr uint32_t systemColorBase = 0xFF000000u;

// (text-out flag, canvas flag): a pair fires when its source flag shares a bit with the input.
constexpr std::pair<uint32_t, uint32_t> textFlagPairs[] = {
    {0x0, 0x1}, {0x1, 0x4}, {0x2, 0x2}, {0x0, 0x8}, {0x10, 0x20}, {0x20, 0x10}, {0x200, 0x40}, {0x100, 0x400},
};

void PaintBrushRect(HDC dc, const TRect& r, HBRUSH brush) { FillRect(dc, r.Win(), brush); }

// Whether the platform has the hot-light system colour.
bool DetectHotLight() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExA(&info)) return false;
  return (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && info.dwMinorVersion != 0) ||
         (info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion == 5);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Brush cache

TcxSolidBrushCache::TcxSolidBrushCache(int capacity) : capacity_(capacity) {
  entries_.reserve(capacity);
  notifier_ = std::make_unique<TcxSystemPaletteChangedNotifier>(true);
  notifier_->OnSystemColorsChanged = MakeEvent(this, &TcxSolidBrushCache::SystemColorsChanged);
}

TcxSolidBrushCache::~TcxSolidBrushCache() {
  notifier_.reset();
  paintDepth_ = 0;
  ClearBrushes();
}

// The first entry whose colour is not below the wanted one (the depth when there is none).
size_t TcxSolidBrushCache::FindPosition(uint32_t color) const {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), color,
                             [](const TEntry& e, uint32_t c) { return e.Color < c; });
  return static_cast<size_t>(it - entries_.begin());
}

int TcxSolidBrushCache::UseCountOf(TColor color) const {
  const size_t p = FindPosition(static_cast<uint32_t>(color));
  return p < entries_.size() && entries_[p].Color == static_cast<uint32_t>(color) ? entries_[p].UseCount : -1;
}

HBRUSH TcxSolidBrushCache::BrushForColor(TColor color) {
  const uint32_t c = static_cast<uint32_t>(color);
  if (systemBrushesReady && c >= systemColorBase && c <= systemColorBase + systemColorCount - 1)
    return systemBrushes[c - systemColorBase];
  size_t position = FindPosition(c);
  if (position < entries_.size() && entries_[position].Color == c) {
    ++entries_[position].UseCount;
    return entries_[position].Brush;
  }
  if (Depth() >= capacity_) EvictLeastUsed(position);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  entries_.insert(entries_.begin() + position, TEntry{c, brush, 0});
  return brush;
}

// The least used entry goes, the lowest colour among equals.
void TcxSolidBrushCache::EvictLeastUsed(size_t& position) {
  auto victim = std::min_element(entries_.begin(), entries_.end(),
                                 [](const TEntry& a, const TEntry& b) { return a.UseCount < b.UseCount; });
  const size_t index = static_cast<size_t>(victim - entries_.begin());
  DisposeBrush(victim->Brush);
  entries_.erase(victim);
  if (index < position) --position;
}

void TcxSolidBrushCache::DisposeBrush(HBRUSH brush) {
  if (paintDepth_ > 0) retired_.push_back(brush);
  else DeleteObject(brush);
}

void TcxSolidBrushCache::DeleteRetired() {
  for (HBRUSH brush : retired_) DeleteObject(brush);
  retired_.clear();
}

void TcxSolidBrushCache::EndPaint() {
  if (paintDepth_ > 0 && --paintDepth_ == 0) DeleteRetired();
}

void TcxSolidBrushCache::ClearBrushes() {
  for (const TEntry& entry : entries_) DisposeBrush(entry.Brush);
  entries_.clear();
  if (paintDepth_ == 0) DeleteRetired();
}

TcxSolidBrushCache* SolidBrushCache() { return brushCache; }

HBRUSH GetCachedSolidBrush(TColor color) {
  if (brushCache) return brushCache->BrushForColor(color);
  return GetSysColorBrush(COLOR_WINDOW);
}

// ---------------------------------------------------------------------------------------------
// Arrows, lines and fills

TSize CalcEditArrowSize(TSize available, TcxArrowDirection direction) {
  const int m = std::min(available.cx, available.cy);
  int a = (m - 1) / 2;
  if (a % 2 == 0) ++a;
  TSize size(a, a / 2 + 1);
  if (direction == adLeft || direction == adRight) std::swap(size.cx, size.cy);
  return size;
}

void DrawEditArrow(TcxCanvas* canvas, TSize arrowSize, const TRect& contentRect, TcxArrowDirection direction,
                   bool isDouble, bool offsetContent, TColor color) {
  // The depth of one arrow in rows (up, down) or columns (left, right): its span is 2 depth - 1.
  const bool vertical = direction == adUp || direction == adDown;
  const int depth = vertical ? arrowSize.cy : arrowSize.cx;
  const int span = 2 * depth - 1;
  const int length = isDouble ? 2 * depth : depth;
  const int blockWidth = vertical ? span : length, blockHeight = vertical ? length : span;
  int left = contentRect.Left + (contentRect.Width() - blockWidth) / 2;
  int top = contentRect.Top + (contentRect.Height() - blockHeight) / 2;
  if (offsetContent) ++left, ++top;
  HBRUSH brush = GetCachedSolidBrush(color);
  HDC dc = canvas->GetHandle();
  for (int arrow = 0; arrow < (isDouble ? 2 : 1); ++arrow) {
    const int along = arrow * depth;
    for (int k = 0; k < depth; ++k) {
      const int inset = (direction == adUp || direction == adLeft) ? depth - 1 - k : k;
      if (vertical) PaintBrushRect(dc, TRect(left + inset, top + along + k, left + span - inset, top + along + k + 1), brush);
      else PaintBrushRect(dc, TRect(left + along + k, top + inset, left + along + k + 1, top + span - inset), brush);
    }
  }
}

void DrawRectSides(TcxCanvas* canvas, TRect& rect, TcxBorders sides, TColor color) {
  const TRect r(rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1);
  HBRUSH brush = GetCachedSolidBrush(color);
  HDC dc = canvas->GetHandle();
  if (sides.Contains(bLeft)) PaintBrushRect(dc, TRect(r.Left, r.Top, r.Left + 1, r.Bottom + 1), brush), ++rect.Left;
  if (sides.Contains(bRight)) PaintBrushRect(dc, TRect(r.Right, r.Top, r.Right + 1, r.Bottom + 1), brush), --rect.Right;
  if (sides.Contains(bTop)) PaintBrushRect(dc, TRect(r.Left, r.Top, r.Right + 1, r.Top + 1), brush), ++rect.Top;
  if (sides.Contains(bBottom)) PaintBrushRect(dc, TRect(r.Left, r.Bottom, r.Right + 1, r.Bottom + 1), brush), --rect.Bottom;
}

void DrawOrthogonalPolyline(TcxCanvas* canvas, const std::vector<TPoint>& points, TColor color, bool useBrush) {
  if (points.empty()) return;
  const TPoint last = points.back();
  if (!useBrush) {
    canvas->GetPen()->SetColor(color);
    canvas->Polyline(points);
    canvas->SetPixel(last.X, last.Y, color);
    return;
  }
  HBRUSH brush = GetCachedSolidBrush(color);
  HDC dc = canvas->GetHandle();
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    TRect r(points[i].X, points[i].Y, points[i + 1].X, points[i + 1].Y);
    if (r.Left == r.Right) {
      ++r.Right;
      if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom), ++r.Top, ++r.Bottom;
    } else {
      ++r.Bottom;
      if (r.Left > r.Right) std::swap(r.Left, r.Right), ++r.Left, ++r.Right;
    }
    PaintBrushRect(dc, r, brush);
  }
  PaintBrushRect(dc, TRect(last.X, last.Y, last.X + 1, last.Y + 1), brush);
}

bool IsBitmapUsable(TBitmap* bitmap) { return bitmap && !bitmap->Empty() && bitmap->Width() >= 1 && bitmap->Height() >= 1; }

void DrawEditGlyph(TcxCanvas* canvas, int x, int y, TBitmap* glyph, bool enabled, TColor backgroundColor,
                   TBitmap* workBitmap) {
  if (!IsBitmapUsable(glyph)) return;
  const TRect source(0, 0, glyph->Width(), glyph->Height());
  if (enabled) {
    const bool transparent = backgroundColor == clNone || workBitmap;
    TCanvas* target = workBitmap ? workBitmap->Canvas() : canvas->Canvas();
    const TPoint at = workBitmap ? TPoint(0, 0) : TPoint(x, y);
    const TBrushStyle oldStyle = target->Brush()->Style();
    const TColor oldColor = target->Brush()->Color();
    if (transparent) target->Brush()->SetStyle(TBrushStyle::bsClear);
    else target->Brush()->SetColor(backgroundColor);
    target->BrushCopy(TRect(at.X, at.Y, at.X + source.Right, at.Y + source.Bottom), glyph, source, glyph->TransparentColor());
    target->Brush()->SetColor(oldColor);
    target->Brush()->SetStyle(oldStyle);
    if (workBitmap) canvas->Draw(x, y, workBitmap);
    return;
  }
  TCustomImageList images(nullptr, glyph->Width(), glyph->Height());
  images.AddMasked(glyph, glyph->TransparentColor());
  if (workBitmap) {
    images.Draw(workBitmap->Canvas(), 0, 0, 0, false);
    canvas->Draw(x, y, workBitmap);
  } else if (backgroundColor != clNone) {
    TBitmap temp;
    temp.SetSize(glyph->Width(), glyph->Height());
    temp.Canvas()->Brush()->SetColor(backgroundColor);
    temp.Canvas()->FillRect(source);
    images.Draw(temp.Canvas(), 0, 0, 0, false);
    canvas->Draw(x, y, &temp);
  } else {
    images.Draw(canvas->Canvas(), x, y, 0, false);
  }
}

void DrawImageListGlyph(TcxCanvas* canvas, TCustomImageList* images, int index, const TRect& rect,
                        TColor backgroundColor, bool enabled, TBitmap* workBitmap) {
  TBitmap temp;
  TBitmap* target = workBitmap;
  if (!target) {
    temp.SetSize(images->Width(), images->Height());
    temp.Canvas()->Brush()->SetColor(backgroundColor);
    temp.Canvas()->FillRect(TRect(0, 0, images->Width(), images->Height()));
    target = &temp;
  }
  images->Draw(target->Canvas(), 0, 0, index, enabled);
  canvas->Draw(rect.Left, rect.Top, target);
}

void FillRectWithColor(TcxCanvas* canvas, const TRect& rect, TColor color) {
  PaintBrushRect(canvas->GetHandle(), rect, GetCachedSolidBrush(color));
}

void FillRectWithBrush(HDC dc, const TRect& rect, HBRUSH brush) { PaintBrushRect(dc, rect, brush); }

void FillFrameWithBrush(TcxCanvas* canvas, const TRect& outer, const TRect& inner, HBRUSH brush) {
  if (outer.IsEmpty() || outer == inner) return;
  HDC dc = canvas->GetHandle();
  if (inner.IsEmpty()) return PaintBrushRect(dc, outer, brush);
  PaintBrushRect(dc, TRect(outer.Left, outer.Top, inner.Left, outer.Bottom), brush);
  PaintBrushRect(dc, TRect(inner.Left, outer.Top, inner.Right, inner.Top), brush);
  PaintBrushRect(dc, TRect(inner.Right, outer.Top, outer.Right, outer.Bottom), brush);
  PaintBrushRect(dc, TRect(inner.Left, inner.Bottom, inner.Right, outer.Bottom), brush);
}

// ---------------------------------------------------------------------------------------------
// Painters, colours and fonts

TcxCustomLookAndFeelPainterClass SelectPainterClass(bool nativeStyle, TcxLookAndFeelKind kind) {
  if (nativeStyle && AreThemeKindsAvailable({})) return TcxWinXPLookAndFeelPainter::Instance();
  return PainterOfKind(kind);
}

int EditButtonsContentVerticalOffset(TcxCanvas* canvas, TcxEditButtonStyle style, bool nativeStyle) {
  if (nativeStyle) {
    const RECT bounds{0, 0, 100, 100};
    RECT content = bounds;
    if (HTHEME theme = OpenThemeByKind(totButton))
      UxGetThemeBackgroundContentRect(theme, canvas->GetHandle(), 1, 1, &bounds, &content);
    return (bounds.bottom - bounds.top) - (content.bottom - content.top);
  }
  constexpr int offsets[] = {0, 4, 2, 2, 2, 2, 2};
  return offsets[style];
}

TColor HotTrackTextColor() {
  return hotLightAvailable ? static_cast<TColor>(GetSysColor(COLOR_HOTLIGHT)) : static_cast<TColor>(0xFF0000);
}

TColor GetUltraFlatHotBorderColor(bool office11) {
  return office11 ? static_cast<const TcxUltraFlatLookAndFeelPainter*>(TcxOffice11LookAndFeelPainter::Instance())->HighlightBorderColor() : clHighlight;
}

TColor GetUltraFlatButtonColor(bool pressed, bool office11) {
  TcxCustomLookAndFeelPainterClass painter =
      office11 ? TcxOffice11LookAndFeelPainter::Instance() : TcxUltraFlatLookAndFeelPainter::Instance();
  return painter->ButtonColor(pressed ? cxbsPressed : cxbsHot);
}

void SetCanvasFontFromLogFont(TcxCanvas* canvas, const LOGFONTA& logFont) {
  canvas->GetFont()->SetHandle(CreateFontIndirectA(&logFont));
}

bool GetCanvasLogFont(TcxCanvas* canvas, LOGFONTA& logFont) {
  return GetObjectA(canvas->GetFont()->Handle(), sizeof(LOGFONTA), &logFont) == sizeof(LOGFONTA);
}

uint32_t ConvertToDrawTextFlags(uint32_t textOutFlags) {
  uint32_t result = 0;
  for (auto [textOut, canvas] : textFlagPairs)
    if (textOut & textOutFlags) result |= canvas;
  return result;
}

uint32_t ConvertFromDrawTextFlags(uint32_t canvasFlags) {
  uint32_t result = 0;
  for (auto [textOut, canvas] : textFlagPairs)
    if (canvas & canvasFlags) result |= textOut;
  return result;
}

// ---------------------------------------------------------------------------------------------
// Module start-up

namespace {

void StartEditPaintUtils() {
  for (int i = 0; i < systemColorCount; ++i) systemBrushes[i] = GetSysColorBrush(i);
  systemBrushesReady = true;
  brushCache = new TcxSolidBrushCache();
  hotLightAvailable = DetectHotLight();
}

void StopEditPaintUtils() {
  delete brushCache;
  brushCache = nullptr;
  systemBrushesReady = false;
  std::fill(std::begin(systemBrushes), std::end(systemBrushes), nullptr);
}

}  // namespace

constinit const TUnitInfo cxEditPaintUtilsUnit{"cxEditPaintUtils", StartEditPaintUtils, StopEditPaintUtils};
