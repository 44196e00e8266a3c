// The ribbon's geometry: the whole ribbon, its tab row and each tab header, with hit tests and the
// painting order.
#include "dxRibbon.h"

#include <algorithm>

#include "dxBarManager.h"
#include "dxRibbonApplicationMenu.h"
#include "dxRibbonController.h"

CALDERAN_IMPLEMENT_CLASS(TdxRibbonTabViewInfo, TObject)
CALDERAN_IMPLEMENT_CLASS(TdxRibbonTabsViewInfo, TObject)
CALDERAN_IMPLEMENT_CLASS(TdxRibbonViewInfo, TObject)

namespace {

// How much a tab may lose evenly before the widest tabs give more: its optimal width less 17 is
// its text + 10.
constexpr int evenShrinkPerTab = 17;

int ScaleToScreen(int value) {
  HDC dc = GetDC(nullptr);
  const int ppi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return MulDiv(value, ppi, 96);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Tab header

TdxRibbonTabViewInfo::TdxRibbonTabViewInfo(TdxRibbonTab* tab, TdxRibbonTabsViewInfo* owner)
    : painter_(std::make_unique<TdxRibbonTabPainter>(owner->Owner()->Ribbon()->Skin())), tab_(tab), owner_(owner) {}

void TdxRibbonTabViewInfo::CalculateWidths() {
  TcxScreenCanvas* canvas = SharedScreenCanvas();
  canvas->SetFont(owner_->Owner()->Ribbon()->Fonts()->TabHeader());
  const std::string& caption = tab_->Caption();
  textWidth_ = canvas->TextWidth(caption);
  optimalWidth_ = textWidth_ + 27;
  minimalWidth_ = std::max(canvas->TextWidth(caption.substr(0, 3)) + 10, 27);
}

void TdxRibbonTabViewInfo::Calculate(const TRect& bounds, Byte separatorAlpha) {
  bounds_ = bounds;
  separatorAlpha_ = separatorAlpha;
  separatorBounds_ = hasSeparator_ && separatorAlpha > 0
                         ? TRect(bounds.Right - 1, bounds.Top, bounds.Right, bounds.Bottom - 1)
                         : TRect();
  textBounds_ = TRect(bounds.Left + 5, bounds.Top + 4, bounds.Right - 5, bounds.Bottom - 4);
}

int TdxRibbonTabViewInfo::GetState() const {
  TdxCustomRibbon* ribbon = tab_->Ribbon();
  if (!ribbon) return rtsNormal;
  const bool hot = tab_->IsHot();
  const bool active = tab_->Active();
  if (!hot && !active) return rtsNormal;
  if (!ribbon->AreRibbonTabGroupsVisible()) return hot ? rtsHot : rtsNormal;
  if (active) return hot && !ribbon->IsTabGroupsPopupShown() ? rtsActiveHot : rtsActive;
  return hot ? rtsHot : rtsNormal;
}

TFont* TdxRibbonTabViewInfo::GetCaptionFont() {
  TdxCustomRibbon* ribbon = tab_->Ribbon();
  int key = GetState() != rtsNormal ? 2 : 0;
  if (tab_->Active() && ribbon->AreRibbonTabGroupsVisible()) key = 3;
  return ribbon->Fonts()->GetTabHeaderFont(key);
}

void TdxRibbonTabViewInfo::Paint(TcxCanvas* canvas) {
  painter_->DrawBackground(canvas, bounds_, GetState());
  canvas->SetFont(GetCaptionFont());
  painter_->DrawText(canvas, textBounds_, owner_->SeparatorAlpha() == 255, tab_->Caption());
  if (hasSeparator_ && separatorAlpha_ > 0) painter_->DrawSeparator(canvas, separatorBounds_, separatorAlpha_);
}

void TdxRibbonTabViewInfo::PaintToBitmap(TBitmap* bitmap, bool hot) {
  bitmap->SetSize(bounds_.Width(), bounds_.Height());
  TcxCanvas canvas(bitmap->Canvas());
  const bool active = tab_->Active();
  const int state = hot ? (active ? rtsActiveHot : rtsHot) : (active ? rtsActive : rtsNormal);
  painter_->DrawBackground(&canvas, TRect(0, 0, bounds_.Width(), bounds_.Height()), state);
  TRect text = textBounds_;
  text.Offset(-bounds_.Left, -bounds_.Top);
  canvas.SetFont(GetCaptionFont());
  painter_->DrawText(&canvas, text, hasSeparator_ && separatorAlpha_ > 0, tab_->Caption());
}

// ---------------------------------------------------------------------------------------------
// Tab row

void TdxRibbonTabsViewInfo::CreateTabViewInfos() {
  items_.clear();
  TdxRibbonTabCollection* tabs = owner_->Ribbon()->Tabs();
  for (int i = 0; i < tabs->Count(); ++i)
    if (tabs->Items(i)->Visible()) items_.push_back(std::make_unique<TdxRibbonTabViewInfo>(tabs->Items(i), this));
}

void TdxRibbonTabsViewInfo::Calculate(const TRect& bounds) {
  bounds_ = bounds;
  compressed_ = false;
  hasLeftButton_ = hasRightButton_ = false;
  separatorAlpha_ = 0;
  minimalSum_ = optimalSum_ = 0;
  lastTabHasSeparator_ = owner_->IsHelpButtonVisible() || owner_->AreMDIButtonsVisible();
  const int n = Count();
  for (int i = 0; i < n; ++i) {
    TdxRibbonTabViewInfo* tab = Items(i);
    tab->CalculateWidths();
    optimalSum_ += tab->OptimalWidth();
    minimalSum_ += tab->MinimalWidth();
    tab->SetHasSeparator(i < n - 1 || lastTabHasSeparator_);
  }
  const int width = bounds.Width();
  if (optimalSum_ <= width) CalculateOptimalLayout();
  else if (minimalSum_ > width) CalculateScrollLayout();
  else CalculateCompressedLayout();
}

void TdxRibbonTabsViewInfo::ResetScrolling() {
  scrollOffset_ = 0;
  hasLeftButton_ = hasRightButton_ = false;
  leftButtonBounds_ = rightButtonBounds_ = TRect();
}

int TdxRibbonTabsViewInfo::MinimalWidthWithSeparator(int index) const {
  return Items(index)->MinimalWidth() + (index < Count() - 1 ? 1 : 0);
}

// Places the tabs from left with their fitted widths (or, with minimal, their minimal widths).
void TdxRibbonTabsViewInfo::PlaceTabs(int left, bool minimal) {
  int x = left;
  for (int i = 0; i < Count(); ++i) {
    const int width = minimal ? MinimalWidthWithSeparator(i) : Items(i)->FittedWidth();
    Items(i)->Calculate(TRect(x, bounds_.Top, x + width, bounds_.Bottom), separatorAlpha_);
    x += width;
  }
}

void TdxRibbonTabsViewInfo::CalculateOptimalLayout() {
  ResetScrolling();
  for (auto& tab : items_) tab->SetFittedWidth(tab->OptimalWidth());
  PlaceTabs(bounds_.Left, false);
}

void TdxRibbonTabsViewInfo::ShrinkEvenly(int deficit) {
  const int n = Count();
  separatorAlpha_ = static_cast<Byte>(MulDiv(deficit, 255, evenShrinkPerTab * n));
  const int q = deficit / n;
  const int r = deficit - n * q;
  for (int i = 0; i < n; ++i) Items(i)->SetFittedWidth(Items(i)->OptimalWidth() - q - (i >= n - r ? 1 : 0));
}

void TdxRibbonTabsViewInfo::ShrinkWidestFirst(int excess) {
  separatorAlpha_ = 255;
  int level = 0;
  for (auto& tab : items_) {
    tab->SetFittedWidth(tab->TextWidth() + 10);
    level = std::max(level, tab->FittedWidth());
  }
  --level;
  bool changed = true;
  while (excess > 0 && changed) {
    changed = false;
    for (int i = 0; i < Count() && excess > 0; ++i) {
      TdxRibbonTabViewInfo* tab = Items(i);
      if (tab->FittedWidth() > level && MinimalWidthWithSeparator(i) < tab->FittedWidth()) {
        tab->SetFittedWidth(tab->FittedWidth() - 1);
        changed = true;
        --excess;
      }
    }
    --level;
  }
  compressed_ = changed;
}

void TdxRibbonTabsViewInfo::CalculateCompressedLayout() {
  ResetScrolling();
  const int n = Count();
  const int deficit = optimalSum_ - bounds_.Width();
  if (deficit <= evenShrinkPerTab * n) ShrinkEvenly(deficit);
  else ShrinkWidestFirst(deficit - evenShrinkPerTab * n);
  PlaceTabs(bounds_.Left, false);
}

void TdxRibbonTabsViewInfo::CalculateScrollLayout() {
  separatorAlpha_ = 255;
  int minimalWithSeparators = 0;
  for (int i = 0; i < Count(); ++i) minimalWithSeparators += MinimalWidthWithSeparator(i);
  maxScrollOffset_ = minimalWithSeparators - bounds_.Width();
  scrollOffset_ = std::clamp(scrollOffset_, 0, maxScrollOffset_);
  PlaceTabs(bounds_.Left - scrollOffset_, true);
  hasLeftButton_ = scrollOffset_ > 0;
  hasRightButton_ = scrollOffset_ < maxScrollOffset_;
  const int b = owner_->GetScrollButtonWidth();
  leftButtonBounds_ = hasLeftButton_ ? TRect(bounds_.Left, bounds_.Top, bounds_.Left + b, bounds_.Bottom) : TRect();
  rightButtonBounds_ =
      hasRightButton_ ? TRect(bounds_.Right - b, bounds_.Top, bounds_.Right, bounds_.Bottom) : TRect();
  compressed_ = true;
}

TdxRibbonHitInfo TdxRibbonTabsViewInfo::HitTest(int x, int y) const {
  const TPoint p(x, y);
  if (hasLeftButton_ && leftButtonBounds_.Contains(p)) return {rhtTabScrollLeft, nullptr};
  if (hasRightButton_ && rightButtonBounds_.Contains(p)) return {rhtTabScrollRight, nullptr};
  const int left = hasLeftButton_ ? leftButtonBounds_.Right : bounds_.Left;
  const int right = hasRightButton_ ? rightButtonBounds_.Left : bounds_.Right;
  if (x < left || x >= right) return {};
  for (auto& tab : items_)
    if (tab->Bounds().Contains(p)) return {rhtTab, tab->Tab()};
  return {};
}

void TdxRibbonTabsViewInfo::SetScrollOffset(int value) {
  value = std::clamp(value, 0, std::max(maxScrollOffset_, 0));
  if (value == scrollOffset_) return;
  scrollOffset_ = value;
  owner_->Ribbon()->Changed();
}

void TdxRibbonTabsViewInfo::MakeTabVisible(TdxRibbonTab* tab) {
  if (!hasLeftButton_ && !hasRightButton_) return;
  for (int i = 0; i < Count(); ++i) {
    if (Items(i)->Tab() != tab) continue;
    const TRect& r = Items(i)->Bounds();
    int offset = scrollOffset_;
    if (r.Left < bounds_.Left) offset += r.Left - bounds_.Left - (i > 0 ? owner_->GetScrollButtonWidth() : 0);
    else if (r.Right > bounds_.Right)
      offset += r.Right - bounds_.Right + (i < Count() - 1 ? owner_->GetScrollButtonWidth() : 0);
    SetScrollOffset(offset);
    return;
  }
}

void TdxRibbonTabsViewInfo::Invalidate() {
  TdxCustomRibbon* ribbon = owner_->Ribbon();
  if (ribbon->HandleAllocated()) ribbon->InvalidateRect(bounds_, false);
}

void TdxRibbonTabsViewInfo::UpdateTabDockControls() {
  for (auto& tab : items_) tab->Tab()->UpdateDockControl();
}

void TdxRibbonTabsViewInfo::Paint(TcxCanvas* canvas) {
  TdxRibbonPainter* painter = owner_->GetPainter();
  TdxRibbonController* controller = owner_->Ribbon()->Controller();
  auto drawButton = [&](bool present, const TRect& bounds, TdxRibbonHitKind kind) {
    if (!present) return;
    painter->DrawTabScrollButton(canvas, bounds, controller->HotPart() == kind, controller->ScrollingPart() == kind,
                                 kind == rhtTabScrollLeft);
    canvas->ExcludeClipRect(bounds);
  };
  drawButton(hasLeftButton_, leftButtonBounds_, rhtTabScrollLeft);
  drawButton(hasRightButton_, rightButtonBounds_, rhtTabScrollRight);
  canvas->SaveClipRegion();
  canvas->IntersectClipRect(bounds_);
  for (auto& tab : items_) tab->Paint(canvas);
  canvas->RestoreClipRegion();
  for (auto& tab : items_) {
    const TRect& b = tab->Bounds();
    const TRect r(std::max(b.Left, bounds_.Left), std::max(b.Top, bounds_.Top), std::min(b.Right, bounds_.Right),
                  std::min(b.Bottom, bounds_.Bottom));
    if (!r.IsEmpty()) canvas->ExcludeClipRect(r);
  }
}

// ---------------------------------------------------------------------------------------------
// The whole ribbon

TdxRibbonViewInfo::TdxRibbonViewInfo(TdxCustomRibbon* ribbon)
    : ribbon_(ribbon), tabsViewInfo_(std::make_unique<TdxRibbonTabsViewInfo>(this)) {}

TdxRibbonViewInfo::~TdxRibbonViewInfo() = default;

TdxRibbonPainter* TdxRibbonViewInfo::GetPainter() const { return ribbon_->Painter(); }

bool TdxRibbonViewInfo::IsReady(bool force) const { return force || !ribbon_->IsHidden(); }

bool TdxRibbonViewInfo::IsTooSmall() const { return ribbon_->IsTooSmallForm(); }

bool TdxRibbonViewInfo::AreTabHeadersShown(bool force) const {
  return (force || !ribbon_->IsHidden()) && ribbon_->ShowTabHeaders();
}

// No Quick Access toolbar is offered, so it is never shown.
bool TdxRibbonViewInfo::IsQuickAccessToolbarVisible(bool) const { return false; }

bool TdxRibbonViewInfo::AreTabGroupsShown(bool force) const {
  return IsReady(force) && ribbon_->ShowTabGroups() && tabsViewInfo_->Count() > 0;
}

// The button shows only with a Quick Access toolbar above the ribbon.
bool TdxRibbonViewInfo::IsApplicationButtonVisible(bool force) const {
  return (force || !ribbon_->IsHidden()) && ribbon_->ApplicationButton()->Visible() && AreTabHeadersShown(force) &&
         IsQuickAccessToolbarVisible(force) && !IsQuickAccessToolbarBelow();
}

bool TdxRibbonViewInfo::IsHelpButtonVisible() const {
  return !ribbon_->IsHidden() && AreTabHeadersShown() && static_cast<bool>(ribbon_->OnHelpButtonClick);
}

// The bar manager offers no MDI state here, so the child's buttons never show.
bool TdxRibbonViewInfo::AreMDIButtonsVisible() const { return false; }

int TdxRibbonViewInfo::GetScrollButtonWidth() const { return std::abs(ribbon_->Fonts()->TabHeader()->Height()) + 2; }

// 1 hot, 2 hot and pressed; a part pressed elsewhere keeps the others from looking hot.
int TdxRibbonViewInfo::GetButtonState(TdxRibbonHitKind kind) const {
  TdxRibbonController* controller = ribbon_->Controller();
  if (!controller || controller->HotPart() != kind) return 0;
  const TdxRibbonHitKind pressed = controller->PressedPart();
  if (pressed <= rhtApplicationMenu || pressed == kind) return pressed == kind && pressed > rhtTab ? 2 : 1;
  return 0;
}

int TdxRibbonViewInfo::GetApplicationButtonState() const { return ribbon_->ApplicationButtonState(); }

int TdxRibbonViewInfo::GetTabRowHeight() const {
  if (!AreTabHeadersShown()) return 0;
  return std::abs(ribbon_->Fonts()->TabHeader()->Height()) * 2 + 2;
}

int TdxRibbonViewInfo::GetTabsTop() const {
  if (IsQuickAccessToolbarVisible() && !IsQuickAccessToolbarBelow()) return quickAccessToolbarBounds_.Bottom;
  return GetCaptionHeight();
}

int TdxRibbonViewInfo::GetGroupsAreaHeight(bool force) const {
  if (!force && !AreTabGroupsShown()) return 0;
  return ribbon_->GetGroupHeight() + 3 + 4;
}

TRect TdxRibbonViewInfo::GetGroupsAreaBounds() const {
  const int top = bounds_.Top + GetTabsTop() + GetTabRowHeight() - (AreTabHeadersShown() ? 1 : 0);
  return TRect(bounds_.Left, top, bounds_.Right, top + GetGroupsAreaHeight());
}

TRect TdxRibbonViewInfo::GetGroupsDockBounds() const {
  TRect area = GetGroupsAreaBounds();
  const TRect m = GetGroupsAreaMargins();
  return TRect(m.Left, m.Top, area.Width() - m.Right, area.Height() - m.Bottom);
}

TRect TdxRibbonViewInfo::GetApplicationButtonOffsets() const {
  return TRect(ScaleToScreen(4), ScaleToScreen(10), ScaleToScreen(4), 0);
}

TSize TdxRibbonViewInfo::GetApplicationButtonSize() const {
  const TSize image = ribbon_->Skin() ? ribbon_->Skin()->GetApplicationButtonSize() : TSize(42, 42);
  return TSize(ScaleToScreen(image.cx), ScaleToScreen(image.cy));
}

void TdxRibbonViewInfo::CalculateApplicationButton() {
  applicationButtonArea_ = applicationButtonBounds_ = TRect();
  if (!IsApplicationButtonVisible()) return;
  const TRect o = GetApplicationButtonOffsets();
  const TSize size = GetApplicationButtonSize();
  applicationButtonArea_ = TRect(0, 0, size.cx + o.Left + o.Right, size.cy + o.Top + o.Bottom);
  const int dx = (applicationButtonArea_.Width() - size.cx) / 2;
  const int dy = (applicationButtonArea_.Height() - size.cy) / 2;
  applicationButtonBounds_ = TRect(dx, dy, dx + size.cx, dy + size.cy);
}

void TdxRibbonViewInfo::CalculateGroupsArea() {
  groupsSiteBounds_ = groupsDockBounds_ = TRect();
  if (!AreTabGroupsShown() || ribbon_->IsTabGroupsPopupShown()) return;
  groupsSiteBounds_ = GetGroupsAreaBounds();
  groupsDockBounds_ = GetGroupsDockBounds();
  TdxRibbonGroupsDockControlSite* site = ribbon_->GroupsDockControlSite();
  site->SetBounds(groupsSiteBounds_.Left, groupsSiteBounds_.Top, groupsSiteBounds_.Width(), groupsSiteBounds_.Height());
  tabsViewInfo_->UpdateTabDockControls();
}

TRect TdxRibbonViewInfo::ButtonStrip() const {
  TRect r(bounds_.Left, bounds_.Top, bounds_.Right, bounds_.Top + GetTabRowHeight() - 2);
  r.Offset(0, GetTabsTop());
  return r;
}

void TdxRibbonViewInfo::CalculateMDIButtons() {
  for (TRect& r : mdiButtonBounds_) r = TRect();
  if (!AreMDIButtonsVisible()) return;
  TRect r = ButtonStrip();
  r.Left = r.Right - r.Height();
  for (int i = 2; i >= 0; --i) {
    mdiButtonBounds_[i] = r;
    r.Offset(-r.Width(), 0);
  }
}

void TdxRibbonViewInfo::CalculateHelpButton() {
  helpButtonBounds_ = TRect();
  if (!IsHelpButtonVisible()) return;
  TRect r = ButtonStrip();
  if (AreMDIButtonsVisible()) r.Right = mdiButtonBounds_[0].Left;
  r.Left = r.Right - r.Height();
  helpButtonBounds_ = r;
}

TRect TdxRibbonViewInfo::GetTabsBounds() const {
  const int left = std::max<int>(applicationButtonArea_.Right, 8);
  int right = bounds_.Right - 6;
  if (IsHelpButtonVisible()) right = helpButtonBounds_.Left - 1;
  else if (AreMDIButtonsVisible()) right = mdiButtonBounds_[0].Left - 1;
  const int top = bounds_.Top + GetTabsTop();
  return TRect(left, top, right, top + GetTabRowHeight());
}

void TdxRibbonViewInfo::CalculateTabs() {
  if (AreTabHeadersShown() && tabsViewInfo_->Count() > 0) tabsViewInfo_->Calculate(GetTabsBounds());
}

int TdxRibbonViewInfo::GetRibbonHeight() {
  int height = GetTabRowHeight() + GetTabsTop() + 1;
  if (AreTabGroupsShown() && !ribbon_->IsTabGroupsPopupShown()) height = GetGroupsAreaBounds().Bottom;
  designPlaceholder_ = height < 8 && ribbon_->IsDesigning();
  return designPlaceholder_ ? 24 : height;
}

void TdxRibbonViewInfo::Calculate(const TRect& bounds) {
  bounds_ = bounds;
  ribbon_->Fonts()->Refresh();
  CalculateApplicationButton();
  quickAccessToolbarBounds_ = TRect();
  if (IsTooSmall() != ribbon_->IsHidden()) {
    ribbon_->SetHidden(!ribbon_->IsHidden());
    Calculate(bounds);
    if (ribbon_->IsHidden() && ribbon_->ActiveTab()) ribbon_->ActiveTab()->UpdateDockControl();
    return;
  }
  tabsViewInfo_->CreateTabViewInfos();
  CalculateGroupsArea();
  CalculateMDIButtons();
  CalculateHelpButton();
  CalculateTabs();
  const bool hiddenHeight = ribbon_->IsHidden() && !ribbon_->IsDesigning();
  const int height = hiddenHeight ? GetCaptionHeight() : GetRibbonHeight();
  ribbon_->ApplyHeight(height);
  bounds_.Bottom = bounds_.Top + height;
  ribbon_->GroupsDockControlSite()->SetVisible(!ribbon_->IsHidden() && !groupsSiteBounds_.IsEmpty());
}

TdxRibbonHitInfo TdxRibbonViewInfo::HitTest(int x, int y) const {
  const TPoint p(x, y);
  if (AreMDIButtonsVisible())
    for (int i = 0; i < 3; ++i)
      if (mdiButtonBounds_[i].Contains(p)) return {static_cast<TdxRibbonHitKind>(rhtMDIMinimizeButton + i), nullptr};
  if (IsHelpButtonVisible() && helpButtonBounds_.Contains(p)) return {rhtHelpButton, nullptr};
  TdxRibbonHitInfo tabs = tabsViewInfo_->HitTest(x, y);
  if (tabs.Kind != rhtNone) return tabs;
  TdxRibbonGroupsDockControlSite* site = ribbon_->GroupsDockControlSite();
  const TPoint inSite(x - groupsSiteBounds_.Left, y - groupsSiteBounds_.Top);
  if (site->ScrollButtonBounds(true).Contains(inSite)) return {rhtGroupScrollLeft, nullptr};
  if (site->ScrollButtonBounds(false).Contains(inSite)) return {rhtGroupScrollRight, nullptr};
  if (IsApplicationButtonVisible() && applicationButtonBounds_.Contains(p)) return {rhtApplicationMenu, nullptr};
  return {};
}

TdxRibbonTab* TdxRibbonViewInfo::GetTabAtPos(int x, int y) const {
  for (int i = 0; i < tabsViewInfo_->Count(); ++i)
    if (tabsViewInfo_->Items(i)->Bounds().Contains(TPoint(x, y))) return tabsViewInfo_->Items(i)->Tab();
  return nullptr;
}

void TdxRibbonViewInfo::PaintTabRow(TcxCanvas* canvas) {
  if (AreTabHeadersShown() && tabsViewInfo_->Count() > 0) tabsViewInfo_->Paint(canvas);
}

void TdxRibbonViewInfo::Paint(TcxCanvas* canvas) {
  TdxRibbonPainter* painter = GetPainter();
  if (designPlaceholder_) {
    painter->DrawDesignPlaceholder(canvas);
    return;
  }
  canvas->SaveClipRegion();
  canvas->IntersectClipRect(TRect(bounds_.Left, bounds_.Top + GetCaptionHeight(), bounds_.Right, bounds_.Bottom));
  painter->DrawBackground(canvas, bounds_);
  if (IsHelpButtonVisible()) painter->DrawHelpButton(canvas, helpButtonBounds_, GetButtonState(rhtHelpButton));
  const bool groupsShown = AreTabGroupsShown() && !ribbon_->IsTabGroupsPopupShown();
  if (AreTabHeadersShown() && !groupsShown) painter->DrawBottomEdge(canvas);
  PaintTabRow(canvas);
  if (groupsShown) painter->DrawGroupsArea(canvas, groupsSiteBounds_);
  if (IsApplicationButtonVisible())
    painter->DrawApplicationButton(canvas, applicationButtonBounds_, GetApplicationButtonState());
  canvas->RestoreClipRegion();
}
