#include "TypInfo.h"

#include <algorithm>

#include "SysUtils.h"

namespace {
constexpr const char* kBooleanNames[] = {"False", "True"};

struct TClassEntry {
  TClass Class;
  const TPropInfo* Props = nullptr;
  size_t PropCount = 0;
  const TMethodInfo* Methods = nullptr;
  size_t MethodCount = 0;
};

// Built on first use; a handful of classes per module, so a flat list is enough.
std::vector<TClassEntry>& Registry() {
  static std::vector<TClassEntry> entries;
  return entries;
}

TClassEntry& EntryFor(TClass cls) {
  auto& entries = Registry();
  for (TClassEntry& e : entries)
    if (e.Class == cls) return e;
  entries.push_back(TClassEntry{cls});
  return entries.back();
}

const TClassEntry* FindEntry(TClass cls) {
  for (const TClassEntry& e : Registry())
    if (e.Class == cls) return &e;
  return nullptr;
}
}  // namespace

constinit const TEnumInfo BooleanInfo{kBooleanNames, 2, 0};

std::string GetEnumName(const TEnumInfo* info, int value) {
  int i = value - info->MinValue;
  return i >= 0 && i < info->Count ? info->Names[i] : "";
}

int GetEnumValue(const TEnumInfo* info, std::string_view name) {
  for (int i = 0; i < info->Count; ++i)
    if (SameText(info->Names[i], name)) return info->MinValue + i;
  return -1;
}

void RegisterPublishedProperties(TClass cls, const TPropInfo* props, size_t count) {
  TClassEntry& e = EntryFor(cls);
  e.Props = props;
  e.PropCount = count;
}

void RegisterPublishedMethods(TClass cls, const TMethodInfo* methods, size_t count) {
  TClassEntry& e = EntryFor(cls);
  e.Methods = methods;
  e.MethodCount = count;
}

const TPropInfo* FindPublishedProperty(TClass cls, std::string_view name) {
  for (TClass c = cls; c; c = c->Parent)
    if (const TClassEntry* e = FindEntry(c))
      for (size_t i = 0; i < e->PropCount; ++i)
        if (SameText(e->Props[i].Name, name)) return &e->Props[i];
  return nullptr;
}

const TMethodInfo* FindPublishedMethod(TClass cls, std::string_view name) {
  for (TClass c = cls; c; c = c->Parent)
    if (const TClassEntry* e = FindEntry(c))
      for (size_t i = 0; i < e->MethodCount; ++i)
        if (SameText(e->Methods[i].Name, name)) return &e->Methods[i];
  return nullptr;
}

std::vector<const TPropInfo*> GetPublishedProperties(TClass cls) {
  std::vector<TClass> chain;
  for (TClass c = cls; c; c = c->Parent) chain.push_back(c);
  std::vector<const TPropInfo*> result;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    const TClassEntry* e = FindEntry(*it);
    if (!e) continue;
    for (size_t i = 0; i < e->PropCount; ++i) {
      const TPropInfo* p = &e->Props[i];
      auto same = std::find_if(result.begin(), result.end(), [p](const TPropInfo* q) { return SameText(q->Name, p->Name); });
      if (same != result.end()) *same = p;
      else result.push_back(p);
    }
  }
  return result;
}

bool IsStoredProp(TObject* instance, const TPropInfo* prop) {
  switch (prop->Stored) {
    case skAlways: return true;
    case skNever: return false;
    case skPredicate: return prop->IsStored(instance);
  }
  return true;
}

bool IsDefaultPropertyValue(TObject* instance, const TPropInfo* prop) {
  switch (prop->Kind) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkEnumeration:
    case tkSet: return prop->HasDefault && prop->GetOrd && prop->GetOrd(instance) == prop->Default;
    case tkFloat: return prop->HasDefault && prop->GetFloat && prop->GetFloat(instance) == prop->FloatDefault;
    case tkString: return prop->GetStr && prop->GetStr(instance) == prop->StrDefault;
    case tkClass:
    case tkMethod:
    case tkField: return false;
  }
  return false;
}

void ClearPublishedRegistry() {
  Registry().clear();
  Registry().shrink_to_fit();
}
