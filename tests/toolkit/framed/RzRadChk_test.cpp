#include "calderan_test.h"

#include "ActnList.h"
#include "RzRadChk.h"
#include "framed_control_fixture.h"
#include "message_pump.h"

namespace {

class RzCheckBox : public FramedControlFixture<TRzCheckBox> {
 protected:
  void SetUp() override {
    NewForm();
    box_ = Place(Bounds(10, 10, 150, 20));
    box_->SetCaption("&Flip");
    box_->OnClick = MakeEvent(this, &RzCheckBox::Clicked);
    form_->Show();
    box_->SetFocus();
  }

 public:
  void Clicked(TObject*) { ++clicks_; }

 protected:
  HWND Window() { return box_->Handle(); }
  void MouseClick(int x = 5, int y = 5) {
    SendMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(x, y));
    SendMessageA(Window(), WM_LBUTTONUP, 0, ClientPoint(x, y));
  }
  void Key(UINT msg, WPARAM key) { SendMessageA(Window(), msg, key, msg == WM_KEYUP ? 0xC0000001 : 1); }
  void Space() {
    Key(WM_KEYDOWN, VK_SPACE);
    Key(WM_KEYUP, VK_SPACE);
  }
  void Accelerator() { box_->Perform(CM_DIALOGCHAR, 'f', 0); }

  TRzCheckBox* box_ = nullptr;
  int clicks_ = 0;
};

TEST_F(RzCheckBox, ClicksCycleTheStates) {
  struct TCase {
    bool AllowGrayed;
    TCheckBoxState Sequence[4];
  } const cases[] = {
      {true, {cbGrayed, cbChecked, cbUnchecked, cbGrayed}},
      {false, {cbChecked, cbUnchecked, cbChecked, cbUnchecked}},
  };
  for (const TCase& c : cases) {
    box_->SetState(cbUnchecked);
    box_->SetAllowGrayed(c.AllowGrayed);
    clicks_ = 0;
    for (int i = 0; i < 4; ++i) {
      MouseClick();
      EXPECT_EQ(box_->State(), c.Sequence[i]) << c.AllowGrayed << " step " << i;
    }
    EXPECT_EQ(clicks_, 4);
  }
}

TEST_F(RzCheckBox, KeysAndTheAcceleratorToggleToo) {
  Space();
  EXPECT_TRUE(box_->Checked());
  Accelerator();
  EXPECT_FALSE(box_->Checked());
  // Esc before the release takes the press back
  Key(WM_KEYDOWN, VK_SPACE);
  EXPECT_TRUE(box_->ShowingPressed());
  Key(WM_KEYDOWN, VK_ESCAPE);
  Key(WM_KEYUP, VK_SPACE);
  EXPECT_FALSE(box_->Checked());
  EXPECT_FALSE(box_->ShowingPressed());
  EXPECT_EQ(clicks_, 2);
}

TEST_F(RzCheckBox, AReleaseOutsideChangesNothing) {
  SendMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(5, 5));
  EXPECT_TRUE(box_->ShowingPressed());
  SendMessageA(Window(), WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(200, 5));
  EXPECT_FALSE(box_->ShowingPressed());
  SendMessageA(Window(), WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(6, 5));
  EXPECT_TRUE(box_->ShowingPressed());
  SendMessageA(Window(), WM_LBUTTONUP, 0, ClientPoint(200, 5));
  EXPECT_FALSE(box_->Checked());
  EXPECT_EQ(clicks_, 0);
}

TEST_F(RzCheckBox, AReadOnlyBoxIgnoresTheUserButNotTheProgram) {
  box_->SetReadOnly(true);
  MouseClick();
  Space();
  Accelerator();
  EXPECT_EQ(box_->State(), cbUnchecked);
  EXPECT_EQ(clicks_, 0);
  box_->SetChecked(true);
  EXPECT_TRUE(box_->Checked());
  EXPECT_EQ(clicks_, 1);
}

TEST_F(RzCheckBox, ALinkedActionSetsCheckedWithoutAClick) {
  auto* action = new TAction(form_.get());
  box_->SetAction(action);
  action->SetChecked(true);
  EXPECT_TRUE(box_->Checked());
  action->SetChecked(false);
  EXPECT_FALSE(box_->Checked());
  EXPECT_EQ(clicks_, 0);
}

TEST_F(RzCheckBox, ACustomStripGivesItsCellSize) {
  TBitmap strip;
  strip.SetSize(9 * 13, 13);
  ClearTo(strip, clRed);
  box_->SetCustomGlyphs(&strip);
  EXPECT_TRUE(box_->UseCustomGlyphs());
  EXPECT_EQ(box_->GlyphWidth(), 13);
  EXPECT_EQ(box_->GlyphHeight(), 13);
  strip.SetSize(0, 0);
  box_->SetCustomGlyphs(&strip);
  EXPECT_FALSE(box_->UseCustomGlyphs());
}

TEST_F(RzCheckBox, TheGlyphSitsOppositeTheCaption) {
  EXPECT_EQ(box_->GlyphRect(), Bounds(0, 2, 13, 13));
  box_->SetAlignment(taLeftJustify);
  EXPECT_EQ(box_->GlyphRect(), Bounds(150 - 13, 2, 13, 13));
  box_->SetAlignmentVertical(avBottom);
  EXPECT_EQ(box_->GlyphRect(), Bounds(150 - 13, 20 - 13 - 2, 13, 13));
}

TEST(RzCheckGlyph, FlatGlyphsByStateAndLook) {
  StartFramedTestUnits();
  TRzCheckGlyphColors colors;
  colors.Check = clRed;
  colors.Focus = clYellow;
  struct TCase {
    TCheckBoxState State;
    int Visual;
    bool Focused, ReadOnly;
    int X, Y;
    TColor Color;
  } const cases[] = {
      {cbChecked, 0, false, false, 3, 5, clRed},      {cbChecked, 0, false, false, 3, 8, clWindow},
      {cbChecked, 0, false, false, 9, 3, clRed},      {cbGrayed, 0, false, false, 6, 6, clRed},
      {cbGrayed, 0, false, false, 2, 2, clWindow},    {cbUnchecked, 0, true, false, 6, 6, clYellow},
      {cbUnchecked, 0, false, true, 6, 6, clInfoBk},  {cbChecked, 3, false, false, 3, 5, clBtnShadow},
      {cbUnchecked, 3, false, false, 6, 6, clBtnFace}, {cbUnchecked, 0, false, false, 0, 6, clBtnShadow},
  };
  for (const TCase& c : cases) {
    TBitmap glyph(13, 13);
    PaintCheckGlyph(glyph.Canvas(), {0, 0, 13, 13}, c.State, c.Visual, c.Focused, c.ReadOnly, htsFrame, colors);
    EXPECT_EQ(PixelAt(glyph.Canvas(), c.X, c.Y), Rgb(c.Color)) << c.State << " " << c.Visual << " " << c.X << "," << c.Y;
  }
}

}  // namespace
