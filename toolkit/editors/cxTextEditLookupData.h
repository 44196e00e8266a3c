// The lookup of a text editor: the committed item and the highlighted list item, the prefix search
// used while typing, navigation through the items and the list shown inside editor popups.
#pragma once
#include "Variants.h"
#include "cxClasses.h"
#include "cxContainerListBox.h"

// How far the text of a text editor is bound to its items.
enum TcxTextEditingStyle : uint8_t { tesFree, tesListRestricted, tesFixedList, tesNoEdit };
enum TcxLookupMove : uint8_t { lmFirst, lmLast, lmNext, lmPrior, lmPageUp, lmPageDown };

class TcxCustomEditListBox;

// What the lookup needs of the editor that owns it (the text editor answers it from its effective
// properties).
class IcxLookupEditor {
 public:
  virtual TStrings* LookupItems() = 0;
  virtual TcxTextEditingStyle LookupEditingStyle() = 0;
  virtual bool WholeTextLookup() = 0;
  virtual bool ImmediateUpdateText() = 0;
  virtual int LookupPageSize() = 0;
  virtual std::string LookupEditText() = 0;
  virtual bool RequestLookupEditing() = 0;
  virtual bool SwitchingEditMode() = 0;
  virtual void LockLookupResync(bool lock) = 0;
  // Colour and font the popup list takes.
  virtual TColor LookupListColor() = 0;
  virtual TFont* LookupListFont() = 0;

 protected:
  ~IcxLookupEditor() = default;
};

class IcxTextEditLookupData {
 public:
  virtual bool AllowsListResize(TSize& size, int maxHeight, int maxWidth) = 0;
  virtual void ResyncListIndex() = 0;
  virtual TObject* LookupObject() = 0;
  virtual void InitListForPopup() = 0;
  virtual void ListPopupShown(bool value) = 0;
  virtual bool ContainsText(const std::string& text) = 0;
  virtual TcxCustomEditListBox* ListControl() = 0;
  virtual TVariant ReadCurrentKey() = 0;
  virtual void ItemTextForKey(const TVariant& key, std::string& text) = 0;
  virtual TNotifyEvent ReadOnCommittedIndexChanged() = 0;
  virtual TNotifyEvent ReadOnItemCommitted() = 0;
  virtual void ListPreferredSize(int limit1, int limit2, TSize& size) = 0;
  virtual void MoveCurrent(TcxLookupMove direction, bool wrap) = 0;
  virtual void PlaceList(TWinControl* parent) = 0;
  virtual bool HasNoItems() = 0;
  virtual bool PointOverList(TPoint screenPoint) = 0;
  virtual bool SearchPrefix(std::string& text, std::string& tail, bool next) = 0;
  virtual void SetListBounds(const TRect& rect) = 0;
  virtual void ItemsChanged() = 0;
  virtual void CommitListItem() = 0;
  virtual void WriteCurrentKey(const TVariant& key) = 0;
  virtual void WriteOnCommittedIndexChanged(TNotifyEvent handler) = 0;
  virtual void WriteOnItemCommitted(TNotifyEvent handler) = 0;
  virtual void SyncKeyWithText() = 0;

 protected:
  ~IcxTextEditLookupData() = default;
};

using TcxEditListBoxFactory = TcxCustomEditListBox* (*)(TComponent* owner);

class TcxCustomTextEditLookupData : public TcxInterfacedPersistent, public IcxTextEditLookupData {
  CALDERAN_CLASS(TcxCustomTextEditLookupData)
  TcxCustomTextEditLookupData(TPersistent* owner, IcxLookupEditor* editor);
  ~TcxCustomTextEditLookupData() override;

  int CommittedIndex() const { return committedIndex_; }
  int ListIndex() const { return listIndex_; }
  TcxCustomEditListBox* DropList() const { return dropList_; }
  int IndexOfText(const std::string& text);

  // --- the interface
  bool AllowsListResize(TSize& size, int maxHeight, int maxWidth) override;
  void ResyncListIndex() override;
  TObject* LookupObject() override { return this; }
  void InitListForPopup() override {}
  void ListPopupShown(bool) override {}
  bool ContainsText(const std::string& text) override { return IndexOfText(text) != -1; }
  TcxCustomEditListBox* ListControl() override { return dropList_; }
  TVariant ReadCurrentKey() override { return TVariant(int32_t(committedIndex_)); }
  void ItemTextForKey(const TVariant& key, std::string& text) override;
  TNotifyEvent ReadOnCommittedIndexChanged() override { return OnCommittedIndexChanged; }
  TNotifyEvent ReadOnItemCommitted() override { return OnItemCommitted; }
  void ListPreferredSize(int, int, TSize& size) override { size = TSize{0, 0}; }
  void MoveCurrent(TcxLookupMove direction, bool wrap) override;
  void PlaceList(TWinControl* parent) override;
  bool HasNoItems() override { return LookupItemCount() == 0; }
  bool PointOverList(TPoint screenPoint) override;
  bool SearchPrefix(std::string& text, std::string& tail, bool next) override {
    return LocatePrefix(text, tail, false, next);
  }
  void SetListBounds(const TRect& rect) override;
  void ItemsChanged() override { RefreshListCount(); }
  void CommitListItem() override;
  void WriteCurrentKey(const TVariant& key) override;
  void WriteOnCommittedIndexChanged(TNotifyEvent handler) override { OnCommittedIndexChanged = handler; }
  void WriteOnItemCommitted(TNotifyEvent handler) override { OnItemCommitted = handler; }
  void SyncKeyWithText() override;

  TNotifyEvent OnCommittedIndexChanged;  // kept and answered only
  TNotifyEvent OnItemCommitted;

  virtual void ItemTextAt(int index, std::string& text);
  virtual int LookupItemCount();
  // The list this lookup shows in popups; none here.
  virtual TcxEditListBoxFactory GetListBoxClass() { return nullptr; }
  virtual void ListIndexChanged(TObject* sender);
  virtual bool LocatePrefix(std::string& text, std::string& tail, bool syncMode, bool next);
  virtual void RefreshListCount();

 protected:
  IcxLookupEditor* Editor() const { return editor_; }
  void SetListIndex(int value);
  void SetCommittedIndex(int value);

 private:
  void ApplyNoMatch(bool syncMode, const std::string& text);
  int FindPrefix(const std::string& text, int from);
  int MoveTarget(TcxLookupMove direction, bool wrap, int start, int count);
  void FireItemCommitted();
  int committedIndex_ = -1;
  int listIndex_ = -1;
  TcxCustomEditListBox* dropList_ = nullptr;
  IcxLookupEditor* editor_;
};

// The list inside editor popups: borderless, hot-tracking, one empty string per item, texts asked
// for when drawn, fixed rows as high as its font.
class TcxCustomEditListBox : public TcxCustomInnerListBox {
  CALDERAN_CLASS(TcxCustomEditListBox)
  explicit TcxCustomEditListBox(TComponent* owner);
  void Dispatch(TMessage& message) override;

  bool TrackHotItem = true;
  TNotifyEvent OnListIndexChanged;
  // The editor owning the popup (its editing style decides the focus rectangle).
  IcxLookupEditor* LookupEditor = nullptr;

  void ResizeItems(int count);
  void ResetScrollWidth(int width);
  bool IsListVisible();
  void SetListItemIndex(int index);

  virtual bool DrawItemCustom(int, const TRect&, TOwnerDrawState) { return false; }
  virtual void ItemLabel(int index, std::string& text);
  virtual void RebuildWindow() {}
  virtual int RowsHeight(int rows) { return rows * ItemRowHeight(-1); }
  virtual int ItemRowHeight(int index);
  virtual int GetItemWidth(int index);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DrawItem(int index, TRect rect, TOwnerDrawState state) override;
  void MeasureItem(int index, int& height) override;
  bool DrawsDefaultFocusRect() override;
  void Click() override;
  void MouseMove(TShiftState shift, int x, int y) override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
};
