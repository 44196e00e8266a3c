// The binary-coded decimal's text and order, and the SQL time stamp's date.
#include <algorithm>
#include <cmath>

#include "SysUtils.h"
#include "Variants.h"

namespace {

constexpr int kMaxBcdDigits = 64;

struct TDecimalDigits {
  bool Negative = false;
  std::string Whole;     // no leading zeros ("" for 0)
  std::string Fraction;  // no trailing zeros
};

TDecimalDigits DigitsOf(const TBcd& value) {
  int places = value.SignSpecialPlaces & 0x3F;
  std::string digits;
  for (int i = 0; i < value.Precision && i < kMaxBcdDigits; ++i) {
    uint8_t pair = value.Fraction[i / 2];
    digits += static_cast<char>('0' + ((i % 2 == 0 ? pair >> 4 : pair) & 0x0F) % 10);
  }
  if (places > static_cast<int>(digits.size())) digits.insert(0, places - digits.size(), '0');
  TDecimalDigits result;
  result.Whole = digits.substr(0, digits.size() - places);
  result.Fraction = digits.substr(digits.size() - places);
  result.Whole.erase(0, result.Whole.find_first_not_of('0') == std::string::npos ? result.Whole.size()
                                                                                  : result.Whole.find_first_not_of('0'));
  while (!result.Fraction.empty() && result.Fraction.back() == '0') result.Fraction.pop_back();
  result.Negative = (value.SignSpecialPlaces & 0x80) && !(result.Whole.empty() && result.Fraction.empty());
  return result;
}

int CompareMagnitudes(const TDecimalDigits& a, const TDecimalDigits& b) {
  if (a.Whole.size() != b.Whole.size()) return a.Whole.size() < b.Whole.size() ? -1 : 1;
  if (int order = a.Whole.compare(b.Whole)) return order < 0 ? -1 : 1;
  size_t width = std::max(a.Fraction.size(), b.Fraction.size());
  std::string fa = a.Fraction + std::string(width - a.Fraction.size(), '0');
  std::string fb = b.Fraction + std::string(width - b.Fraction.size(), '0');
  int order = fa.compare(fb);
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

}  // namespace

bool TryStrToBcd(std::string_view text, TBcd& value) {
  std::string s = Trim(text);
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  std::string whole, fraction;
  bool point = false;
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c >= '0' && c <= '9') (point ? fraction : whole) += c;
    else if (!point && (c == FormatSettings().DecimalSeparator || c == '.')) point = true;
    else return false;
  }
  if (whole.empty() && fraction.empty()) return false;
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
  std::string digits = whole + fraction;
  if (digits.empty()) digits = "0";
  if (digits.size() > kMaxBcdDigits) return false;
  value = TBcd{};
  value.Precision = static_cast<uint8_t>(digits.size());
  value.SignSpecialPlaces = static_cast<uint8_t>((negative ? 0x80 : 0) | fraction.size());
  for (size_t d = 0; d < digits.size(); ++d) {
    value.Fraction[d / 2] |= static_cast<uint8_t>((digits[d] - '0') << (d % 2 == 0 ? 4 : 0));
  }
  return true;
}

TBcd StrToBcd(std::string_view text) {
  TBcd value;
  if (!TryStrToBcd(text, value)) throw EConvertError(Format(SInvalidBcdValue, {std::string(text)}));
  return value;
}

std::string BcdToStr(const TBcd& value) {
  TDecimalDigits digits = DigitsOf(value);
  std::string text = (digits.Negative ? "-" : "") + (digits.Whole.empty() ? "0" : digits.Whole);
  if (!digits.Fraction.empty()) text += FormatSettings().DecimalSeparator + digits.Fraction;
  return text;
}

int BcdCompare(const TBcd& a, const TBcd& b) {
  TDecimalDigits da = DigitsOf(a), db = DigitsOf(b);
  if (da.Negative != db.Negative) return da.Negative ? -1 : 1;
  int order = CompareMagnitudes(da, db);
  return da.Negative ? -order : order;
}

TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& value) {
  TDateTime date = EncodeDate(value.Year, value.Month, value.Day);
  TDateTime time = EncodeTime(value.Hour, value.Minute, value.Second, static_cast<int>(value.Fractions));
  return date >= 0 ? date + time : date - time;
}

TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime value) {
  uint16_t year, month, day, hour, minute, second, msec;
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, msec);
  TSQLTimeStamp stamp;
  stamp.Year = static_cast<int16_t>(year);
  stamp.Month = month;
  stamp.Day = day;
  stamp.Hour = hour;
  stamp.Minute = minute;
  stamp.Second = second;
  stamp.Fractions = msec;
  return stamp;
}
