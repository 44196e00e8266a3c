#include "calderan_test.h"

#include <string>
#include <vector>

#include "RzCommon.h"
#include "framed_fixture.h"

namespace {

class RzCommon : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartFramedTestUnits(); }
};

TEST_F(RzCommon, HueSaturationLuminanceRoundTrips) {
  struct TCase {
    TColor Color;
    THueSatLum Hsl;
  } const cases[] = {
      {RGB(255, 0, 0), {0, 240, 120}},
      {RGB(0, 255, 0), {80, 240, 120}},
      {RGB(0, 0, 255), {160, 240, 120}},
      {RGB(255, 255, 255), {0, 0, 240}},
      {RGB(0, 0, 0), {0, 0, 0}},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ColorToHueSatLum(c.Color), c.Hsl) << std::hex << c.Color;
  }
  EXPECT_EQ(Rgb(HueSatLumToColor(0, 240, 120)), RGB(255, 0, 0));
  // every grey has no hue and no saturation and comes back within one step of the 240 scale
  for (int level : {1, 37, 128, 200, 254}) {
    const TColor grey = RGB(level, level, level);
    const THueSatLum hsl = ColorToHueSatLum(grey);
    EXPECT_EQ(hsl.Hue, 0);
    EXPECT_EQ(hsl.Saturation, 0);
    const int back = GetRValue(Rgb(HueSatLumToColor(hsl.Hue, hsl.Saturation, hsl.Luminance)));
    EXPECT_NEAR(back, level, 2) << level;
  }
}

TEST_F(RzCommon, LightenAndDarkenSaturateAtTheirLimits) {
  for (TColor c : std::vector<TColor>{RGB(10, 200, 30), RGB(0, 0, 0), RGB(120, 60, 250), clBtnFace}) {
    EXPECT_EQ(Rgb(LightenColor(c, 255)), RGB(255, 255, 255)) << std::hex << c;
    EXPECT_EQ(Rgb(DarkenColor(c, 240)), RGB(0, 0, 0)) << std::hex << c;
  }
  EXPECT_EQ(ShiftColorLum(clBtnFace, 0), clBtnFace);  // still the system colour, not its RGB value
  EXPECT_EQ(ShiftColorLum(RGB(100, 100, 100), -240), DarkenColor(RGB(100, 100, 100), 240));
  EXPECT_EQ(Rgb(ShiftColorLum(RGB(100, 100, 100), 40)), Rgb(LightenColor(RGB(100, 100, 100), 40)));
}

TEST_F(RzCommon, MixesSimilarityAndOppositeHues) {
  const TColor a = RGB(200, 10, 30), b = RGB(0, 100, 255);
  EXPECT_EQ(Rgb(MixColors(a, b, 255)), RGB(200, 10, 30));
  EXPECT_EQ(Rgb(MixColors(a, b, 0)), RGB(0, 100, 255));
  EXPECT_EQ(Rgb(MixColors(RGB(255, 255, 255), RGB(0, 0, 0), 128)), RGB(128, 128, 128));
  // equal hue and luminance, very different saturation
  EXPECT_TRUE(ColorsTooSimilar(HueSatLumToColor(40, 240, 120), HueSatLumToColor(40, 20, 120)));
  EXPECT_FALSE(ColorsTooSimilar(RGB(255, 0, 0), RGB(0, 0, 255)));
  EXPECT_EQ(HueOfColor(OppositeHueColor(HueSatLumToColor(120, 240, 120), 120)), 0);
  EXPECT_EQ(HueOfColor(OppositeHueColor(RGB(255, 0, 0), 120)), 120);
}

TEST_F(RzCommon, ThemeColoursAndTheColourScheme) {
  if (FramedThemesEnabled()) EXPECT_EQ(ThemedPartColor(7), clWhite);
  else EXPECT_EQ(ThemedPartColor(0), clBtnFace);
  EXPECT_EQ(ThemedPartColor(FramedThemesEnabled() ? -1 : 6), FramedThemesEnabled() ? clWhite : clBtnFace);
  struct TCase {
    const char* Name;
    TXpColorScheme Scheme;
  } const cases[] = {{"", xcsNormalColor}, {"NormalColor", xcsNormalColor}, {"homestead", xcsHomestead},
                     {"Metallic", xcsMetallic}, {"Olive", xcsNormalColor}};
  for (const TCase& c : cases) EXPECT_EQ(XpColorSchemeFromName(c.Name), c.Scheme) << c.Name;
  // the prefix has no "ColorName" value
  EXPECT_EQ(ReadXpColorScheme(), xcsNormalColor);
  TColor start, stop, line;
  PanelGradientColors(gcsSystem, start, stop);
  EXPECT_EQ(start, clWindow);
  EXPECT_EQ(Rgb(stop), Rgb(DarkenColor(clBtnFace, 10)));
  GroupGradientColors(gcsSystem, stop, start, line);
  EXPECT_EQ(Rgb(line), Rgb(DarkenColor(clBtnFace, 40)));
  EXPECT_EQ(CenteredBounds({0, 0, 11, 11}, 4, 3), Bounds(3, 4, 4, 3));
}

TEST_F(RzCommon, StripHotkeyMarks) {
  struct TCase {
    const char* Caption;
    const char* Stripped;
  } const cases[] = {{"&Open", "Open"}, {"A&&B", "A&B"}, {"Save&", "Save&"}, {"", ""}, {"&&&x", "&&x"}, {"Trim", "Trim"}};
  for (const TCase& c : cases) EXPECT_EQ(StripHotkeyMarks(c.Caption), c.Stripped) << c.Caption;
}

// ---------------------------------------------------------------------------------------------
// Frames

struct TFrameCanvas {
  TBitmap Bitmap{20, 20};
  TFrameCanvas() { ClearTo(Bitmap, clWhite); }
  TCanvas* Canvas() { return Bitmap.Canvas(); }
  int Drawn() {
    int count = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) count += PixelAt(Canvas(), x, y) != RGB(255, 255, 255);
    return count;
  }
};

TEST_F(RzCommon, EmptySidesDrawNothingAndKeepTheBounds) {
  const TRect bounds{2, 2, 18, 18};
  for (int style = fsNone; style <= fsFlatRounded; ++style) {
    TFrameCanvas f;
    EXPECT_EQ(PaintFrameStyleSides(f.Canvas(), bounds, static_cast<TFrameStyle>(style), {}), bounds) << style;
    EXPECT_EQ(PaintFaceFrameStyleSides(f.Canvas(), bounds, clBtnFace, {}, static_cast<TFrameStyle>(style)), bounds);
    EXPECT_EQ(f.Drawn(), 0) << style;
  }
}

TEST_F(RzCommon, FrameStylesShrinkByWhatTheyDraw) {
  struct TCase {
    TFrameStyle Style;
    int Inset;
  } const cases[] = {{fsNone, 0}, {fsFlat, 1}, {fsGroove, 2}, {fsBump, 2}, {fsLowered, 2}, {fsRaised, 2},
                     {fsButtonUp, 2}, {fsButtonDown, 2}, {fsStatus, 1}, {fsPopup, 1}, {fsFlatBold, 2},
                     {fsFlatRounded, 2}};
  for (const TCase& c : cases) {
    TFrameCanvas f;
    TRect inner{2, 2, 18, 18};
    inner.Inflate(-c.Inset, -c.Inset);
    EXPECT_EQ(PaintFrameStyle(f.Canvas(), {2, 2, 18, 18}, c.Style), inner) << c.Style;
  }
  // fsFlatBold is a two-pixel shadow line
  TFrameCanvas f;
  PaintFrameStyleSides(f.Canvas(), {2, 2, 18, 18}, fsFlatBold, {sdTop});
  EXPECT_EQ(PixelAt(f.Canvas(), 5, 2), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(f.Canvas(), 5, 3), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(f.Canvas(), 5, 4), RGB(255, 255, 255));
}

TEST_F(RzCommon, SkippedColoursStillShrink) {
  TFrameCanvas f;
  const TRect r = PaintSides(f.Canvas(), {2, 2, 18, 18}, FrameTopLeftColor(fsButtonUp), sdAllSides,
                             FrameBottomRightColor(fsButtonDown));
  EXPECT_EQ(r, Rect(3, 3, 17, 17));
  EXPECT_EQ(f.Drawn(), 0);
}

TEST_F(RzCommon, GrooveOnTheTopSideOnly) {
  TFrameCanvas f;
  const TRect r = PaintFrameStyleSides(f.Canvas(), {2, 2, 18, 18}, fsGroove, {sdTop});
  EXPECT_EQ(r, Rect(2, 4, 18, 18));
  const COLORREF up = Rgb(clBtnShadow), down = Rgb(clBtnHighlight);
  EXPECT_EQ(PixelAt(f.Canvas(), 17, 2), up);    // the end pixel in the top-left colour
  EXPECT_EQ(PixelAt(f.Canvas(), 2, 3), down);   // the start pixel of the inner row
  for (int x = 2; x < 17; ++x) EXPECT_EQ(PixelAt(f.Canvas(), x, 2), up) << x;
  for (int x = 3; x < 18; ++x) EXPECT_EQ(PixelAt(f.Canvas(), x, 3), down) << x;
  EXPECT_EQ(PixelAt(f.Canvas(), 2, 5), RGB(255, 255, 255));  // no left side
}

TEST_F(RzCommon, DottedFocusFrameAndRoundedSides) {
  TFrameCanvas f;
  EXPECT_EQ(PaintDottedFocusFrame(f.Canvas(), {2, 2, 10, 10}), Rect(3, 3, 9, 9));
  EXPECT_EQ(PixelAt(f.Canvas(), 3, 2), RGB(0, 0, 0));
  EXPECT_EQ(PixelAt(f.Canvas(), 4, 2), RGB(255, 255, 255));
  TFrameCanvas g;
  EXPECT_EQ(PaintRoundedSides(g.Canvas(), {2, 2, 12, 12}, clRed, {sdLeft, sdTop}), Rect(4, 4, 12, 12));
  EXPECT_EQ(PixelAt(g.Canvas(), 2, 2), RGB(255, 255, 255));  // the corner is cut
  EXPECT_EQ(PixelAt(g.Canvas(), 3, 3), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(g.Canvas(), 2, 4), RGB(255, 0, 0));
}

// ---------------------------------------------------------------------------------------------
// Glyphs and fonts

TRect GlyphBox(TCanvas* canvas) {
  TRect box{100, 100, -1, -1};
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      if (PixelAt(canvas, x, y) != RGB(255, 255, 255))
        box = {std::min<LONG>(box.Left, x), std::min<LONG>(box.Top, y), std::max<LONG>(box.Right, x + 1),
               std::max<LONG>(box.Bottom, y + 1)};
  return box;
}

TEST_F(RzCommon, GlyphsSitOnePixelHigherInAnEvenRectangle) {
  TFrameCanvas odd, even;
  PaintDirectionArrow(odd.Canvas(), {0, 0, 15, 15}, 0, TArrowDirection::adDown, false, true);
  PaintDirectionArrow(even.Canvas(), {0, 0, 15, 14}, 0, TArrowDirection::adDown, false, true);
  EXPECT_EQ(GlyphBox(even.Canvas()).Top + 1, GlyphBox(odd.Canvas()).Top);
  // disabled: shadow colour, and no pressed offset for arrows; the drop-down arrow moves anyway
  TFrameCanvas plain, pressed;
  PaintDirectionArrow(plain.Canvas(), {0, 0, 15, 15}, 0, TArrowDirection::adUp, false, false);
  PaintDirectionArrow(pressed.Canvas(), {0, 0, 15, 15}, 0, TArrowDirection::adUp, true, false);
  EXPECT_EQ(GlyphBox(plain.Canvas()), GlyphBox(pressed.Canvas()));
  const TRect box = GlyphBox(plain.Canvas());
  EXPECT_EQ(PixelAt(plain.Canvas(), (box.Left + box.Right) / 2, box.Bottom - 1), Rgb(clBtnShadow));
  TFrameCanvas drop, dropPressed;
  PaintDropDownArrow(drop.Canvas(), {0, 0, 15, 15}, 0, false, false);
  PaintDropDownArrow(dropPressed.Canvas(), {0, 0, 15, 15}, 0, true, false);
  EXPECT_EQ(GlyphBox(drop.Canvas()).Left + 1, GlyphBox(dropPressed.Canvas()).Left);
  // an unknown direction draws nothing
  TFrameCanvas none;
  PaintDirectionArrow(none.Canvas(), {0, 0, 15, 15}, 0, static_cast<TArrowDirection>(7), false, true);
  EXPECT_EQ(none.Drawn(), 0);
}

TEST_F(RzCommon, RotatedFonts) {
  TFont font;
  font.SetName("Tahoma");
  font.SetStyle({TFontStyle::fsBold});
  HFONT rotated = CreateRotatedFont(&font, 90);
  ASSERT_NE(rotated, nullptr);
  LOGFONTA log{};
  GetObjectA(rotated, sizeof(log), &log);
  EXPECT_EQ(log.lfEscapement, 900);
  EXPECT_EQ(log.lfWeight, FW_BOLD);
  DeleteObject(rotated);
  EXPECT_GT(FontLineHeight(&font), 2);
}

}  // namespace
