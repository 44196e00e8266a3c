// The calendar table interface: what every calendar answers through its few own operations,
// eras, and the factory that picks the locale's calendar.
#include <cmath>

#include "cxDateUtils.h"

CALDERAN_IMPLEMENT_CLASS(TcxEra, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TcxEras, TcxObjectList)
CALDERAN_IMPLEMENT_CLASS(TcxCustomCalendarTable, TObject)

void TcxEra::Assign(TPersistent* source) {
  if (auto* era = ObjectAs<TcxEra>(source)) {
    EraNumber = era->EraNumber;
    LastEraYear = era->LastEraYear;
    FirstEraYear = era->FirstEraYear;
    EraStart = era->EraStart;
    YearShift = era->YearShift;
    return;
  }
  TPersistent::Assign(source);
}

TcxEra* CreateEra(int eraNumber, int yearShift, int firstEraYear, TDateTime eraStart, int lastEraYear) {
  return new TcxEra(eraNumber, yearShift, firstEraYear, eraStart, lastEraYear);
}

TcxCustomCalendarTable::TcxCustomCalendarTable() : Eras(new TcxEras) {}

TcxCustomCalendarTable::~TcxCustomCalendarTable() { delete Eras; }

// ---------------------------------------------------------------------------------------------
// Eras
void TcxCustomCalendarTable::EraYearToYear(int& year, int era) const {
  if (era == -1) {
    year += DefaultEra()->YearShift;
  } else if (era >= 0 && era < Eras->Count()) {
    year += Eras->Items(era)->YearShift;
  }
}

void TcxCustomCalendarTable::AdjustEraYear(int& year, int& era) const { AdjustEraYearOnDate(year, era, 1, 1); }

void TcxCustomCalendarTable::AdjustEraYearOnDate(int& year, int& era, int month, int day) const {
  int gregorian = year;
  EraYearToYear(gregorian, era);
  era = EraOfDate(gregorian, month, day);
  if (era >= 0) year = gregorian - Eras->Items(era)->YearShift;
}

int TcxCustomCalendarTable::EraOfYear(int year) const { return EraOfDate(year, 1, 1); }

int TcxCustomCalendarTable::EraOfDate(int year, int month, int day) const {
  TDateTime date;
  if (Eras->Count() == 0 || !TryEncodeDate(year, month, day, date)) return -1;
  int found = -1;
  for (int i = 0; i < Eras->Count() && Eras->Items(i)->EraStart <= date; ++i) found = i;
  return found;
}

// ---------------------------------------------------------------------------------------------
// Arithmetic
void TcxCustomCalendarTable::ClampDate(TDateTime& value) const {
  if (value < MinDate()) value = MinDate();
  if (value > MaxDate()) value = MaxDate();
}

TDateTime TcxCustomCalendarTable::AddDays(const CalendarDateTime& date, int64_t days) const {
  TDateTime value = ToDateTime(date) + static_cast<double>(days);
  ClampDate(value);
  return value;
}

TDateTime TcxCustomCalendarTable::AddWeeks(const CalendarDateTime& date, int weeks) const {
  return AddDays(date, int64_t{7} * weeks);
}

TDateTime TcxCustomCalendarTable::AddMonthsTo(TDateTime value, int months) const {
  return AddMonths(FromDateTime(value), months);
}

TDateTime TcxCustomCalendarTable::AddYearsTo(TDateTime value, int years) const {
  return AddYears(FromDateTime(value), years);
}

TDateTime TcxCustomCalendarTable::AddWeeksTo(TDateTime value, int weeks) const {
  return AddWeeks(FromDateTime(value), weeks);
}

// A step past the calendar's last year ends on its last day, not on its first.
TDateTime TcxCustomCalendarTable::BeyondRange(int year) const { return year > MaxYear() ? MaxDate() : MinDate(); }

TDateTime TcxCustomCalendarTable::AddMonths(const CalendarDateTime& date, int months) const {
  TDateTime result;
  if (CheckCalendarDateTime(date, result)) return result;
  int64_t month = int64_t{date.Month} + months;
  int year = static_cast<int>(date.Year), era = date.Era;
  const int direction = month > MonthsInEraYear(era, year) ? -1 : 1;
  // Whole years are stepped one by one: calendars with leap months have years of unequal length.
  while (month < 1 || month > MonthsInEraYear(era, year)) {
    if (direction < 0) {
      month -= MonthsInEraYear(era, year++);
    } else {
      month += MonthsInEraYear(era, --year);
    }
  }
  int day = static_cast<int>(date.Day);
  if (!IsValidEraDay(era, year, static_cast<int>(month), day)) day = DaysInEraMonth(era, year, static_cast<int>(month));
  AdjustEraYearOnDate(year, era, static_cast<int>(month), day);
  CalendarDateTime moved = date;
  moved.Era = era;
  moved.Year = static_cast<uint32_t>(year);
  moved.Month = static_cast<uint32_t>(month);
  moved.Day = static_cast<uint32_t>(day);
  if (CheckCalendarDateTime(moved, result)) return BeyondRange(year);
  result = ToDateTime(moved);
  ClampDate(result);
  return result;
}

TDateTime TcxCustomCalendarTable::AddYears(const CalendarDateTime& date, int years) const {
  TDateTime result;
  if (CheckCalendarDateTime(date, result)) return result;
  int year = static_cast<int>(date.Year) + years, era = date.Era;
  AdjustEraYear(year, era);
  if (!IsValidEraYear(era, year)) return BeyondRange(year);
  CalendarDateTime moved = date;
  if (!IsValidEraMonth(era, year, static_cast<int>(moved.Month))) moved.Month = MonthsInEraYear(era, year);
  if (!IsValidEraDay(era, year, static_cast<int>(moved.Month), static_cast<int>(moved.Day))) {
    moved.Day = DaysInEraMonth(era, year, static_cast<int>(moved.Month));
  }
  AdjustEraYearOnDate(year, era, static_cast<int>(moved.Month), static_cast<int>(moved.Day));
  moved.Year = static_cast<uint32_t>(year);
  moved.Era = era;
  result = ToDateTime(moved);
  ClampDate(result);
  return result;
}

// ---------------------------------------------------------------------------------------------
// Conversions through the calendar's own operations
CalendarDateTime TcxCustomCalendarTable::FromYMD(int year, int month, int day) const {
  return FromYMDHMS(year, month, day, 0, 0, 0, 0);
}

CalendarDateTime TcxCustomCalendarTable::FromYMDHMS(int year, int month, int day, int hours, int minutes,
                                                    int seconds, int milliseconds) const {
  return FromDateTime(EncodeDate(year, month, day) + EncodeTime(hours, minutes, seconds, milliseconds));
}

TDateTime TcxCustomCalendarTable::DateToDateTime(const CalendarDate& date) const {
  CalendarDateTime full;
  full.Era = date.Era;
  full.Year = date.Year;
  full.Month = date.Month;
  full.Day = date.Day;
  return ToDateTime(full);
}

TDateTime TcxCustomCalendarTable::YMDToDateTime(int year, int month, int day) const {
  return YMDHMSToDateTime(year, month, day, 0, 0, 0, 0);
}

TDateTime TcxCustomCalendarTable::YMDHMSToDateTime(int year, int month, int day, int hours, int minutes,
                                                   int seconds, int milliseconds) const {
  CalendarDateTime date;
  date.Year = static_cast<uint32_t>(year);
  date.Month = static_cast<uint32_t>(month);
  date.Day = static_cast<uint32_t>(day);
  date.Hours = static_cast<uint8_t>(hours);
  date.Minutes = static_cast<uint8_t>(minutes);
  date.Seconds = static_cast<uint8_t>(seconds);
  date.Milliseconds = static_cast<uint16_t>(milliseconds);
  return ToDateTime(date);
}

bool TcxCustomCalendarTable::CheckCalendarDateTime(const CalendarDateTime& date, TDateTime& value) const {
  if (IsValidEraDay(date.Era, static_cast<int>(date.Year), static_cast<int>(date.Month), static_cast<int>(date.Day))) {
    return false;
  }
  value = MinDate();
  return true;
}

// ---------------------------------------------------------------------------------------------
// Days, weeks, months and years
int TcxCustomCalendarTable::DayOfYearOf(TDateTime value) const { return DayOfYear(FromDateTime(value)); }

int TcxCustomCalendarTable::DayOfYear(const CalendarDateTime& date) const {
  int days = static_cast<int>(date.Day);
  for (int m = 1; m < static_cast<int>(date.Month); ++m) days += DaysInMonth(static_cast<int>(date.Year), m);
  return days;
}

int TcxCustomCalendarTable::DaysInMonth(int year, int month) const { return DaysInEraMonth(-1, year, month); }
int TcxCustomCalendarTable::DaysInYear(int year) const { return DaysInEraYear(-1, year); }
int TcxCustomCalendarTable::MonthsInYear(int year) const { return MonthsInEraYear(-1, year); }

TDateTime TcxCustomCalendarTable::WeekStartOf(TDateTime value) const {
  return ToDateTime(WeekStart(FromDateTime(value)));
}

TDateTime TcxCustomCalendarTable::WeekStartOfOn(TDateTime value, int startDay) const {
  const int weekDay = WeekDayOf(value);
  TDateTime start = value + startDay - weekDay;
  return weekDay < startDay ? start - 7 : start;
}

CalendarDateTime TcxCustomCalendarTable::WeekStart(const CalendarDateTime& date) const {
  int shift = FirstWeekDay() - WeekDay(date);
  if (shift > 0) shift -= 7;
  return FromDateTime(AddDays(date, shift));
}

CalendarDateTime TcxCustomCalendarTable::WeekStartOn(const CalendarDateTime& date, int startDay) const {
  return FromDateTime(WeekStartOfOn(ToDateTime(date), startDay));
}

int TcxCustomCalendarTable::YearOfValue(TDateTime value) const { return static_cast<int>(FromDateTime(value).Year); }
int TcxCustomCalendarTable::YearOfDate(const CalendarDate& date) const { return static_cast<int>(date.Year); }
int TcxCustomCalendarTable::YearOfDateTime(const CalendarDateTime& date) const {
  return static_cast<int>(date.Year);
}

int TcxCustomCalendarTable::WeekDayOf(TDateTime value) const { return DayOfWeek(value) - 1; }
int TcxCustomCalendarTable::WeekDay(const CalendarDateTime& date) const { return WeekDayOf(ToDateTime(date)); }

int TcxCustomCalendarTable::WeekNumberOf(TDateTime value, int startDay, int weekRule) const {
  return WeekNumber(FromDateTime(value), startDay, weekRule);
}

// ---------------------------------------------------------------------------------------------
// Leap days and validity
bool TcxCustomCalendarTable::IsLeapDay(int year, int month, int day) const { return IsEraLeapDay(-1, year, month, day); }
bool TcxCustomCalendarTable::IsLeapMonth(int year, int month) const { return IsEraLeapMonth(-1, year, month); }
bool TcxCustomCalendarTable::IsLeapCalendarYear(int year) const { return IsEraLeapYear(-1, year); }
bool TcxCustomCalendarTable::IsValidYear(int year) const { return IsValidEraYear(-1, year); }
bool TcxCustomCalendarTable::IsValidMonth(int year, int month) const { return IsValidEraMonth(-1, year, month); }
bool TcxCustomCalendarTable::IsValidDay(int year, int month, int day) const {
  return IsValidEraDay(-1, year, month, day);
}

bool TcxCustomCalendarTable::IsValidEraYear(int, int year) const { return year >= MinYear() && year <= MaxYear(); }

bool TcxCustomCalendarTable::IsValidEraMonth(int era, int year, int month) const {
  return IsValidEraYear(era, year) && month >= 1 && month <= MonthsInEraYear(era, year);
}

bool TcxCustomCalendarTable::IsValidEraDay(int era, int year, int month, int day) const {
  return IsValidEraMonth(era, year, month) && day >= 1 && day <= DaysInEraMonth(era, year, month);
}

bool TcxCustomCalendarTable::IsValidDate(TDateTime value) const {
  const CalendarDateTime date = FromDateTime(value);
  return IsValidDay(static_cast<int>(date.Year), static_cast<int>(date.Month), static_cast<int>(date.Day));
}
