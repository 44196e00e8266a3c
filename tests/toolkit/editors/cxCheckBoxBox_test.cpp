#include "calderan_test.h"

#include <string>

#include "cxCheckBox.h"
#include "editors_fixture.h"

namespace {

struct CheckBoxStates : ::testing::Test {
  static void SetUpTestSuite() {
    StartEditorUnits();
    StartUnits({&cxCheckBoxUnit});
  }
};

// A box drawn on its own surface, 13 by 13 at (4, 4), on a background that no drawing uses.
struct CheckBoxDrawing : CheckBoxStates {
  static constexpr TColor surfaceColor = 0x123456;
  const TRect box{4, 4, 17, 17};
  std::unique_ptr<TPainterSurface> Draw(const TcxCheckBoxBoxParams& params) {
    auto surface = std::make_unique<TPainterSurface>(21, 21, surfaceColor);
    DrawCheckBoxBox(surface->Canvas(), box, params);
    return surface;
  }
  static bool SamePixels(TPainterSurface& a, TPainterSurface& b) {
    for (int y = 0; y < 21; ++y)
      for (int x = 0; x < 21; ++x)
        if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
  }
};

// A strip of pieces on a transparent fuchsia, each a square in its own colour.
std::unique_ptr<TBitmap> MakeStrip(int count, int pieceSize) {
  auto strip = std::make_unique<TBitmap>();
  strip->SetSize(count * pieceSize, pieceSize);
  strip->Canvas()->Brush()->SetColor(clFuchsia);
  strip->Canvas()->FillRect(TRect(0, 0, count * pieceSize, pieceSize));
  for (int i = 0; i < count; ++i) {
    strip->Canvas()->Brush()->SetColor(static_cast<TColor>(0x101010 * (i + 1)));
    strip->Canvas()->FillRect(TRect(i * pieceSize + 2, 2, (i + 1) * pieceSize - 2, pieceSize - 2));
  }
  return strip;
}

TEST(CheckBoxValues, ValuesMapOntoThreeStates) {
  struct Case {
    const char* name;
    TVariant value, checked, unchecked;
    TcxCheckBoxState state;
  };
  const Case cases[] = {
      {"default true", TVariant(true), TVariant(true), TVariant(false), cbsChecked},
      {"default false", TVariant(false), TVariant(true), TVariant(false), cbsUnchecked},
      {"Null", TVariant::Null(), TVariant(true), TVariant(false), cbsGrayed},
      {"Empty", TVariant(), TVariant(true), TVariant(false), cbsGrayed},
      {"other number", TVariant(int32_t(7)), TVariant(true), TVariant(false), cbsGrayed},
      {"Y", TVariant(std::string("Y")), TVariant(std::string("Y")), TVariant(std::string("N")), cbsChecked},
      {"N", TVariant(std::string("N")), TVariant(std::string("Y")), TVariant(std::string("N")), cbsUnchecked},
      {"y in lower case", TVariant(std::string("y")), TVariant(std::string("Y")), TVariant(std::string("N")),
       cbsGrayed},
      // A Boolean compares with a text as its own text.
      {"true against Y", TVariant(true), TVariant(std::string("Y")), TVariant(std::string("N")), cbsGrayed},
      {"true against True", TVariant(true), TVariant(std::string("True")), TVariant(std::string("N")), cbsChecked},
      {"False against false", TVariant(std::string("False")), TVariant(true), TVariant(false), cbsUnchecked},
      {"number against text", TVariant(int32_t(1)), TVariant(std::string("Y")), TVariant(std::string("N")),
       cbsGrayed},
      {"1 and 0", TVariant(int32_t(0)), TVariant(int32_t(1)), TVariant(int32_t(0)), cbsUnchecked},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckBoxValueToState(c.value, c.checked, c.unchecked), c.state) << c.name;
}

TEST(CheckBoxValues, ANewValueMustDifferExactlyFromTheOtherThree) {
  const TVariant yes(std::string("Y")), no(std::string("N")), null = TVariant::Null();
  EXPECT_TRUE(IsCheckBoxValueAcceptable(TVariant(std::string("J")), yes, no, null, false));
  EXPECT_FALSE(IsCheckBoxValueAcceptable(no, yes, no, null, false));
  EXPECT_FALSE(IsCheckBoxValueAcceptable(null, yes, no, TVariant(int32_t(2)), false));
  EXPECT_TRUE(IsCheckBoxValueAcceptable(null, yes, no, TVariant(int32_t(2)), true));
  EXPECT_FALSE(IsCheckBoxValueAcceptable(null, yes, no, null, true));
  // Exactly: the same value of another type is a different value.
  EXPECT_TRUE(IsCheckBoxValueAcceptable(TVariant(int32_t(1)), TVariant(1.0), TVariant(0.0), null, false));
}

TEST(CheckBoxValues, TheCycleVisitsGrayedOnlyWhenAllowed) {
  TcxCheckBoxState state = cbsUnchecked;
  std::string withGrayed, without;
  for (int i = 0; i < 4; ++i) withGrayed += char('0' + (state = NextCheckBoxState(state, true)));
  state = cbsUnchecked;
  for (int i = 0; i < 4; ++i) without += char('0' + (state = NextCheckBoxState(state, false)));
  EXPECT_EQ(withGrayed, "2102");  // grayed, checked, unchecked, grayed
  EXPECT_EQ(without, "1010");
  EXPECT_EQ(NextCheckBoxState(cbsGrayed, false), cbsChecked);
}

TEST(CheckBoxGlyphs, PressedStatesUseTheSecondRowOfPiecesWhenTheStripHasThem) {
  struct Case {
    TcxCheckBoxState state;
    TcxEditCheckState checkState;
    int count, index;
  };
  const Case cases[] = {
      {cbsUnchecked, ecsNormal, 6, 0}, {cbsChecked, ecsHot, 6, 1},    {cbsGrayed, ecsDisabled, 6, 2},
      {cbsUnchecked, ecsPressed, 6, 3}, {cbsChecked, ecsPressed, 6, 4}, {cbsGrayed, ecsPressed, 6, 5},
      {cbsChecked, ecsPressed, 3, 1},   {cbsGrayed, ecsPressed, 3, 2},  {cbsChecked, ecsPressed, 5, 4},
      {cbsGrayed, ecsPressed, 5, 2},    {cbsGrayed, ecsNormal, 2, 2},   {cbsChecked, ecsPressed, 1, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckBoxGlyphIndex(c.state, c.checkState, c.count), c.index)
        << int(c.state) << " " << int(c.checkState) << " of " << c.count;
  EXPECT_EQ(CheckBoxGlyphPieceRect(TSize(78, 13), 6, 4), TRect(52, 0, 65, 13));
  EXPECT_EQ(CheckBoxGlyphPieceRect(TSize(78, 13), 0, 4), TRect(0, 0, 0, 13));
}

TEST(CheckBoxGlyphs, InteractionStatesDrawAsButtonStates) {
  EXPECT_EQ(CheckStateToButtonState(ecsNormal), cxbsNormal);
  EXPECT_EQ(CheckStateToButtonState(ecsHot), cxbsHot);
  EXPECT_EQ(CheckStateToButtonState(ecsPressed), cxbsPressed);
  EXPECT_EQ(CheckStateToButtonState(ecsDisabled), cxbsDisabled);
}

TcxCheckBoxPlacementParams Placement(TRect client, TSize box, TAlignment alignment, bool inPlace = false,
                                     bool showsCaption = false, TRect offsets = {}, bool keepsTop = false,
                                     bool embossed = false) {
  TcxCheckBoxPlacementParams p;
  p.Client = client, p.BoxSize = box, p.Alignment = alignment, p.InPlace = inPlace;
  p.ShowsCaptionInplace = showsCaption, p.ContentOffsets = offsets, p.KeepsTextTop = keepsTop;
  p.EmbossedText = embossed;
  return p;
}

TEST(CheckBoxLayout, TheBoxSitsByItsAlignmentAndTheCaptionTakesTheRest) {
  struct Case {
    const char* name;
    TcxCheckBoxPlacementParams params;
    TRect box, text;
  };
  const TRect client(0, 0, 121, 21);
  const TSize box(13, 13);
  const TRect offsets(1, 1, 1, 1);
  const Case cases[] = {
      {"left", Placement(client, box, taLeftJustify), {2, 4, 15, 17}, {18, 1, 119, 19}},
      {"right", Placement(client, box, taRightJustify), {106, 4, 119, 17}, {2, 1, 103, 19}},
      {"centre", Placement(client, box, taCenter), {54, 4, 67, 17}, {2, 1, 119, 19}},
      {"text kept at the top", Placement(client, box, taLeftJustify, false, false, {}, true), {2, 4, 15, 17}, {18, 2, 119, 19}},
      {"embossed", Placement(client, box, taLeftJustify, false, false, {}, false, true), {2, 4, 15, 17}, {18, 1, 120, 20}},
      {"too narrow", Placement(TRect(0, 0, 14, 21), box, taLeftJustify), {2, 4, 12, 17}, {}},
      {"no box", Placement(client, TSize(0, 0), taLeftJustify), {}, {5, 1, 119, 19}},
      {"in place left", Placement(client, box, taLeftJustify, true, false, offsets), {2, 4, 15, 17}, {18, 1, 119, 20}},
      {"in place right", Placement(client, box, taRightJustify, true, false, offsets), {106, 4, 119, 17}, {2, 1, 103, 20}},
      {"in place centred", Placement(client, box, taCenter, true, false, offsets), {54, 4, 67, 17}, {0, 1, 121, 20}},
      {"in place with caption", Placement(client, box, taLeftJustify, true, true, offsets), {0, 4, 13, 17}, {16, 1, 119, 20}},
  };
  for (const Case& c : cases) {
    const TcxCheckBoxPlacement placed = PlaceCheckBox(c.params);
    EXPECT_EQ(placed.CheckBoxRect, c.box) << c.name;
    EXPECT_EQ(placed.TextRect, c.text) << c.name;
  }
}

TEST(CheckBoxLayout, TheMouseAndSpaceDecideTheInteractionState) {
  struct Case {
    const char* name;
    TcxCheckStateInput input;
    TcxEditCheckState state;
  };
  const Case cases[] = {
      {"outside", {}, ecsNormal},
      {"over", {true, false, false, true}, ecsHot},
      {"disabled wins", {false, true, false, true}, ecsDisabled},
      {"Space held", {true, true}, ecsPressed},
      {"designing", {true, false, true, true}, ecsNormal},
      {"left press now", {true, false, false, true, false, true, true}, ecsPressed},
      {"left held, pressed before", {true, false, false, true, false, true, false, true}, ecsPressed},
      // A press that began elsewhere does not press the box when the mouse comes over it.
      {"left held, entered", {true, false, false, true, false, true, false, false}, ecsNormal},
      {"right held", {true, false, false, true, false, false}, ecsNormal},
      {"left held outside", {true, false, false, false, false, true, false, true}, ecsNormal},
  };
  for (const Case& c : cases) EXPECT_EQ(ComputeCheckState(c.input), c.state) << c.name;
}

TEST(CheckBoxLayout, CaptionFlagsAndHotBorders) {
  EXPECT_EQ(CheckBoxCaptionFlags(taLeftJustify, false, false), cxAlignLeft | cxShowPrefix | cxSingleLine | cxAlignVCenter);
  EXPECT_EQ(CheckBoxCaptionFlags(taRightJustify, false, true), cxAlignLeft | cxShowPrefix | cxSingleLine | cxAlignVCenter);
  EXPECT_EQ(CheckBoxCaptionFlags(taCenter, true, false), cxAlignHCenter | cxShowPrefix | cxDontClip | cxWordBreak | cxAlignTop);
  EXPECT_EQ(CheckBoxCaptionFlags(taLeftJustify, true, true), cxAlignLeft | cxShowPrefix | cxDontClip | cxWordBreak | cxAlignVCenter);
  const std::pair<TcxContainerBorderStyle, TcxContainerBorderStyle> hot[] = {
      {cbsNone, cbsFlat}, {cbsSingle, cbsThick}, {cbsFlat, cbs3D}, {cbsThick, cbsThick},
      {cbs3D, cbs3D},     {cbsUltraFlat, cbsUltraFlat}, {cbsOffice11, cbsOffice11}};
  for (auto [style, hotStyle] : hot) EXPECT_EQ(HotCheckBoxBorderStyle(style), hotStyle) << int(style);
}

TEST_F(CheckBoxStates, TheMaskHoldsTheSystemsCheckMark) {
  HBITMAP mask = BuildCheckMarkMask();
  ASSERT_NE(mask, nullptr);
  BITMAP info{};
  GetObjectA(mask, sizeof(info), &info);
  const TSize size = cxCheckGlyphSize();
  EXPECT_EQ(info.bmWidth, size.cx);
  EXPECT_EQ(info.bmHeight, size.cy);
  EXPECT_EQ(info.bmBitsPixel, 1);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, mask);
  int black = 0;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) black += GetPixel(dc, x, y) == 0;
  // The mark is black, the frame of the box (equal in both pictures) white.
  EXPECT_GT(black, 5);
  EXPECT_LT(black, size.cx * size.cy / 2);
  for (int x = 0; x < size.cx; ++x) EXPECT_EQ(GetPixel(dc, x, 0), 0xFFFFFFu) << x;
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(mask);
}

TEST_F(CheckBoxDrawing, EveryStyleStateAndLookDrawsInsideTheBoxAndLeavesTheCanvasAlone) {
  const TcxContainerBorderStyle styles[] = {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11};
  auto drawOne = [&](TcxCheckBoxBoxParams p) {
    TPainterSurface surface(21, 21, surfaceColor);
    TcxCanvas* canvas = surface.Canvas();
    canvas->GetBrush()->SetColor(clLime);
    canvas->GetFont()->SetColor(clRed);
    DrawCheckBoxBox(canvas, box, p);
    EXPECT_EQ(canvas->GetBrush()->Color(), clLime);
    EXPECT_EQ(canvas->GetFont()->Color(), clRed);
    // Nothing outside the box's rectangle, nothing left undrawn inside it.
    EXPECT_EQ(surface.Count(TRect(0, 0, 21, 21), surfaceColor), 21 * 21 - 13 * 13)
        << int(p.BorderStyle) << " " << int(p.State) << " " << int(p.CheckState) << " " << int(p.NullStyle) << " "
        << p.Native;
  };
  auto sweep = [&] {
    TcxCheckBoxBoxParams p;
    for (TcxContainerBorderStyle style : styles)
      for (int state = cbsUnchecked; state <= cbsGrayed; ++state)
        for (int checkState = ecsNormal; checkState <= ecsDisabled; ++checkState)
          for (int nullStyle = nssUnchecked; nullStyle <= nssGrayedChecked; ++nullStyle)
            for (bool native : {false, true}) {
              p.BorderStyle = style, p.Native = native, p.CheckBorderOffset = 2 - GetContainerBorderWidth(style);
              p.State = TcxCheckBoxState(state), p.CheckState = TcxEditCheckState(checkState);
              p.NullStyle = TcxCheckBoxNullValueShowingStyle(nullStyle);
              drawOne(p);
            }
  };
  sweep();  // makes the shared brushes and themes
  const int gdiObjects = GdiObjectCount();
  sweep();
  EXPECT_LE(GdiObjectCount(), gdiObjects);
}

TEST_F(CheckBoxDrawing, TheMarkShowsByStateAndNullStyle) {
  struct Case {
    const char* name;
    TcxCheckBoxState state;
    TcxCheckBoxNullValueShowingStyle nullStyle;
    TcxEditCheckState checkState;
    TColor mark, fill;
  };
  const Case cases[] = {
      {"unchecked", cbsUnchecked, nssGrayedChecked, ecsNormal, clNone, clWindow},
      {"checked", cbsChecked, nssGrayedChecked, ecsNormal, clBtnText, clWindow},
      {"grayed with a greyed mark", cbsGrayed, nssGrayedChecked, ecsNormal, clBtnShadow, clWindow},
      {"grayed inactive", cbsGrayed, nssInactive, ecsNormal, clNone, clBtnFace},
      {"disabled checked", cbsChecked, nssGrayedChecked, ecsDisabled, clBtnShadow, clBtnFace},
  };
  TcxCheckBoxBoxParams p;
  p.BorderStyle = cbsUltraFlat;
  const TRect inner(6, 6, 15, 15);
  for (const Case& c : cases) {
    p.State = c.state, p.NullStyle = c.nullStyle, p.CheckState = c.checkState;
    auto drawn = Draw(p);
    const int fill = drawn->Count(inner, c.fill);
    if (c.mark == clNone) {
      EXPECT_EQ(fill, 9 * 9) << c.name;
    } else {
      EXPECT_GT(drawn->Count(inner, c.mark), 5) << c.name;
      EXPECT_EQ(drawn->Count(inner, c.mark) + fill, 9 * 9) << c.name;
    }
  }
  // Grayed shown as unchecked looks exactly unchecked.
  p.CheckState = ecsNormal, p.State = cbsGrayed, p.NullStyle = nssUnchecked;
  auto grayed = Draw(p);
  p.State = cbsUnchecked;
  EXPECT_TRUE(SamePixels(*grayed, *Draw(p)));
}

TEST_F(CheckBoxDrawing, BorderStylesDrawTheirRingsInsideTheOffset) {
  TcxCheckBoxBoxParams p;
  p.BackgroundColor = clYellow, p.BorderColor = clRed, p.CheckBorderOffset = 1;
  p.BorderStyle = cbsSingle;
  auto single = Draw(p);
  EXPECT_EQ(single->Count(TRect(4, 4, 17, 5), clYellow), 13);  // the ring in the background colour
  EXPECT_EQ(single->Count(TRect(5, 5, 16, 6), clRed), 11);     // then the border
  p.BorderStyle = cbsThick, p.CheckBorderOffset = 0;
  auto thick = Draw(p);
  EXPECT_EQ(thick->Count(TRect(4, 4, 17, 6), clRed), 26);
  // A transparent background leaves the ring alone.
  p.BorderStyle = cbsSingle, p.CheckBorderOffset = 1, p.BackgroundColor = clNone;
  auto transparent = Draw(p);
  EXPECT_EQ(transparent->Count(TRect(4, 4, 17, 5), surfaceColor), 13);
  EXPECT_EQ(transparent->Count(TRect(5, 5, 16, 6), clRed), 11);
  p.BorderStyle = cbsUltraFlat, p.CheckState = ecsHot;
  auto hot = Draw(p);
  EXPECT_EQ(hot->Count(TRect(5, 5, 16, 6), GetUltraFlatHotBorderColor(false)), 11);
  p.BorderStyle = cbsOffice11, p.CheckState = ecsNormal;
  auto office = Draw(p);
  EXPECT_EQ(office->Count(TRect(5, 5, 16, 6), clBtnText), 11);
}

TEST_F(CheckBoxDrawing, AGlyphStripShowsThePieceOfTheState) {
  struct Case {
    int count;
    TcxCheckBoxState state;
    TcxEditCheckState checkState;
    int piece;
  };
  const Case cases[] = {{6, cbsChecked, ecsPressed, 4}, {6, cbsUnchecked, ecsHot, 0}, {3, cbsChecked, ecsPressed, 1},
                        {3, cbsGrayed, ecsPressed, 2}};
  for (const Case& c : cases) {
    auto strip = MakeStrip(c.count, 13);
    TcxCheckBoxBoxParams p;
    p.Glyph = strip.get(), p.GlyphCount = c.count, p.State = c.state, p.CheckState = c.checkState;
    auto drawn = Draw(p);
    EXPECT_EQ(drawn->Pixel(10, 10), ColorToRGB(0x101010 * (c.piece + 1))) << c.count << " " << int(c.state);
    EXPECT_EQ(drawn->Pixel(5, 5), ColorToRGB(clWindow)) << "the transparent corner shows the background";
  }
}
}  // namespace
