// The locale format controller: the date, time and currency formats, picture and pattern masks
// and display formats that the date, time and currency editors read, rebuilt from the regional
// settings when they change; and the smart date-input words.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Controls.h"
#include "SysUtils.h"
#include "cxClasses.h"

// Kinds of the items of a parsed date-time format.
enum : uint8_t {
  cdtLiteral = 0,
  cdtYear = 1,
  cdtMonth = 2,
  cdtDay = 3,
  cdtHour = 4,
  cdtMinute = 5,
  cdtSecond = 6,
  cdtMSecond = 7,
  cdtAMPM = 8,
  cdtDateSeparator = 9,
  cdtTimeSeparator = 10,
};

struct TcxDateTimeFormatItem {
  uint8_t Kind = cdtLiteral;
  std::string Data;
};

struct TcxDateTimeFormatInfo {
  bool Defined[11] = {};
  std::vector<TcxDateTimeFormatItem> Items;
};

// Listeners are told after a change of the regional settings rebuilt the formats.
struct IcxFormatListener : public IUnknown {
  virtual void FormatChanged() = 0;
};

// {5E33A2A7-0C77-415F-A359-112103E54937}
inline constexpr GUID IID_IcxTimeChangeListener = {
    0x5E33A2A7, 0x0C77, 0x415F, {0xA3, 0x59, 0x11, 0x21, 0x03, 0xE5, 0x49, 0x37}};

// A listener that also offers this interface hears of changes of the system clock.
struct IcxTimeChangeListener : public IUnknown {
  virtual void TimeChanged() = 0;
};

enum : uint8_t { cxPictureDate = 0, cxPictureTime = 1, cxPictureDateTime = 2 };
enum : uint8_t { cxPatternDate = 0, cxPatternTime = 1, cxPatternNone = 2 };

class TcxFormatController : public TObject {
  CALDERAN_CLASS(TcxFormatController)
  TcxFormatController();
  ~TcxFormatController() override;

  virtual void HandleWindowMessage(TMessage& message);
  virtual void RegisterListener(IcxFormatListener* listener);
  virtual void UnregisterListener(IcxFormatListener* listener);
  void Rebuild();
  void NotifyFormatChanged();
  void NotifyTimeChanged();

  bool KeepCurrencyPattern = false;
  bool KeepDatePattern = false;
  bool KeepDateTimePattern = false;
  bool KeepStandardDatePicture = false;
  bool KeepStandardDateTimePicture = false;
  bool KeepWeekStartDay = false;
  std::string CurrencyPattern;
  std::string DateInputFormat;
  std::string DatePicture;
  TcxDateTimeFormatInfo DateItems;
  TcxDateTimeFormatInfo DateTimeItems;
  uint8_t WeekRule = 0;  // 0: the system's first-week-of-year rule
  std::vector<IcxFormatListener*> Listeners;
  std::string DateDisplayFormat;
  std::string DateTimeDisplayFormat;
  std::string DatePattern;
  std::string DateTimePattern;
  std::string StandardDatePicture;
  std::string StandardDateTimePicture;
  uint8_t WeekStartDay = 0;  // 0 Sunday ... 6 Saturday
  TcxDateTimeFormatInfo TimeItems;
  bool UseLibraryFormats = false;
  HWND Window = nullptr;

 private:
  void RebuildCurrencyPattern();
  void RebuildWeekStartDay();
  void RebuildDateFormats();
};

// The process-wide controller, created on first use; freed by cxFormatsUnit's shut-down.
TcxFormatController* GetFormatController();

void ParseDateTimeFormat(const std::string& format, TcxDateTimeFormatInfo& info);
std::string BuildPictureMask(const TcxDateTimeFormatInfo& info, uint8_t kind);
std::string BuildPatternMask(const TcxDateTimeFormatInfo& info, uint8_t part);
std::string BuildDisplayFormat(const TcxDateTimeFormatInfo& info);
std::string BuildCurrencyPattern(const TFormatSettings& settings);
std::string BuildDateInputFormat(const std::string& shortDateFormat);
int ItemTextLength(const TcxDateTimeFormatItem& item);
int FormatItemsLength(const TcxDateTimeFormatInfo& info);
// Positions are 1-based; the AM/PM style is only set for an AM/PM item.
bool FindFormatItemAt(const TcxDateTimeFormatInfo& info, int position, uint8_t& kind, int& start, int& length,
                      uint8_t& amPmStyle);
// 0 "A/P", 1 "AM/PM", 2 the locale's strings.
uint8_t AmPmStyle(const std::string& text);

// The smart date-input words, indexed as cxSmartWordToday ... cxSmartWordNow.
inline constexpr int cxSmartWordCount = 20;
enum : int {
  cxSmartWordToday = 0,
  cxSmartWordYesterday = 1,
  cxSmartWordTomorrow = 2,
  cxSmartWordSunday = 3,
  cxSmartWordSaturday = 9,
  cxSmartWordFirst = 10,
  cxSmartWordSeventh = 16,
  cxSmartWordBOM = 17,
  cxSmartWordEOM = 18,
  cxSmartWordNow = 19,
};
extern std::string cxSmartWords[cxSmartWordCount];
void LoadSmartWords();
void AppendSmartWordsToPattern(std::string& pattern, bool withTime);
// Runs of characters other than a single quote in quotes; each single quote as \'.
std::string QuotePatternLiteral(const std::string& text);

extern const TUnitInfo cxFormatsUnit;
