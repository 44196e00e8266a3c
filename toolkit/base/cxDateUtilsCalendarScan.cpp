// Reading a date typed in the locale's own calendar (era names, year numbers of the era, month
// names of that calendar) into a date value.
#include <cctype>
#include <memory>

#include "cxDateUtils.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text from `at` up to the next `stop` character (or the end); `at` moves past the stop.
std::string TakeUntil(const std::string& text, size_t& at, char stop) {
  const size_t end = std::min(text.find(stop, at), text.size());
  std::string part = text.substr(at, end - at);
  at = std::min(end + 1, text.size());
  return part;
}

// The year offset the text's era name stands for, and where the date itself starts.
int EraYearOffset(const std::string& format, const std::string& text, size_t& at) {
  const TFormatSettings& fs = FormatSettings();
  if (!format.empty() && (format[0] == 'g' || format[0] == 'G')) {
    while (at < text.size() && !IsDigit(text[at])) ++at;
    const std::string name = Trim(text.substr(0, at));
    for (int i = 0; i < 7 && !name.empty(); ++i) {
      if (!fs.EraNames[i].empty() && fs.EraNames[i].find(name) != std::string::npos) return fs.EraYearOffsets[i];
    }
    return 0;
  }
  return LowerCase(format).find('e') != std::string::npos ? fs.EraYearOffsets[0] : 0;
}

// The era of the table that an era name's year offset names.
int EraOfOffset(const TcxCustomCalendarTable& table, int offset) {
  for (int i = 0; i < table.Eras->Count(); ++i) {
    if (offset != 0 && table.Eras->Items(i)->YearShift == offset) return i;
  }
  return table.EraOfYear(offset + 1);
}

struct TDateTextParts {
  std::string Part[3];
};

// With a blank as the date separator a month name may be two words.
void JoinMonthWords(const std::string& text, size_t& at, int order, TDateTextParts& parts) {
  int position = static_cast<int>(at) + 1;
  SkipBlanks(text, position);
  at = static_cast<size_t>(position - 1);
  if (at + 1 >= text.size() || IsDigit(text[at])) return;
  std::string next = TakeUntil(text, at, ' ');
  if (order == 0) {
    parts.Part[0] += " " + parts.Part[1];
    parts.Part[1] = parts.Part[2];
  } else {
    parts.Part[1] += " " + parts.Part[2];
  }
  parts.Part[2] = next;
}

}  // namespace

TDateTime ScanCalendarDate(const TcxCustomCalendarTable& table, const std::string& text) {
  const TFormatSettings& fs = FormatSettings();
  const std::string format = UserShortDateFormat();
  size_t at = 0;
  const int offset = EraYearOffset(format, text, at);
  TDateTextParts parts;
  parts.Part[0] = TakeUntil(text, at, fs.DateSeparator);
  parts.Part[1] = TakeUntil(text, at, fs.DateSeparator);
  parts.Part[2] = TakeUntil(text, at, ' ');
  const int order = DateOrderOf(format);
  if (fs.DateSeparator == ' ') JoinMonthWords(text, at, order, parts);
  // Part indexes of year, month and day by order: month-day-year, day-month-year, year-month-day.
  static constexpr int indexes[3][3] = {{2, 0, 1}, {2, 1, 0}, {0, 1, 2}};
  CalendarDateTime date;
  date.Year = static_cast<uint32_t>(table.YearFromText(Trim(parts.Part[indexes[order][0]])));
  date.Month = static_cast<uint32_t>(table.MonthFromText(static_cast<int>(date.Year), Trim(parts.Part[indexes[order][1]])));
  date.Day = static_cast<uint32_t>(table.DayFromText(Trim(parts.Part[indexes[order][2]])));
  date.Era = EraOfOffset(table, offset);
  const std::string rest = Trim(text.substr(std::min(at, text.size())));
  if (!rest.empty()) {
    uint16_t h, m, s, ms;
    DecodeTime(StrToTime(rest), h, m, s, ms);
    date.Hours = static_cast<uint8_t>(h), date.Minutes = static_cast<uint8_t>(m), date.Seconds = static_cast<uint8_t>(s);
    date.Milliseconds = ms;
  }
  // A date the calendar does not have is an error here, not the calendar's first day.
  if (!table.IsValidEraDay(date.Era, static_cast<int>(date.Year), static_cast<int>(date.Month), static_cast<int>(date.Day))) {
    throw EConvertError(Format(SInvalidDate, {text}));
  }
  return table.ToDateTime(date);
}

TDateTime CalendarTextToDate(const std::string& text) {
  const int type = LocaleCalendarType();
  if (type < cxCalJapan || type > cxCalHebrew) {
    TDateTime value;
    TextToDate(text, value);
    return value;
  }
  std::unique_ptr<TcxCustomCalendarTable> table(CreateLocaleCalendarTable());
  return ScanCalendarDate(*table, text);
}
