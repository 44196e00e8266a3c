// The groups area of a ribbon tab: the group windows side by side, shrunk group by group from the
// last one when the width runs short (narrower multi-column items, folded multi-column items,
// smaller view levels, and at last whole groups collapsed to one button), and scrolled 10 pixels a
// step behind two scroll buttons when even that is not enough.
//
// Here: the dock controls of the ribbon (the groups dock of a tab, and their common base) and the
// layout of the groups dock (TdxRibbonGroupsDockControlViewInfo) over the groups as the dock hands
// them over (IdxRibbonDockedGroup: a group window's view info with its tab group).
// The dock windows stand on a plain custom control: toolbars do not dock into them by dragging,
// and a stored bar layout never moves a toolbar out of them (they keep no rows). A dock makes the
// group window of each of its tab's groups whose toolbar is docked into it.
// Left out: the design-time popup menu and selection, accessibility helpers, and skins that ask
// for a redraw of the dock with its frame.
#pragma once
#include <vector>

#include "Controls.h"
#include "System.h"
#include "Types.h"
#include "dxBarPainter.h"
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

class TdxBar;
class TdxCustomRibbon;
class TdxRibbonTab;
class TdxRibbonGroupBarControl;
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

// The common base of the ribbon's dock controls (the groups dock here, the Quick Access toolbar's).
class TdxCustomRibbonDockControl : public TCustomControl {
  CALDERAN_CLASS(TdxCustomRibbonDockControl)
  explicit TdxCustomRibbonDockControl(TComponent* owner);

  TdxBarManager* BarManager() const { return barManager_; }
  virtual void SetBarManager(TdxBarManager* value) { barManager_ = value; }
  virtual bool IsPaintingCopy() const { return false; }
  virtual void LayoutChanged() {}
  // Repaints every bar window of the dock, then the dock.
  virtual void RepaintAll();
  void Dispatch(TMessage& message) override;

 private:
  void CMVisibleChanged(TMessage& message);
  void WMLButtonDblClk(TMessage& message);

  TdxBarManager* barManager_ = nullptr;
};

class TdxRibbonGroupsDockControl : public TdxCustomRibbonDockControl {
  CALDERAN_CLASS(TdxRibbonGroupsDockControl)
  explicit TdxRibbonGroupsDockControl(TdxRibbonTab* tab);
  ~TdxRibbonGroupsDockControl() override;

  TdxRibbonTab* Tab() const { return tab_; }
  TdxCustomRibbon* Ribbon() const;
  TdxRibbonGroupsDockControlViewInfo* ViewInfo() const { return viewInfo_; }
  virtual TdxBarPainterClass GetPainter() const;

  // The group windows of the tab's groups that are docked here, in the tab's group order.
  int GroupBarControlCount() const { return static_cast<int>(groupBarControls_.size()); }
  TdxRibbonGroupBarControl* GroupBarControl(int index) const { return groupBarControls_[index]; }
  // Makes the windows of the toolbars docked here and frees those of toolbars that left.
  void UpdateGroupBarControls();
  // A group window goes (its toolbar's links free it with themselves).
  void GroupBarControlDestroyed(TdxRibbonGroupBarControl* bar);
  // The toolbar leaves the dock: its window goes at once.
  void ReleaseToolbar(TdxBar* toolbar);
  // Scrolls the groups so that a rectangle of the dock's client area comes into view.
  virtual void MakeRectVisible(const TRect& rect);
  // Places the group windows by the layout and the scroll position.
  void PositionGroupBarControls();
  // The group windows of the docked toolbars, laid out for the dock's bounds (the tab calls it
  // before it applies them).
  void Calculate(const TRect& bounds);
  bool IsCalculating() const { return calculating_; }

  void LayoutChanged() override;
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  virtual TdxRibbonGroupsDockControlViewInfo* CreateViewInfo();
  void Paint() override;
  void AlignControls(TControl* control, TRect& rect) override;

 private:
  TdxRibbonGroupBarControl* FindGroupBarControl(TdxBar* toolbar) const;
  int ScrollButtonWidth() const;

  TdxRibbonTab* tab_;
  TdxRibbonGroupsDockControlViewInfo* viewInfo_;
  std::vector<TdxRibbonGroupBarControl*> groupBarControls_;
  bool calculating_ = false;
  bool positioning_ = false;
};
