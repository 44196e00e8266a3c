// The progress bar's drawing: gradients, the glassy fill and its shine, bevels, LEDs, the peak
// mark, the caption, the classic bar as a whole and the bar under a skin.
#include <windows.h>
#include <vssym32.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "cxExtEditUtils.h"
#include "cxProgressBar.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {

void Gradient(TcxCanvas* canvas, const TRect& rect, TColor from, TColor to, bool horizontal) {
  if (rect.IsEmpty()) return;
  FillGradientRect(canvas->GetHandle(), *rect.Win(), from, to, horizontal);
}

// A span along the bar, [from, to) counted from the rectangle's top or left.
TRect Along(const TRect& rect, bool vertical, int from, int to) {
  if (vertical) return TRect(rect.Left, rect.Top + from, rect.Right, rect.Top + to);
  return TRect(rect.Left + from, rect.Top, rect.Left + to, rect.Bottom);
}

// A band across the bar, [from, to) counted from its top (left side of a vertical bar).
TRect Across(const TRect& rect, bool vertical, int from, int to) {
  if (vertical) return TRect(rect.Left + from, rect.Top, rect.Left + to, rect.Bottom);
  return TRect(rect.Left, rect.Top + from, rect.Right, rect.Top + to);
}

TRect Union(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
               std::max(a.Bottom, b.Bottom));
}

// Reads pixels of a canvas whatever its clip, a point outside the canvas taking the nearest
// edge pixel.
class TClampedPixelReader {
 public:
  TClampedPixelReader(TcxCanvas* canvas, const TSize& size) : dc_(canvas->GetHandle()), size_(size) {
    saved_ = ::SaveDC(dc_);
    SelectClipRgn(dc_, nullptr);
  }
  ~TClampedPixelReader() { ::RestoreDC(dc_, saved_); }
  TClampedPixelReader(const TClampedPixelReader&) = delete;
  TClampedPixelReader& operator=(const TClampedPixelReader&) = delete;

  TColor Read(int x, int y) const {
    if (size_.cx <= 0 || size_.cy <= 0) return clBlack;
    const COLORREF c = GetPixel(dc_, std::clamp<int>(x, 0, size_.cx - 1), std::clamp<int>(y, 0, size_.cy - 1));
    return c == CLR_INVALID ? clBlack : static_cast<TColor>(c);
  }

 private:
  HDC dc_;
  TSize size_;
  int saved_;
};

// The edge and band lengths of the glassy fill, scaled down on a short bar.
struct TGlassBands {
  int Edge, Band;
};

TGlassBands GlassBands(int length, bool vertical, bool thick) {
  TGlassBands bands = thick ? TGlassBands{4, 20} : TGlassBands{1, 8};
  const int full = 3 * (bands.Edge + bands.Band);
  if (length < full && (vertical || thick)) {
    bands.Edge = bands.Edge * length / full;
    bands.Band = bands.Band * length / full;
  }
  return bands;
}

// The distance from the shine's centre beyond which it fades, and the fade at a distance.
constexpr int shineCore = 5;
constexpr int shineDepth = 6;

int ShineFade(int distance, int half) {
  if (distance <= shineCore || half <= shineCore) return 0;
  return std::min(40, (distance - shineCore) * 40 / (half - shineCore));
}

struct TShineGeometry {
  bool Vertical;
  int Start, End, Half, Centre;  // of the block, along the bar
};

// The highlight rows of the shine: the bar colour brightened towards the block's centre.
void DrawShineHighlight(TcxCanvas* canvas, const TClampedPixelReader& reader, const TRect& filled,
                        const TShineGeometry& g) {
  for (int i = 0; i < shineDepth; ++i) {
    const TColor c = g.Vertical ? reader.Read(filled.Left + i, filled.Bottom - 2)
                                : reader.Read(filled.Left + 1, filled.Top + i);
    const TColor s = FadeColorToWhite(c, 60);
    const TRect line = g.Vertical ? TRect(filled.Left + i, 0, filled.Left + i + 1, 0)
                                  : TRect(0, filled.Top + i, 0, filled.Top + i + 1);
    auto span = [&](int from, int to) {
      TRect r = line;
      if (g.Vertical)
        r.Top = from, r.Bottom = to;
      else
        r.Left = from, r.Right = to;
      return r;
    };
    Gradient(canvas, span(g.Start - g.Half, g.Centre - shineCore), c, s, !g.Vertical);
    canvas->FillRectColor(span(g.Centre - shineCore, g.Centre + shineCore), s);
    Gradient(canvas, span(g.Centre + shineCore, g.End + g.Half), s, c, !g.Vertical);
  }
}

// Below the highlight every line across the block is lightened, most at the centre.
void DrawShineBody(TcxCanvas* canvas, const TClampedPixelReader& reader, const TRect& filled, const TShineGeometry& g) {
  std::vector<TColor> colors;
  for (int p = g.Start; p < g.End; ++p) {
    const TColor pixel = g.Vertical ? reader.Read(filled.Left + shineDepth, p) : reader.Read(p, filled.Top + shineDepth);
    colors.push_back(FadeColorToWhite(pixel, 60 + ShineFade(std::abs(p - g.Centre), g.Half)));
  }
  for (int p = g.Start; p < g.End; ++p) {
    const TRect line = g.Vertical ? TRect(filled.Left + shineDepth, p, filled.Right, p + 1)
                                  : TRect(p, filled.Top + shineDepth, p + 1, filled.Bottom);
    canvas->FillRectColor(line, colors[p - g.Start]);
  }
}

// The text in black on white, inverted to white on black, combined with the canvas by XOR: every
// text pixel shows the inverse of what lies beneath it.
void DrawInvertedText(TcxCanvas* canvas, const TRect& barRect, const TPoint& at, const std::string& text,
                      TFont* font, int angle) {
  const int w = barRect.Width(), h = barRect.Height();
  if (w <= 0 || h <= 0) return;
  TcxBitmap picture(w, h, TPixelFormat::pf24bit);
  TcxCanvas* pc = picture.Canvas();
  pc->FillRectColor(TRect(0, 0, w, h), clWhite);
  SelectRotatedFont(pc->Canvas(), font, angle);
  pc->Canvas()->Font()->SetColor(clBlack);
  pc->GetBrush()->SetStyle(TBrushStyle::bsClear);
  pc->Canvas()->TextOut(at.X - barRect.Left, at.Y - barRect.Top, text);
  BitBlt(pc->GetHandle(), 0, 0, w, h, nullptr, 0, 0, DSTINVERT);
  BitBlt(canvas->GetHandle(), barRect.Left, barRect.Top, w, h, pc->GetHandle(), 0, 0, SRCINVERT);
}

}  // namespace

// ---------------------------------------------------------------------------------------------

void DrawProgressBarGradient(TcxCanvas* canvas, const TcxProgressBarSettings& s, const TRect& bounds,
                             const TRect* overload) {
  if (s.Vertical())
    Gradient(canvas, bounds, s.EndColor, s.BeginColor, false);
  else
    Gradient(canvas, bounds, s.BeginColor, s.EndColor, true);
  if (!overload) return;
  TRect extended = *overload;
  if (s.Vertical()) {
    extended.Top = bounds.Top;
    Gradient(canvas, extended, s.OverloadEndColor, s.OverloadBeginColor, false);
  } else {
    extended.Right = bounds.Right;
    Gradient(canvas, extended, s.OverloadBeginColor, s.OverloadEndColor, true);
  }
}

void DrawProgressBarBevel(TcxCanvas* canvas, const TRect& rect, TcxProgressBarBevelOuter bevel) {
  static constexpr UINT edges[] = {0, BDR_SUNKENOUTER, BDR_RAISEDINNER};
  if (bevel == cxbvNone || rect.IsEmpty()) return;
  RECT r = *rect.Win();
  DrawEdge(canvas->GetHandle(), &r, edges[bevel], BF_RECT);
}

void DrawProgressBarGlassyFill(TcxCanvas* canvas, const TRect& rect, TColor color, bool vertical, bool thick) {
  if (rect.IsEmpty()) return;
  canvas->FillRectColor(rect, color);
  const int length = vertical ? rect.Height() : rect.Width();
  const TGlassBands b = GlassBands(length, vertical, thick);
  const TColor c90 = ScaleColorChannels(color, 90), c80 = ScaleColorChannels(color, 80);
  const bool horizontal = !vertical;
  Gradient(canvas, Along(rect, vertical, 0, b.Edge), c90, c80, horizontal);
  Gradient(canvas, Along(rect, vertical, b.Edge, b.Edge + b.Band), c80, color, horizontal);
  Gradient(canvas, Along(rect, vertical, length - b.Edge - b.Band, length - b.Edge), color, c80, horizontal);
  Gradient(canvas, Along(rect, vertical, length - b.Edge, length), c80, c90, horizontal);
  const int depth = std::min<int>(shineDepth, vertical ? rect.Width() : rect.Height());
  Gradient(canvas, Across(rect, vertical, 0, depth), FadeColorToWhite(color, 40), FadeColorToWhite(color, 80),
           vertical);
}

void DrawProgressBarShine(TcxCanvas* canvas, const TSize& canvasSize, const TRect& block, const TRect& filled,
                          bool vertical) {
  if (block.IsEmpty() || filled.IsEmpty()) return;
  TShineGeometry g{vertical, vertical ? block.Top : block.Left, vertical ? block.Bottom : block.Right, 0, 0};
  g.Half = (g.End - g.Start) / 2;
  g.Centre = g.Start + g.Half;
  TcxCanvasStateSaver saver(canvas);
  {
    TClampedPixelReader reader(canvas, canvasSize);
    DrawShineHighlight(canvas, reader, filled, g);
  }
  TClampedPixelReader reader(canvas, canvasSize);
  DrawShineBody(canvas, reader, filled, g);
}

void DrawProgressBarCaption(TcxCanvas* canvas, const TRect& barRect, const std::string& text,
                            const TcxProgressBarCaptionStyle& style) {
  if (text.empty() || !style.Font) return;
  TcxCanvasStateSaver saver(canvas);
  const bool vertical = style.Orientation == cxorVertical;
  const int angle = vertical ? 270 : 0;
  TFont font;
  font.Assign(style.Font);
  font.SetColor(style.Color);
  SelectRotatedFont(canvas->Canvas(), &font, angle);
  TSize extent = canvas->TextExtent(text);
  if (vertical) std::swap(extent.cx, extent.cy);
  const TRect& centring = style.Centring.IsEmpty() ? barRect : style.Centring;
  const TPoint box(centring.Left + (centring.Width() - extent.cx) / 2,
                   centring.Top + (centring.Height() - extent.cy) / 2);
  // Text turned by 270 degrees runs downwards from the box's top-right corner.
  const TPoint at = vertical ? TPoint(box.X + extent.cx, box.Y) : box;
  if (!style.Solid) return DrawInvertedText(canvas, barRect, at, text, &font, angle);
  canvas->GetBrush()->SetStyle(TBrushStyle::bsClear);
  canvas->Canvas()->TextOut(at.X, at.Y, text);
}

// ---------------------------------------------------------------------------------------------
// The classic bar

namespace {

// The rectangles of one drawing: the progress part holds whole LEDs, the block is moved.
struct TBarParts {
  TRect Progress, Overload, Filled, Block;
  int LEDLength = 0;
};

int ImageLengthAlong(const TBitmap* image, bool vertical) {
  if (!image || image->Empty()) return 0;
  return vertical ? image->Height() : image->Width();
}

TBarParts BarParts(const TcxProgressBarSettings& s, const TcxProgressBarLayout& layout,
                   const TcxProgressBarPaintParams& p) {
  TBarParts parts{layout.Progress, layout.Overload, {}, MovedMarqueeBlock(layout.MarqueeBlock, s.Vertical(), p.AnimationPosition)};
  if (IsLEDStyle(s.BarStyle)) {
    const int thickness = s.Vertical() ? parts.Progress.Width() : parts.Progress.Height();
    const int imageLength = s.BarStyle == cxbsBitmapLEDs ? ImageLengthAlong(p.Image, s.Vertical()) : 0;
    parts.LEDLength = ProgressBarLEDLength(thickness, imageLength);
    if (layout.OverloadVisible) AlignProgressToLEDs(parts.Progress, parts.Overload, s.Vertical(), parts.LEDLength);
  }
  parts.Filled = layout.OverloadVisible ? Union(parts.Progress, parts.Overload) : parts.Progress;
  return parts;
}

void DrawThemeElement(TcxCanvas* canvas, int part, const TRect& rect) {
  const HTHEME theme = OpenThemeByKind(totProgress);
  if (!theme || rect.IsEmpty()) return;
  RECT r = *rect.Win();
  UxDrawThemeBackground(theme, canvas->GetHandle(), part, 1, &r, nullptr);
}

void DrawBarBackground(TcxCanvas* canvas, const TcxProgressBarSettings& s, const TcxProgressBarLayout& layout,
                       const TcxProgressBarPaintParams& p) {
  const TRect& bar = layout.BarRect;
  const bool animation = IsAnimationStyle(s.BarStyle);
  if (p.Transparent) {
    if (p.PaintBackground) p.PaintBackground(canvas, bar);
  } else if (!animation) {
    canvas->FillRectColor(bar, p.BackgroundColor);
  }
  if (p.Native && !p.InPlace && !p.Transparent) DrawThemeElement(canvas, s.Vertical() ? PP_BARVERT : PP_BAR, bar);
  if (!animation) return;
  if (p.Native) canvas->SetClipRegion(TcxRegion::CreateRoundRectFromRect(bar, 2, 2), roIntersect);
  if (!p.Transparent) DrawProgressBarGlassyFill(canvas, bar, p.BackgroundColor, s.Vertical(), false);
}

void ExcludeLEDGaps(TcxCanvas* canvas, const TRect& rect, bool vertical, int ledLength) {
  for (const TRect& gap : ProgressBarLEDGaps(rect, vertical, ledLength)) canvas->ExcludeClipRect(gap);
}

// Outside marquee mode the bar paints only its filled part; in marquee mode only the block.
void ClipToFilledPart(TcxCanvas* canvas, const TcxProgressBarSettings& s, TBarParts& parts,
                      const TcxProgressBarPaintParams& p) {
  canvas->IntersectClipRect(parts.Filled);
  if (s.Marquee && !p.InPlace) {
    canvas->IntersectClipRect(parts.Block);
    parts.Filled = parts.Block;
  }
  if (parts.LEDLength > 0) ExcludeLEDGaps(canvas, parts.Filled, s.Vertical(), parts.LEDLength);
}

// A one-pixel slice from inside the themed chunk, stretched over the progress part.
void DrawNativeChunk(TcxCanvas* canvas, const TRect& progress, bool vertical, TBitmap* cache) {
  const HTHEME theme = OpenThemeByKind(totProgress);
  if (!theme || progress.IsEmpty()) return;
  const int w = vertical ? progress.Width() : 1, h = vertical ? 1 : progress.Height();
  TBitmap local;
  TBitmap* strip = cache ? cache : &local;
  if (strip->Empty() || strip->Width() != w || strip->Height() != h) {
    strip->SetSize(w, h);
    RECT r = vertical ? RECT{0, -4, w, 5} : RECT{-4, 0, 5, h};
    UxDrawThemeBackground(theme, strip->Canvas()->Handle(), vertical ? PP_CHUNKVERT : PP_CHUNK, 1, &r, nullptr);
  }
  StretchBlt(canvas->GetHandle(), progress.Left, progress.Top, progress.Width(), progress.Height(),
             strip->Canvas()->Handle(), 0, 0, w, h, SRCCOPY);
}

void DrawPlainBar(TcxCanvas* canvas, const TcxProgressBarSettings& s, const TcxProgressBarLayout& layout,
                  const TBarParts& parts, const TcxProgressBarPaintParams& p) {
  const bool gradient = s.BarStyle == cxbsGradient || s.BarStyle == cxbsGradientLEDs;
  if (p.Native) {
    DrawNativeChunk(canvas, parts.Progress, s.Vertical(), p.ChunkStrip);
  } else if (gradient) {
    DrawProgressBarGradient(canvas, s, layout.BarRect, layout.OverloadVisible ? &parts.Overload : nullptr);
  } else {
    canvas->FillRectColor(parts.Progress, s.BeginColor);
    if (layout.OverloadVisible) canvas->FillRectColor(parts.Overload, s.OverloadBeginColor);
  }
  if (!IsLEDStyle(s.BarStyle)) DrawProgressBarBevel(canvas, parts.Filled, s.BarBevelOuter);
}

void DrawGlassyBar(TcxCanvas* canvas, const TSize& canvasSize, const TcxProgressBarSettings& s,
                   const TBarParts& parts, const TcxProgressBarPaintParams& p) {
  if (s.Marquee && p.Designing) return;
  DrawProgressBarGlassyFill(canvas, parts.Filled, s.BeginColor, s.Vertical(), true);
  if (!s.Marquee && p.AnimationRunning) DrawProgressBarShine(canvas, canvasSize, parts.Block, parts.Filled, s.Vertical());
}

void DrawBarByStyle(TcxCanvas* canvas, const TSize& canvasSize, const TcxProgressBarSettings& s,
                    const TcxProgressBarLayout& layout, const TBarParts& parts, const TcxProgressBarPaintParams& p) {
  switch (s.BarStyle) {
    case cxbsBitmap:
    case cxbsBitmapLEDs:
      if (p.Image && !p.Image->Empty()) canvas->FillRectTiled(parts.Filled, p.Image);
      break;
    case cxbsAnimation:
    case cxbsAnimationLEDs:
      DrawGlassyBar(canvas, canvasSize, s, parts, p);
      break;
    default:
      DrawPlainBar(canvas, s, layout, parts, p);
  }
  if (parts.LEDLength > 0)
    for (const TRect& cell : ProgressBarLEDCells(parts.Filled, s.Vertical(), parts.LEDLength))
      DrawProgressBarBevel(canvas, cell, s.BarBevelOuter);
}

}  // namespace

void DrawProgressBarClassic(TcxCanvas* canvas, const TSize& canvasSize, const TcxProgressBarSettings& s,
                            const TcxProgressBarLayout& layout, const TcxProgressBarPaintParams& p) {
  TBarParts parts = BarParts(s, layout, p);
  TcxCanvasStateSaver saver(canvas);
  {
    TcxCanvasStateSaver clipSaver(canvas);
    DrawBarBackground(canvas, s, layout, p);
    ClipToFilledPart(canvas, s, parts, p);
    DrawBarByStyle(canvas, canvasSize, s, layout, parts, p);
  }
  if (!IsAnimationStyle(s.BarStyle) && layout.PeakVisible) canvas->FillRectColor(layout.Peak, s.PeakColor);
  if (s.ShowText) DrawProgressBarCaption(canvas, layout.BarRect, ProgressBarCaptionText(s), p.Caption);
}

// ---------------------------------------------------------------------------------------------
// The bar under a skin

namespace {

// The content cut at the value; in marquee mode (not in-place) the moved block.
TRect SkinChunk(const TRect& content, const TcxProgressBarSettings& s, const TcxProgressBarLayout& layout,
                const TcxProgressBarPaintParams& p) {
  if (s.Marquee && !p.InPlace) return MovedMarqueeBlock(layout.MarqueeBlock, s.Vertical(), p.AnimationPosition);
  TRect chunk = content;
  if (s.Vertical()) {
    const int h = std::max(0, static_cast<int>(content.Height()));
    chunk.Top += h - ProgressBarExtent(h, s.DrawnValue(), s.Range());
  } else {
    chunk.Right = chunk.Left + ProgressBarExtent(std::max(0, static_cast<int>(content.Width())), s.DrawnValue(), s.Range());
  }
  return chunk;
}

// The part of the chunk past the overload threshold.
TRect SkinOverload(const TRect& content, const TRect& chunk, const TcxProgressBarSettings& s) {
  TRect part = chunk;
  const double threshold = s.OverloadValue - s.Min;
  if (s.Vertical())
    part.Bottom = content.Bottom - ProgressBarExtent(std::max(0, static_cast<int>(content.Height())), threshold, s.Range());
  else
    part.Left = content.Left + ProgressBarExtent(std::max(0, static_cast<int>(content.Width())), threshold, s.Range());
  return part;
}

}  // namespace

void DrawProgressBarSkinned(TcxCanvas* canvas, TcxCustomLookAndFeelPainterClass painter,
                            const TcxProgressBarSettings& s, const TcxProgressBarLayout& layout,
                            const TcxProgressBarPaintParams& p) {
  TcxCanvasStateSaver saver(canvas);
  if (p.InPlace || !p.PaintBackground)
    canvas->FillRectColor(layout.Bounds, p.BackgroundColor);
  else
    p.PaintBackground(canvas, layout.Bounds);
  const TRect& bar = layout.BarRect;
  const TRect margins = painter->ProgressBarContentOffsets(s.Vertical());
  const TRect content(bar.Left + margins.Left, bar.Top + margins.Top, bar.Right - margins.Right,
                      bar.Bottom - margins.Bottom);
  const TRect chunk = SkinChunk(content, s, layout, p);
  painter->PaintProgressBarBorder(canvas, bar, s.Vertical());
  {
    TcxCanvasStateSaver clipSaver(canvas);
    canvas->IntersectClipRect(content);
    painter->PaintProgressBarChunk(canvas, chunk, s.Vertical());
    if (layout.OverloadVisible) canvas->InvertRect(SkinOverload(content, chunk, s));
  }
  if (!s.ShowText) return;
  TcxProgressBarCaptionStyle caption = p.Caption;
  const TColor skinColor = painter->ProgressBarTextColor();
  if (skinColor != clDefault) caption.Color = skinColor;
  caption.Solid = true;
  caption.Centring = TRect(layout.Bounds.Left, layout.Bounds.Top, layout.Bounds.Left + bar.Width(),
                           layout.Bounds.Top + bar.Height());
  DrawProgressBarCaption(canvas, bar, ProgressBarCaptionText(s), caption);
}
