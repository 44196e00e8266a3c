#include "calderan_test.h"

#include "ExtCtrls.h"
#include "StdCtrls.h"
#include "editors_fixture.h"

namespace {

// A popup that does not take the focus (so no modal loop runs) with one panel inside.
class TTestPopup : public TcxCustomPopupWindow {
 public:
  explicit TTestPopup(TControl* owner) : TcxCustomPopupWindow(owner) {
    SetCaptureFocus(false);
    panel = new TPanel(this);
    panel->SetParent(this);
    panel->SetBounds(0, 0, 120, 60);
  }
  bool HandleOutsideClick(HWND, UINT, const TPoint&, TShiftState) override { return consumesClicks; }
  TPanel* panel;
  bool consumesClicks = false;
};

struct PopupWindow : EditorsFixture {
  PopupWindow() {
    owner = Place(new TEdit(form.get()), 20, 20, 100, 22);
    other = Place(new TEdit(form.get()), 20, 200, 100, 22);
    PumpWhileBusy();
  }
  ~PopupWindow() override {
    for (TTestPopup* popup : {second, first}) delete popup;
  }
  TTestPopup* Open(TControl* ownerControl, TWinControl* parent) {
    auto* popup = new TTestPopup(ownerControl);
    popup->SetOwnerParent(parent);
    popup->SetOwnerBounds(ownerControl->BoundsRect());
    popup->ShowPopup();
    return popup;
  }
  TPoint ScreenCentre(TWinControl* control) {
    return control->ClientToScreen(TPoint(control->Width() / 2, control->Height() / 2));
  }
  bool Click(TWinControl* target, UINT message = WM_LBUTTONDOWN) {
    return ProcessPopupOutsideClick(target->Handle(), message, ScreenCentre(target));
  }
  TEdit* owner;
  TEdit* other;
  TTestPopup* first = nullptr;
  TTestPopup* second = nullptr;
};

TEST_F(PopupWindow, OpensBelowItsOwnerInTheOpenList) {
  first = Open(owner, form.get());
  ASSERT_TRUE(first->IsOpen());
  EXPECT_TRUE(IsWindowVisible(first->Handle()));
  const TPoint ownerBottomLeft = form->ClientToScreen(TPoint(owner->Left(), owner->Top() + owner->Height()));
  EXPECT_EQ(TPoint(first->Left(), first->Top()), ownerBottomLeft);
  EXPECT_EQ(OpenPopups().back(), first);
  first->ShowPopup();  // already open: nothing
  EXPECT_EQ(OpenPopups().size(), 1u);
  first->ClosePopup();
  EXPECT_FALSE(first->IsOpen());
  EXPECT_FALSE(IsWindowVisible(first->Handle()));
  first->ClosePopup();  // already closed: nothing
}

TEST_F(PopupWindow, AClickOutsideClosesThePopupAndReachesItsTarget) {
  first = Open(owner, form.get());
  EXPECT_TRUE(Click(other));
  EXPECT_FALSE(first->IsOpen());

  first->ShowPopup();
  first->consumesClicks = true;
  EXPECT_FALSE(Click(other));  // a popup that takes the click swallows it
  EXPECT_FALSE(first->IsOpen());
}

TEST_F(PopupWindow, AClickInsideAPopupOpenedFromTheFirstClosesNeither) {
  first = Open(owner, form.get());
  second = Open(first->panel, first);
  ASSERT_TRUE(second->IsOpen());
  EXPECT_TRUE(Click(second->panel));
  EXPECT_TRUE(first->IsOpen());
  EXPECT_TRUE(second->IsOpen());
  EXPECT_TRUE(Click(first->panel));  // inside the first: the second closes, the first stays
  EXPECT_TRUE(first->IsOpen());
  EXPECT_FALSE(second->IsOpen());
}

TEST_F(PopupWindow, AClickOnTheOwnerIsReportedOnce) {
  first = Open(owner, form.get());
  first->consumesClicks = true;
  Click(owner);
  EXPECT_FALSE(first->IsOpen());
  EXPECT_TRUE(first->TakeClosedByOwnerClick());
  EXPECT_FALSE(first->TakeClosedByOwnerClick());
  first->consumesClicks = false;
  first->ShowPopup();
  Click(owner, WM_RBUTTONDOWN);  // not a left press: an ordinary outside click
  EXPECT_FALSE(first->TakeClosedByOwnerClick());
}

TEST_F(PopupWindow, HidingTheOwnerClosesItsPopupsAndThoseOpenedAfter) {
  first = Open(owner, form.get());
  second = Open(first->panel, first);
  auto* unrelated = Open(other, form.get());
  ASSERT_EQ(OpenPopups().size(), 3u);
  owner->SetVisible(false);
  PumpWhileBusy();
  EXPECT_FALSE(first->IsOpen());
  EXPECT_FALSE(second->IsOpen());
  EXPECT_FALSE(unrelated->IsOpen());  // opened after the first
  delete unrelated;
}

TEST_F(PopupWindow, SystemKeysAPopupDoesNotAcceptAreDropped) {
  first = Open(owner, form.get());
  struct Case {
    WPARAM key;
    UINT expected;
  };
  const Case cases[] = {{VK_DOWN, WM_SYSKEYDOWN}, {VK_F4, WM_SYSKEYDOWN}, {VK_RETURN, WM_NULL}, {'A', WM_NULL}};
  for (const Case& c : cases) {
    PostMessageA(other->Handle(), WM_SYSKEYDOWN, c.key, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, other->Handle(), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, c.expected) << c.key;
  }
}

TEST_F(PopupWindow, FreeingAnOpenPopupRemovesIt) {
  first = Open(owner, form.get());
  delete first;
  first = nullptr;
  EXPECT_TRUE(OpenPopups().empty());
  EXPECT_TRUE(Click(other));
}

TEST(PopupRoutines, TopLevelAncestorAndPendingMessages) {
  UsePrivateDesktop();
  StartEditorUnits();
  TForm form(nullptr, 0);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  form.Show();
  EXPECT_EQ(GetTopLevelAncestorWindow(edit->Handle()), form.Handle());
  for (int i = 0; i < 3; ++i) PostMessageA(edit->Handle(), WM_USER + 5, 0, 0);
  EXPECT_TRUE(RemovePendingMessages(edit->Handle(), WM_USER + 5, WM_USER + 5, false));
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, edit->Handle(), WM_USER + 5, WM_USER + 5, PM_NOREMOVE));
  EXPECT_TRUE(RemovePendingMessages(edit->Handle(), WM_USER + 5, WM_USER + 5, true));
  EXPECT_FALSE(PeekMessageA(&msg, edit->Handle(), WM_USER + 5, WM_USER + 5, PM_NOREMOVE));
  EXPECT_FALSE(RemovePendingMessages(edit->Handle(), WM_USER + 5, WM_USER + 5, true));
}

}  // namespace
