// Gradient fills in 16.16 fixed-point colour steps, transparent bitmaps and parent backgrounds.
#include "RzGrafx.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "Forms.h"

namespace {
// A colour walking from a start toward a target in 16.16 fixed point per channel.
class TColorWalk {
 public:
  TColorWalk(COLORREF start, COLORREF target, int steps) {
    const int from[3] = {GetRValue(start), GetGValue(start), GetBValue(start)};
    const int to[3] = {GetRValue(target), GetGValue(target), GetBValue(target)};
    for (int i = 0; i < 3; ++i) {
      value_[i] = from[i] * 65536;
      step_[i] = steps > 0 ? (to[i] - from[i]) * 65536 / steps : 0;
    }
  }
  COLORREF Current() const { return RGB(value_[0] >> 16, value_[1] >> 16, value_[2] >> 16); }
  void Advance() {
    for (int i = 0; i < 3; ++i) value_[i] += step_[i];
  }

 private:
  int value_[3]{};
  int step_[3]{};
};

// The shortest band in steps less one: a band ends once it changed colour and is that long.
int BandMinimum(uint8_t count, int divisor) {
  const int q = count <= 8 ? count - 1 : divisor / count + 1 - 1;
  return std::max(q, 0);
}

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void FillPolygon(HDC dc, const POINT* points, int count, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  Polygon(dc, points, count);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
}

// One pass of a stripe: from position p down to e, colour walking from start to target.
void StripePass(HDC dc, bool alongY, int p, int e, COLORREF start, COLORREF target, int q) {
  const int d = p - e;
  TColorWalk color(start, target, d < 0 ? 0 : d + 1);
  while (p >= e) {
    const int edge = p;
    const COLORREF bandColor = color.Current();
    int steps = 0;
    do {
      color.Advance();
      --p;
      ++steps;
    } while (!(steps > q && color.Current() != bandColor) && p >= e);
    FillSolid(dc, alongY ? RECT{0, p, 8, edge} : RECT{p, 0, edge, 8}, bandColor);
  }
}

void CopyBlock(HDC dc, int x, int y, int width, int height, int fromX, int fromY, DWORD rop) {
  BitBlt(dc, x, y, width, height, dc, fromX, fromY, rop);
}
}  // namespace

void GradientStripe(HDC dc, int x, int y, int extent, TColor colorA, TColor colorB, uint8_t bandCount) {
  const bool alongY = x == 0;
  const int offset = alongY ? y : x;
  const int q = BandMinimum(bandCount, 255);
  const COLORREF a = ColorToRGB(colorA), b = ColorToRGB(colorB);
  StripePass(dc, alongY, offset < 0 ? extent : offset + 1, 1, b, a, q);
  // A centred stripe: the far half walks back from A at the edge to B in the middle.
  if (offset >= 0) StripePass(dc, alongY, extent, offset + 2, a, b, q);
}

void GradientBoxQuadrant(HDC dc, int width, int height, int insetX, int insetY, TColor colorA, TColor colorB,
                         uint8_t bandCount) {
  const COLORREF a = ColorToRGB(colorA), b = ColorToRGB(colorB);
  if (a == b || width <= 4 || height <= 4) {
    FillSolid(dc, {0, 0, width + 1, height + 1}, a);
    return;
  }
  const int f = (width - 1) >> 1, g = (height - 1) >> 1;
  const int xs = f - insetX, ys = g - insetY, n = std::max(xs, ys) + 1;
  const int q = BandMinimum(bandCount, 256);
  TColorWalk color(b, a, n);
  int edgeX = xs * 65536, edgeY = ys * 65536;
  const int stepX = edgeX / n, stepY = edgeY / n;
  int previousX = f + 1, previousY = g + 1;
  while (edgeX >= 0 || edgeY >= 0) {
    const COLORREF bandColor = color.Current();
    int steps = 0;
    do {
      color.Advance();
      edgeX -= stepX;
      edgeY -= stepY;
      ++steps;
    } while (!(steps > q && color.Current() != bandColor) && (edgeX >= 0 || edgeY >= 0));
    // The outermost band runs past the corner; it is cut at 0 so that the outer ring is painted too.
    const int x = std::max(edgeX >> 16, 0), y = std::max(edgeY >> 16, 0);
    FillSolid(dc, {x, y, f + 1, previousY}, bandColor);
    FillSolid(dc, {x, previousY, previousX, g + 1}, bandColor);
    previousX = x;
    previousY = y;
    if (stepX == 0 && stepY == 0) break;
  }
}

void MirrorQuadrant(HDC dc, int x0, int y0, int width, int height, DWORD rop) {
  const int halfW = width >> 1, halfH = height >> 1;
  StretchBlt(dc, x0, y0 + height - 1, halfW + 1, -halfH, dc, x0, y0, halfW, halfH, rop);
  const int p = (halfW & 1) ? 1 : 0;
  StretchBlt(dc, x0 + width - 1, y0, -(halfW + p), height, dc, x0, y0, halfW - p, height, rop);
}

void TileByDoubling(HDC dc, int x0, int y0, int totalWidth, int totalHeight, int seedWidth, int seedHeight,
                    DWORD rop) {
  int width = std::min(seedWidth, totalWidth), height = std::min(seedHeight, totalHeight);
  bool vertical = height < totalHeight;
  while (width < totalWidth || height < totalHeight) {
    if (vertical) {
      const int copy = std::min(height, totalHeight - height);
      CopyBlock(dc, x0, y0 + height, width, copy, x0, y0, rop);
      height += copy;
      vertical = width >= totalWidth && height < totalHeight;
    } else {
      const int copy = std::min(width, totalWidth - width);
      CopyBlock(dc, x0 + width, y0, copy, height, x0, y0, rop);
      width += copy;
      vertical = height < totalHeight;
    }
  }
}

void GradientDiagonal(HDC dc, int signedWidth, int height, TColor colorA, TColor colorB, uint8_t bandCount) {
  const int w = std::abs(signedWidth), h = height;
  const bool rightward = signedWidth > 0;
  const COLORREF start = ColorToRGB(rightward ? colorA : colorB), target = ColorToRGB(rightward ? colorB : colorA);
  const int d = static_cast<int>(std::sqrt(static_cast<double>(w) * w + static_cast<double>(h) * h)) + 1;
  const int half = std::max(d >> 1, 1);
  const int q = BandMinimum(bandCount, 255);
  const int x0 = rightward ? 0 : w, farX = rightward ? w : 0, direction = rightward ? 1 : -1;
  const int stepX = w * 65536 / half, stepY = h * 65536 / half;
  TColorWalk color(start, target, d);
  for (int phase = 0; phase < 2; ++phase) {
    int x = x0 * 65536, y = h * 65536;
    int previousX = x0, previousY = h;
    bool closing = false;
    while (!closing) {
      const COLORREF bandColor = color.Current();
      int steps = 0;
      do {
        color.Advance();
        x += direction * stepX;
        y -= stepY;
        ++steps;
      } while (!(steps > q && color.Current() != bandColor) && y >= 0);
      closing = y < 0 || (stepX == 0 && stepY == 0);
      const int ix = closing ? farX : x >> 16, iy = closing ? 0 : y >> 16;
      const POINT band[2][4] = {{{x0, iy}, {x0, previousY}, {previousX, h}, {ix, h}},
                                {{ix, 0}, {previousX, 0}, {farX, previousY}, {farX, iy}}};
      if (ix != previousX || iy != previousY) FillPolygon(dc, band[phase], 4, bandColor);
      previousX = ix;
      previousY = iy;
    }
  }
}

void RenderGradient(TCanvas* canvas, const TRect& rect, TGradientDirection direction, TColor colorA, TColor colorB,
                    uint8_t bandCount) {
  const COLORREF a = ColorToRGB(colorA), b = ColorToRGB(colorB);
  const int w = std::abs(rect.Right - rect.Left), h = std::abs(rect.Bottom - rect.Top);
  if (w == 0 || h == 0) return;
  TBitmap bitmap(w, h);
  HDC dc = bitmap.Canvas()->Handle();
  const TColor ca = static_cast<TColor>(a), cb = static_cast<TColor>(b);
  switch (direction) {
    case gdDiagonalUp: case gdDiagonalDown:
      if (a == b) FillSolid(dc, {0, 0, w, h}, a);
      else GradientDiagonal(dc, direction == gdDiagonalUp ? w : -w, h, ca, cb, bandCount);
      break;
    case gdHorizontalEnd: case gdHorizontalCenter:
      GradientStripe(dc, 0, direction == gdHorizontalEnd ? -1 : h / 2, h, ca, cb, bandCount);
      TileByDoubling(dc, 0, 0, w, h, 8, h, SRCCOPY);
      break;
    case gdVerticalEnd: case gdVerticalCenter:
      GradientStripe(dc, direction == gdVerticalEnd ? -1 : w / 2, 0, w, ca, cb, bandCount);
      TileByDoubling(dc, 0, 0, w, h, w, 8, SRCCOPY);
      break;
    default: {
      struct TBox { int InsetX, InsetY; bool FillFirst; };
      const TBox box = direction == gdHorizontalBox ? TBox{w >> 2, 0, true}
                       : direction == gdVerticalBox ? TBox{0, h >> 2, false}
                       : direction == gdSquareBox   ? TBox{0, 0, true}
                                                    : TBox{w >> 2, h >> 2, false};
      if (box.FillFirst) FillSolid(dc, {0, 0, w, h}, a);
      GradientBoxQuadrant(dc, w, h, box.InsetX, box.InsetY, ca, cb, bandCount);
      MirrorQuadrant(dc, 0, 0, w, h, SRCCOPY);
    }
  }
  BitBlt(canvas->Handle(), rect.Left, rect.Top, w, h, dc, 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
namespace {
// The source part stretched into a work bitmap of the destination's size, and its mask: white
// where the transparent colour is.
struct TMaskedWork {
  TBitmap Work;
  TBitmap Mask;
  TMaskedWork(TBitmap* bitmap, const TRect& dest, const TRect& source, TColor transparent)
      : Work(dest.Width(), dest.Height()), Mask(dest.Width(), dest.Height(), TPixelFormat::pf1bit) {
    StretchBlt(Work.Canvas()->Handle(), 0, 0, dest.Width(), dest.Height(), bitmap->Canvas()->Handle(), source.Left,
               source.Top, source.Width(), source.Height(), SRCCOPY);
    BuildMask(ColorToRGB(transparent));
  }

  // Pixel by pixel: a blit from colour into a monochrome DIB maps each colour to the nearer of the
  // DIB's two table colours here (a dark transparent colour such as olive came out as set), not by
  // comparison with the background colour.
  void BuildMask(COLORREF transparent) {
    for (int y = 0; y < Work.Height(); ++y) {
      const auto* pixels = static_cast<const uint8_t*>(Work.ScanLine(y));
      auto* bits = static_cast<uint8_t*>(Mask.ScanLine(y));
      for (int x = 0; x < Work.Width(); ++x) {
        const uint8_t* p = pixels + 3 * x;
        const uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
        if (RGB(p[2], p[1], p[0]) == transparent) bits[x >> 3] |= bit;
        else bits[x >> 3] &= static_cast<uint8_t>(~bit);
      }
    }
  }
};

struct TDcColors {
  HDC Dc;
  COLORREF Bk, Text;
  TDcColors(HDC dc, COLORREF bk, COLORREF text) : Dc(dc), Bk(SetBkColor(dc, bk)), Text(SetTextColor(dc, text)) {}
  ~TDcColors() {
    SetBkColor(Dc, Bk);
    SetTextColor(Dc, Text);
  }
};
}  // namespace

void DrawMaskedBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& dest, const TRect& source, TColor transparent) {
  if (dest.IsEmpty() || source.IsEmpty()) return;
  TMaskedWork work(bitmap, dest, source, transparent);
  HDC dc = canvas->Handle(), image = work.Work.Canvas()->Handle(), mask = work.Mask.Canvas()->Handle();
  TDcColors colors(dc, RGB(255, 255, 255), RGB(0, 0, 0));
  const int w = dest.Width(), h = dest.Height();
  BitBlt(dc, dest.Left, dest.Top, w, h, image, 0, 0, SRCINVERT);
  BitBlt(dc, dest.Left, dest.Top, w, h, mask, 0, 0, SRCAND);
  BitBlt(dc, dest.Left, dest.Top, w, h, image, 0, 0, SRCINVERT);
}

// The mask is a monochrome DIB, whose colour table (not the DC colours) turns its bits into colours:
// set bits are white. The work bitmap is thrown away afterwards, so its transparent pixels are not
// put back.
void DrawMaskedBitmapRop(TCanvas* canvas, TBitmap* bitmap, const TRect& dest, const TRect& source,
                         TColor transparent) {
  if (dest.IsEmpty() || source.IsEmpty()) return;
  constexpr DWORD andNotSource = 0x00220326;
  TMaskedWork work(bitmap, dest, source, transparent);
  HDC dc = canvas->Handle(), image = work.Work.Canvas()->Handle(), mask = work.Mask.Canvas()->Handle();
  const int w = dest.Width(), h = dest.Height();
  if (ColorToRGB(transparent) != 0) BitBlt(image, 0, 0, w, h, mask, 0, 0, andNotSource);
  BitBlt(dc, dest.Left, dest.Top, w, h, mask, 0, 0, SRCAND);
  BitBlt(dc, dest.Left, dest.Top, w, h, image, 0, 0, SRCPAINT);
}

void TileMaskedBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& rect, TColor transparent) {
  const int bw = bitmap->Width(), bh = bitmap->Height();
  if (bw <= 0 || bh <= 0) return;
  for (int y = rect.Top; y < rect.Bottom; y += bh)
    for (int x = rect.Left; x < rect.Right; x += bw) {
      const int w = std::min(bw, static_cast<int>(rect.Right) - x), h = std::min(bh, static_cast<int>(rect.Bottom) - y);
      DrawMaskedBitmapRop(canvas, bitmap, Bounds(x, y, w, h), Bounds(0, 0, w, h), transparent);
    }
}

void StretchMaskedBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& rect, TColor transparent) {
  DrawMaskedBitmapRop(canvas, bitmap, rect, Bounds(0, 0, bitmap->Width(), bitmap->Height()), transparent);
}

void PaintBehindControl(TControl* control, HDC dc, bool invalidateParent) {
  TWinControl* parent = control->Parent();
  if (!parent) return;
  const int saved = SaveDC(dc);
  POINT origin;
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x - control->Left(), origin.y - control->Top(), nullptr);
  const TRect client = parent->ClientRect();
  IntersectClipRect(dc, 0, 0, client.Width(), client.Height());
  try {
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  } catch (...) {
    RestoreDC(dc, saved);
    if (!control->ComponentState().Contains(csDesigning)) throw;
    return;
  }
  RestoreDC(dc, saved);
  const bool paintsItself = parent->Is<TCustomControl>() || parent->Is<TCustomForm>();
  if (invalidateParent && !paintsItself && !control->ComponentState().Contains(csDesigning)) parent->Invalidate();
}

void PaintBehindControlCanvas(TControl* control, TCanvas* canvas, bool invalidateParent) {
  PaintBehindControl(control, canvas->Handle(), invalidateParent);
}
