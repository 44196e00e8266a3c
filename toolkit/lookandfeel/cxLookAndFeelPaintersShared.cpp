#include "cxLookAndFeelPaintersShared.h"

#include <commctrl.h>

#include "cxGraphics.h"
#include "cxGraphicsRoutines.h"
#include "dxOffice11.h"

CALDERAN_IMPLEMENT_CLASS(TcxRadioButtonImageList, TObject)
CALDERAN_IMPLEMENT_CLASS(TSystemPaletteChangedNotifier, TcxSystemPaletteChangedNotifier)

namespace {

TSize checkGlyphSize;
HIMAGELIST indicatorImages = nullptr;
TBitmap* patternBitmaps[2] = {};
TSystemPaletteChangedNotifier* primaryNotifier = nullptr;
TcxRadioButtonImageList* radioButtonImages = nullptr;

const char* const indicatorResources[] = {"CX_ARROWBITMAP",      "CX_EDITBITMAP",       "CX_INSERTBITMAP",
                                          "CX_MULTIDOTBITMAP",   "CX_MULTIARROWBITMAP", "CX_FILTERBITMAP"};

constexpr int obmCheckBoxes = 32759;  // OBM_CHECKBOXES, declared only under OEMRESOURCE

TSize CheckBoxCell() {
  HBITMAP bitmap = LoadBitmapA(nullptr, MAKEINTRESOURCEA(obmCheckBoxes));
  BITMAP bm{};
  if (bitmap) GetObjectA(bitmap, sizeof(bm), &bm);
  if (bitmap) DeleteObject(bitmap);
  return {bm.bmWidth / 4, bm.bmHeight / 3};
}

void LoadIndicatorImages() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  for (const char* name : indicatorResources) {
    HBITMAP bitmap = LoadBitmapA(instance, name);
    if (!bitmap) continue;
    if (!indicatorImages) {
      BITMAP bm{};
      GetObjectA(bitmap, sizeof(bm), &bm);
      indicatorImages = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 6, 0);
    }
    if (indicatorImages) ImageList_AddMasked(indicatorImages, bitmap, 0xFFFFFF);
    DeleteObject(bitmap);
  }
}

// A 32-bit top-down DIB section selected into a memory DC for the duration of the object.
class TPixelSurface {
 public:
  TPixelSurface(int width, int height, uint32_t fill) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    if (bits_)
      for (int i = 0; i < width * height; ++i) bits_[i] = fill;
  }
  ~TPixelSurface() {
    SelectObject(dc_, old_);
    if (bitmap_) DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  TPixelSurface(const TPixelSurface&) = delete;
  TPixelSurface& operator=(const TPixelSurface&) = delete;
  HDC DC() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_; }
  uint32_t At(int x, int y) const {
    GdiFlush();
    return bits_ && x >= 0 && y >= 0 && x < width_ && y < height_ ? bits_[y * width_ + x] & 0xFFFFFF : 0xFFFFFFFF;
  }
  void Set(int x, int y, uint32_t value) { bits_[y * width_ + x] = value; }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

uint32_t ToPixel(TColor color) {
  const COLORREF c = ColorToRGB(color);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

}  // namespace

TSize cxCheckGlyphSize() { return checkGlyphSize; }
HIMAGELIST cxIndicatorImages() { return indicatorImages; }

void DrawIndicatorImage(HDC dc, const TRect& rect, TcxIndicatorKind kind) {
  if (kind == ikNone || !indicatorImages) return;
  int w = 0, h = 0;
  ImageList_GetIconSize(indicatorImages, &w, &h);
  ImageList_Draw(indicatorImages, kind - 1, dc, (rect.Left + rect.Right - w) / 2, (rect.Top + rect.Bottom - h) / 2,
                 ILD_TRANSPARENT);
}

void RefreshPatternBitmaps() {
  for (int i = 0; i < 2; ++i) {
    if (!patternBitmaps[i]) patternBitmaps[i] = new TBitmap(8, 8);
    TCanvas* canvas = patternBitmaps[i]->Canvas();
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const bool odd = (x % 2) != (y % 2);
        canvas->SetPixel(x, y, i == 0 ? (odd ? clBtnHighlight : clBtnFace) : (odd ? cl3DDkShadow : clBlack));
      }
  }
}

TBitmap* cxPatternBitmap(bool pressed) { return patternBitmaps[pressed ? 1 : 0]; }

// ---------------------------------------------------------------------------------------------
// Radio-button pictures

TcxRadioButtonImageList::TcxRadioButtonImageList() {
  Measure();
  BuildPattern();
  BuildMask();
  images_ = ImageList_Create(measures_.Width, measures_.Height, ILC_COLOR24 | ILC_MASK, 128, 0);
  if (images_) ImageList_SetBkColor(images_, CLR_NONE);
}

TcxRadioButtonImageList::~TcxRadioButtonImageList() {
  if (images_) ImageList_Destroy(images_);
  if (mask_) DeleteObject(mask_);
}

int TcxRadioButtonImageList::Count() const { return images_ ? ImageList_GetImageCount(images_) : 0; }

// The circle as the system draws a radio button's mask in a check-box cell, and its check dot.
void TcxRadioButtonImageList::Measure() {
  const TSize cell = CheckBoxCell();
  const int w = cell.cx, h = cell.cy;
  {
    TPixelSurface s(w, h, 0);
    RECT r{0, 0, w, h};
    DrawFrameControl(s.DC(), &r, DFC_BUTTON, DFCS_FLAT | DFCS_BUTTONRADIOMASK);
    int left = -1, right = -1, top = -1, bottom = -1;
    for (int x = 0; x < w; ++x)
      for (int y = 0; y < h; ++y)
        if (s.At(x, y) == 0) {
          if (left < 0) left = x;
          right = x;
          top = top < 0 ? y : std::min(top, y);
          bottom = std::max(bottom, y);
        }
    measures_.Left = std::max(left, 0), measures_.Top = std::max(top, 0);
    measures_.Width = left < 0 ? w : right - left + 1, measures_.Height = top < 0 ? h : bottom - top + 1;
  }
  TPixelSurface s(w, h, 0);
  RECT r{0, 0, w, h};
  DrawFrameControl(s.DC(), &r, DFC_BUTTON, DFCS_FLAT | DFCS_CHECKED | DFCS_BUTTONRADIOIMAGE);
  const uint32_t dot = ToPixel(clWindowText);
  auto isDot = [&](int x, int y) { return s.At(x, y) == dot; };
  TcxRadioButtonMeasures& m = measures_;
  // The dot's extent along a column and along a row, walking out from a pixel inside it.
  auto walkColumn = [&](int x, int y) {
    while (y >= 0 && isDot(x, y)) --y;
    m.DotTop = y + 1;
    for (y = m.DotTop; y < h && isDot(x, y); ++y) {}
    m.DotBottom = y;
  };
  auto walkRow = [&](int x, int y) {
    while (x >= 0 && isDot(x, y)) --x;
    m.DotLeft = x + 1;
    for (x = m.DotLeft; x < w && isDot(x, y); ++x) {}
    m.DotRight = x;
  };
  walkColumn(m.Left + m.Width / 2 - 1, m.Top + m.Height / 2 - 2);
  walkRow(m.Left + m.Width / 2 - 2, m.Top + m.Height / 2 - 1);
  if (m.DotBottom > m.DotTop && m.DotRight > m.DotLeft) return;
  // Some systems draw a smaller dot that misses those starting pixels: start from the dot pixel
  // nearest the centre instead, so that a checked radio button never loses its dot.
  const int cx = m.Left + m.Width / 2, cy = m.Top + m.Height / 2, reach = std::max(m.Width / 4, 1);
  int seedX = -1, seedY = -1, best = 1 << 30;
  for (int y = cy - reach; y <= cy + reach; ++y)
    for (int x = cx - reach; x <= cx + reach; ++x)
      if (isDot(x, y) && (x - cx) * (x - cx) + (y - cy) * (y - cy) < best)
        seedX = x, seedY = y, best = (x - cx) * (x - cx) + (y - cy) * (y - cy);
  if (seedX < 0) return;
  walkColumn(seedX, seedY);
  walkRow(seedX, (m.DotTop + m.DotBottom) / 2);
  walkColumn((m.DotLeft + m.DotRight) / 2, (m.DotTop + m.DotBottom) / 2);
}

namespace {

int InnerRingCode(int x, int y, int w, int h) {
  const int a = (w - x - 1) * (h - 1), d = y * (w - 1);
  if (a != d) return a < d ? 4 : 3;
  return x > w / 2 - 1 ? 4 : 3;
}

}  // namespace

void TcxRadioButtonImageList::BuildPattern() {
  const int w = measures_.Width, h = measures_.Height;
  pattern_.assign(static_cast<size_t>(w) * h, 0);
  auto code = [&](int x, int y) -> int& { return pattern_[y * w + x]; };
  {
    TPixelSurface s(w, h, 0xFFFFFF);
    SelectObject(s.DC(), GetStockObject(BLACK_PEN));
    SelectObject(s.DC(), GetStockObject(NULL_BRUSH));
    RoundRect(s.DC(), 0, 0, w, h, w - 1, h - 1);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (s.At(x, y) == 0) code(x, y) = (h - 1) * (w - x - 1) < (w - 1) * y ? 2 : 1;
  }
  for (int y = 1; y < h - 1; ++y) {
    for (int x = w / 2 - 1; x >= 0 && code(x, y) == 0; --x) code(x, y) = 5;
    for (int x = w / 2; x < w && code(x, y) == 0; ++x) code(x, y) = 5;
  }
  // The inner ring: the pixels next to the outer ring, walking out from the middle by rows and by
  // columns; the first and last rows (columns) of the inside belong to it whole.
  for (int y = 1; y < h - 1; ++y)
    for (int dir : {-1, 1}) {
      int x = dir < 0 ? w / 2 - 1 : w / 2, last = -1;
      for (; x >= 0 && x < w && code(x, y) >= 3; x += dir) {
        if (y == 1 || y == h - 2) code(x, y) = InnerRingCode(x, y, w, h);
        last = x;
      }
      if (last >= 0) code(last, y) = InnerRingCode(last, y, w, h);
    }
  for (int x = 1; x < w - 1; ++x)
    for (int dir : {-1, 1}) {
      int y = dir < 0 ? h / 2 - 1 : h / 2, last = -1;
      for (; y >= 0 && y < h && code(x, y) >= 3; y += dir) {
        if (x == 1 || x == w - 2) code(x, y) = InnerRingCode(x, y, w, h);
        last = y;
      }
      if (last >= 0) code(x, last) = InnerRingCode(x, last, w, h);
    }
  TPixelSurface s(w, h, 0xFFFFFF);
  SelectObject(s.DC(), GetStockObject(BLACK_PEN));
  SelectObject(s.DC(), GetStockObject(BLACK_BRUSH));
  const TcxRadioButtonMeasures& m = measures_;
  const int dl = m.DotLeft - m.Left, dt = m.DotTop - m.Top, dw = m.DotRight - m.DotLeft, dh = m.DotBottom - m.DotTop;
  RoundRect(s.DC(), dl, dt, dl + dw, dt + dh, dw - 1, dh - 1);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (s.At(x, y) == 0) code(x, y) = 6;
}

void TcxRadioButtonImageList::BuildMask() {
  const int w = measures_.Width, h = measures_.Height;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  mask_ = CreateBitmap(w, h, 1, 1, nullptr);
  HGDIOBJ old = SelectObject(dc, mask_);
  RECT all{0, 0, w, h};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SelectObject(dc, GetStockObject(BLACK_PEN));
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  RoundRect(dc, 0, 0, w, h, w - 1, h - 1);
  SelectObject(dc, oldBrush);
  SelectObject(dc, old);
  DeleteDC(dc);
}

namespace {

TColor RadioBody(TcxLookAndFeelKind look, TcxButtonState state) {
  if (look == lfOffice11)
    return state == cxbsNormal ? clWindow : TcxOffice11LookAndFeelPainter::Instance()->ButtonColor(state);
  if (state == cxbsDisabled) return clBtnFace;
  if (look == lfUltraFlat) return state == cxbsHot ? HotMixColor() : (state == cxbsPressed ? PressedMixColor() : clWindow);
  return state == cxbsPressed ? clBtnFace : clWindow;
}

// The colour of each pattern code for one combination of look and state.
void RadioColorMap(TColor (&map)[7], TcxLookAndFeelKind look, TcxButtonState state, bool checked, bool focused,
                   bool highlighted) {
  const TColor body = RadioBody(look, state);
  const bool active = focused || state == cxbsHot || state == cxbsPressed;
  map[0] = clBlack;
  map[5] = body;
  switch (look) {
    case lfFlat: map[1] = clBtnShadow, map[2] = clBtnHighlight, map[3] = cl3DLight, map[4] = cl3DLight; break;
    case lfStandard: map[1] = clBtnShadow, map[2] = clBtnHighlight, map[3] = cl3DDkShadow, map[4] = cl3DLight; break;
    case lfUltraFlat:
      map[1] = map[2] = active || (highlighted && state != cxbsDisabled) ? clHighlight : clBtnShadow;
      map[3] = map[4] = body;
      break;
    case lfOffice11:
      map[1] = map[2] = state == cxbsDisabled ? Office11Colors[52]
                                               : (active || highlighted ? Office11Colors[41] : clBtnText);
      map[3] = map[4] = body;
      break;
  }
  if (!checked)
    map[6] = body;
  else if (state == cxbsDisabled)
    map[6] = look == lfOffice11 ? Office11Colors[52] : clBtnShadow;
  else
    map[6] = clWindowText;
}

}  // namespace

void TcxRadioButtonImageList::AddImage(TcxLookAndFeelKind look, TcxButtonState state, bool checked, bool focused,
                                       bool highlighted) {
  TColor map[7];
  RadioColorMap(map, look, state, checked, focused, highlighted);
  uint32_t pixels[7];
  for (int i = 0; i < 7; ++i) pixels[i] = ToPixel(map[i]);
  const int w = measures_.Width, h = measures_.Height;
  TPixelSurface image(w, h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.Set(x, y, pixels[PatternCode(x, y)]);
  GdiFlush();
  SelectObject(image.DC(), GetStockObject(DEFAULT_GUI_FONT));  // any object: the bitmap must not stay selected
  HBITMAP copy = static_cast<HBITMAP>(CopyImage(image.Bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  const int index = copy ? ImageList_Add(images_, copy, mask_) : -1;
  if (copy) DeleteObject(copy);
  indexMap_[GetImageIndex(look, state, checked, focused, highlighted)] = index;
}

int TcxRadioButtonImageList::GetImageIndex(TcxLookAndFeelKind look, TcxButtonState state, bool checked, bool focused,
                                           bool highlighted) const {
  const int s = state == cxbsDefault ? cxbsNormal : state;
  return ((focused * 8 + highlighted * 4 + look) * 8 + checked * 4 + s - 1);
}

void TcxRadioButtonImageList::Prepare() {
  if (!images_ || Count() > 0) return;
  for (int focused = 0; focused < 2; ++focused)
    for (int highlighted = 0; highlighted < 2; ++highlighted)
      for (int look = lfFlat; look <= lfOffice11; ++look)
        for (int checked = 0; checked < 2; ++checked)
          for (int state = cxbsNormal; state <= cxbsDisabled; ++state)
            AddImage(static_cast<TcxLookAndFeelKind>(look), static_cast<TcxButtonState>(state), checked, focused,
                     highlighted);
}

void TcxRadioButtonImageList::Reset() {
  if (images_) ImageList_RemoveAll(images_);
  Prepare();
}

void TcxRadioButtonImageList::Draw(HDC dc, int x, int y, TColor backgroundColor, TcxLookAndFeelKind look,
                                   TcxButtonState state, bool checked, bool focused, bool highlighted) {
  const int index = indexMap_[GetImageIndex(look, state, checked, focused, highlighted)];
  if (backgroundColor == clDefault) {
    ImageList_Draw(images_, index, dc, x, y, ILD_TRANSPARENT);
    return;
  }
  TPixelSurface s(measures_.Width, measures_.Height, ToPixel(backgroundColor));
  ImageList_Draw(images_, index, s.DC(), 0, 0, ILD_TRANSPARENT);
  BitBlt(dc, x, y, measures_.Width, measures_.Height, s.DC(), 0, 0, SRCCOPY);
}

TcxRadioButtonImageList* GetRadioButtonImages() {
  if (!radioButtonImages) {
    radioButtonImages = new TcxRadioButtonImageList;
    radioButtonImages->Prepare();
  }
  return radioButtonImages;
}

void TSystemPaletteChangedNotifier::ColorsChanged() {
  TcxSystemPaletteChangedNotifier::ColorsChanged();
  if (radioButtonImages) radioButtonImages->Reset();
}

void StartPainterResources() {
  LoadIndicatorImages();
  RefreshPatternBitmaps();
  primaryNotifier = new TSystemPaletteChangedNotifier;
  checkGlyphSize = CheckBoxCell();
}

void StopPainterResources() {
  delete primaryNotifier;
  primaryNotifier = nullptr;
  for (TBitmap*& b : patternBitmaps) {
    delete b;
    b = nullptr;
  }
  if (indicatorImages) ImageList_Destroy(indicatorImages);
  indicatorImages = nullptr;
  delete radioButtonImages;
  radioButtonImages = nullptr;
}

void DrawIndicatorImage(TcxCanvas* canvas, const TRect& rect, TcxIndicatorKind kind) {
  DrawIndicatorImage(canvas->GetHandle(), rect, kind);
}

void TcxRadioButtonImageList::Draw(TcxCanvas* canvas, int x, int y, TColor backgroundColor, TcxLookAndFeelKind look,
                                   TcxButtonState state, bool checked, bool focused, bool highlighted) {
  Draw(canvas->GetHandle(), x, y, backgroundColor, look, state, checked, focused, highlighted);
}
