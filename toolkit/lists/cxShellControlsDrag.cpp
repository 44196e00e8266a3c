// Drags out of the shell views, drops onto their items, and the shell's context menus.
#include "cxShellControls.h"

// ---------------------------------------------------------------------------------------------
// Forwarding to the shell's drop target under the mouse

HRESULT STDMETHODCALLTYPE TcxShellDropForwarder::QueryInterface(REFIID riid, void** out) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
    *out = static_cast<IDropTarget*>(this);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

void TcxShellDropForwarder::LeaveTarget() {
  if (target_) target_->DragLeave();
  target_.Reset();
  ClearHighlight();
}

HRESULT STDMETHODCALLTYPE TcxShellDropForwarder::DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  if (data) data->AddRef();
  data_.Reset(data);
  FindTarget(POINT{point.x, point.y});
  *effect = settings_->DefaultDropEffectValue();
  if (target_) return target_->DragEnter(data, keys, point, effect);
  *effect = DROPEFFECT_NONE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TcxShellDropForwarder::DragOver(DWORD keys, POINTL point, DWORD* effect) {
  const bool changed = FindTarget(POINT{point.x, point.y});
  if (!target_) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  if (changed && FAILED(target_->DragEnter(data_.Get(), keys, point, effect))) return S_OK;
  return target_->DragOver(keys, point, effect);
}

HRESULT STDMETHODCALLTYPE TcxShellDropForwarder::DragLeave() {
  data_.Reset();
  LeaveTarget();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TcxShellDropForwarder::Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  const bool changed = FindTarget(POINT{point.x, point.y});
  HRESULT result = S_OK;
  const bool dropped = static_cast<bool>(target_);
  if (target_) {
    if (!changed || SUCCEEDED(target_->DragEnter(data_.Get(), keys, point, effect)))
      result = target_->Drop(data, keys, point, effect);
  } else {
    *effect = DROPEFFECT_NONE;
  }
  data_.Reset();
  target_.Reset();
  if (dropped) AfterDrop();
  ClearHighlight();
  return result;
}

// ---------------------------------------------------------------------------------------------
// The tree

class TcxTreeDropForwarder : public TcxShellDropForwarder {
 public:
  explicit TcxTreeDropForwarder(TcxCustomInnerShellTreeView* tree)
      : TcxShellDropForwarder(tree->DragDropSettings()), tree_(tree) {}

 protected:
  bool FindTarget(POINT screen) override {
    ::ScreenToClient(tree_->Handle(), &screen);
    TVHITTESTINFO hit{};
    hit.pt = screen;
    auto node = reinterpret_cast<HTREEITEM>(SendMessageA(tree_->Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (!(hit.flags & TVHT_ONITEM)) node = nullptr;
    if (!node) {
      LeaveTarget();
      return true;
    }
    if (node == tree_->highlighted_ && HasTarget()) return false;
    LeaveTarget();
    TcxComPtr<IDropTarget> target = TargetOf(node);
    if (!target) return true;
    target->AddRef();
    HoldTarget(target.Get());
    tree_->highlighted_ = node;
    SendMessageA(tree_->Handle(), TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(node));
    return true;
  }
  void ClearHighlight() override {
    tree_->highlighted_ = nullptr;
    if (tree_->HandleAllocated()) SendMessageA(tree_->Handle(), TVM_SELECTITEM, TVGN_DROPHILITE, 0);
  }
  void AfterDrop() override {
    if (TcxShellTreeItemProducer* producer = tree_->ProducerOf(tree_->highlighted_))
      PostMessageA(tree_->Handle(), CXSM_SHELLCHANGE, reinterpret_cast<WPARAM>(producer), 0);
  }

 private:
  TcxComPtr<IDropTarget> TargetOf(HTREEITEM node) {
    TcxComPtr<IDropTarget> target;
    HTREEITEM parent = tree_->ParentNode(node);
    if (!parent) {
      TcxShellTreeItemProducer* producer = tree_->ProducerOf(node);
      if (producer && producer->Folder())
        producer->Folder()->CreateViewObject(tree_->Handle(), IID_IDropTarget, target.OutVoid());
      return target;
    }
    TcxShellTreeItemProducer* parentProducer = tree_->ProducerOf(parent);
    TcxShellItemInfo* item = tree_->ItemOf(node);
    if (!parentProducer || !item || !parentProducer->Folder()) return target;
    if (item->IsContainer) {
      TcxComPtr<IShellFolder> folder;
      if (SUCCEEDED(parentProducer->Folder()->BindToObject(item->RelativeId, nullptr, IID_IShellFolder, folder.OutVoid())))
        folder->CreateViewObject(tree_->Handle(), IID_IDropTarget, target.OutVoid());
    } else {
      LPCITEMIDLIST child = item->RelativeId;
      parentProducer->Folder()->GetUIObjectOf(tree_->Handle(), 1, &child, IID_IDropTarget, nullptr, target.OutVoid());
    }
    return target;
  }
  TcxCustomInnerShellTreeView* tree_;
};

std::unique_ptr<TcxShellDropForwarder> NewTreeDropForwarder(TcxCustomInnerShellTreeView* tree) {
  return std::make_unique<TcxTreeDropForwarder>(tree);
}

namespace {

void RunDragLoop(IShellFolder* folder, HWND window, TWinControl* view, const std::vector<PItemIDList>& lists,
                 DWORD allowed) {
  TcxComPtr<IDataObject> data;
  std::vector<LPCITEMIDLIST> children(lists.begin(), lists.end());
  if (FAILED(folder->GetUIObjectOf(window, static_cast<UINT>(children.size()), children.data(), IID_IDataObject,
                                   nullptr, data.OutVoid())) ||
      !data)
    return;
  auto* source = new TcxDropSource(view);
  DWORD effect = 0;
  DoDragDrop(data.Get(), source, allowed, &effect);
  source->Release();
}

}  // namespace

void TcxCustomInnerShellTreeView::BeginDragNode(HTREEITEM node) {
  if (!node || !dragDropSettings_->AllowDragObjects()) return;
  Select(node);
  HTREEITEM parent = ParentNode(node);
  TcxShellTreeItemProducer* producer = ProducerOf(parent);
  if (!producer) return;  // the top node cannot be dragged
  producer->LockForRead();
  if (TcxShellItemInfo* item = ItemOf(node))
    RunDragLoop(producer->Folder(), Handle(), this, {item->RelativeId}, dragDropSettings_->AllowedEffects());
  producer->UnlockRead();
  if (!producer->RefreshItems()) InitializeNode(parent, false);
}

void TcxCustomInnerShellTreeView::ProducerFreeing(TObject* sender) {
  if (sender == menuProducer_) {
    menuProducer_->UnlockRead();
    menuProducer_ = nullptr;
  }
}

void TcxCustomInnerShellTreeView::WMContextMenu(TMessage& m) {
  POINT screen = ContextMenuPoint(m.LParam);
  POINT client = screen;
  ::ScreenToClient(Handle(), &client);
  TVHITTESTINFO hit{};
  hit.pt = client;
  auto node = reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (!(hit.flags & TVHT_ONITEM)) node = nullptr;
  if (!options_->ContextMenus() || !node) return TWinControl::Dispatch(m);
  HTREEITEM parent = ParentNode(node);
  TcxShellTreeItemProducer* producer = ProducerOf(parent);
  if (!producer) return;  // the top node shows no menu
  producer->OnProducerFreeing = MakeEvent(this, &TcxCustomInnerShellTreeView::ProducerFreeing);
  menuProducer_ = producer;
  producer->LockForRead();
  RenewChangeRegistration(node);
  menuOpen_ = true;
  if (TcxShellItemInfo* item = ItemOf(node)) {
    TItemIdListHolder copy(CopyItemIdList(item->RelativeId));
    ShowShellContextMenu(Handle(), producer->Folder(), {copy.get()}, screen);
  }
  if (menuProducer_) {
    menuProducer_->UnlockRead();
    menuProducer_->OnProducerFreeing = TNotifyEvent();
  }
  menuProducer_ = nullptr;
  menuOpen_ = false;
}
