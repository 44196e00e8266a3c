#include "calderan_test.h"

#include <string>
#include <vector>

#include "Contnrs.h"

namespace {

class TTrack : public TCollectionItem {
  CALDERAN_CLASS(TTrack)
  explicit TTrack(TCollection* collection) : TCollectionItem(collection) {}
  std::string Title;
  std::string DisplayName() const override { return Title.empty() ? TCollectionItem::DisplayName() : Title; }
  void SetTitle(const std::string& title) {
    Title = title;
    Changed(false);
  }
  void Assign(TPersistent* source) override {
    if (auto* t = ObjectAs<TTrack>(source)) {
      Title = t->Title;
      return;
    }
    TCollectionItem::Assign(source);
  }
};
CALDERAN_IMPLEMENT_CREATABLE(TTrack, TCollectionItem, TCollection*)

// A collection that records its Update and Notify calls.
class TTracks : public TOwnedCollection {
 public:
  explicit TTracks(TPersistent* owner) : TOwnedCollection(owner, TTrack::StaticClass()) {}
  std::vector<std::string> Log;
  TTrack* Add() { return static_cast<TTrack*>(TCollection::Add()); }

 protected:
  void Update(TCollectionItem* item) override {
    Log.push_back(item ? "update " + item->DisplayName() : "update all");
  }
  void Notify(TCollectionItem* item, TCollectionNotification action) override {
    static const char* names[] = {"added", "extracting", "deleting"};
    Log.push_back(std::string(names[action]) + " " + item->ClassName());
  }
};

using V = std::vector<std::string>;

TEST(Collection, IdsRunOnAndAreNeverReused) {
  TTracks tracks(nullptr);
  tracks.Add();
  tracks.Add();
  tracks.Add();
  EXPECT_EQ(tracks.Items(2)->ID(), 2);
  tracks.Delete(1);
  TTrack* fourth = tracks.Add();
  EXPECT_EQ(fourth->ID(), 3);
  EXPECT_EQ(fourth->Index(), 2);
  EXPECT_EQ(tracks.FindItemID(3), fourth);
  EXPECT_EQ(tracks.FindItemID(1), nullptr);
  EXPECT_EQ(fourth->Collection(), &tracks);
  EXPECT_EQ(fourth->GetOwner(), &tracks);
}

TEST(Collection, NotificationsComeAfterTheItemIsBuilt) {
  TTracks tracks(nullptr);
  TTrack* t = tracks.Add();
  EXPECT_EQ(tracks.Log, (V{"added TTrack", "update all"}));
  tracks.Log.clear();
  t->SetTitle("Intro");
  EXPECT_EQ(tracks.Log, (V{"update Intro"}));
  tracks.Log.clear();
  tracks.Delete(0);
  EXPECT_EQ(tracks.Log, (V{"deleting TTrack", "extracting TTrack", "update all"}));
}

TEST(Collection, UpdateRunsOnceOnTheLastEndUpdate) {
  TTracks tracks(nullptr);
  tracks.BeginUpdate();
  tracks.BeginUpdate();
  tracks.Add()->SetTitle("a");
  tracks.Add()->SetTitle("b");
  tracks.Delete(0);
  tracks.EndUpdate();
  EXPECT_EQ(tracks.Log, (V{"added TTrack", "added TTrack", "deleting TTrack", "extracting TTrack"}));
  tracks.EndUpdate();
  EXPECT_EQ(tracks.Log.back(), "update all");
  EXPECT_EQ(tracks.Log.size(), 5u);
  tracks.Log.clear();
  tracks.Clear();  // one update for the whole clearing
  EXPECT_EQ(tracks.Log, (V{"extracting TTrack", "update all"}));
}

TEST(Collection, IndexMovesInsertAndAssign) {
  TTracks tracks(nullptr);
  for (const char* t : {"a", "b", "c"}) tracks.Add()->SetTitle(t);
  TTrack* c = static_cast<TTrack*>(tracks.Items(2));
  tracks.Log.clear();
  c->SetIndex(0);
  EXPECT_EQ(tracks.Items(0), c);
  EXPECT_EQ(tracks.Log, (V{"update all"}));
  tracks.Log.clear();
  c->SetIndex(0);
  EXPECT_TRUE(tracks.Log.empty());
  TTrack* inserted = static_cast<TTrack*>(tracks.Insert(1));
  EXPECT_EQ(inserted->Index(), 1);
  EXPECT_THROW(tracks.Items(9), EListError);

  TTracks copy(nullptr);
  copy.Add();
  copy.Log.clear();
  copy.Assign(&tracks);
  ASSERT_EQ(copy.Count(), 4);
  EXPECT_EQ(static_cast<TTrack*>(copy.Items(0))->Title, "c");
  EXPECT_EQ(copy.Log.back(), "update all");
  EXPECT_EQ(std::count(copy.Log.begin(), copy.Log.end(), "update all"), 1);
}

TEST(Collection, ItemsChangeCollectionsOnlyIntoTheirClass) {
  TTracks first(nullptr), second(nullptr);
  TTrack* t = first.Add();
  t->SetCollection(&second);
  EXPECT_EQ(first.Count(), 0);
  EXPECT_EQ(second.Count(), 1);
  TCollection plain(TTrack::StaticClass());
  TCollection strict(TObjectList::StaticClass());  // an unrelated item class
  EXPECT_THROW(t->SetCollection(&strict), EConvertError);
  EXPECT_EQ(t->Collection(), &second);
}

TEST(ObjectList, OwnsItsObjectsUnlessToldOtherwise) {
  static int freed;
  struct TCounted : TObject {
    ~TCounted() override { ++freed; }
  };
  freed = 0;
  {
    TObjectList owning;
    owning.Add(new TCounted);
    auto* kept = new TCounted;
    owning.Add(kept);
    owning.Add(new TCounted);
    owning.Delete(0);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(owning.Extract(kept), kept);
    EXPECT_EQ(freed, 1);
    delete kept;
  }
  EXPECT_EQ(freed, 3);
  TObjectList borrowing(false);
  TCounted local;
  borrowing.Add(&local);
  borrowing.Clear();
  EXPECT_EQ(freed, 3);
  EXPECT_EQ(borrowing.FindInstanceOf(TObject::StaticClass()), -1);
}

TEST(ComponentList, DropsComponentsFreedElsewhere) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  {
    TComponentList list(false);
    list.Add(a);
    list.Add(b);
    delete a;
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0], b);
  }
  delete b;  // the list is gone and must have stopped watching b
  EXPECT_EQ(owner.ComponentCount(), 0);
  TComponentList owning;
  auto* c = new TComponent(nullptr);
  owning.Add(c);
  owning.Delete(0);  // frees c
  EXPECT_EQ(owning.Count(), 0);
}

}  // namespace
