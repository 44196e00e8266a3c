// The label, buttons and check boxes.
#include "StdCtrls.h"

#include <algorithm>

#include "Forms.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CREATABLE(TCustomLabel, TGraphicControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TLabel, TCustomLabel, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TButtonControl, TWinControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TCustomButton, TButtonControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TButton, TCustomButton, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TCustomCheckBox, TButtonControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TCheckBox, TCustomCheckBox, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TRadioButton, TButtonControl, TComponent*)

const TUnitInfo StdCtrlsUnit{"StdCtrls", nullptr, nullptr};

bool IsAccel(Word key, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::toupper(static_cast<unsigned char>(caption[i + 1])) == std::toupper(key & 0xFF);
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// TCustomLabel
// A label is never opaque to its parent: the parent paints its background under the label (a
// skinned form its picture, a page its own colour), and a label with a colour of its own fills
// over it. An opaque label would have to paint the parent's background itself, which a parent
// that paints its background with the rest of its face (not on erase) cannot give.
TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(ControlStyle() + csReplicatable);
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CM_TEXTCHANGED: CMTextChanged(m); break;
    case CM_FONTCHANGED: CMFontChanged(m); break;
    case CM_DIALOGCHAR: CMDialogChar(m); break;
    default: TGraphicControl::Dispatch(m);
  }
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::DoDrawText(TRect& rect, UINT flags) {
  std::string text = Text();
  if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text.size() >= 1 && text[0] == '&' && text.size() == 1)))
    text += ' ';
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  const TColor color = (flags & DT_CALCRECT) || !Enabled() ? Font()->Color() : TextColor();
  Canvas()->SetFont(Font());
  Canvas()->Font()->SetColor(color);
  HDC dc = Canvas()->Handle();
  if (!Enabled()) {
    rect.Offset(1, 1);
    Canvas()->Font()->SetColor(clBtnHighlight);
    DrawTextA(dc, text.c_str(), -1, rect.Win(), flags);
    rect.Offset(-1, -1);
    Canvas()->Font()->SetColor(clBtnShadow);
    DrawTextA(dc, text.c_str(), -1, rect.Win(), flags);
  } else {
    DrawTextA(dc, text.c_str(), -1, rect.Win(), flags);
  }
}

// The font's colour; one left at the default window text asks the parent window, as a static
// control does (WM_CTLCOLORSTATIC, with no window of its own to name): a parent that paints a
// skin answers with the skin's text colour, any other with the window text colour.
TColor TCustomLabel::TextColor() {
  const TColor own = Font()->Color();
  if (own != clWindowText || !Parent() || !Parent()->HandleAllocated()) return own;
  HDC dc = Canvas()->Handle();
  const int saved = SaveDC(dc);  // the answer sets the colours of the device context
  SetTextColor(dc, ColorToRGB(own));
  SendMessageA(Parent()->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0);
  const COLORREF answer = GetTextColor(dc);
  RestoreDC(dc, saved);
  return static_cast<TColor>(answer);
}

void TCustomLabel::Paint() {
  static constexpr UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  TRect r = ClientRect();
  if (!transparent_ && !ParentColor()) {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->Brush()->SetStyle(TBrushStyle::bsSolid);
    Canvas()->FillRect(r);
  }
  Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  UINT flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | alignments[alignment_];
  if (layout_ != tlTop) {
    TRect calc = r;
    DoDrawText(calc, flags | DT_CALCRECT);
    int offset = r.Height() - calc.Height();
    r.Top += layout_ == tlBottom ? offset : offset / 2;
  }
  DoDrawText(r, flags);
}

// A label with AutoSize takes the size of its text, keeping its anchored side in place.
void TCustomLabel::AdjustBounds() {
  if (ComponentState().Contains(csLoading) || !autoSize_) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  std::string text = Text();
  if (text.empty()) text.assign(1, ' ');
  TRect r = ClientRect();
  UINT flags = DT_CALCRECT | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | (showAccelChar_ ? 0 : DT_NOPREFIX);
  if (!wordWrap_) r.Right = r.Left + 1;
  DrawTextA(dc, text.c_str(), -1, r.Win(), flags);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int x = Left();
  if (alignment_ == taRightJustify) x += Width() - r.Right;
  SetBounds(x, Top(), r.Right, r.Bottom);
}

void TCustomLabel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}
void TCustomLabel::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  AdjustBounds();
}
void TCustomLabel::SetLayout(TTextLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}
void TCustomLabel::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  AdjustBounds();
  Invalidate();
}
void TCustomLabel::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Invalidate();
}
void TCustomLabel::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  Invalidate();
}
void TCustomLabel::SetFocusControl(TWinControl* control) {
  if (control == focusControl_) return;
  focusControl_ = control;
  if (control) control->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::CMTextChanged(TMessage&) {
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& m) {
  TGraphicControl::CMFontChanged(m);
  AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& m) {
  if (focusControl_ && Enabled() && showAccelChar_ && IsAccel(LOWORD(m.WParam), Text()) && focusControl_->CanFocus()) {
    focusControl_->SetFocus();
    m.Result = 1;
  }
}

// ---------------------------------------------------------------------------------------------
// Buttons
TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {}

TCustomButton::TCustomButton(TComponent* owner) : TButtonControl(owner) {
  SetControlStyle({csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TCustomButton::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND: CNCommand(m); break;
    case CM_DIALOGKEY: CMDialogKey(m); break;
    case CM_DIALOGCHAR: CMDialogChar(m); break;
    default: TButtonControl::Dispatch(m);
  }
}

void TCustomButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  CreateSubClass(p, "BUTTON");
  p.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TCustomButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TButtonControl::Click();
}

void TCustomButton::SetDefault(bool value) {
  if (value == default_) return;
  default_ = value;
  if (HandleAllocated()) SendMessageA(WindowHandle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TCustomButton::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) == BN_CLICKED) Click();
}

// Enter clicks the default button, Escape the cancel button.
void TCustomButton::CMDialogKey(TMessage& m) {
  WORD key = LOWORD(m.WParam);
  bool mine = (key == VK_RETURN && default_) || (key == VK_ESCAPE && cancel_);
  if (mine && KeyDataToShiftState(m.LParam).Empty() && CanFocus()) {
    Click();
    m.Result = 1;
    return;
  }
  TButtonControl::CMDialogKey(m);
}

void TCustomButton::CMDialogChar(TMessage& m) {
  if (IsAccel(LOWORD(m.WParam), Text()) && CanFocus()) {
    Click();
    m.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(m);
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
  SetControlStyle({csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCustomCheckBox::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND: CNCommand(m); break;
    case CM_DIALOGCHAR: CMDialogChar(m); break;
    default: TButtonControl::Dispatch(m);
  }
}

void TCustomCheckBox::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  CreateSubClass(p, "BUTTON");
  p.Style |= BS_3STATE | (alignment_ == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageA(WindowHandle(), BM_SETCHECK, state_, 0);
}

void TCustomCheckBox::SetState(TCheckBoxState state) {
  if (state == state_) return;
  state_ = state;
  if (HandleAllocated()) SendMessageA(WindowHandle(), BM_SETCHECK, state, 0);
  if (!ComponentState().Contains(csLoading)) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  RecreateWnd();
}

void TCustomCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) == BN_CLICKED) Toggle();
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
  SetControlStyle({csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 113, 17);
}

void TRadioButton::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND: CNCommand(m); break;
    case CM_DIALOGCHAR: CMDialogChar(m); break;
    default: TButtonControl::Dispatch(m);
  }
}

void TRadioButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  CreateSubClass(p, "BUTTON");
  p.Style |= BS_RADIOBUTTON | (alignment_ == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageA(WindowHandle(), BM_SETCHECK, checked_, 0);
}

void TRadioButton::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  SetTabStop(value);
  if (HandleAllocated()) SendMessageA(WindowHandle(), BM_SETCHECK, value, 0);
  if (!value) return;
  TurnSiblingsOff();
  if (!ClicksDisabled()) Click();
}

void TRadioButton::TurnSiblingsOff() {
  if (!Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* sibling = ObjectAs<TRadioButton>(Parent()->Controls(i)); sibling && sibling != this)
      sibling->SetChecked(false);
}

void TRadioButton::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  RecreateWnd();
}

void TRadioButton::CNCommand(TMessage& m) {
  const WORD code = HIWORD(m.WParam);
  if (code == BN_CLICKED || code == BN_DOUBLECLICKED) SetChecked(true);
}

void TRadioButton::CMDialogChar(TMessage& m) {
  if (IsAccel(LOWORD(m.WParam), Text()) && CanFocus()) {
    SetFocus();
    if (Focused()) SetChecked(true);
    m.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(m);
}

void TCustomCheckBox::CMDialogChar(TMessage& m) {
  if (IsAccel(LOWORD(m.WParam), Text()) && CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
    m.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(m);
}
