#include "calderan_test.h"

#include <cstring>
#include <vector>
#include <functional>
#include <string>

#include "cxGeometry.h"
#include "cxLabel.h"
#include "cxTextOut.h"
#include "editors_fixture.h"

namespace {

constexpr TColor background = clWhite;
constexpr TColor textColor = 0x0000C0;
constexpr TColor shadowColor = 0x00A000;

// A raster font made in memory (the platform's font files need not be installed): the characters
// 0x20..0x7E in 8 x 12 cells, each a bar, in the platform's raster font file layout.
std::vector<uint8_t> MakeRasterFontFile(const char* faceName) {
  constexpr int first = 0x20, last = 0x7E, count = last - first + 1, cellWidth = 8, cellHeight = 12;
  constexpr int headerSize = 118, tableSize = (count + 1) * 4, bitsOffset = headerSize + tableSize;
  const int faceOffset = bitsOffset + (count + 1) * cellHeight;
  std::vector<uint8_t> file(faceOffset + strlen(faceName) + 1, 0);
  auto put16 = [&](int at, int v) { file[at] = v & 0xFF, file[at + 1] = (v >> 8) & 0xFF; };
  auto put32 = [&](int at, int v) { put16(at, v & 0xFFFF), put16(at + 2, (v >> 16) & 0xFFFF); };
  put16(0, 0x200);                 // version
  put32(2, int(file.size()));      // size
  put16(68, 9);                    // points
  put16(70, 96), put16(72, 96);    // resolution
  put16(74, 10);                   // ascent
  put16(83, 400);                  // weight
  put16(86, cellWidth), put16(88, cellHeight);
  put16(91, cellWidth), put16(93, cellWidth);
  file[95] = first, file[96] = last, file[97] = '?' - first;
  put32(105, faceOffset);
  put32(113, bitsOffset);
  for (int i = 0; i <= count; ++i) {
    const int bits = bitsOffset + i * cellHeight;
    put16(headerSize + i * 4, cellWidth), put16(headerSize + i * 4 + 2, bits);
    if (i < count && first + i != ' ')
      for (int row = 2; row < cellHeight - 2; ++row) file[bits + row] = 0x7E;
  }
  memcpy(&file[faceOffset], faceName, strlen(faceName));
  return file;
}

// Draws labels and hand-made references on equal surfaces and compares them pixel by pixel.
struct LabelDrawing : ::testing::Test {
  static void SetUpTestSuite() { StartEditorUnits(); }
  LabelDrawing() {
    font.SetName("Tahoma");
    font.SetSize(10);
    font.SetQuality(TFontQuality::fqNonAntialiased);
    data.Text = "Hg";
    data.Font = &font;
    data.TextColor = textColor;
    data.BackgroundColor = background;
    data.ShadowedColor = shadowColor;
  }

  static constexpr int width = 120, height = 80;
  const TRect textRect{10, 10, 110, 70};

  // The label's drawing.
  std::unique_ptr<TPainterSurface> Draw() {
    auto surface = std::make_unique<TPainterSurface>(width, height, background);
    DrawLabelText(surface->Canvas(), data, textRect);
    return surface;
  }
  // Plain copies of the text, each in its colour at its offset in the text rectangle (less the
  // effect's room), as the label promises to draw them.
  std::unique_ptr<TPainterSurface> Copies(std::initializer_list<std::pair<TPoint, TColor>> copies, TPoint room) {
    auto surface = std::make_unique<TPainterSurface>(width, height, background);
    TcxCanvas* canvas = surface->Canvas();
    canvas->SetFont(&font);
    canvas->GetBrush()->SetStyle(TBrushStyle::bsClear);
    TRect r = textRect;
    r.Right -= room.X, r.Bottom -= room.Y;
    for (auto [at, color] : copies) {
      canvas->GetFont()->SetColor(color);
      canvas->DrawText(data.Text, RectOffset(r, at.X, at.Y), cxAlignLeft | cxAlignTop | cxShowPrefix);
    }
    return surface;
  }
  static int Differences(TPainterSurface& a, TPainterSurface& b) {
    int n = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) n += a.Pixel(x, y) != b.Pixel(x, y);
    return n;
  }
  static TRect BoundsOf(TPainterSurface& s, TColor color) {
    TRect r(width, height, -1, -1);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (s.Pixel(x, y) == ColorToRGB(color))
          r = TRect(std::min<int>(r.Left, x), std::min<int>(r.Top, y), std::max<int>(r.Right, x + 1),
                    std::max<int>(r.Bottom, y + 1));
    return r;
  }

  TFont font;
  TcxLabelDrawData data;
};

TEST(LabelGeometry, AnglesAreNormalisedToOneTurn) {
  const std::pair<int, int> cases[] = {{0, 0}, {450, 90}, {-90, 270}, {360, 0}, {-720, 0}, {719, 359}};
  for (auto [angle, normal] : cases) EXPECT_EQ(NormalizeLabelAngle(angle), normal) << angle;
}

TEST(LabelGeometry, TheEffectTakesRoomOnTheSidesItsOrientationNames) {
  struct Case {
    TcxLabelEffect effect;
    TcxLabelOrientation orientation;
    TPoint room;
  };
  const Case cases[] = {
      {cxleNormal, cxoRightBottom, {0, 0}}, {cxleExtrude, cxoLeft, {5, 0}},    {cxleFun, cxoRight, {5, 0}},
      {cxleCool, cxoTop, {0, 5}},           {cxleCool, cxoBottom, {0, 5}},     {cxleFun, cxoLeftTop, {5, 5}},
      {cxleExtrude, cxoRightTop, {5, 5}},   {cxleExtrude, cxoLeftBottom, {5, 5}},
  };
  for (const Case& c : cases) EXPECT_EQ(LabelEffectExtent(c.effect, c.orientation, 5), c.room) << int(c.orientation);
}

TEST(LabelGeometry, LayersRunFromTheFarEndTowardsTheText) {
  struct Case {
    TcxLabelEffect effect;
    TcxLabelOrientation orientation;
    int depth, styleOffset;
    TcxLabelLayers expected;
  };
  const Case cases[] = {
      // Extruded towards the lower right: three layers (3,3) (2,2) (1,1), the text at (0,0).
      {cxleExtrude, cxoRightBottom, 3, 0, {{3, 3}, {-1, -1}, 3}},
      // One shadow at the full depth on the left: the shadow at (0,0), the text at (4,0).
      {cxleCool, cxoLeft, 4, 0, {{0, 0}, {4, 0}, 1}},
      {cxleFun, cxoTop, 4, 0, {{0, 0}, {0, 1}, 4}},
      // The style's room moves the start on the sides the layers run back from.
      {cxleCool, cxoRightBottom, 2, 1, {{3, 3}, {-2, -2}, 1}},
      {cxleNormal, cxoRightBottom, 3, 0, {{0, 0}, {0, 0}, 0}},
      {cxleExtrude, cxoRight, 0, 0, {{0, 0}, {0, 0}, 0}},
  };
  for (const Case& c : cases) {
    const TPoint room = LabelEffectExtent(c.effect, c.orientation, c.depth);
    const TcxLabelLayers layers = PlanLabelLayers(c.effect, c.orientation, c.depth, room, c.styleOffset, TPoint(0, 0));
    EXPECT_EQ(layers.Start, c.expected.Start) << int(c.effect) << " " << int(c.orientation);
    EXPECT_EQ(layers.Step, c.expected.Step) << int(c.effect) << " " << int(c.orientation);
    EXPECT_EQ(layers.Count, c.expected.Count) << int(c.effect) << " " << int(c.orientation);
  }
}

TEST(LabelGeometry, GradedLayersStepFromTheBackgroundToTheShadow) {
  // White to 0x404040 in four steps: each channel 255 - 191 * i / 4, truncated.
  const TColor expected[] = {0xCFCFCF, 0x9F9F9F, 0x6F6F6F, 0x404040};
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(LabelLayerColor(cxleFun, 0x404040, clWhite, i, 4), expected[i - 1]) << i;
  EXPECT_EQ(LabelLayerColor(cxleExtrude, 0x404040, clWhite, 1, 4), 0x404040);
  // System colours are resolved first.
  EXPECT_EQ(LabelLayerColor(cxleFun, clWindowText, clWindowText, 2, 4), ColorToRGB(clWindowText));
}

TEST(LabelGeometry, TurnedTextIsCentredWhateverTheAngle) {
  const TRect area(0, 0, 100, 100);
  // At 90 degrees text 40 wide and 10 high starts below the centre and reads upwards.
  EXPECT_EQ(TurnedTextStart(area, TPoint(0, 0), TSize(40, 10), 90), TPoint(45, 70));
  EXPECT_EQ(TurnedTextStart(area, TPoint(0, 0), TSize(40, 10), 450), TPoint(45, 70));
  EXPECT_EQ(TurnedTextStart(area, TPoint(0, 0), TSize(40, 10), 180), TPoint(70, 55));
  EXPECT_EQ(TurnedTextStart(area, TPoint(0, 0), TSize(40, 10), -90), TPoint(55, 30));
  // The effect's room is left out at the right and bottom.
  EXPECT_EQ(TurnedTextStart(area, TPoint(4, 6), TSize(40, 10), 90), TPoint(43, 67));
  EXPECT_EQ(TurnedTextSize(TSize(40, 10), 90), TSize(10, 40));
  EXPECT_EQ(TurnedTextSize(TSize(40, 10), 45), TSize(35, 35));
  EXPECT_EQ(TurnedTextSize(TSize(40, 10), 0), TSize(40, 10));
}

TEST(LabelGeometry, TextOutFlagsWrapOnlyUnturnedText) {
  EXPECT_EQ(LabelTextOutFlags(taCenter, taVCenter, false, true, 0),
            CXTO_CENTER_HORIZONTALLY | CXTO_CENTER_VERTICALLY | CXTO_WORDBREAK);
  EXPECT_EQ(LabelTextOutFlags(taCenter, taVCenter, false, true, 90), CXTO_CENTER_HORIZONTALLY | CXTO_CENTER_VERTICALLY);
  EXPECT_EQ(LabelTextOutFlags(taRightJustify, taBottomJustify, false, true, 360), CXTO_RIGHT | CXTO_BOTTOM | CXTO_WORDBREAK);
  EXPECT_EQ(LabelTextOutFlags(taLeftJustify, taTopJustify, false, false, 0), CXTO_LEFT | CXTO_TOP);
}

TEST_F(LabelDrawing, DepthLayersAndStylesDrawCopiesAtTheirOffsets) {
  struct Case {
    const char* name;
    std::function<void(TcxLabelDrawData&)> set;
    std::initializer_list<std::pair<TPoint, TColor>> copies;
    TPoint room;
  };
  const Case cases[] = {
      {"plain", [](TcxLabelDrawData&) {}, {{{0, 0}, textColor}}, {0, 0}},
      {"extruded", [](TcxLabelDrawData& d) { d.Effect = cxleExtrude, d.Orientation = cxoRightBottom, d.Depth = 3; },
       {{{3, 3}, shadowColor}, {{2, 2}, shadowColor}, {{1, 1}, shadowColor}, {{0, 0}, textColor}}, {3, 3}},
      {"shadow", [](TcxLabelDrawData& d) { d.Effect = cxleCool, d.Orientation = cxoLeft, d.Depth = 4; },
       {{{0, 0}, shadowColor}, {{4, 0}, textColor}}, {4, 0}},
      {"graded", [](TcxLabelDrawData& d) { d.Effect = cxleFun, d.Orientation = cxoBottom, d.Depth = 2; },
       {{{0, 2}, LabelLayerColor(cxleFun, shadowColor, background, 1, 2)}, {{0, 1}, shadowColor}, {{0, 0}, textColor}},
       {0, 2}},
      {"raised", [](TcxLabelDrawData& d) { d.Style = cxlsRaised; },
       {{{0, 0}, clBtnHighlight}, {{1, 1}, textColor}}, {0, 0}},
      {"lowered", [](TcxLabelDrawData& d) { d.Style = cxlsLowered; },
       {{{2, 2}, clBtnHighlight}, {{1, 1}, textColor}}, {0, 0}},
      {"raised large", [this](TcxLabelDrawData& d) { d.Style = cxlsRaised, font.SetSize(14); },
       {{{0, 0}, clBtnHighlight}, {{2, 2}, clBtnShadow}, {{1, 1}, textColor}}, {0, 0}},
      // The raised style's room: the layers start one pixel further and the text moves back.
      {"raised extruded", [this](TcxLabelDrawData& d) {
         d.Style = cxlsRaised, d.Effect = cxleExtrude, d.Orientation = cxoRight, d.Depth = 2, font.SetSize(10);
       },
       {{{3, 0}, shadowColor}, {{2, 0}, shadowColor}, {{0, 0}, clBtnHighlight}, {{1, 1}, textColor}}, {2, 0}},
  };
  for (const Case& c : cases) {
    c.set(data);
    auto drawn = Draw();
    auto expected = Copies(c.copies, c.room);
    EXPECT_EQ(Differences(*drawn, *expected), 0) << c.name;
    EXPECT_GT(drawn->Count(TRect(0, 0, width, height), textColor), 0) << c.name;
    data = TcxLabelDrawData{data.Text, &font, textColor, background};
    data.ShadowedColor = shadowColor;
  }
}

TEST_F(LabelDrawing, AnglesBeyondOneTurnDrawAsTheirNormalForm) {
  data.Text = "Turned";
  const std::pair<int, int> cases[] = {{450, 90}, {-90, 270}, {360, 0}};
  for (auto [angle, normal] : cases) {
    data.Angle = normal;
    auto expected = Draw();
    data.Angle = angle;
    auto drawn = Draw();
    EXPECT_EQ(Differences(*drawn, *expected), 0) << angle;
  }
}

TEST_F(LabelDrawing, TextTurnedUpwardsStandsCentredInTheArea) {
  data.Text = "Upwards";
  auto flat = Draw();
  data.Angle = 90;
  auto turned = Draw();
  const TRect across = BoundsOf(*flat, textColor), up = BoundsOf(*turned, textColor);
  // The flat text lies wide, the turned one tall, centred on the text rectangle's centre (60, 40).
  EXPECT_GT(RectWidth(across), RectHeight(across));
  EXPECT_GT(RectHeight(up), RectWidth(up));
  EXPECT_NEAR((up.Left + up.Right) / 2.0, 60, 3);
  EXPECT_NEAR((up.Top + up.Bottom) / 2.0, 40, 3);
  // Upright glyphs are hinted to whole pixels and turned ones are not: with Wine's Tahoma the seven
  // letters come out 3 pixels apart.
  EXPECT_NEAR(RectHeight(up), RectWidth(across), 3);
}

TEST_F(LabelDrawing, OutlinedLettersAreHollowAndAGlyphFillsThem) {
  font.SetSize(48);
  font.SetStyle({TFontStyle::fsBold});
  data.Text = "I";
  auto solid = Draw();
  const TRect stem = BoundsOf(*solid, textColor);
  const int cx = (stem.Left + stem.Right) / 2, cy = (stem.Top + stem.Bottom) / 2;
  ASSERT_EQ(solid->Pixel(cx, cy), ColorToRGB(textColor));

  data.Style = cxlsOutLine;
  auto outline = Draw();
  EXPECT_EQ(outline->Pixel(cx, cy), ColorToRGB(background));
  EXPECT_GT(outline->Count(stem, textColor), 0);
  EXPECT_EQ(BoundsOf(*outline, textColor).Top, stem.Top);

  TBitmap glyph;
  glyph.SetSize(4, 4);
  glyph.Canvas()->Brush()->SetColor(shadowColor);
  glyph.Canvas()->FillRect(TRect(0, 0, 4, 4));
  data.Glyph = &glyph;
  data.Style = cxlsNormal;
  auto filled = Draw();
  EXPECT_EQ(filled->Pixel(cx, cy), ColorToRGB(shadowColor));
  EXPECT_EQ(filled->Count(TRect(0, 0, width, height), textColor), 0);
  const TRect fill = BoundsOf(*filled, shadowColor);
  EXPECT_TRUE(fill.Left >= stem.Left - 1 && fill.Right <= stem.Right + 1) << fill.Left << " " << fill.Right;
}

TEST_F(LabelDrawing, DrawingLeavesTheCanvasAsItFoundIt) {
  data.Angle = 30;
  data.Style = cxlsOutLine;
  data.PenWidth = 3;
  data.Effect = cxleFun;
  data.Depth = 2;
  TPainterSurface surface(width, height, background);
  TcxCanvas* canvas = surface.Canvas();
  canvas->GetFont()->SetColor(clRed);
  canvas->GetBrush()->SetColor(clLime);
  const std::string fontName = canvas->GetFont()->Name();
  const int gdiObjects = GdiObjectCount();
  DrawLabelText(canvas, data, textRect);
  MeasureLabelText(canvas, data, 100);
  EXPECT_EQ(canvas->GetFont()->Color(), clRed);
  EXPECT_EQ(canvas->GetFont()->Name(), fontName);
  EXPECT_EQ(canvas->GetBrush()->Color(), clLime);
  EXPECT_EQ(canvas->GetBrush()->Style(), TBrushStyle::bsSolid);
  EXPECT_EQ(canvas->GetPen()->Width(), 1);
  LOGFONTA logFont{};
  GetObjectA(GetCurrentObject(canvas->GetHandle(), OBJ_FONT), sizeof(logFont), &logFont);
  EXPECT_EQ(logFont.lfEscapement, 0);
  EXPECT_LE(GdiObjectCount(), gdiObjects);
}

TEST_F(LabelDrawing, MeasuringCountsTheTurnTheEffectAndTheStyle) {
  TPainterSurface surface(10, 10);
  TcxCanvas* canvas = surface.Canvas();
  data.Text = "Measured";
  const TSize flat = MeasureLabelText(canvas, data, 0);
  ASSERT_GT(flat.cx, flat.cy);
  data.Angle = 90;
  EXPECT_EQ(MeasureLabelText(canvas, data, 0), TSize(flat.cy, flat.cx));
  data.Angle = 450;
  EXPECT_EQ(MeasureLabelText(canvas, data, 0), TSize(flat.cy, flat.cx));
  data.Angle = 0;
  data.Effect = cxleExtrude, data.Orientation = cxoRightBottom, data.Depth = 3;
  EXPECT_EQ(MeasureLabelText(canvas, data, 0), TSize(flat.cx + 3, flat.cy + 3));
  data.Effect = cxleNormal;
  data.Style = cxlsRaised;
  EXPECT_EQ(MeasureLabelText(canvas, data, 0), TSize(flat.cx + 1, flat.cy + 1));
  data.Style = cxlsNormal;
  // An empty text is one blank high; accelerator marks take no room when shown as underlines.
  data.Text = "";
  EXPECT_EQ(MeasureLabelText(canvas, data, 0).cy, flat.cy);
  data.Text = "Mea&sured";
  EXPECT_EQ(MeasureLabelText(canvas, data, 0), flat);
  data.ShowAccelChar = false;
  EXPECT_GT(MeasureLabelText(canvas, data, 0).cx, flat.cx);
}

TEST_F(LabelDrawing, WordWrapBreaksOnlyUnturnedText) {
  TPainterSurface surface(10, 10);
  data.Text = "one two three four";
  data.WordWrap = true;
  const TSize wrapped = MeasureLabelText(surface.Canvas(), data, 40);
  data.WordWrap = false;
  const TSize line = MeasureLabelText(surface.Canvas(), data, 40);
  EXPECT_GT(wrapped.cy, line.cy);
  EXPECT_LE(wrapped.cx, 40);
  data.WordWrap = true;
  data.Angle = 90;
  EXPECT_EQ(MeasureLabelText(surface.Canvas(), data, 40), TSize(line.cy, line.cx));
}

TEST_F(LabelDrawing, FontsThatCannotTurnAreDrawnUnturned) {
  std::vector<uint8_t> file = MakeRasterFontFile("Calderan Raster");
  DWORD installed = 0;
  HANDLE memoryFont = AddFontMemResourceEx(file.data(), DWORD(file.size()), nullptr, &installed);
  ASSERT_NE(memoryFont, nullptr);
  font.SetName("Calderan Raster");
  font.SetHeight(-12);
  TPainterSurface probe(4, 4);
  ASSERT_FALSE(SelectRotatedFont(probe.Canvas()->Canvas(), &font, 0));
  data.Text = "Raster";
  auto flat = Draw();
  data.Angle = 90;
  auto turned = Draw();
  EXPECT_EQ(Differences(*flat, *turned), 0);
  data.Angle = 0;
  const TSize unturned = MeasureLabelText(probe.Canvas(), data, 0);
  data.Angle = 90;
  EXPECT_EQ(MeasureLabelText(probe.Canvas(), data, 0), unturned);
  // Outlines need a turnable font too: the text is drawn plainly.
  data.Angle = 0;
  data.Style = cxlsOutLine;
  auto outlined = Draw();
  EXPECT_EQ(Differences(*flat, *outlined), 0);
  EXPECT_GT(flat->Count(TRect(0, 0, width, height), textColor), 0);
  RemoveFontMemResourceEx(memoryFont);
}

}  // namespace
