#include "calderan_test.h"

#include <string>
#include <vector>

#include "cxClasses.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Object links

class TLinked : public TObject {
 public:
  ~TLinked() override { ClearObjectLinks(this); }
};

TEST(ObjectLinks, NoneGivesNoLinkAndNoController) {
  EXPECT_EQ(AddObjectLink(nullptr), nullptr);
  EXPECT_FALSE(ObjectLinkControllerExists());
  RemoveObjectLink(nullptr);  // ignored
}

TEST(ObjectLinks, ClearedWhenTheirObjectDies) {
  auto* a = new TLinked;
  TLinked b;
  TcxObjectLink* la1 = AddObjectLink(a);
  TcxObjectLink* la2 = AddObjectLink(a);
  TcxObjectLink* lb = AddObjectLink(&b);
  ASSERT_TRUE(ObjectLinkControllerExists());
  delete a;
  EXPECT_EQ(la1->Ref, nullptr);
  EXPECT_EQ(la2->Ref, nullptr);
  EXPECT_EQ(lb->Ref, &b);
  // Cleared links only free themselves; the controller lives until the last link goes.
  RemoveObjectLink(la1);
  RemoveObjectLink(la2);
  EXPECT_TRUE(ObjectLinkControllerExists());
  RemoveObjectLink(lb);
  EXPECT_FALSE(ObjectLinkControllerExists());
  // A new link after that makes a new controller, and clearing an object no longer linked is harmless.
  TcxObjectLink* again = AddObjectLink(&b);
  EXPECT_TRUE(ObjectLinkControllerExists());
  RemoveObjectLink(again);
  EXPECT_FALSE(ObjectLinkControllerExists());
  ClearObjectLinks(&b);
}

struct TSelfDestroying : TLinked {
  void Fire(bool destroy) {
    TcxObjectLinkGuard guard(this);
    if (destroy) delete this;
    survived = guard.Alive();
  }
  static inline bool survived = false;
};

TEST(ObjectLinks, GuardTellsWhetherTheObjectSurvivedACall) {
  auto* object = new TSelfDestroying;
  object->Fire(false);
  EXPECT_TRUE(TSelfDestroying::survived);
  object->Fire(true);
  EXPECT_FALSE(TSelfDestroying::survived);
  EXPECT_FALSE(ObjectLinkControllerExists());
}

// ---------------------------------------------------------------------------------------------
// Event handler collection

struct TRecorder : TObject {
  std::vector<std::string>* log;
  std::string name;
  TRecorder(std::vector<std::string>* l, std::string n) : log(l), name(std::move(n)) {}
  void Handle(TObject*, void* args) { log->push_back(name + ":" + std::to_string(*static_cast<int*>(args))); }
  void Other(TObject*, void*) { log->push_back(name + ":other"); }
};

TEST(EventHandlers, NoDuplicatesOrderKeptAbsentRemovalIgnored) {
  std::vector<std::string> log;
  TRecorder a(&log, "a"), b(&log, "b");
  TcxEventHandlerCollection handlers;
  handlers.Add(TcxEventHandler(&a, &TRecorder::Handle));
  handlers.Add(TcxEventHandler(&b, &TRecorder::Handle));
  handlers.Add(TcxEventHandler(&a, &TRecorder::Handle));  // same code and object
  handlers.Add(TcxEventHandler(&a, &TRecorder::Other));   // same object, other code
  EXPECT_EQ(handlers.Count(), 3);
  handlers.Remove(TcxEventHandler(&b, &TRecorder::Other));  // absent
  handlers.Delete(7);
  handlers.Delete(-1);
  EXPECT_EQ(handlers.Count(), 3);
  int value = 5;
  handlers.CallEvents(nullptr, &value);
  EXPECT_EQ(log, (std::vector<std::string>{"a:5", "b:5", "a:other"}));
  handlers.Remove(TcxEventHandler(&b, &TRecorder::Handle));
  EXPECT_EQ(handlers.IndexOf(TcxEventHandler(&a, &TRecorder::Other)), 1);
}

struct TAdder : TObject {
  TcxEventHandlerCollection* handlers;
  int calls = 0;
  void Handle(TObject*, void*) {
    ++calls;
    handlers->Add(TcxEventHandler(this, &TAdder::Late));
  }
  void Late(TObject*, void*) { ++calls; }
};

TEST(EventHandlers, HandlersAddedDuringACallWaitForTheNextCall) {
  TcxEventHandlerCollection handlers;
  TAdder adder;
  adder.handlers = &handlers;
  handlers.Add(TcxEventHandler(&adder, &TAdder::Handle));
  handlers.CallEvents(nullptr, nullptr);
  EXPECT_EQ(adder.calls, 1);
  handlers.CallEvents(nullptr, nullptr);
  EXPECT_EQ(adder.calls, 3);
}

// ---------------------------------------------------------------------------------------------
// Registered class list

class TA : public TObject { CALDERAN_CLASS(TA) };
class TB : public TA { CALDERAN_CLASS(TB) };
class TE : public TB { CALDERAN_CLASS(TE) };
class TBOther : public TB { CALDERAN_CLASS(TBOther) };
class TU : public TObject { CALDERAN_CLASS(TU) };
class TX : public TObject { CALDERAN_CLASS(TX) };
class TY : public TObject { CALDERAN_CLASS(TY) };
class TZ : public TObject { CALDERAN_CLASS(TZ) };
CALDERAN_IMPLEMENT_CLASS(TA, TObject)
CALDERAN_IMPLEMENT_CLASS(TB, TA)
CALDERAN_IMPLEMENT_CLASS(TE, TB)
CALDERAN_IMPLEMENT_CLASS(TBOther, TB)
CALDERAN_IMPLEMENT_CLASS(TU, TObject)
CALDERAN_IMPLEMENT_CLASS(TX, TObject)
CALDERAN_IMPLEMENT_CLASS(TY, TObject)
CALDERAN_IMPLEMENT_CLASS(TZ, TObject)

std::vector<std::string> Order(const TcxRegisteredClassList& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.Items(i).ItemClass->Name);
  return names;
}

TEST(RegisteredClassList, LookupByNearestAncestorWhateverTheRegistrationOrder) {
  TcxRegisteredClassList list;
  EXPECT_EQ(list.GetClass(TA::StaticClass()), nullptr);
  list.Register(TA::StaticClass(), TX::StaticClass());
  list.Register(TE::StaticClass(), TZ::StaticClass());
  list.Register(TB::StaticClass(), TY::StaticClass());
  // B goes between its ancestor A and its descendant E.
  EXPECT_EQ(Order(list), (std::vector<std::string>{"TA", "TB", "TE"}));
  struct Case { TClass asked, expected; } cases[] = {
      {TA::StaticClass(), TX::StaticClass()},      {TB::StaticClass(), TY::StaticClass()},
      {TE::StaticClass(), TZ::StaticClass()},      {TBOther::StaticClass(), TY::StaticClass()},
      {TObject::StaticClass(), nullptr},           {TU::StaticClass(), nullptr},
  };
  for (const Case& c : cases) EXPECT_EQ(list.GetClass(c.asked), c.expected) << c.asked->Name;

  // A descendant registered before its ancestor still ends up after it.
  TcxRegisteredClassList reversed;
  reversed.Register(TE::StaticClass(), TZ::StaticClass());
  reversed.Register(TA::StaticClass(), TX::StaticClass());
  reversed.Register(TU::StaticClass(), TY::StaticClass());  // unrelated: appended
  EXPECT_EQ(Order(reversed), (std::vector<std::string>{"TA", "TE", "TU"}));
  EXPECT_EQ(reversed.GetClass(TB::StaticClass()), TX::StaticClass());
}

TEST(RegisteredClassList, FindReportsTheLowestDescendantWhenNoAncestorIsRegistered) {
  TcxRegisteredClassList list;
  list.Register(TU::StaticClass(), TX::StaticClass());
  list.Register(TE::StaticClass(), TZ::StaticClass());
  list.Register(TBOther::StaticClass(), TY::StaticClass());
  int index = -1;
  EXPECT_FALSE(list.Find(TB::StaticClass(), index));
  EXPECT_EQ(index, 1);
  index = -1;
  EXPECT_FALSE(list.Find(TX::StaticClass(), index));
  EXPECT_EQ(index, -1);
}

TEST(RegisteredClassList, UnregisterFallsBackToTheAncestor) {
  TcxRegisteredClassList list;
  list.Register(TA::StaticClass(), TX::StaticClass());
  list.Register(TB::StaticClass(), TY::StaticClass());
  list.Register(TB::StaticClass(), TY::StaticClass());  // twice: two entries
  EXPECT_EQ(list.Count(), 3);
  list.Unregister(TB::StaticClass(), TZ::StaticClass());  // other pair: nothing
  EXPECT_EQ(list.GetClass(TE::StaticClass()), TY::StaticClass());
  list.Unregister(TB::StaticClass(), TY::StaticClass());  // every equal pair
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.GetClass(TE::StaticClass()), TX::StaticClass());
  list.Clear();
  EXPECT_EQ(list.GetClass(TE::StaticClass()), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Small routines

TEST(SmallRoutines, RangeMiddleIsTheFloorOfTheMean) {
  struct Case { int a, b, middle; } cases[] = {
      {-3, 0, -2}, {3, 0, 1}, {0, 0, 0}, {-1, 0, -1}, {-4, 0, -2}, {5, 6, 5}, {-5, -6, -6},
      {INT32_MAX, INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MIN, INT32_MIN},
  };
  for (const Case& c : cases) EXPECT_EQ(RangeMiddle(c.a, c.b), c.middle) << c.a << " " << c.b;
  EXPECT_EQ(SignOf(0.0), 1.0);
  EXPECT_EQ(SignOf(-0.5), -1.0);
}

TEST(SmallRoutines, MemoryRoutinesTakeTheSourceFirstAndClampOffsets) {
  Byte source[6] = {1, 2, 3, 4, 5, 6}, target[6] = {};
  MoveMemory(source, target, 3);
  EXPECT_EQ(std::vector<Byte>(target, target + 6), (std::vector<Byte>{1, 2, 3, 0, 0, 0}));
  MoveWithOffsets(source, target, 2, 2, -5);  // a negative offset counts as 0
  EXPECT_EQ(std::vector<Byte>(target, target + 6), (std::vector<Byte>{3, 4, 3, 0, 0, 0}));
  MoveWithOffsets(source, target, -1, 1, 5);
  EXPECT_EQ(ReadByteAt(target, 5), 1);
  WriteByteAt(target, 9, 4);
  EXPECT_EQ(target[4], 9);
  FillZero(target, 6);
  EXPECT_EQ(std::vector<Byte>(target, target + 6), std::vector<Byte>(6, 0));
}

CX_RESOURCESTRING(sTestMissing, 0xC3FE, "Built-in text")
CX_RESOURCESTRING(sTestInTable, 0xC3FF, "Built-in text")

TEST(ToolkitStrings, TheStringTableComesFirstTheBuiltInTextOtherwise) {
  EXPECT_EQ(LoadToolkitString(sTestMissing), "Built-in text");
  EXPECT_EQ(LoadToolkitString(sTestInTable), "Table text: caf\xE9");  // in the system code page
}

TEST(InterfaceBase, QueriesWithoutCounting) {
  TcxIUnknownObject object;
  IUnknown* unknown = nullptr;
  EXPECT_EQ(object.QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  EXPECT_EQ(unknown, static_cast<IUnknown*>(&object));
  EXPECT_EQ(unknown->AddRef(), static_cast<ULONG>(-1));
  EXPECT_EQ(unknown->Release(), static_cast<ULONG>(-1));
  void* other = &object;
  EXPECT_EQ(object.QueryInterface(IID_IDispatch, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
}

}  // namespace

namespace {

// ---------------------------------------------------------------------------------------------
// Registered classes with descriptions

TEST(RegisteredClasses, CaptionsSortingAndNoSecondEntry) {
  TcxRegisteredClasses list;
  list.Register(TB::StaticClass(), "beta|hint");
  list.Register(TA::StaticClass(), "Alpha");
  list.Register(TB::StaticClass(), "Other");  // present already: nothing changes
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Descriptions(0), "beta|hint");
  EXPECT_EQ(list.GetCaption(0), "beta");
  list.SetSorted(true);
  EXPECT_EQ(list.Items(0), TA::StaticClass());
  EXPECT_EQ(list.GetCaption(1), "beta");
  list.Register(TE::StaticClass(), "Az");  // sorted on registration while sorted
  EXPECT_EQ(list.IndexOfClass(TE::StaticClass()), 1);
  list.Unregister(TA::StaticClass());
  list.Unregister(TU::StaticClass());  // absent: nothing
  EXPECT_EQ(list.IndexOfClass(TA::StaticClass()), -1);
  EXPECT_EQ(list.Count(), 2);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(RegisteredClasses, RegisteringForStoredFormsWhenAsked) {
  TcxRegisteredClasses plain, streamed(true);
  plain.Register(TX::StaticClass(), "X");
  EXPECT_EQ(GetClass("TX"), nullptr);
  streamed.Register(TY::StaticClass(), "Y");
  EXPECT_EQ(GetClass("TY"), TY::StaticClass());
  UnRegisterClass(TY::StaticClass());
}

}  // namespace
