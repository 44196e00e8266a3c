// Shared by the ribbon tests: the modules started in their order, small GDI+ pictures made in code,
// and a 32-bit surface to draw on and read back.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "System.h"
#include "cxBaseUnits.h"
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeels.h"
#include "dxBarSkin.h"
#include "dxGDIPlusAPI.h"
#include "dxOffice11.h"
#include "dxRibbonSkins.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

inline void StartRibbonSkinUnits() {
  StartToolkitBaseUnits();
  StartUnits({&dxUxThemeUnit, &dxThemeManagerUnit, &dxOffice11Unit, &cxLookAndFeelsUnit, &cxLookAndFeelPaintersUnit,
              &dxBarSkinUnit, &dxRibbonSkinsUnit});
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

// A 32-bit DIB section in a memory DC, filled with one colour at first.
class TSurface {
 public:
  TSurface(int width, int height, COLORREF fill = RGB(255, 255, 255)) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    Fill(fill);
  }
  ~TSurface() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  void Fill(COLORREF color) {
    RECT all{0, 0, width_, height_};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  HDC DC() const { return dc_; }
  // The pixel as a COLORREF (0x00BBGGRR).
  COLORREF Pixel(int x, int y) const {
    GdiFlush();
    uint32_t p = bits_[size_t(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  std::vector<uint32_t> Pixels() const {
    GdiFlush();
    return std::vector<uint32_t>(bits_, bits_ + size_t(width_) * height_);
  }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
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
