#include "calderan_test.h"

#include <memory>
#include <string>

#include "RzSpnEdt.h"
#include "framed_edit_fixture.h"
#include "message_pump.h"

namespace {

class RzSpinEdit : public FramedEditFixture<TRzSpinEdit> {
 protected:
  void SetUp() override {
    spin_ = ShowOnForm(Bounds(10, 10, 80, 21));
    spin_->SetFocus();
  }
  void TearDown() override { FormatSettings().DecimalSeparator = '.'; }

 public:
  void Refuse(TObject*, long double, bool& allow) { allow = false; }
  void ButtonClicked(TObject*, TSpinButtonType) { ++buttonClicks_; }
  // The handler the clip editor's crop fields have: it reads the value.
  void ReadOnChange(TObject*) {
    ++changes_;
    readValue_ = spin_->Value();
  }
  void StealFocus(TObject*) { other_->SetFocus(); }

 protected:
  RzSpinEdit* Self() { return this; }
  HWND Window() { return spin_->Handle(); }
  void Key(WPARAM key) { SendMessageA(Window(), WM_KEYDOWN, key, 1); }
  void Wheel(int delta, WORD keys = 0) {
    SendMessageA(Window(), WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(delta)), ClientPoint(5, 5));
  }
  void Type(const std::string& text) {
    for (char c : text) SendMessageA(Window(), WM_CHAR, static_cast<unsigned char>(c), 1);
  }

  TRzSpinEdit* spin_ = nullptr;
  int buttonClicks_ = 0, changes_ = 0;
  long double readValue_ = -1;
};

TEST_F(RzSpinEdit, DefaultsStepWithinZeroToAHundred) {
  EXPECT_EQ(spin_->Text(), "0");
  struct TStep {
    WPARAM Key;
    WORD WheelKeys;
    int WheelDelta;
    long double Value;
  } const steps[] = {
      {VK_UP, 0, 0, 1},    {VK_PRIOR, 0, 0, 11}, {VK_DOWN, 0, 0, 10},  {VK_NEXT, 0, 0, 0},
      {VK_DOWN, 0, 0, 0},  {0, 0, 120, 1},       {0, MK_CONTROL, 120, 11}, {0, MK_CONTROL, -120, 1},
      {0, 0, -120, 0},     {VK_END, 0, 0, 0},
  };
  for (const TStep& s : steps) {
    if (s.Key) Key(s.Key);
    else Wheel(s.WheelDelta, s.WheelKeys);
    EXPECT_EQ(spin_->Value(), s.Value) << s.Key << " " << s.WheelDelta;
  }
  spin_->SetValue(99);
  Key(VK_PRIOR);
  EXPECT_EQ(spin_->Value(), 100);
  EXPECT_EQ(spin_->Text(), "100");
}

TEST_F(RzSpinEdit, TypingIsRefusedUnlessKeyEditIsAllowed) {
  spin_->SelectAll();
  Type("57");
  EXPECT_EQ(spin_->Text(), "0");
  spin_->SetAllowKeyEdit(true);
  spin_->SelectAll();
  Type("57x");
  EXPECT_EQ(spin_->Text(), "57");
  struct TCase {
    bool IntegersOnly;
    const char* Text;
    int SelStart, SelLength;
    char Key;
    bool Valid;
  } const cases[] = {
      {true, "12", 2, 0, '.', false},  {false, "12", 2, 0, '.', true},  {false, "1.2", 3, 0, '.', false},
      {false, "1.2", 1, 2, '.', true}, {true, "12", 0, 0, '-', true},   {true, "12", 1, 0, '-', false},
      {true, "-12", 0, 0, '+', false}, {true, "-12", 0, 3, '+', true},  {true, "12", 2, 0, '\r', false},
      {true, "12", 2, 0, '\b', true},
  };
  for (const TCase& c : cases) {
    spin_->SetIntegersOnly(c.IntegersOnly);
    SetWindowTextA(Window(), c.Text);
    SendMessageA(Window(), EM_SETSEL, c.SelStart, c.SelStart + c.SelLength);
    EXPECT_EQ(spin_->IsValidChar(c.Key), c.Valid) << c.Text << " '" << c.Key << "'";
  }
}

TEST_F(RzSpinEdit, TheRangeHoldsAndMoves) {
  spin_->SetValue(150);
  EXPECT_EQ(spin_->Value(), 100);
  spin_->SetMin(120);  // above Max: Max follows, the value is clamped at once
  EXPECT_EQ(spin_->Max(), 120);
  EXPECT_EQ(spin_->Value(), 120);
  spin_->SetMax(10);
  EXPECT_EQ(spin_->Min(), 10);
  EXPECT_EQ(spin_->Value(), 10);
  // an empty range without range checks lets the value run freely
  spin_->SetMin(0);
  spin_->SetMax(0);
  spin_->SetValue(-42);
  EXPECT_EQ(spin_->Value(), -42);
  spin_->SetCheckRange(true);
  EXPECT_EQ(spin_->Value(), 0);
}

TEST_F(RzSpinEdit, ARefusedChangeStopsTheStepAndItsButtonEvent) {
  spin_->OnButtonClick = MakeEvent(Self(), &RzSpinEdit::ButtonClicked);
  Key(VK_UP);
  EXPECT_EQ(buttonClicks_, 1);
  spin_->OnChanging = MakeEvent(Self(), &RzSpinEdit::Refuse);
  Key(VK_UP);
  spin_->Button(sbUp)->Click();
  EXPECT_EQ(spin_->Value(), 1);
  EXPECT_EQ(buttonClicks_, 1);
  spin_->OnChanging = {};
  spin_->Button(sbDown)->Click();
  EXPECT_EQ(spin_->Value(), 0);
  EXPECT_EQ(buttonClicks_, 2);
}

TEST_F(RzSpinEdit, EmptyTexts) {
  spin_->SetMin(5);
  struct TCase {
    bool AllowBlank;
    long double Read;
    const char* TextAfterRead;
    const char* TextAfterExit;
  } const cases[] = {{true, 7.5L, "", ""}, {false, 5, "5", "5"}};
  spin_->SetBlankValue(7.5L);
  for (const TCase& c : cases) {
    spin_->SetFocus();
    spin_->SetAllowBlank(c.AllowBlank);
    SetWindowTextA(Window(), "");
    EXPECT_EQ(spin_->Value(), c.Read) << c.AllowBlank;
    EXPECT_EQ(spin_->Text(), c.TextAfterRead) << c.AllowBlank;
    SetWindowTextA(Window(), "");
    other_->SetFocus();
    EXPECT_EQ(spin_->Text(), c.TextAfterExit) << c.AllowBlank;
  }
  // a text that is no number becomes the minimum when the focus leaves
  spin_->SetFocus();
  SetWindowTextA(Window(), "abc");
  other_->SetFocus();
  EXPECT_EQ(spin_->Text(), "5");
}

TEST_F(RzSpinEdit, AnOnChangeHandlerThatReadsAnEmptyTextIsNotEnteredAgain) {
  spin_->SetMin(3);
  spin_->OnChange = MakeEvent(Self(), &RzSpinEdit::ReadOnChange);
  changes_ = 0;
  SetWindowTextA(Window(), "");  // the handler reads the empty text, which writes the minimum
  EXPECT_EQ(changes_, 1);
  EXPECT_EQ(readValue_, 3);
  EXPECT_EQ(spin_->Text(), "3");
  spin_->SetValue(8);
  EXPECT_EQ(changes_, 2);
  EXPECT_EQ(readValue_, 8);
}

TEST_F(RzSpinEdit, DecimalsAndIntegersInACommaLocale) {
  FormatSettings().DecimalSeparator = ',';
  spin_->SetIntegersOnly(false);
  spin_->SetDecimals(2);
  spin_->SetValue(5);
  EXPECT_EQ(spin_->Text(), "5,00");
  spin_->SetIncrement(0.25L);
  Key(VK_UP);
  EXPECT_EQ(spin_->Text(), "5,25");
  SetWindowTextA(Window(), "12,75");
  EXPECT_EQ(spin_->Value(), 12.75L);
  spin_->SetAllowKeyEdit(true);  // without key editing every character is refused anyway
  EXPECT_FALSE(spin_->IsValidChar(',')) << "the text holds one already";
  SetWindowTextA(Window(), "12");
  SendMessageA(Window(), EM_SETSEL, 2, 2);
  EXPECT_TRUE(spin_->IsValidChar(','));
  EXPECT_FALSE(spin_->IsValidChar('.'));
  SetWindowTextA(Window(), "12,75");
  spin_->SetIntegersOnly(true);
  EXPECT_EQ(spin_->Decimals(), 0);
  EXPECT_EQ(spin_->Text(), "13");
}

TEST_F(RzSpinEdit, TheTextKeepsClearOfTheButtons) {
  EXPECT_EQ(HIWORD(SendMessageA(Window(), EM_GETMARGINS, 0, 0)), spin_->Buttons()->Width() + 2);
  // a new font resets an edit's margins: they are set again
  spin_->Font()->SetHeight(-15);
  EXPECT_EQ(HIWORD(SendMessageA(Window(), EM_GETMARGINS, 0, 0)), spin_->Buttons()->Width() + 2);
  spin_->SetReadOnly(true);
  EXPECT_EQ(SendMessageA(Window(), EM_GETMARGINS, 0, 0), 0);
  EXPECT_FALSE(spin_->Buttons()->Visible());
}

TEST_F(RzSpinEdit, ItsButtonsSpinTheValue) {
  spin_->OnButtonClick = MakeEvent(Self(), &RzSpinEdit::ButtonClicked);
  TRzSpinButtons* pair = spin_->Buttons();
  HWND window = pair->Handle();
  TRzControlButton* up = spin_->Button(sbUp);
  const LPARAM upPoint = ClientPoint(up->Left() + 3, up->Top() + 3);
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, upPoint);
  SendMessageA(window, WM_LBUTTONUP, 0, upPoint);
  EXPECT_EQ(spin_->Value(), 1);
  EXPECT_EQ(buttonClicks_, 1);
  // a focus control that does not take the focus turns the press into nothing
  other_->SetFocus();
  spin_->OnEnter = MakeEvent(Self(), &RzSpinEdit::StealFocus);
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, upPoint);
  SendMessageA(window, WM_LBUTTONUP, 0, upPoint);
  EXPECT_EQ(spin_->Value(), 1);
  EXPECT_EQ(buttonClicks_, 1);
}

TEST(RzSpinButtons, LayoutAndArrowStyles) {
  StartFramedTestUnits();
  TForm form(nullptr, 0);
  auto* pair = new TRzSpinButtons(&form);
  pair->SetParent(&form);
  EXPECT_EQ(pair->UpRightButton()->BoundsRect(), Bounds(0, 0, 16, 12));
  EXPECT_EQ(pair->DownLeftButton()->BoundsRect(), Bounds(0, 12, 16, 12));
  EXPECT_EQ(pair->UpRightButton()->Style(), cbsUp);
  TBitmap glyph;
  glyph.SetSize(20, 10);
  pair->SetGlyphUpRight(&glyph);
  EXPECT_EQ(pair->UpRightButton()->Style(), cbsNone);
  EXPECT_TRUE(pair->CustomUpRight());
  pair->SetDirection(sdLeftRight);
  EXPECT_EQ(pair->UpRightButton()->Style(), cbsRight);
  EXPECT_EQ(pair->DownLeftButton()->Style(), cbsLeft);
  EXPECT_FALSE(pair->CustomUpRight());
  pair->SetOrientation(orHorizontal);
  EXPECT_EQ(pair->Width(), 32);
  EXPECT_EQ(pair->DownLeftButton()->BoundsRect(), Bounds(0, 0, 16, 24));
  EXPECT_EQ(pair->UpRightButton()->BoundsRect(), Bounds(16, 0, 16, 24));
}

}  // namespace
