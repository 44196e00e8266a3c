#include "calderan_test.h"

#include <string>

#include "BinaryFiler.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "drop_down_fixture.h"

namespace {

// A popup edit hosting a panel with a button; the panel sits on the form away from the editor.
struct PopupEdits : EditorsFixture {
  static void SetUpTestSuite() {
    EditorsFixture::SetUpTestSuite();
    StartUnits({&cxTextEditUnit, &cxDropDownEditUnit});
  }
  PopupEdits() {
    // An exception in a message handler fails the test instead of waiting on a message box.
    Application->OnException = MakeEvent(this, &PopupEdits::Caught);
    editor = new TcxPopupEdit(form.get());
    editor->SetAutoSize(false);
    Place(editor, 20, 20, 121, 21);
    panel = Place(new TPanel(form.get()), 200, 100, 160, 90);
    panel->SetName("Panel1");
    button = new TButton(form.get());
    button->SetParent(panel);
    button->SetBounds(10, 10, 75, 25);
    editor->Properties()->SetPopupControl(panel);
    // A popup that takes the focus runs a local modal loop while open, which would hold the test
    // here; the tests step through it themselves (one test keeps the loop, see below).
    editor->PopupWindow()->SetModal(false);
    log.Attach(editor->Properties());
    editor->Properties()->OnCloseUp = MakeEvent(this, &PopupEdits::CloseUp);
    PumpWhileBusy();
    editor->InnerTextEdit()->SetFocus();
    PumpWhileBusy();
  }
  ~PopupEdits() override {
    form.reset();
    Application->OnException = {};
  }
  void Caught(TObject*, Exception* e) { ADD_FAILURE() << e->ClassName() << ": " << e->Message(); }
  void CloseUp(TObject*) { reasonsSeenByCloseUp.push_back(editor->CloseUpReason()); }
  bool Open() { return editor->DroppedDown(); }
  TcxCustomEditPopupWindow* Popup() { return editor->PopupWindow(); }
  void DropDownNow() {
    editor->SetDroppedDown(true);
    PumpWhileBusy();
    ASSERT_TRUE(Open());
  }
  void CloseNow() {
    editor->SetDroppedDown(false);
    PumpWhileBusy();
    ASSERT_FALSE(Open());
  }
  // The control is where it was before the popup took it.
  void ExpectHome(TControl* control, TWinControl* parent, const TRect& bounds, bool visible) {
    EXPECT_EQ(control->Parent(), parent);
    EXPECT_EQ(control->Align(), alNone);
    EXPECT_EQ(control->BoundsRect(), bounds);
    EXPECT_EQ(control->Visible(), visible);
  }
  TcxPopupEdit* editor;
  TPanel* panel;
  TButton* button;
  TPopupLog log;
  std::vector<int> reasonsSeenByCloseUp;
};

TEST_F(PopupEdits, TheHostedControlFillsThePopupAndGoesBackWhenItCloses) {
  for (bool visible : {true, false}) {
    panel->SetVisible(visible);
    const TRect home = panel->BoundsRect();
    DropDownNow();
    EXPECT_EQ(panel->Parent(), Popup());
    EXPECT_EQ(panel->Align(), alClient);
    EXPECT_TRUE(panel->Visible());
    EXPECT_TRUE(IsWindowVisible(panel->Handle()));
    // Auto-sized: the popup fits the panel's own width; 90 pixels are below the sizeable popup's
    // minimum height of 100. The panel fills the client area.
    EXPECT_EQ(panel->BoundsRect(), Popup()->PopupViewInfo()->ClientRect);
    EXPECT_EQ(panel->Width(), home.Width());
    EXPECT_EQ(Popup()->Height(), 100);
    // The popup takes the focus and gives it to the hosted control.
    EXPECT_TRUE(IsChild(panel->Handle(), GetFocus()) || GetFocus() == panel->Handle()) << visible;
    CloseNow();
    ExpectHome(panel, form.get(), home, visible);
  }
  EXPECT_EQ(log.popups, 2);
}

TEST_F(PopupEdits, AFormLosesItsBorderInsideThePopupAndGetsEverythingBack) {
  auto* hosted = new TForm(form.get(), 0);
  hosted->SetBorderStyle(bsSizeToolWin);
  hosted->SetBounds(300, 250, 220, 140);
  editor->Properties()->SetPopupControl(hosted);
  const TRect home = hosted->BoundsRect();
  DropDownNow();
  EXPECT_EQ(hosted->BorderStyle(), bsNone);
  EXPECT_EQ(hosted->Parent(), Popup());
  const LONG style = GetWindowLongA(hosted->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
  EXPECT_EQ(hosted->BoundsRect(), Popup()->PopupViewInfo()->ClientRect);
  CloseNow();
  EXPECT_EQ(hosted->BorderStyle(), bsSizeToolWin);
  ExpectHome(hosted, nullptr, home, false);
  EXPECT_FALSE(GetWindowLongA(hosted->Handle(), GWL_STYLE) & WS_CHILD);
}

TEST_F(PopupEdits, ResizingThePopupResizesTheControlAndTheSizeIsKept) {
  TcxPopupEditProperties* p = editor->Properties();
  p->SetPopupSysPanelStyle(true);
  DropDownNow();
  const int width = Popup()->Width(), height = Popup()->Height();
  const TRect grip = Popup()->PopupViewInfo()->GripHitRect;
  const TPoint at((grip.Left + grip.Right) / 2, (grip.Top + grip.Bottom) / 2);
  SendMouse(Popup(), WM_LBUTTONDOWN, at);
  SendMouse(Popup(), WM_MOUSEMOVE, TPoint(at.X + 40, at.Y + 25));
  SendMouse(Popup(), WM_LBUTTONUP, TPoint(at.X + 40, at.Y + 25));
  PumpWhileBusy();
  ASSERT_EQ(Popup()->Width(), width + 40);
  EXPECT_EQ(panel->BoundsRect(), Popup()->PopupViewInfo()->ClientRect);
  EXPECT_EQ(panel->Width(), 160 + 40);
  EXPECT_EQ(panel->Height(), 90 + 25);
  CloseNow();
  EXPECT_EQ(p->PopupWidth(), width + 40);
  EXPECT_EQ(p->PopupHeight(), height + 25);
  EXPECT_EQ(panel->Width(), 160);  // the panel's own size is its own again
  // Not auto-sized, the next popup opens at the user's size.
  p->SetPopupAutoSize(false);
  DropDownNow();
  EXPECT_EQ(Popup()->Width(), width + 40);
  EXPECT_EQ(Popup()->Height(), height + 25);
  EXPECT_EQ(panel->BoundsRect(), Popup()->PopupViewInfo()->ClientRect);
}

// A button on the hosted panel closes the popup from its click handler.
struct TOkButton {
  TcxPopupEdit* editor;
  bool openInHandler = false;
  void Click(TObject*) {
    editor->CloseWithReason(pcrAccept);
    openInHandler = editor->DroppedDown();
  }
};

// In the popup's own modal loop: the click queued behind the show request is handled inside it, and
// the loop ends when the deferred close arrives.
TEST_F(PopupEdits, CloseWithReasonFromInsideClosesAfterTheMessageWithThatReason) {
  TOkButton ok{editor};
  button->OnClick = MakeEvent(&ok, &TOkButton::Click);
  Popup()->SetModal(true);
  editor->SetDroppedDown(true);
  PostMessageA(button->Handle(), BM_CLICK, 0, 0);
  PumpWhileBusy();
  EXPECT_EQ(log.popups, 1);
  EXPECT_TRUE(ok.openInHandler);
  EXPECT_FALSE(Open());
  EXPECT_EQ(reasonsSeenByCloseUp, std::vector<int>{pcrAccept});
  EXPECT_EQ(log.reasons, std::vector<int>{pcrAccept});
  EXPECT_EQ(panel->Parent(), form.get());
  // The editor has the focus again.
  EXPECT_EQ(GetFocus(), editor->InnerTextEdit()->Handle());
}

TEST_F(PopupEdits, DestroyingTheEditorWhileOpenOrAboutToOpenReturnsTheControl) {
  for (bool shown : {true, false}) {
    const TRect home = panel->BoundsRect();
    editor->DropDown();  // the show request is queued
    if (shown) PumpWhileBusy();
    EXPECT_EQ(panel->Parent(), editor->PopupWindow());
    EXPECT_EQ(editor->DroppedDown(), shown);
    delete editor;
    ExpectHome(panel, form.get(), home, true);
    EXPECT_TRUE(IsWindow(button->Handle()));
    PumpWhileBusy();
    editor = new TcxPopupEdit(form.get());
    Place(editor, 20, 20, 121, 21);
    editor->Properties()->SetPopupControl(panel);
    editor->PopupWindow()->SetModal(false);
    PumpWhileBusy();
    editor->InnerTextEdit()->SetFocus();
    PumpWhileBusy();
  }
}

TEST_F(PopupEdits, ACircularReferenceIsRefusedAndNothingOpens) {
  auto* box = Place(new TPanel(form.get()), 10, 200, 200, 60);
  auto* inner = new TcxPopupEdit(form.get());
  inner->SetParent(box);
  inner->SetBounds(10, 10, 121, 21);
  inner->PopupWindow()->SetModal(false);
  PumpWhileBusy();
  struct TCase {
    const char* name;
    TControl* control;
  };
  const TCase cases[] = {{"the editor", inner},
                         {"its parent", box},
                         {"its form", form.get()},
                         {"its popup window", inner->PopupWindow()}};
  for (const TCase& c : cases) {
    inner->Properties()->SetPopupControl(c.control);
    try {
      inner->DropDown();
      ADD_FAILURE() << c.name << ": no error";
    } catch (const EcxEditError& e) {
      EXPECT_EQ(e.Message(), "Circular referencing is not allowed") << c.name;
    }
    PumpWhileBusy();
    EXPECT_FALSE(inner->DroppedDown()) << c.name;
  }
  EXPECT_EQ(inner->Parent(), box);
  EXPECT_EQ(box->Parent(), form.get());
  // A control elsewhere on the form is fine.
  inner->Properties()->SetPopupControl(panel);
  inner->SetDroppedDown(true);
  PumpWhileBusy();
  EXPECT_TRUE(inner->DroppedDown());
}

// A properties change while open lays the popup out again: the control's home must not become the
// popup window.
TEST_F(PopupEdits, LayingOutAgainWhileOpenKeepsTheControlsHome) {
  const TRect home = panel->BoundsRect();
  DropDownNow();
  editor->Properties()->SetPopupClientEdge(true);
  editor->Properties()->SetPopupSysPanelStyle(true);
  PumpWhileBusy();
  ASSERT_TRUE(Open());
  EXPECT_EQ(panel->Parent(), Popup());
  EXPECT_EQ(panel->BoundsRect(), Popup()->PopupViewInfo()->ClientRect);
  EXPECT_EQ(editor->SavedPopupControl().Parent, form.get());
  CloseNow();
  ExpectHome(panel, form.get(), home, true);
}

TEST_F(PopupEdits, AFreedControlIsForgottenAndThePopupNoLongerOpens) {
  DropDownNow();
  delete panel;  // while open: the popup closes empty
  EXPECT_EQ(editor->Properties()->PopupControl(), nullptr);
  CloseNow();
  EXPECT_FALSE(editor->CanDropDown());
  editor->SetDroppedDown(true);
  PumpWhileBusy();
  EXPECT_FALSE(Open());
  EXPECT_EQ(log.popups, 1);
}

TEST_F(PopupEdits, DefaultsRegistrationAndStoredForm) {
  TcxPopupEditProperties* p = editor->Properties();
  EXPECT_TRUE(p->PopupAutoSize());
  EXPECT_TRUE(p->PopupSizeable());
  EXPECT_EQ(TSize(p->PopupWidth(), p->PopupHeight()), TSize(250, 200));
  EXPECT_EQ(TSize(p->PopupMinWidth(), p->PopupMinHeight()), TSize(100, 100));
  EXPECT_TRUE(p->ImmediateDropDown());
  EXPECT_TRUE(p->ImmediatePopup());
  EXPECT_TRUE(p->PopupTakesFocus());
  EXPECT_FALSE(p->ShowsLookupInPopup());
  EXPECT_TRUE(ObjectAs<TcxPopupEditPopupWindow>(Popup()));
  const int registered = GetEditPropertiesRegistry()->IndexOfClass(TcxPopupEditProperties::StaticClass());
  ASSERT_GE(registered, 0);
  EXPECT_EQ(GetEditPropertiesRegistry()->Descriptions(registered),
            "PopupEdit|Represents an edit control with a dropdown list");
  // Written and read back: the changed settings come through, the defaults are not written.
  p->SetPopupWidth(300);
  p->SetPopupSizeable(false);
  p->SetImmediatePopup(false);
  p->SetMaskKind(emkRegExpr);
  p->SetEditMask("\\d+");
  TMemoryStream stream;
  TBinaryFormWriter(&stream).WriteProperties(editor);
  auto* copy = Place(new TcxPopupEdit(form.get()), 20, 60, 121, 21);
  stream.SetPosition(0);
  TBinaryFormReader(&stream).ReadProperties(copy);
  TcxPopupEditProperties* q = copy->Properties();
  EXPECT_EQ(q->PopupWidth(), 300);
  EXPECT_FALSE(q->PopupSizeable());
  EXPECT_FALSE(q->ImmediatePopup());
  EXPECT_EQ(q->MaskKind(), emkRegExpr);
  EXPECT_EQ(q->EditMask(), "\\d+");
  auto* fresh = new TcxPopupEdit(form.get());
  fresh->PopupWindow()->SetModal(false);
  for (const char* name : {"PopupWidth", "PopupHeight", "PopupMinWidth", "PopupSizeable", "ImmediatePopup",
                           "ValidateOnEnter", "PopupAutoSize"}) {
    const TPropInfo* prop = FindPublishedProperty(fresh->Properties()->ClassType(), name);
    ASSERT_NE(prop, nullptr) << name;
    EXPECT_TRUE(IsDefaultPropertyValue(fresh->Properties(), prop)) << name;
  }
  const TPropInfo* control = FindPublishedProperty(fresh->Properties()->ClassType(), "PopupControl");
  ASSERT_NE(control, nullptr);
  control->SetObj(fresh->Properties(), panel);
  EXPECT_EQ(fresh->Properties()->PopupControl(), panel);
}

}  // namespace
