#include "calderan_test.h"

#include <memory>
#include <string>
#include <vector>

#include "RangeSlider.h"
#include "windows_fixture.h"

namespace {

// The slider as the clip editor holds it: 337 x 23 with the track at 8, 321 wide (track 15..322).
class TSliderHost : public TForm {
 public:
  explicit TSliderHost() : TForm(nullptr, 0) {
    SetBounds(50, 50, 400, 80);
    slider = CreateForm<TframSeekBar>(this);
    slider->SetParent(this);
    slider->SetBounds(10, 10, 337, 23);
    slider->imgBackground->SetBounds(8, slider->imgBackground->Top(), 321, slider->imgBackground->Height());
    slider->OnThumbDown = MakeEvent(this, &TSliderHost::ThumbDown);
    slider->OnThumbMove = MakeEvent(this, &TSliderHost::ThumbMove);
    slider->OnThumbUp = MakeEvent(this, &TSliderHost::ThumbUp);
    slider->OnSelectionDown = MakeEvent(this, &TSliderHost::SelectionDown);
    slider->OnSelectionMove = MakeEvent(this, &TSliderHost::SelectionMove);
    slider->OnSelectionUp = MakeEvent(this, &TSliderHost::SelectionUp);
    slider->OnPositionDown = MakeEvent(this, &TSliderHost::PositionDown);
    slider->OnPositionUp = MakeEvent(this, &TSliderHost::PositionUp);
    slider->SetRange(0, 1000, 0, 1000, 0);
    slider->SetPartsEnabled(true);
    slider->FActive = true;
  }
  TframSeekBar* slider = nullptr;
  std::vector<std::string> events;

 private:
  void Note(const std::string& what) { events.push_back(what); }
  void ThumbDown(int kind, double, double) { Note("thumb down " + std::to_string(kind)); }
  void ThumbMove(int kind, double, double) { Note("thumb move " + std::to_string(kind)); }
  void ThumbUp(int kind, double, double) { Note("thumb up " + std::to_string(kind)); }
  void SelectionDown(double, double, double) { Note("selection down"); }
  void SelectionMove(double, double, double) { Note("selection move"); }
  void SelectionUp(double, double, double) { Note("selection up"); }
  void PositionDown(double) { Note("position down"); }
  void PositionUp(double p) { Note("position up " + std::to_string(static_cast<int>(p))); }
};

class RangeSliderTest : public WindowsFixture {
 protected:
  void SetUp() override { host = std::make_unique<TSliderHost>(); }
  TframSeekBar* S() { return host->slider; }
  int StartEdge() { return S()->imgStart->Left() + S()->imgStart->Width(); }
  int EndEdge() { return S()->imgEnd->Left(); }
  int MarkerCentre() { return S()->imgPosition->Left() + S()->imgPosition->Width() / 2; }
  std::unique_ptr<TSliderHost> host;
};

TEST_F(RangeSliderTest, StoredFrameGivesTheSixPicturesWithTheirCursorsAndSizes) {
  EXPECT_EQ(S()->imgStart->Cursor(), crHSplit);
  EXPECT_EQ(S()->imgEnd->Cursor(), crHSplit);
  EXPECT_EQ(S()->imgStart->Width(), 7);
  EXPECT_EQ(S()->imgStart->Height(), 19);
  EXPECT_EQ(S()->imgPosition->Width(), 10);
  EXPECT_EQ(S()->imgPosition->Height(), 22);
  for (TImage* part : {S()->imgClient, S()->imgBackground, S()->imgStart, S()->imgEnd, S()->imgSel, S()->imgPosition})
    EXPECT_FALSE(part->Picture()->Bitmap()->Empty()) << part->Name();
  // Thumbs centred on the track: 3 - (19 - 16) / 2 = 1.5, rounded half to even.
  EXPECT_EQ(S()->imgStart->Top(), 2);
}

TEST_F(RangeSliderTest, SetRangePlacesTheThumbsAtTheTrackEnds) {
  EXPECT_EQ(StartEdge(), 15);
  EXPECT_EQ(EndEdge(), 322);
  EXPECT_EQ(MarkerCentre(), 15);
  EXPECT_EQ(S()->imgSel->Left(), 15);
  EXPECT_EQ(S()->imgSel->Width(), 307);
}

TEST_F(RangeSliderTest, GuardedSettersRefuseValuesOutOfOrder) {
  struct TStep {
    const char* what;
    void (TframSeekBar::*set)(double);
    double value;
    double start, end, position;
    int endEdge;
  };
  const TStep steps[] = {
      {"end 500 lands at 168.5, rounded to 168", &TframSeekBar::SetEnd, 500, 0, 500, 0, 168},
      {"position beyond the end", &TframSeekBar::SetPosition, 600, 0, 500, 0, 168},
      {"start beyond the end", &TframSeekBar::SetStart, 700, 0, 500, 0, 168},
      {"end above the maximum", &TframSeekBar::SetEnd, 1200, 0, 500, 0, 168},
      {"position inside", &TframSeekBar::SetPosition, 250, 0, 500, 250, 168},
      {"start past the position pushes it", &TframSeekBar::SetStart, 300, 300, 500, 300, 168},
      {"end before the start", &TframSeekBar::SetEnd, 200, 300, 500, 300, 168},
  };
  for (const TStep& step : steps) {
    (S()->*step.set)(step.value);
    EXPECT_EQ(S()->Start(), step.start) << step.what;
    EXPECT_EQ(S()->End(), step.end) << step.what;
    EXPECT_EQ(S()->Position(), step.position) << step.what;
    EXPECT_EQ(EndEdge(), step.endEdge) << step.what;
  }
  EXPECT_TRUE(host->events.empty()) << "setters raise no events";
}

TEST_F(RangeSliderTest, DraggingTheStartThumbOntoTheEndStopsThereAndReadsThePixel) {
  S()->SetEnd(500);
  S()->imgStartMouseDown(S()->imgStart, mbLeft, {}, 3, 5);
  S()->imgStartMouseMove(S()->imgStart, {}, 400, 5);  // far beyond the end thumb
  S()->imgStartMouseUp(S()->imgStart, mbLeft, {}, 0, 5);
  EXPECT_EQ(StartEdge(), 168) << "the thumbs touch";
  EXPECT_NEAR(S()->Start(), 1000.0 * (168 - 15) / 307, 1e-9);
  EXPECT_NEAR(S()->Start(), 498.37, 0.01) << "not 500";
  EXPECT_EQ(MarkerCentre(), 168) << "the marker jumps to the start";
  EXPECT_EQ(host->events, (std::vector<std::string>{"thumb down 1", "thumb move 1", "thumb up 1"}));
}

TEST_F(RangeSliderTest, DraggingTheEndThumbBelowTheTrackStartStopsAtTheStartThumb) {
  S()->imgEndMouseDown(S()->imgEnd, mbLeft, {}, 2, 5);
  S()->imgEndMouseMove(S()->imgEnd, {}, -500, 5);
  EXPECT_EQ(EndEdge(), StartEdge());
  EXPECT_EQ(S()->End(), 0);
  S()->imgEndMouseMove(S()->imgEnd, {}, 1000, 5);
  EXPECT_EQ(EndEdge(), 322) << "stops at the track's end";
  EXPECT_EQ(S()->End(), 1000);
}

TEST_F(RangeSliderTest, TheSelectionMovesWholeOrNotAtAll) {
  S()->SetEnd(500);
  S()->SetStart(100);
  const int width = S()->imgSel->Width();
  S()->imgSelMouseDown(S()->imgSel, mbLeft, {}, 10, 5);
  S()->imgSelMouseMove(S()->imgSel, {}, 40, 5);  // 30 pixels to the right
  EXPECT_EQ(S()->imgSel->Width(), width);
  EXPECT_EQ(StartEdge(), S()->imgSel->Left());
  const int left = S()->imgSel->Left();
  S()->imgSelMouseMove(S()->imgSel, {}, 400, 5);  // would leave the track
  EXPECT_EQ(S()->imgSel->Left(), left) << "refused: nothing moves";
  S()->imgSelMouseUp(S()->imgSel, mbLeft, {}, 0, 5);
  EXPECT_EQ(host->events,
            (std::vector<std::string>{"selection down", "selection move", "selection move", "selection up"}))
      << "a refused move is reported too";
}

TEST_F(RangeSliderTest, ReleasingTheMarkerRaisesOnlyThePositionUpEvent) {
  S()->SetPosition(400);
  S()->imgPositionMouseUp(S()->imgPosition, mbLeft, {}, 3, 3);
  EXPECT_EQ(host->events, (std::vector<std::string>{"position up 400"}));
}

TEST_F(RangeSliderTest, MouseDoesNothingWhileInactive) {
  S()->FActive = false;
  S()->imgStartMouseDown(S()->imgStart, mbLeft, {}, 3, 5);
  S()->imgStartMouseMove(S()->imgStart, {}, 100, 5);
  EXPECT_EQ(StartEdge(), 15);
  EXPECT_TRUE(host->events.empty());
}

TEST_F(RangeSliderTest, AZeroLengthScaleNeverDivides) {
  S()->SetRange(0, 0, 0, 0, 0);
  EXPECT_EQ(StartEdge(), 15);
  EXPECT_EQ(EndEdge(), 15);
  S()->imgEndMouseDown(S()->imgEnd, mbLeft, {}, 0, 5);
  S()->imgEndMouseMove(S()->imgEnd, {}, 50, 5);
  EXPECT_EQ(S()->End(), 0) << "no length: every value reads 0";
  EXPECT_EQ(S()->Position(), 0);
}

TEST_F(RangeSliderTest, RealMouseMessagesOnTheEndThumbDragIt) {
  host->Show();
  HWND frame = S()->Handle();
  const int thumbX = S()->imgEnd->Left() + 2, y = S()->imgEnd->Top() + 5;
  SendMessageA(frame, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(thumbX, y));
  SendMessageA(frame, WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(thumbX - 100, y));
  SendMessageA(frame, WM_LBUTTONUP, 0, ClientPoint(thumbX - 100, y));
  EXPECT_LT(EndEdge(), 322);
  EXPECT_LT(S()->End(), 1000);
  ASSERT_FALSE(host->events.empty());
  EXPECT_EQ(host->events.front(), "thumb down 2");
  EXPECT_EQ(host->events.back(), "thumb up 2");
}

}  // namespace
