// The check box as an editor kind: its properties, style, view data, view info and control.
#include "cxCheckBox.h"

#include "SysUtils.h"
#include "cxGeometry.h"
#include "cxGraphicsRoutines.h"
#include "cxVariants.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomCheckBoxProperties, TcxCustomEditProperties)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxCheckBoxProperties, TcxCustomCheckBoxProperties, TPersistent*)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCheckBoxStyle, TcxEditStyle)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomCheckBoxViewData, TcxCustomEditViewData)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomCheckBoxViewInfo, TcxCustomEditViewInfo)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxCustomCheckBox, TcxCustomEdit, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxCheckBox, TcxCustomCheckBox, TComponent*)
CALDERAN_IMPLEMENT_CLASS(TcxCheckBoxActionLink, TControlActionLink)

namespace {

std::u16string ToolkitText(const TcxResourceString& text) { return AnsiToWide(LoadToolkitString(text)); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Class operations

TcxCustomEditProperties* TcxCustomCheckBoxPropertiesClass::Create(TPersistent* owner) const {
  return new TcxCustomCheckBoxProperties(owner);
}
const TcxCustomEditClass* TcxCustomCheckBoxPropertiesClass::EditClass() const {
  return TcxCheckBox::StaticClassOperations();
}
const TcxCustomEditStyleClass* TcxCustomCheckBoxPropertiesClass::EditStyleClass() const {
  return TcxCheckBoxStyle::StaticClassOperations();
}
const TcxCustomEditViewDataClass* TcxCustomCheckBoxPropertiesClass::ViewDataClass(TcxCustomEditStyle*, bool) const {
  return TcxCustomCheckBoxViewData::StaticClassOperations();
}
const TcxCustomEditViewInfoClass* TcxCustomCheckBoxPropertiesClass::ViewInfoClass() const {
  return TcxCustomCheckBoxViewInfo::StaticClassOperations();
}
TcxCustomEditProperties* TcxCheckBoxPropertiesClass::Create(TPersistent* owner) const {
  return new TcxCheckBoxProperties(owner);
}
TcxContainerStyle* TcxCheckBoxStyleClass::Create(TPersistent* owner, bool directAccess, TcxContainerStyle* parentStyle,
                                                 TcxContainerStyleState state) const {
  return new TcxCheckBoxStyle(owner, directAccess, parentStyle, state);
}
TcxCustomEditViewData* TcxCustomCheckBoxViewDataClass::Create(TcxCustomEditProperties* properties,
                                                              TcxCustomEditStyle* style, bool inPlace) const {
  return new TcxCustomCheckBoxViewData(properties, style, inPlace);
}
TcxCustomEditViewInfo* TcxCustomCheckBoxViewInfoClass::Create() const { return new TcxCustomCheckBoxViewInfo; }
TcxCustomEdit* TcxCustomCheckBoxClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxCustomCheckBox(owner, inPlace);
}
const TcxCustomEditPropertiesClass* TcxCustomCheckBoxClass::OwnPropertiesClass() const {
  return TcxCustomCheckBoxProperties::StaticClassOperations();
}
TcxCustomEdit* TcxCheckBoxClass::Create(TComponent* owner, bool inPlace) const { return new TcxCheckBox(owner, inPlace); }
const TcxCustomEditPropertiesClass* TcxCheckBoxClass::OwnPropertiesClass() const {
  return TcxCheckBoxProperties::StaticClassOperations();
}

// ---------------------------------------------------------------------------------------------
// Properties

TcxCustomCheckBoxProperties::TcxCustomCheckBoxProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls)
    : TcxCustomEditProperties(owner, cls),
      displayChecked_(ToolkitText(cxSEditCheckBoxChecked)),
      displayUnchecked_(ToolkitText(cxSEditCheckBoxUnchecked)) {}

void TcxCustomCheckBoxProperties::SetCaption(const std::string& value) {
  captionAssigned_ = true;
  if (AnsiCompareText(value, caption_) == 0) return;
  caption_ = value;
  NotifyChanged();
}

TBitmap* TcxCustomCheckBoxProperties::Glyph() {
  if (!glyph_) {
    glyph_ = std::make_unique<TBitmap>();
    glyph_->OnChange = MakeEvent(this, &TcxCustomCheckBoxProperties::GlyphChanged);
  }
  return glyph_.get();
}

void TcxCustomCheckBoxProperties::SetGlyph(TBitmap* value) {
  if (value) Glyph()->Assign(value);
  else glyph_.reset();
  NotifyChanged();
}

void TcxCustomCheckBoxProperties::SetGlyphCount(int value) {
  if (glyphCount_ == value) return;
  glyphCount_ = value;
  if (glyph_) NotifyChanged();
}

bool TcxCustomCheckBoxProperties::IsOwnerLoading() const {
  TComponent* component = OwningComponent(Owner());
  return component && component->ComponentState().Contains(csLoading);
}

void TcxCustomCheckBoxProperties::SetStateValue(TVariant& field, const TVariant& value, bool nullAllowed) {
  if (!IsOwnerLoading() &&
      !IsCheckBoxValueAcceptable(value, valueChecked_, valueUnchecked_, valueGrayed_, nullAllowed))
    return;
  field = value;
  NotifyChanged();
}

TcxCheckBoxState TcxCustomCheckBoxProperties::StateOfValue(const TVariant& value) const {
  return CheckBoxValueToState(value, valueChecked_, valueUnchecked_);
}

TVariant TcxCustomCheckBoxProperties::ValueOfState(TcxCheckBoxState state) const {
  const TVariant* values[] = {&valueUnchecked_, &valueChecked_, &valueGrayed_};
  return *values[state];
}

bool TcxCustomCheckBoxProperties::IsDisplayCheckedStored() const {
  return AnsiCompareText(WideToAnsi(displayChecked_), LoadToolkitString(cxSEditCheckBoxChecked)) != 0;
}
bool TcxCustomCheckBoxProperties::IsDisplayUncheckedStored() const {
  return AnsiCompareText(WideToAnsi(displayUnchecked_), LoadToolkitString(cxSEditCheckBoxUnchecked)) != 0;
}

void TcxCustomCheckBoxProperties::Assign(TPersistent* source) {
  auto* from = ObjectAs<TcxCustomCheckBoxProperties>(source);
  if (!from) return TcxCustomEditProperties::Assign(source);
  BeginUpdate();
  try {
    TcxCustomEditProperties::Assign(source);
    allowGrayed_ = from->allowGrayed_;
    displayChecked_ = from->displayChecked_, displayGrayed_ = from->displayGrayed_;
    displayUnchecked_ = from->displayUnchecked_;
    SetFullFocusRect(from->fullFocusRect_);
    SetGlyph(from->glyph_.get());
    SetGlyphCount(from->glyphCount_);
    SetMultiLine(from->multiLine_);
    SetNullStyle(from->nullStyle_);
    SetUseAlignmentWhenInplace(from->useAlignmentWhenInplace_);
    const TVariant &c = from->valueChecked_, &u = from->valueUnchecked_, &g = from->valueGrayed_;
    if (!VariantsEqualExact(c, u) && !VariantsEqualExact(c, g) && !VariantsEqualExact(u, g) && !c.IsNull() &&
        !u.IsNull()) {
      valueChecked_ = c, valueUnchecked_ = u, valueGrayed_ = g;
      NotifyChanged();
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

bool TcxCustomCheckBoxProperties::CanCompareValues(const TVariant& value, bool flag) const {
  return TcxCustomEditProperties::CanCompareValues(value, flag) &&
         (VarEqualsEx(value, valueChecked_) || VarEqualsEx(value, valueUnchecked_) ||
          VarEqualsEx(value, valueGrayed_));
}

void TcxCustomCheckBoxProperties::EditValueToDisplay(const TVariant& editValue, TVariant& displayValue, bool) {
  displayValue = TVariant(int32_t(StateOfValue(editValue)));
}

std::u16string TcxCustomCheckBoxProperties::FormatDisplayValue(const TVariant& editValue) {
  const std::u16string* texts[] = {&displayUnchecked_, &displayChecked_, &displayGrayed_};
  return *texts[StateOfValue(editValue)];
}

bool TcxCustomCheckBoxProperties::EditValuesEqual(const TVariant& value1, const TVariant& value2) {
  return StateOfValue(value1) == StateOfValue(value2);
}

// ---------------------------------------------------------------------------------------------
// Control

TcxCustomCheckBox::TcxCustomCheckBox(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace)
    : TcxCustomEdit(owner, cls, inPlace) {
  SetControlStyle(ControlStyle() - csDoubleClicks);
  SetBounds(Left(), Top(), 121, Height());
  LockChangeEvents(true);
  TcxCustomEdit::InternalSetEditValue(Properties()->ValueUnchecked(), false);
  LockChangeEvents(false, false);
}

void TcxCustomCheckBox::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_LBUTTONUP:
      // The release toggles through the state change, which fires OnClick: no platform click.
      SetControlState(ControlState() - csClicked);
      TcxCustomEdit::Dispatch(message);
      break;
    case CM_DIALOGCHAR: CMDialogChar(message); break;
    case CM_TEXTCHANGED: CMTextChanged(message); break;
    default: TcxCustomEdit::Dispatch(message);
  }
}

TcxCheckBoxState TcxCustomCheckBox::State() { return ActiveProperties()->StateOfValue(EditValue()); }

void TcxCustomCheckBox::SetState(TcxCheckBoxState value) {
  if (ComponentState().Contains(csLoading)) {
    storedState_ = value;
    stateSetWhileLoading_ = true;
    return;
  }
  if (value != State()) AssignEditValueChecked(ActiveProperties()->ValueOfState(value));
}

bool TcxCustomCheckBox::IsStateStored() const {
  auto* self = const_cast<TcxCustomCheckBox*>(this);
  auto* link = ObjectAs<TcxCheckBoxActionLink>(ActionLink());
  return self->State() != cbsUnchecked && !(link && link->IsCheckedLinked());
}

std::unique_ptr<TBasicActionLink> TcxCustomCheckBox::CreateActionLink() {
  return std::make_unique<TcxCheckBoxActionLink>(this);
}

void TcxCustomCheckBox::ApplyActionChecked(TCustomAction* action) {
  if (stateSetWhileLoading_) return;
  if (action->ComponentState().Contains(csLoading) && Checked()) return;
  LockClick(true);
  LockChangeEvents(true);
  struct TUnlock {
    TcxCustomCheckBox* box;
    ~TUnlock() {
      box->LockChangeEvents(false);
      box->LockClick(false);
    }
  } unlock{this};
  SetChecked(action->Checked());
}

bool TcxCheckBoxActionLink::IsCheckedLinked() const {
  auto* action = ObjectAs<TCustomAction>(Action());
  auto* box = static_cast<TcxCustomCheckBox*>(client_);
  return action && box->State() != cbsGrayed && box->Checked() == action->Checked();
}

void TcxCheckBoxActionLink::ApplyTo(TCustomAction* action) {
  TControlActionLink::ApplyTo(action);
  static_cast<TcxCustomCheckBox*>(client_)->ApplyActionChecked(action);
}

void TcxCustomCheckBox::Toggle() {
  LockChangeEvents(true);
  try {
    SetKeyboardAction(true);
    SetState(NextCheckBoxState(State(), ActiveProperties()->AllowGrayed()));
    SetKeyboardAction(false);
  } catch (...) {
    SetKeyboardAction(false);
    LockChangeEvents(false);
    throw;
  }
  LockChangeEvents(false);
  if (ActiveProperties()->ImmediatePost() && DataBinding()->DefaultValuesProvider()->DataModifiable() &&
      ValidateInput())
    FinishEditing(false);
}

void TcxCustomCheckBox::StateChanged(TcxCheckBoxState state, bool fire) {
  TcxCustomCheckBoxViewInfo* viewInfo = CheckBoxViewInfo();
  viewInfo->State = state;
  if (HandleAllocated()) InvalidateWindowRect(Handle(), &viewInfo->CheckBoxRect, false);
  if (!fire) return;
  Click();
  InnerEditChanged(this);
}

// Only a toggle (mouse, Space, accelerator) runs the linked action. A state set by code still
// tells the box's own OnClick, but running the action then would flip an auto-check action, and
// the link would write that back over the state the code had just set.
void TcxCustomCheckBox::Click() {
  TBasicAction* action = Action();
  if (!action || KeyboardAction()) return TcxCustomEdit::Click();
  if (OnClick && !(OnClick == action->OnExecute)) TcxCustomEdit::Click();
}

void TcxCustomCheckBox::InternalSetEditValue(const TVariant& value, bool validate) {
  TcxCustomEdit::InternalSetEditValue(value, validate);
  const TcxCheckBoxState state = ActiveProperties()->StateOfValue(EditValue());
  if (state == CheckBoxViewInfo()->State) return;
  StateChanged(state, true);
  ShortRefresh();
}

void TcxCustomCheckBox::ApplyPropertiesChange(TObject* properties) {
  TcxCustomEdit::ApplyPropertiesChange(properties);
  TcxCustomCheckBoxProperties* active = ActiveProperties();
  if (active->CaptionAssigned()) {
    SetCaption(active->Caption());
    active->ClearCaptionAssigned();
  }
  // Glyph, null style, alignment and the rest may all change the picture.
  Invalidate();
  const TcxCheckBoxState state = active->StateOfValue(EditValue());
  if (state != CheckBoxViewInfo()->State) StateChanged(state, true);
}

void TcxCustomCheckBox::DisplayToEditValue(const TVariant& display, TVariant& value, bool) {
  value = ActiveProperties()->ValueOfState(static_cast<TcxCheckBoxState>(display.AsInteger()));
}

bool TcxCustomCheckBox::RefreshContainer(const TPoint& point, TcxContainerMouseButton button, TShiftState shift,
                                         bool isMouseEvent) {
  TcxCustomCheckBoxViewInfo* viewInfo = CheckBoxViewInfo();
  const TcxEditCheckState before = viewInfo->CheckState;
  const TRect oldBox = viewInfo->CheckBoxRect;
  if (!TcxCustomEdit::RefreshContainer(point, button, shift, isMouseEvent)) return false;
  if (viewInfo->CheckState == before) return true;
  InvalidateWindowRect(Handle(), &oldBox, false);
  InvalidateWindowRect(Handle(), &viewInfo->CheckBoxRect, false);
  // The left button released over the control.
  if (isMouseEvent && before == ecsPressed && viewInfo->CheckState == ecsHot) Toggle();
  return true;
}

void TcxCustomCheckBox::KeyDown(Word& key, TShiftState shift) {
  TcxCustomEdit::KeyDown(key, shift);
  if (key != VK_SPACE) return;
  const TcxEditCheckState state = CheckBoxViewInfo()->CheckState;
  if (state == ecsPressed || state == ecsDisabled) return;
  spacePressed_ = true;
  ShortRefresh();
  key = 0;
}

void TcxCustomCheckBox::KeyUp(Word& key, TShiftState shift) {
  if (key == VK_SPACE && CheckBoxViewInfo()->CheckState == ecsPressed) {
    spacePressed_ = false;
    CheckBoxViewInfo()->CheckState = ecsNormal;
    InvalidateWindowRect(Handle(), &CheckBoxViewInfo()->CheckBoxRect, false);
    Toggle();
  }
  TcxCustomEdit::KeyUp(key, shift);
}

void TcxCustomCheckBox::KeyPress(char& key) {
  if (key == ' ' && InPlace() && CheckBoxViewInfo()->CheckState == ecsNormal) {
    Toggle();
    key = 0;
    return;
  }
  TcxCustomEdit::KeyPress(key);
}

void TcxCustomCheckBox::DoExit() {
  spacePressed_ = false;
  TcxCustomEdit::DoExit();
}

void TcxCustomCheckBox::CMDialogChar(TMessage& m) {
  if (!IsAccel(static_cast<Word>(m.WParam), Caption()) || !CanFocus()) return TcxCustomEdit::Dispatch(m);
  SetFocus();
  if (Focused()) Toggle();
  m.Result = 1;
}

void TcxCustomCheckBox::CMTextChanged(TMessage& m) {
  TcxCustomEdit::Dispatch(m);
  CheckBoxViewInfo()->Text = Caption();
  ShortRefresh();
  Invalidate();
}

void TcxCustomCheckBox::Loaded() {
  inLoaded_ = true;
  LockChangeEvents(true);
  LockClick(true);
  TcxCustomEdit::Loaded();
  if (stateSetWhileLoading_) SetState(storedState_);
  else if (!DataBinding()->DefaultValuesProvider()->IsDataSourceBound()) SetState(cbsUnchecked);
  stateSetWhileLoading_ = false;
  LockClick(false);
  LockChangeEvents(false, false);
  inLoaded_ = false;
}

bool TcxCustomCheckBox::UsesParentBackgroundNatively() const {
  auto* self = const_cast<TcxCustomCheckBox*>(this);
  return !InPlace() && ParentBackground() && !Transparent() && self->IsNativeStyle();
}

TRect TcxCustomCheckBox::GetVisibleBorderRect() {
  if (!InPlace() && IsNativeStyle() && Style()->TransparentBorder())
    return RectInflate(GetControlSizeRect(this), -2, -2);
  return TcxCustomEdit::GetVisibleBorderRect();
}

TcxContainerStyleValues TcxCustomCheckBox::HiddenStyleValues() const {
  TcxContainerStyleValues values = TcxCustomEdit::HiddenStyleValues();
  values.Include(csvEdges);
  return values;
}
