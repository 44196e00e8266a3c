// The shell tree view: a styled container around the inner shell tree of cxShellControls.
#pragma once
#include "cxShellControls.h"

class TcxCustomShellTreeView;
class TcxCustomShellListView;

class TcxInnerShellTreeView : public TcxCustomInnerShellTreeView, public IcxContainerInnerControl {
  CALDERAN_CLASS(TcxInnerShellTreeView)
  explicit TcxInnerShellTreeView(TComponent* owner);
  void WndProc(TMessage& message) override;
  void Dispatch(TMessage& message) override;
  bool LoadingNow() const override;
  TWinControl* HostedControl() override { return this; }
  TcxContainer* OwnerContainer() override;
  void SetContainer(TcxCustomShellTreeView* container) { container_ = container; }

 protected:
  void Click() override;
  void DblClick() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void KeyUp(Word& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  TcxCustomShellTreeView* container_ = nullptr;
};

class TcxCustomShellTreeView : public TcxContainer {
  CALDERAN_CLASS(TcxCustomShellTreeView)
  explicit TcxCustomShellTreeView(TComponent* owner);
  ~TcxCustomShellTreeView() override;

  TcxInnerShellTreeView* InnerTreeView() const { return inner_; }
  std::string Path() { return inner_->Path(); }
  void SetPath(const std::string& value) { inner_->SetPath(value); }
  TcxShellTreeViewOptions* Options() const { return inner_->Options(); }
  void SetOptions(TcxShellTreeViewOptions* value) { inner_->Options()->Assign(value); }
  TcxShellTreeRoot* Root() const { return inner_->Root(); }
  TcxDragDropSettings* DragDropSettings() const { return inner_->DragDropSettings(); }
  bool ShowButtons() const { return inner_->ShowButtons(); }
  void SetShowButtons(bool v) { inner_->SetShowButtons(v); }
  bool ShowLines() const { return inner_->ShowLines(); }
  void SetShowLines(bool v) { inner_->SetShowLines(v); }
  bool ShowRoot() const { return inner_->ShowRoot(); }
  void SetShowRoot(bool v) { inner_->SetShowRoot(v); }
  bool ShowInfoTips() const { return inner_->ShowInfoTips(); }
  void SetShowInfoTips(bool v) { inner_->SetShowInfoTips(v); }
  bool HideSelection() const { return inner_->HideSelection(); }
  void SetHideSelection(bool v) { inner_->SetHideSelection(v); }
  bool AutoExpand() const { return inner_->AutoExpand(); }
  void SetAutoExpand(bool v) { inner_->SetAutoExpand(v); }
  bool TreeHotTrack() const { return inner_->HotTrack(); }
  void SetTreeHotTrack(bool v) { inner_->SetHotTrack(v); }
  int Indent() const { return inner_->Indent(); }
  void SetIndent(int value);
  bool RightClickSelect() const { return inner_->RightClickSelect(); }
  void SetRightClickSelect(bool v) { inner_->SetRightClickSelect(v); }
  TcxCustomShellListView* ShellListView() const { return listView_; }
  void SetShellListView(TcxCustomShellListView* value);

  virtual void RootChanged(TObject*) { UpdateOwnScrollBars(false); }
  bool HasBuiltInScrollBars() override { return true; }
  void Notification(TComponent* component, TOperation operation) override;

  TcxShellAddFolderEvent OnAddFolder;
  TcxTreeNodeEvent OnChange;
  TcxShellChangeEvent OnShellChange;

 protected:
  void Scroll(TScrollBarKind kind, TScrollCode code, int& position) override;

 private:
  void InnerChange(TObject*, HTREEITEM node);
  void InnerAddFolder(TObject*, TcxShellFolder* folder, bool& canAdd);
  void InnerShellChange(TObject*, DWORD event, PItemIDList first, PItemIDList second);
  TcxInnerShellTreeView* inner_ = nullptr;
  TcxCustomShellListView* listView_ = nullptr;
};

class TcxShellTreeView : public TcxCustomShellTreeView {
  CALDERAN_CLASS(TcxShellTreeView)
  using TcxCustomShellTreeView::TcxCustomShellTreeView;
};

extern const TUnitInfo cxShellTreeViewUnit;
