#include "calderan_test.h"

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "Classes.h"
#include "LocaleScope.h"
#include "cxVariants.h"

namespace {

class VariantStreamTest : public ::testing::Test {
 protected:
  TLocaleScope locale{LocaleEnglishUS};
};

std::string Bytes(const TVariant& value) {
  TMemoryStream stream;
  WriteVariantValue(&stream, value);
  stream.SetPosition(0);
  return stream.ReadAll();
}

TVariant Read(const std::string& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  stream.SetPosition(0);
  return ReadVariantValue(&stream);
}

std::string Hex(const std::string& bytes) {
  std::string text;
  for (unsigned char c : bytes) text += Format("%.2X ", {static_cast<int>(c)});
  return text;
}

std::string Raw(std::initializer_list<int> bytes) {
  std::string text;
  for (int b : bytes) text += static_cast<char>(b);
  return text;
}

// Same type code and the same value, bit for bit where it is a real.
bool Identical(const TVariant& a, const TVariant& b) {
  if (a.VarType() != b.VarType()) return false;
  if (a.IsArray()) {
    if (a.LowBound() != b.LowBound() || a.HighBound() != b.HighBound()) return false;
    for (int i = a.LowBound(); i <= a.HighBound(); ++i) if (!Identical(a[i], b[i])) return false;
    return true;
  }
  switch (a.VarType()) {
    case varEmpty: case varNull: return true;
    case varSingle: case varDouble: case varDate: {
      double x = a.VarType() == varDate ? a.AsDate() : a.AsDouble();
      double y = b.VarType() == varDate ? b.AsDate() : b.AsDouble();
      return std::memcmp(&x, &y, sizeof x) == 0;
    }
    case varCurrency: return a.AsCurrency() == b.AsCurrency();
    case varOleStr: return a.AsWideString() == b.AsWideString();
    case varString: return a.AsString() == b.AsString();
    case varBoolean: return a.AsBoolean() == b.AsBoolean();
    default: return a.AsInt64() == b.AsInt64();
  }
}

TEST_F(VariantStreamTest, TaggedBytes) {
  const struct {
    TVariant value;
    std::string bytes;
  } cases[] = {
      {100, Raw({0x02, 0x64})},
      {-129, Raw({0x03, 0x7F, 0xFF})},
      {40000, Raw({0x04, 0x40, 0x9C, 0x00, 0x00})},
      {int64_t(2147483648LL), Raw({0x13, 0, 0, 0, 0x80, 0, 0, 0, 0})},
      {int64_t(-2147483649LL), Raw({0x13, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF})},
      {uint8_t(200), Raw({0x03, 0xC8, 0x00})},
      {true, Raw({0x09})},
      {false, Raw({0x08})},
      {TVariant(), Raw({0x0D})},
      {TVariant::Null(), Raw({0x00})},
      {"ab", Raw({0x06, 0x02, 'a', 'b'})},
      {u"ab", Raw({0x12, 0x02, 0, 0, 0, 'a', 0, 'b', 0})},
      {1.0f, Raw({0x0F, 0x00, 0x00, 0x80, 0x3F})},
      {1.0, Raw({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})},
      {TVariant::FromCurrency(10000), Raw({0x10, 0x10, 0x27, 0, 0, 0, 0, 0, 0})},
      {TVariant::FromDate(1.5), Raw({0x11, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Hex(Bytes(c.value)), Hex(c.bytes)) << VarTypeName(c.value.VarType());
  }
  EXPECT_EQ(Bytes(std::string(255, 'x')).substr(0, 2), Raw({0x06, 0xFF}));
  EXPECT_EQ(Bytes(std::string(256, 'x')).substr(0, 5), Raw({0x0C, 0x00, 0x01, 0x00, 0x00}));
  EXPECT_EQ(Bytes(std::string(256, 'x')).size(), 261u);
}

// Every value written reads back with the same value, with the type its value code stands for,
// and writes again as the same bytes.
TEST_F(VariantStreamTest, EveryTypeRoundTrips) {
  TVariant nested = TVariant::CreateArray({{0, 1}});
  nested[0] = TVariant::CreateArray({{0, -1}});
  nested[1] = u"\U0001F600 surrogates";
  TSQLTimeStamp stamp{2001, 9, 11, 8, 46, 0, 500};
  const struct {
    TVariant value;
    TVariant expected;  // what the value code reads back as
  } cases[] = {
      {TVariant(), TVariant()},
      {TVariant::Null(), TVariant::Null()},
      {int8_t(-128), int8_t(-128)},
      {int16_t(-32768), int16_t(-32768)},
      {int16_t(5), int8_t(5)},
      {int32_t(INT32_MIN), int32_t(INT32_MIN)},
      {int64_t(INT64_MIN), int64_t(INT64_MIN)},
      {int64_t(INT64_MAX), int64_t(INT64_MAX)},
      {uint8_t(255), int16_t(255)},
      {uint16_t(65535), int32_t(65535)},
      {uint32_t(4294967295u), int64_t(4294967295LL)},
      {1.17549435e-38f, 1.17549435e-38f},
      {-0.0f, -0.0f},
      {0.1, 0.1},
      {4.9406564584124654e-324, 4.9406564584124654e-324},  // the smallest denormal
      {1.7976931348623157e308, 1.7976931348623157e308},
      {-0.0, -0.0},
      {TVariant::FromCurrency(INT64_MIN), TVariant::FromCurrency(INT64_MIN)},
      {TVariant::FromCurrency(INT64_MAX), TVariant::FromCurrency(INT64_MAX)},
      {TVariant::FromDate(-693593.75), TVariant::FromDate(-693593.75)},
      {TVariant::FromDate(2958465.99999), TVariant::FromDate(2958465.99999)},
      {u"", u""},
      {u"\U0001F600 \u00E9", u"\U0001F600 \u00E9"},
      {std::string("\0\xFF\x80", 3), std::string("\0\xFF\x80", 3)},
      {std::string(70000, 'q'), std::string(70000, 'q')},
      {true, true},
      {false, false},
      {TVariant::FromBcd(StrToBcd("-123.4500")), "-123.45"},
      {TVariant::FromSQLTimeStamp(stamp), TVariant::FromDate(SQLTimeStampToDateTime(stamp))},
      {nested, nested},
  };
  for (const auto& c : cases) {
    std::string bytes = Bytes(c.value);
    TVariant back = Read(bytes);
    EXPECT_TRUE(Identical(back, c.expected)) << VarTypeName(c.value.VarType()) << ": " << Hex(bytes.substr(0, 12));
    EXPECT_EQ(Bytes(back), bytes) << VarTypeName(c.value.VarType());
  }
}

TEST_F(VariantStreamTest, ArraysReadBackFromIndexZero) {
  TVariant array = TVariant::CreateArray({{5, 7}});
  array[5] = 1;
  array[6] = "two";
  array[7] = TVariant::Null();
  TVariant back = Read(Bytes(array));
  ASSERT_TRUE(back.IsArray());
  EXPECT_EQ(back.LowBound(), 0);
  EXPECT_EQ(back.HighBound(), 2);
  EXPECT_EQ(back[0].AsInteger(), 1);
  EXPECT_EQ(back[1].AsString(), "two");
  EXPECT_TRUE(back[2].IsNull());
}

TEST_F(VariantStreamTest, WriteErrors) {
  TMemoryStream stream;
  try {
    WriteVariantValue(&stream, TVariant::CreateArray({{0, 1}, {0, 1}}));
    FAIL() << "two dimensions have no tagged form";
  } catch (const EWriteError& e) {
    EXPECT_EQ(e.Message(), "Stream write error");
  }
  EXPECT_EQ(stream.Size(), 0);  // refused before anything was written

  // An element that fails leaves what was written before it.
  TVariant array = TVariant::CreateArray({{0, 1}});
  array[0] = 7;
  array[1] = TVariant::CreateArray({{0, 0}, {0, 0}});
  EXPECT_THROW(WriteVariantValue(&stream, array), EWriteError);
  stream.SetPosition(0);
  EXPECT_EQ(Hex(stream.ReadAll()), Hex(Raw({0x01, 0x02, 0x02, 0x02, 0x07})));

  // A time stamp that names no day has no date.
  EXPECT_THROW(Bytes(TVariant::FromSQLTimeStamp(TSQLTimeStamp{})), EWriteError);

  TVariant deep = 1;
  for (int i = 0; i <= kcxMaxVariantArrayNesting; ++i) {
    TVariant outer = TVariant::CreateArray({{0, 0}});
    outer[0] = deep;
    deep = outer;
  }
  EXPECT_THROW(Bytes(deep), EWriteError);
}

TEST_F(VariantStreamTest, CorruptValuesAreRefused) {
  const std::string cases[] = {
      Raw({0x07}), Raw({0x0A}), Raw({0x0B}), Raw({0x0E}), Raw({0x14}), Raw({0xFF}),
      Raw({0x0C, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}),        // a long text longer than the stream
      Raw({0x0C, 0xFF, 0xFF, 0xFF, 0xFF}),             // a negative length
      Raw({0x12, 0x00, 0x00, 0x00, 0x40, 'a', 0}),     // 2^30 characters, 2^31 bytes
      Raw({0x06, 0x05, 'a'}),                          // a short text cut off
      Raw({0x01, 0x13, 0, 0, 0, 0, 0, 0, 0, 0x40}),    // 2^62 elements
      Raw({0x01, 0x02, 0xFF}),                         // -1 elements
      Raw({0x01, 0x02, 0x03, 0x0D, 0x0D}),             // three elements, two there
      Raw({0x01, 0x02, 0x01, 0x07}),                   // an unknown code inside an array
      Raw({0x05, 0x00, 0x00}),                         // an extended real cut off
      Raw({}),
  };
  for (const std::string& bytes : cases) {
    try {
      Read(bytes);
      ADD_FAILURE() << Hex(bytes) << "read";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), "Stream read error") << Hex(bytes);
    }
  }
  // Arrays nested without end, as a corrupted stream may hold them: no stack is spent on them.
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += Raw({0x01, 0x02, 0x01});
  EXPECT_THROW(Read(deep), EReadError);
}

// Every cut of a stream of all kinds of values, and every one-byte change of it, either reads or
// raises a stream error, and no read passes the end of the stream.
TEST_F(VariantStreamTest, TruncatedAndDamagedStreams) {
  TVariant array = TVariant::CreateArray({{0, 10}});
  const TVariant values[] = {int8_t(1), int16_t(300), 70000, int64_t(1) << 40, 2.5f, 2.5, TVariant::FromCurrency(1),
                             TVariant::FromDate(3), u"wide", "narrow", std::string(300, 'n'), true};
  for (int i = 0; i <= 10; ++i) array[i] = values[i];
  std::string whole = Bytes(array);
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    EXPECT_THROW(Read(whole.substr(0, cut)), EReadError) << cut;
  }
  std::mt19937 random(15);
  for (int trial = 0; trial < 3000; ++trial) {
    std::string damaged = whole;
    damaged[random() % damaged.size()] = static_cast<char>(random());
    if (trial % 3 == 0) damaged.resize(random() % damaged.size());
    TMemoryStream stream;
    stream.WriteBuffer(damaged.data(), static_cast<int32_t>(damaged.size()));
    stream.SetPosition(0);
    try {
      ReadVariantValue(&stream);
    } catch (const EReadError&) {
    }
    EXPECT_LE(stream.Position(), stream.Size());
  }
}

TEST_F(VariantStreamTest, FixedForms) {
  TMemoryStream stream;
  WriteTextValue(&stream, "abc");
  WriteWideTextValue(&stream, u"\u00E9");
  WriteByteValue(&stream, 0xFE);
  WriteExtendedValue(&stream, 1.0L / 3);
  WriteCurrencyValue(&stream, -5);
  WriteDateValue(&stream, 36526.25);
  WriteIntegerValue(&stream, -2);
  WriteInt64Value(&stream, INT64_MIN);
  WriteSmallintValue(&stream, -3);
  WriteWordValue(&stream, 0xFFFF);
  EXPECT_EQ(stream.Size(), 7 + 6 + 1 + 10 + 8 + 8 + 4 + 8 + 2 + 2);
  stream.SetPosition(0);
  EXPECT_EQ(Hex(stream.ReadAll().substr(0, 13)), Hex(Raw({3, 0, 0, 0, 'a', 'b', 'c', 1, 0, 0, 0, 0xE9, 0})));
  stream.SetPosition(0);
  EXPECT_EQ(ReadTextValue(&stream), "abc");
  EXPECT_EQ(ReadWideTextValue(&stream), u"\u00E9");
  EXPECT_EQ(ReadByteValue(&stream), 0xFE);
  EXPECT_EQ(ReadExtendedValue(&stream), 1.0L / 3);
  EXPECT_EQ(ReadCurrencyValue(&stream), -5);
  EXPECT_EQ(ReadDateValue(&stream), 36526.25);
  EXPECT_EQ(ReadIntegerValue(&stream), -2);
  EXPECT_EQ(ReadInt64Value(&stream), INT64_MIN);
  EXPECT_EQ(ReadSmallintValue(&stream), -3);
  EXPECT_EQ(ReadWordValue(&stream), 0xFFFF);
  EXPECT_THROW(ReadByteValue(&stream), EReadError);
}

TEST_F(VariantStreamTest, ComparingVariants) {
  TVariant longer = TVariant::CreateArray({{0, 3}}), shorter = TVariant::CreateArray({{0, 2}});
  for (int i = 0; i <= 3; ++i) longer[i] = 0;
  for (int i = 0; i <= 2; ++i) shorter[i] = 100;
  TVariant same = shorter, larger = shorter;
  larger[2] = 101;
  const struct {
    TVariant a, b;
    int expected;
  } cases[] = {
      {TVariant(), TVariant::Null(), -1}, {TVariant(), TVariant(), 0}, {TVariant::Null(), TVariant(), 1},
      {TVariant::Null(), 5, -1},          {5, TVariant::Null(), 1},    {TVariant::Null(), TVariant::Null(), 0},
      {"same", "same", 0},                {5, "x", -1},                {"x", 5, -1},
      {longer, shorter, 1},               {shorter, longer, -1},       {shorter, same, 0},
      {shorter, larger, -1},              {shorter, 5, 1},             {5, shorter, -1},
      {2, 10, -1},                        {TVariant(), 0, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CompareVariants(c.a, c.b), c.expected) << c.a.VarType() << " / " << c.b.VarType();
    EXPECT_EQ(VariantsEqual(c.a, c.b), c.expected == 0);
  }
}

TEST_F(VariantStreamTest, EqualityAndTypeTests) {
  EXPECT_TRUE(VarEqualsEx(true, "True"));
  EXPECT_FALSE(VarEqualsEx(true, -1));  // "True" against "-1"
  EXPECT_TRUE(VarEqualsEx(true, true));
  EXPECT_FALSE(VarEqualsEx(true, TVariant::Null()));
  EXPECT_FALSE(VarEqualsEx(true, TVariant::CreateArray({{0, 0}})));  // no text: false, no error
  EXPECT_TRUE(VarEqualsEx(2, 2.0));
  EXPECT_FALSE(VarEqualsEx(TVariant::Null(), 0));

  EXPECT_TRUE(VarTypeIsDateOrTimeStamp(varDate));
  EXPECT_TRUE(VarTypeIsDateOrTimeStamp(varSQLTimeStamp));
  EXPECT_FALSE(VarTypeIsDateOrTimeStamp(varDouble));
  EXPECT_TRUE(VarIsDateOrTimeStamp(TVariant::FromDate(1)));
  EXPECT_FALSE(VarIsDateOrTimeStamp(1.0));

  const struct {
    TVariant value;
    bool numericOrBcd, nullOrEmptyString;
  } cases[] = {
      {1, true, false},          {2.5, true, false},      {TVariant::FromCurrency(1), true, false},
      {true, true, false},       {"1", false, false},     {TVariant::FromBcd(StrToBcd("1")), true, false},
      {TVariant::FromDate(1), false, false}, {TVariant::Null(), false, true}, {TVariant(), false, false},
      {"", false, true},         {u"", false, true},      {" ", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VarIsNumericOrBcd(c.value), c.numericOrBcd) << VarTypeName(c.value.VarType());
    EXPECT_EQ(VarIsNullOrEmptyString(c.value), c.nullOrEmptyString) << VarTypeName(c.value.VarType());
  }
}

}  // namespace
