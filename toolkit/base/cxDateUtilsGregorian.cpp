// The Gregorian calendar table and the calendars that only number its years by eras: Japanese,
// Taiwan, Korean and Thai.
#include <cmath>

#include "cxDateUtils.h"

CALDERAN_IMPLEMENT_CLASS(TcxGregorianCalendarTable, TcxCustomCalendarTable)
CALDERAN_IMPLEMENT_CLASS(TcxJapaneseCalendarTable, TcxGregorianCalendarTable)
CALDERAN_IMPLEMENT_CLASS(TcxTaiwanCalendarTable, TcxJapaneseCalendarTable)
CALDERAN_IMPLEMENT_CLASS(TcxKoreanCalendarTable, TcxJapaneseCalendarTable)
CALDERAN_IMPLEMENT_CLASS(TcxThaiCalendarTable, TcxJapaneseCalendarTable)

namespace {
CalendarDateTime GregorianParts(TDateTime value) {
  uint16_t year, month, day;
  DecodeDate(value, year, month, day);
  CalendarDateTime date;
  date.Year = year;
  date.Month = month;
  date.Day = day;
  SetCalendarTime(date, value);
  return date;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// Gregorian
TcxGregorianCalendarTable::TcxGregorianCalendarTable(uint8_t gregorianType)
    : OwnEra(CreateEra(-1, 0, 1, NullDate, 9999)), GregorianType(gregorianType) {}

TcxGregorianCalendarTable::~TcxGregorianCalendarTable() { delete OwnEra; }

CalendarDateTime TcxGregorianCalendarTable::FromDateTime(TDateTime value) const { return GregorianParts(value); }

TDateTime TcxGregorianCalendarTable::ToDateTime(const CalendarDateTime& date) const {
  const TDateTime day =
      EncodeDate(static_cast<int>(date.Year), static_cast<int>(date.Month), static_cast<int>(date.Day));
  return CombineDateAndTime(day, CalendarTimeOf(date));
}

uint8_t TcxGregorianCalendarTable::FirstWeekDay() const {
  switch (GregorianType) {
    case cxCalGregorianMEFrench: case cxCalGregorianXlitEnglish: case cxCalGregorianXlitFrench: return 1;
    case cxCalGregorianArabic: return 6;
    default: return 0;
  }
}

int TcxGregorianCalendarTable::DaysInEraMonth(int era, int year, int month) const {
  switch (month) {
    case 2: return IsEraLeapYear(era, year) ? 29 : 28;
    case 4: case 6: case 9: case 11: return 30;
    default: return 31;
  }
}

int TcxGregorianCalendarTable::DaysInEraYear(int era, int year) const { return IsEraLeapYear(era, year) ? 366 : 365; }

int TcxGregorianCalendarTable::MonthsInEraYear(int, int) const { return 12; }

bool TcxGregorianCalendarTable::IsEraLeapYear(int era, int year) const {
  EraYearToYear(year, era);
  return IsGregorianLeapYear(year);
}

bool TcxGregorianCalendarTable::IsEraLeapMonth(int era, int year, int month) const {
  return IsEraLeapYear(era, year) && month == 2;
}

bool TcxGregorianCalendarTable::IsEraLeapDay(int era, int year, int month, int day) const {
  return IsEraLeapMonth(era, year, month) && day == 29;
}

int TcxGregorianCalendarTable::FullWeeksInYear(int year) const {
  CalendarDateTime firstJanuary;
  firstJanuary.Era = 0;
  firstJanuary.Year = static_cast<uint32_t>(year);
  firstJanuary.Month = 1;
  firstJanuary.Day = 1;
  int shift = WeekDay(firstJanuary) - FirstWeekDay();
  if (shift < 0) shift += 7;
  return shift > 5 || (shift > 4 && IsLeapCalendarYear(year)) ? 53 : 52;
}

int TcxGregorianCalendarTable::WeekNumber(const CalendarDateTime& date, int startDay, int weekRule) const {
  return GregorianWeekNumber(ToDateTime(date), startDay, weekRule);
}

// ---------------------------------------------------------------------------------------------
// Era calendars
TcxJapaneseCalendarTable::TcxJapaneseCalendarTable() : TcxGregorianCalendarTable(TNoOwnEra{}) {
  Eras->Add(CreateEra(1, 1867, 1, EncodeDate(1868, 9, 8), 45));
  Eras->Add(CreateEra(2, 1911, 1, EncodeDate(1912, 7, 30), 15));
  Eras->Add(CreateEra(3, 1925, 1, EncodeDate(1926, 12, 25), 64));
  Eras->Add(CreateEra(4, 1988, 1, EncodeDate(1989, 1, 8), 8011));
}

TcxJapaneseCalendarTable::TcxJapaneseCalendarTable(TOneEra, int eraNumber, int yearShift, int firstYear,
                                                   TDateTime start, int lastYear)
    : TcxGregorianCalendarTable(TNoOwnEra{}) {
  Eras->Add(CreateEra(eraNumber, yearShift, firstYear, start, lastYear));
}

TcxTaiwanCalendarTable::TcxTaiwanCalendarTable()
    : TcxJapaneseCalendarTable(TOneEra{}, 1, 1911, 1, EncodeDate(1912, 1, 1), 8088) {}
TcxKoreanCalendarTable::TcxKoreanCalendarTable()
    : TcxJapaneseCalendarTable(TOneEra{}, 0, -2333, 2334, EncodeDate(1, 1, 1), 12332) {}
TcxThaiCalendarTable::TcxThaiCalendarTable()
    : TcxJapaneseCalendarTable(TOneEra{}, 0, -543, 544, EncodeDate(1, 1, 1), 10542) {}

TDateTime TcxJapaneseCalendarTable::MaxDate() const { return EncodeDate(9999, 12, 31); }
TDateTime TcxJapaneseCalendarTable::MinDate() const { return EncodeDate(1868, 9, 8); }

CalendarDateTime TcxJapaneseCalendarTable::FromDateTime(TDateTime value) const {
  CalendarDateTime date = GregorianParts(value);
  const int gregorianYear = static_cast<int>(date.Year);
  date.Era = EraOfDate(gregorianYear, static_cast<int>(date.Month), static_cast<int>(date.Day));
  const TcxEra* era = date.Era >= 0 ? Eras->Items(date.Era) : DefaultEra();
  date.Year = static_cast<uint32_t>(gregorianYear - era->YearShift);
  return date;
}

TDateTime TcxJapaneseCalendarTable::ToDateTime(const CalendarDateTime& date) const {
  TDateTime result;
  if (CheckCalendarDateTime(date, result)) return result;
  int year = static_cast<int>(date.Year);
  EraYearToYear(year, date.Era);
  if (!TryEncodeDate(year, static_cast<int>(date.Month), static_cast<int>(date.Day), result)) return MinDate();
  return CombineDateAndTime(result, CalendarTimeOf(date));
}
