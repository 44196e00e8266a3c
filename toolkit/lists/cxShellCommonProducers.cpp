// Item producers (listing, sorting, merging a new listing), shell roots and options.
#include <algorithm>

#include "Forms.h"
#include "SysUtils.h"
#include "cxShellCommon.h"

CALDERAN_IMPLEMENT_CLASS(TcxCustomItemProducer, TObject)
CALDERAN_IMPLEMENT_CLASS(TcxCustomShellRoot, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TcxShellOptions, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TcxShellListViewOptions, TcxShellOptions)
CALDERAN_IMPLEMENT_CLASS(TcxShellTreeViewOptions, TcxShellOptions)

extern void* cxSHGetFolderLocation;

namespace {

// Shows the hourglass on the screen for its life.
struct THourGlass {
  TCursor saved;
  THourGlass() : saved(Screen ? Screen->Cursor() : crDefault) {
    if (Screen) Screen->SetCursor(crHourGlass);
  }
  ~THourGlass() {
    if (Screen) Screen->SetCursor(saved);
  }
};

bool IsFileSystemFolder(PItemIDList list) {
  SFGAOF attributes = SFGAO_FILESYSTEM;
  LPCITEMIDLIST child = list;
  return SUCCEEDED(DesktopFolder()->GetAttributesOf(1, &child, &attributes)) && (attributes & SFGAO_FILESYSTEM);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Producers

TcxCustomItemProducer::TcxCustomItemProducer(TWinControl* view) : view_(view) {}

// Descendants purge their requests (ClearItems) in their own destructors, while the gatherer they
// answer is still theirs; this one only frees.
TcxCustomItemProducer::~TcxCustomItemProducer() {
  entries_.clear();
  folder_.Reset();
  SetFolderId(nullptr);
}

TcxShellItemInfo* TcxCustomItemProducer::Item(int index) const {
  return index >= 0 && index < ItemCount() ? entries_[index].get() : nullptr;
}

HWND TcxCustomItemProducer::MessageWindow() const {
  return view_ && view_->HandleAllocated() ? view_->Handle() : nullptr;
}

void TcxCustomItemProducer::SetFolderId(PItemIDList list) {
  FreeItemIdList(folderId_);
  folderId_ = list;
}

void TcxCustomItemProducer::ProcessItems(IShellFolder* folder, PItemIDList folderList, int preloadCount) {
  SetFolderId(CopyItemIdList(folderList));
  if (folder) folder->AddRef();
  folder_.Reset(folder);
  ProcessDetails(folder, preloadCount);
  {
    LockForWrite();
    struct TUnlock {
      TcxCustomItemProducer* p;
      ~TUnlock() { p->UnlockWrite(); }
    } unlock{this};
    THourGlass hourGlass;
    std::vector<std::unique_ptr<TcxShellItemInfo>> listed;
    if (Enumerate(listed, preloadCount, true)) {
      SortItems(listed);
      for (auto& item : listed) entries_.push_back(std::move(item));
    }
  }
  NotifyItemCount(ItemCount());
  if (FetchesInBackground()) QueueUnfetched();
}

void TcxCustomItemProducer::ProcessDetails(IShellFolder* folder, int charWidth) {
  columns_.BuildColumns(charWidth, folder, folderId_ && IsFileSystemFolder(folderId_));
}

// Lists the folder into the vector; false when the enumeration could not start.
bool TcxCustomItemProducer::Enumerate(std::vector<std::unique_ptr<TcxShellItemInfo>>& into, int& preload,
                                      bool askCanAdd) {
  if (!folder_) return false;
  TcxComPtr<IEnumIDList> items;
  if (folder_->EnumObjects(nullptr, EnumFlags(), items.Out()) != S_OK || !items) return false;
  for (bool retried = false;;) {
    PITEMID_CHILD child = nullptr;
    ULONG fetched = 0;
    const HRESULT hr = items->Next(1, &child, &fetched);
    if (hr == E_INVALIDARG && !retried) {
      retried = true;
      continue;
    }
    if (hr != S_OK || fetched == 0 || !child) break;
    auto item = std::make_unique<TcxShellItemInfo>(this, folder_.Get(), folderId_, child);
    FreeItemIdList(child);
    if (item->DisplayName.empty() || (askCanAdd && !CanAddFolder(item->FolderInfo))) continue;
    if (askCanAdd && preload > 0) {
      item->FetchInfo(folder_.Get(), folderId_);
      --preload;
    } else if (askCanAdd) {
      InitializeItem(item.get());
    }
    into.push_back(std::move(item));
  }
  return true;
}

bool TcxCustomItemProducer::CompareLess(TcxShellItemInfo* a, TcxShellItemInfo* b) {
  int result = 0;
  if (CompareItemsHook(a->FolderInfo, b->FolderInfo, result)) return result < 0;
  if (a->IsContainer != b->IsContainer) return a->IsContainer;
  return CompareIds(folder_.Get(), a->RelativeId, b->RelativeId) < 0;
}

void TcxCustomItemProducer::SortItems(std::vector<std::unique_ptr<TcxShellItemInfo>>& items) {
  std::sort(items.begin(), items.end(), [this](const auto& a, const auto& b) { return CompareLess(a.get(), b.get()); });
}

void TcxCustomItemProducer::NotifyItemCount(int count) {
  if (CanSendMessages()) SendMessageA(MessageWindow(), CXSM_ITEMCOUNT, count, MessageNode());
}

void TcxCustomItemProducer::NotifyItemRemoved(int index) {
  if (CanSendMessages()) SendMessageA(MessageWindow(), CXSM_ITEMREMOVED, index, MessageNode());
}

void TcxCustomItemProducer::NotifyItemAdded(int index) {
  if (CanSendMessages()) SendMessageA(MessageWindow(), CXSM_ITEMADDED, index, MessageNode());
}

void TcxCustomItemProducer::QueueUnfetched() {
  TcxShellItemsInfoGatherer* gatherer = Gatherer();
  if (!gatherer) return;
  gatherer->Pause();
  struct TResume {
    TcxShellItemsInfoGatherer* g;
    ~TResume() { g->Resume(); }
  } resume{gatherer};
  for (int i = 0; i < ItemCount(); ++i)
    if (!entries_[i]->Fetched) gatherer->RequestFetch(this, i, false);
}

void TcxCustomItemProducer::RequestItem(int index, bool urgent) {
  if (TcxShellItemsInfoGatherer* gatherer = Gatherer()) gatherer->RequestFetch(this, index, urgent);
}

void TcxCustomItemProducer::PurgeItemRequests() {
  if (TcxShellItemsInfoGatherer* gatherer = Gatherer()) gatherer->PurgeRequests(this);
}

// The requests go first, so the worker cannot reach the items freed here; the write lock is taken
// only after that, never around a wait for the worker.
void TcxCustomItemProducer::ClearItems() {
  PurgeItemRequests();
  LockForWrite();
  entries_.clear();
  UnlockWrite();
  folder_.Reset();
  SetFolderId(nullptr);
}

int TcxCustomItemProducer::IndexOfId(PItemIDList relative) {
  if (!folder_ || !relative) return -1;
  LockForRead();
  int found = -1;
  for (int i = 0; i < ItemCount() && found < 0; ++i)
    if (CompareIds(folder_.Get(), entries_[i]->RelativeId, relative) == 0) found = i;
  UnlockRead();
  return found;
}

void TcxCustomItemProducer::GetInfoTip(HWND window, int index, int maxLength, char* buffer) {
  if (!buffer || maxLength <= 0) return;
  buffer[0] = 0;
  if (!ShowsToolTips() || !Item(index) || !folder_) return;
  LPCITEMIDLIST child = entries_[index]->RelativeId;
  TcxComPtr<IQueryInfo> info;
  if (FAILED(folder_->GetUIObjectOf(window, 1, &child, IID_IQueryInfo, nullptr, info.OutVoid())) || !info) return;
  LPWSTR tip = nullptr;
  if (FAILED(info->GetInfoTip(0, &tip)) || !tip) return;
  lstrcpynA(buffer, WideToAnsi(reinterpret_cast<const char16_t*>(tip)).c_str(), maxLength);
  ShellMalloc()->Free(tip);
}

bool TcxCustomItemProducer::RefreshItems() {
  if (!folder_) return false;
  std::vector<std::unique_ptr<TcxShellItemInfo>> fresh;
  int noPreload = 0;
  {
    TCursor saved = view_ ? view_->Cursor() : crDefault;
    if (view_) view_->SetCursor(crHourGlass);
    const bool started = Enumerate(fresh, noPreload, false);
    if (view_) view_->SetCursor(saved);
    if (!started) return false;
  }
  SortItems(fresh);
  LockForWrite();
  struct TUnlock {
    TcxCustomItemProducer* p;
    ~TUnlock() { p->UnlockWrite(); }
  } unlock{this};
  MergeListing(fresh);
  return true;
}

void TcxCustomItemProducer::MergeListing(std::vector<std::unique_ptr<TcxShellItemInfo>>& fresh) {
  for (int i = 0; i < ItemCount();) {
    auto same = std::find_if(fresh.begin(), fresh.end(), [&](const auto& item) {
      return CompareIds(folder_.Get(), item->RelativeId, entries_[i]->RelativeId) == 0;
    });
    if (same != fresh.end()) {
      entries_[i++] = std::move(*same);
      fresh.erase(same);
    } else {
      NotifyItemRemoved(i);
      entries_.erase(entries_.begin() + i);
    }
  }
  for (auto& item : fresh) {
    if (!CanAddFolder(item->FolderInfo)) continue;
    item->FetchInfo(folder_.Get(), folderId_);
    entries_.push_back(std::move(item));
    NotifyItemAdded(ItemCount() - 1);
  }
}

// ---------------------------------------------------------------------------------------------
// Roots

namespace {

// Indexed by TcxBrowseFolder. The alternative start-up folder is the start-up folder itself and
// the network neighbourhood is the network folder, as the views have always shown them.
constexpr int browseFolderCsidl[] = {
    -1,   7,    0x0A, 0x19, 0x2E, 0x1F, 0x17, 0x16, 0x18, 0x2D, 3,    0,    0x10, 0x11,
    4,    6,    0x14, 0x22, 0x0D, 0x27, 0x12, 0x28, 0x26, 2,    8,    0x0B, 7,    0x15};
static_assert(std::size(browseFolderCsidl) == bfTemplates + 1);

constexpr const char* browseFolderNames[] = {
    "bfCustomPath", "bfAltStartup", "bfBitBucket", "bfCommonDesktopDirectory", "bfCommonDocuments",
    "bfCommonFavorites", "bfCommonPrograms", "bfCommonStartMenu", "bfCommonStartup", "bfCommonTemplates",
    "bfControls", "bfDesktop", "bfDesktopDirectory", "bfDrives", "bfPrinters", "bfFavorites", "bfFonts",
    "bfHistory", "bfMyMusic", "bfMyPictures", "bfNetHood", "bfProfile", "bfProgramFiles", "bfPrograms",
    "bfRecent", "bfStartMenu", "bfStartUp", "bfTemplates"};

using TGetFolderLocation = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, PIDLIST_ABSOLUTE*);

}  // namespace

constinit const TEnumInfo TcxBrowseFolderInfo{browseFolderNames, static_cast<int>(std::size(browseFolderNames))};

int BrowseFolderCsidl(TcxBrowseFolder folder) { return browseFolderCsidl[folder]; }

TcxCustomShellRoot::TcxCustomShellRoot(TPersistent* owner, HWND windowHandle)
    : owningView_(owner), windowHandle_(windowHandle) {}

TcxCustomShellRoot::~TcxCustomShellRoot() {
  rootFolderInfo_.reset();
  FreeItemIdList(rootId_);
}

// Answers a new list, or raises with the shell's message.
PItemIDList TcxCustomShellRoot::LocateSpecialFolder(TcxBrowseFolder folder) {
  PIDLIST_ABSOLUTE list = nullptr;
  HRESULT hr;
  if (folder == bfCustomPath) {
    std::u16string path = customPath_;
    hr = DesktopFolder()->ParseDisplayName(windowHandle_, nullptr, reinterpret_cast<LPWSTR>(path.data()), nullptr,
                                          &list, nullptr);
  } else if (cxSHGetFolderLocation) {
    hr = reinterpret_cast<TGetFolderLocation>(cxSHGetFolderLocation)(windowHandle_, BrowseFolderCsidl(folder),
                                                                     nullptr, 0, &list);
  } else {
    hr = SHGetSpecialFolderLocation(windowHandle_, BrowseFolderCsidl(folder), &list);
  }
  if (FAILED(hr) || !list) throw EOSError(SysErrorMessage(static_cast<uint32_t>(hr)));
  return list;
}

void TcxCustomShellRoot::CheckRoot() {
  if (resolving_) return;
  resolved_ = false;
  rootFolder_.Reset();
  FreeItemIdList(rootId_);
  rootId_ = nullptr;
  TcxBrowseFolder folder = browseFolder_;
  if (folder == bfCustomPath && customPath_.empty()) folder = bfDesktop;
  resolving_ = true;
  struct TDone {
    bool& flag;
    ~TDone() { flag = false; }
  } done{resolving_};
  PItemIDList list = nullptr;
  try {
    list = LocateSpecialFolder(folder);
  } catch (const Exception& failure) {
    if (changeDepth_ > 0) throw EcxEditError(failure.Message());
    resolving_ = false;
    RootUpdated();
    return;
  }
  TItemIdListHolder temporary(list);
  resolving_ = false;
  if (folder == bfDesktop) {
    DesktopFolder()->AddRef();
    rootFolder_.Reset(DesktopFolder());
    rootId_ = CopyItemIdList(list);
    resolved_ = true;
    RootUpdated();
  } else {
    SetRootId(list);
  }
}

void TcxCustomShellRoot::SetRootId(PItemIDList list) {
  if (!list) return;
  PItemIDList copy = CopyItemIdList(list);
  FreeItemIdList(rootId_);
  rootId_ = nullptr;
  resolved_ = false;
  IShellFolder* bound = nullptr;
  if (SUCCEEDED(DesktopFolder()->BindToObject(list, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&bound))) &&
      bound) {
    rootFolder_.Reset(bound);
  } else {
    DesktopFolder()->AddRef();
    rootFolder_.Reset(DesktopFolder());
  }
  rootId_ = copy;
  resolved_ = true;
  RootUpdated();
}

void TcxCustomShellRoot::RootUpdated() {
  rootFolderInfo_.reset(rootId_ ? new TcxShellFolder(rootId_) : nullptr);
}

std::string TcxCustomShellRoot::RootDisplayPath() {
  if (!rootId_) return {};
  return WideToAnsi(GetItemDisplayName(DesktopFolder(), rootId_, SHGDN_FORPARSING));
}

void TcxCustomShellRoot::Notify() {
  if (!assigning_ && OnChange) OnChange(this);
}

void TcxCustomShellRoot::SetBrowseFolder(TcxBrowseFolder value) {
  const TcxBrowseFolder old = browseFolder_;
  browseFolder_ = value;
  try {
    ++changeDepth_;
    if (value != old || !resolved_) CheckRoot();
    --changeDepth_;
    Notify();
  } catch (...) {
    --changeDepth_;
    browseFolder_ = old;
    CheckRoot();
    throw;
  }
}

void TcxCustomShellRoot::SetCustomPath(const std::u16string& value) {
  const std::u16string old = customPath_;
  customPath_ = value;
  try {
    ++changeDepth_;
    if (browseFolder_ == bfCustomPath) CheckRoot();
    --changeDepth_;
    Notify();
  } catch (...) {
    --changeDepth_;
    customPath_ = old;
    CheckRoot();
    throw;
  }
}

void TcxCustomShellRoot::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TcxCustomShellRoot*>(source);
  if (!other) return TPersistent::Assign(source);
  const TcxBrowseFolder oldFolder = browseFolder_;
  const std::u16string oldPath = customPath_;
  browseFolder_ = other->browseFolder_;
  customPath_ = other->customPath_;
  try {
    ++changeDepth_;
    CheckRoot();
    --changeDepth_;
    Notify();
  } catch (...) {
    --changeDepth_;
    browseFolder_ = oldFolder;
    customPath_ = oldPath;
    CheckRoot();
    throw;
  }
}

void TcxCustomShellRoot::AssignFromLinked(TcxCustomShellRoot* other) {
  if (assigning_) return;
  assigning_ = true;
  struct TDone {
    bool& flag;
    ~TDone() { flag = false; }
  } done{assigning_};
  Assign(other);
}

// ---------------------------------------------------------------------------------------------
// Options

void TcxShellOptions::NotifyView() {
  if (owningView_ && owningView_->HandleAllocated()) SendMessageA(owningView_->Handle(), CXSM_OPTIONSCHANGED, 0, 0);
}

void TcxShellOptions::SetShowFolders(bool value) {
  showFolders_ = value;
  NotifyView();
}

void TcxShellOptions::SetShowNonFolders(bool value) {
  showNonFolders_ = value;
  NotifyView();
}

void TcxShellOptions::SetShowHidden(bool value) {
  showHidden_ = value;
  NotifyView();
}

void TcxShellOptions::SetShowToolTip(bool value) {
  if (value == showToolTip_) return;
  showToolTip_ = value;
  if (OnChange) OnChange(this);
}

DWORD TcxShellOptions::EnumFlags() const {
  return (showFolders_ ? SHCONTF_FOLDERS : 0) | (showNonFolders_ ? SHCONTF_NONFOLDERS : 0) |
         (showHidden_ ? SHCONTF_INCLUDEHIDDEN : 0);
}

void TcxShellOptions::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TcxShellOptions*>(source);
  if (!other) return TPersistent::Assign(source);
  contextMenus_ = other->contextMenus_;
  showFolders_ = other->showFolders_;
  showHidden_ = other->showHidden_;
  showNonFolders_ = other->showNonFolders_;
  SetShowToolTip(other->showToolTip_);
  trackShellChanges_ = other->trackShellChanges_;
  NotifyView();
}

void TcxShellListViewOptions::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TcxShellListViewOptions*>(source)) autoNavigate_ = other->autoNavigate_;
  TcxShellOptions::Assign(source);
}
