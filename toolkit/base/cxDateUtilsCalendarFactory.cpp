// Reading calendar parts typed as text, Gregorian week numbers and the factory of calendar tables.
#include <cmath>

#include "cxDateUtils.h"

// ---------------------------------------------------------------------------------------------
// Parts typed as text
int TcxCustomCalendarTable::DayFromText(const std::string& text) const { return StrToInt(text); }

int TcxCustomCalendarTable::MonthFromText(int, const std::string& text) const {
  const TFormatSettings& fs = FormatSettings();
  for (int month = 0; month < 12; ++month) {
    if (AnsiSameText(text, fs.LongMonthNames[month]) || AnsiSameText(text, fs.ShortMonthNames[month])) {
      return month + 1;
    }
  }
  return StrToInt(text);
}

namespace {
// The last year that a two-digit year stands for in this calendar (0 when the system cannot say).
int TwoDigitYearMax(int calendarId) {
  DWORD number = 0;
  if (!CallGetCalendarInfo(LOCALE_USER_DEFAULT, calendarId, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0,
                           &number)) {
    return 0;
  }
  return static_cast<int>(number);
}
}  // namespace

int TcxCustomCalendarTable::YearFromText(const std::string& text) const {
  int year = StrToInt(text);
  if (text.size() > 2) return year;
  const int windowMax = TwoDigitYearMax(CalendarId());
  if (windowMax == 0) return year;
  const int century = windowMax / 100, lastDigits = windowMax % 100;
  return year <= lastDigits ? year + century * 100 : year + (century - 1) * 100;
}

// ---------------------------------------------------------------------------------------------
// Week numbers
int ResolveWeekRule(int weekRule) {
  if (weekRule != 0) return weekRule;
  const std::string setting = LocaleText(LOCALE_IFIRSTWEEKOFYEAR, "0");
  const char digit = setting.empty() ? '0' : setting[0];
  return (digit >= '0' && digit <= '9' ? digit - '0' : 0) + 1;
}

TDateTime WeekStartForDay(TDateTime value, int startDay) {
  const TDateTime day = std::trunc(value);
  return day - ((DayOfWeek(day) - 1 - startDay) % 7 + 7) % 7;
}

namespace {
// The first day of week 1 of a year.
TDateTime FirstWeekStart(int year, int startDay, int rule) {
  const TDateTime firstJanuary = EncodeDate(year, 1, 1);
  TDateTime start = WeekStartForDay(firstJanuary, startDay);
  if ((rule == 2 && start < firstJanuary) || (rule == 3 && start + 3 < firstJanuary)) start += 7;
  return start;
}

int YearOf(TDateTime value) {
  uint16_t y, m, d;
  DecodeDate(value, y, m, d);
  return y;
}
}  // namespace

// Days before the first week of their year belong to the last week of the previous year (the
// rules that skip a short first week would otherwise number two different weeks 1).
int GregorianWeekNumber(TDateTime value, int startDay, int weekRule) {
  const int rule = ResolveWeekRule(weekRule);
  const TDateTime day = std::trunc(value);
  uint16_t year, month, dayOfMonth;
  DecodeDate(day, year, month, dayOfMonth);
  const TDateTime first = FirstWeekStart(year, startDay, rule);
  if (day < first && year > 1) return GregorianWeekNumber(EncodeDate(year - 1, 12, 31), startDay, rule);
  if (month == 12) {
    const TDateTime weekStart = WeekStartForDay(day, startDay);
    if ((rule == 1 && YearOf(weekStart + 6) > year) || (rule == 3 && YearOf(weekStart + 3) > year)) return 1;
  }
  return static_cast<int>((day - first) / 7) + 1;
}

// ---------------------------------------------------------------------------------------------
// Factory
int LocaleCalendarType() {
  DWORD type = 0;
  if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ICALENDARTYPE | LOCALE_RETURN_NUMBER,
                      reinterpret_cast<LPSTR>(&type), sizeof type)) {
    return cxCalGregorian;
  }
  return static_cast<int>(type);
}

TcxCustomCalendarTable* CreateCalendarTable(int calendarType) {
  switch (calendarType) {
    case cxCalGregorian: case cxCalGregorianUS: case cxCalGregorianMEFrench:
    case cxCalGregorianArabic: case cxCalGregorianXlitEnglish: case cxCalGregorianXlitFrench:
      return new TcxGregorianCalendarTable(static_cast<uint8_t>(calendarType));
    case cxCalJapan: return new TcxJapaneseCalendarTable;
    case cxCalTaiwan: return new TcxTaiwanCalendarTable;
    case cxCalKorea: return new TcxKoreanCalendarTable;
    case cxCalThai: return new TcxThaiCalendarTable;
    case cxCalHijri: return new TcxHijriCalendarTable;
    case cxCalHebrew: return new TcxHebrewCalendarTable;
    default: return new TcxGregorianCalendarTable(cxCalGregorian);
  }
}

TcxCustomCalendarTable* CreateLocaleCalendarTable() { return CreateCalendarTable(LocaleCalendarType()); }

bool IsGregorianCalendar(const TcxCustomCalendarTable* table) {
  auto isGregorianId = [](int id) { return id == cxCalGregorian || id == cxCalGregorianUS || (id >= 9 && id <= 12); };
  if (table) return isGregorianId(table->CalendarId());
  std::unique_ptr<TcxCustomCalendarTable> locale(CreateLocaleCalendarTable());
  return isGregorianId(locale->CalendarId());
}
