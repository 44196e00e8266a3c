#include "Contnrs.h"

CALDERAN_IMPLEMENT_CREATABLE0(TObjectList, TList)
CALDERAN_IMPLEMENT_CREATABLE0(TComponentList, TObjectList)

// ---------------------------------------------------------------------------------------------
// TObjectList
TObjectList::~TObjectList() { Clear(); }  // here, so that Notify still frees the objects

void TObjectList::Notify(void* item, TListNotification action) {
  if (ownsObjects_ && action == lnDeleted) delete static_cast<TObject*>(item);
}

int TObjectList::FindInstanceOf(TClass cls, bool exact, int startAt) const {
  for (int i = startAt < 0 ? 0 : startAt; i < Count(); ++i) {
    TObject* object = Items(i);
    if (object && (exact ? object->ClassType() == cls : object->InheritsFrom(cls))) return i;
  }
  return -1;
}

// ---------------------------------------------------------------------------------------------
// TComponentList
class TComponentList::TNexus : public TComponent {
 public:
  explicit TNexus(TComponentList* list) : TComponent(nullptr), list_(list) {}
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove) list_->HandleFreeNotify(component);
  }

 private:
  TComponentList* list_;
};

TComponentList::TComponentList(bool ownsObjects) : TObjectList(ownsObjects), nexus_(new TNexus(this)) {}

TComponentList::~TComponentList() {
  Clear();
  delete nexus_;
}

void TComponentList::HandleFreeNotify(TComponent* component) {
  while (IndexOf(component) >= 0) Extract(component);
}

void TComponentList::Notify(void* item, TListNotification action) {
  auto* component = static_cast<TComponent*>(item);
  if (action == lnAdded) component->FreeNotification(nexus_);
  else if (IndexOf(component) < 0) component->RemoveFreeNotification(nexus_);  // listed twice: keep watching
  TObjectList::Notify(item, action);
}
