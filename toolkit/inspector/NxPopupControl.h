// The drop-down window of a popup edit: a top-level tool window shown below the edit that holds
// the mouse capture while it is open, so that a click anywhere else closes it. TNxPopupList is the
// drop-down list of the combo box, with a hot row that follows the mouse and its own scroll bar.
#pragma once
#include <string>

#include "ImgList.h"
#include "NxInspectorCommon.h"
#include "NxScrollControl.h"

class TNxCustomButtonEdit;

using TNxPopupSelectEvent = TEvent<void(TObject* Sender, const std::string& Text)>;

class TNxPopupControl : public TNxControl {
  CALDERAN_CLASS(TNxPopupControl)
  explicit TNxPopupControl(TComponent* owner);
  void Dispatch(TMessage& message) override;

  TNxCustomButtonEdit* OwnerEdit() const { return ownerEdit_; }
  void SetOwnerEdit(TNxCustomButtonEdit* edit) { ownerEdit_ = edit; }
  bool Closed() const { return closed_; }
  void SetClosed(bool value) { closed_ = value; }
  bool ReleasedOnce() const { return releasedOnce_; }
  TNotifyEvent OnCloseUp;
  TNxPopupSelectEvent OnSelect;

  virtual void Click(int x, int y) = 0;
  // Shows the popup with its top-left at the screen point (moved left to stay on the work area).
  virtual void PopupAt(int x, int y);
  virtual void ClosePopup();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  virtual void DoCloseUp();
  virtual void DoSelect(const std::string& text);

 private:
  TNxCustomButtonEdit* ownerEdit_ = nullptr;
  bool closed_ = true;
  bool releasedOnce_ = false;
};

class TNxPopupList : public TNxPopupControl {
  CALDERAN_CLASS(TNxPopupList)
  explicit TNxPopupList(TComponent* owner);

  TItemsDisplayMode DisplayMode = dmDefault;
  int HotIndex() const { return hotIndex_; }
  int PreviousHot() const { return previousHot_; }
  int ItemIndex() const { return itemIndex_; }
  int ItemHeight() const { return itemHeight_; }
  TStrings* Items() const { return items_; }
  TCustomImageList* Images() const { return images_; }
  bool ShowImages() const { return showImages_; }
  TColor ListColor() const { return listColor_; }
  TColor SelectionColor() const { return selectionColor_; }
  TColor HighlightTextColor() const { return highlightTextColor_; }
  TColor TextColor() const { return textColor_; }

  void SetItems(TStrings* items) { items_ = items; }
  void SetImages(TCustomImageList* images) { images_ = images; }
  void SetShowImages(bool value) { showImages_ = value; }
  void SetItemHeight(int value) { itemHeight_ = value <= 0 ? 1 : value; }
  void SetSelectionColor(TColor value) { selectionColor_ = value; }
  void SetHighlightTextColor(TColor value) { highlightTextColor_ = value; }
  void SetListColor(TColor value) { listColor_ = value; }
  void SetTextColor(TColor value) { textColor_ = value; }
  void SetItemIndex(int value);
  void SetHotIndex(int value);

  virtual int ItemCount() const { return items_ ? items_->Count() : 0; }
  virtual int ScrollMax() { return ItemCount() - VisibleRows(); }
  virtual void DrawItem(int index, const TRect& rect);
  int VisibleRows() { return InnerHeight() / itemHeight_; }
  // The row under a client point counted from the inner rectangle's top, -1 outside it.
  int RowAt(int x, int y);

  void Click(int x, int y) override;
  void PopupAt(int x, int y) override;
  int GetVertScrollDelta(int oldPosition, int newPosition) override {
    return (oldPosition - newPosition) * itemHeight_;
  }

 protected:
  void CreateWnd() override;
  void Paint() override;
  void MouseMove(TShiftState shift, int x, int y) override;

 private:
  void InvalidateRow(int index);
  TColor listColor_ = clWindow;
  TColor textColor_ = clWindowText;
  TColor highlightTextColor_ = clHighlightText;
  TColor selectionColor_ = clHighlight;
  int hotIndex_ = -1;
  int previousHot_ = 0;
  TCustomImageList* images_ = nullptr;
  int itemIndex_ = -1;
  int itemHeight_ = 16;
  TStrings* items_ = nullptr;
  bool showImages_ = false;
};
