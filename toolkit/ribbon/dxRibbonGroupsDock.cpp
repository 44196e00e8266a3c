#include "dxRibbonGroupsDock.h"

#include <algorithm>

#include "cxGraphics.h"
#include "dxBarControl.h"
#include "dxBarManager.h"
#include "dxBarToolbar.h"
#include "dxRibbon.h"
#include "dxRibbonBarPainter.h"
#include "dxRibbonGroupBarControl.h"

CALDERAN_IMPLEMENT_CLASS(TdxRibbonGroupsDockControlViewInfo, TObject)
CALDERAN_IMPLEMENT_CLASS(TdxCustomRibbonDockControl, TCustomControl)
CALDERAN_IMPLEMENT_CLASS(TdxRibbonGroupsDockControl, TdxCustomRibbonDockControl)

namespace {

// The reduction stages, run in this order until the groups fit.
enum TReductionStage { rsNarrowMultiColumn, rsFoldMultiColumn, rsLowerViewLevel, rsCollapseGroup };

constexpr int kGroupsScrollStep = 10;
// Between neighbouring group windows.
constexpr int kGroupSpacing = 2;

}  // namespace

TdxRibbonGroupsDockControlViewInfo::TdxRibbonGroupsDockControlViewInfo(TdxRibbonGroupsDockControl* dockControl)
    : dockControl_(dockControl) {}

int TdxRibbonGroupsDockControlViewInfo::GroupCount() {
  return dockControl_ ? dockControl_->GroupBarControlCount() : 0;
}

IdxRibbonDockedGroup* TdxRibbonGroupsDockControlViewInfo::Group(int index) {
  return dockControl_->GroupBarControl(index)->GroupViewInfo();
}

int TdxRibbonGroupsDockControlViewInfo::GroupSpacing() { return kGroupSpacing; }

void TdxRibbonGroupsDockControlViewInfo::GroupCollapsedChanged(int index, bool collapsed) {
  TdxRibbonTab* tab = dockControl_ ? dockControl_->Tab() : nullptr;
  TdxCustomRibbon* ribbon = tab ? tab->Ribbon() : nullptr;
  TdxRibbonTabGroup* group = dockControl_->GroupBarControl(index)->Group();
  if (!ribbon || !group) return;
  if (collapsed)
    ribbon->DoTabGroupCollapsed(tab, group);
  else
    ribbon->DoTabGroupExpanded(tab, group);
}

// The tab applies the dock's bounds again: the dock then leaves room for the buttons and places
// the group windows at the new position.
void TdxRibbonGroupsDockControlViewInfo::ScrollPositionChanged() {
  TdxRibbonTab* tab = dockControl_ ? dockControl_->Tab() : nullptr;
  if (!tab) return;
  TRect bounds = tab->GetDockControlBounds();
  dockControl_->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
}

int TdxRibbonGroupsDockControlViewInfo::TotalWidth() {
  int count = GroupCount(), total = 0;
  for (int i = 0; i < count; ++i) total += Group(i)->GetSize().cx;
  if (count >= 2) total += GroupSpacing() * (count - 1);
  return total;
}

// Every calculation starts from the full layout of every group; the groups that end up collapsed
// or expanded against the last calculation are announced at the end.
void TdxRibbonGroupsDockControlViewInfo::Calculate(const TRect& bounds) {
  int count = GroupCount();
  previousCollapsed_.assign(count, false);
  for (int i = 0; i < count; ++i) previousCollapsed_[i] = Group(i)->GetCollapsed();
  struct TEndLayouts {
    TdxRibbonGroupsDockControlViewInfo* Self;
    ~TEndLayouts() {
      for (int i = 0, n = Self->GroupCount(); i < n; ++i) Self->Group(i)->EndLayout();
    }
  };
  {
    TEndLayouts endLayouts{this};
    for (int i = 0; i < count; ++i) Group(i)->BeginLayout();
    for (int i = 0; i < count; ++i) Group(i)->CalculateLayout();
    if (!Fits(bounds.Width())) ReduceGroups(bounds.Width());
  }
  CalculateScrollButtons(bounds.Width());
  NotifyCollapsedChanges();
}

void TdxRibbonGroupsDockControlViewInfo::ReduceGroups(int width) {
  for (int i = 0, count = GroupCount(); i < count; ++i) {
    IdxRibbonDockedGroup* group = Group(i);
    group->LayoutCalculator()->PrepareReduction(group->LayoutHost());
  }
  if (ReduceStage(rsNarrowMultiColumn, ivlDefault, width) || ReduceStage(rsFoldMultiColumn, ivlDefault, width))
    return;
  for (TdxBarItemViewLevel level : {ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly})
    if (ReduceStage(rsLowerViewLevel, level, width)) return;
  ReduceStage(rsCollapseGroup, ivlDefault, width);
}

// Walks the groups from the last to the first; answers whether the groups fit.
bool TdxRibbonGroupsDockControlViewInfo::ReduceStage(int stage, TdxBarItemViewLevel level, int width) {
  for (int i = GroupCount() - 1; i >= 0; --i) {
    IdxRibbonDockedGroup* group = Group(i);
    if (stage == rsCollapseGroup) {
      if (group->CanCollapse()) {
        group->SetCollapsed(true);
        group->CalculateLayout();
      }
    } else {
      while (ReduceStep(group, stage, level) && !Fits(width)) {
      }
    }
    if (Fits(width)) return true;
  }
  return false;
}

bool TdxRibbonGroupsDockControlViewInfo::ReduceStep(IdxRibbonDockedGroup* group, int stage, TdxBarItemViewLevel level) {
  IdxRibbonGroupLayoutCalculator* calculator = group->LayoutCalculator();
  switch (stage) {
    case rsNarrowMultiColumn: return calculator->NarrowMultiColumnItem(group->LayoutHost());
    case rsFoldMultiColumn: return calculator->FoldMultiColumnItem(group->LayoutHost());
    default: return calculator->LowerViewLevel(group->LayoutHost(), level);
  }
}

void TdxRibbonGroupsDockControlViewInfo::NotifyCollapsedChanges() {
  int count = std::min(GroupCount(), static_cast<int>(previousCollapsed_.size()));
  for (int i = 0; i < count; ++i) {
    bool collapsed = Group(i)->GetCollapsed();
    if (collapsed != previousCollapsed_[i]) GroupCollapsedChanged(i, collapsed);
  }
}

// Reconciles the buttons and the position kept from the last calculation with a new width.
void TdxRibbonGroupsDockControlViewInfo::CalculateScrollButtons(int width) {
  int total = TotalWidth();
  const TdxRibbonGroupsScrollButtons both{rgsbLeft, rgsbRight}, left{rgsbLeft};
  if (total <= width) {
    scrollButtons_ = {};
    scrollPosition_ = 0;
  } else if (scrollButtons_.Empty()) {
    scrollButtons_ = {rgsbRight};
  } else if (scrollButtons_ == left) {
    scrollPosition_ = width - total;
  } else if (scrollButtons_ == both && total + scrollPosition_ <= width) {
    scrollButtons_ = left;
    scrollPosition_ = width - total;
  }
}

// The position stays between the right end (groups aligned with the right edge) and 0, and is 0
// when the groups fit: they never move right of the left edge.
void TdxRibbonGroupsDockControlViewInfo::Scroll(int delta, int width) {
  int total = TotalWidth();
  scrollPosition_ = std::min(0, std::max(scrollPosition_ + delta, width - total));
  scrollButtons_ = {};
  if (scrollPosition_ < 0) scrollButtons_.Include(rgsbLeft);
  if (total + scrollPosition_ > width) scrollButtons_.Include(rgsbRight);
  ScrollPositionChanged();
}

void TdxRibbonGroupsDockControlViewInfo::ScrollGroups(bool towardRight, int width) {
  Scroll(towardRight ? -kGroupsScrollStep : kGroupsScrollStep, width);
}

// ---------------------------------------------------------------------------------------------
// Dock controls

TdxCustomRibbonDockControl::TdxCustomRibbonDockControl(TComponent* owner) : TCustomControl(owner) {}

void TdxCustomRibbonDockControl::RepaintAll() {
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* bar = ObjectAs<TCustomdxBarControl>(Controls(i))) bar->Invalidate();
  Invalidate();
}

void TdxCustomRibbonDockControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CM_VISIBLECHANGED: CMVisibleChanged(message); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(message); break;
    default: TCustomControl::Dispatch(message);
  }
}

// Hidden at once, so no group window shows through until the next layout.
void TdxCustomRibbonDockControl::CMVisibleChanged(TMessage& message) {
  if (HandleAllocated() && !Visible()) ShowWindow(Handle(), SW_HIDE);
  LayoutChanged();
  TCustomControl::Dispatch(message);
}

// A double click never opens the customizing dialog at run time.
void TdxCustomRibbonDockControl::WMLButtonDblClk(TMessage& message) {
  if (barManager_ && ComponentState().Contains(csDesigning))
    TCustomControl::Dispatch(message);
  else
    message.Result = 0;
}


TWinControl* TdxRibbonTab::CreateDockControl() { return new TdxRibbonGroupsDockControl(this); }

TdxRibbonGroupsDockControl::TdxRibbonGroupsDockControl(TdxRibbonTab* tab)
    : TdxCustomRibbonDockControl(nullptr), tab_(tab) {
  viewInfo_ = CreateViewInfo();
  SetVisible(false);
}

TdxRibbonGroupsDockControl::~TdxRibbonGroupsDockControl() {
  Destroying();
  while (!groupBarControls_.empty()) delete groupBarControls_.back();
  delete viewInfo_;
}

void TdxRibbonGroupsDockControl::GroupBarControlDestroyed(TdxRibbonGroupBarControl* bar) {
  groupBarControls_.erase(std::remove(groupBarControls_.begin(), groupBarControls_.end(), bar), groupBarControls_.end());
}

TdxRibbonGroupsDockControlViewInfo* TdxRibbonGroupsDockControl::CreateViewInfo() {
  return new TdxRibbonGroupsDockControlViewInfo(this);
}

TdxCustomRibbon* TdxRibbonGroupsDockControl::Ribbon() const { return tab_ ? tab_->Ribbon() : nullptr; }

// A ribbon's groups draw with the ribbon's own painter.
TdxBarPainterClass TdxRibbonGroupsDockControl::GetPainter() const {
  if (TdxCustomRibbon* ribbon = Ribbon(); ribbon && ribbon->BarPainter()) return ribbon->BarPainter();
  return BarManager() ? BarManager()->Painter() : nullptr;
}

TdxRibbonGroupBarControl* TdxRibbonGroupsDockControl::FindGroupBarControl(TdxBar* toolbar) const {
  for (TdxRibbonGroupBarControl* bar : groupBarControls_)
    if (bar->Toolbar() == toolbar) return bar;
  return nullptr;
}

void TdxRibbonGroupsDockControl::ReleaseToolbar(TdxBar* toolbar) { delete FindGroupBarControl(toolbar); }

void TdxRibbonGroupsDockControl::UpdateGroupBarControls() {
  std::vector<TdxRibbonGroupBarControl*> bars;
  for (int i = 0; tab_ && i < tab_->Groups()->Count(); ++i) {
    TdxBar* toolbar = tab_->Groups()->Items(i)->ToolBar();
    if (!toolbar || toolbar->DockedDockControl() != this) continue;
    TdxRibbonGroupBarControl* bar = FindGroupBarControl(toolbar);
    if (!bar) {
      bar = new TdxRibbonGroupBarControl(this, toolbar);
      bar->SetParent(this);
      bar->HandleNeeded();
      bar->Rebuild();
    }
    bars.push_back(bar);
  }
  std::vector<TdxRibbonGroupBarControl*> gone;
  for (TdxRibbonGroupBarControl* bar : groupBarControls_)
    if (std::find(bars.begin(), bars.end(), bar) == bars.end()) gone.push_back(bar);
  groupBarControls_ = std::move(bars);
  for (TdxRibbonGroupBarControl* bar : gone) delete bar;
}

// The tab lays the groups out while it applies the dock's bounds; the item controls made on the
// way ask for a layout that is already running.
void TdxRibbonGroupsDockControl::Calculate(const TRect& bounds) {
  if (calculating_) return;
  calculating_ = true;
  struct TDone {
    bool& Flag;
    ~TDone() { Flag = false; }
  } done{calculating_};
  UpdateGroupBarControls();
  viewInfo_->Calculate(bounds);
}

void TdxRibbonGroupsDockControl::LayoutChanged() {
  if (calculating_ || positioning_ || !HandleAllocated() || !Visible() || !tab_) return;
  tab_->UpdateDockControl();
  RepaintAll();
}

int TdxRibbonGroupsDockControl::ScrollButtonWidth() const {
  TdxCustomRibbon* ribbon = Ribbon();
  return ribbon ? ribbon->ViewInfo()->GetScrollButtonWidth() : 0;
}

// The dock never covers a scroll button of the groups site.
void TdxRibbonGroupsDockControl::SetBounds(int left, int top, int width, int height) {
  TdxCustomRibbon* ribbon = Ribbon();
  if (!ribbon || ribbon->IsLocked()) {
    TdxCustomRibbonDockControl::SetBounds(left, top, width, height);
    return;
  }
  int margin = ribbon->ViewInfo()->GetGroupsAreaMargins().Left, inset = ScrollButtonWidth() - margin;
  TdxRibbonGroupsScrollButtons buttons = viewInfo_->ScrollButtons();
  if (buttons.Contains(rgsbLeft)) {
    left += inset;
    width -= inset;
  }
  if (buttons.Contains(rgsbRight)) width -= inset;
  TdxCustomRibbonDockControl::SetBounds(left, top, width, height);
  PositionGroupBarControls();
  ribbon->GroupsDockControlSite()->Invalidate();
}

// With the left button the groups keep their place in the site's coordinates.
// A group window this places is resized, and a resized group asks the dock for a layout: the one
// being applied. Both flags turn that request away; a layout started inside the loop rebuilt the
// list of windows under it (a crash on a display, where the resize arrives at once).
void TdxRibbonGroupsDockControl::PositionGroupBarControls() {
  if (positioning_) return;
  positioning_ = true;
  const bool wasCalculating = calculating_;
  calculating_ = true;
  struct TRestore {
    bool& Positioning;
    bool& Calculating;
    bool Value;
    ~TRestore() { Positioning = false, Calculating = Value; }
  } restore{positioning_, calculating_, wasCalculating};
  int x = viewInfo_->ScrollPosition();
  if (viewInfo_->ScrollButtons().Contains(rgsbLeft)) {
    TdxCustomRibbon* ribbon = Ribbon();
    int margin = ribbon ? ribbon->ViewInfo()->GetGroupsAreaMargins().Left : 0;
    x += margin - Left();
  }
  for (TdxRibbonGroupBarControl* bar : groupBarControls_) {
    TSize size = bar->GroupViewInfo()->GetSize();
    TRect rect(x, 0, x + size.cx, size.cy);
    if (bar->BoundsRect() != rect) bar->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    x = rect.Right + viewInfo_->GroupSpacing();
  }
}

void TdxRibbonGroupsDockControl::MakeRectVisible(const TRect& rect) {
  int clientWidth = ClientWidth();
  if (rect.Left >= 0 && rect.Right <= clientWidth) return;
  int target = rect.Width() > clientWidth || rect.Left < 0 ? 0 : clientWidth - rect.Width();
  TdxCustomRibbon* ribbon = Ribbon();
  if (rect.Left != target && ribbon)
    viewInfo_->Scroll(target - rect.Left, ribbon->ViewInfo()->GroupsDockBounds().Width());
}

// The groups area's background, lined up with the ribbon's.
void TdxRibbonGroupsDockControl::Paint() {
  TdxCustomRibbon* ribbon = Ribbon();
  if (!ribbon) return;
  TdxRibbonGroupsDockControlSite* site = ribbon->GroupsDockControlSite();
  TcxCanvas canvas(Canvas());
  POINT origin;
  OffsetWindowOrgEx(canvas.GetHandle(), Left(), Top(), &origin);
  ribbon->Painter()->DrawGroupsArea(&canvas, site->ClientRect());
  SetWindowOrgEx(canvas.GetHandle(), origin.x, origin.y, nullptr);
}

// The group windows are placed by the layout, never aligned.
void TdxRibbonGroupsDockControl::AlignControls(TControl*, TRect&) {}
