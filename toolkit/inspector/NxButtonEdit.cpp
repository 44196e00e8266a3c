#include "NxButtonEdit.h"

#include "Forms.h"
#include "NxSharedDraw.h"
#include "NxThemesSupport.h"

CALDERAN_IMPLEMENT_CLASS(TNxSmallButton, TCustomControl)
CALDERAN_IMPLEMENT_CREATABLE(TNxExecuteButton, TNxSmallButton, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TDropDownButton, TNxSmallButton, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TNxCustomButtonEdit, TNxEdit, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TNxPopupEdit, TNxCustomButtonEdit, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TNxComboBox, TNxPopupEdit, TComponent*)


// ---------------------------------------------------------------------------------------------
// Small buttons

TNxSmallButton::TNxSmallButton(TComponent* owner) : TCustomControl(owner) {}

void TNxSmallButton::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND: m.Result = 1; break;
    case CM_MOUSEENTER:
      TCustomControl::Dispatch(m);
      if (!ComponentState().Contains(csDesigning)) SetHot(true);
      break;
    case CM_MOUSELEAVE:
      TCustomControl::Dispatch(m);
      SetHot(false);
      break;
    default: TCustomControl::Dispatch(m);
  }
}

void TNxSmallButton::SetDown(bool value) {
  down_ = value;
  Invalidate();
}

void TNxSmallButton::SetHot(bool value) {
  if (value == hot_) return;
  hot_ = value;
  Invalidate();
}

bool TNxSmallButton::EditEnabled() const { return !Edit || Edit->Enabled(); }

void TNxSmallButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  if (Edit && Edit->Visible() && Edit->CanFocus()) Edit->SetFocus();
  SetDown(true);
  if (OnButtonDown) OnButtonDown(this);
}

void TNxSmallButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (!down_) return;
  SetDown(false);
  if (OnButtonUp) OnButtonUp(this);
}

TNxExecuteButton::TNxExecuteButton(TComponent* owner) : TNxSmallButton(owner) { SetWidth(21); }

void TNxExecuteButton::Paint() {
  TRect r = ClientRect();
  if (ThemesAvailable()) {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(r);
    TRect themed = r;
    themed.Inflate(1, 1);
    const int state = !EditEnabled() ? 4 : Down() ? 3 : Hot() ? 2 : 1;
    DrawThemeElement(WindowHandle(), Canvas()->Handle(), themed, u"button", 1, state);
  } else if (Down()) {
    Canvas()->Brush()->SetColor(clBtnFace);
    Canvas()->Pen()->SetColor(clBtnShadow);
    Canvas()->Rectangle(r);
  } else {
    RECT face = r;
    DrawFrameControl(Canvas()->Handle(), &face, DFC_BUTTON,
                     DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (EditEnabled() ? 0 : DFCS_INACTIVE));
  }
  TGraphicsProvider::DrawTextRect(Canvas(), r, 0, AnsiToWide(Caption()), 2);
}

TDropDownButton::TDropDownButton(TComponent* owner) : TNxSmallButton(owner) { SetWidth(16); }

void TDropDownButton::Paint() {
  const TRect r = ClientRect();
  if (ThemesAvailable()) {
    const int state = !EditEnabled() ? 4 : Down() ? 3 : Hot() ? 2 : 1;
    DrawThemeElement(WindowHandle(), Canvas()->Handle(), r, u"combobox", 1, state);
    return;
  }
  RECT arrow = r;
  DrawFrameControl(Canvas()->Handle(), &arrow, DFC_SCROLL,
                   DFCS_SCROLLCOMBOBOX | DFCS_ADJUSTRECT | (Down() ? DFCS_PUSHED : 0) |
                       (EditEnabled() ? 0 : DFCS_INACTIVE));
}

// ---------------------------------------------------------------------------------------------
// The button edit

TNxCustomButtonEdit::TNxCustomButtonEdit(TComponent* owner)
    : TNxCustomButtonEdit(owner, TNxExecuteButton::StaticClass(), nullptr) {}

TNxCustomButtonEdit::TNxCustomButtonEdit(TComponent* owner, TClass buttonClass, TClass popupClass)
    : TNxEdit(owner) {
  button_ = static_cast<TNxSmallButton*>(buttonClass->Create(this));
  button_->Edit = this;
  button_->SetVisible(false);
  button_->SetParent(this);
  button_->OnButtonDown = MakeEvent(this, &TNxCustomButtonEdit::ButtonPressed);
  button_->OnButtonUp = MakeEvent(this, &TNxCustomButtonEdit::ButtonReleased);
  if (!popupClass) return;
  popup_ = static_cast<TNxPopupControl*>(popupClass->Create(this));
  popup_->SetOwnerEdit(this);
  popup_->OnCloseUp = MakeEvent(this, &TNxCustomButtonEdit::PopupClosedUp);
  popup_->OnSelect = MakeEvent(this, &TNxCustomButtonEdit::PopupSelect);
}

void TNxCustomButtonEdit::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE:
      TNxEdit::Dispatch(m);
      UpdateButton();
      break;
    case CM_MOUSEENTER: CMMouseEnter(m); break;
    case CM_MOUSELEAVE: CMMouseLeave(m); break;
    default: TNxEdit::Dispatch(m);
  }
}

TRect TNxCustomButtonEdit::GetEditRect() {
  TRect r = TNxEdit::GetEditRect();
  r.Right -= button_->Width();
  return r;
}

void TNxCustomButtonEdit::UpdateButton() {
  Invalidate();
  const int width = button_->Width();
  button_->SetBounds(ClientWidth() - width, 0, width, ClientHeight());
  if (HandleAllocated() && button_->HandleAllocated() == false) button_->HandleNeeded();
  if (!button_->Visible()) {
    button_->SetVisible(true);
    if (button_->HandleAllocated())
      SetWindowPos(button_->WindowHandle(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  }
  button_->Invalidate();
}

void TNxCustomButtonEdit::CMMouseEnter(TMessage& m) {
  TNxEdit::Dispatch(m);
  if (!ComponentState().Contains(csDesigning)) button_->SetHot(true);
}

void TNxCustomButtonEdit::CMMouseLeave(TMessage& m) {
  TNxEdit::Dispatch(m);
  button_->SetHot(false);
}

void TNxCustomButtonEdit::DoButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
}

void TNxCustomButtonEdit::PopupSelect(TObject*, const std::string& text) {
  if (popup_) popup_->ClosePopup();
  SetTextFromPopup(text);
  button_->SetHot(false);
  button_->SetDown(false);
}

// ---------------------------------------------------------------------------------------------
// The popup edit

TNxPopupEdit::TNxPopupEdit(TComponent* owner) : TNxPopupEdit(owner, nullptr) {}

TNxPopupEdit::TNxPopupEdit(TComponent* owner, TClass popupClass)
    : TNxCustomButtonEdit(owner, TDropDownButton::StaticClass(), popupClass) {}

void TNxPopupEdit::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CM_VISIBLECHANGED:
    case WM_SHOWWINDOW:
      SetDroppedDown(false);
      TNxCustomButtonEdit::Dispatch(m);
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TNxCustomButtonEdit::Dispatch(m);
      Invalidate();
      break;
    default: TNxCustomButtonEdit::Dispatch(m);
  }
}

void TNxPopupEdit::SetStyle(TDropDownStyle value) {
  style_ = value;
  SetReadOnly(value == dsDropDownList);
  SetCursor(value == dsDropDownList ? crArrow : crDefault);
  UpdateEditRect();
}

void TNxPopupEdit::SetHideFocus(bool value) {
  hideFocus_ = value;
  Invalidate();
}

TRect TNxPopupEdit::GetEditRect() {
  if (style_ == dsDropDownList) return {};
  return TNxCustomButtonEdit::GetEditRect();
}

void TNxPopupEdit::SetDroppedDown(bool value) {
  if (value == droppedDown_ || !Popup()) return;
  droppedDown_ = value;
  TNxPopupControl* popup = Popup();
  if (value) {
    const TPoint p = ClientToScreen(TPoint(-1, ClientHeight()));
    popup->SetFont(Font());
    popup->SetWidth(Width());
    popup->SetText(Text());
    PreparePopup(p);
    popup->PopupAt(p.X, p.Y);
  } else {
    if (popup->HandleAllocated() && GetCapture() == popup->WindowHandle()) ReleaseCapture();
    popup->SetClosed(true);
    popup->Hide();
    DoCloseUp();
  }
}

void TNxPopupEdit::ButtonDown() { SetDroppedDown(true); }

void TNxPopupEdit::DoCloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TNxPopupEdit::DoSelect() {
  if (OnSelect) OnSelect(this);
}

void TNxPopupEdit::PopupSelect(TObject* sender, const std::string& text) {
  DoSelect();
  TNxCustomButtonEdit::PopupSelect(sender, text);
}

void TNxPopupEdit::KeyDown(Word& key, TShiftState shift) {
  TNxCustomButtonEdit::KeyDown(key, shift);
  if ((key == VK_UP || key == VK_DOWN) && shift.Contains(ssAlt)) SetDroppedDown(!droppedDown_);
  else if (key == VK_RETURN) SetDroppedDown(false);
}

void TNxPopupEdit::KeyPress(char& key) {
  const char pressed = key;
  TNxCustomButtonEdit::KeyPress(key);
  if (pressed == VK_ESCAPE) SetDroppedDown(false);
}

void TNxPopupEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TNxCustomButtonEdit::MouseDown(button, shift, x, y);
  if (button != mbLeft || style_ != dsDropDownList) return;
  ButtonDown();
  Button()->SetDown(true);
}

void TNxPopupEdit::MouseMove(TShiftState shift, int x, int y) {
  TNxCustomButtonEdit::MouseMove(shift, x, y);
  SetCursor(style_ == dsDropDownList ? crArrow : crDefault);
}

void TNxPopupEdit::PaintFace() {
  TCanvas* canvas = Canvas();
  TRect r(0, 0, ClientWidth() - Button()->Width(), ClientHeight());
  canvas->Font()->Assign(Font());
  canvas->Pen()->SetColor(InPlace() ? clHighlight : Color());
  if (Focused()) {
    canvas->Brush()->SetColor(clHighlight);
    canvas->Font()->SetColor(clHighlightText);
    canvas->Rectangle(r);
    if (!hideFocus_) {
      TRect focus = r;
      focus.Inflate(-1, -1);
      canvas->DrawFocusRect(focus);
    }
  } else {
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
  }
  TRect text(r.Left + InnerMargins()->Left(), r.Top + InnerMargins()->Top(), r.Right - InnerMargins()->Right(),
             r.Bottom - InnerMargins()->Bottom());
  if (BorderStyle() == bsSingle) text.Inflate(-1, -1);
  if (ShowPreview()) text.Left += 27;
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  TGraphicsProvider::DrawTextRectEx(canvas, text, 0, GetEditText(), false, VerticalAlignment(), Alignment());
}

// ---------------------------------------------------------------------------------------------
// The combo box

TNxComboBox::TNxComboBox(TComponent* owner)
    : TNxPopupEdit(owner, TNxPopupList::StaticClass()), items_(std::make_unique<TStringList>()) {}

TNxComboBox::~TNxComboBox() {
  Destroying();
  DestroyComponents();
}

std::string TNxComboBox::ValueFromIndex(int index) const {
  if (index < 0 || index >= items_->Count()) return {};
  return ItemLineValue(items_->Get(index));
}

void TNxComboBox::SetOwnText(const std::string& text) {
  settingText_ = true;
  try {
    SetText(text);
  } catch (...) {
    settingText_ = false;
    throw;
  }
  settingText_ = false;
}

void TNxComboBox::SetItemIndex(int value) {
  if (value == itemIndex_) return;
  itemIndex_ = value;
  if (value >= 0 && value < items_->Count()) SetOwnText(ItemLineText(items_->Get(value), displayMode_));
  else SetOwnText("");
  PopupList()->SetItemIndex(value);
  if (ShowPreview() && HandleAllocated()) {
    RECT r = GetPreviewRect();
    InvalidateRect(WindowHandle(), &r, FALSE);
  }
}

// A list left in the default colour wears the edit's own colours, which a property row gives
// its editor (the look's or the skin's), so that a dark row does not open a white list.
void TNxComboBox::PreparePopup(TPoint) {
  TNxPopupList* list = PopupList();
  list->SetListColor(dropDownColor_ == clWindow ? Color() : dropDownColor_);
  list->SetTextColor(Font()->Color());
  list->SetHighlightTextColor(highlightTextColor_);
  list->DisplayMode = displayMode_;
  list->SetItems(items_.get());
  list->SetImages(images_);
  list->SetItemHeight(itemHeight_);
  list->SetItemIndex(itemIndex_);
  list->SetShowImages(images_ != nullptr);
  list->SetSelectionColor(selectionColor_);
  list->SetWidth(Width());
  list->SetClientHeight(std::min(dropDownCount_, items_->Count()) * itemHeight_ + 4);
}

void TNxComboBox::PopupSelect(TObject* sender, const std::string& text) {
  SetItemIndex(PopupList()->ItemIndex());
  TNxPopupEdit::PopupSelect(sender, text);
}

// Typing a text that is no line forgets the chosen line; typing a line's text does not choose it.
void TNxComboBox::TextChanged() {
  if (settingText_ || Style() != dsDropDown || displayMode_ != dmDefault) return;
  if (items_->IndexOf(Text()) < 0) itemIndex_ = -1;
}

void TNxComboBox::KeyDown(Word& key, TShiftState shift) {
  TNxPopupEdit::KeyDown(key, shift);
  if (shift.Contains(ssAlt)) return;
  if (key == VK_UP && itemIndex_ >= 1) SetItemIndex(itemIndex_ - 1);
  else if (key == VK_DOWN && itemIndex_ < items_->Count() - 1) SetItemIndex(itemIndex_ + 1);
}

bool TNxComboBox::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  TNxPopupEdit::DoMouseWheel(shift, wheelDelta, mousePos);
  if (wheelDelta < 0 && itemIndex_ < items_->Count() - 1) SetItemIndex(itemIndex_ + 1);
  else if (wheelDelta > 0 && itemIndex_ > 0) SetItemIndex(itemIndex_ - 1);
  return true;
}

void TNxComboBox::DrawPreview(const TRect& rect) {
  TNxPopupEdit::DrawPreview(rect);
  if (!images_) return;
  int y = 0;
  if (VerticalAlignment() == vaMiddle) y = (ClientHeight() - images_->Height()) / 2;
  else if (VerticalAlignment() == vaBottom) y = ClientHeight() - images_->Height();
  images_->Draw(Canvas(), rect.Left + (rect.Width() - images_->Width()) / 2, y, itemIndex_, true);
}

void TNxComboBox::Loaded() {
  TNxPopupEdit::Loaded();
  const bool inRange = itemIndex_ >= 0 && itemIndex_ < items_->Count();
  SetOwnText(inRange ? items_->Get(itemIndex_) : std::string());
}
