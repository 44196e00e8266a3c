#include "dxBarCategories.h"

#include <memory>

#include "BinaryFiler.h"
#include "TypInfo.h"
#include "dxBarItem.h"
#include "dxBarManager.h"
#include "dxBarStrs.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarManagerCategories, TStringList)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarGroup, TdxBarComponent, TComponent*)

namespace {
// The manager's items of one category, collected before any of them changes.
std::vector<TdxBarItem*> ItemsOfCategory(TdxBarManager* manager, int category) {
  std::vector<TdxBarItem*> items;
  for (int i = 0; i < manager->GetItemCount(); ++i) {
    if (manager->GetItem(i)->Category() == category) items.push_back(manager->GetItem(i));
  }
  return items;
}

void SetCategoryOf(const std::vector<TdxBarItem*>& items, int category) {
  for (TdxBarItem* item : items) item->SetCategoryIndex(category);
}
}  // namespace

TdxBarManagerCategories::TdxBarManagerCategories(TdxBarManager* manager) : manager_(manager) {
  if (!manager->ComponentState().Contains(csLoading)) Add(LoadToolkitString(dxSBAR_DEFAULTCATEGORYNAME));
  OnChange = MakeEvent(manager, &TdxBarManager::CategoriesChanged);
}

TdxBarManagerCategories::~TdxBarManagerCategories() {
  OnChange = nullptr;
  for (int i = 0; i < Count(); ++i) delete Objects(i);
}

TdxBarCategoryData* TdxBarManagerCategories::Data(int index) const {
  return static_cast<TdxBarCategoryData*>(Objects(index));
}

TdxBarCategoryData* TdxBarManagerCategories::EnsureData(int index) {
  if (!Data(index)) PutObject(index, new TdxBarCategoryData);
  return Data(index);
}

void TdxBarManagerCategories::Clear() {
  for (int i = 0; i < Count(); ++i) delete Objects(i);
  TStringList::Clear();
}

void TdxBarManagerCategories::Delete(int index) {
  if (moving_) return TStringList::Delete(index);
  if (index < 0 || index >= Count()) return;
  for (TdxBarItem* item : ItemsOfCategory(manager_, index)) delete item;
  for (int j = index + 1; j < Count(); ++j) SetCategoryOf(ItemsOfCategory(manager_, j), j - 1);
  delete Objects(index);
  TStringList::Delete(index);
  if (Count() == 0) Add(LoadToolkitString(dxSBAR_DEFAULTCATEGORYNAME));
}

void TdxBarManagerCategories::Insert(int index, const std::string& s) {
  if (!moving_ && index >= 0 && index < Count()) {
    for (int a = Count() - 1; a >= index; --a) SetCategoryOf(ItemsOfCategory(manager_, a), a + 1);
  }
  TStringList::Insert(index, s);
}

void TdxBarManagerCategories::Exchange(int index1, int index2) {
  const auto items1 = ItemsOfCategory(manager_, index1), items2 = ItemsOfCategory(manager_, index2);
  SetCategoryOf(items1, index2);
  SetCategoryOf(items2, index1);
  TStringList::Exchange(index1, index2);
}

void TdxBarManagerCategories::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex || curIndex < 0 || newIndex < 0 || curIndex >= Count() || newIndex >= Count()) return;
  const auto moved = ItemsOfCategory(manager_, curIndex);
  SetCategoryOf(moved, -1000);
  if (curIndex < newIndex) {
    for (int k = curIndex + 1; k <= newIndex; ++k) SetCategoryOf(ItemsOfCategory(manager_, k), k - 1);
  } else {
    for (int k = curIndex - 1; k >= newIndex; --k) SetCategoryOf(ItemsOfCategory(manager_, k), k + 1);
  }
  SetCategoryOf(moved, newIndex);
  moving_ = true;
  try {
    TStringList::Move(curIndex, newIndex);
  } catch (...) {
    moving_ = false;
    throw;
  }
  moving_ = false;
}

void TdxBarManagerCategories::DefineProperties(TFiler* filer) {
  TStringList::DefineProperties(filer);
  filer->DefineProperty("ItemsVisibles", MakeEvent(this, &TdxBarManagerCategories::ReadItemsVisibles),
                        MakeEvent(this, &TdxBarManagerCategories::WriteItemsVisibles), true);
  filer->DefineProperty("Visibles", MakeEvent(this, &TdxBarManagerCategories::ReadVisibles),
                        MakeEvent(this, &TdxBarManagerCategories::WriteVisibles), true);
}

void TdxBarManagerCategories::ReadItemsVisibles(TReader* reader) {
  reader->ReadListBegin();
  for (int i = 0; !reader->EndOfList(); ++i) {
    const int value = reader->ReadInteger();
    if (i < Count() && value >= ivNever && value <= ivAlways) {
      manager_->SetCategoryItemsVisible(i, static_cast<TdxBarItemVisible>(value));
    }
  }
  reader->ReadListEnd();
}

void TdxBarManagerCategories::WriteItemsVisibles(TWriter* writer) {
  writer->WriteListBegin();
  for (int i = 0; i < Count(); ++i) writer->WriteInteger(manager_->GetCategoryItemsVisible(i));
  writer->WriteListEnd();
}

void TdxBarManagerCategories::ReadVisibles(TReader* reader) {
  reader->ReadListBegin();
  for (int i = 0; !reader->EndOfList(); ++i) {
    const bool value = reader->ReadBoolean();
    if (i < Count()) manager_->SetCategoryVisible(i, value);
  }
  reader->ReadListEnd();
}

void TdxBarManagerCategories::WriteVisibles(TWriter* writer) {
  writer->WriteListBegin();
  for (int i = 0; i < Count(); ++i) writer->WriteBoolean(manager_->IsCategoryVisible(i));
  writer->WriteListEnd();
}

// ---------------------------------------------------------------------------------------------
// The manager's category operations.

TdxBarItemVisible TdxBarManager::GetCategoryItemsVisible(int index) const {
  if (index < 0 || index >= categories_->Count()) return ivNever;
  TdxBarCategoryData* data = categories_->Data(index);
  return data ? data->ItemsVisible : ivAlways;
}

bool TdxBarManager::IsCategoryVisible(int index) const {
  if (index < 0 || index >= categories_->Count()) return false;
  TdxBarCategoryData* data = categories_->Data(index);
  return data ? data->Visible : true;
}

void TdxBarManager::SetCategoryItemsVisible(int index, TdxBarItemVisible value) {
  if (index < 0 || index >= categories_->Count()) return;
  const TdxBarItemVisible old = GetCategoryItemsVisible(index);
  TdxBarCategoryData* data = categories_->EnsureData(index);
  if (ComponentState().Contains(csLoading)) {
    data->LoadedItemsVisible = value;
    return;
  }
  data->ItemsVisible = value;
  if (!IsBarManagerDesigning()) {
    // Toolbars emptied or refilled by the change hide and show with their own part.
    BeginUpdate();
    try {
      auto items = ItemsOfCategory(this, index);
      if (value == ivAlways) std::reverse(items.begin(), items.end());
      for (TdxBarItem* item : items) {
        if (item->Visible() == old) item->SetVisible(value);
      }
    } catch (...) {
      EndUpdate(true);
      throw;
    }
    EndUpdate(true);
  }
  if (value != old) DesignerModified();
}

void TdxBarManager::SetCategoryVisible(int index, bool value) {
  if (index < 0 || index >= categories_->Count() || IsCategoryVisible(index) == value) return;
  categories_->EnsureData(index)->Visible = value;
  DesignerModified();
}

int TdxBarManager::GetCategoryItemsList(int index, TList* list) const {
  list->Clear();
  if (index < 0 || index >= categories_->Count()) return 0;
  for (int i = 0; i < GetItemCount(); ++i) {
    if (GetItem(i)->Category() == index) list->Add(GetItem(i));
  }
  return list->Count();
}

int TdxBarManager::GetCategoryItems(int index, TList* list) const {
  if (IsBarManagerDesigning()) return GetCategoryItemsList(index, list);
  GetCategoryItemsList(index, list);
  for (int i = list->Count() - 1; i >= 0; --i) {
    auto* item = static_cast<TdxBarItem*>(list->Get(i));
    if (!item->IsVisibleForCustomizing() || item->IsHiddenInCustomizing()) list->Delete(i);
  }
  return list->Count();
}

int TdxBarManager::GetRealCategoryIndex(int position) const {
  if (IsBarManagerDesigning()) return position;
  for (int i = 0, visible = 0; i < categories_->Count(); ++i) {
    if (IsCategoryVisible(i) && visible++ == position) return i;
  }
  return -1;
}

void TdxBarManager::CategoriesChanged(TObject*) { DesignerModified(); }

// ---------------------------------------------------------------------------------------------
TdxBarGroup::TdxBarGroup(TComponent* owner) : TdxBarComponent(owner) {}

TdxBarGroup::~TdxBarGroup() {
  Destroying();
  if (BarManager()) BarManager()->RemoveGroupFromList(this);
  delete pendingNames_;
}

void TdxBarGroup::SetBarManager(TdxBarManager* manager) { SetBarManagerField(manager); }

bool TdxBarGroup::ChangesMembers() const {
  const TComponentState state = ComponentState();
  return !state.Contains(csLoading) && !state.Contains(csDestroying);
}

void TdxBarGroup::SetEnabled(bool value) {
  enabled_ = value;
  if (!ChangesMembers()) return;
  if (BarManager()) BarManager()->BeginUpdate();
  for (int i = 0; i < Count(); ++i) Items(i)->SetEnabled(value);
  if (BarManager()) BarManager()->EndUpdate(true);
}

void TdxBarGroup::SetVisible(TdxBarItemVisible value) {
  visible_ = value;
  if (!ChangesMembers()) return;
  if (BarManager()) BarManager()->BeginUpdate();
  for (int i = 0; i < Count(); ++i) Items(i)->SetVisible(value);
  if (BarManager()) BarManager()->EndUpdate(true);
}

bool TdxBarGroup::Contains(TdxBarComponent* component) const {
  for (int i = 0; i < Count(); ++i) {
    if (Items(i) == component) return true;
    auto* group = ObjectAs<TdxBarGroup>(Items(i));
    if (group && group->Contains(component)) return true;
  }
  return false;
}

void TdxBarGroup::Add(TdxBarComponent* component) {
  if (!component || IndexOf(component) >= 0) return;
  auto* group = ObjectAs<TdxBarGroup>(component);
  if (group == this || (group && group->Contains(this))) throw Exception(LoadToolkitString(dxSBAR_RECURSIVEGROUPS));
  items_.Add(component);
}

TComponent* TdxBarGroup::GetParentComponent() const { return BarManager(); }
bool TdxBarGroup::HasParent() const { return BarManager() != nullptr; }

void TdxBarGroup::SetParentComponent(TComponent* parent) {
  TdxBarComponent::SetParentComponent(parent);
  if (auto* manager = ObjectAs<TdxBarManager>(parent)) manager->AddGroupToList(this);
}

void TdxBarGroup::SetName(const std::string& name) {
  TdxBarComponent::SetName(name);
  NotifyChanged(false);
}

void TdxBarGroup::DefineProperties(TFiler* filer) {
  TdxBarComponent::DefineProperties(filer);
  filer->DefineProperty("Items", MakeEvent(this, &TdxBarGroup::ReadItems), MakeEvent(this, &TdxBarGroup::WriteItems),
                        true);
}

void TdxBarGroup::ReadItems(TReader* reader) {
  const bool loading = ComponentState().Contains(csLoading);
  if (loading) {
    if (!pendingNames_) pendingNames_ = new TStringList;
    pendingNames_->Clear();
  } else {
    while (Count() > 0) Remove(Items(Count() - 1));
  }
  reader->ReadListBegin();
  while (!reader->EndOfList()) {
    const std::string name = reader->ReadString();
    if (loading) pendingNames_->Add(name);
    else AddByName(name);
  }
  reader->ReadListEnd();
}

void TdxBarGroup::WriteItems(TWriter* writer) {
  writer->WriteListBegin();
  for (int i = 0; i < Count(); ++i) writer->WriteString(Items(i)->Name());
  writer->WriteListEnd();
}

void TdxBarGroup::AddByName(const std::string& name) {
  TComponent* root = BarManager() ? BarManager()->Owner() : Owner();
  if (auto* component = root ? ObjectAs<TdxBarComponent>(root->FindComponent(name)) : nullptr) Add(component);
}

void TdxBarGroup::Loaded() {
  TdxBarComponent::Loaded();
  if (!pendingNames_) return;
  for (int i = 0; i < pendingNames_->Count(); ++i) AddByName(pendingNames_->Get(i));
  delete pendingNames_;
  pendingNames_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
namespace {
using G = TdxBarGroup;
constinit const TPropInfo groupProps[] = {
    Published<&G::Enabled, &G::SetEnabled>("Enabled").WithDefault(true),
    Published<&G::Visible, &G::SetVisible>("Visible", &TdxBarItemVisibleInfo).WithDefault(ivAlways),
};
}  // namespace

void RegisterCategoriesProperties() {
  RegisterPublishedProperties(TdxBarGroup::StaticClass(), groupProps);
  RegisterClass(TdxBarGroup::StaticClass());
}
