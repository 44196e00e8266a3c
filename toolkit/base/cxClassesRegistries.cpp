// Class registries: classes mapped to registered classes by nearest ancestor, and lists of
// classes with descriptions.
#include <algorithm>

#include "SysUtils.h"
#include "cxClasses.h"

CALDERAN_IMPLEMENT_CLASS(TcxRegisteredClassList, TObject)
CALDERAN_IMPLEMENT_CLASS(TcxRegisteredClasses, TObject)

// ---------------------------------------------------------------------------------------------
// Registered class list

bool TcxRegisteredClassList::Find(TClass cls, int& index) const {
  for (int i = Count() - 1; i >= 0; --i) {
    TClass itemClass = items_[i]->ItemClass;
    if (cls->InheritsFrom(itemClass)) {
      index = i;
      return true;
    }
    if (itemClass->InheritsFrom(cls)) index = i;
  }
  return false;
}

TClass TcxRegisteredClassList::GetClass(TClass cls) const {
  int index = -1;
  return Find(cls, index) ? items_[index]->RegisteredClass : nullptr;
}

void TcxRegisteredClassList::Register(TClass itemClass, TClass registeredClass) {
  int index = -1;
  auto* item = new TcxRegisteredClassListItemData{itemClass, registeredClass};
  if (Find(itemClass, index))
    items_.insert(items_.begin() + index + 1, item);
  else if (index >= 0)
    items_.insert(items_.begin() + index, item);
  else
    items_.push_back(item);
}

void TcxRegisteredClassList::Unregister(TClass itemClass, TClass registeredClass) {
  for (int i = Count() - 1; i >= 0; --i) {
    if (items_[i]->ItemClass != itemClass || items_[i]->RegisteredClass != registeredClass) continue;
    delete items_[i];
    items_.erase(items_.begin() + i);
  }
}

void TcxRegisteredClassList::Clear() {
  for (auto* item : items_) delete item;
  items_.clear();
}

// ---------------------------------------------------------------------------------------------
// Registered classes with descriptions

void TcxRegisteredClasses::Register(TClass cls, const std::string& description) {
  if (IndexOfClass(cls) >= 0) return;
  items_.push_back({description, cls});
  if (sorted_) Sort();
  if (registerClasses_) ::RegisterClass(cls);
}

void TcxRegisteredClasses::Unregister(TClass cls) {
  int index = IndexOfClass(cls);
  if (index >= 0) items_.erase(items_.begin() + index);
}

int TcxRegisteredClasses::IndexOfClass(TClass cls) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[i].Class == cls) return i;
  return -1;
}

std::string TcxRegisteredClasses::GetCaption(int index) const { return GetHintCaption(Descriptions(index)); }

void TcxRegisteredClasses::SetSorted(bool value) {
  if (sorted_ == value) return;
  sorted_ = value;
  if (value) Sort();
}

void TcxRegisteredClasses::Sort() {
  // Sorted through CompareItems, which descendants may change: order indexes, then the items.
  std::vector<int> order(items_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [this](int a, int b) { return CompareItems(a, b) < 0; });
  std::vector<TItem> sorted;
  sorted.reserve(items_.size());
  for (int i : order) sorted.push_back(items_[i]);
  items_ = std::move(sorted);
}

int TcxRegisteredClasses::CompareItems(int index1, int index2) const {
  return AnsiCompareText(GetCaption(index1), GetCaption(index2));
}
