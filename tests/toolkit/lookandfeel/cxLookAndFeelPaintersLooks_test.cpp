#include "calderan_test.h"

#include <vssym32.h>

#include "cxGraphicsRoutines.h"
#include "painter_sweep.h"

namespace {

TcxCustomLookAndFeelPainterClass Standard() { return TcxStandardLookAndFeelPainter::Instance(); }
TcxCustomLookAndFeelPainterClass Flat() { return TcxFlatLookAndFeelPainter::Instance(); }
TcxCustomLookAndFeelPainterClass UltraFlat() { return TcxUltraFlatLookAndFeelPainter::Instance(); }
TcxCustomLookAndFeelPainterClass Office11() { return TcxOffice11LookAndFeelPainter::Instance(); }
TcxCustomLookAndFeelPainterClass Native() { return TcxWinXPLookAndFeelPainter::Instance(); }
TColor Entry(int n) { return Office11Colors[n]; }

class LookPainters : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartLookAndFeelUnits(); }
};

// A pixel of a drawing, as a table row: where, and the colour expected there.
struct TPixelCase {
  int X, Y;
  TColor Color;
};

void ExpectPixels(TPainterSurface& s, std::initializer_list<TPixelCase> pixels, const std::string& what) {
  for (const TPixelCase& p : pixels)
    EXPECT_EQ(s.Pixel(p.X, p.Y), ColorToRGB(p.Color)) << what << " at (" << p.X << ", " << p.Y << ")";
}

// Whether two drawings of the same size are alike pixel for pixel.
bool SameDrawing(TPainterSurface& a, TPainterSurface& b, const TRect& r) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

const char* StateName(TcxButtonState s) {
  static const char* names[] = {"default", "normal", "hot", "pressed", "disabled"};
  return names[s];
}

// ---------------------------------------------------------------------------------------------
// Buttons: the frame and face colours of each look and state (a 60 x 24 button at the origin).

struct TButtonCase {
  TcxCustomLookAndFeelPainterClass (*Painter)();
  TcxButtonState State;
  std::initializer_list<TPixelCase> Pixels;
};

TEST_F(LookPainters, ButtonFramesAndFacesByLookAndState) {
  const TButtonCase cases[] = {
      {Standard, cxbsDefault, {{0, 0, clBlack}, {1, 1, clBtnHighlight}, {2, 2, cl3DLight}, {3, 3, clBtnFace},
                               {58, 22, cl3DDkShadow}, {57, 21, clBtnShadow}}},
      {Standard, cxbsNormal, {{0, 0, clBtnHighlight}, {59, 23, cl3DDkShadow}, {1, 1, cl3DLight}, {58, 22, clBtnShadow},
                              {2, 2, clBtnFace}}},
      {Standard, cxbsPressed, {{0, 0, clBlack}, {59, 23, clBlack}, {1, 1, clBtnShadow}, {58, 22, clBtnShadow},
                               {2, 2, clBtnFace}}},
      {Flat, cxbsDefault, {{0, 0, clBlack}, {1, 1, clBtnHighlight}, {58, 22, clBtnShadow}, {2, 2, clBtnFace}}},
      {Flat, cxbsNormal, {{0, 0, clBtnHighlight}, {59, 23, clBtnShadow}, {1, 1, clBtnFace}}},
      {Flat, cxbsPressed, {{0, 0, clBtnShadow}, {59, 23, clBtnHighlight}, {1, 1, clBtnFace}}},
      {UltraFlat, cxbsDefault, {{0, 0, clWindowFrame}, {1, 1, clWindowFrame}, {2, 2, clBtnFace}}},
      {UltraFlat, cxbsNormal, {{0, 0, clBtnText}, {59, 23, clBtnText}, {1, 1, clBtnFace}}},
      {UltraFlat, cxbsHot, {{0, 0, clHighlight}, {1, 1, HotMixColor()}}},
      {UltraFlat, cxbsPressed, {{0, 0, clHighlight}, {1, 1, PressedMixColor()}}},
      {UltraFlat, cxbsDisabled, {{0, 0, clBtnShadow}, {1, 1, clBtnFace}}},
      {Office11, cxbsDefault, {{0, 0, clWindowFrame}, {1, 1, clWindowFrame}, {2, 2, Entry(0)}}},
      {Office11, cxbsNormal, {{0, 0, clBtnText}, {1, 1, Entry(0)}}},
      {Office11, cxbsHot, {{0, 0, Entry(41)}, {1, 1, Entry(42)}}},
      {Office11, cxbsPressed, {{0, 0, Entry(41)}, {1, 1, Entry(44)}}},
      {Office11, cxbsDisabled, {{0, 0, Entry(52)}, {1, 1, clBtnFace}}},
  };
  for (const TButtonCase& c : cases) {
    TPainterSurface s(70, 30);
    c.Painter()->PaintButton(s.Canvas(), TRect(0, 0, 60, 24), "", c.State);
    ExpectPixels(s, c.Pixels, std::string(c.Painter()->ClassName()) + " " + StateName(c.State));
    EXPECT_EQ(s.Pixel(60, 10), 0x123456u) << "nothing outside the button";
  }
  // The standard and flat looks have no hot buttons; the border widths match the frames.
  for (auto painter : {Standard(), Flat()}) {
    TPainterSurface normal(70, 30), hot(70, 30);
    painter->PaintButton(normal.Canvas(), TRect(0, 0, 60, 24), "Wm", cxbsNormal);
    painter->PaintButton(hot.Canvas(), TRect(0, 0, 60, 24), "Wm", cxbsHot);
    EXPECT_TRUE(SameDrawing(normal, hot, TRect(0, 0, 70, 30))) << painter->ClassName();
  }
  EXPECT_EQ(Standard()->ButtonBorderWidth(cxbsDefault), 3);
  EXPECT_EQ(Standard()->ButtonBorderWidth(cxbsPressed), 2);
  EXPECT_EQ(Flat()->ButtonBorderWidth(cxbsDefault), 2);
  EXPECT_EQ(Flat()->ButtonBorderWidth(cxbsNormal), 1);
}

TEST_F(LookPainters, PressedCaptionsAndGlyphs) {
  // The ultra-flat pressed caption is light on the mixed face and does not move.
  TPainterSurface s(70, 30);
  UltraFlat()->PaintButton(s.Canvas(), TRect(0, 0, 60, 24), "Wm", cxbsPressed);
  EXPECT_GT(s.Count(TRect(10, 2, 50, 22), clHighlightText), 5);
  EXPECT_EQ(UltraFlat()->ButtonPressedShift(), 0);
  EXPECT_EQ(Standard()->ButtonPressedShift(), 1);
  // The Office-2003 glyphs take the scheme's colours whatever colour is asked for.
  EXPECT_EQ(Office11()->ButtonGlyphColor(cxbsNormal, clRed), Entry(51));
  EXPECT_EQ(Office11()->ButtonGlyphColor(cxbsDisabled, clRed), Entry(52));
}

// ---------------------------------------------------------------------------------------------
// Group buttons and focus bounds of the ultra-flat look

TEST_F(LookPainters, UltraFlatGroupMetrics) {
  EXPECT_EQ(UltraFlat()->ButtonGroupBorderWidths(1, 0), TRect(2, 2, 1, 2)) << "a single button widens its left side only";
  EXPECT_EQ(UltraFlat()->ButtonGroupBorderWidths(3, 2), TRect(1, 2, 2, 2));
  EXPECT_EQ(UltraFlat()->ButtonGroupBorderWidths(3, 1), TRect(1, 2, 1, 2));
  EXPECT_EQ(UltraFlat()->ButtonFocusBounds(nullptr, TRect(0, 0, 6, 6)), TRect(0, 0, 6, 6));
  EXPECT_EQ(UltraFlat()->ButtonFocusBounds(nullptr, TRect(0, 0, 20, 20)), TRect(3, 3, 17, 17));
  // A hot middle button of a group: highlight lines where it meets its neighbours, no top frame.
  TPainterSurface s(40, 24);
  UltraFlat()->PaintCaptionlessButton(s.Canvas(), TRect(0, 0, 30, 20), cxbsHot, 3, 1, clBtnShadow);
  ExpectPixels(s, {{0, 10, clHighlight}, {29, 10, clHighlight}, {5, 1, HotMixColor()}, {5, 0, 0x123456}},
               "hot group button");
}

// ---------------------------------------------------------------------------------------------
// Headers: a 60 x 20 cell at (5, 5), no text

void PaintBlankHeader(TcxCustomLookAndFeelPainterClass p, TPainterSurface& s, TcxBorders neighbors, TcxBorders borders,
                      TcxButtonState state = cxbsNormal) {
  const TRect r = Bounds(5, 5, 60, 20);
  p->PaintHeader(s.Canvas(), r, r, neighbors, borders, state, taLeftJustify, vaCenter, false, false, "", nullptr,
                 clBtnText, clWindow, nullptr);
}

TEST_F(LookPainters, HeaderEdgesByLook) {
  struct {
    TcxCustomLookAndFeelPainterClass (*Painter)();
    TcxBorders Neighbors, Borders;
    std::initializer_list<TPixelCase> Pixels;
  } cases[] = {
      // A raised ring on every side, whatever the sides; corners joined to the neighbours.
      {Standard, {}, cxBordersAll, {{5, 5, clBtnHighlight}, {64, 24, clBtnShadow}, {6, 6, clWindow}}},
      {Flat, {bLeft, bRight}, cxBordersAll, {{5, 6, clBtnFace}, {5, 23, clBtnFace}, {64, 5, clBtnHighlight},
                                             {64, 6, clBtnFace}, {64, 10, clBtnShadow}}},
      // Right and bottom lines always; left and top only when asked.
      {UltraFlat, {}, {bRight, bBottom}, {{64, 10, clBtnText}, {30, 24, clBtnText}, {5, 10, clWindow}, {30, 5, clWindow}}},
      {UltraFlat, {}, cxBordersAll, {{5, 10, clBtnText}, {30, 5, clBtnText}}},
  };
  for (const auto& c : cases) {
    TPainterSurface s(70, 30);
    PaintBlankHeader(c.Painter(), s, c.Neighbors, c.Borders);
    ExpectPixels(s, c.Pixels, c.Painter()->ClassName());
  }
}

TEST_F(LookPainters, Office11HeaderFadesAndBlendsItsCorners) {
  auto p = static_cast<const TcxOffice11LookAndFeelPainter*>(Office11());
  const TColor face = p->HeaderFaceColor(), shade = p->HeaderShadeColor(), dark = p->HeaderDarkEdgeColor();
  TPainterSurface s(70, 30);
  PaintBlankHeader(p, s, {}, cxBordersAll);
  ExpectPixels(s, {{30, 5, face}, {30, 24, dark}, {5, 12, p->HeaderLightEdgeColor()}, {64, 12, dark},
                   {64, 5, BlendColorsPercent(face, dark, 50)}, {64, 23, BlendColorsPercent(shade, dark, 50)},
                   {30, 10, face}},
               "normal header");
  // Hot: the hot face without a fade, and a highlight strip over the bottom edge that starts one pixel left of the content, on the border.
  TPainterSurface hot(70, 30);
  PaintBlankHeader(p, hot, {}, cxBordersAll, cxbsHot);
  ExpectPixels(hot, {{30, 12, Entry(2)}, {30, 20, Entry(2)}, {5, 22, Entry(42)}}, "hot header");
  // A footer cell is one colour, whatever background the caller gives.
  TPainterSurface footer(70, 30);
  p->PaintFooterCell(footer.Canvas(), Bounds(5, 5, 60, 20), taLeftJustify, vaCenter, false, "", nullptr, clBtnText,
                     clRed, nullptr);
  EXPECT_EQ(footer.Count(Bounds(6, 6, 58, 18), face), 58 * 18);
}

// ---------------------------------------------------------------------------------------------
// Scroll-bar parts: a 17 x 17 arrow, a thumb, the page areas

TEST_F(LookPainters, ScrollBarArrowsAndPages) {
  struct {
    TcxCustomLookAndFeelPainterClass (*Painter)();
    TcxButtonState State;
    std::initializer_list<TPixelCase> Pixels;
  } cases[] = {
      {Standard, cxbsNormal, {{0, 0, clBtnFace}, {16, 16, cl3DDkShadow}, {1, 1, clBtnHighlight}, {15, 15, clBtnShadow}}},
      {Standard, cxbsPressed, {{0, 0, clBtnShadow}, {16, 16, clBtnShadow}, {1, 1, clBtnFace}}},
      {Flat, cxbsNormal, {{0, 0, clBtnHighlight}, {16, 16, clBtnShadow}, {8, 7, clBtnText}}},
      {UltraFlat, cxbsHot, {{0, 0, clHighlight}, {1, 1, HotMixColor()}, {8, 7, clBtnText}}},
      {UltraFlat, cxbsPressed, {{0, 0, clHighlight}, {1, 1, PressedMixColor()}, {8, 7, clHighlightText}}},
  };
  for (const auto& c : cases) {
    TPainterSurface s(20, 20);
    c.Painter()->PaintScrollBarPart(s.Canvas(), false, TRect(0, 0, 17, 17), sbpLineUp, c.State);
    ExpectPixels(s, c.Pixels, std::string(c.Painter()->ClassName()) + " " + StateName(c.State));
  }
  // Only the ultra-flat look lights a hot arrow up.
  for (auto painter : {Standard(), Flat(), UltraFlat()}) {
    TPainterSurface normal(20, 20), hot(20, 20);
    painter->PaintScrollBarPart(normal.Canvas(), true, TRect(0, 0, 17, 17), sbpLineDown, cxbsNormal);
    painter->PaintScrollBarPart(hot.Canvas(), true, TRect(0, 0, 17, 17), sbpLineDown, cxbsHot);
    EXPECT_EQ(SameDrawing(normal, hot, TRect(0, 0, 17, 17)), painter != UltraFlat()) << painter->ClassName();
  }
  // Page areas are the checkerboards; a disabled thumb and an empty rectangle draw nothing.
  for (auto painter : {Standard(), Flat(), UltraFlat()}) {
    TPainterSurface s(40, 20);
    painter->PaintScrollBarPart(s.Canvas(), false, TRect(0, 0, 8, 8), sbpPageUp, cxbsNormal);
    painter->PaintScrollBarPart(s.Canvas(), false, TRect(8, 0, 16, 8), sbpPageDown, cxbsPressed);
    painter->PaintScrollBarPart(s.Canvas(), false, TRect(20, 0, 37, 17), sbpThumbnail, cxbsDisabled);
    painter->PaintScrollBarPart(s.Canvas(), false, TRect(20, 0, 20, 17), sbpLineUp, cxbsNormal);
    ExpectPixels(s, {{0, 0, clBtnFace}, {1, 0, clBtnHighlight}, {8, 0, clBlack}, {9, 0, cl3DDkShadow}},
                 painter->ClassName());
    EXPECT_EQ(s.Count(TRect(20, 0, 40, 20), 0x123456), 400) << painter->ClassName();
  }
}

// ---------------------------------------------------------------------------------------------
// Check boxes: 13 x 13 at the origin

TEST_F(LookPainters, CheckBoxFramesByLook) {
  struct {
    TcxCustomLookAndFeelPainterClass (*Painter)();
    TcxButtonState State;
    std::initializer_list<TPixelCase> Pixels;
  } cases[] = {
      {Standard, cxbsNormal, {{0, 0, clBtnShadow}, {12, 12, clBtnHighlight}, {1, 1, cl3DDkShadow}, {11, 11, cl3DLight},
                              {3, 3, clWindow}}},
      {Flat, cxbsNormal, {{0, 0, clBtnShadow}, {12, 12, clBtnHighlight}, {1, 1, clWindow}}},
      {Flat, cxbsPressed, {{1, 1, clBtnFace}}},
      {UltraFlat, cxbsNormal, {{0, 0, clBtnText}, {12, 12, clBtnText}, {1, 1, clWindow}}},
      {Office11, cxbsHot, {{0, 0, clBtnText}, {1, 1, Entry(42)}, {3, 3, Entry(42)}}},
      {Office11, cxbsNormal, {{1, 1, clWindow}}},
  };
  for (const auto& c : cases) {
    TPainterSurface s(20, 20);
    c.Painter()->PaintCheckBox(s.Canvas(), TRect(0, 0, 13, 13), c.State, cbsUnchecked);
    ExpectPixels(s, c.Pixels, std::string(c.Painter()->ClassName()) + " " + StateName(c.State));
  }
}

// ---------------------------------------------------------------------------------------------
// Office-2003 expand buttons: the shared picture, its corners blended into what lies under it

TEST_F(LookPainters, Office11ExpandButtonCornersFollowTheBackground) {
  for (TColor background : {clWhite, clBlack}) {
    TPainterSurface s(20, 20, background);
    Office11()->PaintExpandButton(s.Canvas(), TRect(2, 2, 13, 13), false);
    EXPECT_EQ(s.Pixel(2, 2), ColorToRGB(BlendColorsPercent(Entry(79), background, 25)));
    EXPECT_EQ(s.Pixel(12, 12), ColorToRGB(BlendColorsPercent(Entry(80), background, 25)));
  }
}

// ---------------------------------------------------------------------------------------------
// The native painter draws the visual style's parts; without visual styles it is the standard one.

using TDraw = std::function<void(TcxCustomLookAndFeelPainterClass, TcxCanvas*)>;

struct TNativeCase {
  const char* Name;
  TdxThemedObjectType Kind;
  int Part, State;
  TRect Rect;
  TDraw Draw;
};

std::vector<TNativeCase> NativeCases() {
  return {
      {"button", totButton, BP_PUSHBUTTON, PBS_DEFAULTED, TRect(0, 0, 60, 24),
       [](auto p, TcxCanvas* c) { p->PaintButton(c, TRect(0, 0, 60, 24), "", cxbsDefault); }},
      {"hot button", totButton, BP_PUSHBUTTON, PBS_HOT, TRect(0, 0, 60, 24),
       [](auto p, TcxCanvas* c) { p->PaintButton(c, TRect(0, 0, 60, 24), "", cxbsHot); }},
      {"check box", totButton, BP_CHECKBOX, CBS_CHECKEDNORMAL, TRect(0, 0, 13, 13),
       [](auto p, TcxCanvas* c) { p->PaintCheckBox(c, TRect(0, 0, 13, 13), cxbsNormal, cbsChecked); }},
      {"header", totHeader, HP_HEADERITEM, HIS_NORMAL, TRect(0, 0, 60, 20),
       [](auto p, TcxCanvas* c) {
         p->PaintHeader(c, TRect(0, 0, 60, 20), TRect(0, 0, 60, 20), {}, cxBordersAll, cxbsDisabled, taLeftJustify,
                        vaCenter, false, false, "", nullptr, clBtnText, clWindow, nullptr);
       }},
      {"hot arrow", totScrollBar, SBP_ARROWBTN, ABS_UPHOT, TRect(0, 0, 17, 17),
       [](auto p, TcxCanvas* c) { p->PaintScrollBarPart(c, false, TRect(0, 0, 17, 17), sbpLineUp, cxbsHot); }},
      {"normal arrow", totScrollBar, SBP_ARROWBTN, ABS_UPNORMAL, TRect(0, 0, 17, 17),
       [](auto p, TcxCanvas* c) { p->PaintScrollBarPart(c, false, TRect(0, 0, 17, 17), sbpLineUp, cxbsNormal); }},
      {"page", totScrollBar, SBP_UPPERTRACKHORZ, SCRBS_PRESSED, TRect(0, 0, 40, 17),
       [](auto p, TcxCanvas* c) { p->PaintScrollBarPart(c, true, TRect(0, 0, 40, 17), sbpPageUp, cxbsPressed); }},
  };
}

TEST_F(LookPainters, NativeDrawsTheVisualStylesParts) {
  ASSERT_TRUE(AreThemeKindsAvailable({totButton, totHeader, totScrollBar})) << "Wine's visual styles are expected";
  for (const TNativeCase& c : NativeCases()) {
    TPainterSurface painted(70, 30, clWhite), reference(70, 30, clWhite);
    c.Draw(Native(), painted.Canvas());
    const RECT r = c.Rect;
    UxDrawThemeBackground(OpenThemeByKind(c.Kind), reference.Canvas()->GetHandle(), c.Part, c.State, &r, nullptr);
    EXPECT_TRUE(SameDrawing(painted, reference, TRect(0, 0, 70, 30))) << c.Name;
  }
  // A hot arrow and a normal one differ; the Office-2003 look takes its scroll bars from the style.
  TPainterSurface hot(20, 20), normal(20, 20), office(20, 20);
  Native()->PaintScrollBarPart(hot.Canvas(), false, TRect(0, 0, 17, 17), sbpLineUp, cxbsHot);
  Native()->PaintScrollBarPart(normal.Canvas(), false, TRect(0, 0, 17, 17), sbpLineUp, cxbsNormal);
  Office11()->PaintScrollBarPart(office.Canvas(), false, TRect(0, 0, 17, 17), sbpLineUp, cxbsNormal);
  EXPECT_FALSE(SameDrawing(hot, normal, TRect(0, 0, 17, 17)));
  EXPECT_TRUE(SameDrawing(office, normal, TRect(0, 0, 20, 20)));
  EXPECT_EQ(Native()->CheckBoxBorderWidth(), 0);
  EXPECT_EQ(Native()->ProgressBarBorderWidths(), TRect(3, 3, 3, 3));
}

// A size grip drawn with clNone as background leaves what lies under it (the browse dialog draws
// its grip so on the form); with a colour, that colour fills the square first.
TEST_F(LookPainters, ASizeGripWithoutBackgroundLeavesWhatIsUnderIt) {
  struct Case {
    const char* name;
    TcxCustomLookAndFeelPainterClass painter;
    TColor background, corner;
  } cases[] = {{"native, none", Native(), clNone, 0x123456},
               {"native, red", Native(), clRed, clRed},
               {"office-11, none", Office11(), clNone, 0x123456}};
  for (const Case& c : cases) {
    TPainterSurface s(20, 20);
    c.painter->PaintSizeGrip(s.Canvas(), TRect(0, 0, 16, 16), c.background);
    EXPECT_EQ(s.Pixel(1, 1), ColorToRGB(c.corner)) << c.name;
  }
}

TEST_F(LookPainters, WithoutVisualStylesNativeAndOffice11ScrollBarsDrawAsTheStandardLook) {
  TVisualStylesOff off;
  ASSERT_FALSE(AreThemeKindsAvailable({totButton}));
  for (const TNativeCase& c : NativeCases()) {
    TPainterSurface native(70, 30), standard(70, 30);
    c.Draw(Native(), native.Canvas());
    c.Draw(Standard(), standard.Canvas());
    EXPECT_TRUE(SameDrawing(native, standard, TRect(0, 0, 70, 30))) << c.Name;
  }
  TPainterSurface office(20, 20), standard(20, 20);
  Office11()->PaintScrollBarPart(office.Canvas(), false, TRect(0, 0, 17, 17), sbpLineUp, cxbsPressed);
  Standard()->PaintScrollBarPart(standard.Canvas(), false, TRect(0, 0, 17, 17), sbpLineUp, cxbsPressed);
  EXPECT_TRUE(SameDrawing(office, standard, TRect(0, 0, 20, 20)));
  EXPECT_EQ(Native()->ProgressBarBorderWidths(), TRect(3, 3, 3, 3));
  EXPECT_EQ(Native()->SchedulerBorderLineColor(), Standard()->SchedulerBorderLineColor());
}

// ---------------------------------------------------------------------------------------------
// The native painter's answers when the style lacks a class or a query fails: the standard
// painter's values, never what a failed query left in its output.

decltype(TdxUxThemeFunctions::OpenThemeData) realOpenThemeData = nullptr;
HTHEME WINAPI OpenThemeDataWithoutComboBox(HWND window, LPCWSTR classList) {
  if (Wide(classList) == u"ComboBox") return nullptr;
  return realOpenThemeData(window, classList);
}
HRESULT WINAPI FailingPartSize(HTHEME, HDC, int, int, RECT*, THEMESIZE, SIZE* size) {
  size->cx = size->cy = 0x7FFF0000;
  return E_FAIL;
}
HRESULT WINAPI FailingContentRect(HTHEME, HDC, int, int, LPCRECT, RECT* content) {
  *content = {-50000, -50000, 50000, 50000};
  return E_FAIL;
}
HRESULT WINAPI FailingColor(HTHEME, int, int, int, COLORREF* color) {
  *color = 0x7F7F7F7F;
  return E_FAIL;
}

// Replaces visual-styles functions for its lifetime; the cached themes are reopened around it.
class TFakeThemeFunctions {
 public:
  explicit TFakeThemeFunctions(void (*apply)(TdxUxThemeFunctions&)) {
    apply(UxThemeFunctions);
    CloseAllThemes();
  }
  ~TFakeThemeFunctions() {
    UxThemeFunctions = saved_;
    CloseAllThemes();
  }

 private:
  TdxUxThemeFunctions saved_ = UxThemeFunctions;
};

TEST_F(LookPainters, NativeSchedulerBorderColourWithoutTheComboBoxTheme) {
  {
    TFakeThemeFunctions fake([](TdxUxThemeFunctions& f) {
      realOpenThemeData = f.OpenThemeData;
      f.OpenThemeData = OpenThemeDataWithoutComboBox;
    });
    ASSERT_TRUE(AreThemeKindsAvailable({totButton}));
    ASSERT_FALSE(IsThemeKindAvailable(totComboBox));
    EXPECT_EQ(Native()->SchedulerBorderLineColor(), Standard()->SchedulerBorderLineColor());
  }
  TFakeThemeFunctions fake([](TdxUxThemeFunctions& f) { f.GetThemeColor = FailingColor; });
  EXPECT_EQ(Native()->SchedulerBorderLineColor(), Standard()->SchedulerBorderLineColor());
  EXPECT_EQ(Native()->ButtonColor(cxbsHot), Standard()->ButtonColor(cxbsHot));
  EXPECT_EQ(Native()->ButtonGlyphColor(cxbsNormal), Standard()->ButtonGlyphColor(cxbsNormal));
}

TEST_F(LookPainters, NativeSizeQueriesThatFailGiveTheStandardValues) {
  TFakeThemeFunctions fake([](TdxUxThemeFunctions& f) {
    f.GetThemePartSize = FailingPartSize;
    f.GetThemeBackgroundContentRect = FailingContentRect;
  });
  ASSERT_TRUE(AreThemeKindsAvailable({totButton, totHeader, totTreeView, totTrackBar, totWindow}));
  auto s = Standard(), n = Native();
  for (int state = cxbsDefault; state <= cxbsDisabled; ++state)
    EXPECT_EQ(n->ButtonBorderWidth(TcxButtonState(state)), s->ButtonBorderWidth(TcxButtonState(state))) << state;
  EXPECT_EQ(n->ButtonGroupBorderWidths(3, 1), s->ButtonGroupBorderWidths(3, 1));
  EXPECT_EQ(n->ExpandButtonExtent(), s->ExpandButtonExtent());
  EXPECT_EQ(n->GroupExpandButtonExtent(), s->GroupExpandButtonExtent());
  EXPECT_EQ(n->CheckGlyphSize(), s->CheckGlyphSize());
  EXPECT_EQ(n->RadioButtonSize(), s->RadioButtonSize());
  EXPECT_EQ(n->HeaderBorderWidth(), s->HeaderBorderWidth());
  EXPECT_EQ(n->FooterCellBorderWidth(), s->FooterCellBorderWidth());
  EXPECT_EQ(n->FilterActivateButtonExtent(), s->FilterActivateButtonExtent());
  EXPECT_EQ(n->FilterCloseButtonExtent(), s->FilterCloseButtonExtent());
  EXPECT_EQ(n->ButtonFocusBounds(nullptr, TRect(0, 0, 20, 20)), s->ButtonFocusBounds(nullptr, TRect(0, 0, 20, 20)));
  EXPECT_EQ(n->ScrollBarMinThumbLength(false), 8);
}

// ---------------------------------------------------------------------------------------------
// The sweep over the looks: every part in every state, with visual styles and without.

void SweepPainter(TcxCustomLookAndFeelPainterClass painter, const char* sheetName) {
  TPartList parts = PainterParts(painter);
  for (auto& part : PartsLeftToTheLooks(painter)) parts.push_back(part);
  TPainterSurface sheet(SheetWidth(), SheetHeight(parts), 0xE0E0E0);
  sheet.Canvas()->GetFont()->SetColor(clPurple);
  sheet.Canvas()->GetPen()->SetColor(clLime);
  sheet.Canvas()->GetBrush()->SetColor(clAqua);
  DrawSheet(sheet, parts, false);  // shared pictures and theme handles are made on first use
  const int objects = GdiObjectCount();
  DrawSheet(sheet, parts, true);
  EXPECT_EQ(GdiObjectCount(), objects) << painter->ClassName() << ": GDI objects left behind";
  sheet.Save(sheetName);
}

TEST_F(LookPainters, SweepOfEveryLookPartAndState) {
  const std::pair<TcxCustomLookAndFeelPainterClass, const char*> looks[] = {
      {Standard(), "standard_painter_parts.bmp"}, {Flat(), "flat_painter_parts.bmp"},
      {UltraFlat(), "ultraflat_painter_parts.bmp"}, {Office11(), "office11_painter_parts.bmp"},
      {Native(), "native_painter_parts.bmp"}};
  for (const auto& [painter, name] : looks) {
    SCOPED_TRACE(painter->ClassName());
    SweepPainter(painter, name);
  }
  TVisualStylesOff off;
  SCOPED_TRACE("without visual styles");
  SweepPainter(Native(), "native_unthemed_painter_parts.bmp");
  SweepPainter(Office11(), "office11_unthemed_painter_parts.bmp");
}

}  // namespace
