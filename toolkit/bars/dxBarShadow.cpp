#include "dxBarShadow.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "dxBarItemRegistry.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarShadowPart, TCustomControl)
CALDERAN_IMPLEMENT_CLASS(TdxBarShadow, TObject)

namespace {
using TParts = std::vector<TdxBarShadowPartInfo>;

void AddPart(TParts& parts, const TRect& bounds, Byte kind, Byte corners, int s) {
  if (bounds.IsEmpty()) return;
  if (corners != 0 && (bounds.Width() < s || bounds.Height() < s)) return;
  parts.push_back({bounds, kind, corners});
}

TParts HorizontalParts(const TRect& o, const TRect& w, int s) {
  TParts parts;
  const bool hasOwner = !o.IsEmpty();
  if (hasOwner) AddPart(parts, {o.Right, o.Top + s, o.Right + s, o.Bottom}, dxShadowVerticalPart, dxShadowFadeTop, s);
  AddPart(parts, {w.Left + s, w.Bottom, w.Right + s, w.Bottom + s}, dxShadowHorizontalPart,
          dxShadowFadeLeft | dxShadowFadeRight, s);
  if (hasOwner && o.Left + s < w.Left)
    AddPart(parts, {o.Left + s, o.Bottom, w.Left, o.Bottom + s}, dxShadowHorizontalPart, dxShadowFadeLeft, s);
  if (hasOwner && w.Right < o.Right)
    AddPart(parts, {w.Right, o.Bottom, o.Right + s, o.Bottom + s}, dxShadowHorizontalPart, dxShadowFadeRight, s);
  if (!hasOwner || o.Right < w.Right)
    AddPart(parts, {w.Right, w.Top + s, w.Right + s, w.Bottom}, dxShadowVerticalPart, dxShadowFadeTop, s);
  else
    AddPart(parts, {w.Right, w.Top, w.Right + s, w.Bottom}, dxShadowVerticalPart, 0, s);
  return parts;
}

TParts VerticalParts(const TRect& o, const TRect& w, int s) {
  TParts parts;
  AddPart(parts, {w.Right, w.Top + s, w.Right + s, w.Bottom}, dxShadowVerticalPart, dxShadowFadeTop, s);
  if (o.Top + s < w.Top)
    AddPart(parts, {o.Right, o.Top + s, o.Right + s, w.Top}, dxShadowVerticalPart, dxShadowFadeTop, s);
  if (w.Bottom < o.Bottom) {
    AddPart(parts, {o.Left + s, o.Bottom, o.Right + s, o.Bottom + s}, dxShadowHorizontalPart,
            dxShadowFadeLeft | dxShadowFadeRight, s);
    AddPart(parts, {o.Right, w.Bottom, o.Right + s, o.Bottom}, dxShadowVerticalPart, 0, s);
  } else {
    AddPart(parts, {o.Left + s, o.Bottom, o.Right, o.Bottom + s}, dxShadowHorizontalPart, dxShadowFadeLeft, s);
  }
  if (o.Bottom < w.Bottom)
    AddPart(parts, {w.Left + s, w.Bottom, w.Right + s, w.Bottom + s}, dxShadowHorizontalPart,
            dxShadowFadeLeft | dxShadowFadeRight, s);
  else
    AddPart(parts, {w.Left, w.Bottom, w.Right + s, w.Bottom + s}, dxShadowHorizontalPart, dxShadowFadeRight, s);
  return parts;
}

// The alpha of a pixel: falling off outwards from the edge, scaled down inside a faded end.
Byte ShadowAlpha(int x, int y, int width, int height, Byte kind, Byte corners, int s) {
  int alpha = kind == dxShadowVerticalPart ? 15 * (width - x) : 15 * (height - y);
  int k = -1;  // the distance into a faded end, counted towards the strip's inner end
  if ((corners & dxShadowFadeLeft) && x < s) k = x;
  if ((corners & dxShadowFadeRight) && x >= width - s) k = width - 1 - x;
  if ((corners & dxShadowFadeTop) && y < s) k = y;
  if (k >= 0) alpha = MulDiv(alpha, k + 1, s + 1);
  return static_cast<Byte>(alpha);
}
}  // namespace

TParts CalcBarShadowParts(const TRect& ownerRect, const TRect& windowRect, bool horizontal, int shadowSize) {
  return horizontal ? HorizontalParts(ownerRect, windowRect, shadowSize)
                    : VerticalParts(ownerRect, windowRect, shadowSize);
}

std::vector<uint32_t> MakeBarShadowImage(int width, int height, Byte kind, Byte corners, int shadowSize) {
  std::vector<uint32_t> pixels(size_t(std::max(width, 0)) * std::max(height, 0));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      pixels[size_t(y) * width + x] = uint32_t(ShadowAlpha(x, y, width, height, kind, corners, shadowSize)) << 24;
  }
  return pixels;
}

bool BarShadowsUseLayeredWindows() {
  if (!UpdateLayeredWindowFunc()) return false;
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  ReleaseDC(nullptr, screen);
  return bits > 8;
}

int BarShadowSize() { return BarShadowsUseLayeredWindows() ? 4 : 2; }

// ---------------------------------------------------------------------------------------------
TdxBarShadowPart::TdxBarShadowPart(TdxBarShadow* shadow, Byte kind, Byte corners)
    : TCustomControl(nullptr), shadow_(shadow), kind_(kind), corners_(corners), image_(new TBitmap) {
  image_->SetPixelFormat(TPixelFormat::pf32bit);
}

TdxBarShadowPart::~TdxBarShadowPart() { delete image_; }

void TdxBarShadowPart::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style = WS_POPUP;
  params.ExStyle = shadow_->IsLayered() ? WS_EX_LAYERED : 0;
  HWND ownerWindow = shadow_->Owner()->Handle();
  if (GetWindowLongA(ownerWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) params.ExStyle |= WS_EX_TOPMOST;
  params.WndParent = ownerWindow;
  params.WindowClass.style = 0;
}

void TdxBarShadowPart::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_NCHITTEST: message.Result = HTTRANSPARENT; break;
    default: TCustomControl::Dispatch(message);
  }
}

void TdxBarShadowPart::Paint() {
  Canvas()->Brush()->SetColor(clBtnShadow);
  Canvas()->FillRect(ClientRect());
}

void TdxBarShadowPart::SetBounds(int left, int top, int width, int height) {
  TCustomControl::SetBounds(left, top, width, height);
  BuildImage();
  if (shadow_->Visible()) ShowPart();
}

void TdxBarShadowPart::BuildImage() {
  image_->SetSize(Width(), Height());
  const std::vector<uint32_t> pixels =
      MakeBarShadowImage(Width(), Height(), kind_, corners_, shadow_->ShadowSize());
  for (int y = 0; y < Height(); ++y)
    memcpy(image_->ScanLine(y), &pixels[size_t(y) * Width()], size_t(Width()) * 4);
}

void TdxBarShadowPart::UpdateLayered() {
  POINT source{0, 0}, destination{Left(), Top()};
  SIZE size{Width(), Height()};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  HDC screen = GetDC(nullptr);
  UpdateLayeredWindowFunc()(Handle(), screen, &destination, &size, image_->Canvas()->Handle(), &source, 0, &blend,
                            ULW_ALPHA);
  ReleaseDC(nullptr, screen);
}

// Directly under the bar window, so the shadow lies over whatever the bar window covers.
void TdxBarShadowPart::ShowPart() {
  if (shadow_->IsLayered()) UpdateLayered();
  SetWindowPos(Handle(), shadow_->Owner()->Handle(), Left(), Top(), Width(), Height(),
               SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TdxBarShadowPart::HidePart() {
  if (!HandleAllocated()) return;
  ShowWindow(WindowHandle(), SW_HIDE);
  DestroyHandle();
}

// ---------------------------------------------------------------------------------------------
TdxBarShadow::TdxBarShadow(TWinControl* owner) : owner_(owner), layered_(BarShadowsUseLayeredWindows()) {}

TdxBarShadow::~TdxBarShadow() { FreeParts(); }

void TdxBarShadow::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  for (TdxBarShadowPart* part : parts_) {
    if (visible_) part->ShowPart();
    else part->HidePart();
  }
}

// The first rectangle is always the one above or to the left: a menu opened upwards or to the
// left casts the shapes of one opened downwards or to the right.
void TdxBarShadow::SetShadowBounds(const TRect& ownerRect, const TRect& windowRect) {
  ownerRect_ = ownerRect;
  windowRect_ = windowRect;
  horizontal_ = ownerRect.IsEmpty() || ownerRect.Bottom == windowRect.Top || ownerRect.Top == windowRect.Bottom;
  const bool windowAbove = horizontal_ && !ownerRect.IsEmpty() && ownerRect.Top == windowRect.Bottom;
  const bool windowLeft = !horizontal_ && ownerRect.Left == windowRect.Right;
  if (windowAbove || windowLeft) std::swap(ownerRect_, windowRect_);
  RebuildShadow();
}

void TdxBarShadow::RebuildShadow() {
  FreeParts();
  CreateParts();
}

void TdxBarShadow::FreeParts() {
  for (TdxBarShadowPart* part : parts_) delete part;
  parts_.clear();
}

void TdxBarShadow::CreateParts() {
  for (const TdxBarShadowPartInfo& info : CalcBarShadowParts(ownerRect_, windowRect_, horizontal_, ShadowSize())) {
    auto* part = new TdxBarShadowPart(this, info.Kind, info.Corners);
    parts_.push_back(part);
    part->SetBounds(info.Bounds.Left, info.Bounds.Top, info.Bounds.Width(), info.Bounds.Height());
  }
}
