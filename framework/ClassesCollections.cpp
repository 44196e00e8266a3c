// TCollection and TCollectionItem of Classes.
#include "Classes.h"

CALDERAN_IMPLEMENT_CREATABLE(TCollectionItem, TPersistent, TCollection*)
CALDERAN_IMPLEMENT_CLASS(TCollection, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TOwnedCollection, TCollection)

// ---------------------------------------------------------------------------------------------
// TCollectionItem
TCollectionItem::TCollectionItem(TCollection* collection) {
  // The class test of SetCollection cannot hold here: until this constructor returns the item is
  // only a TCollectionItem. The factory of the item class made it, so it is of that class.
  if (collection) collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection_ == collection) return;
  if (collection && !InheritsFrom(collection->ItemClass())) throw EConvertError(SInvalidPropertyValue);
  if (collection_) collection_->RemoveItem(this);
  if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const { return collection_ ? collection_->items_.IndexOf(this) : -1; }

void TCollectionItem::SetIndex(int index) {
  int current = Index();
  if (current >= 0 && current != index) {
    collection_->items_.Move(current, index);
    Changed(true);
  }
}

void TCollectionItem::Changed(bool allItems) {
  if (collection_ && collection_->updateCount_ == 0) collection_->Update(allItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() { return collection_; }

std::string TCollectionItem::GetNamePath() {
  if (!collection_) return ClassName();
  return Format("%s[%d]", {collection_->GetNamePath(), Index()});
}

// ---------------------------------------------------------------------------------------------
// TCollection
TCollection::TCollection(TCollectionItemClass itemClass) : itemClass_(itemClass) {}

TCollection::~TCollection() {
  updateCount_ = 1;  // no Update calls while the items go
  Clear();
}

void TCollection::InsertItem(TCollectionItem* item) {
  items_.Add(item);
  item->collection_ = this;
  item->id_ = nextId_++;
  if (adding_) return;  // Add notifies once the item is built
  Notify(item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
  Notify(item, cnExtracting);
  items_.Remove(item);
  item->collection_ = nullptr;
  Changed();
}

TCollectionItem* TCollection::Add() {
  adding_ = true;
  TObject* made;
  try {
    made = itemClass_->Create(this);
  } catch (...) {
    adding_ = false;
    throw;
  }
  adding_ = false;
  auto* item = static_cast<TCollectionItem*>(made);
  Notify(item, cnAdded);
  Changed();
  return item;
}

TCollectionItem* TCollection::Insert(int index) {
  TCollectionItem* item = Add();
  item->SetIndex(index);
  return item;
}

void TCollection::Delete(int index) {
  TCollectionItem* item = Items(index);
  Notify(item, cnDeleting);
  Free(item);
}

void TCollection::Clear() {
  if (Count() == 0) return;
  WithinUpdate(*this, [&] {
    while (Count() > 0) Free(Items(Count() - 1));
  });
}

void TCollection::EndUpdate() {
  --updateCount_;
  Changed();
}

void TCollection::Changed() {
  if (updateCount_ == 0) Update(nullptr);
}

// The item leaves while it is still whole, so that Notify(cnExtracting) sees all of it.
void TCollection::Free(TCollectionItem* item) {
  RemoveItem(item);
  delete item;
}

TCollectionItem* TCollection::FindItemID(int id) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->ID() == id) return Items(i);
  return nullptr;
}

void TCollection::Assign(TPersistent* source) {
  auto* other = ObjectAs<TCollection>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  WithinUpdate(*this, [&] {
    Clear();
    for (int i = 0; i < other->Count(); ++i) Add()->Assign(other->Items(i));
  });
}

std::string TCollection::GetNamePath() {
  TPersistent* owner = GetOwner();
  if (!owner) return ClassName();
  std::string path = owner->GetNamePath();
  return path.empty() ? std::string() : path + "." + ClassName();
}
