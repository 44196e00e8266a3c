#include "calderan_test.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "LocaleScope.h"
#include "cxDateUtils.h"

namespace {

using TTable = std::unique_ptr<TcxCustomCalendarTable>;

TTable Table(int type) { return TTable(CreateCalendarTable(type)); }

std::string Describe(const CalendarDateTime& d) {
  return Format("era %d %u/%u/%u", {d.Era, d.Year, d.Month, d.Day});
}

class CalendarTest : public ::testing::Test {
 protected:
  TLocaleScope locale{LocaleEnglishUS};
};

// ---------------------------------------------------------------------------------------------
// Every day from 1900 to 2100 (or from the calendar's first day): the record converts back to the
// same value, is a valid day, and follows the previous day's record by exactly one day, so month
// and year lengths agree with the conversion.
struct TSweepFailure {
  int count = 0;
  std::string first;
  void Add(const std::string& what) {
    if (count++ == 0) first = what;
  }
};

bool IsNextDay(const TcxCustomCalendarTable& t, const CalendarDateTime& prev, const CalendarDateTime& next) {
  if (next.Era != prev.Era) return true;  // a new era renumbers the year; the values were compared
  const int e = prev.Era, y = static_cast<int>(prev.Year), m = static_cast<int>(prev.Month);
  if (next.Year == prev.Year && next.Month == prev.Month) return next.Day == prev.Day + 1;
  if (next.Day != 1 || static_cast<int>(prev.Day) != t.DaysInEraMonth(e, y, m)) return false;
  if (next.Year == prev.Year) return next.Month == prev.Month + 1;
  return next.Year == prev.Year + 1 && m == t.MonthsInEraYear(e, y) && next.Month == 1;
}

void SweepDays(const TcxCustomCalendarTable& t, TSweepFailure& failures) {
  const TDateTime first = std::max(EncodeDate(1900, 1, 1), std::ceil(t.MinDate()));
  const TDateTime last = EncodeDate(2100, 12, 31);
  CalendarDateTime prev = t.FromDateTime(first - 1);
  for (TDateTime day = first; day <= last; ++day) {
    const CalendarDateTime date = t.FromDateTime(day + 0.75);
    const std::string at = FormatDateTime("yyyy-mm-dd", day) + " -> " + Describe(date);
    if (t.ToDateTime(date) != day + 0.75) failures.Add(at + ": converts back to another value");
    if (date.Hours != 18) failures.Add(at + ": loses the time of day");
    if (!t.IsValidEraDay(date.Era, static_cast<int>(date.Year), static_cast<int>(date.Month),
                         static_cast<int>(date.Day))) {
      failures.Add(at + ": not a valid day");
    }
    if (day > first && !IsNextDay(t, prev, date)) failures.Add(at + ": does not follow " + Describe(prev));
    if (date.Year != prev.Year && day > first) {
      const int finished = static_cast<int>(prev.Year);
      const int length = static_cast<int>(t.YMDToDateTime(static_cast<int>(date.Year), 1, 1) -
                                          t.YMDToDateTime(finished, 1, 1));
      if (date.Era == prev.Era && length != t.DaysInYear(finished)) failures.Add(at + ": year length differs");
    }
    prev = date;
  }
}

TEST_F(CalendarTest, EveryDayConvertsBothWays) {
  for (int type : {cxCalGregorian, cxCalJapan, cxCalTaiwan, cxCalKorea, cxCalThai, cxCalHijri, cxCalHebrew}) {
    SCOPED_TRACE(Format("calendar %d", {type}));
    TTable t = Table(type);
    TSweepFailure failures;
    SweepDays(*t, failures);
    EXPECT_EQ(failures.count, 0) << failures.first;
  }
}

// ---------------------------------------------------------------------------------------------
// Known dates
struct TAnchor {
  int type;
  int gy, gm, gd;
  int era, year, month, day;
};

TEST_F(CalendarTest, KnownDatesConvertBothWays) {
  const TAnchor anchors[] = {
      {cxCalJapan, 1989, 1, 7, 2, 64, 1, 7},     {cxCalJapan, 1989, 1, 8, 3, 1, 1, 8},
      {cxCalJapan, 2000, 1, 1, 3, 12, 1, 1},     {cxCalJapan, 1926, 12, 25, 2, 1, 12, 25},
      {cxCalThai, 2000, 1, 1, 0, 2543, 1, 1},    {cxCalKorea, 2000, 1, 1, 0, 4333, 1, 1},
      {cxCalTaiwan, 1912, 1, 1, 0, 1, 1, 1},     {cxCalTaiwan, 2000, 1, 1, 0, 89, 1, 1},
      {cxCalHijri, 2000, 1, 1, -1, 1420, 9, 25}, {cxCalHebrew, 2000, 1, 1, -1, 5760, 4, 23},
      {cxCalHebrew, 1999, 9, 11, -1, 5760, 1, 1}, {cxCalHebrew, 2024, 10, 3, -1, 5785, 1, 1},
      {cxCalHebrew, 2023, 9, 16, -1, 5784, 1, 1}, {cxCalHebrew, 2000, 4, 20, -1, 5760, 8, 15},
      {cxCalGregorian, 2000, 2, 29, -1, 2000, 2, 29},
  };
  for (const TAnchor& a : anchors) {
    SCOPED_TRACE(Format("calendar %d, %d-%d-%d", {a.type, a.gy, a.gm, a.gd}));
    TTable t = Table(a.type);
    const CalendarDateTime date = t->FromDateTime(EncodeDate(a.gy, a.gm, a.gd));
    EXPECT_EQ(date.Era, a.era);
    EXPECT_EQ(date.Year, static_cast<uint32_t>(a.year));
    EXPECT_EQ(date.Month, static_cast<uint32_t>(a.month));
    EXPECT_EQ(date.Day, static_cast<uint32_t>(a.day));
    EXPECT_EQ(t->ToDateTime(date), EncodeDate(a.gy, a.gm, a.gd));
  }
}

TEST_F(CalendarTest, TaiwanDayBeforeItsEraIsYearZeroOfNoEra) {
  TTable t = Table(cxCalTaiwan);
  const CalendarDateTime date = t->FromDateTime(EncodeDate(1911, 12, 31));
  EXPECT_EQ(date.Year, 0u);
  EXPECT_EQ(t->EraOfDate(1911, 12, 31), -1);
  EXPECT_EQ(t->MinDate(), EncodeDate(1912, 1, 1));
}

TEST_F(CalendarTest, EraLookup) {
  TTable gregorian = Table(cxCalGregorian);
  EXPECT_EQ(gregorian->EraOfDate(2000, 1, 1), -1);  // no eras
  TTable japanese = Table(cxCalJapan);
  EXPECT_EQ(japanese->EraOfDate(1868, 9, 7), -1);   // before the first era
  EXPECT_EQ(japanese->EraOfDate(1868, 9, 8), 0);
  EXPECT_EQ(japanese->EraOfYear(1990), 3);
  int year = 64, era = 2;  // Showa 64 on 10 January is Heisei 1
  japanese->AdjustEraYearOnDate(year, era, 1, 10);
  EXPECT_EQ(era, 3);
  EXPECT_EQ(year, 1);
}

// ---------------------------------------------------------------------------------------------
// Year lengths and leap rules
TEST_F(CalendarTest, GregorianLeapRule) {
  TTable t = Table(cxCalGregorian);
  const struct {
    int year;
    bool leap;
  } cases[] = {{1900, false}, {2000, true}, {2004, true}, {2100, false}, {2400, true}, {2023, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(t->IsLeapCalendarYear(c.year), c.leap) << c.year;
    EXPECT_EQ(t->DaysInYear(c.year), c.leap ? 366 : 365) << c.year;
    EXPECT_EQ(t->DaysInMonth(c.year, 2), c.leap ? 29 : 28) << c.year;
    EXPECT_EQ(t->IsLeapDay(c.year, 2, 29), c.leap) << c.year;
  }
  TTable thai = Table(cxCalThai);
  EXPECT_FALSE(thai->IsValidYear(543));
  EXPECT_TRUE(thai->IsValidYear(544));
  EXPECT_TRUE(thai->IsLeapCalendarYear(2543));  // Gregorian 2000
}

TEST_F(CalendarTest, HijriThirtyYearCycle) {
  TTable t = Table(cxCalHijri);
  EXPECT_TRUE(t->IsLeapCalendarYear(1420));
  EXPECT_EQ(t->DaysInMonth(1420, 12), 30);
  EXPECT_EQ(t->DaysInYear(1420), 355);
  EXPECT_EQ(t->DaysInMonth(1421, 12), 29);
  int leapYears = 0, days = 0;
  for (int year = 1; year <= 30; ++year) {
    leapYears += t->IsLeapCalendarYear(year);
    for (int month = 1; month <= 12; ++month) days += t->DaysInMonth(year, month);
  }
  EXPECT_EQ(leapYears, 11);
  EXPECT_EQ(days, 10631);
  EXPECT_EQ(t->YMDToDateTime(31, 1, 1) - t->YMDToDateTime(1, 1, 1), 10631);
  // the table's range ends with the Gregorian one
  EXPECT_EQ(std::trunc(t->MaxDate()), EncodeDate(9999, 12, 31));
  EXPECT_EQ(t->FromDateTime(EncodeDate(9999, 12, 31)).Year, 9666u);
}

TEST_F(CalendarTest, HebrewYearTable) {
  // Gregorian year, coded Hebrew date of 1 January, year type
  const int rows[][3] = {{1583, 7, 3},  {1584, 17, 3}, {1999, 13, 3}, {2000, 23, 6},
                         {2001, 6, 1},  {2024, 20, 4}, {2238, 14, 2}, {2239, 24, 6}};
  for (const auto& row : rows) {
    const TcxHebrewYearRow r = HebrewYearRow(row[0] + 3760);
    EXPECT_EQ(r.FirstJanuary, row[1]) << row[0];
    EXPECT_EQ(r.YearType, row[2]) << row[0];
  }
  EXPECT_EQ(HebrewYearRow(5342).YearType, 0);
  EXPECT_EQ(HebrewYearRow(6000).YearType, 0);
}

TEST_F(CalendarTest, HebrewYearLengthsFollowTheTable) {
  TTable t = Table(cxCalHebrew);
  EXPECT_EQ(t->DaysInYear(5761), 353);
  EXPECT_EQ(t->MonthsInYear(5760), 13);
  EXPECT_EQ(t->DaysInYear(5760), 385);
  EXPECT_TRUE(t->IsLeapMonth(5760, 7));
  EXPECT_FALSE(t->IsLeapMonth(5761, 7));
  for (int year = 5343; year < 5999; ++year) {
    int days = 0;
    for (int month = 1; month <= t->MonthsInYear(year); ++month) days += t->DaysInMonth(year, month);
    ASSERT_EQ(days, t->DaysInYear(year)) << year;
    ASSERT_EQ(t->YMDToDateTime(year + 1, 1, 1) - t->YMDToDateTime(year, 1, 1), days) << year;
    const int cycleYear = (year - 1) % 19 + 1;  // leap years 3, 6, 8, 11, 14, 17, 19 of the cycle
    const bool leap = cycleYear == 3 || cycleYear == 6 || cycleYear == 8 || cycleYear == 11 ||
                      cycleYear == 14 || cycleYear == 17 || cycleYear == 19;
    ASSERT_EQ(t->IsLeapCalendarYear(year), leap) << year;
  }
  EXPECT_FALSE(t->IsValidYear(6000));
  EXPECT_EQ(t->DaysInYear(6000), 0);
  EXPECT_EQ(t->DaysInMonth(6000, 1), 0);
}

TEST_F(CalendarTest, HebrewValuesOutsideItsYearsAreClamped) {
  TTable t = Table(cxCalHebrew);
  const CalendarDateTime last = t->FromDateTime(EncodeDate(2300, 1, 1));
  EXPECT_EQ(last.Year, 5999u);
  EXPECT_EQ(last.Month, static_cast<uint32_t>(t->MonthsInYear(5999)));
  EXPECT_EQ(last.Day, static_cast<uint32_t>(t->DaysInMonth(5999, last.Month)));
  EXPECT_EQ(std::trunc(t->ToDateTime(last)), EncodeDate(2239, 9, 29));
  const CalendarDateTime first = t->FromDateTime(EncodeDate(1500, 1, 1));
  EXPECT_EQ(t->ToDateTime(first), EncodeDate(1583, 1, 1));
}

// ---------------------------------------------------------------------------------------------
// Arithmetic
TEST_F(CalendarTest, AddingMonthsAndYearsKeepsTheDayInTheMonth) {
  TTable t = Table(cxCalGregorian);
  const struct {
    TDateTime from;
    int months, years;
    TDateTime expected;
  } cases[] = {
      {EncodeDate(2001, 1, 31), 1, 0, EncodeDate(2001, 2, 28)},
      {EncodeDate(2000, 1, 31), 1, 0, EncodeDate(2000, 2, 29)},
      {EncodeDate(2001, 1, 31), -13, 0, EncodeDate(1999, 12, 31)},
      {EncodeDate(2000, 6, 15), 30, 0, EncodeDate(2002, 12, 15)},
      {EncodeDate(2000, 2, 29), 0, 1, EncodeDate(2001, 2, 28)},
      {EncodeDate(2000, 2, 29), 0, 4, EncodeDate(2004, 2, 29)},
      // past the ends of the calendar: its last or first day
      {EncodeDate(9999, 12, 1), 1, 0, MaxDateTime},
      {EncodeDate(9999, 6, 1), 0, 1, MaxDateTime},
      {EncodeDate(100, 1, 15), -1200, 0, MinDateTime},
  };
  for (const auto& c : cases) {
    const TDateTime result = c.months ? t->AddMonthsTo(c.from, c.months) : t->AddYearsTo(c.from, c.years);
    EXPECT_EQ(result, c.expected) << FormatDateTime("yyyy-mm-dd", c.from) << " " << c.months << " " << c.years;
  }
  EXPECT_EQ(t->AddWeeksTo(EncodeDate(2000, 1, 1), 2), EncodeDate(2000, 1, 15));
}

TEST_F(CalendarTest, ArithmeticInCalendarsWithErasAndLeapMonths) {
  TTable japanese = Table(cxCalJapan);
  EXPECT_EQ(japanese->AddYearsTo(EncodeDate(1988, 1, 10), 1), EncodeDate(1989, 1, 10));  // Showa 63 to Heisei 1
  EXPECT_EQ(japanese->AddMonthsTo(EncodeDate(1988, 12, 10), 1), EncodeDate(1989, 1, 10));
  TTable hebrew = Table(cxCalHebrew);
  // 5760 has 13 months: month 13 of 5760 + 1 is month 1 of 5761; 30 of month 6 + 1 is 29 of month 7
  EXPECT_EQ(hebrew->AddMonthsTo(hebrew->YMDToDateTime(5760, 13, 1), 1), hebrew->YMDToDateTime(5761, 1, 1));
  EXPECT_EQ(hebrew->AddMonthsTo(hebrew->YMDToDateTime(5760, 6, 30), 1), hebrew->YMDToDateTime(5760, 7, 29));
  EXPECT_EQ(hebrew->AddMonthsTo(hebrew->YMDToDateTime(5761, 1, 1), -13), hebrew->YMDToDateTime(5760, 1, 1));
  CalendarDateTime invalid;
  invalid.Year = 5760, invalid.Month = 14, invalid.Day = 1;
  EXPECT_EQ(hebrew->AddMonths(invalid, 1), hebrew->MinDate());
  TTable hijri = Table(cxCalHijri);
  EXPECT_EQ(hijri->AddYearsTo(hijri->YMDToDateTime(1420, 12, 30), 1), hijri->YMDToDateTime(1421, 12, 29));
}

TEST_F(CalendarTest, WeekStarts) {
  TTable t = Table(cxCalGregorian);
  const TDateTime sunday = EncodeDate(2000, 1, 16);
  EXPECT_EQ(t->WeekStartOfOn(sunday, 1), EncodeDate(2000, 1, 10));
  EXPECT_EQ(t->WeekStartOfOn(sunday, 0), sunday);
  EXPECT_EQ(t->WeekStartOf(EncodeDate(2000, 1, 19)), sunday);
  TTable arabic = Table(cxCalGregorianArabic);
  EXPECT_EQ(arabic->FirstWeekDay(), 6);
  EXPECT_EQ(arabic->WeekStartOf(EncodeDate(2000, 1, 19)), EncodeDate(2000, 1, 15));
  EXPECT_EQ(Table(cxCalGregorianXlitEnglish)->FirstWeekDay(), 1);
}

// ---------------------------------------------------------------------------------------------
// Week numbers
TEST_F(CalendarTest, WeekNumbersByRule) {
  const struct {
    int y, m, d, startDay, rule, week;
  } cases[] = {
      {2010, 1, 4, 1, 3, 1},
      {2010, 1, 1, 1, 3, 53},   // before the first week: the last week of 2009
      {2011, 1, 1, 1, 3, 52},
      {2008, 12, 29, 1, 3, 1},  // in the first week of 2009
      {2010, 1, 3, 1, 2, 52},   // before the first full week
      {2011, 12, 31, 0, 1, 53},
      {2011, 12, 25, 0, 1, 53},
      {2012, 12, 30, 0, 1, 1},  // the week of 1 January
      {2000, 1, 1, 0, 1, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GregorianWeekNumber(EncodeDate(c.y, c.m, c.d), c.startDay, c.rule), c.week)
        << c.y << "-" << c.m << "-" << c.d << " start " << c.startDay << " rule " << c.rule;
  }
}

// The first-four-days rule with Monday weeks is the ISO week; check every day against the
// ISO definition (the week of the Thursday).
TEST_F(CalendarTest, FourDayRuleIsTheIsoWeekOnEveryDay) {
  for (TDateTime day = EncodeDate(1900, 1, 1); day <= EncodeDate(2100, 12, 31); ++day) {
    const int isoWeekday = (DayOfWeek(day) + 5) % 7 + 1;  // Monday 1 .. Sunday 7
    const TDateTime thursday = day - isoWeekday + 4;
    uint16_t y, m, d;
    DecodeDate(thursday, y, m, d);
    const int expected = static_cast<int>((thursday - EncodeDate(y, 1, 1)) / 7) + 1;
    ASSERT_EQ(GregorianWeekNumber(day, 1, 3), expected) << FormatDateTime("yyyy-mm-dd", day);
  }
}

TEST_F(CalendarTest, LunarCalendarWeekNumbers) {
  for (int type : {cxCalHijri, cxCalHebrew}) {
    TTable t = Table(type);
    const int year = type == cxCalHijri ? 1420 : 5760;
    const TDateTime first = t->YMDToDateTime(year, 1, 1);
    EXPECT_EQ(t->WeekNumberOf(first, 0, 1), 1) << type;
    EXPECT_EQ(t->WeekNumberOf(t->WeekStartOf(first) + 7, 0, 1), 2) << type;
    // the last day of a year with rule 1 is in week 1 of the next year only when that week has 1 January
    const TDateTime last = t->YMDToDateTime(year + 1, 1, 1) - 1;
    const int week = t->WeekNumberOf(last, 0, 1);
    EXPECT_EQ(week == 1, t->WeekStartOf(last) + 6 >= last + 1) << type;
  }
}

// ---------------------------------------------------------------------------------------------
// Texts, factory and eras
TEST_F(CalendarTest, PartsTypedAsText) {
  TTable t = Table(cxCalGregorian);
  EXPECT_EQ(t->MonthFromText(2000, "feb"), 2);
  EXPECT_EQ(t->MonthFromText(2000, "December"), 12);
  EXPECT_EQ(t->MonthFromText(2000, "13"), 13);
  EXPECT_EQ(t->DayFromText("15"), 15);
  EXPECT_EQ(t->YearFromText("2045"), 2045);
  EXPECT_THROW(t->MonthFromText(2000, "xyz"), EConvertError);
  EXPECT_THROW(t->DayFromText(""), EConvertError);
  DWORD windowMax = 0;
  ASSERT_NE(CallGetCalendarInfo(LOCALE_USER_DEFAULT, cxCalGregorian, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER,
                                nullptr, 0, &windowMax),
            0);
  const int century = static_cast<int>(windowMax) / 100 * 100;
  const int last = static_cast<int>(windowMax) % 100;
  EXPECT_EQ(t->YearFromText(IntToStr(last)), century + last);
  EXPECT_EQ(t->YearFromText(IntToStr(last + 1)), century - 100 + last + 1);
}

TEST_F(CalendarTest, HebrewNumerals) {
  TTable t = Table(cxCalHebrew);
  EXPECT_EQ(t->YearFromText("\xFA\xF9\xF1\xE4"), 5765);  // tav shin samekh he
  EXPECT_EQ(t->DayFromText("15"), 15);
  EXPECT_EQ(t->DayFromText("\xE8\xE5"), 15);  // tet vav
  EXPECT_EQ(t->MonthFromText(5760, "\xE6"), 7);  // zayin: the leap month of 5760
  EXPECT_EQ(HebrewNumeralValue("\xEA\xEB\xED\xEE"), 120);  // final forms count as their letters
  EXPECT_EQ(HebrewNumeralValue("12'\""), 0);
}

TEST_F(CalendarTest, FactoryPicksTheCalendar) {
  const struct {
    int type, id;
    bool gregorian;
  } cases[] = {{1, 1, true},   {2, 2, true},   {3, 3, false}, {4, 4, false}, {5, 5, false},
               {6, 6, false},  {7, 7, false},  {8, 8, false}, {9, 9, true},  {10, 10, true},
               {11, 11, true}, {12, 12, true}, {0, 1, true},  {13, 1, true}};
  for (const auto& c : cases) {
    TTable t = Table(c.type);
    EXPECT_EQ(t->CalendarId(), c.id) << c.type;
    EXPECT_EQ(IsGregorianCalendar(t.get()), c.gregorian) << c.type;
  }
  EXPECT_EQ(LocaleCalendarType(), cxCalGregorian);
  EXPECT_TRUE(IsGregorianCalendar());
  EXPECT_TRUE(Table(cxCalTaiwan)->Is<TcxJapaneseCalendarTable>());
  EXPECT_EQ(Table(cxCalJapan)->Eras->Count(), 4);
}

TEST_F(CalendarTest, ErasAssignOnlyEras) {
  std::unique_ptr<TcxEra> era(CreateEra(1, 2, 3, 4, 5));
  std::unique_ptr<TcxEra> copy(CreateEra(0, 0, 0, 0, 0));
  copy->Assign(era.get());
  EXPECT_EQ(copy->EraNumber, 1);
  EXPECT_EQ(copy->YearShift, 2);
  EXPECT_EQ(copy->FirstEraYear, 3);
  EXPECT_EQ(copy->EraStart, 4);
  EXPECT_EQ(copy->LastEraYear, 5);
  TPersistent other;
  EXPECT_THROW(copy->Assign(&other), EConvertError);
}

TEST_F(CalendarTest, InvalidRecordsGiveTheFirstDayOrAnError) {
  CalendarDateTime impossible;
  impossible.Year = 2001, impossible.Month = 2, impossible.Day = 29;
  EXPECT_THROW(Table(cxCalGregorian)->ToDateTime(impossible), EConvertError);
  TTable japanese = Table(cxCalJapan);
  EXPECT_EQ(japanese->ToDateTime(impossible), japanese->MinDate());
  TTable hebrew = Table(cxCalHebrew);
  impossible.Year = 5761, impossible.Month = 13, impossible.Day = 1;
  EXPECT_EQ(hebrew->ToDateTime(impossible), hebrew->MinDate());
  EXPECT_FALSE(hebrew->IsValidMonth(5761, 13));
}

}  // namespace
