#include "calderan_test.h"

#include <memory>
#include <string>

#include "RzEdit.h"
#include "framed_edit_fixture.h"

namespace {

class RzMaskEdit : public FramedEditFixture<TRzMaskEdit> {
 protected:
  void SetUp() override { edit_ = ShowOnForm(Bounds(10, 10, 100, 24)); }

 public:
  void SupplyMessage(TObject*, std::string& message) { message = message_; }

 protected:
  RzMaskEdit* Self() { return this; }
  // What the window shows at a point of its whole window rectangle.
  COLORREF FramePixel(int x, int y) {
    SendMessageA(edit_->Handle(), WM_NCPAINT, 1, 0);
    HDC dc = GetWindowDC(edit_->Handle());
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(edit_->Handle(), dc);
    return c;
  }

  TRzMaskEdit* edit_ = nullptr;
  std::string message_;
};

// The frame is the frame style's drawing over a face-coloured ring, in every style.
TEST_F(RzMaskEdit, TheFrameIsPaintedInEachStyle) {
  edit_->SetFramingPreference(fpCustomFraming);
  edit_->SetFrameVisible(true);
  edit_->SetFrameColor(clRed);
  const int w = edit_->Width(), h = edit_->Height();
  for (int style = fsNone; style <= fsFlatRounded; ++style) {
    edit_->SetFrameStyle(static_cast<TFrameStyle>(style));
    TBitmap expected(w, h);
    ClearTo(expected, clLime);
    PaintEditFrame(expected.Canvas(), w, h, static_cast<TFrameStyle>(style), clWindow, clRed, sdAllSides);
    for (TPoint p : {TPoint{0, 0}, TPoint{1, 1}, TPoint{w - 1, h - 1}, TPoint{w - 2, h / 2}, TPoint{w / 2, 1}})
      EXPECT_EQ(FramePixel(p.X, p.Y), PixelAt(expected.Canvas(), p.X, p.Y)) << "style " << style << " at " << p.X
                                                                             << "," << p.Y;
  }
  // a few by colour: the flat frame in the frame colour, the face ring inside it
  edit_->SetFrameStyle(fsFlat);
  EXPECT_EQ(FramePixel(0, 5), Rgb(clRed));
  EXPECT_EQ(FramePixel(1, 5), Rgb(clWindow));
  edit_->SetFrameStyle(fsFlatBold);
  EXPECT_EQ(FramePixel(1, 5), Rgb(clRed));
  edit_->SetFrameSides(TSides{sdTop});
  EXPECT_EQ(FramePixel(0, 5), Rgb(clWindow));
  EXPECT_EQ(FramePixel(5, 0), Rgb(clRed));
}

TEST_F(RzMaskEdit, TheHotStyleShowsWhileTheMouseIsOver) {
  edit_->SetFramingPreference(fpCustomFraming);
  edit_->SetFrameHotTrack(true);
  edit_->SetFrameColor(clRed);
  edit_->SetFrameHotColor(clBlue);
  other_->SetFocus();
  EXPECT_EQ(FramePixel(1, 5), Rgb(clWindow));  // flat: one ring
  edit_->Perform(CM_MOUSEENTER);
  EXPECT_EQ(FramePixel(0, 5), Rgb(clBlue));
  EXPECT_EQ(FramePixel(1, 5), Rgb(clBlue));  // flat bold: two rings
  edit_->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(FramePixel(0, 5), Rgb(clRed));
}

TEST_F(RzMaskEdit, ColoursFollowTheState) {
  edit_->SetFocusColor(clYellow);
  edit_->SetReadOnlyColor(clAqua);
  struct TStep {
    bool Focused, ReadOnly, ReadOnlyOnFocus, Enabled;
    TColor Color;
  } const steps[] = {
      {false, false, false, true, clWindow}, {true, false, false, true, clYellow}, {true, true, false, true, clYellow},
      {true, true, true, true, clAqua},      {false, true, false, true, clAqua},   {false, false, false, false, clBtnFace},
  };
  for (const TStep& s : steps) {
    edit_->SetEnabled(s.Enabled);
    edit_->SetReadOnly(s.ReadOnly);
    edit_->SetReadOnlyColorOnFocus(s.ReadOnlyOnFocus);
    s.Focused ? edit_->SetFocus() : other_->SetFocus();
    EXPECT_EQ(edit_->Color(), s.Color) << s.Focused << s.ReadOnly << s.ReadOnlyOnFocus << s.Enabled;
  }
  // a colour set in code while the focus colour equals it moves both
  edit_->SetEnabled(true);
  edit_->SetReadOnly(false);
  edit_->SetFocusColor(clWindow);
  edit_->SetColor(clSilver);
  edit_->SetFocus();
  EXPECT_EQ(edit_->Color(), clSilver);
}

// Exposes the error step the mask logic calls on invalid input.
class TValidatingEdit : public TRzMaskEdit {
 public:
  using TRzMaskEdit::TRzMaskEdit;
  void Fail() { ValidateError(); }
};

TEST_F(RzMaskEdit, AValidationHandlerMaySupplyTheMessage) {
  TValidatingEdit edit(nullptr);
  edit.OnValidateError = MakeEvent(Self(), &RzMaskEdit::SupplyMessage);
  struct TCase {
    const char* Supplied;
    const char* Expected;
  } const cases[] = {{"Bad time", "Bad time"}, {"", "Invalid input value.  Use escape key to abandon changes"}};
  for (const TCase& c : cases) {
    message_ = c.Supplied;
    try {
      edit.Fail();
      ADD_FAILURE() << "no error for " << c.Supplied;
    } catch (const EDBEditError& e) {
      EXPECT_EQ(std::string(e.Message()), c.Expected);
    }
  }
}

// Enter is swallowed and turned into a Tab key for the edit (the message loop then moves on).
TEST_F(RzMaskEdit, EnterBecomesATabWithTabOnEnter) {
  for (bool tabOnEnter : {false, true}) {
    edit_->SetTabOnEnter(tabOnEnter);
    SendMessageA(edit_->Handle(), WM_CHAR, '\r', 1);
    MSG msg{};
    const bool posted = PeekMessageA(&msg, edit_->Handle(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE);
    EXPECT_EQ(posted, tabOnEnter);
    if (posted) EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_TAB));
  }
}

}  // namespace
