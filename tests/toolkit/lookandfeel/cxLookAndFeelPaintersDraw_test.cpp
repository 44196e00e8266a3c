#include "calderan_test.h"

#include <string>
#include <vector>

#include "lookandfeel_fixture.h"

// The base draws the sort mark outline at the extent its descendants give; the base's own is empty.
class TSortMarkPainter : public TcxCustomLookAndFeelPainter {
  CALDERAN_CLASS(TSortMarkPainter)
  static const TSortMarkPainter* Instance() {
    static const TSortMarkPainter instance;
    return &instance;
  }
  TPoint SortMarkExtent() const override { return {8, 7}; }
  using TcxCustomLookAndFeelPainter::PaintSortMarkOutline;  // for the painters that draw it

 protected:
  constexpr TSortMarkPainter() = default;
};
CALDERAN_IMPLEMENT_CLASS(TSortMarkPainter, TcxCustomLookAndFeelPainter)

namespace {

TcxCustomLookAndFeelPainterClass Base() { return TcxCustomLookAndFeelPainter::Instance(); }

class BasePainterPixels : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartLookAndFeelUnits(); }
};

constexpr TColor surfaceFill = 0x123456;  // what lies under every drawing

struct TPixel {
  int x, y;
  TColor color;
};

// Every listed pixel has its colour (system colours as the system shows them).
void ExpectPixels(TPainterSurface& s, std::initializer_list<TPixel> pixels, const std::string& what) {
  for (const TPixel& p : pixels)
    EXPECT_EQ(s.Pixel(p.x, p.y), ColorToRGB(p.color)) << what << " at (" << p.x << ", " << p.y << ")";
}

TEST_F(BasePainterPixels, ChevronsPointTowardTheirBar) {
  // A 7 x 7 chevron: four steps of a 2 x 1 block from each corner, then the bar column.
  TPainterSurface next(7, 7), previous(7, 7);
  Base()->PaintChevron(next.Canvas(), TRect(0, 0, 7, 7), nbdNext, clRed);
  Base()->PaintChevron(previous.Canvas(), TRect(0, 0, 7, 7), nbdPrevious, clRed);
  const TColor r = clRed, e = surfaceFill;
  ExpectPixels(next, {{0, 0, r}, {1, 0, r}, {3, 3, r}, {4, 3, r}, {1, 5, r}, {0, 6, r}, {6, 0, r}, {6, 3, r}, {6, 6, r},
                      {2, 0, e}, {5, 3, e}, {0, 3, e}, {2, 6, e}, {5, 0, e}},
               "next");
  ExpectPixels(previous, {{6, 0, r}, {5, 0, r}, {3, 3, r}, {2, 3, r}, {5, 5, r}, {6, 6, r}, {0, 0, r}, {0, 3, r},
                          {0, 6, r}, {4, 0, e}, {1, 3, e}, {6, 3, e}, {4, 6, e}, {1, 0, e}},
               "previous");
}

TEST_F(BasePainterPixels, GroupExpandButtonChevronsPointUpWhenExpanded) {
  // 20 x 20: the chevrons start at column 7 and row 5; the second one six rows lower.
  TPainterSurface down(20, 20), up(20, 20);
  Base()->PaintGroupExpandButton(down.Canvas(), TRect(0, 0, 20, 20), false, cxbsNormal);
  Base()->PaintGroupExpandButton(up.Canvas(), TRect(0, 0, 20, 20), true, cxbsNormal);
  ExpectPixels(down, {{7, 5, clBtnText}, {12, 6, clBtnText}, {9, 8, clBtnText}, {9, 5, clBtnFace},
                      {7, 8, clBtnFace}, {9, 9, clBtnFace}, {9, 10, clBtnFace}, {9, 14, clBtnText}},
               "pointing down");
  ExpectPixels(up, {{9, 5, clBtnText}, {7, 8, clBtnText}, {12, 7, clBtnText}, {7, 5, clBtnFace},
                    {9, 8, clBtnFace}, {9, 11, clBtnText}, {7, 14, clBtnText}},
               "pointing up");
}

TEST_F(BasePainterPixels, FilterCloseCrossIsTwoPixelsThick) {
  // A 16 x 14 button at (2, 2): the cross is 7 wide from (6, 5); pressed it moves by (1, 1).
  TPainterSurface normal(20, 18), pressed(20, 18);
  Base()->PaintFilterCloseButton(normal.Canvas(), Bounds(2, 2, 16, 14), cxbsNormal);
  Base()->PaintFilterCloseButton(pressed.Canvas(), Bounds(2, 2, 16, 14), cxbsPressed);
  ExpectPixels(normal, {{6, 5, clBtnText}, {7, 5, clBtnText}, {9, 8, clBtnText}, {13, 11, clBtnText},
                        {6, 11, clBtnText}, {13, 5, clBtnText}, {13, 4, clBtnFace}, {13, 12, clBtnFace},
                        {6, 6, clBtnFace}, {5, 5, clBtnFace}, {2, 2, clBtnFace}, {1, 1, surfaceFill}},
               "normal");
  ExpectPixels(pressed, {{7, 6, clBtnText}, {6, 5, clBtnFace}, {10, 9, clBtnText}}, "pressed");
}

TEST_F(BasePainterPixels, SideArrowsSitInsideTheHeaderEdges) {
  // 60 x 20 header: the inner height 18 gives triangles with a base of 10 rows (5..14) and a tip
  // five columns further out; the left base lies at inset - 1, the right one at 60 - inset.
  TcxViewParams params;
  params.Color = clYellow;
  struct Case {
    int arrows;
    bool left, right;
  } cases[] = {{1, true, false}, {2, false, true}, {3, true, true}};
  for (const Case& c : cases) {
    TPainterSurface s(60, 20);
    Base()->PaintHeaderWithSideArrows(s.Canvas(), TRect(0, 0, 60, 20), "", {}, params, c.arrows, 8, nullptr);
    const std::string what = "arrows " + std::to_string(c.arrows);
    const TColor left = c.left ? clWindowText : clYellow, right = c.right ? clWindowText : clYellow;
    ExpectPixels(s, {{7, 5, left}, {7, 14, left}, {2, 9, left}, {5, 9, left}, {52, 5, right}, {52, 14, right},
                     {57, 9, right}, {54, 9, right}},
                 what);
    ExpectPixels(s, {{7, 4, clYellow}, {7, 15, clYellow}, {1, 9, clYellow}, {52, 4, clYellow}, {58, 9, clYellow},
                     {30, 9, clYellow}},
                 what + ", outside the arrows");
  }
}

TEST_F(BasePainterPixels, SortMarkOutlineLightAndDarkSides) {
  // Extent 8 x 7 in a 20 x 20 rectangle: centre column 9, half widths 3 and 4; ascending the
  // apex lies on row 6 and the base on row 12, descending the other way round.
  auto p = TSortMarkPainter::Instance();
  TPainterSurface ascending(20, 20), descending(20, 20);
  p->PaintSortMarkOutline(ascending.Canvas(), TRect(0, 0, 20, 20), clNavy, clAqua, true);
  p->PaintSortMarkOutline(descending.Canvas(), TRect(0, 0, 20, 20), clNavy, clAqua, false);
  ExpectPixels(ascending, {{13, 11, clAqua}, {10, 6, clAqua}, {13, 12, clAqua}, {10, 12, clAqua},
                           {6, 12, clNavy}, {9, 6, clNavy}, {9, 9, surfaceFill}, {15, 12, surfaceFill}},
               "ascending");
  ExpectPixels(descending, {{13, 7, clAqua}, {10, 12, clAqua}, {13, 6, clNavy}, {10, 6, clNavy}, {6, 6, clNavy},
                            {9, 12, clNavy}, {9, 9, surfaceFill}, {15, 6, surfaceFill}},
               "descending");
}

TEST_F(BasePainterPixels, NavigationButtonFramesThreeSidesAndLeavesTheContentSideOpen) {
  // 20 x 30 buttons with a 7 x 7 chevron at (6, 11).
  struct Case {
    TcxNavigationButtonDirection direction;
    TcxButtonState state;
    std::initializer_list<TPixel> pixels;
  } cases[] = {
      {nbdPrevious, cxbsNormal,
       {{5, 0, clBtnShadow}, {19, 15, clBtnShadow}, {5, 29, clBtnShadow}, {0, 15, clBtnFace}, {5, 1, clBtnHighlight},
        {18, 15, clBtnFace}, {5, 28, clBtnFace}, {6, 14, clBtnText}, {11, 11, clBtnText}, {3, 15, clBtnFace}}},
      {nbdPrevious, cxbsPressed,
       {{5, 0, clBtnShadow}, {0, 15, clBtnFace}, {5, 1, clBtnShadow}, {18, 15, clBtnHighlight},
        {5, 28, clBtnHighlight}, {6, 14, clBtnText}}},
      {nbdNext, cxbsNormal,
       {{5, 0, clBtnShadow}, {0, 15, clBtnShadow}, {5, 29, clBtnShadow}, {19, 15, clBtnFace}, {5, 1, clBtnHighlight},
        {1, 15, clBtnHighlight}, {5, 28, clBtnFace}, {12, 14, clBtnText}, {6, 11, clBtnText}}},
      {nbdNext, cxbsDisabled, {{12, 14, clBtnShadow}, {6, 11, clBtnShadow}, {1, 15, clBtnHighlight}}},
  };
  for (const Case& c : cases) {
    TPainterSurface s(20, 30);
    Base()->PaintNavigationButton(s.Canvas(), TRect(0, 0, 20, 30), Bounds(6, 11, 7, 7), c.direction, c.state);
    ExpectPixels(s, c.pixels, std::string(c.direction == nbdNext ? "next" : "previous") + ", state " + std::to_string(c.state));
  }
}

// An 80 x 80 clock: centre (40, 40), half-axes 38. At 10:08:30 the hour hand points up and left,
// the minute hand up and right and the second hand straight down.
TEST_F(BasePainterPixels, ClockMarksHandsAndWholeSeconds) {
  TPainterSurface s(80, 80);
  const TDateTime time = (10 * 3600 + 8 * 60 + 30.6) / 86400.0;
  Base()->PaintClock(s.Canvas(), TRect(0, 0, 80, 80), time, clWhite);
  ExpectPixels(s, {{78, 40, clTeal}, {77, 40, clAqua}, {77, 39, clAqua}, {79, 41, clBtnText}, {79, 40, clBtnText},
                   {40, 2, clTeal}, {2, 40, clTeal}},
               "the marks at three, twelve and nine o'clock");
  ExpectPixels(s, {{32, 34, clTeal}, {49, 32, clTeal}}, "the hour and minute hands");
  ExpectPixels(s, {{40, 60, clRed}, {40, 73, clRed}, {40, 74, clWhite}, {60, 60, clWhite}, {20, 60, clWhite}},
               "the second hand at 30 s, although the time is nearer 31 s");

  // 2:24 on 29 December 1899: a negative date's fraction counts from midnight as well, so the
  // minute hand points down and right (24 min), not down and left (21:36).
  s.Fill(surfaceFill);
  Base()->PaintClock(s.Canvas(), TRect(0, 0, 80, 80), -1.1, clWhite);
  ExpectPixels(s, {{47, 50, clTeal}, {33, 50, clWhite}}, "the minute hand at 2:24");
}

}  // namespace
