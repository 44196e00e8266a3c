#include "cxStandardMask.h"

#include <algorithm>

#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(TcxStandardMaskCustomItem, TObject)
CALDERAN_IMPLEMENT_CLASS(TcxStandardMaskLiteralItem, TcxStandardMaskCustomItem)
CALDERAN_IMPLEMENT_CLASS(TcxStandardMaskManyItem, TcxStandardMaskCustomItem)
CALDERAN_IMPLEMENT_CLASS(TcxStandardMaskNumericItem, TcxStandardMaskManyItem)
CALDERAN_IMPLEMENT_CLASS(TcxStandardMaskNumericSymbolItem, TcxStandardMaskManyItem)
CALDERAN_IMPLEMENT_CLASS(TcxStandardMaskAlphaItem, TcxStandardMaskManyItem)
CALDERAN_IMPLEMENT_CLASS(TcxStandardMaskAlphaNumericItem, TcxStandardMaskManyItem)
CALDERAN_IMPLEMENT_CLASS(TcxStandardMaskASCIIItem, TcxStandardMaskManyItem)
CALDERAN_IMPLEMENT_CLASS(TcxStandardMask, TObject)

namespace {

// Only the ASCII letters change case here, whatever the code page.
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsAsciiLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
char AsciiUpper(char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch; }
char AsciiLower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

bool IsSaveLiteralsFlag(char ch) { return ch == '0' || ch == '1'; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Items

bool TcxStandardMaskManyItem::Accepts(char& ch) const {
  bool result = Belongs(ch);
  if (caseRule_ == smcUpper) ch = AsciiUpper(ch);
  else if (caseRule_ == smcLower) ch = AsciiLower(ch);
  return result;
}

bool TcxStandardMaskNumericItem::Belongs(char ch) const { return IsDigit(ch); }
bool TcxStandardMaskNumericSymbolItem::Belongs(char ch) const { return IsDigit(ch) || ch == '+' || ch == '-'; }
bool TcxStandardMaskAlphaItem::Belongs(char ch) const { return IsAsciiLetter(ch); }
bool TcxStandardMaskAlphaNumericItem::Belongs(char ch) const { return IsAsciiLetter(ch) || IsDigit(ch); }
bool TcxStandardMaskASCIIItem::Belongs(char) const { return true; }

// ---------------------------------------------------------------------------------------------
// Compiling

void TcxStandardMask::CompileMask(const std::string& mask) {
  items_.clear();
  leading_ = false;
  saveLiterals_ = true;
  blank_ = '_';
  maskText_ = mask;

  std::string body = mask;
  if (!body.empty() && body[0] == '!') {
    leading_ = true;
    body.erase(0, 1);
  }
  auto caseRule = smcUnchanged;
  auto addInput = [&](auto item) { items_.push_back(std::move(item)); };
  auto addLiteral = [&](char ch) { items_.push_back(std::make_unique<TcxStandardMaskLiteralItem>(ch)); };
  const size_t length = body.size();
  for (size_t i = 0; i < length; ++i) {
    const char ch = body[i];
    const size_t after = length - i - 1;
    switch (ch) {
      case '0': case '9':
        addInput(std::make_unique<TcxStandardMaskNumericItem>(caseRule, ch == '9'));
        break;
      case '#':
        addInput(std::make_unique<TcxStandardMaskNumericSymbolItem>(caseRule, true));
        break;
      case 'L': case 'l':
        addInput(std::make_unique<TcxStandardMaskAlphaItem>(caseRule, ch == 'l'));
        break;
      case 'A': case 'a':
        addInput(std::make_unique<TcxStandardMaskAlphaNumericItem>(caseRule, ch == 'a'));
        break;
      case 'C': case 'c':
        addInput(std::make_unique<TcxStandardMaskASCIIItem>(caseRule, ch == 'c'));
        break;
      case '>':
        caseRule = smcUpper;
        break;
      case '<':
        if (after > 0 && body[i + 1] == '>') {
          caseRule = smcUnchanged;
          ++i;
        } else {
          caseRule = smcLower;
        }
        break;
      case '\\':
        if (after > 0) addLiteral(body[++i]);
        break;
      case '/':
        addLiteral(FormatSettings().DateSeparator);
        break;
      case ':':
        addLiteral(FormatSettings().TimeSeparator);
        break;
      case ';':
        // The tail sections ";1;_" and ";1" end the mask; a ";" anywhere else is a literal.
        if (after == 3 && IsSaveLiteralsFlag(body[i + 1]) && body[i + 2] == ';') {
          saveLiterals_ = body[i + 1] != '0';
          blank_ = body[i + 3];
          return;
        }
        if (after == 1 && IsSaveLiteralsFlag(body[i + 1])) {
          saveLiterals_ = body[i + 1] != '0';
          return;
        }
        addLiteral(ch);
        break;
      default:
        addLiteral(ch);
        break;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Texts

bool TcxStandardMask::IsLiteral(int index) const {
  return dynamic_cast<const TcxStandardMaskLiteralItem*>(items_[index].get()) != nullptr;
}

bool TcxStandardMask::IsOptionalInput(int index) const {
  auto input = dynamic_cast<const TcxStandardMaskManyItem*>(items_[index].get());
  return input && input->Optional();
}

std::string TcxStandardMask::BlankText() const {
  std::string result;
  for (int i = 0; i < Count(); ++i) {
    if (!IsLiteral(i)) result += ' ';
    else if (saveLiterals_) result += static_cast<const TcxStandardMaskLiteralItem*>(Item(i))->Literal();
  }
  return result;
}

std::string TcxStandardMask::TemplateText() const {
  std::string result;
  for (int i = 0; i < Count(); ++i)
    result += IsLiteral(i) ? static_cast<const TcxStandardMaskLiteralItem*>(Item(i))->Literal() : blank_;
  return result;
}

bool TcxStandardMask::IsTested(int index, bool literalsInText) const {
  return saveLiterals_ || literalsInText || !IsLiteral(index);
}

// Puts c at the first position from start (walking in direction) that takes it; answers where the
// next search starts, or start itself when no position took c.
int TcxStandardMask::PlaceChar(std::string& result, char c, int start, int direction, bool changeCase,
                               bool literalsInText) const {
  for (int pos = start; pos >= 0 && pos < Count(); pos += direction) {
    if (!IsTested(pos, literalsInText)) continue;
    char accepted = c;
    if (Item(pos)->Accepts(accepted)) {
      result[pos] = changeCase ? accepted : c;
      return pos + direction;
    }
    if ((c == blank_ || c == ' ') && !IsLiteral(pos)) return pos + direction;
  }
  return start;
}

void TcxStandardMask::PlaceText(std::string& text, bool changeCase, bool literalsInText) const {
  std::string result = TemplateText();
  const int length = static_cast<int>(text.size());
  if (leading_) {
    int start = Count() - 1;
    for (int i = length - 1; i >= 0; --i) start = PlaceChar(result, text[i], start, -1, changeCase, literalsInText);
  } else {
    int start = 0;
    for (int i = 0; i < length; ++i) start = PlaceChar(result, text[i], start, 1, changeCase, literalsInText);
  }
  text = std::move(result);
}

void TcxStandardMask::ValueText(std::string& text) const {
  std::string result;
  const int limit = std::min(static_cast<int>(text.size()), Count());
  for (int i = 0; i < limit; ++i) {
    if (IsLiteral(i)) {
      if (saveLiterals_) result += text[i];
    } else {
      result += text[i] == blank_ ? ' ' : text[i];
    }
  }
  text = std::move(result);
}

bool TcxStandardMask::IsComplete(std::string& text) const {
  if (static_cast<int>(text.size()) != Count()) return false;
  for (int i = 0; i < Count(); ++i) {
    if (Item(i)->Accepts(text[i])) continue;
    if ((text[i] != blank_ && text[i] != ' ') || !IsOptionalInput(i)) return false;
  }
  return true;
}
