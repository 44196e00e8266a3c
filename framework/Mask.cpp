// The edit-mask engine and the masked edit.
#include "Mask.h"

#include <algorithm>
#include <cctype>

#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(EDBEditError, Exception)
CALDERAN_IMPLEMENT_CREATABLE(TCustomMaskEdit, TCustomEdit, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TMaskEdit, TCustomMaskEdit, TComponent*)

namespace {
constexpr const char* SMaskEditErr = "Invalid input value.  Use escape key to abandon changes";

struct TMaskChar {
  char c;
  TEditMask::TKind kind;
  bool required;
};
constexpr TMaskChar maskChars[] = {
    {'L', TEditMask::mkLetter, true},       {'l', TEditMask::mkLetter, false},
    {'A', TEditMask::mkAlphaNumeric, true}, {'a', TEditMask::mkAlphaNumeric, false},
    {'C', TEditMask::mkCharacter, true},    {'c', TEditMask::mkCharacter, false},
    {'0', TEditMask::mkDigit, true},        {'9', TEditMask::mkDigit, false},
    {'#', TEditMask::mkDigitOrSign, false},
};
}  // namespace

// ---------------------------------------------------------------------------------------------
// TEditMask
TEditMask::TEditMask(const std::string& mask) {
  size_t i = 0;
  TCase currentCase = mcNone;
  for (; i < mask.size(); ++i) {
    char c = mask[i];
    if (c == ';') break;
    if (c == '\\' && i + 1 < mask.size()) {
      positions_.push_back({mkLiteral, false, mcNone, mask[++i]});
      continue;
    }
    if (c == '!') { leadingBlanks_ = true; continue; }
    if (c == '<' && i + 1 < mask.size() && mask[i + 1] == '>') { currentCase = mcNone; ++i; continue; }
    if (c == '<') { currentCase = mcLower; continue; }
    if (c == '>') { currentCase = mcUpper; continue; }
    auto found = std::find_if(std::begin(maskChars), std::end(maskChars), [c](const TMaskChar& m) { return m.c == c; });
    if (found != std::end(maskChars)) positions_.push_back({found->kind, found->required, currentCase, 0});
    else positions_.push_back({mkLiteral, false, mcNone, c == '_' ? ' ' : c});
  }
  // the fields after the mask: keep literals in the text ("0" drops them), the blank character
  if (i < mask.size()) {
    size_t second = mask.find(';', i + 1);
    std::string save = mask.substr(i + 1, second == std::string::npos ? std::string::npos : second - i - 1);
    if (!save.empty()) saveLiterals_ = save[0] != '0';
    if (second != std::string::npos && second + 1 < mask.size()) blank_ = mask[second + 1];
  }
}

bool TEditMask::Fits(int position, char c, char& stored) const {
  if (position < 0 || position >= Length()) return false;
  const TPosition& p = positions_[position];
  auto u = static_cast<unsigned char>(c);
  bool ok = false;
  switch (p.Kind) {
    case mkLiteral: return false;
    case mkLetter: ok = IsCharAlphaA(c); break;
    case mkAlphaNumeric: ok = IsCharAlphaNumericA(c); break;
    case mkCharacter: ok = u >= 32; break;
    case mkDigit: ok = u >= '0' && u <= '9'; break;
    case mkDigitOrSign: ok = (u >= '0' && u <= '9') || c == '+' || c == '-'; break;
  }
  if (!ok) return false;
  stored = c;
  if (p.Case != mcNone) {
    char buffer[2] = {c, 0};
    if (p.Case == mcUpper) CharUpperA(buffer);
    else CharLowerA(buffer);
    stored = buffer[0];
  }
  return true;
}

std::string TEditMask::Format(const std::string& value) const {
  if (Empty()) return value;
  // the value's characters for the input positions, stepping over literals it carries
  std::vector<char> chars;
  size_t cursor = 0;
  for (const TPosition& p : positions_) {
    if (p.Kind == mkLiteral) {
      if (cursor < value.size() && value[cursor] == p.Literal) ++cursor;
      continue;
    }
    if (cursor < value.size()) chars.push_back(value[cursor++]);
  }
  int inputs = static_cast<int>(std::count_if(positions_.begin(), positions_.end(), [](const TPosition& p) { return p.Kind != mkLiteral; }));
  if (leadingBlanks_ && static_cast<int>(chars.size()) < inputs) chars.insert(chars.begin(), inputs - chars.size(), blank_);
  std::string text;
  size_t next = 0;
  for (int i = 0; i < Length(); ++i) {
    const TPosition& p = positions_[i];
    if (p.Kind == mkLiteral) {
      text += p.Literal;
      continue;
    }
    char c = next < chars.size() ? chars[next++] : blank_;
    char stored = c;
    if (c == ' ' || c == blank_ || !Fits(i, c, stored)) stored = c == ' ' ? blank_ : c;
    text += stored;
  }
  return text;
}

std::string TEditMask::TextOf(const std::string& editText) const {
  if (Empty()) return editText;
  std::string text;
  for (int i = 0; i < Length(); ++i) {
    const TPosition& p = positions_[i];
    char c = i < static_cast<int>(editText.size()) ? editText[i] : blank_;
    if (p.Kind == mkLiteral) {
      if (saveLiterals_) text += p.Literal;
    } else {
      text += c == blank_ ? ' ' : c;
    }
  }
  return text;
}

bool TEditMask::Validate(const std::string& editText, int& failPos) const {
  for (int i = 0; i < Length(); ++i) {
    const TPosition& p = positions_[i];
    if (p.Kind == mkLiteral) continue;
    char c = i < static_cast<int>(editText.size()) ? editText[i] : blank_;
    char stored;
    bool blank = c == blank_ || c == ' ';
    if ((blank && p.Required) || (!blank && !Fits(i, c, stored))) {
      failPos = i;
      return false;
    }
  }
  failPos = -1;
  return true;
}

int TEditMask::NextInput(int position) const {
  for (int i = std::max(position, 0); i < Length(); ++i)
    if (positions_[i].Kind != mkLiteral) return i;
  return -1;
}

int TEditMask::PreviousInput(int position) const {
  for (int i = std::min(position, Length() - 1); i >= 0; --i)
    if (positions_[i].Kind != mkLiteral) return i;
  return -1;
}

std::string FormatMaskText(const std::string& mask, const std::string& value) {
  TEditMask m(mask);
  return m.TextOf(m.Format(value));
}

// ---------------------------------------------------------------------------------------------
// TCustomMaskEdit
TCustomMaskEdit::TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

void TCustomMaskEdit::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_CHAR: WMChar(m); break;
    case WM_KEYDOWN: WMKeyDown(m); break;
    case WM_GETTEXT: WMGetText(m); break;
    case WM_GETTEXTLENGTH: WMGetTextLength(m); break;
    case WM_SETTEXT: WMSetText(m); break;
    case WM_PASTE: WMPaste(m); break;
    case CM_EXIT: CMExit(m); break;
    default: TCustomEdit::Dispatch(m);
  }
}

std::string TCustomMaskEdit::RawText() {
  TMessage length{WM_GETTEXTLENGTH, 0, 0, 0};
  DefaultHandler(length);
  std::string s(static_cast<size_t>(std::max<LRESULT>(length.Result, 0)) + 1, '\0');
  TMessage get{WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()), 0};
  DefaultHandler(get);
  s.resize(get.Result > 0 ? static_cast<size_t>(get.Result) : 0);
  return s;
}

std::string TCustomMaskEdit::EditText() {
  std::string raw = RawText();
  return IsMasked() && raw.empty() ? mask_.Format("") : raw;
}

void TCustomMaskEdit::SetEditText(const std::string& value) {
  std::string formatted = IsMasked() ? mask_.Format(value) : value;
  TMessage set{WM_SETTEXT, 0, reinterpret_cast<LPARAM>(formatted.c_str()), 0};
  DefaultHandler(set);
  Perform(CM_TEXTCHANGED);
}

void TCustomMaskEdit::SetEditMask(const std::string& mask) {
  if (mask == maskText_) return;
  std::string old = Text();
  maskText_ = mask;
  mask_ = TEditMask(mask);
  SetMaxLength(IsMasked() ? mask_.Length() : 0);
  SetEditText(old);
}

void TCustomMaskEdit::CreateWnd() {
  std::string text = StoredText();
  TCustomEdit::CreateWnd();
  if (IsMasked()) {
    std::string formatted = mask_.Format(text);
    TMessage set{WM_SETTEXT, 0, reinterpret_cast<LPARAM>(formatted.c_str()), 0};
    DefaultHandler(set);
    SendMessageA(WindowHandle(), EM_SETMODIFY, FALSE, 0);
    SendMessageA(WindowHandle(), EM_EMPTYUNDOBUFFER, 0, 0);
  }
}

// What the program reads as the text: blanks as spaces, literals as the mask says.
void TCustomMaskEdit::WMGetText(TMessage& m) {
  if (!IsMasked()) {
    DefaultHandler(m);
    return;
  }
  std::string text = mask_.TextOf(EditText());
  auto* buffer = reinterpret_cast<char*>(m.LParam);
  if (!buffer || m.WParam == 0) {
    m.Result = 0;
    return;
  }
  size_t n = std::min(static_cast<size_t>(m.WParam) - 1, text.size());
  text.copy(buffer, n);
  buffer[n] = '\0';
  m.Result = static_cast<LRESULT>(n);
}

void TCustomMaskEdit::WMGetTextLength(TMessage& m) {
  if (!IsMasked()) DefaultHandler(m);
  else m.Result = static_cast<LRESULT>(mask_.TextOf(EditText()).size());
}

void TCustomMaskEdit::WMSetText(TMessage& m) {
  if (!IsMasked()) {
    DefaultHandler(m);
    return;
  }
  std::string formatted = mask_.Format(m.LParam ? reinterpret_cast<const char*>(m.LParam) : "");
  TMessage set{WM_SETTEXT, 0, reinterpret_cast<LPARAM>(formatted.c_str()), 0};
  DefaultHandler(set);
  m.Result = set.Result;
}

void TCustomMaskEdit::SetCaret(int position) {
  if (HandleAllocated()) SendMessageA(WindowHandle(), EM_SETSEL, position, position);
}

// Typing overwrites: the character replaces the one at the next input position, through the
// edit's own replacement so that its undo takes it back.
void TCustomMaskEdit::TypeChar(char c) {
  DWORD start = 0, end = 0;
  SendMessageA(WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  int pos = mask_.NextInput(static_cast<int>(start));
  char stored;
  if (pos < 0 || !mask_.Fits(pos, c, stored)) {
    MessageBeep(0);
    return;
  }
  // positions before pos are literals; the rest of a selection is cleared
  int last = std::max(static_cast<int>(end), pos + 1);
  std::string replacement;
  for (int i = static_cast<int>(start); i < last; ++i)
    replacement += i == pos ? stored : mask_.IsLiteral(i) ? mask_.At(i).Literal : mask_.Blank();
  SendMessageA(WindowHandle(), EM_SETSEL, start, last);
  SendMessageA(WindowHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(replacement.c_str()));
  int next = mask_.NextInput(pos + 1);
  SetCaret(next < 0 ? mask_.Length() : next);
}

void TCustomMaskEdit::ClearRange(int from, int to) {
  if (from >= to) return;
  std::string blanks;
  for (int i = from; i < to; ++i) blanks += mask_.IsLiteral(i) ? mask_.At(i).Literal : mask_.Blank();
  SendMessageA(WindowHandle(), EM_SETSEL, from, to);
  SendMessageA(WindowHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(blanks.c_str()));
  SetCaret(from);
}

void TCustomMaskEdit::WMChar(TMessage& m) {
  if (DoKeyPress(m)) return;
  char c = static_cast<char>(m.WParam);
  if (!IsMasked() || ReadOnly() || (static_cast<unsigned char>(c) < 32 && c != VK_BACK)) {
    DefaultHandler(m);
    return;
  }
  if (c == VK_BACK) {
    DWORD start = 0, end = 0;
    SendMessageA(WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (end > start) {
      ClearRange(static_cast<int>(start), static_cast<int>(end));
    } else {
      int pos = mask_.PreviousInput(static_cast<int>(start) - 1);
      if (pos >= 0) ClearRange(pos, pos + 1);
    }
    return;
  }
  TypeChar(c);
}

void TCustomMaskEdit::WMKeyDown(TMessage& m) {
  if (DoKeyDown(m)) return;
  if (IsMasked() && !ReadOnly() && LOWORD(m.WParam) == VK_DELETE) {
    DWORD start = 0, end = 0;
    SendMessageA(WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (end > start) ClearRange(static_cast<int>(start), static_cast<int>(end));
    else if (int pos = mask_.NextInput(static_cast<int>(start)); pos >= 0) ClearRange(pos, pos + 1);
    return;
  }
  DefaultHandler(m);
}

void TCustomMaskEdit::WMPaste(TMessage& m) {
  if (!IsMasked() || ReadOnly()) {
    DefaultHandler(m);
    return;
  }
  if (!OpenClipboard(WindowHandle())) return;
  std::string text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (auto* p = static_cast<const char*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  for (char c : text)
    if (!mask_.IsLiteral(SelStart()) || c != mask_.At(SelStart()).Literal) TypeChar(c);
    else SetCaret(SelStart() + 1);
}

void TCustomMaskEdit::CMExit(TMessage& m) {
  ValidateEdit();
  TCustomEdit::CMExit(m);
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked() || !Modified()) return;
  int pos = -1;
  if (!mask_.Validate(EditText(), pos)) {
    SetCaret(pos);
    ValidateError();
  }
}

void TCustomMaskEdit::ValidateError() {
  MessageBeep(0);
  throw EDBEditError(SMaskEditErr);
}
