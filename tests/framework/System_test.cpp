#include "calderan_test.h"

#include <memory>
#include <string>
#include <vector>

#include "System.h"

namespace {

class TAnimal : public TObject {
  CALDERAN_CLASS(TAnimal)
  explicit TAnimal(TObject* owner = nullptr) : Owner(owner) {}
  TObject* Owner;
};
class TDog : public TAnimal {
  CALDERAN_CLASS(TDog)
  using TAnimal::TAnimal;
};
CALDERAN_IMPLEMENT_CREATABLE(TAnimal, TObject, TObject*)
CALDERAN_IMPLEMENT_CREATABLE(TDog, TAnimal, TObject*)

TEST(ClassRecords, NamesParentsAndAncestry) {
  TDog dog;
  EXPECT_STREQ(dog.ClassName(), "TDog");
  EXPECT_EQ(dog.ClassParent(), TAnimal::StaticClass());
  EXPECT_TRUE(dog.InheritsFrom(TObject::StaticClass()));
  EXPECT_TRUE(dog.Is<TAnimal>());
  TAnimal animal;
  EXPECT_FALSE(animal.Is<TDog>());
  EXPECT_EQ(ObjectAs<TDog>(static_cast<TObject*>(&animal)), nullptr);
  EXPECT_EQ(ObjectAs<TAnimal>(static_cast<TObject*>(&dog)), &dog);
}

TEST(ClassRecords, ReferenceCreatesTheMostDerivedClassWithItsOwner) {
  TClass cls = TDog::StaticClass();
  TAnimal owner;
  std::unique_ptr<TObject> made(cls->Create(&owner));
  EXPECT_STREQ(made->ClassName(), "TDog");
  EXPECT_EQ(static_cast<TDog*>(made.get())->Owner, &owner);
  EXPECT_THROW(TObject::StaticClass()->Create(), EClassNotFound);
}

// A family with class operations: a class-level virtual (Corners) and a factory that takes
// arguments (Create), overridden class by class.
class TShape;
class TShapeClass : public TClassOperations {
 public:
  using TClassOperations::TClassOperations;
  virtual TShape* Create(int size, const std::string& label) const;
  virtual int Corners() const { return 0; }
};
class TShape : public TObject {
  CALDERAN_CLASS_WITH_OPERATIONS(TShape, TShapeClass)
  TShape(int size, std::string label) : Size(size), Label(std::move(label)) {}
  int Size;
  std::string Label;
};
class TSquareClass : public TShapeClass {
 public:
  using TShapeClass::TShapeClass;
  TShape* Create(int size, const std::string& label) const override;
  int Corners() const override { return 4; }
};
class TSquare : public TShape {
  CALDERAN_CLASS_WITH_OPERATIONS(TSquare, TSquareClass)
  using TShape::TShape;
};
// Also made by name with an owner; its class changes only the factory.
class TTileClass : public TSquareClass {
 public:
  using TSquareClass::TSquareClass;
  TShape* Create(int size, const std::string& label) const override;
};
class TTile : public TSquare {
  CALDERAN_CLASS_WITH_OPERATIONS(TTile, TTileClass)
  using TSquare::TSquare;
  explicit TTile(TObject* owner) : TSquare(1, "tile"), Owner(owner) {}
  TObject* Owner = nullptr;
};
// A class of the family declared without class operations of its own.
class TBlob : public TShape {
  CALDERAN_CLASS(TBlob)
  using TShape::TShape;
};
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TShape, TObject)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TSquare, TShape)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TTile, TSquare, TObject*)
CALDERAN_IMPLEMENT_CLASS(TBlob, TShape)
TShape* TShapeClass::Create(int size, const std::string& label) const { return new TShape(size, label); }
TShape* TSquareClass::Create(int size, const std::string& label) const { return new TSquare(size, label); }
TShape* TTileClass::Create(int size, const std::string& label) const { return new TTile(size, label); }

TEST(ClassOperations, FactoriesTakeArgumentsAndMakeTheirOwnClass) {
  for (const TShapeClass* cls : {TShape::StaticClassOperations(), static_cast<const TShapeClass*>(TSquare::StaticClassOperations()),
                                 static_cast<const TShapeClass*>(TTile::StaticClassOperations())}) {
    std::unique_ptr<TShape> made(cls->Create(7, "seven"));
    EXPECT_EQ(made->ClassType(), cls->Class()) << cls->Class()->Name;
    EXPECT_EQ(made->Size, 7);
    EXPECT_EQ(made->Label, "seven");
    EXPECT_EQ(made->ClassOperations(), cls) << "the object leads back to its class's operations";
  }
  TAnimal owner;
  std::unique_ptr<TObject> byName(TTile::StaticClass()->Create(&owner));
  EXPECT_EQ(static_cast<TTile*>(byName.get())->Owner, &owner);
}

TEST(ClassOperations, ClassLevelVirtualsAnswerForTheClassNotTheDeclaredType) {
  std::unique_ptr<TShape> tile(TTile::StaticClassOperations()->Create(1, "t"));
  EXPECT_EQ(tile->ClassOperations()->Corners(), 4) << "inherited from the square's class";
  EXPECT_EQ(ClassOperationsOf<TShape>(TShape::StaticClass())->Corners(), 0);
  EXPECT_EQ(ClassOperationsOf<TShape>(TTile::StaticClass()), TTile::StaticClassOperations());
  EXPECT_EQ(ClassOperationsOf<TSquare>(TShape::StaticClass()), nullptr) << "not a square";
  EXPECT_EQ(ClassOperationsOf<TShape>(TAnimal::StaticClass()), nullptr);
  EXPECT_EQ(ClassOperationsOf<TShape>(nullptr), nullptr);
  TBlob blob(1, "b");
  try {
    blob.ClassOperations();
    ADD_FAILURE() << "a class without its own operations must not borrow its parent's factory";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Class TBlob declares no class operations");
  }
}

// A class that is never instantiated is its own class-operations object (painters).
class TGlyphs : public TClassOperations {
  CALDERAN_CLASS(TGlyphs)
  virtual std::string Mark() const { return "plain"; }

 protected:
  constexpr TGlyphs() = default;
};
class TFancyGlyphs : public TGlyphs {
  CALDERAN_CLASS(TFancyGlyphs)
  std::string Mark() const override { return "fancy, over " + TGlyphs::Mark(); }

 protected:
  constexpr TFancyGlyphs() = default;
};
CALDERAN_IMPLEMENT_STATELESS_CLASS(TGlyphs, TClassOperations)
CALDERAN_IMPLEMENT_STATELESS_CLASS(TFancyGlyphs, TGlyphs)

TEST(ClassOperations, AClassWithoutInstancesIsItsOwnOperations) {
  const TGlyphs* fancy = ClassOperationsOf<TGlyphs>(TFancyGlyphs::StaticClass());
  ASSERT_NE(fancy, nullptr);
  EXPECT_EQ(fancy->Mark(), "fancy, over plain");
  EXPECT_EQ(fancy->Class(), TFancyGlyphs::StaticClass());
  EXPECT_EQ(fancy->ClassType(), TFancyGlyphs::StaticClass());
  EXPECT_EQ(ClassOperationsOf<TGlyphs>(TFancyGlyphs::StaticClass()), fancy) << "one object per class";
  EXPECT_EQ(ClassOperationsOf<TGlyphs>(TGlyphs::StaticClass())->Mark(), "plain");
}

struct TListener {
  std::vector<std::string>* log;
  void Changed(int v) { log->push_back("changed " + std::to_string(v)); }
  void Other(int v) { log->push_back("other " + std::to_string(v)); }
  int Twice(int v) const { return 2 * v; }
};

TEST(Events, CallCompareAndClear) {
  std::vector<std::string> log;
  TListener a{&log}, b{&log};
  TEvent<void(int)> e1(&a, &TListener::Changed), e2(&a, &TListener::Changed);
  TEvent<void(int)> other(&a, &TListener::Other), onB(&b, &TListener::Changed), none;
  EXPECT_TRUE(e1 == e2);
  EXPECT_FALSE(e1 == other);  // same object, other method
  EXPECT_FALSE(e1 == onB);    // same method, other object
  EXPECT_TRUE(none == nullptr);
  EXPECT_FALSE(none.Assigned());
  e1(3);
  onB(4);
  EXPECT_EQ(log, (std::vector<std::string>{"changed 3", "changed 4"}));
  e1 = nullptr;
  EXPECT_FALSE(e1);
  TEvent<int(int)> twice(&a, &TListener::Twice);
  EXPECT_EQ(twice(21), 42);
}

TEST(Events, FunctionWithDataIsComparableToo) {
  int sum = 0;
  auto add = [](void* data, int v) { *static_cast<int*>(data) += v; };
  TEvent<void(int)> e(+add, &sum), same(+add, &sum);
  int other = 0;
  TEvent<void(int)> elsewhere(+add, &other);
  e(5);
  EXPECT_EQ(sum, 5);
  EXPECT_TRUE(e == same);
  EXPECT_FALSE(e == elsewhere);
}

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut, fsHigh = 200 };

TEST(Sets, IncludeExcludeAndAlgebra) {
  using S = TSet<TFontStyle>;
  S bold{TFontStyle::fsBold}, both{TFontStyle::fsBold, TFontStyle::fsItalic};
  EXPECT_TRUE(both.Contains(TFontStyle::fsItalic));
  EXPECT_FALSE(bold.Contains(TFontStyle::fsItalic));
  EXPECT_EQ(bold + TFontStyle::fsItalic, both);
  EXPECT_EQ(both - bold, S{TFontStyle::fsItalic});
  EXPECT_EQ(both * S({TFontStyle::fsItalic, TFontStyle::fsUnderline}), S{TFontStyle::fsItalic});
  EXPECT_TRUE(bold <= both);
  EXPECT_FALSE(both <= bold);
  EXPECT_TRUE((both - both).Empty());
  S high{TFontStyle::fsHigh};
  EXPECT_TRUE(high.Contains(TFontStyle::fsHigh));
  EXPECT_FALSE(high.Contains(TFontStyle::fsBold));
  EXPECT_EQ(both.ToInt(), 3u);
  EXPECT_EQ(S::FromInt(3), both);
}

TEST(Exceptions, CarryMessageAndClass) {
  try {
    throw EFOpenError("Cannot open file \"x\"");
  } catch (const EStreamError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"x\"");
    EXPECT_STREQ(e.what(), "Cannot open file \"x\"");
    EXPECT_STREQ(e.ClassName(), "EFOpenError");
    EXPECT_TRUE(e.Is<Exception>());
  }
  EXPECT_THROW(Abort(), EAbort);
}

std::vector<std::string>* unitLog;
void StartA() { unitLog->push_back("start A"); }
void StopA() { unitLog->push_back("stop A"); }
void StartB() { unitLog->push_back("start B"); }
void StopB() { unitLog->push_back("stop B"); }
const TUnitInfo UnitA{"A", StartA, StopA};
const TUnitInfo UnitB{"B", StartB, StopB};

TEST(Units, StartOnceInOrderAndStopInReverse) {
  std::vector<std::string> log;
  unitLog = &log;
  StartUnits({&UnitA, &UnitB});
  StartUnits({&UnitA});  // a second list naming a started unit does not start it again
  EXPECT_TRUE(UnitStarted(&UnitB));
  StopUnits();
  EXPECT_FALSE(UnitStarted(&UnitA));
  EXPECT_EQ(log, (std::vector<std::string>{"start A", "start B", "stop B", "stop A"}));
}

}  // namespace
