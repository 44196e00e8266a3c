#include "calderan_test.h"

#include "RzButton.h"
#include "framed_control_fixture.h"
#include "message_pump.h"

namespace {

class RzControlButton : public FramedControlFixture<TRzControlButton> {
 protected:
  void SetUp() override {
    NewForm();
    button_ = Place(Bounds(20, 20, 17, 21));
    button_->OnClick = MakeEvent(this, &RzControlButton::Clicked);
    form_->Show();
  }

 public:
  void Clicked(TObject*) { ++clicks_; }

 protected:
  // Mouse messages go to the form's window at the button's place, as the system sends them.
  void Mouse(UINT msg, int x, int y, WPARAM keys = 0) {
    SendMessageA(form_->Handle(), msg, keys, ClientPoint(20 + x, 20 + y));
  }
  void Tick() { button_->RepeatTimer()->OnTimer(button_->RepeatTimer()); }

  TRzControlButton* button_ = nullptr;
  int clicks_ = 0;
};

TEST_F(RzControlButton, AGlyphStripOfSquareCellsSetsTheirNumber) {
  struct TCase {
    int Width, Height;
    int NumGlyphs;
  } const cases[] = {{32, 16, 2}, {64, 16, 4}, {80, 16, 1}, {16, 16, 1}, {30, 16, 1}};
  for (const TCase& c : cases) {
    button_->SetNumGlyphs(1);
    TBitmap glyph;
    glyph.SetSize(c.Width, c.Height);
    button_->SetGlyph(&glyph);
    EXPECT_EQ(button_->NumGlyphs(), c.NumGlyphs) << c.Width << "x" << c.Height;
  }
}

TEST_F(RzControlButton, ADisabledButtonShowsTheSecondCell) {
  TBitmap glyph;
  glyph.SetSize(32, 16);
  ClearTo(glyph, clRed);
  glyph.Canvas()->Brush()->SetColor(clBlue);
  glyph.Canvas()->FillRect({16, 0, 32, 16});
  glyph.Canvas()->SetPixel(0, 15, clOlive);  // the bottom-left pixel makes olive transparent
  button_->SetGlyph(&glyph);
  button_->SetBounds(20, 20, 30, 30);
  for (bool enabled : {true, false}) {
    button_->SetEnabled(enabled);
    TBitmap picture(100, 100);
    form_->PaintTo(picture.Canvas(), 0, 0);
    EXPECT_EQ(PixelAt(picture.Canvas(), 20 + 15, 20 + 15), Rgb(enabled ? clRed : clBlue)) << enabled;
  }
}

TEST_F(RzControlButton, HeldButtonsRepeatAndClickOnceMoreAtAReleaseInside) {
  button_->SetRepeatClicks(true);
  struct TCase {
    int ReleaseX, ReleaseY;
    int Clicks;
  } const cases[] = {{5, 5, 3}, {16, 5, 3}, {17, 5, 2}, {0, 5, 2}, {50, 50, 2}};
  for (const TCase& c : cases) {
    clicks_ = 0;
    Mouse(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    ASSERT_TRUE(button_->RepeatTimer()->Enabled());
    EXPECT_EQ(button_->RepeatTimer()->Interval(), 400u);
    Tick();
    EXPECT_EQ(button_->RepeatTimer()->Interval(), 100u);
    Tick();
    EXPECT_EQ(clicks_, 2);
    Mouse(WM_LBUTTONUP, c.ReleaseX, c.ReleaseY);
    EXPECT_EQ(clicks_, c.Clicks) << c.ReleaseX << "," << c.ReleaseY;
    EXPECT_FALSE(button_->RepeatTimer()->Enabled());
    EXPECT_FALSE(button_->IsDown());
  }
}

TEST_F(RzControlButton, ARightPressStartsTheTimerButNeverClicks) {
  button_->SetRepeatClicks(true);
  Mouse(WM_RBUTTONDOWN, 5, 5, MK_RBUTTON);
  ASSERT_NE(button_->RepeatTimer(), nullptr);
  EXPECT_TRUE(button_->RepeatTimer()->Enabled());
  Tick();
  Mouse(WM_RBUTTONUP, 5, 5);
  EXPECT_EQ(clicks_, 0);
}

}  // namespace
