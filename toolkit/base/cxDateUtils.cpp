// Gregorian month arithmetic, parts of date values and the texts of the locale's own calendar
// (month names, year and month captions, day numbers, short day names) as the system writes them.
#include "cxDateUtils.h"

#include <cmath>
#include <memory>

#include "cxFormats.h"

// ---------------------------------------------------------------------------------------------
// Gregorian arithmetic
void StepMonthBack(uint16_t& year, uint16_t& month) {
  if (month == 1) {
    --year;
    month = 12;
  } else {
    --month;
  }
}

void StepMonthForward(uint16_t& year, uint16_t& month) {
  if (month == 12) {
    ++year;
    month = 1;
  } else {
    ++month;
  }
}

void AddMonthsToYearMonth(uint16_t& year, uint16_t& month, int months) {
  int y = year + months / 12;
  int m = month + months % 12;
  if (m <= 0) {
    --y;
    m += 12;
  } else if (m > 12) {
    ++y;
    m -= 12;
  }
  year = static_cast<uint16_t>(y);
  month = static_cast<uint16_t>(m);
}

bool IsGregorianLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int MonthDayCount(int year, int month) {
  static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsGregorianLeapYear(year) ? 29 : days[month - 1];
}

int ClampDay(int year, int month, int day) {
  if (day <= 0) return 1;
  return std::min(day, MonthDayCount(year, month));
}

int GetDatePart(int part, const TcxCustomCalendarTable* table, TDateTime value) {
  uint32_t parts[3];
  if (table) {
    const CalendarDateTime date = table->FromDateTime(value);
    parts[0] = date.Year, parts[1] = date.Month, parts[2] = date.Day;
  } else {
    uint16_t y, m, d;
    DecodeDate(value, y, m, d);
    parts[0] = y, parts[1] = m, parts[2] = d;
  }
  return static_cast<int>(parts[part == 0 || part == 1 ? part : 2]);
}

TDateTime DateTimeTimePart(TDateTime value) {
  double whole;
  return std::modf(value, &whole);
}

TDateTime DateTimeDatePart(TDateTime value) { return std::trunc(value); }

int DayOfWeekIndex(TDateTime value) {
  const int index = DayOfWeek(value) - 1 - GetFormatController()->WeekStartDay;
  return index < 0 ? index + 7 : index;
}

TDateTime MinCalendarDate() { return EncodeDate(MinCalendarYear, 1, 1); }

int DateOrderOf(const std::string& format) {
  for (char c : format) {
    switch (c) {
      case 'D': case 'd': return 1;
      case 'E': case 'e': case 'Y': case 'y': return 2;
      case 'M': case 'm': return 0;
      default: break;
    }
  }
  return 0;
}

void SkipBlanks(const std::string& text, int& position) {
  while (position >= 1 && position <= static_cast<int>(text.size()) && text[position - 1] == ' ') ++position;
}

// ---------------------------------------------------------------------------------------------
// System texts
TDateTime CalendarTimeOf(const CalendarDateTime& date) {
  TDateTime time = 0;
  TryEncodeTime(date.Hours, date.Minutes, date.Seconds, date.Milliseconds, time);
  return time;
}

void SetCalendarTime(CalendarDateTime& date, TDateTime value) {
  uint16_t hours, minutes, seconds, milliseconds;
  DecodeTime(value, hours, minutes, seconds, milliseconds);
  date.Hours = static_cast<uint8_t>(hours);
  date.Minutes = static_cast<uint8_t>(minutes);
  date.Seconds = static_cast<uint8_t>(seconds);
  date.Milliseconds = milliseconds;
}

TDateTime CombineDateAndTime(TDateTime day, TDateTime time) { return day < 0 ? day - time : day + time; }

bool DateTimeToSystemTime(TDateTime value, SYSTEMTIME& time) {
  time = {};
  DecodeDate(value, time.wYear, time.wMonth, time.wDay);
  if (time.wYear == 0) return false;
  DecodeTime(value, time.wHour, time.wMinute, time.wSecond, time.wMilliseconds);
  time.wDayOfWeek = static_cast<WORD>(DayOfWeek(value) - 1);
  return true;
}

namespace {
// The locale table when the caller names none.
struct TTableOrLocale {
  explicit TTableOrLocale(const TcxCustomCalendarTable* table)
      : own(table ? nullptr : CreateLocaleCalendarTable()), table(table ? table : own.get()) {}
  std::unique_ptr<TcxCustomCalendarTable> own;
  const TcxCustomCalendarTable* table;
};
}  // namespace

bool FormatDateBySystem(std::string& text, DWORD flags, const std::string& format, TDateTime value) {
  text.clear();
  SYSTEMTIME time;
  if (!DateTimeToSystemTime(value, time)) return false;
  char buffer[256];
  const int length = GetDateFormatA(GetThreadLocale(), flags, &time, format.empty() ? nullptr : format.c_str(),
                                    buffer, sizeof buffer);
  if (length <= 0) return false;
  text.assign(buffer, length - 1);
  return true;
}

std::string UserShortDateFormat() { return GetLocaleString(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, ""); }

std::string LocaleText(LCTYPE item, const std::string& defaultValue) {
  std::string text = GetLocaleString(GetThreadLocale(), item, defaultValue);
  return text.empty() ? defaultValue : text;
}

char LocaleChar(LCTYPE item, char defaultChar) {
  const std::string text = LocaleText(item, std::string(1, defaultChar));
  return text.empty() ? defaultChar : text[0];
}

int CallGetCalendarInfo(LCID locale, int calendar, DWORD item, char* buffer, int size, DWORD* number) {
  using TGetCalendarInfo = int(WINAPI*)(LCID, CALID, CALTYPE, LPSTR, int, LPDWORD);
  HMODULE library = LoadLibraryA("Kernel32");
  if (!library) return 0;
  auto function =
      reinterpret_cast<TGetCalendarInfo>(reinterpret_cast<void*>(GetProcAddress(library, "GetCalendarInfoA")));
  const int result = function ? function(locale, static_cast<CALID>(calendar), item, buffer, size, number) : 0;
  FreeLibrary(library);
  return result;
}

std::string LocaleDateTimeText(TDateTime value) {
  std::string text;
  FormatDateBySystem(text, 0, UserShortDateFormat(), value);
  if (DateTimeTimePart(value) != 0) text += " " + TimeToStr(value);
  return text;
}

std::string SystemDayText(TDateTime value) {
  std::string text;
  if (FormatDateBySystem(text, 0, "d", value)) return text;
  return FormatDateTime("d", value);  // what the class library's date text gives for the format "d"
}

std::string GetCalendarDayText(int day, const TcxCustomCalendarTable* table) {
  const TTableOrLocale calendar(table);
  CalendarDate date;
  date.Year = static_cast<uint32_t>(calendar.table->MinYear());
  date.Month = 1;
  date.Day = static_cast<uint32_t>(day);
  return SystemDayText(calendar.table->DateToDateTime(date));
}

void GetCalendarMonthName(const TcxCustomCalendarTable* table, std::string& text, TDateTime value) {
  const TTableOrLocale calendar(table);
  const CalendarDateTime date = calendar.table->FromDateTime(value);
  if (FormatDateBySystem(text, 0, "MMMM", calendar.table->ToDateTime(date))) return;
  text = date.Month >= 1 && date.Month <= 12 ? FormatSettings().LongMonthNames[date.Month - 1] : "";
}

std::string GetCalendarMonthNameOf(int year, int month, const TcxCustomCalendarTable* table) {
  const TTableOrLocale calendar(table);
  std::string text;
  if (calendar.table->IsValidMonth(year, month)) {
    GetCalendarMonthName(calendar.table, text, calendar.table->YMDToDateTime(year, month, 1));
  }
  return text;
}

void GetCalendarYearText(const TcxCustomCalendarTable* table, std::string& text, TDateTime value) {
  const TTableOrLocale calendar(table);
  const CalendarDateTime date = calendar.table->FromDateTime(value);
  if (!FormatDateBySystem(text, 0, "yyyy", calendar.table->ToDateTime(date))) text = IntToStr(date.Year);
}

void GetCalendarYearMonthText(const TcxCustomCalendarTable* table, std::string& text, TDateTime value) {
  const TTableOrLocale calendar(table);
  CalendarDateTime date = calendar.table->FromDateTime(value);
  date.Day = 1;
  char format[256];
  const int length = CallGetCalendarInfo(LOCALE_USER_DEFAULT, calendar.table->CalendarId(), CAL_SYEARMONTH, format,
                                         sizeof format, nullptr);
  if (length > 1 && FormatDateBySystem(text, 0, std::string(format, length - 1), calendar.table->ToDateTime(date))) {
    return;
  }
  std::string year;
  GetCalendarYearText(calendar.table, year, value);
  text = GetCalendarMonthNameOf(static_cast<int>(date.Year), static_cast<int>(date.Month), calendar.table) + " " + year;
}

namespace {
// Scripts whose one-letter day names are the last letter of the short name.
bool TakesLastLetter(uint8_t charset, const std::u16string& name) {
  const bool script = charset == GB2312_CHARSET || charset == CHINESEBIG5_CHARSET || charset == ARABIC_CHARSET;
  return script && !name.empty() && name[0] >= 0x80;
}
}  // namespace

void GetShortDayName(int day, uint8_t charset, std::string& text) {
  text.clear();
  if (day < 1 || day > 7) return;
  const bool shortest = LOBYTE(LOWORD(GetVersion())) > 5;
  const LCTYPE item = (shortest ? LOCALE_SSHORTESTDAYNAME1 : LOCALE_SABBREVDAYNAME1) + (day - 1);
  WCHAR buffer[256];
  const int length = GetLocaleInfoW(GetThreadLocale(), item, buffer, 256);
  if (length <= 1) return;
  const std::u16string name(reinterpret_cast<const char16_t*>(buffer), length - 1);
  text = WideToAnsi(TakesLastLetter(charset, name) ? name.substr(name.size() - 1) : name.substr(0, 1));
}
