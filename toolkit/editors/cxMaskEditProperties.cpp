// The masked editor's settings: the mask, its language, the switches, and the display conversions
// that need a mode when no editor is at hand.
#include "cxMaskEdit.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomMaskEditProperties, TcxCustomTextEditProperties)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxMaskEditProperties, TcxCustomMaskEditProperties)

namespace {

std::string TextOf(const TVariant& value) { return value.IsNull() || value.IsEmpty() ? std::string() : value.AsString(); }

}  // namespace

// What a mode asks when it converts values for these properties alone: the settings, and no editor.
class TcxCustomMaskEditProperties::TDisplayHost : public IcxMaskEditModeHost {
 public:
  explicit TDisplayHost(const TcxCustomMaskEditProperties* properties) : properties_(properties) {}

  bool CaseInsensitive() const override { return properties_->CaseInsensitive(); }
  bool IgnoreMaskBlank() const override { return properties_->IgnoreMaskBlank(); }
  bool BeepOnError() const override { return properties_->BeepOnError(); }
  bool CharCaseNormal() const override { return properties_->CharCase() == ecNormal; }
  bool IsMasked() const override { return properties_->IsMasked(); }
  bool HasEditor() const override { return false; }
  bool HasWindow() const override { return false; }
  std::string Text() const override { return {}; }
  std::string CurrentText() const override { return {}; }
  std::string DisplayText() const override { return {}; }
  void SetDisplayText(const std::string&) override {}
  void ShowDisplayValue(const std::string&) override {}
  void AssignEditValue(const std::string&) override {}
  bool ModifiedAfterEnter() const override { return false; }
  std::string EditValueToDisplay() const override { return {}; }
  int SelStart() const override { return 0; }
  int SelLength() const override { return 0; }
  int CaretPosition() const override { return 0; }
  void SetSelStart(int) override {}
  void SetSelLength(int) override {}
  void SetSelStartQuiet(int) override {}
  void SetSelLengthQuiet(int) override {}
  void SendKeyInternal(uint16_t) override {}
  void SendCharInternal(char) override {}
  bool ShiftDown() const override { return false; }
  void SetShiftDown(bool) override {}
  bool AcceptsTypedChar(char&, int) override { return true; }

 private:
  const TcxCustomMaskEditProperties* properties_;
};

TcxCustomEditProperties* TcxCustomMaskEditPropertiesClass::Create(TPersistent* owner) const {
  return Class() == TcxMaskEditProperties::StaticClass() ? new TcxMaskEditProperties(owner)
                                                          : new TcxCustomMaskEditProperties(owner);
}

const TcxCustomEditClass* TcxCustomMaskEditPropertiesClass::EditClass() const {
  return TcxMaskEdit::StaticClassOperations();
}

TcxCustomMaskEditProperties::TcxCustomMaskEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls)
    : TcxCustomTextEditProperties(owner, cls), displayHost_(std::make_unique<TDisplayHost>(this)) {}

TcxCustomMaskEditProperties::~TcxCustomMaskEditProperties() { displayMode_.reset(); }

TcxMaskEditProperties::TcxMaskEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls)
    : TcxCustomMaskEditProperties(owner, cls) {
  SetMaskKind(emkStandard);
  SetAlwaysShowBlanksAndLiterals(false);
  SetValidateOnEnter(true);
  SetCaseInsensitive(true);
}

std::unique_ptr<TcxMaskEditCustomMode> TcxCustomMaskEditProperties::CreateMode(TcxEditMaskKind kind,
                                                                               IcxMaskEditModeHost* host) const {
  return CreateMaskEditMode(kind, host);
}

std::string TcxCustomMaskEditProperties::EditMask() const {
  if (maskKind_ != emkStandard || !IsBlankMaskText(editMask_)) return editMask_;
  IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  return provider ? provider->EditMaskDefault() : std::string();
}

void TcxCustomMaskEditProperties::SetEditMask(const std::string& value) {
  if (value == EditMask()) return void(editMask_ = value);
  CreateMode(maskKind_, displayHost_.get())->CompileEditMask(value);
  editMask_ = value;
  NotifyChanged();
}

void TcxCustomMaskEditProperties::SetCaseInsensitive(bool value) {
  caseInsensitive_ = CharCase() != ecNormal || value;
  NotifyChanged();
}

void TcxCustomMaskEditProperties::StoreCharCase(TEditCharCase value) {
  if (value != ecNormal) caseInsensitive_ = true;
  TcxCustomTextEditProperties::StoreCharCase(value);
}

void TcxCustomMaskEditProperties::Assign(TPersistent* source) {
  auto* from = ObjectAs<TcxCustomMaskEditProperties>(source);
  if (!from) return TcxCustomTextEditProperties::Assign(source);
  BeginUpdate();
  struct TEnd {
    TcxCustomMaskEditProperties* p;
    ~TEnd() { p->EndUpdate(); }
  } end{this};
  TcxCustomTextEditProperties::Assign(source);
  SetMaskKind(from->MaskKind());
  SetEditMask(from->EditMask());
  SetCaseInsensitive(from->CaseInsensitive());
  ignoreMaskBlank_ = from->ignoreMaskBlank_;
  SetAlwaysShowBlanksAndLiterals(from->AlwaysShowBlanksAndLiterals());
}

void TcxCustomMaskEditProperties::NotifyChanged() {
  displayMode_.reset();
  TcxCustomTextEditProperties::NotifyChanged();
}

uint8_t TcxCustomMaskEditProperties::FormatOptions() const {
  const uint8_t options = TcxCustomTextEditProperties::FormatOptions();
  return IsMasked() ? static_cast<uint8_t>(options & ~cxEditFormatDisplay) : static_cast<uint8_t>(options | cxEditFormatDisplay);
}

bool TcxCustomMaskEditProperties::CanCompareValues(const TVariant& value, bool displaying) const {
  return IsMasked() || TcxCustomTextEditProperties::CanCompareValues(value, displaying);
}

// A mask fixes the text's length itself: a maximum length is put back to none.
void TcxCustomMaskEditProperties::HandleMaxLengthChanged() {
  if (!IsMasked()) return TcxCustomTextEditProperties::HandleMaxLengthChanged();
  if (maxLengthGuard_) return;
  maxLengthGuard_ = true;
  BeginUpdate();
  struct TEnd {
    TcxCustomMaskEditProperties* p;
    ~TEnd() {
      p->EndUpdate();
      p->maxLengthGuard_ = false;
    }
  } end{this};
  SetMaxLength(0);
}

// A mode of the current language compiled with the current mask, made again when either changed.
TcxMaskEditCustomMode* TcxCustomMaskEditProperties::DisplayMode() {
  const std::string mask = EditMask();
  if (!displayMode_ || displayMode_->MaskKind() != maskKind_ || displayMode_->MaskText() != mask) {
    displayMode_.reset();
    std::unique_ptr<TcxMaskEditCustomMode> mode = CreateMode(maskKind_, displayHost_.get());
    if (!IsBlankMaskText(mask)) mode->CompileEditMask(mask);
    displayMode_ = std::move(mode);
  }
  return displayMode_.get();
}

void TcxCustomMaskEditProperties::EditValueToDisplay(const TVariant& editValue, TVariant& displayValue, bool editing) {
  if (!IsMasked() || (!editing && HasProviderDisplayFormat(false)))
    return TcxCustomTextEditProperties::EditValueToDisplay(editValue, displayValue, editing);
  const std::string text = TextOf(editValue);
  TcxMaskEditCustomMode* mode = DisplayMode();
  const bool template_ = editing || mode->MaskKind() != emkStandard || alwaysShowBlanksAndLiterals_;
  displayValue = TVariant(template_ ? mode->FormatForDisplay(text, false) : mode->ValueFromDisplay(text, false));
}

void TcxCustomMaskEditProperties::CheckDisplayValue(TVariant& displayValue, std::string& errorText,
                                                    TcxCustomEdit* editor, bool& error) {
  if (!error && IsMasked()) {
    auto* maskEdit = ObjectAs<TcxCustomMaskEdit>(editor);
    TcxMaskEditCustomMode* mode = maskEdit && maskEdit->Mode() ? maskEdit->Mode() : DisplayMode();
    error = !mode->IsTextComplete(TextOf(displayValue));
    if (error) errorText = LoadToolkitString(scxMaskEditInvalidEditValue);
  }
  TcxCustomTextEditProperties::CheckDisplayValue(displayValue, errorText, editor, error);
}
