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

// The long cases go past the short-string buffer, where wide-string code compiled for another
// character width once cut the text at the wrong place.
TEST_F(TextEdit, PasteWhileFocusedIsTestedAgainstMaxLengthFirst) {
  struct Case {
    const char* before;  // set before the limit, caret at its end
    const char* pasted;
    int maxLength;
    const char* after;
  } cases[] = {{"abc", "defg", 5, "abcde"},
               {"abcdef", "x", 5, "abcdef"},
               {"", "12", 5, "12"},
               {"a text longer than a short buffer", " and its pasted tail", 40, "a text longer than a short buffer and it"},
               {"", "a pasted text longer than a short buffer", 12, "a pasted tex"}};
  Focus();
  for (const Case& c : cases) {
    editor->Properties()->SetMaxLength(0);
    editor->SetText(c.before);
    editor->Properties()->SetMaxLength(c.maxLength);
    Select(static_cast<int>(strlen(c.before)), 0);
    PutOnClipboard(c.pasted);
    SendMessageA(InnerWindow(), WM_PASTE, 0, 0);
    EXPECT_EQ(editor->Text(), c.after) << c.before << "+" << c.pasted;
    EXPECT_EQ(SelectionStart(), static_cast<int>(strlen(c.after))) << c.before << "+" << c.pasted;
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
    TypeInto(number->InnerTextEdit()->Handle(), chars);
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

struct LookupEdit : TextEditFixture {
  LookupEdit() {
    list = Place(new TStyledTextEdit(form.get()), 10, 70, 121, 21);
    PumpWhileBusy();
  }
  void UseItems(TcxTextEdit* edit, std::initializer_list<const char*> items) {
    TStringList strings;
    for (const char* item : items) strings.Add(item);
    edit->Properties()->SetLookupItems(&strings);
  }
  void FocusList() {
    list->InnerTextEdit()->SetFocus();
    PumpWhileBusy();
  }
  TStyledTextEdit* list;
};

TEST_F(LookupEdit, FixedListTypingSearchesTheItemsInOrder) {
  UseItems(list, {"Red", "Green", "Grey"});
  FocusList();
  struct Case {
    char typed;
    const char* text;
    int selStart, selLength;
  } cases[] = {{'g', "Green", 1, 4}, {'r', "Green", 2, 3}, {'e', "Green", 3, 2}, {'y', "Grey", 4, 0}, {'x', "Grey", 4, 0}};
  for (const Case& c : cases) {
    TypeInto(list->InnerTextEdit()->Handle(), std::string(1, c.typed));
    EXPECT_EQ(list->Text(), c.text) << c.typed;
    EXPECT_EQ(list->SelStart(), c.selStart) << c.typed;
    EXPECT_EQ(list->SelLength(), c.selLength) << c.typed;
    EXPECT_TRUE(list->FoundTextSelected()) << c.typed;
  }
  EXPECT_EQ(list->ItemIndex(), 2);
  // Left and Right do not edit a fixed list: they only end the search highlight.
  SendMessageA(list->InnerTextEdit()->Handle(), WM_KEYDOWN, VK_LEFT, 1);
  EXPECT_FALSE(list->FoundTextSelected());
  EXPECT_EQ(list->SelLength(), 0);
  EXPECT_EQ(list->Text(), "Grey");
}

TEST_F(LookupEdit, FreeStyleCompletesOnlyAtTheEndOfTheText) {
  UseItems(editor, {"Apple", "apricot", "Banana"});
  Focus();
  Type("a");
  EXPECT_EQ(editor->Text(), "Apple");
  EXPECT_EQ(editor->SelStart(), 1);
  EXPECT_EQ(editor->SelLength(), 4);
  Type("p");
  EXPECT_EQ(editor->Text(), "Apple");
  EXPECT_EQ(editor->SelStart(), 2);
  EXPECT_EQ(editor->ItemIndex(), 0);
  // A caret in the middle of the text: the character is inserted, nothing is completed.
  editor->SetText("xyz");
  Select(1, 0);
  Type("B");
  EXPECT_EQ(editor->Text(), "xByz");
  EXPECT_FALSE(editor->FoundTextSelected());
  // Without incremental search nothing is completed at the end either.
  editor->Properties()->SetIncrementalSearch(false);
  editor->SetText("");
  Type("a");
  EXPECT_EQ(editor->Text(), "a");
}

TEST_F(LookupEdit, ListRestrictedTakesOnlyItemsFromCodeAndCompletesTyping) {
  UseItems(list, {"Apple", "apricot", "Banana"});
  list->Styled()->SetStyle(tesListRestricted);
  struct Case {
    const char* assigned;
    LRESULT result;
    const char* text;
  } cases[] = {{"banana", 1, "banana"}, {"Cherry", 0, "banana"}, {"", 1, ""}};
  for (const Case& c : cases) {
    EXPECT_EQ(SendMessageA(list->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.assigned)), c.result) << c.assigned;
    EXPECT_EQ(list->Text(), c.text) << c.assigned;
  }
  FocusList();
  TypeInto(list->InnerTextEdit()->Handle(), "apr");
  EXPECT_EQ(list->Text(), "apricot");
  EXPECT_EQ(list->SelLength(), 4);
  // A character that matches no item is swallowed; the found text stays.
  TypeInto(list->InnerTextEdit()->Handle(), "z");
  EXPECT_EQ(list->Text(), "apricot");
}

TEST_F(LookupEdit, NoEditStyleShowsNoSelectionAndIgnoresTyping) {
  list->Styled()->SetStyle(tesNoEdit);
  list->SetText("fixed");
  FocusList();
  list->SelectRange(1, 2);
  EXPECT_EQ(list->SelStart(), 0);
  EXPECT_EQ(list->SelLength(), 0);
  TypeInto(list->InnerTextEdit()->Handle(), "ab");
  EXPECT_EQ(list->Text(), "fixed");
}

TEST_F(LookupEdit, NavigationKeysAndTheWheelMoveThroughTheItemsWhereAllowed) {
  std::initializer_list<const char*> items = {"i0", "i1", "i2", "i3", "i4", "i5", "i6", "i7", "i8", "i9"};
  UseItems(list, items);
  FocusList();
  HWND inner = list->InnerTextEdit()->Handle();
  SendMessageA(inner, WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(list->ItemIndex(), -1);  // the text editor itself does not scroll its items
  list->ScrollsLookup = true;
  struct Case {
    WPARAM key;
    bool ctrl;
    int index;
  } cases[] = {{VK_DOWN, false, 0}, {VK_DOWN, false, 1}, {VK_NEXT, false, 8}, {VK_NEXT, false, 9},
               {VK_DOWN, false, 9}, {VK_UP, false, 8},    {VK_HOME, false, 0}, {VK_END, false, 9},
               {VK_PRIOR, true, 0}};
  for (const Case& c : cases) {
    BYTE keys[256] = {};
    if (c.ctrl) keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(inner, WM_KEYDOWN, c.key, 1);
    EXPECT_EQ(list->ItemIndex(), c.index) << c.key;
    EXPECT_EQ(list->Text(), std::string("i") + std::to_string(c.index)) << c.key;
  }
  BYTE none[256] = {};
  SetKeyboardState(none);
  EXPECT_TRUE(list->ModifiedAfterEnter());
  SendMessageA(list->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(list->ItemIndex(), 1);
  SendMessageA(list->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(list->ItemIndex(), 0);
}

TEST_F(LookupEdit, AValueThatIsNoItemShowsAsItIsOnlyWhileUnfocused) {
  UseItems(list, {"Apple", "Banana"});
  list->Styled()->SetStyle(tesListRestricted);
  list->SetEditValue(TVariant(std::string("Cherry")));
  EXPECT_EQ(list->Text(), "Cherry");
  FocusList();
  list->SetEditValue(TVariant(std::string("Cherry")));
  EXPECT_EQ(list->Text(), "");
  list->SetEditValue(TVariant(std::string("banana")));
  EXPECT_EQ(list->Text(), "banana");
}

TEST_F(LookupEdit, BackspaceShortensTheSearchText) {
  UseItems(list, {"Red", "Green", "Grey"});
  FocusList();
  HWND inner = list->InnerTextEdit()->Handle();
  TypeInto(inner, "gr");
  struct Case {
    const char* text;
    int selStart, selLength;
    bool found;
  } cases[] = {{"Green", 1, 4, true}, {"Green", 0, 0, false}, {"Green", 0, 0, false}};
  for (const Case& c : cases) {
    TypeInto(inner, "\b");
    EXPECT_EQ(list->Text(), c.text);
    EXPECT_EQ(list->FoundTextSelected(), c.found);
    EXPECT_EQ(list->SelStart(), c.selStart);
    EXPECT_EQ(list->SelLength(), c.selLength);
  }
  // List-restricted: a first Backspace selects to the end and searches with the rest.
  list->Styled()->SetStyle(tesListRestricted);
  list->SetText("Grey");
  list->SelectRange(3, 0);
  TypeInto(inner, "\b");
  EXPECT_EQ(list->Text(), "Green");
  EXPECT_EQ(list->SelStart(), 2);
  EXPECT_EQ(list->SelLength(), 3);
}

}  // namespace
