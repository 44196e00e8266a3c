// Component bases, unique names and the component collection.
#include "calderan_test.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "TypInfo.h"
#include "cxBaseUnits.h"
#include "cxClasses.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Component bases

class TLinksProvider : public TcxComponent {
  CALDERAN_CLASS(TLinksProvider)
  using TcxComponent::TcxComponent;
  std::vector<TComponent*> links;

 protected:
  void GetFakeComponentLinks(TList* list) override {
    for (TComponent* c : links) list->Add(c);
  }
};
CALDERAN_IMPLEMENT_CLASS(TLinksProvider, TcxComponent)

TEST(ToolkitComponent, ObjectLinksClearedWhenItIsFreed) {
  auto* component = new TcxComponent(nullptr);
  TcxObjectLink* link = AddObjectLink(component);
  delete component;
  EXPECT_EQ(link->Ref, nullptr);
  RemoveObjectLink(link);
  EXPECT_FALSE(ObjectLinkControllerExists());
}

TEST(ToolkitComponent, FakeLinksFollowTheListOnlyAtDesignTimeAndNeverDangle) {
  TComponent form(nullptr);
  auto* provider = new TLinksProvider(&form);
  auto* a = new TComponent(&form);
  auto* b = new TComponent(&form);
  provider->links = {a, b};
  provider->Loaded();  // not designing: nothing
  EXPECT_EQ(provider->FakeComponentLink(0), nullptr);

  form.SetDesigning(true);
  provider->Loaded();
  EXPECT_EQ(provider->FakeComponentLink(0), a);
  EXPECT_EQ(provider->FakeComponentLink(1), b);
  EXPECT_EQ(provider->FakeComponentLink(2), nullptr);
  delete a;
  EXPECT_EQ(provider->FakeComponentLink(0), nullptr);
  EXPECT_EQ(provider->FakeComponentLink(1), b);
}

TEST(ToolkitComponent, LinksArePublishedForStoredForms) {
  StartToolkitBaseUnits();
  const TPropInfo* link = FindPublishedProperty(TLinksProvider::StaticClass(), "FakeComponentLink2");
  ASSERT_NE(link, nullptr);
  TComponent form(nullptr);
  auto* provider = new TLinksProvider(&form);
  auto* target = new TComponent(&form);
  link->SetObj(provider, target);
  EXPECT_EQ(provider->FakeComponentLink(1), target);
  EXPECT_EQ(link->GetObj(provider), target);
}

struct TDiary : TObject {
  std::vector<std::string>* log;
  std::string name;
  TDiary(std::vector<std::string>* l, std::string n) : log(l), name(std::move(n)) {}
  ~TDiary() override { log->push_back(name); }
};

TEST(ObjectList, ClearFreesItemsFirstToLast) {
  std::vector<std::string> log;
  {
    TcxObjectList list;
    list.Add(new TDiary(&log, "a"));
    list.Add(new TDiary(&log, "b"));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
    list.Add(new TDiary(&log, "c"));
  }
  EXPECT_EQ(log.back(), "c");  // the destructor frees what is left
}

struct TFreeWatcher : TObject {
  std::vector<TComponent*> freed;
  void Freed(TComponent* c) { freed.push_back(c); }
};

TEST(FreeNotificator, ReportsWatchedComponentsOnly) {
  TFreeWatcher watcher;
  TcxFreeNotificator notificator;
  notificator.OnFreeNotification = MakeEvent(&watcher, &TFreeWatcher::Freed);
  auto* watched = new TComponent(nullptr);
  auto* dropped = new TComponent(nullptr);
  notificator.AddSender(watched);
  notificator.AddSender(dropped);
  notificator.AddSender(nullptr);
  notificator.RemoveSender(dropped);
  notificator.RemoveSender(nullptr);
  delete dropped;
  delete watched;
  EXPECT_EQ(watcher.freed, (std::vector<TComponent*>{watched}));
}

// ---------------------------------------------------------------------------------------------
// Unique names

class TcxFoo : public TComponent {
  CALDERAN_CLASS(TcxFoo)
  using TComponent::TComponent;
};
CALDERAN_IMPLEMENT_CLASS(TcxFoo, TComponent)

TEST(UniqueComponentName, CandidatesInOrder) {
  struct Case { std::vector<std::string> taken; std::string classPrefix, baseName, expected; } cases[] = {
      {{}, "", "2nd item", "cxFoo2nditem"},
      {{"cxFoo2nditem"}, "", "2nd item", "cxFoo2nditem1"},
      {{"CXFOO2NDITEM", "cxfoo2nditem1"}, "", "2nd item", "cxFoo2nditem2"},  // case ignored
      {{}, "Tcx", "2nd item", "Foo2nditem"},
      {{"Foo2nditem"}, "tCX", "2nd item", "Foo2nditem1"},
      {{}, "", "Button", "Button"},
      {{"Button"}, "", "Button", "Button1"},
      {{}, "", "", "cxFoo1"},
      {{"cxFoo1"}, "", "", "cxFoo2"},
      {{}, "Tdx", "", "cxFoo1"},  // a prefix the class name lacks: the whole name less its T
      {{}, "", "a-b c!", "abc"},
  };
  for (const Case& c : cases) {
    TComponent owner(nullptr);
    for (const std::string& name : c.taken) (new TComponent(&owner))->SetName(name);
    auto* component = new TcxFoo(&owner);
    EXPECT_EQ(MakeUniqueComponentName(&owner, nullptr, component, c.classPrefix, c.baseName), c.expected)
        << c.baseName << " taken " << c.taken.size();
  }
}

TEST(UniqueComponentName, PrefixComponentAndTheComponentItself) {
  TComponent owner(nullptr);
  auto* bar = new TComponent(&owner);
  bar->SetName("Bar");
  auto* component = new TcxFoo(&owner);
  component->SetName("BarItem");  // its own name does not count as taken
  EXPECT_EQ(MakeUniqueComponentName(&owner, bar, component, "", "Item"), "BarItem");
  EXPECT_EQ(MakeUniqueComponentName(nullptr, nullptr, component, "", "Item"), "Item");
}

TEST(TextRoutines, HintCaptionAndCharacterPositions) {
  EXPECT_EQ(GetHintCaption("Save|Saves the file"), "Save");
  EXPECT_EQ(GetHintCaption("Save"), "Save");
  EXPECT_EQ(GetHintCaption("|hint"), "");
  std::string s = "abc";
  EXPECT_EQ(NextCharPos(s, 1), 2);
  EXPECT_EQ(PrevCharPos(s, 3), 2);
  EXPECT_EQ(CharByteLengthAt(s, 2), 1);
  EXPECT_EQ(*CharPtrAt(s, 3), 'c');
  EXPECT_EQ(GetLocaleString(LOCALE_USER_DEFAULT, 0x7FFFFFF, "none"), "none");
  EXPECT_FALSE(GetLocaleString(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, "").empty());
}

// ---------------------------------------------------------------------------------------------
// Component collection

class TBar;

struct TChange {
  TcxComponentCollectionItem* item;
  TcxComponentCollectionNotification action;
  bool operator==(const TChange&) const = default;
};

class TRecordingCollection : public TcxComponentCollection {
 public:
  using TcxComponentCollection::TcxComponentCollection;
  std::vector<TChange> notified, changes;
  void Record(TObject*, TcxComponentCollectionItem* item, TcxComponentCollectionNotification action) {
    changes.push_back({item, action});
  }

 protected:
  void Notify(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action) override {
    notified.push_back({item, action});
  }
};

class TBarManager : public TComponent {
  CALDERAN_CLASS(TBarManager)
  explicit TBarManager(TComponent* owner);
  ~TBarManager() override { delete bars; }
  TRecordingCollection* bars;
};

class TBar : public TcxComponentCollectionItem {
  CALDERAN_CLASS(TBar)
  using TcxComponentCollectionItem::TcxComponentCollectionItem;
  void Touch(bool whole) { Changed(whole); }

 protected:
  TcxComponentCollection* GetCollectionFromParent(TComponent* parent) override {
    return static_cast<TBarManager*>(parent)->bars;
  }
};

// Lives in the same parent, but is not of the collection's item class.
class TStranger : public TBar {
  CALDERAN_CLASS(TStranger)
  using TBar::TBar;
};

CALDERAN_IMPLEMENT_CLASS(TBarManager, TComponent)
CALDERAN_IMPLEMENT_CREATABLE(TBar, TcxComponentCollectionItem, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TStranger, TBar, TComponent*)

class TNarrowCollection : public TRecordingCollection {
 public:
  TNarrowCollection(TComponent* parent) : TRecordingCollection(parent, TStranger::StaticClass()) {}
};

TBarManager::TBarManager(TComponent* owner) : TComponent(owner), bars(new TRecordingCollection(this, TBar::StaticClass())) {
  bars->OnChange = MakeEvent(bars, &TRecordingCollection::Record);
}

struct CollectionFixture : ::testing::Test {
  TComponent form{nullptr};
  TBarManager* manager = new TBarManager(&form);
  TRecordingCollection& bars = *manager->bars;
};

TEST_F(CollectionFixture, ItemsEnterThroughTheirParentAndGetRunningIdentifiers) {
  auto* a = bars.Add();
  auto* b = bars.Add();
  auto* c = bars.Add();
  EXPECT_EQ(a->Owner(), &form);  // owned by the form, not by the manager
  EXPECT_EQ(a->GetParentComponent(), manager);
  EXPECT_TRUE(a->HasParent());
  EXPECT_EQ(std::vector<int>({a->ID(), b->ID(), c->ID()}), std::vector<int>({0, 1, 2}));
  delete b;
  EXPECT_EQ(bars.Count(), 2);
  EXPECT_EQ(bars.Add()->ID(), 3);
  EXPECT_EQ(bars.changes.front(), (TChange{a, ccnAdded}));
  EXPECT_EQ(bars.notified[3], (TChange{b, ccnExtracting}));
  EXPECT_EQ(bars.notified[4], (TChange{b, ccnExtracted}));
  EXPECT_EQ(bars.changes[3], (TChange{b, ccnExtracted}));
}

TEST_F(CollectionFixture, UpdateLockingFiresOneChangeAtTheEnd) {
  bars.BeginUpdate();
  bars.BeginUpdate();
  bars.Add();
  bars.Add();
  bars.EndUpdate(true);  // still locked
  EXPECT_TRUE(bars.changes.empty());
  bars.Add();
  bars.EndUpdate(true);
  EXPECT_EQ(bars.changes, (std::vector<TChange>{{nullptr, ccnChanged}}));
  EXPECT_EQ(bars.notified.size(), 3u);  // Notify is not folded
  bars.changes.clear();
  bars.EndUpdate(true);  // unpaired: reports, and does not unlock the next update early
  bars.BeginUpdate();
  bars.Add();
  EXPECT_EQ(bars.changes, (std::vector<TChange>{{nullptr, ccnChanged}}));
  bars.EndUpdate(false);
}

TEST_F(CollectionFixture, ClearReportsOnceAndFreesItems) {
  bars.Add();
  bars.Add();
  bars.changes.clear();
  bars.Clear();
  EXPECT_EQ(bars.Count(), 0);
  EXPECT_EQ(form.ComponentCount(), 1);  // only the manager is left
  EXPECT_EQ(bars.changes, (std::vector<TChange>{{nullptr, ccnChanged}}));
  bars.changes.clear();
  bars.Clear();  // empty: nothing
  EXPECT_TRUE(bars.changes.empty());
}

TEST_F(CollectionFixture, ItemsOfAnotherClassStayOut) {
  TNarrowCollection narrow(manager);
  manager->bars->Add();
  auto* bar = static_cast<TBar*>(manager->bars->Items(0));
  bar->SetCollection(&narrow);  // leaves its collection, but the other one refuses it
  EXPECT_EQ(narrow.Count(), 0);
  EXPECT_EQ(bar->Collection(), nullptr);
  EXPECT_EQ(bar->GetIndex(), -1);
}

TEST_F(CollectionFixture, MovingReportsTheWholeCollectionOnce) {
  auto* a = static_cast<TBar*>(bars.Add());
  auto* b = static_cast<TBar*>(bars.Add());
  bars.changes.clear();
  b->SetIndex(1);  // where it is: nothing
  EXPECT_TRUE(bars.changes.empty());
  b->SetIndex(0);
  EXPECT_EQ(bars.Items(0), b);
  EXPECT_EQ(a->GetIndex(), 1);
  EXPECT_EQ(bars.changes, (std::vector<TChange>{{nullptr, ccnChanged}}));
  EXPECT_THROW(b->SetIndex(5), EListError);
  bars.changes.clear();
  a->Touch(false);
  a->Touch(true);
  EXPECT_EQ(bars.changes, (std::vector<TChange>{{a, ccnChanged}, {nullptr, ccnChanged}}));
}

TEST_F(CollectionFixture, AssignCopiesOtherCollectionsOnly) {
  bars.Add();
  bars.Add();
  TBarManager other(&form);
  other.bars->Add();
  other.bars->changes.clear();
  // The items themselves cannot copy each other (components): the copy stops there and the
  // update still ends.
  EXPECT_THROW(other.bars->Assign(&bars), EConvertError);
  EXPECT_EQ(other.bars->UpdateCount(), 0);
  EXPECT_EQ(other.bars->changes, (std::vector<TChange>{{nullptr, ccnChanged}}));
  TPersistent plain;
  EXPECT_THROW(bars.Assign(&plain), EConvertError);
}

// Hears of the components it watches being freed.
class TItemWatcher : public TComponent {
 public:
  TItemWatcher() : TComponent(nullptr) {}
  std::vector<TComponent*> freed;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    if (operation == opRemove) freed.push_back(component);
    TComponent::Notification(component, operation);
  }
};

TEST_F(CollectionFixture, FreeingTheFormFreesTheItems) {
  TItemWatcher watcher;
  auto* form2 = new TComponent(nullptr);
  auto* manager2 = new TBarManager(form2);
  TcxComponentCollectionItem* items[] = {manager2->bars->Add(), manager2->bars->Add()};
  for (TcxComponentCollectionItem* item : items) item->FreeNotification(&watcher);
  delete form2;  // whatever the order of destruction, nothing dangles
  EXPECT_EQ(watcher.freed.size(), 2u);
  for (TcxComponentCollectionItem* item : items)
    EXPECT_NE(std::find(watcher.freed.begin(), watcher.freed.end(), item), watcher.freed.end());
}

}  // namespace
