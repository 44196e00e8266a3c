#include "calderan_test.h"

#include <memory>
#include <string>

#include "LocaleScope.h"
#include "cxDateUtils.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Gregorian arithmetic and parts
TEST_F(EnglishTest, MonthArithmetic) {
  const struct {
    uint16_t y, m;
    int n;
    uint16_t ey, em;
  } cases[] = {{2000, 1, -1, 1999, 12}, {2000, 12, 1, 2001, 1}, {2000, 6, -18, 1998, 12},
               {2000, 6, 25, 2002, 7},  {2000, 6, 0, 2000, 6},  {2000, 1, -12, 1999, 1}};
  for (const auto& c : cases) {
    uint16_t y = c.y, m = c.m;
    AddMonthsToYearMonth(y, m, c.n);
    EXPECT_EQ(y, c.ey) << c.y << "/" << c.m << " " << c.n;
    EXPECT_EQ(m, c.em) << c.y << "/" << c.m << " " << c.n;
  }
  uint16_t y = 2000, m = 1;
  StepMonthBack(y, m);
  EXPECT_EQ(y * 100 + m, 199912);
  StepMonthForward(y, m);
  EXPECT_EQ(y * 100 + m, 200001);
}

TEST_F(EnglishTest, DaysOfMonthsAndWeeks) {
  EXPECT_EQ(ClampDay(2001, 2, 30), 28);
  EXPECT_EQ(ClampDay(2000, 2, 30), 29);
  EXPECT_EQ(ClampDay(2000, 4, 0), 1);
  EXPECT_EQ(ClampDay(2000, 4, 12), 12);
  EXPECT_FALSE(IsGregorianLeapYear(1900));
  EXPECT_TRUE(IsGregorianLeapYear(-4));
  TcxFormatController* controller = GetFormatController();
  const uint8_t saved = controller->WeekStartDay;
  controller->WeekStartDay = 1;
  EXPECT_EQ(DayOfWeekIndex(EncodeDate(2000, 1, 17)), 0);  // a Monday
  EXPECT_EQ(DayOfWeekIndex(EncodeDate(2000, 1, 16)), 6);  // a Sunday
  controller->WeekStartDay = saved;
  EXPECT_EQ(MinCalendarDate(), EncodeDate(100, 1, 1));
  EXPECT_EQ(DateTimeTimePart(36526.25), 0.25);
  EXPECT_EQ(DateTimeDatePart(36526.25), 36526);
}

TEST_F(EnglishTest, DatePartsByCalendar) {
  const TDateTime value = EncodeDate(2000, 1, 1);
  std::unique_ptr<TcxCustomCalendarTable> hebrew(CreateCalendarTable(cxCalHebrew));
  EXPECT_EQ(GetDatePart(0, nullptr, value), 2000);
  EXPECT_EQ(GetDatePart(1, nullptr, value), 1);
  EXPECT_EQ(GetDatePart(0, hebrew.get(), value), 5760);
  EXPECT_EQ(GetDatePart(1, hebrew.get(), value), 4);
  EXPECT_EQ(GetDatePart(7, hebrew.get(), value), 23);
}

TEST_F(EnglishTest, DateOrderAndBlanks) {
  const struct {
    const char* format;
    int order;
  } cases[] = {{"yyyy-MM-dd", 2}, {"dd.MM.yyyy", 1}, {"MM/dd/yy", 0}, {"", 0}, {"'x' e/M/d", 2}, {"gg", 0}};
  for (const auto& c : cases) EXPECT_EQ(DateOrderOf(c.format), c.order) << c.format;
  int position = 1;
  SkipBlanks("  ab", position);
  EXPECT_EQ(position, 3);
  position = 5;
  SkipBlanks("  ab", position);
  EXPECT_EQ(position, 5);
}

// ---------------------------------------------------------------------------------------------
// System texts
TEST_F(EnglishTest, CalendarTextsOfTheLocale) {
  std::string text;
  EXPECT_TRUE(FormatDateBySystem(text, 0, "MMMM d", EncodeDate(2000, 2, 5)));
  EXPECT_EQ(text, "February 5");
  EXPECT_EQ(SystemDayText(EncodeDate(2000, 2, 5)), "5");
  EXPECT_EQ(GetCalendarDayText(17), "17");
  GetCalendarMonthName(nullptr, text, EncodeDate(2000, 2, 5));
  EXPECT_EQ(text, "February");
  GetCalendarYearText(nullptr, text, EncodeDate(2000, 2, 5));
  EXPECT_EQ(text, "2000");
  GetCalendarYearMonthText(nullptr, text, EncodeDate(2000, 2, 5));
  EXPECT_EQ(text, "February 2000");
  EXPECT_EQ(GetCalendarMonthNameOf(2000, 13, nullptr), "");
  EXPECT_EQ(LocaleDateTimeText(EncodeDate(2000, 2, 5) + 0.5), "2/5/2000 12:00:00 PM");
}

TEST_F(EnglishTest, ShortDayNamesAreOneLetter) {
  std::string text;
  const char* expected[] = {"", "M", "T", "W", "T", "F", "S", "S", ""};
  for (int day = 0; day <= 8; ++day) {
    GetShortDayName(day, DEFAULT_CHARSET, text);
    EXPECT_EQ(text, expected[day]) << day;
  }
}

TEST_F(GermanTest, CalendarTextsFollowTheThreadLocale) {
  std::string text;
  GetCalendarMonthName(nullptr, text, EncodeDate(2000, 3, 5));
  EXPECT_EQ(text, "M\xE4rz");
  GetShortDayName(3, DEFAULT_CHARSET, text);
  EXPECT_EQ(text, "M");  // Mittwoch
  EXPECT_EQ(LocaleText(LOCALE_SDECIMAL, "."), ",");
  EXPECT_EQ(LocaleChar(LOCALE_SDATE, '/'), '.');
}

// Dates the system formatter refuses fall back to the class library's texts.
TEST_F(EnglishTest, SystemTextsFallBack) {
  std::string text;
  const TDateTime early = EncodeDate(1200, 3, 7);
  if (!FormatDateBySystem(text, 0, "d", early)) {
    EXPECT_EQ(text, "");
  }
  EXPECT_EQ(SystemDayText(early), "7");
  EXPECT_FALSE(FormatDateBySystem(text, 0, "d", -700000));
  EXPECT_EQ(text, "");
}

}  // namespace
