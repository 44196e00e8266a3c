#include "calderan_test.h"

#include <string>

#include "text_edit_fixture.h"
#include "toolkit/base/LocaleScope.h"

// A number editor kind: values in a range, digits grouped while typing.
class TNumberEditPropertiesClass : public TcxCustomTextEditPropertiesClass {
 public:
  using TcxCustomTextEditPropertiesClass::TcxCustomTextEditPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
};

class TNumberEditProperties : public TcxTextEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TNumberEditProperties, TNumberEditPropertiesClass)
  explicit TNumberEditProperties(TPersistent* owner) : TcxTextEditProperties(owner, StaticClassOperations()) {}
  bool SupportsValueRange() const override { return true; }
  bool UsesThousandSeparator(bool) const override { return true; }
};

inline TcxCustomEditProperties* TNumberEditPropertiesClass::Create(TPersistent* owner) const {
  return new TNumberEditProperties(owner);
}

class TNumberEditClass : public TcxTextEditClass {
 public:
  using TcxTextEditClass::TcxTextEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override {
    return TNumberEditProperties::StaticClassOperations();
  }
};

class TNumberEdit : public TcxTextEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TNumberEdit, TNumberEditClass)
  explicit TNumberEdit(TComponent* owner) : TcxTextEdit(owner, StaticClassOperations(), false) {}
};

inline TcxCustomEdit* TNumberEditClass::Create(TComponent* owner, bool) const { return new TNumberEdit(owner); }

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TNumberEditProperties, TcxTextEditProperties)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TNumberEdit, TcxTextEdit, TComponent*)

namespace {

struct TextEdit : TextEditFixture {
  std::string GetText(size_t bufferSize, LRESULT& copied) {
    std::string buffer(bufferSize + 1, '?');
    copied = SendMessageA(editor->Handle(), WM_GETTEXT, bufferSize, reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.substr(0, bufferSize ? strlen(buffer.c_str()) : 0);
  }
};

TEST_F(TextEdit, CreatedAtItsDefaultSize) {
  std::unique_ptr<TcxTextEdit> fresh(new TcxTextEdit(nullptr));
  EXPECT_EQ(fresh->Width(), 121);
  EXPECT_EQ(fresh->Height(), 21);
}

TEST_F(TextEdit, GetTextCutsToTheBuffer) {
  struct Case {
    size_t size;
    const char* text;
    LRESULT copied;
  } cases[] = {{0, "", 0}, {1, "", 0}, {4, "abc", 3}, {10, "abcdef", 6}};
  editor->SetText("abcdef");
  for (const Case& c : cases) {
    LRESULT copied = -1;
    std::string text = GetText(c.size, copied);
    EXPECT_EQ(copied, c.copied) << c.size;
    EXPECT_EQ(text, c.text) << c.size;
  }
  EXPECT_EQ(SendMessageA(editor->Handle(), WM_GETTEXTLENGTH, 0, 0), 6);
}

TEST_F(TextEdit, SetTextMessageAppliesTheTextAsEditValue) {
  EXPECT_EQ(SendMessageA(editor->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("folder")), 1);
  EXPECT_EQ(editor->Text(), "folder");
  EXPECT_EQ(editor->EditValue().AsString(), "folder");
}

TEST_F(TextEdit, PasteWhileFocusedIsTestedAgainstMaxLengthFirst) {
  struct Case {
    const char* before;  // set before the limit, caret at its end
    const char* pasted;
    const char* after;
  } cases[] = {{"abc", "defg", "abcde"}, {"abcdef", "x", "abcdef"}, {"", "12", "12"}};
  Focus();
  for (const Case& c : cases) {
    editor->Properties()->SetMaxLength(0);
    editor->SetText(c.before);
    editor->Properties()->SetMaxLength(5);
    Select(static_cast<int>(strlen(c.before)), 0);
    PutOnClipboard(c.pasted);
    SendMessageA(InnerWindow(), WM_PASTE, 0, 0);
    EXPECT_EQ(editor->Text(), c.after) << c.before << "+" << c.pasted;
  }
}

TEST_F(TextEdit, CutOnAReadOnlyEditorCopiesInstead) {
  struct Case {
    bool readOnly;
    const char* after;
  } cases[] = {{true, "abcdef"}, {false, "adef"}};
  Focus();
  for (const Case& c : cases) {
    editor->Properties()->SetReadOnly(c.readOnly);
    editor->SetText("abcdef");
    PutOnClipboard("-");
    Select(1, 2);
    SendMessageA(InnerWindow(), WM_CUT, 0, 0);
    EXPECT_EQ(editor->Text(), c.after) << c.readOnly;
    ASSERT_TRUE(OpenClipboard(form->Handle()));
    HANDLE data = GetClipboardData(CF_TEXT);
    std::string copied = data ? static_cast<const char*>(GlobalLock(data)) : "";
    if (data) GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(copied, "bc") << c.readOnly;  // copied in both cases
  }
}

TEST(ThousandGrouping, GroupsTheRunBeforeTheDecimalSeparator) {
  TLocaleScope locale(LocaleEnglishUS);
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"1234567.5", "1,234,567.5"}, {"-1234", "-1,234"}, {"12,34", "1,234"}, {"123", "123"},
               {" 1234 ", " 1,234 "}, {"12345e+10", "12,345e+10"}, {"", ""}};
  for (const Case& c : cases) {
    std::string text = c.in;
    GroupThousands(text);
    EXPECT_EQ(text, c.out) << c.in;
  }
  EXPECT_TRUE(IsPlainNumber("1,234.5"));
  EXPECT_FALSE(IsPlainNumber(","));
}

struct NumberEdit : TextEditFixture {
  NumberEdit() { number = Place(new TNumberEdit(form.get()), 10, 40, 121, 21); }
  void TypeIntoNumber(const std::string& chars) {
    number->InnerTextEdit()->SetFocus();
    PumpWhileBusy();
    for (char ch : chars) SendMessageA(number->InnerTextEdit()->Handle(), WM_CHAR, static_cast<unsigned char>(ch), 1);
  }
  TNumberEdit* number;
};

TEST_F(NumberEdit, TypedDigitsAreGroupedWithTheCaretAfterTheLastOne) {
  struct Case {
    LCID locale;
    const char *grouped, *regrouped;
  } cases[] = {{LocaleEnglishUS, "1,234,567", "12,934,567"}, {LocaleGerman, "1.234.567", "12.934.567"}};
  for (const Case& c : cases) {
    TLocaleScope locale(c.locale);
    number->SetText("");
    TypeIntoNumber("1234567");
    EXPECT_EQ(number->Text(), c.grouped);
    EXPECT_EQ(number->InnerTextEdit()->SelStart(), 9);
    // A digit typed in the middle moves the separators; the caret stays after that digit.
    number->InnerTextEdit()->SetSelStart(3);
    TypeIntoNumber("9");
    EXPECT_EQ(number->Text(), c.regrouped);
    EXPECT_EQ(number->InnerTextEdit()->SelStart(), 4);
  }
}

}  // namespace
