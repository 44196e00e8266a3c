// Conversions between date texts and date values: the system's formatting and OLE's text-to-date
// conversion for Gregorian locales, the locale calendar's own scanner for the others.
#include <oleauto.h>

#include <cctype>
#include <cmath>
#include <memory>

#include "cxDateUtils.h"
#include "cxFormats.h"

namespace {

bool HasTime(TDateTime value) { return DateTimeTimePart(value) != 0; }

// "yy" becomes "yyyy" (in the letter case of the format) unless the year is already longer.
std::string WithFourDigitYear(std::string format) {
  const std::string lower = LowerCase(format);
  const size_t at = lower.find("yy");
  if (at != std::string::npos && lower.find("yyy") == std::string::npos) format.insert(at + 2, 2, format[at]);
  return format;
}

bool SystemDateTimeText(const std::string& format, TDateTime value, std::string& text) {
  SYSTEMTIME time;
  char buffer[100];
  if (!DateTimeToSystemTime(value, time)) return false;
  int length = GetDateFormatA(GetThreadLocale(), 0, &time, format.c_str(), buffer, sizeof buffer);
  if (length <= 0) return false;
  text.assign(buffer, length - 1);
  if (!HasTime(value)) return true;
  length = GetTimeFormatA(GetThreadLocale(), 0, &time, nullptr, buffer, sizeof buffer);
  if (length <= 0) return false;
  text += " " + std::string(buffer, length - 1);
  return true;
}

std::string VariantDateText(TDateTime value) {
  BSTR text = nullptr;
  if (FAILED(VarBstrFromDate(value, GetThreadLocale(), 0, &text))) return "";
  const std::string result = WideToAnsi(std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text)));
  SysFreeString(text);
  return result;
}

// OLE's text-to-date conversion in the thread locale; EConvertError when it refuses the text.
TDateTime VariantTextToDate(const std::string& text) {
  std::u16string wide = AnsiToWide(text);
  DATE value = 0;
  if (FAILED(VarDateFromStr(reinterpret_cast<LPCOLESTR>(wide.c_str()), GetThreadLocale(), 0, &value))) {
    throw EConvertError(Format(SInvalidDate, {text}));
  }
  return value;
}

// Years up to 9999 and values a 32-bit day count can hold.
bool IsAcceptedDate(TDateTime value) {
  return value > -2147483648.0 && value < 2147483647.0 && std::trunc(value) <= EncodeDate(MaxCalendarYear, 12, 31);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Values to texts
void DateTimeToText(bool useDisplayFormat, bool withTime, bool fourDigitYear, std::string& text, TDateTime value) {
  text.clear();
  if (value == NullDate) return;
  if (!IsGregorianCalendar()) {
    text = LocaleDateTimeText(value);
  } else if (useDisplayFormat) {
    const TcxFormatController* controller = GetFormatController();
    text = withTime ? FormatDateTime(controller->DateTimeDisplayFormat, value)
                    : FormatDateTime(controller->DateDisplayFormat, DateTimeDatePart(value));
  } else {
    DateTimeToTextDefault(fourDigitYear, text, value);
  }
}

void DateTimeToTextDefault(bool fourDigitYear, std::string& text, TDateTime value) {
  DateTimeToTextEx(fourDigitYear, GetFormatController()->UseLibraryFormats, text, value);
}

void DateTimeToTextEx(bool fourDigitYear, bool libraryFormats, std::string& text, TDateTime value) {
  text.clear();
  if (value == NullDate) return;
  const TFormatSettings& fs = FormatSettings();
  std::string format = libraryFormats ? fs.ShortDateFormat + (HasTime(value) ? " " + fs.LongTimeFormat : "")
                                      : LocaleText(LOCALE_SSHORTDATE, "");
  if (fourDigitYear) format = WithFourDigitYear(format);
  if (libraryFormats) {
    text = FormatDateTime(format, value);
  } else if (!SystemDateTimeText(format, value, text)) {
    text = VariantDateText(value);
  }
}

// ---------------------------------------------------------------------------------------------
// Texts to values
namespace {
std::u16string UpperWide(std::u16string text) {
  if (!text.empty()) CharUpperBuffW(reinterpret_cast<LPWSTR>(text.data()), static_cast<DWORD>(text.size()));
  return text;
}

std::u16string TrimmedUpper(const std::string& text) { return UpperWide(AnsiToWide(Trim(text))); }

// Blanks out every occurrence of a literal of the format, so a typed text converts with or
// without it.
void BlankOut(std::u16string& text, const std::u16string& literal) {
  const std::u16string upper = UpperWide(text);
  for (size_t at = upper.find(literal); at != std::u16string::npos; at = upper.find(literal, at + literal.size())) {
    text.replace(at, literal.size(), literal.size(), u' ');
  }
}

// Trims and cuts every run of control characters and blanks to its first character.
std::u16string CollapseBlanks(const std::u16string& text) {
  size_t first = 0, last = text.size();
  while (first < last && text[first] <= u' ') ++first;
  while (last > first && text[last - 1] <= u' ') --last;
  std::u16string result;
  for (size_t i = first; i < last; ++i) {
    if (text[i] <= u' ' && i > first && text[i - 1] <= u' ') continue;
    result += text[i];
  }
  return result;
}
}  // namespace

void NormalizeDateText(std::string& text, bool systemSeparators) {
  const TFormatSettings& fs = FormatSettings();
  const char dateSeparator = systemSeparators ? LocaleChar(LOCALE_SDATE, '/') : fs.DateSeparator;
  const std::u16string separators[4] = {
      TrimmedUpper(std::string(1, dateSeparator)),
      TrimmedUpper(std::string(1, systemSeparators ? LocaleChar(LOCALE_STIME, ':') : fs.TimeSeparator)),
      TrimmedUpper(systemSeparators ? LocaleText(LOCALE_S1159, "am") : fs.TimeAMString),
      TrimmedUpper(systemSeparators ? LocaleText(LOCALE_S2359, "pm") : fs.TimePMString)};
  std::u16string wide = AnsiToWide(text);
  const TcxFormatController* controller = GetFormatController();
  for (const TcxDateTimeFormatInfo* info : {&controller->DateItems, &controller->TimeItems}) {
    for (const TcxDateTimeFormatItem& item : info->Items) {
      if (item.Kind != cdtLiteral) continue;
      const std::u16string literal = TrimmedUpper(item.Data);
      if (literal.empty() || std::find(std::begin(separators), std::end(separators), literal) != std::end(separators)) {
        continue;
      }
      BlankOut(wide, literal);
    }
  }
  wide = CollapseBlanks(wide);
  if (systemSeparators) {
    const std::u16string separator = AnsiToWide(std::string(1, dateSeparator));
    for (char16_t& c : wide) {
      if (!separator.empty() && c == separator[0]) c = u' ';
    }
  }
  text = WideToAnsi(wide);
}

bool TextToDateTime(const std::string& text, bool systemConversion, TDateTime& value) {
  value = NullDate;
  try {
    if (IsGregorianCalendar()) {
      std::string normalized = text;
      NormalizeDateText(normalized, systemConversion);
      value = systemConversion ? VariantTextToDate(normalized) : StrToDateTime(normalized);
    } else {
      value = CalendarTextToDate(text);
    }
    return true;
  } catch (const Exception&) {
    value = NullDate;
    return false;
  }
}

bool TextToDate(const std::string& text, TDateTime& value) {
  const std::string trimmed = Trim(text);
  value = NullDate;
  if (trimmed.empty()) return false;
  try {
    if (!IsGregorianCalendar()) {
      value = CalendarTextToDate(trimmed);
      return true;
    }
    if (!SmartTextToDate(trimmed, value)) {
      const bool library = GetFormatController()->UseLibraryFormats;
      std::string normalized = trimmed;
      NormalizeDateText(normalized, !library);
      value = library ? StrToDateTime(normalized) : VariantTextToDate(normalized);
    }
    if (IsAcceptedDate(value)) return true;
  } catch (const Exception&) {
  }
  value = NullDate;
  return false;
}
