// The memo's platform EDIT window: multi-line styles, the keys and text it offers the memo first,
// and its non-client painting without the system scroll bars the toolkit bars cover.
#include <windows.h>

#include "SysUtils.h"
#include "cxMemo.h"

CALDERAN_IMPLEMENT_CREATABLE(TcxCustomInnerMemo, TcxCustomInnerTextEdit, TComponent*)

namespace {

constexpr DWORD scrollBarStyles[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};  // by TScrollStyle

// Every LF directly followed by CR becomes CR LF with another CR LF after it (two line breaks);
// CR LF pairs stay as they are.
std::string NormalizeLineBreaks(const std::string& text) {
  std::string result;
  result.reserve(text.size() + 8);
  for (size_t i = 0; i < text.size(); ++i) {
    const bool lfCr = text[i] == '\n' && i + 1 < text.size() && text[i + 1] == '\r';
    if (!lfCr) {
      result += text[i];
      continue;
    }
    result += "\r\n\r\n";
    ++i;
  }
  return result;
}

// The selection and text before a key, to tell whether the EDIT window changed anything.
struct TInnerState {
  explicit TInnerState(TcxCustomInnerMemo* edit)
      : Text(edit->Text()), SelStart(edit->SelStart()), SelLength(edit->SelLength()) {}
  bool Unchanged(TcxCustomInnerMemo* edit) const {
    return edit->HandleAllocated() && SelStart == edit->SelStart() && SelLength == edit->SelLength() &&
           AnsiSameText(Text, edit->Text());
  }
  std::string Text;
  int SelStart, SelLength;
};

}  // namespace

TcxCustomInnerMemo::TcxCustomInnerMemo(TComponent* owner)
    : TcxCustomInnerTextEdit(owner), lines_(CreateTextLines(this)) {
  if (!ComponentState().Contains(csDesigning)) SetCursor(crIBeam);
  SetParentFont(true);
}

TcxCustomInnerMemo::~TcxCustomInnerMemo() = default;

TcxCustomMemo* TcxCustomInnerMemo::Memo() const { return ObjectAs<TcxCustomMemo>(Owner()); }

void TcxCustomInnerMemo::SetScrollBars(TScrollStyle value) {
  if (value == scrollBars_) return;
  scrollBars_ = value;
  RecreateWnd();
}

void TcxCustomInnerMemo::SetWantReturns(bool value) {
  if (value == wantReturns_) return;
  wantReturns_ = value;
  RecreateWnd();
}

void TcxCustomInnerMemo::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  RecreateWnd();
}

TPoint TcxCustomInnerMemo::CaretPos() {
  const int start = SelStart();
  const int line = static_cast<int>(SendMessageA(Handle(), EM_LINEFROMCHAR, start, 0));
  return TPoint(start - static_cast<int>(SendMessageA(Handle(), EM_LINEINDEX, line, 0)), line);
}

void TcxCustomInnerMemo::SetCaretPos(const TPoint& value) {
  const LRESULT index = SendMessageA(Handle(), EM_LINEINDEX, value.Y, 0) + value.X;
  SendMessageA(Handle(), EM_SETSEL, index, index);
}

// A wrapping memo without a horizontal bar redraws on width changes; nothing redraws whole on
// height changes.
void TcxCustomInnerMemo::CreateParams(TCreateParams& params) {
  TcxCustomInnerTextEdit::CreateParams(params);
  params.Style = (params.Style & ~(ES_AUTOHSCROLL | ES_PASSWORD)) | ES_MULTILINE | scrollBarStyles[scrollBars_] |
                 (wantReturns_ ? ES_WANTRETURN : 0) | (wordWrap_ ? 0 : ES_AUTOHSCROLL);
  params.ExStyle |= WS_EX_CLIENTEDGE;
  params.WindowClass.style &= ~CS_VREDRAW;
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth || !wordWrap_) params.WindowClass.style &= ~CS_HREDRAW;
}

// The text given before the window existed is put in again as lines once it does.
void TcxCustomInnerMemo::CreateWnd() {
  if (TcxCustomMemo* memo = Memo()) memo->ResetInnerBoundsCache();  // a new window has no region yet
  BeginSettingText();
  try {
    TCustomEdit::CreateWnd();
  } catch (...) {
    EndSettingText();
    throw;
  }
  EndSettingText();
  if (const std::string text = Text(); !text.empty()) lines_->SetText(text);
  if (TcxCustomMemo* memo = Memo()) memo->UpdateOwnScrollBars();
}

void TcxCustomInnerMemo::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_KEYDOWN: WMKeyDown(message); break;
    case WM_NCPAINT: WMNCPaint(message); break;
    case WM_GETDLGCODE: WMGetDlgCode(message); break;
    case WM_SETTEXT: WMSetText(message); break;
    case EM_REPLACESEL: EMReplaceSel(message); break;
    case WM_CUT: case WM_PASTE: case WM_CLEAR: HandleMemoClipboardMessage(message); break;
    case WM_SIZE: TCustomEdit::Dispatch(message); break;  // keeps the margins WM_SETFONT gave
    case WM_SETFONT:
      TcxCustomInnerTextEdit::Dispatch(message);
      SendMessageA(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
      break;
    case CN_KEYDOWN: {
      // While Esc visits the dialog keys the memo does not claim every key, so Esc can cancel.
      const bool old = escapePending_;
      escapePending_ = old || LOWORD(message.WParam) == VK_ESCAPE;
      TcxCustomInnerTextEdit::Dispatch(message);
      escapePending_ = old;
      break;
    }
    case WM_WINDOWPOSCHANGING: case WM_WINDOWPOSCHANGED:
      TcxCustomInnerTextEdit::Dispatch(message);
      if (TcxCustomMemo* memo = Memo()) memo->UpdateOwnScrollBars();
      break;
    default: TcxCustomInnerTextEdit::Dispatch(message);
  }
}

// A key the memo and the EDIT window both left alone goes to the memo's after-key-down handler.
void TcxCustomInnerMemo::WMKeyDown(TMessage& message) {
  TcxCustomMemo* memo = Memo();
  const TInnerState before(this);
  WriteKeyTaken(false);
  TCustomEdit::Dispatch(message);
  if (!memo) return;
  memo->PostScrollBarsUpdate();
  Word key = static_cast<Word>(message.WParam);
  if (KeyTaken() || !before.Unchanged(this) || key == 0 || key == VK_UP || key == VK_DOWN) return;
  memo->AfterKeyDown(key, KeyDataToShiftState(message.LParam));
  message.WParam = key;
}

void TcxCustomInnerMemo::KeyPress(char& key) {
  WriteKeyTaken(false);
  if (TcxCustomMemo* memo = Memo(); memo && key) memo->DoKeyPress(key);
  if (key == '\r' && !wantReturns_) key = '\0';  // Ctrl+Enter (a line feed) still breaks the line
  if (!key) WriteKeyTaken(true);
  else TCustomEdit::KeyPress(key);
}

void TcxCustomInnerMemo::KeyUp(Word& key, TShiftState shift) {
  WriteKeyTaken(false);
  if (key == VK_TAB && !wantTabs_) key = 0;
  if (TcxCustomMemo* memo = Memo(); memo && key) memo->DoKeyUp(key, shift);
  if (!key) WriteKeyTaken(true);
  else TCustomEdit::KeyUp(key, shift);
}

void TcxCustomInnerMemo::WMGetDlgCode(TMessage& message) {
  TCustomEdit::Dispatch(message);
  LRESULT code = message.Result;
  code = wantTabs_ ? code | DLGC_WANTTAB : code & ~DLGC_WANTTAB;
  if (!wantReturns_) code &= ~DLGC_WANTALLKEYS;
  if (TcxCustomMemo* memo = Memo(); memo && memo->WantsTabKey() && GetKeyState(VK_CONTROL) >= 0) code |= DLGC_WANTTAB;
  if (escapePending_) code &= ~DLGC_WANTALLKEYS;
  message.Result = code;
}

// A text that reaches the window from outside (its lines, a message) becomes the memo's value.
void TcxCustomInnerMemo::WMSetText(TMessage& message) {
  TcxCustomInnerTextEdit::Dispatch(message);
  TcxCustomMemo* memo = Memo();
  if (!memo || textSettingCount_ > 0) return;
  const std::string text = message.LParam ? reinterpret_cast<const char*>(message.LParam) : "";
  BeginSettingText();
  struct TEnd {
    TcxCustomInnerMemo* edit;
    ~TEnd() { edit->EndSettingText(); }
  } end{this};
  memo->AssignEditValueChecked(TVariant(text));
}

void TcxCustomInnerMemo::EMReplaceSel(TMessage& message) {
  const std::string text = NormalizeLineBreaks(message.LParam ? reinterpret_cast<const char*>(message.LParam) : "");
  message.LParam = reinterpret_cast<LPARAM>(text.c_str());
  TcxCustomInnerTextEdit::Dispatch(message);
  if (TcxCustomMemo* memo = Memo()) memo->UpdateInnerEditText();
}

void TcxCustomInnerMemo::HandleMemoClipboardMessage(TMessage& message) {
  TcxCustomMemo* memo = Memo();
  if (!memo || (message.Msg == WM_CLEAR && memo->SelfClearing())) return TCustomEdit::Dispatch(message);
  message.Result = 0;
  memo->HandleClipboardMessage(message.Msg, ReadOnly());
}

// The system bars are left out of the default non-client painting: the toolkit's bars lie over
// them, and drawing them first would flicker through.
void TcxCustomInnerMemo::WMNCPaint(TMessage& message) {
  if (!AreOwnScrollBarsUsable() || !Memo()) return TCustomEdit::Dispatch(message);
  const HWND window = Handle();
  const LONG style = GetWindowLongA(window, GWL_STYLE) & ~(WS_HSCROLL | WS_VSCROLL);
  SetWindowLongA(window, GWL_STYLE, style);
  TCustomEdit::Dispatch(message);
  SetWindowLongA(window, GWL_STYLE, style | static_cast<LONG>(scrollBarStyles[scrollBars_]));
  if (scrollBars_ == ssBoth) FillScrollBarCorner();
}

// The square where both system bars meet, in the look and feel's colour instead of the black the
// skipped painting leaves.
void TcxCustomInnerMemo::FillScrollBarCorner() {
  SCROLLBARINFO horizontal, vertical;
  if (!QueryScrollBarInfo(Handle(), OBJID_HSCROLL, horizontal) || !QueryScrollBarInfo(Handle(), OBJID_VSCROLL, vertical))
    return;
  constexpr DWORD hidden = STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
  if ((horizontal.rgstate[0] & hidden) || (vertical.rgstate[0] & hidden)) return;
  RECT window;
  GetWindowRect(Handle(), &window);
  const RECT corner{vertical.rcScrollBar.left - window.left, horizontal.rcScrollBar.top - window.top,
                    vertical.rcScrollBar.right - window.left, horizontal.rcScrollBar.bottom - window.top};
  HDC dc = GetWindowDC(Handle());
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Memo()->GetPainter()->SizeGripAreaColor()));
  FillRect(dc, &corner, brush);
  DeleteObject(brush);
  ReleaseDC(Handle(), dc);
}
