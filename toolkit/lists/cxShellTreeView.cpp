#include "cxShellTreeView.h"

#include "TypInfo.h"
#include "cxShellListView.h"

CALDERAN_IMPLEMENT_CREATABLE(TcxInnerShellTreeView, TcxCustomInnerShellTreeView, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TcxCustomShellTreeView, TcxContainer, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TcxShellTreeView, TcxCustomShellTreeView, TComponent*)

namespace {
constexpr int defaultWidth = 121, defaultHeight = 97;
}

// ---------------------------------------------------------------------------------------------
// The inner tree: its input goes to the container as the inner list view's does

TcxInnerShellTreeView::TcxInnerShellTreeView(TComponent* owner) : TcxCustomInnerShellTreeView(owner) {
  SetParentColor(false);
  SetParentFont(true);
}

TcxContainer* TcxInnerShellTreeView::OwnerContainer() { return container_; }

bool TcxInnerShellTreeView::LoadingNow() const {
  return container_ ? container_->ComponentState().Contains(csLoading)
                    : TcxCustomInnerShellTreeView::LoadingNow();
}

void TcxInnerShellTreeView::WndProc(TMessage& m) {
  if (container_ && container_->HandleInnerKeyMessage(m)) return;
  if (m.Msg == WM_CONTEXTMENU && container_ && container_->PreviewInnerMessage(m)) return;
  TcxCustomInnerShellTreeView::WndProc(m);
}

void TcxInnerShellTreeView::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      TcxCustomInnerShellTreeView::Dispatch(m);
      AddInnerDialogCodes(container_, m);
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TcxCustomInnerShellTreeView::Dispatch(m);
      if (container_ && !container_->IsContainerDestroying()) container_->ShortRefresh();
      return;
    case WM_WINDOWPOSCHANGED:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case TVM_ENSUREVISIBLE:
    case CXSM_SHELLCHANGE:
      TcxCustomInnerShellTreeView::Dispatch(m);
      if (container_ && !ComponentState().Contains(csDestroying)) container_->UpdateOwnScrollBars(false);
      return;
    case CM_MOUSELEAVE:
      TcxCustomInnerShellTreeView::Dispatch(m);
      if (container_) container_->ShortRefresh(true);
      return;
    default: TcxCustomInnerShellTreeView::Dispatch(m);
  }
}

void TcxInnerShellTreeView::Click() {
  TcxCustomInnerShellTreeView::Click();
  if (container_) container_->DoClick();
}

void TcxInnerShellTreeView::DblClick() {
  TcxCustomInnerShellTreeView::DblClick();
  if (container_) container_->DoDblClick();
}

void TcxInnerShellTreeView::KeyDown(Word& key, TShiftState shift) {
  InnerKeyDownToContainer(container_, key, shift);
  if (key != 0) TcxCustomInnerShellTreeView::KeyDown(key, shift);
}

void TcxInnerShellTreeView::KeyPress(char& key) {
  InnerKeyPressToContainer(container_, key);
  if (key != 0) TcxCustomInnerShellTreeView::KeyPress(key);
}

void TcxInnerShellTreeView::KeyUp(Word& key, TShiftState shift) {
  InnerKeyUpToContainer(container_, key, shift);
  if (key != 0) TcxCustomInnerShellTreeView::KeyUp(key, shift);
}

void TcxInnerShellTreeView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TcxCustomInnerShellTreeView::MouseDown(button, shift, x, y);
  InnerMouseDownToContainer(container_, this, button, shift, x, y);
}

void TcxInnerShellTreeView::MouseMove(TShiftState shift, int x, int y) {
  TcxCustomInnerShellTreeView::MouseMove(shift, x, y);
  InnerMouseMoveToContainer(container_, this, shift, x, y);
}

void TcxInnerShellTreeView::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TcxCustomInnerShellTreeView::MouseUp(button, shift, x, y);
  InnerMouseUpToContainer(container_, this, button, shift, x, y);
}

// ---------------------------------------------------------------------------------------------
// The container

TcxCustomShellTreeView::TcxCustomShellTreeView(TComponent* owner) : TcxContainer(owner) {
  UpdateInternalControls();
  inner_ = new TcxInnerShellTreeView(this);
  inner_->SetAlign(alClient);
  inner_->SetParent(this);
  inner_->SetContainer(this);
  inner_->OnChange = MakeEvent(this, &TcxCustomShellTreeView::InnerChange);
  inner_->OnAddFolder = MakeEvent(this, &TcxCustomShellTreeView::InnerAddFolder);
  inner_->OnShellChange = MakeEvent(this, &TcxCustomShellTreeView::InnerShellChange);
  inner_->OnRootChanged = MakeEvent(this, &TcxCustomShellTreeView::RootChanged);
  SetInnerControl(inner_);
  SetBounds(Left(), Top(), defaultWidth, defaultHeight);
}

TcxCustomShellTreeView::~TcxCustomShellTreeView() {
  Destroying();
  SetShellListView(nullptr);
  delete inner_;
  inner_ = nullptr;
}

void TcxCustomShellTreeView::SetIndent(int value) {
  const int old = inner_->Indent();
  inner_->SetIndent(value);
  if (old != value) UpdateOwnScrollBars(false);
}

void TcxCustomShellTreeView::SetShellListView(TcxCustomShellListView* value) {
  if (value == listView_) return;
  if (listView_) listView_->RemoveFreeNotification(this);
  listView_ = value;
  if (value) value->FreeNotification(this);
  inner_->LinkListView(value ? value->InnerListView() : nullptr);
}

void TcxCustomShellTreeView::Notification(TComponent* component, TOperation operation) {
  TcxContainer::Notification(component, operation);
  if (operation == opRemove && component == listView_) {
    listView_ = nullptr;
    if (inner_) inner_->LinkListView(nullptr);
  }
}

void TcxCustomShellTreeView::InnerChange(TObject*, HTREEITEM node) {
  struct TUpdate {
    TcxContainer* c;
    ~TUpdate() { c->UpdateOwnScrollBars(false); }
  } update{this};
  if (OnChange) OnChange(this, node);
}

void TcxCustomShellTreeView::InnerAddFolder(TObject*, TcxShellFolder* folder, bool& canAdd) {
  if (OnAddFolder) OnAddFolder(this, folder, canAdd);
}

void TcxCustomShellTreeView::InnerShellChange(TObject*, DWORD event, PItemIDList first, PItemIDList second) {
  if (OnShellChange) OnShellChange(this, event, first, second);
}

void TcxCustomShellTreeView::Scroll(TScrollBarKind kind, TScrollCode code, int& position) {
  if (!Enabled() || !inner_ || !inner_->HandleAllocated()) return;
  HWND tree = inner_->Handle();
  const int bar = kind == sbHorizontal ? SB_HORZ : SB_VERT;
  if (kind == sbVertical && code == scTrack) {
    SCROLLINFO info{sizeof(info), SIF_POS};
    info.nPos = position;
    SetScrollInfo(tree, SB_VERT, &info, FALSE);
  }
  CallWindowProcA(reinterpret_cast<WNDPROC>(GetClassLongPtrA(tree, GCLP_WNDPROC)), tree,
                  kind == sbHorizontal ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(code, position), 0);
  position = GetScrollPos(tree, bar);
  UpdateOwnScrollBars(false);
}

// ---------------------------------------------------------------------------------------------
// Published properties and start-up

namespace {

constinit const TPropInfo optionsProps[] = {
    Published<&TcxShellOptions::ShowFolders, &TcxShellOptions::SetShowFolders>("ShowFolders").WithDefault(true),
    Published<&TcxShellOptions::ShowNonFolders, &TcxShellOptions::SetShowNonFolders>("ShowNonFolders").WithDefault(true),
    Published<&TcxShellOptions::ShowHidden, &TcxShellOptions::SetShowHidden>("ShowHidden").WithDefault(false),
    Published<&TcxShellOptions::ContextMenus, &TcxShellOptions::SetContextMenus>("ContextMenus").WithDefault(true),
    Published<&TcxShellOptions::TrackShellChanges, &TcxShellOptions::SetTrackShellChanges>("TrackShellChanges")
        .WithDefault(true),
    Published<&TcxShellOptions::ShowToolTip, &TcxShellOptions::SetShowToolTip>("ShowToolTip").WithDefault(true),
};

constinit const TPropInfo rootProps[] = {
    Published<&TcxCustomShellRoot::BrowseFolder, &TcxCustomShellRoot::SetBrowseFolder>("BrowseFolder",
                                                                                      &TcxBrowseFolderInfo)
        .WithDefault(static_cast<int>(bfDesktop)),
};

constinit const TPropInfo treeProps[] = {
    Published<&TcxCustomShellTreeView::AutoExpand, &TcxCustomShellTreeView::SetAutoExpand>("AutoExpand").WithDefault(false),
    Published<&TcxCustomShellTreeView::HideSelection, &TcxCustomShellTreeView::SetHideSelection>("HideSelection")
        .WithDefault(true),
    Published<&TcxCustomShellTreeView::Indent, &TcxCustomShellTreeView::SetIndent>("Indent"),
    Published<&TcxCustomShellTreeView::Options, nullptr>("Options"),
    Published<&TcxCustomShellTreeView::RightClickSelect, &TcxCustomShellTreeView::SetRightClickSelect>(
        "RightClickSelect")
        .WithDefault(false),
    Published<&TcxCustomShellTreeView::Root, nullptr>("Root"),
    Published<&TcxCustomShellTreeView::ShowButtons, &TcxCustomShellTreeView::SetShowButtons>("ShowButtons").WithDefault(true),
    Published<&TcxCustomShellTreeView::ShowInfoTips, &TcxCustomShellTreeView::SetShowInfoTips>("ShowInfoTips")
        .WithDefault(false),
    Published<&TcxCustomShellTreeView::ShowLines, &TcxCustomShellTreeView::SetShowLines>("ShowLines").WithDefault(true),
    Published<&TcxCustomShellTreeView::ShowRoot, &TcxCustomShellTreeView::SetShowRoot>("ShowRoot").WithDefault(true),
    Published<&TcxCustomShellTreeView::TreeHotTrack, &TcxCustomShellTreeView::SetTreeHotTrack>("TreeHotTrack")
        .WithDefault(false),
    PublishedEvent<&TcxCustomShellTreeView::OnAddFolder>("OnAddFolder"),
    PublishedEvent<&TcxCustomShellTreeView::OnChange>("OnChange"),
    PublishedEvent<&TcxCustomShellTreeView::OnShellChange>("OnShellChange"),
};

void StartShellTreeView() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterPublishedProperties(TcxShellOptions::StaticClass(), optionsProps);
  RegisterPublishedProperties(TcxCustomShellRoot::StaticClass(), rootProps);
  RegisterPublishedProperties(TcxCustomShellTreeView::StaticClass(), treeProps);
  RegisterClass(TcxShellTreeView::StaticClass());
}

void StopShellTreeView() { UnRegisterClass(TcxShellTreeView::StaticClass()); }

}  // namespace

constinit const TUnitInfo cxShellTreeViewUnit{"cxShellTreeView", StartShellTreeView, StopShellTreeView};
