#include "NxSharedDraw.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "SysUtils.h"

bool UseWideText = true;

namespace {

int Channel(COLORREF c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

constexpr UINT kPlainTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_EXTERNALLEADING;

// Draws with a clear brush and leaves the brush solid, as every text routine here does.
void DrawTextFlags(TCanvas* canvas, const TRect& rect, const std::u16string& text, UINT format) {
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  RECT r = rect;
  HDC dc = canvas->Handle();
  if (UseWideText) {
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &r, format);
  } else {
    std::string ansi = WideToAnsi(text);
    DrawTextA(dc, ansi.c_str(), static_cast<int>(ansi.size()), &r, format);
  }
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
}

// The canvas area under a bitmap as a 24-bit picture (rows from the top).
std::unique_ptr<TBitmap> CopyUnder(TCanvas* canvas, int x, int y, int width, int height) {
  auto under = std::make_unique<TBitmap>(width, height, TPixelFormat::pf24bit);
  BitBlt(under->Canvas()->Handle(), 0, 0, width, height, canvas->Handle(), x, y, SRCCOPY);
  GdiFlush();
  return under;
}

bool HasAlpha(TBitmap* bitmap) { return bitmap && !bitmap->Empty() && bitmap->PixelFormat() == TPixelFormat::pf32bit; }

// Draws a bitmap at (x, y). One with an alpha channel is mixed into what lies under it: `mix` gets
// each 32-bit source pixel and the 24-bit pixel under it to change.
template <class TMix> void DrawOver(TCanvas* canvas, int x, int y, TBitmap* bitmap, TMix mix) {
  if (!HasAlpha(bitmap)) {
    if (bitmap && !bitmap->Empty()) canvas->Draw(x, y, bitmap);
    return;
  }
  const int w = bitmap->Width(), h = bitmap->Height();
  auto result = CopyUnder(canvas, x, y, w, h);
  for (int row = 0; row < h; ++row) {
    auto* src = static_cast<const uint8_t*>(bitmap->ScanLine(row));
    auto* dst = static_cast<uint8_t*>(result->ScanLine(row));
    for (int col = 0; col < w; ++col) mix(src + col * 4, dst + col * 3);
  }
  canvas->Draw(x, y, result.get());
}

}  // namespace

TColor TGraphicsProvider::BlendColors(TColor c1, TColor c2, double ratio) {
  COLORREF a = ColorToRGB(c1), b = ColorToRGB(c2);
  auto mix = [&](int shift) {
    return static_cast<int>(std::nearbyint(ratio * Channel(b, shift) + (1 - ratio) * Channel(a, shift)));
  };
  return static_cast<TColor>(RGB(mix(0), mix(8), mix(16)));
}

void TGraphicsProvider::DrawFocus(TCanvas* canvas, const TRect& rect, bool solid) {
  if (solid) {
    canvas->Brush()->SetColor(clHighlight);
    canvas->FrameRect(rect);
    return;
  }
  HDC dc = canvas->Handle();
  COLORREF oldBk = SetBkColor(dc, RGB(0, 0, 0));
  COLORREF oldText = SetTextColor(dc, RGB(255, 255, 255));
  RECT r = rect;
  DrawFocusRect(dc, &r);
  SetBkColor(dc, oldBk);
  SetTextColor(dc, oldText);
}

void TGraphicsProvider::DrawGradient(TCanvas* canvas, const TRect& rect, TColor fromColor, TColor toColor) {
  const int height = rect.Height();
  if (height <= 0) return;
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    canvas->Pen()->SetColor(BlendColors(fromColor, toColor, static_cast<double>(y - rect.Top) / height));
    canvas->MoveTo(rect.Left, y);
    canvas->LineTo(rect.Right, y);
  }
}

void TGraphicsProvider::DrawTextRect(TCanvas* canvas, const TRect& rect, int rightToLeft, const std::u16string& text,
                                     int alignment) {
  UINT format = kPlainTextFormat;
  if (alignment == 1) format |= DT_RIGHT;
  else if (alignment == 2) format |= DT_CENTER;
  if (rightToLeft != 0) format |= DT_RTLREADING;
  DrawTextFlags(canvas, rect, text, format);
}

void TGraphicsProvider::DrawTextRectEx(TCanvas* canvas, const TRect& rect, int biDi, const std::u16string& text,
                                       bool wordWrap, int verticalAlignment, int alignment) {
  UINT format = DT_NOPREFIX;
  if (alignment == 1) format |= DT_RIGHT;
  else if (alignment == 2) format |= DT_CENTER;
  if (verticalAlignment == 1) format |= DT_VCENTER;
  else if (verticalAlignment == 2) format |= DT_BOTTOM;
  format |= wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  if (biDi == 1) format |= DT_RTLREADING;
  DrawTextFlags(canvas, rect, text, format);
}

TColor TMaskProvider::MaskBlend(TColor c1, TColor c2, int alpha) {
  if (alpha < 0 || alpha >= 256) throw EAssertionFailed("Blend: the alpha must lie in 0..255");
  const uint32_t a = ColorToRGB(c1), b = ColorToRGB(c2);
  const uint32_t inverse = 255 - static_cast<uint32_t>(alpha);
  const uint32_t redBlue = ((alpha * (a & 0xFF00FF) + inverse * (b & 0xFF00FF)) >> 8) & 0xFF00FF;
  const uint32_t green = ((alpha * (a & 0xFF00) + inverse * (b & 0xFF00)) >> 8) & 0xFF00;
  return static_cast<TColor>(redBlue | green);
}

void TDrawProvider::DrawBitmap(TCanvas* canvas, int x, int y, TBitmap* bitmap) {
  // Each channel's two shares are rounded on their own.
  DrawOver(canvas, x, y, bitmap, [](const uint8_t* src, uint8_t* dst) {
    const double alpha = src[3] / 255.0;
    for (int c = 0; c < 3; ++c) {
      const long mixed = std::lround(alpha * src[c]) + std::lround((1 - alpha) * dst[c]);
      dst[c] = static_cast<uint8_t>(std::clamp(mixed, 0L, 255L));
    }
  });
}

void DrawGlyph(TCanvas* canvas, int x, int y, TBitmap* bitmap) {
  // Glyphs mix in whole 8-bit steps, as the mask blend does.
  DrawOver(canvas, x, y, bitmap, [](const uint8_t* src, uint8_t* dst) {
    const TColor mixed = TMaskProvider::MaskBlend(RGB(src[2], src[1], src[0]), RGB(dst[2], dst[1], dst[0]), src[3]);
    dst[0] = GetBValue(mixed);
    dst[1] = GetGValue(mixed);
    dst[2] = GetRValue(mixed);
  });
}

void DrawTextPlain(TCanvas* canvas, const TRect& rect, const std::u16string& text, int rightToLeft) {
  DrawTextFlags(canvas, rect, text, kPlainTextFormat | (rightToLeft == 1 ? DT_RTLREADING : 0));
}

void ClipToRect(TCanvas* canvas, const TRect& rect) {
  HRGN region = CreateRectRgn(rect.Left, rect.Top, rect.Right, rect.Bottom);
  SelectClipRgn(canvas->Handle(), region);
  DeleteObject(region);
}
