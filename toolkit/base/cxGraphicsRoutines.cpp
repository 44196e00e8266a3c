#include "cxGraphicsRoutines.h"

#include <cmath>
#include <vector>

#include "Controls.h"
#include "cxGraphics.h"
#include "cxGraphicsGlyphs.h"

namespace {

HMODULE msimg32 = nullptr;
TAlphaBlendFunction alphaBlend = nullptr;

void StartGraphicsRoutines() {
  msimg32 = LoadLibraryA("msimg32.dll");
  if (msimg32)
    alphaBlend = reinterpret_cast<TAlphaBlendFunction>(reinterpret_cast<void*>(GetProcAddress(msimg32, "AlphaBlend")));
}

void StopGraphicsRoutines() {
  FreeGlyphScratchBitmaps();
  alphaBlend = nullptr;
  if (msimg32) FreeLibrary(msimg32);
  msimg32 = nullptr;
}

TColor SystemMix(int faceP, int highlightP, int windowP) {
  const COLORREF f = ColorToRGB(clBtnFace), h = ColorToRGB(clHighlight), w = ColorToRGB(clWindow);
  if (f == 0 || f == 0xFFFFFF) return static_cast<TColor>(h);
  auto mix = [&](int shift) {
    return ClampByte(MulDiv((f >> shift) & 0xFF, faceP, 100) + MulDiv((h >> shift) & 0xFF, highlightP, 100) +
                     MulDiv((w >> shift) & 0xFF, windowP, 100));
  };
  return GetNearestScreenColor(mix(0) | (mix(8) << 8) | (mix(16) << 16));
}

}  // namespace

constinit const TUnitInfo cxGraphicsRoutinesUnit{"cxGraphicsRoutines", StartGraphicsRoutines, StopGraphicsRoutines};

TAlphaBlendFunction cxAlphaBlendFunction() { return alphaBlend; }

void ApplyRectMargins(TRect& rect, const TRect& margins) {
  rect.Left += margins.Left;
  rect.Top += margins.Top;
  rect.Right -= margins.Right;
  rect.Bottom -= margins.Bottom;
}

bool IsBitmapAssigned(TBitmap* bitmap) { return bitmap && !bitmap->Empty(); }

bool IsImageIndexValid(TCustomImageList* images, int index) {
  return images && index >= 0 && index < images->Count();
}

void AssignImageList(TCustomImageList* newList, TCustomImageList*& field, TChangeLink* changeLink,
                     TComponent* component) {
  if (newList == field) return;
  if (field) {
    if (component) field->RemoveFreeNotification(component);
    if (changeLink) field->UnRegisterChanges(changeLink);
  }
  field = newList;
  if (field) {
    if (changeLink) field->RegisterChanges(changeLink);
    if (component) field->FreeNotification(component);
  }
  if (changeLink) changeLink->Change();
}

TColor GetNearestScreenColor(TColor color) {
  HDC dc = GetDC(nullptr);
  COLORREF nearest = GetNearestColor(dc, ColorToRGB(color));
  ReleaseDC(nullptr, dc);
  return nearest == CLR_INVALID ? static_cast<TColor>(ColorToRGB(color)) : static_cast<TColor>(nearest);
}

int ClampByte(int n) { return n < 0 ? 0 : (n > 255 ? 255 : n); }

TColor PressedMixColor() { return SystemMix(14, 44, 40); }
TColor HotMixColor() { return SystemMix(-2, 30, 72); }

namespace {

// From the top block of a 1-bit cursor mask (the last width rows of the bottom-up bits): the
// rows above the lowest one that is not all 0xFF. A monochrome cursor keeps its picture in the
// block before, searched for a byte other than 0 when the mask shows nothing.
int MaskHeight(const std::vector<Byte>& bits, int width, int height) {
  const int row = ((width + 31) / 32) * 4;
  const int size = width * row;
  if (static_cast<int>(bits.size()) < size) return 0;
  const Byte* top = bits.data() + bits.size() - size;
  int i = 0;
  while (i < size && top[i] == 0xFF) ++i;
  int result = i < size ? (size - i - 1) / row : 0;
  if (result == 0 && height >= 2 * width && static_cast<int>(bits.size()) >= 2 * size) {
    const Byte* before = top - size;
    int j = 0;
    while (j < size && before[j] == 0) ++j;
    result = j < size ? (size - j - 1) / row : 0;
  }
  return result;
}

}  // namespace

TSize GetCursorExtent() {
  TSize result(GetSystemMetrics(SM_CXCURSOR), GetSystemMetrics(SM_CYCURSOR));
  ICONINFO info{};
  if (!GetIconInfo(GetCursor(), &info)) return result;
  BITMAP bm{};
  if (info.hbmMask && GetObjectA(info.hbmMask, sizeof(bm), &bm) && bm.bmBitsPixel == 1) {
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colors[2];
    } bi{};
    bi.header = {sizeof(BITMAPINFOHEADER), bm.bmWidth, bm.bmHeight, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<Byte> bits(((bm.bmWidth + 31) / 32) * 4 * bm.bmHeight);
    HDC dc = GetDC(nullptr);
    if (GetDIBits(dc, info.hbmMask, 0, bm.bmHeight, bits.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS)) {
      result.cx = bm.bmWidth;
      result.cy = MaskHeight(bits, bm.bmWidth, bm.bmHeight) - static_cast<int>(info.yHotspot);
    }
    ReleaseDC(nullptr, dc);
  }
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return result;
}

void BlendBitmaps(TBitmap* dest, TBitmap* from, TBitmap* to, Byte alpha) {
  const int w = dest->Width(), h = dest->Height();
  if (alphaBlend) {
    BitBlt(dest->Canvas()->Handle(), 0, 0, w, h, from->Canvas()->Handle(), 0, 0, SRCCOPY);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, 0};
    if (alphaBlend(dest->Canvas()->Handle(), 0, 0, w, h, to->Canvas()->Handle(), 0, 0, w, h, blend)) return;
  }
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  if (bits != 16 && bits != 24 && bits != 32) {
    BitBlt(dest->Canvas()->Handle(), 0, 0, w, h, to->Canvas()->Handle(), 0, 0, SRCCOPY);
    return;
  }
  const double x = alpha / 255.0;
  const int rowBytes = w * 3;
  for (int y = 0; y < h; ++y) {
    Byte* d = static_cast<Byte*>(dest->ScanLine(y));
    const Byte* f = static_cast<const Byte*>(from->ScanLine(y));
    const Byte* t = static_cast<const Byte*>(to->ScanLine(y));
    for (int i = 0; i < rowBytes; ++i)
      d[i] = static_cast<Byte>(std::nearbyint(x * t[i]) + std::nearbyint((1 - x) * f[i]));
  }
}

namespace {

TColor ScaleChannels(TColor color, int percent) {
  const COLORREF c = ColorToRGB(color);
  auto scale = [percent](int v) { return static_cast<int>(percent * v / 100.0); };
  return RGB(scale(GetRValue(c)), scale(GetGValue(c)), scale(GetBValue(c)));
}

}  // namespace

void DrawHatchedRect(TcxCanvas* canvas, const TRect& rect, int kind) {
  if (rect.IsEmpty()) return;
  const TColor color = kind == 0 ? 0x00A0FFA0 : 0x009090FF;
  canvas->SaveState();
  canvas->IntersectClipRect(rect);
  canvas->FillRectColor(rect, color);
  canvas->GetPen()->SetStyle(TPenStyle::psSolid);
  canvas->GetPen()->SetColor(ScaleChannels(color, 75));
  for (int i = 1; i <= MulDiv(rect.Right, 3, 2); ++i) {
    canvas->MoveTo(rect.Right - 3 * i, rect.Top);
    canvas->LineTo(rect.Right, rect.Top + 3 * i);
  }
  canvas->FrameRect(rect, ScaleChannels(color, 50), 1, cxBordersAll);
  canvas->RestoreState();
  canvas->ExcludeClipRect(rect);
  TRect shadow = rect;
  shadow.Offset(1, 1);
  canvas->FillRectColor(shadow, clBtnShadow);
  canvas->ExcludeClipRect(shadow);
}

// ---------------------------------------------------------------------------------------------
// Parent backgrounds

namespace {

TcxDrawThemeParentBackgroundProc themedParentBackground = nullptr;

// Shifts what is drawn into dc by (dx, dy).
void MoveWindowOrg(HDC dc, int dx, int dy) {
  POINT p{};
  GetWindowOrgEx(dc, &p);
  SetWindowOrgEx(dc, p.x - dx, p.y - dy, nullptr);
}

class TSavedDC {
 public:
  explicit TSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~TSavedDC() { RestoreDC(dc_, saved_); }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// Marks a control as painting a copy of itself while it lives.
class TPaintCopyMark {
 public:
  explicit TPaintCopyMark(TControl* control) : control_(control), added_(!control->ControlState().Contains(csPaintCopy)) {
    control_->SetControlState(control_->ControlState() + csPaintCopy);
  }
  ~TPaintCopyMark() {
    if (added_) control_->SetControlState(control_->ControlState() - csPaintCopy);
  }
  TPaintCopyMark(const TPaintCopyMark&) = delete;
  TPaintCopyMark& operator=(const TPaintCopyMark&) = delete;

 private:
  TControl* control_;
  bool added_;
};

class TCanvasLock {
 public:
  explicit TCanvasLock(TCanvas* canvas) : canvas_(canvas) { canvas_->Lock(); }
  ~TCanvasLock() { canvas_->Unlock(); }
  TCanvasLock(const TCanvasLock&) = delete;
  TCanvasLock& operator=(const TCanvasLock&) = delete;

 private:
  TCanvas* canvas_;
};

// The control whose background is painted, and whether its parent's windowed children below it
// are painted too.
struct TParentImage {
  TControl* Start;
  bool WithSiblings;
};

// A window paints only its client area: its client edge or plain border is drawn here. Answers
// the rectangle inside the border.
TRect DrawWindowBorder(HDC dc, TWinControl* control, const TRect& bounds) {
  RECT r = bounds;
  if (!control->HandleAllocated()) return r;
  const HWND window = control->WindowHandle();
  if (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  else if (GetWindowLongA(window, GWL_STYLE) & WS_BORDER)
    DrawEdge(dc, &r, BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | BF_MONO);
  return r;
}

// Paints one control into the canvas: its origin moved by offset, clipped to clip (in the
// control's coordinates), then, with siblings, its windowed children below the starting control.
void PaintCopy(TWinControl* control, TcxCanvas* canvas, const TPoint& offset, const TRect& clip, const TParentImage& job) {
  const HDC dc = canvas->GetHandle();
  TSavedDC saved(dc);
  MoveWindowOrg(dc, offset.X, offset.Y);
  RECT visible = clip;
  if (!RectVisible(dc, &visible)) return;
  IntersectClipRect(dc, clip.Left, clip.Top, clip.Right, clip.Bottom);
  TPaintCopyMark mark(control);
  if (control != job.Start->Parent()) {
    const TRect inside = DrawWindowBorder(dc, control, clip);
    IntersectClipRect(dc, inside.Left, inside.Top, inside.Right, inside.Bottom);
    MoveWindowOrg(dc, inside.Left, inside.Top);
  }
  {
    TCanvasLock lock(canvas->Canvas());
    control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
  if (!job.WithSiblings) return;
  for (int i = 0; i < control->ControlCount(); ++i) {
    auto* child = ObjectAs<TWinControl>(control->Controls(i));  // windowed children, bottom first
    if (!child) continue;
    if (child == job.Start) break;
    if (child->Visible())
      PaintCopy(child, canvas, TPoint(child->Left(), child->Top()), TRect(0, 0, child->Width(), child->Height()), job);
  }
}

}  // namespace

void SetDrawThemeParentBackgroundProc(TcxDrawThemeParentBackgroundProc proc) { themedParentBackground = proc; }
TcxDrawThemeParentBackgroundProc cxDrawThemeParentBackgroundProc() { return themedParentBackground; }

// The parent draws in the control's coordinates: its point (Left, Top) lands on the canvas's
// (0, 0), as the visual styles' parent background places it.
void PaintParentImage(TControl* control, TcxCanvas* canvas, const TRect& rect, bool withSiblings) {
  TWinControl* parent = control->Parent();
  if (!parent) return;
  TRect r = rect;
  r.Offset(control->Left(), control->Top());
  PaintCopy(parent, canvas, TPoint(-control->Left(), -control->Top()), r, {control, withSiblings});
}

void DrawParentBackground(TControl* control, TcxCanvas* canvas, const TRect& rect) {
  auto* windowed = ObjectAs<TWinControl>(control);
  const TWinControl* parent = control->Parent();
  if (!themedParentBackground || !windowed || (parent && parent->DoubleBuffered())) {
    PaintParentImage(control, canvas, rect, false);
    return;
  }
  const RECT r = rect;
  themedParentBackground(windowed->Handle(), canvas->GetHandle(), &r);
}
