// The toolkit's lowest layer: interface bases without reference counting, event handler lists,
// object links (weak references), the toolkit's resource strings, class registries and a few
// small routines used across the toolkit.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Classes.h"
#include "System.h"
#include "Types.h"

// ---------------------------------------------------------------------------------------------
// Interface base without reference counting: the object's lifetime is never tied to interface
// references, so AddRef and Release do nothing. A class that offers more interfaces overrides
// QueryInterface and asks the base for the rest.
class TcxIUnknownObject : public TObject, public IUnknown {
  CALDERAN_CLASS(TcxIUnknownObject)
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }
};

// Persistent base with interface support: the owner persistent is what naming and streaming see.
class TcxInterfacedPersistent : public TPersistent, public IUnknown {
  CALDERAN_CLASS(TcxInterfacedPersistent)
  explicit TcxInterfacedPersistent(TPersistent* owner) : owner_(owner) {}
  TPersistent* GetOwner() override { return owner_; }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }

 private:
  TPersistent* owner_;
};

// Component base of the toolkit: design-time dependency links (so the designer keeps components a
// component depends on), and object links cleared when it goes.
class TcxComponent : public TComponent {
  CALDERAN_CLASS(TcxComponent)
  explicit TcxComponent(TComponent* owner) : TComponent(owner) {}
  ~TcxComponent() override;

  TComponent* FakeComponentLink(int index) const { return fakeLinks_[index]; }
  void SetFakeComponentLink(int index, TComponent* value);
  // The published form of the three links.
  TComponent* FakeComponentLink1() const { return fakeLinks_[0]; }
  TComponent* FakeComponentLink2() const { return fakeLinks_[1]; }
  TComponent* FakeComponentLink3() const { return fakeLinks_[2]; }
  void SetFakeComponentLink1(TComponent* value) { SetFakeComponentLink(0, value); }
  void SetFakeComponentLink2(TComponent* value) { SetFakeComponentLink(1, value); }
  void SetFakeComponentLink3(TComponent* value) { SetFakeComponentLink(2, value); }
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

 protected:
  virtual void GetFakeComponentLinks(TList* list) { (void)list; }
  void UpdateFakeLinks();

 private:
  TComponent* fakeLinks_[3] = {};
};

// A pointer list that owns its items: Clear frees every item, first to last.
class TcxObjectList : public TList {
  CALDERAN_CLASS(TcxObjectList)
  TcxObjectList() = default;
  ~TcxObjectList() override { Clear(); }
  void Clear() override;
};

// Reports the destruction of the components it watches.
class TcxFreeNotificator : public TComponent {
  CALDERAN_CLASS(TcxFreeNotificator)
  explicit TcxFreeNotificator(TComponent* owner = nullptr) : TComponent(owner) {}
  void AddSender(TComponent* component);
  void RemoveSender(TComponent* component);
  TEvent<void(TComponent* Component)> OnFreeNotification;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
};

// ---------------------------------------------------------------------------------------------
// Ordered list of event handlers with the signature (Sender, event arguments). The arguments are
// whatever record the event defines; handlers may write into it (a Handled flag, for instance).
using TcxEventHandler = TEvent<void(TObject* Sender, void* EventArgs)>;

class TcxEventHandlerCollection {
 public:
  void Add(const TcxEventHandler& handler);
  void Remove(const TcxEventHandler& handler) { Delete(IndexOf(handler)); }
  void Delete(int index);
  int IndexOf(const TcxEventHandler& handler) const;
  int Count() const { return static_cast<int>(handlers_.size()); }
  // Calls the handlers in insertion order over the count taken at the start. A handler must not
  // remove handlers of the same collection meanwhile.
  void CallEvents(TObject* Sender, void* EventArgs) const;

 private:
  std::vector<TcxEventHandler> handlers_;
};

// ---------------------------------------------------------------------------------------------
// Object links: weak references that learn when their object is destroyed. A routine that may
// destroy its own object takes a link first, tests Ref after each call that could destroy it, and
// removes the link at the end. Destructors of toolkit classes call ClearObjectLinks(this).
struct TcxObjectLink {
  TObject* Ref = nullptr;
};

TcxObjectLink* AddObjectLink(TObject* object);
void RemoveObjectLink(TcxObjectLink* link);
void ClearObjectLinks(TObject* object);
// Whether the process-wide link controller exists (it lives while any link exists).
bool ObjectLinkControllerExists();

// RAII form of the use pattern above.
class TcxObjectLinkGuard {
 public:
  explicit TcxObjectLinkGuard(TObject* object) : link_(AddObjectLink(object)) {}
  ~TcxObjectLinkGuard() { RemoveObjectLink(link_); }
  TcxObjectLinkGuard(const TcxObjectLinkGuard&) = delete;
  TcxObjectLinkGuard& operator=(const TcxObjectLinkGuard&) = delete;
  bool Alive() const { return link_ && link_->Ref; }

 private:
  TcxObjectLink* link_;
};

// ---------------------------------------------------------------------------------------------
// Toolkit resource strings. Each string has an identifier in the program's string table and the
// text it shows when the table lacks that entry, so a program or test linked without the toolkit's
// string table still shows every message. Identifiers of the toolkit lie in the ranges listed in
// docs/architecture.md.
struct TcxResourceString {
  uint32_t Identifier;
  const char* Text;
};

#define CX_RESOURCESTRING(Name, Id, Text) inline constexpr TcxResourceString Name{Id, Text};

std::string LoadToolkitString(const TcxResourceString& resource);

// ---------------------------------------------------------------------------------------------
// Unique component names, locale and text routines.

// The first free name among prefix component's name + base name (or the class name) + number.
std::string MakeUniqueComponentName(TComponent* owner, TComponent* prefixComponent, TComponent* component,
                                    const std::string& classPrefix, const std::string& baseName);
// Keeps A-Z, a-z, 0-9 and underscore.
std::string StripNonIdentifierChars(const std::string& text);
std::string GetLocaleString(LCID locale, LCTYPE item, const std::string& defaultValue);
// The text before the first "|".
std::string GetHintCaption(const std::string& text);
// Double-byte navigation with 1-based positions.
const char* CharPtrAt(const std::string& s, int pos);
int CharByteLengthAt(const std::string& s, int pos);
int NextCharPos(const std::string& s, int pos);
int PrevCharPos(const std::string& s, int pos);

void CallNotifyEvent(const TNotifyEvent& event, TObject* Sender);
TPersistent* GetPersistentOwner(TPersistent* persistent);
inline TSize MakeSize(int cx, int cy) { return TSize(cx, cy); }

// ---------------------------------------------------------------------------------------------
// Class registries.

struct TcxRegisteredClassListItemData {
  TClass ItemClass;
  TClass RegisteredClass;
};

// Maps a class to a registered class; a class without an entry of its own gets the one of its
// nearest registered ancestor. Entries of a class always come after those of its ancestors, so a
// scan from the end meets the most specific match first.
class TcxRegisteredClassList : public TObject {
  CALDERAN_CLASS(TcxRegisteredClassList)
  TcxRegisteredClassList() = default;
  ~TcxRegisteredClassList() override { Clear(); }

  // True with the position of the most specific entry for cls or an ancestor. Otherwise index is
  // the position of the lowest-placed entry of a descendant of cls, or stays as the caller set it.
  virtual bool Find(TClass cls, int& index) const;
  virtual void Register(TClass itemClass, TClass registeredClass);
  virtual void Unregister(TClass itemClass, TClass registeredClass);

  TClass GetClass(TClass cls) const;
  int Count() const { return static_cast<int>(items_.size()); }
  const TcxRegisteredClassListItemData& Items(int index) const { return *items_.at(index); }
  void Clear();

 private:
  std::vector<TcxRegisteredClassListItemData*> items_;
};

// A list of classes with descriptions ("caption" or "caption|hint"), optionally sorted by caption
// and optionally also registered for stored forms; families of classes register here so that
// design and run-time code can list them.
class TcxRegisteredClasses : public TObject {
  CALDERAN_CLASS(TcxRegisteredClasses)
  explicit TcxRegisteredClasses(bool registerClasses = false) : registerClasses_(registerClasses) {}

  // Nothing when the class is present already.
  void Register(TClass cls, const std::string& description);
  void Unregister(TClass cls);
  int IndexOfClass(TClass cls) const;
  int Count() const { return static_cast<int>(items_.size()); }
  TClass Items(int index) const { return items_.at(index).Class; }
  const std::string& Descriptions(int index) const { return items_.at(index).Description; }
  // The description up to the first "|".
  std::string GetCaption(int index) const;
  void Clear() { items_.clear(); }
  bool RegisterClasses() const { return registerClasses_; }

  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  virtual void Sort();
  // Captions compared in the locale's order, case ignored; hints take no part.
  virtual int CompareItems(int index1, int index2) const;

 private:
  struct TItem {
    std::string Description;
    TClass Class;
  };
  bool registerClasses_;
  bool sorted_ = false;
  std::vector<TItem> items_;
};

// ---------------------------------------------------------------------------------------------
// Small routines.

// floor((a + b) / 2)
int RangeMiddle(int a, int b);
// 1 for x >= 0, else -1
double SignOf(double x);
void FillZero(void* block, size_t length);
// The platform headers define MoveMemory as a macro with the destination first; the toolkit's
// routine takes the source first, so the macro is replaced here to keep calls unambiguous.
#undef MoveMemory
void MoveMemory(const void* source, void* destination, size_t count);
// Offsets of 0 or less count as 0.
void MoveWithOffsets(const void* source, void* destination, int sourceOffset, int count, int destinationOffset);
Byte ReadByteAt(const void* block, int offset);
void WriteByteAt(void* block, Byte value, int offset);

// ---------------------------------------------------------------------------------------------
// Component collection: items are components of their own (named, owned by the form, streamed
// separately) kept in a collection that belongs to a parent component.
enum TcxComponentCollectionNotification : uint8_t { ccnAdded, ccnChanged, ccnExtracting, ccnExtracted };

class TcxComponentCollection;

class TcxComponentCollectionItem : public TComponent {
  CALDERAN_CLASS(TcxComponentCollectionItem)
  explicit TcxComponentCollectionItem(TComponent* owner) : TComponent(owner) {}
  ~TcxComponentCollectionItem() override;

  TcxComponentCollection* Collection() const { return collection_; }
  virtual void SetCollection(TcxComponentCollection* value);
  int ID() const { return id_; }
  int GetIndex() const;
  virtual void SetIndex(int value);
  virtual std::string GetDisplayName() const { return Name(); }

  TComponent* GetParentComponent() const override;
  bool HasParent() const override;
  void SetParentComponent(TComponent* parent) override;

 protected:
  // Where the parent component keeps items of this class.
  virtual TcxComponentCollection* GetCollectionFromParent(TComponent* parent) = 0;
  // Reports a change of this item, or of the whole collection.
  void Changed(bool wholeCollection = false);

 private:
  friend class TcxComponentCollection;
  TcxComponentCollection* collection_ = nullptr;
  int id_ = 0;
};

using TcxComponentCollectionChangeEvent = TEvent<void(
    TObject* Sender, TcxComponentCollectionItem* Item, TcxComponentCollectionNotification Action)>;

class TcxComponentCollection : public TPersistent {
  CALDERAN_CLASS(TcxComponentCollection)
  TcxComponentCollection(TComponent* parentComponent, TClass itemClass);
  ~TcxComponentCollection() override;

  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() override { return parentComponent_; }

  TcxComponentCollectionItem* Add();
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  TcxComponentCollectionItem* Items(int index) const;
  int IndexOf(const TcxComponentCollectionItem* item) const;
  TComponent* ParentComponent() const { return parentComponent_; }
  TClass ItemClass() const { return itemClass_; }

  virtual void BeginUpdate() { ++updateCount_; }
  // With force, one change (no item, changed) is reported when the last lock goes.
  virtual void EndUpdate(bool force = true);
  int UpdateCount() const { return updateCount_; }
  // Reported unless locked.
  void Changed(TcxComponentCollectionItem* item = nullptr, TcxComponentCollectionNotification action = ccnChanged);

  TcxComponentCollectionChangeEvent OnChange;

 protected:
  virtual void Notify(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action) {
    (void)item, (void)action;
  }
  virtual void InitItem(TcxComponentCollectionItem* item) { (void)item; }
  virtual void DoChange(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action);

 private:
  friend class TcxComponentCollectionItem;
  void InsertItem(TcxComponentCollectionItem* item);
  void RemoveItem(TcxComponentCollectionItem* item);
  void MoveItem(TcxComponentCollectionItem* item, int newIndex);

  TComponent* parentComponent_;
  TClass itemClass_;
  std::vector<TcxComponentCollectionItem*> items_;
  int nextId_ = 0;
  int updateCount_ = 0;
};

// Start-up and shut-down of this module.
extern const TUnitInfo cxClassesUnit;
