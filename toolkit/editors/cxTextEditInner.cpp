// The text editor's platform EDIT window.
#include <windows.h>

#include "cxTextEdit.h"

CALDERAN_IMPLEMENT_CREATABLE(TcxCustomInnerTextEdit, TCustomEdit, TComponent*)

TcxCustomInnerTextEdit::TcxCustomInnerTextEdit(TComponent* owner) : TCustomEdit(owner) {
  SetControlStyle(ControlStyle() + csDoubleClicks);
  SetParentColor(true);
  SetParentFont(false);
  SetBorderStyle(bsNone);
  ApplyPasswordChar();
  underConstruction_ = false;
}

TcxCustomTextEdit* TcxCustomInnerTextEdit::Editor() const { return ObjectAs<TcxCustomTextEdit>(Owner()); }

void TcxCustomInnerTextEdit::ApplyPasswordChar() {
  char echo = echoChar_ ? echoChar_ : '*';
  SetPasswordChar(echoMode_ == eemNormal ? '\0' : echo);
}

void TcxCustomInnerTextEdit::WriteAlignment(TAlignment value) {
  if (settingAlignment_ || value == alignment_) return;
  settingAlignment_ = true;
  alignment_ = value;
  RecreateWnd();
  settingAlignment_ = false;
}

void TcxCustomInnerTextEdit::WriteHideSelection(bool value) {
  if (value == hideSelection_) return;
  hideSelection_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TcxCustomInnerTextEdit::WriteOEMConvert(bool value) {
  if (value == oemConvert_) return;
  oemConvert_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TcxCustomInnerTextEdit::HoldBounds(bool lock) {
  if (lock) ++boundsLockCount_;
  else if (boundsLockCount_ > 0) --boundsLockCount_;
}

void TcxCustomInnerTextEdit::SetBounds(int left, int top, int width, int height) {
  if (underConstruction_ || boundsLockCount_ > 0) return;
  TcxCustomTextEdit* editor = Editor();
  if (editor) editor->LockInnerAlign(true);
  struct TUnlock {
    TcxCustomTextEdit* editor;
    ~TUnlock() { if (editor) editor->LockInnerAlign(false); }
  } unlock{editor};
  TCustomEdit::SetBounds(left, top, width, height);
}

void TcxCustomInnerTextEdit::WriteEchoMode(TcxEditEchoMode value) {
  if (value == echoMode_) return;
  echoMode_ = value;
  ApplyPasswordChar();
}

void TcxCustomInnerTextEdit::WritePasswordChar(char value) {
  if (value == echoChar_) return;
  echoChar_ = value;
  if (echoMode_ == eemPassword) ApplyPasswordChar();
}

int TcxCustomInnerTextEdit::ReadSelStart() { return imeCharState_ > 0 ? savedSelStart_ : SelStart(); }
int TcxCustomInnerTextEdit::ReadSelLength() { return imeCharState_ > 0 ? savedSelLength_ : SelLength(); }

void TcxCustomInnerTextEdit::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  static constexpr DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};  // by TAlignment
  params.Style &= ~(WS_BORDER | WS_DLGFRAME | WS_THICKFRAME);
  params.Style |= alignments[alignment_] | ES_AUTOHSCROLL;
  if (!hideSelection_) params.Style |= ES_NOHIDESEL;
  if (oemConvert_) params.Style |= ES_OEMCONVERT;
  params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

void TcxCustomInnerTextEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  SetMargins();
}

// The editor draws the frame; the text keeps one pixel off the right edge.
void TcxCustomInnerTextEdit::SetMargins() {
  SendMessageA(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(0, 1));
}

LRESULT TcxCustomInnerTextEdit::CallDefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  WNDCLASSA cls;
  if (!GetClassInfoA(nullptr, "EDIT", &cls)) return 0;
  return CallWindowProcA(cls.lpfnWndProc, Handle(), message, wParam, lParam);
}

int TcxCustomInnerTextEdit::CaretIndexFromCaretPos() {
  int length = GetWindowTextLengthA(Handle());
  if (length == 0) return 0;  // nothing to search: the caret can only be at the start
  POINT caret{};
  GetCaretPos(&caret);
  auto xOf = [this](int index) {
    return static_cast<short>(LOWORD(SendMessageA(Handle(), EM_POSFROMCHAR, index, 0)));
  };
  int low = 0, high = length - 1;
  while (high - low > 1) {
    int middle = (low + high) / 2;
    if (xOf(middle) < caret.x) low = middle;
    else high = middle;
  }
  if (xOf(low) == caret.x) return low;
  if (xOf(high) == caret.x) return high;
  return high + 1;
}

LRESULT TcxCustomInnerTextEdit::DialogCode(TMessage& message) {
  TCustomEdit::Dispatch(message);
  LRESULT code = message.Result | DLGC_WANTCHARS;
  TcxCustomTextEdit* editor = Editor();
  if (!editor) return code;
  if (editor->InPlace()) code |= DLGC_WANTTAB | DLGC_WANTALLKEYS;
  return code;
}

void TcxCustomInnerTextEdit::HandleClipboardMessage(TMessage& message) {
  TcxCustomTextEdit* editor = Editor();
  if (!editor) return TCustomEdit::Dispatch(message);
  message.Result = 0;
  if (message.Msg == WM_CUT) return ReadOnly() ? editor->CopySelectedText() : editor->CutSelection();
  if (ReadOnly()) return;
  if (message.Msg == WM_PASTE) editor->PasteSelection();
  else editor->RemoveSelectedText();
}

void TcxCustomInnerTextEdit::HandleImeChar(TMessage& message) {
  bool doubleByte = (message.WParam & 0xFF00) != 0;
  imeCharState_ = doubleByte ? 2 : 1;
  if (doubleByte) imeTrailChar_ = static_cast<char>(message.WParam & 0xFF);
  savedSelStart_ = SelStart();
  savedSelLength_ = SelLength();
  TCustomEdit::Dispatch(message);
}

void TcxCustomInnerTextEdit::HandleChar(TMessage& message) {
  keyTaken_ = false;
  TCustomEdit::Dispatch(message);
  if (imeCharState_ > 0) --imeCharState_;
}

void TcxCustomInnerTextEdit::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND: message.Result = 1; return;
    case WM_NCPAINT: message.Result = 0; return;
    case WM_GETDLGCODE: message.Result = DialogCode(message); return;
    case WM_CUT: case WM_PASTE: case WM_CLEAR: return HandleClipboardMessage(message);
    case WM_IME_CHAR: return HandleImeChar(message);
    case WM_CHAR: return HandleChar(message);
    case WM_IME_COMPOSITION:
      if (Editor() && !Editor()->RequestEditing()) return;
      break;
    case WM_KEYDOWN: keyTaken_ = false; break;
    default: break;
  }
  TCustomEdit::Dispatch(message);
  if (message.Msg == WM_SIZE && HandleAllocated()) SetMargins();
  if (message.Msg == EM_SETSEL && OnSelectionChanged) OnSelectionChanged(this);
}

void TcxCustomInnerTextEdit::KeyDown(Word& key, TShiftState shift) {
  keyTaken_ = false;
  if (TcxCustomTextEdit* editor = Editor()) editor->DoKeyDown(key, shift);
  if (!key) keyTaken_ = true;
  else TCustomEdit::KeyDown(key, shift);
}

void TcxCustomInnerTextEdit::KeyPress(char& key) {
  keyTaken_ = false;
  if (key == '\t') key = '\0';
  TcxCustomTextEdit* editor = Editor();
  if (editor && key) editor->DoKeyPress(key);
  bool enterOrEsc = key == '\r' || key == 27;
  if (editor && enterOrEsc && (editor->InPlace() || (key == '\r' && !editor->BeepOnEnter()))) key = '\0';
  if (!key) keyTaken_ = true;
  else TCustomEdit::KeyPress(key);
}

void TcxCustomInnerTextEdit::KeyUp(Word& key, TShiftState shift) {
  keyTaken_ = false;
  if (key == VK_TAB) key = 0;
  if (TcxCustomTextEdit* editor = Editor(); editor && key) editor->DoKeyUp(key, shift);
  if (!key) keyTaken_ = true;
  else TCustomEdit::KeyUp(key, shift);
}
