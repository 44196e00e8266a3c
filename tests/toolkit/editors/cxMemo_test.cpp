#include "calderan_test.h"

#include <memory>
#include <string>

#include "StdCtrls.h"
#include "cxMemo.h"
#include "editors_fixture.h"

namespace {

struct Memo : EditorsFixture {
  static void SetUpTestSuite() {
    EditorsFixture::SetUpTestSuite();
    StartUnits({&cxTextEditUnit, &cxMemoUnit});
  }
  Memo() {
    memo = Place(new TcxMemo(form.get()), 10, 10, 185, 89);
    other = Place(new TEdit(form.get()), 10, 200, 120, 24);
    PumpWhileBusy();
  }
  TcxCustomInnerMemo* Inner() { return memo->InnerMemo(); }
  HWND InnerWindow() { return Inner()->Handle(); }
  void Focus() {
    Inner()->SetFocus();
    PumpWhileBusy();
  }
  // A key as the message loop delivers it: the dialog keys see it before the window does, and
  // the loop makes its character.
  void PostKey(WPARAM key) {
    PostMessageA(InnerWindow(), WM_KEYDOWN, key, 1);
    PostMessageA(InnerWindow(), WM_KEYUP, key, 0xC0000001);
    Application->ProcessMessages();
  }
  void HoldCtrl(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }
  void Select(int start, int length) { SendMessageA(InnerWindow(), EM_SETSEL, start, start + length); }
  int LineCount() { return static_cast<int>(SendMessageA(InnerWindow(), EM_GETLINECOUNT, 0, 0)); }
  int FirstVisibleLine() { return static_cast<int>(SendMessageA(InnerWindow(), EM_GETFIRSTVISIBLELINE, 0, 0)); }
  TcxMemo* memo;
  TEdit* other;
};

TEST_F(Memo, IsCreatedAtItsDefaultSizeWithTheMemoSettings) {
  std::unique_ptr<TcxMemo> fresh(new TcxMemo(nullptr));
  EXPECT_EQ(fresh->Width(), 185);
  EXPECT_EQ(fresh->Height(), 89);
  TcxMemoProperties* p = fresh->Properties();
  EXPECT_EQ(p->ScrollBars(), ssNone);
  EXPECT_TRUE(p->WantReturns());
  EXPECT_FALSE(p->WantTabs());
  EXPECT_TRUE(p->WordWrap());
  EXPECT_FALSE(p->AutoSelect());
  EXPECT_EQ(p->Alignment()->Vert(), taTopJustify);
  p->SetVisibleLineCount(-4);
  EXPECT_EQ(p->VisibleLineCount(), 0);
}

TEST_F(Memo, VisibleLineCountSetsTheHeightOutsideAGridOnly) {
  memo->SetText("1\r\n2\r\n3\r\n4\r\n5\r\n6");
  memo->Properties()->SetVisibleLineCount(1);
  const int oneLine = memo->Height();
  memo->Properties()->SetVisibleLineCount(3);
  PumpWhileBusy();
  TEXTMETRICA metrics;
  HDC dc = GetDC(InnerWindow());
  HGDIOBJ old = SelectObject(dc, memo->Style()->GetEffectiveFont()->Handle());
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(InnerWindow(), dc);
  EXPECT_EQ(memo->Height() - oneLine, 2 * metrics.tmHeight);
  // The window shows exactly three lines: scrolled to the end, the fourth line is the first one seen.
  SendMessageA(InnerWindow(), EM_LINESCROLL, 0, 10);
  EXPECT_EQ(FirstVisibleLine(), 3);
  std::unique_ptr<TcxMemo> inPlace(new TcxMemo(form.get(), true));
  inPlace->SetParent(form.get());
  inPlace->SetBounds(250, 10, 100, 40);
  inPlace->Properties()->SetVisibleLineCount(3);
  PumpWhileBusy();
  EXPECT_EQ(inPlace->Height(), 40);
}

TEST_F(Memo, EnterBreaksTheLineOrGoesToTheDefaultButtonAsWantReturnsSays) {
  struct Case {
    bool wantReturns, ctrl;
    const char* text;
    int clicks;
  } cases[] = {{true, false, "ab\r\n", 0}, {false, false, "ab", 1}, {false, true, "ab\r\n", 0}};
  auto* button = Place(new TButton(form.get()), 250, 200, 75, 25);
  button->SetDefault(true);
  int clicks = 0;
  struct TCounter {
    int& count;
    void Click(TObject*) { ++count; }
  } counter{clicks};
  button->OnClick = MakeEvent(&counter, &TCounter::Click);
  Focus();
  for (const Case& c : cases) {
    clicks = 0;
    memo->Properties()->SetWantReturns(c.wantReturns);
    memo->SetText("ab");
    Focus();
    Select(2, 0);
    HoldCtrl(c.ctrl);
    PostKey(VK_RETURN);
    HoldCtrl(false);
    EXPECT_EQ(memo->Text(), c.text) << c.wantReturns << c.ctrl;
    EXPECT_EQ(clicks, c.clicks) << c.wantReturns << c.ctrl;
  }
}

TEST_F(Memo, TabInsertsATabOnlyWithWantTabsAndOtherwiseLeaves) {
  struct Case {
    bool wantTabs;
    const char* text;
    bool stays;
  } cases[] = {{true, "ab\t", true}, {false, "ab", false}};
  for (const Case& c : cases) {
    memo->Properties()->SetWantTabs(c.wantTabs);
    memo->SetText("ab");
    Focus();
    Select(2, 0);
    PostKey(VK_TAB);
    EXPECT_EQ(memo->Text(), c.text) << c.wantTabs;
    EXPECT_EQ(GetFocus() == InnerWindow(), c.stays) << c.wantTabs;
    EXPECT_EQ(GetFocus() == other->Handle(), !c.stays) << c.wantTabs;
  }
}

TEST_F(Memo, CtrlASelectsEverythingOnlyWhenThereAreLines) {
  Focus();
  HoldCtrl(true);
  memo->SetText("");
  PostKey('A');
  EXPECT_EQ(Inner()->SelLength(), 0);
  memo->SetText("one\r\ntwo");
  Select(1, 0);
  PostKey('A');
  HoldCtrl(false);
  EXPECT_EQ(Inner()->SelStart(), 0);
  EXPECT_EQ(Inner()->SelLength(), 8);
}

TEST_F(Memo, WordWrapBreaksLongLinesUnlessAHorizontalBarScrollsThem) {
  struct Case {
    bool wordWrap;
    TScrollStyle bars;
    bool wraps;
  } cases[] = {{true, ssNone, true}, {true, ssVertical, true}, {false, ssNone, false}, {true, ssHorizontal, false},
               {true, ssBoth, false}};
  const std::string longLine = "a few words that are far too long to fit on one line of this memo";
  for (const Case& c : cases) {
    memo->Properties()->SetWordWrap(c.wordWrap);
    memo->Properties()->SetScrollBars(c.bars);
    memo->SetText(longLine);
    PumpWhileBusy();
    EXPECT_EQ(LineCount() > 1, c.wraps) << c.wordWrap << " " << int(c.bars);
    EXPECT_EQ(memo->Lines()->Count(), 1) << "a wrapped line is still one line of the text";
  }
}

TEST_F(Memo, OwnScrollBarsFollowTheSettingAndTheText) {
  struct Case {
    TScrollStyle bars;
    bool horizontal, vertical;
  } cases[] = {{ssVertical, false, true}, {ssBoth, true, true}, {ssHorizontal, true, false}, {ssNone, false, false}};
  for (const Case& c : cases) {
    memo->Properties()->SetScrollBars(c.bars);
    memo->SetText("short");
    PumpWhileBusy();
    EXPECT_EQ(memo->IsHScrollBarVisible(), c.horizontal) << int(c.bars);
    EXPECT_EQ(memo->IsVScrollBarVisible(), c.vertical) << int(c.bars);
  }
  memo->Properties()->SetScrollBars(ssVertical);
  memo->SetText("short");
  PumpWhileBusy();
  EXPECT_FALSE(memo->VScrollBar()->Enabled()) << "nothing to scroll";
  std::string many;
  for (int i = 0; i < 30; ++i) many += "line " + std::to_string(i) + "\r\n";
  memo->SetText(many);
  PumpWhileBusy();
  EXPECT_TRUE(memo->VScrollBar()->Enabled());
  // The toolkit bar scrolls the EDIT window and follows it.
  int position = 0;
  memo->Scroll(sbVertical, scLineDown, position);
  memo->Scroll(sbVertical, scLineDown, position);
  EXPECT_EQ(FirstVisibleLine(), 2);
  memo->Scroll(sbVertical, scPageDown, position);
  EXPECT_GT(FirstVisibleLine(), 2);
  EXPECT_EQ(position, FirstVisibleLine());
  EXPECT_EQ(memo->VScrollBar()->Position(), FirstVisibleLine());
  // Line steps scroll even without the toolkit's bars.
  memo->Properties()->SetScrollBars(ssNone);
  memo->SetText(many);
  PumpWhileBusy();
  memo->ScrollByDirection(dirDown);
  EXPECT_EQ(FirstVisibleLine(), 1);
}

TEST_F(Memo, TheCornerBetweenBothBarsTakesTheLookAndFeelColour) {
  for (TcxLookAndFeelKind kind : {lfStandard, lfFlat, lfUltraFlat, lfOffice11}) {
    memo->Style()->LookAndFeel()->SetKind(kind);
    memo->Properties()->SetScrollBars(ssBoth);
    PumpWhileBusy();
    RECT window, client;
    GetWindowRect(InnerWindow(), &window);
    GetClientRect(InnerWindow(), &client);
    MapWindowPoints(InnerWindow(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    // Just inside the client edge's bottom-right corner, in window coordinates.
    const int x = client.right - window.left + 2, y = client.bottom - window.top + 2;
    HDC dc = GetWindowDC(InnerWindow());
    const COLORREF corner = GetPixel(dc, x, y);
    ReleaseDC(InnerWindow(), dc);
    EXPECT_EQ(corner, ColorToRGB(memo->GetPainter()->SizeGripAreaColor())) << int(kind);
    EXPECT_NE(corner, RGB(0, 0, 0)) << int(kind);
  }
}

TEST_F(Memo, InsertedTextIsCutToMaxLengthWhileFocused) {
  struct Case {
    const char *before, *inserted, *after;
  } cases[] = {{"abc", "wxyz", "abcwx"}, {"abcde", "wxyz", "abcde"}, {"", "wxyz", "wxyz"}};
  memo->Properties()->SetMaxLength(5);
  Focus();
  for (const Case& c : cases) {
    memo->SetText(c.before);
    Select(static_cast<int>(strlen(c.before)), 0);
    memo->InsertText(c.inserted);
    EXPECT_EQ(memo->Text(), c.after) << c.before;
  }
}

TEST_F(Memo, FilterPreviewIsTheFirstLineAtMost250Characters) {
  const std::string longLine(300, 'x');
  struct Case {
    std::string value, preview;
  } cases[] = {{"first\r\nsecond", "first"}, {"lf\nonly", "lf"}, {longLine, longLine.substr(0, 250)},
               {"one line", "one line"}, {"", ""}};
  for (const Case& c : cases)
    EXPECT_EQ(WideToAnsi(memo->Properties()->FormatDisplayValue(TVariant(c.value))), c.preview) << c.value;
  EXPECT_EQ(TcxFilterMemoHelper::Instance()->FilterOperatorSet(memo->Properties(), nullptr, true).Bits(), 0x780u);
}

TEST_F(Memo, LinesAndEditValueFollowEachOther) {
  memo->Lines()->Add("first");
  memo->Lines()->Add("second");
  EXPECT_EQ(memo->EditValue().AsString(), "first\r\nsecond");
  memo->SetEditValue(TVariant(std::string("a\r\nb\r\nc")));
  EXPECT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->Lines()->Get(2), "c");
  // A pasted LF CR pair counts as two line breaks.
  Select(1, 0);
  SendMessageA(InnerWindow(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x\n\ry\r\nz"));
  EXPECT_EQ(memo->Text(), "ax\r\n\r\ny\r\nz\r\nb\r\nc");
  EXPECT_EQ(memo->EditValue().AsString(), memo->Text());
}

TEST_F(Memo, CaretPositionIsColumnAndLine) {
  memo->SetText("one\r\ntwo\r\nthree");
  Inner()->SetCaretPos(TPoint(2, 2));
  EXPECT_EQ(Inner()->SelStart(), 12);
  EXPECT_EQ(Inner()->SelLength(), 0);
  Select(6, 0);
  EXPECT_EQ(Inner()->CaretPos().X, 1);
  EXPECT_EQ(Inner()->CaretPos().Y, 1);
}

TEST_F(Memo, ReadOnlyRefusesTypingPasteAndClearButCopiesOnCut) {
  memo->SetText("abcdef");
  memo->Properties()->SetReadOnly(true);
  Focus();
  Select(1, 2);
  PostKey('X');
  for (UINT message : {WM_PASTE, WM_CLEAR, WM_CUT}) SendMessageA(InnerWindow(), message, 0, 0);
  EXPECT_EQ(memo->Text(), "abcdef");
  ASSERT_TRUE(OpenClipboard(form->Handle()));
  HANDLE data = GetClipboardData(CF_TEXT);
  const std::string copied = data ? static_cast<const char*>(GlobalLock(data)) : "";
  if (data) GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(copied, "bc");
  memo->Properties()->SetReadOnly(false);
  Select(1, 2);
  SendMessageA(InnerWindow(), WM_CLEAR, 0, 0);
  EXPECT_EQ(memo->Text(), "adef");
}

TEST_F(Memo, TheInnerWindowLiesUnderTheBorderCutToTheClientAreaAlsoWhenMadeAgain) {
  for (TScrollStyle bars : {ssNone, ssVertical, ssBoth}) {
    memo->Properties()->SetScrollBars(bars);  // a different setting makes the windows again
    PumpWhileBusy();
    const TRect client = memo->GetViewInfo()->ClientRect;
    const TRect inner = Inner()->BoundsRect();
    EXPECT_TRUE(inner == TRect(client.Left - 2, client.Top - 2, client.Right + 2, client.Bottom + 2)) << int(bars);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(InnerWindow(), region), ERROR) << int(bars);
    RECT box;
    GetRgnBox(region, &box);
    DeleteObject(region);
    EXPECT_EQ(box.left, 2) << int(bars);
    EXPECT_EQ(box.top, 2) << int(bars);
    EXPECT_EQ(box.right, inner.Width() - 2) << int(bars);
    EXPECT_EQ(box.bottom, inner.Height() - 2) << int(bars);
  }
}

TEST_F(Memo, TheWindowWritesInTheStyleTextColourOnTheStyleBackground) {
  memo->Style()->SetColor(TColor(0x00FFFF));
  memo->Style()->SetTextColor(TColor(0x0000FF));
  memo->Style()->Font()->SetSize(20);
  memo->SetText("WWWW");
  RedrawWindow(InnerWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT client;
  GetClientRect(InnerWindow(), &client);
  HDC dc = GetDC(InnerWindow());
  int text = 0, background = 0;
  for (int y = client.top; y < client.bottom; ++y)
    for (int x = client.left; x < client.right; ++x) {
      const COLORREF pixel = GetPixel(dc, x, y);
      text += pixel == RGB(255, 0, 0);
      background += pixel == RGB(255, 255, 0);
    }
  ReleaseDC(InnerWindow(), dc);
  EXPECT_GT(text, 20);
  EXPECT_GT(background, text);
}

}  // namespace

// Painting without an editor (a painted copy, a cell of a host): the memo lays out its rows itself.
TEST_F(Memo, WithoutAnEditWindowTheMemoDrawsItsRowsItself) {
  const std::string lines = "first\r\nsecond\r\nthird";
  // No descenders: a descender's tip would count as a row of its own.
  const std::string prose = "these short words cannot all stand on one row of the memo and so it breaks";
  struct Case {
    const std::string& text;
    int visibleLines;
    TScrollStyle bars;
    int rows;  // 0: wrapped into more than one
  } cases[] = {{lines, 0, ssNone, 3}, {lines, 2, ssNone, 2}, {prose, 0, ssNone, 0}, {prose, 0, ssHorizontal, 1}};
  TBitmap bitmap;
  bitmap.SetSize(185, 89);
  TcxCanvas canvas(bitmap.Canvas());
  auto* style = static_cast<TcxCustomEditStyle*>(memo->Style());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 5) + " " + std::to_string(c.visibleLines) + " " + std::to_string(int(c.bars)));
    memo->Properties()->SetVisibleLineCount(c.visibleLines);
    memo->Properties()->SetScrollBars(c.bars);
    std::unique_ptr<TcxCustomEditViewData> data(memo->Properties()->CreateViewData(style, false));
    std::unique_ptr<TcxCustomEditViewInfo> info(memo->Properties()->ClassOperations()->ViewInfoClass()->Create());
    ASSERT_NE(ObjectAs<TcxCustomMemoViewInfo>(info.get()), nullptr);
    canvas.FillRectColor(TRect(0, 0, 185, 89), clWhite);
    data->ComputeLayout(&canvas, TRect(0, 0, 185, 89), TPoint(-1, -1), cmbNone, {}, info.get(), false);
    data->PrepareDrawValue(&canvas, TVariant(c.text), info.get());
    info->PaintAll(&canvas);
    // Bands of pixel rows holding dark letter pixels are the drawn text rows.
    int bands = 0;
    bool inBand = false;
    for (int y = 3; y < 86; ++y) {  // inside the border
      bool dark = false;
      for (int x = 4; x < 175 && !dark; ++x) dark = GetRValue(GetPixel(bitmap.Canvas()->Handle(), x, y)) < 80;
      bands += dark && !inBand ? 1 : 0;
      inBand = dark;
    }
    if (c.rows > 0) EXPECT_EQ(bands, c.rows);
    else EXPECT_GT(bands, 1);
  }
}
