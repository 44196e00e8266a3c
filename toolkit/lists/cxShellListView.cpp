#include "cxShellListView.h"

CALDERAN_IMPLEMENT_CREATABLE(TcxInnerShellListView, TcxCustomInnerShellListView, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TcxCustomShellListView, TcxCustomListView, TComponent*)

void FreeShellSpecialFolders();

namespace {
constexpr int defaultWidth = 250, defaultHeight = 150;
}

TcxInnerShellListView::TcxInnerShellListView(TComponent* owner) : TcxCustomInnerShellListView(owner) {}

void TcxInnerShellListView::Dispatch(TMessage& m) {
  TcxCustomInnerShellListView::Dispatch(m);
  switch (m.Msg) {
    case CXSM_SHELLCHANGE:
    case CXSM_ITEMFETCHED:
    case CXSM_OPTIONSCHANGED:
    case LVM_SETITEMCOUNT:
      if (Container() && !ComponentState().Contains(csDestroying)) Container()->UpdateOwnScrollBars(false);
      break;
  }
}

void TcxInnerShellListView::BrowseTo(PItemIDList absolute) {
  TcxCustomInnerShellListView::BrowseTo(absolute);
  if (Container()) Container()->UpdateOwnScrollBars(false);
}

TcxCustomShellListView::TcxCustomShellListView(TComponent* owner) : TcxCustomListView(owner, MakeInner) {
  TcxInnerShellListView* inner = InnerListView();
  inner->OnAddFolder = MakeEvent(this, &TcxCustomShellListView::InnerAddFolder);
  inner->OnNavigate = MakeEvent(this, &TcxCustomShellListView::InnerNavigate);
  inner->OnCompare = MakeEvent(this, &TcxCustomShellListView::InnerCompare);
  inner->OnShellChange = MakeEvent(this, &TcxCustomShellListView::InnerShellChange);
  inner->OnRootChanged = MakeEvent(this, &TcxCustomShellListView::RootChanged);
  SetBounds(Left(), Top(), defaultWidth, defaultHeight);
}

void TcxCustomShellListView::RootChanged(TObject*) {
  struct TUpdate {
    TcxContainer* c;
    ~TUpdate() { c->UpdateOwnScrollBars(false); }
  } update{this};
  if (OnRootChanged) OnRootChanged(this);
}

void TcxCustomShellListView::InnerAddFolder(TObject*, TcxShellFolder* folder, bool& canAdd) {
  if (OnAddFolder) OnAddFolder(this, folder, canAdd);
}

void TcxCustomShellListView::InnerNavigate(TObject*, PItemIDList folder, const std::string& name) {
  if (OnNavigate) OnNavigate(this, folder, name);
}

void TcxCustomShellListView::InnerCompare(TObject*, TcxShellFolder* a, TcxShellFolder* b, int& result) {
  if (OnCompare) OnCompare(this, a, b, result);
}

void TcxCustomShellListView::InnerShellChange(TObject*, DWORD event, PItemIDList first, PItemIDList second) {
  if (OnShellChange) OnShellChange(this, event, first, second);
}

constinit const TUnitInfo cxShellListViewUnit{"cxShellListView", nullptr, FreeShellSpecialFolders};
