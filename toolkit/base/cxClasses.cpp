#include "cxClasses.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(TcxIUnknownObject, TObject)
CALDERAN_IMPLEMENT_CLASS(TcxInterfacedPersistent, TPersistent)
CALDERAN_IMPLEMENT_CREATABLE(TcxComponent, TComponent, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE0(TcxObjectList, TList)
CALDERAN_IMPLEMENT_CREATABLE(TcxFreeNotificator, TComponent, TComponent*)
CALDERAN_IMPLEMENT_CLASS(TcxRegisteredClassList, TObject)
CALDERAN_IMPLEMENT_CLASS(TcxRegisteredClasses, TObject)

HRESULT STDMETHODCALLTYPE TcxIUnknownObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown)) {
    *object = static_cast<IUnknown*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE TcxInterfacedPersistent::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown)) {
    *object = static_cast<IUnknown*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

// ---------------------------------------------------------------------------------------------
// TcxComponent

TcxComponent::~TcxComponent() {
  if (!ComponentState().Contains(csDestroying)) Destroying();
  ClearObjectLinks(this);
}

void TcxComponent::SetFakeComponentLink(int index, TComponent* value) {
  TComponent*& link = fakeLinks_[index];
  if (link == value) return;
  // Watched, so that a link never outlives the component it names.
  if (link && link != value) link->RemoveFreeNotification(this);
  link = value;
  if (value) value->FreeNotification(this);
}

void TcxComponent::Loaded() {
  TComponent::Loaded();
  UpdateFakeLinks();
}

void TcxComponent::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  for (TComponent*& link : fakeLinks_)
    if (link == component) link = nullptr;
}

void TcxComponent::UpdateFakeLinks() {
  TComponentState state = ComponentState();
  if (!state.Contains(csDesigning) || state.Contains(csDestroying) || !Owner()) return;
  TList list;
  GetFakeComponentLinks(&list);
  for (int i = 0; i < 3; ++i)
    SetFakeComponentLink(i, i < list.Count() ? static_cast<TComponent*>(list.Get(i)) : nullptr);
}

void TcxObjectList::Clear() {
  for (int i = 0; i < Count(); ++i) delete static_cast<TObject*>(Get(i));
  TList::Clear();
}

void TcxFreeNotificator::AddSender(TComponent* component) {
  if (component) component->FreeNotification(this);
}

void TcxFreeNotificator::RemoveSender(TComponent* component) {
  if (component) component->RemoveFreeNotification(this);
}

void TcxFreeNotificator::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && OnFreeNotification) OnFreeNotification(component);
}

// ---------------------------------------------------------------------------------------------
// Event handler collection

void TcxEventHandlerCollection::Add(const TcxEventHandler& handler) {
  if (IndexOf(handler) < 0) handlers_.push_back(handler);
}

void TcxEventHandlerCollection::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  handlers_.erase(handlers_.begin() + index);
}

int TcxEventHandlerCollection::IndexOf(const TcxEventHandler& handler) const {
  for (int i = 0; i < Count(); ++i)
    if (handlers_[i] == handler) return i;
  return -1;
}

void TcxEventHandlerCollection::CallEvents(TObject* Sender, void* EventArgs) const {
  const int count = Count();
  // A handler that adds handlers may reallocate the array: index, never iterate.
  for (int i = 0; i < count && i < Count(); ++i) {
    TcxEventHandler handler = handlers_[i];
    handler(Sender, EventArgs);
  }
}

// ---------------------------------------------------------------------------------------------
// Object links

namespace {

struct TcxObjectLinkController {
  std::vector<TcxObjectLink*> Links;
  int Users = 0;
};

TcxObjectLinkController* LinkController = nullptr;

}  // namespace

bool ObjectLinkControllerExists() { return LinkController != nullptr; }

TcxObjectLink* AddObjectLink(TObject* object) {
  if (!object) return nullptr;
  if (!LinkController) LinkController = new TcxObjectLinkController;
  ++LinkController->Users;
  auto* link = new TcxObjectLink{object};
  LinkController->Links.push_back(link);
  return link;
}

void RemoveObjectLink(TcxObjectLink* link) {
  if (!link) return;
  if (LinkController) {
    if (link->Ref) {
      auto& links = LinkController->Links;
      links.erase(std::remove(links.begin(), links.end(), link), links.end());
    }
    if (--LinkController->Users <= 0) {
      delete LinkController;
      LinkController = nullptr;
    }
  }
  delete link;
}

void ClearObjectLinks(TObject* object) {
  if (!LinkController || !object) return;
  auto& links = LinkController->Links;
  for (int i = static_cast<int>(links.size()) - 1; i >= 0; --i) {
    if (links[i]->Ref != object) continue;
    links[i]->Ref = nullptr;
    links.erase(links.begin() + i);
  }
}

// ---------------------------------------------------------------------------------------------
// Resource strings

std::string LoadToolkitString(const TcxResourceString& resource) {
  // LoadStringW with a zero length hands out a read-only pointer to the entry itself, so texts of
  // any length come through without a buffer guess.
  const WCHAR* text = nullptr;
  int length = LoadStringW(GetModuleHandleW(nullptr), resource.Identifier, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || !text) return resource.Text;
  int size = WideCharToMultiByte(1252, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string result(size, '\0');
  WideCharToMultiByte(1252, 0, text, length, result.data(), size, nullptr, nullptr);
  return result;
}

// ---------------------------------------------------------------------------------------------
// Unique component names

namespace {

bool NameTaken(TComponent* owner, TComponent* component, const std::string& name) {
  if (!owner) return false;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* other = owner->Components(i);
    if (other != component && SameText(other->Name(), name)) return true;
  }
  return false;
}

std::string ClassNamePart(TComponent* component, const std::string& classPrefix) {
  std::string name = component->ClassName();
  if (!classPrefix.empty() && name.size() >= classPrefix.size() &&
      SameText(name.substr(0, classPrefix.size()), classPrefix))
    return name.substr(classPrefix.size());
  if (!name.empty() && name[0] == 'T') name.erase(0, 1);
  return name;
}

std::string BuildComponentName(TComponent* prefixComponent, TComponent* component, const std::string& classPrefix,
                               const std::string& baseName, int number) {
  std::string text = StripNonIdentifierChars(baseName);
  if (text.empty() || (text[0] >= '0' && text[0] <= '9')) text = ClassNamePart(component, classPrefix) + text;
  std::string result = prefixComponent ? prefixComponent->Name() + text : text;
  if (number > 0) result += std::to_string(number);
  return result;
}

}  // namespace

std::string StripNonIdentifierChars(const std::string& text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsDBCSLeadByte(c)) {
      ++i;  // the trail byte goes with it
      continue;
    }
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_') result += c;
  }
  return result;
}

std::string MakeUniqueComponentName(TComponent* owner, TComponent* prefixComponent, TComponent* component,
                                    const std::string& classPrefix, const std::string& baseName) {
  for (int number = baseName.empty() ? 1 : 0;; ++number) {
    std::string name = BuildComponentName(prefixComponent, component, classPrefix, baseName, number);
    if (!NameTaken(owner, component, name) || number == INT_MAX) return name;
  }
}

// ---------------------------------------------------------------------------------------------
// Locale and text routines

std::string GetLocaleString(LCID locale, LCTYPE item, const std::string& defaultValue) {
  int length = GetLocaleInfoA(locale, item, nullptr, 0);
  if (length <= 0) return defaultValue;
  std::string text(length, '\0');
  length = GetLocaleInfoA(locale, item, text.data(), length);
  if (length <= 0) return defaultValue;
  text.resize(length - 1);  // the terminating character
  return text;
}

std::string GetHintCaption(const std::string& text) { return text.substr(0, text.find('|')); }

const char* CharPtrAt(const std::string& s, int pos) { return s.c_str() + (pos - 1); }

int CharByteLengthAt(const std::string& s, int pos) {
  return pos >= 1 && pos < static_cast<int>(s.size()) && IsDBCSLeadByte(static_cast<BYTE>(s[pos - 1])) ? 2 : 1;
}

int NextCharPos(const std::string& s, int pos) {
  const char* p = CharPtrAt(s, pos);
  return pos + static_cast<int>(CharNextA(p) - p);
}

int PrevCharPos(const std::string& s, int pos) {
  return static_cast<int>(CharPrevA(s.c_str(), CharPtrAt(s, pos)) - s.c_str()) + 1;
}

void CallNotifyEvent(const TNotifyEvent& event, TObject* Sender) {
  if (event) event(Sender);
}

TPersistent* GetPersistentOwner(TPersistent* persistent) { return persistent ? persistent->GetOwner() : nullptr; }

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

// ---------------------------------------------------------------------------------------------
// Small routines

int RangeMiddle(int a, int b) {
  int64_t sum = int64_t{a} + b;
  return static_cast<int>(sum > 0 ? sum / 2 : (sum - 1) / 2);
}

double SignOf(double x) { return x >= 0 ? 1.0 : -1.0; }

void FillZero(void* block, size_t length) {
  if (length) std::memset(block, 0, length);
}

void MoveMemory(const void* source, void* destination, size_t count) {
  if (count) std::memmove(destination, source, count);
}

void MoveWithOffsets(const void* source, void* destination, int sourceOffset, int count, int destinationOffset) {
  if (count <= 0) return;
  std::memmove(static_cast<Byte*>(destination) + std::max(destinationOffset, 0),
               static_cast<const Byte*>(source) + std::max(sourceOffset, 0), count);
}

Byte ReadByteAt(const void* block, int offset) { return static_cast<const Byte*>(block)[offset]; }

void WriteByteAt(void* block, Byte value, int offset) { static_cast<Byte*>(block)[offset] = value; }

// ---------------------------------------------------------------------------------------------
// Start-up and shut-down

namespace {
void FinalizeClasses() {
  // Links still held at shut-down only free themselves from now on.
  delete LinkController;
  LinkController = nullptr;
}
}  // namespace

constinit const TUnitInfo cxClassesUnit{"cxClasses", nullptr, &FinalizeClasses};
