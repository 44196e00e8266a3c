// Shared by the ribbon tests: the modules started in their order, small GDI+ pictures made in code,
// and a 32-bit surface to draw on and read back.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "dxBarSkin.h"
#include "dxGDIPlusAPI.h"
#include "dxRibbonSkins.h"
#include "toolkit/lookandfeel/lookandfeel_fixture.h"

inline void StartRibbonSkinUnits() {
  StartLookAndFeelUnits();
  StartUnits({&dxBarSkinUnit, &dxRibbonSkinsUnit});
}

// Straight (not premultiplied) 0xAARRGGBB.
inline uint32_t Argb(int a, int r, int g, int b) { return uint32_t(a) << 24 | r << 16 | g << 8 | b; }

struct TGpBitmapDeleter {
  void operator()(Gdiplus::GpBitmap* bitmap) const { GdiPlusFunctions.GdipDisposeImage(bitmap); }
};
using TGpBitmapHolder = std::unique_ptr<Gdiplus::GpBitmap, TGpBitmapDeleter>;

// A GDI+ picture of straight ARGB pixels, rows from the top.
inline TGpBitmapHolder MakeSheet(int width, int height, const std::vector<uint32_t>& pixels) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  GdiPlusFunctions.GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap);
  Gdiplus::GpRect all{0, 0, width, height};
  Gdiplus::BitmapData data{};
  GdiPlusFunctions.GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data);
  for (int y = 0; y < height; ++y)
    memcpy(static_cast<BYTE*>(data.Scan0) + y * data.Stride, &pixels[size_t(y) * width], size_t(width) * 4);
  GdiPlusFunctions.GdipBitmapUnlockBits(bitmap, &data);
  return TGpBitmapHolder(bitmap);
}

// The straight ARGB pixel of a GDI+ picture.
inline uint32_t SheetPixel(Gdiplus::GpBitmap* sheet, int x, int y) {
  Gdiplus::GpRect one{x, y, 1, 1};
  Gdiplus::BitmapData data{};
  GdiPlusFunctions.GdipBitmapLockBits(sheet, &one, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data);
  uint32_t color = *static_cast<const uint32_t*>(data.Scan0);
  GdiPlusFunctions.GdipBitmapUnlockBits(sheet, &data);
  return color;
}

// The look-and-feel tests' 32-bit surface, read back as COLORREFs and as whole pixel rows.
class TSurface : public TDibSurface {
 public:
  TSurface(int width, int height, COLORREF fill = RGB(255, 255, 255)) : TDibSurface(width, height, TColor(fill)) {}
  void Fill(COLORREF color) { TDibSurface::Fill(TColor(color)); }
  COLORREF Pixel(int x, int y) const { return COLORREF(TDibSurface::Pixel(x, y)); }
  std::vector<uint32_t> Pixels() const {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x) pixels.push_back(Raw(x, y));
    return pixels;
  }
};

// Straight ARGB over an opaque background colour, as a COLORREF.
inline COLORREF Composite(uint32_t argb, COLORREF background) {
  const int a = argb >> 24;
  auto mixChannel = [a](int s, int d) { return (s * a + d * (255 - a) + 127) / 255; };
  return RGB(mixChannel((argb >> 16) & 0xFF, GetRValue(background)), mixChannel((argb >> 8) & 0xFF, GetGValue(background)),
             mixChannel(argb & 0xFF, GetBValue(background)));
}

inline bool Near(COLORREF a, COLORREF b, int tolerance = 3) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The ribbon with what it stands on: the bar system and the stored-form reader.
#include "FormReader.h"
#include "dxBarUnits.h"
#include "dxRibbon.h"

inline void StartRibbonUnits() {
  StartRibbonSkinUnits();
  StartUnits({&FormReaderUnit});
  StartBarUnits();
  StartUnits({&dxRibbonUnit});
}
