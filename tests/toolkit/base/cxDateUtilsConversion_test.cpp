#include "calderan_test.h"

#include <memory>
#include <string>

#include "LocaleScope.h"
#include "cxDateUtils.h"

namespace {

// Restores the class library's short date format a test changed.
class TShortDateFormatScope {
 public:
  explicit TShortDateFormatScope(const std::string& format) : saved_(FormatSettings().ShortDateFormat) {
    FormatSettings().ShortDateFormat = format;
    GetFormatController()->Rebuild();
  }
  ~TShortDateFormatScope() {
    FormatSettings().ShortDateFormat = saved_;
    GetFormatController()->Rebuild();
  }

 private:
  std::string saved_;
};

const TDateTime March15 = EncodeDate(2000, 3, 15);

// ---------------------------------------------------------------------------------------------
// Smart words, relative to Wednesday 15 March 2000, 12:30
struct TSmartCase {
  const char* text;
  TDateTime expected;
};

TEST_F(EnglishTest, SmartWordsNameDatesRelativeToToday) {
  const TDateTime now = March15 + 0.52;
  TcxFormatController* controller = GetFormatController();
  const uint8_t savedStart = controller->WeekStartDay;
  controller->WeekStartDay = 1;
  const TSmartCase cases[] = {
      {"today", March15},           {"TODAY", March15},         {"  todayx", March15},
      {"yesterday", March15 - 1},   {"tomorrow+3", March15 + 4}, {"tomorrow + 3", March15 + 4},
      {"tomorrow+", March15 + 1},   {"tomorrow+x", March15 + 1}, {"today -10", March15 - 10},
      {"Wednesday", March15},       {"tuesday", March15 + 6},   {"Sunday", March15 + 4},
      {"first", March15 - 2},       {"seventh", March15 + 4},   {"third", March15},
      {"bom", EncodeDate(2000, 3, 1)}, {"eom", EncodeDate(2000, 3, 31)}, {"now", now},
      {"now+1", now + 1},
  };
  for (const TSmartCase& c : cases) {
    TDateTime value = 0;
    EXPECT_TRUE(SmartTextToDateAt(c.text, now, value)) << c.text;
    EXPECT_EQ(value, c.expected) << c.text;
  }
  controller->WeekStartDay = savedStart;
}

TEST_F(EnglishTest, SmartWordsAtMonthEnds) {
  const TDateTime february = EncodeDate(2000, 2, 10);
  TDateTime value = 0;
  ASSERT_TRUE(SmartTextToDateAt("eom", february, value));
  EXPECT_EQ(value, EncodeDate(2000, 2, 29));
  ASSERT_TRUE(SmartTextToDateAt("bom-1", february, value));
  EXPECT_EQ(value, EncodeDate(2000, 1, 31));
  value = 42;
  EXPECT_FALSE(SmartTextToDateAt("someday", february, value));
  EXPECT_FALSE(SmartTextToDateAt("", february, value));
  EXPECT_EQ(value, 42);  // untouched
}

TEST_F(EnglishTest, LongerSmartWordsAreTriedFirst) {
  EXPECT_LT(CompareSmartWords("tomorrow", "today"), 0);
  EXPECT_GT(CompareSmartWords("eom", "Sunday"), 0);
  EXPECT_LT(CompareSmartWords("bom", "aom"), 0);  // equal lengths: descending order
  int index = -1;
  ASSERT_TRUE(SmartWordAt("seventh+1", index));
  EXPECT_EQ(index, 16);
  ASSERT_TRUE(SmartWordAt("Saturday", index));
  EXPECT_EQ(index, 9);
  TDateTime value;
  ASSERT_TRUE(SmartTextToDate("today", value));
  EXPECT_EQ(value, Date());
}

// ---------------------------------------------------------------------------------------------
// Values to texts
TEST_F(EnglishTest, NullDateHasNoText) {
  std::string text = "x";
  for (bool display : {false, true}) {
    for (bool withTime : {false, true}) {
      DateTimeToText(display, withTime, true, text, NullDate);
      EXPECT_EQ(text, "");
    }
  }
  DateTimeToTextEx(true, true, text, NullDate);
  EXPECT_EQ(text, "");
}

TEST_F(EnglishTest, ValuesToTextsInEachMode) {
  std::string text;
  DateTimeToText(false, false, false, text, March15);
  EXPECT_EQ(text, "3/15/2000");
  DateTimeToText(false, true, false, text, March15 + 0.75);
  EXPECT_EQ(text, "3/15/2000 6:00:00 PM");
  DateTimeToText(true, false, false, text, March15 + 0.75);
  EXPECT_EQ(text, "03/15/2000");
  DateTimeToText(true, true, false, text, March15 + 0.75);
  EXPECT_EQ(text, "03/15/2000 06:00:00 PM");  // the locale's marker strings
  DateTimeToTextEx(false, true, text, March15 + 0.75);
  EXPECT_EQ(text, "3/15/2000 6:00:00 PM");
}

TEST_F(EnglishTest, FourDigitYears) {
  const struct {
    const char* format;
    const char* expected;
  } cases[] = {{"d/M/yy", "15/3/2000"}, {"YY-MM-DD", "2000-03-15"}, {"d/M/yyyy", "15/3/2000"}, {"d/M", "15/3"}};
  for (const auto& c : cases) {
    TShortDateFormatScope format(c.format);
    std::string text;
    DateTimeToTextEx(true, true, text, March15);
    EXPECT_EQ(text, c.expected) << c.format;
  }
  TShortDateFormatScope twoDigits("d/M/yy");
  std::string text;
  DateTimeToTextEx(false, true, text, March15);
  EXPECT_EQ(text, "15/3/00");
}

// Wine's German short date format is d.M.yyyy (see docs/architecture.md).
TEST_F(GermanTest, ValuesToTexts) {
  std::string text;
  DateTimeToText(false, false, false, text, March15);
  EXPECT_EQ(text, "15.3.2000");
  DateTimeToText(false, true, false, text, March15 + 0.75);
  EXPECT_EQ(text, "15.3.2000 18:00:00");
  DateTimeToText(true, false, false, text, March15);
  EXPECT_EQ(text, "15.03.2000");
}

// ---------------------------------------------------------------------------------------------
// Texts to values
void ExpectDates(const TSmartCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    TDateTime value = 0;
    EXPECT_TRUE(TextToDate(cases[i].text, value)) << cases[i].text;
    EXPECT_EQ(value, cases[i].expected) << cases[i].text;
  }
}

// Hostile texts answer false with the null date, promptly and without an exception.
void ExpectRefused() {
  const std::string hostile[] = {"",
                                 "   ",
                                 "\t\r\n",
                                 std::string(10000, 'x'),
                                 std::string(10000, '7'),
                                 std::string(10000, ' ') + "x",
                                 "12345678",
                                 "1/1/10000",
                                 "10000-01-01",
                                 "1.1.10000",
                                 "/",
                                 ".",
                                 "-",
                                 ":",
                                 "31/31/31/31",
                                 "99.99.9999"};
  for (const std::string& text : hostile) {
    TDateTime value = 1;
    EXPECT_FALSE(TextToDate(text, value)) << text.substr(0, 20);
    EXPECT_EQ(value, NullDate) << text.substr(0, 20);
    EXPECT_FALSE(TextToDateTime(text, true, value)) << text.substr(0, 20);
    EXPECT_FALSE(TextToDateTime(text, false, value)) << text.substr(0, 20);
  }
}

TEST_F(EnglishTest, TextsToDates) {
  const TSmartCase cases[] = {{"3/15/2000", March15},         {" 03/15/2000 ", March15},
                              {"3/15/2000 6:00 PM", March15 + 0.75}, {"12/31/9999", EncodeDate(9999, 12, 31)},
                              {"today", Date()}};
  ExpectDates(cases, std::size(cases));
  TDateTime value;
  ASSERT_TRUE(TextToDateTime("3/15/2000 6:00:00 PM", true, value));
  EXPECT_EQ(value, March15 + 0.75);
  ASSERT_TRUE(TextToDateTime("3/15/2000 6:00:00 PM", false, value));
  EXPECT_EQ(value, March15 + 0.75);
}

TEST_F(EnglishTest, HostileTextsAreRefused) { ExpectRefused(); }

TEST_F(GermanTest, TextsToDates) {
  const TSmartCase cases[] = {{"15.03.2000", March15}, {"15.3.2000", March15}, {"15.03.2000 18:00", March15 + 0.75}};
  ExpectDates(cases, std::size(cases));
}

TEST_F(GermanTest, HostileTextsAreRefused) { ExpectRefused(); }

TEST_F(GermanTest, LiteralWordsOfTheFormatAreBlankedOut) {
  std::string text = "15.03.2000";
  NormalizeDateText(text, true);
  EXPECT_EQ(text, "15 03 2000");  // the date separator stays until the last step
  TShortDateFormatScope format("dd.MM.yyyy' Jahr'");
  text = "15.03.2000  jahr";
  NormalizeDateText(text, true);
  EXPECT_EQ(text, "15 03 2000");
  TDateTime value;
  EXPECT_TRUE(TextToDate("15.03.2000 Jahr", value));
  EXPECT_EQ(value, March15);
  EXPECT_TRUE(TextToDate("15.03.2000", value));
  EXPECT_EQ(value, March15);
}

// ---------------------------------------------------------------------------------------------
// The calendar scanner of locales whose calendar is not Gregorian
TEST_F(EnglishTest, CalendarScannerReadsTheCalendarsOwnYears) {
  std::unique_ptr<TcxCustomCalendarTable> thai(CreateCalendarTable(cxCalThai));
  EXPECT_EQ(ScanCalendarDate(*thai, "3/15/2543"), March15);
  EXPECT_EQ(ScanCalendarDate(*thai, "3/15/2543 6:00 PM"), March15 + 0.75);
  std::unique_ptr<TcxCustomCalendarTable> hebrew(CreateCalendarTable(cxCalHebrew));
  EXPECT_EQ(ScanCalendarDate(*hebrew, "4/23/5760"), EncodeDate(2000, 1, 1));
  EXPECT_EQ(ScanCalendarDate(*hebrew, "4/23/\xFA\xF9\xF1"), EncodeDate(2000, 1, 1));  // year 760 + 5000
  const std::string hostile[] = {"", "/", "12345678", std::string(10000, '9'), "1/1/20000", "13/1/2543", "x/y/z"};
  for (const std::string& text : hostile) {
    EXPECT_THROW(ScanCalendarDate(*thai, text), EConvertError) << text.substr(0, 20);
  }
}

TEST_F(EnglishTest, CalendarScannerUsesTheDefaultEra) {
  std::unique_ptr<TcxCustomCalendarTable> japanese(CreateCalendarTable(cxCalJapan));
  EXPECT_EQ(ScanCalendarDate(*japanese, "3/15/112"), EncodeDate(2100, 3, 15));  // Heisei 112
}

}  // namespace
