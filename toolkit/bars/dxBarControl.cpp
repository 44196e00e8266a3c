#include "dxBarControl.h"

#include <algorithm>
#include <utility>

#include "dxBarAccessibility.h"
#include "dxBarDrawRoutines.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarItemRegistry.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"

CALDERAN_IMPLEMENT_CLASS(TCustomdxBarControlViewInfo, TObject)
CALDERAN_IMPLEMENT_CLASS(TCustomdxBarControl, TCustomControl)

namespace {
// Sets a re-entrancy bit of the window for the guard's life.
class TStateBitGuard {
 public:
  TStateBitGuard(uint8_t& state, uint8_t bit) : state_(state), bit_(bit) { state_ |= bit_; }
  ~TStateBitGuard() { state_ &= ~bit_; }
  TStateBitGuard(const TStateBitGuard&) = delete;
  TStateBitGuard& operator=(const TStateBitGuard&) = delete;

 private:
  uint8_t& state_;
  uint8_t bit_;
};
}  // namespace

// ---------------------------------------------------------------------------------------------
// The view info.

void TCustomdxBarControlViewInfo::Clear() {
  items_.clear();
  separators_.clear();
}

void TCustomdxBarControlViewInfo::AddItemControlViewInfo(TdxBarItemControlViewInfo* viewInfo) {
  items_.push_back(viewInfo);
}

void TCustomdxBarControlViewInfo::RemoveItemControlViewInfo(TdxBarItemControlViewInfo* viewInfo) {
  items_.erase(std::remove(items_.begin(), items_.end(), viewInfo), items_.end());
}

int TCustomdxBarControlViewInfo::IndexOfItemControl(const TdxBarItemControl* control) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i]->Control() == control) return static_cast<int>(i);
  return -1;
}

void TCustomdxBarControlViewInfo::AddSeparatorInfo(const TRect& rect, bool horizontal, TdxBarItemControl* control) {
  separators_.push_back({control, rect, horizontal});
}

void TCustomdxBarControlViewInfo::SetSeparatorInfo(int index, const TRect& rect, bool horizontal) {
  separators_[index].Rect = rect;
  separators_[index].Horizontal = horizontal;
}

bool TCustomdxBarControlViewInfo::FindSeparatorOf(const TdxBarItemControl* control, int& index) const {
  for (size_t i = 0; i < separators_.size(); ++i) {
    if (separators_[i].Control == control) {
      index = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// Construction.

TCustomdxBarControl::TCustomdxBarControl(TComponent* owner, TdxBarManager* manager)
    : TCustomControl(owner), manager_(manager), viewInfo_(new TCustomdxBarControlViewInfo(this)) {
  AddLiveBarControl(this);
  TControlStyle style = ControlStyle();
  style.Exclude(csCaptureMouse);
  const bool doubleClicks = manager && (manager->GetEffectiveStyle() != bmsStandard || manager->IsCustomizing());
  if (doubleClicks) style.Include(csDoubleClicks);
  else style.Exclude(csDoubleClicks);
  SetControlStyle(style);
  SetColor(clBtnFace);
}

TCustomdxBarControl::~TCustomdxBarControl() {
  Destroying();
  ReleaseAccessibilityHelper(this);
  if (childBar_) {
    TCustomdxBarControl* child = childBar_;
    childBar_ = nullptr;
    child->parentBar_ = nullptr;
  }
  if (parentBar_ && parentBar_->childBar_ == this) parentBar_->childBar_ = nullptr;
  SetActive(false);
  if (manager_) {
    TdxBarItemControl* selected = manager_->SelectedItemControl();
    if (selected && selected->Parent() == this) manager_->SetSelectedItemControl(nullptr);
    if (manager_->FocusedBarControl() == this) manager_->SetFocusedBarControl(nullptr);
  }
  DestroyItemControlsLocked();
  if (itemLinks_ && itemLinks_->BarControl() == this) itemLinks_->SetBarControl(nullptr);
  RemoveLiveBarControl(this);
  ClearObjectLinks(this);
  delete viewInfo_;
  delete barCanvas_;
}

TdxBarPainterClass TCustomdxBarControl::GetPainter() const {
  if (painter_) return painter_;
  if (parentBar_) return parentBar_->GetPainter();
  return manager_ && manager_->Painter() ? manager_->Painter() : TdxBarPainter::Instance();
}

Word TCustomdxBarControl::GetBehaviourFlags() const {
  return parentBar_ ? parentBar_->GetBehaviourFlags() : 0x13;
}

bool TCustomdxBarControl::IsCustomizing() const { return manager_ && manager_->IsCustomizing(); }

void TCustomdxBarControl::SetParentBar(TCustomdxBarControl* value) {
  if (parentBar_ == value) return;
  parentBar_ = value;
  if (value && value->childBar_ != this) value->SetChildBar(this);
}

void TCustomdxBarControl::SetChildBar(TCustomdxBarControl* value) {
  if (childBar_ == value) return;
  childBar_ = value;
  if (value && value->parentBar_ != this) value->SetParentBar(this);
}

// ---------------------------------------------------------------------------------------------
// Sizes, fonts and canvas.

TFont* TCustomdxBarControl::ItemsFont() const { return manager_->Font(); }

int TCustomdxBarControl::TextSize() const {
  if (textSize_ > 0) return textSize_;
  TBitmap scratch;
  scratch.SetSize(1, 1);
  TcxCanvas canvas(scratch.Canvas());
  canvas.SetFont(ItemsFont());
  return GetPainter()->GetTextLineHeight(&canvas);
}

// The ratio scales item sizes to the font: never below 1; the menu arrow never below 4 pixels.
void TCustomdxBarControl::CalcSizes() {
  textSize_ = 0;
  textSize_ = TextSize();
  ratio_ = std::max(static_cast<double>(textSize_) / GetPainter()->GetBaseTextSize(), 1.0);
  menuArrowHeight_ = std::max(textSize_ / 5, 4);
  iconAreaSize_ = GetPainter()->GetIconAreaSize(this);
}

HBRUSH TCustomdxBarControl::BkBrush() const {
  return GetPainter()->GetToolbarBrush(const_cast<TCustomdxBarControl*>(this));
}

TcxCanvas* TCustomdxBarControl::GetCanvas() {
  if (!barCanvas_) barCanvas_ = new TcxCanvas(Canvas());
  return barCanvas_;
}

void TCustomdxBarControl::FillBackground(HDC dc, const TRect& rect, HBRUSH brush, TColor color, bool wholeArea) {
  TBitmap* picture = manager_ ? manager_->Backgrounds()->Bar() : nullptr;
  const TRect origin = wholeArea ? ClientRect() : rect;
  FillRectOrTile(dc, rect, origin, picture, color, brush);
}

// ---------------------------------------------------------------------------------------------
// Item controls.

void TCustomdxBarControl::CreateWnd() {
  TCustomControl::CreateWnd();
  Canvas()->SetFont(ItemsFont());
  CalcSizes();
}

void TCustomdxBarControl::CreateWindowHandle(const TCreateParams& params) {
  TCustomControl::CreateWindowHandle(params);
  CreateItemControlsLocked();
}

void TCustomdxBarControl::DestroyWindowHandle() {
  MouseLeft();
  ForEachShownControl([](TdxBarItemControl* control) { control->BarHandleDestroyed(); });
  DestroyItemControlsLocked();
  TCustomControl::DestroyWindowHandle();
}

void TCustomdxBarControl::ForEachShownControl(void (*step)(TdxBarItemControl* control)) {
  if (!itemLinks_) return;
  for (int i = 0; i < itemLinks_->GetCanVisibleCount(); ++i)
    if (TdxBarItemControl* control = itemLinks_->GetCanVisibleLink(i)->Control()) step(control);
}

void TCustomdxBarControl::CreateItemControls() {
  if (!itemLinks_) return;
  for (int i = 0; i < itemLinks_->GetCanVisibleCount(); ++i) itemLinks_->GetCanVisibleLink(i)->CreateControl();
  UpdateLayout();
}

void TCustomdxBarControl::DestroyItemControls() {
  viewInfo_->Clear();
  if (!itemLinks_) return;
  for (int i = 0; i < itemLinks_->Count(); ++i) itemLinks_->GetLink(i)->DestroyControl();
}

void TCustomdxBarControl::CreateItemControlsLocked() {
  if (HasState(bcsCreatingItemControls | bcsDestroyingItemControls)) return;
  TStateBitGuard guard(state_, bcsCreatingItemControls);
  CreateItemControls();
}

void TCustomdxBarControl::DestroyItemControlsLocked() {
  if (HasState(bcsCreatingItemControls | bcsDestroyingItemControls)) return;
  TStateBitGuard guard(state_, bcsDestroyingItemControls);
  DestroyItemControls();
}

bool TCustomdxBarControl::ShowsItemControl(const TdxBarItemControl* control) const {
  if (!control || !itemLinks_) return false;
  for (int i = 0; i < itemLinks_->Count(); ++i)
    if (itemLinks_->GetLink(i)->Control() == control) return true;
  return false;
}

void TCustomdxBarControl::Rebuild(bool recreate) {
  if (ComponentState().Contains(csDestroying) || !HandleAllocated()) return;
  if (HasState(bcsCreatingItemControls | bcsDestroyingItemControls | bcsRebuilding)) return;
  if (manager_ && manager_->IsUpdateLocked()) return;
  TStateBitGuard guard(state_, bcsRebuilding);
  ItemLinksChanged(recreate);
}

// The controls are made again; the window under the cursor recomputes its hot tracking.
void TCustomdxBarControl::ItemLinksChanged(bool recreate) {
  if (recreate) {
    TdxBarItemLink* selected = selectedLink_;
    DestroyItemControlsLocked();
    CreateItemControlsLocked();
    selectedLink_ = selected && selected->Control() ? selected : nullptr;
  } else {
    UpdateLayout();
  }
  Invalidate();
  POINT cursor;
  GetCursorPos(&cursor);
  if (HWND under = WindowFromPoint(cursor)) {
    if (auto* bar = ObjectAs<TCustomdxBarControl>(FindControl(under))) {
      bar->lastMousePos_ = TPoint(-1, -1);
      ::ScreenToClient(under, &cursor);
      PostMessageA(under, WM_MOUSEMOVE, 0, MAKELPARAM(cursor.x, cursor.y));
    }
  }
}

void TCustomdxBarControl::LinkRemoved(TdxBarItemLink* link) {
  if (selectedLink_ == link) selectedLink_ = nullptr;
  if (trackedLink_ == link) trackedLink_ = nullptr;
}

void TCustomdxBarControl::SetViewInfo(TCustomdxBarControlViewInfo* value) {
  delete std::exchange(viewInfo_, value);
}

// ---------------------------------------------------------------------------------------------
// Layout.

int TCustomdxBarControl::GetSeparatorSizeBefore(TdxBarItemLink* link) const {
  return link->GetBeginGroup() && link->GetVisibleIndex() > 0 ? GetSeparatorSize() : 0;
}

// The view info lists the shown controls in layout order; a menu stacks them from the top.
void TCustomdxBarControl::UpdateLayout() {
  viewInfo_->Clear();
  if (!itemLinks_) return;
  for (int i = 0; i < itemLinks_->Count(); ++i) itemLinks_->GetLink(i)->SetItemRect(TRect());
  for (int i = 0; i < itemLinks_->GetVisibleCount(); ++i) {
    if (TdxBarItemControl* control = itemLinks_->GetVisibleLink(i)->Control()) {
      control->Initialize();
      viewInfo_->AddItemControlViewInfo(control->ViewInfo());
    }
  }
  if (PaintType() == ptMenu) {
    int bottom = 0;
    CalcItemRects(0, bottom);
  } else {
    ItemRectsCalculated();
  }
  for (int i = 0; i < viewInfo_->GetItemControlViewInfoCount(); ++i)
    viewInfo_->GetItemControlViewInfo(i)->Control()->CalcParts();
}

void TCustomdxBarControl::CalcItemRects(int first, int& bottom) {
  const TRect area = ClientRect();
  int top = area.Top;
  bottom = top;
  for (int i = first; i < itemLinks_->GetVisibleCount(); ++i) {
    TdxBarItemLink* link = itemLinks_->GetVisibleLink(i);
    TdxBarItemControl* control = link->Control();
    if (!control) continue;
    top += GetSeparatorSizeBefore(link);
    const TRect rect(area.Left, top, area.Right, top + control->CalcHeight());
    if (rect.Bottom > area.Bottom) break;
    link->SetItemRect(rect);
    control->ViewInfo()->SetBounds(rect);
    top = bottom = rect.Bottom;
  }
}

// ---------------------------------------------------------------------------------------------
// Painting.

void TCustomdxBarControl::Paint() {
  if (ComponentState().Contains(csDestroying)) return;
  // The background goes first: painters that draw a button's face only when it is hot or
  // pressed leave the rest of the item to it.
  TcxCanvas* canvas = GetCanvas();
  // A painter that draws the whole toolbar (a skin's) draws its background too.
  if (GetPainter()->PaintsToolbarNonClient()) GetPainter()->DrawToolbarBackground(this, canvas->GetHandle());
  else DrawBackground(canvas->GetHandle(), ClientRect());
  canvas->SaveClipRegion();
  PaintItemControls();
  canvas->RestoreClipRegion();
}

void TCustomdxBarControl::DrawBackground(HDC dc, const TRect& rect) {
  FillBackground(dc, rect, BkBrush(), clNone, true);
}

bool TCustomdxBarControl::NeedPaintItem(TdxBarItemControlViewInfo* viewInfo) const {
  if (ComponentState().Contains(csDestroying) || HasState(bcsPaintingItemControl)) return false;
  if (!viewInfo || !viewInfo->Control() || !viewInfo->Control()->Link()) return false;
  if (manager_ && manager_->IsUpdateLocked()) return false;
  return viewInfo_->HasItemControl(viewInfo->Control());
}

// Each painted item is excluded from the clip, so the background painted afterwards leaves it.
void TCustomdxBarControl::PaintItemControls() {
  TcxCanvas* canvas = GetCanvas();
  for (int i = 0; i < viewInfo_->GetItemControlViewInfoCount(); ++i) {
    TdxBarItemControlViewInfo* info = viewInfo_->GetItemControlViewInfo(i);
    if (!NeedPaintItem(info)) continue;
    PaintItemControl(info->Control());
    const TRect& r = info->Bounds();
    ExcludeClipRect(canvas->GetHandle(), r.Left, r.Top, r.Right, r.Bottom);
  }
}

void TCustomdxBarControl::PaintItemControl(TdxBarItemControl* control) {
  TStateBitGuard guard(state_, bcsPaintingItemControl);
  currentBkBrush_ = BkBrush();
  struct TClearBrush {
    HBRUSH& Brush;
    ~TClearBrush() { Brush = nullptr; }
  } clearBrush{currentBkBrush_};
  TcxCanvas* canvas = GetCanvas();
  const TRect bounds = control->ViewInfo()->Bounds();
  canvas->SaveClipRegion();
  IntersectClipRect(canvas->GetHandle(), bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);
  try {
    control->PaintInCanvas(canvas, bounds, PaintType());
  } catch (...) {
    canvas->RestoreClipRegion();
    throw;
  }
  canvas->RestoreClipRegion();
}

void TCustomdxBarControl::RepaintItemControl(TdxBarItemControl* control) {
  if (!control || !HandleAllocated()) return;
  const TRect r = control->ViewInfo()->Bounds();
  InvalidateRect(WindowHandle(), r.Win(), FALSE);
}

void TCustomdxBarControl::WMNCPaint(TMessage& m) {
  TCustomControl::Dispatch(m);
  if (!NeedsNCPaint()) return;
  HDC dc = GetWindowDC(WindowHandle());
  if (!dc) return;
  struct TRelease {
    HWND Window;
    HDC Dc;
    ~TRelease() { ReleaseDC(Window, Dc); }
  } release{WindowHandle(), dc};
  DrawNonClient(dc);
}
