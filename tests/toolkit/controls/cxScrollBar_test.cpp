#include "calderan_test.h"

#include <string>
#include <vector>

#include "controls_fixture.h"
#include "cxGeometry.h"
#include "cxScrollBar.h"

static void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

namespace {

struct TScrollRecorder {
  int changes = 0;
  std::vector<std::pair<TScrollCode, int>> scrolls;
  int forcedTrackPosition = -1;
  void Change(TObject*) { ++changes; }
  void Scroll(TObject*, TScrollCode code, int& position) {
    if (code == scTrack && forcedTrackPosition >= 0) position = forcedTrackPosition;
    scrolls.emplace_back(code, position);
  }
};

struct ScrollBar : ControlsFixture {
  TcxScrollBar* MakeVertical(int height = 200) {
    auto* bar = Place(new TcxScrollBar(form.get()), 20, 20, 17, height);
    bar->SetKind(sbVertical);
    bar->SetBounds(20, 20, 17, height);
    bar->OnChange = MakeEvent(&recorder, &TScrollRecorder::Change);
    bar->OnScroll = MakeEvent(&recorder, &TScrollRecorder::Scroll);
    return bar;
  }
  TPoint ScreenOf(TcxScrollBar* bar, TPoint p) { return bar->ClientToScreen(p); }
  // A vertical bar with its thumb pressed in the middle; answers the press point.
  TPoint PressThumb(TcxScrollBar*& bar, int position) {
    bar = MakeVertical();
    bar->SetScrollParams(0, 99, position, 10);
    const TPoint press = RectCenter(bar->ViewInfo()->ThumbnailRect);
    bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(press.X, press.Y));
    return press;
  }
  TScrollRecorder recorder;
};

TEST_F(ScrollBar, ThumbGeometryByPageAndRange) {
  const int arrow = GetSystemMetrics(SM_CXVSCROLL), fixedThumb = GetSystemMetrics(SM_CYVTHUMB);
  const int track = 200 - 2 * arrow;
  struct Case { const char* what; int min, max, page, position; bool enabled; TRect thumb; } const cases[] = {
      {"range of one value", 5, 5, 1, 5, true, TRect()},
      {"range of one value, page of zero: fixed thumb at the start", 5, 5, 0, 5, true, TRect(0, arrow, 17, arrow + fixedThumb)},
      {"disabled", 0, 100, 10, 50, false, TRect()},
      {"page of zero: fixed thumb at the start", 0, 100, 0, 0, true, TRect(0, arrow, 17, arrow + fixedThumb)},
      {"page of zero: fixed thumb at the end", 0, 100, 0, 100, true, TRect(0, 200 - arrow - fixedThumb, 17, 200 - arrow)},
      {"page of a tenth", 0, 99, 10, 0, true, TRect(0, arrow, 17, arrow + MulDiv(10, track, 100))},
      {"page of a tenth at the end", 0, 99, 10, 90, true, TRect(0, 200 - arrow - MulDiv(10, track, 100), 17, 200 - arrow)},
      {"page beyond the range, below max", 10, 100, 100, 10, true, TRect(0, arrow, 17, 200 - arrow)},
      {"page exactly the range", 1, 100, 100, 50, true, TRect(0, arrow, 17, 200 - arrow)},
  };
  for (const Case& c : cases) {
    auto* bar = MakeVertical();
    bar->SetScrollParams(c.min, c.max, c.position, c.page);
    bar->SetEnabled(c.enabled);
    const TcxScrollBarViewInfo* v = bar->ViewInfo();
    EXPECT_EQ(v->TopLeftArrowRect, TRect(0, 0, 17, arrow)) << c.what;
    EXPECT_EQ(v->BottomRightArrowRect, TRect(0, 200 - arrow, 17, 200)) << c.what;
    EXPECT_EQ(v->ThumbnailRect, c.thumb) << c.what;
    if (c.thumb.IsEmpty()) {
      EXPECT_TRUE(v->PageUpRect.IsEmpty() && v->PageDownRect.IsEmpty()) << c.what;
      EXPECT_EQ(bar->HitTest(TPoint(8, 100)), sbpNone) << c.what;
    } else {
      EXPECT_EQ(v->PageUpRect, TRect(0, arrow, 17, c.thumb.Top)) << c.what;
      EXPECT_EQ(v->PageDownRect, TRect(0, c.thumb.Bottom, 17, 200 - arrow)) << c.what;
    }
    delete bar;
  }
}

TEST_F(ScrollBar, HitTestAndArrowsOfAShortHorizontalBar) {
  auto* bar = Place(new TcxScrollBar(form.get()), 10, 10, 20, 17);
  EXPECT_EQ(bar->ViewInfo()->TopLeftArrowRect, TRect(0, 0, 10, 17)) << "arrows take half each when the bar is short";
  bar->SetBounds(10, 10, 200, 17);
  bar->SetScrollParams(0, 99, 0, 10);
  const TcxScrollBarViewInfo* v = bar->ViewInfo();
  struct Case { TPoint p; TcxScrollBarPart part; } const cases[] = {
      {TPoint(1, 8), sbpLineUp}, {TPoint(198, 8), sbpLineDown}, {RectCenter(v->ThumbnailRect), sbpThumbnail},
      {TPoint(150, 8), sbpPageDown}, {TPoint(-1, 8), sbpNone}, {TPoint(100, 17), sbpNone}};
  for (const Case& c : cases) EXPECT_EQ(bar->HitTest(c.p), c.part) << c.p.X << "," << c.p.Y;
  bar->SetPosition(90);
  EXPECT_EQ(bar->HitTest(TPoint(30, 8)), sbpPageUp);
}

TEST_F(ScrollBar, PropertyRulesAndTheOutOfRangeError) {
  auto* bar = MakeVertical();
  bar->SetScrollParams(0, 100, 50, 20);
  recorder.changes = 0;
  bar->SetPosition(-5);
  EXPECT_EQ(bar->Position(), 0) << "below Min stores Min";
  bar->SetPosition(500);
  EXPECT_EQ(bar->Position(), 100) << "above Max stores Max";
  EXPECT_EQ(recorder.changes, 2);
  bar->SetPosition(100);
  EXPECT_EQ(recorder.changes, 2) << "an unchanged position fires no change";
  try {
    bar->SetMax(10);
    FAIL() << "Max below PageSize must raise";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Scrollbar property out of range");
  }
  EXPECT_THROW(bar->SetScrollParams(10, 5, 7, 0), EInvalidOperation);
  EXPECT_EQ(bar->Max(), 100);
  EXPECT_EQ(bar->Min(), 0);
  EXPECT_EQ(bar->PageSize(), 20);
  bar->SetScrollParams(0, 20, 0, 20);  // PageSize is compared with Max itself, not with the range
  EXPECT_EQ(bar->PageSize(), 20);
  bar->SetKind(sbHorizontal);
  EXPECT_EQ(bar->Width(), 200) << "a new kind swaps width and height";
  EXPECT_EQ(bar->Height(), 17);
}

// The repeat timer is driven by calling its tick, as its timer message does.
TEST_F(ScrollBar, HeldArrowScrollsAtOnceThenAfter400ThenEvery60AndPausesOffThePart) {
  auto* bar = MakeVertical();
  bar->SetScrollParams(0, 100, 0, 10);
  const TPoint onArrow = ScreenOf(bar, TPoint(8, 195)), offArrow = ScreenOf(bar, TPoint(8, 100));
  ASSERT_TRUE(SetCursorPos(onArrow.X, onArrow.Y));
  bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(8, 195));
  TcxTimer* timer = bar->RepeatTimer();
  EXPECT_EQ(bar->Position(), 1) << "once at once";
  EXPECT_EQ(bar->PressedPart(), sbpLineDown);
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 400u);
  timer->TimeOut();
  EXPECT_EQ(bar->Position(), 2);
  EXPECT_EQ(timer->Interval(), 60u);
  timer->TimeOut();
  EXPECT_EQ(bar->Position(), 3);
  EXPECT_EQ(timer->Interval(), 60u);
  ASSERT_TRUE(SetCursorPos(offArrow.X, offArrow.Y));
  bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(8, 100));
  EXPECT_FALSE(timer->Enabled()) << "off the pressed part the repeat pauses";
  EXPECT_EQ(bar->PartState(sbpLineDown), cxbsNormal);
  ASSERT_TRUE(SetCursorPos(onArrow.X, onArrow.Y));
  bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(8, 195));
  EXPECT_TRUE(timer->Enabled()) << "back over it the repeat resumes";
  EXPECT_EQ(bar->PartState(sbpLineDown), cxbsPressed);
  timer->TimeOut();
  EXPECT_EQ(bar->Position(), 4);
  bar->Perform(WM_LBUTTONUP, 0, ClientPoint(8, 195));
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(bar->PressedPart(), sbpNone);
  ASSERT_FALSE(recorder.scrolls.empty());
  EXPECT_EQ(recorder.scrolls.back().first, scEndScroll);
}

TEST_F(ScrollBar, ThumbDraggedFarSidewaysSnapsBackAndFollowsAgainOnReturn) {
  TcxScrollBar* bar = nullptr;
  const TPoint press = PressThumb(bar, 10);
  ASSERT_EQ(bar->PressedPart(), sbpThumbnail);
  bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(press.X, press.Y + 40));
  const int followed = bar->Position();
  EXPECT_GT(followed, 10);
  recorder.changes = 0;
  bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(press.X + 150, press.Y + 40));
  EXPECT_EQ(bar->Position(), 10) << "150 pixels to the side: back where the drag began";
  EXPECT_EQ(recorder.changes, 1);
  bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(press.X + 100, press.Y + 40));
  EXPECT_EQ(bar->Position(), followed) << "within 136 pixels across it follows again";
  bar->Perform(WM_LBUTTONUP, 0, ClientPoint(press.X, press.Y + 40));
  EXPECT_EQ(bar->Position(), followed);
  EXPECT_EQ(recorder.scrolls.back().first, scEndScroll);
}

TEST_F(ScrollBar, ATrackHandlerMovesTheThumbWithoutAChange) {
  TcxScrollBar* bar = nullptr;
  const TPoint press = PressThumb(bar, 0);
  recorder.changes = 0;
  recorder.forcedTrackPosition = 42;
  bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(press.X, press.Y + 30));
  EXPECT_EQ(bar->Position(), 42);
  EXPECT_EQ(recorder.changes, 0);
  recorder.forcedTrackPosition = -1;
  bar->Perform(WM_CANCELMODE);
  EXPECT_EQ(bar->PressedPart(), sbpNone);
}

TEST_F(ScrollBar, PartStatesFollowEnabledPressAndHot) {
  auto* bar = MakeVertical();
  bar->SetScrollParams(0, 99, 0, 10);
  bar->Perform(WM_MOUSEMOVE, 0, ClientPoint(8, 3));
  EXPECT_EQ(bar->HotPart(), sbpLineUp);
  EXPECT_EQ(bar->PartState(sbpLineUp), cxbsHot);
  EXPECT_EQ(bar->PartState(sbpLineDown), cxbsNormal);
  bar->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(bar->HotPart(), sbpNone);
  bar->SetEnabled(false);
  for (TcxScrollBarPart part : {sbpLineUp, sbpThumbnail, sbpPageDown}) EXPECT_EQ(bar->PartState(part), cxbsDisabled);
}

}  // namespace
