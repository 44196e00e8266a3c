// The edit style: the container style's ten values plus how embedded buttons look and show, the
// gradients and the drop-down border; and the controller whose styles are edit styles.
#include "cxEdit.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomEditStyle, TcxContainerStyle)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxEditStyle, TcxCustomEditStyle)
CALDERAN_IMPLEMENT_CREATABLE(TcxEditStyleController, TcxStyleController, TComponent*)

namespace {

constexpr const char* editValueNames[] = {"ButtonStyle", "ButtonTransparency", "PopupBorderStyle",
                                          "GradientButtons", "Gradient", "GradientDirection"};

bool IsEditValueNumber(int value) { return value >= svButtonStyle && value <= svGradientDirection; }

}  // namespace

TcxContainerStyleValues EditStyleValues() {
  return {svButtonStyle, svButtonTransparency, svPopupBorderStyle, svGradientButtons, svGradient, svGradientDirection};
}

TcxContainerStyle* TcxCustomEditStyleClass::Create(TPersistent* owner, bool directAccess,
                                                   TcxContainerStyle* parentStyle, TcxContainerStyleState state) const {
  return new TcxCustomEditStyle(owner, directAccess, parentStyle, state);
}

TcxContainerStyle* TcxEditStyleClass::Create(TPersistent* owner, bool directAccess, TcxContainerStyle* parentStyle,
                                             TcxContainerStyleState state) const {
  return new TcxEditStyle(owner, directAccess, parentStyle, state);
}

TcxCustomEditStyle::TcxCustomEditStyle(TPersistent* owner, bool directAccess, TcxContainerStyle* parentStyle,
                                       TcxContainerStyleState state)
    : TcxContainerStyle(owner, directAccess, parentStyle, state) {
  // The base part chose its controller before this class's GetDefaultStyleController existed.
  if (IsNormal() && !StyleController()) SetStyleController(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Lookup and reading

const TcxCustomEditStyle* TcxCustomEditStyle::AssigningEditStyle(TcxContainerStyleValue value) const {
  if (AssignedValues().Contains(value)) return this;
  if (TcxStyleController* controller = ActiveStyleController())
    if (auto* style = ObjectAs<TcxCustomEditStyle>(controller->Style(State())))
      return style->AssigningEditStyle(value);
  return nullptr;
}

template <class T>
T TcxCustomEditStyle::ReadEditValue(T TcxCustomEditStyle::*field, TcxContainerStyleValue id, T fallback) const {
  if (DirectAccessMode()) return AssignedValues().Contains(id) ? this->*field : fallback;
  const TcxCustomEditStyle* style = AssigningEditStyle(id);
  return style ? style->*field : fallback;
}

TcxEditButtonStyle TcxCustomEditStyle::ButtonStyle() const {
  return ReadEditValue(&TcxCustomEditStyle::buttonStyle_, svButtonStyle, ButtonStyleDefault());
}
TcxEditButtonTransparency TcxCustomEditStyle::ButtonTransparency() const {
  return ReadEditValue(&TcxCustomEditStyle::buttonTransparency_, svButtonTransparency, ButtonTransparencyDefault());
}
bool TcxCustomEditStyle::Gradient() const { return ReadEditValue(&TcxCustomEditStyle::gradient_, svGradient, GradientDefault()); }
bool TcxCustomEditStyle::GradientButtons() const {
  return ReadEditValue(&TcxCustomEditStyle::gradientButtons_, svGradientButtons, GradientButtonsDefault());
}
TcxEditGradientDirection TcxCustomEditStyle::GradientDirection() const {
  return ReadEditValue(&TcxCustomEditStyle::gradientDirection_, svGradientDirection, GradientDirectionDefault());
}
TcxEditPopupBorderStyle TcxCustomEditStyle::PopupBorderStyle() const {
  return ReadEditValue(&TcxCustomEditStyle::popupBorderStyle_, svPopupBorderStyle, PopupBorderStyleDefault());
}
bool TcxCustomEditStyle::PopupCloseButton() const { return NormalEditStyle()->popupCloseButton_; }

// A state style answers with the normal style's resolved value.
TcxEditButtonStyle TcxCustomEditStyle::ButtonStyleDefault() const {
  return IsNormal() ? btsDefault : NormalEditStyle()->ButtonStyle();
}
TcxEditButtonTransparency TcxCustomEditStyle::ButtonTransparencyDefault() const {
  return IsNormal() ? ebtNone : NormalEditStyle()->ButtonTransparency();
}
bool TcxCustomEditStyle::GradientDefault() const { return IsNormal() ? false : NormalEditStyle()->Gradient(); }
bool TcxCustomEditStyle::GradientButtonsDefault() const {
  return IsNormal() ? false : NormalEditStyle()->GradientButtons();
}
TcxEditGradientDirection TcxCustomEditStyle::GradientDirectionDefault() const {
  return IsNormal() ? dirDown : NormalEditStyle()->GradientDirection();
}
TcxEditPopupBorderStyle TcxCustomEditStyle::PopupBorderStyleDefault() const {
  return IsNormal() ? epbsDefault : NormalEditStyle()->PopupBorderStyle();
}

// ---------------------------------------------------------------------------------------------
// Writing

template <class T>
void TcxCustomEditStyle::WriteEditValue(T TcxCustomEditStyle::*field, TcxContainerStyleValue id, T value) {
  if (AssignedValues().Contains(id) && this->*field == value) return;
  this->*field = value;
  MarkAssigned(id);
}

void TcxCustomEditStyle::SetButtonStyle(TcxEditButtonStyle value) {
  WriteEditValue(&TcxCustomEditStyle::buttonStyle_, svButtonStyle, value);
}
// The values state styles do not own are written to the normal style.
void TcxCustomEditStyle::SetButtonTransparency(TcxEditButtonTransparency value) {
  NormalEditStyle()->WriteEditValue(&TcxCustomEditStyle::buttonTransparency_, svButtonTransparency, value);
}
void TcxCustomEditStyle::SetGradient(bool value) {
  NormalEditStyle()->WriteEditValue(&TcxCustomEditStyle::gradient_, svGradient, value);
}
void TcxCustomEditStyle::SetGradientDirection(TcxEditGradientDirection value) {
  NormalEditStyle()->WriteEditValue(&TcxCustomEditStyle::gradientDirection_, svGradientDirection, value);
}
void TcxCustomEditStyle::SetPopupBorderStyle(TcxEditPopupBorderStyle value) {
  NormalEditStyle()->WriteEditValue(&TcxCustomEditStyle::popupBorderStyle_, svPopupBorderStyle, value);
}
void TcxCustomEditStyle::SetPopupCloseButton(bool value) {
  TcxCustomEditStyle* normal = NormalEditStyle();
  if (normal->popupCloseButton_ == value) return;
  normal->popupCloseButton_ = value;
  normal->SignalChange();
}

void TcxCustomEditStyle::Assign(TPersistent* source) {
  auto* style = ObjectAs<TcxCustomEditStyle>(source);
  if (!style) return TcxContainerStyle::Assign(source);
  BeginChanges();
  buttonStyle_ = style->buttonStyle_;
  buttonTransparency_ = style->buttonTransparency_;
  gradient_ = style->gradient_;
  gradientButtons_ = style->gradientButtons_;
  gradientDirection_ = style->gradientDirection_;
  popupBorderStyle_ = style->popupBorderStyle_;
  popupCloseButton_ = style->popupCloseButton_;
  TcxContainerStyle::Assign(source);
  SignalChange();
  EndChanges();
}

// ---------------------------------------------------------------------------------------------
// Value numbers, names and defaults

bool TcxCustomEditStyle::StyleValueName(int value, std::string& name) const {
  if (!IsEditValueNumber(value)) return TcxContainerStyle::StyleValueName(value, name);
  name = editValueNames[value - svButtonStyle];
  return true;
}

bool TcxCustomEditStyle::IsValueAssigned(int value) const {
  if (!IsEditValueNumber(value)) return TcxContainerStyle::IsValueAssigned(value);
  return AssigningEditStyle(static_cast<TcxContainerStyleValue>(value)) != nullptr;
}

TcxContainerStyleValues TcxCustomEditStyle::NonStateValues() const {
  return TcxContainerStyle::NonStateValues() + TcxContainerStyleValues{svButtonTransparency, svPopupBorderStyle,
                                                                       svGradientButtons, svGradient,
                                                                       svGradientDirection};
}

TcxStyleController* TcxCustomEditStyle::GetDefaultStyleController() const {
  if (DirectAccessMode()) return nullptr;
  if (auto* editor = ObjectAs<TcxCustomEdit>(Owner()); editor && editor->InPlace()) return nullptr;
  return SharedEditStyleController();
}

bool TcxCustomEditStyle::IsEditValueStored(TcxContainerStyleValue value) const {
  std::string name;
  return StyleValueName(value, name) && IsStyleValueStored(name);
}

// ---------------------------------------------------------------------------------------------
// TcxEditStyle and the controller

TcxEditStyleController* TcxEditStyle::StyleController() const {
  return ObjectAs<TcxEditStyleController>(TcxContainerStyle::StyleController());
}

void TcxEditStyle::SetStyleController(TcxEditStyleController* value) { TcxContainerStyle::SetStyleController(value); }

TcxEditStyleController::TcxEditStyleController(TComponent* owner)
    : TcxStyleController(owner, TcxEditStyle::StaticClassOperations()) {}
