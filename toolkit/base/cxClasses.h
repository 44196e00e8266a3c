// The toolkit's lowest layer: interface bases without reference counting, event handler lists,
// object links (weak references), the toolkit's resource strings, class registries and a few
// small routines used across the toolkit.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "System.h"

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
