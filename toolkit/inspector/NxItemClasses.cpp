#include "NxItemClasses.h"

#include "NxItemDisplay.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CREATABLE(TNxCustomTextualItem, TNxPropertyItem, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TNxTextItem, TNxCustomTextualItem, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TNxPopupItem, TNxTextItem, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TNxComboBoxItem, TNxPopupItem, TComponent*)

void TNxCustomTextualItem::PrepareEditor() {
  if (TNxCustomEdit* editor = Editor()) {
    editor->SetEditText(GetValue());
    editor->SetShowPreview(ShowPreview());
  }
  TNxPropertyItem::PrepareEditor();
}

// ---------------------------------------------------------------------------------------------
// The text row

TClass TNxTextItem::GetDisplayClass() const { return TNxTextItemDisplay::StaticClass(); }

void TNxTextItem::SetPasswordChar(char value) {
  passwordChar_ = value;
  if (TNxCustomEdit* editor = Editor()) editor->SetPasswordChar(value);
}

void TNxTextItem::EditorCreated(TNxCustomEdit* editor) { editor->SetPasswordChar(passwordChar_); }

double TNxTextItem::GetAsFloat() {
  long double value = 0;
  return TryStrToFloat(WideToAnsi(text_), value) ? static_cast<double>(value) : 0;
}

int TNxTextItem::GetAsInteger() { return StrToIntDef(WideToAnsi(text_), 0); }

void TNxTextItem::SetAsFloat(double value) {
  text_ = AnsiToWide(FloatToStr(value));
  TNxCustomTextualItem::SetAsFloat(value);
}

void TNxTextItem::SetAsInteger(int value) {
  text_ = AnsiToWide(IntToStr(value));
  TNxCustomTextualItem::SetAsInteger(value);
}

void TNxTextItem::SetValueText(const std::u16string& value) {
  text_ = value;
  TNxCustomTextualItem::SetValueText(value);
}

// ---------------------------------------------------------------------------------------------
// The popup row

void TNxPopupItem::EditorCreated(TNxCustomEdit* editor) {
  TNxTextItem::EditorCreated(editor);
  auto* popup = ObjectAs<TNxPopupEdit>(editor);
  if (!popup) return;
  popup->OnCloseUp = MakeEvent(this, &TNxPopupItem::DoCloseUp);
  popup->OnSelect = MakeEvent(this, &TNxPopupItem::DoSelect);
}

void TNxPopupItem::DoCloseUp(TObject*) {
  if (OnCloseUp) OnCloseUp(this);
}

void TNxPopupItem::DoSelect(TObject*) {
  if (OnSelect) OnSelect(this);
}

// ---------------------------------------------------------------------------------------------
// The combo-box row

TNxComboBoxItem::TNxComboBoxItem(TComponent* owner)
    : TNxPopupItem(owner), lines_(std::make_unique<TStringList>()) {}

TNxComboBoxItem::~TNxComboBoxItem() { lines_->Clear(); }

std::string TNxComboBoxItem::ValueFromIndex(int index) const {
  if (index < 0 || index >= lines_->Count()) return {};
  return ItemLineValue(lines_->Get(index));
}

void TNxComboBoxItem::SetItemIndex(int value) {
  itemIndex_ = value;
  if (value < 0 || value > lines_->Count() - 1) return;
  SetValue(AnsiToWide(ItemLineText(lines_->Get(value), DisplayMode)));
}

void TNxComboBoxItem::PrepareEditor() {
  TNxPopupItem::PrepareEditor();
  TNxComboBox* editor = ComboEditor();
  editor->SetItems(lines_.get());
  editor->SetStyle(style_ == cbDropDown ? dsDropDown : dsDropDownList);
  editor->SetHideFocus(true);
  editor->SetDisplayMode(DisplayMode);
  editor->SetDropDownCount(dropDownCount_);
  editor->SetItemIndex(itemIndex_);
}

void TNxComboBoxItem::HideEditor() {
  TNxPopupItem::HideEditor();
  SetItemIndex(ComboEditor()->ItemIndex());
}

void TNxComboBoxItem::DoCloseUp(TObject* sender) {
  itemIndex_ = ComboEditor()->ItemIndex();
  TNxPopupItem::DoCloseUp(sender);
}
