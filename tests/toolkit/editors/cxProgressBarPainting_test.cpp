#include "calderan_test.h"

#include "cxProgressBar.h"
#include "dxOffice11.h"
#include "editors_fixture.h"
#include "toolkit/lookandfeel/painter_sweep.h"

// A skin's progress parts: a green frame, a 3-pixel margin, a blue chunk and red captions.
class TProgressSkinPainter : public TcxCustomLookAndFeelPainter {
  CALDERAN_CLASS(TProgressSkinPainter)
  static TcxCustomLookAndFeelPainterClass Instance();
  void PaintProgressBarBorder(TcxCanvas* canvas, const TRect& rect, bool) const override {
    canvas->FillRectColor(rect, clLime);
  }
  void PaintProgressBarChunk(TcxCanvas* canvas, const TRect& rect, bool) const override {
    canvas->FillRectColor(rect, clBlue);
  }
  TRect ProgressBarContentOffsets(bool) const override { return TRect(3, 3, 3, 3); }
  TColor ProgressBarTextColor() const override { return clRed; }

 protected:
  constexpr TProgressSkinPainter() = default;
};
CX_IMPLEMENT_PAINTER(TProgressSkinPainter, TcxCustomLookAndFeelPainter)

namespace {

struct ProgressBarPainting : ::testing::Test {
  static void SetUpTestSuite() { StartEditorUnits(); }

  // Draws a classic bar filling the whole surface.
  void Draw(TPainterSurface& surface, const TcxProgressBarSettings& s, TcxProgressBarPaintParams p = {}) {
    const TRect all(0, 0, surface.Bitmap().Width(), surface.Bitmap().Height());
    const TcxProgressBarLayout layout = CalculateProgressBarLayout(s, {all, all, false, false});
    p.BackgroundColor = background;
    p.Caption.Font = &font;
    DrawProgressBarClassic(surface.Canvas(), TSize(all.Width(), all.Height()), s, layout, p);
  }
  static TcxProgressBarSettings Settings(double position, TcxProgressBarBarStyle style = cxbsSolid) {
    TcxProgressBarSettings s;
    s.Position = position;
    s.BarStyle = style;
    s.ShowText = false;
    return s;
  }
  // The columns of a row that have the colour.
  static int CountInRow(TPainterSurface& surface, int y, TColor color) {
    return surface.Count(TRect(0, y, surface.Bitmap().Width(), y + 1), color);
  }

  const TColor background = clWhite;
  TFont font;
};

TEST_F(ProgressBarPainting, ASolidBarFillsItsShareAndLeavesTheRestInTheBackground) {
  TPainterSurface surface(200, 20);
  Draw(surface, Settings(33));
  EXPECT_EQ(CountInRow(surface, 10, 0x800000), 66);
  EXPECT_EQ(surface.Pixel(65, 10), TColor(0x800000));
  EXPECT_EQ(surface.Pixel(66, 10), background);
}

TEST_F(ProgressBarPainting, LEDsLeaveTwoPixelGapsEveryFourteenPixelsOfAnEighteenPixelBar) {
  TPainterSurface surface(200, 18);
  Draw(surface, Settings(50, cxbsLEDs));  // 100 pixels: 7 whole LEDs and 2 pixels of the eighth
  EXPECT_EQ(CountInRow(surface, 9, 0x800000), 100 - 7 * 2);
  for (int gap : {12, 13, 26, 27, 96, 97}) EXPECT_EQ(surface.Pixel(gap, 9), background) << gap;
  for (int lit : {0, 11, 14, 98, 99}) EXPECT_EQ(surface.Pixel(lit, 9), TColor(0x800000)) << lit;
}

TEST_F(ProgressBarPainting, OverloadAndPeakColours) {
  struct Case {
    TcxProgressBarBarStyle style;
    double position;
    int overloadStart, overloadEnd;  // columns in the overload colour
  } cases[] = {{cxbsSolid, 90, 160, 180},
               {cxbsSolid, 79, 0, 0},
               // LEDs: the progress part keeps whole LEDs (11 of 14 = 154 pixels).
               {cxbsLEDs, 90, 154, 180}};
  for (const Case& c : cases) {
    TPainterSurface surface(200, 18);
    TcxProgressBarSettings s = Settings(c.position, c.style);
    s.ShowOverload = s.ShowPeak = true;
    s.PeakValue = 95;
    Draw(surface, s);
    const int overload = CountInRow(surface, 9, s.OverloadBeginColor);
    const int gaps = c.style == cxbsLEDs ? 2 : 0;  // one gap at 166..167 falls in the overload part
    EXPECT_EQ(overload, c.overloadEnd - c.overloadStart - gaps) << c.position;
    if (overload) {
      EXPECT_EQ(surface.Pixel(c.overloadStart, 9), s.OverloadBeginColor) << c.position;
    }
    EXPECT_EQ(surface.Pixel(190, 9), s.PeakColor);
    EXPECT_EQ(surface.Pixel(192, 9), background);
  }
}

TEST_F(ProgressBarPainting, AGradientBarShowsItsShareOfTheFullGradient) {
  TPainterSurface part(200, 20), full(200, 20);
  Draw(part, Settings(50, cxbsGradient));
  Draw(full, Settings(100, cxbsGradient));
  for (int x : {0, 20, 99}) EXPECT_EQ(part.Pixel(x, 10), full.Pixel(x, 10)) << x;
  EXPECT_EQ(part.Pixel(100, 10), background);
  EXPECT_NE(full.Pixel(0, 10), full.Pixel(199, 10));
}

bool IsGrey(COLORREF c) { return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); }

TEST_F(ProgressBarPainting, TheCaptionInvertsWhatLiesBeneathItUnlessItIsSolid) {
  struct Case {
    double position;
    TColor beneath;
  } cases[] = {{100, 0x800000}, {0, clWhite}};
  for (const Case& c : cases) {
    TPainterSurface surface(200, 20);
    TcxProgressBarSettings s = Settings(c.position);
    s.ShowText = true;
    TcxProgressBarPaintParams p;
    p.Caption.Color = clRed;
    Draw(surface, s, p);
    // Every changed pixel is what lay beneath XOR a grey (the text's coverage): no font colour.
    int changed = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 200; ++x)
        if (const COLORREF pixel = surface.Pixel(x, y); pixel != COLORREF(c.beneath)) {
          ++changed;
          EXPECT_TRUE(IsGrey(pixel ^ c.beneath)) << x << "," << y;
          EXPECT_TRUE(x >= 60 && x < 140) << "centred, not at " << x;
        }
    EXPECT_GT(changed, 20) << c.position;
  }
  TPainterSurface surface(200, 20);
  TcxProgressBarSettings s = Settings(100);
  s.ShowText = true;
  TcxProgressBarPaintParams p;
  p.Caption.Color = clRed;
  p.Caption.Solid = true;
  Draw(surface, s, p);
  EXPECT_GT(surface.Count(TRect(60, 0, 140, 20), clRed), 10);
}

// The bounding box of the pixels of a colour.
TRect ColorBox(TPainterSurface& surface, TColor color) {
  TRect box(10000, 10000, -1, -1);
  for (int y = 0; y < surface.Bitmap().Height(); ++y)
    for (int x = 0; x < surface.Bitmap().Width(); ++x)
      if (surface.Pixel(x, y) == color)
        box = TRect(std::min<int>(box.Left, x), std::min<int>(box.Top, y), std::max<int>(box.Right, x + 1),
                    std::max<int>(box.Bottom, y + 1));
  return box;
}

TEST_F(ProgressBarPainting, AVerticalCaptionRunsDownTheMiddleOfTheBar) {
  TPainterSurface surface(30, 160);
  TcxProgressBarSettings s = Settings(0);
  s.Orientation = s.TextOrientation = cxorVertical;
  s.ShowText = true;
  s.ShowTextStyle = cxtsText;
  s.Text = "Vertical text";
  TcxProgressBarPaintParams p;
  p.Caption.Orientation = cxorVertical;
  p.Caption.Solid = true;
  p.Caption.Color = clBlack;
  Draw(surface, s, p);
  const TRect box = ColorBox(surface, clBlack);
  ASSERT_GT(box.Width(), 0);
  EXPECT_GT(box.Height(), 3 * box.Width());
  EXPECT_NEAR((box.Top + box.Bottom) / 2, 80, 3);
  EXPECT_NEAR((box.Left + box.Right) / 2, 15, 3);
}

TEST_F(ProgressBarPainting, TheShineLightensTheBarMostAtItsCentre) {
  TPainterSurface plain(200, 20), shone(200, 20);
  TcxProgressBarSettings s = Settings(100, cxbsAnimation);
  TcxProgressBarPaintParams p;
  p.AnimationPosition = 100;  // the block's centre at 100
  Draw(plain, s, p);
  p.AnimationRunning = true;
  Draw(shone, s, p);
  struct Case {
    int x, fade;
  } cases[] = {{100, 60}, {104, 60}, {110, 60 + 5 * 40 / 20}, {124, 60 + 19 * 40 / 20}};
  for (const Case& c : cases)
    for (int y : {6, 12, 19}) EXPECT_EQ(shone.Pixel(c.x, y), FadeColorToWhite(plain.Pixel(c.x, 6), c.fade)) << c.x;
  for (int x : {70, 74, 126, 130}) EXPECT_EQ(shone.Pixel(x, 12), plain.Pixel(x, 12)) << x;  // outside the block
}

TEST_F(ProgressBarPainting, AShinePartlyOffTheCanvasReadsTheNearestEdgePixels) {
  TPainterSurface plain(60, 20), shone(60, 20);
  TcxProgressBarSettings s = Settings(100, cxbsAnimation);
  TcxProgressBarPaintParams p;
  p.AnimationPosition = -10;  // the block runs from -35 to 15, its centre at -10
  Draw(plain, s, p);
  p.AnimationRunning = true;
  Draw(shone, s, p);
  for (int x = 0; x < 15; ++x) {
    const int d = std::min(40, (x + 10 - 5) * 40 / 20);
    EXPECT_EQ(shone.Pixel(x, 12), FadeColorToWhite(plain.Pixel(x, 6), 60 + d)) << x;
  }
  // The highlight rows brighten the bar's own colour, read inside the canvas, never black.
  EXPECT_EQ(shone.Count(TRect(0, 0, 60, 20), clBlack), 0);
}

TEST_F(ProgressBarPainting, EveryStyleLeavesTheCanvasAndGDIAsItFoundThem) {
  TPainterSurface surface(160, 24);
  TBitmap image;
  image.SetSize(6, 6);
  image.Canvas()->Brush()->SetColor(clGreen);
  image.Canvas()->FillRect(TRect(0, 0, 6, 6));
  TcxProgressBarSettings warmUp = Settings(50, cxbsBitmap);
  warmUp.ShowText = true;
  TcxProgressBarPaintParams withImage;
  withImage.Image = &image;
  Draw(surface, warmUp, withImage);  // the fonts and the image make their handles once
  const int objects = GdiObjectCount();
  for (int style = cxbsSolid; style <= cxbsAnimationLEDs; ++style)
    for (int variant = 0; variant < 4; ++variant) {
      TcxProgressBarSettings s = Settings(90, static_cast<TcxProgressBarBarStyle>(style));
      s.ShowText = true;
      s.Orientation = variant % 2 ? cxorVertical : cxorHorizontal;
      s.Marquee = variant == 2;
      s.ShowOverload = s.ShowPeak = variant == 3;
      s.BarBevelOuter = static_cast<TcxProgressBarBevelOuter>(variant % 3);
      TcxProgressBarPaintParams p;
      p.Image = &image;
      p.AnimationRunning = true;
      const TCanvasSnapshot before = Snapshot(surface.Canvas());
      Draw(surface, s, p);
      EXPECT_TRUE(Snapshot(surface.Canvas()) == before) << "style " << style << " variant " << variant;
    }
  EXPECT_EQ(GdiObjectCount(), objects);
}

TEST_F(ProgressBarPainting, UnderASkinThePainterDrawsFrameAndChunkAndTheOverloadIsInverted) {
  struct Case {
    double position;
    bool overload;
    int blue, inverted;  // columns of row 10 in the chunk colour and in its inverse
  } cases[] = {{50, false, 97, 0}, {90, true, 155, 19}, {100, false, 194, 0}};
  for (const Case& c : cases) {
    TPainterSurface surface(200, 20);
    const TRect all(0, 0, 200, 20);
    TcxProgressBarSettings s = Settings(c.position);
    s.ShowOverload = c.overload;
    s.ShowText = true;
    s.ShowTextStyle = cxtsText;
    s.Text = "Skin";
    const TcxProgressBarLayout layout = CalculateProgressBarLayout(s, {all, all, false, false});
    TcxProgressBarPaintParams p;
    p.Caption.Font = &font;
    const TCanvasSnapshot before = Snapshot(surface.Canvas());
    DrawProgressBarSkinned(surface.Canvas(), TProgressSkinPainter::Instance(), s, layout, p);
    EXPECT_TRUE(Snapshot(surface.Canvas()) == before);
    EXPECT_EQ(surface.Pixel(1, 10), TColor(clLime));
    EXPECT_EQ(CountInRow(surface, 1, clBlue), 0);  // the margin keeps the frame
    EXPECT_EQ(CountInRow(surface, 16, clBlue), c.blue) << c.position;
    EXPECT_EQ(CountInRow(surface, 16, clYellow), c.inverted) << c.position;  // blue inverted
    EXPECT_GT(surface.Count(all, clRed), 5);
  }
}

TEST_F(ProgressBarPainting, AMarqueePaintsOnlyItsBlock) {
  TPainterSurface surface(200, 20);
  TcxProgressBarSettings s = Settings(0);
  s.Marquee = true;
  TcxProgressBarPaintParams p;
  p.AnimationPosition = 100;  // the block from 75 to 125
  Draw(surface, s, p);
  EXPECT_EQ(CountInRow(surface, 10, 0x800000), 50);
  EXPECT_EQ(surface.Pixel(75, 10), TColor(0x800000));
  EXPECT_EQ(surface.Pixel(125, 10), background);
}

}  // namespace
