// Edits and memos over the native EDIT class.
#include <algorithm>

#include "StdCtrls.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CREATABLE(TCustomEdit, TWinControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TEdit, TCustomEdit, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TCustomMemo, TCustomEdit, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TMemo, TCustomMemo, TComponent*)

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetControlStyle({csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

void TCustomEdit::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND: CNCommand(m); break;
    case CM_ENTER: CMEnter(m); break;
    case CM_TEXTCHANGED: CMTextChanged(m); break;
    default: TWinControl::Dispatch(m);
  }
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, "EDIT");
  static constexpr DWORD cases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
  p.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | cases[charCase_] | (passwordChar_ ? ES_PASSWORD : 0);
  if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
  creating_ = true;
  try {
    TWinControl::CreateWnd();
  } catch (...) {
    creating_ = false;
    throw;
  }
  creating_ = false;
  HWND h = WindowHandle();
  SendMessageA(h, EM_LIMITTEXT, maxLength_, 0);
  if (readOnly_) SendMessageA(h, EM_SETREADONLY, TRUE, 0);
  if (passwordChar_) SendMessageA(h, EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
  if (modified_) SendMessageA(h, EM_SETMODIFY, TRUE, 0);
}

void TCustomEdit::DestroyWnd() {
  modified_ = Modified();
  TWinControl::DestroyWnd();
}

void TCustomEdit::SetMaxLength(int value) {
  if (value == maxLength_) return;
  maxLength_ = value;
  if (HandleAllocated()) SendMessageA(WindowHandle(), EM_LIMITTEXT, value, 0);
}

void TCustomEdit::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  if (HandleAllocated()) SendMessageA(WindowHandle(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetPasswordChar(char value) {
  if (value == passwordChar_) return;
  passwordChar_ = value;
  RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
  if (value == charCase_) return;
  charCase_ = value;
  RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  RecreateWnd();
}

bool TCustomEdit::Modified() {
  return HandleAllocated() ? SendMessageA(WindowHandle(), EM_GETMODIFY, 0, 0) != 0 : modified_;
}

void TCustomEdit::SetModified(bool value) {
  if (HandleAllocated()) SendMessageA(WindowHandle(), EM_SETMODIFY, value, 0);
  else modified_ = value;
}

int TCustomEdit::SelStart() {
  DWORD start = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int value) { SendMessageA(Handle(), EM_SETSEL, value, value); }

int TCustomEdit::SelLength() {
  DWORD start = 0, end = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int value) {
  DWORD start = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  SendMessageA(Handle(), EM_SETSEL, start, start + value);
  SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
}

std::string TCustomEdit::SelText() {
  int start = SelStart(), length = SelLength();
  std::string text = Text();
  if (start >= static_cast<int>(text.size())) return {};
  return text.substr(start, length);
}

// Replaces the selection as typing would: the edit's undo takes it back.
void TCustomEdit::SetSelText(const std::string& value) {
  SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(value.c_str()));
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) SendMessageA(WindowHandle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection() { SendMessageA(Handle(), WM_CLEAR, 0, 0); }

bool TCustomEdit::CanUndo() { return HandleAllocated() && SendMessageA(WindowHandle(), EM_CANUNDO, 0, 0) != 0; }

void TCustomEdit::Undo() {
  if (HandleAllocated()) SendMessageA(WindowHandle(), WM_UNDO, 0, 0);
}

void TCustomEdit::ClearUndo() {
  if (HandleAllocated()) SendMessageA(WindowHandle(), EM_EMPTYUNDOBUFFER, 0, 0);
}

void TCustomEdit::Change() {
  Changed();
  if (OnChange) OnChange(this);
}

void TCustomEdit::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) == EN_CHANGE && !creating_) Change();
}

void TCustomEdit::CMEnter(TMessage& m) {
  if (autoSelect_ && !ControlState().Contains(csLButtonDown) && HandleAllocated() &&
      !(GetWindowLongA(WindowHandle(), GWL_STYLE) & ES_MULTILINE))
    SelectAll();
  TWinControl::CMEnter(m);
}

// Without a window no EN_CHANGE comes: the change is reported here.
void TCustomEdit::CMTextChanged(TMessage& m) {
  TWinControl::CMTextChanged(m);
  if (!HandleAllocated() || (GetWindowLongA(WindowHandle(), GWL_STYLE) & ES_MULTILINE)) Change();
}

// ---------------------------------------------------------------------------------------------
// The lines of a memo, read from and written to its text (lines end with CR LF).
namespace {
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TControl* memo) : memo_(memo) {}
  int Count() const override { return static_cast<int>(Lines().size()); }
  std::string Get(int index) const override {
    auto lines = Lines();
    if (index < 0 || index >= static_cast<int>(lines.size())) throw EStringListError(Format(SListIndexError, {index}));
    return lines[index];
  }
  void Put(int index, const std::string& s) override {
    auto lines = Lines();
    if (index < 0 || index >= static_cast<int>(lines.size())) throw EStringListError(Format(SListIndexError, {index}));
    lines[index] = s;
    Store(lines);
  }
  void Insert(int index, const std::string& s) override {
    auto lines = Lines();
    if (index < 0 || index > static_cast<int>(lines.size())) throw EStringListError(Format(SListIndexError, {index}));
    lines.insert(lines.begin() + index, s);
    Store(lines);
  }
  void Delete(int index) override {
    auto lines = Lines();
    if (index < 0 || index >= static_cast<int>(lines.size())) throw EStringListError(Format(SListIndexError, {index}));
    lines.erase(lines.begin() + index);
    Store(lines);
  }
  void Clear() override { memo_->SetText(""); }
  void SetText(std::string_view text) override { memo_->SetText(std::string(text)); }

 private:
  // A final line break ends the last line; it does not start an empty one.
  std::vector<std::string> Lines() const {
    std::string text = memo_->Text();
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find_first_of("\r\n", start);
      if (end == std::string::npos) {
        lines.push_back(text.substr(start));
        break;
      }
      lines.push_back(text.substr(start, end - start));
      start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
  }
  void Store(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    memo_->SetText(text);
  }
  TControl* memo_;
};
}  // namespace

std::unique_ptr<TStrings> CreateTextLines(TControl* control) { return std::make_unique<TMemoStrings>(control); }

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(this)) {
  SetBounds(0, 0, 185, 89);
  SetAutoSelect(false);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  static constexpr DWORD bars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
  p.Style = (p.Style & ~(ES_AUTOHSCROLL | ES_PASSWORD)) | ES_MULTILINE | bars[scrollBars_] |
            (wantReturns_ ? ES_WANTRETURN : 0) | (wordWrap_ ? 0 : ES_AUTOHSCROLL);
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
  if (value == scrollBars_) return;
  scrollBars_ = value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  RecreateWnd();
}
