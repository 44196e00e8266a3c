#include "SysUtils.h"

#include <windows.h>

#include <cmath>
#include <cstdlib>

// ---------------------------------------------------------------------------------------------
// Format settings
TFormatSettings& FormatSettings() {
  static TFormatSettings settings;  // built on first use, not by a static constructor
  return settings;
}

namespace {
std::string LocaleText(LCTYPE item, const char* fallback) {
  char buf[256];
  int n = GetLocaleInfoA(GetThreadLocale(), item, buf, sizeof buf);
  return n > 1 ? std::string(buf, n - 1) : std::string(fallback);
}

char LocaleChar(LCTYPE item, char fallback) {
  std::string text = LocaleText(item, "");
  return text.empty() ? fallback : text[0];
}

void LoadNameLists(TFormatSettings& fs) {
  for (int i = 0; i < 12; ++i) {
    fs.ShortMonthNames[i] = LocaleText(LOCALE_SABBREVMONTHNAME1 + i, fs.ShortMonthNames[i].c_str());
    fs.LongMonthNames[i] = LocaleText(LOCALE_SMONTHNAME1 + i, fs.LongMonthNames[i].c_str());
  }
  for (int i = 0; i < 7; ++i) {  // the locale counts from Monday, the lists from Sunday
    const int item = (i + 6) % 7;
    fs.ShortDayNames[i] = LocaleText(LOCALE_SABBREVDAYNAME1 + item, fs.ShortDayNames[i].c_str());
    fs.LongDayNames[i] = LocaleText(LOCALE_SDAYNAME1 + item, fs.LongDayNames[i].c_str());
  }
}

// The platform builds its time formats from the locale's clock settings rather than taking the
// locale's own pattern, so the marker is always the neutral "AMPM".
void LoadTimeFormats(TFormatSettings& fs) {
  const std::string hour = LocaleText(LOCALE_ITLZERO, "0") == "0" ? "h" : "hh";
  std::string prefix, postfix;
  if (LocaleText(LOCALE_ITIME, "1") == "0") {
    if (LocaleText(LOCALE_ITIMEMARKPOSN, "0") == "1") {
      prefix = "AMPM ";
    } else {
      postfix = " AMPM";
    }
  }
  fs.ShortTimeFormat = prefix + hour + ":mm" + postfix;
  fs.LongTimeFormat = prefix + hour + ":mm:ss" + postfix;
}
}  // namespace

void LoadLocaleFormatSettings() {
  TFormatSettings& fs = FormatSettings();
  fs.DecimalSeparator = LocaleText(LOCALE_SDECIMAL, ".")[0];
  std::string thousands = LocaleText(LOCALE_STHOUSAND, ",");
  fs.ThousandSeparator = thousands.empty() ? '\0' : thousands[0];
  fs.CurrencyString = LocaleText(LOCALE_SCURRENCY, "$");
  fs.CurrencyFormat = static_cast<uint8_t>(StrToIntDef(LocaleText(LOCALE_ICURRENCY, "0"), 0));
  fs.NegCurrFormat = static_cast<uint8_t>(StrToIntDef(LocaleText(LOCALE_INEGCURR, "0"), 0));
  fs.CurrencyDecimals = static_cast<uint8_t>(StrToIntDef(LocaleText(LOCALE_ICURRDIGITS, "2"), 2));
  fs.DateSeparator = LocaleChar(LOCALE_SDATE, '/');
  fs.TimeSeparator = LocaleChar(LOCALE_STIME, ':');
  fs.ListSeparator = LocaleChar(LOCALE_SLIST, ',');
  fs.ShortDateFormat = LocaleText(LOCALE_SSHORTDATE, "m/d/yy");
  fs.LongDateFormat = LocaleText(LOCALE_SLONGDATE, "mmmm d, yyyy");
  fs.TimeAMString = LocaleText(LOCALE_S1159, "am");
  fs.TimePMString = LocaleText(LOCALE_S2359, "pm");
  LoadNameLists(fs);
  LoadTimeFormats(fs);
}

namespace {
void StartSysUtils() {
  LoadLocaleFormatSettings();
  InstallFaultHandler();
}
}  // namespace

constinit const TUnitInfo SysUtilsUnit{"SysUtils", &StartSysUtils, &RemoveFaultHandler};

// ---------------------------------------------------------------------------------------------
// Integers
std::string IntToStr(int64_t value) { return std::to_string(value); }

std::string IntToHex(int64_t value, int digits) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*llX", digits < 0 ? 0 : digits > 16 ? 16 : digits,
                static_cast<unsigned long long>(value));
  return buf;
}

namespace {
// The platform's integer reading: leading blanks, a sign, decimal digits or hexadecimal after
// '$' or '0x'; nothing may follow. Hexadecimal values wrap into the signed range.
bool ParseInteger(std::string_view s, int64_t& value, int64_t min, int64_t max, uint64_t hexMax) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  bool hex = false;
  if (i < s.size() && s[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size()) return false;
  uint64_t v = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return false;
    uint64_t limit = hex ? hexMax : static_cast<uint64_t>(max) + (negative ? 1 : 0);
    uint64_t base = hex ? 16 : 10;
    if (v > (limit - digit) / base) return false;
    v = v * base + digit;
  }
  if (hex) {
    int64_t wrapped = hexMax == UINT32_MAX ? static_cast<int32_t>(static_cast<uint32_t>(v))
                                           : static_cast<int64_t>(v);
    value = negative ? -wrapped : wrapped;
  } else {
    value = negative ? static_cast<int64_t>(0 - v) : static_cast<int64_t>(v);
  }
  return value >= min || hex;
}
}  // namespace

bool TryStrToInt(std::string_view s, int32_t& value) {
  int64_t v;
  if (!ParseInteger(s, v, INT32_MIN, INT32_MAX, UINT32_MAX)) return false;
  value = static_cast<int32_t>(v);
  return true;
}

bool TryStrToInt64(std::string_view s, int64_t& value) {
  return ParseInteger(s, value, INT64_MIN, INT64_MAX, UINT64_MAX);
}

int32_t StrToInt(std::string_view s) {
  int32_t v;
  if (!TryStrToInt(s, v)) throw EConvertError(Format(SInvalidInteger, {s}));
  return v;
}

int64_t StrToInt64(std::string_view s) {
  int64_t v;
  if (!TryStrToInt64(s, v)) throw EConvertError(Format(SInvalidInteger, {s}));
  return v;
}

int32_t StrToIntDef(std::string_view s, int32_t fallback) {
  int32_t v;
  return TryStrToInt(s, v) ? v : fallback;
}

int64_t StrToInt64Def(std::string_view s, int64_t fallback) {
  int64_t v;
  return TryStrToInt64(s, v) ? v : fallback;
}

// ---------------------------------------------------------------------------------------------
// Floats from text: blanks around, a sign, digits with the locale's decimal separator, an
// exponent. No thousand separators.
bool TryStrToFloat(std::string_view s, long double& value) {
  std::string t = Trim(s);
  std::string norm;
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) norm += t[i++];
  bool digits = false;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') { norm += t[i++]; digits = true; }
  if (i < t.size() && t[i] == FormatSettings().DecimalSeparator) {
    norm += '.';
    ++i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') { norm += t[i++]; digits = true; }
  }
  if (!digits) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    norm += 'e';
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) norm += t[i++];
    bool expDigits = false;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') { norm += t[i++]; expDigits = true; }
    if (!expDigits) return false;
  }
  if (i != t.size()) return false;
  value = std::strtold(norm.c_str(), nullptr);
  return true;
}

long double StrToFloat(std::string_view s) {
  long double v;
  if (!TryStrToFloat(s, v)) throw EConvertError(Format(SInvalidFloat, {s}));
  return v;
}

int64_t Round(long double value) { return static_cast<int64_t>(std::nearbyintl(value)); }
int64_t Trunc(long double value) { return static_cast<int64_t>(std::truncl(value)); }

// ---------------------------------------------------------------------------------------------
// Strings
std::string TrimLeft(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= ' ') --n;
  return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

std::string UpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return r;
}

std::string LowerCase(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return r;
}

std::string AnsiUpperCase(std::string_view s) {
  std::string r(s);
  if (!r.empty()) CharUpperBuffA(r.data(), static_cast<DWORD>(r.size()));
  return r;
}

std::string AnsiLowerCase(std::string_view s) {
  std::string r(s);
  if (!r.empty()) CharLowerBuffA(r.data(), static_cast<DWORD>(r.size()));
  return r;
}

int CompareStr(std::string_view a, std::string_view b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return static_cast<unsigned char>(a[i]) - static_cast<unsigned char>(b[i]);
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

int CompareText(std::string_view a, std::string_view b) {
  auto up = [](char c) { return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 32 : c); };
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i)
    if (up(a[i]) != up(b[i])) return up(a[i]) - up(b[i]);
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }

namespace {
int LocaleCompare(DWORD flags, std::string_view a, std::string_view b) {
  return CompareStringA(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) - CSTR_EQUAL;
}
}  // namespace

int AnsiCompareStr(std::string_view a, std::string_view b) { return LocaleCompare(0, a, b); }
int AnsiCompareText(std::string_view a, std::string_view b) { return LocaleCompare(NORM_IGNORECASE, a, b); }
bool AnsiSameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }

int Pos(std::string_view sub, std::string_view s) {
  if (sub.empty()) return 0;
  size_t p = s.find(sub);
  return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

std::string StringReplace(std::string_view s, std::string_view from, std::string_view to, bool all,
                          bool ignoreCase) {
  if (from.empty()) return std::string(s);
  std::string hay = ignoreCase ? AnsiUpperCase(s) : std::string(s);
  std::string needle = ignoreCase ? AnsiUpperCase(from) : std::string(from);
  std::string out;
  size_t pos = 0;
  while (pos <= s.size()) {
    size_t hit = hay.find(needle, pos);
    if (hit == std::string::npos) break;
    out.append(s.substr(pos, hit - pos));
    out.append(to);
    pos = hit + from.size();
    if (!all) break;
  }
  out.append(s.substr(pos));
  return out;
}

bool IsValidIdent(std::string_view ident) {
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (ident.empty() || !alpha(ident[0])) return false;
  for (char c : ident.substr(1))
    if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

std::string QuotedStr(std::string_view s) {
  std::string r = "'";
  for (char c : s) {
    if (c == '\'') r += '\'';
    r += c;
  }
  return r + "'";
}

std::u16string AnsiToWide(std::string_view s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::u16string r(n, u'\0');
  MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), reinterpret_cast<WCHAR*>(r.data()), n);
  return r;
}

std::string WideToAnsi(std::u16string_view s) {
  if (s.empty()) return {};
  auto src = reinterpret_cast<const WCHAR*>(s.data());
  int n = WideCharToMultiByte(CP_ACP, 0, src, static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string r(n, '\0');
  WideCharToMultiByte(CP_ACP, 0, src, static_cast<int>(s.size()), r.data(), n, nullptr, nullptr);
  return r;
}

// ---------------------------------------------------------------------------------------------
// File names
namespace {
// 0-based index of the last path or drive delimiter, or npos.
size_t LastDelimiter(std::string_view s) { return s.find_last_of("\\:"); }
}  // namespace

std::string ExtractFilePath(std::string_view fileName) {
  size_t i = LastDelimiter(fileName);
  return i == std::string_view::npos ? std::string() : std::string(fileName.substr(0, i + 1));
}

std::string ExtractFileDir(std::string_view fileName) {
  size_t i = LastDelimiter(fileName);
  if (i == std::string_view::npos) return {};
  // "C:\x" keeps "C:\", "a\b\x" gives "a\b"
  if (i > 0 && fileName[i] == PathDelim && fileName[i - 1] != PathDelim && fileName[i - 1] != DriveDelim)
    return std::string(fileName.substr(0, i));
  return std::string(fileName.substr(0, i + 1));
}

std::string ExtractFileName(std::string_view fileName) {
  size_t i = LastDelimiter(fileName);
  return std::string(i == std::string_view::npos ? fileName : fileName.substr(i + 1));
}

std::string ExtractFileExt(std::string_view fileName) {
  size_t i = fileName.find_last_of(".\\:");
  if (i == std::string_view::npos || fileName[i] != '.') return {};
  return std::string(fileName.substr(i));
}

std::string ExtractFileDrive(std::string_view fileName) {
  if (fileName.size() >= 2 && fileName[1] == DriveDelim) return std::string(fileName.substr(0, 2));
  if (fileName.size() >= 2 && fileName[0] == PathDelim && fileName[1] == PathDelim) {
    // \\server\share
    size_t server = fileName.find(PathDelim, 2);
    if (server == std::string_view::npos) return std::string(fileName);
    size_t share = fileName.find(PathDelim, server + 1);
    return std::string(fileName.substr(0, share));
  }
  return {};
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension) {
  size_t i = fileName.find_last_of(".\\:");
  size_t cut = (i == std::string_view::npos || fileName[i] != '.') ? fileName.size() : i;
  return std::string(fileName.substr(0, cut)) + std::string(extension);
}

std::string IncludeTrailingPathDelimiter(std::string_view s) {
  std::string r(s);
  if (r.empty() || r.back() != PathDelim) r += PathDelim;
  return r;
}

std::string ExcludeTrailingPathDelimiter(std::string_view s) {
  std::string r(s);
  if (!r.empty() && r.back() == PathDelim) r.pop_back();
  return r;
}

std::string ExpandFileName(std::string_view fileName) {
  std::string name(fileName);
  char buf[MAX_PATH * 2];
  char* part = nullptr;
  DWORD n = GetFullPathNameA(name.c_str(), sizeof buf, buf, &part);
  return n > 0 && n < sizeof buf ? std::string(buf, n) : name;
}

bool FileExists(std::string_view fileName) {
  DWORD a = GetFileAttributesA(std::string(fileName).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(std::string_view directory) {
  DWORD a = GetFileAttributesA(std::string(directory).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ProgramFolder() {
  char buf[MAX_PATH * 2];
  DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
  if (n == 0 || n >= sizeof buf) return {};
  return ExtractFilePath(std::string_view(buf, n));
}

std::string SysErrorMessage(uint32_t errorCode) {
  char buf[1024];
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                               FORMAT_MESSAGE_ARGUMENT_ARRAY,
                           nullptr, errorCode, 0, buf, sizeof buf, nullptr);
  // The platform drops trailing blanks, line breaks and the final full stop.
  while (n > 0 && (static_cast<unsigned char>(buf[n - 1]) <= ' ' || buf[n - 1] == '.')) --n;
  return std::string(buf, n);
}
