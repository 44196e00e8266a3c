// The component collection: components kept in a collection of their parent component, with
// running identifiers and change reports folded by an update count.
#include <algorithm>

#include "SysUtils.h"
#include "cxClasses.h"

CALDERAN_IMPLEMENT_CLASS(TcxComponentCollectionItem, TComponent)
CALDERAN_IMPLEMENT_CLASS(TcxComponentCollection, TPersistent)

// ---------------------------------------------------------------------------------------------
// Items

TcxComponentCollectionItem::~TcxComponentCollectionItem() { SetCollection(nullptr); }

void TcxComponentCollectionItem::SetCollection(TcxComponentCollection* value) {
  if (collection_ == value) return;
  if (collection_) collection_->RemoveItem(this);
  if (value) value->InsertItem(this);
}

int TcxComponentCollectionItem::GetIndex() const { return collection_ ? collection_->IndexOf(this) : -1; }

void TcxComponentCollectionItem::SetIndex(int value) {
  if (!collection_ || GetIndex() == value) return;
  collection_->MoveItem(this, value);
  Changed(true);
}

void TcxComponentCollectionItem::Changed(bool wholeCollection) {
  if (ComponentState().Contains(csDestroying) || !collection_) return;
  collection_->Changed(wholeCollection ? nullptr : this, ccnChanged);
}

TComponent* TcxComponentCollectionItem::GetParentComponent() const {
  return collection_ ? collection_->ParentComponent() : TComponent::GetParentComponent();
}

bool TcxComponentCollectionItem::HasParent() const { return GetParentComponent() != nullptr; }

void TcxComponentCollectionItem::SetParentComponent(TComponent* parent) {
  SetCollection(parent ? GetCollectionFromParent(parent) : nullptr);
}

// ---------------------------------------------------------------------------------------------
// The collection

TcxComponentCollection::TcxComponentCollection(TComponent* parentComponent, TClass itemClass)
    : parentComponent_(parentComponent), itemClass_(itemClass) {}

TcxComponentCollection::~TcxComponentCollection() {
  updateCount_ = 1;  // no change reports any more
  Clear();
}

TcxComponentCollectionItem* TcxComponentCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(SListIndexError, {index}));
  return items_[index];
}

int TcxComponentCollection::IndexOf(const TcxComponentCollectionItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TcxComponentCollectionItem* TcxComponentCollection::Add() {
  TComponent* owner = parentComponent_ ? parentComponent_->Owner() : nullptr;
  auto* item = static_cast<TcxComponentCollectionItem*>(itemClass_->Create(owner));
  item->SetParentComponent(parentComponent_);
  InitItem(item);
  return item;
}

void TcxComponentCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  try {
    while (!items_.empty()) delete items_.back();  // each item leaves the collection as it goes
  } catch (...) {
    EndUpdate(true);
    throw;
  }
  EndUpdate(true);
}

void TcxComponentCollection::Assign(TPersistent* source) {
  auto* other = ObjectAs<TcxComponentCollection>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  BeginUpdate();
  try {
    Clear();
    for (int i = 0; i < other->Count(); ++i) Add()->Assign(other->Items(i));
  } catch (...) {
    EndUpdate(true);
    throw;
  }
  EndUpdate(true);
}

void TcxComponentCollection::EndUpdate(bool force) {
  // An unpaired EndUpdate would otherwise let reports through inside the next update.
  if (updateCount_ > 0) --updateCount_;
  if (force) Changed(nullptr, ccnChanged);
}

void TcxComponentCollection::Changed(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action) {
  if (updateCount_ == 0) DoChange(item, action);
}

void TcxComponentCollection::DoChange(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action) {
  if (OnChange) OnChange(this, item, action);
}

void TcxComponentCollection::InsertItem(TcxComponentCollectionItem* item) {
  if (!item->InheritsFrom(itemClass_)) return;
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = nextId_++;
  Notify(item, ccnAdded);
  Changed(item, ccnAdded);
}

void TcxComponentCollection::RemoveItem(TcxComponentCollectionItem* item) {
  Notify(item, ccnExtracting);
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->collection_ = nullptr;
  Notify(item, ccnExtracted);
  Changed(item, ccnExtracted);
}

void TcxComponentCollection::MoveItem(TcxComponentCollectionItem* item, int newIndex) {
  if (newIndex < 0 || newIndex >= Count()) throw EListError(Format(SListIndexError, {newIndex}));
  items_.erase(items_.begin() + IndexOf(item));
  items_.insert(items_.begin() + newIndex, item);
}
