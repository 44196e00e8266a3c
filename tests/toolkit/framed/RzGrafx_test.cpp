#include "calderan_test.h"

#include <set>

#include "ExtCtrls.h"
#include "RzGrafx.h"
#include "framed_fixture.h"

namespace {

class RzGrafx : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartFramedTestUnits();
  }
};

constexpr TColor colorA = RGB(250, 20, 10), colorB = RGB(10, 40, 240);
constexpr COLORREF white = RGB(255, 255, 255);

struct TPainted {
  TBitmap Bitmap{64, 48};
  TPainted() { ClearTo(Bitmap, clWhite); }
  COLORREF At(int x, int y) { return PixelAt(Bitmap.Canvas(), x, y); }
};

TEST_F(RzGrafx, StripesEndExactlyInTheirColours) {
  TPainted end;
  RenderGradient(end.Bitmap.Canvas(), {0, 0, 64, 48}, gdHorizontalEnd, colorA, colorB, 1);
  for (int x : {0, 7, 8, 33, 63}) EXPECT_EQ(end.At(x, 47), Rgb(colorB)) << x;  // the last row
  EXPECT_NE(end.At(0, 0), Rgb(colorB));
  TPainted vertical;
  RenderGradient(vertical.Bitmap.Canvas(), {0, 0, 64, 48}, gdVerticalEnd, colorA, colorB, 1);
  for (int y : {0, 20, 47}) EXPECT_EQ(vertical.At(63, y), Rgb(colorB)) << y;  // the right column
  TPainted centre;
  RenderGradient(centre.Bitmap.Canvas(), {0, 0, 64, 48}, gdHorizontalCenter, colorA, colorB, 1);
  for (int x : {0, 40, 63}) EXPECT_EQ(centre.At(x, 47), Rgb(colorA)) << x;  // the far edge of the second pass
  EXPECT_EQ(centre.At(10, 24), Rgb(colorB));                                // the middle row
}

TEST_F(RzGrafx, SolidCasesAndEmptyRectangles) {
  TPainted empty;
  RenderGradient(empty.Bitmap.Canvas(), {5, 5, 5, 40}, gdHorizontalEnd, colorA, colorB, 1);
  RenderGradient(empty.Bitmap.Canvas(), {5, 5, 40, 5}, gdSquareBox, colorA, colorB, 1);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(empty.At(x, y), white);
  // a box of 4 pixels or less is colour A all over; equal colours fill the diagonals solidly
  struct TCase {
    TGradientDirection Direction;
    TRect Rect;
    TColor B;
  } const cases[] = {{gdSquareBox, {0, 0, 4, 30}, colorB},   {gdBigSquareBox, {0, 0, 30, 3}, colorB},
                     {gdHorizontalBox, {0, 0, 4, 4}, colorB}, {gdDiagonalUp, {0, 0, 40, 30}, colorA},
                     {gdDiagonalDown, {0, 0, 40, 30}, colorA}, {gdVerticalBox, {0, 0, 40, 30}, colorA}};
  for (const TCase& c : cases) {
    TPainted p;
    RenderGradient(p.Bitmap.Canvas(), c.Rect, c.Direction, colorA, c.B, 1);
    for (int y = c.Rect.Top; y < c.Rect.Bottom; ++y)
      for (int x = c.Rect.Left; x < c.Rect.Right; ++x) ASSERT_EQ(p.At(x, y), Rgb(colorA)) << c.Direction << " " << x << "," << y;
    EXPECT_EQ(p.At(c.Rect.Right, c.Rect.Top), white) << "painted outside its rectangle";
  }
}

// The lengths of the runs of equal colour down one column.
std::vector<int> Runs(TPainted& p, int x, int height) {
  std::vector<int> runs{1};
  for (int y = 1; y < height; ++y)
    if (p.At(x, y) == p.At(x, y - 1)) ++runs.back();
    else runs.push_back(1);
  return runs;
}

TEST_F(RzGrafx, BandCountsSetTheBandLength) {
  TPainted fine, coarse;
  RenderGradient(fine.Bitmap.Canvas(), {0, 0, 64, 48}, gdHorizontalEnd, RGB(0, 0, 0), RGB(240, 240, 240), 1);
  RenderGradient(coarse.Bitmap.Canvas(), {0, 0, 64, 48}, gdHorizontalEnd, RGB(0, 0, 0), RGB(240, 240, 240), 8);
  const std::vector<int> fineRuns = Runs(fine, 5, 48), coarseRuns = Runs(coarse, 5, 48);
  EXPECT_EQ(fineRuns.size(), 48u);  // a new colour on every row
  for (size_t i = 1; i + 1 < coarseRuns.size(); ++i) EXPECT_GE(coarseRuns[i], 8) << i;
}

TEST_F(RzGrafx, BoxGradientsRunFromTheEdgeToTheCentre) {
  for (TGradientDirection d : {gdSquareBox, gdBigSquareBox, gdHorizontalBox, gdVerticalBox}) {
    TPainted p;
    RenderGradient(p.Bitmap.Canvas(), {0, 0, 64, 48}, d, colorA, colorB, 1);
    // the outer ring is painted in colour A (nothing of the fresh bitmap shows), the centre is near B
    for (int x = 0; x < 64; ++x) ASSERT_NE(p.At(x, 0), RGB(0, 0, 0)) << d << " " << x;
    for (int y = 0; y < 48; ++y) ASSERT_NE(p.At(0, y), RGB(0, 0, 0)) << d << " " << y;
    EXPECT_NEAR(GetRValue(p.At(0, 0)), GetRValue(Rgb(colorA)), 40) << d;
    const COLORREF centre = p.At(31, 23);
    EXPECT_LT(GetRValue(centre), 60) << d;
    EXPECT_GT(GetBValue(centre), 180) << d;
  }
}

TEST_F(RzGrafx, DiagonalsPutTheirColoursInOppositeCorners) {
  TPainted up, down;
  RenderGradient(up.Bitmap.Canvas(), {0, 0, 64, 48}, gdDiagonalUp, colorA, colorB, 1);
  RenderGradient(down.Bitmap.Canvas(), {0, 0, 64, 48}, gdDiagonalDown, colorA, colorB, 1);
  EXPECT_GT(GetRValue(up.At(1, 46)), 200);    // A at the bottom left
  EXPECT_GT(GetBValue(up.At(62, 1)), 200);    // B at the top right
  EXPECT_GT(GetRValue(down.At(1, 1)), 200);   // A at the top left
  EXPECT_GT(GetBValue(down.At(62, 46)), 200); // B at the bottom right
}

// Dark transparent colours and light image colours: the mask compares colours, it does not take
// the nearer of black and white.
TEST_F(RzGrafx, MaskedBitmapsMatchTheTransparentColourExactly) {
  struct TCase {
    TColor Transparent, Ink;
  } const cases[] = {{clOlive, clBlack}, {clNavy, clWhite}, {clGray, clSilver}, {clFuchsia, clYellow}};
  for (const TCase& c : cases) {
    TBitmap glyph;
    glyph.SetSize(4, 4);
    ClearTo(glyph, c.Transparent);
    glyph.Canvas()->SetPixel(1, 1, c.Ink);
    for (bool rop : {false, true}) {
      TPainted p;
      ClearTo(p.Bitmap, clLime);
      if (rop) DrawMaskedBitmapRop(p.Bitmap.Canvas(), &glyph, {10, 10, 14, 14}, {0, 0, 4, 4}, c.Transparent);
      else DrawMaskedBitmap(p.Bitmap.Canvas(), &glyph, {10, 10, 14, 14}, {0, 0, 4, 4}, c.Transparent);
      EXPECT_EQ(p.At(11, 11), ColorToRGB(c.Ink)) << c.Transparent << " " << rop;
      EXPECT_EQ(p.At(12, 12), RGB(0, 255, 0)) << c.Transparent << " " << rop;
    }
  }
}

TEST_F(RzGrafx, MaskedBitmapsLeaveTheTransparentColourOut) {
  TBitmap glyph(4, 4);
  ClearTo(glyph, clFuchsia);
  glyph.Canvas()->SetPixel(1, 1, clRed);
  glyph.Canvas()->SetPixel(2, 3, clBlue);
  for (bool rop : {false, true}) {
    TPainted p;
    ClearTo(p.Bitmap, clLime);
    if (rop) DrawMaskedBitmapRop(p.Bitmap.Canvas(), &glyph, {10, 10, 14, 14}, {0, 0, 4, 4}, clFuchsia);
    else DrawMaskedBitmap(p.Bitmap.Canvas(), &glyph, {10, 10, 14, 14}, {0, 0, 4, 4}, clFuchsia);
    EXPECT_EQ(p.At(11, 11), RGB(255, 0, 0)) << rop;
    EXPECT_EQ(p.At(12, 13), RGB(0, 0, 255)) << rop;
    EXPECT_EQ(p.At(10, 10), RGB(0, 255, 0)) << rop;
    EXPECT_EQ(p.At(13, 12), RGB(0, 255, 0)) << rop;
  }
  TPainted tiled;
  TileMaskedBitmap(tiled.Bitmap.Canvas(), &glyph, {0, 0, 10, 6}, clFuchsia);
  EXPECT_EQ(tiled.At(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(tiled.At(5, 1), RGB(255, 0, 0));
  EXPECT_EQ(tiled.At(9, 5), RGB(255, 0, 0));
  EXPECT_EQ(tiled.At(10, 5), white);  // nothing outside the rectangle
}

TEST_F(RzGrafx, PaintBehindControlWithoutParentLeavesTheCanvas) {
  TPainted p;
  TPanel orphan(nullptr);
  PaintBehindControlCanvas(&orphan, p.Bitmap.Canvas(), true);
  for (int y = 0; y < 48; y += 7)
    for (int x = 0; x < 64; x += 7) EXPECT_EQ(p.At(x, y), white);
}

TEST_F(RzGrafx, PaintBehindControlDrawsTheParent) {
  TForm form(nullptr, 0);
  form.SetColor(clYellow);
  form.SetBounds(0, 0, 200, 120);
  TPanel child(&form);
  child.SetParent(&form);
  child.SetBounds(20, 30, 50, 40);
  form.HandleNeeded();
  TPainted p;
  PaintBehindControlCanvas(&child, p.Bitmap.Canvas(), false);
  EXPECT_EQ(p.At(5, 5), RGB(255, 255, 0));
}

}  // namespace
