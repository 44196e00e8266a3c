#include "calderan_test.h"

#include <string>

#include "SysUtils.h"

namespace {

// The class library's English defaults, whatever the machine's locale.
class DatesTest : public ::testing::Test {
 protected:
  DatesTest() : saved_(FormatSettings()) { FormatSettings() = TFormatSettings(); }
  ~DatesTest() override { FormatSettings() = saved_; }

 private:
  TFormatSettings saved_;
};

TEST_F(DatesTest, EncodingKnownDays) {
  const struct {
    int y, m, d;
    double value;
    int weekday;
  } cases[] = {{1899, 12, 30, 0, 7}, {2000, 1, 1, 36526, 7}, {1, 1, 1, -693593, 2},
               {9999, 12, 31, 2958465, 6}, {100, 1, 1, -657434, 6}, {1900, 3, 1, 61, 5}};
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.value) << c.y;
    EXPECT_EQ(DayOfWeek(c.value), c.weekday) << c.y;
  }
  TDateTime value;
  EXPECT_FALSE(TryEncodeDate(2001, 2, 29, value));
  EXPECT_FALSE(TryEncodeDate(10000, 1, 1, value));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, value));
  EXPECT_THROW(EncodeDate(2000, 13, 1), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
}

// Every day of the supported range decodes to the date that encodes to it.
TEST_F(DatesTest, EveryDayDecodesToItsDate) {
  int y = 1, m = 1, d = 1;
  for (TDateTime value = EncodeDate(1, 1, 1); value <= EncodeDate(9999, 12, 31); ++value) {
    uint16_t yy, mm, dd;
    DecodeDate(value < 0 ? value - 0.5 : value + 0.5, yy, mm, dd);  // noon of that day
    ASSERT_TRUE(yy == y && mm == m && dd == d) << y << "-" << m << "-" << d;
    if (++d > DaysInAMonth(y, m)) {
      d = 1;
      if (++m > 12) m = 1, ++y;
    }
  }
}

TEST_F(DatesTest, TimesOfDaysBeforeTheEpochCountForward) {
  uint16_t y, m, d, h, n, s, ms;
  DecodeDate(-1.25, y, m, d);
  DecodeTime(-1.25, h, n, s, ms);
  EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
  EXPECT_EQ(h, 6);
  DecodeTime(0.5 + 1.0 / 86400000 * 7, h, n, s, ms);
  EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 120000007);
}

TEST_F(DatesTest, PictureLanguage) {
  const TDateTime value = EncodeDate(2000, 3, 5) + EncodeTime(14, 7, 9, 45);
  const struct {
    const char* format;
    const char* text;
  } cases[] = {
      {"yyyy-mm-dd hh:nn:ss.zzz", "2000-03-05 14:07:09.045"},
      {"d/m/yy", "5/3/00"},
      {"dddd, mmmm d", "Sunday, March 5"},
      {"ddd mmm", "Sun Mar"},
      {"h:mm am/pm", "2:07 pm"},
      {"h:mm A/P", "2:07 P"},
      {"hh AMPM", "02 PM"},
      {"H:MM", "14:07"},
      {"'h' \"m\" d", "h m 5"},
      {"c", "3/5/2000 2:07:09 PM"},
      {"ddddd t", "3/5/2000 2:07 PM"},
      {"", "3/5/2000 2:07:09 PM"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.format, value), c.text) << c.format;
  EXPECT_EQ(DateTimeToStr(EncodeDate(2000, 3, 5)), "3/5/2000");
  EXPECT_EQ(TimeToStr(EncodeTime(0, 5, 0, 0)), "12:05:00 AM");
}

TEST_F(DatesTest, ReadingTexts) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"3/5/2000", EncodeDate(2000, 3, 5)},
      {" 3 / 5 / 2000 ", EncodeDate(2000, 3, 5)},
      {"3/5/2000 2:07 PM", EncodeDate(2000, 3, 5) + EncodeTime(14, 7, 0, 0)},
      {"12:30:15", EncodeTime(12, 30, 15, 0)},
      {"12:30 am", EncodeTime(0, 30, 0, 0)},
  };
  for (const auto& c : cases) {
    TDateTime value = 0;
    EXPECT_TRUE(TryStrToDateTime(c.text, value)) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
  const std::string refused[] = {"", " ", "/", "3/5/10000", "2/30/2000", "13:00 PM", "25:00", "3/5/2000 x",
                                 std::string(10000, '1'), "12345678"};
  for (const std::string& text : refused) {
    TDateTime value;
    EXPECT_FALSE(TryStrToDateTime(text, value)) << text.substr(0, 20);
  }
  EXPECT_THROW(StrToDate("5.3.2000"), EConvertError);
  FormatSettings().ShortDateFormat = "d.M.yyyy";
  FormatSettings().DateSeparator = '.';
  EXPECT_EQ(StrToDate("5.3.2000"), EncodeDate(2000, 3, 5));
}

TEST_F(DatesTest, TwoDigitYearsFallInTheWindow) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const int pivot = now.wYear - 50;
  TDateTime value;
  for (int twoDigits : {0, 49, 50, 99}) {
    ASSERT_TRUE(TryStrToDate(Format("1/1/%.2d", {twoDigits}), value));
    uint16_t y, m, d;
    DecodeDate(value, y, m, d);
    EXPECT_GE(y, pivot) << twoDigits;
    EXPECT_LT(y, pivot + 100) << twoDigits;
    EXPECT_EQ(y % 100, twoDigits);
  }
}

}  // namespace
