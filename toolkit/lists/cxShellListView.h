// The shell list view: a styled container around the inner shell list of cxShellControls.
#pragma once
#include "cxShellControls.h"

class TcxCustomShellListView;

class TcxInnerShellListView : public TcxCustomInnerShellListView {
  CALDERAN_CLASS(TcxInnerShellListView)
  explicit TcxInnerShellListView(TComponent* owner);
  void Dispatch(TMessage& message) override;
  void BrowseTo(PItemIDList absolute) override;
};

using TcxShellItemChangeEvent = TEvent<void(TObject* Sender, int Item)>;
using TcxShellSelectItemEvent = TEvent<void(TObject* Sender, int Item, bool Selected)>;

class TcxCustomShellListView : public TcxCustomListView {
  CALDERAN_CLASS(TcxCustomShellListView)
  explicit TcxCustomShellListView(TComponent* owner);

  TcxInnerShellListView* InnerListView() const { return static_cast<TcxInnerShellListView*>(TcxCustomListView::InnerListView()); }
  void BrowseTo(PItemIDList absolute) { InnerListView()->BrowseTo(absolute); }
  void BrowseParent() { InnerListView()->BrowseParent(); }
  TcxShellListViewOptions* Options() const { return InnerListView()->ShellOptions(); }
  TcxShellListRoot* Root() const { return InnerListView()->Root(); }
  virtual void RootChanged(TObject*);

  TcxShellAddFolderEvent OnAddFolder;
  TcxShellNavigateEvent OnNavigate;
  TNotifyEvent OnRootChanged;
  TcxShellCompareEvent OnCompare;
  TcxShellChangeEvent OnShellChange;

 protected:
  TcxCustomInnerListView* CreateInnerListView() override { return new TcxInnerShellListView(this); }
  static TcxCustomInnerListView* MakeInner(TcxCustomListView* owner) { return new TcxInnerShellListView(owner); }

 private:
  void InnerAddFolder(TObject*, TcxShellFolder* folder, bool& canAdd);
  void InnerNavigate(TObject*, PItemIDList folder, const std::string& name);
  void InnerCompare(TObject*, TcxShellFolder* a, TcxShellFolder* b, int& result);
  void InnerShellChange(TObject*, DWORD event, PItemIDList first, PItemIDList second);
};

extern const TUnitInfo cxShellListViewUnit;
