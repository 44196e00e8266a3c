#include "cxVariants.h"

#include <algorithm>
#include <cstring>

#include "SysUtils.h"
#include "cxClasses.h"

CX_RESOURCESTRING(cxSReadError, 0xC120, "Stream read error")
CX_RESOURCESTRING(cxSWriteError, 0xC121, "Stream write error")

namespace {

// The value codes of the tagged form.
enum : Byte {
  vcNull = 0, vcArray = 1, vcShortInt = 2, vcSmallint = 3, vcInteger = 4, vcExtended = 5, vcShortString = 6,
  vcFalse = 8, vcTrue = 9, vcLongString = 12, vcEmpty = 13, vcSingle = 15, vcCurrency = 16, vcDate = 17,
  vcWideString = 18, vcInt64 = 19,
};

[[noreturn]] void ReadError() { throw EReadError(LoadToolkitString(cxSReadError)); }
[[noreturn]] void WriteError() { throw EWriteError(LoadToolkitString(cxSWriteError)); }

template <class T> T ReadFixed(TStream* stream) {
  T value;
  stream->ReadBuffer(&value, sizeof value);
  return value;
}

template <class T> void WriteFixed(TStream* stream, T value) { stream->WriteBuffer(&value, sizeof value); }

// A length read from the stream, refused when negative or when the rest of the stream cannot hold
// that many units: nothing is allocated for a length a corrupted stream made up.
int32_t ReadLength(TStream* stream, int unitSize, int32_t length) {
  if (length < 0 || static_cast<int64_t>(length) * unitSize > stream->Size() - stream->Position()) ReadError();
  return length;
}

int ScalarOrder(const TVariant& a, const TVariant& b) {
  if (a.IsEmpty()) return b.IsEmpty() ? 0 : -1;
  if (b.IsEmpty()) return 1;
  try {
    if (VarCompareValue(a, b) == vrEqual) return 0;
    if (a.IsNull()) return -1;
    if (b.IsNull()) return 1;
    return VarCompareValue(a, b) == vrLessThan ? -1 : 1;
  } catch (const EVariantError&) {
    return -1;
  }
}

int ArrayOrder(const TVariant& a, const TVariant& b) {
  if (!a.IsArray()) return b.IsArray() ? -1 : ScalarOrder(a, b);
  if (!b.IsArray()) return 1;
  int64_t result = static_cast<int64_t>(a.HighBound()) - b.HighBound();
  // Elements pair up by position from each array's low bound (index 0 for the arrays this module
  // reads); an array of more dimensions has no such order and counts as smaller.
  try {
    int64_t common = std::min(static_cast<int64_t>(a.HighBound()) - a.LowBound(),
                              static_cast<int64_t>(b.HighBound()) - b.LowBound());
    for (int64_t i = 0; result == 0 && i <= common; ++i) {
      result = CompareVariants(a[static_cast<int>(a.LowBound() + i)], b[static_cast<int>(b.LowBound() + i)]);
    }
    if (result == 0) result = static_cast<int64_t>(b.LowBound()) - a.LowBound();
  } catch (const EVariantError&) {
    return -1;
  }
  return result < 0 ? -1 : result > 0 ? 1 : 0;
}

void WriteCompactInteger(TStream* stream, int64_t value) {
  if (value >= INT8_MIN && value <= INT8_MAX) {
    WriteByteValue(stream, vcShortInt);
    WriteFixed(stream, static_cast<int8_t>(value));
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    WriteByteValue(stream, vcSmallint);
    WriteFixed(stream, static_cast<int16_t>(value));
  } else if (value < INT32_MIN || value > INT32_MAX) {
    WriteByteValue(stream, vcInt64);
    WriteFixed(stream, value);
  } else {
    WriteByteValue(stream, vcInteger);
    WriteFixed(stream, static_cast<int32_t>(value));
  }
}

int64_t ReadCompactInteger(TStream* stream) {
  switch (ReadByteValue(stream)) {
    case vcShortInt: return ReadFixed<int8_t>(stream);
    case vcSmallint: return ReadFixed<int16_t>(stream);
    case vcInteger: return ReadFixed<int32_t>(stream);
    default: return ReadFixed<int64_t>(stream);
  }
}

void WriteNarrowString(TStream* stream, const std::string& text) {
  if (text.size() < 256) {
    WriteByteValue(stream, vcShortString);
    WriteByteValue(stream, static_cast<Byte>(text.size()));
    stream->WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
  } else {
    WriteByteValue(stream, vcLongString);
    WriteTextValue(stream, text);
  }
}

void WriteValue(TStream* stream, const TVariant& value, int nesting);

void WriteArray(TStream* stream, const TVariant& value, int nesting) {
  if (value.DimCount() != 1 || nesting >= kcxMaxVariantArrayNesting) WriteError();
  WriteByteValue(stream, vcArray);
  WriteCompactInteger(stream, static_cast<int64_t>(value.HighBound()) - value.LowBound() + 1);
  for (int i = value.LowBound(); i <= value.HighBound(); ++i) WriteValue(stream, value[i], nesting + 1);
}

// Types outside the tagged form: a time stamp as its date, everything else as its text.
void WriteOtherValue(TStream* stream, const TVariant& value) {
  if (value.VarType() == varSQLTimeStamp) {
    TDateTime date = 0;
    try {
      date = value.AsDate();
    } catch (const Exception&) {
      WriteError();
    }
    WriteByteValue(stream, vcDate);
    return WriteDateValue(stream, date);
  }
  std::string text;
  try {
    text = value.AsString();
  } catch (const Exception&) {
    WriteError();
  }
  WriteNarrowString(stream, text);
}

void WriteValue(TStream* stream, const TVariant& value, int nesting) {
  if (value.IsArray()) return WriteArray(stream, value, nesting);
  switch (value.VarType() & varTypeMask) {
    case varEmpty: return WriteByteValue(stream, vcEmpty);
    case varNull: return WriteByteValue(stream, vcNull);
    case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord:
    case varInt64:
      return WriteCompactInteger(stream, value.AsInt64());
    case varSingle:
      WriteByteValue(stream, vcSingle);
      return WriteFixed(stream, static_cast<float>(value.AsDouble()));
    case varDouble:
      WriteByteValue(stream, vcExtended);
      return WriteExtendedValue(stream, value.AsDouble());
    case varCurrency:
      WriteByteValue(stream, vcCurrency);
      return WriteCurrencyValue(stream, value.AsCurrency());
    case varDate:
      WriteByteValue(stream, vcDate);
      return WriteDateValue(stream, value.AsDate());
    case varOleStr:
      WriteByteValue(stream, vcWideString);
      return WriteWideTextValue(stream, value.AsWideString());
    case varBoolean: return WriteByteValue(stream, value.AsBoolean() ? vcTrue : vcFalse);
    case varString: return WriteNarrowString(stream, value.AsString());
    default: return WriteOtherValue(stream, value);
  }
}

TVariant ReadValue(TStream* stream, int nesting);

TVariant ReadArray(TStream* stream, int nesting) {
  int64_t count = ReadCompactInteger(stream);
  // Every element takes at least its value code.
  if (nesting >= kcxMaxVariantArrayNesting || count < 0 || count > stream->Size() - stream->Position()) {
    ReadError();
  }
  TVariant array = TVariant::CreateArray({{0, static_cast<int>(count) - 1}});
  for (int i = 0; i < count; ++i) array[i] = ReadValue(stream, nesting + 1);
  return array;
}

TVariant ReadValue(TStream* stream, int nesting) {
  switch (ReadByteValue(stream)) {
    case vcNull: return TVariant::Null();
    case vcArray: return ReadArray(stream, nesting);
    case vcShortInt: return ReadFixed<int8_t>(stream);
    case vcSmallint: return ReadSmallintValue(stream);
    case vcInteger: return ReadIntegerValue(stream);
    case vcExtended: return static_cast<double>(ReadExtendedValue(stream));
    case vcShortString: {
      std::string text(ReadLength(stream, 1, ReadByteValue(stream)), '\0');
      stream->ReadBuffer(text.data(), static_cast<int32_t>(text.size()));
      return text;
    }
    case vcFalse: return false;
    case vcTrue: return true;
    case vcLongString: return ReadTextValue(stream);
    case vcEmpty: return TVariant();
    case vcSingle: return ReadFixed<float>(stream);
    case vcCurrency: return TVariant::FromCurrency(ReadCurrencyValue(stream));
    case vcDate: return TVariant::FromDate(ReadDateValue(stream));
    case vcWideString: return ReadWideTextValue(stream);
    case vcInt64: return ReadInt64Value(stream);
    default: ReadError();
  }
}

}  // namespace

int CompareVariants(const TVariant& a, const TVariant& b) {
  return a.IsArray() || b.IsArray() ? ArrayOrder(a, b) : ScalarOrder(a, b);
}

bool VariantsEqual(const TVariant& a, const TVariant& b) { return CompareVariants(a, b) == 0; }

bool VarEqualsEx(const TVariant& a, const TVariant& b) {
  if (a.VarType() == varNull || b.VarType() == varNull || (a.VarType() != varBoolean && b.VarType() != varBoolean)) {
    return VariantsEqual(a, b);
  }
  try {
    return a.AsString() == b.AsString();
  } catch (const EVariantError&) {
    return false;
  }
}

bool VarTypeIsDateOrTimeStamp(TVarType type) { return type == varDate || type == varSQLTimeStamp; }

bool VarIsDateOrTimeStamp(const TVariant& value) { return VarTypeIsDateOrTimeStamp(value.VarType()); }

bool VarIsNumericOrBcd(const TVariant& value) { return VarIsNumeric(value) || value.VarType() == varFMTBcd; }

bool VarIsNullOrEmptyString(const TVariant& value) {
  return value.IsNull() || (VarIsStr(value) && value.AsWideString().empty());
}

TVariant ReadVariantValue(TStream* stream) { return ReadValue(stream, 0); }

void WriteVariantValue(TStream* stream, const TVariant& value) { WriteValue(stream, value, 0); }

std::string ReadTextValue(TStream* stream) {
  std::string text(ReadLength(stream, 1, ReadIntegerValue(stream)), '\0');
  stream->ReadBuffer(text.data(), static_cast<int32_t>(text.size()));
  return text;
}

void WriteTextValue(TStream* stream, const std::string& value) {
  WriteIntegerValue(stream, static_cast<int32_t>(value.size()));
  stream->WriteBuffer(value.data(), static_cast<int32_t>(value.size()));
}

std::u16string ReadWideTextValue(TStream* stream) {
  std::u16string text(ReadLength(stream, 2, ReadIntegerValue(stream)), u'\0');
  stream->ReadBuffer(text.data(), static_cast<int32_t>(text.size() * 2));
  return text;
}

void WriteWideTextValue(TStream* stream, const std::u16string& value) {
  WriteIntegerValue(stream, static_cast<int32_t>(value.size()));
  stream->WriteBuffer(value.data(), static_cast<int32_t>(value.size() * 2));
}

Byte ReadByteValue(TStream* stream) { return ReadFixed<Byte>(stream); }
void WriteByteValue(TStream* stream, Byte value) { WriteFixed(stream, value); }

long double ReadExtendedValue(TStream* stream) {
  static_assert(sizeof(long double) >= 10, "the x87 extended real is long double here");
  long double value = 0;
  stream->ReadBuffer(&value, 10);
  return value;
}

void WriteExtendedValue(TStream* stream, long double value) { stream->WriteBuffer(&value, 10); }

int64_t ReadCurrencyValue(TStream* stream) { return ReadFixed<int64_t>(stream); }
void WriteCurrencyValue(TStream* stream, int64_t value) { WriteFixed(stream, value); }
TDateTime ReadDateValue(TStream* stream) { return ReadFixed<double>(stream); }
void WriteDateValue(TStream* stream, TDateTime value) { WriteFixed(stream, value); }
int32_t ReadIntegerValue(TStream* stream) { return ReadFixed<int32_t>(stream); }
void WriteIntegerValue(TStream* stream, int32_t value) { WriteFixed(stream, value); }
int64_t ReadInt64Value(TStream* stream) { return ReadFixed<int64_t>(stream); }
void WriteInt64Value(TStream* stream, int64_t value) { WriteFixed(stream, value); }
int16_t ReadSmallintValue(TStream* stream) { return ReadFixed<int16_t>(stream); }
void WriteSmallintValue(TStream* stream, int16_t value) { WriteFixed(stream, value); }
Word ReadWordValue(TStream* stream) { return static_cast<Word>(ReadSmallintValue(stream)); }
void WriteWordValue(TStream* stream, Word value) { WriteFixed(stream, value); }
