// The combo box of the inspector's rows in three layers: an edit with a small button at its right
// edge and a popup window, a popup edit whose popup drops down below it (and which can be a
// pick-only list), and the combo box whose popup is the list of its Items.
#pragma once
#include <memory>

#include "NxEdit.h"
#include "NxInspectorCommon.h"
#include "NxPopupControl.h"

class TNxCustomButtonEdit;

class TNxSmallButton : public TCustomControl {
  CALDERAN_CLASS(TNxSmallButton)
  explicit TNxSmallButton(TComponent* owner);
  void Dispatch(TMessage& message) override;
  bool Down() const { return down_; }
  void SetDown(bool value);
  bool Hot() const { return hot_; }
  void SetHot(bool value);
  TNxCustomButtonEdit* Edit = nullptr;
  TNotifyEvent OnButtonDown;
  TNotifyEvent OnButtonUp;

 protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  bool EditEnabled() const;

 private:
  bool down_ = false;
  bool hot_ = false;
};

class TNxExecuteButton : public TNxSmallButton {
  CALDERAN_CLASS(TNxExecuteButton)
  explicit TNxExecuteButton(TComponent* owner);

 protected:
  void Paint() override;
};

class TDropDownButton : public TNxSmallButton {
  CALDERAN_CLASS(TDropDownButton)
  explicit TDropDownButton(TComponent* owner);

 protected:
  void Paint() override;
};

class TNxCustomButtonEdit : public TNxEdit {
  CALDERAN_CLASS(TNxCustomButtonEdit)
  explicit TNxCustomButtonEdit(TComponent* owner);
  void Dispatch(TMessage& message) override;

  TNxSmallButton* Button() const { return button_; }
  TNxPopupControl* Popup() const { return popup_; }
  TNotifyEvent OnButtonClick;

  virtual TClass GetButtonClass() const { return TNxExecuteButton::StaticClass(); }
  virtual TClass GetPopupClass() const { return nullptr; }
  virtual void SetTextFromPopup(const std::string& text) { SetText(text); }
  virtual void PreparePopup(TPoint /*screenPoint*/) {}
  virtual void PopupSelect(TObject* sender, const std::string& text);
  virtual void UpdateButton();
  TRect GetEditRect() override;

 protected:
  // Descendants name their button and popup classes here (the constructor cannot ask the
  // virtual class queries of a descendant that is not built yet).
  TNxCustomButtonEdit(TComponent* owner, TClass buttonClass, TClass popupClass);
  virtual void DoButtonClick();
  virtual void ButtonDown() {}
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);

 private:
  void PopupClosedUp(TObject*) { button_->SetDown(false); }
  void ButtonPressed(TObject*) { ButtonDown(); }
  void ButtonReleased(TObject*) { DoButtonClick(); }
  TNxSmallButton* button_ = nullptr;
  TNxPopupControl* popup_ = nullptr;
};

enum TDropDownStyle : uint8_t { dsDropDown, dsDropDownList };

class TNxPopupEdit : public TNxCustomButtonEdit {
  CALDERAN_CLASS(TNxPopupEdit)
  explicit TNxPopupEdit(TComponent* owner);
  void Dispatch(TMessage& message) override;

  TDropDownStyle Style() const { return style_; }
  virtual void SetStyle(TDropDownStyle value);
  bool HideFocus() const { return hideFocus_; }
  void SetHideFocus(bool value);
  bool DroppedDown() const { return droppedDown_; }
  void SetDroppedDown(bool value);
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnSelect;

  TClass GetButtonClass() const override { return TDropDownButton::StaticClass(); }
  bool TextEditable() override { return style_ != dsDropDownList; }
  TRect GetEditRect() override;
  void PaintFace() override;
  void PopupSelect(TObject* sender, const std::string& text) override;

 protected:
  TNxPopupEdit(TComponent* owner, TClass popupClass);
  void ButtonDown() override;
  virtual void DoCloseUp();
  virtual void DoSelect();
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;

 private:
  TDropDownStyle style_ = dsDropDown;
  bool hideFocus_ = false;
  bool droppedDown_ = false;
};

class TNxComboBox : public TNxPopupEdit {
  CALDERAN_CLASS(TNxComboBox)
  explicit TNxComboBox(TComponent* owner);
  ~TNxComboBox() override;

  TItemsDisplayMode DisplayMode() const { return displayMode_; }
  void SetDisplayMode(TItemsDisplayMode value) { displayMode_ = value; }
  TColor DropDownColor() const { return dropDownColor_; }
  void SetDropDownColor(TColor value) { dropDownColor_ = value; }
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int value) { dropDownCount_ = value; }
  TColor HighlightTextColor() const { return highlightTextColor_; }
  void SetHighlightTextColor(TColor value) { highlightTextColor_ = value; }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* value) { images_ = value; }
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int value) { itemHeight_ = value; }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int value);
  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* value) { items_->Assign(value); }
  TColor SelectionColor() const { return selectionColor_; }
  void SetSelectionColor(TColor value) { selectionColor_ = value; }
  TNxPopupList* PopupList() const { return static_cast<TNxPopupList*>(Popup()); }
  std::string ValueFromIndex(int index) const;

  TClass GetPopupClass() const override { return TNxPopupList::StaticClass(); }
  void SetTextFromPopup(const std::string&) override {}
  void PreparePopup(TPoint screenPoint) override;
  void PopupSelect(TObject* sender, const std::string& text) override;
  void DrawPreview(const TRect& rect) override;
  void SetStyle(TDropDownStyle value) override { TNxPopupEdit::SetStyle(value); }
  void Loaded() override;

 protected:
  void TextChanged() override;
  void KeyDown(Word& key, TShiftState shift) override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

 private:
  // Writes the text of a chosen line: the combo's own writes are not typing.
  void SetOwnText(const std::string& text);
  TItemsDisplayMode displayMode_ = dmDefault;
  TColor dropDownColor_ = clWindow;
  int dropDownCount_ = 8;
  TColor highlightTextColor_ = clHighlightText;
  TCustomImageList* images_ = nullptr;
  int itemHeight_ = 16;
  int itemIndex_ = -1;
  std::unique_ptr<TStringList> items_;
  TColor selectionColor_ = clHighlight;
  bool settingText_ = false;
};
