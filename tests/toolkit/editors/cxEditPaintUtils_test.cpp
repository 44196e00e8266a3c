#include "calderan_test.h"

#include "cxEditPaintUtils.h"
#include "cxTextOut.h"
#include "editors_fixture.h"

namespace {

struct EditPaintUtils : ::testing::Test {
  static void SetUpTestSuite() { StartEditorUnits(); }
};

bool IsLiveBrush(HBRUSH brush) { return GetObjectType(brush) == OBJ_BRUSH; }

TEST_F(EditPaintUtils, SystemColoursAnswerThePlatformsBrushesWithoutCaching) {
  TcxSolidBrushCache cache;
  EXPECT_EQ(cache.BrushForColor(clWindow), GetSysColorBrush(COLOR_WINDOW));
  EXPECT_EQ(cache.BrushForColor(clWindow), GetSysColorBrush(COLOR_WINDOW));
  EXPECT_EQ(cache.BrushForColor(static_cast<TColor>(0xFF00001E)), GetSysColorBrush(30));
  EXPECT_EQ(cache.Depth(), 0);
}

TEST_F(EditPaintUtils, CountsUsesAndEvictsTheLeastUsedLowestColour) {
  TcxSolidBrushCache cache;
  HBRUSH first = cache.BrushForColor(0x10);
  EXPECT_EQ(cache.UseCountOf(0x10), 0);
  EXPECT_EQ(cache.BrushForColor(0x10), first);
  EXPECT_EQ(cache.UseCountOf(0x10), 1);
  for (TColor c = 0x11; c < 0x10 + 128; ++c) cache.BrushForColor(c), cache.BrushForColor(c);
  cache.BrushForColor(0x50);  // 0x50 is used twice now, all others once
  EXPECT_EQ(cache.Depth(), 128);
  cache.BrushForColor(0x1000);  // the 129th colour
  EXPECT_EQ(cache.Depth(), 128);
  EXPECT_EQ(cache.UseCountOf(0x10), -1);
  EXPECT_FALSE(IsLiveBrush(first));
  EXPECT_EQ(cache.UseCountOf(0x11), 1);
  EXPECT_EQ(cache.UseCountOf(0x1000), 0);
  cache.BrushForColor(0x2000);  // the new entry is the first to go again
  EXPECT_EQ(cache.UseCountOf(0x1000), -1);
}

TEST_F(EditPaintUtils, ABrushStaysValidForThePaintThatAskedForIt) {
  TcxSolidBrushCache cache;
  cache.BeginPaint();
  for (TColor c = 1; c <= 127; ++c) cache.BrushForColor(c), cache.BrushForColor(c);
  HBRUSH held = cache.BrushForColor(0x123456);  // new, so the least used
  cache.BrushForColor(0x200);                     // a later miss in the same paint evicts it
  EXPECT_EQ(cache.UseCountOf(0x123456), -1);
  EXPECT_TRUE(IsLiveBrush(held));
  cache.BeginPaint();
  cache.EndPaint();  // an inner paint does not free it
  EXPECT_TRUE(IsLiveBrush(held));
  cache.EndPaint();
  EXPECT_FALSE(IsLiveBrush(held));
  EXPECT_EQ(cache.RetiredCount(), 0);
}

TEST_F(EditPaintUtils, AClearedCacheLeavesNoBrushBehind) {
  const int before = GdiObjectCount();
  {
    TcxSolidBrushCache cache;
    for (TColor c = 1; c <= 300; ++c) cache.BrushForColor(c);
    cache.ClearBrushes();
    EXPECT_EQ(cache.Depth(), 0);
    cache.BrushForColor(7);
  }
  EXPECT_EQ(GdiObjectCount(), before);
}

TEST_F(EditPaintUtils, ArrowSizes) {
  EXPECT_EQ(CalcEditArrowSize(TSize(16, 10), adUp), TSize(5, 3));
  EXPECT_EQ(CalcEditArrowSize(TSize(16, 10), adLeft), TSize(3, 5));
  EXPECT_EQ(CalcEditArrowSize(TSize(8, 20), adDown), TSize(3, 2));
}

TEST_F(EditPaintUtils, ADoubleDownArrowIsTwoTrianglesInOneBlock) {
  TPainterSurface surface(20, 20, clWhite);
  DrawEditArrow(surface.Canvas(), TSize(7, 4), TRect(0, 0, 20, 20), adDown, true, false, clBlack);
  // The block is 7 by 8, centred: left 6, top 6.
  EXPECT_EQ(surface.Count(TRect(0, 0, 20, 20), clBlack), 2 * (7 + 5 + 3 + 1));
  EXPECT_EQ(surface.Count(TRect(6, 6, 13, 7), clBlack), 7);
  EXPECT_EQ(surface.Count(TRect(6, 10, 13, 11), clBlack), 7);
  EXPECT_EQ(surface.Pixel(9, 13), clBlack);
  EXPECT_EQ(surface.Count(TRect(0, 14, 20, 20), clBlack), 0);
}

TEST_F(EditPaintUtils, SidesAndFrames) {
  TPainterSurface surface(20, 20, clWhite);
  TRect r(2, 2, 12, 12);
  DrawRectSides(surface.Canvas(), r, {bLeft, bBottom}, clRed);
  EXPECT_EQ(r, TRect(3, 2, 12, 11));
  EXPECT_EQ(surface.Count(TRect(2, 2, 3, 12), clRed), 10);
  EXPECT_EQ(surface.Count(TRect(2, 11, 12, 12), clRed), 10);
  surface.Fill(clWhite);
  FillFrameWithBrush(surface.Canvas(), TRect(0, 0, 10, 10), TRect(2, 2, 8, 8), GetCachedSolidBrush(clBlue));
  EXPECT_EQ(surface.Count(TRect(0, 0, 10, 10), clBlue), 100 - 36);
}

TEST_F(EditPaintUtils, TextFlagConversionBothWays) {
  const std::pair<uint32_t, uint32_t> to[] = {{0x21, 0x14}, {0x330, 0x470}, {0, 0}, {0x3, 0x6}, {0x800, 0}};
  for (auto [in, out] : to) EXPECT_EQ(ConvertToDrawTextFlags(in), out) << std::hex << in;
  const std::pair<uint32_t, uint32_t> from[] = {{0x9, 0}, {0x464, 0x311}, {0x800, 0}, {0x1000, 0}};
  for (auto [in, out] : from) EXPECT_EQ(ConvertFromDrawTextFlags(in), out) << std::hex << in;
}

TEST_F(EditPaintUtils, PainterOfEachKind) {
  EXPECT_EQ(SelectPainterClass(false, lfFlat), TcxFlatLookAndFeelPainter::Instance());
  EXPECT_EQ(SelectPainterClass(false, lfOffice11), TcxOffice11LookAndFeelPainter::Instance());
  EXPECT_EQ(SelectPainterClass(false, lfUltraFlat), TcxUltraFlatLookAndFeelPainter::Instance());
  const int offsets[] = {0, 4, 2, 2, 2, 2, 2};
  for (int style = btsDefault; style <= btsOffice11; ++style)
    EXPECT_EQ(EditButtonsContentVerticalOffset(nullptr, static_cast<TcxEditButtonStyle>(style), false), offsets[style]);
}

}  // namespace
