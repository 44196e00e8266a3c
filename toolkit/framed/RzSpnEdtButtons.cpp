// The spin buttons: two auto-repeating control buttons laid out vertically or side by side.
#include <windows.h>

#include "RzSpnEdt.h"

CALDERAN_IMPLEMENT_CREATABLE(TRzSpinButtons, TWinControl, TComponent*)

TRzSpinButtons::TRzSpinButtons(TComponent* owner) : TWinControl(owner) {
  TControlStyle style = ControlStyle();
  style.Exclude(csAcceptsControls);
  style.Exclude(csSetCaption);
  SetControlStyle(style);
  upRight_ = CreateButton();
  downLeft_ = CreateButton();
  ResetGlyphStyle(upRight_);
  ResetGlyphStyle(downLeft_);
  SetParentColor(true);
  SetTabStop(false);
  SetBounds(Left(), Top(), 16, 25);
}

TRzControlButton* TRzSpinButtons::CreateButton() {
  auto* button = new TRzControlButton(this);
  button->SetParent(this);
  button->OnClick = MakeEvent(this, &TRzSpinButtons::ButtonClick);
  button->OnMouseDown = MakeEvent(this, &TRzSpinButtons::ButtonMouseDown);
  button->Glyph()->OnChange = MakeEvent(this, &TRzSpinButtons::GlyphChanged);
  button->SetRepeatClicks(true);
  button->SetNumGlyphs(2);
  return button;
}

void TRzSpinButtons::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_SIZE: WMSize(message); break;
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; break;
    default: TWinControl::Dispatch(message);
  }
}

void TRzSpinButtons::ButtonClick(TObject* sender) {
  if (sender == upRight_) {
    if (OnUpRightClick) OnUpRightClick(this);
  } else if (OnDownLeftClick) {
    OnDownLeftClick(this);
  }
}

// Spinning happens in a focused editor: the press moves the focus first and is dropped silently
// when the focus does not arrive.
void TRzSpinButtons::ButtonMouseDown(TObject*, TMouseButton button, TShiftState, int, int) {
  if (button != mbLeft) return;
  if (focusControl_ && focusControl_->TabStop() && focusControl_->CanFocus() && !focusControl_->Focused()) {
    focusControl_->SetFocus();
    if (!focusControl_->Focused()) Abort();
  } else if (TabStop() && !Focused() && CanFocus()) {
    SetFocus();
    if (!Focused()) Abort();
  }
}

void TRzSpinButtons::SetFocusControl(TWinControl* value) {
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = value;
  if (value) value->FreeNotification(this);
}

void TRzSpinButtons::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TRzSpinButtons::KeyDown(Word& key, TShiftState shift) {
  if (key == VK_UP) upRight_->Click();
  else if (key == VK_DOWN) downLeft_->Click();
  TWinControl::KeyDown(key, shift);
}

// ---------------------------------------------------------------------------------------------
// Glyphs

void TRzSpinButtons::ResetGlyphStyle(TRzControlButton* button) {
  const bool sideways = direction_ == sdLeftRight;
  if (button == upRight_) button->SetStyle(sideways ? cbsRight : cbsUp);
  else button->SetStyle(sideways ? cbsLeft : cbsDown);
}

void TRzSpinButtons::SetGlyph(TRzControlButton* button, TBitmap* value) {
  resetting_ = true;
  if (value) {
    button->SetGlyph(value);
    CustomFlag(button) = true;
    button->SetStyle(cbsNone);
  } else {
    button->Glyph()->SetSize(0, 0);
    CustomFlag(button) = false;
    ResetGlyphStyle(button);
  }
  resetting_ = false;
}

void TRzSpinButtons::GlyphChanged(TObject* sender) {
  if (resetting_) return;
  for (TRzControlButton* button : {upRight_, downLeft_}) {
    if (button->Glyph() != sender) continue;
    const bool empty = button->Glyph()->Empty() || button->Glyph()->Width() == 0;
    CustomFlag(button) = !empty;
    empty ? ResetGlyphStyle(button) : button->SetStyle(cbsNone);
    button->Invalidate();
  }
}

void TRzSpinButtons::SetDirection(TSpinDirection value) {
  direction_ = value;
  SetGlyph(upRight_, nullptr);
  SetGlyph(downLeft_, nullptr);
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Forwarded settings and layout

void TRzSpinButtons::SetOrientation(TOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  if (!ComponentState().Contains(csLoading)) SetWidth(value == orVertical ? Width() / 2 : Width() * 2);
  Invalidate();
}

void TRzSpinButtons::SetFlat(bool value) {
  flat_ = value;
  upRight_->SetFlat(value);
  downLeft_->SetFlat(value);
}

void TRzSpinButtons::SetButtonColor(TColor value) {
  SetColor(value);
  upRight_->SetColor(value);
  downLeft_->SetColor(value);
}

void TRzSpinButtons::SetButtonsEnabled(bool value) {
  SetEnabled(value);
  upRight_->SetEnabled(value);
  downLeft_->SetEnabled(value);
}

void TRzSpinButtons::SetDelay(uint16_t value) {
  upRight_->SetDelay(value);
  downLeft_->SetDelay(value);
}

void TRzSpinButtons::SetInitialDelay(uint16_t value) {
  upRight_->SetInitialDelay(value);
  downLeft_->SetInitialDelay(value);
}

void TRzSpinButtons::LayoutButtons(int& width, int& height) {
  if (!upRight_ || !downLeft_ || ComponentState().Contains(csLoading)) return;
  if (orientation_ == orVertical) {
    upRight_->SetBounds(0, 0, width, height / 2);
    downLeft_->SetBounds(0, height / 2, width, height - height / 2 - 1);
  } else {
    downLeft_->SetBounds(0, 0, width / 2, height - 1);
    upRight_->SetBounds(width / 2, 0, width - width / 2, height - 1);
  }
}

void TRzSpinButtons::SetBounds(int left, int top, int width, int height) {
  LayoutButtons(width, height);
  TWinControl::SetBounds(left, top, width, height);
}

void TRzSpinButtons::Loaded() {
  TWinControl::Loaded();
  int w = Width(), h = Height();
  LayoutButtons(w, h);
  if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
}

void TRzSpinButtons::WMSize(TMessage& m) {
  TWinControl::Dispatch(m);
  int w = Width(), h = Height();
  LayoutButtons(w, h);
  if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
  m.Result = 0;
}
