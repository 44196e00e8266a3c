// The non-visual core of the shell views: item identifier lists, one shell folder, the per-item
// record with its two-stage loading, report columns and detail texts, the background gatherer
// that completes items on its own thread, the item producers that list a folder for a view, the
// shell roots, the options, and the drag-and-drop settings the views share.
#pragma once
#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Controls.h"
#include "cxEdit.h"

using PItemIDList = LPITEMIDLIST;

// --- identifier lists (every list is allocated and freed through the shell's allocator)
PItemIDList NextItemId(PItemIDList id);
int ItemIdListSize(PItemIDList list);
int ItemIdCount(PItemIDList list);  // -1 for more than 260 items
PItemIDList CopyItemIdList(PItemIDList list);
PItemIDList CopyFirstItemId(PItemIDList list);
PItemIDList ParentItemIdList(PItemIDList list);
PItemIDList LastItemId(PItemIDList list);
PItemIDList ConcatItemIdLists(PItemIDList a, PItemIDList b);
bool SameItemIdLists(PItemIDList a, PItemIDList b);
bool IsItemIdListPrefix(PItemIDList a, PItemIDList b);
PItemIDList EmptyItemIdList();
// The same comparisons asked of the desktop folder: Wine's file-system items carry the folder's
// modification time, so two lists of one folder taken at different times differ in their bytes.
bool SameShellIds(PItemIDList a, PItemIDList b);
bool IsShellIdPrefix(PItemIDList a, PItemIDList b);
PItemIDList* ItemIdListArray(const std::vector<PItemIDList>& lists);
void FreeItemIdList(PItemIDList list);
std::string ItemIdListToPath(PItemIDList list);
std::u16string StrRetToText(STRRET& value, PItemIDList list);
std::u16string GetItemDisplayName(IShellFolder* folder, PItemIDList child, DWORD flags = SHGDN_INFOLDER);

// Frees its list when it goes out of scope.
struct TItemIdListDeleter {
  void operator()(ITEMIDLIST* list) const { FreeItemIdList(list); }
};
using TItemIdListHolder = std::unique_ptr<ITEMIDLIST, TItemIdListDeleter>;

IMalloc* ShellMalloc();
IShellFolder* DesktopFolder();  // the process's desktop folder, kept until the unit stops

// A COM interface pointer that releases what it holds.
template <class T> class TcxComPtr {
 public:
  TcxComPtr() = default;
  explicit TcxComPtr(T* p) : p_(p) {}
  TcxComPtr(const TcxComPtr& o) : p_(o.p_) {
    if (p_) p_->AddRef();
  }
  TcxComPtr& operator=(TcxComPtr o) {
    std::swap(p_, o.p_);
    return *this;
  }
  ~TcxComPtr() { Reset(); }
  void Reset(T* p = nullptr) {
    if (p_) p_->Release();
    p_ = p;
  }
  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T** Out() {
    Reset();
    return &p_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }

 private:
  T* p_ = nullptr;
};

class TcxCustomItemProducer;

// One folder by its absolute list: the parent folder and the last item relative to it.
class TcxShellFolder : public TObject {
  CALDERAN_CLASS(TcxShellFolder)
  explicit TcxShellFolder(PItemIDList fullId);
  ~TcxShellFolder() override;
  PItemIDList FullId = nullptr;         // borrowed
  IShellFolder* ParentFolder = nullptr; // the desktop for a list of at most one item
  PItemIDList ChildId = nullptr;        // owned
};

class TcxShellItemInfo : public TObject {
  CALDERAN_CLASS(TcxShellItemInfo)
  TcxShellItemInfo(TcxCustomItemProducer* producer, IShellFolder* parentFolder, PItemIDList parentList,
                   PItemIDList relative);
  ~TcxShellItemInfo() override;

  void LoadBasics(IShellFolder* folder, PItemIDList relative);
  void FetchInfo(IShellFolder* folder, PItemIDList folderList);
  void ReplaceId(IShellFolder* folder, PItemIDList folderList, PItemIDList newRelative);
  // The overlay a view draws: 1 shortcut, 0 shared, -1 none.
  int OverlayIndex() const { return IsShortcut ? 1 : IsShared ? 0 : -1; }

  bool Renamable = false;
  std::vector<std::string> DetailTexts;
  TcxShellFolder* FolderInfo = nullptr;
  PItemIDList AbsoluteId = nullptr;
  bool MayHaveChildren = false;
  int ImageIndex = -1;
  bool BasicsKnown = false;
  bool AcceptsDrops = false;
  bool InFileSystem = false;
  bool IsContainer = false;
  bool IsHiddenItem = false;
  bool IsShortcut = false;
  bool IsRemovableMedia = false;
  bool IsShared = false;
  TcxCustomItemProducer* Producer = nullptr;
  std::u16string DisplayName;
  int OpenImageIndex = -1;
  PItemIDList RelativeId = nullptr;
  std::atomic<bool> Fetched{false};
  // Taken by one thread at a time: the user-interface thread and the gatherer's worker both fetch.
  std::atomic<bool> Fetching{false};

 private:
  void QueryAttributes(IShellFolder* folder);
  void QueryIcons(PItemIDList full);
};

enum TcxDetailAlignment : uint8_t { cxdaLeft, cxdaRight, cxdaCenter };

struct TcxDetailItem {
  std::string Caption;
  int PixelWidth = 0;
  TcxDetailAlignment TextAlignment = cxdaLeft;
  int SourceColumn = 0;
};

class TcxShellDetails : public TObject {
  CALDERAN_CLASS(TcxShellDetails)
  TcxShellDetails() = default;
  TcxDetailItem& Add();
  void Clear() { items_.clear(); }
  int Count() const { return static_cast<int>(items_.size()); }
  const TcxDetailItem& Item(int index) const { return items_.at(index); }
  void BuildColumns(int charWidth, IShellFolder* folder, bool inFileSystem);

 private:
  bool BuildFromFolder2(int charWidth, IShellFolder* folder);
  bool BuildFromDetails(int charWidth, IShellFolder* folder);
  std::vector<TcxDetailItem> items_;
};

void LoadItemDetailTexts(TcxShellItemInfo* item, HWND window, IShellFolder* folder, const TcxShellDetails& columns);

// --- the gatherer
struct FetchRequest {
  int ItemIndex = 0;
  TcxCustomItemProducer* Producer = nullptr;
  bool Urgent = false;
};

class TcxShellItemsInfoGatherer : public TObject {
  CALDERAN_CLASS(TcxShellItemsInfoGatherer)
  explicit TcxShellItemsInfoGatherer(TWinControl* view);
  ~TcxShellItemsInfoGatherer() override;
  void RequestFetch(TcxCustomItemProducer* producer, int index, bool urgent);
  void PurgeRequests(TcxCustomItemProducer* producer = nullptr);
  void Pause();
  void Resume();
  TWinControl* View() const { return view_; }
  // Ends the worker (unit shutdown does this for gatherers still alive); later calls do nothing.
  void StopWorker();

 private:
  static DWORD WINAPI WorkerProc(void* self);
  void RunWorker();
  void DrainQueue();
  bool ServeRequest(const FetchRequest& request);
  bool Interrupted() const;

  std::deque<std::unique_ptr<FetchRequest>> queue_;
  HANDLE idleEvent_ = nullptr;
  HANDLE workerThread_ = nullptr;
  bool purging_ = false;
  TWinControl* view_ = nullptr;
  int pauseCount_ = 0;
  HANDLE pauseEvent_ = nullptr;
  HANDLE quitEvent_ = nullptr;
};

// --- unit routines
bool ProbeForChildren(IShellFolder* parent, PItemIDList absolute, DWORD enumFlags);
int DummyFileImageIndex();
int DummyFolderImageIndex();
int DummyOpenFolderImageIndex();
std::string FormatSizeKB(const std::string& digits);
// A file's size as the report views show it: whole kilobytes, rounded up.
std::string FileSizeKBText(uint64_t bytes);
std::string FileTypeName(const std::string& fileName);
TDateTime LocalFileTimeToDateTime(const FILETIME& time);
SHORT CompareIds(IShellFolder* folder, PItemIDList a, PItemIDList b);

// --- many readers, one writer; reads re-enter, a reader of this thread may write, a writer may read
class TcxItemsLock {
 public:
  TcxItemsLock();
  ~TcxItemsLock();
  void LockForRead();
  // Gives up (false) once one of the events is set; the gatherer waits this way so that a pause
  // is never held up by a writer that itself waits for the pause.
  bool LockForReadUnless(HANDLE eventA, HANDLE eventB);
  void UnlockRead();
  void LockForWrite();
  void UnlockWrite();

 private:
  bool CanRead(DWORD self) const;
  CRITICAL_SECTION section_;
  CONDITION_VARIABLE changed_;
  DWORD writer_ = 0;
  int writeDepth_ = 0;
  int waitingWriters_ = 0;
  std::map<DWORD, int> readers_;
};

// --- producers
class TcxCustomItemProducer : public TObject {
  CALDERAN_CLASS(TcxCustomItemProducer)
  explicit TcxCustomItemProducer(TWinControl* view);
  ~TcxCustomItemProducer() override;

  virtual bool FetchesInBackground() = 0;
  virtual bool CanAddFolder(TcxShellFolder*) { return true; }
  virtual bool CompareItemsHook(TcxShellFolder*, TcxShellFolder*, int&) { return false; }
  virtual DWORD EnumFlags() = 0;
  virtual TcxShellItemsInfoGatherer* Gatherer() = 0;
  virtual bool ShowsToolTips() = 0;
  virtual void InitializeItem(TcxShellItemInfo*) {}
  virtual void ItemFetched(TcxShellItemInfo*) {}
  virtual void ProcessItems(IShellFolder* folder, PItemIDList folderList, int preloadCount);
  virtual void ProcessDetails(IShellFolder* folder, int charWidth);
  virtual void NotifyItemCount(int count);
  virtual void NotifyItemFetched(const FetchRequest& request) = 0;
  virtual void NotifyItemRemoved(int index);
  virtual void NotifyItemAdded(int index);

  void ClearItems();
  void QueueUnfetched();
  void RequestItem(int index, bool urgent);
  void PurgeItemRequests();
  int IndexOfId(PItemIDList relative);
  void GetInfoTip(HWND window, int index, int maxLength, char* buffer);
  bool RefreshItems();
  void LockForRead() { lock_.LockForRead(); }
  bool LockForReadUnless(HANDLE a, HANDLE b) { return lock_.LockForReadUnless(a, b); }
  void UnlockRead() { lock_.UnlockRead(); }
  void LockForWrite() { lock_.LockForWrite(); }
  void UnlockWrite() { lock_.UnlockWrite(); }

  TWinControl* View() const { return view_; }
  PItemIDList FolderId() const { return folderId_; }
  IShellFolder* Folder() const { return folder_.Get(); }
  const TcxShellDetails& Columns() const { return columns_; }
  int ItemCount() const { return static_cast<int>(entries_.size()); }
  TcxShellItemInfo* Item(int index) const;

 protected:
  // The window the producer's messages go to and the node they name (0 for a list).
  virtual HWND MessageWindow() const;
  virtual LPARAM MessageNode() const { return 0; }
  virtual bool CanSendMessages() const { return MessageWindow() != nullptr; }
  void SetFolderId(PItemIDList list);

 private:
  bool Enumerate(std::vector<std::unique_ptr<TcxShellItemInfo>>& into, int& preload, bool askCanAdd);
  void SortItems(std::vector<std::unique_ptr<TcxShellItemInfo>>& items);
  bool CompareLess(TcxShellItemInfo* a, TcxShellItemInfo* b);
  void MergeListing(std::vector<std::unique_ptr<TcxShellItemInfo>>& fresh);

  TWinControl* view_ = nullptr;
  PItemIDList folderId_ = nullptr;
  std::vector<std::unique_ptr<TcxShellItemInfo>> entries_;
  TcxItemsLock lock_;
  TcxShellDetails columns_;
  TcxComPtr<IShellFolder> folder_;
};

// --- private messages between producers, roots and views
constexpr UINT CXSM_ITEMCOUNT = 0xB13B, CXSM_ITEMFETCHED = 0xB13C, CXSM_ITEMREMOVED = 0xB13E,
               CXSM_ITEMADDED = 0xB13F, CXSM_OPTIONSCHANGED = 0xB140, CXSM_SHELLCHANGE = 0xB141,
               CXSM_SELECTBYID = 0xB142, CXSM_ROOTFROMLINKED = 0xB143, CXSM_TREECHANGE = 0xB144,
               CXSM_DELAYEDSELECT = 0xB145;

// --- roots
enum TcxBrowseFolder : uint8_t {
  bfCustomPath, bfAltStartup, bfBitBucket, bfCommonDesktopDirectory, bfCommonDocuments, bfCommonFavorites,
  bfCommonPrograms, bfCommonStartMenu, bfCommonStartup, bfCommonTemplates, bfControls, bfDesktop,
  bfDesktopDirectory, bfDrives, bfPrinters, bfFavorites, bfFonts, bfHistory, bfMyMusic, bfMyPictures, bfNetHood,
  bfProfile, bfProgramFiles, bfPrograms, bfRecent, bfStartMenu, bfStartUp, bfTemplates
};
int BrowseFolderCsidl(TcxBrowseFolder folder);
extern const TEnumInfo TcxBrowseFolderInfo;

class TcxCustomShellRoot : public TPersistent {
  CALDERAN_CLASS(TcxCustomShellRoot)
  TcxCustomShellRoot(TPersistent* owner, HWND windowHandle);
  ~TcxCustomShellRoot() override;

  TcxBrowseFolder BrowseFolder() const { return browseFolder_; }
  void SetBrowseFolder(TcxBrowseFolder value);
  const std::u16string& CustomPath() const { return customPath_; }
  void SetCustomPath(const std::u16string& value);
  void Assign(TPersistent* source) override;

  virtual void CheckRoot();
  virtual void RootUpdated();
  void SetRootId(PItemIDList list);
  std::string RootDisplayPath();
  void AssignFromLinked(TcxCustomShellRoot* other);

  PItemIDList RootId() const { return rootId_; }
  TcxShellFolder* RootFolderInfo() const { return rootFolderInfo_.get(); }
  IShellFolder* RootFolder() const { return rootFolder_.Get(); }
  bool Resolved() const { return resolved_; }
  TPersistent* OwningView() const { return owningView_; }
  TNotifyEvent OnChange;

 private:
  PItemIDList LocateSpecialFolder(TcxBrowseFolder folder);
  void Notify();

  TcxBrowseFolder browseFolder_ = bfDesktop;
  std::u16string customPath_;
  TPersistent* owningView_ = nullptr;
  bool resolving_ = false;
  int changeDepth_ = 0;
  HWND windowHandle_ = nullptr;
  PItemIDList rootId_ = nullptr;
  std::unique_ptr<TcxShellFolder> rootFolderInfo_;
  TcxComPtr<IShellFolder> rootFolder_;
  bool assigning_ = false;
  bool resolved_ = false;
};

// --- options
class TcxShellOptions : public TPersistent {
  CALDERAN_CLASS(TcxShellOptions)
  explicit TcxShellOptions(TWinControl* owningView) : owningView_(owningView) {}
  bool ContextMenus() const { return contextMenus_; }
  void SetContextMenus(bool value) { contextMenus_ = value; }
  bool ShowFolders() const { return showFolders_; }
  void SetShowFolders(bool value);
  bool ShowToolTip() const { return showToolTip_; }
  void SetShowToolTip(bool value);
  bool ShowNonFolders() const { return showNonFolders_; }
  void SetShowNonFolders(bool value);
  bool ShowHidden() const { return showHidden_; }
  void SetShowHidden(bool value);
  bool TrackShellChanges() const { return trackShellChanges_; }
  void SetTrackShellChanges(bool value) { trackShellChanges_ = value; }
  DWORD EnumFlags() const;
  void Assign(TPersistent* source) override;
  TWinControl* OwningView() const { return owningView_; }
  TNotifyEvent OnChange;

 protected:
  void NotifyView();

 private:
  bool contextMenus_ = true;
  TWinControl* owningView_ = nullptr;
  bool showFolders_ = true, showToolTip_ = true, showNonFolders_ = true, showHidden_ = false;
  bool trackShellChanges_ = true;
};

class TcxShellListViewOptions : public TcxShellOptions {
  CALDERAN_CLASS(TcxShellListViewOptions)
  using TcxShellOptions::TcxShellOptions;
  bool AutoNavigate() const { return autoNavigate_; }
  void SetAutoNavigate(bool value) { autoNavigate_ = value; }
  void Assign(TPersistent* source) override;

 private:
  bool autoNavigate_ = true;
};

class TcxShellTreeViewOptions : public TcxShellOptions {
  CALDERAN_CLASS(TcxShellTreeViewOptions)
  using TcxShellOptions::TcxShellOptions;
};

// --- drag and drop settings and the drop source
enum TcxDropEffect : uint8_t { deCopy, deMove, deLink };
using TcxDropEffectSet = TSet<TcxDropEffect>;

class TcxDragDropSettings : public TPersistent {
  CALDERAN_CLASS(TcxDragDropSettings)
  TcxDragDropSettings() = default;
  bool AllowDragObjects() const { return allowDragObjects_; }
  void SetAllowDragObjects(bool value);
  TcxDropEffect DefaultDropEffect() const { return defaultDropEffect_; }
  void SetDefaultDropEffect(TcxDropEffect value) { defaultDropEffect_ = value; }
  TcxDropEffectSet DropEffect() const { return dropEffect_; }
  void SetDropEffect(TcxDropEffectSet value) { dropEffect_ = value; }
  bool Scroll() const { return scroll_; }
  void SetScroll(bool value) { scroll_ = value; }
  DWORD DefaultDropEffectValue() const;
  DWORD AllowedEffects() const;
  TNotifyEvent OnChange;

 private:
  bool allowDragObjects_ = true;
  TcxDropEffect defaultDropEffect_ = deMove;
  TcxDropEffectSet dropEffect_{deCopy, deMove, deLink};
  bool scroll_ = false;
};

class TcxDropSource : public IDropSource {
 public:
  explicit TcxDropSource(TWinControl* view) : OwningView(view) {}
  virtual ~TcxDropSource() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
  TWinControl* OwningView;

 private:
  std::atomic<ULONG> refs_{1};
};

// --- context menus and change notification
void ShowShellContextMenu(HWND window, IShellFolder* folder, const std::vector<PItemIDList>& lists, POINT screen);

struct TcxChangeRegistration {
  ULONG Id = 0;
  PItemIDList List = nullptr;  // owned copy
};
void RegisterChangeNotify(PItemIDList folder, HWND window, UINT message, TcxChangeRegistration& state, bool recursive);
void CancelChangeNotify(TcxChangeRegistration& state);
// True when the shell library offers the change-notification exports.
bool ChangeNotificationAvailable();

extern const TUnitInfo cxShellCommonUnit;
