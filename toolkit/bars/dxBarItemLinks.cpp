// Item link collections: the derived lists, options, adding and moving, the bar window, updates.
#include <algorithm>
#include <utility>

#include "SysUtils.h"
#include "dxBarButtons.h"
#include "dxBarControl.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarItemOptions, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TdxBarItemLinks, TCollection)
CALDERAN_IMPLEMENT_CLASS(TdxBarControlItemLinks, TdxBarItemLinks)
CALDERAN_IMPLEMENT_CLASS(TdxBarSubMenuControlItemLinks, TdxBarItemLinks)

// ---------------------------------------------------------------------------------------------
TdxBarItemOptions::TdxBarItemOptions(TdxBarItemLinks* links)
    : links_(links),
      showDescriptions_(links->GetDefaultOption(ioShowDescriptions) != 0),
      showShortCuts_(links->GetDefaultOption(ioShowShortCuts) != 0),
      size_(static_cast<TdxBarMenuItemSize>(links->GetDefaultOption(ioSize))) {}

bool TdxBarItemOptions::ShowDescriptions() const { return Value(ioShowDescriptions) != 0; }
bool TdxBarItemOptions::ShowShortCuts() const { return Value(ioShowShortCuts) != 0; }
TdxBarMenuItemSize TdxBarItemOptions::Size() const { return static_cast<TdxBarMenuItemSize>(Value(ioSize)); }

void TdxBarItemOptions::SetShowDescriptions(bool value) {
  showDescriptions_ = value;
  assignedValues_.Include(ioShowDescriptions);
}

void TdxBarItemOptions::SetShowShortCuts(bool value) {
  showShortCuts_ = value;
  assignedValues_.Include(ioShowShortCuts);
}

void TdxBarItemOptions::SetSize(TdxBarMenuItemSize value) {
  size_ = value;
  assignedValues_.Include(ioSize);
}

int TdxBarItemOptions::Value(TdxBarItemOptionValue option) const {
  if (!assignedValues_.Contains(option)) return links_->GetDefaultOption(option);
  switch (option) {
    case ioShowDescriptions: return showDescriptions_;
    case ioShowShortCuts: return showShortCuts_;
    case ioSize: return size_;
  }
  return 0;
}

void TdxBarItemOptions::Assign(TPersistent* source) {
  auto* other = ObjectAs<TdxBarItemOptions>(source);
  if (!other) return TPersistent::Assign(source);
  assignedValues_ = other->assignedValues_;
  showDescriptions_ = other->showDescriptions_;
  showShortCuts_ = other->showShortCuts_;
  size_ = other->size_;
}

// ---------------------------------------------------------------------------------------------
TdxBarItemLinks::TdxBarItemLinks(TdxBarManager* manager, IdxBarLinksOwner* owner)
    : TCollection(TdxBarItemLink::StaticClass()), manager_(manager), owner_(owner) {
  itemOptions_ = new TdxBarItemOptions(this);
}

// The window goes first (its item controls belong to the links), then the links, while this
// collection is still whole.
TdxBarItemLinks::~TdxBarItemLinks() {
  destroying_ = true;
  if (barControl_ && !barControl_->ComponentState().Contains(csDestroying)) DestroyBarControl();
  barControl_ = nullptr;
  Clear();
  delete itemOptions_;
}

TComponent* TdxBarItemLinks::GetLinksOwner() const { return owner_ ? owner_->GetInstance() : nullptr; }

TdxBarItemLinks* TdxBarItemLinks::GetParentLinks() const {
  TCustomdxBarControl* parent = barControl_ ? barControl_->ParentBar() : nullptr;
  return parent ? parent->ItemLinks() : nullptr;
}

int TdxBarItemLinks::IndexOfLink(const TdxBarItemLink* link) const {
  return link && link->Collection() == this ? link->Index() : -1;
}

int TdxBarItemLinks::IndexOfItemName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    if (GetLink(i)->Item() && GetLink(i)->Item()->Name() == name) return i;
  }
  return -1;
}

bool TdxBarItemLinks::HasLinkWithControl(TdxBarItemControl* control) const {
  for (int i = 0; i < Count(); ++i) {
    if (GetLink(i)->Control() == control) return true;
  }
  return false;
}

void TdxBarItemLinks::RemoveFromLists(TdxBarItemLink* link) {
  available_.Remove(link);
  canVisible_.Remove(link);
  visible_.Remove(link);
}

void TdxBarItemLinks::MoveRecent(TdxBarItemLink* link, int index) {
  const int current = recent_.IndexOf(link);
  if (current >= 0 && index >= 0 && current != index) recent_.Move(current, index);
}

// ---------------------------------------------------------------------------------------------
// The derived lists.

bool TdxBarItemLinks::IsDesigning() const { return manager_ && manager_->IsBarManagerDesigning(); }

void TdxBarItemLinks::RebuildLists() {
  available_.Clear();
  canVisible_.Clear();
  visible_.Clear();
  const bool design = IsDesigning();
  for (int i = 0; i < Count(); ++i) {
    TdxBarItemLink* link = GetLink(i);
    TdxBarItem* item = link->Item();
    if (!item || !(design || item->IsVisibleForCustomizing())) continue;
    available_.Add(link);
    if (!design && !link->Visible()) continue;
    canVisible_.Add(link);
    if (design || recentSplit_ == -1) visible_.Add(link);
  }
  if (!design && recentSplit_ > 0) FillVisibleFromRecent();
  const bool customizing = manager_ && manager_->IsCustomizing();
  if (!customizing && UpdateCount() == 0) RemoveSurplusSeparators();
}

// The short menu: the most recently used can-be-visible links, shown in design order.
void TdxBarItemLinks::FillVisibleFromRecent() {
  for (int i = 0; i < recent_.Count() && visible_.Count() < recentSplit_; ++i) {
    if (canVisible_.IndexOf(recent_.Get(i)) >= 0) visible_.Add(recent_.Get(i));
  }
  std::vector<void*> sorted;
  for (int i = 0; i < visible_.Count(); ++i) sorted.push_back(visible_.Get(i));
  std::sort(sorted.begin(), sorted.end(),
            [this](void* a, void* b) { return canVisible_.IndexOf(a) < canVisible_.IndexOf(b); });
  visible_.Clear();
  for (void* link : sorted) visible_.Add(link);
}

// Runs of separators keep their last member; separators at the end go.
void TdxBarItemLinks::RemoveSurplusSeparators() {
  bool nextIsSeparator = true;  // the end counts as one
  for (int i = visible_.Count() - 1; i >= 0; --i) {
    auto* link = static_cast<TdxBarItemLink*>(visible_.Get(i));
    const bool separator = ObjectAs<TdxBarSeparator>(link->Item()) != nullptr;
    if (separator && nextIsSeparator) {
      canVisible_.Remove(link);
      visible_.Delete(i);
    }
    nextIsSeparator = separator;
  }
}

// ---------------------------------------------------------------------------------------------
// Adding and moving.

TdxBarItemLink* TdxBarItemLinks::AddItem(TdxBarItem* item) {
  BeginUpdate();
  TdxBarItemLink* link = AddLink();
  try {
    link->SetItem(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return link;
}

TdxBarItemLink* TdxBarItemLinks::AddNewItem(TClass itemClass) {
  return AddItem(manager_->CreateItem(itemClass));
}

// On failure neither the new item nor the new link stays behind (freeing the item frees its links).
TdxBarItemLink* TdxBarItemLinks::AddNewItemFor(TClass itemClass, TdxBarManager* manager) {
  TdxBarItemLink* link = AddLink();
  TdxBarItem* item = nullptr;
  try {
    item = (manager ? manager : manager_)->CreateItem(itemClass);
    link->SetItem(item);
  } catch (...) {
    if (item && link->Item() == item) delete item;
    else {
      delete item;
      delete link;
    }
    throw;
  }
  return link;
}

void TdxBarItemLinks::MoveLink(int from, int to) {
  BeginUpdate();
  if (from != to && from >= 0 && from < Count() && to >= 0 && to < Count()) GetLink(from)->SetIndex(to);
  EndUpdate();
  RepaintBar();
}

// ---------------------------------------------------------------------------------------------
// Options.

bool TdxBarItemLinks::IsMenuLinks() const { return !IsToolbarObject(GetLinksOwner()); }

int TdxBarItemLinks::GetDefaultOption(TdxBarItemOptionValue option) const {
  switch (option) {
    case ioShowDescriptions: return 0;
    case ioShowShortCuts: return 1;
    case ioSize: return misNormal;
  }
  return 0;
}

int TdxBarItemLinks::GetOption(TdxBarItemOptionValue option) const {
  TdxBarItemLinks* parent = GetParentLinks();
  if (itemOptions_->AssignedValues().Contains(option) || !parent) return itemOptions_->Value(option);
  return parent->GetOption(option);
}

bool TdxBarItemLinks::CanContainItem(TdxBarItem* item, std::string& text) const {
  text.clear();
  return !owner_ || owner_->CanContainItem(item, text);
}

bool TdxBarItemLinks::ContainsLinksOwner(TComponent* owner) const {
  auto* linksOwner = dynamic_cast<IdxBarLinksOwner*>(owner);
  if (linksOwner && linksOwner->GetItemLinks() == this) return true;
  for (int i = 0; i < Count(); ++i) {
    if (GetLink(i)->ContainsLinksOwner(owner)) return true;
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// Bar window and updates.

TCustomdxBarControl* TdxBarItemLinks::CreateBarControl() {
  if (!barControl_ && owner_) barControl_ = owner_->CreateBarControl();
  if (barControl_) barControl_->SetItemLinks(this);
  return barControl_;
}

void TdxBarItemLinks::DestroyBarControl() { delete std::exchange(barControl_, nullptr); }

void TdxBarItemLinks::RepaintBar() {
  if (barControl_) barControl_->RepaintBar();
}

void TdxBarItemLinks::Update(TCollectionItem* item) {
  if (!item) RebuildLists();
  TComponent* owner = GetLinksOwner();
  if (destroying_ || (owner && owner->ComponentState().Contains(csDestroying))) return;
  TCollection::Update(item);
  if (!internal_ && manager_) manager_->DesignerModified();
  if (item) {
    if (manager_ && manager_->OnItemLinkChange) manager_->OnItemLinkChange(manager_, static_cast<TdxBarItemLink*>(item));
    return;
  }
  if (barControl_ && barControl_->Enabled()) barControl_->RepaintBar();
  CallNotifyEvent(OnChange, this);
}

// A link built in full joins the recent order; a link leaving (freed or moved) leaves the lists.
void TdxBarItemLinks::Notify(TCollectionItem* item, TCollectionNotification action) {
  TCollection::Notify(item, action);
  auto* link = ObjectAs<TdxBarItemLink>(item);
  if (!link) return;
  if (action == cnAdded) {
    link->links_ = this;
    if (recent_.IndexOf(link) < 0) recent_.Add(link);
  } else if (action == cnExtracting) {
    recent_.Remove(link);
    RemoveFromLists(link);
  }
}

void TdxBarItemLinks::Assign(TPersistent* source) {
  if (!ObjectAs<TdxBarItemLinks>(source)) return TCollection::Assign(source);
  assigning_ = true;
  try {
    TCollection::Assign(source);
  } catch (...) {
    assigning_ = false;
    throw;
  }
  assigning_ = false;
}
