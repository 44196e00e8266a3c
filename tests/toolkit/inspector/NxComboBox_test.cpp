#include "calderan_test.h"

#include <vector>

#include "NxButtonEdit.h"
#include "inspector_fixture.h"

using Edits = FormFixture;

TEST_F(Edits, FormattingRectangleKeepsClearOfGlyphAndPreview) {
  auto* edit = Place(new TNxEdit(form.get()), 10, 10, 150, 20);
  edit->SetBorderStyle(bsNone);
  TEXTMETRICA metrics{};
  edit->Canvas()->Font()->Assign(edit->Font());
  GetTextMetricsA(edit->Canvas()->Handle(), &metrics);
  const int h = metrics.tmHeight;
  TRect r = edit->GetEditRect();
  EXPECT_EQ(r.Top, 9 - h / 2);  // (20 - 1) div 2 - h div 2: with h = 13 the band is rows 3 to 16
  EXPECT_EQ(r.Bottom, r.Top + h);
  EXPECT_EQ(r.Left, 0);

  TBitmap glyph(16, 16, TPixelFormat::pf24bit);
  edit->SetGlyph(&glyph);
  edit->SetShowPreview(true);
  EXPECT_EQ(edit->GetEditRect().Left, 27 + 20);
  EXPECT_EQ(edit->GetPreviewRect(), Rect(21, 1, 41, 19));
  edit->InnerMargins()->SetLeft(3);
  EXPECT_EQ(edit->GetEditRect().Left, 3 + 47);
}

TEST_F(Edits, PasswordEditStaysSingleLineAndEnterInsertsNothing) {
  auto* edit = Place(new TNxEdit(form.get()), 10, 10, 150, 20);
  EXPECT_TRUE(GetWindowLongA(edit->Handle(), GWL_STYLE) & ES_MULTILINE);
  edit->SetPasswordChar('*');
  EXPECT_FALSE(GetWindowLongA(edit->Handle(), GWL_STYLE) & ES_MULTILINE);
  edit->SetPasswordChar(0);
  edit->SetText("abc");
  edit->SetFocus();
  SendMessageA(edit->Handle(), WM_CHAR, '\r', 0);
  SendMessageA(edit->Handle(), WM_CHAR, 'd', 0);
  EXPECT_EQ(edit->Text().find('\r'), std::string::npos);
  EXPECT_EQ(edit->Text().find('\n'), std::string::npos);
  EXPECT_NE(edit->Text().find('d'), std::string::npos);
}

struct Combos : FormFixture {
  TNxComboBox* MakeCombo(std::initializer_list<const char*> lines, int left = 10, int top = 10) {
    auto* combo = Place(new TNxComboBox(form.get()), left, top, 120, 20);
    for (const char* line : lines) combo->Items()->Add(line);
    return combo;
  }
  static void Type(TNxComboBox* combo, const std::string& text) {
    SendMessageA(combo->Handle(), EM_SETSEL, 0, -1);
    for (char c : text) SendMessageA(combo->Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
    if (text.empty()) SendMessageA(combo->Handle(), WM_CHAR, VK_BACK, 0);
  }
  static void Key(HWND window, WORD key, bool alt = false) {
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    SendMessageA(window, down, key, alt ? (1 | (1 << 29)) : 1);
  }
};

TEST_F(Combos, ItemIndexSetsTheTextByDisplayMode) {
  TNxComboBox* combo = MakeCombo({"a=first", "b=second", "plain"});
  const struct { TItemsDisplayMode mode; int index; const char* text; } cases[] = {
      {dmDefault, 0, "a=first"}, {dmNameList, 1, "b"},  {dmValueList, 0, "first"},
      {dmIndentList, 1, "second"}, {dmNameList, 2, ""}, {dmValueList, 2, "lain"},
  };
  for (const auto& c : cases) {
    combo->SetItemIndex(-1);
    combo->SetDisplayMode(c.mode);
    combo->SetItemIndex(c.index);
    EXPECT_EQ(combo->Text(), c.text) << "mode " << int(c.mode) << " index " << c.index;
  }

  combo->SetDisplayMode(dmValueList);
  combo->SetItemIndex(1);
  combo->SetText("typed over");
  combo->SetItemIndex(1);  // the same index: nothing happens
  EXPECT_EQ(combo->Text(), "typed over");

  combo->SetItemIndex(0);
  combo->SetItemIndex(5);  // out of range: the text is cleared, the index kept
  EXPECT_EQ(combo->Text(), "");
  EXPECT_EQ(combo->ItemIndex(), 5);
}

TEST_F(Combos, TypingATextThatIsNoLineForgetsTheIndex) {
  TNxComboBox* combo = MakeCombo({"one", "two", "three"});
  combo->SetItemIndex(1);
  SendMessageA(combo->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("three"));
  EXPECT_EQ(combo->ItemIndex(), 1);  // a line's text does not choose it
  Type(combo, "fo");
  EXPECT_EQ(combo->Text(), "fo");
  EXPECT_EQ(combo->ItemIndex(), -1);

  combo->SetItemIndex(1);
  combo->SetStyle(dsDropDownList);
  SendMessageA(combo->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("four"));
  EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(Combos, ArrowKeysStepAndAltArrowsDropDown) {
  TNxComboBox* combo = MakeCombo({"one", "two", "three"});
  const HWND window = combo->Handle();
  for (int start : {-1, 0}) {
    combo->SetItemIndex(start);
    Key(window, VK_UP);
    EXPECT_EQ(combo->ItemIndex(), start);
  }
  Key(window, VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 1);
  Key(window, VK_DOWN);
  Key(window, VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 2);

  Key(window, VK_UP, true);
  EXPECT_TRUE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 2);
  SendMessageA(window, WM_CHAR, VK_ESCAPE, 0);  // closes without choosing
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "three");
}

TEST_F(Combos, DropDownListSizeAndScrollRange) {
  TNxComboBox* few = MakeCombo({"a", "b", "c"});
  few->SetDroppedDown(true);
  EXPECT_EQ(few->PopupList()->ClientHeight(), 52);
  EXPECT_FALSE(few->PopupList()->VertBar()->Visible());
  few->SetDroppedDown(false);

  TNxComboBox* big = MakeCombo({}, 10, 40);
  for (int i = 0; i < 20; ++i) big->Items()->Add("line " + std::to_string(i));
  big->SetDroppedDown(true);
  TNxPopupList* list = big->PopupList();
  EXPECT_EQ(list->InnerHeight(), 128);
  EXPECT_EQ(list->VisibleRows(), 8);
  EXPECT_EQ(list->VertBar()->Max(), 12);
  EXPECT_TRUE(list->VertBar()->Visible());
  big->SetItemIndex(15);  // scrolled into view
  EXPECT_EQ(list->VertBar()->Position(), 8);
  EXPECT_EQ(list->HotIndex(), 15);
  big->SetDroppedDown(false);
}

TEST_F(Combos, PopupShiftsLeftAtTheScreenEdgeButNeverMovesUp) {
  TNxComboBox* combo = MakeCombo({"a", "b", "c"});
  combo->SetDroppedDown(true);
  combo->SetDroppedDown(false);
  TNxPopupList* list = combo->PopupList();
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  list->PopupAt(work.right - 30, work.bottom - 10);
  RECT placed;
  GetWindowRect(list->Handle(), &placed);
  EXPECT_EQ(placed.right, work.right);
  EXPECT_EQ(placed.top, work.bottom - 10);
  list->ClosePopup();
}

TEST_F(Combos, ClicksInTheListChooseAndOutsideClose) {
  TNxComboBox* combo = MakeCombo({"alpha", "beta", "gamma"});
  int closedUp = 0;
  combo->OnCloseUp = TNotifyEvent([](void* n, TObject*) { ++*static_cast<int*>(n); }, &closedUp);
  const HWND button = combo->Button()->Handle();
  SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(4, 4));
  ASSERT_TRUE(combo->DroppedDown());
  TNxPopupList* list = combo->PopupList();
  const HWND popup = list->Handle();
  EXPECT_EQ(GetCapture(), popup);
  SendMessageA(popup, WM_LBUTTONUP, 0, ClientPoint(-30, -10));  // the release of the opening click
  EXPECT_TRUE(combo->DroppedDown());
  EXPECT_TRUE(list->ReleasedOnce());

  SendMessageA(popup, WM_MOUSEMOVE, 0, ClientPoint(20, 2 + 16 + 15));  // the last pixel row of row 1
  EXPECT_EQ(list->HotIndex(), 1);
  SendMessageA(popup, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(20, 2 + 16 * 2));
  SendMessageA(popup, WM_LBUTTONUP, 0, ClientPoint(20, 2 + 16 * 2));  // the first pixel row of row 2
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "gamma");
  EXPECT_EQ(closedUp, 1);

  SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(4, 4));
  SendMessageA(popup, WM_LBUTTONUP, 0, ClientPoint(-30, -10));
  SendMessageA(popup, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(-50, 300));
  SendMessageA(popup, WM_LBUTTONUP, 0, ClientPoint(-50, 300));
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(closedUp, 2);
}

TEST_F(Combos, AClickOnTheListsScrollBarNeitherChoosesNorCloses) {
  TNxComboBox* combo = MakeCombo({});
  for (int i = 0; i < 20; ++i) combo->Items()->Add("line " + std::to_string(i));
  combo->SetItemIndex(0);
  combo->SetDroppedDown(true);
  TNxPopupList* list = combo->PopupList();
  const HWND popup = list->Handle();
  SendMessageA(popup, WM_LBUTTONUP, 0, ClientPoint(-30, -10));
  const TRect down = list->VertBar()->ButtonRect(1);
  SendMessageA(popup, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(down.Left + 2, down.Top + 2));
  SendMessageA(popup, WM_LBUTTONUP, 0, ClientPoint(down.Left + 2, down.Top + 2));
  EXPECT_TRUE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(list->VertBar()->Position(), 1);
  combo->SetDroppedDown(false);
}

namespace {

// Where the text of each row of the popup list begins (-1 for a row without text).
std::vector<int> RowTextStarts(TNxPopupList* list, int rows) {
  list->Repaint();
  HDC dc = GetDC(list->Handle());
  const COLORREF background = GetPixel(dc, 3, 3);
  std::vector<int> starts;
  for (int row = 0; row < rows; ++row) {
    int start = -1;
    for (int y = 2 + row * list->ItemHeight(); y < 2 + (row + 1) * list->ItemHeight(); ++y)
      for (int x = 2; x < list->Width() - 2 && (start < 0 || x < start); ++x)
        if (GetPixel(dc, x, y) != background) start = x;
    starts.push_back(start);
  }
  ReleaseDC(list->Handle(), dc);
  return starts;
}

}  // namespace

// Each level indents by ten pixels; a name that is no number (or none) is level 0.
TEST_F(Combos, IndentedListPaintsLinesWhoseNameIsNoNumber) {
  TNxComboBox* combo = MakeCombo({"0=item", "1=item", "x=item", "=item", "2="});
  combo->SetDisplayMode(dmIndentList);
  combo->SetDroppedDown(true);
  const std::vector<int> starts = RowTextStarts(combo->PopupList(), 5);
  ASSERT_GT(starts[0], 0);
  EXPECT_EQ(starts, (std::vector<int>{starts[0], starts[0] + 10, starts[0], starts[0], -1}));
  combo->SetDroppedDown(false);
}

namespace {

// How many pixels of the popup list's first row are of the colour.
int RowPixels(TNxPopupList* list, COLORREF color) {
  list->Repaint();
  HDC dc = GetDC(list->Handle());
  int count = 0;
  for (int y = 2; y < 2 + list->ItemHeight(); ++y)
    for (int x = 2; x < list->Width() - 2; ++x) count += GetPixel(dc, x, y) == color;
  ReleaseDC(list->Handle(), dc);
  return count;
}

}  // namespace

// The list left in its default colour opens in the edit's own colours (a property row gives its
// editor the look's or the skin's), so a dark row does not open a white list; a drop-down colour
// of its own stays.
TEST_F(Combos, TheListWearsTheEditsColoursUnlessItHasItsOwn) {
  constexpr TColor dark = 0x302820, light = 0xE0E8F0, own = 0x4080C0;
  struct Case {
    const char* Name;
    TColor EditColor, TextColor, DropDownColor, ListBack, ListText;
  } const cases[] = {
      {"the standard look", clWindow, clWindowText, clWindow, clWindow, clWindowText},
      {"a dark row", dark, light, clWindow, dark, light},
      {"a drop-down colour of its own", dark, light, own, own, light},
  };
  for (const Case& c : cases) {
    TNxComboBox* combo = MakeCombo({"one", "two"});
    combo->SetColor(c.EditColor);
    combo->Font()->SetColor(c.TextColor);
    combo->SetDropDownColor(c.DropDownColor);
    combo->SetItemIndex(-1);
    combo->SetDroppedDown(true);
    TNxPopupList* list = combo->PopupList();
    const int back = RowPixels(list, ColorToRGB(c.ListBack)), text = RowPixels(list, ColorToRGB(c.ListText));
    combo->SetDroppedDown(false);
    EXPECT_GT(back, list->Width()) << c.Name;
    EXPECT_GT(text, 5) << c.Name;
  }
}
