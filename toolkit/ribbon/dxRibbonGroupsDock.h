// The groups area of a ribbon tab: the group windows side by side, shrunk group by group from the
// last one when the width runs short (narrower multi-column items, folded multi-column items,
// smaller view levels, and at last whole groups collapsed to one button), and scrolled 10 pixels a
// step behind two scroll buttons when even that is not enough.
//
// Here: the layout of the groups dock (TdxRibbonGroupsDockControlViewInfo) over the groups as the
// dock hands them over (IdxRibbonDockedGroup: a group window's view info with its tab group).
#pragma once
#include <vector>

#include "System.h"
#include "Types.h"
#include "dxRibbonGroupLayoutCalculator.h"

// One group of a groups dock as its layout sees it.
class IdxRibbonDockedGroup {
 public:
  // Starts a layout pass from the full layout: items listed again, not collapsed, a new calculator.
  virtual void BeginLayout() = 0;
  // Lays the items out (or the collapsed button) with the calculator.
  virtual void CalculateLayout() = 0;
  // Releases the calculator and hands the item rectangles to the item links.
  virtual void EndLayout() = 0;
  virtual IdxRibbonGroupLayoutCalculator* LayoutCalculator() = 0;
  virtual IdxRibbonGroupViewInfo* LayoutHost() = 0;
  virtual bool GetCollapsed() = 0;
  virtual void SetCollapsed(bool value) = 0;
  // The tab group lets the reduction collapse this group.
  virtual bool CanCollapse() = 0;
  // Content and frame.
  virtual TSize GetSize() = 0;

 protected:
  ~IdxRibbonDockedGroup() = default;
};

enum TdxRibbonGroupsScrollButton : uint8_t { rgsbLeft, rgsbRight };
using TdxRibbonGroupsScrollButtons = TSet<TdxRibbonGroupsScrollButton>;

class TdxRibbonGroupsDockControl;

class TdxRibbonGroupsDockControlViewInfo : public TObject {
  CALDERAN_CLASS(TdxRibbonGroupsDockControlViewInfo)
  explicit TdxRibbonGroupsDockControlViewInfo(TdxRibbonGroupsDockControl* dockControl);

  virtual void CalculateScrollButtons(int width);
  virtual void Scroll(int delta, int width);
  virtual void Calculate(const TRect& bounds);
  virtual void ScrollGroups(bool towardRight, int width);

  TdxRibbonGroupsDockControl* DockControl() const { return dockControl_; }
  TdxRibbonGroupsScrollButtons ScrollButtons() const { return scrollButtons_; }
  // The horizontal offset of the first group: 0 or negative.
  int ScrollPosition() const { return scrollPosition_; }
  // The groups' widths with the spacing between them.
  int TotalWidth();
  bool Fits(int width) { return TotalWidth() <= width; }

  // The groups, in the order of the tab's groups, that are docked here with a window.
  virtual int GroupCount();
  virtual IdxRibbonDockedGroup* Group(int index);
  // The space between neighbouring group windows (the ribbon bar painter's).
  virtual int GroupSpacing();

 protected:
  // A group's collapsed flag changed in a calculation: the ribbon tells the application.
  virtual void GroupCollapsedChanged(int index, bool collapsed);
  // The scroll position changed: the dock places its group windows again.
  virtual void ScrollPositionChanged();

 private:
  void ReduceGroups(int width);
  bool ReduceStage(int stage, TdxBarItemViewLevel level, int width);
  bool ReduceStep(IdxRibbonDockedGroup* group, int stage, TdxBarItemViewLevel level);
  void NotifyCollapsedChanges();

  TdxRibbonGroupsDockControl* dockControl_;
  TdxRibbonGroupsScrollButtons scrollButtons_;
  int scrollPosition_ = 0;
  std::vector<bool> previousCollapsed_;
};
