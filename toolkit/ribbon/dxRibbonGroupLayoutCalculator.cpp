#include "dxRibbonGroupLayoutCalculator.h"

#include <algorithm>

CALDERAN_IMPLEMENT_CLASS(TdxRibbonGroupLayoutCalculator, TObject)

namespace {

constexpr int kMinGroupContentWidth = 30;
constexpr int kSeparatorWidth = 8;
constexpr int kSeparatorTop = 5;
constexpr int kSeparatorBottomGap = 6;

bool StartsRowRun(int realPosition) {
  return realPosition == bgrpNone || realPosition == bgrpFirst || realPosition == bgrpSingle;
}
bool EndsButtonGroup(int realPosition) { return realPosition == bgrpLast || realPosition == bgrpSingle; }
bool StartsButtonGroup(int realPosition) { return realPosition == bgrpFirst || realPosition == bgrpSingle; }

// Empty row slots left in the last column of `units` one-row units.
int FreeSlots(int units, int rows) { return (rows - units % rows) % rows; }

}  // namespace

TdxRibbonGroupLayoutCalculator::TdxRibbonGroupLayoutCalculator(int rowHeight, int rowCount)
    : rowCount_(rowCount), rowHeight_(rowHeight) {}

void TdxRibbonGroupLayoutCalculator::Attach(IdxRibbonGroupViewInfo* host) {
  host_ = host;
  items_.clear();
  for (int i = 0, count = host->GetItemControlCount(); i < count; ++i) items_.push_back(host->GetItemControlViewInfo(i));
  spacing_ = host->GetSpacing();
}

// ---------------------------------------------------------------------------------------------
// Item classes

IdxBarMultiColumnItemViewInfo* TdxRibbonGroupLayoutCalculator::ExpandedMultiColumn(int index) const {
  return Item(index)->GetMultiColumnItemViewInfo(true);
}

bool TdxRibbonGroupLayoutCalculator::IsFullHeightByNature(int index) const {
  return ExpandedMultiColumn(index) != nullptr ||
         Item(index)->GetAllowedViewLevels() == TdxBarItemViewLevels{ivlLargeIconWithText};
}

bool TdxRibbonGroupLayoutCalculator::IsLarge(int index) const {
  return ExpandedMultiColumn(index) != nullptr || Item(index)->GetViewLevel() == ivlLargeIconWithText;
}

bool TdxRibbonGroupLayoutCalculator::IsColumnStart(int index) const {
  return Item(index)->GetBeginGroup() ||
         (Item(index)->GetPosition() == ipBeginsNewColumn && StartsRowRun(RealPosition(index)));
}

// The item stays in the row of the one before it: a later member of a button group, or an item
// that continues the row.
bool TdxRibbonGroupLayoutCalculator::JoinsPrevious(int index) const {
  if (index <= 0) return false;
  int real = RealPosition(index);
  return real == bgrpMiddle || real == bgrpLast ||
         (Item(index)->GetPosition() == ipContinuesRow && !IsColumnStart(index));
}

bool TdxRibbonGroupLayoutCalculator::IsChained(int index) const {
  int real = RealPosition(index);
  return real == bgrpFirst || real == bgrpMiddle || JoinsPrevious(index) ||
         (index + 1 < Count() && JoinsPrevious(index + 1));
}

int TdxRibbonGroupLayoutCalculator::ChainEnd(int index) const {
  while (index + 1 < Count() && JoinsPrevious(index + 1)) ++index;
  return index;
}

bool TdxRibbonGroupLayoutCalculator::ChainHasLarge(int first, int last) const {
  for (int i = first; i <= last; ++i)
    if (IsLarge(i)) return true;
  return false;
}

int TdxRibbonGroupLayoutCalculator::CurrentWidth(int index) const {
  return Item(index)->GetWidth(Item(index)->GetViewLevel());
}

int TdxRibbonGroupLayoutCalculator::RealPosition(int index) const {
  return Item(index)->GetRealPositionInButtonGroup();
}

// ---------------------------------------------------------------------------------------------
// Preparing

void TdxRibbonGroupLayoutCalculator::CalculateRealButtonGroupPositions() {
  auto position = [this](int index) {
    return IsFullHeightByNature(index) ? bgpNone : Item(index)->GetButtonGroupPosition();
  };
  auto nextContinues = [&](int index) {
    return index + 1 < Count() && position(index + 1) == bgpMember && !Item(index + 1)->GetBeginGroup();
  };
  for (int i = 0; i < Count(); ++i) {
    int real = bgrpNone;
    if (position(i) == bgpStart)
      real = nextContinues(i) ? bgrpFirst : bgrpSingle;
    else if (position(i) == bgpMember && !Item(i)->GetBeginGroup() && i > 0 &&
             (RealPosition(i - 1) == bgrpFirst || RealPosition(i - 1) == bgrpMiddle))
      real = nextContinues(i) ? bgrpMiddle : bgrpLast;
    Item(i)->SetRealPositionInButtonGroup(real);
  }
}

void TdxRibbonGroupLayoutCalculator::PrepareItems(IdxRibbonGroupViewInfo* host) {
  Attach(host);
  CalculateRealButtonGroupPositions();
  for (IdxBarItemControlViewInfo* item : items_) {
    item->SetBounds(TRect());
    if (item->GetRealPositionInButtonGroup() != bgrpNone) {
      item->SetViewLevel(item->GetViewLevelForButtonGroup());
    } else {
      TdxBarItemViewLevels allowed = item->GetAllowedViewLevels();
      for (int level = ivlLargeIconWithText; level <= ivlControlOnly; ++level)
        if (allowed.Contains(TdxBarItemViewLevel(level))) {
          item->SetViewLevel(TdxBarItemViewLevel(level));
          break;
        }
    }
    if (IdxBarMultiColumnItemViewInfo* multiColumn = item->GetMultiColumnItemViewInfo(false)) {
      multiColumn->SetCollapsed(false);
      multiColumn->SetColumnCount(multiColumn->GetMaxColumnCount());
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Layout

void TdxRibbonGroupLayoutCalculator::ArrangeItems(IdxRibbonGroupViewInfo* host) {
  Attach(host);
  host->DeleteSeparators();
  columnCount_ = -1;
  x_ = 0;
  itemColumns_.assign(Count(), -1);
  itemSeparators_.assign(Count(), -1);
  int i = 0;
  while (i < Count()) {
    int j = i;
    while (j < Count() && !IsLarge(j) && (j == i || !IsColumnStart(j))) ++j;
    if (j > i) {
      CloseColumn(i - 1);
      PlaceOneRowItems(i, j - 1);
    }
    for (i = j; i < Count() && IsLarge(i); ++i) {
      CloseColumn(i - 1);
      PlaceFullHeightItem(i);
    }
  }
  if (Count() > 0) AdjustButtonGroupSpacing(Count() - 1);
  MoveItems(0, Count() - 1, spacing_.LeftMargin);
  x_ += spacing_.LeftMargin + spacing_.RightMargin;
  ApplyMinimalWidth();
  host->SetContentSize(TSize(x_, ContentHeight()));
  for (IdxBarItemControlViewInfo* item : items_) item->LayoutFinalized();
}

void TdxRibbonGroupLayoutCalculator::ApplyMinimalWidth() {
  int minWidth = std::max(host_->GetMinWidth(), kMinGroupContentWidth);
  if (x_ >= minWidth) return;
  // Separators move with the items, so they keep standing between them.
  if (x_ != 0) MoveItems(0, Count() - 1, (minWidth - x_) / 2);
  x_ = minWidth;
}

void TdxRibbonGroupLayoutCalculator::AddSeparatorBefore(int index) {
  host_->AddSeparator(TRect(x_, kSeparatorTop, x_ + kSeparatorWidth, ContentHeight() - kSeparatorBottomGap), true);
  x_ += kSeparatorWidth;
  itemSeparators_[index] = host_->GetSeparatorCount() - 1;
}

void TdxRibbonGroupLayoutCalculator::PlaceFullHeightItem(int index) {
  if (Item(index)->GetBeginGroup()) AddSeparatorBefore(index);
  int width = CurrentWidth(index);
  Item(index)->SetBounds(TRect(x_, 0, x_ + width, ContentHeight()));
  itemColumns_[index] = columnCount_;
  Item(index)->SetRow(0);
  x_ += width;
}

void TdxRibbonGroupLayoutCalculator::PlaceOneRowItems(int first, int last) {
  if (Item(first)->GetBeginGroup()) AddSeparatorBefore(first);
  int row = 0, columnLeft = x_, rowX = x_, columnRight = x_, columnStart = first;
  for (int j = first; j <= last; ++j) {
    if (j > first && Item(j)->GetPosition() == ipBeginsNewRow && StartsRowRun(RealPosition(j))) {
      if (++row < rowCount_) {
        rowX = columnLeft;
      } else {
        AlignColumn(columnStart, columnRight - columnLeft);
        columnStart = j;
        row = 0;
        x_ = columnRight;
        CloseColumn(j - 1);
        columnLeft = rowX = columnRight = x_;
      }
    }
    itemColumns_[j] = columnCount_;
    Item(j)->SetRow(row);
    int real = RealPosition(j);
    if (StartsRowRun(real) && j > 0 && itemColumns_[j - 1] == columnCount_ && Item(j - 1)->GetRow() == row &&
        (StartsButtonGroup(real) || (real == bgrpNone && EndsButtonGroup(RealPosition(j - 1)))))
      rowX += spacing_.Gap;
    int width = CurrentWidth(j);
    Item(j)->SetBounds(TRect(rowX, row * rowHeight_, rowX + width, (row + 1) * rowHeight_));
    rowX += width;
    columnRight = std::max(columnRight, rowX);
  }
  AlignColumn(columnStart, columnRight - columnLeft);
  x_ = columnRight;
  DistributeRows(first, last);
}

// A lone item of its row lines up in the column's width by its alignment.
void TdxRibbonGroupLayoutCalculator::AlignColumn(int first, int width) {
  int column = itemColumns_[first];
  int last = first;
  while (last + 1 < Count() && itemColumns_[last + 1] == column) ++last;
  for (int i = first; i <= last; ++i) {
    int row = Item(i)->GetRow();
    bool alone = (i == first || Item(i - 1)->GetRow() != row) && (i == last || Item(i + 1)->GetRow() != row);
    if (!alone) continue;
    TRect bounds = Item(i)->GetBounds();
    switch (Item(i)->GetAlign()) {
      case iaCenter: bounds.Offset((width - bounds.Width()) / 2, 0); break;
      case iaRight: bounds.Offset(width - bounds.Width(), 0); break;
      case iaClient: bounds.Right = bounds.Left + width; break;
      default: continue;
    }
    Item(i)->SetBounds(bounds);
  }
}

// Columns with fewer rows than the group share the empty height in equal gaps.
void TdxRibbonGroupLayoutCalculator::DistributeRows(int first, int last) {
  int height = ContentHeight();
  for (int start = first; start <= last;) {
    int end = start;
    while (end + 1 <= last && itemColumns_[end + 1] == itemColumns_[start]) ++end;
    int rows = Item(end)->GetRow() + 1;
    int gap = rows < rowCount_ ? (height - rows * rowHeight_) / (rows + 1) : 0;
    for (int i = start; i <= end; ++i) {
      if (rows < rowCount_) {
        TRect bounds = Item(i)->GetBounds();
        bounds.Top = height - (rows - Item(i)->GetRow()) * (gap + rowHeight_);
        bounds.Bottom = bounds.Top + rowHeight_;
        Item(i)->SetBounds(bounds);
      }
      Item(i)->SetColumnRowCount(rows);
    }
    start = end + 1;
  }
}

void TdxRibbonGroupLayoutCalculator::CloseColumn(int last) {
  AdjustButtonGroupSpacing(last);
  ++columnCount_;
}

// A button group keeps the gap from whatever stands in the column before it, and a plain column
// keeps it from a button group that ends the column before.
void TdxRibbonGroupLayoutCalculator::AdjustButtonGroupSpacing(int last) {
  if (columnCount_ <= 0 || last < 0) return;
  int first = last;
  while (first > 0 && itemColumns_[first - 1] == columnCount_) --first;
  if (Item(first)->GetBeginGroup()) return;
  constexpr int kNone = -1;
  int previousRight = kNone, previousGroupRight = kNone;
  for (int i = 0; i < first; ++i) {
    if (itemColumns_[i] != columnCount_ - 1) continue;
    int right = Item(i)->GetBounds().Right;
    previousRight = std::max(previousRight, right);
    if (EndsButtonGroup(RealPosition(i))) previousGroupRight = std::max(previousGroupRight, right);
  }
  int left = Item(first)->GetBounds().Left, groupLeft = kNone;
  for (int i = first; i <= last; ++i)
    if (StartsButtonGroup(RealPosition(i)) && (groupLeft == kNone || Item(i)->GetBounds().Left < groupLeft))
      groupLeft = Item(i)->GetBounds().Left;
  int gap = spacing_.Gap, shift = 0;
  if (previousGroupRight != kNone && left - previousGroupRight < gap) shift = gap - (left - previousGroupRight);
  if (groupLeft != kNone && groupLeft - previousRight < gap) shift = std::max(shift, gap - (groupLeft - previousRight));
  if (shift <= 0) return;
  MoveItems(first, last, shift);
  x_ += shift;
}

void TdxRibbonGroupLayoutCalculator::MoveItems(int first, int last, int dx) {
  for (int i = first; i <= last; ++i) {
    TRect bounds = Item(i)->GetBounds();
    bounds.Offset(dx, 0);
    Item(i)->SetBounds(bounds);
  }
  for (int i = first; i <= last; ++i) {
    if (itemSeparators_[i] < 0) continue;
    TRect bounds = host_->GetSeparatorBounds(itemSeparators_[i]);
    bounds.Offset(dx, 0);
    host_->SetSeparatorBounds(itemSeparators_[i], bounds);
  }
}

// ---------------------------------------------------------------------------------------------
// Multi-column items

bool TdxRibbonGroupLayoutCalculator::FoldMultiColumnItem(IdxRibbonGroupViewInfo* host) {
  Attach(host);
  for (int i = Count() - 1; i >= 0; --i) {
    IdxBarMultiColumnItemViewInfo* multiColumn = ExpandedMultiColumn(i);
    if (multiColumn == nullptr || !multiColumn->CanCollapse()) continue;
    multiColumn->SetCollapsed(true);
    ArrangeItems(host);
    return true;
  }
  return false;
}

bool TdxRibbonGroupLayoutCalculator::NarrowMultiColumnItem(IdxRibbonGroupViewInfo* host) {
  Attach(host);
  for (int i = Count() - 1; i >= 0; --i) {
    IdxBarMultiColumnItemViewInfo* multiColumn = ExpandedMultiColumn(i);
    if (multiColumn == nullptr || multiColumn->GetColumnCount() <= multiColumn->GetMinColumnCount()) continue;
    multiColumn->SetColumnCount(multiColumn->GetColumnCount() - 1);
    ArrangeItems(host);
    return true;
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// Turning large items small (height reducing)

void TdxRibbonGroupLayoutCalculator::PrepareReduction(IdxRibbonGroupViewInfo* host) {
  Attach(host);
  sequences_.clear();
  // One-row units before a run count on across the passes that found no large item.
  int units = 0;
  for (int position = 0; position < Count();) {
    TSequenceForWholeGroupHeightReducing sequence;
    position = BuildSequence(position, units, sequence);
    if (sequence.empty()) continue;
    sequences_.push_back(std::move(sequence));
    units = 0;
  }
  lastSequence_ = static_cast<int>(sequences_.size()) - 1;
  rowReductionCursor_ = Count() - 1;
}

// A run of large items that one column block holds, each with the one-row units (a small item or
// a chain of them) beside it. Answers where the next sequence starts.
int TdxRibbonGroupLayoutCalculator::BuildSequence(int start, int& units,
                                                  TSequenceForWholeGroupHeightReducing& sequence) const {
  int i = start;
  while (i < Count()) {
    if (IsFullHeightByNature(i)) {
      ++i;
    } else if (IsChained(i)) {
      int end = ChainEnd(i);
      bool large = ChainHasLarge(i, end);
      i = end + 1;
      if (!large) {
        ++units;
        break;
      }
    } else {
      if (!IsLarge(i)) {
        ++units;
        ++i;
      }
      break;
    }
  }
  if (i >= Count() || !IsLarge(i)) return i;
  sequence.push_back({i, units, 0});
  units = 0;
  for (++i; i < Count() && !IsFullHeightByNature(i) && !IsColumnStart(i);) {
    if (IsChained(i)) {
      int end = ChainEnd(i);
      if (ChainHasLarge(i, end)) break;
      ++units;
      i = end + 1;
    } else if (IsLarge(i)) {
      sequence.back().SmallUnitsAfter = units;
      sequence.push_back({i, units, 0});
      units = 0;
      ++i;
    } else {
      ++units;
      ++i;
    }
  }
  if (units > 0) sequence.back().SmallUnitsAfter = units;
  return i;
}

// The item joins its neighbours' columns without adding one.
bool TdxRibbonGroupLayoutCalculator::IsWorthTurningSmall(const TSequenceForWholeGroupHeightReducingItem& element) const {
  int before = element.SmallUnitsBefore, after = element.SmallUnitsAfter;
  return FreeSlots(before, rowCount_) + FreeSlots(after, rowCount_) >= FreeSlots(before + after + 1, rowCount_);
}

void TdxRibbonGroupLayoutCalculator::TurnSmall(int index) {
  TdxBarItemViewLevels allowed = Item(index)->GetAllowedViewLevels();
  for (int level = ivlSmallIconWithText; level <= ivlControlOnly; ++level)
    if (allowed.Contains(TdxBarItemViewLevel(level))) {
      Item(index)->SetViewLevel(TdxBarItemViewLevel(level));
      return;
    }
}

bool TdxRibbonGroupLayoutCalculator::ReduceHeight() {
  while (lastSequence_ >= 0) {
    TSequenceForWholeGroupHeightReducing& sequence = sequences_[lastSequence_];
    if (sequence.empty()) {
      --lastSequence_;
    } else if (sequence.size() == 1) {
      if (!IsWorthTurningSmall(sequence[0])) {
        --lastSequence_;
        continue;
      }
      TurnSmall(sequence[0].Item);
      sequence.clear();
      return true;
    } else {
      // The last large item always goes; the ones before follow while each then fits in the
      // free row slots beside it.
      bool merging = true;
      while (merging && !sequence.empty()) {
        TSequenceForWholeGroupHeightReducingItem last = sequence.back();
        sequence.pop_back();
        TurnSmall(last.Item);
        if (sequence.empty()) break;
        TSequenceForWholeGroupHeightReducingItem& previous = sequence.back();
        merging = previous.SmallUnitsAfter == 0;
        previous.SmallUnitsAfter += last.SmallUnitsAfter + 1;
        merging = merging && IsWorthTurningSmall(previous);
      }
      return true;
    }
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// Making the widest one-row items of a column smaller (row reducing)

bool TdxRibbonGroupLayoutCalculator::ReduceRows(TdxBarItemViewLevel level) {
  while (true) {
    while (rowReductionCursor_ >= 0 && IsLarge(rowReductionCursor_)) --rowReductionCursor_;
    if (rowReductionCursor_ < 0) return false;
    int last = rowReductionCursor_, first = last;
    while (first > 0 && itemColumns_[first - 1] == itemColumns_[last]) --first;
    rowReductionCursor_ = first - 1;
    if (ReduceColumn(first, last, level)) return true;
  }
}

bool TdxRibbonGroupLayoutCalculator::ReduceColumn(int first, int last, TdxBarItemViewLevel level) {
  int widest = 0, widestReduced = 0;
  std::vector<int> candidates;
  for (int i = last; i >= first;) {
    int start = i, width = CurrentWidth(i), reducedWidth = width;
    if (IsChained(i)) {
      // A chain keeps its levels; it counts by its whole width.
      while (start > first && JoinsPrevious(start)) width += CurrentWidth(--start);
      reducedWidth = width;
    } else {
      IdxBarItemControlViewInfo* item = Item(i);
      if (item->GetViewLevel() < level && item->GetAllowedViewLevels().Contains(level)) {
        candidates.push_back(i);
        reducedWidth = item->GetWidth(level);
      }
    }
    widest = std::max(widest, width);
    widestReduced = std::max(widestReduced, reducedWidth);
    i = start - 1;
  }
  bool reduced = false;
  for (int i : candidates)
    if (Item(i)->GetWidth(level) < widest && CurrentWidth(i) > widestReduced) {
      Item(i)->SetViewLevel(level);
      reduced = true;
    }
  return reduced;
}

bool TdxRibbonGroupLayoutCalculator::LowerViewLevel(IdxRibbonGroupViewInfo* host, TdxBarItemViewLevel level) {
  Attach(host);
  if (Count() == 0) return false;
  bool reduced;
  if (level == ivlSmallIconWithText) {
    reduced = ReduceHeight();
  } else {
    reduced = ReduceRows(level);
    if (!reduced) rowReductionCursor_ = Count() - 1;
  }
  if (reduced) ArrangeItems(host);
  return reduced;
}
