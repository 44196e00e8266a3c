// The component model and the basic containers: persistent objects, interfaced objects,
// components with owners and notifications, pointer lists, string lists, collections and streams.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "SysUtils.h"
#include "System.h"
#include "TypInfo.h"

using NativeInt = intptr_t;
using TNotifyEvent = TEvent<void(TObject* Sender)>;

// The platform's message texts of this module.
inline constexpr const char* SAssignError = "Cannot assign a %s to a %s";
inline constexpr const char* SListIndexError = "List index out of bounds (%d)";
inline constexpr const char* SListCapacityError = "List capacity out of bounds (%d)";
inline constexpr const char* SListCountError = "List count out of bounds (%d)";
inline constexpr const char* SDuplicateString = "String list does not allow duplicates";
inline constexpr const char* SSortedListError = "Operation not allowed on sorted string list";
inline constexpr const char* SInvalidName = "'%s' is not a valid component name";
inline constexpr const char* SDuplicateName = "A component named %s already exists";
inline constexpr const char* SReadError = "Stream read error";
inline constexpr const char* SWriteError = "Stream write error";
inline constexpr const char* SFCreateError = "Cannot create file %s";
inline constexpr const char* SFOpenError = "Cannot open file %s";
inline constexpr const char* SMemoryStreamError = "Out of memory while expanding memory stream";
inline constexpr const char* SResNotFound = "Resource %s not found";
inline constexpr const char* SCantWriteResourceStreamError = "Can't write to a read-only resource stream";
inline constexpr const char* SInvalidPropertyValue = "Invalid property value";
inline constexpr const char* SClassNotFound = "Class %s not found";
inline constexpr const char* SDuplicateClass = "A class named %s already exists";

CALDERAN_EXCEPTION(EFilerError, EStreamError)

// The module's start-up list entry: its shut-down empties the class and property registries.
extern const TUnitInfo ClassesUnit;

// ---------------------------------------------------------------------------------------------
// The registry of classes that stored forms create by name. Filled at module start-up.
void RegisterClass(TClass cls);  // EFilerError "A class named %s already exists" for another class
void RegisterClasses(std::initializer_list<TClass> classes);
void UnRegisterClass(TClass cls);
TClass GetClass(std::string_view name);   // null when unknown (case ignored)
TClass FindClass(std::string_view name);  // EClassNotFound "Class %s not found"
// Class groups: the descendants of cls belong to the group of anchor (a designer lists the classes
// of one group). ClassGroupOf answers the class that heads cls's group (cls itself when ungrouped).
void GroupDescendentsWith(TClass cls, TClass anchor);
TClass ClassGroupOf(TClass cls);

// Properties that an object stores itself (lists of strings, binary data): the object names them
// to the filer in DefineProperties, and the filer calls back when it meets the name.
class TReader;
class TWriter;
class TStream;
using TReaderProc = TEvent<void(TReader* Reader)>;
using TWriterProc = TEvent<void(TWriter* Writer)>;
using TStreamProc = TEvent<void(TStream* Stream)>;

class TFiler : public TObject {
  CALDERAN_CLASS(TFiler)
  virtual void DefineProperty(const std::string& name, TReaderProc readData, TWriterProc writeData,
                              bool hasData) = 0;
  virtual void DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc writeData,
                                    bool hasData) = 0;
};

// The value kinds of a stored form.
enum TValueType {
  vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaBinary,
  vaSet, vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString, vaInt64, vaUTF8String
};

// What a DefineProperties read procedure may read; the stored-form reader implements it.
class TReader : public TFiler {
  CALDERAN_CLASS(TReader)
  virtual TValueType NextValue() = 0;
  virtual bool EndOfList() = 0;
  virtual void ReadListBegin() = 0;
  virtual void ReadListEnd() = 0;
  virtual int32_t ReadInteger() = 0;
  virtual int64_t ReadInt64() = 0;
  virtual bool ReadBoolean() = 0;
  virtual long double ReadFloat() = 0;
  virtual std::string ReadString() = 0;
  virtual std::string ReadIdent() = 0;
  virtual void ReadCollection(class TCollection* collection) = 0;
  virtual void SkipValue() = 0;
};

// ---------------------------------------------------------------------------------------------
// TList: a list of untyped pointers. Notify tells descendants (TObjectList) about additions and
// removals; Delete and Clear report lnDeleted, Extract lnExtracted.
enum TListNotification { lnAdded, lnExtracted, lnDeleted };

class TList : public TObject {
  CALDERAN_CLASS(TList)
  TList() = default;
  ~TList() override;

  int Count() const { return static_cast<int>(items_.size()); }
  void SetCount(int count);
  int Capacity() const { return static_cast<int>(items_.capacity()); }
  void SetCapacity(int capacity);
  void* Get(int index) const;
  void Put(int index, void* item);
  void* operator[](int index) const { return Get(index); }
  void* const* List() const { return items_.data(); }

  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  int Remove(void* item);  // index the item had, or -1
  void* Extract(void* item);
  int IndexOf(const void* item) const;
  virtual void Clear();
  void Exchange(int index1, int index2);
  void Move(int curIndex, int newIndex);
  void* First() const { return Get(0); }
  void* Last() const { return Get(Count() - 1); }
  void Pack();  // drops the null entries
  void Sort(int (*compare)(void* item1, void* item2));

 protected:
  virtual void Notify(void* /*item*/, TListNotification /*action*/) {}
  [[noreturn]] static void Error(const char* text, int data);

 private:
  std::vector<void*> items_;
};

// ---------------------------------------------------------------------------------------------
// TPersistent: objects that can copy each other. Assign asks the source to copy itself into
// this object; when neither side knows the other, EConvertError "Cannot assign a X to a Y".
class TPersistent : public TObject {
  CALDERAN_CLASS(TPersistent)
  virtual void Assign(TPersistent* source);
  // The owner in the naming and streaming chain (the component for a sub-object).
  virtual TPersistent* GetOwner() { return nullptr; }
  virtual std::string GetNamePath();
  // Names the properties this object stores itself (see TFiler).
  virtual void DefineProperties(TFiler* /*filer*/) {}

 protected:
  virtual void AssignTo(TPersistent* dest);
  [[noreturn]] void AssignError(TPersistent* source);
};

// TInterfacedObject: a reference-counted object that is a COM IUnknown, so that it can be handed
// to the platform's COM interfaces. The last Release frees it. Descendants that implement more
// interfaces answer them in QueryInterface and pass the rest to this one.
class TInterfacedObject : public TObject, public IUnknown {
  CALDERAN_CLASS(TInterfacedObject)
  TInterfacedObject() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  LONG RefCount() const { return refCount_; }

 private:
  LONG refCount_ = 0;
};

// ---------------------------------------------------------------------------------------------
// TComponent: owns the components created with it as owner and frees them with itself; tells
// interested components about insertions and removals through Notification.
enum TOperation { opInsert, opRemove };
enum TComponentStateFlag {
  csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups,
  csFreeNotification, csInline, csDesignInstance
};
using TComponentState = TSet<TComponentStateFlag>;

class TComponent : public TPersistent {
  CALDERAN_CLASS(TComponent)
  explicit TComponent(TComponent* owner);
  // Notifies the components that asked for it, frees the owned components (last first) and leaves
  // the owner. Virtual calls made from here reach this class's overrides only: a class whose
  // owned components call back into it while they are freed calls Destroying() and
  // DestroyComponents() at the top of its own destructor.
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;
  int ComponentIndex() const;
  void SetComponentIndex(int index);
  TComponent* FindComponent(std::string_view name) const;  // case ignored; null for ""

  const std::string& Name() const { return name_; }
  // Raises EComponentError for a non-identifier (SInvalidName) or a name another component of
  // the same owner has (SDuplicateName, case ignored).
  virtual void SetName(const std::string& name);
  NativeInt Tag() const { return tag_; }
  void SetTag(NativeInt tag) { tag_ = tag; }
  TComponentState ComponentState() const { return state_; }
  // For the stored-form reader and the designer: sets or clears one state flag.
  void IncludeState(TComponentStateFlag flag) { state_.Include(flag); }
  void ExcludeState(TComponentStateFlag flag) { state_.Exclude(flag); }
  void SetDesigning(bool value, bool setChildren = true);

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();
  void Destroying();

  // Asks `component` to report its destruction to this one (and the other way round), also
  // when they belong to different owners.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Called once the stored form has set every property (clears csLoading).
  virtual void Loaded();
  // Parent in the stored-form hierarchy (the control's parent, the collection's component).
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual bool HasParent() const { return false; }
  virtual void SetParentComponent(TComponent* /*parent*/) {}

  TPersistent* GetOwner() override { return owner_; }
  std::string GetNamePath() override { return name_; }

  // opInsert after a component joined the owner, opRemove before a component goes away. The
  // owner passes every notification on to all its components.
  virtual void Notification(TComponent* component, TOperation operation);

 protected:
  virtual void ValidateRename(TComponent* component, const std::string& curName, const std::string& newName);
  virtual void ChangeName(const std::string& newName) { name_ = newName; }

 private:
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void RemoveNotification(TComponent* component);
  // Points the owner's published field of this component's name (PublishedField) at this
  // component, or back to null.
  void SetReference(bool enable);

  TComponent* owner_ = nullptr;
  std::string name_;
  NativeInt tag_ = 0;
  TComponentState state_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
};

// Runs body between target's BeginUpdate and EndUpdate; EndUpdate runs also when body throws, so an
// exception never leaves a list or collection in update mode.
template <class Target, class Body>
void WithinUpdate(Target& target, Body&& body) {
  target.BeginUpdate();
  try {
    body();
  } catch (...) {
    target.EndUpdate();
    throw;
  }
  target.EndUpdate();
}

// ---------------------------------------------------------------------------------------------
// TStrings: an ordered list of strings, each with an attached object (not owned). Descendants
// store the lines; this class adds the text forms (Text, CommaText, DelimitedText), name=value
// access, files and update batching: BeginUpdate fires OnChanging once, the last EndUpdate fires
// OnChange once, and changes in between fire nothing.

class TStrings : public TPersistent {
  CALDERAN_CLASS(TStrings)
  TStrings() = default;

  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual TObject* Objects(int index) const { (void)index; return nullptr; }
  virtual void Put(int index, const std::string& s);
  virtual void PutObject(int /*index*/, TObject* /*object*/) {}
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  std::string Strings(int index) const { return Get(index); }
  std::string operator[](int index) const { return Get(index); }

  virtual int Add(const std::string& s);
  int AddObject(const std::string& s, TObject* object);
  void InsertObject(int index, const std::string& s, TObject* object);
  void Append(const std::string& s) { Add(s); }
  void AddStrings(const TStrings* strings);
  virtual int IndexOf(std::string_view s) const;
  int IndexOfName(std::string_view name) const;
  int IndexOfObject(const TObject* object) const;
  virtual void Exchange(int index1, int index2);
  virtual void Move(int curIndex, int newIndex);
  bool Equals(const TStrings* strings) const;
  void Assign(TPersistent* source) override;

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // Lines joined with CR LF after each; setting splits at CR, LF or CR LF.
  std::string Text() const;
  virtual void SetText(std::string_view text);
  // The lines separated by Delimiter; lines with blanks, control characters, the quote or the
  // delimiter are quoted with QuoteChar (quotes doubled). Setting also splits at blanks outside
  // quotes; a trailing delimiter adds an empty line.
  std::string DelimitedText() const;
  void SetDelimitedText(std::string_view text);
  // DelimitedText with ',' and '"'.
  std::string CommaText() const;
  void SetCommaText(std::string_view text);
  char Delimiter() const { return delimiter_; }
  void SetDelimiter(char c) { delimiter_ = c; }
  char QuoteChar() const { return quoteChar_; }
  void SetQuoteChar(char c) { quoteChar_ = c; }
  char NameValueSeparator() const { return nameValueSeparator_; }
  void SetNameValueSeparator(char c) { nameValueSeparator_ = c; }

  // name=value lines: the name of line i (empty without a separator), the value of the first line
  // named `name`, setting a value (an empty value deletes the line), the value part of line i.
  std::string Names(int index) const;
  std::string Values(std::string_view name) const;
  void SetValue(std::string_view name, std::string_view value);
  std::string ValueFromIndex(int index) const;

  void LoadFromFile(const std::string& fileName);
  void LoadFromStream(TStream* stream);
  void SaveToFile(const std::string& fileName) const;
  void SaveToStream(TStream* stream) const;
  // A stored form keeps the lines as the list property "Strings".
  void DefineProperties(TFiler* filer) override;

 protected:
  virtual void SetUpdateState(bool /*updating*/) {}
  // Comparison used by IndexOf and IndexOfName: case-insensitive in the locale's order here.
  virtual int CompareStrings(std::string_view a, std::string_view b) const { return AnsiCompareText(a, b); }

 private:
  std::string JoinDelimited(char delimiter, char quoteChar) const;
  void ReadData(TReader* reader);
  void WriteData(TWriter* writer);

  int updateCount_ = 0;
  char delimiter_ = ',';
  char quoteChar_ = '"';
  char nameValueSeparator_ = '=';
};

// TStringList: the list of strings with sorting and duplicates handling. When Sorted, Add puts
// the line in order and Duplicates decides about equal lines (dupIgnore keeps the old one,
// dupError raises "String list does not allow duplicates", dupAccept adds it); Insert and Put
// raise "Operation not allowed on sorted string list".
enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
  CALDERAN_CLASS(TStringList)
  TStringList() = default;

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override;
  TObject* Objects(int index) const override;
  void Put(int index, const std::string& s) override;
  void PutObject(int index, TObject* object) override;
  int Add(const std::string& s) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  int IndexOf(std::string_view s) const override;
  // Binary search of a sorted list: true when found; index is the match or the insertion point.
  bool Find(std::string_view s, int& index) const;
  virtual void Sort();
  void CustomSort(int (*compare)(TStringList* list, int index1, int index2));

  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates value) { duplicates_ = value; }
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool value);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  void SetUpdateState(bool updating) override;
  int CompareStrings(std::string_view a, std::string_view b) const override;
  virtual void Changing();
  virtual void Changed();
  void InsertItem(int index, const std::string& s, TObject* object);

 private:
  struct TItem {
    std::string String;
    TObject* Object = nullptr;
  };
  [[noreturn]] static void Error(const char* text, int data);
  void CheckIndex(int index) const;

  std::vector<TItem> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
};

// ---------------------------------------------------------------------------------------------
// Collections: items of one class, owned by their collection, each with a running ID that is
// never reused. Changes reach the collection's Update(item or null for all) unless an update is
// open; the last EndUpdate calls Update(null) once.
class TCollection;
enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
  CALDERAN_CLASS(TCollectionItem)
  // Joins `collection` (when given). Created through TCollection::Add, the collection's
  // notifications come after the item is fully built; freed through Delete or Clear, the item
  // leaves before its destruction starts. An item created or deleted directly is seen by
  // Notify as a TCollectionItem only.
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  void SetCollection(TCollection* collection);
  int ID() const { return id_; }
  int Index() const;
  virtual void SetIndex(int index);
  virtual std::string DisplayName() const { return ClassName(); }
  virtual void SetDisplayName(const std::string& /*name*/) { Changed(false); }
  TPersistent* GetOwner() override;
  std::string GetNamePath() override;

 protected:
  // Reports a change of this item (or, with allItems, of the whole collection).
  void Changed(bool allItems);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};

using TCollectionItemClass = TClass;

class TCollection : public TPersistent {
  CALDERAN_CLASS(TCollection)
  // itemClass must be creatable with a TCollection* (CALDERAN_IMPLEMENT_CREATABLE).
  explicit TCollection(TCollectionItemClass itemClass);
  ~TCollection() override;

  TCollectionItemClass ItemClass() const { return itemClass_; }
  int Count() const { return items_.Count(); }
  TCollectionItem* Items(int index) const { return static_cast<TCollectionItem*>(items_.Get(index)); }
  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Delete(int index);
  void Clear();
  TCollectionItem* FindItemID(int id) const;
  void Assign(TPersistent* source) override;

  virtual void BeginUpdate() { ++updateCount_; }
  virtual void EndUpdate();
  int UpdateCount() const { return updateCount_; }
  std::string GetNamePath() override;

 protected:
  // item is null when the whole collection changed.
  virtual void Update(TCollectionItem* /*item*/) {}
  virtual void Notify(TCollectionItem* /*item*/, TCollectionNotification /*action*/) {}
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);
  void Free(TCollectionItem* item);

  TCollectionItemClass itemClass_;
  TList items_;
  int updateCount_ = 0;
  int nextId_ = 0;
  bool adding_ = false;  // Add is building an item: its notifications wait until it is built
};

// A collection that reports an owner (for naming and streaming).
class TOwnedCollection : public TCollection {
  CALDERAN_CLASS(TOwnedCollection)
  TOwnedCollection(TPersistent* owner, TCollectionItemClass itemClass)
      : TCollection(itemClass), owner_(owner) {}
  TPersistent* GetOwner() override { return owner_; }

 private:
  TPersistent* owner_;
};

// ---------------------------------------------------------------------------------------------
// Streams. Positions and sizes are 64-bit; Read and Write move at most `count` bytes and answer
// how many moved; ReadBuffer and WriteBuffer raise EReadError / EWriteError when fewer moved.
enum TSeekOrigin { soBeginning, soCurrent, soEnd };
inline constexpr Word soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2;

class TStream : public TObject {
  CALDERAN_CLASS(TStream)
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  virtual int32_t Write(const void* buffer, int32_t count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t position) { Seek(position, soBeginning); }
  virtual int64_t Size();
  virtual void SetSize(int64_t size);

  void ReadBuffer(void* buffer, int32_t count);
  void WriteBuffer(const void* buffer, int32_t count);
  // Copies `count` bytes from the source's position; 0 copies the whole source from its start.
  int64_t CopyFrom(TStream* source, int64_t count);
  // The rest of the stream from the current position as bytes.
  std::string ReadAll();
};

// A stream over a Win32 file handle it does not own.
class THandleStream : public TStream {
  CALDERAN_CLASS(THandleStream)
  explicit THandleStream(HANDLE handle) : handle_(handle) {}
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t size) override;
  HANDLE Handle() const { return handle_; }

 protected:
  HANDLE handle_;
};

// Open modes: one access mode combined with one sharing mode, or fmCreate.
inline constexpr Word fmCreate = 0xFFFF;
inline constexpr Word fmOpenRead = 0x0000, fmOpenWrite = 0x0001, fmOpenReadWrite = 0x0002;
inline constexpr Word fmShareCompat = 0x0000, fmShareExclusive = 0x0010, fmShareDenyWrite = 0x0020,
                      fmShareDenyRead = 0x0030, fmShareDenyNone = 0x0040;

// A file opened by name; EFCreateError "Cannot create file %s" / EFOpenError "Cannot open file %s".
class TFileStream : public THandleStream {
  CALDERAN_CLASS(TFileStream)
  TFileStream(const std::string& fileName, Word mode);
  ~TFileStream() override;
  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
};

// A stream over a block of memory; Memory() is the block.
class TCustomMemoryStream : public TStream {
  CALDERAN_CLASS(TCustomMemoryStream)
  int32_t Read(void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return size_; }
  void* Memory() const { return memory_; }
  void SaveToStream(TStream* stream);
  void SaveToFile(const std::string& fileName);

 protected:
  void SetPointer(void* memory, int64_t size) { memory_ = memory; size_ = size; }

  void* memory_ = nullptr;
  int64_t size_ = 0;
  int64_t position_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
  CALDERAN_CLASS(TMemoryStream)
  TMemoryStream() = default;
  int32_t Write(const void* buffer, int32_t count) override;
  void SetSize(int64_t size) override;
  void Clear();
  void LoadFromStream(TStream* stream);
  void LoadFromFile(const std::string& fileName);

 private:
  void SetCapacity(int64_t capacity);
  std::vector<unsigned char> data_;
};

// A read-only stream over a resource of a module, named by text or by number; the type by text
// ("XML") or a predefined number (RT_RCDATA). A missing resource raises EResNotFound
// "Resource %s not found" with the name (the number in decimal).
class TResourceStream : public TCustomMemoryStream {
  CALDERAN_CLASS(TResourceStream)
  TResourceStream(HINSTANCE instance, const std::string& resName, const char* resType);
  TResourceStream(HINSTANCE instance, int resId, const char* resType);  // the platform's CreateFromID
  int32_t Write(const void* buffer, int32_t count) override;

 private:
  void Initialize(HINSTANCE instance, const char* name, const char* resType, const std::string& shownName);
};
