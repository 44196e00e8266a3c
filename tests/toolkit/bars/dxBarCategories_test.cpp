#include "calderan_test.h"

#include <vector>

#include "bars_fixture.h"

namespace {

class BarCategories : public BarFixture {
 protected:
  // Three categories with one item each: A0 in 0, A1 in 1, A2 in 2.
  void ThreeCategories() {
    manager_->Categories()->Add("One");
    manager_->Categories()->Add("Two");
    for (int i = 0; i < 3; ++i) {
      auto* item = new TdxBarItem(form_.get());
      item->SetName("A" + std::to_string(i));
      item->SetCategory(i);
    }
  }
  // The category of each item by name, or -2 when the item is gone.
  std::vector<int> Categories() {
    std::vector<int> result;
    for (const char* name : {"A0", "A1", "A2"}) {
      TdxBarItem* item = manager_->ItemByName(name);
      result.push_back(item ? item->Category() : -2);
    }
    return result;
  }
};

TEST_F(BarCategories, EditsRenumberTheItems) {
  struct TCase {
    const char* Name;
    void (*Edit)(TdxBarManagerCategories*);
    std::vector<int> Expected;
    std::vector<std::string> Names;
  } const cases[] = {
      {"delete 1 of 3", [](TdxBarManagerCategories* c) { c->Delete(1); }, {0, -2, 1}, {"Default", "Two"}},
      {"move 0 to 2", [](TdxBarManagerCategories* c) { c->Move(0, 2); }, {2, 0, 1}, {"One", "Two", "Default"}},
      {"move 2 to 0", [](TdxBarManagerCategories* c) { c->Move(2, 0); }, {1, 2, 0}, {"Two", "Default", "One"}},
      {"insert at 0", [](TdxBarManagerCategories* c) { c->Insert(0, "New"); }, {1, 2, 3},
       {"New", "Default", "One", "Two"}},
      {"append", [](TdxBarManagerCategories* c) { c->Add("Last"); }, {0, 1, 2}, {"Default", "One", "Two", "Last"}},
      {"exchange 0 and 2", [](TdxBarManagerCategories* c) { c->Exchange(0, 2); }, {2, 1, 0},
       {"Two", "One", "Default"}},
  };
  for (const TCase& c : cases) {
    SetUp();
    ThreeCategories();
    c.Edit(manager_->Categories());
    EXPECT_EQ(Categories(), c.Expected) << c.Name;
    std::vector<std::string> names;
    for (int i = 0; i < manager_->Categories()->Count(); ++i) names.push_back(manager_->Categories()->Get(i));
    EXPECT_EQ(names, c.Names) << c.Name;
    TearDown();
  }
}

TEST_F(BarCategories, DeletingTheOnlyCategoryFreesItsItemsAndLeavesDefault) {
  auto* item = new TdxBarItem(form_.get());
  item->SetName("Only");
  item->SetCategory(0);
  manager_->Categories()->Delete(0);
  EXPECT_EQ(form_->FindComponent("Only"), nullptr);
  EXPECT_EQ(manager_->GetItemCount(), 0);
  ASSERT_EQ(manager_->Categories()->Count(), 1);
  EXPECT_EQ(manager_->Categories()->Get(0), "Default");
}

TEST_F(BarCategories, ItemsVisibleReachesOnlyItemsWithTheOldValue) {
  ThreeCategories();
  auto* other = new TdxBarItem(form_.get());
  other->SetCategory(1);
  other->SetVisible(ivNever);
  manager_->SetCategoryItemsVisible(1, ivInCustomizing);
  EXPECT_EQ(manager_->ItemByName("A1")->Visible(), ivInCustomizing);
  EXPECT_EQ(other->Visible(), ivNever);
  EXPECT_EQ(manager_->ItemByName("A0")->Visible(), ivAlways);
  // invalid indexes: defaults, and nothing changes
  EXPECT_EQ(manager_->GetCategoryItemsVisible(7), ivNever);
  EXPECT_FALSE(manager_->IsCategoryVisible(-1));
  manager_->SetCategoryItemsVisible(7, ivNever);
  manager_->SetCategoryVisible(0, false);
  manager_->SetCategoryVisible(1, true);
  EXPECT_EQ(manager_->GetRealCategoryIndex(0), 1);  // category 0 is hidden at run time
  EXPECT_EQ(manager_->GetRealCategoryIndex(2), -1);
}

TEST_F(BarCategories, ItemCategoryMovesTheItemAfterItsCategoryOrIsIgnored) {
  ThreeCategories();
  TdxBarItem* a0 = manager_->ItemByName("A0");
  a0->SetCategory(9);
  EXPECT_EQ(a0->Category(), 0);
  a0->SetCategory(2);
  EXPECT_EQ(a0->Category(), 2);
  EXPECT_EQ(manager_->GetItem(manager_->GetItemCount() - 1), a0);  // after A2, the last of category 2
  TList list;
  EXPECT_EQ(manager_->GetCategoryItemsList(2, &list), 2);
}

TEST_F(BarCategories, GroupsPassEnabledAndVisibleAndRefuseRecursion) {
  auto* a = manager_->AddGroup();
  auto* b = manager_->AddGroup();
  auto* item = new TdxBarItem(form_.get());
  a->Add(item);
  a->Add(item);  // once
  a->Add(nullptr);
  b->Add(a);
  EXPECT_EQ(a->Count(), 1);
  try {
    a->Add(b);
    FAIL() << "a recursive group";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "You cannot create recursive groups");
  }
  b->SetEnabled(false);
  EXPECT_FALSE(a->Enabled());
  EXPECT_FALSE(item->Enabled());
  b->SetVisible(ivNever);
  EXPECT_EQ(item->Visible(), ivNever);
  // an item in the manager's list and two groups is in three lists; a change reaches all three
  b->Add(item);
  EXPECT_EQ(item->MemberListCount(), 3);
  int changes = 0;
  struct TCounter {
    int* Count;
    void Changed(TObject*, TComponent* component, int) { *Count += component != nullptr; }
  } counter{&changes};
  manager_->ItemList()->OnComponentListChanged = MakeEvent(&counter, &TCounter::Changed);
  item->NotifyChanged(false);
  EXPECT_EQ(changes, 1);  // the groups' lists have no handler here
  manager_->ItemList()->OnComponentListChanged = nullptr;
  delete item;
  EXPECT_EQ(a->Count(), 0);
  EXPECT_EQ(b->Count(), 1);
}

// The lists that hold bar components.
TEST_F(BarCategories, ComponentListsRefuseOtherClassesAndNeverFree) {
  TdxObjectList objects;
  TObject a, b;
  objects.AddUnique(&a);
  objects.AddUnique(&a);
  objects.AddUnique(nullptr);
  objects.AddUnique(&b);
  EXPECT_EQ(objects.Count(), 2);
  EXPECT_EQ(objects.ItemAt(-1), nullptr);
  EXPECT_EQ(objects.ItemAt(2), nullptr);
  EXPECT_EQ(objects.Last(), &b);
  EXPECT_EQ(TdxObjectList().Last(), nullptr);

  auto* item = new TdxBarItem(form_.get());
  {
    TdxBarComponentList list;
    TComponent plain(form_.get());
    list.Add(&plain);
    EXPECT_EQ(list.Count(), 0);
    int changes = 0;
    struct TCounter {
      int* Count;
      void Changed(TObject*, TComponent*, int) { ++*Count; }
    } counter{&changes};
    list.OnComponentListChanged = MakeEvent(&counter, &TCounter::Changed);
    list.Add(item);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(item->MemberListCount(), 2);
    list.OnComponentListChanged = MakeEvent(&counter, &TCounter::Changed);
    changes = 0;
  }  // freeing the list frees nothing
  EXPECT_EQ(item->MemberListCount(), 1);
  EXPECT_EQ(manager_->GetItem(0), item);
}

}  // namespace
