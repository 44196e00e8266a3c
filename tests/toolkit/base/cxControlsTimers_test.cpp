#include "calderan_test.h"

#include <vector>

#include "Controls.h"
#include "routines_fixture.h"

namespace {

struct TTickRecorder {
  std::vector<TObject*> senders;
  void Tick(TObject* sender) { senders.push_back(sender); }
  int CountOf(TObject* sender) const { return static_cast<int>(std::count(senders.begin(), senders.end(), sender)); }
};

using Timers = RoutinesFixture;

TEST_F(Timers, RunOnlyWithAHandlerAndKeepTheirIntervalAgainstZero) {
  TcxTimer timer(nullptr);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000u);
  EXPECT_FALSE(timer.Running()) << "no handler yet";
  TTickRecorder recorder;
  timer.SetOnTimer(MakeEvent(&recorder, &TTickRecorder::Tick));
  EXPECT_TRUE(timer.Running());
  EXPECT_EQ(timer.Interval(), 1000u);
  timer.SetInterval(0);
  EXPECT_EQ(timer.Interval(), 1000u);
  EXPECT_TRUE(timer.Running());
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Running());
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Running());
  timer.SetOnTimer(nullptr);
  EXPECT_FALSE(timer.Running());
}

TEST_F(Timers, TwoTimersOfOneIntervalFireIndependentlyEachAsItsOwnSender) {
  TTickRecorder recorder;
  TcxTimer first(nullptr), second(nullptr);
  for (TcxTimer* timer : {&first, &second}) {
    timer->SetInterval(10);
    timer->SetOnTimer(MakeEvent(&recorder, &TTickRecorder::Tick));
  }
  ASSERT_TRUE(PumpUntil([&] { return recorder.CountOf(&first) >= 3 && recorder.CountOf(&second) >= 3; }));
  second.SetEnabled(false);
  const int secondTicks = recorder.CountOf(&second), firstTicks = recorder.CountOf(&first);
  ASSERT_TRUE(PumpUntil([&] { return recorder.CountOf(&first) >= firstTicks + 3; }));
  EXPECT_EQ(recorder.CountOf(&second), secondTicks) << "a stopped timer's ticks are dropped";
  for (TObject* sender : recorder.senders) EXPECT_TRUE(sender == &first || sender == &second);
}

TEST_F(Timers, ATimerFreedInsideItsOwnTickStopsCleanly) {
  struct TSelfFreeing {
    TcxTimer* timer;
    int ticks = 0;
    void Tick(TObject*) {
      ++ticks;
      delete timer;
      timer = nullptr;
    }
  } owner{new TcxTimer(nullptr)};
  owner.timer->SetInterval(10);
  owner.timer->SetOnTimer(MakeEvent(&owner, &TSelfFreeing::Tick));
  ASSERT_TRUE(PumpUntil([&] { return owner.ticks > 0; }));
  PumpWhileBusy();
  EXPECT_EQ(owner.ticks, 1);
}

// ---------------------------------------------------------------------------------------------
// Mouse tracking

struct TCaller : IcxMouseTrackingCaller {
  int leaves = 0;
  void MouseLeave() override { ++leaves; }
};

struct THitTestCaller : IcxMouseTrackingHitTest {
  int leaves = 0;
  bool inside = true;
  void MouseLeave() override { ++leaves; }
  bool PtInCaller(const TPoint&) override { return inside; }
};

// A plain windowed control that counts the mouse-leave notifications the tracking sends it.
class TLeaveCountingControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  void Dispatch(TMessage& message) override {
    if (message.Msg == CM_MOUSELEAVE && message.LParam == reinterpret_cast<LPARAM>(this)) ++leaves;
    TCustomControl::Dispatch(message);
  }
  int leaves = 0;
};

using MouseTracking = RoutinesFixture;

TEST_F(MouseTracking, TrackingOneCallerTwiceMakesOneTimer) {
  TCaller caller;
  const TPoint cursor = GetCursorPosSafe();
  const TRect around(cursor.X - 50, cursor.Y - 50, cursor.X + 50, cursor.Y + 50);
  BeginMouseTracking(nullptr, around, &caller);
  BeginMouseTracking(nullptr, around, &caller);
  EXPECT_TRUE(IsMouseTracking(&caller));
  EndMouseTracking(&caller);
  EXPECT_FALSE(IsMouseTracking(&caller)) << "a second timer would still track the caller";
  EndMouseTracking(&caller);  // nothing left: no effect
  EXPECT_EQ(caller.leaves, 0);
}

TEST_F(MouseTracking, AHitTestSaysLeftWhileTheCursorStaysOverTheControl) {
  auto* control = Place(new TLeaveCountingControl(form.get()), 10, 10, 200, 150);
  ASSERT_TRUE(SetCursorPos(control->ClientToScreen(TPoint(100, 75)).X, control->ClientToScreen(TPoint(100, 75)).Y));
  THitTestCaller caller;
  BeginMouseTracking(control, TRect(0, 0, 200, 150), &caller);
  for (int i = 0; i < 5; ++i) PumpWhileBusy();
  EXPECT_EQ(caller.leaves, 0) << "still inside by its hit test";
  caller.inside = false;
  ASSERT_TRUE(PumpUntil([&] { return caller.leaves > 0; }));
  EXPECT_FALSE(IsMouseTracking(&caller));
  EXPECT_EQ(control->leaves, 0) << "the cursor is over the control: no mouse-leave for it";
}

TEST_F(MouseTracking, LeavingTheAreaAndTheControlTellsBoth) {
  auto* control = Place(new TLeaveCountingControl(form.get()), 10, 10, 200, 150);
  const TPoint outside = control->ClientToScreen(TPoint(300, 75));
  ASSERT_TRUE(SetCursorPos(outside.X, outside.Y));
  TCaller caller;
  BeginMouseTracking(control, TRect(0, 0, 50, 50), &caller);
  ASSERT_TRUE(PumpUntil([&] { return caller.leaves > 0; }));
  EXPECT_EQ(caller.leaves, 1);
  EXPECT_EQ(control->leaves, 1);
  EXPECT_FALSE(IsMouseTracking(&caller));
}

}  // namespace
