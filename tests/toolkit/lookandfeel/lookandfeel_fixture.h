// Shared by the look-and-feel tests: starts the modules in their start-up order once per process,
// and offers small helpers for the hidden windows and for fake visual-styles functions.
#pragma once
#include <string>
#include <vector>

#include "System.h"
#include "cxBaseUnits.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeelPaintersShared.h"
#include "cxLookAndFeels.h"

inline void StartLookAndFeelUnits() {
  StartToolkitBaseUnits();
  StartUnits({&dxUxThemeUnit, &dxThemeManagerUnit, &dxOffice11Unit, &cxLookAndFeelsUnit, &cxLookAndFeelPaintersUnit});
}

// Sets one system colour for the lifetime of the object (every process of the prefix sees it, so
// the tests that use it run alone).
class TSysColorChange {
 public:
  TSysColorChange(int index, COLORREF color) : index_(index), old_(GetSysColor(index)) { Set(color); }
  ~TSysColorChange() { Set(old_); }
  TSysColorChange(const TSysColorChange&) = delete;
  TSysColorChange& operator=(const TSysColorChange&) = delete;

 private:
  void Set(COLORREF color) {
    int index = index_;
    SetSysColors(1, &index, &color);
    // The change reaches this thread's windows as a sent message; deliver any that were queued.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  int index_;
  COLORREF old_;
};

struct TFoundWindow {
  const char* ClassName;
  HWND Window;
};
inline BOOL CALLBACK FindThreadWindowProc(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<TFoundWindow*>(data);
  char name[128] = {};
  GetClassNameA(window, name, sizeof(name));
  if (std::string(name) != found->ClassName) return TRUE;
  found->Window = window;
  return FALSE;
}
// The hidden window of the given class that this thread created.
inline HWND FindThreadWindow(const char* className) {
  TFoundWindow found{className, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindThreadWindowProc, reinterpret_cast<LPARAM>(&found));
  return found.Window;
}

// Restores the bound visual-styles functions when a test has replaced some with fakes.
class TUxThemeFunctionsSaver {
 public:
  TUxThemeFunctionsSaver() : saved_(UxThemeFunctions) {}
  ~TUxThemeFunctionsSaver() { UxThemeFunctions = saved_; }

 private:
  TdxUxThemeFunctions saved_;
};

inline std::u16string Wide(const WCHAR* s) { return reinterpret_cast<const char16_t*>(s); }

// A 32-bit top-down DIB section selected into a memory DC, for reading back what was drawn.
class TDibSurface {
 public:
  TDibSurface(int width, int height, TColor fill = 0xFFFFFF) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    Fill(fill);
  }
  ~TDibSurface() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC DC() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void Fill(TColor color) {
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i) bits_[i] = ToPixel(color);
  }
  TColor Pixel(int x, int y) const {
    GdiFlush();
    uint32_t p = bits_[y * width_ + x];
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
  }
  uint32_t Raw(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x];
  }
  // Saves the surface as a .bmp file (to be converted and looked at).
  void Save(const char* path) const {
    GdiFlush();
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DWORD size = width_ * height_ * 4;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + size;
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written;
    WriteFile(f, &fh, sizeof(fh), &written, nullptr);
    WriteFile(f, &ih, sizeof(ih), &written, nullptr);
    WriteFile(f, bits_, size, &written, nullptr);
    CloseHandle(f);
  }

 private:
  static uint32_t ToPixel(TColor c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

// Visual styles switched off (or on again) as the user would: the theme manager hears WM_THEMECHANGED.
inline BOOL WINAPI FakeThemeInactive() { return FALSE; }
class TVisualStylesOff {
 public:
  TVisualStylesOff() {
    UxThemeFunctions.IsThemeActive = FakeThemeInactive;
    SendThemeChanged();
  }
  ~TVisualStylesOff() {
    UxThemeFunctions.IsThemeActive = saved_.IsThemeActive;
    SendThemeChanged();
  }
  static void SendThemeChanged() {
    if (HWND receiver = FindThreadWindow(dxThemeChangedReceiverClassName)) SendMessageA(receiver, WM_THEMECHANGED, 0, 0);
  }

 private:
  TdxUxThemeFunctions saved_ = UxThemeFunctions;
};

// The GDI objects this process holds. Wine answers GetGuiResources with 0, so the count is read
// from the process's GDI handle table there (stock objects excluded).
#include <winternl.h>
#include <ntgdi.h>
inline int GdiObjectCount() {
  if (DWORD n = GetGuiResources(GetCurrentProcess(), 0 /* GR_GDIOBJECTS */)) return static_cast<int>(n);
  auto* table = static_cast<GDI_SHARED_MEMORY*>(NtCurrentTeb()->Peb->GdiSharedHandleTable);
  if (!table) return -1;
  int count = 0;
  for (const GDI_HANDLE_ENTRY& entry : table->Handles)
    if (entry.Type && !entry.StockFlag) ++count;
  return count;
}

// A 32-bit bitmap with a toolkit canvas, for drawing painter parts and reading them back.
class TPainterSurface {
 public:
  TPainterSurface(int width, int height, TColor fill = 0x123456) : bitmap_(width, height) { Fill(fill); }
  TcxCanvas* Canvas() { return bitmap_.Canvas(); }
  TcxBitmap& Bitmap() { return bitmap_; }
  void Fill(TColor color) {
    Canvas()->GetBrush()->SetColor(color);
    Canvas()->GetBrush()->SetStyle(TBrushStyle::bsSolid);
    Canvas()->Canvas()->FillRect(TRect(0, 0, bitmap_.Width(), bitmap_.Height()));
  }
  TColor Pixel(int x, int y) { return static_cast<TColor>(GetPixel(Canvas()->GetHandle(), x, y)); }
  // How many pixels of the rectangle have the colour.
  int Count(const TRect& r, TColor color) {
    const COLORREF rgb = ColorToRGB(color);
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (GetPixel(Canvas()->GetHandle(), x, y) == rgb) ++n;
    return n;
  }
  void Save(const char* path) {
    TDibSurface copy(bitmap_.Width(), bitmap_.Height());
    BitBlt(copy.DC(), 0, 0, bitmap_.Width(), bitmap_.Height(), Canvas()->GetHandle(), 0, 0, SRCCOPY);
    copy.Save(path);
  }

 private:
  TcxBitmap bitmap_;
};
