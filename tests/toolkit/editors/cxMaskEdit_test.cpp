// The masked editor: real key and character messages to its EDIT window, through the editor's own
// routing into its mode, and the mask's settings, validation and text.
#include "calderan_test.h"

#include <string>

#include "FormReader.h"
#include "mask_edit_fixture.h"
#include "mask_keystroke_cases.h"
#include "stored_form_test.h"

namespace {

struct MaskEdit : MaskEditFixture {
  MaskEdit() { other = Place(new TcxMaskEdit(form.get()), 10, 40, 160, 21); }
  TcxMaskEdit* other;
};

struct KeystrokeCase {
  const char* mask;
  const char* text;  // set as the editor's Text before the keys
  int selStart, selLength;
  const char* keys;
  const char* state;
  const char* value;  // the editor's Text afterwards
};

void RunKeystrokes(MaskEdit& test, TcxEditMaskKind kind, const KeystrokeCase& c) {
  const char* mask = c.mask;
  SCOPED_TRACE(std::string(mask) + " \"" + c.text + "\" " + std::to_string(c.selStart) + "+" +
               std::to_string(c.selLength) + " " + c.keys);
  test.Renew();
  test.SetMask(kind, mask);
  test.Focus();
  test.editor->SetText(c.text);
  test.Select(c.selStart, c.selLength);
  test.Press(c.keys);
  EXPECT_EQ(test.State(), c.state);
  EXPECT_EQ(test.editor->Text(), c.value);
}

TEST_F(MaskEdit, StandardModeKeystrokes) {
  const char* date = "!99/99/0000;1;_";
  const KeystrokeCase cases[] = {
      {date, "", 0, 0, "1", "1[_]/__/____", "1 /  /    "},
      {date, "", 0, 0, "12", "12/[_]_/____", "12/  /    "},
      {date, "", 0, 0, "x", "[_]_/__/____", "  /  /    "},              // refused without a word
      {date, "", 0, 0, "12252020", "12/25/2020|", "12/25/2020"},      // past the last position
      {date, "12/25/2020", 3, 0, "B", "1[_]/25/2020", "1 /25/2020"},    // Backspace blanks the previous input
      {date, "12/25/2020", 0, 0, "D", "[_]2/25/2020", " 2/25/2020"},
      {date, "12/25/2020", 0, 5, "D", "[_]_/__/2020", "  /  /2020"},    // the literal stays
      {date, "12/25/2020", 0, 5, "7", "7[_]/__/2020", "7 /  /2020"},    // a selection is blanked, then typed over
      {date, "12/25/2020", 3, 0, "L", "1[2]/25/2020", "12/25/2020"},    // Left skips the literal
      {date, "12/25/2020", 4, 0, "HR", "1[2]/25/2020", "12/25/2020"},
      {date, "12/25/2020", 1, 0, "R", "12/[2]5/2020", "12/25/2020"},
      {date, "12/25/2020", 0, 0, "E", "12/25/2020|", "12/25/2020"},
      {date, "12/25/2020", 9, 0, "B9", "12/25/209[0]", "12/25/2090"},
      {"(999) 000;0;_", "", 0, 0, "H12", "(12[_]) ___", "12    "},            // Home goes to the first input position
      {"(999) 000;0;_", "123456", 0, 0, "", "[(]123) 456", "123456"},
  };
  for (const auto& c : cases) RunKeystrokes(*this, emkStandard, c);
}

// The mode tests' table, through the editor: the same states, and the text they show.
TEST_F(MaskEdit, RegExprModeKeystrokes) {
  for (const MaskKeystrokeCase& c : kMaskKeystrokeCases)
    RunKeystrokes(*this, c.kind, {c.mask, c.text, c.selStart, c.selLength, c.keys, c.state, TextOfState(c.state).c_str()});
}

// An empty extended editor shows the mask's fixed start, which cannot be deleted.
TEST_F(MaskEdit, AnEmptyExtendedEditorShowsItsFixedStart) {
  const KeystrokeCase cases[] = {
      {kIdMask, "", 3, 0, "5", "ID-5|", "ID-5"},
      {kIdMask, "", 3, 0, "B", "ID-|", "ID-"},
  };
  for (const auto& c : cases) RunKeystrokes(*this, emkRegExprEx, c);
}

TEST_F(MaskEdit, ShiftArrowsExtendTheSelectionFromTheBlockCaret) {
  SetMask(emkStandard, "!99/99/0000;1;_");
  Focus();
  editor->SetText("12/25/2020");
  Select(4, 0);
  ASSERT_EQ(State(), "12/2[5]/2020");
  {
    TShiftScope shift;
    Key(VK_LEFT);
    EXPECT_EQ(State(), "12/[25]/2020");
    Key(VK_LEFT);
    EXPECT_EQ(State(), "12[/25]/2020");
  }
  // Left from a wide selection goes to its first input position.
  Key(VK_LEFT);
  EXPECT_EQ(State(), "12/[2]5/2020");
}

// Leaving the editor with a text that does not satisfy the mask keeps the focus in it, with the
// text selected; the application hears why.
TEST_F(MaskEdit, LeavingAnIncompleteValueIsRefused) {
  struct Case {
    TcxEditMaskKind kind;
    const char* mask;
    const char* typed;
    bool ignoreMaskBlank;
    bool valid;
  } cases[] = {
      {emkStandard, "!99/99/0000;1;_", "1225", false, false},
      {emkStandard, "!99/99/0000;1;_", "12252020", false, true},
      {emkStandard, "!99/99/0000;1;_", "", true, true},         // the untouched template
      {emkStandard, "!99/99/0000;1;_", "1", true, false},
      {emkRegExpr, "\\d\\d-\\d\\d", "12-", false, false},
      {emkRegExpr, "\\d\\d-\\d\\d", "12-", true, true},         // fits without being complete
      {emkRegExpr, "\\d\\d-\\d\\d", "12-34", false, true},
      {emkRegExprEx, "ID-\\d+", "", false, true},               // only the forced beginning
      {emkRegExprEx, "\\d\\d-\\d\\d", "123", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mask) + " " + c.typed);
    Renew();
    SetMask(c.kind, c.mask);
    editor->Properties()->SetIgnoreMaskBlank(c.ignoreMaskBlank);
    Focus();
    Select(0, 0);
    Press(std::string(c.typed) + "D");  // Delete marks the editor as modified even when nothing is typed
    if (c.kind == emkRegExprEx && !*c.typed) editor->SetModified();
    caught.clear();
    other->InnerTextEdit()->SetFocus();
    PumpWhileBusy();
    if (c.valid) {
      EXPECT_EQ(caught, "");
      EXPECT_EQ(GetFocus(), other->InnerTextEdit()->Handle());
      continue;
    }
    EXPECT_EQ(caught, "EcxEditValidationError: The edit value is invalid");
    EXPECT_EQ(GetFocus(), Inner());
    EXPECT_EQ(editor->InnerTextEdit()->SelLength(), static_cast<int>(Shown().size()));
    EXPECT_FALSE(editor->IsEditValidated());
  }
}

TEST_F(MaskEdit, TextIsTheValueFormOfTheShownText) {
  SetMask(emkStandard, "00\\-00;0;_");
  Focus();
  Select(0, 0);
  Press("123");
  EXPECT_EQ(Shown(), "12-3_");
  EXPECT_EQ(editor->Text(), "123 ");
  char buffer[16] = {};
  EXPECT_EQ(SendMessageA(editor->Handle(), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 4);
  EXPECT_STREQ(buffer, "123 ");
  // Setting the text stores its value form as the edit value and shows it through the mask.
  SendMessageA(editor->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("98-76"));
  EXPECT_EQ(editor->EditValue().AsString(), "9876");
  EXPECT_EQ(Shown(), "98-76");
}

TEST_F(MaskEdit, UnfocusedStandardMaskShowsTheValueUnlessAskedForTheTemplate) {
  SetMask(emkStandard, "99/99/0000;1;_");
  editor->SetText("12/");
  EXPECT_EQ(Shown(), "12/  /    ");
  editor->Properties()->SetAlwaysShowBlanksAndLiterals(true);
  editor->SetText("12/");
  EXPECT_EQ(Shown(), "12/__/____");
  editor->Properties()->SetAlwaysShowBlanksAndLiterals(false);
  Focus();
  EXPECT_EQ(Shown(), "12/__/____");
}

TEST_F(MaskEdit, ChangingTheMaskReappliesTheText) {
  SetMask(emkStandard, "00/00;0;_");
  Focus();
  editor->SetText("1225");
  EXPECT_EQ(Shown(), "12/25");
  editor->Properties()->SetEditMask("00-00;0;_");
  EXPECT_EQ(Shown(), "12-25");
  EXPECT_EQ(editor->Text(), "1225");
  // A regular expression keeps of the text what fits it.
  SetMask(emkRegExpr, "\\d\\d-[a-z]+");
  editor->SetText("12-ab");
  editor->Properties()->SetEditMask("\\d\\d-[a]+");
  EXPECT_EQ(Shown(), "12-a");
}

TEST_F(MaskEdit, SwitchingTheMaskLanguage) {
  TcxMaskEditProperties* properties = editor->Properties();
  properties->SetEditMask("00/00");
  // Alone, a switch to the other language drops the mask; between the two expression kinds it stays.
  properties->SetMaskKind(emkRegExpr);
  EXPECT_EQ(properties->EditMask(), "");
  EXPECT_FALSE(properties->IsMasked());
  properties->SetEditMask("\\d+");
  properties->SetMaskKind(emkRegExprEx);
  EXPECT_EQ(properties->EditMask(), "\\d+");
  EXPECT_EQ(editor->Mode()->MaskKind(), emkRegExprEx);
  // Both in one update: the new mask is kept.
  SetMask(emkStandard, "00:00");
  EXPECT_EQ(properties->EditMask(), "00:00");
  EXPECT_EQ(editor->Mode()->MaskKind(), emkStandard);
  EXPECT_EQ(editor->Mode()->MaskText(), "00:00");
  // An expression set while the kind is still standard is compiled as a standard mask, and lost
  // when the kind follows in a later notification.
  properties->SetEditMask("[a-z]+");
  properties->SetMaskKind(emkRegExpr);
  EXPECT_EQ(properties->EditMask(), "");
}

TEST_F(MaskEdit, AMaskThatDoesNotCompileKeepsTheOldOne) {
  TcxMaskEditProperties* properties = editor->Properties();
  SetMask(emkRegExpr, "\\d+");
  try {
    properties->SetEditMask("a(");
    FAIL() << "no error";
  } catch (const EcxMaskEditError& e) {
    EXPECT_EQ(e.Message().rfind("Regular expression errors:\r\n", 0), 0u) << e.Message();
    EXPECT_NE(e.Message().find("Missing ')'"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(properties->EditMask(), "\\d+");
  EXPECT_EQ(editor->Mode()->MaskText(), "\\d+");
  // A count beyond a 32-bit integer is a conversion error of its own, passed on unchanged.
  EXPECT_THROW(properties->SetEditMask("a{99999999999}"), EConvertError);
  EXPECT_EQ(properties->EditMask(), "\\d+");
}

TEST_F(MaskEdit, SettingsTheMaskOverrides) {
  TcxMaskEditProperties* properties = editor->Properties();
  // A mask of blanks is no mask: the editor is a text editor and offers the display format.
  properties->SetEditMask(" \t ");
  EXPECT_FALSE(properties->IsMasked());
  EXPECT_TRUE(properties->FormatOptions() & cxEditFormatDisplay);
  Focus();
  Press("abc");
  EXPECT_EQ(editor->Text(), "abc");
  properties->SetMaxLength(5);
  EXPECT_EQ(properties->MaxLength(), 5);
  // A mask takes no display format and no maximum length.
  properties->SetEditMask("000");
  EXPECT_FALSE(properties->FormatOptions() & cxEditFormatDisplay);
  properties->SetMaxLength(7);
  EXPECT_EQ(properties->MaxLength(), 0);
  // A forced letter case makes the match case-insensitive for good.
  properties->SetCaseInsensitive(false);
  EXPECT_FALSE(properties->CaseInsensitive());
  properties->SetCharCase(ecUpperCase);
  EXPECT_TRUE(properties->CaseInsensitive());
  properties->SetCaseInsensitive(false);
  EXPECT_TRUE(properties->CaseInsensitive());
}

// A standard mask takes pasted text as typed characters, so that a paste never overwrites a literal.
TEST_F(MaskEdit, PasteTypesIntoTheStandardMask) {
  struct Case {
    const char* pasted;
    int selStart;
    const char* state;
  } cases[] = {{"1225", 0, "12/25/[_]___"}, {"12/25", 0, "12/25/[_]___"}, {"7", 3, "__/7[_]/____"},
               {"12x5", 0, "12/5[_]/____"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pasted);
    Renew();
    SetMask(emkStandard, "99/99/0000;1;_");
    Focus();
    Select(c.selStart, 0);
    PutOnClipboard(c.pasted);
    SendMessageA(Inner(), WM_PASTE, 0, 0);
    EXPECT_EQ(State(), c.state);
  }
  // The expression modes take what fits.
  Renew();
  SetMask(emkRegExpr, "\\d\\d-\\d\\d");
  Focus();
  PutOnClipboard("12-3");
  SendMessageA(Inner(), WM_PASTE, 0, 0);
  EXPECT_EQ(State(), "12-3|");
}

TEST_F(MaskEdit, TheKindIsRegistered) {
  const int index = GetEditPropertiesRegistry()->IndexOfClass(TcxMaskEditProperties::StaticClass());
  ASSERT_GE(index, 0);
  EXPECT_EQ(GetEditPropertiesRegistry()->Descriptions(index), "MaskEdit|Represents a generic masked edit control.");
  std::unique_ptr<TcxMaskEditProperties> copy(new TcxMaskEditProperties(nullptr));
  editor->Properties()->SetMaskKind(emkRegExprEx);
  editor->Properties()->SetEditMask("ID-\\d+");
  editor->Properties()->SetIgnoreMaskBlank(true);
  copy->Assign(editor->Properties());
  EXPECT_EQ(copy->MaskKind(), emkRegExprEx);
  EXPECT_EQ(copy->EditMask(), "ID-\\d+");
  EXPECT_TRUE(copy->IgnoreMaskBlank());
  EXPECT_TRUE(copy->ValidateOnEnter());
}

// A click moves the caret without the mode's knowledge; the next key starts from the click.
TEST_F(MaskEdit, AClickIsHeardByTheMode) {
  SetMask(emkRegExprEx, "\\d\\d-\\d\\d");
  Focus();
  editor->SetText("12-34");
  Select(5, 0);
  Press("L");
  ASSERT_EQ(State(), "12-3|4");
  ClickAt(2);
  ASSERT_EQ(State(), "12|-34");
  Press("L");  // inside the forced "2-": first to its edge, then one further
  EXPECT_EQ(State(), "|12-34");
}

// A stored form sets the mask's own settings next to the text editor's, on the published kind.
TEST_F(MaskEdit, AStoredFormSetsTheMaskAndTheTextEditorsSettings) {
  TForm stored(nullptr, 0);
  ReadComponentText(
      "object F: TForm\n"
      "  object Code: TcxMaskEdit\n"
      "    Properties.CharCase = ecUpperCase\n"
      "    Properties.AlwaysShowBlanksAndLiterals = True\n"
      "    Properties.IgnoreMaskBlank = True\n"
      "    Properties.MaskKind = emkRegExpr\n"
      "    Properties.EditMask = 'ID-\\d+'\n"
      "    Properties.ValidateOnEnter = False\n"
      "    BeepOnEnter = False\n"
      "  end\n"
      "end",
      "Stored", &stored);
  auto* edit = ObjectAs<TcxMaskEdit>(stored.FindComponent("Code"));
  ASSERT_NE(edit, nullptr);
  TcxMaskEditProperties* p = edit->Properties();
  EXPECT_EQ(p->CharCase(), ecUpperCase);
  EXPECT_TRUE(p->AlwaysShowBlanksAndLiterals());
  EXPECT_TRUE(p->IgnoreMaskBlank());
  EXPECT_EQ(p->MaskKind(), emkRegExpr);
  EXPECT_EQ(p->EditMask(), "ID-\\d+");
  EXPECT_FALSE(p->ValidateOnEnter());
  EXPECT_FALSE(edit->BeepOnEnter());
}

// Written, a fresh editor keeps none of its defaults (validation on Enter is on here); a
// regular-expression mask written and read back is still one, with its text.
TEST_F(MaskEdit, AWrittenEditorKeepsWhatDiffersAndReadsBackInItsLanguage) {
  struct Case {
    const char* name;
    bool stored;
  } fresh[] = {{"ValidateOnEnter", false}, {"CaseInsensitive", false}, {"MaskKind", false},
               {"AlwaysShowBlanksAndLiterals", false}, {"IgnoreMaskBlank", false}, {"EditMask", false}};
  TcxMaskEditProperties* p = editor->Properties();
  for (const Case& c : fresh) {
    const TPropInfo* prop = FindPublishedProperty(p->ClassType(), c.name);
    ASSERT_NE(prop, nullptr) << c.name;
    EXPECT_EQ(IsStoredProp(p, prop) && !IsDefaultPropertyValue(p, prop), c.stored) << c.name;
  }
  SetMask(emkRegExpr, "[a-c]+x");
  p->SetValidateOnEnter(false);
  ReadForm(other, WrittenForm(editor));
  EXPECT_EQ(other->Properties()->MaskKind(), emkRegExpr);
  EXPECT_EQ(other->Properties()->EditMask(), "[a-c]+x");
  EXPECT_FALSE(other->Properties()->ValidateOnEnter());
}

}  // namespace

