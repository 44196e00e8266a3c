// The editor repository (named properties objects many editors share), the registries of editor
// kinds and filter helpers, the filter helpers' base and the in-place editor lists.
#include <algorithm>

#include "SysUtils.h"
#include "cxEdit.h"

CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxEditRepositoryItem, TComponent, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TcxEditRepository, TComponent, TComponent*)
CALDERAN_IMPLEMENT_STATELESS_CLASS(TcxCustomFilterEditHelper, TClassOperations)
CALDERAN_IMPLEMENT_CLASS(TcxFilterEditsController, TcxRegisteredClassList)
CALDERAN_IMPLEMENT_CLASS(TcxInplaceEditList, TObject)

namespace {

std::unique_ptr<TcxRegisteredClasses> editPropertiesRegistry;
std::unique_ptr<TcxFilterEditsController> filterEditsController;
std::vector<TcxInplaceEditList*>* inplaceEditLists = nullptr;

}  // namespace

// Frees the registries (the editor module's shut-down).
void FreeEditRegistries() {
  editPropertiesRegistry.reset();
  filterEditsController.reset();
}

// ---------------------------------------------------------------------------------------------
// Repository items

TcxEditRepositoryItem* TcxEditRepositoryItemClass::Create(TComponent* owner) const {
  return new TcxEditRepositoryItem(owner);
}

const TcxCustomEditPropertiesClass* TcxEditRepositoryItemClass::ItemPropertiesClass() const {
  return TcxCustomEditProperties::StaticClassOperations();
}

TcxEditRepositoryItem::TcxEditRepositoryItem(TComponent* owner, const TcxEditRepositoryItemClass* cls)
    : TComponent(owner) {
  properties_.reset(cls->ItemPropertiesClass()->Create(this));
  properties_->OnPropertiesChanged = MakeEvent(this, &TcxEditRepositoryItem::PropertiesUpdated);
}

TcxEditRepositoryItem::~TcxEditRepositoryItem() {
  Destroying();
  for (size_t i = observers_.size(); i-- > 0;)
    if (i < observers_.size()) observers_[i]->ItemRemoved(this);
  SetRepository(nullptr);
  properties_->OnPropertiesChanged = {};
  properties_.reset();
}

void TcxEditRepositoryItem::PropertiesUpdated(TObject*) {
  for (size_t i = observers_.size(); i-- > 0;)
    if (i < observers_.size()) observers_[i]->ItemPropertiesChanged(this);
}

void TcxEditRepositoryItem::AttachObserver(IcxRepositoryItemObserver* observer) {
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) observers_.push_back(observer);
}

void TcxEditRepositoryItem::DetachObserver(IcxRepositoryItemObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

std::string TcxEditRepositoryItem::ItemBaseName() const {
  static constexpr char prefix[] = "TcxEditRepository";
  const std::string className = ClassName();
  const size_t at = className.find(prefix);
  const std::string suffix = at == std::string::npos ? std::string() : className.substr(at + sizeof(prefix) - 1);
  return (repository_ ? repository_->Name() : std::string()) + suffix;
}

void TcxEditRepositoryItem::SetRepository(TcxEditRepository* value) {
  if (value == repository_) return;
  if (repository_) repository_->RemoveItem(this);
  repository_ = value;
  if (repository_) repository_->AddItem(this);
}

TComponent* TcxEditRepositoryItem::GetParentComponent() const { return repository_; }

void TcxEditRepositoryItem::SetParentComponent(TComponent* parent) {
  if (ComponentState().Contains(csLoading)) return;
  auto* repository = ObjectAs<TcxEditRepository>(parent);
  if (parent && !repository) throw EInvalidCast("Invalid class typecast");
  SetRepository(repository);
}

// ---------------------------------------------------------------------------------------------
// The repository

TcxEditRepository::~TcxEditRepository() {
  while (!items_.empty()) delete items_.back();
}

TcxEditRepositoryItem* TcxEditRepository::CreateItemEx(const TcxEditRepositoryItemClass* itemClass, TComponent* owner) {
  TcxEditRepositoryItem* item = itemClass->Create(owner);
  item->SetRepository(this);
  return item;
}

TcxEditRepositoryItem* TcxEditRepository::CreateRepositoryItem(const TcxEditRepositoryItemClass* itemClass) {
  return CreateItemEx(itemClass, this);
}

void TcxEditRepository::AddItem(TcxEditRepositoryItem* item) {
  if (std::find(items_.begin(), items_.end(), item) == items_.end()) items_.push_back(item);
}

void TcxEditRepository::RemoveItem(TcxEditRepositoryItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
}

// ---------------------------------------------------------------------------------------------
// Registries

TcxRegisteredClasses* GetEditPropertiesRegistry() {
  if (!editPropertiesRegistry) {
    editPropertiesRegistry = std::make_unique<TcxRegisteredClasses>(false);
    editPropertiesRegistry->SetSorted(true);
  }
  return editPropertiesRegistry.get();
}

TcxFilterEditsController* GetFilterEditsController() {
  if (!filterEditsController) filterEditsController = std::make_unique<TcxFilterEditsController>();
  return filterEditsController.get();
}

// A helper serves every properties class derived from the parent of the one it is registered for.
void TcxFilterEditsController::Register(TClass propertiesClass, TClass helperClass) {
  TcxRegisteredClassList::Register(propertiesClass->Parent ? propertiesClass->Parent : propertiesClass, helperClass);
}

void TcxFilterEditsController::Unregister(TClass propertiesClass, TClass helperClass) {
  TcxRegisteredClassList::Unregister(propertiesClass->Parent ? propertiesClass->Parent : propertiesClass, helperClass);
  if (Count() == 0 && this == filterEditsController.get()) filterEditsController.reset();
}

const TcxCustomFilterEditHelper* TcxFilterEditsController::FindHelper(TClass propertiesClass) const {
  return ClassOperationsOf<TcxCustomFilterEditHelper>(GetClass(propertiesClass));
}

// ---------------------------------------------------------------------------------------------
// Filter helpers

const TcxCustomFilterEditHelper* TcxCustomFilterEditHelper::Instance() {
  return ClassOperationsOf<TcxCustomFilterEditHelper>(StaticClass());
}

void TcxCustomFilterEditHelper::ClearPropertiesEvents(TcxCustomEditProperties* properties) const {
  if (!properties) return;
  properties->OnButtonClick = {};
  properties->OnChange = {};
  properties->OnEditValueChanged = {};
  properties->OnValidate = {};
}

void TcxCustomFilterEditHelper::InitializeEditProperties(TcxCustomEdit* editor, TcxCustomEditProperties* source) const {
  PrepareFilterProperties(editor->EffectiveProperties(), source, FilterEditHasButtons());
}

void TcxCustomFilterEditHelper::ReadFilterValue(TcxCustomEdit* editor, TcxCustomEditProperties* properties,
                                                std::string& displayText, TVariant& value) const {
  editor->StoredEditValue(value);
  displayText = WideToAnsi(properties->FormatDisplayValue(value));
}

TcxFilterOperatorSet TcxCustomFilterEditHelper::FilterOperatorSet(TcxCustomEditProperties*,
                                                                  TcxValueTypeClass valueType, bool extended) const {
  TcxFilterOperatorSet set;
  for (int op = 1; op <= (extended ? 14 : 10); ++op) set.Include(op);
  if (!valueType || !valueType->IsTextType()) {
    set.Exclude(7);
    set.Exclude(8);
  }
  return set;
}

void TcxCustomFilterEditHelper::PrepareFilterProperties(TcxCustomEditProperties* properties,
                                                        TcxCustomEditProperties* source, bool hasButtons) const {
  properties->Assign(source);
  properties->Alignment()->SetHorz(taLeftJustify);
  properties->Alignment()->SetVert(taTopJustify);
  properties->SetBeepOnError(false);
  if (!hasButtons) properties->Buttons()->Clear();
  properties->SetReadOnly(false);
  properties->SetValidateOnEnter(true);
  if (!KeepsValueDefaults(source)) properties->DropDefaultValuesProvider();
  ClearPropertiesEvents(properties);
}

bool TcxCustomFilterEditHelper::AcceptsFilterValue(TcxValueTypeClass valueType, TVariant& value) const {
  return valueType && valueType->AcceptsVariant(value);
}

// ---------------------------------------------------------------------------------------------
// In-place editor lists

std::vector<TcxInplaceEditList*>* InplaceEditLists() { return inplaceEditLists; }
void SetInplaceEditLists(std::vector<TcxInplaceEditList*>* lists) { inplaceEditLists = lists; }

int TcxInplaceEditList::Add(TcxCustomEdit* edit, TcxCustomEditProperties* properties) {
  entries_.push_back({edit, properties});
  return Count() - 1;
}

int TcxInplaceEditList::FindEntry(TcxCustomEditProperties* properties, bool mayUseFree) {
  for (int i = 0; i < Count(); ++i)
    if (entries_[i].Properties == properties) return i;
  if (!mayUseFree) return -1;
  TClass editClass = properties->ClassOperations()->EditClass()->Class();
  for (int i = 0; i < Count(); ++i)
    if (!entries_[i].Properties && entries_[i].Edit->ClassType() == editClass) {
      entries_[i].Properties = properties;
      return i;
    }
  return -1;
}

void TcxInplaceEditList::RemoveProperties(TcxCustomEditProperties* properties) {
  for (TEntry& entry : entries_)
    if (entry.Properties == properties) entry.Properties = nullptr;
}
