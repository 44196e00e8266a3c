#include "calderan_test.h"

#include <memory>

#include "Forms.h"
#include "edit_fixture.h"

namespace {

struct EditControl : EditorsFixture {
  EditControl() {
    editor = Place(new TTestEdit(form.get()), 10, 10, 120, 24);
    other = Place(new TEdit(form.get()), 10, 60, 120, 24);
    events.Attach(editor->Properties());
    PumpWhileBusy();
  }
  HWND InnerWindow() { return editor->Inner()->Handle(); }
  void Key(WPARAM key) {
    SendMessageA(InnerWindow(), WM_KEYDOWN, key, 1);
    SendMessageA(InnerWindow(), WM_KEYUP, key, 0xC0000001);
  }
  void Char(char ch) { SendMessageA(InnerWindow(), WM_CHAR, static_cast<unsigned char>(ch), 1); }
  void FocusEditor() {
    editor->Inner()->SetFocus();
    PumpWhileBusy();
  }
  TTestEdit* editor;
  TEdit* other;
  TEditEvents events;
};

TEST_F(EditControl, LockedAssignmentsFireOnceOrNotAtAll) {
  struct Case {
    bool fire;
    int expected;
  } cases[] = {{true, 1}, {false, 0}};
  for (const Case& c : cases) {
    events = {};
    events.Attach(editor->Properties());
    editor->LockChangeEvents(true);
    for (int i = 1; i <= 5; ++i) editor->AssignEditValue(TVariant(int32_t(i * 10 + c.fire)));
    EXPECT_EQ(events.changes, 0);
    editor->LockChangeEvents(false, c.fire);
    EXPECT_EQ(events.changes, c.expected) << c.fire;
    EXPECT_EQ(events.valueChanges, c.expected) << c.fire;
  }
  // Unlocked, each real change fires once; an equal value fires nothing.
  events = {};
  events.Attach(editor->Properties());
  editor->AssignEditValue(TVariant(int32_t(7)));
  editor->AssignEditValue(TVariant(int32_t(7)));
  EXPECT_EQ(events.changes, 1);
  EXPECT_EQ(events.valueChanges, 1);
}

TEST_F(EditControl, WithoutChangeDetectionEveryChangeComesWithAValueChange) {
  editor->Properties()->Detects = false;
  editor->AssignEditValue(TVariant(std::string("a")));
  EXPECT_EQ(events.changes, 0);
  FocusEditor();
  Char('b');
  EXPECT_TRUE(editor->ModifiedAfterEnter());
}

TEST_F(EditControl, TheClearKeyAssignsTheClearedValueOnceValidated) {
  struct Case {
    bool detects;
    bool startsNull;
    int expectedEvents;
  } cases[] = {{true, false, 1}, {false, false, 0}, {true, true, 0}};
  editor->Properties()->SetClearKey(ShortCut(VK_DELETE, {}));
  FocusEditor();
  for (const Case& c : cases) {
    editor->Properties()->Detects = c.detects;
    editor->AssignEditValue(c.startsNull ? TVariant::Null() : TVariant(std::string("abc")));
    Char('x');  // typing: modified, not validated
    events = {};
    events.Attach(editor->Properties());
    Key(VK_DELETE);
    EXPECT_TRUE(editor->EditValue().IsNull());
    EXPECT_TRUE(editor->IsEditValidated());
    EXPECT_EQ(events.changes, c.expectedEvents) << c.detects << c.startsNull;
    EXPECT_EQ(events.valueChanges, c.expectedEvents) << c.detects << c.startsNull;
  }
}

struct TKeyPressCounter {
  int escapes = 0;
  void Press(TObject*, char& key) { escapes += key == 27; }
};

TEST_F(EditControl, EscRestoresTheValueAndSwallowsItsCharacter) {
  TKeyPressCounter counter;
  editor->OnKeyPress = MakeEvent(&counter, &TKeyPressCounter::Press);
  editor->AssignEditValue(TVariant(std::string("abc")));
  FocusEditor();
  // Unchanged: Esc does nothing, and its character goes on.
  Key(VK_ESCAPE);
  Char(27);
  EXPECT_EQ(counter.escapes, 1);
  EXPECT_EQ(editor->InnerText(), "abc");

  editor->Inner()->SetSelStart(3);
  Char('x');
  EXPECT_EQ(editor->InnerText(), "abcx");
  EXPECT_TRUE(editor->ModifiedAfterEnter());
  Key(VK_ESCAPE);
  EXPECT_EQ(editor->InnerText(), "abc");
  EXPECT_FALSE(editor->ModifiedAfterEnter());
  Char(27);
  EXPECT_EQ(counter.escapes, 1);
  Char(27);
  EXPECT_EQ(counter.escapes, 2);
}

struct TValidationFixture {
  std::string caught;
  void Validate(TObject*, TVariant& display, std::string& errorText, bool& error) {
    if (display.AsString() != "bad!") return;
    display = TVariant(std::string("fixed"));
    errorText = "The value is not allowed";
    error = true;
  }
  void Handle(TObject*, Exception* e) { caught = std::string(e->ClassName()) + ": " + e->Message(); }
};

TEST_F(EditControl, AValidationErrorKeepsTheFocusWithTheHandlersTextSelected) {
  TValidationFixture validation;
  editor->Properties()->OnValidate = MakeEvent(&validation, &TValidationFixture::Validate);
  const TExceptionEvent savedHandler = Application->OnException;
  Application->OnException = MakeEvent(&validation, &TValidationFixture::Handle);
  FocusEditor();
  for (char ch : std::string("bad!")) Char(ch);
  other->SetFocus();
  PumpWhileBusy();
  Application->OnException = savedHandler;
  EXPECT_EQ(validation.caught, "EcxEditValidationError: The value is not allowed");
  EXPECT_EQ(GetFocus(), InnerWindow());
  EXPECT_EQ(editor->InnerText(), "fixed");
  EXPECT_EQ(editor->Inner()->SelStart(), 0);
  EXPECT_EQ(editor->Inner()->SelLength(), 5);
  EXPECT_FALSE(editor->IsEditValidated());

  // A text the handler accepts is taken as the edit value when the focus leaves.
  editor->Inner()->SetText("good");
  other->SetFocus();
  PumpWhileBusy();
  EXPECT_EQ(GetFocus(), other->Handle());
  EXPECT_EQ(editor->EditValue().AsString(), "good");
}

TEST_F(EditControl, ValidationWithoutRaisingReportsAndLeavesTheDefaultText) {
  TValidationFixture validation;
  editor->Properties()->OnValidate = MakeEvent(&validation, &TValidationFixture::Validate);
  FocusEditor();
  for (char ch : std::string("bad!")) Char(ch);
  EXPECT_FALSE(editor->ValidateInput(false));
  EXPECT_EQ(editor->InnerText(), "fixed");
  EXPECT_EQ(editor->Properties()->InvalidInputMessage(), "Invalid input value. Use escape key to abandon changes");
}

TEST_F(EditControl, EnterValidatesOnlyWhenAsked) {
  FocusEditor();
  Char('q');
  Key(VK_RETURN);
  EXPECT_FALSE(editor->IsEditValidated());
  editor->Properties()->SetValidateOnEnter(true);
  Key(VK_RETURN);
  EXPECT_TRUE(editor->IsEditValidated());
  EXPECT_EQ(editor->EditValue().AsString(), "q");
}

struct TAfterKey {
  std::vector<Word> keys;
  void After(TObject*, Word& key, TShiftState) { keys.push_back(key); }
};

TEST_F(EditControl, ArrowsAreSwallowedAfterTheAfterKeyDownHandler) {
  TAfterKey after;
  editor->OnAfterKeyDown = MakeEvent(&after, &TAfterKey::After);
  FocusEditor();
  for (Word key : {VK_LEFT, VK_DOWN, VK_HOME}) {
    Word k = key;
    editor->DoKeyDown(k, {});
    EXPECT_EQ(k, 0) << key;
  }
  EXPECT_EQ(after.keys, (std::vector<Word>{VK_LEFT, VK_DOWN, VK_HOME}));
}

TEST_F(EditControl, TabMovesTheFocusUnlessThePropertiesWantTabs) {
  editor->Properties()->Tabs = true;
  FocusEditor();
  Word key = VK_TAB;
  editor->DoKeyDown(key, {});
  PumpWhileBusy();
  EXPECT_EQ(GetFocus(), InnerWindow());
  editor->Properties()->Tabs = false;
  Key(VK_TAB);
  PumpWhileBusy();
  EXPECT_EQ(GetFocus(), other->Handle());
}

TEST_F(EditControl, TheClickKeyClicksTheDefaultButtonAndEatsItsCharacter) {
  FocusEditor();
  Word key = VK_RETURN;
  editor->DoKeyDown(key, {ssCtrl});
  EXPECT_NE(key, 0) << "without a default button the key goes on";
  editor->Properties()->Buttons()->Add()->SetKind(bkEllipsis);
  editor->Properties()->Buttons()->Add()->SetDefault(true);
  editor->ShortRefresh();
  PostMessageA(InnerWindow(), WM_CHAR, 'k', 1);
  key = VK_RETURN;
  editor->DoKeyDown(key, {ssCtrl});
  PumpWhileBusy();
  EXPECT_EQ(key, 0);
  EXPECT_EQ(events.buttonClicks, 1);
  EXPECT_EQ(events.lastButton, 1);
  EXPECT_EQ(editor->InnerText(), "");
}

TEST_F(EditControl, AnUnrelatedRepositoryItemIsRefused) {
  TcxEditRepository repository(nullptr);
  TcxEditRepositoryItem* unrelated = repository.CreateRepositoryItem(TcxEditRepositoryItem::StaticClassOperations());
  try {
    editor->SetRepositoryItem(unrelated);
    FAIL() << "no error";
  } catch (const EcxEditError& e) {
    EXPECT_EQ(e.Message(), "The repository item is not acceptable");
  }
  EXPECT_EQ(editor->RepositoryItem(), nullptr);

  auto* item = repository.CreateRepositoryItem(TcxEditRepositoryTestItem::StaticClassOperations());
  editor->SetRepositoryItem(item);
  EXPECT_EQ(editor->EffectiveProperties(), item->Properties());
  EXPECT_EQ(item->Properties()->DefaultValuesProvider(), editor->DataBinding()->DefaultValuesProvider());
  TEditEvents itemEvents;
  itemEvents.Attach(item->Properties());
  editor->AssignEditValue(TVariant(std::string("r")));
  EXPECT_EQ(events.changes, 1);
  EXPECT_EQ(itemEvents.changes, 1);
  delete item;
  EXPECT_EQ(editor->RepositoryItem(), nullptr);
  EXPECT_EQ(editor->EffectiveProperties(), editor->Properties());
}

TEST_F(EditControl, AReadOnlyEditorRefusesTyping) {
  editor->Properties()->SetReadOnly(true);
  EXPECT_TRUE(editor->IsReadOnlyNow());
  FocusEditor();
  Char('z');  // refused: the editor may not be edited
  EXPECT_FALSE(editor->ModifiedAfterEnter());
  editor->Properties()->SetReadOnly(false);
  EXPECT_FALSE(editor->IsReadOnlyNow());
}

// Notes when the editor fills a view data, that is, when it lays its view info out.
class TLayoutWatchedEdit : public TTestEdit {
 public:
  using TTestEdit::TTestEdit;
  bool laidOut = false;

 protected:
  void FillDrawParams(TcxCustomEditViewData* viewData) override {
    laidOut = true;
    TTestEdit::FillDrawParams(viewData);
  }
};

// A paint draws the view info as it is; only a change lays it out again.
TEST_F(EditControl, APaintWithoutAChangeDrawsWithoutLayingOutAgain) {
  auto* watched = Place(new TLayoutWatchedEdit(form.get()), 10, 100, 120, 24);
  PumpWhileBusy();
  watched->laidOut = false;
  HDC dc = GetDC(watched->Handle());
  SetPixel(dc, 0, 0, RGB(255, 0, 255));
  RedrawWindow(watched->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_NE(GetPixel(dc, 0, 0), RGB(255, 0, 255)) << "the paint did not draw";
  ReleaseDC(watched->Handle(), dc);
  EXPECT_FALSE(watched->laidOut);

  watched->Style()->SetBorderColor(clRed);
  EXPECT_TRUE(watched->laidOut);
}

}  // namespace
