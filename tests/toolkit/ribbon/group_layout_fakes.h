// Item view infos and a group host made of plain data, for laying out ribbon groups without
// windows: each item answers its widths per view level from a table.
#pragma once
#include <deque>
#include <vector>

#include "dxRibbonGroupLayoutCalculator.h"

class TFakeMultiColumn : public IdxBarMultiColumnItemViewInfo {
 public:
  bool Collapsible = true, Collapsed = false;
  int Columns = 4, MinColumns = 2, MaxColumns = 4, ColumnWidth = 30;
  bool CanCollapse() override { return Collapsible; }
  bool GetCollapsed() override { return Collapsed; }
  int GetColumnCount() override { return Columns; }
  int GetMaxColumnCount() override { return MaxColumns; }
  int GetMinColumnCount() override { return MinColumns; }
  int GetWidthForColumnCount(int columnCount) override { return columnCount * ColumnWidth + 10; }
  void SetCollapsed(bool value) override { Collapsed = value; }
  void SetColumnCount(int value) override { Columns = value; }
};

class TFakeItem : public IdxBarItemControlViewInfo {
 public:
  // Widths at the levels large, small with text, small icon, control only.
  int Widths[4] = {40, 60, 22, 22};
  TdxBarItemViewLevels Allowed{ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon};
  TdxBarItemViewLevel Level = ivlLargeIconWithText, GroupLevel = ivlSmallIcon;
  TdxBarItemPosition Position = ipBeginsNewRow;
  TdxBarButtonGroupPosition ButtonGroup = bgpNone;
  TdxBarItemAlign Align = iaLeft;
  bool BeginGroup = false, Finalized = false;
  TRect Bounds;
  int Row = -1, ColumnRowCount = 0, Real = -1;
  TFakeMultiColumn* MultiColumn = nullptr;

  void LayoutFinalized() override { Finalized = true; }
  TdxBarItemAlign GetAlign() override { return Align; }
  TdxBarItemViewLevels GetAllowedViewLevels() override { return Allowed; }
  TRect GetBounds() override { return Bounds; }
  int GetColumnRowCount() override { return ColumnRowCount; }
  TdxBarItemPosition GetPosition() override { return Position; }
  TdxBarButtonGroupPosition GetButtonGroupPosition() override { return ButtonGroup; }
  int GetRealPositionInButtonGroup() override { return Real; }
  int GetRow() override { return Row; }
  TdxBarItemViewLevel GetViewLevel() override { return Level; }
  TdxBarItemViewLevel GetViewLevelForButtonGroup() override { return GroupLevel; }
  int GetWidth(TdxBarItemViewLevel level) override {
    if (MultiColumn != nullptr && !MultiColumn->Collapsed) return MultiColumn->GetWidthForColumnCount(MultiColumn->Columns);
    return Widths[level];
  }
  bool GetBeginGroup() override { return BeginGroup; }
  IdxBarMultiColumnItemViewInfo* GetMultiColumnItemViewInfo(bool onlyWhenExpanded) override {
    return MultiColumn != nullptr && (!onlyWhenExpanded || !MultiColumn->Collapsed) ? MultiColumn : nullptr;
  }
  void SetBounds(const TRect& value) override { Bounds = value; }
  void SetColumnRowCount(int value) override { ColumnRowCount = value; }
  void SetRealPositionInButtonGroup(int value) override { Real = value; }
  void SetRow(int value) override { Row = value; }
  void SetViewLevel(TdxBarItemViewLevel value) override { Level = value; }
};

// A small button: small icon with text (width `width`) or the icon alone (22); in a button group
// it keeps its text.
inline TFakeItem SmallButton(int width = 50) {
  TFakeItem item;
  item.Allowed = {ivlSmallIconWithText, ivlSmallIcon};
  item.Widths[ivlSmallIconWithText] = width;
  item.GroupLevel = ivlSmallIconWithText;
  return item;
}

// A large button `width` wide that may turn into a small one of `smallWidth`.
inline TFakeItem LargeButton(int width = 40, int smallWidth = 60) {
  TFakeItem item;
  item.Widths[ivlLargeIconWithText] = width;
  item.Widths[ivlSmallIconWithText] = smallWidth;
  return item;
}

struct TFakeSeparator {
  TRect Bounds;
  bool Horizontal;
};

class TFakeGroup : public IdxRibbonGroupViewInfo {
 public:
  std::deque<TFakeItem> Items;  // stable addresses while items are added
  std::vector<TFakeSeparator> Separators;
  TSize ContentSize;
  int MinWidth = 0;

  TFakeItem& Add(const TFakeItem& item) { return Items.emplace_back(item); }
  TFakeItem& operator[](int index) { return Items[index]; }

  void AddSeparator(const TRect& bounds, bool horizontal) override { Separators.push_back({bounds, horizontal}); }
  void DeleteSeparators() override { Separators.clear(); }
  TSize GetContentSize() override { return ContentSize; }
  int GetItemControlCount() override { return static_cast<int>(Items.size()); }
  IdxBarItemControlViewInfo* GetItemControlViewInfo(int index) override { return &Items[index]; }
  int GetMinWidth() override { return MinWidth; }
  TdxRibbonGroupSpacing GetSpacing() override { return {}; }
  int GetSeparatorCount() override { return static_cast<int>(Separators.size()); }
  TRect GetSeparatorBounds(int index) override { return Separators[index].Bounds; }
  void SetContentSize(const TSize& value) override { ContentSize = value; }
  void SetSeparatorBounds(int index, const TRect& value) override { Separators[index].Bounds = value; }
};

// The group row height of the tests: three rows make a content 66 high.
constexpr int kRowHeight = 22;
