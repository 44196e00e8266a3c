// Smart date input: the words that name a date relative to today, with an optional signed number
// of days after them ("tomorrow+3", "eom - 1").
#include <algorithm>
#include <cmath>
#include <vector>

#include "cxDateUtils.h"
#include "cxFormats.h"

int CompareSmartWords(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return a.size() > b.size() ? -1 : 1;
  return -AnsiCompareText(a, b);
}

bool SmartWordAt(const std::string& text, int& index) {
  LoadSmartWords();
  std::vector<int> order(cxSmartWordCount);
  for (int i = 0; i < cxSmartWordCount; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [](int a, int b) { return CompareSmartWords(cxSmartWords[a], cxSmartWords[b]) < 0; });
  for (int i : order) {
    const std::string& word = cxSmartWords[i];
    // An empty (untranslated) word would match every text.
    if (!word.empty() && text.size() >= word.size() && AnsiSameText(text.substr(0, word.size()), word)) {
      index = i;
      return true;
    }
  }
  return false;
}

TDateTime SmartWordDate(int index, TDateTime now) {
  const TDateTime today = std::trunc(now);
  uint16_t year, month, day;
  DecodeDate(today, year, month, day);
  if (index >= cxSmartWordSunday && index <= cxSmartWordSaturday) {
    const int shift = (index - 2) - DayOfWeek(today);
    return today + (shift < 0 ? shift + 7 : shift);
  }
  if (index >= cxSmartWordFirst && index <= cxSmartWordSeventh) {
    return today - (DayOfWeekIndex(today) - (index - cxSmartWordFirst));
  }
  switch (index) {
    case cxSmartWordYesterday: return today - 1;
    case cxSmartWordTomorrow: return today + 1;
    case cxSmartWordBOM: return EncodeDate(year, month, 1);
    case cxSmartWordEOM: return EncodeDate(year, month, DaysInAMonth(year, month));
    case cxSmartWordNow: return now;
    default: return today;
  }
}

namespace {
// "+n" or "-n" after the word moves the date; any other rest is ignored.
TDateTime ApplyDayOffset(TDateTime date, const std::string& rest) {
  if (rest.size() < 2 || (rest[0] != '+' && rest[0] != '-')) return date;
  int days;
  if (!TryStrToInt(Trim(rest.substr(1)), days)) return date;
  return rest[0] == '+' ? date + days : date - days;
}
}  // namespace

bool SmartTextToDateAt(const std::string& text, TDateTime now, TDateTime& value) {
  const std::string trimmed = Trim(text);
  int index;
  if (!SmartWordAt(trimmed, index)) return false;
  value = ApplyDayOffset(SmartWordDate(index, now), Trim(trimmed.substr(cxSmartWords[index].size())));
  return true;
}

bool SmartTextToDate(const std::string& text, TDateTime& value) { return SmartTextToDateAt(text, Now(), value); }
