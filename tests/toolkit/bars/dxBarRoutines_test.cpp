#include "calderan_test.h"

#include <string>
#include <vector>

#include "bars_fixture.h"
#include "dxBarDrawRoutines.h"
#include "dxBarItemRegistry.h"
#include "dxBarRoutines.h"

namespace {

class BarRoutines : public BarFixture {};

TEST_F(BarRoutines, ArrowSizesAndPixels) {
  struct TCase {
    TRect Rect;
    int Kind, Size;
  } const sizes[] = {
      {{0, 0, 16, 16}, 1, 3}, {{0, 0, 16, 16}, 3, 4}, {{0, 0, 20, 16}, 1, 5}, {{0, 0, 16, 6}, 3, 3},
  };
  for (const TCase& c : sizes) EXPECT_EQ(ArrowSizeForRect(c.Rect, c.Kind), c.Size) << c.Rect.Width() << c.Kind;
  // a downward arrow of size 3 in 16 x 16: rows of 5, 3 and 1 pixels from (5, 6)
  TPainterSurface s(16, 16, clWhite);
  DrawArrowInRect(s.Canvas()->GetHandle(), {0, 0, 16, 16}, 1, true, false, false, clDefault);
  EXPECT_EQ(s.Count({0, 6, 16, 7}, clBtnText), 5);
  EXPECT_EQ(s.Count({0, 7, 16, 8}, clBtnText), 3);
  EXPECT_EQ(s.Count({0, 8, 16, 9}, clBtnText), 1);
  EXPECT_EQ(s.Count({0, 0, 16, 16}, clBtnText), 9);
  EXPECT_EQ(s.Pixel(5, 6), ColorToRGB(clBtnText));
  // disabled and not flat: the arrow in the shadow colour with an etched highlight edge
  s.Fill(clWhite);
  DrawArrowInRect(s.Canvas()->GetHandle(), {0, 0, 16, 16}, 1, false, false, false, clDefault);
  EXPECT_GT(s.Count({0, 0, 16, 16}, clBtnShadow), 0);
  EXPECT_GT(s.Count({0, 0, 16, 16}, clBtnHighlight), 0);
}

TEST_F(BarRoutines, AcceleratorPositions) {
  struct TCase {
    std::string Caption;
    int Position;
    std::string Stripped;
  } const cases[] = {
      {"&File", 2, "File"},       {"Sa&ve &As", 8, "Save As"}, {"Fish && Chips", 0, "Fish & Chips"},
      {"Trailing&", 0, "Trailing&"}, {"", 0, ""},               {"&&&x", 4, "&x"},
  };
  for (const TCase& c : cases) {
    std::string caption = c.Caption;
    EXPECT_EQ(FindAccelCharPos(caption, false), c.Position) << c.Caption;
    EXPECT_EQ(StripAccelChars(c.Caption), c.Stripped) << c.Caption;
  }
}

TEST_F(BarRoutines, NeighbourSearchByDistanceThenAngleWithWrapping) {
  // a row of three buttons and one below the middle
  const std::vector<TRect> row = {{0, 0, 20, 20}, {30, 0, 50, 20}, {60, 0, 80, 20}, {30, 30, 50, 50}};
  EXPECT_EQ(FindNeighbourInDirection(row[1], row, 2, false), 2);
  EXPECT_EQ(FindNeighbourInDirection(row[1], row, 0, false), 0);
  EXPECT_EQ(FindNeighbourInDirection(row[1], row, 3, false), 3);
  EXPECT_EQ(FindNeighbourInDirection(row[0], row, 0, false), -1);
  EXPECT_EQ(FindNeighbourInDirection(row[0], row, 0, true), 2);  // from the far right end of the row
  EXPECT_EQ(FindNeighbourInDirection(row[2], row, 2, true), 0);
  EXPECT_EQ(FindNeighbourInDirection(row[1], row, 4, true), -1);
  // at the same distance, the one nearer the straight line wins
  const std::vector<TRect> two = {{40, 30, 60, 50}, {40, 0, 60, 20}};
  EXPECT_EQ(FindNeighbourInDirection({0, 0, 20, 20}, two, 2, false), 1);
}

TEST_F(BarRoutines, TilingAndDottedFrames) {
  TBitmap tile;
  tile.SetSize(4, 4);
  tile.Canvas()->Brush()->SetColor(clBlue);
  tile.Canvas()->FillRect({0, 0, 4, 4});
  tile.Canvas()->Brush()->SetColor(clRed);
  tile.Canvas()->FillRect({0, 0, 2, 4});  // left half red, right half blue
  TPainterSurface s(16, 8, clWhite);
  TileBitmap(s.Canvas()->GetHandle(), {0, 0, 8, 4}, {0, 0, 8, 4}, &tile);
  EXPECT_EQ(s.Pixel(0, 0), ColorToRGB(clRed));
  EXPECT_EQ(s.Pixel(2, 0), ColorToRGB(clBlue));
  EXPECT_EQ(s.Pixel(8, 0), ColorToRGB(clWhite));  // clipped to the rectangle
  s.Fill(clWhite);
  TileBitmap(s.Canvas()->GetHandle(), {0, 0, 8, 4}, {2, 0, 10, 4}, &tile);  // half a tile on
  EXPECT_EQ(s.Pixel(0, 0), ColorToRGB(clBlue));
  EXPECT_EQ(s.Pixel(2, 0), ColorToRGB(clRed));

  s.Fill(clWhite);
  DrawDottedFrame(s.Canvas()->GetHandle(), {0, 0, 4, 4});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(s.Pixel(x, y) == ColorToRGB(clBtnText), (x + y) % 2 == 0) << x << "," << y;
}

TEST_F(BarRoutines, GlyphModesFollowTheStateFlags) {
  struct TCase {
    TdxBarGlyphDrawFlags Flags;
    TcxImageDrawMode Mode;
  } const cases[] = {
      {{.Enabled = false}, idmDisabled},
      {{.Enabled = false, .Faded = true}, idmFaded},
      {{.GreyScale = true}, idmGrayScale},
      {{}, idmNormal},
      {{.HotEffects = true}, ScreenColorDepth() > 8 ? idmLightened : idmNormal},
      {{.HotEffects = true, .Selected = true, .Shadow = true}, idmShadowed},
      {{.HotEffects = true, .Selected = true, .Pressed = true, .Shadow = true}, idmNormal},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(GlyphDrawMode(cases[i].Flags), cases[i].Mode) << i;
  PlayMenuSound(2);  // plays nothing, stops any sound
  PlayMenuSound(1);
}

TEST_F(BarRoutines, UnitStartUpLeavesRegistryCursorsAndLayeredFunctions) {
  TdxBarItemList* list = BarItemClassList();
  ASSERT_NE(list, nullptr);
  for (int id : {crdxBarDrag, crdxBarDragCopy, crdxBarDragNoDrop, crdxBarEditSizing}) {
    EXPECT_NE(Screen->Cursors(id), Screen->Cursors(crDefault)) << id;
  }
  EXPECT_NE(UpdateLayeredWindowFunc(), nullptr);
  EXPECT_NE(AnimateWindowFunc(), nullptr);
  EXPECT_NE(SetLayeredWindowAttributesFunc(), nullptr);
  EXPECT_NE(CheckerBrush(), nullptr);
  EXPECT_TRUE(IsBarControlAlive(bar_));

  // Registering a class twice keeps two records; Unregister removes only the first.
  const int before = list->Count();
  RegisterBarItemClass(TdxBarItem::StaticClass(), TdxBarItemControl::StaticClass(), true);
  RegisterBarItemClass(TdxBarItem::StaticClass(), TCustomdxBarControl::StaticClass(), false);
  EXPECT_EQ(list->Count(), before + 2);
  EXPECT_EQ(list->GetListedEntry(list->GetListedCount() - 1), TdxBarItem::StaticClass());
  EXPECT_EQ(list->GetListedEntry(list->GetListedCount()), nullptr);
  EXPECT_EQ(BarItemControlClassOf(TdxBarItem::StaticClass()), TdxBarItemControl::StaticClass());
  UnregisterBarItemClass(TdxBarItem::StaticClass());
  EXPECT_EQ(BarItemControlClassOf(TdxBarItem::StaticClass()), TCustomdxBarControl::StaticClass());
  UnregisterBarItemClass(TdxBarItem::StaticClass());
  EXPECT_EQ(list->Count(), before);
  // a class derived from a registered one gets no control class of its own
  EXPECT_EQ(BarItemControlClassOf(TdxBarGroup::StaticClass()), nullptr);
}

}  // namespace
