// The text editors' values in text form: list validity, number display and edit formats, the
// value-range check and the comparison of values by their display texts.
#include <cmath>

#include "SysUtils.h"
#include "cxTextEdit.h"
#include "cxVariants.h"

namespace {

bool IsNumberOrDate(const TVariant& value) { return VarIsNumericOrBcd(value) || VarIsDateOrTimeStamp(value); }

long double NumberOf(const TVariant& value) {
  if (VarIsNumericOrBcd(value) || VarIsDateOrTimeStamp(value)) return value.AsDouble();
  std::string text = value.AsString();
  StripThousandSeparators(text);
  return StrToFloat(text);
}

}  // namespace

void TcxCustomTextEditProperties::ResolveEditFormat(bool& isCurrency, bool& isOnGetText, std::string& format,
                                                    TcxCustomEdit* editor) const {
  isCurrency = isOnGetText = false;
  format.clear();
  if (AssignedTextValues()->EditFormat()) return void(format = editFormat_);
  IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  if ((!editor || !editor->InPlace()) && provider && provider->HasGetTextHandler()) return void(isOnGetText = true);
  if (provider && !provider->EditFormatDefault().empty()) return void(format = provider->EditFormatDefault());
  if (AssignedTextValues()->DisplayFormat()) format = displayFormat_;
  else if (provider && !provider->DisplayFormatDefault().empty()) format = provider->DisplayFormatDefault();
  else if (!GetDefaultDisplayFormat().empty()) format = GetDefaultDisplayFormat();
  else if (provider) isCurrency = !(FormatOptions() & cxEditFormatAskNotForDisplay) && provider->IsCurrencyValue();
  if (!useDisplayFormatWhenEditing_) format.clear();
}

// A number editor's text of a number (or a text that reads as one).
std::string TcxCustomTextEditProperties::FormatNumber(const TVariant& value, bool editing) {
  if (!editing) {
    const std::string format = DisplayFormat();
    return format.empty() ? VarToText(value) : FormatFloat(format, NumberOf(value));
  }
  bool isCurrency, isOnGetText;
  std::string format;
  ResolveEditFormat(isCurrency, isOnGetText, format, nullptr);
  IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  const int precision = provider ? provider->PrecisionDefault() : 15;
  long double number;
  std::string plain = VarToText(value);
  StripThousandSeparators(plain);
  if (isCurrency) {
    if (!TryStrToFloat(plain, number)) return VarToText(value);
    return FloatToStrF(number, ffFixed, precision, FormatSettings().CurrencyDecimals);
  }
  if (!format.empty()) return FormatFloat(format, NumberOf(value));
  if (!TryStrToFloat(plain, number)) return VarToText(value);
  std::string text = FloatToStrF(number, ffGeneral, precision, 0);
  if (UsesThousandSeparator(false)) GroupThousands(text);
  return text;
}

void TcxCustomTextEditProperties::EditValueToDisplay(const TVariant& editValue, TVariant& displayValue, bool editing) {
  if (!SupportsValueRange()) {
    displayValue = TVariant(editValue.IsArray() ? std::string() : VarToText(editValue));
    return;
  }
  if (VarIsNullOrEmptyString(editValue) || editValue.IsEmpty()) return void(displayValue = TVariant(std::string()));
  if (!VarIsNumericOrBcd(editValue) && !VarIsStr(editValue))
    throw EConvertError(LoadToolkitString(scxSEditNumericValueConvertError));
  displayValue = TVariant(FormatNumber(editValue, editing));
}

void TcxCustomTextEditProperties::PrepareDisplayText(const TVariant& value, std::string& text, bool focused) {
  TVariant copy = value;
  const bool acceptable = value.IsNull() || !VarIsStr(value) || NormalizeDisplayValue(copy, focused);
  if (acceptable) {
    TVariant display;
    EditValueToDisplay(value, display, focused);
    text = VarToText(display);
  } else if (VarIsDateOrTimeStamp(value)) {
    text = DateTimeToStr(value.AsDate());
  } else {
    text = VarToText(value);
  }
}

std::u16string TcxCustomTextEditProperties::FormatDisplayValue(const TVariant& editValue) {
  std::string text;
  if (UsesDefaultDisplayFormat()) text = VarToText(editValue);
  else PrepareDisplayText(editValue, text, !DisplayDependsOnFocus());
  MaskDisplayText(text);
  const TVariant wide(text);
  return wide.AsWideString();
}

bool TcxCustomTextEditProperties::EditValuesEqual(const TVariant& value1, const TVariant& value2) {
  std::string text1, text2;
  PrepareDisplayText(value1, text1, true);
  PrepareDisplayText(value2, text2, true);
  return text1 == text2;
}

bool TcxCustomTextEditProperties::HasValueBound(bool isMax) const {
  const bool maxAssigned = AssignedValues()->MaxValue(), minAssigned = AssignedValues()->MinValue();
  if (maxAssigned != minAssigned) return isMax ? maxAssigned : minAssigned;
  return MaxValue() > MinValue();
}

void TcxCustomTextEditProperties::CheckValueBounds(const TVariant& displayValue, std::string& errorText,
                                                   TcxCustomEdit* editor, bool& error) {
  TVariant value = displayValue;
  if (editor) editor->DisplayToEditValue(displayValue, value, !DisplayDependsOnFocus() || editor->IsFocused());
  if (!IsNumberOrDate(value)) return;
  const double number = value.AsDouble();
  if ((HasValueBound(false) && number < MinValue()) || (HasValueBound(true) && number > MaxValue())) {
    error = true;
    errorText = LoadToolkitString(scxSEditValueOutOfBounds);
  }
}

void TcxCustomTextEditProperties::CheckDisplayValue(TVariant& displayValue, std::string& errorText,
                                                    TcxCustomEdit* editor, bool& error) {
  if (SupportsValueRange() && HasValueRange()) {
    CheckValueBounds(displayValue, errorText, editor, error);
    if (error) return;
  }
  TcxCustomEditProperties::CheckDisplayValue(displayValue, errorText, editor, error);
}
