// The inner shell list view: one folder in an owner-data list, filled from its producer as the
// platform asks for rows, with navigation, renaming, drags, drops and context menus.
#include <climits>

#include "Forms.h"
#include "SysUtils.h"
#include "cxShellControls.h"

CALDERAN_IMPLEMENT_CLASS(TcxShellListViewProducer, TcxCustomItemProducer)
CALDERAN_IMPLEMENT_CLASS(TcxShellListRoot, TcxCustomShellRoot)
CALDERAN_IMPLEMENT_CREATABLE(TcxCustomInnerShellListView, TcxCustomInnerListView, TComponent*)

bool cxShellTreeIsDriving = false;

namespace {

constexpr int preloadCount = 10;

HIMAGELIST SystemImages(UINT extra) {
  SHFILEINFOA info{};
  return reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | extra));
}

TAlignment AlignmentOf(TcxDetailAlignment alignment) {
  constexpr TAlignment alignments[] = {taLeftJustify, taRightJustify, taCenter};
  return alignments[alignment];
}

struct TReadLock {
  TcxCustomItemProducer* p;
  explicit TReadLock(TcxCustomItemProducer* producer) : p(producer) { p->LockForRead(); }
  ~TReadLock() { p->UnlockRead(); }
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Producer and root

TcxShellListViewProducer::TcxShellListViewProducer(TcxCustomInnerShellListView* view)
    : TcxCustomItemProducer(view), list_(view) {}

TcxShellListViewProducer::~TcxShellListViewProducer() { ClearItems(); }

bool TcxShellListViewProducer::CanAddFolder(TcxShellFolder* folder) {
  bool canAdd = true;
  if (list_->OnAddFolder) list_->OnAddFolder(list_, folder, canAdd);
  return canAdd;
}

bool TcxShellListViewProducer::CompareItemsHook(TcxShellFolder* a, TcxShellFolder* b, int& result) {
  constexpr int unanswered = INT_MIN;
  if (!list_->OnCompare) return false;
  result = unanswered;
  list_->OnCompare(list_, a, b, result);
  return result != unanswered;
}

DWORD TcxShellListViewProducer::EnumFlags() { return list_->ShellOptions()->EnumFlags(); }
TcxShellItemsInfoGatherer* TcxShellListViewProducer::Gatherer() { return list_->Gatherer(); }
bool TcxShellListViewProducer::ShowsToolTips() { return list_->ShellOptions()->ShowToolTip(); }

void TcxShellListViewProducer::ProcessDetails(IShellFolder* folder, int) {
  int charWidth = 8;
  if (list_->HandleAllocated()) {
    HDC dc = GetDC(list_->Handle());
    HGDIOBJ old = SelectObject(dc, list_->Font()->Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc, "X", 1, &size);
    SelectObject(dc, old);
    ReleaseDC(list_->Handle(), dc);
    charWidth = size.cx;
  }
  TcxCustomItemProducer::ProcessDetails(folder, charWidth);
  list_->RebuildReportColumns();
}

// Only urgent requests (rows the list asked for while the worker held them) need a redraw.
void TcxShellListViewProducer::NotifyItemFetched(const FetchRequest& request) {
  if (request.Urgent && request.ItemIndex < ItemCount() && MessageWindow())
    PostMessageA(MessageWindow(), CXSM_ITEMFETCHED, request.ItemIndex, 0);
}

TcxShellListRoot::TcxShellListRoot(TcxCustomInnerShellListView* view, HWND window)
    : TcxCustomShellRoot(view, window), list_(view) {}

void TcxShellListRoot::RootUpdated() {
  TcxCustomShellRoot::RootUpdated();
  list_->RootUpdated();
}

// ---------------------------------------------------------------------------------------------
// The view

TcxCustomInnerShellListView::TcxCustomInnerShellListView(TComponent* owner) : TcxCustomInnerListView(owner) {
  dragDropSettings_ = std::make_unique<TcxDragDropSettings>();
  largeImages_ = SystemImages(0);
  smallImages_ = SystemImages(SHGFI_SMALLICON);
  producer_ = std::make_unique<TcxShellListViewProducer>(this);
  gatherer_ = std::make_unique<TcxShellItemsInfoGatherer>(this);
  options_ = std::make_unique<TcxShellListViewOptions>(this);
  root_ = std::make_unique<TcxShellListRoot>(this, nullptr);
  SetOwnerData(true);
}

TcxCustomInnerShellListView::~TcxCustomInnerShellListView() {
  if (linkedTree_) linkedTree_->LinkListView(nullptr);
  CancelChangeNotify(registration_);
  producer_->PurgeItemRequests();
  if (HandleAllocated()) DestroyHandle();
  producer_.reset();
  gatherer_.reset();
  options_.reset();
  root_.reset();
}

void TcxCustomInnerShellListView::CreateWnd() {
  TcxCustomInnerListView::CreateWnd();
  SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_));
  SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(largeImages_));
  if (!dropForwarder_) dropForwarder_ = NewListDropForwarder(this);
  dropRegistered_ = SUCCEEDED(RegisterDragDrop(Handle(), dropForwarder_.get()));
  if (root_->RootId())
    Relist();
  else
    root_->CheckRoot();
}

void TcxCustomInnerShellListView::DestroyWnd() {
  CancelChangeNotify(registration_);
  ClearColumns();
  if (dropRegistered_) RevokeDragDrop(Handle());
  dropRegistered_ = false;
  TcxCustomInnerListView::DestroyWnd();
}

void TcxCustomInnerShellListView::RootUpdated() {
  Relist();
  if (OnRootChanged) OnRootChanged(this);
}

void TcxCustomInnerShellListView::Relist() {
  producer_->ClearItems();
  if (!HandleAllocated()) return;
  if (root_->Resolved())
    producer_->ProcessItems(root_->RootFolder(), root_->RootId(), preloadCount);
  else
    SetDataCount(0);
  if (options_->TrackShellChanges() && root_->RootId())
    RegisterChangeNotify(root_->RootId(), Handle(), CXSM_SHELLCHANGE, registration_, false);
  else
    CancelChangeNotify(registration_);
  Invalidate();
}

void TcxCustomInnerShellListView::RelistKeepingSelection() {
  TItemIdListHolder kept;
  const int selected = SelectedIndex();
  const bool single = SendMessageA(Handle(), LVM_GETSELECTEDCOUNT, 0, 0) == 1;
  if (single && selected >= 0) {
    TReadLock lock(producer_.get());
    if (TcxShellItemInfo* item = producer_->Item(selected)) kept.reset(CopyItemIdList(item->RelativeId));
  }
  Relist();
  const int index = kept ? producer_->IndexOfId(kept.get()) : -1;
  if (index >= 0 && index < producer_->ItemCount()) SetSelectedIndex(index);
}

void TcxCustomInnerShellListView::RebuildReportColumns() {
  if (ViewStyle() != vsReport || !HandleAllocated()) return;
  SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
  ClearColumns();
  const TcxShellDetails& columns = producer_->Columns();
  for (int i = 0; i < columns.Count(); ++i) {
    const TcxDetailItem& column = columns.Item(i);
    AddColumn({column.Caption, column.PixelWidth, AlignmentOf(column.TextAlignment)});
  }
  SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
}

// ---------------------------------------------------------------------------------------------
// Rows asked for by the list

void TcxCustomInnerShellListView::FillItem(int index, NMLVDISPINFOA& info) {
  TcxShellItemInfo* item = producer_->Item(index);
  item->FetchInfo(producer_->Folder(), producer_->FolderId());
  const int sub = info.item.iSubItem;
  if (info.item.mask & LVIF_TEXT) {
    if (sub == 0) {
      text_ = WideToAnsi(item->DisplayName);
    } else {
      if (ViewStyle() == vsReport && item->DetailTexts.empty())
        LoadItemDetailTexts(item, Handle(), producer_->Folder(), producer_->Columns());
      text_ = sub <= static_cast<int>(item->DetailTexts.size()) ? item->DetailTexts[sub - 1] : std::string();
    }
    lstrcpynA(info.item.pszText, text_.c_str(), info.item.cchTextMax);
  }
  if ((info.item.mask & LVIF_IMAGE) && sub == 0) {
    info.item.iImage = item->ImageIndex;
    info.item.mask |= LVIF_STATE;
    info.item.stateMask |= LVIS_OVERLAYMASK | LVIS_CUT;
    info.item.state = (info.item.state & ~(LVIS_OVERLAYMASK | LVIS_CUT)) |
                      INDEXTOOVERLAYMASK(item->OverlayIndex() + 1) | (item->IsHiddenItem ? LVIS_CUT : 0);
  }
  if (!item->Fetched) producer_->RequestItem(index, true);
}

void TcxCustomInnerShellListView::GetDisplayInfo(NMLVDISPINFOA& info) {
  {
    TReadLock lock(producer_.get());
    if (info.item.iItem >= 0 && info.item.iItem < producer_->ItemCount()) FillItem(info.item.iItem, info);
  }
  TcxCustomInnerListView::GetDisplayInfo(info);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TcxCustomInnerShellListView::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CXSM_ITEMCOUNT: {
      SetDataCount(static_cast<int>(m.WParam));
      LVITEMA clear{};
      clear.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
      SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
      break;
    }
    case CXSM_ITEMFETCHED: SendMessageA(Handle(), LVM_REDRAWITEMS, m.WParam, m.WParam); break;
    case CXSM_OPTIONSCHANGED:
      if (!ComponentState().Contains(csLoading)) Relist();
      break;
    case CXSM_SHELLCHANGE: WMShellChange(m); break;
    case CXSM_ROOTFROMLINKED:
      if (!Parent() || !Parent()->ComponentState().Contains(csLoading))
        root_->AssignFromLinked(reinterpret_cast<TcxCustomShellRoot*>(m.WParam));
      break;
    case CN_NOTIFY: CNNotify(m); break;
    case WM_CONTEXTMENU: WMContextMenu(m); break;
    default: TcxCustomInnerListView::Dispatch(m);
  }
}

void TcxCustomInnerShellListView::WMShellChange(TMessage& m) {
  if (handlingChange_) return;
  handlingChange_ = true;
  struct TDone {
    bool& flag;
    ~TDone() { flag = false; }
  } done{handlingChange_};
  auto** lists = reinterpret_cast<PItemIDList*>(m.WParam);
  Relist();
  if (OnShellChange) OnShellChange(this, static_cast<DWORD>(m.LParam), lists ? lists[0] : nullptr, lists ? lists[1] : nullptr);
}

void TcxCustomInnerShellListView::CNNotify(TMessage& m) {
  auto* header = reinterpret_cast<NMHDR*>(m.LParam);
  switch (header->code) {
    case LVN_BEGINDRAG:
    case LVN_BEGINRDRAG:
      if (!dragDropSettings_->AllowDragObjects()) break;
      BeginDragItems();
      return;
    case LVN_GETINFOTIPA: {
      auto* tip = reinterpret_cast<NMLVGETINFOTIPA*>(m.LParam);
      producer_->GetInfoTip(Handle(), tip->iItem, tip->cchTextMax, tip->pszText);
      return;
    }
    case LVN_BEGINLABELEDITA: {
      const int index = reinterpret_cast<NMLVDISPINFOA*>(m.LParam)->item.iItem;
      TReadLock lock(producer_.get());
      TcxShellItemInfo* item = producer_->Item(index);
      m.Result = index < 0 || (item && item->Renamable) ? FALSE : TRUE;
      return;
    }
    case LVN_ENDLABELEDITA: EndLabelEdit(*reinterpret_cast<NMLVDISPINFOA*>(m.LParam)); return;
  }
  TcxCustomInnerListView::Dispatch(m);
}

void TcxCustomInnerShellListView::EndLabelEdit(const NMLVDISPINFOA& info) {
  if (!info.item.pszText) return;
  TReadLock lock(producer_.get());
  TcxShellItemInfo* item = producer_->Item(info.item.iItem);
  if (!item) return;
  std::u16string name = AnsiToWide(info.item.pszText);
  LPITEMIDLIST renamed = nullptr;
  if (FAILED(producer_->Folder()->SetNameOf(Handle(), item->RelativeId, reinterpret_cast<LPCWSTR>(name.c_str()),
                                            0x8001, &renamed)) ||
      !renamed)
    return;
  item->ReplaceId(producer_->Folder(), producer_->FolderId(), renamed);
  FreeItemIdList(renamed);
}

// ---------------------------------------------------------------------------------------------
// Navigation

void TcxCustomInnerShellListView::BrowseTo(PItemIDList absolute) {
  if (!absolute || SameShellIds(absolute, producer_->FolderId())) return;
  if (OnNavigate) OnNavigate(this, absolute, WideToAnsi(GetItemDisplayName(DesktopFolder(), absolute, SHGDN_FORPARSING)));
  root_->SetRootId(absolute);
  if (!cxShellTreeIsDriving && linkedTree_ && linkedTree_->Parent()) {
    TItemIdListHolder copy(CopyItemIdList(root_->RootId()));
    SendMessageA(linkedTree_->Handle(), CXSM_SELECTBYID, reinterpret_cast<WPARAM>(copy.get()), 0);
  }
  if (HandleAllocated()) {
    SendMessageA(Handle(), WM_HSCROLL, SB_TOP, 0);
    SendMessageA(Handle(), WM_VSCROLL, SB_TOP, 0);
  }
}

void TcxCustomInnerShellListView::BrowseParent() {
  if (!producer_->FolderId()) return;
  TItemIdListHolder parent(ParentItemIdList(producer_->FolderId()));
  BrowseTo(parent.get());
}

void TcxCustomInnerShellListView::ShowFromLinkedTree(PItemIDList absolute) {
  cxShellTreeIsDriving = true;
  struct TDone {
    ~TDone() { cxShellTreeIsDriving = false; }
  } done;
  SHFILEINFOA info{};
  info.dwAttributes = SFGAO_FOLDER;
  SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_ATTRIBUTES | SHGFI_ATTR_SPECIFIED);
  if ((info.dwAttributes & SFGAO_FOLDER) && !SameShellIds(absolute, root_->RootId())) root_->SetRootId(absolute);
}

void TcxCustomInnerShellListView::ExecuteItem(TcxShellItemInfo* item) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.hwnd = Handle();
  info.lpIDList = item->AbsoluteId;
  info.nShow = SW_SHOW;
  ShellExecuteExA(&info);
}

void TcxCustomInnerShellListView::OpenSelected() {
  const int index = SelectedIndex();
  if (!options_->AutoNavigate() || index < 0) return;
  TItemIdListHolder target;
  {
    TReadLock lock(producer_.get());
    TcxShellItemInfo* item = producer_->Item(index);
    if (!item) return;
    if (!item->IsContainer) return ExecuteItem(item);
    target.reset(ConcatItemIdLists(producer_->FolderId(), item->RelativeId));
  }
  BrowseTo(target.get());  // re-lists: the read lock is given back first
}

void TcxCustomInnerShellListView::DblClick() {
  TcxCustomInnerListView::DblClick();
  OpenSelected();
}

void TcxCustomInnerShellListView::KeyDown(Word& key, TShiftState shift) {
  TcxCustomInnerListView::KeyDown(key, shift);
  if (SendMessageA(Handle(), LVM_GETEDITCONTROL, 0, 0)) return;
  switch (key) {
    case VK_BACK:
      if (options_->AutoNavigate()) BrowseParent();
      break;
    case VK_RETURN: OpenSelected(); break;
    case VK_F5: RelistKeepingSelection(); break;
  }
}

// ---------------------------------------------------------------------------------------------
// Drags, drops and context menus

namespace {

std::vector<PItemIDList> SelectedCopies(HWND list, TcxCustomItemProducer* producer) {
  std::vector<PItemIDList> lists;
  for (int i = -1; (i = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0;)
    if (TcxShellItemInfo* item = producer->Item(i)) lists.push_back(CopyItemIdList(item->RelativeId));
  return lists;
}

void FreeCopies(std::vector<PItemIDList>& lists) {
  for (PItemIDList list : lists) FreeItemIdList(list);
  lists.clear();
}

}  // namespace

void TcxCustomInnerShellListView::BeginDragItems() {
  TReadLock lock(producer_.get());
  std::vector<PItemIDList> lists = SelectedCopies(Handle(), producer_.get());
  if (!lists.empty() && producer_->Folder()) {
    TcxComPtr<IDataObject> data;
    std::vector<LPCITEMIDLIST> children(lists.begin(), lists.end());
    if (SUCCEEDED(producer_->Folder()->GetUIObjectOf(Handle(), static_cast<UINT>(children.size()), children.data(),
                                                     IID_IDataObject, nullptr, data.OutVoid())) &&
        data) {
      auto* source = new TcxDropSource(this);
      DWORD effect = 0;
      DoDragDrop(data.Get(), source, dragDropSettings_->AllowedEffects(), &effect);
      source->Release();
    }
  }
  FreeCopies(lists);
}

void TcxCustomInnerShellListView::WMContextMenu(TMessage& m) {
  if (!options_->ContextMenus() || SendMessageA(Handle(), LVM_GETSELECTEDCOUNT, 0, 0) == 0)
    return TcxCustomInnerListView::Dispatch(m);
  POINT screen = ContextMenuPoint(m.LParam);
  TReadLock lock(producer_.get());
  std::vector<PItemIDList> lists = SelectedCopies(Handle(), producer_.get());
  ShowShellContextMenu(Handle(), producer_->Folder(), lists, screen);
  FreeCopies(lists);
}

class TcxListDropForwarder : public TcxShellDropForwarder {
 public:
  explicit TcxListDropForwarder(TcxCustomInnerShellListView* list)
      : TcxShellDropForwarder(list->DragDropSettings()), list_(list) {}

 protected:
  bool FindTarget(POINT screen) override {
    ::ScreenToClient(list_->Handle(), &screen);
    const int index = list_->ItemAtPoint(screen.x, screen.y);
    TcxCustomItemProducer* producer = list_->Producer();
    if (index < 0) {
      if (list_->highlighted_ < 0 && HasTarget()) return false;
      LeaveTarget();
      TcxComPtr<IDropTarget> target;
      if (producer->Folder() &&
          SUCCEEDED(producer->Folder()->CreateViewObject(list_->Handle(), IID_IDropTarget, target.OutVoid())) && target) {
        target->AddRef();
        HoldTarget(target.Get());
      }
      return true;
    }
    if (index == list_->highlighted_) return false;
    LeaveTarget();
    TcxShellItemInfo* item = producer->Item(index);
    TcxComPtr<IDropTarget> target;
    LPCITEMIDLIST child = item ? item->RelativeId : nullptr;
    if (!child || FAILED(producer->Folder()->GetUIObjectOf(list_->Handle(), 1, &child, IID_IDropTarget, nullptr,
                                                           target.OutVoid())) || !target)
      return true;
    target->AddRef();
    HoldTarget(target.Get());
    SetHighlight(index);
    return true;
  }
  void ClearHighlight() override { SetHighlight(-1); }

 private:
  void SetHighlight(int index) {
    if (!list_->HandleAllocated()) return;
    LVITEMA state{};
    state.stateMask = LVIS_DROPHILITED;
    if (list_->highlighted_ >= 0)
      SendMessageA(list_->Handle(), LVM_SETITEMSTATE, list_->highlighted_, reinterpret_cast<LPARAM>(&state));
    list_->highlighted_ = index;
    state.state = LVIS_DROPHILITED;
    if (index >= 0) SendMessageA(list_->Handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
  }
  TcxCustomInnerShellListView* list_;
};

std::unique_ptr<TcxShellDropForwarder> NewListDropForwarder(TcxCustomInnerShellListView* list) {
  return std::make_unique<TcxListDropForwarder>(list);
}
