#include "calderan_test.h"

#include "cxTextEditLookupData.h"

#include "editors_fixture.h"

namespace {

// An editor as the lookup sees it: items, settings, its text, and what the lookup did to it.
struct TFakeLookupEditor : IcxLookupEditor {
  TStringList items;
  TcxTextEditingStyle style = tesFree;
  bool wholeText = false, immediateUpdate = false, editingAllowed = true, switching = false;
  int pageSize = 8;
  std::string text;
  int resyncLocks = 0;
  TFont font;

  TStrings* LookupItems() override { return &items; }
  TcxTextEditingStyle LookupEditingStyle() override { return style; }
  bool WholeTextLookup() override { return wholeText; }
  bool ImmediateUpdateText() override { return immediateUpdate; }
  int LookupPageSize() override { return pageSize; }
  std::string LookupEditText() override { return text; }
  bool RequestLookupEditing() override { return editingAllowed; }
  bool SwitchingEditMode() override { return switching; }
  void LockLookupResync(bool lock) override { resyncLocks += lock ? 1 : -1; }
  TColor LookupListColor() override { return clWindow; }
  TFont* LookupListFont() override { return &font; }

  void SetItems(std::initializer_list<const char*> list) {
    items.Clear();
    for (const char* s : list) items.Add(s);
  }
};

// The lookup with its editor; a commit writes the item's text into the editor, as the text editor
// does, and records that the resync lock was held meanwhile.
struct TLookupHarness {
  TFakeLookupEditor editor;
  TcxCustomTextEditLookupData lookup{nullptr, &editor};
  int commits = 0;
  bool lockedDuringCommit = true;
  TLookupHarness() { lookup.OnItemCommitted = MakeEvent(this, &TLookupHarness::Committed); }
  void Committed(TObject* sender) {
    EXPECT_EQ(sender, &lookup);
    ++commits;
    lockedDuringCommit = lockedDuringCommit && editor.resyncLocks > 0;
    std::string t;
    lookup.ItemTextForKey(lookup.ReadCurrentKey(), t);
    editor.text = t;
  }
};

// A lookup whose editor shows a list in its popups.
class TListedLookupData : public TcxCustomTextEditLookupData {
 public:
  using TcxCustomTextEditLookupData::TcxCustomTextEditLookupData;
  TcxEditListBoxFactory GetListBoxClass() override {
    return [](TComponent* owner) -> TcxCustomEditListBox* { return new TcxCustomEditListBox(owner); };
  }
};

}  // namespace

TEST(LookupPrefixSearch, FindsTheFirstItemBeginningWithTheTextInTheItemsSpelling) {
  struct Case {
    TcxTextEditingStyle style;
    int committedBefore;
    const char* text;
    bool next;
    bool found;
    const char* textAfter;
    const char* tail;
    int committedAfter;
  } cases[] = {
      {tesFree, -1, "AP", false, true, "Ap", "ple", 0},
      {tesFree, 0, "ap", true, true, "ap", "ricot", 1},
      {tesListRestricted, 1, "ap", true, false, "ap", "", 1},     // no wrap-around; the item stays
      {tesListRestricted, 1, "", false, false, "", "", -1},        // empty text forgets it
      {tesFixedList, 1, "", false, false, "", "", 1},
      {tesFixedList, 1, "cherry", false, false, "cherry", "", 1},
      {tesFree, 1, "cherry", false, false, "cherry", "", -1},
      {tesNoEdit, 1, "cherry", false, false, "cherry", "", -1},
      {tesFree, -1, "applesauce", false, false, "applesauce", "", -1},  // longer than every item
      {tesFree, -1, "BANANA", false, true, "Banana", "", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + (c.next ? " next" : ""));
    TLookupHarness h;
    h.editor.SetItems({"Apple", "apricot", "Banana"});
    h.lookup.WriteCurrentKey(TVariant(int32_t(c.committedBefore)));
    h.editor.style = c.style;
    std::string text = c.text, tail;
    EXPECT_EQ(h.lookup.SearchPrefix(text, tail, c.next), c.found);
    EXPECT_EQ(text, c.textAfter);
    EXPECT_EQ(tail, c.tail);
    EXPECT_EQ(h.lookup.CommittedIndex(), c.committedAfter);
  }
}

TEST(LookupPrefixSearch, WithoutItemsNothingIsFoundAndTheFreeStyleForgetsTheItem) {
  TLookupHarness h;
  std::string text = "a", tail;
  EXPECT_FALSE(h.lookup.SearchPrefix(text, tail, false));
  EXPECT_EQ(h.lookup.CommittedIndex(), -1);
  EXPECT_TRUE(h.lookup.HasNoItems());
}

// A fixed-list editor searches with what it shows of the match plus each typed character; a
// character that matches nothing leaves the match as it was.
TEST(LookupPrefixSearch, TypingIntoAFixedListNarrowsToTheMatchingColour) {
  TLookupHarness h;
  h.editor.SetItems({"Red", "Green", "Grey"});
  h.editor.style = tesFixedList;
  struct Step {
    char typed;
    int committed;
    const char* prefix;
    const char* shown;
  } steps[] = {
      {'g', 1, "G", "Green"}, {'r', 1, "Gr", "Green"}, {'e', 1, "Gre", "Green"},
      {'y', 2, "Grey", "Grey"}, {'x', 2, "Grey", "Grey"},
  };
  std::string prefix, shown;
  for (const Step& s : steps) {
    SCOPED_TRACE(std::string(1, s.typed));
    std::string text = prefix + s.typed, tail;
    if (h.lookup.SearchPrefix(text, tail, false)) prefix = text, shown = text + tail;
    EXPECT_EQ(h.lookup.CommittedIndex(), s.committed);
    EXPECT_EQ(prefix, s.prefix);
    EXPECT_EQ(shown, s.shown);
  }
}

TEST(LookupSync, TheEditorsTextChoosesTheItemByWholeTextOrPrefix) {
  struct Case {
    bool wholeText;
    TcxTextEditingStyle style;
    const char* text;
    int committed;
  } cases[] = {
      {true, tesFree, "APRICOT", 1}, {true, tesFixedList, "apr", -1}, {false, tesFree, "apr", 1},
      {false, tesFixedList, "cherry", -1},  // a sync forgets the item in every style
      {false, tesListRestricted, "", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TLookupHarness h;
    h.editor.SetItems({"Apple", "apricot", "Banana"});
    h.lookup.WriteCurrentKey(TVariant(int32_t(0)));
    h.editor.wholeText = c.wholeText, h.editor.style = c.style, h.editor.text = c.text;
    h.lookup.SyncKeyWithText();
    EXPECT_EQ(h.lookup.CommittedIndex(), c.committed);
  }
}

TEST(LookupSync, IsSkippedWhileTheEditorSwitchesItsModeOrWhenTheListItemAlreadyMatches) {
  TLookupHarness h;
  h.editor.SetItems({"Apple", "apricot", "Banana"});
  h.lookup.WriteCurrentKey(TVariant(int32_t(2)));
  h.editor.text = "apple";
  h.editor.switching = true;
  h.lookup.SyncKeyWithText();
  h.lookup.ResyncListIndex();
  EXPECT_EQ(h.lookup.CommittedIndex(), 2);
  h.editor.switching = false;
  h.editor.wholeText = true, h.editor.text = "banana";  // the list item's text, other case
  h.lookup.SyncKeyWithText();
  EXPECT_EQ(h.lookup.CommittedIndex(), 2);
}

TEST(LookupNavigation, MovesWithinTwentyItemsByPagesOfEightAndWraps) {
  struct Case {
    TcxLookupMove move;
    int from;
    bool wrap;
    int to;
  } cases[] = {
      {lmPageDown, -1, false, 7}, {lmPageDown, 15, false, 19}, {lmPageDown, 19, true, 0},
      {lmPageDown, 19, false, 19}, {lmPageDown, 12, true, 19},
      {lmPageUp, 3, false, 0}, {lmPageUp, 0, true, 19}, {lmPageUp, 0, false, 0}, {lmPageUp, 10, false, 3},
      {lmPageUp, -1, false, -1}, {lmPageUp, -1, true, 19},
      {lmNext, 19, true, 0}, {lmNext, 19, false, 19}, {lmNext, -1, false, 0},
      {lmPrior, 0, true, 19}, {lmPrior, 0, false, 0}, {lmPrior, 5, false, 4},
      {lmFirst, 12, false, 0}, {lmLast, 2, false, 19},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.move) << " from " << c.from << (c.wrap ? " wrapping" : ""));
    TLookupHarness h;
    for (int i = 0; i < 20; ++i) h.editor.items.Add("item " + std::to_string(i));
    h.lookup.WriteCurrentKey(TVariant(int32_t(c.from)));
    h.lookup.MoveCurrent(c.move, c.wrap);
    EXPECT_EQ(h.lookup.CommittedIndex(), c.to);
    EXPECT_EQ(h.lookup.ListIndex(), c.to);
  }
}

TEST(LookupNavigation, AShortListPagesDownToItsLastItemAndNoItemsMeansNoMove) {
  TLookupHarness h;
  h.editor.SetItems({"one", "two", "three"});
  h.lookup.MoveCurrent(lmPageDown, false);
  EXPECT_EQ(h.lookup.CommittedIndex(), 2);
  EXPECT_EQ(h.editor.text, "three");
  TLookupHarness empty;
  empty.lookup.MoveCurrent(lmNext, true);
  EXPECT_EQ(empty.lookup.CommittedIndex(), -1);
  EXPECT_EQ(empty.commits, 0);
}

TEST(LookupCommit, ChoosingAnItemFiresOnceUnderTheResyncLockAndRechoosingReappliesItsText) {
  TLookupHarness h;
  h.editor.SetItems({"Apple", "apricot", "Banana"});
  h.lookup.WriteCurrentKey(TVariant(int32_t(1)));
  EXPECT_EQ(h.commits, 1);
  EXPECT_EQ(h.editor.text, "apricot");
  h.lookup.WriteCurrentKey(TVariant(int32_t(1)));  // same item, same text: nothing to do
  EXPECT_EQ(h.commits, 1);
  h.editor.text = "APRICOT";  // same item, text differs in case: applied again
  h.lookup.WriteCurrentKey(TVariant(int32_t(1)));
  EXPECT_EQ(h.commits, 2);
  h.lookup.WriteCurrentKey(TVariant(int32_t(7)));  // out of range: ignored
  h.lookup.WriteCurrentKey(TVariant("x"));
  EXPECT_EQ(h.lookup.CommittedIndex(), 1);
  EXPECT_EQ(h.commits, 2);
  EXPECT_TRUE(h.lockedDuringCommit);
  EXPECT_EQ(h.editor.resyncLocks, 0);
  h.lookup.CommitListItem();  // the list shows the committed item: its text is re-applied
  EXPECT_EQ(h.commits, 3);
}

TEST(LookupCommit, KeysAndTexts) {
  TLookupHarness h;
  h.editor.SetItems({"Apple", "apricot"});
  std::string text = "stale";
  h.lookup.ItemTextForKey(TVariant(int32_t(1)), text);
  EXPECT_EQ(text, "apricot");
  h.lookup.ItemTextForKey(TVariant(int32_t(2)), text);
  EXPECT_EQ(text, "");
  EXPECT_EQ(h.lookup.ReadCurrentKey().AsInteger(), -1);
  EXPECT_TRUE(h.lookup.ContainsText("APPLE"));
  EXPECT_FALSE(h.lookup.ContainsText("App"));
  EXPECT_EQ(h.lookup.LookupObject(), &h.lookup);
  EXPECT_EQ(h.lookup.ListControl(), nullptr);
}

// ---------------------------------------------------------------------------------------------
// With the popup list

struct LookupPopupList : EditorsFixture {
  TFakeLookupEditor editor;
  TListedLookupData lookup{nullptr, &editor};
  int commits = 0;
  LookupPopupList() {
    for (int i = 0; i < 20; ++i) editor.items.Add("item " + std::to_string(i));
    lookup.OnItemCommitted = MakeEvent(this, &LookupPopupList::Committed);
    lookup.PlaceList(form.get());
    lookup.SetListBounds(TRect(10, 10, 150, 150));
    lookup.DropList()->Show();
  }
  void Committed(TObject*) {
    ++commits;
    std::string t;
    lookup.ItemTextForKey(lookup.ReadCurrentKey(), t);
    editor.text = t;
  }
};

TEST_F(LookupPopupList, ArrowsMoveOnlyTheHighlightUntilTheItemIsCommitted) {
  TcxCustomEditListBox* list = lookup.DropList();
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(list->IsListVisible());
  EXPECT_EQ(list->Items()->Count(), 20);
  lookup.MoveCurrent(lmNext, false);
  lookup.MoveCurrent(lmNext, false);
  EXPECT_EQ(lookup.ListIndex(), 1);
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(lookup.CommittedIndex(), -1);
  EXPECT_EQ(commits, 0);
  editor.editingAllowed = false;  // the editor refuses to edit: the commit is refused
  lookup.CommitListItem();
  EXPECT_EQ(lookup.CommittedIndex(), -1);
  editor.editingAllowed = true;
  lookup.CommitListItem();
  EXPECT_EQ(lookup.CommittedIndex(), 1);
  EXPECT_EQ(editor.text, "item 1");
  EXPECT_EQ(commits, 1);
  editor.immediateUpdate = true;  // now the text follows at once
  lookup.MoveCurrent(lmPageDown, false);
  EXPECT_EQ(lookup.CommittedIndex(), 8);
  EXPECT_EQ(editor.text, "item 8");
}

TEST_F(LookupPopupList, ClickingARowAndHoveringMoveTheListIndex) {
  TcxCustomEditListBox* list = lookup.DropList();
  const TRect row = list->ItemRect(3);
  SendMessageA(list->Handle(), WM_MOUSEMOVE, 0, ClientPoint(5, row.Top + 2));
  EXPECT_EQ(list->ItemIndex(), 3);
  EXPECT_EQ(lookup.ListIndex(), 3);
  EXPECT_EQ(lookup.CommittedIndex(), -1);
  list->TrackHotItem = false;
  const TRect other = list->ItemRect(5);
  SendMessageA(list->Handle(), WM_MOUSEMOVE, 0, ClientPoint(5, other.Top + 2));
  EXPECT_EQ(lookup.ListIndex(), 3);
  SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(5, other.Top + 2));
  SendMessageA(list->Handle(), WM_LBUTTONUP, 0, ClientPoint(5, other.Top + 2));
  EXPECT_EQ(lookup.ListIndex(), 5);
  lookup.CommitListItem();
  EXPECT_EQ(editor.text, "item 5");
}

TEST_F(LookupPopupList, RowsAreAsHighAsTheFontAndFewerItemsShrinkTheList) {
  TcxCustomEditListBox* list = lookup.DropList();
  const int row = list->ItemRowHeight(-1);
  EXPECT_GT(row, 8);
  EXPECT_EQ(list->ItemRect(1).Top - list->ItemRect(0).Top, row);
  EXPECT_EQ(list->RowsHeight(3), 3 * row);
  editor.SetItems({"a", "b"});
  lookup.ItemsChanged();
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 2);
  EXPECT_TRUE(lookup.PointOverList(list->ClientToScreen(TPoint(3, 3))));
  EXPECT_FALSE(lookup.PointOverList(list->ClientToScreen(TPoint(-3, 3))));
}

// Counts the string messages the list window receives.
class TCountingEditListBox : public TcxCustomEditListBox {
 public:
  using TcxCustomEditListBox::TcxCustomEditListBox;
  int stringMessages = 0;
  void WndProc(TMessage& m) override {
    if (m.Msg == LB_ADDSTRING || m.Msg == LB_DELETESTRING || m.Msg == LB_RESETCONTENT) ++stringMessages;
    TcxCustomEditListBox::WndProc(m);
  }
};

TEST_F(EditorsFixture, AnEditListBoxResizesItsItemsOnlyWhenTheCountDiffersAndScrollsByWheel) {
  auto* list = Place(new TCountingEditListBox(form.get()), 10, 10, 120, 60);
  list->ResizeItems(30);
  EXPECT_EQ(list->Items()->Count(), 30);
  list->stringMessages = 0;
  list->ResizeItems(30);
  EXPECT_EQ(list->stringMessages, 0);
  list->ResizeItems(4);
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 4);
  list->ResizeItems(30);
  UINT lines = 0;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  if (lines < 1 || lines > 10) GTEST_SKIP() << "wheel scroll lines " << lines;
  SendMessageA(list->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(20, 20));
  EXPECT_EQ(list->TopIndex(), static_cast<int>(lines));
  SendMessageA(list->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(20, 20));
  EXPECT_EQ(list->TopIndex(), 0);
}
