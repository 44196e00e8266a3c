#include "dxRibbonGroupBarControl.h"

#include <algorithm>

#include "cxGraphics.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarToolbar.h"
#include "dxRibbon.h"
#include "dxRibbonBarPainter.h"

CALDERAN_IMPLEMENT_CLASS(TdxRibbonCustomBarControl, TdxBarControl)
CALDERAN_IMPLEMENT_CLASS(TdxRibbonGroupBarControlViewInfo, TCustomdxBarControlViewInfo)
CALDERAN_IMPLEMENT_CLASS(TdxRibbonGroupBarControl, TdxRibbonCustomBarControl)

namespace {

// Skin elements of a group window: its body with the caption strip, and the collapsed button.
constexpr int kGroupElement = 1, kCollapsedGroupElement = 1000, kSeparatorElement = 460;
// A ribbon bar window selects on focused clicks, keeps the selection while navigating and
// deactivates when focused, among others.
constexpr Word kRibbonBarBehaviourFlags = 972;

}  // namespace

// ---------------------------------------------------------------------------------------------
// The base of ribbon bar windows

TdxRibbonCustomBarControl::TdxRibbonCustomBarControl(TComponent* owner, TdxBarManager* manager)
    : TdxBarControl(owner, manager) {
  // Outside design time a ribbon bar window takes no double clicks.
  TControlStyle style = ControlStyle();
  if (!ComponentState().Contains(csDesigning)) style.Exclude(csDoubleClicks);
  SetControlStyle(style);
}

Word TdxRibbonCustomBarControl::GetBehaviourFlags() const { return kRibbonBarBehaviourFlags; }

TdxBarPainterClass TdxRibbonCustomBarControl::GetPainter() const {
  TdxCustomRibbon* ribbon = GetRibbon();
  if (ribbon && ribbon->BarPainter()) return ribbon->BarPainter();
  return TdxBarControl::GetPainter();
}

TFont* TdxRibbonCustomBarControl::ItemsFont() const {
  TdxCustomRibbon* ribbon = GetRibbon();
  return ribbon ? ribbon->Fonts()->GetGroupFont() : TdxBarControl::ItemsFont();
}

bool TdxRibbonCustomBarControl::IsPointInCaptionArea(const TPoint& screenPoint) {
  if (!HandleAllocated()) return false;
  RECT window;
  GetWindowRect(const_cast<TdxRibbonCustomBarControl*>(this)->Handle(), &window);
  TRect area(window);
  area.Top = area.Bottom - Height() + ClientRect().Bottom;
  return area.Contains(screenPoint);
}

void TdxRibbonCustomBarControl::Dispatch(TMessage& message) {
  if (message.Msg == WM_NCHITTEST) {
    WMNCHitTest(message);
    return;
  }
  TdxBarControl::Dispatch(message);
}

// A ribbon bar window is never dragged: every point of it is client area.
void TdxRibbonCustomBarControl::WMNCHitTest(TMessage& message) {
  TdxBarControl::Dispatch(message);
  if (message.Result == HTCAPTION || message.Result == HTNOWHERE) message.Result = HTCLIENT;
}

// ---------------------------------------------------------------------------------------------
// What the calculator sees of an item control: its view info, its link's placement, and the
// button-group position the calculator resolves.

class TdxRibbonGroupBarControlViewInfo::TItemLayout : public IdxBarItemControlViewInfo {
 public:
  explicit TItemLayout(TdxBarItemControl* control) : control_(control) {}
  TdxBarItemControl* Control() const { return control_; }

  void LayoutFinalized() override {}
  TdxBarItemAlign GetAlign() override { return control_->GetRealAlign(); }
  TdxBarItemViewLevels GetAllowedViewLevels() override { return ViewInfo()->AllowedViewLevels(); }
  TRect GetBounds() override { return ViewInfo()->Bounds(); }
  int GetColumnRowCount() override { return ViewInfo()->ColumnRowCount(); }
  TdxBarItemPosition GetPosition() override { return control_->Link()->Position(); }
  TdxBarButtonGroupPosition GetButtonGroupPosition() override {
    return control_->SupportsButtonGroup() ? control_->Link()->ButtonGroup() : bgpNone;
  }
  int GetRealPositionInButtonGroup() override { return ViewInfo()->PositionInButtonGroup(); }
  int GetRow() override { return ViewInfo()->Row(); }
  TdxBarItemViewLevel GetViewLevel() override { return ViewInfo()->ViewLevel(); }
  TdxBarItemViewLevel GetViewLevelForButtonGroup() override { return ViewInfo()->LevelForButtonGroup(); }
  int GetWidth(TdxBarItemViewLevel level) override { return ViewInfo()->GetWidth(level); }
  bool GetBeginGroup() override { return control_->Link()->GetBeginGroup(); }
  IdxBarMultiColumnItemViewInfo* GetMultiColumnItemViewInfo(bool) override { return nullptr; }
  void SetBounds(const TRect& value) override { ViewInfo()->SetBounds(value); }
  void SetColumnRowCount(int value) override { ViewInfo()->SetColumnRowCount(value); }
  void SetRealPositionInButtonGroup(int value) override { ViewInfo()->SetPositionInButtonGroup(value); }
  void SetRow(int value) override { ViewInfo()->SetRow(value); }
  void SetViewLevel(TdxBarItemViewLevel value) override { ViewInfo()->SetViewLevel(value); }

 private:
  TdxBarItemControlViewInfo* ViewInfo() const { return control_->ViewInfo(); }

  TdxBarItemControl* control_;
};

// The group as the layout calculator sees it.
class TdxRibbonGroupBarControlViewInfo::THelper : public IdxRibbonGroupViewInfo {
 public:
  explicit THelper(TdxRibbonGroupBarControlViewInfo* owner) : owner_(owner) {}

  void AddSeparator(const TRect& bounds, bool horizontal) override { owner_->AddSeparatorInfo(bounds, horizontal, nullptr); }
  void DeleteSeparators() override { owner_->ClearSeparatorsInfo(); }
  TSize GetContentSize() override { return owner_->ContentSize(); }
  int GetItemControlCount() override { return static_cast<int>(owner_->itemLayouts_.size()); }
  IdxBarItemControlViewInfo* GetItemControlViewInfo(int index) override { return owner_->itemLayouts_[index].get(); }
  int GetMinWidth() override {
    TdxCustomRibbon* ribbon = owner_->GroupBarControl()->GetRibbon();
    if (!ribbon) return 0;
    TcxScreenCanvas* canvas = SharedScreenCanvas();
    canvas->SetFont(ribbon->Fonts()->GetGroupHeaderFont());
    return canvas->TextWidth(owner_->GroupBarControl()->Caption());
  }
  TdxRibbonGroupSpacing GetSpacing() override {
    TdxRibbonGroupSpacing spacing;
    if (TdxCustomRibbon* ribbon = owner_->GroupBarControl()->GetRibbon())
      spacing.Gap = ribbon->GetElementMetric(kSeparatorElement);
    return spacing;
  }
  int GetSeparatorCount() override { return owner_->GetSeparatorCount(); }
  TRect GetSeparatorBounds(int index) override { return owner_->GetSeparatorInfo(index).Rect; }
  void SetContentSize(const TSize& value) override { owner_->SetContentSize(value); }
  void SetSeparatorBounds(int index, const TRect& value) override {
    owner_->SetSeparatorInfo(index, value, owner_->GetSeparatorInfo(index).Horizontal);
  }

 private:
  TdxRibbonGroupBarControlViewInfo* owner_;
};

// ---------------------------------------------------------------------------------------------
// The group's layout

TdxRibbonGroupBarControlViewInfo::TdxRibbonGroupBarControlViewInfo(TdxRibbonGroupBarControl* barControl)
    : TCustomdxBarControlViewInfo(barControl), helper_(std::make_unique<THelper>(this)) {}

TdxRibbonGroupBarControlViewInfo::~TdxRibbonGroupBarControlViewInfo() = default;

TdxRibbonGroupBarControl* TdxRibbonGroupBarControlViewInfo::GroupBarControl() const {
  return static_cast<TdxRibbonGroupBarControl*>(BarControl());
}

IdxRibbonGroupViewInfo* TdxRibbonGroupBarControlViewInfo::LayoutHost() { return helper_.get(); }

bool TdxRibbonGroupBarControlViewInfo::CanCollapse() {
  TdxRibbonTabGroup* group = GroupBarControl()->Group();
  return group && group->CanCollapse();
}

TSize TdxRibbonGroupBarControlViewInfo::GetSize() {
  return TSize(contentSize_.cx + nonContentSize_.cx, contentSize_.cy + nonContentSize_.cy);
}

// The items the window shows, back at their full layout, and a calculator for this pass.
void TdxRibbonGroupBarControlViewInfo::BeginLayout() {
  Clear();
  itemLayouts_.clear();
  collapsed_ = false;
  TdxRibbonGroupBarControl* bar = GroupBarControl();
  if (TdxBarItemLinks* links = bar->ItemLinks()) {
    for (int i = 0; i < links->GetVisibleCount(); ++i) {
      TdxBarItemControl* control = links->GetVisibleLink(i)->Control();
      if (!control) continue;
      control->Initialize();
      AddItemControlViewInfo(control->ViewInfo());
      itemLayouts_.push_back(std::make_unique<TItemLayout>(control));
    }
  }
  layoutCalculator_.reset(CreateLayoutCalculator());
  layoutCalculator_->PrepareItems(helper_.get());
}

IdxRibbonGroupLayoutCalculator* TdxRibbonGroupBarControlViewInfo::CreateLayoutCalculator() {
  TdxCustomRibbon* ribbon = GroupBarControl()->GetRibbon();
  groupRowHeight_ = ribbon ? ribbon->GetGroupRowHeight() : 22;
  return new TdxRibbonGroupLayoutCalculator(groupRowHeight_, 3);
}

TSize TdxRibbonGroupBarControlViewInfo::GetNonContentSize() {
  TdxCustomRibbon* ribbon = GroupBarControl()->GetRibbon();
  if (collapsed_ || !ribbon) return TSize();
  TRect offsets = ribbon->GetElementContentOffsets(kGroupElement);
  return TSize(offsets.Left + offsets.Right, offsets.Top + offsets.Bottom);
}

void TdxRibbonGroupBarControlViewInfo::Recalculate() {
  if (!layoutCalculator_) {
    // Outside a pass of the dock: a pass of its own.
    BeginLayout();
    struct TEnd {
      TdxRibbonGroupBarControlViewInfo* Self;
      ~TEnd() { Self->EndLayout(); }
    } end{this};
    Recalculate();
    return;
  }
  nonContentSize_ = GetNonContentSize();
  if (!collapsed_) {
    layoutCalculator_->ArrangeItems(helper_.get());
    return;
  }
  TdxRibbonGroupBarControl* bar = GroupBarControl();
  TdxCustomRibbon* ribbon = bar->GetRibbon();
  const int width = ribbon && ribbon->BarPainter() ? ribbon->BarPainter()->GetCollapsedGroupWidth(bar) : 0;
  contentSize_ = TSize(width, ribbon ? ribbon->GetGroupHeight() : 3 * groupRowHeight_);
  ClearSeparatorsInfo();
  for (auto& item : itemLayouts_) item->SetBounds(TRect());
}

void TdxRibbonGroupBarControlViewInfo::EndLayout() {
  keyTipBaselines_.Calculated = false;
  layoutCalculator_.reset();
  ApplyItemRects();
}

// The calculator places items in content coordinates; once it is done, the links and the item
// view infos (where the window paints and hit-tests its items) get client rectangles.
void TdxRibbonGroupBarControlViewInfo::ApplyItemRects() {
  TdxRibbonGroupBarControl* bar = GroupBarControl();
  TPoint origin = bar->ContentRect().TopLeft();
  bool changed = false;
  for (auto& item : itemLayouts_) {
    TRect rect = collapsed_ ? TRect() : item->GetBounds();
    if (!collapsed_) rect.Offset(origin.X, origin.Y);
    item->SetBounds(rect);
    TdxBarItemLink* link = item->Control()->Link();
    if (link->ItemRect() == rect) continue;
    link->SetItemRect(rect);
    item->Control()->CalcParts();
    changed = true;
  }
  if (changed && bar->HandleAllocated()) InvalidateRect(bar->Handle(), nullptr, FALSE);
}

void TdxRibbonGroupBarControlViewInfo::CalculateKeyTipBaselines() {
  TdxRibbonGroupBarControl* bar = GroupBarControl();
  if (!bar->HandleAllocated() || !IsWindowVisible(bar->Handle())) throw Exception("");
  TRect client = bar->ClientRect();
  keyTipBaselines_.Rows[0] = (client.Top + client.Bottom) / 2;
  keyTipBaselines_.Rows[2] = bar->CaptionRect().Top;
  keyTipBaselines_.Rows[1] = (keyTipBaselines_.Rows[0] + keyTipBaselines_.Rows[2]) / 2;
  TdxCustomRibbon* ribbon = bar->GetRibbon();
  int bottomOffset = ribbon ? ribbon->GetElementContentOffsets(kCollapsedGroupElement).Bottom : 0;
  keyTipBaselines_.Bottom = bar->Height() - bottomOffset;
  keyTipBaselines_.Calculated = true;
}

int TdxRibbonGroupBarControlViewInfo::GetKeyTipRowBaseline(int row) {
  if (row < 0 || row > 2) throw Exception("");
  if (!keyTipBaselines_.Calculated) CalculateKeyTipBaselines();
  RECT window;
  GetWindowRect(GroupBarControl()->Handle(), &window);
  return window.top + keyTipBaselines_.Rows[row];
}

int TdxRibbonGroupBarControlViewInfo::GetKeyTipBottomBaseline() {
  if (!keyTipBaselines_.Calculated) CalculateKeyTipBaselines();
  RECT window;
  GetWindowRect(GroupBarControl()->Handle(), &window);
  return window.top + keyTipBaselines_.Bottom;
}

// ---------------------------------------------------------------------------------------------
// The group window

TdxRibbonGroupBarControl::TdxRibbonGroupBarControl(TdxRibbonGroupsDockControl* dockControl, TdxBar* toolbar)
    : TdxRibbonCustomBarControl(nullptr, toolbar->BarManager()), dockControl_(dockControl), toolbar_(toolbar) {
  if (TdxRibbonTab* tab = dockControl->Tab()) {
    ribbon_ = tab->Ribbon();
    for (int i = 0; i < tab->Groups()->Count(); ++i)
      if (tab->Groups()->Items(i)->ToolBar() == toolbar) group_ = tab->Groups()->Items(i);
  }
  SetViewInfo(new TdxRibbonGroupBarControlViewInfo(this));
  fadings_ = std::make_unique<TdxRibbonItemFadings>(this);
  TdxBarItemLinks* links = toolbar->ItemLinks();
  links->SetBarControl(this);
  SetItemLinks(links);
  toolbar->SetControl(this);
}

TdxRibbonGroupBarControl::~TdxRibbonGroupBarControl() {
  fadings_.reset();
  if (toolbar_ && toolbar_->Control() == this) toolbar_->SetControl(nullptr);
  if (dockControl_) dockControl_->GroupBarControlDestroyed(this);
}

TdxFader* TdxRibbonGroupBarControl::GetFader() const { return ribbon_ ? ribbon_->Fader() : nullptr; }

// The hot button changes look through a fade: the window's pictures before and after the change
// hold both looks of both buttons.
void TdxRibbonGroupBarControl::DoSetSelectedItemControl(TdxBarItemControl* control) {
  TdxBarItemControl* old = SelectedControl();
  TdxFader* fader = GetFader();
  const bool fades = fader && HandleAllocated() && IsWindowVisible(Handle()) && !Collapsed() &&
                     (TdxRibbonItemFadings::Fades(old) || TdxRibbonItemFadings::Fades(control));
  std::unique_ptr<TBitmap> before = fades ? PaintClientToBitmap(this) : nullptr;
  TcxObjectLinkGuard alive(this);
  TdxRibbonCustomBarControl::DoSetSelectedItemControl(control);
  if (!before || !alive.Alive() || SelectedControl() != control) return;
  std::unique_ptr<TBitmap> after = PaintClientToBitmap(this);
  fadings_->HotChanged(fader, old, control, before.get(), after.get());
}

void TdxRibbonGroupBarControl::DestroyItemControls() {
  if (fadings_) fadings_->Clear();
  TdxRibbonCustomBarControl::DestroyItemControls();
}

TdxRibbonGroupBarControlViewInfo* TdxRibbonGroupBarControl::GroupViewInfo() const {
  return static_cast<TdxRibbonGroupBarControlViewInfo*>(ViewInfo());
}

bool TdxRibbonGroupBarControl::Collapsed() const { return GroupViewInfo()->GetCollapsed(); }

std::string TdxRibbonGroupBarControl::Caption() const { return toolbar_ ? toolbar_->Caption() : std::string(); }

TRect TdxRibbonGroupBarControl::ContentRect() {
  TRect client = ClientRect();
  if (!ribbon_ || Collapsed()) return client;
  TRect offsets = ribbon_->GetElementContentOffsets(kGroupElement);
  return TRect(client.Left + offsets.Left, client.Top + offsets.Top, client.Right - offsets.Right,
               client.Bottom - offsets.Bottom);
}

TRect TdxRibbonGroupBarControl::CaptionRect() {
  return ribbon_ ? ribbon_->GetElementCaptionRect(ClientRect(), kGroupElement) : TRect();
}

bool TdxRibbonGroupBarControl::IsPointInCaptionArea(const TPoint& screenPoint) {
  if (Collapsed() && HandleAllocated()) {
    RECT window;
    GetWindowRect(Handle(), &window);
    if (TRect(window).Contains(screenPoint)) return true;
  }
  return TdxRibbonCustomBarControl::IsPointInCaptionArea(screenPoint);
}

// Docked, the group is laid out with its neighbours.
void TdxRibbonGroupBarControl::UpdateLayout() {
  if (dockControl_ && dockControl_->Tab()) {
    dockControl_->LayoutChanged();
    return;
  }
  GroupViewInfo()->Recalculate();
}

void TdxRibbonGroupBarControl::FillBackground(HDC dc, const TRect& rect, HBRUSH brush, TColor color, bool wholeArea) {
  if (!ribbon_) TdxRibbonCustomBarControl::FillBackground(dc, rect, brush, color, wholeArea);
}

void TdxRibbonGroupBarControl::WMNCHitTest(TMessage& message) {
  if (Collapsed()) {
    message.Result = HTCLIENT;
    return;
  }
  TdxRibbonCustomBarControl::WMNCHitTest(message);
}

void TdxRibbonGroupBarControl::Paint() {
  if (ComponentState().Contains(csDestroying)) return;
  TcxCanvas* canvas = GetCanvas();
  HDC dc = canvas->GetHandle();
  if (!ribbon_) {
    TdxRibbonCustomBarControl::Paint();
    return;
  }
  if (Collapsed()) {
    GetPainter()->DrawToolbarBackground(this, dc);
    return;
  }
  ribbon_->DrawElement(dc, ClientRect(), kGroupElement, 0);
  ribbon_->DrawElementCaption(dc, Caption(), kGroupElement, CaptionRect());
  for (int i = 0; i < ViewInfo()->GetItemControlViewInfoCount(); ++i)
    PaintItemControl(ViewInfo()->GetItemControlViewInfo(i)->Control());
}
