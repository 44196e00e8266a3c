// The settings all text editors share, and the locale's number grouping they show.
#include <algorithm>
#include <cctype>

#include "SysUtils.h"
#include "cxTextEdit.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomTextEditProperties, TcxCustomEditProperties)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxTextEditProperties, TcxCustomTextEditProperties)
CALDERAN_IMPLEMENT_CREATABLE(TcxTextEditPropertiesValues, TcxCustomEditPropertiesValues, TcxCustomEditProperties*)

TcxFormatChangeLink::TcxFormatChangeLink(std::function<void()> handler) : handler_(std::move(handler)) {
  GetFormatController()->RegisterListener(this);
}

TcxFormatChangeLink::~TcxFormatChangeLink() { GetFormatController()->UnregisterListener(this); }

HRESULT STDMETHODCALLTYPE TcxFormatChangeLink::QueryInterface(REFIID iid, void** object) {
  if (iid == IID_IUnknown) {
    *object = static_cast<IUnknown*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

TcxCustomEditProperties* TcxCustomTextEditPropertiesClass::Create(TPersistent* owner) const {
  return Class() == TcxTextEditProperties::StaticClass() ? new TcxTextEditProperties(owner)
                                                          : new TcxCustomTextEditProperties(owner);
}

TClass TcxCustomTextEditPropertiesClass::AssignedFlagsClass() const {
  return TcxTextEditPropertiesValues::StaticClass();
}

const TcxCustomEditClass* TcxCustomTextEditPropertiesClass::EditClass() const {
  return TcxTextEdit::StaticClassOperations();
}

const TcxCustomEditViewDataClass* TcxCustomTextEditPropertiesClass::ViewDataClass(TcxCustomEditStyle*, bool) const {
  return TcxCustomTextEditViewData::StaticClassOperations();
}

const TcxCustomEditViewInfoClass* TcxCustomTextEditPropertiesClass::ViewInfoClass() const {
  return TcxCustomTextEditViewInfo::StaticClassOperations();
}

// ---------------------------------------------------------------------------------------------
// Assigned-value flags

void TcxTextEditPropertiesValues::SetDisplayFormat(bool value) {
  if (displayFormat_ == value) return;
  displayFormat_ = value;
  static_cast<TcxCustomEditProperties*>(GetOwner())->NotifyChanged();
}

void TcxTextEditPropertiesValues::SetEditFormat(bool value) {
  if (editFormat_ == value) return;
  editFormat_ = value;
  static_cast<TcxCustomEditProperties*>(GetOwner())->NotifyChanged();
}

void TcxTextEditPropertiesValues::SetMaxLength(bool value) {
  if (maxLength_ == value) return;
  maxLength_ = value;
  if (auto* properties = ObjectAs<TcxCustomTextEditProperties>(GetOwner())) properties->HandleMaxLengthChanged();
}

void TcxTextEditPropertiesValues::Assign(TPersistent* source) {
  auto* values = ObjectAs<TcxTextEditPropertiesValues>(source);
  if (!values) return TcxCustomEditPropertiesValues::Assign(source);
  auto* owner = static_cast<TcxCustomEditProperties*>(GetOwner());
  owner->BeginUpdate();
  TcxCustomEditPropertiesValues::Assign(source);
  SetDisplayFormat(values->displayFormat_);
  SetEditFormat(values->editFormat_);
  SetMaxLength(values->maxLength_);
  owner->EndUpdate(true);
}

void TcxTextEditPropertiesValues::RestoreDefaults() {
  auto* owner = static_cast<TcxCustomEditProperties*>(GetOwner());
  owner->BeginUpdate();
  TcxCustomEditPropertiesValues::RestoreDefaults();
  SetDisplayFormat(false);
  SetEditFormat(false);
  SetMaxLength(false);
  owner->EndUpdate(true);
}

bool TcxTextEditPropertiesValues::IsDisplayFormatStored() const {
  auto* owner = ObjectAs<TcxCustomTextEditProperties>(const_cast<TcxTextEditPropertiesValues*>(this)->GetOwner());
  return displayFormat_ && owner && owner->DisplayFormat().empty() &&
         FindPublishedProperty(owner->ClassType(), "DisplayFormat");
}

bool TcxTextEditPropertiesValues::IsEditFormatStored() const {
  auto* owner = ObjectAs<TcxCustomTextEditProperties>(const_cast<TcxTextEditPropertiesValues*>(this)->GetOwner());
  return editFormat_ && owner && owner->EditFormat().empty() &&
         FindPublishedProperty(owner->ClassType(), "EditFormat");
}

// ---------------------------------------------------------------------------------------------
// Properties

TcxCustomTextEditProperties::TcxCustomTextEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls)
    : TcxCustomEditProperties(owner, cls), lookupItems_(std::make_unique<TStringList>()) {
  lookupItems_->SetDuplicates(dupAccept);
  lookupItems_->OnChange = MakeEvent(this, &TcxCustomTextEditProperties::LookupItemsChanged);
  formatLink_ = std::make_unique<TcxFormatChangeLink>([this] { HandleFormatChanged(); });
}

TcxCustomTextEditProperties::~TcxCustomTextEditProperties() {
  formatLink_.reset();
  lookupItems_->OnChange = {};
}

void TcxCustomTextEditProperties::HandleFormatChanged() {
  struct TClear {
    bool& flag;
    ~TClear() { flag = false; }
  } clear{inFormatChange_};
  inFormatChange_ = true;
  NotifyChanged();
}

int TcxCustomTextEditProperties::GetDefaultMaxLength() const {
  IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  return provider ? provider->MaxLengthDefault() : 0;
}

void TcxCustomTextEditProperties::SetMaxLength(int value) {
  value = std::max(value, 0);
  if (IsMaxLengthAssigned() && maxLength_ == value) return;
  maxLength_ = value;
  if (IsMaxLengthAssigned()) HandleMaxLengthChanged();
  else AssignedTextValues()->SetMaxLength(true);  // which tells the properties
}

void TcxCustomTextEditProperties::SetListSearchHighlight(bool value) {
  if (listSearchHighlight_ == value) return;
  listSearchHighlight_ = value;
  if (GetEditingStyle() == tesFixedList) NotifyChanged();
}

std::string TcxCustomTextEditProperties::DisplayFormat() const {
  if (AssignedTextValues()->DisplayFormat()) return displayFormat_;
  IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  if (provider && !provider->DisplayFormatDefault().empty()) return provider->DisplayFormatDefault();
  return GetDefaultDisplayFormat();
}

void TcxCustomTextEditProperties::SetDisplayFormat(const std::string& value) {
  if (AssignedTextValues()->DisplayFormat() && displayFormat_ == value) return;
  BeginUpdate();
  displayFormat_ = value;
  AssignedTextValues()->SetDisplayFormat(true);
  NotifyChanged();
  EndUpdate(true);
}

std::string TcxCustomTextEditProperties::EditFormat() const {
  bool isCurrency, isOnGetText;
  std::string format;
  ResolveEditFormat(isCurrency, isOnGetText, format, nullptr);
  return format;
}

void TcxCustomTextEditProperties::SetEditFormat(const std::string& value) {
  if (AssignedTextValues()->EditFormat() && editFormat_ == value) return;
  BeginUpdate();
  editFormat_ = value;
  AssignedTextValues()->SetEditFormat(true);
  NotifyChanged();
  EndUpdate(true);
}

void TcxCustomTextEditProperties::ReadIsDisplayFormatAssigned(bool) { AssignedTextValues()->SetDisplayFormat(true); }

TcxTextEditViewStyle TcxCustomTextEditProperties::ViewStyle() const {
  if (ButtonsLayout() == eblButtonsOnly) return vsButtonsOnly;
  if (ButtonsLayout() == eblButtonsAutoWidth) return vsButtonsAutoWidth;
  return hideCursor_ ? vsHideCursor : vsNormal;
}

void TcxCustomTextEditProperties::SetViewStyle(TcxTextEditViewStyle value) {
  static constexpr TcxEditButtonsLayout layoutOf[] = {eblNormal, eblNormal, eblButtonsOnly, eblButtonsAutoWidth};
  if (value == ViewStyle()) return;
  LockUpdates();
  SetButtonsLayout(layoutOf[value]);
  SetHideCursor(value != vsNormal);
  UnlockUpdates(true);
}

void TcxCustomTextEditProperties::AlignmentObjectChanged(TObject* sender) {
  LockUpdates();
  TcxCustomEditProperties::AlignmentObjectChanged(sender);
  UnlockUpdates(true);
}

void TcxCustomTextEditProperties::StoreAlignment(TcxEditAlignment* value) {
  LockUpdates();
  TcxCustomEditProperties::StoreAlignment(value);
  UnlockUpdates(true);
}

uint16_t TcxCustomTextEditProperties::GetSupportedOperations() const {
  return TcxCustomEditProperties::GetSupportedOperations() | 0x002 | 0x004 | 0x008 | 0x010 | 0x040 | 0x100;
}

void TcxCustomTextEditProperties::MaskDisplayText(std::string& text) const {
  if (echoMode_ != eemNormal) {
    text.assign(text.size(), passwordChar_ ? passwordChar_ : '*');
    return;
  }
  if (charCase_ == ecUpperCase) text = AnsiUpperCase(text);
  else if (charCase_ == ecLowerCase) text = AnsiLowerCase(text);
}

bool TcxCustomTextEditProperties::FindLookupText(const std::string& text) {
  for (int i = 0; i < lookupItems_->Count(); ++i)
    if (AnsiSameText(lookupItems_->Get(i), text)) return true;
  return false;
}

bool TcxCustomTextEditProperties::NormalizeDisplayValue(TVariant& value, bool) {
  std::string text = VarToText(value);
  const TcxTextEditingStyle style = GetEditingStyle();
  const bool listStyle = style == tesListRestricted || style == tesFixedList;
  const bool valid = text.empty() || !listStyle || !HasLookupData() || FindLookupText(text);
  if (!valid) return false;
  if (charCase_ == ecUpperCase) text = AnsiUpperCase(text);
  else if (charCase_ == ecLowerCase) text = AnsiLowerCase(text);
  value = TVariant(text);
  return true;
}

bool TcxCustomTextEditProperties::CanCompareValues(const TVariant& value, bool editFocused) const {
  if (value.IsNull() || !VarIsStr(value)) return true;
  TVariant copy = value;
  return const_cast<TcxCustomTextEditProperties*>(this)->NormalizeDisplayValue(copy, editFocused);
}

void TcxCustomTextEditProperties::AssignExtra(TcxCustomEditProperties* source) {
  auto* from = ObjectAs<TcxCustomTextEditProperties>(source);
  if (!from) return TcxCustomEditProperties::AssignExtra(source);
  LockUpdates();
  StoreCharCase(from->charCase_);
  SetEchoMode(from->echoMode_);
  SetListSearchHighlight(from->listSearchHighlight_);
  SetHideCursor(from->hideCursor_);
  SetHideSelection(from->hideSelection_);
  immediateUpdateText_ = from->immediateUpdateText_;
  SetIncrementalSearch(from->incrementalSearch_);
  SetWholeTextLookup(from->wholeTextLookup_);
  extraAllowedChars_ = from->extraAllowedChars_;
  SetLookupItemsSorted(false);
  SetLookupItems(from->LookupItems());
  SetLookupItemsSorted(from->LookupItemsSorted());
  TcxTextEditPropertiesValues* flags = AssignedTextValues();
  flags->SetDisplayFormat(false);
  if (from->AssignedTextValues()->DisplayFormat()) SetDisplayFormat(from->displayFormat_);
  flags->SetEditFormat(false);
  if (from->AssignedTextValues()->EditFormat()) SetEditFormat(from->editFormat_);
  flags->SetMaxLength(false);
  if (from->IsMaxLengthAssigned()) SetMaxLength(from->maxLength_);
  SetOEMConvert(from->oemConvert_);
  SetImeMode(from->imeMode_);
  SetImeName(from->imeName_);
  SetPasswordChar(from->passwordChar_);
  SetUseDisplayFormatWhenEditing(from->useDisplayFormatWhenEditing_);
  OnNewLookupDisplayText = from->OnNewLookupDisplayText;
  UnlockUpdates(true);
}

std::string VarToText(const TVariant& value) {
  if (value.IsNull() || value.IsEmpty() || value.IsArray()) return {};
  try {
    return value.AsString();
  } catch (const Exception&) {
    return {};
  }
}

namespace {

bool IsBlank(char ch) { return static_cast<unsigned char>(ch) <= ' '; }

// Splits off an exponent ("E+05" ...) that follows the digits.
std::string SplitExponent(std::string& text) {
  size_t at = text.find_first_of("eE");
  if (at == std::string::npos) return {};
  std::string exponent = text.substr(at);
  text.erase(at);
  return exponent;
}

}  // namespace

void StripThousandSeparators(std::string& text) {
  text.erase(std::remove(text.begin(), text.end(), FormatSettings().ThousandSeparator), text.end());
}

void GroupThousands(std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  std::string leading = text.substr(0, first), trailing = text.substr(last);
  std::string number = text.substr(first, last - first);
  std::string exponent = SplitExponent(number);
  StripThousandSeparators(number);
  if (number.empty()) return void(text = leading + number + exponent + trailing);
  size_t decimal = number.find(FormatSettings().DecimalSeparator);
  size_t runEnd = decimal == std::string::npos ? number.size() : decimal;  // one past the run
  if (runEnd == 0) return void(text = leading + number + exponent + trailing);
  size_t runStart = runEnd - 1;  // the character before the decimal (or the last one) and its digits
  while (runStart > 0 && std::isdigit(static_cast<unsigned char>(number[runStart - 1]))) --runStart;
  for (size_t count = 3; count < runEnd - runStart; count += 3)
    number.insert(runEnd - count, 1, FormatSettings().ThousandSeparator);
  text = leading + number + exponent + trailing;
}

bool IsPlainNumber(const std::string& text) {
  std::string plain = text;
  StripThousandSeparators(plain);
  long double value;
  return !plain.empty() && TryStrToFloat(plain, value);
}
