// The lexer: cuts a mask source into lexemes, each with the line and column of the character that
// produced it, and reports every lexical error it meets without stopping.
#include "SysUtils.h"
#include "cxRegExpr.h"

namespace {

bool IsBlank(char ch) { return ch == '\0' || ch == '\t' || ch == '\n' || ch == '\f' || ch == '\r' || ch == ' '; }
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

int HexValue(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  return -1;
}

// The three characters blank, apostrophe, blank: how the messages show an apostrophe.
constexpr const char* QuoteShown = " ' ";

class TLexer {
 public:
  TLexer(const std::string& source, TcxLexems& lexems, TcxRegExprErrors& errors)
      : source_(source), lexems_(lexems), errors_(errors) {}
  void Run();

 private:
  struct TPosition {
    int32_t Line, Column;
  };

  bool AtEnd() const { return index_ >= source_.size(); }
  char Peek() const { return source_[index_]; }
  char Read();
  TPosition Here() const { return {line_, column_}; }
  TPosition Next() const { return {line_, column_ + 1}; }

  void Add(TcxLexemCode code, std::string value, TPosition at) { lexems_.Add({at.Column, code, at.Line, std::move(value)}); }
  void Add(TcxLexemCode code, char value, TPosition at) { Add(code, std::string(1, value), at); }
  void Error(TPosition at, const TcxResourceString& text, const char* argument = nullptr);
  void ErrorWithoutPosition(const TcxResourceString& text, const char* argument);

  void QuotedLiteral();
  void Escape(TPosition backslash);
  void HexEscape(TPosition backslash);
  void Set();
  void SetRangeDash(TPosition dash, bool& ended);
  void Count();

  const std::string& source_;
  TcxLexems& lexems_;
  TcxRegExprErrors& errors_;
  size_t index_ = 0;
  int32_t line_ = 1;
  int32_t column_ = 0;
  int depth_ = 0;  // of parentheses
};

// A CR counts a line and a column; a LF starts the column again, so after CR LF the next character
// stands in column 1 of the next line.
char TLexer::Read() {
  const char ch = source_[index_++];
  if (ch == '\r') ++line_;
  if (ch == '\n') column_ = 0;
  else ++column_;
  return ch;
}

void TLexer::Error(TPosition at, const TcxResourceString& text, const char* argument) {
  std::string message = LoadToolkitString(text);
  if (argument) message = Format(message, {argument});
  errors_.Add(at.Line, at.Column, std::move(message));
}

void TLexer::ErrorWithoutPosition(const TcxResourceString& text, const char* argument) {
  errors_.Add(0, 0, Format(LoadToolkitString(text), {argument}));
}

void TLexer::Run() {
  while (!AtEnd()) {
    const char ch = Read();
    const TPosition at = Here();
    if (IsBlank(ch)) continue;
    switch (ch) {
      case '\'': QuotedLiteral(); break;
      case '(': Add(lcSpecial, ch, at); ++depth_; break;
      case ')': Add(lcSpecial, ch, at); --depth_; break;
      case '*': case '+': case '?': case '|': Add(lcSpecial, ch, at); break;
      case '.': Add(lcAnyChar, ch, at); break;
      case '/': Add(lcDateSep, ch, at); break;
      case ':': Add(lcTimeSep, ch, at); break;
      case '[': Add(lcSpecial, ch, at); Set(); break;
      case '{': Add(lcSpecial, ch, at); Count(); break;
      case '\\': Escape(at); break;
      default: Add(lcLiteral, ch, at); break;
    }
  }
  if (depth_ > 0) ErrorWithoutPosition(scxRegExprMissing, ")");
  if (depth_ < 0) ErrorWithoutPosition(scxRegExprUnnecessary, ")");
}

// After an opening apostrophe: every character up to the closing one is a literal; a doubled
// apostrophe is one literal apostrophe.
void TLexer::QuotedLiteral() {
  while (!AtEnd()) {
    const char ch = Read();
    const TPosition at = Here();
    if (ch != '\'') {
      Add(lcLiteral, ch, at);
      continue;
    }
    if (AtEnd() || Peek() != '\'') return;
    Read();
    Add(lcLiteral, ch, at);
  }
  Error(Next(), scxRegExprMissing, QuoteShown);
}

void TLexer::Escape(TPosition backslash) {
  if (AtEnd()) return;  // a trailing backslash is ignored
  const char ch = Read();
  if (ch >= '1' && ch <= '9') return Add(lcGroupRef, ch, backslash);
  if (IsBlank(ch)) return Error(Here(), scxRegExprIncorrectSpace);
  switch (ch) {
    case 'w': return Add(lcWordChar, ch, backslash);
    case 'W': return Add(lcNonWordChar, ch, backslash);
    case 'd': return Add(lcDigit, ch, backslash);
    case 'D': return Add(lcNonDigit, ch, backslash);
    case 's': return Add(lcBlank, ch, backslash);
    case 'S': return Add(lcNonBlank, ch, backslash);
    case 'a': return Add(lcLiteral, '\a', backslash);
    case 'e': return Add(lcLiteral, '\x1B', backslash);
    case 'f': return Add(lcLiteral, '\f', backslash);
    case 'n': return Add(lcLiteral, '\n', backslash);
    case 'r': return Add(lcLiteral, '\r', backslash);
    case 't': return Add(lcLiteral, '\t', backslash);
    case 'p': return Add(lcLiteral, FormatSettings().DecimalSeparator, backslash);
    case 'x': return HexEscape(backslash);
    default: return Add(lcLiteral, ch, backslash);
  }
}

void TLexer::HexEscape(TPosition backslash) {
  int code = 0;
  for (int digit = 0; digit < 2; ++digit) {
    if (AtEnd()) return Error(Next(), scxRegExprHexNumberExpected0);
    const char ch = Read();
    const int value = HexValue(ch);
    if (value < 0) {
      const char shown[2] = {ch, '\0'};
      return Error(Here(), scxRegExprHexNumberExpected, shown);
    }
    code = code * 16 + value;
  }
  Add(lcLiteral, static_cast<char>(code), backslash);
}

// After "[": literals, escapes and separators up to "]"; "^" first negates, "-" between two
// members makes a range.
void TLexer::Set() {
  bool first = true;
  bool ended = false;
  while (!AtEnd() && !ended) {
    const char ch = Read();
    const TPosition at = Here();
    if (IsBlank(ch)) continue;
    switch (ch) {
      case '\'': QuotedLiteral(); break;
      case '/': Add(lcDateSep, ch, at); break;
      case ':': Add(lcTimeSep, ch, at); break;
      case '\\': Escape(at); break;
      case ']': Add(lcSpecial, ch, at); return;
      case '^':
        Add(first ? lcSpecial : lcLiteral, ch, at);
        break;
      case '-':
        if (first) Add(lcLiteral, ch, at);
        else SetRangeDash(at, ended);
        break;
      default: Add(lcLiteral, ch, at); break;
    }
    first = false;
  }
  if (!ended) Error(Next(), scxRegExprMissing, "]");
}

// A "-" just before the closing "]" is a literal; otherwise it makes a range.
void TLexer::SetRangeDash(TPosition dash, bool& ended) {
  while (!AtEnd() && IsBlank(Peek())) Read();
  if (AtEnd()) {
    Add(lcSpecial, '-', dash);
    Error(Next(), scxRegExprMissing, "]");
    ended = true;
    return;
  }
  Add(Peek() == ']' ? lcLiteral : lcSpecial, '-', dash);
}

// After "{": integers, "," and the closing "}".
void TLexer::Count() {
  while (!AtEnd()) {
    const char ch = Read();
    const TPosition at = Here();
    if (IsBlank(ch)) continue;
    if (IsDigit(ch)) {
      std::string digits(1, ch);
      while (!AtEnd() && IsDigit(Peek())) digits += Read();
      Add(lcInteger, std::move(digits), at);
    } else if (ch == ',') {
      Add(lcSpecial, ch, at);
    } else if (ch == '}') {
      Add(lcSpecial, ch, at);
      return;
    } else if (ch == '\'') {
      Error(at, scxRegExprIllegalSymbol, QuoteShown);
    } else {
      const char shown[2] = {ch, '\0'};
      Error(at, scxRegExprIllegalSymbol, shown);
    }
  }
  Error(Next(), scxRegExprMissing, "}");
}

}  // namespace

void cxRegExprScan(const std::string& source, TcxLexems& lexems, TcxRegExprErrors& errors) {
  TLexer(source, lexems, errors).Run();
}
