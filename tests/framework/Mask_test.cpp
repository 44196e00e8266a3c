#include "calderan_test.h"

#include <string>
#include <vector>

#include "Forms.h"
#include "Mask.h"
#include "forms_fixture.h"

namespace {

constexpr const char* timeMask = "!00:00:00.000;1;_";

TEST(EditMask, FormatsTextsAndValidatesTheClipEditorsTimes) {
  TEditMask mask(timeMask);
  EXPECT_EQ(mask.Length(), 12);
  EXPECT_TRUE(mask.SaveLiterals());
  EXPECT_EQ(mask.Blank(), '_');
  struct Case {
    const char* value;
    const char* editText;
    const char* text;
    bool valid;
    int failPos;
  } cases[] = {
      {"", "__:__:__.___", "  :  :  .   ", false, 0},
      {"00:00:05.000", "00:00:05.000", "00:00:05.000", true, -1},
      {"12:34:56.789", "12:34:56.789", "12:34:56.789", true, -1},
      {"123456789012", "12:34:56.789", "12:34:56.789", true, -1},  // literals may be left out
      {"00:00:05.00", "_0:00:00.500", " 0:00:00.500", false, 0},  // short: blanks lead (!)
      {"00:0a:05.000", "00:0a:05.000", "00:0a:05.000", false, 4},
      {"99:99:99.999", "99:99:99.999", "99:99:99.999", true, -1},  // the mask checks digits only
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    std::string edit = mask.Format(c.value);
    EXPECT_EQ(edit, c.editText);
    EXPECT_EQ(mask.TextOf(edit), c.text);
    int failPos = 99;
    EXPECT_EQ(mask.Validate(edit, failPos), c.valid);
    EXPECT_EQ(failPos, c.failPos);
  }
}

TEST(EditMask, MaskCharactersFieldsAndCase) {
  struct Case {
    const char* mask;
    const char* value;
    const char* text;
    bool valid;
  } cases[] = {
      {"00-00;0;_", "12-34", "1234", true},        // literals dropped from the text
      {"000;1;_", "1:2", "1:2", false},            // what does not fit stays, and fails
      {"999;1;_", "5", "5  ", true},               // optional digits may stay blank
      {"!999;1;_", "5", "  5", true},              // leading blanks
      {">LL<ll;1;*", "abCD", "ABcd", true},        // case conversion
      {"\\A00;1;_", "A12", "A12", true},           // an escaped mask character is a literal
      {"#99;1;_", "-12", "-12", true},             // a sign where # stands
      {"LL;1;_", "a1", "a1", false},               // a digit where a letter is required
      {"aa_cc;1;_", "x1 !?", "x1 !?", true},       // _ is a blank literal
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mask);
    TEditMask mask(c.mask);
    std::string edit = mask.Format(c.value);
    EXPECT_EQ(mask.TextOf(edit), c.text);
    int failPos;
    EXPECT_EQ(mask.Validate(edit, failPos), c.valid);
  }
  EXPECT_EQ(FormatMaskText(timeMask, "01:02:03.004"), "01:02:03.004");
}

class MaskEdit : public FormsFixture {
 protected:
  void SetUp() override {
    Application->OnException = MakeEvent(this, &MaskEdit::Caught);
    form = std::make_unique<TForm>(nullptr, 0);
    form->AfterConstruction();
    edit = new TMaskEdit(form.get());
    edit->SetParent(form.get());
    edit->SetEditMask(timeMask);
    edit->SetText("00:00:05.000");
    form->Show();
    window = edit->Handle();
  }
  void TearDown() override {
    form->Hide();
    form.reset();
    Application->OnException = nullptr;
    EXPECT_EQ(errors, std::vector<std::string>{});
  }
  // A validation error raised when the edit loses the focus is reported here, not in a box.
  void Caught(TObject*, Exception* e) { errors.push_back(e ? e->Message() : "?"); }
  std::vector<std::string> errors;
  void Type(int caret, const std::string& keys) {
    SendMessageA(window, EM_SETSEL, caret, caret);
    for (char c : keys) SendMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 0);
  }
  std::unique_ptr<TForm> form;
  TMaskEdit* edit = nullptr;
  HWND window = nullptr;
};

TEST_F(MaskEdit, TypingOverwritesStepsOverLiteralsAndRejectsWhatDoesNotFit) {
  EXPECT_EQ(edit->Text(), "00:00:05.000");
  Type(0, "12");
  EXPECT_EQ(edit->EditText(), "12:00:05.000");
  EXPECT_EQ(edit->SelStart(), 3);  // over the ':' to the next digit
  Type(2, "3");                    // on a literal: goes to the next digit
  EXPECT_EQ(edit->EditText(), "12:30:05.000");
  Type(6, "x+");                   // not digits: nothing changes
  EXPECT_EQ(edit->EditText(), "12:30:05.000");
  Type(9, std::string(1, '\b'));   // backspace blanks the digit before the caret, over the '.'
  EXPECT_EQ(edit->EditText(), "12:30:0_.000");
  EXPECT_EQ(edit->SelStart(), 7);
  Type(9, "");
  SendMessageA(window, WM_KEYDOWN, VK_DELETE, 0);  // delete blanks the digit after it
  EXPECT_EQ(edit->EditText(), "12:30:0_._00");
  EXPECT_EQ(edit->Text(), "12:30:0 . 00");
}

TEST_F(MaskEdit, UndoTakesTheLastChangeBack) {
  Type(4, "7");
  EXPECT_EQ(edit->Text(), "00:07:05.000");
  EXPECT_TRUE(edit->CanUndo());
  edit->Undo();
  EXPECT_EQ(edit->Text(), "00:00:05.000");
}

// The clip editor's start field: a text that does not fit gets its own message and is undone.
class TTimeEdit : public TMaskEdit {
  CALDERAN_CLASS(TTimeEdit)
  using TMaskEdit::TMaskEdit;
  std::string errorText;

 protected:
  void ValidateError() override {
    errorText = "Invalid input time, xx:xx:xx.xxx";
    Undo();
  }
};
CALDERAN_IMPLEMENT_CREATABLE(TTimeEdit, TMaskEdit, TComponent*)

TEST_F(MaskEdit, ValidationOnExitRaisesOrCallsTheOverride) {
  Type(0, std::string(1, '\b'));
  Type(1, std::string(1, '\b'));  // "_0:00:05.000": a required digit is blank
  EXPECT_THROW(edit->ValidateEdit(), EDBEditError);
  Type(0, "0");
  EXPECT_NO_THROW(edit->ValidateEdit());

  auto* start = new TTimeEdit(form.get());
  start->SetParent(form.get());
  start->SetEditMask(timeMask);
  start->SetText("00:00:01.000");
  HWND h = start->Handle();
  SendMessageA(h, EM_SETSEL, 10, 10);
  SendMessageA(h, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(start->EditText(), "00:00:01.0_0");
  start->ValidateEdit();
  EXPECT_EQ(start->errorText, "Invalid input time, xx:xx:xx.xxx");
  EXPECT_EQ(start->Text(), "00:00:01.000");
}

}  // namespace
