// The inspector grid: category and value rows in a two-column table (caption and value divided by
// a movable splitter), a narrow margin column with the expand boxes and an optional suffix column.
// It scrolls by whole rows with the window's own vertical bar, opens the selected row's in-place
// editors over its cells and reports value changes.
#pragma once
#include <memory>
#include <string>

#include "Forms.h"
#include "ImgList.h"
#include "NxItemDisplay.h"
#include "NxPropertyItems.h"
#include "NxScrollControl.h"

enum TInspectorPropertyOption : uint8_t { poGrid, poEnterSelectNext, poImages, poSplitterMoving, poUniformSelect };
using TInspectorPropertyOptions = TSet<TInspectorPropertyOption>;
inline constexpr TInspectorPropertyOptions kDefaultInspectorOptions{poGrid, poEnterSelectNext, poSplitterMoving,
                                                                     poUniformSelect};

using TChangeEvent = TEvent<void(TObject* Sender, TNxPropertyItem* Item, const std::u16string& Value)>;
using TEditEvent = TEvent<void(TObject* Sender, TNxPropertyItem* Item, const std::u16string& Value, bool& Accept)>;
using TItemNotifyEvent = TEvent<void(TObject* Sender, TNxPropertyItem* Item)>;
using TToolbarClickEvent = TEvent<void(TObject* Sender, TNxPropertyItem* Item, int ButtonIndex)>;
using TNxDrawItemEvent = TEvent<void(TObject* Sender, TNxPropertyItem* Item, TRect ValueRect)>;

// The platform hint window that remembers the row it shows.
class TItemHintWindow : public THintWindow {
  CALDERAN_CLASS(TItemHintWindow)
  using THintWindow::THintWindow;
  TNxPropertyItem* Item = nullptr;
};

// The parts of a row that GetItemRect and InvalidateItem know.
enum TNxItemPart : uint8_t {
  ipRow = 0, ipCaption = 2, ipExpandBox = 3, ipPreview = 5, ipSplitter = 6, ipSuffix = 7, ipValueText = 8,
  ipValueCell = 9
};

class TNxCustomInspector : public TNxScrollControl {
  CALDERAN_CLASS(TNxCustomInspector)
  explicit TNxCustomInspector(TComponent* owner);
  ~TNxCustomInspector() override;
  void Dispatch(TMessage& message) override;

  // --- properties
  TComponent* Associate() const { return associate_; }
  void SetAssociate(TComponent* value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  TButtonsStyle ButtonsStyle() const { return buttonsStyle_; }
  void SetButtonsStyle(TButtonsStyle value) { StoreAndRepaint(buttonsStyle_, value); }
  TColor CategoriesColor() const { return categoriesColor_; }
  void SetCategoriesColor(TColor value) { StoreAndRepaint(categoriesColor_, value); }
  TBitmap* CollapseGlyph() const { return collapseGlyph_.get(); }
  void SetCollapseGlyph(TBitmap* value) { SetGlyph(collapseGlyph_.get(), value); }
  TBitmap* ExpandGlyph() const { return expandGlyph_.get(); }
  void SetExpandGlyph(TBitmap* value) { SetGlyph(expandGlyph_.get(), value); }
  bool EnableVisualStyles() const { return enableVisualStyles_; }
  void SetEnableVisualStyles(bool value) { StoreAndRepaint(enableVisualStyles_, value); }
  TColor GridColor() const { return gridColor_; }
  void SetGridColor(TColor value) { StoreAndRepaint(gridColor_, value); }
  bool HideTopLevel() const { return hideTopLevel_; }
  void SetHideTopLevel(bool value) { StoreAndRepaint(hideTopLevel_, value); }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* value);
  TNxPropertyItems* Items() const { return items_; }
  TItemsArrange ItemsArrange() const { return itemsArrange_; }
  void SetItemsArrange(TItemsArrange value);
  TColor MarginColor() const { return marginColor_; }
  void SetMarginColor(TColor value) { StoreAndRepaint(marginColor_, value); }
  TInspectorPropertyOptions Options() const { return options_; }
  void SetOptions(TInspectorPropertyOptions value);
  int RowHeight() const { return rowHeight_; }
  void SetRowHeight(int value);
  TColor SelectionColor() const { return selectionColor_; }
  void SetSelectionColor(TColor value) { selectionColor_ = value; }
  int SplitterPosition() const { return splitterPosition_; }
  void SetSplitterPosition(int value);
  TPropertiesStyle Style() const { return style_; }
  void SetStyle(TPropertiesStyle value) { StoreAndRepaint(style_, value); }
  int SuffixWidth() const { return suffixWidth_; }
  void SetSuffixWidth(int value);

  // --- state
  TNxPropertyItem* Selected() const { return selected_; }
  TNxPropertyItem* EditingItem() const { return editingItem_; }
  TNxPropertyItem* SuffixItem() const { return suffixItem_; }
  TNxPropertyItem* HotItem() const { return hotItem_; }
  TItemHintWindow* HintWindow() const { return hintWindow_; }

  // --- geometry (Part: TNxItemPart)
  int Pitch() const { return rowHeight_ + Grid(); }
  int Grid() const { return options_.Contains(poGrid) ? 1 : 0; }
  bool IsShown(const TNxPropertyItem* row) const;
  int Indent(const TNxPropertyItem* row) const { return ItemIndent(row); }
  int ItemTop(const TNxPropertyItem* row) const;
  TNxPropertyItem* ItemAtPos(int y) const;
  TRect GetItemRect(TNxPropertyItem* row, int part);
  void InvalidateItem(TNxPropertyItem* row, int part);
  int VisibleRowCount() const;
  int ScrollMax();
  int RowsFromPosition();
  int GetVertScrollDelta(int oldPosition, int newPosition) override { return Pitch() * (oldPosition - newPosition); }

  // --- selection and editing
  void ItemChanged(TObject* sender, TNxPropertyItem* row, uint8_t kind, int index);
  void Select(TNxPropertyItem* row);
  TNxPropertyItem* NextRow(TNxPropertyItem* row) const;
  TNxPropertyItem* PrevRow(TNxPropertyItem* row) const;
  void SelectNext();
  void ScrollIntoView(int index);
  void BeginEdit(TNxPropertyItem* row);
  void ShowSuffixEditor(TNxPropertyItem* row);
  void Commit(bool closeAfter);
  void CloseEditors();
  void UpdateEditorBounds();
  void EditorKeyDown(TObject* sender, Word& key, TShiftState shift);
  void EditorChange(TObject* sender);
  void SuffixEditorChange(TObject* sender);
  void ShowItemHint(TNxPropertyItem* row);

  virtual bool DrawItem(TNxPropertyItem* row);
  virtual void ItemExpanded(TNxPropertyItem*, bool /*collapsed*/) { Invalidate(); }
  virtual void ItemValueChanged(TNxPropertyItem*, const std::u16string&) {}

  TChangeEvent OnChange;
  TNxDrawItemEvent OnDrawItem;
  TEditEvent OnEdit;
  TNotifyEvent OnExecute;
  TItemNotifyEvent OnExpand;
  TItemNotifyEvent OnSelectItem;
  TChangeEvent OnSuffixEdit;
  TToolbarClickEvent OnToolbarClick;

  void KeyDown(Word& key, TShiftState shift) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DblClick() override;
  void DoEnter() override;
  void DoExit() override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  void WMVScroll(TMessage& m) override;

  virtual void DoChange(TNxPropertyItem* row, const std::u16string& value);
  virtual void DoEdit(TNxPropertyItem* row, const std::u16string& value, bool& accept);
  virtual void DoExpand(TNxPropertyItem* row);
  virtual void DoSelectItem(TNxPropertyItem* row);
  virtual void DoSuffixEdit(TNxPropertyItem* row, const std::u16string& suffix);
  virtual void DoToolbarClick(TNxPropertyItem* row, int buttonIndex);

 private:
  template <class T> void StoreAndRepaint(T& field, T value) {
    field = value;
    Invalidate();
  }
  void SetGlyph(TBitmap* glyph, TBitmap* value);
  void ListChanged(TObject*) { Invalidate(); }
  // A row is about to be freed: nothing may keep pointing at it.
  void ItemFreed(TNxPropertyItem* row);
  void PrepareDisplay(TNxItemDisplay* display, TNxPropertyItem* row);
  void UpdateScrollRange();
  bool InValueCell(TNxPropertyItem* row, int x, int y) const;
  void DetachEditorHooks(TNxPropertyItem* row);
  void WMSize(TMessage& m);
  void WMKillFocus(TMessage& m);
  void CMMouseLeave(TMessage& m);
  void ToolbarInvalidate(TNxPropertyItem* row, int index, bool textArea);
  // Hints
  void HintMoved(TNxPropertyItem* row);
  void CancelHint();
  void HintShowTick(TObject*);
  void HintHideTick(TObject*);

  TComponent* associate_ = nullptr;
  TBorderStyle borderStyle_ = bsSingle;
  TButtonsStyle buttonsStyle_ = btAuto;
  TColor categoriesColor_ = clBtnFace;
  std::unique_ptr<TBitmap> collapseGlyph_, expandGlyph_;
  TNxPropertyItem* editingItem_ = nullptr;
  bool enableVisualStyles_ = false;
  TColor gridColor_ = clBtnFace;
  bool hideTopLevel_ = false;
  bool leftButtonDown_ = false;
  TTimer* hintHideTimer_ = nullptr;
  TTimer* hintShowTimer_ = nullptr;
  TItemHintWindow* hintWindow_ = nullptr;
  TNxPropertyItem* hotItem_ = nullptr;
  TCustomImageList* images_ = nullptr;
  TNxPropertyItems* items_ = nullptr;
  TItemsArrange itemsArrange_ = taCatagory;
  int lastWidth_ = 0, lastHeight_ = 0;
  TColor marginColor_ = clBtnFace;
  TInspectorPropertyOptions options_ = kDefaultInspectorOptions;
  int rowHeight_ = 16;
  TNxPropertyItem* selected_ = nullptr;
  TColor selectionColor_ = clHighlight;
  int splitterPosition_ = 100;
  TPropertiesStyle style_ = psDefault;
  TNxPropertyItem* suffixItem_ = nullptr;
  int suffixWidth_ = 60;
  bool splitterDragging_ = false;
  bool closingEditors_ = false;
};

class TNxInspector : public TNxCustomInspector {
  CALDERAN_CLASS(TNxInspector)
  using TNxCustomInspector::TNxCustomInspector;
};
