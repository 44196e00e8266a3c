#include "calderan_test.h"

#include <string>
#include <vector>

#include "ExtCtrls.h"
#include "controls_fixture.h"

static void PrintTo(const TPoint& p, std::ostream* os) { *os << "(" << p.X << ", " << p.Y << ")"; }

namespace {

TRect WorkArea(const TPoint&) { return TRect(0, 0, 1000, 800); }

TEST(PopupPlacement, SidesFlipsAndClampsAgainstTheWorkArea) {
  struct Case {
    const char* what;
    TcxPopupDirection direction;
    TcxPopupAlignHorz horz;
    TcxPopupAlignVert vert;
    TRect owner;
    TSize size;
    TPoint expected;
  } const cases[] = {
      {"below, fits", pdVertical, pahLeft, pavBottom, TRect(400, 300, 500, 320), TSize(100, 150), TPoint(400, 320)},
      {"below at the bottom: more room above, opens above", pdVertical, pahLeft, pavBottom, TRect(400, 700, 500, 720),
       TSize(100, 150), TPoint(400, 550)},
      {"below, too high for either side: stays below past the work area", pdVertical, pahLeft, pavBottom,
       TRect(400, 100, 500, 120), TSize(100, 750), TPoint(400, 120)},
      {"above at the top: less room above, opens below", pdVertical, pahLeft, pavTop, TRect(400, 50, 500, 70),
       TSize(100, 150), TPoint(400, 70)},
      {"right-aligned near the left edge: shifted to the left edge", pdVertical, pahRight, pavBottom,
       TRect(10, 100, 60, 120), TSize(200, 50), TPoint(0, 120)},
      {"left-aligned near the right edge: shifted in", pdVertical, pahLeft, pavBottom, TRect(950, 100, 990, 120),
       TSize(200, 50), TPoint(800, 120)},
      {"beside on the right near the right edge: flips to the left", pdHorizontal, pahRight, pavTop,
       TRect(950, 100, 990, 120), TSize(100, 50), TPoint(850, 100)},
      {"beside on the right, bottom-aligned near the top: clamped down", pdHorizontal, pahRight, pavBottom,
       TRect(300, 10, 340, 30), TSize(100, 50), TPoint(340, 0)},
      {"beside on the left at the left edge, no more room there: flips right", pdHorizontal, pahLeft, pavTop,
       TRect(20, 100, 60, 120), TSize(100, 50), TPoint(60, 100)},
      {"centred under the owner", pdVertical, pahCenter, pavBottom, TRect(400, 100, 500, 120), TSize(50, 50),
       TPoint(425, 120)},
      {"centred beside the owner at the bottom: clamped up", pdHorizontal, pahRight, pavCenter,
       TRect(400, 780, 500, 800), TSize(50, 100), TPoint(500, 700)},
  };
  for (const Case& c : cases) {
    const TcxPopupPlacement placement{c.direction, c.horz, c.vert};
    EXPECT_EQ(CalculatePopupPosition(placement, c.owner, c.size, &WorkArea), c.expected) << c.what;
  }
}

using Popup = ControlsFixture;

TEST_F(Popup, SizeFollowsTheChildrenAndTheFrameButNotWithoutChildren) {
  TcxPopupWindow empty(nullptr);
  empty.SetBounds(0, 0, 123, 45);
  empty.SetBorderStyle(pbsDouble3D);
  empty.CalculateSize();
  EXPECT_EQ(empty.Width(), 123);
  EXPECT_EQ(empty.Height(), 45);

  TcxPopupWindow popup(nullptr);
  auto* child = new TPanel(&popup);
  child->SetParent(&popup);
  child->SetBounds(0, 0, 50, 30);
  popup.SetBorderStyle(pbsFlat);
  popup.SetBorderSpace(2);
  popup.CalculateSize();
  EXPECT_EQ(child->BoundsRect(), TRect(3, 3, 53, 33));
  EXPECT_EQ(popup.Width(), 56);
  EXPECT_EQ(popup.Height(), 36);
  EXPECT_EQ(popup.GetClientBounds().TopLeft(), TPoint(3, 3));
  popup.SetBorderStyle(pbsDouble3D);
  EXPECT_EQ(child->BoundsRect(), TRect(0, 0, 50, 30)) << "a new frame first moves the children back";
  popup.CalculateSize();
  EXPECT_EQ(child->BoundsRect(), TRect(4, 4, 54, 34));
}

struct TNcActivateLog {
  std::vector<WPARAM> values;
  void Method(TMessage& m) {
    if (m.Msg == WM_NCACTIVATE) values.push_back(m.WParam);
    subclass->CallOriginal(m);
  }
  TWindowSubclass* subclass = nullptr;
};

TEST_F(Popup, DeactivatingTheApplicationClosesThePopupAndTheCallerCaption) {
  TNcActivateLog log;
  TWindowSubclass subclass(form->Handle(), MakeEvent(&log, &TNcActivateLog::Method));
  log.subclass = &subclass;
  TcxPopupWindow popup(nullptr);
  popup.SetBounds(100, 100, 80, 40);
  popup.Show();
  log.values.clear();
  popup.Perform(WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(form->Handle()));
  EXPECT_EQ(log.values, std::vector<WPARAM>{TRUE}) << "the caller keeps its active caption while the popup is open";
  log.values.clear();
  popup.Perform(WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_FALSE(popup.Visible());
  ASSERT_FALSE(log.values.empty());
  EXPECT_EQ(log.values.front(), WPARAM(FALSE));
}

// ---------------------------------------------------------------------------------------------
// Hint windows

TEST(HintAnimation, StyleUnderTheSystemSettings) {
  struct Case { TcxHintAnimationStyle style; bool animation, fade; TcxHintAnimationStyle used; } const cases[] = {
      {cxhaAuto, true, true, cxhaFadeIn},          {cxhaAuto, true, false, cxhaSlideDownward},
      {cxhaAuto, false, true, cxhaNone},           {cxhaSlideFromLeft, true, false, cxhaSlideFromLeft},
      {cxhaSlideFromLeft, false, false, cxhaNone}, {cxhaNone, true, true, cxhaNone},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ResolveHintAnimationStyle(c.style, c.animation, c.fade), c.used) << int(c.style) << c.animation << c.fade;
}

class TCountingHint : public TcxBaseHintWindow {
 public:
  using TcxBaseHintWindow::TcxBaseHintWindow;
  int animations = 0;

 protected:
  void Animate() override { ++animations; }
};

TEST_F(Popup, LongHintsAreNotAnimatedAndHintsStayOnTheWorkArea) {
  TCountingHint hint(form.get());
  hint.ActivateHint(Bounds(10, 10, 100, 20), std::string(99, 'x'));
  EXPECT_EQ(hint.animations, 1);
  hint.ActivateHint(Bounds(10, 10, 100, 20), std::string(100, 'x'));
  EXPECT_EQ(hint.animations, 1) << "100 characters or more: no animation";
  const TRect work = GetWorkAreaAtPoint(TPoint(0, 0));
  hint.ActivateHint(Bounds(work.Right - 10, work.Bottom + 50, 100, 20), "corner");
  EXPECT_EQ(hint.BoundsRect(), Bounds(work.Right - 100, work.Bottom - 20, 100, 20));
  hint.ActivateHint(Bounds(work.Left - 30, work.Top - 30, 100, 20), "corner");
  EXPECT_EQ(hint.BoundsRect().TopLeft(), work.TopLeft());
  EXPECT_TRUE(IsWindowVisible(hint.Handle()));
  EXPECT_NE(GetWindowLongA(hint.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(GetWindowLongA(hint.Handle(), GWL_STYLE) & WS_BORDER, 0) << "no border unless asked for";
}

}  // namespace
