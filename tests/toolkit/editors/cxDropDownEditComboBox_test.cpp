#include "calderan_test.h"

#include <string>

#include "BinaryFiler.h"
#include "drop_down_fixture.h"

namespace {

struct ComboBoxes : EditorsFixture {
  static void SetUpTestSuite() {
    EditorsFixture::SetUpTestSuite();
    StartUnits({&cxTextEditUnit, &cxDropDownEditUnit});
  }
  ComboBoxes() {
    combo = new TcxComboBox(form.get());
    combo->SetAutoSize(false);
    Place(combo, 20, 20, 121, 21);
    other = Place(new TEdit(form.get()), 20, 150, 121, 21);
    log.Attach(combo->Properties());
    SetItems({"MP3", "AAC", "WAV"});
    PumpWhileBusy();
  }
  ~ComboBoxes() override { form.reset(); }
  void SetItems(std::initializer_list<const char*> items) {
    TStrings* list = combo->Properties()->Items();
    list->Clear();
    for (const char* item : items) list->Add(item);
  }
  void Focus() {
    combo->InnerTextEdit()->SetFocus();
    PumpWhileBusy();
  }
  HWND Inner() { return combo->InnerTextEdit()->Handle(); }
  void Key(WORD key, bool alt = false) {
    SendKey(Inner(), key, alt);
    PumpWhileBusy();
  }
  bool Open() { return combo->DroppedDown(); }
  void DropDownNow() {
    combo->SetDroppedDown(true);
    PumpWhileBusy();
    ASSERT_TRUE(Open());
  }
  TcxComboBoxListBox* List() { return combo->ListBox(); }
  TPoint TextPoint() { return TPoint(10, combo->Height() / 2); }
  void ClickText() {
    SendMouse(combo, WM_MOUSEMOVE, TextPoint());
    SendMouse(combo, WM_LBUTTONDOWN, TextPoint());
    SendMouse(combo, WM_LBUTTONUP, TextPoint());
    PumpWhileBusy();
  }
  TcxComboBox* combo;
  TEdit* other;
  TPopupLog log;
};

TEST_F(ComboBoxes, AListOfFewerItemsThanRowsIsAsHighAsItsItemsWithoutAScrollBar) {
  struct TCase {
    std::vector<const char*> items;
    int rows;
    bool scrollBar;
  };
  const std::vector<const char*> nine{"1", "2", "3", "4", "5", "6", "7", "8", "9"};
  const TCase cases[] = {{{"MP3", "AAC", "WAV"}, 3, false}, {nine, 8, true}, {{"MP3"}, 1, false}};
  Focus();
  for (const TCase& c : cases) {
    TStrings* items = combo->Properties()->Items();
    items->Clear();
    for (const char* item : c.items) items->Add(item);
    DropDownNow();
    TcxComboBoxListBox* list = List();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->ClientHeight(), c.rows * list->ItemRowHeight(0)) << c.items.size();
    EXPECT_EQ((GetWindowLongA(list->Handle(), GWL_STYLE) & WS_VSCROLL) != 0, c.scrollBar) << c.items.size();
    EXPECT_EQ(list->Items()->Count(), static_cast<int>(c.items.size()));
    combo->SetDroppedDown(false);
  }
}

TEST_F(ComboBoxes, AWideItemWidensTheListOnlyWithAutoWidth) {
  SetItems({"MP3", "an item much wider than the editor is"});
  DropDownNow();
  const int editorWidth = combo->CalcHotTrackRect().Width();
  EXPECT_GT(combo->PopupWindow()->Width(), editorWidth);
  combo->SetDroppedDown(false);
  combo->Properties()->SetDropDownAutoWidth(false);
  DropDownNow();
  EXPECT_EQ(combo->PopupWindow()->Width(), editorWidth);
}

TEST_F(ComboBoxes, ItemHeightAndOnMeasureItemSetTheRowHeights) {
  struct TMeasure {
    void Measure(TWinControl*, int index, int& height) { height = 20 + index * 5; }
  } measure;
  combo->Properties()->SetItemHeight(18);
  DropDownNow();
  EXPECT_EQ(List()->ItemRowHeight(1), 18);
  EXPECT_EQ(List()->Style(), lbOwnerDrawFixed);
  combo->SetDroppedDown(false);
  combo->Properties()->OnMeasureItem = MakeEvent(&measure, &TMeasure::Measure);
  combo->Properties()->SetItemHeight(0);
  DropDownNow();
  EXPECT_EQ(List()->Style(), lbOwnerDrawVariable);
  EXPECT_EQ(List()->RowsHeight(3), 20 + 25 + 30);
  EXPECT_EQ(List()->ClientHeight(), 75);
}

TEST_F(ComboBoxes, ClickingARowCommitsItWithTheAcceptReasonAndCloses) {
  Focus();
  DropDownNow();
  const TRect row = List()->ItemRect(1);
  const TPoint at(row.Left + 5, (row.Top + row.Bottom) / 2);
  SendMouse(List(), WM_LBUTTONDOWN, at);
  SendMouse(List(), WM_LBUTTONUP, at);
  PumpWhileBusy();
  EXPECT_FALSE(Open());
  EXPECT_EQ(combo->Text(), "AAC");
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(log.reasons, std::vector<int>{pcrAccept});
}

TEST_F(ComboBoxes, AltUpCommitsTheHighlightedItemAndEscDiscardsIt) {
  Focus();
  struct TCase {
    WORD closeKey;
    bool alt;
    int reason;
    const char* text;
  };
  const TCase cases[] = {{VK_UP, true, pcrToggle, "WAV"}, {VK_ESCAPE, false, pcrCancel, ""}};
  for (const TCase& c : cases) {
    combo->SetEditValue(TVariant(std::string()));
    Key(VK_DOWN, true);
    ASSERT_TRUE(Open());
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(List()->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "") << "the highlight moves, the text waits for the commit";
    Key(c.closeKey, c.alt);
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->CloseUpReason(), c.reason);
    EXPECT_EQ(combo->Text(), c.text);
  }
}

TEST_F(ComboBoxes, AFixedListOpensOnAClickInItsTextOnlyWhenFocused) {
  combo->Properties()->SetDropDownListStyle(lsFixedList);
  ClickText();  // the click focuses the editor; it was not focused when pressed
  EXPECT_FALSE(Open());
  ClickText();
  EXPECT_TRUE(Open());
  // The press that closed the list (seen first by the popup hooks) does not open it again.
  SendMouse(combo, WM_MOUSEMOVE, TextPoint());
  ProcessPopupOutsideClick(combo->Handle(), WM_LBUTTONDOWN, combo->ClientToScreen(TextPoint()));
  EXPECT_FALSE(Open());
  SendMouse(combo, WM_LBUTTONDOWN, TextPoint());
  SendMouse(combo, WM_LBUTTONUP, TextPoint());
  PumpWhileBusy();
  EXPECT_FALSE(Open());
  // An editable combo does not open on a click in its text.
  combo->Properties()->SetDropDownListStyle(lsEditList);
  ClickText();
  EXPECT_FALSE(Open());
}

TEST_F(ComboBoxes, AFixedListTakesNoFreeText) {
  combo->Properties()->SetDropDownListStyle(lsFixedList);
  combo->Properties()->SetImmediateDropDown(false);
  Focus();
  SendMessageA(Inner(), WM_CHAR, 'w', 1);
  SendMessageA(Inner(), WM_CHAR, 'x', 1);
  PumpWhileBusy();
  EXPECT_EQ(combo->Text(), "WAV");
}

TEST_F(ComboBoxes, ACloseBoxWithoutItemsDoesNotOpenAndRowsBelowOneAreIgnored) {
  SetItems({});
  combo->SetDroppedDown(true);
  PumpWhileBusy();
  EXPECT_FALSE(Open());
  EXPECT_EQ(log.initPopups, 1);
  for (int rows : {0, -3}) combo->Properties()->SetDropDownRows(rows);
  EXPECT_EQ(combo->Properties()->DropDownRows(), 8);
}

TEST_F(ComboBoxes, ARevertableComboStepsToTheNextItemOnADoubleClickAndWraps) {
  combo->Properties()->SetRevertable(true);
  Focus();
  combo->SetItemIndex(1);
  // As the inner edit hands its double clicks to the editor.
  combo->DoDblClick();
  EXPECT_EQ(combo->Text(), "WAV");
  combo->DoDblClick();
  EXPECT_EQ(combo->Text(), "MP3");
  combo->Properties()->SetRevertable(false);
  combo->DoDblClick();
  EXPECT_EQ(combo->Text(), "MP3");
}

TEST_F(ComboBoxes, ASizeableListSnapsToWholeRows) {
  SetItems({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"});
  combo->Properties()->SetDropDownSizeable(true);
  DropDownNow();
  TcxCustomEditPopupWindow* popup = combo->PopupWindow();
  const int row = List()->ItemRowHeight(0);
  int width = popup->Width(), height = popup->Height() + row + row / 2;
  popup->CanResize(width, height);
  EXPECT_EQ(height, popup->Height() + row);  // grown by one and a half rows: one row
  height = popup->Height() - row / 2;
  popup->CanResize(width, height);
  EXPECT_EQ(height, popup->Height());  // shrunk by half a row: the row stays
}

TEST_F(ComboBoxes, AnOwnerDrawnFixedListDrawsItsItemInTheTextAreaAndInTheList) {
  struct TDrawLog {
    std::vector<std::pair<int, bool>> calls;  // index, drawn in the editor's text area
    void Draw(TcxCustomComboBox*, TcxCanvas* canvas, int index, const TRect& rect, TOwnerDrawState state) {
      calls.emplace_back(index, state.Contains(odComboBoxEdit));
      canvas->FillRectColor(rect, clLime);
    }
  } drawLog;
  combo->Properties()->SetDropDownListStyle(lsFixedList);
  combo->Properties()->OnDrawItem = MakeEvent(&drawLog, &TDrawLog::Draw);
  combo->SetItemIndex(2);
  combo->ShortRefresh();
  RedrawWindow(combo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  ASSERT_FALSE(drawLog.calls.empty());
  EXPECT_EQ(drawLog.calls.back(), std::make_pair(2, true));
  HDC dc = GetDC(combo->Handle());
  EXPECT_EQ(GetPixel(dc, 8, combo->Height() / 2), ColorToRGB(clLime));
  ReleaseDC(combo->Handle(), dc);
  drawLog.calls.clear();
  DropDownNow();
  UpdateWindow(List()->Handle());
  EXPECT_NE(std::find(drawLog.calls.begin(), drawLog.calls.end(), std::make_pair(0, false)), drawLog.calls.end());
}

// Typed into a focused editable combo box with no item chosen: the mask decides what is taken, and
// the lookup following the text raises nothing.
TEST_F(ComboBoxes, AnEditMaskRefusesTheCharactersItDoesNotAllow) {
  struct TCase {
    TcxEditMaskKind kind;
    const char* mask;
    const char* text;
  };
  const TCase cases[] = {
      {emkStandard, "", "1x2"}, {emkStandard, "00;0;_", "12"}, {emkRegExpr, "\\d+", "12"}, {emkRegExprEx, "\\d+", "12"}};
  struct TCatcher {
    std::string caught;
    void Caught(TObject*, Exception* e) { caught = e->Message(); }
  } catcher;
  Application->OnException = MakeEvent(&catcher, &TCatcher::Caught);
  combo->Properties()->SetImmediateDropDown(false);
  Focus();
  for (const TCase& c : cases) {
    combo->Properties()->BeginUpdate();
    combo->Properties()->SetMaskKind(c.kind);
    combo->Properties()->SetEditMask(c.mask);
    combo->Properties()->EndUpdate();
    combo->SetText("");
    for (char ch : {'1', 'x', '2'}) SendMessageA(Inner(), WM_CHAR, ch, 1);
    PumpWhileBusy();
    EXPECT_EQ(combo->Text(), c.text) << c.mask;
    EXPECT_EQ(catcher.caught, "") << c.mask;
  }
  Application->OnException = {};
}

TEST_F(ComboBoxes, AStoredFormKeepsTheListAndMaskSettings) {
  TcxComboBoxProperties* p = combo->Properties();
  p->SetDropDownListStyle(lsFixedList);
  p->SetDropDownRows(5);
  p->SetRevertable(true);
  p->SetValidateOnEnter(false);
  p->SetMaskKind(emkRegExpr);
  p->SetEditMask("[A-Z0-9]+");
  TMemoryStream stream;
  TBinaryFormWriter(&stream).WriteProperties(combo);
  auto* copy = Place(new TcxComboBox(form.get()), 20, 60, 121, 21);
  stream.SetPosition(0);
  TBinaryFormReader(&stream).ReadProperties(copy);
  TcxComboBoxProperties* q = copy->Properties();
  EXPECT_EQ(q->DropDownListStyle(), lsFixedList);
  EXPECT_EQ(q->DropDownRows(), 5);
  EXPECT_TRUE(q->Revertable());
  EXPECT_FALSE(q->ValidateOnEnter());
  EXPECT_EQ(q->MaskKind(), emkRegExpr);
  EXPECT_EQ(q->EditMask(), "[A-Z0-9]+");
  EXPECT_EQ(q->Items()->CommaText(), "MP3,AAC,WAV");
  // The defaults of a fresh combo box are not stored; the item index never is.
  auto* fresh = Place(new TcxComboBox(form.get()), 20, 90, 121, 21);
  fresh->SetItemIndex(-1);
  for (const char* name : {"DropDownRows", "ValidateOnEnter", "ImmediateDropDown", "MaskKind", "DropDownAutoWidth"}) {
    const TPropInfo* prop = FindPublishedProperty(fresh->Properties()->ClassType(), name);
    ASSERT_NE(prop, nullptr) << name;
    EXPECT_TRUE(IsDefaultPropertyValue(fresh->Properties(), prop)) << name;
  }
  EXPECT_FALSE(IsStoredProp(copy, FindPublishedProperty(copy->ClassType(), "ItemIndex")));
}

}  // namespace
