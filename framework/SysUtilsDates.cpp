// Date and time encoding, the platform's date-time picture language and the readers of date and
// time texts.
#include <windows.h>

#include <cmath>

#include "SysUtils.h"

namespace {

constexpr int64_t DaysBeforeYearOne = 693594;  // days from 1 January 1 to 30 December 1899, + 1
constexpr int64_t MSecsPerDay = 86400000;
constexpr int CumulativeDays[2][13] = {{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
                                       {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366}};

// Days since 1 January 1 (which is day 1) of a value, as the platform's time stamps count them.
int64_t StampDate(TDateTime value) { return DaysBeforeYearOne + static_cast<int64_t>(std::trunc(value)); }

int64_t StampTime(TDateTime value) {
  double whole;
  return std::llround(std::fabs(std::modf(value, &whole)) * MSecsPerDay);
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month) {
  const int* table = CumulativeDays[IsLeapYear(year)];
  return table[month] - table[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month)) {
    return false;
  }
  const int64_t before = year - 1;
  const int64_t days = before * 365 + before / 4 - before / 100 + before / 400 +
                       CumulativeDays[IsLeapYear(year)][month - 1] + day;
  value = static_cast<double>(days - DaysBeforeYearOne);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime value;
  if (!TryEncodeDate(year, month, day, value)) throw EConvertError(SDateEncodeError);
  return value;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& value) {
  if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999) {
    return false;
  }
  value = (((hour * 60.0 + min) * 60.0 + sec) * 1000.0 + msec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  TDateTime value;
  if (!TryEncodeTime(hour, min, sec, msec, value)) throw EConvertError(STimeEncodeError);
  return value;
}

// Civil date of a day count (days from 1 March of year 0, shifted so that leap days end a cycle).
void DecodeDate(TDateTime value, uint16_t& year, uint16_t& month, uint16_t& day) {
  const int64_t stamp = StampDate(value);
  if (stamp <= 0) {
    year = month = day = 0;
    return;
  }
  const int64_t z = stamp + 305;  // day 1 (1 January 1) is 306 days after 1 March of year 0
  const int64_t era = z / 146097;
  const int64_t dayOfEra = z - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  day = static_cast<uint16_t>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  month = static_cast<uint16_t>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  year = static_cast<uint16_t>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

void DecodeTime(TDateTime value, uint16_t& hour, uint16_t& min, uint16_t& sec, uint16_t& msec) {
  int64_t ms = StampTime(value);
  msec = static_cast<uint16_t>(ms % 1000);
  ms /= 1000;
  sec = static_cast<uint16_t>(ms % 60);
  ms /= 60;
  min = static_cast<uint16_t>(ms % 60);
  hour = static_cast<uint16_t>(ms / 60);
}

int DayOfWeek(TDateTime value) {
  const int64_t stamp = StampDate(value);
  return static_cast<int>(((stamp % 7) + 7) % 7) + 1;
}

TDateTime Date() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return EncodeDate(now.wYear, now.wMonth, now.wDay);
}

TDateTime Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return EncodeDate(now.wYear, now.wMonth, now.wDay) +
         EncodeTime(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
}

std::string DateToStr(TDateTime value) { return FormatDateTime("ddddd", value); }
std::string TimeToStr(TDateTime value) { return FormatDateTime("tt", value); }
std::string DateTimeToStr(TDateTime value) { return FormatDateTime("c", value); }
