#include "calderan_test.h"

#include <memory>
#include <string>
#include <vector>

#include "Classes.h"

namespace {

// A component that records what it is told, into a log shared by a test.
class TRecorder : public TComponent {
  CALDERAN_CLASS(TRecorder)
  TRecorder(TComponent* owner, const std::string& name, std::vector<std::string>* log)
      : TComponent(owner), log_(log) {
    SetName(name);
  }
  ~TRecorder() override { log_->push_back(Name() + " freed"); }
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (component != this)
      log_->push_back(Name() + (operation == opInsert ? " sees insert of " : " sees removal of ") +
                      component->Name());
  }

 private:
  std::vector<std::string>* log_;
};
CALDERAN_IMPLEMENT_CLASS(TRecorder, TComponent)

using Log = std::vector<std::string>;

TEST(Component, OwnerFreesOwnedComponentsLastFirst) {
  Log log;
  auto* owner = new TRecorder(nullptr, "Form", &log);
  auto* a = new TRecorder(owner, "A", &log);
  new TRecorder(owner, "B", &log);
  EXPECT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(owner->Components(0), a);
  EXPECT_EQ(a->ComponentIndex(), 0);
  EXPECT_EQ(a->Owner(), owner);
  EXPECT_EQ(owner->FindComponent("b")->Name(), "B");
  log.clear();
  delete owner;
  EXPECT_EQ(log, (Log{"Form freed", "B freed", "A freed"}));
}

TEST(Component, FreeingOneComponentTellsItsOwnerAndSiblings) {
  Log log;
  std::unique_ptr<TRecorder> owner(new TRecorder(nullptr, "Form", &log));
  auto* a = new TRecorder(owner.get(), "A", &log);
  new TRecorder(owner.get(), "B", &log);
  log.clear();
  delete a;
  EXPECT_EQ(log, (Log{"A freed", "B sees removal of A", "Form sees removal of A"}));
  EXPECT_EQ(owner->ComponentCount(), 1);
  EXPECT_EQ(owner->FindComponent("A"), nullptr);
}

TEST(Component, FreeNotificationWorksBothWaysAcrossOwners) {
  Log log;
  auto* x = new TRecorder(nullptr, "X", &log);
  auto* y = new TRecorder(nullptr, "Y", &log);
  x->FreeNotification(y);
  EXPECT_TRUE(x->ComponentState().Contains(csFreeNotification));
  log.clear();
  delete y;  // x hears of y
  EXPECT_EQ(log, (Log{"Y freed", "X sees removal of Y"}));

  auto* z = new TRecorder(nullptr, "Z", &log);
  z->FreeNotification(x);
  log.clear();
  delete z;  // and the other way round: z asked, x watches z
  EXPECT_EQ(log, (Log{"Z freed", "X sees removal of Z"}));

  auto* w = new TRecorder(nullptr, "W", &log);
  x->FreeNotification(w);
  x->RemoveFreeNotification(w);
  log.clear();
  delete w;
  delete x;
  EXPECT_EQ(log, (Log{"W freed", "X freed"}));
}

TEST(Component, WatchedComponentFreedWithItsOwnerTellsWatchersAndSiblings) {
  Log log;
  auto* watcher = new TRecorder(nullptr, "Watcher", &log);
  auto* form = new TRecorder(nullptr, "Form", &log);
  auto* a = new TRecorder(form, "A", &log);
  new TRecorder(form, "B", &log);
  a->FreeNotification(watcher);
  log.clear();
  delete form;
  // B goes first without notices; A is watched, so the owner's removal notice reaches the
  // remaining components, then A's own destruction tells the watcher.
  EXPECT_EQ(log, (Log{"Form freed", "B freed", "A freed", "Watcher sees removal of A"}));
  delete watcher;
}

TEST(Component, NamesMustBeIdentifiersAndUniqueWithinTheOwner) {
  Log log;
  TComponent owner(nullptr);
  auto* edit = new TRecorder(&owner, "Edit1", &log);
  const std::pair<const char*, const char*> bad[] = {
      {"1abc", "'1abc' is not a valid component name"},
      {"a b", "'a b' is not a valid component name"},
      {"caf\xE9", "'caf\xE9' is not a valid component name"},
      {"Edit-1", "'Edit-1' is not a valid component name"},
  };
  auto* other = new TComponent(&owner);
  for (auto [name, message] : bad) {
    try {
      other->SetName(name);
      ADD_FAILURE() << name << " accepted";
    } catch (const EComponentError& e) {
      EXPECT_EQ(e.Message(), message);
    }
  }
  try {
    other->SetName("EDIT1");
    ADD_FAILURE() << "duplicate accepted";
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named EDIT1 already exists");
  }
  EXPECT_EQ(other->Name(), "");
  for (const char* good : {"_x", "Edit2", "a1_b", ""}) {
    other->SetName(good);
    EXPECT_EQ(other->Name(), good);
  }
  edit->SetName("EDIT1");  // its own name in another case
  EXPECT_EQ(edit->Name(), "EDIT1");
}

TEST(Component, LoadedClearsLoadingAndDesigningReachesChildren) {
  TComponent owner(nullptr);
  auto* child = new TComponent(&owner);
  owner.IncludeState(csLoading);
  owner.Loaded();
  EXPECT_FALSE(owner.ComponentState().Contains(csLoading));
  owner.SetDesigning(true);
  EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
  auto* late = new TComponent(&owner);  // joins a designing owner
  EXPECT_TRUE(late->ComponentState().Contains(csDesigning));
}

class TPoint2 : public TPersistent {
  CALDERAN_CLASS(TPoint2)
  int X = 0, Y = 0;
  // Out of line: inlined into the test, the compiler warns about the cast it never takes.
  [[gnu::noinline]] void Assign(TPersistent* source) override {
    if (auto* p = ObjectAs<TPoint2>(source)) {
      X = p->X;
      Y = p->Y;
      return;
    }
    TPersistent::Assign(source);
  }
};
class TOther : public TPersistent {
  CALDERAN_CLASS(TOther)
};
CALDERAN_IMPLEMENT_CLASS(TPoint2, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TOther, TPersistent)

TEST(Persistent, AssignCopiesKnownSourcesAndRefusesOthers) {
  TPoint2 a, b;
  b.X = 3;
  b.Y = 4;
  a.Assign(&b);
  EXPECT_EQ(a.X, 3);
  EXPECT_EQ(a.Y, 4);
  auto other = std::make_unique<TOther>();
  try {
    a.Assign(other.get());
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TOther to a TPoint2");
  }
  try {
    other->Assign(nullptr);
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TOther");
  }
}

TEST(InterfacedObject, LastReleaseFreesIt) {
  static bool freed;
  struct TCounted : TInterfacedObject {
    ~TCounted() override { freed = true; }
  };
  freed = false;
  auto* obj = new TCounted;
  IUnknown* unk = nullptr;
  ASSERT_EQ(obj->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unk)), S_OK);
  EXPECT_EQ(obj->RefCount(), 1);
  void* none = nullptr;
  EXPECT_EQ(obj->QueryInterface(IID_IStream, &none), E_NOINTERFACE);
  unk->Release();
  EXPECT_TRUE(freed);
}

// A list that records its notifications.
class TWatchedList : public TList {
 public:
  std::vector<std::pair<intptr_t, TListNotification>> Seen;

 protected:
  void Notify(void* item, TListNotification action) override {
    Seen.emplace_back(reinterpret_cast<intptr_t>(item), action);
  }
};

void* P(intptr_t v) { return reinterpret_cast<void*>(v); }

TEST(List, IndexErrorsCarryTheIndexAndNotificationsFollowChanges) {
  TWatchedList list;
  list.Add(P(1));
  list.Add(P(2));
  list.Insert(0, P(3));  // 3 1 2
  EXPECT_EQ(list.IndexOf(P(2)), 2);
  EXPECT_EQ(list.Extract(P(1)), P(1));
  list.Delete(0);  // 2
  EXPECT_EQ(list.Remove(P(9)), -1);
  list.Clear();
  using N = std::pair<intptr_t, TListNotification>;
  EXPECT_EQ(list.Seen, (std::vector<N>{{1, lnAdded}, {2, lnAdded}, {3, lnAdded}, {1, lnExtracted},
                                       {3, lnDeleted}, {2, lnDeleted}}));
  const std::pair<int, const char*> bad[] = {{0, "List index out of bounds (0)"}, {-1, "List index out of bounds (-1)"}};
  for (auto [index, message] : bad) {
    try {
      list.Get(index);
      ADD_FAILURE();
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), message);
    }
  }
  EXPECT_THROW(list.Insert(1, P(1)), EListError);
  list.Add(P(5));
  list.Add(nullptr);
  list.Add(P(4));
  list.Pack();
  list.Sort([](void* a, void* b) { return static_cast<int>(reinterpret_cast<intptr_t>(a) - reinterpret_cast<intptr_t>(b)); });
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.First(), P(4));
  EXPECT_EQ(list.Last(), P(5));
}

}  // namespace
