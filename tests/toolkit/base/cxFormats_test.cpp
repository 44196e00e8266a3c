#include "calderan_test.h"

#include <string>
#include <vector>

#include "Forms.h"
#include "LocaleScope.h"
#include "cxFormats.h"

namespace {

std::string Describe(const TcxDateTimeFormatInfo& info) {
  std::string text;
  for (const TcxDateTimeFormatItem& item : info.Items) text += Format("[%d %s]", {item.Kind, item.Data});
  return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

const char* const SignedOffset = "((\\+|-)\\d(\\d(\\d\\d?)?)?)?";

// ---------------------------------------------------------------------------------------------
// Parsing formats
TEST_F(EnglishTest, ParsingFormats) {
  const struct {
    const char* format;
    const char* items;
  } cases[] = {
      {"M/d/yyyy", "[2 M][9 ][3 D][9 ][1 YYYY]"},
      {"h:mm:ss AMPM", "[4 12H][10 ][5 NN][10 ][6 SS][0  ][8 AMPM]"},
      {"hh:mm", "[4 24HH][10 ][5 NN]"},
      {"mm/dd", "[2 MM][9 ][3 DD]"},
      {"HH:nn am/pm", "[4 12HH][10 ][5 NN][0  ][8 am/pm]"},
      {"yy a/p", "[1 YY][0  ]"},  // a marker without an hour is dropped
      {"dd.MM.yyyy' r.'", "[3 DD][0 .][2 MM][0 .][1 YYYY][0  r.]"},
      {"yyyy/M/d yyyy d", "[1 YYYY][9 ][2 M][9 ][3 D][0   ]"},  // repeated elements dropped
      {"ddd, MMMM d", "[3 DDD][0 , ][2 MMMM][0  ]"},
      {"aaaa zzzz", "[3 DDDD][0  ][7 ZZZ]"},
      {"\"quoted\" d", "[0 quoted ][3 D]"},
      {"ddddd", "[2 M][9 ][3 D][9 ][1 YYYY]"},
      {"c", "[2 M][9 ][3 D][9 ][1 YYYY][0  ][4 12H][10 ][5 NN][10 ][6 SS][0  ][8 AMPM]"},
      {"", "[2 M][9 ][3 D][9 ][1 YYYY][0  ][4 12H][10 ][5 NN][10 ][6 SS][0  ][8 AMPM]"},
      {"tt", "[4 12H][10 ][5 NN][10 ][6 SS][0  ][8 AMPM]"},
      {"gg yyyy", ""},
      {"d/M/y g", ""},
  };
  for (const auto& c : cases) {
    TcxDateTimeFormatInfo info;
    ParseDateTimeFormat(c.format, info);
    EXPECT_EQ(Describe(info), c.items) << c.format;
  }
}

TEST_F(EnglishTest, AnEraInANestedFormatEmptiesTheWholeList) {
  FormatSettings().ShortDateFormat = "gg y/M/d";
  TcxDateTimeFormatInfo info;
  ParseDateTimeFormat("ddddd hh", info);
  EXPECT_TRUE(info.Items.empty());
  EXPECT_EQ(BuildPictureMask(info, cxPictureDate), "");
  EXPECT_EQ(BuildDisplayFormat(info), "");
  GetFormatController()->Rebuild();
  const TcxFormatController* controller = GetFormatController();
  EXPECT_TRUE(controller->DateItems.Items.empty());
  EXPECT_EQ(controller->DatePicture, "");
  EXPECT_EQ(controller->DatePattern.substr(0, 12), "()|('today'|");
  EXPECT_TRUE(EndsWith(controller->DatePattern, std::string("'eom')") + SignedOffset));
  LoadLocaleFormatSettings();
  GetFormatController()->Rebuild();
}

// ---------------------------------------------------------------------------------------------
// Masks and formats of the English locale
TEST_F(EnglishTest, ControllerFormatsOfTheLocale) {
  const TcxFormatController* c = GetFormatController();
  EXPECT_EQ(Describe(c->DateItems), "[2 M][9 ][3 D][9 ][1 YYYY]");
  EXPECT_EQ(c->DatePicture, "!99/99/9999;1; ");
  EXPECT_EQ(c->StandardDatePicture, c->DatePicture);
  EXPECT_EQ(c->DateDisplayFormat, "mm/dd/yyyy");
  EXPECT_EQ(c->DateInputFormat, "MM/dd/yyyy");
  EXPECT_EQ(c->DateTimeDisplayFormat, "mm/dd/yyyy' 'hh:nn:ss' 'ampm");
  EXPECT_EQ(c->StandardDateTimePicture, "!99/99/9999\\ 99:99:99\\ cc;1; ");
  EXPECT_EQ(BuildPictureMask(c->TimeItems, cxPictureTime), "00:00:00\\ cc;1;0");
  EXPECT_EQ(c->WeekStartDay, 0);  // the locale's Sunday
  EXPECT_EQ(c->CurrencyPattern, "$,0.00;($,0.00)");
  EXPECT_TRUE(EndsWith(c->DatePattern, std::string("|'eom')") + SignedOffset));
  EXPECT_TRUE(EndsWith(c->DateTimePattern, std::string("|'eom'|'now')") + SignedOffset));
  const std::string time = BuildPatternMask(c->TimeItems, cxPatternTime);
  EXPECT_EQ(time, "(0?[1-9]|1[012])\\:[0-5]?\\d\\:[0-5]?\\d' '('AM'|'PM')?");
  EXPECT_EQ(c->DateTimePattern.substr(0, c->DateTimePattern.find(")|('today'")),
            "(((0?[1-9]|1[012])|('Jan'|'Feb'|'Mar'|'Apr'|'May'|'Jun'|'Jul'|'Aug'|'Sep'|'Oct'|'Nov'|'Dec'))"
            "\\/([012]?[1-9]|[123]0|31)\\/\\d\\d\\d\\d ' '(" + time + ")?");
}

TEST_F(EnglishTest, PatternPiecesByItem) {
  TcxDateTimeFormatInfo info;
  ParseDateTimeFormat("MMMM d, yy", info);
  EXPECT_EQ(BuildPatternMask(info, cxPatternDate),
            "((0?[1-9]|1[012])|('January'|'February'|'March'|'April'|'May'|'June'|'July'|'August'|'September'|"
            "'October'|'November'|'December'))' '([012]?[1-9]|[123]0|31)', '\\d\\d");
  EXPECT_EQ(BuildPatternMask(info, cxPatternNone), "");
  EXPECT_EQ(BuildPictureMask(info, cxPictureDate), "!lll\\ 99\\,\\ 99;1; ");
  ParseDateTimeFormat("H:mm a/p", info);
  EXPECT_EQ(BuildPatternMask(info, cxPatternTime), "(0?[1-9]|1[012])\\:[0-5]?\\d' '(A|P)?");
  ParseDateTimeFormat("H:mm", info);
  EXPECT_EQ(BuildPatternMask(info, cxPatternTime), "([01]?\\d|2[0-3])\\:[0-5]?\\d");
}

TEST_F(EnglishTest, AmPmPatternsFollowTheLocaleStrings) {
  TFormatSettings& fs = FormatSettings();
  TcxDateTimeFormatInfo info;
  ParseDateTimeFormat("h AMPM", info);
  fs.TimeAMString = "";
  EXPECT_EQ(BuildPatternMask(info, cxPatternTime), "(0?[1-9]|1[012])' '('PM')?");
  fs.TimePMString = "";
  EXPECT_EQ(BuildPatternMask(info, cxPatternTime), "(0?[1-9]|1[012])' '");
  fs.TimeAMString = "vorm.";
  EXPECT_EQ(BuildPictureMask(info, cxPictureTime), "00\\ ccccc;1;0");
  LoadLocaleFormatSettings();
}

TEST_F(EnglishTest, ItemPositions) {
  TcxDateTimeFormatInfo info;
  ParseDateTimeFormat("M/d/yyyy h:mm AMPM", info);
  EXPECT_EQ(FormatItemsLength(info), 19);
  const struct {
    int position;
    bool found;
    uint8_t kind;
    int start, length;
  } cases[] = {{0, false, 0, 0, 0},  {1, true, cdtMonth, 1, 2}, {2, true, cdtMonth, 1, 2},
               {3, true, cdtDateSeparator, 3, 1}, {10, true, cdtYear, 7, 4}, {11, true, cdtLiteral, 11, 1},
               {18, true, cdtAMPM, 18, 2}, {20, false, 0, 0, 0}};
  for (const auto& c : cases) {
    uint8_t kind = 99, style = 99;
    int start = 0, length = 0;
    ASSERT_EQ(FindFormatItemAt(info, c.position, kind, start, length, style), c.found) << c.position;
    if (!c.found) continue;
    EXPECT_EQ(kind, c.kind) << c.position;
    EXPECT_EQ(start, c.start) << c.position;
    EXPECT_EQ(length, c.length) << c.position;
    if (kind == cdtAMPM) {
      EXPECT_EQ(style, 2);
    }
  }
  EXPECT_EQ(AmPmStyle("a/p"), 0);
  EXPECT_EQ(AmPmStyle("Am/Pm"), 1);
  EXPECT_EQ(AmPmStyle("AMPM"), 2);
}

// ---------------------------------------------------------------------------------------------
// Currency patterns
TEST_F(EnglishTest, CurrencyPatterns) {
  TFormatSettings fs;
  fs.CurrencyString = "kr.";
  fs.CurrencyFormat = 3;
  fs.CurrencyDecimals = 2;
  const char* negatives[16] = {"(kr'.',0.00)", "-kr'.',0.00", "kr'.'-,0.00",  "kr'.',0.00-",
                               "(,0.00kr'.')", "-,0.00kr'.'", ",0.00-kr'.'",  ",0.00kr'.'-",
                               "-,0.00 kr'.'", "-kr'.' ,0.00", ",0.00 kr'.'-", "kr'.' ,0.00-",
                               "kr'.' -,0.00", ",0.00- kr'.'", "(kr'.' ,0.00)", "(,0.00 kr'.')"};
  for (int n = 0; n < 16; ++n) {
    fs.NegCurrFormat = static_cast<uint8_t>(n);
    EXPECT_EQ(BuildCurrencyPattern(fs), std::string(",0.00 kr'.';") + negatives[n]) << n;
  }
  fs.CurrencyString = "$";
  fs.CurrencyDecimals = 0;
  fs.NegCurrFormat = 1;
  const char* positives[5] = {"$,0.;", ",0.$;", "$ ,0.;", ",0. $;", ";"};
  for (int p = 0; p < 5; ++p) {
    fs.CurrencyFormat = static_cast<uint8_t>(p);
    EXPECT_EQ(BuildCurrencyPattern(fs), std::string(positives[p]) + "-$,0.") << p;
  }
}

TEST_F(EnglishTest, InputFormatDoublesLoneDaysAndMonths) {
  EXPECT_EQ(BuildDateInputFormat("d/M/yyyy"), "dd/MM/yyyy");
  EXPECT_EQ(BuildDateInputFormat("dd.MM.yy"), "dd.MM.yy");
  EXPECT_EQ(BuildDateInputFormat("ddd d MMMM"), "ddd dd MMMM");
  EXPECT_EQ(QuotePatternLiteral("it's"), "'it'\\''s'");
  EXPECT_EQ(QuotePatternLiteral("'"), "\\'");
}

// ---------------------------------------------------------------------------------------------
// The German locale: day-month-year, comma decimals, the currency after the number
TEST_F(GermanTest, ControllerFormatsOfTheLocale) {
  const TcxFormatController* c = GetFormatController();
  EXPECT_EQ(FormatSettings().ShortDateFormat, "d.M.yyyy");  // Wine's; Windows says dd.MM.yyyy
  EXPECT_EQ(Describe(c->DateItems), "[3 D][0 .][2 M][0 .][1 YYYY]");
  EXPECT_EQ(c->DatePicture, "!99\\.99\\.9999;1; ");
  EXPECT_EQ(c->DateDisplayFormat, "dd'.'mm'.'yyyy");
  EXPECT_EQ(c->DateInputFormat, "dd.MM.yyyy");
  EXPECT_EQ(c->WeekStartDay, 1);  // Monday
  EXPECT_EQ(c->CurrencyPattern, ",0.00 \x80;-,0.00 \x80");
  EXPECT_EQ(Describe(c->TimeItems), "[4 24HH][10 ][5 NN][10 ][6 SS]");
  EXPECT_EQ(FormatSettings().DecimalSeparator, ',');
}

// ---------------------------------------------------------------------------------------------
// Listeners and the hidden window
class TRecordingListener : public IcxFormatListener {
 public:
  explicit TRecordingListener(std::vector<std::string>& log, const char* name, bool hearsTime)
      : log_(log), name_(name), hearsTime_(hearsTime) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (hearsTime_ && iid == IID_IcxTimeChangeListener) {
      *object = &timeListener_;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  void FormatChanged() override { log_.push_back(name_ + " format"); }

 private:
  struct TTime : IcxTimeChangeListener {
    TRecordingListener* owner;
    explicit TTime(TRecordingListener* o) : owner(o) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    void TimeChanged() override { owner->log_.push_back(owner->name_ + " time"); }
  };
  std::vector<std::string>& log_;
  std::string name_;
  bool hearsTime_;
  TTime timeListener_{this};
};

TEST_F(EnglishTest, TheWindowLivesWhileListenersAre) {
  TcxFormatController* c = GetFormatController();
  std::vector<std::string> log;
  TRecordingListener a(log, "a", false), b(log, "b", true);
  ASSERT_EQ(c->Window, nullptr);
  c->RegisterListener(&a);
  c->RegisterListener(&a);
  EXPECT_EQ(c->Listeners.size(), 1u);
  const HWND first = c->Window;
  ASSERT_TRUE(IsWindow(first));
  c->RegisterListener(&b);
  EXPECT_EQ(c->Window, first);
  c->UnregisterListener(&a);
  c->UnregisterListener(&b);
  EXPECT_EQ(c->Window, nullptr);
  EXPECT_FALSE(IsWindow(first));
  c->RegisterListener(&b);
  EXPECT_TRUE(IsWindow(c->Window));
  c->UnregisterListener(&b);
}

TEST_F(EnglishTest, SettingAndClockChangesReachTheListeners) {
  TcxFormatController* c = GetFormatController();
  std::vector<std::string> log;
  TRecordingListener a(log, "a", false), b(log, "b", true);
  c->RegisterListener(&a);
  c->RegisterListener(&b);
  FormatSettings().ShortDateFormat = "yyyy-MM-dd";  // a change the reload must undo
  SendMessageA(c->Window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"));
  EXPECT_EQ(FormatSettings().ShortDateFormat, "M/d/yyyy");
  EXPECT_EQ(c->DateDisplayFormat, "mm/dd/yyyy");
  SendMessageA(c->Window, WM_TIMECHANGE, 0, 0);
  SendMessageA(c->Window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Intl"));
  SendMessageA(c->Window, WM_SETTINGCHANGE, 1, reinterpret_cast<LPARAM>("intl"));
  SendMessageA(c->Window, WM_SETTINGCHANGE, 0, 0);
  Application->SetUpdateFormatSettings(false);
  SendMessageA(c->Window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"));
  Application->SetUpdateFormatSettings(true);
  EXPECT_EQ(log, (std::vector<std::string>{"a format", "b format", "b time"}));
  c->UnregisterListener(&a);
  c->UnregisterListener(&b);
}

TEST_F(EnglishTest, SmartWordsComeFromTheStringTable) {
  LoadSmartWords();
  const char* expected[cxSmartWordCount] = {"today",  "yesterday", "tomorrow", "Sunday", "Monday",
                                            "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday",
                                            "first",  "second",    "third",    "fourth", "fifth",
                                            "sixth",  "seventh",   "bom",      "eom",    "now"};
  for (int i = 0; i < cxSmartWordCount; ++i) EXPECT_EQ(cxSmartWords[i], expected[i]) << i;
  std::string pattern = "x";
  AppendSmartWordsToPattern(pattern, false);
  EXPECT_EQ(pattern.substr(0, 24), "(x)|('today'|'yesterday'");
}

}  // namespace
