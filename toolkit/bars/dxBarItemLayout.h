// What a layout (a ribbon group's) reads and sets of an item control through its view info: the
// view levels it allows and its width at each, where its link places it (new row, new column,
// continuing the row; button groups), and where the layout put it.
#pragma once
#include <cstdint>

#include "Types.h"
#include "dxBarItemLinks.h"
#include "dxBarTypes.h"

// An item that shows its content in several columns (a gallery) and can fold to one button.
class IdxBarMultiColumnItemViewInfo {
 public:
  virtual bool CanCollapse() = 0;
  virtual bool GetCollapsed() = 0;
  virtual int GetColumnCount() = 0;
  virtual int GetMaxColumnCount() = 0;
  virtual int GetMinColumnCount() = 0;
  virtual int GetWidthForColumnCount(int columnCount) = 0;
  virtual void SetCollapsed(bool value) = 0;
  virtual void SetColumnCount(int value) = 0;

 protected:
  ~IdxBarMultiColumnItemViewInfo() = default;
};

class IdxBarItemControlViewInfo {
 public:
  // The layout placed the item for good.
  virtual void LayoutFinalized() = 0;
  virtual TdxBarItemAlign GetAlign() = 0;
  virtual TdxBarItemViewLevels GetAllowedViewLevels() = 0;
  virtual TRect GetBounds() = 0;
  virtual int GetColumnRowCount() = 0;
  virtual TdxBarItemPosition GetPosition() = 0;
  virtual TdxBarButtonGroupPosition GetButtonGroupPosition() = 0;
  // 0 none, 1 first, 2 middle, 3 last, 4 single (as the layout resolved the button groups).
  virtual int GetRealPositionInButtonGroup() = 0;
  virtual int GetRow() = 0;
  virtual TdxBarItemViewLevel GetViewLevel() = 0;
  virtual TdxBarItemViewLevel GetViewLevelForButtonGroup() = 0;
  virtual int GetWidth(TdxBarItemViewLevel level) = 0;
  virtual bool GetBeginGroup() = 0;
  // The item's multi-column side, nullptr when it has none (or, when asked, while it is collapsed).
  virtual IdxBarMultiColumnItemViewInfo* GetMultiColumnItemViewInfo(bool onlyWhenExpanded) = 0;
  virtual void SetBounds(const TRect& value) = 0;
  virtual void SetColumnRowCount(int value) = 0;
  virtual void SetRealPositionInButtonGroup(int value) = 0;
  virtual void SetRow(int value) = 0;
  virtual void SetViewLevel(TdxBarItemViewLevel value) = 0;

 protected:
  ~IdxBarItemControlViewInfo() = default;
};
