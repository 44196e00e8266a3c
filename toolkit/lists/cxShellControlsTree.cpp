// The inner shell tree view: nodes, their producers, the private messages that keep the nodes in
// step with the producers, selection, renaming, drags, context menus and change notification.
#include <algorithm>

#include "Forms.h"
#include "SysUtils.h"
#include "cxShellControls.h"

CALDERAN_IMPLEMENT_CLASS(TcxShellTreeItemProducer, TcxCustomItemProducer)
CALDERAN_IMPLEMENT_CLASS(TcxShellTreeRoot, TcxCustomShellRoot)
CALDERAN_IMPLEMENT_CREATABLE(TcxCustomInnerShellTreeView, TWinControl, TComponent*)

namespace {

HIMAGELIST SystemImageList(UINT extra) {
  SHFILEINFOA info{};
  return reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | extra));
}

// Frees a list when it goes out of scope.
using THeld = TItemIdListHolder;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Tree producers and root

TcxShellTreeItemProducer::TcxShellTreeItemProducer(TcxCustomInnerShellTreeView* view)
    : TcxCustomItemProducer(view), tree_(view) {
  tree_->RegisterProducer(this);
}

TcxShellTreeItemProducer::~TcxShellTreeItemProducer() {
  if (OnProducerFreeing) OnProducerFreeing(this);
  ClearItems();
  tree_->UnregisterProducer(this);
}

bool TcxShellTreeItemProducer::FetchesInBackground() { return !tree_->Navigating(); }

bool TcxShellTreeItemProducer::CanAddFolder(TcxShellFolder* folder) {
  bool canAdd = true;
  if (tree_->OnAddFolder) tree_->OnAddFolder(tree_, folder, canAdd);
  return canAdd;
}

DWORD TcxShellTreeItemProducer::EnumFlags() { return tree_->Options()->EnumFlags(); }
TcxShellItemsInfoGatherer* TcxShellTreeItemProducer::Gatherer() { return tree_->Gatherer(); }
bool TcxShellTreeItemProducer::ShowsToolTips() { return tree_->ShowInfoTips(); }

void TcxShellTreeItemProducer::InitializeItem(TcxShellItemInfo* item) {
  item->FetchInfo(Folder(), FolderId());
  ItemFetched(item);
}

void TcxShellTreeItemProducer::ItemFetched(TcxShellItemInfo* item) {
  if (!item->IsRemovableMedia) item->MayHaveChildren = ProbeForChildren(Folder(), item->AbsoluteId, EnumFlags());
}

// The tree never shows the column set; it is built with the preload count as width.
void TcxShellTreeItemProducer::ProcessDetails(IShellFolder* folder, int charWidth) {
  TcxCustomItemProducer::ProcessDetails(folder, charWidth);
}

void TcxShellTreeItemProducer::NotifyItemFetched(const FetchRequest& request) {
  if (CanSendMessages()) PostMessageA(MessageWindow(), CXSM_ITEMFETCHED, request.ItemIndex, MessageNode());
}

TcxShellTreeRoot::TcxShellTreeRoot(TcxCustomInnerShellTreeView* view, HWND window)
    : TcxCustomShellRoot(view, window), tree_(view) {}

void TcxShellTreeRoot::RootUpdated() {
  TcxCustomShellRoot::RootUpdated();
  tree_->RootUpdated();
}

// ---------------------------------------------------------------------------------------------
// Construction and window

TcxCustomInnerShellTreeView::TcxCustomInnerShellTreeView(TComponent* owner) : TWinControl(owner) {
  InitializeCriticalSection(&producersLock_);
  gatherer_ = std::make_unique<TcxShellItemsInfoGatherer>(this);
  root_ = std::make_unique<TcxShellTreeRoot>(this, nullptr);
  dragDropSettings_ = std::make_unique<TcxDragDropSettings>();
  dragDropSettings_->OnChange = MakeEvent(this, &TcxCustomInnerShellTreeView::DragDropSettingsChanged);
  options_ = std::make_unique<TcxShellTreeViewOptions>(this);
  options_->SetShowNonFolders(false);
  options_->OnChange = MakeEvent(this, &TcxCustomInnerShellTreeView::DragDropSettingsChanged);
  systemImages_ = SystemImageList(SHGFI_SMALLICON);
  SetControlStyle(ControlStyle() + csDoubleClicks + csClickEvents);
  SetTabStop(true);
}

TcxCustomInnerShellTreeView::~TcxCustomInnerShellTreeView() {
  LinkListView(nullptr);
  CancelChangeNotify(registration_);
  EnterCriticalSection(&producersLock_);
  for (TcxShellTreeItemProducer* producer : producers_) producer->PurgeItemRequests();
  LeaveCriticalSection(&producersLock_);
  DeleteAllNodes();
  // Producers of nodes never shown in a window are freed here.
  while (!producers_.empty()) delete producers_.back();
  if (HandleAllocated()) DestroyHandle();
  options_.reset();
  dragDropSettings_.reset();
  root_.reset();
  gatherer_.reset();
  DeleteCriticalSection(&producersLock_);
}

void TcxCustomInnerShellTreeView::RegisterProducer(TcxShellTreeItemProducer* p) {
  EnterCriticalSection(&producersLock_);
  producers_.push_back(p);
  LeaveCriticalSection(&producersLock_);
}

void TcxCustomInnerShellTreeView::UnregisterProducer(TcxShellTreeItemProducer* p) {
  EnterCriticalSection(&producersLock_);
  std::erase(producers_, p);
  LeaveCriticalSection(&producersLock_);
  if (menuProducer_ == p) menuProducer_ = nullptr;
}

void TcxCustomInnerShellTreeView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, WC_TREEVIEWA);
  params.Style |= style_ | TVS_NOTOOLTIPS;
  if (showInfoTips_) params.Style = (params.Style & ~TVS_NOTOOLTIPS) | TVS_INFOTIP;
  params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

void TcxCustomInnerShellTreeView::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageA(Wnd(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(systemImages_));
  SendMessageA(Wnd(), TVM_SETINDENT, indent_, 0);
  ApplyToolTipStyle();
  if (!LoadingNow() && !root_->RootId()) root_->CheckRoot();
  InitializeNode(nullptr, false);
  if (!dropForwarder_) dropForwarder_ = NewTreeDropForwarder(this);
  dropRegistered_ = SUCCEEDED(RegisterDragDrop(Handle(), dropForwarder_.get()));
}

void TcxCustomInnerShellTreeView::DestroyWnd() {
  CancelChangeNotify(registration_);
  if (dropRegistered_) RevokeDragDrop(Handle());
  dropRegistered_ = false;
  DeleteAllNodes();
  TWinControl::DestroyWnd();
}

void TcxCustomInnerShellTreeView::Loaded() {
  TWinControl::Loaded();
  if (!root_->RootId()) root_->CheckRoot();
  InitializeNode(nullptr, false);
}

void TcxCustomInnerShellTreeView::SetStyleBit(DWORD bit, bool on) {
  style_ = on ? style_ | bit : style_ & ~bit;
  if (HandleAllocated()) SetWindowLongA(Handle(), GWL_STYLE, on ? GetWindowLongA(Handle(), GWL_STYLE) | bit
                                                                 : GetWindowLongA(Handle(), GWL_STYLE) & ~bit);
}

void TcxCustomInnerShellTreeView::SetIndent(int value) {
  indent_ = value;
  if (HandleAllocated()) SendMessageA(Wnd(), TVM_SETINDENT, value, 0);
}

void TcxCustomInnerShellTreeView::SetShowInfoTips(bool value) {
  if (value == showInfoTips_) return;
  showInfoTips_ = value;
  ApplyToolTipStyle();
}

void TcxCustomInnerShellTreeView::ApplyToolTipStyle() {
  if (!HandleAllocated()) return;
  DWORD style = (GetWindowLongA(Handle(), GWL_STYLE) & ~TVS_INFOTIP) | TVS_NOTOOLTIPS;
  if (showInfoTips_ || options_->ShowToolTip()) style &= ~(TVS_INFOTIP | TVS_NOTOOLTIPS);
  if (showInfoTips_) style |= TVS_INFOTIP;
  SetWindowLongA(Handle(), GWL_STYLE, style);
}

// Called for both the drag settings and the options' tool-tip switch.
void TcxCustomInnerShellTreeView::DragDropSettingsChanged(TObject* sender) {
  if (sender == options_.get()) return ApplyToolTipStyle();
  SetDragMode(dragDropSettings_->AllowDragObjects() ? dmAutomatic : dmManual);
}

int TcxCustomInnerShellTreeView::FilterFlags() const {
  return (options_->ShowNonFolders() ? 1 : 0) | (options_->ShowFolders() ? 2 : 0) | (options_->ShowHidden() ? 4 : 0);
}

// ---------------------------------------------------------------------------------------------
// Nodes

HTREEITEM TcxCustomInnerShellTreeView::TopNode() const {
  if (!HandleAllocated()) return nullptr;
  return reinterpret_cast<HTREEITEM>(SendMessageA(Wnd(), TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

HTREEITEM TcxCustomInnerShellTreeView::Selected() const {
  if (!HandleAllocated()) return nullptr;
  return reinterpret_cast<HTREEITEM>(SendMessageA(Wnd(), TVM_GETNEXTITEM, TVGN_CARET, 0));
}

void TcxCustomInnerShellTreeView::Select(HTREEITEM node) {
  SendMessageA(Wnd(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
}

HTREEITEM TcxCustomInnerShellTreeView::ParentNode(HTREEITEM node) const {
  return node ? reinterpret_cast<HTREEITEM>(SendMessageA(Wnd(), TVM_GETNEXTITEM, TVGN_PARENT,
                                                         reinterpret_cast<LPARAM>(node)))
              : nullptr;
}

HTREEITEM TcxCustomInnerShellTreeView::ChildAt(HTREEITEM node, int index) const {
  auto child = reinterpret_cast<HTREEITEM>(
      SendMessageA(Wnd(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(node)));
  for (; child && index > 0; --index)
    child = reinterpret_cast<HTREEITEM>(
        SendMessageA(Wnd(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
  return index < 0 ? nullptr : child;
}

int TcxCustomInnerShellTreeView::ChildCount(HTREEITEM node) const {
  int count = 0;
  for (HTREEITEM child = ChildAt(node, 0); child;
       child = reinterpret_cast<HTREEITEM>(SendMessageA(Wnd(), TVM_GETNEXTITEM, TVGN_NEXT,
                                                        reinterpret_cast<LPARAM>(child))))
    ++count;
  return count;
}

int TcxCustomInnerShellTreeView::IndexOfNode(HTREEITEM node) const {
  int index = 0;
  for (HTREEITEM n = node; (n = reinterpret_cast<HTREEITEM>(SendMessageA(Wnd(), TVM_GETNEXTITEM, TVGN_PREVIOUS,
                                                                           reinterpret_cast<LPARAM>(n))));)
    ++index;
  return index;
}

namespace {

TVITEMW QueryNode(HWND tree, HTREEITEM node, UINT mask, WCHAR* text = nullptr, int size = 0) {
  TVITEMW item{};
  item.mask = mask;
  item.hItem = node;
  item.pszText = text;
  item.cchTextMax = size;
  item.stateMask = TVIS_EXPANDED | TVIS_CUT;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item;
}

}  // namespace

std::u16string TcxCustomInnerShellTreeView::NodeText(HTREEITEM node) const {
  WCHAR text[MAX_PATH] = {};
  QueryNode(Wnd(), node, TVIF_TEXT, text, MAX_PATH);
  return reinterpret_cast<const char16_t*>(text);
}

bool TcxCustomInnerShellTreeView::NodeHasButton(HTREEITEM node) const {
  return QueryNode(Wnd(), node, TVIF_CHILDREN).cChildren != 0;
}

bool TcxCustomInnerShellTreeView::NodeExpanded(HTREEITEM node) const {
  return QueryNode(Wnd(), node, TVIF_STATE).state & TVIS_EXPANDED;
}

int TcxCustomInnerShellTreeView::NodeImage(HTREEITEM node) const { return QueryNode(Wnd(), node, TVIF_IMAGE).iImage; }

bool TcxCustomInnerShellTreeView::NodeCut(HTREEITEM node) const {
  return QueryNode(Wnd(), node, TVIF_STATE).state & TVIS_CUT;
}

void TcxCustomInnerShellTreeView::Expand(HTREEITEM node) {
  SendMessageA(Wnd(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
}

TcxShellTreeItemProducer* TcxCustomInnerShellTreeView::ProducerOf(HTREEITEM node) const {
  if (!node) return nullptr;
  return reinterpret_cast<TcxShellTreeItemProducer*>(QueryNode(Wnd(), node, TVIF_PARAM).lParam);
}

TcxShellItemInfo* TcxCustomInnerShellTreeView::ItemOf(HTREEITEM node) const {
  HTREEITEM parent = ParentNode(node);
  TcxShellTreeItemProducer* producer = ProducerOf(parent);
  return producer ? producer->Item(IndexOfNode(node)) : nullptr;
}

void TcxCustomInnerShellTreeView::SetNodeButton(HTREEITEM node, bool on) {
  TVITEMW item{};
  item.mask = TVIF_CHILDREN;
  item.hItem = node;
  item.cChildren = on ? 1 : 0;
  SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TcxCustomInnerShellTreeView::SetNodeFromItem(HTREEITEM node, TcxShellItemInfo* item) {
  TVITEMW tv{};
  tv.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_STATE;
  tv.hItem = node;
  std::u16string text = item->DisplayName;
  tv.pszText = reinterpret_cast<LPWSTR>(text.data());
  tv.iImage = item->ImageIndex;
  tv.iSelectedImage = item->OpenImageIndex;
  tv.cChildren = item->MayHaveChildren ? 1 : 0;
  tv.stateMask = TVIS_CUT | TVIS_OVERLAYMASK;
  tv.state = (item->IsHiddenItem ? TVIS_CUT : 0) | INDEXTOOVERLAYMASK(item->OverlayIndex() + 1);
  SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
}

HTREEITEM TcxCustomInnerShellTreeView::AddChildNode(HTREEITEM parent, TcxShellItemInfo* item) {
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_PARAM;
  insert.item.lParam = reinterpret_cast<LPARAM>(new TcxShellTreeItemProducer(this));
  auto node = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  if (node) SetNodeFromItem(node, item);
  return node;
}

void TcxCustomInnerShellTreeView::DeleteChildren(HTREEITEM node) {
  while (HTREEITEM child = ChildAt(node, 0)) SendMessageA(Wnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child));
}

void TcxCustomInnerShellTreeView::DeleteAllNodes() {
  if (HandleAllocated()) SendMessageA(Wnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

// ---------------------------------------------------------------------------------------------
// Initialising and listing nodes

void TcxCustomInnerShellTreeView::RootUpdated() {
  if (HandleAllocated()) {
    DeleteAllNodes();
    InitializeNode(nullptr, false);
  }
  if (OnRootChanged) OnRootChanged(this);
}

void TcxCustomInnerShellTreeView::InitializeNode(HTREEITEM node, bool fromSelection) {
  if (LoadingNow() || !HandleAllocated() || !root_->Resolved()) return;
  if (!node) {
    if (TopNode() && ProducerOf(TopNode())) DeleteAllNodes();
    node = TopNode();
    if (!node) {
      TVINSERTSTRUCTW insert{};
      insert.hParent = TVI_ROOT;
      insert.hInsertAfter = TVI_LAST;
      insert.item.mask = TVIF_TEXT | TVIF_PARAM;
      insert.item.pszText = const_cast<LPWSTR>(L"");
      insert.item.lParam = reinterpret_cast<LPARAM>(new TcxShellTreeItemProducer(this));
      node = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    }
  }
  HTREEITEM parent = ParentNode(node);
  if (fromSelection && parent) {
    TcxShellTreeItemProducer* parentProducer = ProducerOf(parent);
    TcxShellItemInfo* item = ItemOf(node);
    if (parentProducer && item) {
      THeld list(ConcatItemIdLists(parentProducer->FolderId(), item->RelativeId));
      ProducerOf(node)->SetListFolder(list.get());
      SetNodeButton(node, ProbeForChildren(parentProducer->Folder(), list.get(), parentProducer->EnumFlags()));
    }
  } else {
    SetNodeButton(node, true);
  }
  if (!fromSelection || !parent) CanExpandNode(node);
  RenewChangeRegistration(node);
}

bool TcxCustomInnerShellTreeView::CanExpandNode(HTREEITEM node) {
  if (ChildAt(node, 0)) return true;
  bool answer = true;
  if (!FillNode(node, answer)) return false;
  return answer;
}

// Lists a node's folder through its producer; false when the node cannot be opened.
bool TcxCustomInnerShellTreeView::FillNode(HTREEITEM node, bool& answer) {
  TcxShellTreeItemProducer* producer = ProducerOf(node);
  if (!producer) return false;
  HTREEITEM parent = ParentNode(node);
  TcxComPtr<IShellFolder> folder;
  THeld list;
  std::u16string text;
  if (parent) {
    TcxShellTreeItemProducer* parentProducer = ProducerOf(parent);
    TcxShellItemInfo* item = ItemOf(node);
    if (!parentProducer || !item) return false;
    answer = item->MayHaveChildren;
    SetNodeButton(node, answer);
    if (FAILED(parentProducer->Folder()->BindToObject(item->RelativeId, nullptr, IID_IShellFolder, folder.OutVoid())))
      return false;
    list.reset(ConcatItemIdLists(parentProducer->FolderId(), item->RelativeId));
    text = GetItemDisplayName(parentProducer->Folder(), item->RelativeId);
  } else {
    if (!root_->RootFolder()) return false;
    root_->RootFolder()->AddRef();
    folder.Reset(root_->RootFolder());
    list.reset(CopyItemIdList(root_->RootId()));
  }
  producer->ClearItems();
  producer->ListedNode = node;
  SHFILEINFOW info{};
  SHGetFileInfoW(reinterpret_cast<LPCWSTR>(list.get()), 0, &info, sizeof(info),
                 SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX);
  if (!parent) text = reinterpret_cast<const char16_t*>(info.szDisplayName);
  TVITEMW tv{};
  tv.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  tv.hItem = node;
  tv.pszText = reinterpret_cast<LPWSTR>(text.data());
  tv.iImage = info.iIcon;
  SHGetFileInfoW(reinterpret_cast<LPCWSTR>(list.get()), 0, &info, sizeof(info),
                 SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_OPENICON);
  tv.iSelectedImage = info.iIcon;
  SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
  producer->ProcessItems(folder.Get(), list.get(), 0);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Private messages

void TcxCustomInnerShellTreeView::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CXSM_ITEMCOUNT: WMItemCount(m); break;
    case CXSM_ITEMFETCHED: WMItemFetched(m); break;
    case CXSM_ITEMREMOVED: WMItemRemoved(m); break;
    case CXSM_ITEMADDED: WMItemAdded(m); break;
    case CXSM_OPTIONSCHANGED:
      if (!LoadingNow()) InitializeNode(nullptr, false);
      break;
    case CXSM_SHELLCHANGE: WMDropRefresh(m); break;
    case CXSM_SELECTBYID: WMSelectById(m); break;
    case CXSM_ROOTFROMLINKED:
      if (!Parent() || !Parent()->ComponentState().Contains(csLoading))
        root_->AssignFromLinked(reinterpret_cast<TcxCustomShellRoot*>(m.WParam));
      break;
    case CXSM_TREECHANGE: WMTreeChange(m); break;
    case CXSM_DELAYEDSELECT: WMDelayedSelect(m); break;
    case CN_NOTIFY: CNNotify(m); break;
    case WM_CONTEXTMENU: WMContextMenu(m); break;
    default: TWinControl::Dispatch(m);
  }
}

void TcxCustomInnerShellTreeView::WMItemCount(TMessage& m) {
  auto node = reinterpret_cast<HTREEITEM>(m.LParam);
  TcxShellTreeItemProducer* producer = ProducerOf(node);
  if (!producer) return;
  if (m.WParam == 0) {
    DeleteChildren(node);
    SetNodeButton(node, false);
    return;
  }
  SendMessageA(Wnd(), WM_SETREDRAW, FALSE, 0);
  producer->LockForRead();
  for (int i = 0; i < producer->ItemCount(); ++i) {
    TcxShellItemInfo* item = producer->Item(i);
    if (!item->Fetched) producer->RequestItem(i, false);
    AddChildNode(node, item);
  }
  producer->UnlockRead();
  SendMessageA(Wnd(), WM_SETREDRAW, TRUE, 0);
  if (!ChildAt(node, 0)) SetNodeButton(node, false);
}

void TcxCustomInnerShellTreeView::WMItemFetched(TMessage& m) {
  auto node = reinterpret_cast<HTREEITEM>(m.LParam);
  TcxShellTreeItemProducer* producer = ProducerOf(node);
  HTREEITEM child = producer ? ChildAt(node, static_cast<int>(m.WParam)) : nullptr;
  if (!child) return;
  producer->LockForRead();
  if (TcxShellItemInfo* item = producer->Item(static_cast<int>(m.WParam))) SetNodeFromItem(child, item);
  producer->UnlockRead();
}

void TcxCustomInnerShellTreeView::WMItemRemoved(TMessage& m) {
  auto node = reinterpret_cast<HTREEITEM>(m.LParam);
  if (HTREEITEM child = ChildAt(node, static_cast<int>(m.WParam)))
    SendMessageA(Wnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child));
}

void TcxCustomInnerShellTreeView::WMItemAdded(TMessage& m) {
  auto node = reinterpret_cast<HTREEITEM>(m.LParam);
  TcxShellTreeItemProducer* producer = ProducerOf(node);
  if (!producer) return;
  producer->LockForRead();
  if (TcxShellItemInfo* item = producer->Item(static_cast<int>(m.WParam))) AddChildNode(node, item);
  producer->UnlockRead();
}

// Selecting by list: the items below the root are found one by one in the producers.
void TcxCustomInnerShellTreeView::WMSelectById(TMessage& m) {
  auto list = reinterpret_cast<PItemIDList>(m.WParam);
  if (!list || !HandleAllocated()) return;
  navigating_ = true;
  struct TDone {
    bool& flag;
    ~TDone() { flag = false; }
  } done{navigating_};
  const int rootCount = ItemIdCount(root_->RootId());
  if (ItemIdCount(list) < rootCount || !IsShellIdPrefix(root_->RootId(), list)) {
    if (ItemIdCount(list) < rootCount) {
      root_->SetRootId(list);
      Select(TopNode());
    }
    return;
  }
  PItemIDList id = list;
  for (int i = 0; i < rootCount; ++i) id = NextItemId(id);
  Select(TopNode());
  for (; id && id->mkid.cb; id = NextItemId(id)) {
    HTREEITEM current = Selected();
    TcxShellTreeItemProducer* producer = ProducerOf(current);
    if (producer && !ChildAt(current, 0)) CanExpandNode(current);
    THeld single(CopyFirstItemId(id));
    const int index = producer ? producer->IndexOfId(single.get()) : -1;
    HTREEITEM child = index >= 0 ? ChildAt(current, index) : nullptr;
    if (!child) break;
    Select(child);
  }
  SendMessageA(Wnd(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(Selected()));
}

void TcxCustomInnerShellTreeView::WMDelayedSelect(TMessage& m) {
  if (menuOpen_) {
    PostMessageA(Handle(), CXSM_DELAYEDSELECT, m.WParam, 0);
    return;
  }
  THeld list(reinterpret_cast<PItemIDList>(m.WParam));
  const bool autoExpand = AutoExpand();
  SetAutoExpand(false);
  SendMessageA(Wnd(), CXSM_SELECTBYID, reinterpret_cast<WPARAM>(list.get()), 0);
  SetAutoExpand(autoExpand);
  ShowInLinkedList(Selected());
}

HTREEITEM TcxCustomInnerShellTreeView::FindNodeOf(PItemIDList absolute) {
  if (!absolute) return nullptr;
  if (!root_->Resolved()) root_->CheckRoot();
  if (SameShellIds(absolute, root_->RootId())) return TopNode();
  if (!IsShellIdPrefix(root_->RootId(), absolute)) return nullptr;
  PItemIDList id = absolute;
  for (int i = ItemIdCount(root_->RootId()); i > 0; --i) id = NextItemId(id);
  HTREEITEM node = TopNode();
  for (; node && id && id->mkid.cb; id = NextItemId(id)) {
    TcxShellTreeItemProducer* producer = ProducerOf(node);
    THeld single(CopyFirstItemId(id));
    const int index = producer ? producer->IndexOfId(single.get()) : -1;
    node = index >= 0 ? ChildAt(node, index) : nullptr;
  }
  return node;
}

PItemIDList TcxCustomInnerShellTreeView::NodeAbsoluteId(HTREEITEM node) {
  TcxShellTreeItemProducer* producer = ProducerOf(node);
  if (producer && producer->FolderId()) return CopyItemIdList(producer->FolderId());
  if (!node || !ParentNode(node)) return CopyItemIdList(root_->RootId());
  THeld parent(NodeAbsoluteId(ParentNode(node)));
  TcxShellItemInfo* item = ItemOf(node);
  return item ? ConcatItemIdLists(parent.get(), item->RelativeId) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Notifications of the platform tree

void TcxCustomInnerShellTreeView::CNNotify(TMessage& m) {
  auto* header = reinterpret_cast<NMHDR*>(m.LParam);
  switch (header->code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
      auto* info = reinterpret_cast<NMTREEVIEWW*>(m.LParam);
      if (info->action & TVE_EXPAND) m.Result = CanExpandNode(info->itemNew.hItem) ? FALSE : TRUE;
      return;
    }
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: SelectionChanged(reinterpret_cast<NMTREEVIEWW*>(m.LParam)->itemNew.hItem); return;
    case TVN_DELETEITEMA:
    case TVN_DELETEITEMW: {
      auto* info = reinterpret_cast<NMTREEVIEWW*>(m.LParam);
      delete reinterpret_cast<TcxShellTreeItemProducer*>(info->itemOld.lParam);
      if (highlighted_ == info->itemOld.hItem) highlighted_ = nullptr;
      return;
    }
    case TVN_GETINFOTIPA: {
      auto* tip = reinterpret_cast<NMTVGETINFOTIPA*>(m.LParam);
      HTREEITEM parent = ParentNode(tip->hItem);
      if (TcxShellTreeItemProducer* producer = ProducerOf(parent))
        producer->GetInfoTip(Handle(), IndexOfNode(tip->hItem), tip->cchTextMax, tip->pszText);
      return;
    }
    case TVN_BEGINDRAGA:
    case TVN_BEGINDRAGW:
    case TVN_BEGINRDRAGA:
    case TVN_BEGINRDRAGW: BeginDragNode(reinterpret_cast<NMTREEVIEWW*>(m.LParam)->itemNew.hItem); return;
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW: {
      HTREEITEM node = reinterpret_cast<NMTVDISPINFOW*>(m.LParam)->item.hItem;
      TcxShellTreeItemProducer* parent = ProducerOf(ParentNode(node));
      bool allowed = false;
      if (parent) {
        parent->LockForRead();
        TcxShellItemInfo* item = ItemOf(node);
        allowed = item && item->Renamable;
        parent->UnlockRead();
      }
      m.Result = allowed ? FALSE : TRUE;
      return;
    }
    case TVN_ENDLABELEDITW: EndLabelEdit(*reinterpret_cast<NMTVDISPINFOW*>(m.LParam)); return;
  }
  TWinControl::Dispatch(m);
}

void TcxCustomInnerShellTreeView::SelectionChanged(HTREEITEM node) {
  if (node) InitializeNode(node, !navigating_);
  if (!navigating_) ShowInLinkedList(node);
  if (OnChange) OnChange(this, node);
}

void TcxCustomInnerShellTreeView::EndLabelEdit(NMTVDISPINFOW& info) {
  if (!info.item.pszText) return;
  HTREEITEM node = info.item.hItem;
  TcxShellTreeItemProducer* parent = ProducerOf(ParentNode(node));
  TcxShellItemInfo* item = ItemOf(node);
  if (!parent || !item) return;
  CancelChangeNotify(registration_);
  LPITEMIDLIST renamed = nullptr;
  if (FAILED(parent->Folder()->SetNameOf(Handle(), item->RelativeId, info.item.pszText, 0x8001, &renamed)) || !renamed)
    return;  // the node keeps its old text
  SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&info.item));
  item->ReplaceId(parent->Folder(), parent->FolderId(), renamed);
  FreeItemIdList(renamed);
  SetNodeFromItem(node, item);
}

void TcxCustomInnerShellTreeView::KeyDown(Word& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (key == VK_F5) Refresh();
}

void TcxCustomInnerShellTreeView::Refresh() {
  if (!HandleAllocated()) return;
  if (!root_->Resolved()) root_->CheckRoot();
  SendMessageA(Wnd(), CXSM_TREECHANGE, reinterpret_cast<WPARAM>(root_->RootId()), 0);
}

void TcxCustomInnerShellTreeView::RenewChangeRegistration(HTREEITEM node) {
  if (menuOpen_ || !HandleAllocated()) return;
  if (!node) node = Selected() ? Selected() : TopNode();
  if (!options_->TrackShellChanges() || !node) return CancelChangeNotify(registration_);
  registering_ = true;
  THeld list(NodeAbsoluteId(node));
  RegisterChangeNotify(list.get(), Handle(), CXSM_TREECHANGE, registration_, true);
  registering_ = false;
}

// ---------------------------------------------------------------------------------------------
// Rebuilding after a change notification or F5

void TcxCustomInnerShellTreeView::WMTreeChange(TMessage& m) {
  if (registering_ || rebuilding_) return;
  auto** lists = reinterpret_cast<PItemIDList*>(m.WParam);
  const DWORD event = static_cast<DWORD>(m.LParam);
  if (event == SHCNE_UPDATEITEM && lists && !FindNodeOf(lists[0])) return;
  auto fire = [&] {
    if (OnShellChange) OnShellChange(this, event, lists && m.LParam ? lists[0] : nullptr, lists && m.LParam ? lists[1] : nullptr);
  };
  if (dropForwarder_ && dropForwarder_->Dragging()) return fire();
  rebuilding_ = true;
  HWND parent = Parent() && Parent()->HandleAllocated() ? Parent()->Handle() : nullptr;
  if (parent) SendMessageA(parent, WM_SETREDRAW, FALSE, 0);
  try {
    RebuildKeepingState();
  } catch (...) {
    rebuilding_ = false;
    if (parent) SendMessageA(parent, WM_SETREDRAW, TRUE, 0);
    fire();
    throw;
  }
  rebuilding_ = false;
  if (parent) {
    SendMessageA(parent, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  fire();
}

void TcxCustomInnerShellTreeView::RebuildKeepingState() {
  std::vector<THeld> expanded;
  std::vector<HTREEITEM> stack{TopNode()};
  while (!stack.empty()) {
    HTREEITEM node = stack.back();
    stack.pop_back();
    if (!node) continue;
    if (NodeExpanded(node)) expanded.emplace_back(node == TopNode() ? nullptr : NodeAbsoluteId(node));
    for (int i = ChildCount(node) - 1; i >= 0; --i) stack.push_back(ChildAt(node, i));
  }
  THeld selection(Selected() ? NodeAbsoluteId(Selected()) : nullptr);
  DeleteAllNodes();
  InitializeNode(nullptr, false);
  for (const THeld& list : expanded) {
    HTREEITEM node = list ? FindNodeOf(list.get()) : TopNode();
    if (node) Expand(node);
  }
  if (!selection) return;
  for (PItemIDList cut = CopyItemIdList(selection.get());; ) {
    if (FindNodeOf(cut) || ItemIdCount(cut) == 0) {
      PostMessageA(Handle(), CXSM_DELAYEDSELECT, reinterpret_cast<WPARAM>(cut), 0);
      break;
    }
    LastItemId(cut)->mkid.cb = 0;
  }
}

void TcxCustomInnerShellTreeView::WMDropRefresh(TMessage& m) {
  auto* producer = reinterpret_cast<TcxShellTreeItemProducer*>(m.WParam);
  EnterCriticalSection(&producersLock_);
  const bool alive = std::find(producers_.begin(), producers_.end(), producer) != producers_.end();
  LeaveCriticalSection(&producersLock_);
  if (!alive) return;
  Sleep(100);
  if (!producer->RefreshItems()) InitializeNode(nullptr, false);
}

// ---------------------------------------------------------------------------------------------
// Linked list view

void TcxCustomInnerShellTreeView::ShowInLinkedList(HTREEITEM node) {
  if (!linkedListView_ || !node) return;
  THeld list(NodeAbsoluteId(node));
  linkedListView_->ShowFromLinkedTree(list.get());
}

void TcxCustomInnerShellTreeView::LinkListView(TcxCustomInnerShellListView* list) {
  if (linkedListView_) linkedListView_->LinkTreeView(nullptr);
  linkedListView_ = list;
  if (!list) return;
  list->LinkTreeView(this);
  ShowInLinkedList(Selected());
}
