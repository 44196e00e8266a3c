#include "calderan_test.h"

#include <cmath>
#include <string>

#include "SysUtils.h"
#include "Variants.h"

namespace {

// The texts of numbers and dates follow the thread locale, set here for the test process.
class LocaleTest : public ::testing::Test {
 protected:
  explicit LocaleTest(LANGID language) : previous_(GetThreadLocale()) {
    SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
    LoadLocaleFormatSettings();
  }
  ~LocaleTest() override {
    SetThreadLocale(previous_);
    LoadLocaleFormatSettings();
  }

 private:
  LCID previous_;
};

class EnglishVariantTest : public LocaleTest {
 protected:
  EnglishVariantTest() : LocaleTest(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)) {}
};

class GermanVariantTest : public LocaleTest {
 protected:
  GermanVariantTest() : LocaleTest(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)) {}
};

TVariant Bcd(const char* text) { return TVariant::FromBcd(StrToBcd(text)); }

TEST_F(EnglishVariantTest, ValuesAsText) {
  const struct {
    TVariant value;
    const char* text;
  } cases[] = {
      {TVariant(), ""},
      {int8_t(-5), "-5"},
      {uint32_t(4000000000u), "4000000000"},
      {int64_t(-9223372036854775807LL - 1), "-9223372036854775808"},
      {1.5, "1.5"},
      {0.1f, "0.1"},
      {TVariant::FromCurrency(-12345), "-1.2345"},
      {TVariant::FromCurrency(50000), "5"},
      {true, "True"},
      {false, "False"},
      {TVariant::FromDate(36526.5), "1/1/2000 12:00:00 PM"},
      {TVariant::FromDate(36526), "1/1/2000"},
      {u"wide", "wide"},
      {Bcd("-0012.3400"), "-12.34"},
      {Bcd("-0.000"), "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value.AsString(), c.text) << VarTypeName(c.value.VarType());
}

TEST_F(GermanVariantTest, NumbersFollowTheLocale) {
  EXPECT_EQ(TVariant(1.5).AsString(), "1,5");
  EXPECT_EQ(TVariant::FromCurrency(12345).AsString(), "1,2345");
  EXPECT_EQ(TVariant("2,5").AsDouble(), 2.5);
  EXPECT_EQ(BcdToStr(StrToBcd("3,25")), "3,25");
  EXPECT_EQ(TVariant("2,5").AsCurrency(), 25000);
}

TEST_F(EnglishVariantTest, TextsAsValues) {
  EXPECT_EQ(TVariant(" 12 ").AsInteger(), 12);
  EXPECT_EQ(TVariant("2.5").AsInteger(), 2);  // halves to even
  EXPECT_EQ(TVariant("3.5").AsInteger(), 4);
  EXPECT_EQ(TVariant("9223372036854775807").AsInt64(), INT64_MAX);
  EXPECT_EQ(TVariant("1e3").AsDouble(), 1000);
  EXPECT_TRUE(TVariant("true").AsBoolean());
  EXPECT_FALSE(TVariant("0").AsBoolean());
  EXPECT_EQ(TVariant("True").AsInteger(), -1);
  EXPECT_EQ(TVariant("1.23456").AsCurrency(), 12346);
  EXPECT_EQ(TVariant("2/29/2000").AsDate(), EncodeDate(2000, 2, 29));
  EXPECT_EQ(TVariant(u"15 March 2000").AsDate(), EncodeDate(2000, 3, 15));
  EXPECT_EQ(TVariant(true).AsInteger(), -1);
  EXPECT_EQ(TVariant().AsInteger(), 0);
}

TEST_F(EnglishVariantTest, ConversionErrors) {
  try {
    TVariant::Null().AsInteger();
    FAIL() << "Null has no number";
  } catch (const EVariantTypeCastError& e) {
    EXPECT_EQ(e.Message(), "Could not convert variant of type (Null) into type (Integer)");
  }
  EXPECT_THROW(TVariant("x").AsDouble(), EVariantTypeCastError);
  EXPECT_THROW(TVariant("x").AsBoolean(), EVariantTypeCastError);
  EXPECT_THROW(TVariant("2/30/2000").AsDate(), EVariantTypeCastError);
  EXPECT_THROW(TVariant("1.2.3").AsBcd(), EVariantTypeCastError);
  EXPECT_THROW(TVariant::CreateArray({{0, 1}}).AsString(), EVariantTypeCastError);
  EXPECT_THROW(TVariant(70000).ChangeType(varSmallint), EVariantOverflowError);
  EXPECT_THROW(TVariant(-1).ChangeType(varByte), EVariantOverflowError);
  EXPECT_THROW(TVariant(1e300).ChangeType(varSingle), EVariantOverflowError);
  EXPECT_THROW(TVariant(1e300).AsInt64(), EVariantOverflowError);
  EXPECT_THROW(TVariant(std::nan("")).AsInteger(), EVariantOverflowError);
  EXPECT_THROW(TVariant(3e10).AsInteger(), EVariantOverflowError);
  EXPECT_THROW(TVariant::CreateArray({{0, 1}}).ChangeType(varInteger), EVariantTypeCastError);
}

TEST_F(EnglishVariantTest, ChangeTypeGivesTheTypeAsked) {
  const TVarType types[] = {varSmallint, varInteger, varSingle, varDouble, varCurrency, varDate, varOleStr,
                            varBoolean,  varShortInt, varByte,  varWord,   varLongWord, varInt64, varString,
                            varFMTBcd,   varSQLTimeStamp};
  for (TVarType type : types) {
    for (const TVariant& seven : {TVariant(7), TVariant(TVariant::FromDate(7)), TVariant("7")}) {
      if (seven.VarType() == varString && (type == varDate || type == varSQLTimeStamp)) continue;  // a day's text
      TVariant converted = seven.ChangeType(type);
      EXPECT_EQ(converted.VarType(), type) << VarTypeName(type);
      if (type != varBoolean) EXPECT_EQ(VarCompareValue(converted, seven), vrEqual) << VarTypeName(type);
      else EXPECT_TRUE(converted.AsBoolean());
    }
  }
  EXPECT_EQ(TVariant::Null().ChangeType(varEmpty).VarType(), varEmpty);
  EXPECT_EQ(TVariant(5).ChangeType(varVariant).VarType(), varInteger);
}

TEST_F(EnglishVariantTest, ComparingValues) {
  const struct {
    TVariant a, b;
    TVariantRelationship expected;
  } cases[] = {
      {1, 2.5, vrLessThan},
      {int64_t(INT64_MAX), int64_t(INT64_MAX - 1), vrGreaterThan},  // exact, not as doubles
      {"abc", "abd", vrLessThan},
      {"abc", u"abc", vrEqual},
      {"b", "A", vrGreaterThan},  // the locale's order, not the bytes'
      {"10", 9, vrGreaterThan},   // a text against a number compares as numbers
      {"10", "9", vrLessThan},
      {true, false, vrGreaterThan},
      {true, -1, vrEqual},
      {true, "True", vrEqual},
      {TVariant::Null(), TVariant::Null(), vrEqual},
      {TVariant::Null(), -100, vrLessThan},
      {"", TVariant::Null(), vrGreaterThan},
      {TVariant(), "", vrEqual},
      {TVariant(), 0, vrEqual},
      {TVariant(), -1, vrGreaterThan},
      {TVariant::FromCurrency(15000), 1.5, vrEqual},
      {TVariant::FromDate(36526), "1/1/2000", vrEqual},
      {TVariant::FromDate(36526), 36527, vrLessThan},
      {Bcd("12.50"), 12.5, vrEqual},
      {Bcd("-3"), Bcd("-2.99"), vrLessThan},
      {TVariant::FromSQLTimeStamp(DateTimeToSQLTimeStamp(36526.25)), TVariant::FromDate(36526.25), vrEqual},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VarCompareValue(c.a, c.b), c.expected) << c.a.AsString() << " / " << c.b.AsString();
  }
  EXPECT_THROW(VarCompareValue(5, "x"), EVariantTypeCastError);
  EXPECT_THROW(VarCompareValue(TVariant::CreateArray({{0, 0}}), 5), EVariantInvalidOpError);
}

TEST_F(EnglishVariantTest, BcdTextsAndOrder) {
  struct TCase {
    const char* text;
    bool ok;
    int precision, places;
    bool negative;
  };
  static const std::string nines(64, '9');
  const TCase cases[] = {
      {"123.45", true, 5, 2, false}, {"-0.5", true, 1, 1, true},  {"+007", true, 1, 0, false},
      {".5", true, 1, 1, false},     {"5.", true, 1, 0, false},   {"", false, 0, 0, false},
      {"-", false, 0, 0, false},     {"1.2.3", false, 0, 0, false}, {"1e5", false, 0, 0, false},
      {nines.c_str(), true, 64, 0, false},
  };
  for (const auto& c : cases) {
    TBcd bcd;
    ASSERT_EQ(TryStrToBcd(c.text, bcd), c.ok) << c.text;
    if (!c.ok) continue;
    EXPECT_EQ(bcd.Precision, c.precision) << c.text;
    EXPECT_EQ(bcd.SignSpecialPlaces & 0x3F, c.places) << c.text;
    EXPECT_EQ((bcd.SignSpecialPlaces & 0x80) != 0, c.negative) << c.text;
  }
  TBcd bcd;
  EXPECT_FALSE(TryStrToBcd(std::string(65, '9'), bcd));
  EXPECT_EQ(StrToBcd("123.45").Fraction[0], 0x12);
  EXPECT_EQ(StrToBcd("123.45").Fraction[2], 0x50);
  EXPECT_THROW(StrToBcd("x"), EConvertError);

  const char* ascending[] = {"-100", "-99.99", "-0.5", "0", "0.001", "0.01", "1", "9.9", "10", "100.5"};
  for (const char* a : ascending) {
    for (const char* b : ascending) {
      int expected = std::strtod(a, nullptr) < std::strtod(b, nullptr) ? -1 : std::strtod(a, nullptr) > std::strtod(b, nullptr);
      EXPECT_EQ(BcdCompare(StrToBcd(a), StrToBcd(b)), expected) << a << " / " << b;
    }
  }
  EXPECT_EQ(BcdCompare(StrToBcd("-0"), StrToBcd("0.000")), 0);
}

TEST_F(EnglishVariantTest, TimeStampsAndDates) {
  TSQLTimeStamp stamp{2024, 2, 29, 13, 45, 30, 250};
  TDateTime date = SQLTimeStampToDateTime(stamp);
  EXPECT_DOUBLE_EQ(date, EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 250));
  TSQLTimeStamp back = DateTimeToSQLTimeStamp(date);
  EXPECT_EQ(std::tuple(back.Year, back.Month, back.Day, back.Hour, back.Minute, back.Second, back.Fractions),
            std::tuple(stamp.Year, stamp.Month, stamp.Day, stamp.Hour, stamp.Minute, stamp.Second, stamp.Fractions));
  EXPECT_THROW(SQLTimeStampToDateTime(TSQLTimeStamp{}), EConvertError);
  EXPECT_THROW(TVariant::FromSQLTimeStamp(TSQLTimeStamp{}).AsDate(), EVariantTypeCastError);
}

TEST_F(EnglishVariantTest, Arrays) {
  TVariant array = TVariant::CreateArray({{5, 7}});
  EXPECT_EQ(array.VarType(), varArray | varVariant);
  EXPECT_EQ(array.DimCount(), 1);
  EXPECT_EQ(array.LowBound(), 5);
  EXPECT_EQ(array.HighBound(), 7);
  EXPECT_TRUE(array[6].IsEmpty());
  array[6] = "x";
  TVariant copy = array;
  copy[6] = "y";
  EXPECT_EQ(array[6].AsString(), "x");  // copies are values
  EXPECT_THROW(array[4], EVariantBadIndexError);
  EXPECT_THROW(array[8], EVariantBadIndexError);
  EXPECT_THROW(array.HighBound(2), EVariantBadIndexError);
  EXPECT_THROW(TVariant(1).DimCount(), EVariantInvalidOpError);
  TVariant grid = TVariant::CreateArray({{0, 1}, {0, 2}});
  EXPECT_EQ(grid.DimCount(), 2);
  EXPECT_THROW(grid[0], EVariantBadIndexError);
  EXPECT_EQ(TVariant::CreateArray({{0, -1}}).HighBound(), -1);  // empty
  EXPECT_THROW(TVariant::CreateArray({{0, -2}}), EVariantBadIndexError);
}

}  // namespace
