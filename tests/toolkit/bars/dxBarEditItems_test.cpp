#include "dxBarEditItems.h"

#include <memory>
#include <string>
#include <vector>

#include "StdCtrls.h"
#include "bars_fixture.h"
#include "barwindow_fixture.h"
#include "calderan_test.h"
#include "dxBarDropDownListBox.h"
#include "dxBarButtonControl.h"
#include "dxBarEditControls.h"

namespace {

struct TEditLog {
  int Changes = 0;
  int CurChanges = 0;
  void Change(TObject*) { ++Changes; }
  void CurChange(TObject*) { ++CurChanges; }
};

class BarEdits : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    form_->SetBounds(40, 40, 480, 300);
    form_->HandleNeeded();
    form_->Show();
    other_ = new TEdit(form_.get());
    other_->SetParent(form_.get());
    other_->SetBounds(10, 200, 120, 24);
  }
  TdxBarEdit* AddEdit(TTestLinksOwner* owner, TdxBarEdit* edit) {
    edit->OnChange = MakeEvent(&log_, &TEditLog::Change);
    edit->OnCurChange = MakeEvent(&log_, &TEditLog::CurChange);
    owner->Links()->AddItem(edit);
    return edit;
  }
  // A toolbar window with an edit of 120 pixels and a combo of Apple, Apricot and Banana.
  TCustomdxBarControl* ShowToolbar() {
    owner_ = new TTestLinksOwner(form_.get(), manager_, false);
    edit_ = AddEdit(owner_, new TdxBarEdit(form_.get()));
    edit_->SetWidth(120);
    combo_ = static_cast<TdxBarCombo*>(AddEdit(owner_, new TdxBarCombo(form_.get())));
    combo_->SetWidth(120);
    for (const char* entry : {"Apple", "Apricot", "Banana"}) combo_->Items()->Add(entry);
    return owner_->Show();
  }
  TdxBarEditControl* EditControl() const { return ObjectAs<TdxBarEditControl>(edit_->Links(0)->Control()); }
  TdxBarComboControl* ComboControl() const { return ObjectAs<TdxBarComboControl>(combo_->Links(0)->Control()); }
  HWND EditWindow() const { return EditControl()->GetWindowHandle(); }
  HWND ComboWindow() const { return ComboControl()->GetWindowHandle(); }
  HWND ListWindow() const { return combo_->ListBox()->WindowHandle(); }
  bool ListShown() const { return combo_->ListBox()->HandleAllocated() && IsWindowVisible(ListWindow()); }
  static void Type(HWND window, const std::string& text) {
    for (char c : text) SendMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 0);
  }
  static void Key(HWND window, Word key) { SendMessageA(window, WM_KEYDOWN, key, 0); }
  static void AltKey(HWND window, Word key) { SendMessageA(window, WM_SYSKEYDOWN, key, 0x20000000); }
  void ClickCombo(TCustomdxBarControl* bar) { ClickAt(bar, CentreOf(combo_->Links(0)), CentreOf(combo_->Links(0))); }

  TEditLog log_;
  TTestLinksOwner* owner_ = nullptr;
  TdxBarEdit* edit_ = nullptr;
  TdxBarCombo* combo_ = nullptr;
  TEdit* other_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// The item side.

TEST_F(BarEdits, TextChangesFireOnChangeOnceAndOnlyForNewValues) {
  auto* edit = AddEdit(new TTestLinksOwner(form_.get(), manager_, false), new TdxBarEdit(form_.get()));
  edit->SetText("report");
  edit->SetText("report");
  EXPECT_EQ(log_.Changes, 1);
  EXPECT_EQ(edit->CurText(), "report");  // no control is editing: the current text is Text
}

TEST_F(BarEdits, WidthMaxLengthAndAcceleratorRules) {
  auto* toolbar = new TTestLinksOwner(form_.get(), manager_, false);
  auto* menu = new TTestLinksOwner(form_.get(), manager_, true);
  auto* edit = new TdxBarEdit(form_.get());
  EXPECT_EQ(edit->Width(), 100);
  for (int width : {0, -5}) {
    edit->SetWidth(width);
    EXPECT_EQ(edit->Width(), 100) << width;
  }
  edit->SetMaxLength(-3);
  EXPECT_EQ(edit->MaxLength(), 0);
  TdxBarItemLink* onToolbar = toolbar->Links()->AddItem(edit);
  TdxBarItemLink* inMenu = menu->Links()->AddItem(edit);
  EXPECT_FALSE(edit->CanActivateByAccel(onToolbar));
  EXPECT_TRUE(edit->CanActivateByAccel(inMenu));
  edit->SetShowCaption(true);
  EXPECT_TRUE(edit->CanActivateByAccel(onToolbar));
  edit->SetEnabled(false);
  EXPECT_FALSE(edit->CanActivateByAccel(inMenu));
  EXPECT_FALSE(edit->CanClick());
}

TEST_F(BarEdits, TypedTextFindsTheBestEntry) {
  TStringList entries;
  for (const char* entry : {"Apple", "Apricot", "Banana"}) entries.Add(entry);
  const struct {
    const char* Typed;
    int Expected;
  } cases[] = {{"apr", 1}, {"APRICOT", 1}, {"apx", 0}, {"a", 0}, {"b", 2}, {"c", -1}, {"", -1}};
  for (const auto& c : cases) EXPECT_EQ(FindComboEntryForText(&entries, c.Typed), c.Expected) << c.Typed;
}

TEST_F(BarEdits, DropDownWindowStaysOnTheWorkArea) {
  const TRect area(0, 0, 800, 600);
  const TSize list{150, 200}, item{120, 22};
  const struct {
    const char* Name;
    TPoint Anchor;
    bool Beside;
    TPoint Expected;
  } cases[] = {
      {"room below", {100, 100}, false, {100, 100}},
      {"near the bottom, more room above: opens above", {100, 500}, false, {100, 500 - 22 - 200}},
      {"near the bottom, less room above: clamped", {100, 450}, true, {100, 400}},
      {"past the right edge on a toolbar", {700, 100}, false, {650, 100}},
      {"menu near the right edge: opens on the left", {700, 100}, true, {700 - 120 - 150, 100}},
      {"above the top", {-20, -30}, false, {0, 0}},
  };
  for (const auto& c : cases) {
    const TPoint at = PlaceDropDownWindow(c.Anchor, list, item, area, c.Beside);
    EXPECT_EQ(at.X, c.Expected.X) << c.Name;
    EXPECT_EQ(at.Y, c.Expected.Y) << c.Name;
  }
}

TEST_F(BarEdits, ComboItemIndexFollowsEntriesAndText) {
  auto* combo = new TdxBarCombo(form_.get());
  combo->OnChange = MakeEvent(&log_, &TEditLog::Change);
  for (const char* entry : {"Apple", "Apricot", "Banana"}) combo->Items()->Add(entry);
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "Apricot");
  combo->SetItemIndex(5);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
  combo->SetText("Banana");
  EXPECT_EQ(combo->ItemIndex(), 2);
  const int before = log_.Changes;
  combo->SetItemIndex(-1);  // Text stays "Banana" as the index moves away
  combo->SetText("Banana");
  combo->SetItemIndex(2);  // the entry already in Text: still a change
  EXPECT_GT(log_.Changes, before);
  combo->Items()->Delete(2);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
  const struct {
    Word Key;
    TShiftState Shift;
    bool Accepted;
  } keys[] = {{VK_ESCAPE, {}, false},  {VK_RETURN, {}, false}, {VK_TAB, {}, false},        {VK_UP, {}, true},
              {VK_DOWN, {}, true},     {VK_PRIOR, {}, true},   {VK_NEXT, {}, true},        {'A', {}, false},
              {VK_DOWN, {ssShift}, false}};
  for (const auto& k : keys) EXPECT_EQ(combo->CheckKeyForDropDownWindow(k.Key, k.Shift), k.Accepted) << k.Key;
}

TEST_F(BarEdits, ListHeightCountsDropDownCountEntriesAndWidthTheScrollBar) {
  TCustomdxBarControl* bar = ShowToolbar();
  for (int i = 0; i < 17; ++i) combo_->Items()->Add("Entry " + std::to_string(i));
  combo_->SetItemHeight(15);
  ClickCombo(bar);
  Key(ComboWindow(), VK_F4);
  ASSERT_TRUE(ListShown());
  RECT r;
  GetWindowRect(ListWindow(), &r);
  EXPECT_EQ(r.bottom - r.top, 8 * 15 + 4);
  const int editWidth = ComboControl()->CalcEditRect().Width();
  // The entries are narrower than the edit box: the box's width, the scroll bar inside it.
  EXPECT_EQ(r.right - r.left, editWidth);
  combo_->SetDropDownWidth(100);
  Key(ComboWindow(), VK_F4);
  Key(ComboWindow(), VK_F4);
  GetWindowRect(ListWindow(), &r);
  EXPECT_EQ(r.right - r.left, 100 + 4 + GetSystemMetrics(SM_CXVSCROLL));
  Key(ComboWindow(), VK_F4);
}

// ---------------------------------------------------------------------------------------------
// Real windows and keys.

TEST_F(BarEdits, TypingIntoAToolbarEditAndPressingEnterAppliesTheWholeText) {
  TCustomdxBarControl* bar = ShowToolbar();
  edit_->SetText("old");
  ClickAt(bar, CentreOf(edit_->Links(0)), CentreOf(edit_->Links(0)));
  ASSERT_TRUE(EditControl()->Editing());
  EXPECT_TRUE(IsWindowVisible(EditWindow()));
  EXPECT_EQ(GetFocus(), EditWindow());
  const std::string typed(300, 'x');
  SetWindowTextA(EditWindow(), "");
  Type(EditWindow(), typed);
  EXPECT_EQ(edit_->CurText(), typed);  // typed, not yet applied
  EXPECT_EQ(edit_->Text(), "old");
  EXPECT_GT(log_.CurChanges, 0);
  Key(EditWindow(), VK_RETURN);
  EXPECT_EQ(edit_->Text(), typed);
  EXPECT_EQ(edit_->Text().size(), 300u);
  EXPECT_FALSE(EditControl()->Editing());
  EXPECT_FALSE(IsWindowVisible(EditWindow()));
  EXPECT_FALSE(bar->Active());
}

TEST_F(BarEdits, EscapeRestoresTheTextEvenWithAlwaysSaveText) {
  for (bool alwaysSave : {false, true}) {
    TCustomdxBarControl* bar = ShowToolbar();
    manager_->SetAlwaysSaveText(alwaysSave);
    edit_->SetText("kept");
    edit_->FocusEditor();
    ASSERT_TRUE(EditControl()->Editing()) << alwaysSave;
    Type(EditWindow(), "changed");
    Key(EditWindow(), VK_ESCAPE);
    EXPECT_EQ(edit_->Text(), "kept") << alwaysSave;
    EXPECT_FALSE(EditControl()->Editing());
    EXPECT_FALSE(bar->Active());
    edit_->FocusEditor();
    EXPECT_EQ(edit_->CurText(), "kept") << "the edit window shows the item's text again";
    Key(EditWindow(), VK_ESCAPE);
  }
}

TEST_F(BarEdits, LeavingTheEditForAnotherWindowAppliesOnlyWithAlwaysSaveText) {
  for (bool alwaysSave : {false, true}) {
    ShowToolbar();
    manager_->SetAlwaysSaveText(alwaysSave);
    edit_->SetText("before");
    edit_->FocusEditor();
    Type(EditWindow(), "after");  // replaces the text, selected on entering
    SendMessageA(other_->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(other_->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(EditControl()->Editing()) << alwaysSave;
    EXPECT_EQ(edit_->Text(), alwaysSave ? "after" : "before") << alwaysSave;
  }
}

TEST_F(BarEdits, MaxLengthAndReadOnlyReachTheEditWindow) {
  ShowToolbar();
  edit_->SetMaxLength(10);
  edit_->SetReadOnly(true);
  edit_->FocusEditor();
  EXPECT_TRUE(GetWindowLongA(EditWindow(), GWL_STYLE) & ES_READONLY);
  Key(EditWindow(), VK_ESCAPE);
  edit_->SetReadOnly(false);
  edit_->FocusEditor();
  EXPECT_FALSE(GetWindowLongA(EditWindow(), GWL_STYLE) & ES_READONLY);
  SetWindowTextA(EditWindow(), "");
  Type(EditWindow(), "0123456789abc");
  EXPECT_EQ(edit_->CurText(), "0123456789");
  Key(EditWindow(), VK_ESCAPE);
}

TEST_F(BarEdits, ComboOpensWithF4AndAltArrowsAndDownAloneBrowses) {
  TCustomdxBarControl* bar = ShowToolbar();
  combo_->SetItemIndex(0);
  ClickCombo(bar);
  ASSERT_TRUE(ComboControl()->Editing());
  Key(ComboWindow(), VK_DOWN);
  EXPECT_FALSE(ListShown());
  EXPECT_EQ(ComboControl()->GetWindowText(), "Apricot");
  EXPECT_EQ(combo_->ItemIndex(), 0) << "browsing is local until Enter";
  Key(ComboWindow(), VK_F4);
  EXPECT_TRUE(ListShown());
  Key(ComboWindow(), VK_F4);
  EXPECT_FALSE(ListShown());
  AltKey(ComboWindow(), VK_DOWN);
  EXPECT_TRUE(ListShown());
  AltKey(ComboWindow(), VK_UP);
  EXPECT_FALSE(ListShown());
  Key(ComboWindow(), VK_RETURN);
  EXPECT_EQ(combo_->ItemIndex(), 1);
  EXPECT_EQ(combo_->Text(), "Apricot");
}

TEST_F(BarEdits, OpenListTakesAChoiceByKeys) {
  TCustomdxBarControl* bar = ShowToolbar();
  ClickCombo(bar);
  AltKey(ComboWindow(), VK_DOWN);
  ASSERT_TRUE(ListShown());
  Key(ComboWindow(), VK_DOWN);  // nothing selected: the top entry first
  Key(ComboWindow(), VK_DOWN);
  Key(ComboWindow(), VK_DOWN);
  EXPECT_EQ(ComboControl()->GetWindowText(), "Banana");
  Key(ComboWindow(), VK_RETURN);
  EXPECT_EQ(combo_->ItemIndex(), 2);
  EXPECT_FALSE(ListShown());
}

TEST_F(BarEdits, OpenListTakesAChoiceByAClick) {
  TCustomdxBarControl* bar = ShowToolbar();
  ClickCombo(bar);
  Key(ComboWindow(), VK_F4);
  ASSERT_TRUE(ListShown());
  const TRect entry = combo_->ListBox()->ItemRect(1);
  const LPARAM at = MAKELPARAM(entry.Left + 5, (entry.Top + entry.Bottom) / 2);
  SendMessageA(ListWindow(), WM_MOUSEMOVE, 0, at);
  SendMessageA(ListWindow(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(ListWindow(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(combo_->ItemIndex(), 1);
  EXPECT_EQ(combo_->Text(), "Apricot");
  EXPECT_FALSE(ListShown());
  EXPECT_FALSE(bar->Active());
}

TEST_F(BarEdits, TypedTextSelectsOrScrollsTheOpenList) {
  TCustomdxBarControl* bar = ShowToolbar();
  ClickCombo(bar);
  Key(ComboWindow(), VK_F4);
  SetWindowTextA(ComboWindow(), "");
  Type(ComboWindow(), "apr");  // a prefix: found, shown at the top, not selected
  EXPECT_EQ(ComboControl()->LocalItemIndex(), 1);
  EXPECT_EQ(SendMessageA(ListWindow(), LB_GETCURSEL, 0, 0), LB_ERR);
  Type(ComboWindow(), "ICOT");  // the whole entry, in other case: selected
  EXPECT_EQ(SendMessageA(ListWindow(), LB_GETCURSEL, 0, 0), 1);
  SetWindowTextA(ComboWindow(), "");
  Type(ComboWindow(), "apx");
  EXPECT_EQ(SendMessageA(ListWindow(), LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(ComboControl()->LocalItemIndex(), 0);
  Type(ComboWindow(), "(");  // a character with the code of a navigation key stays in the edit
  EXPECT_EQ(ComboControl()->GetWindowText(), "apx(");
  Key(ComboWindow(), VK_RETURN);
  EXPECT_EQ(combo_->Text(), "apx(");
  EXPECT_EQ(combo_->ItemIndex(), -1);
}

TEST_F(BarEdits, ClickOutsideClosesTheList) {
  TCustomdxBarControl* bar = ShowToolbar();
  ClickCombo(bar);
  Key(ComboWindow(), VK_F4);
  ASSERT_TRUE(ListShown());
  SendMessageA(other_->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(other_->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(ListShown());
  EXPECT_FALSE(ComboControl()->IsDroppedDown());
  EXPECT_FALSE(ComboControl()->Editing());
}

TEST_F(BarEdits, PressOnTheButtonOpensAndReleaseOnAnOpenListsButtonCloses) {
  TCustomdxBarControl* bar = ShowToolbar();
  bar->Rebuild();
  ComboControl()->CalcParts();
  const TRect button = ComboControl()->PartRect(3);
  const TPoint on((button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2);
  ClickAt(bar, on, on);
  EXPECT_TRUE(ListShown());
  SendMouse(bar, WM_LBUTTONDOWN, on);
  EXPECT_TRUE(ListShown()) << "a press on the open list's button closes it only on release";
  SendMouse(bar, WM_LBUTTONUP, on);
  EXPECT_FALSE(ListShown());
}

TEST_F(BarEdits, ListOpensBelowTheEditBoxOnTheMonitorWorkArea) {
  TCustomdxBarControl* bar = ShowToolbar();
  ClickCombo(bar);
  Key(ComboWindow(), VK_F4);
  ASSERT_TRUE(ListShown());
  RECT list, area;
  GetWindowRect(ListWindow(), &list);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const TPoint anchor = bar->ClientToScreen({ComboControl()->CalcEditRect().Left, combo_->Links(0)->ItemRect().Bottom});
  EXPECT_EQ(list.left, anchor.X);
  EXPECT_EQ(list.top, anchor.Y);
  EXPECT_GE(list.left, area.left);
  EXPECT_LE(list.bottom, area.bottom);
  Key(ComboWindow(), VK_F4);
}

TEST_F(BarEdits, ReadOnlyComboNeverOpensAndIgnoresBrowsing) {
  TCustomdxBarControl* bar = ShowToolbar();
  combo_->SetItemIndex(0);
  combo_->SetReadOnly(true);
  ClickCombo(bar);
  Key(ComboWindow(), VK_F4);
  AltKey(ComboWindow(), VK_DOWN);
  EXPECT_FALSE(ListShown());
  Key(ComboWindow(), VK_DOWN);
  SendMessageA(ComboWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(ComboControl()->LocalItemIndex(), 0);
}

TEST_F(BarEdits, AVerticalToolbarShowsWindowItemsAsButtons) {
  auto* owner = new TTestLinksOwner(form_.get(), manager_, false);
  AddEdit(owner, new TdxBarEdit(form_.get()));
  auto* bar = static_cast<TRowBarWindow*>(owner->Links()->CreateBarControl());
  bar->Rotated = true;
  bar->HandleNeeded();
  bar->Rebuild();
  EXPECT_TRUE(ObjectAs<TdxBarButtonControl>(owner->Links()->GetLink(0)->Control()) != nullptr);
}

TEST_F(BarEdits, TabAppliesAndMovesToTheNextEditDroppingCharactersTypedAhead) {
  owner_ = new TTestLinksOwner(form_.get(), manager_, false);
  auto* first = AddEdit(owner_, new TdxBarEdit(form_.get()));
  auto* second = AddEdit(owner_, new TdxBarEdit(form_.get()));
  owner_->Show();
  first->FocusEditor();
  HWND window = ObjectAs<TdxBarWinControl>(first->Links(0)->Control())->GetWindowHandle();
  Type(window, "one");
  PostMessageA(window, WM_CHAR, 'z', 0);  // typed ahead, still queued when Tab arrives
  Key(window, VK_TAB);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_EQ(first->Text(), "one");
  EXPECT_EQ(ObjectAs<TdxBarWinControl>(first->Links(0)->Control())->GetWindowText(), "one") << "no late character";
  auto* next = ObjectAs<TdxBarWinControl>(second->Links(0)->Control());
  EXPECT_TRUE(next->Editing());
  EXPECT_EQ(second->CurText(), "");
}

TEST_F(BarEdits, ShiftF10IsSwallowedAndAKeyUpWithoutItsKeyDownIsConsumed) {
  ShowToolbar();
  edit_->FocusEditor();
  TdxBarEditControl* control = EditControl();
  Word key = VK_F10;
  control->KeyDown(key, TShiftState{ssShift});
  EXPECT_EQ(key, 0);
  key = VK_MENU;
  control->KeyUp(key, TShiftState{ssAlt});
  EXPECT_EQ(key, 0);
  key = 'A';
  control->KeyDown(key, TShiftState());
  EXPECT_EQ(key, 'A') << "other keys reach the window";
}

TEST_F(BarEdits, CustomizingResizeKeepsTheCaptionAndTwentyPixelsAndOnlyAChangeSetsTheUserWidth) {
  TCustomdxBarControl* bar = ShowToolbar();
  edit_->SetCaption("&Name");
  edit_->SetShowCaption(true);
  bar->Rebuild();
  TdxBarEditControl* control = EditControl();
  const TRect item = edit_->Links(0)->ItemRect();
  const int captionArea = control->CalcEditRect().Left - item.Left;
  ASSERT_GT(captionArea, 0);
  EXPECT_TRUE(control->IsResizePoint({item.Right - 3, item.Top + 2}));
  EXPECT_TRUE(control->IsResizePoint({item.Left + 2, item.Top + 2}));
  EXPECT_FALSE(control->IsResizePoint({(item.Left + item.Right) / 2, item.Top + 2}));

  control->BeginResize({item.Right - 2, item.Top + 2});
  control->DoResize({item.Left + 5, item.Top + 2});
  EXPECT_EQ(control->SizingWidth(), captionArea + 20);
  control->DoResize({item.Right, item.Top + 2});  // back to the starting width
  control->EndResize(true);
  EXPECT_FALSE(edit_->Links(0)->UserDefine().Contains(udWidth)) << "the same width leaves the link alone";

  control = EditControl();
  control->BeginResize({item.Right - 2, item.Top + 2});
  control->DoResize({item.Right + 40, item.Top + 2});
  control->EndResize(true);
  EXPECT_EQ(edit_->Links(0)->UserWidth(), 160);
}

}  // namespace
