#include "cxGraphicsGlyphs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "cxGraphicsRoutines.h"

TcxImageDrawHook ImageDrawHook = nullptr;

namespace {

// A set of scratch bitmaps (composition, image, mask) per nesting level of glyph drawing: a draw
// hook may draw a glyph itself, which must not overwrite the bitmaps of the glyph it is part of.
std::vector<std::array<TcxBitmap*, 3>> scratch;
size_t drawingDepth = 0;

// Marks a glyph being drawn; a glyph drawn meanwhile takes the next level's bitmaps.
class TScratchLevel {
 public:
  TScratchLevel() { ++drawingDepth; }
  ~TScratchLevel() { --drawingDepth; }
  TScratchLevel(const TScratchLevel&) = delete;
  TScratchLevel& operator=(const TScratchLevel&) = delete;
};

TcxBitmap* Scratch(int which, int width, int height) {
  const size_t level = drawingDepth > 0 ? drawingDepth - 1 : 0;
  if (scratch.size() <= level) scratch.resize(level + 1, {});
  TcxBitmap*& b = scratch[level][which];
  if (!b) return b = new TcxBitmap(width, height);
  b->TransparentColors.Clear();
  b->SetSize(width, height);
  b->Clear();
  return b;
}

// Windows 9x never runs this program; every blend may use the platform's AlphaBlend.
constexpr bool isWin9x = false;
constexpr bool isWinNT4OrLater = true;

Byte ChannelOf(TcxPixel p, int shift) { return static_cast<Byte>((p >> shift) & 0xFF); }

Byte RoundClamp(double v) { return static_cast<Byte>(std::clamp(std::nearbyint(v), 0.0, 255.0)); }

// The blend of a source pixel at a constant alpha into a pixel (source channels premultiplied).
TcxPixel BlendPixel(TcxPixel p, TcxPixel s, Byte k) {
  const double c = k / 255.0, d = c * ChannelOf(s, 24), e = 1 - d / 255.0;
  return (TcxPixel(RoundClamp(d + e * ChannelOf(p, 24))) << 24) |
         (TcxPixel(RoundClamp(c * ChannelOf(s, 16) + e * ChannelOf(p, 16))) << 16) |
         (TcxPixel(RoundClamp(c * ChannelOf(s, 8) + e * ChannelOf(p, 8))) << 8) |
         TcxPixel(RoundClamp(c * ChannelOf(s, 0) + e * ChannelOf(p, 0)));
}

HDC DCOf(TBitmap* bitmap) { return bitmap->Canvas()->Handle(); }

bool ImageIndexValid(HIMAGELIST images, int index) {
  return images && index >= 0 && index < ImageList_GetImageCount(images);
}

// Draws one image of an image list, or its mask (white where transparent), into a bitmap.
void DrawListImage(HIMAGELIST images, int index, TBitmap* dest, UINT style) {
  ImageList_DrawEx(images, index, DCOf(dest), 0, 0, dest->Width(), dest->Height(), CLR_NONE, CLR_NONE, style);
}

int BitsPerPixel(HBITMAP bitmap) {
  BITMAP bm{};
  return bitmap && GetObjectA(bitmap, sizeof(bm), &bm) ? bm.bmBitsPixel : 0;
}

int ScreenBitsPerPixel() {
  HDC dc = GetDC(nullptr);
  const int bits = GetDeviceCaps(dc, BITSPIXEL);
  ReleaseDC(nullptr, dc);
  return bits;
}

// Loads the picture into the image bitmap and its mask; answers whether the picture has alpha.
bool LoadPicture(TBitmap* glyph, HIMAGELIST images, int index, TColor transparentColor,
                 bool useGlyphTransparentColor, TcxBitmap*& image, TcxBitmap*& mask) {
  IMAGEINFO info{};
  int w = 0, h = 0;
  if (glyph) {
    w = glyph->Width(), h = glyph->Height();
  } else {
    ImageList_GetImageInfo(images, index, &info);
    w = info.rcImage.right - info.rcImage.left, h = info.rcImage.bottom - info.rcImage.top;
  }
  image = GetImageBitmap(w, h);
  if (glyph)
    BitBlt(DCOf(image), 0, 0, w, h, DCOf(glyph), 0, 0, SRCCOPY);
  else
    DrawListImage(images, index, image, ILD_IMAGE | ILD_PRESERVEALPHA);
  const bool deep = glyph ? glyph->PixelFormat() == TPixelFormat::pf32bit ||
                                (glyph->PixelFormat() == TPixelFormat::pfDevice && ScreenBitsPerPixel() >= 32)
                          : BitsPerPixel(info.hbmImage) >= 32;
  const bool hasAlpha = deep && image->HasAlpha();
  if (!hasAlpha) image->Filter(cxbfOpaque);
  mask = GetMaskBitmap(w, h);
  BitBlt(DCOf(mask), 0, 0, w, h, DCOf(image), 0, 0, SRCCOPY);
  if (!hasAlpha) {
    if (!glyph && info.hbmMask) {
      TcxBitmap listMask(w, h);
      listMask.Canvas()->GetBrush()->SetColor(clWhite);
      listMask.Canvas()->Canvas()->FillRect(TRect(0, 0, w, h));
      DrawListImage(images, index, &listMask, ILD_MASK);
      listMask.Filter(cxbfOpaqueNonTransparent);
      mask->ApplyMask(&listMask);
    }
    if (transparentColor != clNone) AddTransparentColor(mask->TransparentColors, transparentColor);
    if (useGlyphTransparentColor && glyph) AddTransparentColor(mask->TransparentColors, glyph->TransparentColor());
  }
  mask->Filter(cxbfMask);
  image->ApplyMask(mask);
  return hasAlpha;
}

// Applies the drawing mode; answers the constant alpha to blend with.
Byte ApplyMode(TcxImageDrawMode mode, bool hasAlpha, TcxBitmap* image, TcxBitmap* mask, TRect& glyphRect) {
  switch (mode) {
    case idmNormal: return 255;
    case idmDisabled:
      if (hasAlpha) {
        image->Filter(cxbfGrayScaleGreen);
        return 151;
      }
      image->Filter(cxbfDisabled);
      DrawShadow(image, mask, 1, false, clBtnHighlight);
      return 255;
    case idmFaded: image->Filter(cxbfGrayScale); return 64;
    case idmGrayScale: image->Filter(cxbfGrayScaleAverage); return 255;
    case idmLightened: image->Filter(cxbfLighten); return 255;
    case idmShadowed:
      DrawShadow(image, mask, 2, true, clBtnShadow);
      glyphRect.Right += 2, glyphRect.Bottom += 2;
      glyphRect.Offset(-1, -1);
      return 255;
  }
  return 255;
}

}  // namespace

TcxBitmap* GetDrawBitmap(int width, int height) { return Scratch(0, width, height); }
TcxBitmap* GetImageBitmap(int width, int height) { return Scratch(1, width, height); }
TcxBitmap* GetMaskBitmap(int width, int height) { return Scratch(2, width, height); }

void FreeGlyphScratchBitmaps() {
  for (auto& level : scratch)
    for (TcxBitmap* b : level) delete b;
  scratch.clear();
}

namespace {

void DrawPicture(HDC dc, const TRect& glyphRect, const TRect& updateRect, TBitmap* glyph, TCustomImageList* list,
                 HIMAGELIST images, int imageIndex, TcxImageDrawMode mode, bool smooth, HBRUSH brush,
                 TColor transparentColor, bool useGlyphTransparentColor) {
  const bool useGlyph = glyph && !glyph->Empty();
  if (!useGlyph && !ImageIndexValid(images, imageIndex)) return;
  TScratchLevel level;
  TcxBitmap* compose = GetDrawBitmap(updateRect.Width(), updateRect.Height());
  const TRect all(0, 0, updateRect.Width(), updateRect.Height());
  if (brush) {
    RECT r = all;
    FillRect(DCOf(compose), &r, brush);
  } else {
    BitBlt(DCOf(compose), 0, 0, all.Right, all.Bottom, dc, updateRect.Left, updateRect.Top, SRCCOPY);
  }
  TRect target = glyphRect;
  target.Offset(-updateRect.Left, -updateRect.Top);
  if (!(ImageDrawHook && ImageDrawHook(compose->Canvas(), list, imageIndex, mode, target, useGlyph ? glyph : nullptr))) {
    TcxBitmap *image = nullptr, *mask = nullptr;
    const bool hasAlpha = LoadPicture(useGlyph ? glyph : nullptr, images, imageIndex, transparentColor,
                                      useGlyphTransparentColor, image, mask);
    const Byte alpha = ApplyMode(mode, hasAlpha, image, mask, target);
    DrawBitmapAlpha(image, compose, target, alpha, smooth);
  }
  BlitWithPalette(dc, compose, updateRect, SRCCOPY);
}

}  // namespace

void DrawImageGlyph(HDC dc, const TRect& glyphRect, const TRect& updateRect, TBitmap* glyph, TCustomImageList* images,
                    int imageIndex, TcxImageDrawMode mode, bool smooth, HBRUSH brush, TColor transparentColor,
                    bool useGlyphTransparentColor) {
  DrawPicture(dc, glyphRect, updateRect, glyph, images, images ? images->Handle() : nullptr, imageIndex, mode, smooth,
              brush, transparentColor, useGlyphTransparentColor);
}

void DrawImageGlyphOfHandle(HDC dc, const TRect& glyphRect, const TRect& updateRect, HIMAGELIST images,
                            int imageIndex, TcxImageDrawMode mode, bool smooth, HBRUSH brush, TColor transparentColor) {
  DrawPicture(dc, glyphRect, updateRect, nullptr, nullptr, images, imageIndex, mode, smooth, brush, transparentColor,
              false);
}

// ---------------------------------------------------------------------------------------------
// Alpha blending

bool TryAlphaBlend(HDC destDC, const TRect& destRect, HDC srcDC, const TRect& srcRect, Byte alpha) {
  TAlphaBlendFunction alphaBlend = cxAlphaBlendFunction();
  if (!alphaBlend) return false;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  return alphaBlend(destDC, destRect.Left, destRect.Top, destRect.Width(), destRect.Height(), srcDC, srcRect.Left,
                    srcRect.Top, srcRect.Width(), srcRect.Height(), blend) != FALSE;
}

void AlphaBlendRect(HDC destDC, HDC srcDC, const TRect& destRect, Byte alpha, bool smooth, const TRect& srcRect) {
  const bool stretchSmoothly =
      smooth && (destRect.Width() != srcRect.Width() || destRect.Height() != srcRect.Height());
  if (!isWin9x && cxAlphaBlendFunction() && !stretchSmoothly && TryAlphaBlend(destDC, destRect, srcDC, srcRect, alpha))
    return;
  std::unique_ptr<TcxBitmap> source(CopyDCRectToBitmap(srcDC, srcRect));
  std::unique_ptr<TcxBitmap> dest(CopyDCRectToBitmap(destDC, destRect));
  TcxBitmap work(destRect.Width(), destRect.Height());
  if (stretchSmoothly)
    SmoothStretchBitmap(source.get(), &work, true);
  else
    StretchCopy(&work, source.get());
  const TRect all(0, 0, destRect.Width(), destRect.Height());
  if (!TryAlphaBlend(DCOf(dest.get()), all, DCOf(&work), all, alpha)) {
    std::vector<TcxPixel> d = dest->GetPixels(), w = work.GetPixels();
    for (size_t i = 0; i < d.size() && i < w.size(); ++i) d[i] = BlendPixel(d[i], w[i], alpha);
    dest->SetPixels(d);
  }
  BitBlt(destDC, destRect.Left, destRect.Top, destRect.Width(), destRect.Height(), DCOf(dest.get()), 0, 0, SRCCOPY);
}

void AlphaBlendBitmaps(TBitmap* dest, TBitmap* source, const TRect& destRect, Byte alpha, bool smooth) {
  AlphaBlendRect(DCOf(dest), DCOf(source), destRect, alpha, smooth, TRect(0, 0, source->Width(), source->Height()));
}

void AlphaBlendBitmapToDC(HDC dest, TBitmap* source, const TRect& destRect, Byte alpha, bool smooth) {
  AlphaBlendRect(dest, DCOf(source), destRect, alpha, smooth, TRect(0, 0, source->Width(), source->Height()));
}

void AlphaBlendDCToDC(HDC dest, HDC source, const TRect& destRect, const TRect& srcRect, Byte alpha, bool smooth) {
  AlphaBlendRect(dest, source, destRect, alpha, smooth, srcRect);
}

void DrawBitmapAlpha(TBitmap* source, TBitmap* destBitmap, const TRect& destRect, Byte alpha, bool smooth) {
  AlphaBlendBitmaps(destBitmap, source, destRect, alpha, smooth);
}

// ---------------------------------------------------------------------------------------------
// Smooth stretching

namespace {

float Sinc(float x) {
  if (x == 0) return 1;
  const float px = 3.14159265358979f * x;
  return std::sin(px) / px;
}

float Lanczos3(float x) { return std::fabs(x) >= 3 ? 0.0f : Sinc(x) * Sinc(x / 3); }

struct TWeight {
  int Index;
  int Value;
};

// The weights of every target index along one axis.
std::vector<std::vector<TWeight>> AxisWeights(int source, int target) {
  const float scale = (source == 1 || target == 1) ? float(target) / source : float(target - 1) / (source - 1);
  const float c = scale >= 1 ? 1.0f : 1.0f / scale, d = 3 * c;
  std::vector<std::vector<TWeight>> weights(target);
  for (int i = 0; i < target; ++i) {
    const float f = i / scale;
    for (int j = static_cast<int>(std::floor(f - d)); j <= static_cast<int>(std::ceil(f + d)); ++j) {
      const int w = static_cast<int>(std::nearbyint(Lanczos3((f - j) / c) / c * 256));
      if (w == 0) continue;
      int k = j < 0 ? -j : (j >= source ? 2 * source - 1 - j : j);
      k = std::clamp(k, 0, source - 1);
      weights[i].push_back({k, w});
    }
  }
  return weights;
}

TcxPixel Resample(const std::vector<TWeight>& weights, const TcxPixel* line, int stride) {
  int sum[4] = {};
  for (const TWeight& w : weights)
    for (int ch = 0; ch < 4; ++ch) sum[ch] += ChannelOf(line[size_t(w.Index) * stride], ch * 8) * w.Value;
  TcxPixel result = 0;
  for (int ch = 0; ch < 4; ++ch) result |= TcxPixel(std::clamp(sum[ch] >> 8, 0, 255)) << (ch * 8);
  return result;
}

}  // namespace

void SmoothStretchBitmap(TBitmap* source, TBitmap* dest, bool forceSoftware) {
  const int sw = source->Width(), sh = source->Height(), dw = dest->Width(), dh = dest->Height();
  if (sw == 0 || sh == 0 || dw == 0 || dh == 0) return;
  if (isWinNT4OrLater && !forceSoftware) {
    const int old = SetStretchBltMode(DCOf(dest), HALFTONE);
    StretchBlt(DCOf(dest), 0, 0, dw, dh, DCOf(source), 0, 0, sw, sh, SRCCOPY);
    SetStretchBltMode(DCOf(dest), old);
    return;
  }
  std::vector<TcxPixel> in = GetBitmapPixels(source, false), mid(size_t(dw) * sh), out(size_t(dw) * dh);
  const auto horizontal = AxisWeights(sw, dw), vertical = AxisWeights(sh, dh);
  for (int y = 0; y < sh; ++y)
    for (int x = 0; x < dw; ++x) mid[size_t(y) * dw + x] = Resample(horizontal[x], &in[size_t(y) * sw], 1);
  for (int y = 0; y < dh; ++y)
    for (int x = 0; x < dw; ++x) out[size_t(y) * dw + x] = Resample(vertical[y], &mid[x], dw);
  SetBitmapPixels(dest, out, false);
}

// ---------------------------------------------------------------------------------------------
// Shadows, checkers and masks

void DrawShadow(TcxBitmap* image, TBitmap* mask, int offset, bool grow, TColor color) {
  const int w = image->Width(), h = image->Height();
  std::unique_ptr<TcxBitmap> s(TcxBitmap::CreateWithTransparent(w + 2 * offset, h + 2 * offset, 0xFFFFFFFF));
  BitBlt(DCOf(s.get()), offset, offset, mask->Width(), mask->Height(), DCOf(mask), 0, 0, SRCCOPY);
  // Where S shows background and S shifted by the offset shows glyph, the colour; elsewhere 0.
  TcxBitmap copy(s->Width(), s->Height());
  BitBlt(DCOf(&copy), 0, 0, s->Width(), s->Height(), DCOf(s.get()), 0, 0, SRCCOPY);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  HGDIOBJ old = SelectObject(DCOf(s.get()), brush);
  BitBlt(DCOf(s.get()), offset, offset, s->Width(), s->Height(), DCOf(&copy), 0, 0, 0x00200F09);
  SelectObject(DCOf(s.get()), old);
  DeleteObject(brush);
  s->TransparentPixel = 0;
  s->Filter(cxbfOpaqueNonTransparent);
  TcxBitmap t(w + offset, h + offset);
  BitBlt(DCOf(&t), 0, 0, w, h, DCOf(image), 0, 0, SRCCOPY);
  BitBlt(DCOf(&t), 0, 0, t.Width(), t.Height(), DCOf(s.get()), offset, offset, SRCPAINT);
  if (grow) image->SetSize(w + offset, h + offset);
  BitBlt(DCOf(image), 0, 0, image->Width(), image->Height(), DCOf(&t), 0, 0, SRCCOPY);
}

void DrawCheckerRect(HDC dc, const TRect& rect, TColor color1, TColor color2, int cellSize, Byte alpha1, Byte alpha2) {
  std::unique_ptr<TcxBitmap> b(CopyDCRectToBitmap(dc, rect));
  b->DrawChecker(color1, color2, cellSize, alpha1, alpha2);
  BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), DCOf(b.get()), 0, 0, SRCCOPY);
}

TcxBitmap* CreateCxBitmapCopy(TBitmap* bitmap) {
  auto* copy = new TcxBitmap(bitmap->Width(), bitmap->Height());
  BitBlt(DCOf(copy), 0, 0, bitmap->Width(), bitmap->Height(), DCOf(bitmap), 0, 0, SRCCOPY);
  return copy;
}

void TransparentColorToAlpha(TcxBitmap* source, TcxBitmap* dest) {
  std::unique_ptr<TcxBitmap> a(CreateCxBitmapCopy(source)), b(CreateCxBitmapCopy(source));
  a->Filter(cxbfOpaque);
  AddTransparentColor(b->TransparentColors, source->TransparentColor());
  b->Filter(cxbfMask);
  a->ApplyMask(b.get());
  dest->Assign(a.get());
}

void MakeMaskBitmap(TcxBitmap* source, TBitmap* dest) {
  std::unique_ptr<TcxBitmap> copy(CreateCxBitmapCopy(source));
  if (!copy->HasAlpha()) copy->SetTransparentColor(source->TransparentColor());
  copy->Filter(cxbfMask);
  BitBlt(DCOf(dest), 0, 0, copy->Width(), copy->Height(), DCOf(copy.get()), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// Small pieces

void CopyDCRect(HDC destDC, HDC srcDC, const TRect& destRect, DWORD rop, const TPoint& srcOrigin) {
  BitBlt(destDC, destRect.Left, destRect.Top, destRect.Width(), destRect.Height(), srcDC, srcOrigin.X, srcOrigin.Y, rop);
}

void BlitWithPalette(HDC dc, TBitmap* bitmap, const TRect& rect, DWORD rop, const TPoint& srcOrigin) {
  if (ScreenBitsPerPixel() > 8) return CopyDCRect(dc, DCOf(bitmap), rect, rop, srcOrigin);
  HPALETTE palette = static_cast<HPALETTE>(GetCurrentObject(DCOf(bitmap), OBJ_PAL));
  HPALETTE old = palette ? SelectPalette(dc, palette, TRUE) : nullptr;
  if (palette) RealizePalette(dc);
  CopyDCRect(dc, DCOf(bitmap), rect, rop, srcOrigin);
  if (old) SelectPalette(dc, old, TRUE);
}

TcxBitmap* CopyDCRectToBitmap(HDC dc, const TRect& rect) {
  auto* bitmap = new TcxBitmap(rect.Width(), rect.Height());
  BitBlt(DCOf(bitmap), 0, 0, rect.Width(), rect.Height(), dc, rect.Left, rect.Top, SRCCOPY);
  return bitmap;
}

TBitmap* CreateSizedBitmap(int width, int height, TPixelFormat format) {
  auto* bitmap = new TBitmap();
  bitmap->SetPixelFormat(format);
  bitmap->SetSize(width, height);
  return bitmap;
}

void StretchCopy(TBitmap* dest, TBitmap* source) {
  StretchBlt(DCOf(dest), 0, 0, dest->Width(), dest->Height(), DCOf(source), 0, 0, source->Width(), source->Height(),
             SRCCOPY);
}

std::vector<TcxPixel> GetBitmapPixels(TBitmap* bitmap, bool topDown) {
  const int w = bitmap->Width(), h = bitmap->Height();
  std::vector<TcxPixel> pixels(size_t(w) * h);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, topDown ? -h : h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  GetDIBits(SharedScreenCanvas()->GetHandle(), bitmap->Handle(), 0, h, pixels.data(), &info, DIB_RGB_COLORS);
  return pixels;
}

void SetBitmapPixels(TBitmap* bitmap, std::vector<TcxPixel>& pixels, bool topDown) {
  const int w = bitmap->Width(), h = bitmap->Height();
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, topDown ? -h : h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  GdiFlush();
  SetDIBits(SharedScreenCanvas()->GetHandle(), bitmap->Handle(), 0, h, pixels.data(), &info, DIB_RGB_COLORS);
  pixels.clear();
}
