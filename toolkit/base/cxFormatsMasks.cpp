// Picture masks, regular-expression pattern masks and display formats built from the items of a
// parsed date-time format, and the item positions that editors use to move between fields.
#include <algorithm>

#include "cxFormats.h"

namespace {

std::string AmPmLocaleWidth() {
  const TFormatSettings& fs = FormatSettings();
  return std::string(std::max(fs.TimeAMString.size(), fs.TimePMString.size()), 'c');
}

std::string PictureOfItem(const TcxDateTimeFormatItem& item, uint8_t kind) {
  switch (item.Kind) {
    case cdtLiteral: {
      std::string escaped;
      for (char c : item.Data) escaped += std::string("\\") + c;
      return escaped;
    }
    case cdtYear: return item.Data == "YY" ? "99" : "9999";
    case cdtMonth: case cdtDay: return item.Data.size() > 2 ? "lll" : "99";
    case cdtHour: case cdtMinute: case cdtSecond: return kind == cxPictureTime ? "00" : "99";
    case cdtAMPM: {
      static constexpr const char* byStyle[2] = {"c", "cc"};
      const uint8_t style = AmPmStyle(item.Data);
      return style < 2 ? byStyle[style] : AmPmLocaleWidth();
    }
    case cdtDateSeparator: return "/";
    case cdtTimeSeparator: return ":";
    default: return "";
  }
}

std::string SeparatorPattern(char separator) {
  if (separator == '\0') return "";
  return separator == ' ' ? "' '" : std::string("\\") + separator;
}

std::string MonthPattern(const TcxDateTimeFormatItem& item) {
  const TFormatSettings& fs = FormatSettings();
  const std::string* names = item.Data == "MMMM" ? fs.LongMonthNames : fs.ShortMonthNames;
  std::string alternatives;
  for (int i = 0; i < 12; ++i) alternatives += (i ? "|'" : "'") + names[i] + "'";
  return "((0?[1-9]|1[012])|(" + alternatives + "))";
}

std::string AmPmPattern(const TcxDateTimeFormatItem& item) {
  const TFormatSettings& fs = FormatSettings();
  switch (AmPmStyle(item.Data)) {
    case 0: return "(A|P)?";
    case 1: return "(AM|PM)?";
    default: break;
  }
  const std::string& am = fs.TimeAMString;
  const std::string& pm = fs.TimePMString;
  if (!am.empty() && !pm.empty()) return "('" + am + "'|'" + pm + "')?";
  if (!am.empty() || !pm.empty()) return "('" + (am.empty() ? pm : am) + "')?";
  return "";
}

std::string DatePatternOfItem(const TcxDateTimeFormatItem& item) {
  switch (item.Kind) {
    case cdtLiteral: return "'" + item.Data + "'";
    case cdtYear: return item.Data == "YY" ? "\\d\\d" : "\\d\\d\\d\\d";
    case cdtMonth: return MonthPattern(item);
    case cdtDay: return "([012]?[1-9]|[123]0|31)";
    case cdtDateSeparator: return SeparatorPattern(FormatSettings().DateSeparator);
    default: return "";
  }
}

std::string TimePatternOfItem(const TcxDateTimeFormatItem& item) {
  switch (item.Kind) {
    case cdtLiteral: return "'" + item.Data + "'";
    case cdtHour: return item.Data.rfind("12", 0) == 0 ? "(0?[1-9]|1[012])" : "([01]?\\d|2[0-3])";
    case cdtMinute: case cdtSecond: return "[0-5]?\\d";
    case cdtAMPM: return AmPmPattern(item);
    case cdtTimeSeparator: return SeparatorPattern(FormatSettings().TimeSeparator);
    default: return "";
  }
}

std::string DisplayOfItem(const TcxDateTimeFormatItem& item) {
  switch (item.Kind) {
    case cdtLiteral: return "'" + item.Data + "'";
    case cdtYear: case cdtAMPM: return LowerCase(item.Data);
    case cdtMonth: return item.Data.size() > 2 ? "mmm" : "mm";
    case cdtDay: return item.Data.size() > 2 ? "ddd" : "dd";
    case cdtHour: return "hh";
    case cdtMinute: return "nn";
    case cdtSecond: return "ss";
    case cdtDateSeparator: return "/";
    case cdtTimeSeparator: return ":";
    default: return "";
  }
}

}  // namespace

uint8_t AmPmStyle(const std::string& text) {
  const std::string upper = UpperCase(text);
  if (upper == "A/P") return 0;
  return upper == "AM/PM" ? 1 : 2;
}

std::string BuildPictureMask(const TcxDateTimeFormatInfo& info, uint8_t kind) {
  if (info.Items.empty()) return "";
  std::string mask = kind == cxPictureTime ? "" : "!";
  for (const TcxDateTimeFormatItem& item : info.Items) mask += PictureOfItem(item, kind);
  return mask + (kind == cxPictureTime ? ";1;0" : ";1; ");
}

std::string BuildPatternMask(const TcxDateTimeFormatInfo& info, uint8_t part) {
  if (part == cxPatternNone) return "";
  std::string pattern;
  for (const TcxDateTimeFormatItem& item : info.Items) {
    pattern += part == cxPatternDate ? DatePatternOfItem(item) : TimePatternOfItem(item);
  }
  return pattern;
}

std::string BuildDisplayFormat(const TcxDateTimeFormatInfo& info) {
  std::string format;
  for (const TcxDateTimeFormatItem& item : info.Items) format += DisplayOfItem(item);
  return format;
}

int ItemTextLength(const TcxDateTimeFormatItem& item) {
  switch (item.Kind) {
    case cdtLiteral: return static_cast<int>(item.Data.size());
    case cdtYear: return item.Data == "YY" ? 2 : 4;
    case cdtMonth: case cdtDay: return item.Data.size() > 2 ? 3 : 2;
    case cdtHour: case cdtMinute: case cdtSecond: return 2;
    case cdtAMPM: {
      const uint8_t style = AmPmStyle(item.Data);
      return style == 0 ? 1 : style == 1 ? 2 : static_cast<int>(AmPmLocaleWidth().size());
    }
    case cdtDateSeparator: case cdtTimeSeparator: return 1;
    default: return 0;
  }
}

int FormatItemsLength(const TcxDateTimeFormatInfo& info) {
  int length = 0;
  for (const TcxDateTimeFormatItem& item : info.Items) length += ItemTextLength(item);
  return length;
}

bool FindFormatItemAt(const TcxDateTimeFormatInfo& info, int position, uint8_t& kind, int& start, int& length,
                      uint8_t& amPmStyle) {
  if (position < 1 || info.Items.empty()) return false;
  int itemStart = 1;
  for (const TcxDateTimeFormatItem& item : info.Items) {
    const int itemLength = ItemTextLength(item);
    if (itemStart + itemLength > position) {
      kind = item.Kind;
      start = itemStart;
      length = itemLength;
      if (item.Kind == cdtAMPM) amPmStyle = AmPmStyle(item.Data);
      return true;
    }
    itemStart += itemLength;
  }
  return false;
}
