// The progress bar control: its position is its edit value, clamped into the range.
#include <algorithm>

#include "cxProgressBar.h"

CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxCustomProgressBar, TcxCustomEdit, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxProgressBar, TcxCustomProgressBar, TComponent*)

TcxCustomEdit* TcxCustomProgressBarClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxCustomProgressBar(owner, inPlace);
}
const TcxCustomEditPropertiesClass* TcxCustomProgressBarClass::OwnPropertiesClass() const {
  return TcxCustomProgressBarProperties::StaticClassOperations();
}
TcxCustomEdit* TcxProgressBarClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxProgressBar(owner, inPlace);
}
const TcxCustomEditPropertiesClass* TcxProgressBarClass::OwnPropertiesClass() const {
  return TcxProgressBarProperties::StaticClassOperations();
}

TcxCustomProgressBar::TcxCustomProgressBar(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace)
    : TcxCustomEdit(owner, cls, inPlace) {
  // A bar neither captures the mouse nor clicks.
  SetControlStyle(ControlStyle() - csCaptureMouse - csClickEvents - csDoubleClicks);
  SetBounds(Left(), Top(), 121, 21);
}

double TcxCustomProgressBar::Position() const { return BarViewInfo()->Bar.Position; }

void TcxCustomProgressBar::SetPosition(double value) {
  if (value == Position()) return;
  TcxCustomProgressBarProperties* p = ActiveProperties();
  p->PositionChanged = true;
  if (!IsLoadingEdit() && p->Max() > p->Min()) value = std::clamp(value, p->Min(), p->Max());
  SetEditValue(TVariant(value));
}

void TcxCustomProgressBar::ClampEditValue() {
  const bool keyboardAction = KeyboardAction();
  SetKeyboardAction(true);
  TcxCustomProgressBarProperties* p = ActiveProperties();
  if (p->Max() > p->Min()) {
    const double value = TcxCustomProgressBarProperties::DrawValueOf(EditValue());
    if (value < p->Min()) InternalSetEditValue(TVariant(p->Min()), true);
    else if (value > p->Max()) InternalSetEditValue(TVariant(p->Max()), true);
  }
  SetKeyboardAction(keyboardAction);
}

// A value bound to a data source is the source's to keep; a bar still being built has none yet.
void TcxCustomProgressBar::ClampUnboundEditValue() {
  if (InPlace() || IsDestroyingEdit() || !DataBinding()) return;
  if (DataBinding()->DefaultValuesProvider()->IsDataSourceBound()) return;
  ClampEditValue();
}

void TcxCustomProgressBar::ApplyPropertiesChange(TObject* properties) {
  ClampUnboundEditValue();
  ActiveProperties()->ClampDrawValue(BarViewInfo());
  TcxCustomEdit::ApplyPropertiesChange(properties);
  if (ActiveProperties()->Transparent()) Invalidate();
}

void TcxCustomProgressBar::UpdateDisplayFromValue() {
  BarViewInfo()->Bar.Position = TcxCustomProgressBarProperties::DrawValueOf(EditValue());
  if (ActiveProperties()->Transparent()) Invalidate();
  ActiveProperties()->ClampDrawValue(BarViewInfo());
  ShortRefresh(false);
  // A move of no pixel leaves the bar as it is, but the caption may read differently.
  if (HandleAllocated() && BarViewInfo()->Bar.ShowText) Invalidate();
}

void TcxCustomProgressBar::FillAutoSizeParams(TcxEditSizeProperties& request) {
  request.Height = -1;
  request.MaxLineCount = 1;
  request.Width = ClampedRectWidth(BarViewInfo()->ClientRect);
}

TcxContainerStyleValues TcxCustomProgressBar::HiddenStyleValues() const {
  TcxContainerStyleValues values = TcxCustomEdit::HiddenStyleValues();
  values.Include(csvHotTrack);
  return values;
}

bool TcxCustomProgressBar::CanFocus() { return InPlace() && TcxCustomEdit::CanFocus(); }
bool TcxCustomProgressBar::TakesFocusOnClick() { return InPlace() && TcxCustomEdit::TakesFocusOnClick(); }
