#include "calderan_test.h"

#include "NxScrollControl.h"
#include "inspector_fixture.h"

using ScrollBars = FormFixture;

TEST_F(ScrollBars, ModelClampsRangePositionAndThumb) {
  auto* control = Place(new TNxControl(form.get()), 10, 10, 100, 150);
  TNxVertScrollBar* bar = control->VertBar();
  bar->SetMax(-3);
  EXPECT_EQ(bar->Max(), 0);
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_FALSE(bar->Visible());
  bar->SetAutoHide(false);
  bar->SetMax(0);
  EXPECT_TRUE(bar->Visible());

  bar->SetMax(10);
  const struct { int min, set, expected; } positions[] = {{0, 25, 10}, {0, -4, 0}, {3, 1, 3}, {-5, -2, 0}, {0, 7, 7}};
  for (const auto& p : positions) {
    bar->SetMin(p.min);
    bar->SetPosition(p.set);
    EXPECT_EQ(bar->Position(), p.expected) << "min " << p.min << " set " << p.set;
  }
  bar->SetMin(0);
  bar->SetPageSize(3);
  EXPECT_EQ(bar->PageSize(), 8);
  bar->SetPageSize(20);
  EXPECT_EQ(bar->PageSize(), 20);
}

TEST_F(ScrollBars, DraggingTheThumbFollowsTheTrackAndSurvivesATrackTooShort) {
  auto* control = Place(new TNxControl(form.get()), 10, 10, 100, 150);
  TNxVertScrollBar* bar = control->VertBar();
  const int s = bar->ButtonSize();
  bar->SetBounds(80, 2, s, 2 * s + 100);
  bar->SetMax(10);
  EXPECT_EQ(bar->TrackLength(), 100);
  bar->DragThumb(35);  // 35 / (100 / 10) = 3.5, to the nearest: 4
  EXPECT_EQ(bar->Position(), 4);
  EXPECT_EQ(bar->ThumbRect().Top, s + 2 + 37);  // 4 x (100 - 8) / 10 = 36.8

  for (int height : {2 * s, 2 * s - 5, 0}) {
    bar->SetBounds(80, 2, s, height);
    bar->SetPosition(2);
    EXPECT_NO_THROW(bar->DragThumb(30)) << "height " << height;
    EXPECT_EQ(bar->Position(), 2);
  }
}

TEST_F(ScrollBars, ButtonsOfTheSelfDrawnBarStepAndRepeat) {
  auto* control = Place(new TNxControl(form.get()), 10, 10, 100, 150);
  TNxVertScrollBar* bar = control->VertBar();
  bar->SetMax(10);
  bar->SetBounds(control->ClientWidth() - bar->ButtonSize() - 2, 2, bar->ButtonSize(), control->ClientHeight() - 4);
  const TRect down = bar->ButtonRect(1);
  const HWND window = control->Handle();
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(down.Left + 2, down.Top + 2));
  EXPECT_EQ(bar->Position(), 1);
  EXPECT_EQ(control->RepeatAction(), raLineDown);
  EXPECT_TRUE(control->RepeatDelayTimer()->Enabled());
  control->StartRepeat();
  control->RepeatStep();
  EXPECT_EQ(bar->Position(), 2);
  SendMessageA(window, WM_LBUTTONUP, 0, ClientPoint(down.Left + 2, down.Top + 2));
  EXPECT_EQ(control->RepeatAction(), raNone);
  EXPECT_FALSE(control->RepeatTimer()->Enabled());
  EXPECT_FALSE(control->RepeatDelayTimer()->Enabled());
}

TEST_F(ScrollBars, RollScrollingSpeedFollowsTheDistanceFromTheMarker) {
  auto* control = Place(new TNxScrollControl(form.get()), 10, 10, 200, 200);
  control->VertBar()->SetMax(50);
  const HWND window = control->Handle();
  SendMessageA(window, WM_MBUTTONDOWN, MK_MBUTTON, ClientPoint(100, 60));
  ASSERT_TRUE(control->Rolling());
  EXPECT_TRUE(control->RollTimer()->Enabled());
  EXPECT_TRUE(control->RollShadow()->Visible());

  const struct { int dy; uint8_t direction; TCursor cursor; uint32_t interval; int step; } cases[] = {
      {3, 0, crRoll, 97, 0},    {-5, 0, crRoll, 95, 0},       {5, 0, crRoll, 95, 0},
      {30, kRollDown, crRollDown, 70, 1}, {150, kRollDown, crRollDown, 1, 1}, {-20, kRollUp, crRollUp, 80, -1},
  };
  for (const auto& c : cases) {
    const int before = control->VertBar()->Position();
    SendMessageA(window, WM_MOUSEMOVE, MK_MBUTTON, ClientPoint(100, 60 + c.dy));
    EXPECT_EQ(control->RollDirection(), c.direction) << "dy " << c.dy;
    EXPECT_EQ(Screen->Cursor(), c.cursor) << "dy " << c.dy;
    Mouse->SetCursorPos(control->ClientToScreen(TPoint(100, 60 + c.dy)));
    control->RollStep();
    EXPECT_EQ(control->RollTimer()->Interval(), c.interval) << "dy " << c.dy;
    EXPECT_EQ(control->VertBar()->Position(), before + c.step) << "dy " << c.dy;
  }
  SendMessageA(window, WM_MBUTTONUP, 0, ClientPoint(100, 60));
  EXPECT_FALSE(control->Rolling());
  EXPECT_FALSE(control->RollTimer()->Enabled());
  EXPECT_FALSE(control->RollShadow()->Visible());
  EXPECT_EQ(Screen->Cursor(), crDefault);
}
