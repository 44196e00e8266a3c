#include "dxBarContainerItems.h"

#include <vector>

#include "Classes.h"
#include "dxBarButtons.h"
#include "dxBarControl.h"
#include "dxBarItemRegistry.h"
#include "dxBarManager.h"

CALDERAN_IMPLEMENT_CLASS(TCustomdxBarContainerItem, TCustomdxBarSubItem)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarContainerItem, TCustomdxBarContainerItem, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarListItem, TCustomdxBarContainerItem, TComponent*)
CALDERAN_IMPLEMENT_CLASS(TContainerItemSubMenuControl, TdxBarSubMenuControl)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarContainerItemControl, TdxBarSubItemControl, TdxBarItemLink*)

// ---------------------------------------------------------------------------------------------
// The base.

void TCustomdxBarContainerItem::AddExpandedLinks(TdxBarItemLinks*, int, TdxBarItemLink*, bool firstTime) {
  if (needClear_) DropGeneratedItems();
  if (!firstTime || !OnGetData) return;
  inGetData_ = true;
  try {
    OnGetData(this);
  } catch (...) {
    inGetData_ = false;
    throw;
  }
  inGetData_ = false;
}

void TCustomdxBarContainerItem::ItemsChanged(TObject*) {
  // What OnGetData fills in is shown by the expansion under way; no second rebuild for it.
  if (!inGetData_) VisibleChanged();
}

TdxBarItemLink* TCustomdxBarContainerItem::AddCopiedLink(TdxBarItemLinks* target, int position,
                                                         TdxBarItemLink* containerLink) {
  TdxBarItemLink* link = target->AddLink();
  link->SetMasterLink(containerLink);
  link->SetIndex(position);
  return link;
}

// ---------------------------------------------------------------------------------------------
// Links held by the item, copied in place.

TdxBarContainerItem::TdxBarContainerItem(TComponent* owner) : TCustomdxBarContainerItem(owner) {
  ItemLinks()->OnChange = MakeEvent(static_cast<TCustomdxBarContainerItem*>(this), &TdxBarContainerItem::ItemsChanged);
}

bool TdxBarContainerItem::HasContent() const { return TCustomdxBarContainerItem::HasContent() || HasShownLinks(); }

bool TdxBarContainerItem::HasShownLinks() const {
  TdxBarItemLinks* links = ItemLinks();
  if (links->Count() == 0) return false;
  bool anyItem = false;
  for (int i = 0; i < links->Count(); ++i) {
    TdxBarItem* item = links->GetLink(i)->Item();
    if (!item) continue;
    anyItem = true;
    if (item->IsVisibleForCustomizing()) return true;
  }
  return !anyItem;
}

bool TdxBarContainerItem::CanMergeWith(TdxBarItem* item) const { return ObjectAs<TdxBarContainerItem>(item) != nullptr; }

void TdxBarContainerItem::AddExpandedLinks(TdxBarItemLinks* links, int index, TdxBarItemLink* containerLink,
                                           bool firstTime) {
  TCustomdxBarContainerItem::AddExpandedLinks(links, index, containerLink, firstTime);
  TdxBarItemLinks* own = ItemLinks();
  if (links == own) return;
  links->BeginUpdate();
  try {
    for (int i = 0; i < own->Count(); ++i) {
      TdxBarItemLink* link = AddCopiedLink(links, index + i, containerLink);
      link->Assign(own->GetLink(i));
      link->SetIndex(index + i);
      if (i == 0 && HidesContainerLink()) link->SetBeginGroup(true);
      if (containerLink) link->CopyRecentState(containerLink);
    }
  } catch (...) {
    links->EndUpdate();
    throw;
  }
  links->EndUpdate();
}

void TdxBarContainerItem::RemoveExpandedLinks(TdxBarItemLinks* links, int index) {
  if (links == ItemLinks()) return;
  for (int i = 0; i < ItemLinks()->Count() && index < links->Count(); ++i) delete links->GetLink(index);
}

// ---------------------------------------------------------------------------------------------
// A list of strings expanded into buttons.

TdxBarListItem::TdxBarListItem(TComponent* owner) : TCustomdxBarContainerItem(owner), items_(new TStringList) {
  items_->OnChange = MakeEvent(static_cast<TCustomdxBarContainerItem*>(this), &TdxBarListItem::ItemsChanged);
}

TdxBarListItem::~TdxBarListItem() {
  items_->OnChange = nullptr;
  FreeGeneratedItems();
  delete items_;
}

bool TdxBarListItem::HasContent() const { return TCustomdxBarContainerItem::HasContent() || items_->Count() > 0; }

int TdxBarListItem::DataIndex() const {
  if (itemIndex_ < 0 || itemIndex_ >= items_->Count()) return -1;
  int count = 0;
  for (int i = 0; i <= itemIndex_; ++i)
    if (!IsSeparatorEntry(items_->Get(i))) ++count;
  return count - 1;
}

void TdxBarListItem::SetDataIndex(int value) {
  if (items_->Count() == 0) {
    itemIndex_ = -1;
    return;
  }
  int counter = -1;
  for (int i = 0; i < items_->Count(); ++i) {
    if (!IsSeparatorEntry(items_->Get(i))) ++counter;
    if (counter == value) {
      itemIndex_ = i;
      return;
    }
  }
  itemIndex_ = items_->Count();
}

std::string TdxBarListItem::GetEntryDisplayText(int index) const { return GetDisplayTextOf(items_->Get(index)); }

std::string TdxBarListItem::EntryCaption(int entry, int counter) const {
  std::string text = GetEntryDisplayText(entry);
  if (!showNumbers_) return text;
  // Nine digits, then letters: the tenth entry is reached by A.
  const char accel = counter <= 8 ? static_cast<char>('1' + counter) : static_cast<char>(56 + counter);
  return std::string("&") + accel + " " + text;
}

TdxBarButton* TdxBarListItem::MakeEntryButton(int entry, int counter) {
  TComponent* owner = BarManager() ? BarManager()->Owner() : Owner();
  auto* button = new TdxBarButton(owner);
  button->SetAction(Action());
  if (showCheck_ && entry == itemIndex_) {
    button->SetButtonStyle(bsChecked);
    button->SetDown(true);
  }
  button->SetCaption(EntryCaption(entry, counter));
  button->SetHint(GetItemHint(items_->Get(entry)));
  button->SetTag(entry);
  button->OnClick = MakeEvent(this, &TdxBarListItem::EntryClick);
  button->SetEnabled(Enabled());
  return button;
}

void TdxBarListItem::AddExpandedLinks(TdxBarItemLinks* links, int index, TdxBarItemLink* containerLink,
                                      bool firstTime) {
  TCustomdxBarContainerItem::AddExpandedLinks(links, index, containerLink, firstTime);
  const bool generate = generated_.empty();
  int counter = 0;
  bool groupPending = false;
  for (int entry = 0; entry < items_->Count(); ++entry) {
    if (IsSeparatorEntry(items_->Get(entry))) {
      groupPending = true;
      continue;
    }
    if (generate) {
      generated_.push_back(MakeEntryButton(entry, counter));
      generated_.back()->FreeNotification(this);
    }
    if (counter < GeneratedCount()) {
      TdxBarItemLink* link = AddCopiedLink(links, index + counter, containerLink);
      link->SetItem(generated_[counter]);
      link->SetBeginGroup(counter == 0 || groupPending);
      if (containerLink) link->CopyRecentState(containerLink);
    }
    groupPending = false;
    ++counter;
  }
}

void TdxBarListItem::RemoveExpandedLinks(TdxBarItemLinks* links, int index) {
  for (int entry = 0; entry < items_->Count() && index < links->Count(); ++entry)
    if (!IsSeparatorEntry(items_->Get(entry))) delete links->GetLink(index);
}

void TdxBarListItem::DropGeneratedItems() {
  if (!generated_.empty() && generated_.front()->LinkCount() == 0) FreeGeneratedItems();
  TCustomdxBarContainerItem::DropGeneratedItems();
}

void TdxBarListItem::FreeGeneratedItems() {
  // Each button leaves the list through its removal notice.
  while (!generated_.empty()) delete generated_.back();
}

void TdxBarListItem::Notification(TComponent* component, TOperation operation) {
  TCustomdxBarContainerItem::Notification(component, operation);
  if (operation == opRemove) std::erase(generated_, component);
}

void TdxBarListItem::Click() {
  if (!ActiveLink()) TCustomdxBarContainerItem::Click();
}

void TdxBarListItem::EntryClick(TObject* sender) {
  if (auto* button = ObjectAs<TdxBarItem>(sender)) itemIndex_ = static_cast<int>(button->Tag());
  TCustomdxBarContainerItem::Click();
}

// ---------------------------------------------------------------------------------------------
// The control and its menu.

TContainerItemSubMenuControl::TContainerItemSubMenuControl(TdxBarManager* manager, TCustomdxBarContainerItem* container)
    : TdxBarSubMenuControl(nullptr, manager), container_(container) {}

TContainerItemSubMenuControl::~TContainerItemSubMenuControl() {
  // The controls go before the links they show; the links then go back to the item without
  // this window rebuilding for each of them.
  TdxBarItemLinks* links = ItemLinks();
  DestroyItemControlsLocked();
  if (links && links->BarControl() == this) links->SetBarControl(nullptr);
  if (links) container_->RemoveExpandedLinks(links, 0);
  container_->SetNeedClear();
}

bool TdxBarContainerItemControl::AcceptsDblClick() const { return !(Parent() && Parent()->IsCustomizing()); }

TdxBarSubMenuControl* TdxBarContainerItemControl::CreateSubMenuControl() {
  auto* container = ObjectAs<TCustomdxBarContainerItem>(Item());
  if (!container || (Parent() && Parent()->IsCustomizing())) return nullptr;
  TdxBarItemLinks* links = container->ItemLinks();
  if (auto* open = ObjectAs<TContainerItemSubMenuControl>(links->BarControl())) return open;
  auto* menu = new TContainerItemSubMenuControl(BarManager(), container);
  links->SetBarControl(menu);
  menu->SetItemLinks(links);
  container->AddExpandedLinks(links, 0, Link(), true);
  return menu;
}

// ---------------------------------------------------------------------------------------------

namespace {
void RegisterContainerItems() {
  for (TClass cls : {TdxBarContainerItem::StaticClass(), TdxBarListItem::StaticClass()}) {
    RegisterBarItemClass(cls, TdxBarContainerItemControl::StaticClass(), true);
    RegisterClass(cls);
  }
}
void UnregisterContainerItems() {
  UnregisterBarItemClass(TdxBarContainerItem::StaticClass());
  UnregisterBarItemClass(TdxBarListItem::StaticClass());
}
}  // namespace

const TUnitInfo dxBarContainerItemsUnit{"dxBarContainerItems", RegisterContainerItems, UnregisterContainerItems};
