// The variant: a tagged value with the platform's type codes (OLE's numbering), its conversions and
// its comparison rules; the binary-coded decimal and the SQL time stamp that travel in variants as
// custom types.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>
#include "System.h"

using TVarType = uint16_t;
inline constexpr TVarType varEmpty = 0x0000, varNull = 0x0001, varSmallint = 0x0002, varInteger = 0x0003,
                          varSingle = 0x0004, varDouble = 0x0005, varCurrency = 0x0006, varDate = 0x0007,
                          varOleStr = 0x0008, varBoolean = 0x000B, varVariant = 0x000C, varShortInt = 0x0010,
                          varByte = 0x0011, varWord = 0x0012, varLongWord = 0x0013, varInt64 = 0x0014,
                          varString = 0x0100;
// The custom types. The platform numbers custom types as they register; here the two that exist
// have fixed codes in the custom range.
inline constexpr TVarType varFMTBcd = 0x0110, varSQLTimeStamp = 0x0111;
inline constexpr TVarType varTypeMask = 0x0FFF, varArray = 0x2000, varByRef = 0x4000;

inline constexpr const char* SVarTypeCouldNotConvert = "Could not convert variant of type (%s) into type (%s)";
inline constexpr const char* SVarInvalidOp = "Invalid variant operation";
inline constexpr const char* SVarOverflow = "Variant overflow";
inline constexpr const char* SVarArrayBounds = "Variant or safe array index out of bounds";
inline constexpr const char* SInvalidBcdValue = "%s is not a valid BCD value";

CALDERAN_EXCEPTION(EVariantError, Exception)
CALDERAN_EXCEPTION(EVariantTypeCastError, EVariantError)
CALDERAN_EXCEPTION(EVariantInvalidOpError, EVariantError)
CALDERAN_EXCEPTION(EVariantOverflowError, EVariantError)
CALDERAN_EXCEPTION(EVariantBadIndexError, EVariantError)

// ---------------------------------------------------------------------------------------------
// Binary-coded decimal: Precision digits in Fraction, two per byte, high nibble first; bit 7 of
// SignSpecialPlaces is the sign, bits 0-5 the number of digits after the point.
struct TBcd {
  uint8_t Precision = 0;
  uint8_t SignSpecialPlaces = 0;
  uint8_t Fraction[32] = {};
};
static_assert(sizeof(TBcd) == 34);

// Reads "[-+]digits[.digits]" with the locale's decimal separator (a point is taken too), at most
// 64 digits; false otherwise.
bool TryStrToBcd(std::string_view text, TBcd& value);
TBcd StrToBcd(std::string_view text);  // EConvertError SInvalidBcdValue
// General format: no leading zeros before the point, no trailing zeros after it.
std::string BcdToStr(const TBcd& value);
int BcdCompare(const TBcd& a, const TBcd& b);  // -1, 0, 1 by value

// ---------------------------------------------------------------------------------------------
// SQL time stamp; Fractions are milliseconds.
struct TSQLTimeStamp {
  int16_t Year = 0;
  uint16_t Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
  uint32_t Fractions = 0;
};
static_assert(sizeof(TSQLTimeStamp) == 16);

TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& value);  // EConvertError for a day that is none
TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime value);

// ---------------------------------------------------------------------------------------------
enum TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan };

class TVariant {
 public:
  TVariant() = default;  // Empty
  TVariant(int8_t value) : type_(varShortInt), int_(value) {}
  TVariant(uint8_t value) : type_(varByte), int_(value) {}
  TVariant(int16_t value) : type_(varSmallint), int_(value) {}
  TVariant(uint16_t value) : type_(varWord), int_(value) {}
  TVariant(int32_t value) : type_(varInteger), int_(value) {}
  TVariant(uint32_t value) : type_(varLongWord), int_(value) {}
  TVariant(int64_t value) : type_(varInt64), int_(value) {}
  TVariant(float value) : type_(varSingle), real_(value) {}
  TVariant(double value) : type_(varDouble), real_(value) {}
  TVariant(bool value) : type_(varBoolean), int_(value ? -1 : 0) {}  // true is stored as -1
  TVariant(const char* value) : type_(varString), text_(value) {}
  TVariant(std::string value) : type_(varString), text_(std::move(value)) {}
  TVariant(const char16_t* value) : type_(varOleStr), wide_(value) {}
  TVariant(std::u16string value) : type_(varOleStr), wide_(std::move(value)) {}
  static TVariant Null();
  static TVariant FromCurrency(int64_t valueTimes10000);
  static TVariant FromDate(TDateTime value);
  static TVariant FromBcd(const TBcd& value);
  static TVariant FromSQLTimeStamp(const TSQLTimeStamp& value);
  // An array of Empty variants (type varArray | varVariant), one (low, high) pair per dimension;
  // EVariantBadIndexError when a high bound lies below its low bound minus one.
  static TVariant CreateArray(std::initializer_list<std::pair<int, int>> bounds);

  TVarType VarType() const { return type_; }
  bool IsEmpty() const { return type_ == varEmpty; }
  bool IsNull() const { return type_ == varNull; }
  bool IsArray() const { return (type_ & varArray) != 0; }

  // The value converted as the platform converts: EVariantTypeCastError when the value has no
  // such form (Null, an array, a text that is no number), EVariantOverflowError out of range.
  int32_t AsInteger() const;
  int64_t AsInt64() const;
  double AsDouble() const;
  bool AsBoolean() const;
  int64_t AsCurrency() const;  // value x 10000
  TDateTime AsDate() const;
  std::string AsString() const;
  std::u16string AsWideString() const;
  TBcd AsBcd() const;
  TSQLTimeStamp AsSQLTimeStamp() const;
  // A copy converted to the type (the same errors); an array only to its own type.
  TVariant ChangeType(TVarType type) const;

  // Arrays (EVariantInvalidOpError on a variant that is none).
  int DimCount() const;
  int LowBound(int dim = 1) const;   // EVariantBadIndexError for a dimension it lacks
  int HighBound(int dim = 1) const;
  // An element of a one-dimensional array; EVariantBadIndexError outside the bounds.
  TVariant& operator[](int index);
  const TVariant& operator[](int index) const;

 private:
  TVarType type_ = varEmpty;
  int64_t int_ = 0;    // ordinal types, Boolean (-1/0), currency x 10000
  double real_ = 0;    // Single, Double, Date
  std::string text_;
  std::u16string wide_;
  TBcd bcd_;
  TSQLTimeStamp stamp_;
  std::vector<std::pair<int, int>> bounds_;
  std::vector<TVariant> elements_;

  friend class TVariantConverter;
  const TVariant& Element(int index) const;
};

// The type's name as conversion errors show it ("Integer", "String", "Array Variant").
std::string VarTypeName(TVarType type);
// Ordinal (Boolean included) or floating point (currency included), not a text that reads as one.
bool VarIsNumeric(const TVariant& value);
bool VarIsStr(const TVariant& value);  // narrow or wide text

// Equality and order of two scalar variants, as the platform compares them: texts with texts in the
// locale's order (case counts); otherwise as BCD numbers, as dates, or as numbers, converting the
// other side (a text must read as such, a Boolean counts -1 against numbers); two Booleans order
// false before true; Null equals Null and lies below everything else; Empty counts as 0 or "".
// EVariantInvalidOpError for arrays, the conversion errors for values that do not convert.
TVariantRelationship VarCompareValue(const TVariant& a, const TVariant& b);
