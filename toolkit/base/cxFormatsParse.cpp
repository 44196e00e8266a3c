// Parsing a date-time format into items, and the picture masks, pattern masks and display formats
// built from the items.
#include <algorithm>
#include <cstring>

#include "cxFormats.h"

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithText(const std::string& s, size_t at, const char* word) {
  const size_t n = std::strlen(word);
  if (s.size() - at < n) return false;
  for (size_t i = 0; i < n; ++i) {
    if (Upper(s[at + i]) != word[i]) return false;
  }
  return true;
}

class TFormatParser {
 public:
  explicit TFormatParser(TcxDateTimeFormatInfo& info) : info_(info) {}
  bool Parse(const std::string& text, int level);
  bool TwelveHour() const { return twelveHour_; }

 private:
  struct TLevel {
    bool hasHour = false;
    bool twelveHour = false;
  };
  size_t Step(const std::string& text, size_t at, char& lastLetter, TLevel& level, int depth, bool& ok);
  size_t AmPmOrDayName(const std::string& text, size_t at, TLevel& level);
  size_t Quoted(const std::string& text, size_t at);
  void Add(uint8_t kind, const std::string& data);
  void AddLiteral(const std::string& text);

  TcxDateTimeFormatInfo& info_;
  bool twelveHour_ = false;
};

// Each element kind but literals and separators occurs once: a second one is dropped.
void TFormatParser::Add(uint8_t kind, const std::string& data) {
  const bool unique = kind >= cdtYear && kind <= cdtAMPM;
  if (unique && info_.Defined[kind]) return;
  info_.Defined[kind] = true;
  info_.Items.push_back({kind, data});
}

void TFormatParser::AddLiteral(const std::string& text) {
  info_.Defined[cdtLiteral] = true;
  if (!info_.Items.empty() && info_.Items.back().Kind == cdtLiteral) {
    info_.Items.back().Data += text;
  } else {
    info_.Items.push_back({cdtLiteral, text});
  }
}

size_t TFormatParser::Quoted(const std::string& text, size_t at) {
  const size_t close = text.find(text[at], at + 1);
  const size_t end = close == std::string::npos ? text.size() : close;
  if (end > at + 1) AddLiteral(text.substr(at + 1, end - at - 1));
  return (close == std::string::npos ? end : end + 1) - at;
}

size_t TFormatParser::AmPmOrDayName(const std::string& text, size_t at, TLevel& level) {
  static constexpr const char* markers[] = {"AM/PM", "A/P"};
  for (const char* marker : markers) {
    if (StartsWithText(text, at, marker)) {
      level.twelveHour = true;
      Add(cdtAMPM, text.substr(at, std::strlen(marker)));
      return std::strlen(marker);
    }
  }
  if (StartsWithText(text, at, "AMPM")) {
    level.twelveHour = true;
    Add(cdtAMPM, "AMPM");
    return 4;
  }
  if (StartsWithText(text, at, "AAA")) {
    const size_t count = StartsWithText(text, at, "AAAA") ? 4 : 3;
    Add(cdtDay, std::string(count, 'D'));
    return count;
  }
  AddLiteral(text.substr(at, 1));
  return 1;
}

// Handles the element at `at` and answers how many characters it took.
size_t TFormatParser::Step(const std::string& text, size_t at, char& lastLetter, TLevel& level, int depth, bool& ok) {
  const TFormatSettings& fs = FormatSettings();
  char c = Upper(text[at]);
  size_t run = 1;
  while (at + run < text.size() && text[at + run] == text[at]) ++run;
  if (c >= 'A' && c <= 'Z') {
    if (c == 'M' && lastLetter == 'H') c = 'N';
    lastLetter = c;
  }
  auto capped = [run](char letter, size_t cap) { return std::string(std::min(run, cap), letter); };
  switch (c) {
    case '"': case '\'': return Quoted(text, at);
    case '/': Add(cdtDateSeparator, ""); return 1;
    case ':': Add(cdtTimeSeparator, ""); return 1;
    case 'A': return AmPmOrDayName(text, at, level);
    case 'C':
      ok = Parse(fs.ShortDateFormat, depth + 1);
      if (ok) AddLiteral(" ");
      ok = ok && Parse(fs.LongTimeFormat, depth + 1);
      return run;
    case 'D':
      if (run <= 4) Add(cdtDay, std::string(run, 'D'));
      else ok = Parse(run == 5 ? fs.ShortDateFormat : fs.LongDateFormat, depth + 1);
      return run;
    case 'E': case 'Y': Add(cdtYear, run > 2 ? "YYYY" : "YY"); return run;
    case 'G': ok = false; return run;
    case 'H': level.hasHour = true; Add(cdtHour, capped('H', 2)); return run;
    case 'M': Add(cdtMonth, capped('M', 4)); return run;
    case 'N': Add(cdtMinute, capped('N', 2)); return run;
    case 'S': Add(cdtSecond, capped('S', 2)); return run;
    case 'Z': Add(cdtMSecond, capped('Z', 3)); return run;
    case 'T': ok = Parse(run == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, depth + 1); return run;
    default: AddLiteral(text.substr(at, 1)); return 1;
  }
}

bool TFormatParser::Parse(const std::string& text, int depth) {
  if (depth >= 2 || text.empty()) return true;
  TLevel level;
  char lastLetter = ' ';
  bool ok = true;
  for (size_t at = 0; at < text.size() && ok;) {
    if (IsDBCSLeadByte(static_cast<BYTE>(text[at])) && at + 1 < text.size()) {
      AddLiteral(text.substr(at, 2));
      lastLetter = ' ';
      at += 2;
      continue;
    }
    at += Step(text, at, lastLetter, level, depth, ok);
  }
  if (ok && level.hasHour) twelveHour_ = level.twelveHour;
  return ok;
}

void ApplyHourFixUp(TcxDateTimeFormatInfo& info, bool twelveHour) {
  for (auto it = info.Items.begin(); it != info.Items.end(); ++it) {
    if (info.Defined[cdtHour] && it->Kind == cdtHour) {
      it->Data = (twelveHour ? "12" : "24") + it->Data;
      return;
    }
    if (!info.Defined[cdtHour] && it->Kind == cdtAMPM) {
      info.Defined[cdtAMPM] = false;
      info.Items.erase(it);
      return;
    }
  }
}

}  // namespace

void ParseDateTimeFormat(const std::string& format, TcxDateTimeFormatInfo& info) {
  info = {};
  TFormatParser parser(info);
  if (parser.Parse(format.empty() ? "C" : format, 0)) {
    ApplyHourFixUp(info, parser.TwelveHour());
  } else {
    info = {};
  }
}
