// The calendars whose months are not Gregorian: the tabular Hijri calendar and the Hebrew
// calendar over its year table.
#include <array>
#include <cctype>
#include <cmath>

#include "cxDateUtils.h"

CALDERAN_IMPLEMENT_CLASS(TcxHijriCalendarTable, TcxCustomCalendarTable)
CALDERAN_IMPLEMENT_CLASS(TcxHebrewCalendarTable, TcxCustomCalendarTable)

namespace {

constexpr int64_t DaysToYearOne = 693594;  // a value + this = days since 1 January 1 (day 1)

int WholeDays(TDateTime value) { return static_cast<int>(std::trunc(value)); }

// Week numbers of calendars with weeks that start on their own first weekday. Days before the
// first week of their year belong to the last week of the previous year.
int CalendarWeekNumber(const TcxCustomCalendarTable& table, const CalendarDateTime& date, int weekRule) {
  const int rule = ResolveWeekRule(weekRule);
  const int year = static_cast<int>(date.Year);
  TDateTime first = table.WeekStartOf(table.YMDToDateTime(year, 1, 1));
  if (rule == 2 && table.YearOfValue(first) < year) first += 7;
  if (rule == 3 && table.YearOfValue(first + 3) < year) first += 7;
  const TDateTime day = std::trunc(table.ToDateTime(date));
  if (day < first && table.IsValidYear(year - 1)) {
    return CalendarWeekNumber(table, table.FromDateTime(day - 1), rule);
  }
  if (static_cast<int>(date.Month) == table.MonthsInYear(year)) {
    const CalendarDateTime weekStart = table.WeekStart(date);
    const TDateTime start = table.ToDateTime(weekStart);
    if ((rule == 1 && table.FromDateTime(start + 6).Month == 1) ||
        (rule == 3 && table.FromDateTime(start + 3).Month == 1)) {
      return 1;
    }
  }
  return static_cast<int>((day - first) / 7) + 1;
}

bool SameMonthName(const TcxCustomCalendarTable& table, int year, int month, const std::string& text) {
  std::string name;
  GetCalendarMonthName(&table, name, table.YMDToDateTime(year, month, 1));
  return !name.empty() && AnsiSameText(name, text);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Hijri
TcxHijriCalendarTable::TcxHijriCalendarTable() : OwnEra(CreateEra(-1, 0, 1, NullDate, 9999)) {}
TcxHijriCalendarTable::~TcxHijriCalendarTable() { delete OwnEra; }

// The first and last days of the years the table counts: 1/1/1 and 3/4/9666, the day that
// 31 December 9999 falls on.
TDateTime TcxHijriCalendarTable::MinDate() const { return YMDToDateTime(1, 1, 1); }
TDateTime TcxHijriCalendarTable::MaxDate() const { return YMDHMSToDateTime(9666, 4, 3, 23, 59, 59, 999); }

bool TcxHijriCalendarTable::IsEraLeapYear(int, int year) const {
  static constexpr bool leap[30] = {false, false, true,  false, false, true,  false, true,  false, false,
                                    true,  false, false, true,  false, true,  false, false, true,  false,
                                    false, true,  false, false, true,  false, true,  false, false, true};
  return leap[((year % 30) + 30) % 30];
}

bool TcxHijriCalendarTable::IsEraLeapMonth(int, int year, int month) const {
  return IsLeapCalendarYear(year) && month == 12;
}

bool TcxHijriCalendarTable::IsEraLeapDay(int, int year, int month, int day) const {
  return IsLeapMonth(year, month) && day == 30;
}

int TcxHijriCalendarTable::DaysInEraMonth(int era, int year, int month) const {
  if (IsEraLeapMonth(era, year, month)) return 30;
  return month % 2 == 0 ? 29 : 30;
}

int TcxHijriCalendarTable::DaysInEraYear(int era, int year) const { return IsEraLeapYear(era, year) ? 355 : 354; }

namespace {
// Days of the Hijri years before a year (counted from the day before 1/1/1).
int64_t HijriDaysBefore(const TcxCustomCalendarTable& table, int year) {
  int64_t days = int64_t{354} * (year - 1) + 11 * static_cast<int64_t>(static_cast<unsigned>(year - 1) / 30);
  for (int i = 1; i <= (year - 1) % 30; ++i) days += table.IsLeapCalendarYear(i) ? 1 : 0;
  return days;
}
constexpr int64_t HijriEpoch = 227013;  // days since 1 January 1 to the day before 1/1/1
}  // namespace

CalendarDateTime TcxHijriCalendarTable::FromDateTime(TDateTime value) const {
  CalendarDateTime date;
  SetCalendarTime(date, value);
  int64_t days = WholeDays(value) + DaysToYearOne - HijriEpoch;
  int year = static_cast<int>(30 * days / 10631) + 1;
  days -= HijriDaysBefore(*this, year);
  // The cycle's mean year only estimates the year: correct it by whole years.
  while (days < 1) days += DaysInYear(--year);
  while (days > DaysInYear(year)) days -= DaysInYear(year++);
  int month = 1;
  while (days > DaysInMonth(year, month)) days -= DaysInMonth(year, month++);
  date.Year = static_cast<uint32_t>(year);
  date.Month = static_cast<uint32_t>(month);
  date.Day = static_cast<uint32_t>(days);
  return date;
}

TDateTime TcxHijriCalendarTable::ToDateTime(const CalendarDateTime& date) const {
  const int64_t days = HijriEpoch + HijriDaysBefore(*this, static_cast<int>(date.Year)) + DayOfYear(date);
  return CombineDateAndTime(static_cast<double>(days - DaysToYearOne), CalendarTimeOf(date));
}

int TcxHijriCalendarTable::WeekNumber(const CalendarDateTime& date, int, int weekRule) const {
  return CalendarWeekNumber(*this, date, weekRule);
}

int TcxHijriCalendarTable::MonthFromText(int year, const std::string& text) const {
  for (int month = 1; month <= 12; ++month) {
    if (SameMonthName(*this, year, month, text)) return month;
  }
  return TcxCustomCalendarTable::MonthFromText(year, text);
}

// ---------------------------------------------------------------------------------------------
// Hebrew year table, computed once at compile time from the arithmetic Hebrew calendar.
namespace {

constexpr int FirstHebrewYear = 5343, LastHebrewYear = 5999;

constexpr bool HebrewLeapYear(int64_t year) { return (7 * year + 1) % 19 < 7; }

// Days from the calendar's epoch to 1 Tishri of a year, with the postponement rules.
constexpr int64_t HebrewElapsedDays(int64_t year) {
  const int64_t monthsElapsed = 235 * ((year - 1) / 19) + 12 * ((year - 1) % 19) + (7 * ((year - 1) % 19) + 1) / 19;
  const int64_t partsElapsed = 204 + 793 * (monthsElapsed % 1080);
  const int64_t hoursElapsed = 5 + 12 * monthsElapsed + 793 * (monthsElapsed / 1080) + partsElapsed / 1080;
  int64_t day = 1 + 29 * monthsElapsed + hoursElapsed / 24;
  const int64_t parts = 1080 * (hoursElapsed % 24) + partsElapsed % 1080;
  if (parts >= 19440 || (day % 7 == 2 && parts >= 9924 && !HebrewLeapYear(year)) ||
      (day % 7 == 1 && parts >= 16789 && HebrewLeapYear(year - 1))) {
    ++day;
  }
  if (day % 7 == 0 || day % 7 == 3 || day % 7 == 5) ++day;
  return day;
}

// The date value of 1 Tishri of a year (the epoch lies 1373429 days before 1 January 1).
constexpr int64_t HebrewNewYear(int64_t year) { return HebrewElapsedDays(year) - 1373428 - DaysToYearOne; }

constexpr int MonthLengths[7][13] = {
    {},
    {30, 29, 29, 29, 30, 29, 30, 29, 30, 29, 30, 29},
    {30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29},
    {30, 30, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29},
    {30, 29, 29, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {30, 29, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {30, 30, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
};

constexpr int YearTypeOfLength(int64_t length) {
  switch (length) {
    case 353: return 1;
    case 354: return 2;
    case 355: return 3;
    case 383: return 4;
    case 384: return 5;
    case 385: return 6;
    default: return 0;
  }
}

// 1-based day of the year of a Hebrew month and day, for a year type.
constexpr int HebrewDayOfYear(int yearType, int month, int day) {
  for (int m = 1; m < month; ++m) day += MonthLengths[yearType][m - 1];
  return day;
}

// The coded Hebrew date of 1 January (see TcxHebrewYearRow) from its day of the Hebrew year.
constexpr int CodeFirstJanuary(int yearType, int dayOfYear) {
  int month = 1;
  while (dayOfYear > MonthLengths[yearType][month - 1]) dayOfYear -= MonthLengths[yearType][month++ - 1];
  if (month == 3) return dayOfYear == 30 ? 30 : 33;
  if (month == 5) return dayOfYear == 1 ? 0 : 30 + dayOfYear - 1;
  return dayOfYear;
}

constexpr std::array<TcxHebrewYearRow, LastHebrewYear - FirstHebrewYear + 1> BuildHebrewYearTable() {
  std::array<TcxHebrewYearRow, LastHebrewYear - FirstHebrewYear + 1> rows{};
  for (int year = FirstHebrewYear; year <= LastHebrewYear; ++year) {
    const int type = YearTypeOfLength(HebrewNewYear(year + 1) - HebrewNewYear(year));
    // 1 January of the Gregorian year year - 3760, as a date value
    const int64_t g = year - 3760 - 1;
    const int64_t firstJanuary = g * 365 + g / 4 - g / 100 + g / 400 + 1 - DaysToYearOne;
    const int dayOfYear = static_cast<int>(firstJanuary - HebrewNewYear(year)) + 1;
    rows[year - FirstHebrewYear] = {CodeFirstJanuary(type, dayOfYear), type};
  }
  return rows;
}

constexpr auto HebrewYearTable = BuildHebrewYearTable();

// The month and day that a row's code of 1 January stands for.
void DecodeFirstJanuary(int code, int& month, int& day) {
  if (code >= 1 && code <= 29) {
    month = 4, day = code;
  } else if (code == 30 || code == 33) {
    month = 3, day = code == 30 ? 30 : 29;
  } else {
    month = 5, day = code == 0 ? 1 : code - 29;
  }
}

}  // namespace

TcxHebrewYearRow HebrewYearRow(int year) {
  if (year < FirstHebrewYear || year > LastHebrewYear) return {0, 0};
  return HebrewYearTable[year - FirstHebrewYear];
}

int HebrewNumeralValue(const std::string& text) {
  // alef .. tav of code page 1255, final forms with their letters
  static constexpr int values[27] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 20,  20,  30, 40,
                                     40, 50, 50, 60, 70, 80, 80, 90, 90, 100, 200, 300, 400};
  int sum = 0;
  for (unsigned char c : text) {
    if (c >= 0xE0 && c <= 0xFA) sum += values[c - 0xE0];
  }
  return sum;
}

// ---------------------------------------------------------------------------------------------
// Hebrew
TcxHebrewCalendarTable::TcxHebrewCalendarTable() : OwnEra(CreateEra(-1, 0, 1, NullDate, 9999)) {}
TcxHebrewCalendarTable::~TcxHebrewCalendarTable() { delete OwnEra; }

TDateTime TcxHebrewCalendarTable::MinDate() const { return EncodeDate(1583, 1, 1); }
TDateTime TcxHebrewCalendarTable::MaxDate() const { return EncodeDate(2239, 9, 29) + EncodeTime(23, 59, 59, 999); }

bool TcxHebrewCalendarTable::IsEraLeapYear(int, int year) const { return HebrewYearRow(year).YearType > 3; }

int TcxHebrewCalendarTable::MonthsInEraYear(int era, int year) const { return IsEraLeapYear(era, year) ? 13 : 12; }

int TcxHebrewCalendarTable::DaysInEraMonth(int era, int year, int month) const {
  if (!IsValidEraMonth(era, year, month)) return 0;
  return MonthLengths[HebrewYearRow(year).YearType][month - 1];
}

int TcxHebrewCalendarTable::DaysInEraYear(int era, int year) const {
  if (!IsValidEraYear(era, year)) return 0;
  const int type = HebrewYearRow(year).YearType;
  const int base = type % 3 == 2 ? 354 : type % 3 == 0 ? 355 : 353;
  return base + (type > 3 ? 30 : 0);
}

bool TcxHebrewCalendarTable::IsEraLeapMonth(int era, int year, int month) const {
  return IsValidEraMonth(era, year, month) && IsEraLeapYear(era, year) && month == 7;
}

bool TcxHebrewCalendarTable::IsEraLeapDay(int era, int year, int month, int day) const {
  return IsValidEraDay(era, year, month, day) && IsLeapMonth(year, month);
}

TDateTime TcxHebrewCalendarTable::ToDateTime(const CalendarDateTime& date) const {
  TDateTime result;
  if (CheckCalendarDateTime(date, result)) return result;
  const int year = static_cast<int>(date.Year);
  const TcxHebrewYearRow row = HebrewYearRow(year);
  int firstMonth, firstDay;
  DecodeFirstJanuary(row.FirstJanuary, firstMonth, firstDay);
  const int distance = HebrewDayOfYear(row.YearType, static_cast<int>(date.Month), static_cast<int>(date.Day)) -
                       HebrewDayOfYear(row.YearType, firstMonth, firstDay);
  return CombineDateAndTime(EncodeDate(year - 3760, 1, 1) + distance, CalendarTimeOf(date));
}

CalendarDateTime TcxHebrewCalendarTable::FromDateTime(TDateTime value) const {
  if (value > MaxDate()) value = MaxDate();
  if (value < MinDate()) value = MinDate();
  uint16_t gregorianYear, gregorianMonth, gregorianDay;
  DecodeDate(value, gregorianYear, gregorianMonth, gregorianDay);
  CalendarDateTime date;
  SetCalendarTime(date, value);
  int year = gregorianYear + 3760, month = 1;
  int day = WholeDays(value - YMDToDateTime(year, 1, 1)) + 1;
  // A year spans at most 13 months, so a few steps reach the month from 1 Tishri.
  for (int steps = 0; steps < 28 && (day < 1 || day > DaysInMonth(year, month)); ++steps) {
    if (day < 1) {
      if (--month < 1) month = MonthsInYear(--year);
    } else if (++month > MonthsInYear(year)) {
      month = 1;
      ++year;
    }
    day = WholeDays(value - YMDToDateTime(year, month, 1)) + 1;
  }
  date.Year = static_cast<uint32_t>(year);
  date.Month = static_cast<uint32_t>(month);
  date.Day = static_cast<uint32_t>(day);
  return date;
}

int TcxHebrewCalendarTable::WeekNumber(const CalendarDateTime& date, int, int weekRule) const {
  return CalendarWeekNumber(*this, date, weekRule);
}

int TcxHebrewCalendarTable::DayFromText(const std::string& text) const {
  const int numeral = HebrewNumeralValue(text);
  return numeral != 0 ? numeral : TcxCustomCalendarTable::DayFromText(text);
}

int TcxHebrewCalendarTable::YearFromText(const std::string& text) const {
  const int numeral = HebrewNumeralValue(text);
  return numeral != 0 ? numeral + 5000 : TcxCustomCalendarTable::YearFromText(text);
}

// A month typed in digits is its number: the day texts compared below are written in the thread
// locale's calendar, and under a Gregorian one they are digits of other days.
int TcxHebrewCalendarTable::MonthFromText(int year, const std::string& text) const {
  int number;
  if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0])) && TryStrToInt(text, number)) return number;
  const int numeral = HebrewNumeralValue(text);
  if (numeral != 0 && IsValidMonth(year, numeral)) return numeral;
  for (int month = 1; month <= 13; ++month) {
    if (SameMonthName(*this, year, month, text) || AnsiSameText(GetCalendarDayText(month, this), text)) {
      return month;
    }
  }
  return TcxCustomCalendarTable::MonthFromText(year, text);
}
