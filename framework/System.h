// The object model's root: class records, the root object, comparable events, sets, the exception
// base and the ordered module start-up list. Every other module builds on these.
#pragma once
#include <cstdint>
#include <cstring>
#include <exception>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>

using Integer = int32_t;
using Cardinal = uint32_t;
using Int64 = int64_t;
using Word = uint16_t;
using Byte = uint8_t;
using LongBool = int32_t;
using TDateTime = double;  // days since 30 December 1899, time of day as the fraction

class TObject;

// ---------------------------------------------------------------------------------------------
// Run-time class records. One constant record per class (name, parent, factory); a class reference
// is a pointer to it. Records are constant-initialised, so they exist before any code runs.
class TClassOperations;

struct TMetaClass {
  const char* Name;
  const TMetaClass* Parent;
  TObject* (*Factory)(TObject* owner);  // null for classes that cannot be created by reference
  // The class's own class-operations object (below); null for classes without class operations.
  const TClassOperations* Operations = nullptr;

  bool InheritsFrom(const TMetaClass* ancestor) const {
    for (const TMetaClass* c = this; c; c = c->Parent)
      if (c == ancestor) return true;
    return false;
  }
  // Creates an instance through the class's factory; owner is the component owner, the
  // collection, or null, depending on the class's constructor.
  TObject* Create(TObject* owner = nullptr) const;
};
using TClass = const TMetaClass*;

// Inside a class body, first line: declares the class record and its accessors.
#define CALDERAN_CLASS(Self)                                              \
 public:                                                                  \
  static const TMetaClass ClassRecord;                                    \
  static TClass StaticClass() { return &Self::ClassRecord; }              \
  TClass ClassType() const override { return &Self::ClassRecord; }

// In the module's .cpp: the record of a class that is not created by reference.
#define CALDERAN_IMPLEMENT_CLASS(Self, Parent) \
  constinit const TMetaClass Self::ClassRecord{#Self, &Parent::ClassRecord, nullptr};

// In the module's .cpp: the record of a class created by reference through `new Self(owner)`,
// where OwnerType is the constructor's argument type (TComponent*, TCollection*...).
#define CALDERAN_IMPLEMENT_CREATABLE(Self, Parent, OwnerType)                                 \
  constinit const TMetaClass Self::ClassRecord{                                               \
      #Self, &Parent::ClassRecord,                                                            \
      [](TObject* owner) -> TObject* { return new Self(static_cast<OwnerType>(owner)); }};

// In the module's .cpp: a creatable class whose constructor takes no argument.
#define CALDERAN_IMPLEMENT_CREATABLE0(Self, Parent)                    \
  constinit const TMetaClass Self::ClassRecord{                        \
      #Self, &Parent::ClassRecord, [](TObject*) -> TObject* { return new Self(); }};

class TObject {
 public:
  static const TMetaClass ClassRecord;
  static TClass StaticClass() { return &ClassRecord; }

  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  virtual TClass ClassType() const { return &ClassRecord; }
  const char* ClassName() const { return ClassType()->Name; }
  TClass ClassParent() const { return ClassType()->Parent; }
  bool InheritsFrom(TClass ancestor) const { return ClassType()->InheritsFrom(ancestor); }
  template <class T> bool Is() const { return InheritsFrom(T::StaticClass()); }
};

// `obj is T` and `obj as T` of the object model, through the class records.
template <class T> T* ObjectAs(TObject* obj) { return obj && obj->Is<T>() ? static_cast<T*>(obj) : nullptr; }
template <class T> const T* ObjectAs(const TObject* obj) {
  return obj && obj->Is<T>() ? static_cast<const T*>(obj) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Class operations: what the object model does with virtual class methods and class references
// used as factories with arguments. Each class of such a family has one stateless constant object
// of its own "class operations" class, which its class record points to (TMetaClass::Operations);
// class-level virtuals and factories are const virtual member functions of that object, inherited
// and overridden as instance virtuals are. A class reference of the family is a pointer to that
// object. A class that is never instantiated (a painter) is its own class-operations object.
//
//   class TFooClass : public TClassOperations {         // TFoo's class operations
//    public:
//     using TClassOperations::TClassOperations;
//     virtual TFoo* Create(TBar* bar) const;            // a factory with an argument
//     virtual TClass ViewInfoClass() const;             // a class-level virtual
//   };
//   class TFoo : public TObject { CALDERAN_CLASS_WITH_OPERATIONS(TFoo, TFooClass) ... };
//   CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TFoo, TObject)   // in the .cpp
//
// Use: foo->ClassOperations()->ViewInfoClass(), TFoo::StaticClassOperations()->Create(bar),
// ClassOperationsOf<TFoo>(cls) from a class record, ops->Class() back to the record.
class TClassOperations : public TObject {
  CALDERAN_CLASS(TClassOperations)
  // For a class that is its own class-operations object (it has no other instances).
  constexpr TClassOperations() = default;
  // For the class-operations object of the class `cls`, whose instances are other objects.
  constexpr explicit TClassOperations(TClass cls) : class_(cls) {}

  // The class these are the operations of.
  TClass Class() const { return class_ ? class_ : ClassType(); }

 private:
  TClass class_ = nullptr;
};

namespace system_detail {
template <class T> struct OperationsType {
  using Type = T;  // a class that is its own class operations
};
template <class T>
  requires requires { typename T::TClassOperationsType; }
struct OperationsType<T> {
  using Type = typename T::TClassOperationsType;
};
[[noreturn]] void NoClassOperations(TClass cls);

template <class Ops> const Ops* OperationsOf(TClass cls) {
  if (!cls->Operations) NoClassOperations(cls);
  return static_cast<const Ops*>(cls->Operations);
}
}  // namespace system_detail

// The class-operations type of T: T::TClassOperationsType, or T itself for a class that is its own.
template <class T> using ClassOperationsType = typename system_detail::OperationsType<T>::Type;

// The class operations of `cls` as T's family sees them; null when cls is null or not a T.
template <class T> const ClassOperationsType<T>* ClassOperationsOf(TClass cls) {
  if (!cls || !cls->InheritsFrom(T::StaticClass())) return nullptr;
  return system_detail::OperationsOf<ClassOperationsType<T>>(cls);
}

// Inside the class body of a family with class operations, in place of CALDERAN_CLASS. Ops must
// derive from the parent's class-operations class; every class of the family has its own object.
#define CALDERAN_CLASS_WITH_OPERATIONS(Self, Ops)                                         \
  CALDERAN_CLASS(Self)                                                                    \
  using TClassOperationsType = Ops;                                                       \
  static const Ops* StaticClassOperations() {                                             \
    return system_detail::OperationsOf<Ops>(&Self::ClassRecord);                          \
  }                                                                                       \
  const Ops* ClassOperations() const { return system_detail::OperationsOf<Ops>(ClassType()); }

#define CALDERAN_DEFINE_CLASS_OPERATIONS_(Self, Parent, FactoryExpr)                            \
  static_assert(std::is_base_of_v<ClassOperationsType<Parent>, Self::TClassOperationsType> ||   \
                    !std::is_base_of_v<TClassOperations, ClassOperationsType<Parent>>,          \
                #Self "'s class operations must derive from " #Parent "'s");                    \
  namespace {                                                                                   \
  constinit const Self::TClassOperationsType Self##ClassOperations{&Self::ClassRecord};         \
  }                                                                                             \
  constinit const TMetaClass Self::ClassRecord{#Self, &Parent::ClassRecord, FactoryExpr,        \
                                               &Self##ClassOperations};

// In the module's .cpp: the record and the class-operations object of a family's class.
#define CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(Self, Parent) \
  CALDERAN_DEFINE_CLASS_OPERATIONS_(Self, Parent, nullptr)

// The same for a class also created by name with an owner (`new Self(owner)`, as
// CALDERAN_IMPLEMENT_CREATABLE), for instance by the stored-form reader.
#define CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(Self, Parent, OwnerType) \
  CALDERAN_DEFINE_CLASS_OPERATIONS_(                                        \
      Self, Parent, [](TObject* owner) -> TObject* { return new Self(static_cast<OwnerType>(owner)); })

// In the module's .cpp: the record of a class that is never instantiated and is its own
// class-operations object (painters). It defines the class's one constant object; the class keeps
// its constructor protected, so the object is of a private final class that only makes it.
#define CALDERAN_IMPLEMENT_STATELESS_CLASS(Self, Parent)                                        \
  namespace {                                                                                   \
  struct Self##Object final : Self {                                                            \
    constexpr Self##Object() = default;                                                         \
  };                                                                                            \
  constinit const Self##Object Self##ClassOperations;                                           \
  }                                                                                             \
  constinit const TMetaClass Self::ClassRecord{#Self, &Parent::ClassRecord, nullptr, &Self##ClassOperations};

// ---------------------------------------------------------------------------------------------
// Events: a pair of object and method, comparable so that handler lists can find and remove one.
// A plain function with a data pointer is the form for code that has no object.
template <class Sig> class TEvent;

template <class R, class... A> class TEvent<R(A...)> {
 public:
  TEvent() = default;
  TEvent(std::nullptr_t) {}

  template <class C> TEvent(C* object, R (C::*method)(A...)) { Bind(object, method, &Call<C, R (C::*)(A...)>); }
  template <class C> TEvent(C* object, R (C::*method)(A...) const) {
    Bind(object, method, &Call<C, R (C::*)(A...) const>);
  }
  TEvent(R (*function)(void* data, A...), void* data) : object_(data), invoke_(&CallFunction) {
    static_assert(sizeof(function) <= sizeof(method_));
    std::memcpy(method_, &function, sizeof(function));
  }

  bool Assigned() const { return invoke_ != nullptr; }
  explicit operator bool() const { return Assigned(); }
  void* Object() const { return object_; }

  R operator()(A... args) const { return invoke_(object_, method_, std::forward<A>(args)...); }

  bool operator==(const TEvent& other) const {
    return object_ == other.object_ && invoke_ == other.invoke_ &&
           std::memcmp(method_, other.method_, sizeof(method_)) == 0;
  }
  bool operator==(std::nullptr_t) const { return !Assigned(); }

 private:
  using Invoker = R (*)(void*, const unsigned char*, A...);

  template <class M> void Bind(void* object, M method, Invoker invoke) {
    static_assert(sizeof(M) <= sizeof(method_), "member pointers of single inheritance only");
    object_ = object;
    invoke_ = invoke;
    std::memcpy(method_, &method, sizeof(M));
  }
  template <class C, class M> static R Call(void* object, const unsigned char* bytes, A... args) {
    M method;
    std::memcpy(&method, bytes, sizeof(M));
    return (static_cast<C*>(object)->*method)(std::forward<A>(args)...);
  }
  static R CallFunction(void* data, const unsigned char* bytes, A... args) {
    R (*function)(void*, A...);
    std::memcpy(&function, bytes, sizeof(function));
    return function(data, std::forward<A>(args)...);
  }

  void* object_ = nullptr;
  Invoker invoke_ = nullptr;
  alignas(void*) unsigned char method_[2 * sizeof(void*)] = {};
};

template <class C, class R, class... A> TEvent<R(A...)> MakeEvent(C* object, R (C::*method)(A...)) {
  return TEvent<R(A...)>(object, method);
}

// ---------------------------------------------------------------------------------------------
// Sets of an enumeration whose values lie in 0..255, as the object model's sets do.
template <class E> class TSet {
  static_assert(std::is_enum_v<E>);

 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> values) {
    for (E v : values) Include(v);
  }

  constexpr TSet& Include(E v) { bits_[Index(v) / 64] |= Bit(v); return *this; }
  constexpr TSet& Exclude(E v) { bits_[Index(v) / 64] &= ~Bit(v); return *this; }
  constexpr bool Contains(E v) const { return (bits_[Index(v) / 64] & Bit(v)) != 0; }
  constexpr bool Empty() const { return !(bits_[0] | bits_[1] | bits_[2] | bits_[3]); }

  constexpr TSet operator+(TSet o) const { return Combine(o, [](uint64_t a, uint64_t b) { return a | b; }); }
  constexpr TSet operator*(TSet o) const { return Combine(o, [](uint64_t a, uint64_t b) { return a & b; }); }
  constexpr TSet operator-(TSet o) const { return Combine(o, [](uint64_t a, uint64_t b) { return a & ~b; }); }
  constexpr TSet operator+(E v) const { TSet r = *this; return r.Include(v); }
  constexpr TSet operator-(E v) const { TSet r = *this; return r.Exclude(v); }
  constexpr TSet& operator+=(TSet o) { return *this = *this + o; }
  constexpr TSet& operator-=(TSet o) { return *this = *this - o; }
  constexpr TSet& operator*=(TSet o) { return *this = *this * o; }
  constexpr bool operator==(const TSet&) const = default;
  // a <= b: every member of a is in b
  constexpr bool operator<=(TSet o) const { return (*this - o).Empty(); }

  // Bit image of the first 32 members, for stored forms and Win32 flag words.
  constexpr uint32_t ToInt() const { return static_cast<uint32_t>(bits_[0]); }
  static constexpr TSet FromInt(uint32_t v) { TSet s; s.bits_[0] = v; return s; }

 private:
  static constexpr unsigned Index(E v) { return static_cast<unsigned>(v) & 255u; }
  static constexpr uint64_t Bit(E v) { return uint64_t{1} << (Index(v) % 64); }
  template <class F> constexpr TSet Combine(TSet o, F f) const {
    TSet r;
    for (int i = 0; i < 4; ++i) r.bits_[i] = f(bits_[i], o.bits_[i]);
    return r;
  }
  uint64_t bits_[4] = {};
};

// ---------------------------------------------------------------------------------------------
// Exceptions: one base carrying the message text; thrown by value, caught by reference.
class Exception : public TObject, public std::exception {
  CALDERAN_CLASS(Exception)
  explicit Exception(std::string message = {}) : message_(std::move(message)) {}
  Exception(const Exception& other) : TObject(), std::exception(other), message_(other.message_) {}
  const std::string& Message() const { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// Declares an exception class that only differs from its parent by its class.
#define CALDERAN_EXCEPTION(Self, Parent) \
  class Self : public Parent {           \
    CALDERAN_CLASS(Self)                 \
    using Parent::Parent;                \
  };

CALDERAN_EXCEPTION(EAbort, Exception)
CALDERAN_EXCEPTION(EConvertError, Exception)
CALDERAN_EXCEPTION(EListError, Exception)
CALDERAN_EXCEPTION(EStringListError, Exception)
CALDERAN_EXCEPTION(EInvalidOperation, Exception)
CALDERAN_EXCEPTION(EInvalidPointer, Exception)
CALDERAN_EXCEPTION(EOutOfResources, Exception)
CALDERAN_EXCEPTION(EComponentError, Exception)
CALDERAN_EXCEPTION(EClassNotFound, Exception)
CALDERAN_EXCEPTION(EInOutError, Exception)
CALDERAN_EXCEPTION(EOSError, Exception)
CALDERAN_EXCEPTION(EStreamError, Exception)
CALDERAN_EXCEPTION(EFCreateError, EStreamError)
CALDERAN_EXCEPTION(EFOpenError, EStreamError)
CALDERAN_EXCEPTION(EReadError, EStreamError)
CALDERAN_EXCEPTION(EWriteError, EStreamError)
CALDERAN_EXCEPTION(EResNotFound, Exception)
CALDERAN_EXCEPTION(EAssertionFailed, Exception)
CALDERAN_EXCEPTION(EInvalidCast, Exception)

// The silent exception: unwinds without a message box (`Abort`).
[[noreturn]] void Abort();

// ---------------------------------------------------------------------------------------------
// Module start-up and shut-down. Each module that needs either exposes a TUnitInfo; each layer lists
// its modules in dependency order; the program entry (and test fixtures) start the lists in layer
// order. A unit starts at most once per process; StopUnits runs the shut-downs in reverse.
struct TUnitInfo {
  const char* Name;
  void (*Initialize)();
  void (*Finalize)();
};

void StartUnits(std::initializer_list<const TUnitInfo*> units);
// Runs the steps given to RunBeforeUnitsStop (last given first), then the shut-downs in reverse.
void StopUnits();
// A step that needs every unit still running, such as freeing the application's forms, whose
// controls call into the units above the one that owns them.
void RunBeforeUnitsStop(void (*step)());
bool UnitStarted(const TUnitInfo* unit);
