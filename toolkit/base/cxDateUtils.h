// Calendars and dates: calendar tables that convert between date-time values and a calendar's
// era, year, month and day (Gregorian, the era-numbered Japanese, Taiwan, Korean and Thai ones,
// the tabular Hijri and the Hebrew calendar), Gregorian month arithmetic, the locale's calendar
// texts, smart date words and the conversions between date texts and date values.
#pragma once
#include <cstdint>
#include <string>

#include "Classes.h"
#include "SysUtils.h"
#include "cxClasses.h"

// The value that stands for "no date" in both directions of every conversion.
inline constexpr TDateTime NullDate = -700000;
// The year range that typed dates must lie in.
inline constexpr int MinCalendarYear = 100;
inline constexpr int MaxCalendarYear = 9999;

// Windows calendar identifiers (CAL_GREGORIAN ...).
enum : int {
  cxCalGregorian = 1,
  cxCalGregorianUS = 2,
  cxCalJapan = 3,
  cxCalTaiwan = 4,
  cxCalKorea = 5,
  cxCalHijri = 6,
  cxCalThai = 7,
  cxCalHebrew = 8,
  cxCalGregorianMEFrench = 9,
  cxCalGregorianArabic = 10,
  cxCalGregorianXlitEnglish = 11,
  cxCalGregorianXlitFrench = 12,
};

// ---------------------------------------------------------------------------------------------
// Calendar tables

// Era -1 is the table's default era.
struct CalendarDate {
  int32_t Era = -1;
  uint32_t Year = 0, Month = 0, Day = 0;
};

struct CalendarDateTime {
  int32_t Era = -1;
  uint32_t Year = 0, Month = 0, Day = 0;
  uint8_t Hours = 0, Minutes = 0, Seconds = 0;
  uint16_t Milliseconds = 0;
};

class TcxEra : public TPersistent {
  CALDERAN_CLASS(TcxEra)
  TcxEra(int eraNumber, int yearShift, int firstEraYear, TDateTime eraStart, int lastEraYear)
      : EraNumber(eraNumber), LastEraYear(lastEraYear), FirstEraYear(firstEraYear), EraStart(eraStart),
        YearShift(yearShift) {}
  void Assign(TPersistent* source) override;

  int32_t EraNumber;
  int32_t LastEraYear;
  int32_t FirstEraYear;
  TDateTime EraStart;
  int32_t YearShift;  // calendar year = Gregorian year - YearShift
};

// The eras of a calendar in ascending order of their start; owns them.
class TcxEras : public TcxObjectList {
  CALDERAN_CLASS(TcxEras)
  TcxEra* Items(int index) const { return static_cast<TcxEra*>(Get(index)); }
};

TcxEra* CreateEra(int eraNumber, int yearShift, int firstEraYear, TDateTime eraStart, int lastEraYear);

enum : uint8_t { cxAlgorithmSolar = 1, cxAlgorithmLunar = 2, cxAlgorithmLunisolar = 3 };

class TcxCustomCalendarTable : public TObject {
  CALDERAN_CLASS(TcxCustomCalendarTable)
  TcxCustomCalendarTable();
  ~TcxCustomCalendarTable() override;

  virtual void AdjustEraYear(int& year, int& era) const;
  virtual void AdjustEraYearOnDate(int& year, int& era, int month, int day) const;
  virtual uint8_t AlgorithmKind() const = 0;
  virtual int CalendarId() const = 0;
  virtual TcxEra* DefaultEra() const = 0;
  virtual TDateTime MaxDate() const = 0;
  virtual TDateTime MinDate() const = 0;
  virtual void ClampDate(TDateTime& value) const;
  virtual int MaxYear() const = 0;
  virtual int MinYear() const = 0;
  virtual TDateTime AddDays(const CalendarDateTime& date, int64_t days) const;
  virtual TDateTime AddMonthsTo(TDateTime value, int months) const;
  virtual TDateTime AddMonths(const CalendarDateTime& date, int months) const;
  virtual TDateTime AddYearsTo(TDateTime value, int years) const;
  virtual TDateTime AddYears(const CalendarDateTime& date, int years) const;
  virtual TDateTime AddWeeksTo(TDateTime value, int weeks) const;
  virtual TDateTime AddWeeks(const CalendarDateTime& date, int weeks) const;
  virtual CalendarDateTime FromDateTime(TDateTime value) const = 0;
  virtual CalendarDateTime FromYMD(int year, int month, int day) const;
  virtual CalendarDateTime FromYMDHMS(int year, int month, int day, int hours, int minutes, int seconds,
                                      int milliseconds) const;
  virtual int DayOfYearOf(TDateTime value) const;
  virtual int DayOfYear(const CalendarDateTime& date) const;
  virtual int DaysInMonth(int year, int month) const;
  virtual int DaysInEraMonth(int era, int year, int month) const = 0;
  virtual int DaysInYear(int year) const;
  virtual int DaysInEraYear(int era, int year) const = 0;
  virtual int EraOfYear(int year) const;
  virtual int EraOfDate(int year, int month, int day) const;
  virtual TDateTime WeekStartOf(TDateTime value) const;
  virtual TDateTime WeekStartOfOn(TDateTime value, int startDay) const;
  virtual CalendarDateTime WeekStart(const CalendarDateTime& date) const;
  virtual CalendarDateTime WeekStartOn(const CalendarDateTime& date, int startDay) const;
  virtual uint8_t FirstWeekDay() const = 0;
  virtual int FullWeeksInYear(int year) const = 0;
  virtual int MonthsInYear(int year) const;
  virtual int MonthsInEraYear(int era, int year) const = 0;
  virtual int YearOfValue(TDateTime value) const;
  virtual int YearOfDate(const CalendarDate& date) const;
  virtual int YearOfDateTime(const CalendarDateTime& date) const;
  virtual int WeekDayOf(TDateTime value) const;
  virtual int WeekDay(const CalendarDateTime& date) const;
  virtual int WeekNumberOf(TDateTime value, int startDay, int weekRule) const;
  virtual int WeekNumber(const CalendarDateTime& date, int startDay, int weekRule) const = 0;
  virtual bool IsLeapDay(int year, int month, int day) const;
  virtual bool IsEraLeapDay(int era, int year, int month, int day) const = 0;
  virtual bool IsLeapMonth(int year, int month) const;
  virtual bool IsEraLeapMonth(int era, int year, int month) const = 0;
  virtual bool IsLeapCalendarYear(int year) const;
  virtual bool IsEraLeapYear(int era, int year) const = 0;
  virtual bool IsValidYear(int year) const;
  virtual bool IsValidEraYear(int era, int year) const;
  virtual bool IsValidMonth(int year, int month) const;
  virtual bool IsValidEraMonth(int era, int year, int month) const;
  virtual bool IsValidDay(int year, int month, int day) const;
  virtual bool IsValidEraDay(int era, int year, int month, int day) const;
  virtual bool IsValidDate(TDateTime value) const;
  virtual TDateTime DateToDateTime(const CalendarDate& date) const;
  virtual TDateTime YMDToDateTime(int year, int month, int day) const;
  virtual TDateTime YMDHMSToDateTime(int year, int month, int day, int hours, int minutes, int seconds,
                                     int milliseconds) const;
  virtual TDateTime ToDateTime(const CalendarDateTime& date) const = 0;
  // Texts that are not numbers raise EConvertError.
  virtual int DayFromText(const std::string& text) const;
  virtual int MonthFromText(int year, const std::string& text) const;
  virtual int YearFromText(const std::string& text) const;

  // Makes an era year Gregorian: era -1 takes the default era's shift, an unknown era none.
  void EraYearToYear(int& year, int era) const;
  // True when the record is not a valid day; the value is then MinDate.
  bool CheckCalendarDateTime(const CalendarDateTime& date, TDateTime& value) const;

 private:
  TDateTime BeyondRange(int year) const;

 public:

  TcxEras* Eras;
};

class TcxGregorianCalendarTable : public TcxCustomCalendarTable {
  CALDERAN_CLASS(TcxGregorianCalendarTable)
  explicit TcxGregorianCalendarTable(uint8_t gregorianType = cxCalGregorian);
  ~TcxGregorianCalendarTable() override;

  uint8_t AlgorithmKind() const override { return cxAlgorithmSolar; }
  int CalendarId() const override { return GregorianType; }
  TcxEra* DefaultEra() const override { return OwnEra; }
  TDateTime MaxDate() const override { return MaxDateTime; }
  TDateTime MinDate() const override { return MinDateTime; }
  int MaxYear() const override { return 9999; }
  int MinYear() const override { return 1; }
  CalendarDateTime FromDateTime(TDateTime value) const override;
  uint8_t FirstWeekDay() const override;
  TDateTime ToDateTime(const CalendarDateTime& date) const override;  // EConvertError for impossible dates
  int DaysInEraMonth(int era, int year, int month) const override;
  int DaysInEraYear(int era, int year) const override;
  int MonthsInEraYear(int era, int year) const override;
  bool IsEraLeapYear(int era, int year) const override;
  bool IsEraLeapMonth(int era, int year, int month) const override;
  bool IsEraLeapDay(int era, int year, int month, int day) const override;
  int FullWeeksInYear(int year) const override;
  int WeekNumber(const CalendarDateTime& date, int startDay, int weekRule) const override;

  TcxEra* OwnEra = nullptr;
  uint8_t GregorianType = 0;

 protected:
  struct TNoOwnEra {};
  explicit TcxGregorianCalendarTable(TNoOwnEra) {}
};

// Gregorian months and days with years counted by eras.
class TcxJapaneseCalendarTable : public TcxGregorianCalendarTable {
  CALDERAN_CLASS(TcxJapaneseCalendarTable)
  TcxJapaneseCalendarTable();

  int CalendarId() const override { return cxCalJapan; }
  TcxEra* DefaultEra() const override { return Eras->Items(Eras->Count() - 1); }
  TDateTime MaxDate() const override;
  TDateTime MinDate() const override;
  int MaxYear() const override { return DefaultEra()->LastEraYear; }
  int MinYear() const override { return DefaultEra()->FirstEraYear; }
  CalendarDateTime FromDateTime(TDateTime value) const override;
  uint8_t FirstWeekDay() const override { return 0; }
  TDateTime ToDateTime(const CalendarDateTime& date) const override;

 protected:
  struct TOneEra {};
  TcxJapaneseCalendarTable(TOneEra, int eraNumber, int yearShift, int firstYear, TDateTime start, int lastYear);
};

class TcxTaiwanCalendarTable : public TcxJapaneseCalendarTable {
  CALDERAN_CLASS(TcxTaiwanCalendarTable)
  TcxTaiwanCalendarTable();
  int CalendarId() const override { return cxCalTaiwan; }
  TDateTime MinDate() const override { return DefaultEra()->EraStart; }
};

class TcxKoreanCalendarTable : public TcxJapaneseCalendarTable {
  CALDERAN_CLASS(TcxKoreanCalendarTable)
  TcxKoreanCalendarTable();
  int CalendarId() const override { return cxCalKorea; }
  TDateTime MinDate() const override { return DefaultEra()->EraStart; }
};

class TcxThaiCalendarTable : public TcxJapaneseCalendarTable {
  CALDERAN_CLASS(TcxThaiCalendarTable)
  TcxThaiCalendarTable();
  int CalendarId() const override { return cxCalThai; }
  TDateTime MinDate() const override { return DefaultEra()->EraStart; }
};

// The tabular Hijri calendar: a 30-year cycle of 11 leap years.
class TcxHijriCalendarTable : public TcxCustomCalendarTable {
  CALDERAN_CLASS(TcxHijriCalendarTable)
  TcxHijriCalendarTable();
  ~TcxHijriCalendarTable() override;

  uint8_t AlgorithmKind() const override { return cxAlgorithmLunar; }
  int CalendarId() const override { return cxCalHijri; }
  TcxEra* DefaultEra() const override { return OwnEra; }
  TDateTime MaxDate() const override;
  TDateTime MinDate() const override;
  int MaxYear() const override { return 9666; }
  int MinYear() const override { return 1; }
  CalendarDateTime FromDateTime(TDateTime value) const override;
  TDateTime ToDateTime(const CalendarDateTime& date) const override;
  uint8_t FirstWeekDay() const override { return 6; }
  int FullWeeksInYear(int) const override { return 50; }
  int DaysInEraMonth(int era, int year, int month) const override;
  int DaysInEraYear(int era, int year) const override;
  int MonthsInEraYear(int, int) const override { return 12; }
  bool IsEraLeapYear(int era, int year) const override;
  bool IsEraLeapMonth(int era, int year, int month) const override;
  bool IsEraLeapDay(int era, int year, int month, int day) const override;
  int WeekNumber(const CalendarDateTime& date, int startDay, int weekRule) const override;
  int MonthFromText(int year, const std::string& text) const override;

  TcxEra* OwnEra;
};

// The Hebrew calendar over the years 5343-5999 (Gregorian 1583-2239).
class TcxHebrewCalendarTable : public TcxCustomCalendarTable {
  CALDERAN_CLASS(TcxHebrewCalendarTable)
  TcxHebrewCalendarTable();
  ~TcxHebrewCalendarTable() override;

  uint8_t AlgorithmKind() const override { return cxAlgorithmLunisolar; }
  int CalendarId() const override { return cxCalHebrew; }
  TcxEra* DefaultEra() const override { return OwnEra; }
  TDateTime MaxDate() const override;
  TDateTime MinDate() const override;
  int MaxYear() const override { return 5999; }
  int MinYear() const override { return 5343; }
  CalendarDateTime FromDateTime(TDateTime value) const override;
  TDateTime ToDateTime(const CalendarDateTime& date) const override;
  uint8_t FirstWeekDay() const override { return 0; }
  int FullWeeksInYear(int year) const override { return DaysInYear(year) / 7; }
  int DaysInEraMonth(int era, int year, int month) const override;
  int DaysInEraYear(int era, int year) const override;
  int MonthsInEraYear(int era, int year) const override;
  bool IsEraLeapYear(int era, int year) const override;
  bool IsEraLeapMonth(int era, int year, int month) const override;
  bool IsEraLeapDay(int era, int year, int month, int day) const override;
  int WeekNumber(const CalendarDateTime& date, int startDay, int weekRule) const override;
  int DayFromText(const std::string& text) const override;
  int MonthFromText(int year, const std::string& text) const override;
  int YearFromText(const std::string& text) const override;

  TcxEra* OwnEra;
};

// The two values of a Hebrew year's row: the Hebrew date of 1 January of Gregorian year
// year - 3760 (coded: 1-29 day of month 4, 30 day 30 of month 3, 33 day 29 of month 3, 0/31/32
// day 1/2/3 of month 5) and the year's type (1 deficient, 2 regular, 3 complete, + 3 leap).
struct TcxHebrewYearRow {
  int32_t FirstJanuary;
  int32_t YearType;
};
// The row of a Hebrew year, all zero outside 5343-5999.
TcxHebrewYearRow HebrewYearRow(int year);
// The sum of the letter values of a Hebrew numeral in code page 1255.
int HebrewNumeralValue(const std::string& text);

// Factory: the user locale's calendar and a table for a calendar type (owned by the caller).
int LocaleCalendarType();
TcxCustomCalendarTable* CreateCalendarTable(int calendarType);
TcxCustomCalendarTable* CreateLocaleCalendarTable();
bool IsGregorianCalendar(const TcxCustomCalendarTable* table = nullptr);

// Week numbers of Gregorian-month calendars: weeks start on startDay (0 Sunday .. 6 Saturday);
// the rule 1 first week starts 1 January, 2 first full week, 3 first week of four days, 0 the
// locale's setting.
int GregorianWeekNumber(TDateTime value, int startDay, int weekRule);
TDateTime WeekStartForDay(TDateTime value, int startDay);
// The locale's first-week-of-year rule (1-3) for a rule of 0.
int ResolveWeekRule(int weekRule);

// ---------------------------------------------------------------------------------------------
// Times of day inside calendar records and system time structures
TDateTime CalendarTimeOf(const CalendarDateTime& date);
void SetCalendarTime(CalendarDateTime& date, TDateTime value);
// Days before 30 December 1899 carry their time of day forward too (-1.25 is 29 December, 6:00).
TDateTime CombineDateAndTime(TDateTime day, TDateTime time);
// False for values before 1 January 1.
bool DateTimeToSystemTime(TDateTime value, SYSTEMTIME& time);

// ---------------------------------------------------------------------------------------------
// Gregorian arithmetic and parts of values
void StepMonthBack(uint16_t& year, uint16_t& month);
void StepMonthForward(uint16_t& year, uint16_t& month);
void AddMonthsToYearMonth(uint16_t& year, uint16_t& month, int months);
bool IsGregorianLeapYear(int year);
int MonthDayCount(int year, int month);
int ClampDay(int year, int month, int day);
// part 0 year, 1 month, otherwise day; a table gives its own calendar's parts.
int GetDatePart(int part, const TcxCustomCalendarTable* table, TDateTime value);
TDateTime DateTimeTimePart(TDateTime value);
TDateTime DateTimeDatePart(TDateTime value);
// The weekday counted from the format controller's first day of the week.
int DayOfWeekIndex(TDateTime value);
TDateTime MinCalendarDate();
// 0 month-day-year, 1 day-month-year, 2 year-month-day.
int DateOrderOf(const std::string& format);
// Moves a 1-based position past blanks.
void SkipBlanks(const std::string& text, int& position);

// ---------------------------------------------------------------------------------------------
// Texts from the locale's own calendar. None of these raise: a failing system call falls back.
bool FormatDateBySystem(std::string& text, DWORD flags, const std::string& format, TDateTime value);
std::string UserShortDateFormat();
std::string LocaleText(LCTYPE item, const std::string& defaultValue);
char LocaleChar(LCTYPE item, char defaultChar);
int CallGetCalendarInfo(LCID locale, int calendar, DWORD item, char* buffer, int size, DWORD* number);
std::string LocaleDateTimeText(TDateTime value);
std::string SystemDayText(TDateTime value);
std::string GetCalendarDayText(int day, const TcxCustomCalendarTable* table = nullptr);
void GetCalendarMonthName(const TcxCustomCalendarTable* table, std::string& text, TDateTime value);
std::string GetCalendarMonthNameOf(int year, int month, const TcxCustomCalendarTable* table);
void GetCalendarYearText(const TcxCustomCalendarTable* table, std::string& text, TDateTime value);
void GetCalendarYearMonthText(const TcxCustomCalendarTable* table, std::string& text, TDateTime value);
// day 1 = Monday ... 7 = Sunday; one character of the locale's shortest name.
void GetShortDayName(int day, uint8_t charset, std::string& text);

// ---------------------------------------------------------------------------------------------
// Smart date words ("today", "eom+3" ...)
bool SmartTextToDate(const std::string& text, TDateTime& value);
// The same relative to a given moment instead of the clock's.
bool SmartTextToDateAt(const std::string& text, TDateTime now, TDateTime& value);
// The date a word (by index) stands for at a moment; "now" keeps the time.
TDateTime SmartWordDate(int index, TDateTime now);
bool SmartWordAt(const std::string& text, int& index);
// The order in which the words are tried: longer first, then descending locale order.
int CompareSmartWords(const std::string& a, const std::string& b);

// ---------------------------------------------------------------------------------------------
// Date texts and date values
void DateTimeToText(bool useDisplayFormat, bool withTime, bool fourDigitYear, std::string& text, TDateTime value);
void DateTimeToTextDefault(bool fourDigitYear, std::string& text, TDateTime value);
void DateTimeToTextEx(bool fourDigitYear, bool libraryFormats, std::string& text, TDateTime value);
bool TextToDateTime(const std::string& text, bool systemConversion, TDateTime& value);
bool TextToDate(const std::string& text, TDateTime& value);
void NormalizeDateText(std::string& text, bool systemSeparators);
TDateTime CalendarTextToDate(const std::string& text);
// The calendar scanner behind CalendarTextToDate, for a given table.
TDateTime ScanCalendarDate(const TcxCustomCalendarTable& table, const std::string& text);

