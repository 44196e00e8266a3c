#include "cxClasses.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "SysUtils.h"
#include "TypInfo.h"

CALDERAN_IMPLEMENT_CLASS(TcxIUnknownObject, TObject)
CALDERAN_IMPLEMENT_CREATABLE(TcxInterfacedPersistent, TPersistent, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE(TcxComponent, TComponent, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE0(TcxObjectList, TList)
CALDERAN_IMPLEMENT_CREATABLE(TcxFreeNotificator, TComponent, TComponent*)

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

constinit const TPropInfo ComponentProperties[] = {
    Published<&TcxComponent::FakeComponentLink1, &TcxComponent::SetFakeComponentLink1>("FakeComponentLink1"),
    Published<&TcxComponent::FakeComponentLink2, &TcxComponent::SetFakeComponentLink2>("FakeComponentLink2"),
    Published<&TcxComponent::FakeComponentLink3, &TcxComponent::SetFakeComponentLink3>("FakeComponentLink3"),
};

void InitializeClasses() { RegisterPublishedProperties(TcxComponent::StaticClass(), ComponentProperties); }

void FinalizeClasses() {
  // Links still held at shut-down only free themselves from now on.
  delete LinkController;
  LinkController = nullptr;
}
}  // namespace

constinit const TUnitInfo cxClassesUnit{"cxClasses", &InitializeClasses, &FinalizeClasses};
