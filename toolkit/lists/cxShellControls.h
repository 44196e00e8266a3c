// The inner shell views: the platform tree view ("SysTreeView32") that shows the namespace below a
// root folder, one producer per node, and the owner-data list view that shows one folder; their
// producers and roots, drop-target forwarding, context menus and change notification.
#pragma once
#include <windows.h>

#include <commctrl.h>
#include <oleidl.h>

#include <memory>
#include <string>
#include <vector>

#include "cxContainer.h"
#include "cxListView.h"
#include "cxShellCommon.h"

class TcxCustomInnerShellTreeView;

// The screen point of a context-menu message.
inline POINT ContextMenuPoint(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}
class TcxCustomInnerShellListView;

using TcxShellAddFolderEvent = TEvent<void(TObject* Sender, TcxShellFolder* Folder, bool& CanAdd)>;
using TcxShellChangeEvent = TEvent<void(TObject* Sender, DWORD EventId, PItemIDList First, PItemIDList Second)>;
using TcxTreeNodeEvent = TEvent<void(TObject* Sender, HTREEITEM Node)>;
using TcxShellNavigateEvent = TEvent<void(TObject* Sender, PItemIDList Folder, const std::string& ParseName)>;

// Forwards the platform's drag-and-drop calls to a view's drop handling.
class IcxDropTarget : public IDropTarget {
 public:
  virtual ~IcxDropTarget() = default;
};

// The view side of drop-target forwarding: what a point hits and how a drop is followed up.
class TcxShellDropForwarder : public IcxDropTarget {
 public:
  explicit TcxShellDropForwarder(TcxDragDropSettings* settings) : settings_(settings) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives as long as its view
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  bool Dragging() const { return static_cast<bool>(data_); }

 protected:
  // Finds the target under a screen point; true when it changed.
  virtual bool FindTarget(POINT screen) = 0;
  virtual void ClearHighlight() = 0;
  virtual void AfterDrop() {}
  void LeaveTarget();
  void HoldTarget(IDropTarget* target) { target_.Reset(target); }
  bool HasTarget() const { return static_cast<bool>(target_); }

 private:
  TcxDragDropSettings* settings_;
  TcxComPtr<IDropTarget> target_;
  TcxComPtr<IDataObject> data_;
};

// --- tree
class TcxShellTreeItemProducer : public TcxCustomItemProducer {
  CALDERAN_CLASS(TcxShellTreeItemProducer)
  explicit TcxShellTreeItemProducer(TcxCustomInnerShellTreeView* view);
  ~TcxShellTreeItemProducer() override;
  bool FetchesInBackground() override;
  bool CanAddFolder(TcxShellFolder* folder) override;
  DWORD EnumFlags() override;
  TcxShellItemsInfoGatherer* Gatherer() override;
  bool ShowsToolTips() override;
  void InitializeItem(TcxShellItemInfo* item) override;
  void ItemFetched(TcxShellItemInfo* item) override;
  void ProcessDetails(IShellFolder* folder, int charWidth) override;
  void NotifyItemFetched(const FetchRequest& request) override;
  void SetListFolder(PItemIDList list) { SetFolderId(CopyItemIdList(list)); }

  HTREEITEM ListedNode = nullptr;
  TNotifyEvent OnProducerFreeing;

 protected:
  LPARAM MessageNode() const override { return reinterpret_cast<LPARAM>(ListedNode); }
  bool CanSendMessages() const override { return ListedNode && MessageWindow(); }

 private:
  TcxCustomInnerShellTreeView* tree_;
  int preloadWidth_ = 0;
};

class TcxShellTreeRoot : public TcxCustomShellRoot {
  CALDERAN_CLASS(TcxShellTreeRoot)
  TcxShellTreeRoot(TcxCustomInnerShellTreeView* view, HWND window);
  void RootUpdated() override;

 private:
  TcxCustomInnerShellTreeView* tree_;
};

class TcxCustomInnerShellTreeView : public TWinControl {
  CALDERAN_CLASS(TcxCustomInnerShellTreeView)
  explicit TcxCustomInnerShellTreeView(TComponent* owner);
  ~TcxCustomInnerShellTreeView() override;
  void Dispatch(TMessage& message) override;

  virtual bool LoadingNow() const { return ComponentState().Contains(csLoading); }
  virtual void DragDropSettingsChanged(TObject*);

  // --- nodes
  HTREEITEM TopNode() const;
  HTREEITEM Selected() const;
  void Select(HTREEITEM node);
  HTREEITEM ParentNode(HTREEITEM node) const;
  HTREEITEM ChildAt(HTREEITEM node, int index) const;
  int ChildCount(HTREEITEM node) const;
  int IndexOfNode(HTREEITEM node) const;  // among its siblings
  std::u16string NodeText(HTREEITEM node) const;
  bool NodeHasButton(HTREEITEM node) const;
  bool NodeExpanded(HTREEITEM node) const;
  int NodeImage(HTREEITEM node) const;
  bool NodeCut(HTREEITEM node) const;
  void Expand(HTREEITEM node);
  TcxShellTreeItemProducer* ProducerOf(HTREEITEM node) const;
  // The item a node shows, from its parent's producer (none for the top node).
  TcxShellItemInfo* ItemOf(HTREEITEM node) const;
  PItemIDList NodeAbsoluteId(HTREEITEM node);  // a new list
  HTREEITEM FindNodeOf(PItemIDList absolute);

  // --- the path of the selected folder
  std::string Path();
  void SetPath(const std::string& value);
  // Resolves a text as the Path writer does; a new absolute list or null.
  PItemIDList ResolvePath(const std::string& text, int filter);

  void Refresh();
  void RebuildKeepingState();

  TcxShellTreeViewOptions* Options() const { return options_.get(); }
  TcxShellTreeRoot* Root() const { return root_.get(); }
  TcxDragDropSettings* DragDropSettings() const { return dragDropSettings_.get(); }
  TcxShellItemsInfoGatherer* Gatherer() const { return gatherer_.get(); }
  bool ShowInfoTips() const { return showInfoTips_; }
  void SetShowInfoTips(bool value);
  bool Navigating() const { return navigating_; }
  int FilterFlags() const;
  void LinkListView(TcxCustomInnerShellListView* list);
  TcxCustomInnerShellListView* LinkedListView() const { return linkedListView_; }
  void ShowInLinkedList(HTREEITEM node);

  // --- platform tree settings
  bool ShowButtons() const { return HasStyle(TVS_HASBUTTONS); }
  void SetShowButtons(bool v) { SetStyleBit(TVS_HASBUTTONS, v); }
  bool ShowLines() const { return HasStyle(TVS_HASLINES); }
  void SetShowLines(bool v) { SetStyleBit(TVS_HASLINES, v); }
  bool ShowRoot() const { return HasStyle(TVS_LINESATROOT); }
  void SetShowRoot(bool v) { SetStyleBit(TVS_LINESATROOT, v); }
  bool HideSelection() const { return !HasStyle(TVS_SHOWSELALWAYS); }
  void SetHideSelection(bool v) { SetStyleBit(TVS_SHOWSELALWAYS, !v); }
  bool AutoExpand() const { return HasStyle(TVS_SINGLEEXPAND); }
  void SetAutoExpand(bool v) { SetStyleBit(TVS_SINGLEEXPAND, v); }
  bool HotTrack() const { return HasStyle(TVS_TRACKSELECT); }
  void SetHotTrack(bool v) { SetStyleBit(TVS_TRACKSELECT, v); }
  int Indent() const { return indent_; }
  void SetIndent(int value);
  bool RightClickSelect() const { return rightClickSelect_; }
  void SetRightClickSelect(bool v) { rightClickSelect_ = v; }

  TcxTreeNodeEvent OnChange;
  TcxShellAddFolderEvent OnAddFolder;
  TcxShellChangeEvent OnShellChange;
  TNotifyEvent OnRootChanged;

 protected:
  friend class TcxShellTreeRoot;
  friend class TcxShellTreeItemProducer;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Loaded() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void InitializeNode(HTREEITEM node, bool fromSelection);
  bool CanExpandNode(HTREEITEM node);
  void RootUpdated();
  void RegisterProducer(TcxShellTreeItemProducer* p);
  void UnregisterProducer(TcxShellTreeItemProducer* p);
  void RenewChangeRegistration(HTREEITEM node);

 private:
  HWND Wnd() const { return const_cast<TcxCustomInnerShellTreeView*>(this)->Handle(); }
  bool HasStyle(DWORD bit) const { return (style_ & bit) != 0; }
  void SetStyleBit(DWORD bit, bool on);
  void ApplyToolTipStyle();
  HTREEITEM AddChildNode(HTREEITEM parent, TcxShellItemInfo* item);
  void SetNodeFromItem(HTREEITEM node, TcxShellItemInfo* item);
  void SetNodeButton(HTREEITEM node, bool on);
  void DeleteChildren(HTREEITEM node);
  void DeleteAllNodes();
  bool FillNode(HTREEITEM node, bool& answer);
  void CNNotify(TMessage& m);
  void WMItemCount(TMessage& m);
  void WMItemFetched(TMessage& m);
  void WMItemRemoved(TMessage& m);
  void WMItemAdded(TMessage& m);
  void WMSelectById(TMessage& m);
  void WMDelayedSelect(TMessage& m);
  void WMTreeChange(TMessage& m);
  void WMDropRefresh(TMessage& m);
  void WMContextMenu(TMessage& m);
  void SelectionChanged(HTREEITEM node);
  void BeginDragNode(HTREEITEM node);
  void EndLabelEdit(NMTVDISPINFOW& info);
  PItemIDList ResolveChild(IShellFolder* folder, PItemIDList folderList, const std::u16string& text, int filter);
  PItemIDList DisplayNameWalk(const std::string& rest, bool fromRoot, int filter);
  PItemIDList SpecialFolderMatch(const std::string& upper, int filter);
  void ProducerFreeing(TObject* sender);
  friend class TcxTreeDropForwarder;

  TcxShellTreeItemProducer* menuProducer_ = nullptr;
  std::unique_ptr<TcxDragDropSettings> dragDropSettings_;
  HIMAGELIST systemImages_ = nullptr;
  bool menuOpen_ = false;
  bool rebuilding_ = false;
  std::vector<TcxShellTreeItemProducer*> producers_;
  CRITICAL_SECTION producersLock_;
  std::unique_ptr<TcxShellItemsInfoGatherer> gatherer_;
  TcxCustomInnerShellListView* linkedListView_ = nullptr;
  bool navigating_ = false;
  std::unique_ptr<TcxShellTreeViewOptions> options_;
  HTREEITEM highlighted_ = nullptr;
  std::unique_ptr<TcxShellTreeRoot> root_;
  bool registering_ = false;
  TcxChangeRegistration registration_;
  bool showInfoTips_ = false;
  std::unique_ptr<TcxShellDropForwarder> dropForwarder_;
  bool dropRegistered_ = false;
  DWORD style_ = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS;
  int indent_ = 19;
  bool rightClickSelect_ = true;
  std::u16string editText_;
};

// --- list
class TcxShellListViewProducer : public TcxCustomItemProducer {
  CALDERAN_CLASS(TcxShellListViewProducer)
  explicit TcxShellListViewProducer(TcxCustomInnerShellListView* view);
  ~TcxShellListViewProducer() override;
  bool FetchesInBackground() override { return true; }
  bool CanAddFolder(TcxShellFolder* folder) override;
  bool CompareItemsHook(TcxShellFolder* a, TcxShellFolder* b, int& result) override;
  DWORD EnumFlags() override;
  TcxShellItemsInfoGatherer* Gatherer() override;
  bool ShowsToolTips() override;
  void ProcessDetails(IShellFolder* folder, int charWidth) override;
  void NotifyItemFetched(const FetchRequest& request) override;

 private:
  TcxCustomInnerShellListView* list_;
};

class TcxShellListRoot : public TcxCustomShellRoot {
  CALDERAN_CLASS(TcxShellListRoot)
  TcxShellListRoot(TcxCustomInnerShellListView* view, HWND window);
  void RootUpdated() override;

 private:
  TcxCustomInnerShellListView* list_;
};

// A handler that orders the pair sets Result; left untouched, the pair keeps the shell's order.
using TcxShellCompareEvent = TEvent<void(TObject* Sender, TcxShellFolder* A, TcxShellFolder* B, int& Result)>;

class TcxCustomInnerShellListView : public TcxCustomInnerListView {
  CALDERAN_CLASS(TcxCustomInnerShellListView)
  explicit TcxCustomInnerShellListView(TComponent* owner);
  ~TcxCustomInnerShellListView() override;
  void Dispatch(TMessage& message) override;

  virtual void ExecuteItem(TcxShellItemInfo* item);
  virtual void BrowseTo(PItemIDList absolute);
  void BrowseParent();
  void Relist();
  void RelistKeepingSelection();
  void ShowFromLinkedTree(PItemIDList absolute);
  void LinkTreeView(TcxCustomInnerShellTreeView* tree) { linkedTree_ = tree; }

  TcxShellListViewProducer* Producer() const { return producer_.get(); }
  TcxShellItemsInfoGatherer* Gatherer() const { return gatherer_.get(); }
  TcxShellListViewOptions* ShellOptions() const { return options_.get(); }
  TcxShellListRoot* Root() const { return root_.get(); }
  TcxDragDropSettings* DragDropSettings() const { return dragDropSettings_.get(); }
  void RebuildReportColumns();

  TcxShellNavigateEvent OnNavigate;
  TcxShellAddFolderEvent OnAddFolder;
  TcxShellCompareEvent OnCompare;
  TcxShellChangeEvent OnShellChange;
  TNotifyEvent OnRootChanged;

 protected:
  friend class TcxShellListRoot;
  void CreateWnd() override;
  void DestroyWnd() override;
  void DblClick() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void GetDisplayInfo(NMLVDISPINFOA& info) override;
  void RootUpdated();

 private:
  void CNNotify(TMessage& m);
  void WMShellChange(TMessage& m);
  void WMContextMenu(TMessage& m);
  void OpenSelected();
  void BeginDragItems();
  void EndLabelEdit(const NMLVDISPINFOA& info);
  void FillItem(int index, NMLVDISPINFOA& info);
  friend class TcxListDropForwarder;

  std::unique_ptr<TcxDragDropSettings> dragDropSettings_;
  int highlighted_ = -1;
  HIMAGELIST largeImages_ = nullptr, smallImages_ = nullptr;
  std::unique_ptr<TcxShellListViewProducer> producer_;
  std::unique_ptr<TcxShellItemsInfoGatherer> gatherer_;
  std::unique_ptr<TcxShellListViewOptions> options_;
  std::unique_ptr<TcxShellListRoot> root_;
  TcxChangeRegistration registration_;
  TcxCustomInnerShellTreeView* linkedTree_ = nullptr;
  bool handlingChange_ = false;
  std::unique_ptr<TcxShellDropForwarder> dropForwarder_;
  bool dropRegistered_ = false;
  std::string text_;
  std::vector<std::string> subTexts_;
};

std::unique_ptr<TcxShellDropForwarder> NewTreeDropForwarder(TcxCustomInnerShellTreeView* tree);
std::unique_ptr<TcxShellDropForwarder> NewListDropForwarder(TcxCustomInnerShellListView* list);

// Set while a linked tree drives the list, so the list does not send the folder back.
extern bool cxShellTreeIsDriving;
