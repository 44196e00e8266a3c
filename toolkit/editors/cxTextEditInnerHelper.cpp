// The inner EDIT window's companion: the operations every text-surface editor asks of the window.
#include <windows.h>

#include "cxTextEdit.h"

TcxCustomTextEdit* TcxCustomInnerTextEditHelper::OwnerContainer() { return ObjectAs<TcxCustomTextEdit>(edit_->Owner()); }

LRESULT TcxCustomInnerTextEditHelper::CallDefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return edit_->CallDefaultWindowProc(message, wParam, lParam);
}

TVariant TcxCustomInnerTextEditHelper::ReadEditValue() { return TVariant(edit_->Text()); }
void TcxCustomInnerTextEditHelper::HoldBounds(bool lock) { edit_->HoldBounds(lock); }

bool TcxCustomInnerTextEditHelper::FocusWithoutAutoSelect() {
  const bool autoSelect = edit_->AutoSelect();
  edit_->SetAutoSelect(false);
  struct TRestore {
    TcxCustomInnerTextEdit* edit;
    bool value;
    ~TRestore() { edit->SetAutoSelect(value); }
  } restore{edit_, autoSelect};
  edit_->SetFocus();
  return autoSelect;
}

// At design time a change of letters only is no change to the text, so the change handling runs
// for every other difference.
void TcxCustomInnerTextEditHelper::WriteEditValue(const TVariant& value) {
  const std::string old = edit_->Text(), text = VarToText(value);
  edit_->SetText(text);
  if (edit_->ComponentState().Contains(csDesigning) && !AnsiSameText(old, text) && edit_->OnChange)
    edit_->OnChange(edit_);
}

void TcxCustomInnerTextEditHelper::ClearSelection() { edit_->SetSelText(""); }
void TcxCustomInnerTextEditHelper::CopyToClipboard() { edit_->CallDefaultWindowProc(WM_COPY, 0, 0); }
TAlignment TcxCustomInnerTextEditHelper::ReadAlignment() { return edit_->Alignment(); }
bool TcxCustomInnerTextEditHelper::ReadAutoSelect() { return edit_->AutoSelect(); }
TEditCharCase TcxCustomInnerTextEditHelper::ReadCharCase() { return edit_->CharCase(); }
TcxEditEchoMode TcxCustomInnerTextEditHelper::ReadEchoMode() { return edit_->EchoMode(); }
bool TcxCustomInnerTextEditHelper::ReadHideSelection() { return edit_->HideSelection(); }
char TcxCustomInnerTextEditHelper::ReadImeTrailChar() { return edit_->ReadImeTrailChar(); }
bool TcxCustomInnerTextEditHelper::ReadKeyTaken() { return edit_->KeyTaken(); }
int TcxCustomInnerTextEditHelper::ReadMaxLength() { return edit_->MaxLength(); }
bool TcxCustomInnerTextEditHelper::ReadMultiLine() { return edit_->ReadMultiLine(); }
bool TcxCustomInnerTextEditHelper::ReadOEMConvert() { return edit_->OEMConvert(); }
char TcxCustomInnerTextEditHelper::ReadPasswordChar() { return edit_->EchoChar(); }
int TcxCustomInnerTextEditHelper::ReadSelLength() { return edit_->ReadSelLength(); }
int TcxCustomInnerTextEditHelper::ReadSelStart() { return edit_->ReadSelStart(); }
std::string TcxCustomInnerTextEditHelper::ReadSelText() { return edit_->SelText(); }

void TcxCustomInnerTextEditHelper::SelectAll() {
  if (edit_->HandleAllocated()) edit_->SelectAll();
}

void TcxCustomInnerTextEditHelper::WriteAlignment(TAlignment value) { edit_->WriteAlignment(value); }
void TcxCustomInnerTextEditHelper::WriteAutoSelect(bool value) { edit_->SetAutoSelect(value); }
void TcxCustomInnerTextEditHelper::WriteCharCase(TEditCharCase value) { edit_->SetCharCase(value); }
void TcxCustomInnerTextEditHelper::WriteEchoMode(TcxEditEchoMode value) { edit_->WriteEchoMode(value); }
void TcxCustomInnerTextEditHelper::WriteHideSelection(bool value) { edit_->WriteHideSelection(value); }
void TcxCustomInnerTextEditHelper::WriteKeyTaken(bool value) { edit_->WriteKeyTaken(value); }
void TcxCustomInnerTextEditHelper::WriteMaxLength(int value) { edit_->SetMaxLength(value); }
void TcxCustomInnerTextEditHelper::WriteOEMConvert(bool value) { edit_->WriteOEMConvert(value); }
void TcxCustomInnerTextEditHelper::WritePasswordChar(char value) { edit_->WritePasswordChar(value); }

void TcxCustomInnerTextEditHelper::WriteSelLength(int value) {
  if (edit_->HandleAllocated()) edit_->WriteSelLength(value);
}

void TcxCustomInnerTextEditHelper::WriteSelStart(int value) {
  if (edit_->HandleAllocated()) edit_->WriteSelStart(value);
}

void TcxCustomInnerTextEditHelper::WriteSelText(const std::string& text) { edit_->SetSelText(text); }
bool TcxCustomInnerTextEditHelper::UsesLeftAlignmentOnEditing() { return edit_->UsesLeftAlignmentOnEditing(); }
