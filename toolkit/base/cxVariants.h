// One notion of equal values and of value order for the editors, a few type tests, and the
// compact tagged binary form in which any variant is written to a stream and read back, with
// fixed-size readers and writers for plain values.
#pragma once
#include <string>

#include "Classes.h"
#include "Variants.h"

// -1, 0 or 1. Empty lies below everything but Empty, Null below every other value, values that
// cannot be compared (a number and a text that is none) order as smaller; arrays by their high
// bound first, then element by element from index 0.
int CompareVariants(const TVariant& a, const TVariant& b);
bool VariantsEqual(const TVariant& a, const TVariant& b);
// As VariantsEqual, except that a Boolean against a value other than Null compares both as texts
// (false when either has no text).
bool VarEqualsEx(const TVariant& a, const TVariant& b);
bool VarTypeIsDateOrTimeStamp(TVarType type);
bool VarIsDateOrTimeStamp(const TVariant& value);
bool VarIsNumericOrBcd(const TVariant& value);
bool VarIsNullOrEmptyString(const TVariant& value);

// The tagged form. Reading raises EReadError "Stream read error" on an unknown value code, on a
// length or count the rest of the stream cannot hold and on arrays nested deeper than
// kcxMaxVariantArrayNesting (so a corrupted stream is never read past its end); writing raises
// EWriteError "Stream write error" for an array of more than one dimension, arrays nested too
// deep, and values without a text.
inline constexpr int kcxMaxVariantArrayNesting = 64;
TVariant ReadVariantValue(TStream* stream);
void WriteVariantValue(TStream* stream, const TVariant& value);

// The fixed forms (no value code). Texts carry a 4-byte length (wide texts: characters) first.
std::string ReadTextValue(TStream* stream);
void WriteTextValue(TStream* stream, const std::string& value);
std::u16string ReadWideTextValue(TStream* stream);
void WriteWideTextValue(TStream* stream, const std::u16string& value);
Byte ReadByteValue(TStream* stream);  // Booleans too
void WriteByteValue(TStream* stream, Byte value);
long double ReadExtendedValue(TStream* stream);  // 10-byte x87 extended real
void WriteExtendedValue(TStream* stream, long double value);
int64_t ReadCurrencyValue(TStream* stream);  // value x 10000
void WriteCurrencyValue(TStream* stream, int64_t value);
TDateTime ReadDateValue(TStream* stream);
void WriteDateValue(TStream* stream, TDateTime value);
int32_t ReadIntegerValue(TStream* stream);
void WriteIntegerValue(TStream* stream, int32_t value);
int64_t ReadInt64Value(TStream* stream);
void WriteInt64Value(TStream* stream, int64_t value);
int16_t ReadSmallintValue(TStream* stream);
void WriteSmallintValue(TStream* stream, int16_t value);
Word ReadWordValue(TStream* stream);
void WriteWordValue(TStream* stream, Word value);
