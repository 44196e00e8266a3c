#include "calderan_test.h"

#include <vector>

#include "cxContainerListBox.h"
#include "cxScrollBar.h"
#include "drop_down_fixture.h"

// A skin whose size-grip square and editor colours cannot be mistaken for the system's.
class TListSkinPainter : public TcxCustomLookAndFeelPainter {
  CALDERAN_CLASS(TListSkinPainter)
  static TcxCustomLookAndFeelPainterClass Instance();
  TColor SizeGripAreaColor() const override { return RGB(20, 200, 40); }
  TColor EditorBackgroundColor(bool) const override { return RGB(30, 30, 60); }
  TColor EditorTextColor(bool) const override { return RGB(230, 230, 250); }

 protected:
  constexpr TListSkinPainter() = default;
};
CX_IMPLEMENT_PAINTER(TListSkinPainter, TcxCustomLookAndFeelPainter)

namespace {

constexpr const char* testSkin = "ListTestSkin";

// An inner list box whose typing pauses are set by the test.
class TClockedListBox : public TcxCustomInnerListBox {
 public:
  using TcxCustomInnerListBox::TcxCustomInnerListBox;
  DWORD now = 1000;

 protected:
  DWORD CurrentTicks() override { return now; }
};

// What reached the container and the list box's own events.
struct TInputLog {
  std::string containerChars, listChars, containerKeysUp;
  TPoint pressedAt{-1, -1};
  bool innerFlagDuringPress = false;
  int containerClicks = 0;
  TcxContainer* container = nullptr;
  void ContainerChar(TObject*, char& key) { containerChars += key; }
  void ListChar(TObject*, char& key) { listChars += key; }
  void ContainerKeyUp(TObject*, Word& key, TShiftState) { containerKeysUp += static_cast<char>(key); }
  void ContainerPress(TObject*, TMouseButton, TShiftState, int x, int y) {
    pressedAt = TPoint(x, y);
    innerFlagDuringPress = container->InnerControlMouseDown();
  }
  void ContainerClick(TObject*) { ++containerClicks; }
};

struct InnerListBox : EditorsFixture {
  InnerListBox() {
    container = Place(new TcxContainer(form.get()), 10, 10, 200, 150);
    list = new TClockedListBox(container);
    list->SetParent(container);
    list->SetBounds(3, 4, 180, 130);
    list->SetContainer(container);
    container->SetInnerControl(list);
    list->SetBounds(3, 4, 180, 130);
    for (const char* s : {"apple", "abacus", "banana", "absent", "cherry"}) list->Items()->Add(s);
    log.container = container;
    container->OnKeyPress = MakeEvent(&log, &TInputLog::ContainerChar);
    container->OnKeyUp = MakeEvent(&log, &TInputLog::ContainerKeyUp);
    container->OnMouseDown = MakeEvent(&log, &TInputLog::ContainerPress);
    container->OnClick = MakeEvent(&log, &TInputLog::ContainerClick);
    list->OnKeyPress = MakeEvent(&log, &TInputLog::ListChar);
    PumpWhileBusy();
  }
  void Type(char c) { SendMessageA(list->Handle(), WM_CHAR, static_cast<BYTE>(c), 0); }
  void Fill(int count, int extent = 0) {
    list->Items()->Clear();
    for (int i = 0; i < count; ++i) list->Items()->Add("item " + std::to_string(i));
    SendMessageA(list->Handle(), LB_SETHORIZONTALEXTENT, extent, 0);
    PumpWhileBusy();
  }
  // The system bar of that kind, in the container's client coordinates.
  TRect SystemBarInContainer(LONG object) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    GetScrollBarInfo(list->Handle(), object, &info);
    MapWindowPoints(nullptr, container->Handle(), reinterpret_cast<POINT*>(&info.rcScrollBar), 2);
    return info.rcScrollBar;
  }
  // A press and release on the bar at a point of its client area.
  static void ClickBar(TcxScrollBar* bar, TPoint at) {
    SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(at.X, at.Y));
    SendMessageA(bar->Handle(), WM_LBUTTONUP, 0, ClientPoint(at.X, at.Y));
  }
  static TPoint Centre(const TRect& r) { return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
  TcxContainer* container;
  TClockedListBox* list;
  TInputLog log;
};

}  // namespace

TEST_F(InnerListBox, TypingSelectsTheFirstItemBeginningWithWhatWasTypedSinceTheLastPause) {
  struct Step {
    char typed;
    DWORD pause;
    const char* search;
    int selected;
  } steps[] = {
      {'a', 0, "a", 0},     {'b', 100, "ab", 1},  {'b', 600, "b", 2},  // a pause starts afresh
      {'a', 499, "ba", 2},  {'\b', 100, "b", 2},  {'\b', 100, "", 0},  // an empty search: item 0
      {'c', 100, "c", 4},   {'z', 100, "cz", 4},                       // no match: the item stays
      {'A', 500, "A", 0},   {'B', 10, "AB", 1},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(std::string(1, s.typed));
    list->now += s.pause;
    Type(s.typed);
    EXPECT_EQ(list->SearchText(), s.search);
    EXPECT_EQ(list->ItemIndex(), s.selected);
  }
  EXPECT_GT(log.containerClicks, 0);
}

TEST_F(InnerListBox, WithoutAutoCompleteTypingSearchesNothing) {
  list->SetAutoComplete(false);
  list->SetItemIndex(4);
  Type('x');
  EXPECT_EQ(list->SearchText(), "");
  EXPECT_EQ(list->ItemIndex(), 4);
}

TEST_F(InnerListBox, TabNeverReachesEitherHandlerAndEnterOnlyTheContainers) {
  for (char c : {'\t', '\r', 'q'}) Type(c);
  SendMessageA(list->Handle(), WM_KEYUP, VK_TAB, 0);
  SendMessageA(list->Handle(), WM_KEYUP, 'Q', 0);
  EXPECT_EQ(log.containerChars, "\rq");
  EXPECT_EQ(log.listChars, "q");
  EXPECT_EQ(log.containerKeysUp, "Q");
}

TEST_F(InnerListBox, APressReachesTheContainerAtThePointMovedByTheListsPosition) {
  SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(5, 6));
  SendMessageA(list->Handle(), WM_LBUTTONUP, 0, ClientPoint(5, 6));
  EXPECT_EQ(log.pressedAt, TPoint(5 + list->Left(), 6 + list->Top()));
  EXPECT_GT(list->Left(), 0);  // the container places it inside its border
  EXPECT_TRUE(log.innerFlagDuringPress);
  EXPECT_FALSE(container->InnerControlMouseDown());
}

TEST_F(InnerListBox, AsksTheDialogForCharactersAndTabUnlessCtrlIsHeld) {
  const LRESULT codes = SendMessageA(list->Handle(), WM_GETDLGCODE, 0, 0);
  EXPECT_TRUE(codes & DLGC_WANTCHARS);
  EXPECT_TRUE(codes & DLGC_WANTTAB);
}

TEST_F(InnerListBox, ToolkitBarsLieExactlyOverTheSystemBarsThatAreShown) {
  struct Case {
    int items, extent;
    bool vertical, horizontal;
  } cases[] = {{5, 0, false, false}, {40, 0, true, false}, {5, 600, false, true}, {40, 600, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.items) + " items, extent " + std::to_string(c.extent));
    Fill(c.items, c.extent);
    TcxScrollBar* v = list->VScrollBar();
    TcxScrollBar* h = list->HScrollBar();
    EXPECT_EQ(v->Visible(), c.vertical);
    EXPECT_EQ(h->Visible(), c.horizontal);
    if (c.vertical) {
      EXPECT_EQ(v->Parent(), container);
      EXPECT_EQ(v->BoundsRect(), SystemBarInContainer(OBJID_VSCROLL));
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_ALL;
      GetScrollInfo(list->Handle(), SB_VERT, &si);
      EXPECT_EQ(v->Max(), si.nMax);
      EXPECT_EQ(v->PageSize(), static_cast<int>(si.nPage));
    }
    if (c.horizontal) {
      EXPECT_EQ(h->BoundsRect(), SystemBarInContainer(OBJID_HSCROLL));
    }
    EXPECT_EQ(!list->SizeGripRect().IsEmpty(), c.vertical && c.horizontal);
  }
}

TEST_F(InnerListBox, ScrollingByTheToolkitBarsMovesTheList) {
  Fill(40, 600);
  TcxScrollBar* v = list->VScrollBar();
  ClickBar(v, Centre(v->ViewInfo()->BottomRightArrowRect));
  EXPECT_EQ(list->TopIndex(), 1);
  EXPECT_EQ(v->Position(), 1);
  ClickBar(v, Centre(v->ViewInfo()->PageDownRect));
  EXPECT_GT(list->TopIndex(), 2) << "a page is several rows";
  EXPECT_EQ(v->Position(), list->TopIndex());
  ClickBar(v, Centre(v->ViewInfo()->TopLeftArrowRect));
  EXPECT_EQ(v->Position(), list->TopIndex());

  // Dragging the thumb to the bottom end shows the last rows.
  const TPoint thumb = Centre(v->ViewInfo()->ThumbnailRect);
  SendMessageA(v->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(thumb.X, thumb.Y));
  SendMessageA(v->Handle(), WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(thumb.X, v->Height() - 1));
  SendMessageA(v->Handle(), WM_LBUTTONUP, 0, ClientPoint(thumb.X, v->Height() - 1));
  EXPECT_EQ(list->TopIndex(), v->Max() - v->PageSize() + 1);

  TcxScrollBar* h = list->HScrollBar();
  ClickBar(h, Centre(h->ViewInfo()->BottomRightArrowRect));
  EXPECT_GT(GetScrollPos(list->Handle(), SB_HORZ), 0);
  EXPECT_EQ(h->Position(), GetScrollPos(list->Handle(), SB_HORZ));
}

TEST_F(InnerListBox, TheListsOwnScrollingMovesTheToolkitBar) {
  Fill(40);
  TcxScrollBar* v = list->VScrollBar();
  struct Step {
    const char* name;
    UINT message;
    WPARAM wParam;
  } steps[] = {{"top index", LB_SETTOPINDEX, 7},           {"selection", LB_SETCURSEL, 39},
               {"line up", WM_VSCROLL, SB_LINEUP},          {"wheel up", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA)},
               {"top", WM_VSCROLL, SB_TOP}};
  int before = list->TopIndex();
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    SendMessageA(list->Handle(), s.message, s.wParam, s.message == WM_MOUSEWHEEL ? ClientPoint(60, 300) : 0);
    EXPECT_NE(list->TopIndex(), before) << "the step scrolls";
    EXPECT_EQ(v->Position(), list->TopIndex());
    before = list->TopIndex();
  }
}

TEST_F(InnerListBox, BarsWaitWhileDrawingIsSwitchedOff) {
  SendMessageA(list->Handle(), WM_SETREDRAW, FALSE, 0);
  EXPECT_TRUE(list->RedrawLocked());
  Fill(40);
  EXPECT_FALSE(list->VScrollBar()->Visible());
  SendMessageA(list->Handle(), WM_SETREDRAW, TRUE, 0);
  EXPECT_FALSE(list->RedrawLocked());
  EXPECT_TRUE(list->VScrollBar()->Visible());
}

struct SkinnedInnerListBox : InnerListBox {
  SkinnedInnerListBox() { ExtendedStylePainters()->Register(testSkin, TListSkinPainter::Instance()); }
  ~SkinnedInnerListBox() override {
    form.reset();
    ExtendedStylePainters()->Unregister(testSkin);
  }
  COLORREF WindowPixel(HWND window, TPoint at) {
    HDC dc = GetWindowDC(window);
    const COLORREF pixel = GetPixel(dc, at.X, at.Y);
    ReleaseDC(window, dc);
    return pixel;
  }
};

TEST_F(SkinnedInnerListBox, TheGripSquareTakesTheContainersLookAndFeelColour) {
  container->Style()->LookAndFeel()->SetSkinName(testSkin);
  Fill(40, 600);
  const TRect grip = list->SizeGripRect();
  ASSERT_FALSE(grip.IsEmpty());
  RedrawWindow(list->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(WindowPixel(list->Handle(), Centre(grip)), RGB(20, 200, 40));

  // A picture of the whole window has it too.
  TBitmap picture;
  picture.SetSize(list->Width(), list->Height());
  SendMessageA(list->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(picture.Canvas()->Handle()), PRF_NONCLIENT | PRF_CLIENT);
  EXPECT_EQ(GetPixel(picture.Canvas()->Handle(), Centre(grip).X, Centre(grip).Y), RGB(20, 200, 40));
}

TEST_F(SkinnedInnerListBox, TheBarsFollowTheListsLookAndFeel) {
  list->LookAndFeel()->SetSkinName(testSkin);
  for (TcxScrollBar* bar : {list->HScrollBar(), list->VScrollBar()})
    EXPECT_EQ(bar->Painter(), TListSkinPainter::Instance());
  list->LookAndFeel()->SetSkinName("");
  list->LookAndFeel()->SetKind(lfFlat);
  EXPECT_EQ(list->VScrollBar()->Painter(), list->LookAndFeel()->CurrentPainter());
}

struct SkinnedComboList : EditorsFixture {
  static void SetUpTestSuite() {
    EditorsFixture::SetUpTestSuite();
    StartUnits({&cxTextEditUnit, &cxDropDownEditUnit});
  }
  SkinnedComboList() {
    ExtendedStylePainters()->Register(testSkin, TListSkinPainter::Instance());
    combo = Place(new TcxComboBox(form.get()), 20, 20, 121, 21);
    for (int i = 0; i < 20; ++i) combo->Properties()->Items()->Add("profile " + std::to_string(i));
    combo->Style()->LookAndFeel()->SetSkinName(testSkin);
    PumpWhileBusy();
  }
  ~SkinnedComboList() override {
    form.reset();
    ExtendedStylePainters()->Unregister(testSkin);
  }
  TcxComboBoxListBox* Open() {
    combo->SetDroppedDown(true);
    PumpWhileBusy();
    return combo->ListBox();
  }
  TcxComboBox* combo;
};

TEST_F(SkinnedComboList, ThePopupListWearsTheSkinUnlessTheStyleSetsItsColours) {
  TcxComboBoxListBox* list = Open();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Color(), RGB(30, 30, 60));
  EXPECT_EQ(list->Font()->Color(), RGB(230, 230, 250));
  EXPECT_EQ(list->VScrollBar()->Painter(), TListSkinPainter::Instance()) << "the bars look like the popup";
  // A row that is not highlighted is painted in the skin's colour, right of its text.
  const int row = list->ItemIndex() == list->TopIndex() + 2 ? list->TopIndex() + 3 : list->TopIndex() + 2;
  const TRect rect = list->ItemRect(row);
  UpdateWindow(list->Handle());
  HDC dc = GetDC(list->Handle());
  EXPECT_EQ(GetPixel(dc, rect.Right - 3, rect.Top + 1), RGB(30, 30, 60));
  ReleaseDC(list->Handle(), dc);
  combo->SetDroppedDown(false);
  PumpWhileBusy();

  // The list takes the colours of the style in force while it is open, as the editor's face does.
  for (TcxEditStyle* style : {combo->Style(), combo->StyleFocused()}) {
    style->SetColor(RGB(250, 252, 252));
    style->SetTextColor(clMaroon);
  }
  list = Open();
  EXPECT_EQ(list->Color(), RGB(250, 252, 252));
  EXPECT_EQ(list->Font()->Color(), clMaroon);
}

// Automatic dragging drags the container; a press on an item already selected in a multi-select
// list starts the drag without the list's own press handling, so the selection survives.
TEST_F(InnerListBox, AutomaticDraggingDragsTheContainerAndKeepsAPressedSelection) {
  struct Case {
    const char* name;
    int pressed;
    WPARAM keys;
    bool drags;
    std::vector<int> selectedAfter;
  } cases[] = {{"selected item", 2, 0, true, {0, 2}},
               {"unselected item", 1, 0, true, {1}},
               {"selected item with Shift", 2, MK_SHIFT, false, {0, 1, 2}},
               {"unselected item with Ctrl", 3, MK_CONTROL, false, {0, 2, 3}}};
  list->SetMultiSelect(true);
  list->SetDragMode(dmAutomatic);
  PumpWhileBusy();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SendMessageA(list->Handle(), LB_SETSEL, FALSE, -1);
    for (int i : {0, 2}) list->SetSelected(i, true);
    SendMessageA(list->Handle(), LB_SETANCHORINDEX, 0, 0);  // Shift extends from item 0
    const TPoint at = Centre(list->ItemRect(c.pressed));
    SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | c.keys, ClientPoint(at.X, at.Y));
    EXPECT_EQ(container->Dragging(), c.drags);
    EXPECT_EQ(list->DragMode(), dmAutomatic) << "restored after the press";
    container->EndDrag(false);
    SendMessageA(list->Handle(), WM_LBUTTONUP, c.keys, ClientPoint(at.X, at.Y));
    std::vector<int> selected;
    for (int i = 0; i < list->Count(); ++i)
      if (list->Selected(i)) selected.push_back(i);
    EXPECT_EQ(selected, c.selectedAfter);
  }
}
