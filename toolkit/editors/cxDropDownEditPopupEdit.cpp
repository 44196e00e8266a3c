// The popup edit: a drop-down editor whose popup shows a control of the application's choosing. The
// control leaves its parent while the popup is open, fills the popup's client area, and goes back
// with its parent, alignment, bounds, visibility and (for a form) border style when it closes.
#include "Forms.h"
#include "cxDropDownEdit.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomPopupEditProperties, TcxCustomDropDownEditProperties)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxPopupEditProperties, TcxCustomPopupEditProperties)
CALDERAN_IMPLEMENT_CLASS(TcxPopupEditPopupWindowViewInfo, TcxCustomEditPopupWindowViewInfo)
CALDERAN_IMPLEMENT_CLASS(TcxPopupEditPopupWindow, TcxCustomEditPopupWindow)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomPopupEdit, TcxCustomDropDownEdit)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxPopupEdit, TcxCustomPopupEdit)

TcxCustomEditProperties* TcxCustomPopupEditPropertiesClass::Create(TPersistent* owner) const {
  if (this == TcxPopupEditProperties::StaticClassOperations()) return new TcxPopupEditProperties(owner);
  return new TcxCustomPopupEditProperties(owner);
}

const TcxCustomEditClass* TcxCustomPopupEditPropertiesClass::EditClass() const {
  return TcxPopupEdit::StaticClassOperations();
}

TcxCustomEdit* TcxCustomPopupEditClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxCustomPopupEdit(owner, inPlace);
}

TcxCustomEdit* TcxPopupEditClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxPopupEdit(owner, inPlace);
}

// ---------------------------------------------------------------------------------------------
// Properties

TcxCustomPopupEditProperties::TcxCustomPopupEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls)
    : TcxCustomDropDownEditProperties(owner, cls) {
  BeginUpdate();
  SetPopupAutoSize(true);
  // The minimums first, so that the sizes are not raised to them.
  SetPopupMinHeight(100);
  SetPopupMinWidth(100);
  SetPopupHeight(200);
  SetPopupWidth(250);
  SetPopupSizeable(true);
  EndUpdate(false);
}

TcxCustomPopupEditProperties::~TcxCustomPopupEditProperties() { SetPopupControl(nullptr); }

TcxPopupEditProperties::TcxPopupEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls)
    : TcxCustomPopupEditProperties(owner, cls) {
  SetImmediateDropDown(true);
  SetImmediatePopup(true);
  SetValidateOnEnter(true);  // as in the masked editor
}

TcxCustomEditPopupWindow* TcxCustomPopupEditProperties::CreatePopupWindow(TcxCustomDropDownEdit* edit) const {
  return new TcxPopupEditPopupWindow(edit);
}

void TcxCustomPopupEditProperties::SetPopupControl(TControl* value) {
  if (value == popupControl_) return;
  if (popupControl_ && FreeNotificator()) FreeNotificator()->RemoveSender(popupControl_);
  popupControl_ = value;
  if (popupControl_ && FreeNotificator()) FreeNotificator()->AddSender(popupControl_);
}

void TcxCustomPopupEditProperties::FreeNotified(TComponent* component) {
  TcxCustomDropDownEditProperties::FreeNotified(component);
  if (component == popupControl_) popupControl_ = nullptr;
}

void TcxCustomPopupEditProperties::AssignExtra(TcxCustomEditProperties* source) {
  TcxCustomDropDownEditProperties::AssignExtra(source);
  if (auto* from = ObjectAs<TcxCustomPopupEditProperties>(source)) SetPopupControl(from->PopupControl());
}

// ---------------------------------------------------------------------------------------------
// The popup window's border

void TcxPopupEditPopupWindowViewInfo::PaintPopupBorder(TcxCanvas* canvas, TRect& rect) {
  if (PopupBorder != epbsFrame3D || UseNativeStyle || SkinPainter || OnCustomBorder)
    return TcxCustomEditPopupWindowViewInfo::PaintPopupBorder(canvas, rect);
  canvas->Draw3DEdgeRing(rect, false, true);
  rect.Inflate(-1, -1);
  canvas->Draw3DEdgeRing(rect, false, false);
  rect.Inflate(-1, -1);
  canvas->FrameRect(rect, clInactiveBorder);
  rect.Inflate(-1, -1);
  canvas->FrameRect(rect, clBtnFace);
  rect.Inflate(-1, -1);
}

// ---------------------------------------------------------------------------------------------
// The editor

TcxCustomPopupEdit::TcxCustomPopupEdit(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace)
    : TcxCustomDropDownEdit(owner, cls, inPlace) {}

// The control goes home before the popup window, its parent meanwhile, is freed with it. A show
// request still queued counts too: the control is already in the popup then.
TcxCustomPopupEdit::~TcxCustomPopupEdit() {
  if (hosted_) RestorePopupControl();
}

bool TcxCustomPopupEdit::IsCircularReference(TControl* control) {
  if (control == PopupWindow() || control == this) return true;
  for (TWinControl* parent = Parent(); parent; parent = parent->Parent())
    if (control == parent) return true;
  return false;
}

void TcxCustomPopupEdit::InitPopup() {
  TControl* control = ActiveProperties()->PopupControl();
  if (control && IsCircularReference(control))
    throw EcxEditError(LoadToolkitString(cxSEditPopupCircularReferencingError));
  TcxCustomDropDownEdit::InitPopup();
}

TWinControl* TcxCustomPopupEdit::GetPopupFocusedControl() {
  return ObjectAs<TWinControl>(ActiveProperties()->PopupControl());
}

TSize TcxCustomPopupEdit::GetPopupClientSize() {
  TControl* control = ActiveProperties()->PopupControl();
  return control ? TSize(control->Width(), control->Height()) : TSize(0, 0);
}

void TcxCustomPopupEdit::SetLookupBounds(const TRect& rect) {
  if (TControl* control = ActiveProperties()->PopupControl()) control->SetBoundsRect(rect);
}

void TcxCustomPopupEdit::SavePopupControl() {
  TControl* control = ActiveProperties()->PopupControl();
  if (!control) return;
  saved_.Align = control->Align();
  if (auto* form = ObjectAs<TCustomForm>(control)) {
    saved_.BorderStyle = form->BorderStyle();
    form->SetBorderStyle(bsNone);
  }
  saved_.Bounds = control->BoundsRect();
  saved_.Parent = control->Parent();
  saved_.Visible = control->Visible();
  hosted_ = control;
}

void TcxCustomPopupEdit::LayoutPopup() {
  TControl* control = ActiveProperties()->PopupControl();
  if (control) {
    // Laid out again while open, the control is in the popup already: saving it again would take
    // the popup window for its home.
    if (control != hosted_) SavePopupControl();
    control->SetParent(PopupWindow());
    control->SetVisible(true);
  }
  TcxCustomDropDownEdit::LayoutPopup();
  if (control) control->SetAlign(alClient);
}

void TcxCustomPopupEdit::RestorePopupControl() {
  TControl* control = ActiveProperties()->PopupControl();
  // Only the control the popup took goes back; a control freed meanwhile has nowhere to go.
  if (!control || control != hosted_) {
    hosted_ = nullptr;
    return;
  }
  hosted_ = nullptr;
  control->SetVisible(false);
  PopupWindow()->SetFocusedControl(PopupWindow());
  control->SetParent(saved_.Parent);
  if (auto* form = ObjectAs<TCustomForm>(control)) form->SetBorderStyle(saved_.BorderStyle);
  control->SetAlign(saved_.Align);
  control->SetBoundsRect(saved_.Bounds);
  control->SetVisible(saved_.Visible);
}

void TcxCustomPopupEdit::HandlePopupClosed(TObject* sender) {
  RestorePopupControl();
  TcxCustomDropDownEdit::HandlePopupClosed(sender);
}

void TcxCustomPopupEdit::CloseWithReason(TcxPopupCloseReason reason) {
  SetCloseUpReason(reason);
  PopupWindow()->ClosePopupDeferred();
}
