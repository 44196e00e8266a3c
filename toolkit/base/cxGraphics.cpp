#include "cxGraphics.h"

#include <algorithm>

#include "cxGeometry.h"

CALDERAN_IMPLEMENT_CLASS(TcxRegion, TObject)
CALDERAN_IMPLEMENT_CLASS(TcxCanvas, TObject)
CALDERAN_IMPLEMENT_CLASS(TScreenCanvas, TCanvas)
CALDERAN_IMPLEMENT_CLASS(TcxScreenCanvas, TcxCanvas)

namespace {

// The region that stands for "no clipping" (device coordinates).
constexpr int NoClipExtent = 30000;

constexpr int CombineModes[] = {RGN_COPY, RGN_OR, RGN_DIFF, RGN_AND};

HRGN NewRectRegion(const TRect& r) {
  RECT rect = r;
  HRGN region = CreateRectRgnIndirect(&rect);
  if (!region) throw EOutOfResources("Cannot create a region");
  return region;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TcxRegion

TcxRegion::TcxRegion(HRGN handle) : handle_(handle) {}
TcxRegion::TcxRegion(const TRect& rect) : handle_(NewRectRegion(rect)) {}
TcxRegion::TcxRegion(int left, int top, int right, int bottom) : TcxRegion(TRect(left, top, right, bottom)) {}
TcxRegion::TcxRegion() : TcxRegion(TRect(0, 0, 0, 0)) {}

TcxRegion* TcxRegion::CreateRoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
  HRGN region = CreateRoundRectRgn(left + 1, top + 1, right, bottom, ellipseWidth, ellipseHeight);
  if (!region) throw EOutOfResources("Cannot create a region");
  return new TcxRegion(region);
}

TcxRegion* TcxRegion::CreateRoundRectFromRect(const TRect& r, int ellipseWidth, int ellipseHeight) {
  return CreateRoundRect(r.Left, r.Top, r.Right, r.Bottom, ellipseWidth, ellipseHeight);
}

void TcxRegion::DestroyHandle() {
  if (!handle_) return;
  DeleteObject(handle_);
  handle_ = nullptr;
}

void TcxRegion::Combine(TcxRegion* other, TcxRegionCombineMode mode, bool freeOther) {
  if (mode == roSet)
    CombineRgn(handle_, other->Handle(), nullptr, RGN_COPY);
  else
    CombineRgn(handle_, handle_, other->Handle(), CombineModes[mode]);
  if (freeOther) delete other;
}

void TcxRegion::Offset(int dx, int dy) { OffsetRgn(handle_, dx, dy); }

bool TcxRegion::IsEmpty() const {
  RECT box;
  return GetRgnBox(handle_, &box) == NULLREGION;
}

bool TcxRegion::IsEqual(const TcxRegion* region) const {
  if (!region) return false;
  return (IsEmpty() && region->IsEmpty()) || IsEqualHandle(region->Handle());
}

bool TcxRegion::IsEqualHandle(HRGN handle) const { return EqualRgn(handle_, handle) != FALSE; }

// ---------------------------------------------------------------------------------------------
// TcxCanvas: coordinates, pass-throughs and state stacks

TcxCanvas::TcxCanvas(TCanvas* canvas) : canvas_(canvas) {}

TcxCanvas::~TcxCanvas() {
  for (TcxRegion* region : savedRegions_) delete region;
}

TPoint TcxCanvas::GetViewportOrg() const {
  POINT p{};
  GetViewportOrgEx(GetHandle(), &p);
  return p;
}

TPoint TcxCanvas::GetWindowOrg() const {
  POINT p{};
  GetWindowOrgEx(GetHandle(), &p);
  return p;
}

void TcxCanvas::SetWindowOrg(const TPoint& point) { SetWindowOrgEx(GetHandle(), point.X, point.Y, nullptr); }

TPoint TcxCanvas::GetDeviceOffset() const { return GetViewportOrg() - GetWindowOrg(); }

void TcxCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
  canvas_->CopyRect(dest, source, sourceRect);
}

bool TcxCanvas::IsRectVisible(const TRect& rect) const {
  RECT r = rect;
  return RectVisible(GetHandle(), &r) != FALSE;
}

void TcxCanvas::ExcludeClipRect(const TRect& r) { ::ExcludeClipRect(GetHandle(), r.Left, r.Top, r.Right, r.Bottom); }

void TcxCanvas::IntersectClipRect(const TRect& r) {
  ::IntersectClipRect(GetHandle(), r.Left, r.Top, r.Right, r.Bottom);
}

void TcxCanvas::SaveDC() { savedDCs_.push_back(::SaveDC(GetHandle())); }

void TcxCanvas::RestoreDC() {
  if (savedDCs_.empty()) return;
  ::RestoreDC(GetHandle(), savedDCs_.back());
  savedDCs_.pop_back();
}

void TcxCanvas::SaveState() {
  SaveDC();
  TcxCanvasSavedState state{std::make_unique<TFont>(), std::make_unique<TBrush>(), std::make_unique<TPen>()};
  state.Font->Assign(GetFont());
  state.Brush->Assign(GetBrush());
  state.Pen->Assign(GetPen());
  savedStates_.push_back(std::move(state));
}

void TcxCanvas::RestoreState() {
  if (savedStates_.empty()) return;
  TcxCanvasSavedState& state = savedStates_.back();
  GetFont()->Assign(state.Font.get());
  GetBrush()->Assign(state.Brush.get());
  GetPen()->Assign(state.Pen.get());
  savedStates_.pop_back();
  RestoreDC();
}

void TcxCanvas::SaveClipRegion() { savedRegions_.push_back(GetClipRegion(true)); }

void TcxCanvas::RestoreClipRegion() {
  if (savedRegions_.empty()) return;
  TcxRegion* region = savedRegions_.back();
  savedRegions_.pop_back();
  SetClipRegion(region, roSet, true, true);
}

// ---------------------------------------------------------------------------------------------
// Clipping

TcxRegion* TcxCanvas::GetClipRegion(bool logical) const {
  auto* region = new TcxRegion();
  if (GetClipRgn(GetHandle(), region->Handle()) != 1)
    SetRectRgn(region->Handle(), 0, 0, NoClipExtent, NoClipExtent);
  if (logical) {
    TPoint offset = GetDeviceOffset();
    region->Offset(-offset.X, -offset.Y);
  }
  return region;
}

void TcxCanvas::SetClipRegion(TcxRegion* region, TcxRegionCombineMode mode, bool logical, bool freeRegion) {
  if (mode != roSet) {
    TcxRegion* clip = GetClipRegion(logical);
    clip->Combine(region, mode, freeRegion);
    SetClipRegion(clip, roSet, logical, true);
    return;
  }
  TPoint offset = logical ? GetDeviceOffset() : TPoint();
  region->Offset(offset.X, offset.Y);
  SelectClipRgn(GetHandle(), region->Handle());
  if (freeRegion)
    delete region;
  else
    region->Offset(-offset.X, -offset.Y);
}

// ---------------------------------------------------------------------------------------------
// Fills and frames

void TcxCanvas::SetBrushColor(TColor color) {
  if (GetBrush()->Color() != color) GetBrush()->SetColor(color);
}

void TcxCanvas::FillRectColor(const TRect& rect, TColor color) {
  if (color == clNone) return;
  if (color != clDefault) SetBrushColor(color);
  canvas_->FillRect(rect);
}

void TcxCanvas::FillRectTiled(const TRect& rect, TBitmap* bitmap, bool excludeFromClip) {
  if (RectIsEmpty(rect)) return;
  if (!bitmap || bitmap->Empty() || bitmap->Width() <= 0 || bitmap->Height() <= 0) {
    canvas_->FillRect(rect);
  } else {
    // Tiles lie on a grid anchored at the logical origin; a right or bottom edge on a grid line
    // starts no further tile.
    const int w = bitmap->Width(), h = bitmap->Height();
    auto first = [](int v, int size) { return v >= 0 ? v / size : -((-v + size - 1) / size); };
    const int col0 = first(rect.Left, w), col1 = first(rect.Right - 1, w);
    const int row0 = first(rect.Top, h), row1 = first(rect.Bottom - 1, h);
    for (int col = col0; col <= col1; ++col)
      for (int row = row0; row <= row1; ++row) {
        TRect tile = RectBounds(col * w, row * h, w, h), part;
        if (!RectIntersect(part, tile, rect)) continue;
        CopyRect(part, bitmap->Canvas(), RectOffset(part, -tile.Left, -tile.Top));
      }
  }
  if (excludeFromClip) SetClipRegion(new TcxRegion(rect), roSubtract, true, true);
}

void TcxCanvas::FrameRect(const TRect& r, TColor color, int width, TcxBorders sides, bool excludeFromClip) {
  // No colour draws nothing, as in every other fill (a brush of that value would paint white).
  if (RectIsEmpty(r) || color == clNone) return;
  if (color != clDefault) SetBrushColor(color);
  if (sides.Contains(bLeft))
    FillRectTiled(TRect(r.Left, r.Top, std::min<LONG>(r.Left + width, r.Right), r.Bottom), nullptr, excludeFromClip);
  if (sides.Contains(bRight))
    FillRectTiled(TRect(std::max<LONG>(r.Right - width, r.Left), r.Top, r.Right, r.Bottom), nullptr, excludeFromClip);
  if (sides.Contains(bTop))
    FillRectTiled(TRect(r.Left, r.Top, r.Right, std::min<LONG>(r.Top + width, r.Bottom)), nullptr, excludeFromClip);
  if (sides.Contains(bBottom))
    FillRectTiled(TRect(r.Left, std::max<LONG>(r.Bottom - width, r.Top), r.Right, r.Bottom), nullptr, excludeFromClip);
}

void TcxCanvas::FrameRectTwoColor(const TRect& r, TColor leftTopColor, TColor rightBottomColor, TcxBorders sides,
                                  int width) {
  struct Strip { TcxBorder side; bool leftTop; TRect rect; };
  const Strip strips[] = {
      {bLeft, true, TRect(r.Left, r.Top, r.Left + width, r.Bottom)},
      {bTop, true, TRect(r.Left, r.Top, r.Right, r.Top + width)},
      {bRight, false, TRect(r.Right - width, r.Top, r.Right, r.Bottom)},
      {bBottom, false, TRect(r.Left, r.Bottom - width, r.Right, r.Bottom)},
  };
  for (const Strip& strip : strips) {
    const TColor color = strip.leftTop ? leftTopColor : rightBottomColor;
    if (!sides.Contains(strip.side) || color == clNone) continue;
    SetBrushColor(color);
    FillRectTiled(strip.rect, nullptr, false);
  }
}

void TcxCanvas::Draw3DEdgeRing(const TRect& rect, bool sunken, bool outer, TcxBorders sides) {
  // [sunken][outer] -> left/top, right/bottom
  static constexpr TColor colors[2][2][2] = {
      {{clBtnHighlight, clBtnShadow}, {cl3DLight, cl3DDkShadow}},
      {{cl3DDkShadow, cl3DLight}, {clBtnShadow, clBtnHighlight}},
  };
  const TColor* pair = colors[sunken][outer];
  FrameRectTwoColor(rect, pair[0], pair[1], sides, 1);
}

void TcxCanvas::FillRectWithBorders(const TRect& rect, const TcxViewParams& viewParams, TcxBorders sides,
                                    TColor borderColor, int borderWidth, bool excludeFromClip) {
  FrameRect(rect, borderColor, borderWidth, sides, excludeFromClip);
  TRect inner = rect;
  if (sides.Contains(bLeft)) inner.Left += borderWidth;
  if (sides.Contains(bTop)) inner.Top += borderWidth;
  if (sides.Contains(bRight)) inner.Right -= borderWidth;
  if (sides.Contains(bBottom)) inner.Bottom -= borderWidth;
  if (viewParams.Color == clNone && !viewParams.Bitmap) return;
  if (viewParams.Color != clNone) SetBrushColor(viewParams.Color);
  FillRectTiled(inner, viewParams.Bitmap, excludeFromClip);
}

void TcxCanvas::InvertRect(const TRect& rect) {
  SetCopyMode(DSTINVERT);
  CopyRect(rect, canvas_, rect);
  SetCopyMode(SRCCOPY);
}

void TcxCanvas::DrawFocusRect(const TRect& rect) {
  // White brush and black text make the dotted pattern look the same on every background.
  SetBrushColor(clWhite);
  GetFont()->SetColor(clBlack);
  SelectFontAndHandle();
  canvas_->DrawFocusRect(rect);
}

void TcxCanvas::DrawWideFocusRect(const TRect& rect, int width) {
  TRect r = rect;
  for (int i = 0; i < width; ++i) {
    DrawFocusRect(r);
    r = RectInflate(r, -1, -1);
  }
}

void TcxCanvas::DrawListImage(TCustomImageList* imageList, int x, int y, int index, bool enabled) {
  if (!imageList || index < 0 || index >= imageList->Count()) return;
  SaveDC();
  imageList->Draw(canvas_, x, y, index, enabled);
  RestoreDC();
}

// ---------------------------------------------------------------------------------------------
// The screen canvas

TScreenCanvas::~TScreenCanvas() { FreeHandle(); }

void TScreenCanvas::CreateHandle() {
  HWND desktop = GetDesktopWindow();
  screenDC_ = GetDCEx(desktop, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  if (!screenDC_) throw EOutOfResources("Cannot get the screen's device context");
  SetHandle(screenDC_);
}

void TScreenCanvas::FreeHandle() {
  if (!screenDC_) return;
  HDC dc = screenDC_;
  screenDC_ = nullptr;
  SetHandle(nullptr);
  ReleaseDC(GetDesktopWindow(), dc);
}

TcxScreenCanvas::TcxScreenCanvas() : TcxCanvas(new TScreenCanvas) {}
TcxScreenCanvas::~TcxScreenCanvas() { delete Canvas(); }

namespace {
TcxScreenCanvas* ScreenCanvas = nullptr;

void FinalizeGraphics() {
  delete ScreenCanvas;
  ScreenCanvas = nullptr;
}
}  // namespace

TcxScreenCanvas* SharedScreenCanvas() {
  if (!ScreenCanvas) ScreenCanvas = new TcxScreenCanvas;
  return ScreenCanvas;
}

constinit const TUnitInfo cxGraphicsUnit{"cxGraphics", &RegisterImageListClasses, &FinalizeGraphics};
