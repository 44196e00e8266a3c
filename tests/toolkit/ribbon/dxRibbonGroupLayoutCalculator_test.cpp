#include "calderan_test.h"

#include <string>

#include "group_layout_fakes.h"

namespace {

// A fresh layout pass, as the group window runs it.
void Layout(TdxRibbonGroupLayoutCalculator& calculator, TFakeGroup& group) {
  calculator.PrepareItems(&group);
  calculator.ArrangeItems(&group);
}

std::string Describe(const TRect& r) {
  return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom) + ")";
}

TEST(GroupLayout, SmallButtonsFillAColumnOfThreeRowsAndShareTheHeightOfShortColumns) {
  // Buttons 50 wide; the content starts after the left margin of 2.
  struct TCase {
    int Count;
    std::vector<TRect> Bounds;
    int Width, RowsOfFirstColumn;
  };
  const TCase cases[] = {
      // One row: the gap (66 - 22) div 2 = 22 above and below.
      {1, {{2, 22, 52, 44}}, 54, 1},
      // Two rows: g = (66 - 2 * 22) div 3 = 7, tops 66 - 2 * 29 and 66 - 29.
      {2, {{2, 8, 52, 30}, {2, 37, 52, 59}}, 54, 2},
      {3, {{2, 0, 52, 22}, {2, 22, 52, 44}, {2, 44, 52, 66}}, 54, 3},
      // The fourth starts column 2, alone in it and centred vertically.
      {4, {{2, 0, 52, 22}, {2, 22, 52, 44}, {2, 44, 52, 66}, {52, 22, 102, 44}}, 104, 3},
  };
  for (const TCase& c : cases) {
    TFakeGroup group;
    for (int i = 0; i < c.Count; ++i) group.Add(SmallButton());
    TdxRibbonGroupLayoutCalculator calculator(kRowHeight, 3);
    Layout(calculator, group);
    for (int i = 0; i < c.Count; ++i) {
      EXPECT_EQ(group[i].Bounds, c.Bounds[i]) << c.Count << " buttons, #" << i << " at " << Describe(group[i].Bounds);
      EXPECT_TRUE(group[i].Finalized);
    }
    EXPECT_EQ(group.ContentSize, TSize(c.Width, 66)) << c.Count << " buttons";
    EXPECT_EQ(group[0].ColumnRowCount, c.RowsOfFirstColumn) << c.Count << " buttons";
    EXPECT_EQ(calculator.ColumnCount(), c.Count > 3 ? 1 : 0) << c.Count << " buttons";
  }
}

TEST(GroupLayout, AButtonGroupKeepsTheGapFromThePlainItemBeforeItInTheRow) {
  struct TCase {
    const char* Name;
    TdxBarButtonGroupPosition Second;
    int SecondLeft;
  };
  const TCase cases[] = {
      {"plain then button group", bgpStart, 2 + 30 + 3},
      {"plain then plain", bgpNone, 2 + 30},
  };
  for (const TCase& c : cases) {
    TFakeGroup group;
    group.Add(SmallButton(30));
    TFakeItem& second = group.Add(SmallButton(20));
    second.Position = ipContinuesRow;
    second.ButtonGroup = c.Second;
    TdxRibbonGroupLayoutCalculator calculator(kRowHeight, 3);
    Layout(calculator, group);
    EXPECT_EQ(group[1].Bounds.Left, c.SecondLeft) << c.Name;
    EXPECT_EQ(group[1].Row, 0) << c.Name;
  }
}

TEST(GroupLayout, APlainItemAfterAButtonGroupInTheRowIsThreePixelsFurtherRight) {
  TFakeGroup group;
  group.Add(SmallButton(20)).ButtonGroup = bgpStart;
  TFakeItem& plain = group.Add(SmallButton(30));
  plain.Position = ipContinuesRow;
  TdxRibbonGroupLayoutCalculator calculator(kRowHeight, 3);
  Layout(calculator, group);
  EXPECT_EQ(group[0].Real, bgrpSingle);
  EXPECT_EQ(group[1].Bounds.Left, 2 + 20 + 3);
}

TEST(GroupLayout, AColumnStartingWithAButtonGroupKeepsTheGapFromTheColumnBefore) {
  TFakeGroup group;
  group.Add(LargeButton(40));
  group.Add(SmallButton(20)).ButtonGroup = bgpStart;
  TdxRibbonGroupLayoutCalculator calculator(kRowHeight, 3);
  Layout(calculator, group);
  EXPECT_EQ(group[0].Bounds, TRect(2, 0, 42, 66));
  EXPECT_EQ(group[1].Bounds.Left, 45);
  EXPECT_EQ(group.ContentSize.cx, 40 + 3 + 20 + 4);
}

TEST(GroupLayout, AnEmptyGroupIsThirtyWideOrAsWideAsItsCaption) {
  const int minWidths[] = {0, 29, 30, 45};
  for (int minWidth : minWidths) {
    TFakeGroup group;
    group.MinWidth = minWidth;
    TdxRibbonGroupLayoutCalculator calculator(kRowHeight, 3);
    Layout(calculator, group);
    EXPECT_EQ(group.ContentSize, TSize(std::max(minWidth, 30), 66)) << "caption " << minWidth;
    EXPECT_FALSE(calculator.LowerViewLevel(&group, ivlSmallIconWithText));
  }
}

TEST(GroupLayout, NarrowContentIsCentredInTheCaptionWidthWithItsSeparators) {
  TFakeGroup group;
  group.MinWidth = 100;
  group.Add(LargeButton(20));
  group.Add(LargeButton(20)).BeginGroup = true;
  TdxRibbonGroupLayoutCalculator calculator(kRowHeight, 3);
  Layout(calculator, group);
  // Content 20 + 8 + 20 + 4 = 52, moved by (100 - 52) div 2 = 24.
  EXPECT_EQ(group.ContentSize.cx, 100);
  EXPECT_EQ(group[0].Bounds, TRect(26, 0, 46, 66));
  ASSERT_EQ(group.Separators.size(), 1u);
  EXPECT_EQ(group.Separators[0].Bounds, TRect(46, 5, 54, 60));
  EXPECT_TRUE(group.Separators[0].Horizontal);
  EXPECT_EQ(group[1].Bounds, TRect(54, 0, 74, 66));
}

TEST(GroupLayout, ALoneItemLinesUpInItsColumnByItsAlignment) {
  struct TCase {
    TdxBarItemAlign Align;
    TRect Bounds;
  };
  // The column is 80 wide (the first button); the second is 40.
  const TCase cases[] = {
      {iaLeft, {2, 37, 42, 59}}, {iaCenter, {22, 37, 62, 59}}, {iaRight, {42, 37, 82, 59}}, {iaClient, {2, 37, 82, 59}}};
  for (const TCase& c : cases) {
    TFakeGroup group;
    group.Add(SmallButton(80));
    group.Add(SmallButton(40)).Align = c.Align;
    TdxRibbonGroupLayoutCalculator calculator(kRowHeight, 3);
    Layout(calculator, group);
    EXPECT_EQ(group[1].Bounds, c.Bounds) << int(c.Align) << " at " << Describe(group[1].Bounds);
  }
}

TEST(GroupLayout, RealButtonGroupPositionsFollowTheLinks) {
  struct TCase {
    const char* Name;
    std::vector<TdxBarButtonGroupPosition> Links;
    int BeginGroupAt;
    std::vector<int> Real;
  };
  const TCase cases[] = {
      {"three members", {bgpStart, bgpMember, bgpMember}, -1, {bgrpFirst, bgrpMiddle, bgrpLast}},
      {"alone", {bgpStart, bgpNone}, -1, {bgrpSingle, bgrpNone}},
      {"member without start", {bgpNone, bgpMember}, -1, {bgrpNone, bgrpNone}},
      {"member after a begin group", {bgpStart, bgpMember}, 1, {bgrpSingle, bgrpNone}},
  };
  for (const TCase& c : cases) {
    TFakeGroup group;
    for (size_t i = 0; i < c.Links.size(); ++i) {
      TFakeItem& item = group.Add(SmallButton(20));
      item.ButtonGroup = c.Links[i];
      item.BeginGroup = int(i) == c.BeginGroupAt;
    }
    TdxRibbonGroupLayoutCalculator calculator(kRowHeight, 3);
    Layout(calculator, group);
    for (size_t i = 0; i < c.Real.size(); ++i) EXPECT_EQ(group[i].Real, c.Real[i]) << c.Name << " #" << i;
  }
}

TEST(GroupLayout, PreparingPutsEveryItemBackAtItsLargestLevel) {
  TFakeGroup group;
  TFakeItem& large = group.Add(LargeButton());
  large.Level = ivlSmallIcon;
  TFakeItem& grouped = group.Add(SmallButton());
  grouped.ButtonGroup = bgpStart;
  TFakeMultiColumn gallery;
  gallery.Collapsed = true;
  gallery.Columns = 2;
  group.Add(SmallButton()).MultiColumn = &gallery;
  TdxRibbonGroupLayoutCalculator calculator(kRowHeight, 3);
  calculator.PrepareItems(&group);
  EXPECT_EQ(group[0].Level, ivlLargeIconWithText);
  EXPECT_EQ(group[1].Level, ivlSmallIconWithText);  // its level for button groups
  grouped.GroupLevel = ivlSmallIcon;
  calculator.PrepareItems(&group);
  EXPECT_EQ(group[1].Level, ivlSmallIcon);
  EXPECT_FALSE(gallery.Collapsed);
  EXPECT_EQ(gallery.Columns, gallery.MaxColumns);
}

// Large items between runs of small ones, and whether height reducing turns them small.
TEST(GroupLayout, HeightReducingTurnsALargeItemSmallOnlyWhenItSavesAColumn) {
  struct TCase {
    const char* Name;
    int Before, After;
    bool Reduced;
  };
  const TCase cases[] = {
      {"1 and 1: f(1) + f(1) = 4 >= f(3) = 0", 1, 1, true},
      {"3 and 3: 0 + 0 < f(7) = 2", 3, 3, false},
      {"0 and 2: 0 + 1 >= f(3) = 0", 0, 2, true},
      {"0 and 0: 0 + 0 >= f(1) = 2 fails", 0, 0, false},
  };
  for (const TCase& c : cases) {
    TFakeGroup group;
    for (int i = 0; i < c.Before; ++i) group.Add(SmallButton());
    group.Add(LargeButton(40, 50));
    for (int i = 0; i < c.After; ++i) group.Add(SmallButton());
    TdxRibbonGroupLayoutCalculator calculator(kRowHeight, 3);
    Layout(calculator, group);
    int width = group.ContentSize.cx;
    calculator.PrepareReduction(&group);
    ASSERT_EQ(calculator.Sequences().size(), 1u) << c.Name;
    EXPECT_EQ(calculator.Sequences()[0][0].SmallUnitsBefore, c.Before) << c.Name;
    EXPECT_EQ(calculator.Sequences()[0][0].SmallUnitsAfter, c.After) << c.Name;
    EXPECT_EQ(calculator.LowerViewLevel(&group, ivlSmallIconWithText), c.Reduced) << c.Name;
    EXPECT_EQ(group[c.Before].Level, c.Reduced ? ivlSmallIconWithText : ivlLargeIconWithText) << c.Name;
    if (c.Reduced) {
      EXPECT_LT(group.ContentSize.cx, width) << c.Name;
    }
  }
}

TEST(GroupLayout, HeightReducingTakesTheLastLargeItemAndThoseBeforeItWhileTheyFit) {
  // Three large items in a row: the last goes, and each one before follows in the same step
  // while it then fills free row slots (0 units after it before the merge).
  TFakeGroup row;
  for (int i = 0; i < 3; ++i) row.Add(LargeButton(40, 60));
  TdxRibbonGroupLayoutCalculator calculator(kRowHeight, 3);
  Layout(calculator, row);
  calculator.PrepareReduction(&row);
  EXPECT_TRUE(calculator.LowerViewLevel(&row, ivlSmallIconWithText));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(row[i].Level, ivlSmallIconWithText) << "#" << i;
  EXPECT_FALSE(calculator.LowerViewLevel(&row, ivlSmallIconWithText));
  EXPECT_EQ(row.ContentSize.cx, 60 + 4);

  // A small item between them stops the merge: the first large item goes in a second step.
  TFakeGroup split;
  split.Add(LargeButton(40, 60));
  split.Add(SmallButton(50));
  split.Add(LargeButton(40, 60));
  TdxRibbonGroupLayoutCalculator splitCalculator(kRowHeight, 3);
  Layout(splitCalculator, split);
  splitCalculator.PrepareReduction(&split);
  EXPECT_TRUE(splitCalculator.LowerViewLevel(&split, ivlSmallIconWithText));
  EXPECT_EQ(split[2].Level, ivlSmallIconWithText);
  EXPECT_EQ(split[0].Level, ivlLargeIconWithText);
  EXPECT_EQ(split.ContentSize.cx, 40 + 60 + 4);
  EXPECT_TRUE(splitCalculator.LowerViewLevel(&split, ivlSmallIconWithText));
  EXPECT_EQ(split[0].Level, ivlSmallIconWithText);
  EXPECT_EQ(split.ContentSize.cx, 60 + 4);
  EXPECT_FALSE(splitCalculator.LowerViewLevel(&split, ivlSmallIconWithText));
}

TEST(GroupLayout, RowReducingShrinksOnlyTheItemsThatSetTheColumnWidth) {
  TFakeGroup group;
  group.Add(SmallButton(80));
  group.Add(SmallButton(50));
  TFakeItem& fixed = group.Add(SmallButton(60));
  fixed.Allowed = {ivlSmallIconWithText};
  TdxRibbonGroupLayoutCalculator calculator(kRowHeight, 3);
  Layout(calculator, group);
  EXPECT_EQ(group.ContentSize.cx, 84);
  calculator.PrepareReduction(&group);
  EXPECT_TRUE(calculator.LowerViewLevel(&group, ivlSmallIcon));
  EXPECT_EQ(group[0].Level, ivlSmallIcon);
  EXPECT_EQ(group[1].Level, ivlSmallIconWithText);  // 50 never set the width
  EXPECT_EQ(group.ContentSize.cx, 64);
  EXPECT_FALSE(calculator.LowerViewLevel(&group, ivlSmallIcon));
}

TEST(GroupLayout, RowReducingKeepsAChainInARowAndMeasuresItWhole) {
  TFakeGroup group;
  group.Add(SmallButton(80));
  group.Add(SmallButton(30)).Position = ipContinuesRow;  // 80 + 30 in the first row
  group.Add(SmallButton(100));
  TdxRibbonGroupLayoutCalculator calculator(kRowHeight, 3);
  Layout(calculator, group);
  EXPECT_EQ(group[1].Bounds.Left, 2 + 80);
  calculator.PrepareReduction(&group);
  // The chain (110) sets the width: the 100 button is not reduced, and the chain never is.
  EXPECT_FALSE(calculator.LowerViewLevel(&group, ivlSmallIcon));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(group[i].Level, ivlSmallIconWithText) << "#" << i;
  // Once the lone button is the widest, it goes to the level where it is no longer.
  group[2].Widths[ivlSmallIconWithText] = 120;
  Layout(calculator, group);
  calculator.PrepareReduction(&group);
  EXPECT_TRUE(calculator.LowerViewLevel(&group, ivlSmallIcon));
  EXPECT_EQ(group[2].Level, ivlSmallIcon);
  EXPECT_EQ(group[0].Level, ivlSmallIconWithText);
  EXPECT_EQ(group.ContentSize.cx, 110 + 4);
}

TEST(GroupLayout, RowReducingWalksTheColumnsFromTheRight) {
  TFakeGroup group;
  for (int i = 0; i < 4; ++i) group.Add(SmallButton(50));
  TdxRibbonGroupLayoutCalculator calculator(kRowHeight, 3);
  Layout(calculator, group);
  calculator.PrepareReduction(&group);
  EXPECT_TRUE(calculator.LowerViewLevel(&group, ivlSmallIcon));
  EXPECT_EQ(group[3].Level, ivlSmallIcon);
  EXPECT_EQ(group[0].Level, ivlSmallIconWithText);
  EXPECT_TRUE(calculator.LowerViewLevel(&group, ivlSmallIcon));
  EXPECT_EQ(group[0].Level, ivlSmallIcon);
  EXPECT_FALSE(calculator.LowerViewLevel(&group, ivlSmallIcon));
  // Nothing found: the next level starts again from the last item.
  EXPECT_FALSE(calculator.LowerViewLevel(&group, ivlControlOnly));
  EXPECT_EQ(group.ContentSize.cx, 22 + 22 + 4);
}

TEST(GroupLayout, MultiColumnItemsNarrowToTheirMinimumThenFoldUnlessTheyMayNot) {
  for (bool collapsible : {true, false}) {
    TFakeGroup group;
    TFakeMultiColumn gallery;
    gallery.Collapsible = collapsible;
    TFakeItem& item = group.Add(SmallButton(50));
    item.MultiColumn = &gallery;
    TdxRibbonGroupLayoutCalculator calculator(kRowHeight, 3);
    Layout(calculator, group);
    EXPECT_EQ(group[0].Bounds, TRect(2, 0, 132, 66));
    EXPECT_TRUE(calculator.NarrowMultiColumnItem(&group));
    EXPECT_EQ(group.ContentSize.cx, 3 * 30 + 10 + 4);
    EXPECT_TRUE(calculator.NarrowMultiColumnItem(&group));
    EXPECT_FALSE(calculator.NarrowMultiColumnItem(&group));
    EXPECT_EQ(gallery.Columns, 2);
    EXPECT_EQ(calculator.FoldMultiColumnItem(&group), collapsible);
    EXPECT_EQ(gallery.Collapsed, collapsible);
    // Folded, it is an ordinary one-row item.
    if (collapsible) {
      EXPECT_EQ(group[0].Bounds, TRect(2, 22, 52, 44));
    }
  }
}

}  // namespace
