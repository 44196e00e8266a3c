// String, number and file-name routines with the platform's exact results, and the argument
// record of Format. Texts built with these routines reach the user, so outputs must not drift.
#pragma once
#include <csetjmp>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

#include "System.h"

// ---------------------------------------------------------------------------------------------
// The platform's message texts used by this module and its callers.
inline constexpr const char* SInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* SInvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* SInvalidFormat = "Format '%s' invalid or incompatible with argument";
inline constexpr const char* SArgumentMissing = "No argument for format '%s'";

// ---------------------------------------------------------------------------------------------
// One argument of Format: the kinds the platform's open argument arrays carry. Values only live
// for the call (strings are viewed, not copied), which is all Format needs.
struct TVarRec {
  enum TKind { vtInteger, vtInt64, vtExtended, vtString, vtWideString, vtChar, vtBoolean, vtPointer };

  TVarRec(bool v) : Kind(vtBoolean), Int(v) {}
  TVarRec(char v) : Kind(vtChar), Int(static_cast<unsigned char>(v)) {}
  // Signed values that fit 32 bits are integers; wider and unsigned 32-bit ones are 64-bit.
  template <class T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool> &&
                                          !std::is_same_v<T, char>, int> = 0>
  TVarRec(T v) {
    if constexpr (std::is_signed_v<T> && sizeof(T) <= 4) {
      Kind = vtInteger;
    } else {
      Kind = vtInt64;
    }
    Int = static_cast<int64_t>(v);
  }
  template <class T, std::enable_if_t<std::is_enum_v<T>, int> = 0>
  TVarRec(T v) : Kind(vtInteger), Int(static_cast<int64_t>(v)) {}
  TVarRec(float v) : Kind(vtExtended), Float(v) {}
  TVarRec(double v) : Kind(vtExtended), Float(v) {}
  TVarRec(long double v) : Kind(vtExtended), Float(v) {}
  TVarRec(const char* v) : Kind(vtString), Str(v ? v : "") {}
  TVarRec(char* v) : Kind(vtString), Str(v ? v : "") {}
  TVarRec(const std::string& v) : Kind(vtString), Str(v) {}
  TVarRec(std::string_view v) : Kind(vtString), Str(v) {}
  TVarRec(const char16_t* v) : Kind(vtWideString), WStr(v ? v : u"") {}
  TVarRec(const std::u16string& v) : Kind(vtWideString), WStr(v) {}
  TVarRec(std::nullptr_t) : Kind(vtPointer), Ptr(nullptr) {}
  template <class T> TVarRec(T* v) : Kind(vtPointer), Ptr((const void*)v) {}

  TKind Kind;
  int64_t Int = 0;
  long double Float = 0;
  std::string_view Str;
  std::u16string_view WStr;
  const void* Ptr = nullptr;
};

// The platform's Format: %[index:][-][width][.precision]type with the types d u x s f g e n m p
// and %%; `*` takes width, precision or index from the arguments. A specifier that does not match
// its argument raises EConvertError (SInvalidFormat); a missing argument SArgumentMissing.
std::string Format(std::string_view format, std::initializer_list<TVarRec> args = {});
std::string Format(std::string_view format, const TVarRec* args, size_t count);

// Number formatting settings (the platform's globals). Constant defaults; LoadLocaleFormatSettings
// reads the user's locale (run by the module start-up of SysUtils).
struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  std::string CurrencyString = "$";
  uint8_t CurrencyFormat = 0;  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  uint8_t NegCurrFormat = 0;   // 0 "($1)" ... 15, as the locale's LOCALE_INEGCURR
  uint8_t CurrencyDecimals = 2;
  // Dates and times.
  char DateSeparator = '/';
  char TimeSeparator = ':';
  char ListSeparator = ',';
  std::string ShortDateFormat = "M/d/yyyy";
  std::string LongDateFormat = "dddd, MMMM d, yyyy";
  std::string ShortTimeFormat = "h:mm AMPM";
  std::string LongTimeFormat = "h:mm:ss AMPM";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::string ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                    "July",    "August",   "September", "October", "November", "December"};
  std::string ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};  // from Sunday
  std::string LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  // 0: two-digit years are taken in the current century; otherwise within this many years
  // before now and the rest of the hundred after.
  uint16_t TwoDigitYearCenturyWindow = 50;
  // The eras of a locale whose calendar counts years by eras (empty for the Gregorian one).
  std::string EraNames[7];
  int32_t EraYearOffsets[7] = {};
};
TFormatSettings& FormatSettings();
// Reads the calling thread's locale (the platform's format settings follow the thread locale).
void LoadLocaleFormatSettings();
extern const TUnitInfo SysUtilsUnit;

// ---------------------------------------------------------------------------------------------
// Numbers.
std::string IntToStr(int64_t value);
std::string IntToHex(int64_t value, int digits);
int32_t StrToInt(std::string_view s);                       // EConvertError SInvalidInteger
int64_t StrToInt64(std::string_view s);                     // EConvertError SInvalidInteger
int32_t StrToIntDef(std::string_view s, int32_t fallback);
int64_t StrToInt64Def(std::string_view s, int64_t fallback);
bool TryStrToInt(std::string_view s, int32_t& value);
bool TryStrToInt64(std::string_view s, int64_t& value);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
std::string FloatToStr(long double value);  // general, 15 significant digits
std::string FloatToStrF(long double value, TFloatFormat format, int precision, int digits);
// The picture formats of the platform: "0.00", "#,##0.###", "0.0E+00", sections split by ';',
// quoted literals. An empty format gives FloatToStr's result.
std::string FormatFloat(std::string_view format, long double value);
long double StrToFloat(std::string_view s);  // EConvertError SInvalidFloat
bool TryStrToFloat(std::string_view s, long double& value);

// Rounding to nearest with halves to the even neighbour; truncation toward zero.
int64_t Round(long double value);
int64_t Trunc(long double value);

// ---------------------------------------------------------------------------------------------
// Strings. Trim removes control characters and blanks (code 32 and below) at both ends.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
std::string UpperCase(std::string_view s);  // ASCII letters only
std::string LowerCase(std::string_view s);
std::string AnsiUpperCase(std::string_view s);  // the system code page's letters
std::string AnsiLowerCase(std::string_view s);
int CompareStr(std::string_view a, std::string_view b);   // ordinal
int CompareText(std::string_view a, std::string_view b);  // ordinal, ASCII case ignored
bool SameText(std::string_view a, std::string_view b);
int AnsiCompareStr(std::string_view a, std::string_view b);   // locale order
int AnsiCompareText(std::string_view a, std::string_view b);  // locale order, case ignored
bool AnsiSameText(std::string_view a, std::string_view b);
std::string StringReplace(std::string_view s, std::string_view from, std::string_view to, bool all,
                          bool ignoreCase);
// 1-based position of sub in s, 0 when absent.
int Pos(std::string_view sub, std::string_view s);
bool IsValidIdent(std::string_view ident);
std::string QuotedStr(std::string_view s);  // 'a''b'
// The wide text of an 8-bit text in the system code page, and back.
std::u16string AnsiToWide(std::string_view s);
std::string WideToAnsi(std::u16string_view s);

// ---------------------------------------------------------------------------------------------
// File names, with the platform's delimiters: '\' for paths and ':' after a drive.
inline constexpr char PathDelim = '\\';
inline constexpr char DriveDelim = ':';
std::string ExtractFilePath(std::string_view fileName);  // with the trailing delimiter
std::string ExtractFileDir(std::string_view fileName);   // without it, except after a root
std::string ExtractFileName(std::string_view fileName);
std::string ExtractFileExt(std::string_view fileName);   // with the point
std::string ExtractFileDrive(std::string_view fileName);
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);
std::string IncludeTrailingPathDelimiter(std::string_view s);
std::string ExcludeTrailingPathDelimiter(std::string_view s);
std::string ExpandFileName(std::string_view fileName);
bool FileExists(std::string_view fileName);
bool DirectoryExists(std::string_view directory);
// The folder of the running program's file, with the trailing delimiter.
std::string ProgramFolder();

// The platform's text of a system error code (FormatMessage), without the trailing line break.
std::string SysErrorMessage(uint32_t errorCode);

// ---------------------------------------------------------------------------------------------
// Processor faults. An access violation, an integer division by zero or a stack overflow is no
// C++ exception: left alone it ends the process. Code run by TrapFaults raises the platform's
// class for it instead (SysUtilsFaults.cpp); the entry-point guard and the message loop use it.
// SysUtilsUnit's start-up installs the fault handler and its shut-down removes it.
inline constexpr const char* SAccessViolationArg3 = "Access violation at address %p. %s of address %p";
inline constexpr const char* SReadAccess = "Read";
inline constexpr const char* SWriteAccess = "Write";
inline constexpr const char* SExecuteAccess = "Execution";
inline constexpr const char* SDivByZero = "Division by zero";
inline constexpr const char* SStackOverflow = "Stack overflow";

CALDERAN_EXCEPTION(EExternal, Exception)
CALDERAN_EXCEPTION(EAccessViolation, EExternal)
CALDERAN_EXCEPTION(EIntError, EExternal)
CALDERAN_EXCEPTION(EDivByZero, EIntError)
CALDERAN_EXCEPTION(EStackOverflow, EExternal)

// What the fault handler records for the innermost trap of the thread.
struct TFaultRecord {
  uint32_t Code = 0;             // the system's exception code
  const void* Address = nullptr;  // the faulting instruction
  uintptr_t Access = 0;           // access violations: 0 read, 1 write, 8 execution
  const void* Target = nullptr;   // access violations: the address that was accessed
};

// One per TrapFaults call: links itself as the thread's innermost trap for its lifetime.
class TFaultTrap {
 public:
  TFaultTrap();
  ~TFaultTrap();
  TFaultTrap(const TFaultTrap&) = delete;
  TFaultTrap& operator=(const TFaultTrap&) = delete;
  // Called where the handler's jump lands: unlinks the trap and throws the fault's class.
  [[noreturn]] void Raise();

  std::jmp_buf Jump;
  TFaultRecord Fault;

 private:
  TFaultTrap* outer_;
  bool linked_ = true;
};

// Runs f; a processor fault inside it raises EAccessViolation, EDivByZero or EStackOverflow from
// here. The frames between the fault and here are abandoned: their destructors do not run.
// Faults in another Win32 module (the system's own libraries, which catch their own) pass by.
template <class F> void TrapFaults(F&& f) {
  TFaultTrap trap;
  if (setjmp(trap.Jump) != 0) trap.Raise();
  f();
}

void InstallFaultHandler();
void RemoveFaultHandler();
// Dates and times. A TDateTime counts days since 30 December 1899; its fraction is the time of
// day, also for negative values (-1.25 is 29 December 1899, 6:00).
inline constexpr const char* SInvalidDate = "'%s' is not a valid date";
inline constexpr const char* SInvalidTime = "'%s' is not a valid time";
inline constexpr const char* SInvalidDateTime = "'%s' is not a valid date and time";
inline constexpr const char* SDateEncodeError = "Invalid argument to date encode";
inline constexpr const char* STimeEncodeError = "Invalid argument to time encode";
inline constexpr double MinDateTime = -657434.0;        // 1 January 100
inline constexpr double MaxDateTime = 2958465.99999;    // 31 December 9999, end of the day

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
TDateTime EncodeDate(int year, int month, int day);  // EConvertError SDateEncodeError
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& value);
TDateTime EncodeTime(int hour, int min, int sec, int msec);  // EConvertError STimeEncodeError
void DecodeDate(TDateTime value, uint16_t& year, uint16_t& month, uint16_t& day);
void DecodeTime(TDateTime value, uint16_t& hour, uint16_t& min, uint16_t& sec, uint16_t& msec);
int DayOfWeek(TDateTime value);  // 1 = Sunday ... 7 = Saturday
TDateTime Date();
TDateTime Now();
// The platform's picture language: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n nn
// s ss z zzz t tt am/pm a/p ampm / : and quoted literals, letters in either case.
std::string FormatDateTime(std::string_view format, TDateTime value);
std::string DateToStr(TDateTime value);
std::string TimeToStr(TDateTime value);
std::string DateTimeToStr(TDateTime value);
// Reading texts in the order of ShortDateFormat with DateSeparator and TimeSeparator.
bool TryStrToDate(std::string_view s, TDateTime& value);
bool TryStrToTime(std::string_view s, TDateTime& value);
bool TryStrToDateTime(std::string_view s, TDateTime& value);
TDateTime StrToDate(std::string_view s);      // EConvertError SInvalidDate
TDateTime StrToTime(std::string_view s);      // EConvertError SInvalidTime
TDateTime StrToDateTime(std::string_view s);  // EConvertError SInvalidDateTime
