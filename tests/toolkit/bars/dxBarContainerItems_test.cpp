#include "calderan_test.h"

#include <string>
#include <vector>

#include "Classes.h"
#include "bars_fixture.h"
#include "barwindow_fixture.h"
#include "dxBarButtons.h"
#include "dxBarContainerItems.h"
#include "dxBarItemLinks.h"
#include "dxBarPopupMenu.h"
#include "dxBarSubMenu.h"

namespace {

// Records the senders of the events bound to it; Fill adds an entry to a list item's Items.
struct TEventLog {
  std::vector<TObject*> senders;
  TdxBarListItem* fill = nullptr;
  void Record(TObject* sender) { senders.push_back(sender); }
  void Fill(TObject* sender) {
    senders.push_back(sender);
    fill->Items()->Add("filled");
  }
};

class BarListItems : public BarFixture {
 protected:
  TdxBarListItem* NewList(std::vector<std::string> entries) {
    auto* list = new TdxBarListItem(form_.get());
    for (const std::string& entry : entries) list->Items()->Add(entry);
    return list;
  }
  // The links of a fresh sub item's menu.
  TdxBarItemLinks& NewMenu() { return *(new TdxBarSubItem(form_.get()))->ItemLinks(); }
  // Expands list into a fresh collection holding one link before the expansion point.
  TdxBarItemLinks* Expand(TdxBarListItem* list, TdxBarItemLinks& links) {
    links.AddItem(new TdxBarButton(form_.get()));
    list->AddExpandedLinks(&links, 1, nullptr, true);
    return &links;
  }
};

TEST_F(BarListItems, SeparatorEntriesStartGroupsAndAddNoLink) {
  TdxBarListItem* list = NewList({"-", "a", "-", "b"});
  TdxBarItemLinks& links = NewMenu();
  Expand(list, links);
  ASSERT_EQ(list->GeneratedCount(), 2);
  ASSERT_EQ(links.Count(), 3);
  EXPECT_EQ(links.GetLink(1)->Item(), list->Generated(0));
  EXPECT_EQ(links.GetLink(2)->Item(), list->Generated(1));
  EXPECT_TRUE(links.GetLink(1)->BeginGroup());
  EXPECT_TRUE(links.GetLink(2)->BeginGroup());
  EXPECT_EQ(list->Generated(0)->Caption(), "&1 a");
  EXPECT_EQ(list->Generated(1)->Caption(), "&2 b");
  EXPECT_EQ(list->Generated(1)->Tag(), 3);

  list->RemoveExpandedLinks(&links, 1);
  EXPECT_EQ(links.Count(), 1);
}

TEST_F(BarListItems, AcceleratorsRunFromOneToNineThenLetters) {
  TdxBarListItem* list = NewList({"e0", "e1", "e2", "e3", "e4", "e5", "e6", "e7", "e8", "e9", "e10"});
  TdxBarItemLinks& links = NewMenu();
  Expand(list, links);
  ASSERT_EQ(list->GeneratedCount(), 11);
  EXPECT_EQ(list->Generated(0)->Caption(), "&1 e0");
  EXPECT_EQ(list->Generated(8)->Caption(), "&9 e8");
  EXPECT_EQ(list->Generated(9)->Caption(), "&A e9");
  EXPECT_EQ(list->Generated(10)->Caption(), "&B e10");

  TdxBarListItem* plain = NewList({"x"});
  plain->SetShowNumbers(false);
  TdxBarItemLinks& other = NewMenu();
  Expand(plain, other);
  EXPECT_EQ(plain->Generated(0)->Caption(), "x");
}

TEST_F(BarListItems, CheckedEntryAndClickingAnEntrySelectsIt) {
  TdxBarListItem* list = NewList({"a", "b", "c"});
  list->SetShowCheck(true);
  list->SetItemIndex(2);
  TEventLog log;
  list->OnClick = MakeEvent(&log, &TEventLog::Record);
  TdxBarItemLinks& links = NewMenu();
  Expand(list, links);
  auto* third = ObjectAs<TdxBarButton>(list->Generated(2));
  auto* first = ObjectAs<TdxBarButton>(list->Generated(0));
  ASSERT_TRUE(third && first);
  EXPECT_EQ(third->ButtonStyle(), bsChecked);
  EXPECT_TRUE(third->Down());
  EXPECT_FALSE(first->Down());

  first->OnClick(first);
  EXPECT_EQ(list->ItemIndex(), 0);
  ASSERT_EQ(log.senders.size(), 1u);
  EXPECT_EQ(log.senders[0], list);
}

TEST_F(BarListItems, GeneratedButtonsAreReusedUntilACollapseFreesThem) {
  TdxBarListItem* list = NewList({"a", "b"});
  TdxBarItemLinks& links = NewMenu();
  Expand(list, links);
  list->Items()->Put(0, "z");
  list->RemoveExpandedLinks(&links, 1);
  list->AddExpandedLinks(&links, 1, nullptr, false);
  EXPECT_EQ(list->Generated(0)->Caption(), "&1 a");  // no collapse was reported: the old buttons
  list->RemoveExpandedLinks(&links, 1);
  list->SetNeedClear();
  list->AddExpandedLinks(&links, 1, nullptr, false);
  ASSERT_EQ(list->GeneratedCount(), 2);
  EXPECT_EQ(list->Generated(0)->Caption(), "&1 z");
  EXPECT_EQ(links.Count(), 3);

  // Still linked: a collapse elsewhere does not free buttons this menu shows.
  list->SetNeedClear();
  TdxBarItemLinks& other = NewMenu();
  list->AddExpandedLinks(&other, 0, nullptr, false);
  EXPECT_EQ(links.GetLink(1)->Item(), list->Generated(0));
}

TEST_F(BarListItems, DataIndexCountsOnlyRealEntries) {
  TdxBarListItem* list = NewList({"a", "-", "b", "c"});
  struct Case {
    int dataIndex, itemIndex;
  };
  for (Case c : {Case{0, 0}, Case{1, 2}, Case{2, 3}, Case{7, 4}}) {
    list->SetDataIndex(c.dataIndex);
    EXPECT_EQ(list->ItemIndex(), c.itemIndex) << c.dataIndex;
  }
  list->SetItemIndex(3);
  EXPECT_EQ(list->DataIndex(), 2);
  list->SetItemIndex(9);
  EXPECT_EQ(list->DataIndex(), -1);
  TdxBarListItem* empty = NewList({});
  empty->SetDataIndex(0);
  EXPECT_EQ(empty->ItemIndex(), -1);
}

TEST_F(BarListItems, EmptyItemHasNoContentUntilFilledOrAskedForData) {
  TdxBarListItem* list = NewList({});
  EXPECT_FALSE(list->HasContent());
  EXPECT_FALSE(list->IsVisibleForCustomizing());
  list->Items()->Add("a");
  EXPECT_TRUE(list->IsVisibleForCustomizing());

  TdxBarListItem* onDemand = NewList({});
  TEventLog log;
  log.fill = onDemand;
  onDemand->OnGetData = MakeEvent(&log, &TEventLog::Fill);
  EXPECT_TRUE(onDemand->HasContent());
  TdxBarItemLinks& links = NewMenu();
  Expand(onDemand, links);
  onDemand->AddExpandedLinks(&links, 1, nullptr, false);
  EXPECT_EQ(log.senders.size(), 1u);
  EXPECT_EQ(onDemand->GeneratedCount(), 1);
}

TEST_F(BarListItems, ContainerCopiesItsLinksInPlace) {
  auto* container = new TdxBarContainerItem(form_.get());
  EXPECT_FALSE(container->HasContent());
  auto* a = new TdxBarButton(form_.get());
  auto* b = new TdxBarButton(form_.get());
  container->ItemLinks()->AddItem(a);
  container->ItemLinks()->AddItem(b);
  EXPECT_TRUE(container->HasContent());
  TdxBarItemLinks& links = NewMenu();
  TdxBarItemLink* host = links.AddItem(container);
  links.AddItem(new TdxBarButton(form_.get()));
  container->AddExpandedLinks(&links, 1, host, true);
  ASSERT_EQ(links.Count(), 4);
  EXPECT_EQ(links.GetLink(1)->Item(), a);
  EXPECT_EQ(links.GetLink(2)->Item(), b);
  EXPECT_TRUE(links.GetLink(1)->BeginGroup());
  EXPECT_EQ(links.GetLink(1)->OriginalLink(), host);
  container->RemoveExpandedLinks(&links, 1);
  EXPECT_EQ(links.Count(), 2);

  // Its own collection is never expanded into itself.
  container->AddExpandedLinks(container->ItemLinks(), 0, nullptr, true);
  EXPECT_EQ(container->ItemLinks()->Count(), 2);
  EXPECT_TRUE(container->CanMergeWith(new TdxBarContainerItem(form_.get())));
  EXPECT_FALSE(container->CanMergeWith(a));
}

// A list item in a real popup menu: its entries open as a menu of their own.
class ListItemMenus : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    form_->SetBounds(100, 100, 400, 300);
    form_->Show();
    popup_ = new TdxBarPopupMenu(form_.get());
    popup_->ItemLinks()->AddItem(new TdxBarButton(form_.get()))->Item()->SetCaption("&Open");
    list_ = new TdxBarListItem(form_.get());
    list_->SetCaption("&Recent");
    list_->Items()->Add("one.mkv");
    list_->Items()->Add("-");
    list_->Items()->Add("two.mkv");
    list_->OnClick = MakeEvent(&log_, &TEventLog::Record);
    popup_->ItemLinks()->AddItem(list_);
  }
  TdxBarSubMenuControl* Open() {
    popup_->PopupEx(200, 150, 0, 0, false, nullptr, nullptr, false);
    TdxBarSubMenuControl* menu = popup_->GetBarControl();
    Key(menu, VK_DOWN);
    Key(menu, VK_DOWN);
    Key(menu, VK_RIGHT);
    return ListMenu();
  }
  TdxBarSubMenuControl* ListMenu() const { return ObjectAs<TdxBarSubMenuControl>(list_->ItemLinks()->BarControl()); }
  static void Key(TCustomdxBarControl* bar, Word key) { SendMessageA(bar->WindowHandle(), WM_KEYDOWN, key, 0); }

  TdxBarPopupMenu* popup_ = nullptr;
  TdxBarListItem* list_ = nullptr;
  TEventLog log_;
};

TEST_F(ListItemMenus, EntriesOpenAsAMenuAndGoBackWhenItCloses) {
  TdxBarSubMenuControl* menu = Open();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(IsWindowVisible(menu->WindowHandle()));
  TdxBarItemLinks* links = list_->ItemLinks();
  ASSERT_EQ(links->Count(), 2);
  EXPECT_EQ(links->GetLink(1)->Item()->Caption(), "&2 two.mkv");
  EXPECT_TRUE(links->GetLink(1)->BeginGroup());
  EXPECT_EQ(menu->SelectedLink(), links->GetLink(0)) << "opened by key: the first entry is selected";

  EXPECT_TRUE(log_.senders.empty()) << "opening the entries is no click on the list item";
  Key(menu, VK_DOWN);
  EXPECT_EQ(menu->SelectedLink(), links->GetLink(1));
  Key(menu, VK_RETURN);
  EXPECT_EQ(popup_->GetBarControl(), nullptr) << "running an entry closes the whole chain";
  EXPECT_EQ(list_->ItemIndex(), 2);
  ASSERT_EQ(log_.senders.size(), 1u);
  EXPECT_EQ(log_.senders[0], list_);
  EXPECT_EQ(links->Count(), 0) << "the entries' links left with the menu";

  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(links->Count(), 2) << "opened again: the entries once, not twice";
  Key(ListMenu(), VK_ESCAPE);
  EXPECT_EQ(ListMenu(), nullptr);
  EXPECT_EQ(links->Count(), 0);
  Key(popup_->GetBarControl(), VK_ESCAPE);
}

TEST_F(ListItemMenus, TheSelectedEntryWithoutAnImageShowsACheckMark) {
  list_->SetShowCheck(true);
  list_->SetItemIndex(2);
  TdxBarSubMenuControl* menu = Open();
  ASSERT_NE(menu, nullptr);
  auto markPixels = [&](int index) {
    TdxBarItemControl* control = list_->ItemLinks()->GetLink(index)->Control();
    const TRect item = list_->ItemLinks()->GetLink(index)->ItemRect();
    TPainterSurface s(item.Width(), item.Height(), clWhite);
    control->PaintInCanvas(s.Canvas(), TRect(0, 0, item.Width(), item.Height()), ptMenu);
    return s.Count({0, 0, menu->IconAreaSize(), item.Height()}, clBlack);
  };
  EXPECT_GT(markPixels(1), 0) << "two.mkv is the selected entry";
  EXPECT_EQ(markPixels(0), 0);
  Key(menu, VK_ESCAPE);
  Key(popup_->GetBarControl(), VK_ESCAPE);
}

}  // namespace
