#include "dxRibbonGroupsDock.h"

#include <algorithm>

CALDERAN_IMPLEMENT_CLASS(TdxRibbonGroupsDockControlViewInfo, TObject)

namespace {

// The reduction stages, run in this order until the groups fit.
enum TReductionStage { rsNarrowMultiColumn, rsFoldMultiColumn, rsLowerViewLevel, rsCollapseGroup };

constexpr int kGroupsScrollStep = 10;

}  // namespace

TdxRibbonGroupsDockControlViewInfo::TdxRibbonGroupsDockControlViewInfo(TdxRibbonGroupsDockControl* dockControl)
    : dockControl_(dockControl) {}

int TdxRibbonGroupsDockControlViewInfo::GroupCount() { return 0; }

IdxRibbonDockedGroup* TdxRibbonGroupsDockControlViewInfo::Group(int) { return nullptr; }

int TdxRibbonGroupsDockControlViewInfo::GroupSpacing() { return 2; }

void TdxRibbonGroupsDockControlViewInfo::GroupCollapsedChanged(int, bool) {}

void TdxRibbonGroupsDockControlViewInfo::ScrollPositionChanged() {}

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

void TdxRibbonGroupsDockControlViewInfo::Scroll(int delta, int width) {
  int total = TotalWidth();
  scrollPosition_ += delta;
  scrollPosition_ = scrollPosition_ > 0 ? 0 : std::max(scrollPosition_, width - total);
  scrollButtons_ = {};
  if (scrollPosition_ < 0) scrollButtons_.Include(rgsbLeft);
  if (total + scrollPosition_ > width) scrollButtons_.Include(rgsbRight);
  ScrollPositionChanged();
}

void TdxRibbonGroupsDockControlViewInfo::ScrollGroups(bool towardRight, int width) {
  Scroll(towardRight ? -kGroupsScrollStep : kGroupsScrollStep, width);
}
