// Published properties and methods: what a stored form definition may set on an object by name.
//
// Each class that has published properties registers a constant table of descriptors for its own
// properties (not its ancestors') from its module's start-up routine; lookups walk the class
// records up to TObject, so a class sees its ancestors' properties. Published methods (event
// handlers of forms) are registered the same way, so that a stored form can bind an event
// property to a handler by the handler's name.
//
//   // in TFoo's module
//   constinit const TPropInfo kFooProps[] = {
//       Published<&TFoo::Width, &TFoo::SetWidth>("Width").WithDefault(75),
//       Published<&TFoo::Title, &TFoo::SetTitle>("Title").WithDefault("Untitled"),
//       Published<&TFoo::Kind, &TFoo::SetKind>("Kind", &KindInfo).StoredWhen<&TFoo::IsKindStored>(),
//       Published<&TFoo::Values, &TFoo::SetValues>("Values", &ValueInfo).StoredNever(),
//       Published<&TFoo::Align, &TFoo::SetAlign>("Align", &AlignInfo),   // an enumeration
//       Published<&TFoo::Font, nullptr>("Font"),                          // sub-object, read in place
//       PublishedEvent<&TFoo::OnClick>("OnClick"),                        // event (TEvent member)
//       PublishedField<&TForm1::Button1>("Button1"),                      // a form's component field
//   };
//   constinit const TMethodInfo kForm1Methods[] = {PublishedMethod<&TForm1::Button1Click>("Button1Click")};
//   void FooInit() {
//     RegisterPublishedProperties(TFoo::StaticClass(), kFooProps);
//     RegisterPublishedMethods(TForm1::StaticClass(), kForm1Methods);
//   }
//
// A reader then does: FindPublishedProperty(obj->ClassType(), "Width")->SetOrd(obj, 100), or for
// an event: prop->SetMethod(obj, form, FindPublishedMethod(form->ClassType(), "Button1Click")).
// Fields need no reader: TComponent points the owner's field of a component's name at the
// component when it is named or joins the owner, and back to null when it is renamed or leaves.
// Class properties with a null setter (Font, Lines) are read in place through GetObj; lists of
// strings and binary data come through TPersistent::DefineProperties (Classes.h).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "System.h"

enum TTypeKind {
  tkInteger,      // integral values up to 32 bits (TColor too)
  tkInt64,        // 64-bit integers
  tkChar,         // one 8-bit character
  tkEnumeration,  // an enumeration or Boolean; EnumInfo names the values
  tkSet,          // TSet<E> as the bit image of its first 32 members; EnumInfo names E's values
  tkFloat,        // float, double, long double
  tkString,       // std::string
  tkClass,        // a pointer to an object of PropClass (a sub-object or a component reference)
  tkMethod,       // an event (TEvent of some signature)
  tkField,        // a form's field that holds its component of the same name (set, never read)
};

// The names of an enumeration's values, in order from MinValue.
struct TEnumInfo {
  const char* const* Names;
  int Count;
  int MinValue = 0;
};
extern const TEnumInfo BooleanInfo;  // "False", "True"

// The name of a value ("" when out of range) and the value of a name (case ignored; -1 when
// unknown, as the platform answers).
std::string GetEnumName(const TEnumInfo* info, int value);
int GetEnumValue(const TEnumInfo* info, std::string_view name);

// A signature tag: its address is the same for every use of one event signature.
template <class Sig> inline constexpr char kSignatureTag = 0;

// A published method of a class: Make writes a TEvent<Sig> bound to `object` into *event, which
// must be a TEvent of the signature tagged by Signature.
struct TMethodInfo {
  const char* Name;
  const void* Signature;
  void (*Make)(TObject* object, void* event);
};

enum TStoredKind : uint8_t { skAlways, skNever, skPredicate };

namespace typinfo_detail {
template <class E> struct IsSet : std::false_type {};
template <class E> struct IsSet<TSet<E>> : std::true_type {};
template <class M> struct MethodClass;
template <class C> struct MethodClass<bool (C::*)() const> { using Class = C; };
}  // namespace typinfo_detail

struct TPropInfo {
  const char* Name = nullptr;
  TTypeKind Kind = tkInteger;
  const TEnumInfo* EnumInfo = nullptr;  // tkEnumeration, tkSet
  TClass PropClass = nullptr;           // tkClass, tkField
  const void* Signature = nullptr;      // tkMethod
  // Accessors; those that do not fit the kind are null, and so is a missing setter. Ordinal kinds
  // (integer, Int64, char, enumeration, Boolean, set) use GetOrd/SetOrd.
  int64_t (*GetOrd)(TObject*) = nullptr;
  void (*SetOrd)(TObject*, int64_t) = nullptr;
  long double (*GetFloat)(TObject*) = nullptr;
  void (*SetFloat)(TObject*, long double) = nullptr;
  std::string (*GetStr)(TObject*) = nullptr;
  void (*SetStr)(TObject*, const std::string&) = nullptr;
  TObject* (*GetObj)(TObject*) = nullptr;
  // For tkClass and tkField; a value that is not of PropClass stores null.
  void (*SetObj)(TObject*, TObject*) = nullptr;
  // For tkMethod: binds the event to `method` of `target` (null method or target clears it);
  // false when the method's signature differs from the event's.
  bool (*SetMethod)(TObject* instance, TObject* target, const TMethodInfo* method) = nullptr;
  // Whether a stored form keeps the property at all: always, never, or when IsStored answers true
  // for the object (a predicate such as TcxLookAndFeel::IsKindStored).
  TStoredKind Stored = skAlways;
  bool (*IsStored)(TObject*) = nullptr;
  // The default: a stored form leaves out a value equal to it. Ordinal kinds compare with Default,
  // floats with FloatDefault, strings with StrDefault; a string without a stated default has the
  // empty one, other kinds without one are always written.
  bool HasDefault = false;
  int64_t Default = 0;
  long double FloatDefault = 0;
  const char* StrDefault = "";

  // The default of the property's own type: an integer, enumeration, Boolean, character or set for
  // the ordinal kinds, a number for a float, a text for a string. Any other pairing is refused while
  // the constant tables are built.
  template <class V> constexpr TPropInfo WithDefault(V value) const {
    TPropInfo p = *this;
    p.HasDefault = true;
    if constexpr (std::is_convertible_v<V, const char*>) {
      if (Kind != tkString) throw "a text default belongs to a string property";
      p.StrDefault = value;
    } else if constexpr (std::is_floating_point_v<V>) {
      if (Kind != tkFloat) throw "a float default belongs to a float property";
      p.FloatDefault = value;
    } else {
      if (Kind == tkFloat || Kind == tkString || Kind == tkClass || Kind == tkMethod || Kind == tkField)
        throw "an ordinal default belongs to an ordinal property";
      if constexpr (typinfo_detail::IsSet<V>::value) p.Default = value.ToInt();
      else p.Default = static_cast<int64_t>(value);
    }
    return p;
  }
  // Never written (the object stores the value itself, or it follows from other properties).
  constexpr TPropInfo StoredNever() const {
    TPropInfo p = *this;
    p.Stored = skNever;
    return p;
  }
  // Written when the object's const member function Predicate answers true.
  template <auto Predicate> constexpr TPropInfo StoredWhen() const {
    using C = typename typinfo_detail::MethodClass<decltype(Predicate)>::Class;
    TPropInfo p = *this;
    p.Stored = skPredicate;
    p.IsStored = [](TObject* o) -> bool { return (static_cast<const C*>(o)->*Predicate)(); };
    return p;
  }
};

// Whether a stored form keeps the property of this object (its stored test), and whether the
// object's value equals the property's default. A writer writes what is stored and not default.
bool IsStoredProp(TObject* instance, const TPropInfo* prop);
bool IsDefaultPropertyValue(TObject* instance, const TPropInfo* prop);

// Registration from module start-up; `props` and `methods` must outlive the registration
// (constant tables). Registering a class again replaces its table.
void RegisterPublishedProperties(TClass cls, const TPropInfo* props, size_t count);
void RegisterPublishedMethods(TClass cls, const TMethodInfo* methods, size_t count);
template <size_t N> void RegisterPublishedProperties(TClass cls, const TPropInfo (&props)[N]) {
  RegisterPublishedProperties(cls, props, N);
}
template <size_t N> void RegisterPublishedMethods(TClass cls, const TMethodInfo (&methods)[N]) {
  RegisterPublishedMethods(cls, methods, N);
}
// Lookups through the ancestors, nearest class first, case ignored; null when absent.
const TPropInfo* FindPublishedProperty(TClass cls, std::string_view name);
const TMethodInfo* FindPublishedMethod(TClass cls, std::string_view name);
// Every property of the class, the ancestors' first; a name redeclared lower down is listed once,
// where the ancestor declared it, with the descendant's descriptor.
std::vector<const TPropInfo*> GetPublishedProperties(TClass cls);
// Empties the property and method registries (module shut-down).
void ClearPublishedRegistry();

// ---------------------------------------------------------------------------------------------
// Building descriptors. Getter: a const member function or a data member; Setter: a member
// function taking the value, a data member, or nullptr (read-only).
namespace typinfo_detail {
template <class M> struct MemberOf;
template <class T, class C> struct MemberOf<T C::*> { using Class = C; };

template <class Sig> struct EventOf;
template <class Sig> struct EventOf<TEvent<Sig>> { using Signature = Sig; };

template <class M> struct MethodOf;
template <class C, class R, class... A> struct MethodOf<R (C::*)(A...)> {
  using Class = C;
  using Signature = R(A...);
};
template <class C, class R, class... A> struct MethodOf<R (C::*)(A...) const> {
  using Class = C;
  using Signature = R(A...);
};

template <auto Getter, class C> decltype(auto) Read(TObject* obj) {
  if constexpr (std::is_member_object_pointer_v<decltype(Getter)>) return (static_cast<C*>(obj)->*Getter);
  else return (static_cast<C*>(obj)->*Getter)();
}

template <auto Setter, class C, class V> void Write(TObject* obj, V&& value) {
  if constexpr (std::is_member_object_pointer_v<decltype(Setter)>) static_cast<C*>(obj)->*Setter = std::forward<V>(value);
  else (static_cast<C*>(obj)->*Setter)(std::forward<V>(value));
}

template <class V> constexpr TTypeKind KindOf() {
  if constexpr (std::is_same_v<V, bool> || std::is_enum_v<V>) return tkEnumeration;
  else if constexpr (std::is_same_v<V, char>) return tkChar;
  else if constexpr (std::is_integral_v<V>) return sizeof(V) > 4 ? tkInt64 : tkInteger;
  else if constexpr (std::is_floating_point_v<V>) return tkFloat;
  else if constexpr (std::is_same_v<V, std::string>) return tkString;
  else if constexpr (IsSet<V>::value) return tkSet;
  else if constexpr (std::is_pointer_v<V>) return tkClass;
  else static_assert(sizeof(V) == 0, "no published form for this property type");
}
}  // namespace typinfo_detail

template <auto Getter, auto Setter>
constexpr TPropInfo Published(const char* name, const TEnumInfo* enumInfo = nullptr) {
  namespace d = typinfo_detail;
  using C = typename d::MemberOf<decltype(Getter)>::Class;
  using V = std::remove_cvref_t<decltype(d::Read<Getter, C>(nullptr))>;
  constexpr bool readOnly = std::is_same_v<decltype(Setter), std::nullptr_t>;
  TPropInfo p;
  p.Name = name;
  p.Kind = d::KindOf<V>();
  p.EnumInfo = std::is_same_v<V, bool> ? &BooleanInfo : enumInfo;
  if constexpr (std::is_floating_point_v<V>) {
    p.GetFloat = [](TObject* o) -> long double { return d::Read<Getter, C>(o); };
    if constexpr (!readOnly) p.SetFloat = [](TObject* o, long double v) { d::Write<Setter, C>(o, static_cast<V>(v)); };
  } else if constexpr (std::is_same_v<V, std::string>) {
    p.GetStr = [](TObject* o) -> std::string { return d::Read<Getter, C>(o); };
    if constexpr (!readOnly) p.SetStr = [](TObject* o, const std::string& v) { d::Write<Setter, C>(o, v); };
  } else if constexpr (std::is_pointer_v<V>) {
    using T = std::remove_cv_t<std::remove_pointer_t<V>>;
    p.PropClass = &T::ClassRecord;
    p.GetObj = [](TObject* o) -> TObject* { return d::Read<Getter, C>(o); };
    if constexpr (!readOnly) p.SetObj = [](TObject* o, TObject* v) { d::Write<Setter, C>(o, ObjectAs<T>(v)); };
  } else if constexpr (d::IsSet<V>::value) {
    p.GetOrd = [](TObject* o) -> int64_t { return d::Read<Getter, C>(o).ToInt(); };
    if constexpr (!readOnly)
      p.SetOrd = [](TObject* o, int64_t v) { d::Write<Setter, C>(o, V::FromInt(static_cast<uint32_t>(v))); };
  } else {
    p.GetOrd = [](TObject* o) -> int64_t { return static_cast<int64_t>(d::Read<Getter, C>(o)); };
    if constexpr (!readOnly) p.SetOrd = [](TObject* o, int64_t v) { d::Write<Setter, C>(o, static_cast<V>(v)); };
  }
  return p;
}

// An event property held in a TEvent data member.
template <auto Member> constexpr TPropInfo PublishedEvent(const char* name) {
  namespace d = typinfo_detail;
  using C = typename d::MemberOf<decltype(Member)>::Class;
  using E = std::remove_cvref_t<decltype(std::declval<C&>().*Member)>;
  using Sig = typename d::EventOf<E>::Signature;
  TPropInfo p;
  p.Name = name;
  p.Kind = tkMethod;
  p.Signature = &kSignatureTag<Sig>;
  p.SetMethod = [](TObject* o, TObject* target, const TMethodInfo* method) -> bool {
    E event;
    if (target && method) {
      if (method->Signature != &kSignatureTag<Sig>) return false;
      method->Make(target, &event);
    }
    static_cast<C*>(o)->*Member = event;
    return true;
  };
  return p;
}

// A form's data member that points at the form's component of the same name.
template <auto Member> constexpr TPropInfo PublishedField(const char* name) {
  namespace d = typinfo_detail;
  using C = typename d::MemberOf<decltype(Member)>::Class;
  using T = std::remove_pointer_t<std::remove_cvref_t<decltype(std::declval<C&>().*Member)>>;
  TPropInfo p;
  p.Name = name;
  p.Kind = tkField;
  p.PropClass = &T::ClassRecord;
  p.SetObj = [](TObject* o, TObject* v) { static_cast<C*>(o)->*Member = ObjectAs<T>(v); };
  return p;
}

// A handler method of a class, for binding events by name.
template <auto Method> constexpr TMethodInfo PublishedMethod(const char* name) {
  namespace d = typinfo_detail;
  using C = typename d::MethodOf<decltype(Method)>::Class;
  using Sig = typename d::MethodOf<decltype(Method)>::Signature;
  return TMethodInfo{name, &kSignatureTag<Sig>, [](TObject* object, void* event) {
                       *static_cast<TEvent<Sig>*>(event) = TEvent<Sig>(static_cast<C*>(object), Method);
                     }};
}
