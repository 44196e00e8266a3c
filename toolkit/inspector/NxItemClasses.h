// The rows that carry a text value and an in-place editor: any row edited as text, the text row,
// the text row whose editor drops down a popup, and the combo-box row that picks one of its Lines.
#pragma once
#include <memory>

#include "NxPropertyItems.h"

class TNxCustomTextualItem : public TNxPropertyItem {
  CALDERAN_CLASS(TNxCustomTextualItem)
  using TNxPropertyItem::TNxPropertyItem;
  TClass GetEditorClass() const override { return TNxEdit::StaticClass(); }
  bool CanEdit() const override { return true; }
  bool HasPreview() const override { return true; }
  void PrepareEditor() override;
};

class TNxTextItem : public TNxCustomTextualItem {
  CALDERAN_CLASS(TNxTextItem)
  using TNxCustomTextualItem::TNxCustomTextualItem;
  const std::u16string& Text() const { return text_; }
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char value);

  // Texts that do not convert give 0.
  double GetAsFloat() override;
  int GetAsInteger() override;
  void GetValueText(std::u16string& text) override { text = text_; }
  TClass GetDisplayClass() const override;
  void SetAsFloat(double value) override;
  void SetAsInteger(int value) override;
  void SetValueText(const std::u16string& value) override;

 protected:
  void EditorCreated(TNxCustomEdit* editor) override;

 private:
  std::u16string text_;
  char passwordChar_ = 0;
};

using TNxItemNotifyEvent = TEvent<void(TNxPropertyItem* Sender)>;

class TNxPopupItem : public TNxTextItem {
  CALDERAN_CLASS(TNxPopupItem)
  using TNxTextItem::TNxTextItem;
  TNxItemNotifyEvent OnCloseUp;
  TNxItemNotifyEvent OnSelect;

 protected:
  virtual void DoCloseUp(TObject* sender);
  virtual void DoSelect(TObject* sender);
  // Binds the drop-down events of an editor that has them; a plain text editor has none to bind.
  void EditorCreated(TNxCustomEdit* editor) override;
};

enum TNxComboBoxStyle : uint8_t { cbDropDown, cbDropDownList };

class TNxComboBoxItem : public TNxPopupItem {
  CALDERAN_CLASS(TNxComboBoxItem)
  explicit TNxComboBoxItem(TComponent* owner);
  ~TNxComboBoxItem() override;

  TItemsDisplayMode DisplayMode = dmDefault;
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int value) { dropDownCount_ = value; }
  int ItemIndex() const { return itemIndex_; }
  // Stores any index; an index of a line makes that line (by the display mode) the value, which is
  // notified also when it equals the current one.
  void SetItemIndex(int value);
  TStringList* Lines() const { return lines_.get(); }
  void SetLines(TStrings* value) { lines_->Assign(value); }
  TNxComboBoxStyle Style() const { return style_; }
  void SetStyle(TNxComboBoxStyle value) { style_ = value; }
  TItemsDisplayMode GetDisplayMode() const { return DisplayMode; }
  void SetDisplayMode(TItemsDisplayMode value) { DisplayMode = value; }
  // The value part of line i (empty for i < 0); a line without "=" loses its first character.
  std::string ValueFromIndex(int index) const;
  TNxComboBox* ComboEditor() { return static_cast<TNxComboBox*>(Editor()); }

  TClass GetEditorClass() const override { return TNxComboBox::StaticClass(); }
  void PrepareEditor() override;
  void HideEditor() override;

 protected:
  void DoCloseUp(TObject* sender) override;

 private:
  int dropDownCount_ = 8;
  int itemIndex_ = -1;
  std::unique_ptr<TStringList> lines_;
  TNxComboBoxStyle style_ = cbDropDown;
};
