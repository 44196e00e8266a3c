// Ribbon group windows: the bar window that shows one toolbar as a group of a ribbon tab. It
// arranges its item controls in three rows through a group layout calculator, draws its body and
// caption through the ribbon's skin, and, while the groups dock has collapsed it, shows itself as
// one button.
//
// The groups dock lays all its groups out together (their widths depend on each other), so a group
// window never lays itself out alone while it is docked: a change of its items asks the dock.
// The body is drawn inside the client area: the content sits at the skin's content offsets of the
// group element, the caption strip below it.
//
// The ribbon's bar painter draws the items and the collapsed group.
// Its large buttons fade between their normal and hot looks under the ribbon's fader
// (dxRibbonItemFading).
// Left out: the collapsed group's popup (a collapsed group draws as a button and does not open),
// caption buttons, key tips, design-time selection and the context menu.
#pragma once
#include <memory>
#include <vector>

#include "dxBarControl.h"
#include "dxRibbonGroupLayoutCalculator.h"
#include "dxRibbonGroupsDock.h"
#include "dxRibbonItemFading.h"

class TdxBar;
class TdxCustomRibbon;
class TdxRibbonTabGroup;
class TdxRibbonGroupBarControl;

// The base of the bar windows that live inside a ribbon.
class TdxRibbonCustomBarControl : public TdxBarControl {
  CALDERAN_CLASS(TdxRibbonCustomBarControl)
  TdxRibbonCustomBarControl(TComponent* owner, TdxBarManager* manager);

  virtual TdxCustomRibbon* GetRibbon() const { return nullptr; }
  // The ribbon's bar painter.
  TdxBarPainterClass GetPainter() const override;
  // The screen point lies in the window's part below its client area.
  virtual bool IsPointInCaptionArea(const TPoint& screenPoint);

  bool IsItemAlignmentAllowed(TdxBarItemControl*) const override { return true; }
  bool IsMainMenu() const override { return false; }
  Word GetBehaviourFlags() const override;
  // The ribbon's group font.
  TFont* ItemsFont() const override;
  void Dispatch(TMessage& message) override;

 protected:
  virtual void WMNCHitTest(TMessage& message);
};

// The layout of a group window: its items through the calculator, its content and frame sizes.
class TdxRibbonGroupBarControlViewInfo : public TCustomdxBarControlViewInfo, public IdxRibbonDockedGroup {
  CALDERAN_CLASS(TdxRibbonGroupBarControlViewInfo)
  explicit TdxRibbonGroupBarControlViewInfo(TdxRibbonGroupBarControl* barControl);
  ~TdxRibbonGroupBarControlViewInfo() override;

  TdxRibbonGroupBarControl* GroupBarControl() const;
  const TSize& ContentSize() const { return contentSize_; }
  void SetContentSize(const TSize& value) { contentSize_ = value; }
  const TSize& NonContentSize() const { return nonContentSize_; }
  int GroupRowHeight() const { return groupRowHeight_; }
  // The screen baseline of a key-tip row (0 to 2) and of the group's bottom; raise for a window
  // that is not shown or a row outside 0..2.
  int GetKeyTipRowBaseline(int row);
  int GetKeyTipBottomBaseline();

  // IdxRibbonDockedGroup
  void BeginLayout() override;
  void CalculateLayout() override { Recalculate(); }
  void EndLayout() override;
  IdxRibbonGroupLayoutCalculator* LayoutCalculator() override { return layoutCalculator_.get(); }
  IdxRibbonGroupViewInfo* LayoutHost() override;
  bool GetCollapsed() override { return collapsed_; }
  void SetCollapsed(bool value) override { collapsed_ = value; }
  bool CanCollapse() override;
  TSize GetSize() override;

  void Recalculate() override;

 protected:
  virtual IdxRibbonGroupLayoutCalculator* CreateLayoutCalculator();
  virtual void CalculateKeyTipBaselines();
  virtual TSize GetNonContentSize();

 private:
  class THelper;
  class TItemLayout;
  struct TKeyTipBaselines {
    int Bottom = 0;
    bool Calculated = false;
    int Rows[3] = {};
  };
  void ApplyItemRects();

  bool collapsed_ = false;
  TSize contentSize_;
  int groupRowHeight_ = 0;
  TKeyTipBaselines keyTipBaselines_;
  std::unique_ptr<IdxRibbonGroupLayoutCalculator> layoutCalculator_;
  TSize nonContentSize_;
  std::unique_ptr<THelper> helper_;
  std::vector<std::unique_ptr<TItemLayout>> itemLayouts_;
};

class TdxRibbonGroupBarControl : public TdxRibbonCustomBarControl {
  CALDERAN_CLASS(TdxRibbonGroupBarControl)
  // A window for the toolbar that a group of the dock's tab shows, child of the dock.
  TdxRibbonGroupBarControl(TdxRibbonGroupsDockControl* dockControl, TdxBar* toolbar);
  ~TdxRibbonGroupBarControl() override;

  TdxBar* Toolbar() const { return toolbar_; }
  TdxRibbonTabGroup* Group() const { return group_; }
  TdxRibbonGroupsDockControl* DockControl() const { return dockControl_; }
  TdxCustomRibbon* GetRibbon() const override { return ribbon_; }
  TdxRibbonGroupBarControlViewInfo* GroupViewInfo() const;
  bool Collapsed() const;
  // A collapsed group is all mark.
  bool MarkExists() const { return Collapsed(); }
  std::string Caption() const;
  // Where the items sit, and the caption strip, in client coordinates.
  TRect ContentRect();
  TRect CaptionRect();

  bool IsPointInCaptionArea(const TPoint& screenPoint) override;
  void UpdateLayout() override;
  // What lies behind an item is the group's body, which the window has drawn before its items.
  void FillBackground(HDC dc, const TRect& rect, HBRUSH brush, TColor color, bool wholeArea) override;
  // The ribbon's fader; none without a ribbon.
  TdxFader* GetFader() const;
  TdxRibbonItemFadings* ItemFadings() const { return fadings_.get(); }

 protected:
  void Paint() override;
  void DoSetSelectedItemControl(TdxBarItemControl* control) override;
  void DestroyItemControls() override;
  void WMNCHitTest(TMessage& message) override;

 private:
  TdxRibbonGroupsDockControl* dockControl_;
  TdxBar* toolbar_;
  TdxRibbonTabGroup* group_ = nullptr;
  TdxCustomRibbon* ribbon_ = nullptr;
  std::unique_ptr<TdxRibbonItemFadings> fadings_;
};
