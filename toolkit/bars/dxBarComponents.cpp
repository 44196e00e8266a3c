#include "dxBarComponents.h"

#include "cxClasses.h"
#include "dxBarManager.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarPersistent, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TdxBarComponent, TComponent)
CALDERAN_IMPLEMENT_CLASS(TdxObjectList, TObjectList)
CALDERAN_IMPLEMENT_CLASS(TdxComponentList, TComponentList)
CALDERAN_IMPLEMENT_CLASS(TdxBarComponentList, TdxComponentList)

TPersistent* TdxBarPersistent::GetOwner() { return manager_; }

// ---------------------------------------------------------------------------------------------
TdxBarComponent::TdxBarComponent(TComponent* owner) : TComponent(owner) {}

TdxBarComponent::~TdxBarComponent() {
  // The lists drop the component through their free notification, which comes after this list of
  // them is gone: marked destroying, they leave it alone.
  Destroying();
  ClearObjectLinks(this);
}

void TdxBarComponent::NotifyChanged(bool wholeList) {
  if (ComponentState().Contains(csDestroying)) return;
  for (int i = 0; i < memberLists_.Count(); ++i) {
    auto* list = static_cast<TdxComponentList*>(memberLists_.Get(i));
    if (list->OnComponentListChanged && list->UpdateCount() == 0) {
      list->OnComponentListChanged(list, wholeList ? nullptr : this, dxListChanged);
    }
  }
}

bool TdxBarComponent::CanDelete(bool checkDesigner) {
  return !manager_ || manager_->CanDeleteComponent(this, checkDesigner);
}

void TdxBarComponent::DeleteSelf(IdxBarSelectableItem*& item, bool checkDesigner) {
  if (!CanDelete(checkDesigner)) return;
  item = nullptr;
  delete this;
}

void TdxBarComponent::GetMasterObjects(TList* list) {
  if (Owner() && list->IndexOf(Owner()) < 0) list->Add(Owner());
}

int TdxBarComponent::GetSelectionStatus() { return manager_ ? manager_->GetSelectionStatus(this) : 0; }

bool TdxBarComponent::IsSelected() { return GetSelectionStatus() == 1; }

void TdxBarComponent::Select(int mode) {
  if (manager_) manager_->SelectComponent(this, mode);
}

// ---------------------------------------------------------------------------------------------
void TdxObjectList::AddUnique(TObject* object) {
  if (object && IndexOf(object) < 0) Add(object);
}

void TdxObjectList::CopyTo(TList* dest) const {
  dest->Clear();
  dest->SetCapacity(Capacity());
  auto* unique = dynamic_cast<TdxObjectList*>(dest);
  for (int i = 0; i < Count(); ++i) {
    if (unique) unique->AddUnique(Items(i));
    else dest->Add(Items(i));
  }
}

// ---------------------------------------------------------------------------------------------
TdxComponentList::~TdxComponentList() {
  updateCount_ = 1;  // clearing while destroyed reports nothing
  Clear();
}

void TdxComponentList::EndUpdate(bool changed) {
  --updateCount_;
  if (changed) DoChanged(nullptr, dxListChanged);
}

void TdxComponentList::DoChanged(TComponent* component, int action) {
  if (updateCount_ == 0 && OnComponentListChanged) OnComponentListChanged(this, component, action);
}

void TdxComponentList::Notify(void* item, TListNotification action) {
  auto* component = static_cast<TComponent*>(item);
  if (component->InheritsFrom(GetItemClass())) return NotifyComponent(component, action);
  TComponentList::Notify(item, action);
  if (action == lnAdded) Extract(component);  // silently refused
}

void TdxComponentList::NotifyComponent(TComponent* component, TListNotification operation) {
  TComponentList::Notify(component, operation);
  if (OnNotify) OnNotify(this, component, operation);
  static const int actions[] = {dxListAdded, dxListExtracted, dxListDeleted};
  DoChanged(component, actions[operation]);
}

TdxBarComponentList::~TdxBarComponentList() {
  // Cleared here, while the members still hear that they left this list.
  BeginUpdate();
  Clear();
}

void TdxBarComponentList::NotifyComponent(TComponent* component, TListNotification operation) {
  auto* barComponent = static_cast<TdxBarComponent*>(component);
  if (operation == lnAdded) {
    barComponent->memberLists_.Add(this);
  } else if (!component->ComponentState().Contains(csDestroying)) {
    barComponent->memberLists_.Remove(this);
  }
  TdxComponentList::NotifyComponent(component, operation);
}

IdxBarSelectableItem* GetSelectableItem(TObject* object) { return dynamic_cast<IdxBarSelectableItem*>(object); }
