#include "calderan_test.h"

#include <vector>

#include "controls_fixture.h"

namespace {

TEST(PanningDirection, DirectionAndSpeedFollowTheMouse) {
  const TRect screen(0, 0, 1000, 800);
  const struct {
    bool horz, vert;
    TPoint point;
    TcxDirection direction;
    int speed;
    bool movedOut;
  } cases[] = {
      {true, true, {500, 400}, dirNone, 0, false},
      {true, true, {514, 414}, dirNone, 0, false},     // the zone's last pixel
      {true, true, {515, 400}, dirRight, 1, true},     // 15 away: just out
      {true, true, {486, 400}, dirNone, 0, false},     // the zone's first pixel
      {true, true, {485, 400}, dirLeft, 1, true},
      {true, true, {500, 420}, dirDown, 2, true},      // (20 - 14) / 5 + 1
      {true, true, {500, 331}, dirUp, 12, true},       // 69 away: the top speed
      {true, true, {500, 100}, dirUp, 12, true},       // capped
      {true, true, {530, 440}, dirDown, 6, true},      // |dy| >= |dx| is vertical
      {true, true, {545, 440}, dirRight, 7, true},
      {false, true, {900, 400}, dirNone, 0, false},    // no horizontal bar: the zone spans the width
      {false, true, {900, 430}, dirDown, 4, true},     // and the movement counts only vertically
      {true, false, {500, 10}, dirNone, 0, false},
      {true, false, {460, 700}, dirLeft, 6, true},
  };
  for (const auto& c : cases) {
    TcxPanningState state;
    state.Anchor = TPoint(500, 400);
    state.HorzBarShown = c.horz;
    state.VertBarShown = c.vert;
    state.Speed = 1;
    CalcPanningDirectionAndSpeed(state, c.point, screen);
    EXPECT_EQ(state.Direction, c.direction) << c.point.X << "," << c.point.Y;
    EXPECT_EQ(state.Speed, c.speed) << c.point.X << "," << c.point.Y;
    EXPECT_EQ(state.MovedOut, c.movedOut) << c.point.X << "," << c.point.Y;
  }
}

// A control with content larger than itself (both bars shown, or one), recording its scrolls and
// the mouse and key messages it receives.
class TPannedControl : public TcxControl {
 public:
  TPannedControl(TComponent* owner, TSize content) : TcxControl(owner), content(content) {}
  TSize content;
  std::vector<TcxDirection> scrolls;
  std::vector<UINT> received;

 protected:
  void CalculateScrollBarParams() override {
    const TRect c = GetClientBounds();
    SetScrollBarInfo(sbHorizontal, 0, content.cx - 1, 1, c.Width(), 0, true, true);
    SetScrollBarInfo(sbVertical, 0, content.cy - 1, 1, c.Height(), 0, true, true);
  }
  void Scroll(TScrollBarKind kind, TScrollCode code, int&) override {
    bool back = code == scLineUp;
    scrolls.push_back(kind == sbHorizontal ? (back ? dirLeft : dirRight) : (back ? dirUp : dirDown));
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_KEYDOWN || m.Msg == WM_MBUTTONUP) received.push_back(m.Msg);
    TcxControl::WndProc(m);
  }
};

struct Panning : ControlsFixture {
  TPannedControl* Make(TSize content) {
    auto* control = Place(new TPannedControl(form.get(), content), 10, 10, 200, 150);
    control->UpdateScrollBars();
    control->SetFocus();
    SetCursorPos(300, 300);
    anchor = GetCursorPosSafe();
    return control;
  }
  // Moves the mouse to a screen point a little after the panning started (the system's own mouse
  // moves of the start report the cursor where it is).
  void MoveLater(TcxControl* control, TPoint screen) {
    move = {control, screen};
    SetTimer(nullptr, 0, 60, MoveTheMouse);
  }
  struct TMove {
    TcxControl* control;
    TPoint screen;
  };
  static inline TMove move;
  static void CALLBACK MoveTheMouse(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    SetCursorPos(move.screen.X, move.screen.Y);
    TPoint p = move.control->ScreenToClient(move.screen);
    PostMessageA(move.control->Handle(), WM_MOUSEMOVE, 0, ClientPoint(p.X, p.Y));
  }
  // Posts what ends the panning after a while (the loop's own timer runs meanwhile), and once
  // more later, so that a fault ends the test instead of hanging it.
  static void EndLater(HWND window, UINT msg, WPARAM w, UINT delay) {
    later = {window, msg, w};
    SetTimer(nullptr, 0, delay, PostTheEnd);
    SetTimer(nullptr, 0, 5000, PostEscape);
  }
  struct TLater {
    HWND window;
    UINT msg;
    WPARAM w;
  };
  static inline TLater later;
  static void CALLBACK PostTheEnd(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageA(later.window, later.msg, later.w, 0);
  }
  static void CALLBACK PostEscape(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageA(later.window, WM_KEYDOWN, VK_ESCAPE, 0);
  }
  void Press(TcxControl* control) {
    TPoint p = control->ScreenToClient(anchor);
    SendMessageA(control->Handle(), WM_MBUTTONDOWN, MK_MBUTTON, ClientPoint(p.X, p.Y));
  }
  TPoint anchor;
};

TEST_F(Panning, NothingWithoutShownBars) {
  TPannedControl* control = Make(TSize(10, 10));
  ASSERT_FALSE(control->IsHScrollBarVisible() || control->IsVScrollBarVisible());
  Press(control);
  EXPECT_FALSE(control->Panning());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Panning, PressAndReleaseKeepPanningUntilAClick) {
  TPannedControl* control = Make(TSize(2000, 2000));
  TPoint p = control->ScreenToClient(anchor);
  PostMessageA(control->Handle(), WM_MBUTTONUP, 0, ClientPoint(p.X, p.Y));  // without moving: panning goes on
  MoveLater(control, anchor + TPoint(100, 5));
  EndLater(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 400);
  Press(control);
  for (TcxDirection d : control->scrolls) EXPECT_EQ(d, dirRight);
  EXPECT_GE(control->scrolls.size(), 5u);  // every tick at top speed for 400 ms, however slow the machine
  EXPECT_EQ(control->received, (std::vector<UINT>{WM_MBUTTONUP}));  // the click ended it unseen
  EXPECT_FALSE(control->Panning());
  EXPECT_EQ(GetCapture(), nullptr);
  PumpWhileBusy();
}

TEST_F(Panning, EscEndsPanningAndStillReachesTheControl) {
  TPannedControl* control = Make(TSize(2000, 2000));
  MoveLater(control, anchor + TPoint(0, -40));
  EndLater(control->Handle(), WM_KEYDOWN, VK_ESCAPE, 300);
  Press(control);
  ASSERT_FALSE(control->scrolls.empty());
  for (TcxDirection d : control->scrolls) EXPECT_EQ(d, dirUp);
  EXPECT_EQ(control->received, (std::vector<UINT>{WM_KEYDOWN}));
  EXPECT_FALSE(control->Panning());
  EXPECT_EQ(GetCapture(), nullptr);
  PumpWhileBusy();
}

TEST_F(Panning, OnlyTheVerticalBarScrollsOnlyVertically) {
  TPannedControl* control = Make(TSize(100, 2000));
  ASSERT_TRUE(control->IsVScrollBarVisible());
  ASSERT_FALSE(control->IsHScrollBarVisible());
  MoveLater(control, anchor + TPoint(150, 0));  // sideways: nothing
  EndLater(control->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, 300);
  Press(control);
  EXPECT_TRUE(control->scrolls.empty());
  EXPECT_EQ(GetCapture(), nullptr);
  PumpWhileBusy();
}

}  // namespace
