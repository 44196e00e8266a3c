// The format controller: rebuilding the formats from the locale, its listeners and hidden window,
// the currency pattern and the smart date-input words.
#include "cxFormats.h"

#include <algorithm>
#include <cstring>

#include "Forms.h"

CALDERAN_IMPLEMENT_CLASS(TcxFormatController, TObject)

namespace {
TcxFormatController* formatController = nullptr;

CX_RESOURCESTRING(cxSDateToday, 0xC100, "today")
CX_RESOURCESTRING(cxSDateYesterday, 0xC101, "yesterday")
CX_RESOURCESTRING(cxSDateTomorrow, 0xC102, "tomorrow")
CX_RESOURCESTRING(cxSDateSunday, 0xC103, "Sunday")
CX_RESOURCESTRING(cxSDateMonday, 0xC104, "Monday")
CX_RESOURCESTRING(cxSDateTuesday, 0xC105, "Tuesday")
CX_RESOURCESTRING(cxSDateWednesday, 0xC106, "Wednesday")
CX_RESOURCESTRING(cxSDateThursday, 0xC107, "Thursday")
CX_RESOURCESTRING(cxSDateFriday, 0xC108, "Friday")
CX_RESOURCESTRING(cxSDateSaturday, 0xC109, "Saturday")
CX_RESOURCESTRING(cxSDateFirst, 0xC10A, "first")
CX_RESOURCESTRING(cxSDateSecond, 0xC10B, "second")
CX_RESOURCESTRING(cxSDateThird, 0xC10C, "third")
CX_RESOURCESTRING(cxSDateFourth, 0xC10D, "fourth")
CX_RESOURCESTRING(cxSDateFifth, 0xC10E, "fifth")
CX_RESOURCESTRING(cxSDateSixth, 0xC10F, "sixth")
CX_RESOURCESTRING(cxSDateSeventh, 0xC110, "seventh")
CX_RESOURCESTRING(cxSDateBOM, 0xC111, "bom")
CX_RESOURCESTRING(cxSDateEOM, 0xC112, "eom")
CX_RESOURCESTRING(cxSDateNow, 0xC113, "now")

constexpr const TcxResourceString* SmartWordResources[cxSmartWordCount] = {
    &cxSDateToday,  &cxSDateYesterday, &cxSDateTomorrow, &cxSDateSunday, &cxSDateMonday,
    &cxSDateTuesday, &cxSDateWednesday, &cxSDateThursday, &cxSDateFriday, &cxSDateSaturday,
    &cxSDateFirst,  &cxSDateSecond,    &cxSDateThird,    &cxSDateFourth, &cxSDateFifth,
    &cxSDateSixth,  &cxSDateSeventh,   &cxSDateBOM,      &cxSDateEOM,    &cxSDateNow};

void Shutdown() {
  delete formatController;
  formatController = nullptr;
}
}  // namespace

std::string cxSmartWords[cxSmartWordCount];

constinit const TUnitInfo cxFormatsUnit{"cxFormats", nullptr, &Shutdown};

TcxFormatController* GetFormatController() {
  if (!formatController) new TcxFormatController;  // the constructor's Rebuild registers it
  return formatController;
}

// ---------------------------------------------------------------------------------------------
// Smart words
void LoadSmartWords() {
  for (int i = 0; i < cxSmartWordCount; ++i) cxSmartWords[i] = LoadToolkitString(*SmartWordResources[i]);
}

std::string QuotePatternLiteral(const std::string& text) {
  std::string result;
  size_t at = 0;
  while (at < text.size()) {
    if (text[at] == '\'') {
      result += "\\'";
      ++at;
      continue;
    }
    const size_t end = std::min(text.find('\'', at), text.size());
    result += "'" + text.substr(at, end - at) + "'";
    at = end;
  }
  return result;
}

void AppendSmartWordsToPattern(std::string& pattern, bool withTime) {
  LoadSmartWords();
  std::string words;
  const int count = withTime ? cxSmartWordCount : cxSmartWordNow;
  for (int i = 0; i < count; ++i) words += (i ? "|" : "") + QuotePatternLiteral(cxSmartWords[i]);
  pattern = "(" + pattern + ")|(" + words + ")((\\+|-)\\d(\\d(\\d\\d?)?)?)?";
}

// ---------------------------------------------------------------------------------------------
// Currency and input formats
namespace {
std::string QuoteCurrencySymbol(const std::string& symbol) {
  std::string result;
  for (char c : symbol) result += c == ',' || c == '.' ? std::string("'") + c + "'" : std::string(1, c);
  return result;
}

std::string NegativeCurrencyPart(int format, const std::string& s, const std::string& n) {
  switch (format) {
    case 0: return "(" + s + n + ")";
    case 1: return "-" + s + n;
    case 2: return s + "-" + n;
    case 3: return s + n + "-";
    case 4: return "(" + n + s + ")";
    case 5: return "-" + n + s;
    case 6: return n + "-" + s;
    case 7: return n + s + "-";
    case 8: return "-" + n + " " + s;
    case 9: return "-" + s + " " + n;
    case 10: return n + " " + s + "-";
    case 11: return s + " " + n + "-";
    case 12: return s + " -" + n;
    case 13: return n + "- " + s;
    case 14: return "(" + s + " " + n + ")";
    case 15: return "(" + n + " " + s + ")";
    default: return "";
  }
}
}  // namespace

std::string BuildCurrencyPattern(const TFormatSettings& settings) {
  const std::string number = ",0." + std::string(settings.CurrencyDecimals, '0');
  const std::string symbol = QuoteCurrencySymbol(settings.CurrencyString);
  const std::string positives[4] = {symbol + number, number + symbol, symbol + " " + number, number + " " + symbol};
  const std::string positive = settings.CurrencyFormat < 4 ? positives[settings.CurrencyFormat] : "";
  return positive + ";" + NegativeCurrencyPart(settings.NegCurrFormat, symbol, number);
}

// A lone d or M is doubled, so that input always shows two digits.
std::string BuildDateInputFormat(const std::string& shortDateFormat) {
  std::string result;
  const size_t size = shortDateFormat.size();
  for (size_t i = 0; i < size; ++i) {
    const char c = shortDateFormat[i];
    const bool lone = (c == 'd' || c == 'M') && (i == 0 || shortDateFormat[i - 1] != c) &&
                      (i + 1 >= size || shortDateFormat[i + 1] != c);
    if (lone) result += c;
    result += c;
  }
  return result;
}

// ---------------------------------------------------------------------------------------------
// The controller
TcxFormatController::TcxFormatController() { Rebuild(); }

TcxFormatController::~TcxFormatController() {
  if (Window) DeallocateHWnd(Window);
  if (formatController == this) formatController = nullptr;
}

void TcxFormatController::Rebuild() {
  if (!formatController) formatController = this;
  if (!KeepCurrencyPattern) RebuildCurrencyPattern();
  if (!KeepWeekStartDay) RebuildWeekStartDay();
  RebuildDateFormats();
  DateInputFormat = BuildDateInputFormat(FormatSettings().ShortDateFormat);
}

void TcxFormatController::RebuildCurrencyPattern() { CurrencyPattern = BuildCurrencyPattern(FormatSettings()); }

// The locale counts weekdays from Monday (0), the controller from Sunday.
void TcxFormatController::RebuildWeekStartDay() {
  const std::string day = GetLocaleString(GetThreadLocale(), LOCALE_IFIRSTDAYOFWEEK, "0");
  const int first = (day.empty() || day[0] < '0' || day[0] > '6' ? 0 : day[0] - '0') + 1;
  WeekStartDay = static_cast<uint8_t>(first % 7);
}

void TcxFormatController::RebuildDateFormats() {
  const TFormatSettings& fs = FormatSettings();
  ParseDateTimeFormat(fs.ShortDateFormat, DateItems);
  ParseDateTimeFormat(fs.LongTimeFormat, TimeItems);
  ParseDateTimeFormat(fs.ShortDateFormat + " " + fs.LongTimeFormat, DateTimeItems);
  DatePicture = BuildPictureMask(DateItems, cxPictureDate);
  if (!KeepStandardDatePicture) StandardDatePicture = DatePicture;
  if (!KeepDatePattern) {
    DatePattern = BuildPatternMask(DateItems, cxPatternDate);
    AppendSmartWordsToPattern(DatePattern, false);
  }
  if (!KeepDateTimePattern) {
    DateTimePattern = BuildPatternMask(DateItems, cxPatternDate) + " ' '(" + BuildPatternMask(TimeItems, cxPatternTime) + ")?";
    AppendSmartWordsToPattern(DateTimePattern, true);
  }
  if (!KeepStandardDateTimePicture) StandardDateTimePicture = BuildPictureMask(DateTimeItems, cxPictureDateTime);
  DateDisplayFormat = BuildDisplayFormat(DateItems);
  DateTimeDisplayFormat = BuildDisplayFormat(DateTimeItems);
}

void TcxFormatController::RegisterListener(IcxFormatListener* listener) {
  if (std::find(Listeners.begin(), Listeners.end(), listener) != Listeners.end()) return;
  if (Listeners.empty()) Window = AllocateHWnd(TWndMethod(this, &TcxFormatController::HandleWindowMessage));
  Listeners.push_back(listener);
}

void TcxFormatController::UnregisterListener(IcxFormatListener* listener) {
  auto found = std::find(Listeners.begin(), Listeners.end(), listener);
  if (found == Listeners.end()) return;
  Listeners.erase(found);
  if (Listeners.empty() && Window) {
    DeallocateHWnd(Window);
    Window = nullptr;
  }
}

void TcxFormatController::NotifyFormatChanged() {
  const std::vector<IcxFormatListener*> listeners = Listeners;  // a listener may unregister itself
  for (IcxFormatListener* listener : listeners) listener->FormatChanged();
}

void TcxFormatController::NotifyTimeChanged() {
  const std::vector<IcxFormatListener*> listeners = Listeners;
  for (IcxFormatListener* listener : listeners) {
    IcxTimeChangeListener* timeListener = nullptr;
    if (listener->QueryInterface(IID_IcxTimeChangeListener, reinterpret_cast<void**>(&timeListener)) == S_OK &&
        timeListener) {
      timeListener->TimeChanged();
    }
  }
}

namespace {
bool IsIntlSettingChange(const TMessage& message) {
  const char* area = reinterpret_cast<const char*>(message.LParam);
  return message.WParam == 0 && area && std::strcmp(area, "intl") == 0;
}
}  // namespace

void TcxFormatController::HandleWindowMessage(TMessage& message) {
  const bool updateFormats = !Application || Application->UpdateFormatSettings();
  if (message.Msg == WM_SETTINGCHANGE && IsIntlSettingChange(message) && updateFormats) {
    LoadLocaleFormatSettings();
    Rebuild();
    NotifyFormatChanged();
    message.Result = 0;
  } else if (message.Msg == WM_TIMECHANGE) {
    NotifyTimeChanged();
    message.Result = 0;
  } else {
    message.Result = DefWindowProcA(Window, message.Msg, message.WParam, message.LParam);
  }
}
