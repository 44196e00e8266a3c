#include "calderan_test.h"

#include "NxInspectorCommon.h"
#include "NxSharedDraw.h"
#include "NxThemesSupport.h"
#include "inspector_fixture.h"

using SharedDraw = InspectorFixture;

TEST_F(SharedDraw, BlendsDivideBy256AndResolveSystemColours) {
  EXPECT_EQ(Blend(clWhite, clBlack, 255), static_cast<TColor>(RGB(254, 254, 254)));
  EXPECT_EQ(Blend(clWhite, clBlack, 0), static_cast<TColor>(RGB(0, 0, 0)));
  EXPECT_EQ(Blend(RGB(200, 100, 50), RGB(0, 0, 0), 128), static_cast<TColor>(RGB(100, 50, 25)));
  EXPECT_THROW(Blend(clWhite, clBlack, 256), EAssertionFailed);
  EXPECT_EQ(Blend(clWindow, clBlack, 255), Blend(static_cast<TColor>(ColorToRGB(clWindow)), clBlack, 255));

  EXPECT_EQ(TGraphicsProvider::BlendColors(RGB(10, 20, 30), RGB(200, 100, 0), 0), static_cast<TColor>(RGB(10, 20, 30)));
  EXPECT_EQ(TGraphicsProvider::BlendColors(RGB(10, 20, 30), RGB(200, 100, 0), 1), static_cast<TColor>(RGB(200, 100, 0)));
  EXPECT_EQ(TGraphicsProvider::BlendColors(clWindowText, clWindow, 1), static_cast<TColor>(ColorToRGB(clWindow)));
  EXPECT_EQ(TGraphicsProvider::BlendColors(RGB(0, 0, 0), RGB(255, 255, 255), 0.5), static_cast<TColor>(RGB(128, 128, 128)));
}

TEST_F(SharedDraw, Office2003TableWithVisualStyles) {
  ASSERT_TRUE(ThemesAvailable());
  const struct { int index; TColor color; } cases[] = {
      {0, RGB(255, 238, 194)}, {1, RGB(255, 213, 140)}, {2, RGB(255, 166, 76)},   {4, RGB(255, 213, 140)},
      {5, RGB(255, 173, 85)},  {8, RGB(254, 145, 78)},  {9, RGB(255, 211, 142)},  {10, clInactiveCaptionText},
      {11, Blend(clHighlight, clInactiveCaptionText, 132)}, {12, RGB(127, 157, 185)},
      {13, clNone}, {-1, clNone},
  };
  for (const auto& c : cases) EXPECT_EQ(Office2003Color(c.index), c.color) << "index " << c.index;
  EXPECT_EQ(Office2003Color(3), static_cast<TColor>(GetSysColor(COLOR_HOTLIGHT)));
}

TEST_F(SharedDraw, GradientRunsFromTopColourTowardsBottom) {
  TestSurface s;
  TGraphicsProvider::DrawGradient(s.Canvas(), Rect(0, 0, 10, 1), RGB(255, 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(s.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(s.At(9, 0), RGB(255, 0, 0));
  EXPECT_EQ(s.At(0, 1), RGB(255, 255, 255));

  TGraphicsProvider::DrawGradient(s.Canvas(), Rect(0, 10, 10, 14), RGB(0, 0, 0), RGB(200, 200, 200));
  EXPECT_EQ(s.At(5, 10), RGB(0, 0, 0));
  EXPECT_EQ(s.At(5, 12), RGB(100, 100, 100));
  EXPECT_EQ(s.At(5, 13), RGB(150, 150, 150));
  EXPECT_EQ(s.At(5, 14), RGB(255, 255, 255));

  TGraphicsProvider::DrawGradient(s.Canvas(), Rect(0, 20, 10, 20), RGB(0, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(s.At(5, 20), RGB(255, 255, 255));
}

// A canvas of blue 200 under four 32-bit pixels: opaque red, clear red, half red, a quarter green.
struct AlphaScene {
  TestSurface s;
  TBitmap glyph{4, 1, TPixelFormat::pf32bit};
  AlphaScene() {
    s.Canvas()->Brush()->SetColor(RGB(0, 0, 200));
    s.Canvas()->FillRect(Rect(0, 0, 4, 1));
    auto* px = static_cast<uint8_t*>(glyph.ScanLine(0));
    const uint8_t pixels[4][4] = {{0, 0, 255, 255}, {0, 0, 255, 0}, {0, 0, 255, 128}, {0, 255, 0, 64}};
    for (int i = 0; i < 4; ++i)
      for (int c = 0; c < 4; ++c) px[i * 4 + c] = pixels[i][c];
  }
};

TEST_F(SharedDraw, AlphaBitmapIsComposedOverTheCanvas) {
  AlphaScene scene;
  TestSurface& s = scene.s;
  TDrawProvider::DrawBitmap(s.Canvas(), 0, 0, &scene.glyph);
  EXPECT_EQ(s.At(0, 0), RGB(255, 0, 0));    // opaque: the source
  EXPECT_EQ(s.At(1, 0), RGB(0, 0, 200));    // clear: the canvas
  EXPECT_EQ(s.At(2, 0), RGB(128, 0, 100));  // half: each side rounded, then added
  EXPECT_EQ(s.At(3, 0), RGB(0, 64, 150));
}

// Glyphs mix in whole 8-bit steps, rounding down: even an opaque one loses a step.
TEST_F(SharedDraw, AlphaGlyphIsMixedByTheMaskBlend) {
  AlphaScene scene;
  TestSurface& s = scene.s;
  DrawGlyph(s.Canvas(), 0, 0, &scene.glyph);
  EXPECT_EQ(s.At(0, 0), RGB(254, 0, 0));
  EXPECT_EQ(s.At(1, 0), RGB(0, 0, 199));
  EXPECT_EQ(s.At(2, 0), RGB(127, 0, 99));
  EXPECT_EQ(s.At(3, 0), RGB(0, 63, 149));
}

TEST_F(SharedDraw, ExpandBoxDrawsMinusOrPlus) {
  TestSurface s;
  DrawExpandBox(s.Canvas(), Point(0, 0), true, clBtnFace, false);
  DrawExpandBox(s.Canvas(), Point(20, 0), false, clBtnFace, false);
  const COLORREF frame = ColorToRGB(clWindowText), inside = ColorToRGB(clWindow);
  EXPECT_EQ(s.At(0, 0), frame);
  EXPECT_EQ(s.At(8, 8), frame);
  EXPECT_EQ(s.At(4, 4), frame);   // the minus
  EXPECT_EQ(s.At(4, 2), inside);  // no upright stroke when expanded
  EXPECT_EQ(s.At(24, 2), frame);  // the plus
  EXPECT_EQ(s.At(24, 6), frame);
  EXPECT_EQ(s.At(2, 2), inside);
}

TEST_F(SharedDraw, TextRoutinesLeaveASolidBrush) {
  TestSurface s(200, 20);
  s.Canvas()->Font()->SetColor(clBlack);
  TGraphicsProvider::DrawTextRect(s.Canvas(), Rect(0, 0, 200, 20), 0, u"Wide text", 0);
  EXPECT_EQ(s.Canvas()->Brush()->Style(), TBrushStyle::bsSolid);
  DrawTextPlain(s.Canvas(), Rect(0, 0, 200, 20), u"plain", 1);
  EXPECT_EQ(s.Canvas()->Brush()->Style(), TBrushStyle::bsSolid);
  int dark = 0;
  for (int x = 0; x < 200; ++x)
    for (int y = 0; y < 20; ++y) dark += s.At(x, y) == RGB(0, 0, 0);
  EXPECT_GT(dark, 10);
}
