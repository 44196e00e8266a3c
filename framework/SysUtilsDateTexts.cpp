// The platform's date-time picture language (FormatDateTime) and the readers of date and time
// texts in the order of the short date format.
#include <windows.h>

#include <cctype>
#include <cmath>

#include "SysUtils.h"

namespace {

struct TDateParts {
  uint16_t Year, Month, Day, Hour, Min, Sec, MSec, DayOfWeek;
};

TDateParts PartsOf(TDateTime value) {
  TDateParts p{};
  DecodeDate(value, p.Year, p.Month, p.Day);
  DecodeTime(value, p.Hour, p.Min, p.Sec, p.MSec);
  p.DayOfWeek = static_cast<uint16_t>(DayOfWeek(value));
  return p;
}

std::string Digits(int value, int width) {
  std::string s = std::to_string(value);
  return s.size() < static_cast<size_t>(width) ? std::string(width - s.size(), '0') + s : s;
}

bool StartsWithText(std::string_view s, size_t at, std::string_view word) {
  return s.size() - at >= word.size() && SameText(s.substr(at, word.size()), word);
}

class TDateTimeWriter {
 public:
  explicit TDateTimeWriter(TDateTime value) : parts_(PartsOf(value)) {}
  std::string Text() const { return out_; }
  void Append(std::string_view format, int level);

 private:
  size_t RunLength(std::string_view f, size_t at) const {
    size_t n = 1;
    while (at + n < f.size() && std::toupper(static_cast<unsigned char>(f[at + n])) ==
                                    std::toupper(static_cast<unsigned char>(f[at]))) {
      ++n;
    }
    return n;
  }
  bool TwelveHourAhead(std::string_view f, size_t at) const;
  size_t Marker(std::string_view f, size_t at);
  void Month(size_t run);
  void Day(size_t run, int level);
  void Hour(std::string_view f, size_t at, size_t run);

  TDateParts parts_;
  std::string out_;
  char lastToken_ = ' ';
};

// An hour is on a 12-hour clock when the first marker or hour that follows, outside quotes, is a
// marker.
bool TDateTimeWriter::TwelveHourAhead(std::string_view f, size_t at) const {
  bool quoted = false;
  for (; at < f.size(); ++at) {
    const char c = f[at];
    if (c == '\'' || c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == 'h' || c == 'H') return false;
    if (c == 'a' || c == 'A') {
      return StartsWithText(f, at, "AM/PM") || StartsWithText(f, at, "A/P") || StartsWithText(f, at, "AMPM");
    }
  }
  return false;
}

// Writes an AM/PM marker at `at` and answers how many characters it took (0: not a marker).
size_t TDateTimeWriter::Marker(std::string_view f, size_t at) {
  const bool pm = parts_.Hour >= 12;
  if (StartsWithText(f, at, "AM/PM")) {
    out_.append(f.substr(at + (pm ? 3 : 0), 2));
    return 5;
  }
  if (StartsWithText(f, at, "A/P")) {
    out_ += f[at + (pm ? 2 : 0)];
    return 3;
  }
  if (StartsWithText(f, at, "AMPM")) {
    out_ += pm ? FormatSettings().TimePMString : FormatSettings().TimeAMString;
    return 4;
  }
  return 0;
}

void TDateTimeWriter::Month(size_t run) {
  const TFormatSettings& fs = FormatSettings();
  if (run <= 2) {
    out_ += Digits(parts_.Month, static_cast<int>(run));
  } else {
    out_ += (run == 3 ? fs.ShortMonthNames : fs.LongMonthNames)[parts_.Month - 1];
  }
}

void TDateTimeWriter::Day(size_t run, int level) {
  const TFormatSettings& fs = FormatSettings();
  switch (run) {
    case 1: case 2: out_ += Digits(parts_.Day, static_cast<int>(run)); break;
    case 3: out_ += fs.ShortDayNames[parts_.DayOfWeek - 1]; break;
    case 4: out_ += fs.LongDayNames[parts_.DayOfWeek - 1]; break;
    case 5: Append(fs.ShortDateFormat, level + 1); break;
    default: Append(fs.LongDateFormat, level + 1); break;
  }
}

void TDateTimeWriter::Hour(std::string_view f, size_t at, size_t run) {
  int hour = parts_.Hour;
  if (TwelveHourAhead(f, at + run)) hour = hour == 0 ? 12 : hour > 12 ? hour - 12 : hour;
  out_ += Digits(hour, run >= 2 ? 2 : 1);
}

// Nested formats (c, ddddd, t ...) are followed two levels deep, so a format that names itself
// ends.
void TDateTimeWriter::Append(std::string_view f, int level) {
  if (level >= 2) return;
  const TFormatSettings& fs = FormatSettings();
  size_t at = 0;
  while (at < f.size()) {
    const char c = f[at];
    char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == 'M' && lastToken_ == 'H') upper = 'N';  // m after h: minutes
    const size_t run = RunLength(f, at);
    size_t used = run;
    switch (upper) {
      case 'E': case 'Y': out_ += run <= 2 ? Digits(parts_.Year % 100, 2) : Digits(parts_.Year, 4); break;
      case 'G': break;  // eras are not written
      case 'M': Month(run); break;
      case 'D': Day(run, level); break;
      case 'H': Hour(f, at, run); break;
      case 'N': out_ += Digits(parts_.Min, run >= 2 ? 2 : 1); break;
      case 'S': out_ += Digits(parts_.Sec, run >= 2 ? 2 : 1); break;
      case 'Z': out_ += Digits(parts_.MSec, run >= 3 ? 3 : 1); break;
      case 'T': Append(run == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, level + 1); break;
      case 'C':
        Append(fs.ShortDateFormat, level + 1);
        if (parts_.Hour || parts_.Min || parts_.Sec || parts_.MSec) {
          out_ += ' ';
          Append(fs.LongTimeFormat, level + 1);
        }
        break;
      case 'A':
        used = Marker(f, at);
        if (used == 0) {
          out_ += c;
          used = 1;
        }
        break;
      case '/': out_ += fs.DateSeparator; used = 1; break;
      case ':': out_ += fs.TimeSeparator; used = 1; break;
      case '\'': case '"': {
        const size_t close = f.find(c, at + 1);
        const size_t end = close == std::string_view::npos ? f.size() : close;
        out_.append(f.substr(at + 1, end - at - 1));
        used = end - at + 1;
        break;
      }
      default: out_ += c; used = 1; break;
    }
    if (std::isalpha(static_cast<unsigned char>(upper))) lastToken_ = upper;
    at += used;
  }
}

}  // namespace

std::string FormatDateTime(std::string_view format, TDateTime value) {
  TDateTimeWriter writer(value);
  writer.Append(format.empty() ? std::string_view("C") : format, 0);
  return writer.Text();
}

// ---------------------------------------------------------------------------------------------
// Readers. Numbers have at most four digits, so an endless run of digits fails at once.
namespace {

enum TDateOrder { doMDY, doDMY, doYMD };

TDateOrder DateOrderOfFormat(std::string_view format) {
  for (char c : format) {
    switch (std::toupper(static_cast<unsigned char>(c))) {
      case 'D': return doDMY;
      case 'E': case 'Y': return doYMD;
      case 'M': return doMDY;
      default: break;
    }
  }
  return doMDY;
}

class TDateTimeScanner {
 public:
  explicit TDateTimeScanner(std::string_view s) : s_(s) {}
  void SkipBlanks() {
    while (at_ < s_.size() && s_[at_] == ' ') ++at_;
  }
  bool AtEnd() {
    SkipBlanks();
    return at_ >= s_.size();
  }
  bool Char(char c) {
    SkipBlanks();
    if (at_ >= s_.size() || s_[at_] != c) return false;
    ++at_;
    return true;
  }
  bool Number(int& value, int& digits) {
    SkipBlanks();
    value = 0;
    digits = 0;
    while (at_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[at_])) && value < 1000) {
      value = value * 10 + (s_[at_++] - '0');
      ++digits;
    }
    // A fifth digit is no part of a date: "1/1/10000" must not read as 1 January 1000 at 0:00.
    return digits > 0 && !(at_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[at_])));
  }
  bool Word(std::string_view word) {
    SkipBlanks();
    if (word.empty() || !StartsWithText(s_, at_, word)) return false;
    at_ += word.size();
    return true;
  }
  bool Date(TDateTime& value);
  bool Time(TDateTime& value);

 private:
  bool Marker(int& pmOffset);
  std::string_view s_;
  size_t at_ = 0;
};

int WindowedYear(int year) {
  const uint16_t window = FormatSettings().TwoDigitYearCenturyWindow;
  SYSTEMTIME now;
  GetLocalTime(&now);
  const int pivot = now.wYear - window;
  year += pivot / 100 * 100;
  if (window > 0 && year < pivot) year += 100;
  return year;
}

bool TDateTimeScanner::Date(TDateTime& value) {
  const TFormatSettings& fs = FormatSettings();
  int n1, n2, n3 = 0, l1, l2, l3 = 0;
  if (!Number(n1, l1) || !Char(fs.DateSeparator) || !Number(n2, l2)) return false;
  const TDateOrder order = DateOrderOfFormat(fs.ShortDateFormat);
  int y, m, d;
  if (Char(fs.DateSeparator)) {
    if (!Number(n3, l3)) return false;
    const int table[3][3] = {{n3, n1, n2}, {n3, n2, n1}, {n1, n2, n3}};  // y, m, d by order
    y = table[order][0], m = table[order][1], d = table[order][2];
    if (l3 <= 2 && order != doYMD) y = WindowedYear(y);
    if (order == doYMD && l1 <= 2) y = WindowedYear(y);
  } else {
    SYSTEMTIME now;
    GetLocalTime(&now);
    y = now.wYear;
    m = order == doDMY ? n2 : n1;
    d = order == doDMY ? n1 : n2;
  }
  SkipBlanks();
  return TryEncodeDate(y, m, d, value);
}

bool TDateTimeScanner::Marker(int& pmOffset) {
  const TFormatSettings& fs = FormatSettings();
  if (Word(fs.TimeAMString) || Word("AM")) {
    pmOffset = 0;
    return true;
  }
  if (Word(fs.TimePMString) || Word("PM")) {
    pmOffset = 12;
    return true;
  }
  return false;
}

bool TDateTimeScanner::Time(TDateTime& value) {
  const char sep = FormatSettings().TimeSeparator;
  int pm = -1, hour, min = 0, sec = 0, msec = 0, digits;
  if (Marker(pm) == false) pm = -1;
  if (!Number(hour, digits)) return false;
  if (Char(sep)) {
    if (!Number(min, digits)) return false;
    if (Char(sep)) {
      if (!Number(sec, digits)) return false;
      if (Char(FormatSettings().DecimalSeparator) && !Number(msec, digits)) return false;
    }
  }
  if (pm < 0 && !Marker(pm)) pm = -1;
  if (pm >= 0) {
    if (hour == 0 || hour > 12) return false;
    hour = hour == 12 ? pm : hour + pm;
  }
  SkipBlanks();
  return TryEncodeTime(hour, min, sec, msec, value);
}

}  // namespace

bool TryStrToDate(std::string_view s, TDateTime& value) {
  TDateTimeScanner scanner(s);
  return scanner.Date(value) && scanner.AtEnd();
}

bool TryStrToTime(std::string_view s, TDateTime& value) {
  TDateTimeScanner scanner(s);
  return scanner.Time(value) && scanner.AtEnd();
}

bool TryStrToDateTime(std::string_view s, TDateTime& value) {
  TDateTimeScanner scanner(s);
  TDateTime date, time = 0;
  if (scanner.Date(date)) {
    if (!scanner.AtEnd() && !scanner.Time(time)) return false;
    if (!scanner.AtEnd()) return false;
    value = date < 0 ? date - time : date + time;
    return true;
  }
  TDateTimeScanner timeOnly(s);
  if (!timeOnly.Time(time) || !timeOnly.AtEnd()) return false;
  value = time;
  return true;
}

namespace {
template <bool (*Try)(std::string_view, TDateTime&)>
TDateTime ConvertOrRaise(std::string_view s, const char* message) {
  TDateTime value;
  if (!Try(s, value)) throw EConvertError(Format(message, {s}));
  return value;
}
}  // namespace

TDateTime StrToDate(std::string_view s) { return ConvertOrRaise<&TryStrToDate>(s, SInvalidDate); }
TDateTime StrToTime(std::string_view s) { return ConvertOrRaise<&TryStrToTime>(s, SInvalidTime); }
TDateTime StrToDateTime(std::string_view s) { return ConvertOrRaise<&TryStrToDateTime>(s, SInvalidDateTime); }
