#include "cxContainerListBox.h"

CALDERAN_IMPLEMENT_CLASS(TcxCustomInnerListBox, TCustomListBox)

TcxCustomInnerListBox::TcxCustomInnerListBox(TComponent* owner) : TCustomListBox(owner) {
  SetControlStyle(ControlStyle() - csOpaque + csDoubleClicks);
}

// ---------------------------------------------------------------------------------------------
// Messages: the container previews every one

void TcxCustomInnerListBox::WndProc(TMessage& m) {
  if (container_ && container_->HandleInnerKeyMessage(m)) return;
  if (m.Msg == WM_GETDLGCODE && container_) {
    TCustomListBox::WndProc(m);
    AddInnerDialogCodes(container_, m);
    return;
  }
  TCustomListBox::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// Input handed to the container (points moved into its coordinates)

void TcxCustomInnerListBox::Click() {
  TCustomListBox::Click();
  if (container_) container_->DoClick();
}

void TcxCustomInnerListBox::DblClick() {
  TCustomListBox::DblClick();
  if (container_) container_->DoDblClick();
}

void TcxCustomInnerListBox::KeyDown(Word& key, TShiftState shift) {
  InnerKeyDownToContainer(container_, key, shift);
  if (key != 0) TCustomListBox::KeyDown(key, shift);
}

void TcxCustomInnerListBox::KeyUp(Word& key, TShiftState shift) {
  InnerKeyUpToContainer(container_, key, shift);
  if (key != 0) TCustomListBox::KeyUp(key, shift);
}

void TcxCustomInnerListBox::KeyPress(char& key) {
  InnerKeyPressToContainer(container_, key);
  if (key != 0) TCustomListBox::KeyPress(key);
  if (key != 0) ProcessAutoCompleteKey(key);
}

void TcxCustomInnerListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomListBox::MouseDown(button, shift, x, y);
  InnerMouseDownToContainer(container_, this, button, shift, x, y);
}

void TcxCustomInnerListBox::MouseMove(TShiftState shift, int x, int y) {
  TCustomListBox::MouseMove(shift, x, y);
  InnerMouseMoveToContainer(container_, this, shift, x, y);
}

void TcxCustomInnerListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomListBox::MouseUp(button, shift, x, y);
  InnerMouseUpToContainer(container_, this, button, shift, x, y);
}

bool TcxCustomInnerListBox::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  if (container_ && container_->DoInnerMouseWheel(shift, wheelDelta, mousePos)) return true;
  return TCustomListBox::DoMouseWheel(shift, wheelDelta, mousePos);
}

// ---------------------------------------------------------------------------------------------
// Incremental search

void TcxCustomInnerListBox::ProcessAutoCompleteKey(char& key) {
  if (!autoComplete_) return;
  const DWORD now = CurrentTicks();
  if (!hadKey_ || now - lastKeyTime_ >= autoCompleteDelay_) searchText_.clear();
  lastKeyTime_ = now, hadKey_ = true;
  EditSearchText(key);
  SelectSearchMatch();
  if (key != '\b' && key != '\r' && key != 27) key = 0;
}

void TcxCustomInnerListBox::EditSearchText(char& key) {
  if (key == '\b') {
    if (searchText_.empty()) return;
    const size_t cut = searchText_.size() >= 2 && IsDBCSLeadByte(static_cast<BYTE>(searchText_[searchText_.size() - 2])) ? 2 : 1;
    searchText_.resize(searchText_.size() - cut);
    return;
  }
  if (!IsDBCSLeadByte(static_cast<BYTE>(key))) {
    searchText_ += key;
    return;
  }
  MSG next;
  if (!PeekMessageA(&next, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE)) return;
  searchText_ += key;
  searchText_ += static_cast<char>(next.wParam);
  key = 0;
}

void TcxCustomInnerListBox::SelectSearchMatch() {
  if (searchText_.empty()) {
    SetItemIndex(0);
    Click();
    return;
  }
  const int found = static_cast<int>(SendMessageA(Handle(), LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(searchText_.c_str())));
  if (found < 0) return;
  if (MultiSelect()) {
    SendMessageA(Handle(), LB_SETSEL, FALSE, -1);
    SetSelected(found, true);
  }
  SetItemIndex(found);
  Click();
}
