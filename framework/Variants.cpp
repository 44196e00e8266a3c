#include "Variants.h"

#include <windows.h>
#include <oleauto.h>

#include <cfloat>
#include <cmath>
#include <cstring>

#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(EVariantError, Exception)
CALDERAN_IMPLEMENT_CLASS(EVariantTypeCastError, EVariantError)
CALDERAN_IMPLEMENT_CLASS(EVariantInvalidOpError, EVariantError)
CALDERAN_IMPLEMENT_CLASS(EVariantOverflowError, EVariantError)
CALDERAN_IMPLEMENT_CLASS(EVariantBadIndexError, EVariantError)

// The conversions reach the private value fields through this one friend.
class TVariantConverter {
 public:
  explicit TVariantConverter(const TVariant& v) : v_(v) {}
  [[noreturn]] void CastError(TVarType target) const {
    throw EVariantTypeCastError(Format(SVarTypeCouldNotConvert, {VarTypeName(v_.type_), VarTypeName(target)}));
  }
  // Ordinal types and Booleans exactly; texts and reals rounded to the nearest, halves to even.
  int64_t Ordinal(TVarType target) const;
  long double Real(TVarType target) const;
  std::string Text() const;
  TDateTime Date() const;

 private:
  const TVariant& v_;
  std::string TextOf() const;  // of a narrow or wide text
};

namespace {

int64_t RangeChecked(int64_t value, int64_t low, int64_t high) {
  if (value < low || value > high) throw EVariantOverflowError(SVarOverflow);
  return value;
}

int64_t RoundToInt64(long double value) {
  if (!std::isfinite(value) || value >= 9223372036854775808.0L || value < -9223372036854775808.0L) {
    throw EVariantOverflowError(SVarOverflow);
  }
  return Round(value);
}

bool TryBooleanText(std::string_view text, bool& value) {
  std::string trimmed = Trim(text);
  if (SameText(trimmed, "True")) value = true;
  else if (SameText(trimmed, "False")) value = false;
  else return false;
  return true;
}

long double BcdToReal(const TBcd& bcd) {
  std::string text = BcdToStr(bcd);
  for (char& c : text) if (c == FormatSettings().DecimalSeparator) c = '.';
  return std::strtold(text.c_str(), nullptr);
}

// The number's text with a point, for the BCD reader (which takes a point in any locale).
std::string PlainNumberText(long double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15Lg", value);
  return buffer;
}

std::string CurrencyText(int64_t scaled) {
  bool negative = scaled < 0;
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
  std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += FormatSettings().DecimalSeparator + fraction;
  return text;
}

TDateTime TextToDate(const std::string& text, bool& ok) {
  TDateTime value = 0;
  ok = TryStrToDateTime(text, value);
  if (ok) return value;
  // What the class library's reader does not take, the system's reader may ("15 March 2000").
  std::u16string wide = AnsiToWide(text);
  DATE date = 0;
  ok = SUCCEEDED(VarDateFromStr(reinterpret_cast<LPCOLESTR>(wide.c_str()), GetThreadLocale(), 0, &date));
  return date;
}

double AsDoubleChecked(long double value) {
  if (std::isfinite(value) && std::fabs(value) > static_cast<long double>(DBL_MAX)) throw EVariantOverflowError(SVarOverflow);
  return static_cast<double>(value);
}

bool IsStringType(TVarType type) { return type == varString || type == varOleStr; }
bool IsRealType(TVarType type) { return type == varSingle || type == varDouble || type == varCurrency; }

}  // namespace

int64_t TVariantConverter::Ordinal(TVarType target) const {
  switch (v_.type_) {
    case varEmpty: return 0;
    case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord:
    case varInt64: case varBoolean:
      return v_.int_;
    case varSingle: case varDouble: case varDate: return RoundToInt64(v_.real_);
    case varCurrency: return RoundToInt64(static_cast<long double>(v_.int_) / 10000);
    case varString: case varOleStr: {
      std::string text = Trim(TextOf());
      int64_t value = 0;
      if (TryStrToInt64(text, value)) return value;
      return RoundToInt64(Real(target));
    }
    case varFMTBcd: return RoundToInt64(BcdToReal(v_.bcd_));
    case varSQLTimeStamp: return RoundToInt64(Date());
    default: CastError(target);
  }
}

long double TVariantConverter::Real(TVarType target) const {
  switch (v_.type_) {
    case varSingle: case varDouble: case varDate: return v_.real_;
    case varCurrency: return static_cast<long double>(v_.int_) / 10000;
    case varString: case varOleStr: {
      std::string text = Trim(TextOf());
      long double value = 0;
      bool flag = false;
      if (TryStrToFloat(text, value)) return value;
      if (TryBooleanText(text, flag)) return flag ? -1 : 0;
      CastError(target);
    }
    case varFMTBcd: return BcdToReal(v_.bcd_);
    case varSQLTimeStamp: return Date();
    default: return static_cast<long double>(Ordinal(target));
  }
}

std::string TVariantConverter::TextOf() const {
  return v_.type_ == varString ? v_.text_ : WideToAnsi(v_.wide_);
}

std::string TVariantConverter::Text() const {
  switch (v_.type_) {
    case varEmpty: return "";
    case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord:
    case varInt64:
      return IntToStr(v_.int_);
    case varSingle: return FloatToStrF(static_cast<float>(v_.real_), ffGeneral, 7, 0);
    case varDouble: return FloatToStr(v_.real_);
    case varCurrency: return CurrencyText(v_.int_);
    case varDate: return DateTimeToStr(v_.real_);
    case varBoolean: return v_.int_ ? "True" : "False";
    case varString: return v_.text_;
    case varOleStr: return WideToAnsi(v_.wide_);
    case varFMTBcd: return BcdToStr(v_.bcd_);
    case varSQLTimeStamp: return DateTimeToStr(Date());
    default: CastError(varString);
  }
}

TDateTime TVariantConverter::Date() const {
  switch (v_.type_) {
    case varDate: return v_.real_;
    case varSQLTimeStamp:
      try {
        return SQLTimeStampToDateTime(v_.stamp_);
      } catch (const EConvertError&) {
        CastError(varDate);
      }
    case varString: case varOleStr: {
      bool ok = false;
      TDateTime value = TextToDate(TextOf(), ok);
      if (!ok) CastError(varDate);
      return value;
    }
    default: return static_cast<TDateTime>(Real(varDate));
  }
}

// ---------------------------------------------------------------------------------------------
// TVariant

TVariant TVariant::Null() {
  TVariant v;
  v.type_ = varNull;
  return v;
}

TVariant TVariant::FromCurrency(int64_t valueTimes10000) {
  TVariant v;
  v.type_ = varCurrency;
  v.int_ = valueTimes10000;
  return v;
}

TVariant TVariant::FromDate(TDateTime value) {
  TVariant v;
  v.type_ = varDate;
  v.real_ = value;
  return v;
}

TVariant TVariant::FromBcd(const TBcd& value) {
  TVariant v;
  v.type_ = varFMTBcd;
  v.bcd_ = value;
  return v;
}

TVariant TVariant::FromSQLTimeStamp(const TSQLTimeStamp& value) {
  TVariant v;
  v.type_ = varSQLTimeStamp;
  v.stamp_ = value;
  return v;
}

TVariant TVariant::CreateArray(std::initializer_list<std::pair<int, int>> bounds) {
  TVariant v;
  v.type_ = varArray | varVariant;
  size_t count = 1;
  for (auto [low, high] : bounds) {
    if (static_cast<int64_t>(high) < static_cast<int64_t>(low) - 1) throw EVariantBadIndexError(SVarArrayBounds);
    count *= static_cast<size_t>(static_cast<int64_t>(high) - low + 1);
    v.bounds_.emplace_back(low, high);
  }
  if (v.bounds_.empty()) throw EVariantBadIndexError(SVarArrayBounds);
  v.elements_.resize(count);
  return v;
}

int32_t TVariant::AsInteger() const {
  return static_cast<int32_t>(RangeChecked(TVariantConverter(*this).Ordinal(varInteger), INT32_MIN, INT32_MAX));
}

int64_t TVariant::AsInt64() const { return TVariantConverter(*this).Ordinal(varInt64); }

double TVariant::AsDouble() const { return AsDoubleChecked(TVariantConverter(*this).Real(varDouble)); }

bool TVariant::AsBoolean() const {
  if (type_ == varString || type_ == varOleStr) {
    bool flag = false;
    if (TryBooleanText(AsString(), flag)) return flag;
  }
  if (type_ == varBoolean) return int_ != 0;
  return TVariantConverter(*this).Real(varBoolean) != 0;
}

int64_t TVariant::AsCurrency() const {
  if (type_ == varCurrency) return int_;
  long double value = TVariantConverter(*this).Real(varCurrency) * 10000;
  return RoundToInt64(value);
}

TDateTime TVariant::AsDate() const { return TVariantConverter(*this).Date(); }

std::string TVariant::AsString() const { return TVariantConverter(*this).Text(); }

std::u16string TVariant::AsWideString() const { return type_ == varOleStr ? wide_ : AnsiToWide(AsString()); }

TBcd TVariant::AsBcd() const {
  if (type_ == varFMTBcd) return bcd_;
  TBcd value;
  std::string text;
  switch (type_) {
    case varString: case varOleStr: text = Trim(AsString()); break;
    case varSingle: case varDouble: case varDate: text = PlainNumberText(real_); break;
    case varCurrency: text = CurrencyText(int_); break;
    case varSQLTimeStamp: text = PlainNumberText(AsDate()); break;
    default: text = std::to_string(TVariantConverter(*this).Ordinal(varFMTBcd)); break;
  }
  if (!TryStrToBcd(text, value)) TVariantConverter(*this).CastError(varFMTBcd);
  return value;
}

TSQLTimeStamp TVariant::AsSQLTimeStamp() const {
  if (type_ == varSQLTimeStamp) return stamp_;
  return DateTimeToSQLTimeStamp(AsDate());
}

TVariant TVariant::ChangeType(TVarType type) const {
  if (type == type_ || type == varVariant) return *this;
  if (IsArray() || (type_ == varNull && type != varEmpty)) TVariantConverter(*this).CastError(type);
  switch (type) {
    case varEmpty: return TVariant();
    case varNull: return Null();
    case varSmallint: return static_cast<int16_t>(RangeChecked(AsInt64(), INT16_MIN, INT16_MAX));
    case varInteger: return AsInteger();
    case varShortInt: return static_cast<int8_t>(RangeChecked(AsInt64(), INT8_MIN, INT8_MAX));
    case varByte: return static_cast<uint8_t>(RangeChecked(AsInt64(), 0, UINT8_MAX));
    case varWord: return static_cast<uint16_t>(RangeChecked(AsInt64(), 0, UINT16_MAX));
    case varLongWord: return static_cast<uint32_t>(RangeChecked(AsInt64(), 0, UINT32_MAX));
    case varInt64: return AsInt64();
    case varSingle: {
      double value = AsDouble();
      if (std::isfinite(value) && std::fabs(value) > static_cast<double>(FLT_MAX)) throw EVariantOverflowError(SVarOverflow);
      return static_cast<float>(value);
    }
    case varDouble: return AsDouble();
    case varCurrency: return FromCurrency(AsCurrency());
    case varDate: return FromDate(AsDate());
    case varBoolean: return AsBoolean();
    case varString: return AsString();
    case varOleStr: return AsWideString();
    case varFMTBcd: return FromBcd(AsBcd());
    case varSQLTimeStamp: return FromSQLTimeStamp(AsSQLTimeStamp());
    default: TVariantConverter(*this).CastError(type);
  }
}

int TVariant::DimCount() const {
  if (!IsArray()) throw EVariantInvalidOpError(SVarInvalidOp);
  return static_cast<int>(bounds_.size());
}

int TVariant::LowBound(int dim) const {
  if (dim < 1 || dim > DimCount()) throw EVariantBadIndexError(SVarArrayBounds);
  return bounds_[dim - 1].first;
}

int TVariant::HighBound(int dim) const {
  if (dim < 1 || dim > DimCount()) throw EVariantBadIndexError(SVarArrayBounds);
  return bounds_[dim - 1].second;
}

const TVariant& TVariant::Element(int index) const {
  if (DimCount() != 1 || index < bounds_[0].first || index > bounds_[0].second) {
    throw EVariantBadIndexError(SVarArrayBounds);
  }
  return elements_[static_cast<size_t>(static_cast<int64_t>(index) - bounds_[0].first)];
}

TVariant& TVariant::operator[](int index) { return const_cast<TVariant&>(Element(index)); }
const TVariant& TVariant::operator[](int index) const { return Element(index); }

// ---------------------------------------------------------------------------------------------

std::string VarTypeName(TVarType type) {
  std::string prefix = (type & varArray) ? "Array " : "";
  switch (type & varTypeMask) {
    case varEmpty: return prefix + "Empty";
    case varNull: return prefix + "Null";
    case varSmallint: return prefix + "Smallint";
    case varInteger: return prefix + "Integer";
    case varSingle: return prefix + "Single";
    case varDouble: return prefix + "Double";
    case varCurrency: return prefix + "Currency";
    case varDate: return prefix + "Date";
    case varOleStr: return prefix + "OleStr";
    case varBoolean: return prefix + "Boolean";
    case varVariant: return prefix + "Variant";
    case varShortInt: return prefix + "ShortInt";
    case varByte: return prefix + "Byte";
    case varWord: return prefix + "Word";
    case varLongWord: return prefix + "LongWord";
    case varInt64: return prefix + "Int64";
    case varString: return prefix + "String";
    case varFMTBcd: return prefix + "FMTBcdVariantType";
    case varSQLTimeStamp: return prefix + "SQLTimeStampVariantType";
    default: return prefix + "Unknown";
  }
}

bool VarIsNumeric(const TVariant& value) {
  switch (value.VarType()) {
    case varSmallint: case varInteger: case varSingle: case varDouble: case varCurrency: case varBoolean:
    case varShortInt: case varByte: case varWord: case varLongWord: case varInt64:
      return true;
    default: return false;
  }
}

bool VarIsStr(const TVariant& value) { return IsStringType(value.VarType()); }

namespace {

template <class T> TVariantRelationship Relation(const T& a, const T& b) {
  return a < b ? vrLessThan : b < a ? vrGreaterThan : vrEqual;
}

TVariantRelationship CompareTexts(const TVariant& a, const TVariant& b) {
  int order = 0;
  if (a.VarType() == varString && b.VarType() == varString) {
    order = AnsiCompareStr(a.AsString(), b.AsString());
  } else {
    std::u16string wa = a.AsWideString(), wb = b.AsWideString();
    order = CompareStringW(GetThreadLocale(), 0, reinterpret_cast<LPCWSTR>(wa.data()), static_cast<int>(wa.size()),
                           reinterpret_cast<LPCWSTR>(wb.data()), static_cast<int>(wb.size())) - CSTR_EQUAL;
  }
  return Relation(order, 0);
}

// A number against a number or a text: exact as 64-bit integers when both sides are whole
// ordinals, otherwise as extended reals.
TVariantRelationship CompareNumbers(const TVariant& a, const TVariant& b) {
  auto isWhole = [](const TVariant& v) { return VarIsNumeric(v) && !IsRealType(v.VarType()); };
  if (isWhole(a) && isWhole(b)) return Relation(a.AsInt64(), b.AsInt64());
  auto real = [](const TVariant& v) {
    return v.VarType() == varCurrency ? static_cast<long double>(v.AsCurrency()) / 10000
                                      : static_cast<long double>(v.AsDouble());
  };
  return Relation(real(a), real(b));
}

}  // namespace

TVariantRelationship VarCompareValue(const TVariant& a, const TVariant& b) {
  TVarType ta = a.VarType(), tb = b.VarType();
  if (a.IsArray() || b.IsArray()) throw EVariantInvalidOpError(SVarInvalidOp);
  if (ta == varNull || tb == varNull) return Relation(ta != varNull, tb != varNull);
  if (ta == varEmpty && tb == varEmpty) return vrEqual;
  if (ta == varEmpty) return VarCompareValue(IsStringType(tb) ? TVariant("") : TVariant(0), b);
  if (tb == varEmpty) return VarCompareValue(a, IsStringType(ta) ? TVariant("") : TVariant(0));
  if (IsStringType(ta) && IsStringType(tb)) return CompareTexts(a, b);
  if (ta == varFMTBcd || tb == varFMTBcd) return Relation(BcdCompare(a.AsBcd(), b.AsBcd()), 0);
  if (ta == varDate || tb == varDate || ta == varSQLTimeStamp || tb == varSQLTimeStamp) {
    return Relation(a.AsDate(), b.AsDate());
  }
  if (ta == varBoolean && tb == varBoolean) return Relation(a.AsBoolean(), b.AsBoolean());
  if (ta == varBoolean && IsStringType(tb)) return Relation(a.AsBoolean(), b.AsBoolean());
  if (tb == varBoolean && IsStringType(ta)) return Relation(a.AsBoolean(), b.AsBoolean());
  return CompareNumbers(a, b);
}
