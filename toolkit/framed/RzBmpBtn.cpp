// The bitmap button: state machine, group messages, sizing, glyph layout and painting.
#include "RzBmpBtn.h"

#include <windows.h>

#include "Forms.h"
#include "RzFramedTypes.h"
#include "RzGrafx.h"
#include "StdCtrls.h"
#include "TypInfo.h"

CALDERAN_IMPLEMENT_CLASS(TRzButtonBitmaps, TPersistent)
CALDERAN_IMPLEMENT_CREATABLE(TRzBmpButton, TCustomControl, TComponent*)

namespace {
int buttonCount = 0;

bool HasImage(TBitmap* bitmap) { return bitmap && !bitmap->Empty() && bitmap->Width() > 0 && bitmap->Height() > 0; }
}  // namespace

// ---------------------------------------------------------------------------------------------
TRzButtonBitmaps::TRzButtonBitmaps() {
  for (auto* slot : {&up_, &upAndFocused_, &disabled_, &down_, &stayDown_, &hot_}) {
    *slot = std::make_unique<TBitmap>();
    (*slot)->OnChange = MakeEvent(this, &TRzButtonBitmaps::BitmapChanged);
  }
}

TRzButtonBitmaps::~TRzButtonBitmaps() {
  for (auto* slot : {&up_, &upAndFocused_, &disabled_, &down_, &stayDown_, &hot_}) (*slot)->OnChange = {};
}

void TRzButtonBitmaps::Assign(TPersistent* source) {
  auto* other = ObjectAs<TRzButtonBitmaps>(source);
  if (!other) return TPersistent::Assign(source);
  SetUp(other->Up());
  SetUpAndFocused(other->UpAndFocused());
  SetDisabled(other->Disabled());
  SetDown(other->Down());
  SetStayDown(other->StayDown());
  SetHot(other->Hot());
  SetTransparentColor(other->TransparentColor());
}

void TRzButtonBitmaps::SetTransparentColor(TColor value) {
  transparentColor_ = value;
  BitmapChanged(this);
}

void TRzButtonBitmaps::BitmapChanged(TObject*) {
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------------------------
TRzBmpButton::TRzBmpButton(TComponent* owner) : TCustomControl(owner), bitmaps_(std::make_unique<TRzButtonBitmaps>()) {
  ++buttonCount;
  SetBounds(Left(), Top(), 80, 30);
  SetControlStyle({csCaptureMouse, csOpaque, csDoubleClicks});
  bitmaps_->OnChange = MakeEvent(this, &TRzBmpButton::BitmapsChanged);
  SetParentFont(true);
  SetTabStop(true);
}

TRzBmpButton::~TRzBmpButton() {
  bitmaps_->OnChange = {};
  if (--buttonCount == 0) SharedDownPattern(true);
}

void TRzBmpButton::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_SIZE: WMSize(message); break;
    case WM_SETFOCUS: case WM_KILLFOCUS: WMFocusChanged(message); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(message); break;
    case RZ_GROUPBUTTONCHANGED: CMGroupChanged(message); break;
    case CM_DIALOGCHAR: CMDialogChar(message); break;
    case CM_MOUSEENTER: CMMouseEnter(message); break;
    case CM_MOUSELEAVE: CMMouseLeave(message); break;
    case CM_ENABLEDCHANGED: case CM_FONTCHANGED: case CM_TEXTCHANGED: case CM_SYSCOLORCHANGE:
      CMChangedLook(message);
      break;
    default: TCustomControl::Dispatch(message);
  }
}

bool TRzBmpButton::NewLook() const { return buttonStyle_ == bsNew || (buttonStyle_ == bsAutoDetect && NewStyleControls()); }

void TRzBmpButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TCustomControl::Click();
}

void TRzBmpButton::Loaded() {
  TCustomControl::Loaded();
  SizeToBitmap();
}

// ---------------------------------------------------------------------------------------------
// Writers

void TRzBmpButton::SetAllowAllUp(bool value) {
  allowAllUp_ = value;
  UpdateGroup();
}

void TRzBmpButton::SetGroupIndex(int value) {
  groupIndex_ = value;
  UpdateGroup();
}

void TRzBmpButton::SetButtonBorder(TButtonBorder value) {
  buttonBorder_ = value;
  SizeToBitmap();
}

void TRzBmpButton::SetButtonSize(TBtnSize value) {
  buttonSize_ = value;
  SizeToBitmap();
}

void TRzBmpButton::SetButtonStyle(TButtonStyle value) {
  buttonStyle_ = value;
  SizeToBitmap();
}

void TRzBmpButton::SetCaptionDownOffset(int value) {
  captionDownOffset_ = value;
  Invalidate();
}

void TRzBmpButton::SetColor(TColor value) {
  color_ = value;
  Invalidate();
}

void TRzBmpButton::SetLayout(TButtonLayout value) {
  layout_ = value;
  Invalidate();
}

void TRzBmpButton::SetMargin(int value) {
  if (value < -1) return;
  margin_ = value;
  Invalidate();
}

void TRzBmpButton::SetShowDownPattern(bool value) {
  showDownPattern_ = value;
  Invalidate();
}

void TRzBmpButton::SetShowFocus(bool value) {
  showFocus_ = value;
  Invalidate();
}

void TRzBmpButton::SetSpacing(int value) {
  spacing_ = value;
  Invalidate();
}

// A button outside a group never stays down; a down one comes up only when all may be up.
void TRzBmpButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_ || (down_ && !allowAllUp_)) return;
  down_ = value;
  state_ = value ? bsExclusive : bsUp;
  Invalidate();
  if (value) UpdateGroup();
}

// ---------------------------------------------------------------------------------------------
// State machine

// The whole client area counts, both far edges outside.
bool TRzBmpButton::Inside(int x, int y) { return x >= 0 && x < ClientWidth() && y >= 0 && y < ClientHeight(); }

void TRzBmpButton::SetStateNow(TState state) {
  if (state_ == state) return;
  state_ = state;
  Repaint();
}

void TRzBmpButton::UpdateGroup() {
  if (groupIndex_ != 0 && Parent()) {
    TMessage m{RZ_GROUPBUTTONCHANGED, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(this), 0};
    Parent()->Broadcast(m);
  } else if (groupIndex_ == 0) {
    state_ = bsUp;
  }
}

void TRzBmpButton::FinishPress(bool inside) {
  if (groupIndex_ == 0) {
    Repaint();
  } else if (inside) {
    SetDown(!down_);
  } else {
    if (down_) state_ = bsExclusive;
    Repaint();
  }
  if (inside) Click();
}

void TRzBmpButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (Enabled() && !Focused() && HandleAllocated() && IsWindowVisible(Handle())) SetFocus();
  if (button != mbLeft || !Enabled() || !Focused()) return;
  if (!down_) SetStateNow(bsDown);
  tracking_ = true;
}

void TRzBmpButton::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (!tracking_) return;
  const TState pressed = down_ ? bsExclusive : bsDown;
  SetStateNow(Inside(x, y) ? pressed : (down_ ? bsExclusive : bsUp));
}

void TRzBmpButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (!tracking_) return;
  tracking_ = false;
  const bool inside = Inside(x, y);
  UpdateGroup();
  FinishPress(inside);
}

void TRzBmpButton::KeyDown(Word& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == VK_RETURN) {
    Click();
  } else if (key == VK_SPACE && Enabled()) {
    if (!down_) SetStateNow(bsDown);
    tracking_ = true;
  }
}

// Any key released while a Space press is held finishes it as a click.
void TRzBmpButton::KeyUp(Word& key, TShiftState shift) {
  TCustomControl::KeyUp(key, shift);
  if (!tracking_) return;
  tracking_ = false;
  state_ = bsUp;
  FinishPress(true);
}

void TRzBmpButton::CMGroupChanged(TMessage& m) {
  auto* sender = reinterpret_cast<TRzBmpButton*>(m.LParam);
  if (static_cast<int>(m.WParam) != groupIndex_ || sender == this || !sender) return;
  if (sender->Down() && down_) {
    down_ = false;
    state_ = bsUp;
    Invalidate();
  }
  allowAllUp_ = sender->AllowAllUp();
}

void TRzBmpButton::WMLButtonDblClk(TMessage& m) {
  TCustomControl::Dispatch(m);
  if (down_) DblClick();
}

void TRzBmpButton::CMDialogChar(TMessage& m) {
  if (IsAccel(static_cast<Word>(m.WParam), Caption()) && Enabled()) {
    Click();
    m.Result = 1;
  } else {
    TCustomControl::Dispatch(m);
  }
}

void TRzBmpButton::WMFocusChanged(TMessage& m) {
  TCustomControl::Dispatch(m);
  hasFocus_ = m.Msg == WM_SETFOCUS;
  Invalidate();
}

void TRzBmpButton::CMMouseEnter(TMessage& m) {
  if (ComponentState().Contains(csDesigning)) return;
  mouseInside_ = true;
  TCustomControl::Dispatch(m);
  if (OnMouseEnter) OnMouseEnter(this);
  if (HasImage(bitmaps_->Hot())) Invalidate();
}

void TRzBmpButton::CMMouseLeave(TMessage& m) {
  mouseInside_ = false;
  TCustomControl::Dispatch(m);
  if (OnMouseLeave) OnMouseLeave(this);
  if (HasImage(bitmaps_->Hot())) Invalidate();
}

void TRzBmpButton::CMChangedLook(TMessage& m) {
  TCustomControl::Dispatch(m);
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Sizing

// The size step stands for the whole size handling; only the framework's record of the bounds is
// kept in step.
void TRzBmpButton::WMSize(TMessage&) {
  UpdateBounds();
  SizeToBitmap();
}

void TRzBmpButton::SizeToBitmap() {
  if (ComponentState().Contains(csLoading) || buttonSize_ == bszNeither || !HasImage(bitmaps_->Up())) return;
  if (buttonSize_ == bszButtonToBitmap) {
    const int border[] = {0, 1, NewLook() ? 2 : 3};
    const int b = border[buttonBorder_];
    SetBounds(Left(), Top(), bitmaps_->Up()->Width() + 2 * b, bitmaps_->Up()->Height() + 2 * b);
  }
  Invalidate();
}

void TRzBmpButton::BitmapsChanged(TObject*) {
  if (buttonSize_ == bszButtonToBitmap) SizeToBitmap();
  Invalidate();
}
