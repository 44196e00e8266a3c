#include "calderan_test.h"

#include <string>
#include <vector>

#include "RzTrkBar.h"
#include "framed_control_fixture.h"

namespace {

class RzTrackBar : public FramedControlFixture<TRzTrackBar> {
 protected:
  void SetUp() override {
    NewForm(400, 300);
    bar_ = Place(Bounds(10, 10, 200, 35));
    bar_->OnChange = MakeEvent(this, &RzTrackBar::Changed);
  }

 public:
  void Changed(TObject*) { ++changes_; }
  void Refuse(TObject*, int, bool& allow) { allow = false; }
  void Ticks(TRzTrackBar*, TCanvas*, TPoint location, int index) {
    tickValues_.push_back(index);
    tickPlaces_.push_back(location);
  }
 protected:
  void Key(Word key) { bar_->Perform(WM_KEYDOWN, key, 0); }
  void Mouse(UINT msg, int x, int y) { bar_->Perform(msg, msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y)); }
  // Paints the bar into a bitmap (which also runs its owner-drawn ticks).
  void PaintOnce() {
    form_->HandleNeeded();
    TBitmap picture(bar_->Width(), bar_->Height());
    bar_->PaintTo(picture.Canvas(), 0, 0);
  }

  TRzTrackBar* bar_ = nullptr;
  int changes_ = 0;
  std::vector<int> tickValues_;
  std::vector<TPoint> tickPlaces_;
};

TEST_F(RzTrackBar, MinAndMaxNeverMeet) {
  bar_->SetPosition(10);
  bar_->SetMin(10);
  EXPECT_EQ(bar_->Min(), 9);
  bar_->SetMin(0);
  bar_->SetMax(-5);
  EXPECT_EQ(bar_->Max(), 1);
  EXPECT_EQ(bar_->Position(), 1);  // pulled down with the maximum
  bar_->SetMax(10);
  bar_->SetPosition(99);
  EXPECT_EQ(bar_->Position(), 10);
}

TEST_F(RzTrackBar, TicksFallOnMultiplesOfTheStep) {
  bar_->SetMin(-127);
  bar_->SetMax(127);
  bar_->SetTickStep(7);
  bar_->SetTickStyle(tkOwnerDraw);
  bar_->OnDrawTick = MakeEvent(static_cast<RzTrackBar*>(this), &RzTrackBar::Ticks);
  PaintOnce();
  std::vector<int> expected;
  for (int v = -126; v <= 126; v += 7) expected.push_back(v);
  EXPECT_EQ(tickValues_, expected);
  // across the span between the thumb's centres at both ends
  const int span = 200 - bar_->ThumbLength() - 2 * TRzTrackBar::EndInset;
  EXPECT_EQ(tickPlaces_.front().X, static_cast<int>(1.0 * span / 254) + 4 + bar_->ThumbLength() / 2);
  EXPECT_EQ(tickPlaces_[18].X, static_cast<int>(127.0 * span / 254) + 4 + bar_->ThumbLength() / 2);  // 0
}

TEST_F(RzTrackBar, ThumbPositionInIntegerArithmetic) {
  ASSERT_EQ(bar_->ThumbLength(), 11);
  ASSERT_EQ(bar_->ThumbThickness(), 21);
  struct TCase {
    int Position, Left;
  } const cases[] = {{0, 4}, {3, 58}, {7, 130}, {10, 185}};
  for (const TCase& c : cases) {
    bar_->SetPosition(c.Position);
    // (200 - 11 - 8) * position div 10 + 4; across: (8 - 21) div 2 + 20 - 2 (a pointer is lifted)
    EXPECT_EQ(bar_->ThumbRect(), Bounds(c.Left, 12, 11, 21)) << c.Position;
  }
}

TEST_F(RzTrackBar, TurnsVerticalWhenResizedTaller) {
  bar_->HandleNeeded();
  bar_->SetBounds(10, 10, 35, 200);
  EXPECT_EQ(bar_->Orientation(), orVertical);
  EXPECT_EQ(bar_->ThumbImage()->Width(), 21);  // the vertical thumb set
  EXPECT_EQ(bar_->ThumbImage()->Height(), 11);
  bar_->SetPosition(10);
  EXPECT_EQ(bar_->ThumbRect().Top, 4);  // the maximum at the top
  bar_->SetPosition(0);
  EXPECT_EQ(bar_->ThumbRect().Bottom, 196);
}

TEST_F(RzTrackBar, KeysStepPageAndJump) {
  bar_->SetPageSize(3);
  struct TStep {
    Word Key;
    int Position;
  } const horizontal[] = {{VK_END, 10}, {VK_RIGHT, 10}, {VK_HOME, 0}, {VK_LEFT, 0}, {VK_PRIOR, 3},
                          {VK_ADD, 4}, {VK_NEXT, 1}, {VK_SUBTRACT, 0}, {VK_NEXT, 0}};
  for (const TStep& s : horizontal) {
    Key(s.Key);
    EXPECT_EQ(bar_->Position(), s.Position) << s.Key;
  }
  bar_->SetOrientation(orVertical);
  Key(VK_END);
  EXPECT_EQ(bar_->Position(), 0);  // the bottom of a vertical bar
  Key(VK_HOME);
  EXPECT_EQ(bar_->Position(), 10);
}

TEST_F(RzTrackBar, ARefusedChangeKeepsThePosition) {
  bar_->SetPosition(4);
  changes_ = 0;
  bar_->OnChanging = MakeEvent(static_cast<RzTrackBar*>(this), &RzTrackBar::Refuse);
  bar_->SetPosition(6);
  Key(VK_END);
  EXPECT_EQ(bar_->Position(), 4);
  EXPECT_EQ(changes_, 0);
}

TEST_F(RzTrackBar, DraggingTheThumbClampsAtBothEnds) {
  form_->Show();
  bar_->SetPosition(5);
  const TRect thumb = bar_->ThumbRect();
  const int y = (thumb.Top + thumb.Bottom) / 2;
  Mouse(WM_LBUTTONDOWN, (thumb.Left + thumb.Right) / 2, y);
  Mouse(WM_MOUSEMOVE, 500, y);
  EXPECT_EQ(bar_->Position(), 10);
  Mouse(WM_MOUSEMOVE, -300, y);
  EXPECT_EQ(bar_->Position(), 0);
  Mouse(WM_LBUTTONUP, -300, y);
  Mouse(WM_MOUSEMOVE, 500, y);  // released: no more dragging
  EXPECT_EQ(bar_->Position(), 0);
}

TEST_F(RzTrackBar, ATrackTooNarrowForItsThumbDragsToTheEnds) {
  for (int width : {10, 18, 19}) {
    bar_->SetBounds(10, 10, width, 35);
    EXPECT_EQ(bar_->PositionAtDragPoint({width + 50, 20}), 10) << width;
    EXPECT_EQ(bar_->PositionAtDragPoint({-50, 20}), 0) << width;
  }
}

TEST_F(RzTrackBar, PressingTheTrackPagesTowardThePress) {
  form_->Show();
  bar_->SetPageSize(2);
  bar_->SetPosition(5);
  const int y = bar_->TrackRect().Top + 2;
  Mouse(WM_LBUTTONDOWN, 180, y);
  EXPECT_EQ(bar_->Position(), 7);
  Mouse(WM_LBUTTONUP, 180, y);
  Mouse(WM_LBUTTONDOWN, 20, y);
  EXPECT_EQ(bar_->Position(), 5);
  Mouse(WM_LBUTTONUP, 20, y);
}

TEST_F(RzTrackBar, CustomThumbStrips) {
  TBitmap strip(30, 12);
  bar_->SetCustomThumb(&strip);
  EXPECT_EQ(bar_->ThumbStyle(), tsCustom);
  EXPECT_EQ(bar_->ThumbLength(), 10);
  TBitmap narrow(2, 12);
  bar_->SetCustomThumb(&narrow);
  EXPECT_EQ(bar_->ThumbLength(), 0);  // empty frames: an invisible thumb, and painting still works
  PaintOnce();
}

// A bar of 200 x 35 from 0 to 10 at 3, on red with a yellow track and blue ticks: the span is
// 200 - 11 (thumb) - 8 (end insets), so tick v lies at x = 9 + trunc(v * 18.1) and the thumb's left
// edge at 4 + trunc(181 * position / 10).
TEST_F(RzTrackBar, TheThumbAndTicksArePaintedWhereTheRangeAndPositionPutThem) {
  bar_->SetMin(0);
  bar_->SetMax(10);
  bar_->SetPosition(3);
  bar_->SetColor(clRed);
  bar_->SetTickColor(clBlue);
  bar_->SetTrackColor(clYellow);
  form_->HandleNeeded();
  enum TKind { kBack, kTick, kTrack, kThumb };
  struct TPixel { int X, Y; TKind Kind; const char* What; };
  struct TCase { TThumbStyle Style; int Position; std::vector<TPixel> Pixels; };
  const TCase cases[] = {
      {tsBox, 3, {{9, 4, kTick, "first tick's top"}, {9, 9, kTick, "first tick's foot"}, {9, 10, kBack, "below the tick"},
                  {18, 6, kBack, "between ticks"}, {45, 6, kTick, "third tick"}, {190, 6, kTick, "last tick"},
                  {9, 25, kTick, "bottom tick"}, {9, 29, kTick, "bottom tick's end"}, {18, 22, kTrack, "track"},
                  {58, 14, kThumb, "box's top-left"}, {68, 34, kThumb, "box's bottom-right"}, {57, 16, kBack, "left of the box"},
                  {63, 22, kThumb, "box over the track"}}},
      {tsPointer, 3, {{9, 4, kTick, "top tick"}, {9, 27, kTrack, "no bottom ticks under a pointer"}, {63, 12, kThumb, "pointer's tip"},
                      {60, 14, kBack, "beside the tip"}, {58, 17, kThumb, "pointer's shoulder"}, {63, 22, kThumb, "pointer over the track"}}},
      {tsPointer, 7, {{63, 22, kTrack, "track where the thumb was"}, {135, 12, kThumb, "tip at 7"}, {135, 22, kThumb, "thumb at 7"}}},
  };
  for (const TCase& c : cases) {
    bar_->SetThumbStyle(c.Style);
    bar_->SetPosition(c.Position);
    TBitmap picture(bar_->Width(), bar_->Height());
    bar_->PaintTo(picture.Canvas(), 0, 0);
    for (const TPixel& p : c.Pixels) {
      const COLORREF pixel = PixelAt(picture.Canvas(), p.X, p.Y);
      SCOPED_TRACE(std::to_string(c.Style) + "@" + std::to_string(c.Position) + " " + p.What);
      switch (p.Kind) {
        case kBack: EXPECT_EQ(pixel, Rgb(clRed)); break;
        case kTick: EXPECT_EQ(pixel, Rgb(clBlue)); break;
        case kTrack: EXPECT_TRUE(pixel == Rgb(clYellow) || pixel == Rgb(clBtnHighlight)) << std::hex << pixel; break;
        case kThumb:
          EXPECT_TRUE(pixel != Rgb(clRed) && pixel != Rgb(clBlue) && pixel != Rgb(clYellow)) << std::hex << pixel;
          break;
      }
    }
  }
}

}  // namespace
