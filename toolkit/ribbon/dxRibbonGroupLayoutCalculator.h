// The layout of one ribbon group: the item controls of a toolbar placed in a block of three rows.
// The calculator decides which items take the whole group height and which share columns of
// one-row items, where separators go, how a lone item lines up in its row, and how wide the
// content is. When the ribbon runs short of width it shrinks the group one step at a time
// (narrowing and folding multi-column items, turning large items small where that saves a column,
// making the widest one-row items of a column smaller); the groups dock control decides when and
// in which order across the groups the steps run, and every step re-runs the whole layout.
//
// Geometry is in group-content coordinates: the content is H = rows x row height high.
// Left out: the calculator never measures anything itself; widths come from the item view infos,
// the caption width and the spacing from the group host.
#pragma once
#include <vector>

#include "Types.h"
#include "dxBarItemLayout.h"

// Where a group's content takes its spacing from: the gap before a button group or a separator
// neighbour, and the margins left and right of the content.
struct TdxRibbonGroupSpacing {
  int Gap = 3;
  int LeftMargin = 2;
  int RightMargin = 2;
};

// What the calculator needs of the group it lays out (the group window's view info offers it).
class IdxRibbonGroupViewInfo {
 public:
  virtual void AddSeparator(const TRect& bounds, bool horizontal) = 0;
  virtual void DeleteSeparators() = 0;
  virtual TSize GetContentSize() = 0;
  virtual int GetItemControlCount() = 0;
  virtual IdxBarItemControlViewInfo* GetItemControlViewInfo(int index) = 0;
  // The width the group's caption needs.
  virtual int GetMinWidth() = 0;
  virtual TdxRibbonGroupSpacing GetSpacing() = 0;
  virtual int GetSeparatorCount() = 0;
  virtual TRect GetSeparatorBounds(int index) = 0;
  virtual void SetContentSize(const TSize& value) = 0;
  virtual void SetSeparatorBounds(int index, const TRect& value) = 0;

 protected:
  ~IdxRibbonGroupViewInfo() = default;
};

class IdxRibbonGroupLayoutCalculator {
 public:
  virtual ~IdxRibbonGroupLayoutCalculator() = default;
  // Each item back at its largest level (or its button-group level), multi-column items expanded.
  virtual void PrepareItems(IdxRibbonGroupViewInfo* host) = 0;
  virtual void ArrangeItems(IdxRibbonGroupViewInfo* host) = 0;
  // Each shrinking step answers whether it changed anything (and then laid the group out again).
  virtual bool FoldMultiColumnItem(IdxRibbonGroupViewInfo* host) = 0;
  virtual bool NarrowMultiColumnItem(IdxRibbonGroupViewInfo* host) = 0;
  virtual bool LowerViewLevel(IdxRibbonGroupViewInfo* host, TdxBarItemViewLevel level) = 0;
  virtual void PrepareReduction(IdxRibbonGroupViewInfo* host) = 0;
};

// One large item of a run that height reducing may turn small, with the one-row units around it.
struct TSequenceForWholeGroupHeightReducingItem {
  int Item = -1;
  int SmallUnitsBefore = 0;
  int SmallUnitsAfter = 0;
};
using TSequenceForWholeGroupHeightReducing = std::vector<TSequenceForWholeGroupHeightReducingItem>;
using TSequencesForWholeGroupHeightReducing = std::vector<TSequenceForWholeGroupHeightReducing>;

// Button-group positions once a layout pass resolved them (stored in the item view infos).
constexpr int bgrpNone = 0, bgrpFirst = 1, bgrpMiddle = 2, bgrpLast = 3, bgrpSingle = 4;

class TdxRibbonGroupLayoutCalculator : public TObject, public IdxRibbonGroupLayoutCalculator {
  CALDERAN_CLASS(TdxRibbonGroupLayoutCalculator)
  TdxRibbonGroupLayoutCalculator(int rowHeight, int rowCount);

  void PrepareItems(IdxRibbonGroupViewInfo* host) override;
  void ArrangeItems(IdxRibbonGroupViewInfo* host) override;
  bool FoldMultiColumnItem(IdxRibbonGroupViewInfo* host) override;
  bool NarrowMultiColumnItem(IdxRibbonGroupViewInfo* host) override;
  bool LowerViewLevel(IdxRibbonGroupViewInfo* host, TdxBarItemViewLevel level) override;
  void PrepareReduction(IdxRibbonGroupViewInfo* host) override;

  int ColumnCount() const { return columnCount_; }
  int ContentHeight() const { return rowCount_ * rowHeight_; }
  const TSequencesForWholeGroupHeightReducing& Sequences() const { return sequences_; }

 private:
  // The host and its items for the running operation.
  void Attach(IdxRibbonGroupViewInfo* host);
  IdxBarItemControlViewInfo* Item(int index) const { return items_[index]; }
  int Count() const { return static_cast<int>(items_.size()); }

  // Item classes.
  IdxBarMultiColumnItemViewInfo* ExpandedMultiColumn(int index) const;
  bool IsFullHeightByNature(int index) const;
  bool IsLarge(int index) const;
  bool IsColumnStart(int index) const;
  bool JoinsPrevious(int index) const;
  bool IsChained(int index) const;
  int ChainEnd(int index) const;
  bool ChainHasLarge(int first, int last) const;
  int CurrentWidth(int index) const;
  int RealPosition(int index) const;

  // Layout steps.
  void CalculateRealButtonGroupPositions();
  void AddSeparatorBefore(int index);
  void PlaceFullHeightItem(int index);
  void PlaceOneRowItems(int first, int last);
  void AlignColumn(int first, int width);
  void DistributeRows(int first, int last);
  void CloseColumn(int last);
  void AdjustButtonGroupSpacing(int last);
  void MoveItems(int first, int last, int dx);
  void ApplyMinimalWidth();

  // Reduction steps.
  int BuildSequence(int start, int& units, TSequenceForWholeGroupHeightReducing& sequence) const;
  bool IsWorthTurningSmall(const TSequenceForWholeGroupHeightReducingItem& element) const;
  void TurnSmall(int index);
  bool ReduceHeight();
  bool ReduceRows(TdxBarItemViewLevel level);
  bool ReduceColumn(int first, int last, TdxBarItemViewLevel level);

  int columnCount_ = -1;
  int rowCount_;
  int rowHeight_;
  std::vector<int> itemColumns_;
  int rowReductionCursor_ = -1;
  std::vector<int> itemSeparators_;
  int lastSequence_ = -1;
  TSequencesForWholeGroupHeightReducing sequences_;
  int x_ = 0;

  IdxRibbonGroupViewInfo* host_ = nullptr;
  std::vector<IdxBarItemControlViewInfo*> items_;
  TdxRibbonGroupSpacing spacing_;
};
