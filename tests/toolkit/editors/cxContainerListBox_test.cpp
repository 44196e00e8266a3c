#include "calderan_test.h"

#include "cxContainerListBox.h"
#include "editors_fixture.h"

namespace {

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
