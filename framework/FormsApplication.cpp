// The application object: message loop, exception handling, hints; the hint window.
#include <exception>

#include "Forms.h"
#include "SysUtils.h"
#include "Threads.h"

CALDERAN_IMPLEMENT_CLASS(TApplication, TComponent)
CALDERAN_IMPLEMENT_CREATABLE(THintWindow, TCustomControl, TComponent*)

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {
enum THintTimer { htNone, htShowHint, htHideHint };
constexpr UINT_PTR hintTimerId = 1;

// A synchronized call of a worker thread wakes the loop with an empty message.
void WakeApplication() {
  if (Application) PostMessageA(Application->Handle(), WM_NULL, 0, 0);
}

void DestroyApplicationForms() {
  if (Application) Application->DestroyForms();
}

// The forms go before any unit stops: their controls still call into the units above this one.
void StartForms() {
  Screen = new TScreen(nullptr);
  Application = new TApplication(nullptr);
  WakeMainThread = WakeApplication;
  RunBeforeUnitsStop(DestroyApplicationForms);
}

void StopForms() {
  WakeMainThread = nullptr;
  delete Application;
  Application = nullptr;
  delete Screen;
  Screen = nullptr;
}

TControl* HintControlOf(TControl* control) {
  while (control && !control->ShowHint()) control = control->Parent();
  return control;
}

std::string HintOf(TControl* control) {
  while (control && control->Hint().empty()) control = control->Parent();
  return control ? control->Hint() : std::string();
}
}  // namespace

const TUnitInfo FormsUnit{"Forms", StartForms, StopForms};

std::string GetShortHint(const std::string& hint) {
  size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
  size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

// ---------------------------------------------------------------------------------------------
// TApplication
TApplication::TApplication(TComponent* owner) : TComponent(owner), hintWindowClass_(THintWindow::StaticClass()) {
  handle_ = AllocateHWnd(MakeEvent(this, &TApplication::WndProc));
  title_ = ChangeFileExt(ExtractFileName(ExeName()), "");
  SetWindowTextA(handle_, title_.c_str());
}

TApplication::~TApplication() {
  Destroying();
  DestroyForms();
  DeallocateHWnd(handle_);
}

// Forms run their OnDestroy while the application and every form still exist.
void TApplication::DestroyForms() {
  StopHintTimer();
  for (int i = ComponentCount() - 1; i >= 0; --i)
    if (auto* form = ObjectAs<TCustomForm>(Components(i))) form->BeforeDestruction();
  DestroyComponents();
  hintWindow_ = nullptr;
}

std::string TApplication::ExeName() const {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  SetWindowTextA(handle_, title.c_str());
}

void TApplication::SetMainForm(TCustomForm* form) {
  form->HandleNeeded();
  mainForm_ = form;
}

void TApplication::Run() {
  if (!mainForm_) return;
  mainForm_->SetVisible(true);
  do {
    try {
      TrapFaults([this] { HandleMessage(); });
    } catch (...) {
      HandleException(this);
    }
  } while (!terminated_);
}

void TApplication::Terminate() { PostQuitMessage(0); }

bool TApplication::ProcessMessage(MSG& msg) {
  CheckSynchronize();
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (hintActive_ && (msg.message == WM_KEYDOWN || msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN ||
                      msg.message == WM_MBUTTONDOWN || msg.message == WM_SYSKEYDOWN))
    CancelHint();
  if (!DragKeyMessage(msg) && !IsKeyMsg(msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

// Key messages visit the control first as CN_ messages (menu shortcuts, dialog keys).
bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  HWND window = GetCapture();
  if (!window) {
    window = msg.hwnd;
    while (window && !FindControl(window)) window = GetParent(window);
    if (!window) return false;
  }
  TWinControl* control = FindControl(window);
  if (!control) return false;
  return control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle(msg);
}

void TApplication::Idle(const MSG&) {
  DoMouseIdle();
  bool done = true;
  if (OnIdle) OnIdle(this, done);
  TControlCanvas::FreeDeviceContexts();
  if (done) WaitMessage();
}

// The control under the mouse hears CM_MOUSEENTER, the one it left CM_MOUSELEAVE.
void TApplication::DoMouseIdle() {
  POINT p{};
  if (!GetCursorPos(&p)) return;
  TControl* target = FindDragTarget(p, true);
  if (target == mouseControl_) return;
  TControl* old = mouseControl_;
  mouseControl_ = target;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (target) target->Perform(CM_MOUSEENTER);
}

void TApplication::HandleException(TObject* sender) {
  if (!std::current_exception()) return;
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
  auto deliver = [&](Exception* e) {
    if (OnException) OnException(sender, e);
    else ShowException(e);
  };
  try {
    throw;
  } catch (const EAbort&) {
  } catch (Exception& e) {
    deliver(&e);
  } catch (const std::exception& e) {
    Exception wrapped(e.what());
    deliver(&wrapped);
  } catch (...) {
    deliver(nullptr);
  }
}

void TApplication::ShowException(Exception* e) {
  std::string text = e ? e->Message() : "Unknown exception";
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  MessageBox(text, title_, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  HWND owner = GetActiveWindow();
  if (!owner && mainForm_ && mainForm_->HandleAllocated()) owner = mainForm_->WindowHandle();
  return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void TApplication::WndProc(TMessage& m) {
  if (m.Msg == WM_TIMER && m.WParam == hintTimerId) {
    HintTimerExpired();
    return;
  }
  m.Result = DefWindowProcA(handle_, m.Msg, m.WParam, m.LParam);
}

void TApplication::ControlDestroyed(TControl* control) {
  if (mainForm_ == control) mainForm_ = nullptr;
  if (mouseControl_ == control) mouseControl_ = nullptr;
  if (hintControl_ == control) hintControl_ = nullptr;
  if (hintWindow_ == control) hintWindow_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Hints
void TApplication::SetShowHint(bool value) {
  if (value == showHint_) return;
  showHint_ = value;
  if (!value) CancelHint();
}

void TApplication::SetHintWindowClass(TClass cls) {
  if (!cls || !cls->InheritsFrom(THintWindow::StaticClass())) return;
  hintWindowClass_ = cls;
}

void TApplication::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  if (OnHint) OnHint(this);
}

void TApplication::StartHintTimer(int ms, int kind) {
  StopHintTimer();
  if (SetTimer(handle_, hintTimerId, static_cast<UINT>(std::max(ms, 1)), nullptr)) hintTimerKind_ = kind;
}

void TApplication::StopHintTimer() {
  if (hintTimerKind_ != htNone) {
    KillTimer(handle_, hintTimerId);
    hintTimerKind_ = htNone;
  }
}

void TApplication::HintTimerExpired() {
  int kind = hintTimerKind_;
  StopHintTimer();
  POINT p{};
  GetCursorPos(&p);
  if (kind == htShowHint) ActivateHint(p);
  else CancelHint();
}

void TApplication::HintMouseMessage(TControl* control, TMessage& m) {
  if (!showHint_) return;
  TPoint screenPos;
  try {
    screenPos = control->ClientToScreen(m.Pos());
  } catch (const EInvalidOperation&) {
    return;  // a control without a parent has no place on the screen
  }
  TControl* hintControl = HintControlOf(FindDragTarget(screenPos, true));
  SetHint(GetLongHint(HintOf(hintControl)));
  if (!hintControl) {
    CancelHint();
    return;
  }
  if (hintControl == hintControl_ && hintCursorRect_.Contains(screenPos)) return;
  bool wasActive = hintActive_;
  int pause = wasActive ? hintShortPause_ : hintPause_;
  hintControl->Perform(CM_HINTSHOWPAUSE, wasActive, reinterpret_cast<LPARAM>(&pause));
  CancelHint();
  hintActive_ = wasActive;
  hintControl_ = hintControl;
  StartHintTimer(pause, htShowHint);
}

void TApplication::ActivateHint(TPoint cursorPos) {
  StopHintTimer();
  if (!showHint_ || !hintControl_) return;
  if (HintControlOf(FindDragTarget(cursorPos, true)) != hintControl_) {
    CancelHint();
    return;
  }
  THintInfo info;
  info.HintControl = hintControl_;
  info.HintWindowClass = hintWindowClass_;
  info.HintPos = cursorPos + TPoint(0, GetSystemMetrics(SM_CYCURSOR) / 2 + 4);
  info.HintMaxWidth = Screen ? Screen->Width() : GetSystemMetrics(SM_CXSCREEN);
  info.HintColor = hintColor_;
  TRect client = hintControl_->ClientRect();
  info.CursorRect = TRect(hintControl_->ClientToScreen(client.TopLeft()), hintControl_->ClientToScreen(client.BottomRight()));
  info.CursorPos = hintControl_->ScreenToClient(cursorPos);
  info.HideTimeout = hintHidePause_;
  info.HintStr = GetShortHint(HintOf(hintControl_));
  bool canShow = hintControl_->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  hintActive_ = canShow && !info.HintStr.empty();
  if (!hintActive_) {
    HideHint();
    return;
  }
  if (!hintWindow_ || hintWindow_->ClassType() != info.HintWindowClass) {
    delete hintWindow_;
    hintWindow_ = ObjectAs<THintWindow>(info.HintWindowClass->Create(this));
    if (!hintWindow_) return;
  }
  hintWindow_->SetColor(info.HintColor);
  TRect r = hintWindow_->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  r.Offset(info.HintPos.X, info.HintPos.Y);
  hintWindow_->ActivateHintData(r, info.HintStr, info.HintData);
  hintCursorRect_ = info.CursorRect;
  StartHintTimer(info.HideTimeout, htHideHint);
}

void TApplication::HideHint() {
  if (hintWindow_) hintWindow_->ReleaseHandle();
}

void TApplication::CancelHint() {
  StopHintTimer();
  HideHint();
  hintControl_ = nullptr;
  hintActive_ = false;
}

// ---------------------------------------------------------------------------------------------
// THintWindow
THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  SetColor(clInfoBk);
  if (Screen) Canvas()->SetFont(Screen->HintFont());
  Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
}

void THintWindow::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_NCHITTEST: WMNCHitTest(m); break;
    default: TCustomControl::Dispatch(m);
  }
}

void THintWindow::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style = WS_POPUP | WS_BORDER;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  p.WindowClass.style |= CS_SAVEBITS;
  p.WndParent = Application ? Application->Handle() : nullptr;
}

void THintWindow::Paint() {
  TRect r = ClientRect();
  r.Inflate(-2, -2);
  Canvas()->Font()->SetColor(Screen ? Screen->HintFont()->Color() : clInfoText);
  std::string text = Text();
  DrawTextA(Canvas()->Handle(), text.c_str(), -1, r.Win(), DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& hint, void*) {
  TRect r(0, 0, maxWidth, 0);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Canvas()->Font()->Handle());
  DrawTextA(dc, hint.c_str(), -1, r.Win(), DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  r.Right += 6;
  r.Bottom += 2;
  return r;
}

void THintWindow::ActivateHint(const TRect& rect, const std::string& hint) {
  SetText(hint);
  TRect r = rect;
  int screenRight = GetSystemMetrics(SM_CXSCREEN), screenBottom = GetSystemMetrics(SM_CYSCREEN);
  if (r.Right > screenRight) r.Offset(screenRight - r.Right, 0);
  if (r.Left < 0) r.Offset(-r.Left, 0);
  if (r.Bottom > screenBottom) r.Offset(0, screenBottom - r.Bottom);
  if (r.Top < 0) r.Offset(0, -r.Top);
  SetBounds(r.Left, r.Top, r.Width(), r.Height());
  SetWindowPos(Handle(), HWND_TOPMOST, r.Left, r.Top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

void THintWindow::ActivateHintData(const TRect& rect, const std::string& hint, void*) { ActivateHint(rect, hint); }

void THintWindow::ReleaseHandle() { DestroyHandle(); }
