#include "calderan_test.h"

#include <memory>
#include <string>
#include <vector>

#include "bars_fixture.h"
#include "dxBarButtons.h"
#include "dxBarItemLinks.h"

namespace {

std::vector<std::string> controlCalls;

// An item control made by a link through its class record, recording what the item side tells it.
class TLinkTestControl : public TdxBarItemControl {
  CALDERAN_CLASS(TLinkTestControl)
  explicit TLinkTestControl(TdxBarItemLink* link) : TdxBarItemControl(link->GetLinkBarControl(), link) {}
  void CaptionChanged() override { controlCalls.push_back("caption"); }
  void GlyphChanged() override { controlCalls.push_back("glyph"); }
  void PaintStyleChanged() override { controlCalls.push_back("paintstyle"); }
  void WidthChanged() override { controlCalls.push_back("width"); }
  void VisibleChanged() override { controlCalls.push_back("visible"); }
  void EnabledChanged() override { controlCalls.push_back("enabled"); }
};
CALDERAN_IMPLEMENT_CREATABLE(TLinkTestControl, TdxBarItemControl, TdxBarItemLink*)

// A button whose links get the recording control.
class TLinkTestButton : public TdxBarButton {
 public:
  using TdxBarButton::TdxBarButton;
  TClass GetControlClass(bool) const override { return TLinkTestControl::StaticClass(); }
};

// A menu-like owner of a link collection that may refuse items by caption.
class TTestLinksOwner : public TComponent, public IdxBarLinksOwner {
 public:
  TTestLinksOwner(TComponent* owner, TdxBarManager* manager, TCustomdxBarControl* bar)
      : TComponent(owner), Links(manager, this), bar_(bar) {}
  bool CanContainItem(TdxBarItem* item, std::string& text) override {
    if (item->Caption() != Refused) return item->CanBePlacedOn(1, this, text);
    text = "Not here";
    return false;
  }
  TCustomdxBarControl* CreateBarControl() override { return bar_; }
  TComponent* GetInstance() override { return Instance ? Instance : this; }
  TdxBarItemLinks* GetItemLinks() override { return &Links; }

  TdxBarSubMenuControlItemLinks Links;
  // The component the links belong to (a sub item's own links belong to the item).
  TComponent* Instance = nullptr;
  std::string Refused = "Refused";

 private:
  TCustomdxBarControl* bar_;
};

class BarItemLinks : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    controlCalls.clear();
    manager_->SetStyle(bmsEnhanced);
    owner_ = new TTestLinksOwner(form_.get(), manager_, bar_);
  }
  TdxBarItemLinks& Links() { return owner_->Links; }
  TdxBarButton* NewButton(const std::string& caption) {
    auto* button = new TLinkTestButton(form_.get());
    button->SetCaption(caption);
    return button;
  }
  TdxBarItem* NewSeparator() {
    auto* separator = new TdxBarSeparator(form_.get());
    separator->SetCaption("-");
    return separator;
  }
  // Links for the captions; "-" is a separator.
  void AddLinks(const std::vector<std::string>& captions) {
    for (const std::string& caption : captions) Links().AddItem(caption == "-" ? NewSeparator() : NewButton(caption));
  }
  static std::string Captions(int count, TdxBarItemLink* (TdxBarItemLinks::*at)(int) const, TdxBarItemLinks& links) {
    std::string text;
    for (int i = 0; i < count; ++i) {
      TdxBarItemLink* link = (links.*at)(i);
      text += (text.empty() ? "" : " ") + (link->Item() ? link->Item()->Caption() : std::string("?"));
    }
    return text;
  }
  std::string Visible() { return Captions(Links().GetVisibleCount(), &TdxBarItemLinks::GetVisibleLink, Links()); }
  std::string CanVisible() {
    return Captions(Links().GetCanVisibleCount(), &TdxBarItemLinks::GetCanVisibleLink, Links());
  }
  std::string Recent() { return Captions(Links().RecentCount(), &TdxBarItemLinks::RecentLink, Links()); }
  std::string All() { return Captions(Links().Count(), &TdxBarItemLinks::GetLink, Links()); }

  TTestLinksOwner* owner_ = nullptr;
};

TEST_F(BarItemLinks, InsertingAndMovingKeepTheDesignOrder) {
  struct TCase {
    const char* Name;
    void (*Act)(TdxBarItemLinks& links, TdxBarButton* extra);
    std::string Order;
  } const cases[] = {
      {"insert at 0", [](TdxBarItemLinks& l, TdxBarButton* x) { l.InsertLink(0)->SetItem(x); }, "X A B C"},
      {"insert at 2", [](TdxBarItemLinks& l, TdxBarButton* x) { l.InsertLink(2)->SetItem(x); }, "A B X C"},
      {"move 0 to 2", [](TdxBarItemLinks& l, TdxBarButton*) { l.MoveLink(0, 2); }, "B C A"},
      {"move 2 to 0", [](TdxBarItemLinks& l, TdxBarButton*) { l.MoveLink(2, 0); }, "C A B"},
      {"move to itself", [](TdxBarItemLinks& l, TdxBarButton*) { l.MoveLink(1, 1); }, "A B C"},
      {"move out of range", [](TdxBarItemLinks& l, TdxBarButton*) { l.MoveLink(0, 3); }, "A B C"},
      {"move from -1", [](TdxBarItemLinks& l, TdxBarButton*) { l.MoveLink(-1, 0); }, "A B C"},
  };
  for (const TCase& c : cases) {
    Links().Clear();
    AddLinks({"A", "B", "C"});
    c.Act(Links(), NewButton("X"));
    EXPECT_EQ(All(), c.Order) << c.Name;
    EXPECT_EQ(Visible(), c.Order) << c.Name;
  }
}

TEST_F(BarItemLinks, VisibilityOfLinksAndItemsDecidesTheLists) {
  struct TCase {
    const char* Name;
    bool LinkVisible;
    TdxBarItemVisible ItemVisible;
    bool Customizing;
    std::string Available, CanVisible;
  } const cases[] = {
      {"shown", true, ivAlways, false, "A B C", "A B C"},
      {"link hidden", false, ivAlways, false, "A B C", "A C"},
      {"item never", true, ivNever, false, "A C", "A C"},
      {"item in customizing, outside it", true, ivInCustomizing, false, "A C", "A C"},
  };
  for (const TCase& c : cases) {
    Links().Clear();
    AddLinks({"A", "B", "C"});
    Links().GetLink(1)->SetVisible(c.LinkVisible);
    Links().GetLink(1)->Item()->SetVisible(c.ItemVisible);
    EXPECT_EQ(Captions(Links().GetAvailableCount(), &TdxBarItemLinks::GetAvailableLink, Links()), c.Available)
        << c.Name;
    EXPECT_EQ(CanVisible(), c.CanVisible) << c.Name;
    EXPECT_EQ(Visible(), c.CanVisible) << c.Name;
  }
}

TEST_F(BarItemLinks, SurplusSeparatorsGoOutsideDesignMode) {
  struct TCase {
    std::vector<std::string> Captions;
    std::string Visible;
  } const cases[] = {
      {{"A", "-", "-", "B"}, "A - B"},
      {{"A", "-"}, "A"},
      {{"A", "-", "-"}, "A"},
      {{"-", "A"}, "- A"},
      {{"A", "-", "B", "-", "C"}, "A - B - C"},
  };
  for (const TCase& c : cases) {
    Links().Clear();
    AddLinks(c.Captions);
    Links().RebuildLists();
    EXPECT_EQ(Visible(), c.Visible);
  }
  // The run keeps its last member.
  Links().Clear();
  AddLinks({"A", "-", "-", "B"});
  Links().RebuildLists();
  EXPECT_EQ(Links().GetVisibleLink(1), Links().GetLink(2));
}

TEST_F(BarItemLinks, RecentItemsCountFollowsUseCounts) {
  struct TCase {
    const char* Name;
    std::vector<int> UseCounts;  // in recent order, which is also the design order here
    int Count;
  } const cases[] = {
      {"two used of four", {20, 10, 0, 0}, 2},
      {"all used alike", {5, 5, 5, 5}, -1},
      {"one used", {40, 0, 0, 0}, 1},
      {"threshold rounds to the least count", {7, 0, 0, 0}, -1},
      {"none used", {0, 0, 0, 0}, -1},
  };
  for (const TCase& c : cases) {
    Links().Clear();
    AddLinks({"A", "B", "C", "D"});
    for (int i = 3; i >= 0; --i) Links().GetLink(i)->MoveToRecentIndex(0);  // recent order = A B C D
    for (int i = 0; i < 4; ++i) Links().GetLink(i)->SetUseCount(c.UseCounts[i]);
    EXPECT_EQ(Links().GetRecentItemsCount(), c.Count) << c.Name;
  }
}

TEST_F(BarItemLinks, TheShortMenuShowsTheRecentLinksInDesignOrder) {
  AddLinks({"A", "B", "C", "D"});
  Links().GetLink(1)->MarkRecentlyUsed(true);  // B
  Links().GetLink(3)->MarkRecentlyUsed(true);  // then D
  EXPECT_EQ(Recent().substr(0, 3), "D B");
  Links().SetRecentSplit(2);
  EXPECT_EQ(Visible(), "B D");
  EXPECT_EQ(CanVisible(), "A B C D");
  Links().SetRecentSplit(0);
  EXPECT_EQ(Visible(), "");
  Links().RestoreRecentSplit();
  EXPECT_EQ(Visible(), "B D");
  // Under the standard style there is no short menu.
  manager_->SetStyle(bmsStandard);
  Links().SetRecentSplit(2);
  EXPECT_EQ(Links().RecentSplit(), -1);
  EXPECT_EQ(Visible(), "A B C D");
}

TEST_F(BarItemLinks, RecentMarkingAndMostRecentlyUsed) {
  AddLinks({"A", "B", "C"});
  TdxBarItemLink* c = Links().GetLink(2);
  const int uses = c->UseCount();
  c->MarkRecentlyUsed(true);
  EXPECT_EQ(Recent().substr(0, 1), "C");
  EXPECT_EQ(c->UseCount(), uses + 1);
  c->MarkRecentlyUsed(false);
  EXPECT_EQ(c->UseCount(), uses + 1);
  c->SetMostRecentlyUsed(false);
  EXPECT_EQ(c->RecentIndex(), 2);
  EXPECT_EQ(c->UseCount(), 0);
  // A hidden link is not marked.
  Links().GetLink(0)->SetVisible(false);
  const int before = Links().GetLink(0)->RecentIndex();
  Links().GetLink(0)->MarkRecentlyUsed(true);
  EXPECT_EQ(Links().GetLink(0)->RecentIndex(), before);
  // Under the standard style the order stays.
  manager_->SetStyle(bmsStandard);
  const std::string order = Recent();
  Links().GetLink(2)->MarkRecentlyUsed(true);
  EXPECT_EQ(Recent(), order);
}

// A command in a menu of a menu: the links above it, up to the root, are marked too.
TEST_F(BarItemLinks, MarkingClimbsThroughTheActiveLinksAbove) {
  TTestLinksOwner* inner = new TTestLinksOwner(form_.get(), manager_, bar_);
  TTestLinksOwner* middle = new TTestLinksOwner(form_.get(), manager_, bar_);
  auto* innerMenu = NewButton("Inner");
  auto* middleMenu = NewButton("Middle");
  SetBarPopupMenuLinksFunc([](TComponent* menu) -> TdxBarItemLinks* {
    auto* owner = dynamic_cast<TTestLinksOwner*>(menu);
    return owner ? &owner->Links : nullptr;
  });
  innerMenu->SetDropDownMenu(inner);
  middleMenu->SetDropDownMenu(middle);
  inner->Instance = innerMenu;
  middle->Instance = middleMenu;
  AddLinks({"A", "B"});
  TdxBarItemLink* root = Links().AddItem(middleMenu);
  middle->Links.AddItem(NewButton("M1"));
  TdxBarItemLink* middleLink = middle->Links.AddItem(innerMenu);
  inner->Links.AddItem(NewButton("I1"));
  TdxBarItemLink* command = inner->Links.AddItem(NewButton("Command"));
  EXPECT_EQ(innerMenu->GetOwnItemLinks(), &inner->Links);
  // The active links are those whose controls are open (pressed): give the collections controls.
  const std::vector<TdxBarItemLinks*> all{&Links(), &middle->Links, &inner->Links};
  for (TdxBarItemLinks* links : all) {
    links->CreateBarControl();
    for (int i = 0; i < links->Count(); ++i) links->GetLink(i)->CreateControl();
  }
  root->Control()->ControlActivate(true);
  middleLink->Control()->ControlActivate(true);
  const int rootUses = root->UseCount(), commandUses = command->UseCount();
  command->MarkRecentlyUsed(true);
  EXPECT_EQ(command->RecentIndex(), 0);
  EXPECT_EQ(middleLink->RecentIndex(), 0);
  EXPECT_EQ(root->RecentIndex(), 0);
  EXPECT_EQ(root->UseCount(), rootUses + 1);
  EXPECT_EQ(command->UseCount(), commandUses + 1);
  for (TdxBarItemLinks* links : all) links->SetBarControl(nullptr);
  SetBarPopupMenuLinksFunc(nullptr);
}

TEST_F(BarItemLinks, EffectiveBeginGroupPassesToTheNextVisibleLink) {
  struct TCase {
    const char* Name;
    std::vector<bool> BeginGroup, Visible;
    std::vector<bool> Effective;
  } const cases[] = {
      {"hidden group start", {false, true, false}, {true, false, true}, {false, true, true}},
      {"first visible never", {true, false}, {true, true}, {false, false}},
      {"first visible after hidden", {false, true}, {false, true}, {false, false}},
      {"own flag", {false, false, true}, {true, true, true}, {false, false, true}},
  };
  for (const TCase& c : cases) {
    Links().Clear();
    for (size_t i = 0; i < c.BeginGroup.size(); ++i) {
      TdxBarItemLink* link = Links().AddItem(NewButton(std::string(1, char('A' + i))));
      link->SetBeginGroup(c.BeginGroup[i]);
      link->SetVisible(c.Visible[i]);
    }
    for (size_t i = 0; i < c.BeginGroup.size(); ++i) {
      if (c.Visible[i]) EXPECT_EQ(Links().GetLink(int(i))->GetBeginGroup(), c.Effective[i]) << c.Name << " " << i;
    }
  }
  // The hidden link keeps its own flag as its effective value.
  Links().Clear();
  AddLinks({"A", "B"});
  Links().GetLink(1)->SetBeginGroup(true);
  Links().GetLink(1)->SetVisible(false);
  EXPECT_TRUE(Links().GetLink(1)->GetBeginGroup());
}

TEST_F(BarItemLinks, UserValuesOverrideTheItemAndTellTheControl) {
  Links().CreateBarControl();
  TdxBarItemLink* link = Links().AddItem(NewButton("Open"));
  link->CreateControl();
  ASSERT_NE(link->Control(), nullptr);
  controlCalls.clear();

  link->SetUserCaption("Mine");
  EXPECT_EQ(link->GetCaption(), "Mine");
  EXPECT_TRUE(link->UserDefine().Contains(udCaption));
  link->SetUserCaption("Mine");  // unchanged: nothing
  EXPECT_EQ(controlCalls, std::vector<std::string>{"caption"});

  controlCalls.clear();
  link->SetUserPaintStyle(psStandard);  // the item's own style: nothing
  EXPECT_FALSE(link->UserDefine().Contains(udPaintStyle));
  link->SetUserPaintStyle(psCaption);
  link->SetUserWidth(40);
  EXPECT_EQ(controlCalls, (std::vector<std::string>{"paintstyle", "width"}));
  EXPECT_EQ(link->GetPaintStyle(), psCaption);
  EXPECT_EQ(link->GetWidth(), 40);

  controlCalls.clear();
  TdxBarUserDefines without = link->UserDefine();
  without.Exclude(udWidth);
  without.Exclude(udCaption);
  link->SetUserDefine(without);
  EXPECT_EQ(link->UserWidth(), 0);
  EXPECT_EQ(link->UserCaption(), "");
  EXPECT_EQ(link->GetCaption(), "Open");
  EXPECT_EQ(controlCalls, (std::vector<std::string>{"caption", "width"}));

  // The item's caption reaches only controls of links without their own caption.
  controlCalls.clear();
  link->Item()->SetCaption("Open file");
  link->SetUserCaption("Mine");
  controlCalls.clear();
  link->Item()->SetCaption("Open again");
  EXPECT_TRUE(controlCalls.empty());
  Links().SetBarControl(nullptr);
}

TEST_F(BarItemLinks, SettingTheItem) {
  TdxBarItemLink* link = Links().AddLink();
  TdxBarButton* open = NewButton("Open");
  link->SetItem(open);
  EXPECT_EQ(open->LinkCount(), 1);
  // A refused item raises with the owner's text and leaves the link without item.
  TdxBarButton* refused = NewButton("Refused");
  try {
    link->SetItem(refused);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Not here");
  }
  EXPECT_EQ(link->Item(), nullptr);
  EXPECT_EQ(open->LinkCount(), 0);
  EXPECT_EQ(refused->LinkCount(), 0);
  // No item frees the link.
  link->SetItem(open);
  link->SetItem(nullptr);
  EXPECT_EQ(Links().Count(), 0);
  EXPECT_EQ(open->LinkCount(), 0);
  // Freeing the item frees its links.
  Links().AddItem(open);
  Links().AddItem(open);
  EXPECT_EQ(Links().Count(), 2);
  delete open;
  EXPECT_EQ(Links().Count(), 0);
  EXPECT_EQ(Links().RecentCount(), 0);
}

// Neither a new item nor its link stays behind when the owner refuses the item.
TEST_F(BarItemLinks, ANewItemTheOwnerRefusesLeavesNothingBehind) {
  owner_->Refused = "";  // new items have no caption yet
  const int items = manager_->GetItemCount();
  EXPECT_THROW(Links().AddNewItemFor(TdxBarButton::StaticClass(), nullptr), Exception);
  EXPECT_EQ(Links().Count(), 0);
  EXPECT_EQ(Links().RecentCount(), 0);
  EXPECT_EQ(manager_->GetItemCount(), items);
  owner_->Refused = "Refused";
  TdxBarItemLink* link = Links().AddNewItemFor(TdxBarButton::StaticClass(), nullptr);
  EXPECT_TRUE(ObjectAs<TdxBarButton>(link->Item()));
  EXPECT_EQ(manager_->GetItemCount(), items + 1);
}

// Copying a link without an item onto one with an item empties it and keeps the link (no item
// would otherwise free the link in the middle of the copy).
TEST_F(BarItemLinks, CopyingALinkWithoutItemKeepsTheTarget) {
  TdxBarItemLink* target = Links().AddItem(NewButton("A"));
  TTestLinksOwner other(nullptr, manager_, nullptr);
  TdxBarItemLink* empty = other.Links.AddLink();
  empty->SetUserCaption("Nothing");
  target->Assign(empty);
  EXPECT_EQ(Links().Count(), 1);
  EXPECT_EQ(target->Item(), nullptr);
  EXPECT_EQ(target->GetCaption(), "Nothing");
}

struct TLinkEvents {
  std::vector<std::string> Calls;
  void Add(TdxBarManager*, TdxBarItemLink*) { Calls.push_back("add"); }
  void Change(TdxBarManager*, TdxBarItemLink*) { Calls.push_back("change"); }
  void Delete(TdxBarManager*, TdxBarItemLink*) { Calls.push_back("delete"); }
};

TEST_F(BarItemLinks, TheManagerHearsOfAddedChangedAndDeletedLinks) {
  TLinkEvents events;
  manager_->OnItemLinkAdd = MakeEvent(&events, &TLinkEvents::Add);
  manager_->OnItemLinkChange = MakeEvent(&events, &TLinkEvents::Change);
  manager_->OnItemLinkDelete = MakeEvent(&events, &TLinkEvents::Delete);
  TdxBarItemLink* link = Links().AddLink();
  link->SetItem(NewButton("A"));
  delete link;
  EXPECT_EQ(events.Calls, (std::vector<std::string>{"add", "change", "delete"}));
  manager_->OnItemLinkAdd = nullptr;
  manager_->OnItemLinkChange = nullptr;
  manager_->OnItemLinkDelete = nullptr;
}

TEST_F(BarItemLinks, ControlsFollowTheLinkAndTheItemVisibility) {
  Links().CreateBarControl();
  TdxBarItemLink* link = Links().AddItem(NewButton("A"));
  link->CreateControl();
  ASSERT_NE(link->Control(), nullptr);
  EXPECT_EQ(link->Control()->Link(), link);
  EXPECT_EQ(link->Control()->Item(), link->Item());
  link->SetVisible(false);
  EXPECT_EQ(link->Control(), nullptr);
  link->SetVisible(true);
  ASSERT_NE(link->Control(), nullptr);
  link->Item()->SetVisible(ivNever);
  EXPECT_EQ(link->Control(), nullptr);
  link->Item()->SetVisible(ivAlways);
  EXPECT_NE(link->Control(), nullptr);
  Links().SetBarControl(nullptr);
}

TEST_F(BarItemLinks, KeyboardOrderWrapsAndEndsOutsideTheVisibleList) {
  AddLinks({"A", "B", "C"});
  Links().GetLink(1)->SetVisible(false);
  Links().CreateBarControl();
  for (int i = 0; i < Links().Count(); ++i) Links().GetLink(i)->CreateControl();
  TdxBarItemLink* a = Links().GetLink(0);
  TdxBarItemLink* c = Links().GetLink(2);
  EXPECT_EQ(Links().FirstSelectableLink(), a);
  EXPECT_EQ(Links().LastSelectableLink(), c);
  EXPECT_EQ(Links().NextSelectableLink(a), c);
  EXPECT_EQ(Links().NextSelectableLink(c), a);
  EXPECT_EQ(Links().PrevSelectableLink(a), c);
  EXPECT_EQ(Links().NextSelectableLink(Links().GetLink(1)), nullptr);  // hidden: not in the visible list
  EXPECT_EQ(a->GetNextLink(), c);
  Links().SetBarControl(nullptr);
  Links().Clear();
  EXPECT_EQ(Links().FirstSelectableLink(), nullptr);
}

TEST_F(BarItemLinks, MenuAcceleratorsFindLinksHiddenByTheShortMenu) {
  AddLinks({"&Open", "&Save", "E&xit"});
  Links().GetLink(0)->MarkRecentlyUsed(true);
  Links().SetRecentSplit(1);
  EXPECT_EQ(Visible(), "&Open");
  EXPECT_EQ(Links().FindLinkByAccel('X', {}, nullptr), Links().GetLink(2));
  EXPECT_EQ(Links().FindLinkByAccel('S', TShiftState{ssAlt}, nullptr), Links().GetLink(1));
  EXPECT_EQ(Links().FindLinkByAccel('Q', {}, nullptr), nullptr);
  Links().GetLink(1)->Item()->SetEnabled(false);
  EXPECT_EQ(Links().FindLinkByAccel('S', {}, nullptr), nullptr);
}

TEST_F(BarItemLinks, AcceleratorMatching) {
  struct TCase {
    const char* Caption;
    Word Key;
    TShiftState Shift;
    bool Matches;
  } const cases[] = {
      {"&Open", 'O', {}, true},    {"&open", 'O', {}, true},   {"&Open", 'O', {ssShift}, true},
      {"&open", 'O', {ssShift}, false}, {"Open", 'O', {}, false}, {"Save && &quit", 'Q', {}, true},
      {"A && B", 'B', {}, false},  {"Item &1", '1', {}, true}, {"&Open", 'P', {}, false},
  };
  for (const TCase& c : cases) {
    Links().Clear();
    TdxBarItemLink* link = Links().AddItem(NewButton(c.Caption));
    EXPECT_EQ(link->MatchesAccel(c.Key, c.Shift), c.Matches) << c.Caption << " " << char(c.Key);
  }
}

TEST_F(BarItemLinks, ItemOptionsComeFromTheCollectionUntilAssigned) {
  TdxBarItemOptions* options = Links().ItemOptions();
  EXPECT_FALSE(Links().GetShowDescriptions());
  EXPECT_TRUE(Links().GetShowShortCuts());
  EXPECT_EQ(Links().GetItemSize(), misNormal);
  options->SetSize(misLarge);
  EXPECT_EQ(Links().GetItemSize(), misLarge);
  EXPECT_TRUE(options->AssignedValues().Contains(ioSize));
  EXPECT_FALSE(options->AssignedValues().Contains(ioShowShortCuts));
}

TEST_F(BarItemLinks, AssignCopiesLinksWithTheirUserValues) {
  AddLinks({"A", "B", "C"});
  Links().GetLink(1)->SetUserCaption("Bee");
  Links().GetLink(1)->SetBeginGroup(true);  // the first visible link: its effective value is false
  Links().GetLink(2)->SetBeginGroup(true);
  Links().GetLink(0)->SetVisible(false);
  TTestLinksOwner copy(nullptr, manager_, nullptr);
  copy.Links.Assign(&Links());
  ASSERT_EQ(copy.Links.Count(), 3);
  EXPECT_EQ(copy.Links.GetLink(1)->GetCaption(), "Bee");
  EXPECT_EQ(copy.Links.GetLink(1)->Item(), Links().GetLink(1)->Item());
  EXPECT_FALSE(copy.Links.GetLink(1)->BeginGroup());
  EXPECT_TRUE(copy.Links.GetLink(2)->BeginGroup());
  EXPECT_FALSE(copy.Links.GetLink(0)->LoadedVisible());  // kept for the copy's owner to apply
  EXPECT_EQ(copy.Links.RecentCount(), 3);
}

// Merging: a same-caption item that refuses to merge gets a new link after the greatest lower
// MergeOrder; Unmerge(nil) takes the merged links out again.
TEST_F(BarItemLinks, MergeAndUnmerge) {
  AddLinks({"A", "B", "C"});
  Links().GetLink(0)->Item()->SetMergeOrder(1);
  Links().GetLink(1)->Item()->SetMergeOrder(5);
  Links().GetLink(2)->Item()->SetMergeOrder(9);
  Links().GetLink(1)->Item()->SetMergeKind(mkMergeByCaption);
  TTestLinksOwner source(nullptr, manager_, nullptr);
  TdxBarButton* b = NewButton("B");
  b->SetMergeKind(mkMergeByCaption);
  b->SetMergeOrder(6);
  source.Links.AddItem(b);
  TdxBarButton* none = NewButton("N");
  none->SetMergeKind(mkNone);
  source.Links.AddItem(none);
  auto* bar = reinterpret_cast<TdxBar*>(&source);  // any non-nil marker of the merged toolbar
  SetBarLinksMergingBar(bar);
  Links().Merge(&source.Links);
  SetBarLinksMergingBar(nullptr);
  EXPECT_EQ(All(), "A B B C");
  EXPECT_EQ(Links().GetLink(2)->MergeSource(), bar);
  Links().Unmerge(nullptr);
  EXPECT_EQ(All(), "A B C");
}

}  // namespace
