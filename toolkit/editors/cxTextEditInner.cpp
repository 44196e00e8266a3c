// The text editor's platform EDIT window.
#include <windows.h>

#include "SysUtils.h"
#include "cxTextEdit.h"

CALDERAN_IMPLEMENT_CREATABLE(TcxCustomInnerTextEdit, TCustomEdit, TComponent*)

TcxCustomInnerTextEdit::TcxCustomInnerTextEdit(TComponent* owner)
    : TCustomEdit(owner),
      clickTimer_(std::make_unique<TcxTimer>(nullptr)),
      companion_(std::make_unique<TcxCustomInnerTextEditHelper>(this)) {
  clickTimer_->SetInterval(GetDoubleClickTime());
  clickTimer_->SetOnTimer(MakeEvent(this, &TcxCustomInnerTextEdit::ClickTimerTick));
  SetControlStyle(ControlStyle() + csDoubleClicks);
  SetParentColor(true);
  SetParentFont(false);
  SetBorderStyle(bsNone);
  ApplyPasswordChar();
  underConstruction_ = false;
}

TcxCustomInnerTextEdit::~TcxCustomInnerTextEdit() {
  companion_.reset();
  clickTimer_.reset();
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
  if (editor->WantsTabKey() && GetKeyState(VK_CONTROL) >= 0) code |= DLGC_WANTTAB;
  if (editor->InPlace() || editor->WantsArrowKeys()) code |= DLGC_WANTALLKEYS;
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

TcxCustomInnerTextEdit::TPrevState TcxCustomInnerTextEdit::SaveState() {
  TPrevState state;
  if (!HandleAllocated()) return state;
  state.HasText = true;
  state.Text = Text();
  state.SelStart = SelStart();
  state.SelLength = SelLength();
  return state;
}

bool TcxCustomInnerTextEdit::StateChanged(const TPrevState& state) {
  if (!HandleAllocated()) return true;
  if (SelStart() != state.SelStart || SelLength() != state.SelLength) return true;
  return state.HasText && !AnsiSameText(Text(), state.Text);
}

void TcxCustomInnerTextEdit::HandleKeyDown(TMessage& message) {
  TcxCustomTextEdit* editor = Editor();
  const Word key = LOWORD(message.WParam);
  if (editor && editor->WantsArrowKeys() &&
      editor->ActiveProperties()->ForwardsKeyToPopup(key, KeyDataToShiftState(message.LParam))) {
    TcxCustomEditListBox* list = editor->LookupData() ? editor->LookupData()->ListControl() : nullptr;
    if (list && list->HandleAllocated()) {
      SendMessageA(list->Handle(), WM_KEYDOWN, message.WParam, message.LParam);
      message.Result = 0;
      return;
    }
  }
  const TPrevState state = SaveState();
  keyTaken_ = false;
  TCustomEdit::Dispatch(message);
  Word left = LOWORD(message.WParam);
  if (!editor || left == 0 || keyTaken_ || StateChanged(state) || !editor->OnAfterKeyDown) return;
  editor->OnAfterKeyDown(editor, left, KeyDataToShiftState(message.LParam));
  message.WParam = left;
}

void TcxCustomInnerTextEdit::HandleChar(TMessage& message) {
  const TPrevState state = SaveState();
  keyTaken_ = false;
  TCustomEdit::Dispatch(message);
  TcxCustomTextEdit* editor = Editor();
  if (imeCharState_ > 0 && --imeCharState_ == 0 && editor && editor->FoundTextSelected()) {
    SetSelStart(savedSelStart_);
    SetSelLength(savedSelLength_);
  }
  if (!editor) return;
  editor->LockLookupResync(false);
  if (!keyTaken_ && StateChanged(state)) editor->SetFoundTextSelected(false);
}

bool TcxCustomInnerTextEdit::UsesLeftAlignmentOnEditing() {
  TcxCustomTextEdit* editor = Editor();
  return editor && editor->ActiveProperties()->UseLeftAlignmentOnEditing() &&
         editor->ActiveProperties()->Alignment()->Horz() != taLeftJustify;
}

void TcxCustomInnerTextEdit::ApplyEditingAlignment() {
  if (!UsesLeftAlignmentOnEditing()) return;
  const bool focused = HandleAllocated() && GetFocus() == Handle();
  WriteAlignment(focused ? taLeftJustify : Editor()->ActiveProperties()->Alignment()->Horz());
  Editor()->ShortRefresh();
}

void TcxCustomInnerTextEdit::HandleFocus(TMessage& message) {
  TcxCustomTextEdit* editor = Editor();
  const bool destroying = ComponentState().Contains(csDestroying);
  if (message.Msg == WM_SETFOCUS) {
    if (!destroying && alignment_ != taLeftJustify && UsesLeftAlignmentOnEditing()) {
      WriteAlignment(taLeftJustify);  // re-creates the window, which takes the focus again
      if (editor) editor->ShortRefresh();
    }
    TCustomEdit::Dispatch(message);
    return;
  }
  TCustomEdit::Dispatch(message);
  if (destroying) return;
  clickTimer_->SetEnabled(false);
  ApplyEditingAlignment();
}

void TcxCustomInnerTextEdit::HandleLeftButton(TMessage& message) {
  TcxCustomTextEdit* editor = Editor();
  const bool automaticDrag = editor && editor->DragMode() == dmAutomatic && !ComponentState().Contains(csDesigning);
  if (message.Msg == WM_LBUTTONDOWN && UsesLeftAlignmentOnEditing() && alignment_ != taLeftJustify) {
    SetFocus();
    TCustomEdit::Dispatch(message);
    clickTimer_->SetEnabled(true);
    return;
  }
  if (automaticDrag) return editor->DoBeginAutoDrag();
  if (message.Msg == WM_LBUTTONDBLCLK && clickTimer_->Enabled()) return;
  if (message.Msg == WM_LBUTTONDOWN && clickTimer_->Enabled()) {
    message.Msg = WM_LBUTTONDBLCLK;
    clickTimer_->SetEnabled(false);
    clickTimer_->SetEnabled(true);
  }
  TCustomEdit::Dispatch(message);
}

void TcxCustomInnerTextEdit::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND: message.Result = 1; return;
    case WM_NCPAINT: message.Result = 0; return;
    case WM_GETDLGCODE: message.Result = DialogCode(message); return;
    case WM_CUT: case WM_PASTE: case WM_CLEAR: return HandleClipboardMessage(message);
    case WM_IME_CHAR: return HandleImeChar(message);
    case WM_CHAR: return HandleChar(message);
    case WM_KEYDOWN: return HandleKeyDown(message);
    case WM_SETFOCUS: case WM_KILLFOCUS: return HandleFocus(message);
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: return HandleLeftButton(message);
    case WM_IME_COMPOSITION:
      if (Editor() && !Editor()->RequestEditing()) return;
      break;
    default: break;
  }
  TCustomEdit::Dispatch(message);
  if (message.Msg == WM_SIZE && HandleAllocated()) SetMargins();
  if (message.Msg == EM_SETSEL && OnSelectionChanged) OnSelectionChanged(this);
  if (message.Msg == WM_UNDO && Editor()) Editor()->AfterUndo();
}

void TcxCustomInnerTextEdit::KeyDown(Word& key, TShiftState shift) {
  clickTimer_->SetEnabled(false);
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
  const bool enterOrEsc = key == '\r' || key == 27;
  if (editor && enterOrEsc &&
      (editor->InPlace() || editor->PopupClosedByKey() || (key == '\r' && !editor->BeepOnEnter()))) {
    key = '\0';
    editor->SetPopupClosedByKey(false);
  }
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
