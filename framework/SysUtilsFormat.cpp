// Format and the float-to-text conversions. Floats are first taken to 18 significant digits
// (what the platform's decimal conversion of an extended value holds) and then rounded half away
// from zero on those digits, so that 2.675 as an extended constant prints as 2.68 with two
// decimals, as on the platform.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "SysUtils.h"

namespace {

constexpr int kMaxDigits = 18;

// A float as the platform's decimal record: digits d1 d2 ... (no trailing zeros needed) with
// value = 0.d1d2... * 10^Exponent.
struct TFloatDecimal {
  bool Negative = false;
  bool Nan = false, Inf = false;
  int Exponent = 0;
  std::string Digits;  // empty for zero
};

TFloatDecimal ToDecimal(long double value) {
  TFloatDecimal d;
  if (std::isnan(value)) { d.Nan = true; return d; }
  d.Negative = std::signbit(value);
  if (std::isinf(value)) { d.Inf = true; return d; }
  if (value == 0) { d.Negative = false; return d; }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*Le", kMaxDigits - 1, std::fabs(value));
  // buf: d.ddddddddddddddddde+XX
  d.Digits.push_back(buf[0]);
  d.Digits.append(buf + 2, kMaxDigits - 1);
  d.Exponent = std::atoi(std::strchr(buf, 'e') + 1) + 1;
  return d;
}

// Keeps `count` leading digits, rounding half away from zero on the next one.
void RoundDigits(TFloatDecimal& d, int count) {
  if (count >= static_cast<int>(d.Digits.size())) return;
  if (count < 0) { d.Digits.clear(); return; }
  bool up = d.Digits[count] >= '5';
  d.Digits.resize(count);
  if (up) {
    int i = count - 1;
    while (i >= 0 && d.Digits[i] == '9') d.Digits[i--] = '0';
    if (i >= 0) {
      ++d.Digits[i];
    } else {
      d.Digits.insert(d.Digits.begin(), '1');
      d.Digits.pop_back();
      if (d.Digits.empty()) d.Digits = "1";
      ++d.Exponent;
    }
  }
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
  if (d.Digits.empty()) { d.Exponent = 0; d.Negative = false; }
}

char DigitAt(const TFloatDecimal& d, int i) {
  return i >= 0 && i < static_cast<int>(d.Digits.size()) ? d.Digits[i] : '0';
}

std::string ExponentText(int exponent, int minDigits, bool plusSign) {
  std::string s = "E";
  if (exponent < 0) s += '-';
  else if (plusSign) s += '+';
  std::string n = std::to_string(std::abs(exponent));
  if (static_cast<int>(n.size()) < minDigits) n.insert(0, minDigits - n.size(), '0');
  return s + n;
}

std::string SpecialText(const TFloatDecimal& d) {
  if (d.Nan) return "NAN";
  return d.Negative ? "-INF" : "INF";
}

std::string GeneralText(TFloatDecimal d, int precision, int expDigits) {
  RoundDigits(d, precision);
  if (d.Digits.empty()) return "0";
  std::string s = d.Negative ? "-" : "";
  const char sep = FormatSettings().DecimalSeparator;
  const int n = static_cast<int>(d.Digits.size());
  if (d.Exponent > precision || d.Exponent < -3) {
    s += d.Digits[0];
    if (n > 1) { s += sep; s.append(d.Digits, 1); }
    return s + ExponentText(d.Exponent - 1, expDigits, false);
  }
  if (d.Exponent <= 0) {
    s += '0';
    s += sep;
    s.append(-d.Exponent, '0');
    return s + d.Digits;
  }
  for (int i = 0; i < d.Exponent; ++i) s += DigitAt(d, i);
  if (n > d.Exponent) { s += sep; s.append(d.Digits, d.Exponent); }
  return s;
}

std::string ExponentFormText(TFloatDecimal d, int precision, int expDigits) {
  RoundDigits(d, precision);
  std::string s = d.Negative ? "-" : "";
  s += DigitAt(d, 0);
  if (precision > 1) {
    s += FormatSettings().DecimalSeparator;
    for (int i = 1; i < precision; ++i) s += DigitAt(d, i);
  }
  return s + ExponentText(d.Digits.empty() ? 0 : d.Exponent - 1, expDigits, true);
}

// Integer and fraction digits of a fixed rendering; `negative` is false for a zero result.
std::string FixedDigits(TFloatDecimal& d, int decimals, bool thousands) {
  RoundDigits(d, d.Exponent + decimals);
  std::string s;
  if (d.Exponent <= 0 || d.Digits.empty()) {
    s = "0";
  } else {
    const char ts = FormatSettings().ThousandSeparator;
    for (int i = 0; i < d.Exponent; ++i) {
      if (thousands && ts && i > 0 && (d.Exponent - i) % 3 == 0) s += ts;
      s += DigitAt(d, i);
    }
  }
  if (decimals > 0) {
    s += FormatSettings().DecimalSeparator;
    for (int i = 0; i < decimals; ++i) s += DigitAt(d, d.Exponent + i);
  }
  return s;
}

// The locale's currency patterns: positive 0..3, negative 0..15 (LOCALE_ICURRENCY, LOCALE_INEGCURR).
std::string CurrencyText(const std::string& amount, bool negative) {
  const TFormatSettings& fs = FormatSettings();
  const std::string& c = fs.CurrencyString;
  if (!negative) {
    static constexpr const char* kPositive[] = {"$1", "1$", "$ 1", "1 $"};
    std::string pattern = kPositive[fs.CurrencyFormat & 3];
    std::string out;
    for (char ch : pattern) out += ch == '$' ? c : ch == '1' ? amount : std::string(1, ch);
    return out;
  }
  static constexpr const char* kNegative[] = {"($1)", "-$1",  "$-1",  "$1-",  "(1$)",   "-1$",
                                              "1-$",  "1$-",  "-1 $", "-$ 1", "1 $-",   "$ 1-",
                                              "$ -1", "1- $", "($ 1)", "(1 $)"};
  std::string pattern = kNegative[fs.NegCurrFormat <= 15 ? fs.NegCurrFormat : 0];
  std::string out;
  for (char ch : pattern) out += ch == '$' ? c : ch == '1' ? amount : std::string(1, ch);
  return out;
}

}  // namespace

std::string FloatToStrF(long double value, TFloatFormat format, int precision, int digits) {
  TFloatDecimal d = ToDecimal(value);
  if (d.Nan || d.Inf) return SpecialText(d);
  if (precision > kMaxDigits) precision = kMaxDigits;
  if (precision < 1) precision = 1;
  if (digits > kMaxDigits) digits = kMaxDigits;
  if (digits < 0) digits = 0;
  switch (format) {
    case ffGeneral:
      return GeneralText(d, precision, digits > 4 ? 4 : digits);
    case ffExponent:
      return ExponentFormText(d, precision, digits > 4 ? 4 : digits);
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      // Values with more integer digits than the precision holds fall back to the general form.
      if (d.Exponent > precision) return GeneralText(d, precision, 0);
      bool negative = d.Negative;
      std::string body = FixedDigits(d, digits, format != ffFixed);
      negative = negative && !d.Digits.empty();
      if (format == ffCurrency) return CurrencyText(body, negative);
      return negative ? "-" + body : body;
    }
  }
  return {};
}

std::string FloatToStr(long double value) { return FloatToStrF(value, ffGeneral, 15, 0); }

// ---------------------------------------------------------------------------------------------
// Format
namespace {

[[noreturn]] void FormatError(const char* text, std::string_view format) {
  // The platform quotes at most the first 31 characters of the format.
  throw EConvertError(Format(text, {std::string(format.substr(0, 31))}));
}

class TFormatter {
 public:
  TFormatter(std::string_view format, const TVarRec* args, size_t count)
      : fmt_(format), args_(args), count_(count) {}

  std::string Run() {
    std::string out;
    while (pos_ < fmt_.size()) {
      size_t next = fmt_.find('%', pos_);
      if (next == std::string_view::npos) next = fmt_.size();
      out.append(fmt_, pos_, next - pos_);
      pos_ = next;
      if (pos_ < fmt_.size()) out += Specifier();
    }
    return out;
  }

 private:
  char Peek() const { return pos_ < fmt_.size() ? fmt_[pos_] : '\0'; }
  [[noreturn]] void Invalid() const { FormatError(SInvalidFormat, fmt_); }

  const TVarRec& NextArg() {
    if (argIndex_ >= count_) FormatError(SArgumentMissing, fmt_);
    return args_[argIndex_++];
  }

  // A number of digits or `*` (taken from the arguments); -1 when neither is there.
  int Number() {
    if (Peek() == '*') {
      ++pos_;
      const TVarRec& a = NextArg();
      if (a.Kind != TVarRec::vtInteger) Invalid();
      return static_cast<int>(a.Int);
    }
    if (Peek() < '0' || Peek() > '9') return -1;
    int n = 0;
    while (Peek() >= '0' && Peek() <= '9') n = n * 10 + (fmt_[pos_++] - '0');
    return n;
  }

  std::string Specifier() {
    ++pos_;  // '%'
    if (Peek() == '%') { ++pos_; return "%"; }
    bool left = false;
    if (Peek() == '-') { left = true; ++pos_; }
    int width = Number();
    if (Peek() == ':') {
      ++pos_;
      argIndex_ = width < 0 ? 0 : static_cast<size_t>(width);
      if (Peek() == '-') { left = true; ++pos_; }
      width = Number();
    }
    int precision = -1;
    if (Peek() == '.') {
      ++pos_;
      precision = Number();
      if (precision < 0) precision = 0;
    }
    if (pos_ >= fmt_.size()) Invalid();
    char type = static_cast<char>(fmt_[pos_++] & ~0x20);  // the platform takes either case
    std::string text = Convert(type, NextArg(), precision);
    if (width > static_cast<int>(text.size())) {
      if (left) text.append(width - text.size(), ' ');
      else text.insert(0, width - text.size(), ' ');
    }
    return text;
  }

  static std::string PadDigits(std::string digits, int precision) {
    if (precision > static_cast<int>(digits.size())) digits.insert(0, precision - digits.size(), '0');
    return digits;
  }

  std::string Integer(char type, const TVarRec& a, int precision) {
    if (a.Kind != TVarRec::vtInteger && a.Kind != TVarRec::vtInt64) Invalid();
    const bool is32 = a.Kind == TVarRec::vtInteger;
    switch (type) {
      case 'D': {
        bool negative = a.Int < 0;
        uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(a.Int) : static_cast<uint64_t>(a.Int);
        std::string s = PadDigits(std::to_string(magnitude), precision);
        return negative ? "-" + s : s;
      }
      case 'U': {
        uint64_t v = is32 ? static_cast<uint32_t>(a.Int) : static_cast<uint64_t>(a.Int);
        return PadDigits(std::to_string(v), precision);
      }
      default: {  // 'X'
        uint64_t v = is32 ? static_cast<uint32_t>(a.Int) : static_cast<uint64_t>(a.Int);
        char buf[32];
        std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(v));
        return PadDigits(buf, precision);
      }
    }
  }

  std::string Float(char type, const TVarRec& a, int precision) {
    if (a.Kind != TVarRec::vtExtended) Invalid();
    switch (type) {
      case 'E': return FloatToStrF(a.Float, ffExponent, precision < 0 ? 15 : precision, 3);
      case 'G': return FloatToStrF(a.Float, ffGeneral, precision < 0 ? 15 : precision, 3);
      case 'F': return FloatToStrF(a.Float, ffFixed, kMaxDigits, precision < 0 ? 2 : precision);
      case 'N': return FloatToStrF(a.Float, ffNumber, kMaxDigits, precision < 0 ? 2 : precision);
      default:
        return FloatToStrF(a.Float, ffCurrency, kMaxDigits,
                           precision < 0 ? FormatSettings().CurrencyDecimals : precision);
    }
  }

  std::string String(const TVarRec& a, int precision) {
    std::string s;
    switch (a.Kind) {
      case TVarRec::vtString: s = std::string(a.Str); break;
      case TVarRec::vtWideString: s = WideToAnsi(a.WStr); break;
      case TVarRec::vtChar: s = std::string(1, static_cast<char>(a.Int)); break;
      default: Invalid();
    }
    if (precision >= 0 && precision < static_cast<int>(s.size())) s.resize(precision);
    return s;
  }

  std::string Pointer(const TVarRec& a) {
    if (a.Kind != TVarRec::vtPointer) Invalid();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*llX", static_cast<int>(2 * sizeof(void*)),
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(a.Ptr)));
    return buf;
  }

  std::string Convert(char type, const TVarRec& a, int precision) {
    switch (type) {
      case 'D': case 'U': case 'X': return Integer(type, a, precision);
      case 'E': case 'F': case 'G': case 'N': case 'M': return Float(type, a, precision);
      case 'S': return String(a, precision);
      case 'P': return Pointer(a);
      default: Invalid();
    }
  }

  std::string_view fmt_;
  const TVarRec* args_;
  size_t count_;
  size_t pos_ = 0;
  size_t argIndex_ = 0;
};

}  // namespace

std::string Format(std::string_view format, const TVarRec* args, size_t count) {
  return TFormatter(format, args, count).Run();
}

std::string Format(std::string_view format, std::initializer_list<TVarRec> args) {
  return Format(format, args.begin(), args.size());
}

// ---------------------------------------------------------------------------------------------
// FormatFloat
namespace {

// One section of a picture format, measured.
struct TPicture {
  std::string_view Text;
  int IntPlaces = 0;     // '0' and '#' before the decimal point
  int MinIntDigits = 0;  // from the first '0' before the point
  int DecPlaces = 0;     // '0' and '#' after the point
  int MinDecDigits = 0;  // up to the last '0' after the point
  bool Thousands = false;
  bool Scientific = false;
};

// Splits at ';' outside quotes.
std::vector<std::string_view> Sections(std::string_view format) {
  std::vector<std::string_view> sections;
  size_t start = 0;
  char quote = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';') {
      sections.push_back(format.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(format.substr(start));
  return sections;
}

bool IsExponentAt(std::string_view s, size_t i) {
  return (s[i] == 'E' || s[i] == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-');
}

TPicture Measure(std::string_view text) {
  TPicture p;
  p.Text = text;
  bool afterPoint = false;
  char quote = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == '\'' || c == '"') quote = c;
    else if (IsExponentAt(text, i)) { p.Scientific = true; break; }
    else if (c == '.') afterPoint = true;
    else if (c == ',' && !afterPoint) p.Thousands = true;
    else if (c == '0' || c == '#') {
      if (afterPoint) {
        ++p.DecPlaces;
        if (c == '0') p.MinDecDigits = p.DecPlaces;
      } else {
        if (c == '0' && p.MinIntDigits == 0) p.MinIntDigits = -1 - p.IntPlaces;  // marks where
        ++p.IntPlaces;
      }
    }
  }
  if (p.MinIntDigits < 0) p.MinIntDigits = p.IntPlaces + 1 + p.MinIntDigits;
  return p;
}

bool HasPlaceholders(const TPicture& p) { return p.IntPlaces + p.DecPlaces > 0; }

// Walks the picture, putting the integer digits, the fraction and the exponent in place of the
// placeholders and copying the literals.
std::string Render(const TPicture& p, const std::string& intDigits, const std::string& fraction, int exponent) {
  const TFormatSettings& fs = FormatSettings();
  std::string out;
  const int n = static_cast<int>(intDigits.size());
  int intSeen = 0, decSeen = 0;
  bool afterPoint = false;
  auto emitInt = [&](int j) {
    out += intDigits[j];
    int rest = n - 1 - j;
    if (p.Thousands && fs.ThousandSeparator && rest > 0 && rest % 3 == 0) out += fs.ThousandSeparator;
  };
  for (size_t i = 0; i < p.Text.size(); ++i) {
    char c = p.Text[i];
    if (c == '\'' || c == '"') {
      size_t end = p.Text.find(c, i + 1);
      if (end == std::string_view::npos) end = p.Text.size();
      out.append(p.Text.substr(i + 1, end - i - 1));
      i = end;
    } else if (p.Scientific && IsExponentAt(p.Text, i)) {
      size_t zeros = 0;
      while (i + 2 + zeros < p.Text.size() && p.Text[i + 2 + zeros] == '0') ++zeros;
      out += p.Text[i];
      if (exponent < 0) out += '-';
      else if (p.Text[i + 1] == '+') out += '+';
      std::string e = std::to_string(std::abs(exponent));
      if (e.size() < zeros) e.insert(0, zeros - e.size(), '0');
      out += e;
      i += 1 + zeros;
    } else if (c == '.' && !afterPoint) {
      afterPoint = true;
      if (!fraction.empty()) out += fs.DecimalSeparator;
    } else if ((c == '0' || c == '#') && !afterPoint) {
      if (intSeen == 0)
        for (int j = 0; j < n - p.IntPlaces; ++j) emitInt(j);  // digits beyond the placeholders
      int j = n - p.IntPlaces + intSeen;
      if (j >= 0) emitInt(j);
      ++intSeen;
    } else if (c == '0' || c == '#') {
      if (decSeen < static_cast<int>(fraction.size())) out += fraction[decSeen];
      ++decSeen;
    } else if (c != ',' && c != '.') {
      out += c;
    }
  }
  return out;
}

std::string FixedPicture(const TPicture& p, TFloatDecimal d) {
  RoundDigits(d, d.Exponent + p.DecPlaces);
  std::string intDigits;
  for (int i = 0; i < d.Exponent; ++i) intDigits += DigitAt(d, i);
  if (static_cast<int>(intDigits.size()) < p.MinIntDigits) intDigits.insert(0, p.MinIntDigits - intDigits.size(), '0');
  std::string fraction;
  for (int i = 0; i < p.DecPlaces; ++i) fraction += DigitAt(d, d.Exponent + i);
  while (static_cast<int>(fraction.size()) > p.MinDecDigits && fraction.back() == '0') fraction.pop_back();
  return Render(p, intDigits, fraction, 0);
}

std::string ScientificPicture(const TPicture& p, TFloatDecimal d) {
  const int places = p.IntPlaces > 0 ? p.IntPlaces : 1;
  RoundDigits(d, places + p.DecPlaces);
  int exponent = d.Digits.empty() ? 0 : d.Exponent - places;
  std::string intDigits;
  for (int i = 0; i < places; ++i) intDigits += DigitAt(d, i);
  std::string fraction;
  for (int i = 0; i < p.DecPlaces; ++i) fraction += DigitAt(d, places + i);
  while (static_cast<int>(fraction.size()) > p.MinDecDigits && fraction.back() == '0') fraction.pop_back();
  return Render(p, intDigits, fraction, exponent);
}

std::string Picture(const TPicture& p, const TFloatDecimal& d) {
  return p.Scientific ? ScientificPicture(p, d) : FixedPicture(p, d);
}

bool RoundsToZero(const TPicture& p, TFloatDecimal d) {
  RoundDigits(d, p.Scientific ? (p.IntPlaces > 0 ? p.IntPlaces : 1) + p.DecPlaces : d.Exponent + p.DecPlaces);
  return d.Digits.empty();
}

}  // namespace

std::string FormatFloat(std::string_view format, long double value) {
  TFloatDecimal d = ToDecimal(value);
  if (d.Nan || d.Inf) return SpecialText(d);
  if (format.empty()) return FloatToStr(value);
  std::vector<std::string_view> sections = Sections(format);
  TPicture positive = Measure(sections[0]);
  // A negative value takes the second section (without its minus sign) when there is one.
  const bool negativeSection = d.Negative && sections.size() > 1 && !sections[1].empty();
  TPicture picture = negativeSection ? Measure(sections[1]) : positive;
  if (sections.size() > 2 && !sections[2].empty() && RoundsToZero(picture, d)) return Render(Measure(sections[2]), "", "", 0);
  if (!HasPlaceholders(picture)) return Render(picture, "", "", 0);
  bool minus = d.Negative && !negativeSection;
  d.Negative = false;
  if (minus && RoundsToZero(picture, d)) minus = false;
  std::string text = Picture(picture, d);
  return minus ? "-" + text : text;
}
