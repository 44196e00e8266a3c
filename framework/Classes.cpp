#include "Classes.h"

#include <algorithm>

CALDERAN_IMPLEMENT_CREATABLE0(TList, TObject)
CALDERAN_IMPLEMENT_CLASS(TPersistent, TObject)
CALDERAN_IMPLEMENT_CLASS(TInterfacedObject, TObject)
CALDERAN_IMPLEMENT_CREATABLE(TComponent, TPersistent, TComponent*)
CALDERAN_IMPLEMENT_CLASS(EFilerError, EStreamError)
CALDERAN_IMPLEMENT_CLASS(TFiler, TObject)
CALDERAN_IMPLEMENT_CLASS(TReader, TFiler)

// ---------------------------------------------------------------------------------------------
// Class registry
namespace {
std::vector<TClass>& RegisteredClasses() {
  static std::vector<TClass> classes;  // built on first use
  return classes;
}

// Each entry: the classes descending from the first are grouped with the second's group.
std::vector<std::pair<TClass, TClass>>& ClassGroups() {
  static std::vector<std::pair<TClass, TClass>> groups;
  return groups;
}

void FinalizeClasses() {
  RegisteredClasses().clear();
  ClassGroups().clear();
  ClearPublishedRegistry();
}
}  // namespace

constinit const TUnitInfo ClassesUnit{"Classes", nullptr, &FinalizeClasses};

TClass GetClass(std::string_view name) {
  for (TClass c : RegisteredClasses())
    if (SameText(c->Name, name)) return c;
  return nullptr;
}

void GroupDescendentsWith(TClass cls, TClass anchor) {
  for (auto& group : ClassGroups())
    if (group.first == cls) {
      group.second = anchor;
      return;
    }
  ClassGroups().emplace_back(cls, anchor);
}

TClass ClassGroupOf(TClass cls) {
  for (TClass c = cls; c; c = c->Parent)
    for (const auto& group : ClassGroups())
      if (group.first == c) return ClassGroupOf(group.second);
  return cls;
}

TClass FindClass(std::string_view name) {
  TClass c = GetClass(name);
  if (!c) throw EClassNotFound(Format(SClassNotFound, {name}));
  return c;
}

void RegisterClass(TClass cls) {
  TClass known = GetClass(cls->Name);
  if (known == cls) return;
  if (known) throw EFilerError(Format(SDuplicateClass, {cls->Name}));
  RegisteredClasses().push_back(cls);
}

void RegisterClasses(std::initializer_list<TClass> classes) {
  for (TClass c : classes) RegisterClass(c);
}

void UnRegisterClass(TClass cls) {
  auto& classes = RegisteredClasses();
  classes.erase(std::remove(classes.begin(), classes.end(), cls), classes.end());
}

// ---------------------------------------------------------------------------------------------
// TList
TList::~TList() { items_.clear(); }  // descendants that own their items clear in their own destructor

void TList::Error(const char* text, int data) { throw EListError(Format(text, {data})); }

void* TList::Get(int index) const {
  if (index < 0 || index >= Count()) Error(SListIndexError, index);
  return items_[index];
}

void TList::Put(int index, void* item) {
  if (index < 0 || index >= Count()) Error(SListIndexError, index);
  void* old = items_[index];
  if (old == item) return;
  items_[index] = item;
  if (old) Notify(old, lnDeleted);
  if (item) Notify(item, lnAdded);
}

int TList::Add(void* item) {
  items_.push_back(item);
  if (item) Notify(item, lnAdded);
  return Count() - 1;
}

void TList::Insert(int index, void* item) {
  if (index < 0 || index > Count()) Error(SListIndexError, index);
  items_.insert(items_.begin() + index, item);
  if (item) Notify(item, lnAdded);
}

void TList::Delete(int index) {
  if (index < 0 || index >= Count()) Error(SListIndexError, index);
  void* item = items_[index];
  items_.erase(items_.begin() + index);
  if (item) Notify(item, lnDeleted);
}

int TList::IndexOf(const void* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int TList::Remove(void* item) {
  int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* item) {
  int index = IndexOf(item);
  if (index < 0) return nullptr;
  items_.erase(items_.begin() + index);
  Notify(item, lnExtracted);
  return item;
}

void TList::SetCount(int count) {
  if (count < 0) Error(SListCountError, count);
  while (Count() > count) Delete(Count() - 1);
  items_.resize(count, nullptr);
}

void TList::SetCapacity(int capacity) {
  if (capacity < Count()) Error(SListCapacityError, capacity);
  if (capacity > Capacity()) items_.reserve(capacity);
  else items_.shrink_to_fit();
}

void TList::Clear() {
  SetCount(0);
  items_.shrink_to_fit();
}

void TList::Exchange(int index1, int index2) {
  if (index1 < 0 || index1 >= Count()) Error(SListIndexError, index1);
  if (index2 < 0 || index2 >= Count()) Error(SListIndexError, index2);
  std::swap(items_[index1], items_[index2]);
}

void TList::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  if (newIndex < 0 || newIndex >= Count()) Error(SListIndexError, newIndex);
  void* item = Get(curIndex);
  items_.erase(items_.begin() + curIndex);
  items_.insert(items_.begin() + newIndex, item);
}

void TList::Pack() { items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end()); }

void TList::Sort(int (*compare)(void*, void*)) {
  std::stable_sort(items_.begin(), items_.end(), [compare](void* a, void* b) { return compare(a, b) < 0; });
}

// ---------------------------------------------------------------------------------------------
// TPersistent
void TPersistent::Assign(TPersistent* source) {
  if (source) source->AssignTo(this);
  else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* source) {
  const char* sourceName = source ? source->ClassName() : "nil";
  throw EConvertError(Format(SAssignError, {sourceName, ClassName()}));
}

std::string TPersistent::GetNamePath() {
  return ClassName();
}

// ---------------------------------------------------------------------------------------------
// TInterfacedObject
HRESULT STDMETHODCALLTYPE TInterfacedObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown)) {
    *object = static_cast<IUnknown*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TInterfacedObject::AddRef() { return InterlockedIncrement(&refCount_); }

ULONG STDMETHODCALLTYPE TInterfacedObject::Release() {
  LONG n = InterlockedDecrement(&refCount_);
  if (n == 0) delete this;
  return n;
}

// ---------------------------------------------------------------------------------------------
// TComponent
TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Each notified component removes itself from our list through RemoveFreeNotification.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    other->RemoveNotification(this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw EListError(Format(SListIndexError, {index}));
  return components_[index];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& list = owner_->components_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int index) {
  if (!owner_) return;
  auto& list = owner_->components_;
  int current = ComponentIndex();
  if (current < 0) return;
  int count = static_cast<int>(list.size());
  if (index < 0) index = 0;
  if (index >= count) index = count - 1;
  if (index == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + index, this);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::SetName(const std::string& name) {
  if (name_ == name) return;
  if (!name.empty() && !IsValidIdent(name)) throw EComponentError(Format(SInvalidName, {name}));
  if (owner_) owner_->ValidateRename(this, name_, name);
  else ValidateRename(nullptr, name_, name);
  SetReference(false);
  ChangeName(name);
  SetReference(true);
}

void TComponent::SetReference(bool enable) {
  if (!owner_ || name_.empty()) return;
  const TPropInfo* field = FindPublishedProperty(owner_->ClassType(), name_);
  if (field && field->Kind == tkField) field->SetObj(owner_, enable ? this : nullptr);
}

void TComponent::ValidateRename(TComponent* component, const std::string& curName, const std::string& newName) {
  if (component && !SameText(curName, newName) && component->owner_ == this && FindComponent(newName))
    throw EComponentError(Format(SDuplicateName, {newName}));
  if (state_.Contains(csDesigning) && owner_) owner_->ValidateRename(component, curName, newName);
}

void TComponent::SetDesigning(bool value, bool setChildren) {
  if (value) state_.Include(csDesigning);
  else state_.Exclude(csDesigning);
  if (setChildren)
    for (TComponent* c : components_) c->SetDesigning(value, true);
}

void TComponent::Insert(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it != components_.end()) components_.erase(it);
  component->owner_ = nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  ValidateRename(component, std::string(), component->name_);
  Insert(component);
  component->SetReference(true);
  if (state_.Contains(csDesigning)) component->SetDesigning(true);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  ValidateRename(component, component->name_, std::string());
  Notification(component, opRemove);
  component->SetReference(false);
  Remove(component);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* instance = components_.back();
    // Only a component that others watch needs the owner-wide removal notice.
    if (instance->state_.Contains(csFreeNotification)) RemoveComponent(instance);
    else Remove(instance);
    delete instance;
  }
}

void TComponent::Destroying() { state_.Include(csDestroying); }

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  // A notified component may free others of the list: walk from the end, re-clamping the index.
  int i = ComponentCount() - 1;
  while (i >= 0) {
    components_[i]->Notification(component, operation);
    --i;
    if (i >= ComponentCount()) i = ComponentCount() - 1;
  }
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component) return;
  if (!owner_ || component->owner_ != owner_) {
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
      freeNotifies_.push_back(component);
      component->FreeNotification(this);
    }
  }
  state_.Include(csFreeNotification);
}

void TComponent::RemoveNotification(TComponent* component) {
  auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), component);
  if (it != freeNotifies_.end()) freeNotifies_.erase(it);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  RemoveNotification(component);
  component->RemoveNotification(this);
}
