// The toolkit's list view: a styled container around a platform list view ("SysListView32") whose
// column header the toolkit paints through the look and feel, with the container's own scroll
// bars, label editing and the list's input forwarded to the container's events.
// Leaves out: OnCreateItemClass (items are plain records); the columns and items as stored
// collections, and the pass-through settings AllocBy, Checkboxes, HotTrack, HoverTime, ItemIndex,
// LargeImages, ShowWorkAreas and StateImages.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "ImgList.h"
#include "StdCtrls.h"
#include "cxContainer.h"
#include "cxHeader.h"

class TcxCustomListView;

class TcxCustomInnerListView;
class TListItems;

// A column of the list as a stored collection item: reads and writes go to the list's own column
// record (and its window), so the width read back is the one the user dragged the divider to.
class TListColumn : public TCollectionItem {
  CALDERAN_CLASS(TListColumn)
  explicit TListColumn(TCollection* collection) : TCollectionItem(collection) {}
  std::string Caption() const;
  void SetCaption(const std::string& value);
  int Width() const;
  void SetWidth(int value);
  TAlignment Alignment() const;
  void SetAlignment(TAlignment value);
  int ImageIndex() const;
  void SetImageIndex(int value);
  std::string DisplayName() const override;
  void Assign(TPersistent* source) override;

 private:
  TcxCustomInnerListView* List() const;
};

// The list's columns, stored in a form as "Columns = <item ... end>". Adding and removing items
// adds and removes the list's columns.
class TListColumns : public TOwnedCollection {
  CALDERAN_CLASS(TListColumns)
  explicit TListColumns(TcxCustomInnerListView* owner);
  TcxCustomInnerListView* List() const { return list_; }
  TListColumn* Items(int index) const { return static_cast<TListColumn*>(TCollection::Items(index)); }
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }

 protected:
  void Notify(TCollectionItem* item, TCollectionNotification action) override;

 private:
  TcxCustomInnerListView* list_;
};

// One row of the list, seen through its index: caption and sub-items are read from and written to
// the list's own record of the row (so they survive the window being made again) and shown at once.
// A row handle names a place, not a row: after a deletion or a sort it names the row now there.
class TListItem : public TPersistent {
  CALDERAN_CLASS(TListItem)
  TListItem(TcxCustomInnerListView* list, int index);
  ~TListItem() override;
  TcxCustomInnerListView* ListView() const { return list_; }
  int Index() const { return index_; }
  std::string Caption() const;
  void SetCaption(const std::string& value);
  // Columns 1 and after: add, read and write by index.
  TStrings* SubItems() const { return subItems_.get(); }
  intptr_t Data() const;
  void SetData(intptr_t value);
  bool Selected() const;
  void SetSelected(bool value);
  // The row's left-top point in client coordinates (horizontal scrolling included).
  TPoint Position() const;
  // drBounds: the whole row; drIcon; drLabel; drSelectBounds: the part that shows the selection.
  enum TDisplayCode : uint8_t { drBounds, drIcon, drLabel, drSelectBounds };
  TRect DisplayRect(TDisplayCode code) const;

 private:
  friend class TListItems;
  TcxCustomInnerListView* list_;
  int index_;
  std::unique_ptr<TStrings> subItems_;
};

// The rows of the list: add, count, row by index, delete, clear.
class TListItems : public TPersistent {
  CALDERAN_CLASS(TListItems)
  explicit TListItems(TcxCustomInnerListView* list) : list_(list) {}
  ~TListItems() override;
  int Count() const;
  TListItem* Item(int index) const;
  TListItem* operator[](int index) const { return Item(index); }
  TListItem* Add();
  void Delete(int index);
  void Clear();
  void BeginUpdate();
  void EndUpdate();

 private:
  TcxCustomInnerListView* list_;
  mutable std::vector<std::unique_ptr<TListItem>> handles_;
};

enum TViewStyle : uint8_t { vsIcon, vsSmallIcon, vsList, vsReport };
enum TIconArrangement : uint8_t { iaTop, iaLeft };
// Which changes keep the list sorted: none, the items' data (through OnCompare), their captions, both.
enum TSortType : uint8_t { stNone, stData, stText, stBoth };
// The moments of a paint at which custom drawing is offered.
enum TCustomDrawStage : uint8_t { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
enum TCustomDrawStateFlag : uint8_t {
  cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot, cdsMarked, cdsIndeterminate
};
using TCustomDrawState = TSet<TCustomDrawStateFlag>;

struct TcxListColumn {
  std::string Caption;
  int Width = 50;
  TAlignment Alignment = taLeftJustify;
  int ImageIndex = -1;
};

struct TcxListItem {
  std::string Caption;
  std::vector<std::string> SubItems;
  int ImageIndex = -1;
  intptr_t Data = 0;  // the application's own value, which OnCompare may sort by
};

// The icon arrangement settings the container keeps for its list.
class TcxIconOptions : public TPersistent {
  CALDERAN_CLASS(TcxIconOptions)
  TIconArrangement Arrangement() const { return arrangement_; }
  void SetArrangement(TIconArrangement value);
  bool AutoArrange() const { return autoArrange_; }
  void SetAutoArrange(bool value);
  bool WrapText() const { return wrapText_; }
  void SetWrapText(bool value);
  TNotifyEvent OnChanged;

 private:
  void Changed() {
    if (OnChanged) OnChanged(this);
  }
  TIconArrangement arrangement_ = iaTop;
  bool autoArrange_ = false;
  bool wrapText_ = true;
};

// Called with the item index and its new caption; clearing allowEdit refuses the change.
using TcxListEditedEvent = TEvent<void(TObject* Sender, int Item, std::string& Text, bool& AllowEdit)>;
// Called with the item under the mouse and its tip, which starts as the item's caption.
// Custom drawing: clearing DefaultDraw leaves the list (or the item) as the handler drew it.
using TcxListCustomDrawEvent = TEvent<void(TObject* Sender, TCanvas* Canvas, const TRect& Rect, bool& DefaultDraw)>;
// SubItem is 0 for the item itself; the handler may change the canvas's font and brush colour.
using TcxListCustomDrawItemEvent = TEvent<void(TObject* Sender, TCanvas* Canvas, int Item, int SubItem, bool& DefaultDraw)>;
// Owner data: the list keeps no items and asks for each as it shows it.
using TcxListDataEvent = TEvent<void(TObject* Sender, int Index, TcxListItem& Item)>;
// Rows From..To are about to be shown (a hint to cache them) or changed their selection state.
using TcxListDataRangeEvent = TEvent<void(TObject* Sender, int From, int To)>;
// Sets Index to the row whose caption begins with Text, searching from Start; -1 when none.
using TcxListDataFindEvent = TEvent<void(TObject* Sender, const std::string& Text, int Start, int& Index)>;
enum TItemChange : uint8_t { ctText, ctImage, ctState };
// Asked before an item's text, image or state changes; clearing AllowChange refuses the change.
using TcxListChangingEvent = TEvent<void(TObject* Sender, int Item, TItemChange Change, bool& AllowChange)>;
using TcxListSelectItemEvent = TEvent<void(TObject* Sender, int Item, bool Selected)>;
// An item (OnInsert, OnDeletion) or a column (OnColumnClick) by index.
using TcxListIndexEvent = TEvent<void(TObject* Sender, int Index)>;
using TcxListInfoTipEvent = TEvent<void(TObject* Sender, int Item, std::string& InfoTip)>;
// Clearing AllowEdit keeps the item's caption from being edited.
using TcxListEditingEvent = TEvent<void(TObject* Sender, int Item, bool& AllowEdit)>;
// A column clicked with the right button, at a point of the header's client area.
using TcxListColumnRClickEvent = TEvent<void(TObject* Sender, int Column, TPoint Point)>;
// Compare below 0 puts Item1 first; Data is the value given to CustomSort (0 for the list's own sorts).
using TcxListCompareEvent =
    TEvent<void(TObject* Sender, const TcxListItem& Item1, const TcxListItem& Item2, int Data, int& Compare)>;
// The item is about to be shown; the handler may change its ImageIndex.
using TcxListItemEvent = TEvent<void(TObject* Sender, int Index, TcxListItem& Item)>;
// ImageIndex starts at -1 (no image) for the sub-item's column, 1 for the first sub-item.
using TcxListSubItemImageEvent = TEvent<void(TObject* Sender, int Item, int SubItem, int& ImageIndex)>;
// Owner-drawn rows of a report list; the canvas holds the list's font and colour.
using TcxListDrawItemEvent =
    TEvent<void(TObject* Sender, TCanvas* Canvas, int Item, const TRect& Rect, TOwnerDrawState State)>;
// Custom drawing at any stage; clearing DefaultDraw before the paint leaves it to the handler.
using TcxListAdvancedCustomDrawEvent =
    TEvent<void(TObject* Sender, TCanvas* Canvas, const TRect& Rect, TCustomDrawStage Stage, bool& DefaultDraw)>;
using TcxListAdvancedCustomDrawItemEvent =
    TEvent<void(TObject* Sender, TCanvas* Canvas, int Item, int SubItem, TCustomDrawState State,
                TCustomDrawStage Stage, bool& DefaultDraw)>;

// The colours the platform list paints its rows in. A selection colour of clDefault leaves the
// selected rows to the platform's own highlight.
struct TcxListRowColors {
  TColor Background = clWindow, Text = clWindowText;
  TColor Selection = clDefault, SelectionText = clDefault;
  bool operator==(const TcxListRowColors&) const = default;
};

class TcxCustomInnerListView : public TWinControl, public IcxContainerInnerControl {
  CALDERAN_CLASS(TcxCustomInnerListView)
  explicit TcxCustomInnerListView(TComponent* owner);
  ~TcxCustomInnerListView() override;
  void Dispatch(TMessage& message) override;
  void WndProc(TMessage& message) override;

  TcxCustomListView* Container() const { return container_; }
  void SetContainer(TcxCustomListView* value) { container_ = value; }
  TWinControl* HostedControl() override { return this; }
  TcxContainer* OwnerContainer() override;

  // --- columns and items (kept here and given to the window whenever it is made)
  TListColumns* Columns() const { return columnItems_.get(); }
  TListItems* Items() const { return listItems_.get(); }
  // The column record of a stored column (through TListColumn) and the row record of a row.
  TcxListColumn& ColumnRecord(int index) { return columns_.at(index); }
  TcxListItem& ItemRecord(int index) { return items_.at(index); }
  // Shows a column record's changes, and a row's caption and sub-items, in the window.
  void ColumnChanged(int index);
  void ItemTextChanged(int index);
  // Takes the column widths from the window (the user may have dragged a divider).
  void ReadColumnWidths();
  int AddColumn(const TcxListColumn& column);
  void ClearColumns();
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  const TcxListColumn& Column(int index) const { return columns_.at(index); }
  int AddItem(const TcxListItem& item);
  int ItemCount() const { return static_cast<int>(items_.size()); }
  const TcxListItem& Item(int index) const { return items_.at(index); }
  void DeleteItem(int index);
  void Clear();
  int ItemAtPoint(int x, int y);
  int SelectedIndex();
  void SetSelectedIndex(int index);
  // Starts editing an item's caption; the label-edit window, or null when the edit was refused.
  HWND EditCaption(int index);
  // Sorts the items by OnCompare, or by their captions without a handler.
  void AlphaSort();

  // --- settings
  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  bool GridLines() const { return gridLines_; }
  void SetGridLines(bool value);
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool value);
  bool ColumnClick() const { return columnClick_; }
  void SetColumnClick(bool value);
  bool ShowColumnHeaders() const { return showColumnHeaders_; }
  void SetShowColumnHeaders(bool value);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool value);
  TSortType SortType() const { return sortType_; }
  void SetSortType(TSortType value);
  // Report rows drawn by OnDrawItem (or as plain captions without a handler).
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool value);
  // Columns can be dragged to another place in the header.
  bool FullDrag() const { return fullDrag_; }
  void SetFullDrag(bool value);
  bool OwnerData() const { return ownerData_; }
  void SetOwnerData(bool value);
  // The number of rows an owner-data list shows.
  int DataCount() const { return dataCount_; }
  void SetDataCount(int value);
  TCustomImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(TCustomImageList* value);
  void ApplyIconOptions(const TcxIconOptions& options);
  const TcxListRowColors& RowColors() const { return rowColors_; }
  void SetRowColors(const TcxListRowColors& value);

  HWND HeaderWindow() const { return header_ ? header_->Window() : nullptr; }
  int PressedHeaderItem() const { return pressedHeaderItem_; }
  virtual void InvalidateHeader();
  virtual void PaintHeader();
  // Fills the description of the header item at a display position.
  void HandleHeaderItemInfo(int position, THeaderItemInfo& info);
  int HeaderOrderToIndex(int position);
  TRect GetHeaderItemRect(int index);
  int GetHeaderHotItem();
  int GetHeaderPressedItem();
  bool IsHeaderHotTrackAllowed() const;

  TcxListEditedEvent OnEdited;
  TNotifyEvent OnChange;
  TcxListInfoTipEvent OnInfoTip;
  TcxListChangingEvent OnChanging;
  TcxListSelectItemEvent OnSelectItem;
  TcxListIndexEvent OnColumnClick;
  TcxListColumnRClickEvent OnColumnRightClick;
  TNotifyEvent OnColumnDragged;
  TcxListCompareEvent OnCompare;
  TcxListEditingEvent OnEditing;
  TcxListItemEvent OnGetImageIndex;
  TcxListSubItemImageEvent OnGetSubItemImage;
  TcxListDrawItemEvent OnDrawItem;
  TcxListAdvancedCustomDrawEvent OnAdvancedCustomDraw;
  TcxListAdvancedCustomDrawItemEvent OnAdvancedCustomDrawItem;
  TcxListAdvancedCustomDrawItemEvent OnAdvancedCustomDrawSubItem;
  TcxListIndexEvent OnInsert;
  TcxListIndexEvent OnDeletion;
  TcxListDataEvent OnData;
  TcxListDataRangeEvent OnDataHint;
  TcxListDataRangeEvent OnDataStateChange;
  TcxListDataFindEvent OnDataFind;
  TcxListCustomDrawEvent OnCustomDraw;
  TcxListCustomDrawItemEvent OnCustomDrawItem;
  TcxListCustomDrawItemEvent OnCustomDrawSubItem;

  void Loaded() override;
  const std::string& DesignHint() const { return designHint_; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Click() override;
  void DblClick() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void KeyUp(Word& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  virtual void DoCancelEdit();
  // Answers the list's request for a row's image, or for a whole owner-data row.
  virtual void GetDisplayInfo(NMLVDISPINFOA& info);
  // Draws one owner-drawn row on the prepared canvas.
  virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);

 private:
  DWORD StyleBits() const;
  void ApplyExtendedStyle();
  void InsertColumnIntoWindow(int index);
  void InsertItemIntoWindow(int index);
  void SubclassHeader(HWND header);
  void HeaderWindowProc(TMessage& message);
  void PaintHeaderOn(HDC dc);
  void CNNotify(TMessage& m);
  void WMNotify(TMessage& m);
  void WMGetDlgCode(TMessage& m);
  void WMNCPaint(TMessage& m);
  void WMWindowPosChanged(TMessage& m);
  void FocusChangedMessage(TMessage& m, bool gained);
  void CMHintShow(TMessage& m);
  LRESULT ItemChanging(const NMLISTVIEW& change);
  void ItemChanged(const NMLISTVIEW& change);
  enum TDrawTarget : uint8_t { dtControl, dtItem, dtSubItem };
  bool IsCustomDrawn(TDrawTarget target, TCustomDrawStage stage) const;
  LRESULT CustomDrawRequests(TDrawTarget target) const;
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);
  bool CallCustomDraw(TDrawTarget target, TCustomDrawStage stage, const NMLVCUSTOMDRAW& draw);
  LRESULT NewFontAnswer(NMLVCUSTOMDRAW& draw);
  LRESULT SelectionAnswer(NMLVCUSTOMDRAW& draw);
  void SendRowColors();
  void CanvasRestyled(TObject* sender);
  void CNDrawItem(TMessage& m);
  bool CanEdit(int item);
  void CaptionEdited(int item, const char* text);
  int ImageOf(int index, int subItem);
  void HeaderRightClicked();
  void ColumnDragged();
  std::vector<int> SortedOrder();
  int CompareItems(const TcxListItem& item1, const TcxListItem& item2);
  static int CALLBACK CompareCallback(LPARAM item1, LPARAM item2, LPARAM list);
  std::string CaptionOf(int index);
  LRESULT FindDataItem(UINT flags, const std::string& text, int start);
  TRect ItemBounds(int index);

  friend class TListColumns;
  void ColumnAdded(int index);
  void ColumnRemoved(int index);
  TcxCustomListView* container_ = nullptr;
  std::unique_ptr<TListColumns> columnItems_;
  std::unique_ptr<TListItems> listItems_;
  TcxListColumn pendingColumn_;  // the record AddColumn gives the column being added
  std::unique_ptr<TcxCanvas> canvas_;
  std::unique_ptr<TControlCanvas> controlCanvas_;
  std::unique_ptr<TWindowSubclass> header_;
  int pressedHeaderItem_ = -1;
  std::string designHint_;
  static constexpr int noHintItem = -2;  // no hint prepared yet (-1 is "no item")
  int lastHintItem_ = noHintItem;
  TNotifyEvent savedFontChange_, savedBrushChange_;
  bool canvasRestyled_ = false;
  TcxListRowColors rowColors_;
  std::vector<TcxListColumn> columns_;
  std::vector<TcxListItem> items_;
  TViewStyle viewStyle_ = vsIcon;
  bool readOnly_ = false, gridLines_ = false, rowSelect_ = false, columnClick_ = true, showColumnHeaders_ = true;
  bool hideSelection_ = true;
  bool ownerData_ = false, ownerDraw_ = false, fullDrag_ = false, multiSelect_ = false;
  bool columnDragEnded_ = false;
  std::vector<int> columnOrder_;  // the header's order after a drag, kept over a new window
  TSortType sortType_ = stNone;
  int dataCount_ = 0;
  std::string displayText_;  // the text handed to the list for the last row it asked for
  TIconArrangement arrangement_ = iaTop;
  bool autoArrange_ = false, wrapText_ = true;
  TCustomImageList* smallImages_ = nullptr;
};

class TcxCustomListView : public TcxContainer {
  CALDERAN_CLASS(TcxCustomListView)
  explicit TcxCustomListView(TComponent* owner);
  ~TcxCustomListView() override;

  TcxCustomInnerListView* InnerListView() const { return inner_; }
  TListColumns* Columns() const { return inner_->Columns(); }
  void SetColumns(TListColumns* value) { inner_->Columns()->Assign(value); }
  TListItems* Items() const { return inner_->Items(); }
  TListColumn* Column(int index) const { return inner_->Columns()->Items(index); }
  // The row at a point of the inner list view's client area, or null.
  TListItem* ItemAtPoint(int x, int y) const;
  // The first selected row, or null.
  TListItem* GetSelectedItem() const;
  TcxIconOptions* IconOptions() const { return iconOptions_.get(); }
  void SetIconOptions(TcxIconOptions* value);
  void UpdateIconOptions();
  void Clear() { inner_->Clear(); }
  bool ReadOnly() const { return inner_->ReadOnly(); }
  void SetReadOnly(bool value);
  TViewStyle ViewStyle() const { return inner_->ViewStyle(); }
  void SetViewStyle(TViewStyle value) { ApplyViewStyle(value); }
  // Kept here and given to the list only once a stored form has been read.
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool value);
  // The list's own settings, read and written on the inner list view.
  bool ColumnClick() const { return inner_->ColumnClick(); }
  void SetColumnClick(bool value) { inner_->SetColumnClick(value); }
  bool HideSelection() const { return inner_->HideSelection(); }
  void SetHideSelection(bool value) { inner_->SetHideSelection(value); }
  bool MultiSelect() const { return inner_->MultiSelect(); }
  void SetMultiSelect(bool value) { inner_->SetMultiSelect(value); }
  bool OwnerData() const { return inner_->OwnerData(); }
  void SetOwnerData(bool value) { inner_->SetOwnerData(value); }
  bool RowSelect() const { return inner_->RowSelect(); }
  void SetRowSelect(bool value) { inner_->SetRowSelect(value); }
  bool ShowColumnHeaders() const { return inner_->ShowColumnHeaders(); }
  void SetShowColumnHeaders(bool value) { inner_->SetShowColumnHeaders(value); }
  TCustomImageList* SmallImages() const { return inner_->SmallImages(); }
  void SetSmallImages(TCustomImageList* value) { inner_->SetSmallImages(value); }
  TSortType SortType() const { return inner_->SortType(); }
  void SetSortType(TSortType value) { inner_->SetSortType(value); }
  void SetGridLines(bool value) { inner_->SetGridLines(value); }
  // The styles of the four states (a write copies the given style).
  TcxContainerStyle* StyleDisabled() const { return StyleState(cssDisabled); }
  void SetStyleDisabled(TcxContainerStyle* value) { Styles()->AssignStyle(cssDisabled, value); }
  TcxContainerStyle* StyleFocused() const { return StyleState(cssFocused); }
  void SetStyleFocused(TcxContainerStyle* value) { Styles()->AssignStyle(cssFocused, value); }
  TcxContainerStyle* StyleHot() const { return StyleState(cssHot); }
  void SetStyleHot(TcxContainerStyle* value) { Styles()->AssignStyle(cssHot, value); }
  TNotifyEvent OnCancelEdit;

  virtual void ApplyViewStyle(TViewStyle value);
  bool IsReadOnlyLook() const override { return ReadOnly(); }
  bool HasBuiltInScrollBars() override { return true; }
  void Loaded() override;

 protected:
  virtual TcxCustomInnerListView* CreateInnerListView() { return new TcxCustomInnerListView(this); }
  // Descendants with their own inner list name it here: a virtual call in the base constructor
  // would still reach this class's CreateInnerListView.
  using TInnerListFactory = TcxCustomInnerListView* (*)(TcxCustomListView* owner);
  TcxCustomListView(TComponent* owner, TInnerListFactory makeInner);
  void Scroll(TScrollBarKind kind, TScrollCode code, int& position) override;
  void LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues values) override;
  void FontChanged() override;
  void ApplyStyleToInner() override;

 private:
  friend class TcxCustomInnerListView;
  TcxListRowColors CalcRowColors();
  void IconOptionsChanged(TObject*) { UpdateIconOptions(); }
  TcxCustomInnerListView* inner_ = nullptr;
  std::unique_ptr<TcxIconOptions> iconOptions_;
  bool ownerDraw_ = false;
};

class TcxListView : public TcxCustomListView {
  CALDERAN_CLASS(TcxListView)
  using TcxCustomListView::TcxCustomListView;
};

extern const TUnitInfo cxListViewUnit;
