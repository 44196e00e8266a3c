// Popup windows and the thread hooks that close them: outside clicks, application deactivation, the
// owner being hidden, moved out of sight, closed or destroyed.
#include <algorithm>

#include "Forms.h"
#include "cxContainer.h"

CALDERAN_IMPLEMENT_CLASS(TcxCustomPopupWindow, TcxPopupWindow)

namespace {

std::vector<TcxCustomPopupWindow*> openPopups;
bool popupActivity = false;
int internalWindowsDisabling = 0;
HHOOK callWndHook = nullptr, getMessageHook = nullptr, mouseHook = nullptr;

constexpr UINT outsideClickMessages[] = {
    WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_NCRBUTTONDOWN, WM_NCRBUTTONDBLCLK, WM_NCMBUTTONDOWN, WM_NCMBUTTONDBLCLK,
    WM_LBUTTONDOWN,   WM_LBUTTONDBLCLK,   WM_RBUTTONDOWN,   WM_RBUTTONDBLCLK,   WM_MBUTTONDOWN,   WM_MBUTTONDBLCLK};

struct TFlagScope {
  bool& flag;
  bool saved;
  explicit TFlagScope(bool& f) : flag(f), saved(f) { flag = true; }
  ~TFlagScope() { flag = saved; }
};

struct TCounterScope {
  int& counter;
  explicit TCounterScope(int& c) : counter(c) { ++counter; }
  ~TCounterScope() { --counter; }
};

void AddOpenPopup(TcxCustomPopupWindow* popup) {
  if (!popup || std::find(openPopups.begin(), openPopups.end(), popup) != openPopups.end())
    throw EAssertionFailed("Assertion failure");
  openPopups.push_back(popup);
}

void RemoveOpenPopup(TcxCustomPopupWindow* popup) {
  auto it = std::find(openPopups.begin(), openPopups.end(), popup);
  if (it == openPopups.end()) throw EAssertionFailed("Assertion failure");
  openPopups.erase(it);
}

bool IsBeingDestroyed(TComponent* component) {
  return !component || component->ComponentState().Contains(csDestroying);
}

HWND WindowOf(TControl* control) {
  auto* windowed = ObjectAs<TWinControl>(control);
  return windowed && windowed->HandleAllocated() ? windowed->Handle() : nullptr;
}

// Replaces the window's procedure for exactly one message: it answers 1 and puts the old one back.
WNDPROC swallowedProc = nullptr;
HWND swallowedWindow = nullptr;
LRESULT CALLBACK SwallowOnce(HWND window, UINT, WPARAM, LPARAM) {
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(swallowedProc));
  swallowedWindow = nullptr;
  return 1;
}
void SwallowNextMessage(HWND window) {
  if (swallowedWindow) return;
  swallowedWindow = window;
  swallowedProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SwallowOnce)));
}

// --- call-window hook rules

void CloseDestroyedPopup(HWND window) {
  for (TcxCustomPopupWindow* popup : openPopups)
    if (!IsBeingDestroyed(popup) && popup->HandleAllocated() && popup->Handle() == window) return popup->Close();
}

void CloseOnWindowClose(HWND window) {
  for (size_t i = 0; i < openPopups.size(); ++i) {
    TcxCustomPopupWindow* popup = openPopups[i];
    if (IsBeingDestroyed(popup)) continue;
    if (popup->HandleAllocated() && popup->Handle() == window) {
      if (popup->CloseQuery()) popup->ClosePopup();
      if (!popup->IsOpen() && popup->CaptureFocus() && !IsBeingDestroyed(popup->OwnerControl()))
        if (HWND owner = WindowOf(popup->OwnerControl())) SendMessageA(GetTopLevelAncestorWindow(owner), WM_CLOSE, 0, 0);
      return;
    }
    if (popup->CaptureFocus() || IsBeingDestroyed(popup->OwnerControl())) continue;
    TCustomForm* form = GetParentForm(popup->OwnerControl());
    if (!form || !form->HandleAllocated() || form->Handle() == window) popup->ClosePopup();
    return;
  }
}

// Hiding an owner closes its popup and every popup opened after it.
void CloseOnOwnerHidden(HWND window) {
  for (size_t i = openPopups.size(); i-- > 0;) {
    TcxCustomPopupWindow* popup = openPopups[i];
    TControl* owner = popup->OwnerControl();
    if (IsBeingDestroyed(popup) || IsBeingDestroyed(owner) || !WindowOf(owner) || WindowOf(owner) != window) continue;
    while (openPopups.size() > i) openPopups.back()->ClosePopup();
    return;
  }
}

void CloseOnApplicationDeactivated() {
  for (bool closed = true; closed;) {
    closed = false;
    for (TcxCustomPopupWindow* popup : std::vector(openPopups)) {
      if (TCustomForm* form = GetParentForm(popup->OwnerControl()); form && form->HandleAllocated())
        PostMessageA(form->Handle(), WM_NCACTIVATE, FALSE, 0);
      const bool active = Screen && Screen->ActiveCustomForm() == popup;
      if ((!popup->CaptureFocus() || !active) && popup->HandleAllocated() && IsWindowEnabled(popup->Handle())) {
        popup->ClosePopup();
        if (auto* container = ObjectAs<TcxContainer>(popup->OwnerControl())) container->ShortRefresh();
        closed = true;
        break;
      }
    }
  }
}

void CloseOnOwnerMoved(HWND window) {
  for (bool closed = true; closed;) {
    closed = false;
    for (TcxCustomPopupWindow* popup : openPopups) {
      HWND owner = WindowOf(popup->OwnerControl());
      if (IsBeingDestroyed(popup) || !popup->HandleAllocated() || IsBeingDestroyed(popup->OwnerControl()) ||
          owner != window || IsWindowVisible(owner))
        continue;
      popup->ClosePopup();
      closed = true;
      break;
    }
  }
}

bool IsOwnerFormOfOpenPopup(HWND window) {
  for (TcxCustomPopupWindow* popup : openPopups) {
    TCustomForm* form = GetParentForm(popup->OwnerControl());
    if (!IsBeingDestroyed(popup) && form && form->HandleAllocated() && form->Handle() == window) return true;
  }
  return false;
}

void ApplyCallWindowRules(const CWPSTRUCT& message) {
  if ((message.message == CM_ACTIVATE || message.message == CM_DEACTIVATE) && internalWindowsDisabling > 0)
    return SwallowNextMessage(message.hwnd);
  if (openPopups.empty()) return;
  switch (message.message) {
    case WM_DESTROY: CloseDestroyedPopup(message.hwnd); break;
    case WM_CLOSE: CloseOnWindowClose(message.hwnd); break;
    case WM_SHOWWINDOW:
      if (!message.wParam) CloseOnOwnerHidden(message.hwnd);
      break;
    case WM_ACTIVATEAPP:
      if (!message.wParam) CloseOnApplicationDeactivated();
      break;
    case WM_WINDOWPOSCHANGED:
      // The framework hides windows through their position (no WM_SHOWWINDOW): the same rule.
      if (reinterpret_cast<const WINDOWPOS*>(message.lParam)->flags & SWP_HIDEWINDOW) CloseOnOwnerHidden(message.hwnd);
      CloseOnOwnerMoved(message.hwnd);
      break;
    case WM_NCACTIVATE:
      // The owner form's caption stays active while its popup is open.
      if (!message.wParam && (popupActivity || IsOwnerFormOfOpenPopup(message.hwnd))) SwallowNextMessage(message.hwnd);
      break;
  }
}

LRESULT CALLBACK CallWndHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) GuardedCall([&] { ApplyCallWindowRules(*reinterpret_cast<const CWPSTRUCT*>(lParam)); });
  return CallNextHookEx(callWndHook, code, wParam, lParam);
}

LRESULT CALLBACK GetMessageHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE && !openPopups.empty()) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    GuardedCall([&] {
      TcxCustomPopupWindow* newest = openPopups.back();
      if (msg->message == WM_SYSKEYDOWN && (!newest->CaptureFocus() || !newest->Modal()) &&
          !newest->AcceptsSystemKey(static_cast<Word>(msg->wParam)))
        msg->message = WM_NULL;
    });
  }
  return CallNextHookEx(getMessageHook, code, wParam, lParam);
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && !openPopups.empty() &&
      std::find(std::begin(outsideClickMessages), std::end(outsideClickMessages), wParam) != std::end(outsideClickMessages)) {
    const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    bool passes = true;
    GuardedCall([&] { passes = ProcessPopupOutsideClick(info->hwnd, static_cast<UINT>(wParam), TPoint(info->pt.x, info->pt.y)); });
    if (!passes) return 1;
  }
  return CallNextHookEx(mouseHook, code, wParam, lParam);
}

bool IsLeftPress(UINT message) { return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK; }

// One visit of the outside-click rule; true when it closed a popup (the visit then starts again).
bool VisitForOutsideClick(HWND window, UINT message, const TPoint& point, bool& passes) {
  const TShiftState shift = GetCurrentShiftState();
  for (TcxCustomPopupWindow* popup : openPopups) {
    const bool active = Screen && Screen->ActiveCustomForm() == popup;
    if ((popup->CaptureFocus() && !active) || IsWindowOfControl(popup, window, true)) continue;
    TCustomForm* ownerForm = GetParentForm(popup->OwnerControl());
    auto* ownerPopup = ObjectAs<TcxCustomPopupWindow>(ownerForm);
    if (!IsWindowOfOwnerForm(popup->OwnerControl(), window) && !(ownerPopup && !ownerPopup->IsOpen())) continue;
    bool onOwnerArea = false;
    if (IsWindowOfControl(popup->OwnerControl(), window, true) && IsLeftPress(message) &&
        popup->GetOwnerScreenBounds().Contains(point)) {
      onOwnerArea = true;
      if (popup->HandleOutsideClick(window, message, point, shift)) popup->MarkClosedByOwnerClick();
    }
    TFlagScope activity(popupActivity);
    popup->LockClosing(true);
    if (passes && !onOwnerArea && popup->HandleOutsideClick(window, message, point, shift)) passes = false;
    popup->ClosePopup();
    if (onOwnerArea && (IsBeingDestroyed(popup->OwnerControl()) || !popup->OwnerControl()->Visible())) passes = false;
    popup->LockClosing(false);
    return true;
  }
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Module routines

const std::vector<TcxCustomPopupWindow*>& OpenPopups() { return openPopups; }

bool IsPopupOpen(TCustomForm* form) {
  return std::find(openPopups.begin(), openPopups.end(), form) != openPopups.end();
}

bool ProcessPopupOutsideClick(HWND window, UINT message, const TPoint& point) {
  bool passes = true;
  while (!openPopups.empty() && VisitForOutsideClick(window, message, point, passes)) {
  }
  return passes;
}

bool IsWindowOfControl(TControl* control, HWND window, bool includeDescendants) {
  HWND own = WindowOf(control);
  if (!control || !own) return false;
  return own == window || (includeDescendants && IsDescendantWindowOfControl(control, window));
}

bool IsDescendantWindowOfControl(TControl* control, HWND window) {
  HWND own = WindowOf(control);
  if (!control || !window || !own || own == window) return false;
  if (IsChild(own, window)) return true;
  auto* popup = ObjectAs<TcxCustomPopupWindow>(control);
  for (TcxCustomPopupWindow* other : openPopups) {
    if (other == control) continue;
    const bool ownerOnPopup = popup && other->OwnerControl() && GetParentForm(other->OwnerControl()) == popup;
    if ((ownerOnPopup || other->OwnerControl() == control) && IsWindowOfControl(other, window, true)) return true;
  }
  return false;
}

bool IsWindowOfOwnerForm(TControl* ownerControl, HWND window) {
  TCustomForm* form = GetParentForm(ownerControl);
  if (!form) return false;
  if (IsWindowOfControl(form, window, true)) return true;
  if (form->Parent() || !form->HandleAllocated()) return false;
  HWND top = form->Handle();
  while (IsChildWindowStyle(top) && GetParent(top)) top = GetParent(top);
  return top != form->Handle() && (top == window || IsChild(top, window));
}

HWND GetTopLevelAncestorWindow(HWND window) {
  while (window && IsChildWindowStyle(window)) window = GetParent(window);
  return window;
}

bool RemovePendingMessages(HWND window, UINT first, UINT last, bool all) {
  bool removed = false;
  MSG msg;
  while (PeekMessageA(&msg, window, first, last, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    removed = true;
    if (!all) break;
  }
  return removed;
}

void InstallPopupHooks() {
  if (mouseHook) throw EAssertionFailed("Assertion failure");
  const DWORD thread = GetCurrentThreadId();
  callWndHook = SetWindowsHookExA(WH_CALLWNDPROC, CallWndHookProc, nullptr, thread);
  getMessageHook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHookProc, nullptr, thread);
  mouseHook = SetWindowsHookExA(WH_MOUSE, MouseHookProc, nullptr, thread);
}

void RemovePopupHooks() {
  for (HHOOK* hook : {&mouseHook, &getMessageHook, &callWndHook}) {
    if (*hook) UnhookWindowsHookEx(*hook);
    *hook = nullptr;
  }
}

// ---------------------------------------------------------------------------------------------
// The popup window

TcxCustomPopupWindow::TcxCustomPopupWindow(TControl* ownerControl)
    : TcxCustomPopupWindow(ownerControl, new TcxContainerViewInfo) {}

TcxCustomPopupWindow::TcxCustomPopupWindow(TControl* ownerControl, TcxContainerViewInfo* viewInfo)
    : TcxPopupWindow(nullptr), ownerControl_(ownerControl) {
  SetFormStyle(fsNormal);
  SetVisible(false);
  style_.reset(StyleClass()->Create(this, false, nullptr, cssNormal));
  style_->OnChanged = MakeEvent(this, &TcxCustomPopupWindow::StyleChanged);
  viewInfo_.reset(viewInfo);
  SetKeyPreview(true);
}

TcxCustomPopupWindow::~TcxCustomPopupWindow() {
  ClearObjectLinks(this);
  auto it = std::find(openPopups.begin(), openPopups.end(), this);
  if (it != openPopups.end()) openPopups.erase(it);
  viewInfo_.reset();
  style_->OnChanged = {};
  style_.reset();
}

bool TcxCustomPopupWindow::IsOpen() const { return IsPopupOpen(const_cast<TcxCustomPopupWindow*>(this)); }

bool TcxCustomPopupWindow::TakeClosedByOwnerClick() {
  const bool result = closedByOwnerClick_;
  closedByOwnerClick_ = false;
  return result;
}

TCustomForm* TcxCustomPopupWindow::OwnerForm() const { return ownerControl_ ? GetParentForm(ownerControl_) : nullptr; }

bool TcxCustomPopupWindow::AcceptsSystemKey(Word key) { return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_F4; }

bool TcxCustomPopupWindow::HandleOutsideClick(HWND, UINT, const TPoint&, TShiftState) { return false; }

void TcxCustomPopupWindow::SetCaptureFocus(bool value) {
  if (value == captureFocus_) return;
  captureFocus_ = value;
  RecreateAndReopen();
}

void TcxCustomPopupWindow::SetTopmostWithOwner(bool value) {
  if (value == topmostWithOwner_) return;
  topmostWithOwner_ = value;
  RecreateAndReopen();
}

// A window of the new kind; an open popup is closed and shown again in it.
void TcxCustomPopupWindow::RecreateAndReopen() {
  const bool wasOpen = IsOpen();
  if (HandleAllocated()) RecreateWnd();
  if (wasOpen) ClosePopup(), ShowPopup(focusedControl_);
}

TRect TcxCustomPopupWindow::GetOwnerScreenBounds() {
  TRect r = OwnerBounds();
  HWND owner = WindowOf(ownerControl_);
  if (owner && IsChildWindowStyle(owner) && OwnerParent()) {
    auto* parent = ObjectAs<TWinControl>(OwnerParent());
    if (parent) r = TRect(parent->ClientToScreen(r.TopLeft()), parent->ClientToScreen(r.BottomRight()));
  }
  return r;
}

void TcxCustomPopupWindow::FitIntoWorkArea(TPoint& p) {
  if (!CanFitToWorkArea()) return;
  const TRect area = GetWorkAreaAtPoint(p);
  int w = Width(), h = Height();
  if (p.X < area.Left) w -= area.Left - p.X, p.X = area.Left;
  if (p.Y < area.Top) h -= area.Top - p.Y, p.Y = area.Top;
  w = std::min<int>(w, area.Right - p.X);
  h = std::min<int>(h, area.Bottom - p.Y);
  SetBounds(Left(), Top(), w, h);
  if (Height() != h && p.Y == area.Top) p.Y += h - Height();
}

TWinControl* TcxCustomPopupWindow::ChooseFocusedControl(TWinControl* requested) {
  if (!captureFocus_) return requested;
  if (!requested) return this;
  if (requested->CanFocus() && requested->TabStop()) return requested;
  if (TWinControl* first = FindNextControl(nullptr, true, true, false)) return first;
  return this;
}

void TcxCustomPopupWindow::PlaceOnTop() {
  TCustomForm* form = OwnerForm();
  const bool topmost = !captureFocus_ || !form || !form->HandleAllocated() ||
                       (GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
               SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void TcxCustomPopupWindow::ShowPopup(TWinControl* focusedControl) {
  HWND owner = WindowOf(ownerControl_);
  if (IsOpen() || !owner || !IsWindowVisible(owner)) return;
  InitPopup();
  CalculateSize();
  TPoint p = CalculatePosition();
  FitIntoWorkArea(p);
  {
    TFlagScope activity(popupActivity);
    AddOpenPopup(this);
    FireShowing();
    SetBounds(p.X, p.Y, Width(), Height());
    if (captureFocus_) Show();
    else ShowWindow(Handle(), SW_SHOWNOACTIVATE), SetVisible(true);
    focusedControl_ = ChooseFocusedControl(focusedControl);
    if (captureFocus_) (focusedControl_ ? focusedControl_ : this)->SetFocus();
    else if (focusedControl_) focusedControl_->SetFocus();
    PlaceOnTop();
  }
  SetModalResult(mrNone);
  FireShown();
  if (captureFocus_ && modal_) RunModalLoop();
}

void TcxCustomPopupWindow::RunModalLoop() {
  TcxObjectLinkGuard link(this);
  while (link.Alive() && Visible() && !Application->Terminated()) {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_NOREMOVE) &&
        (msg.wParam == VK_RETURN || msg.wParam == VK_MENU || msg.wParam == VK_SPACE))
      PeekMessageA(&msg, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE);
    if (ModalResult() != mrNone) {
      if (CloseQuery()) CloseByModalResult();
      else SetModalResult(mrNone);
      if (!link.Alive() || !Visible()) break;
    }
    Application->HandleMessage();
  }
}

void TcxCustomPopupWindow::ClosePopup() {
  if (!IsOpen()) return;
  {
    TCounterScope disabling(internalWindowsDisabling);
    RemoveOpenPopup(this);
    FireClosing();
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    Hide();
    FireClosed();
    if (HandleAllocated()) {
      HWND capture = GetCapture();
      if (capture && (capture == Handle() || IsChild(Handle(), capture))) ReleaseCapture();
    }
  }
  TCustomForm* form = OwnerForm();
  if (openPopups.empty() && form && form->HandleAllocated() && !form->Active())
    SendMessageA(form->Handle(), WM_NCACTIVATE, FALSE, 0);
}

void TcxCustomPopupWindow::ClosePopupDeferred() {
  if (HandleAllocated()) PostMessageA(Handle(), CM_CXPOPUP_CLOSE, 0, 0);
}

void TcxCustomPopupWindow::CloseDeferred(TMessage&) {
  LockClosing(true);
  ClosePopup();
  LockClosing(false);
  if (HWND owner = WindowOf(ownerControl_)) SendMessageA(owner, WM_SETFOCUS, 0, 0);
}

void TcxCustomPopupWindow::CreateParams(TCreateParams& params) {
  TcxPopupWindow::CreateParams(params);
  TCustomForm* form = OwnerForm();
  if (captureFocus_) {
    if (form && form->HandleAllocated()) params.WndParent = form->Handle();
    params.Style = (params.Style & ~WS_CHILD) | WS_POPUP;
    if (topmostWithOwner_ && (!form || !form->HandleAllocated() ||
                              (GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST)))
      params.ExStyle |= WS_EX_TOPMOST;
  } else {
    params.Style = WS_CHILD;
    params.ExStyle |= WS_EX_TOOLWINDOW;
    if (!params.WndParent && GetMessageWindow()) params.WndParent = GetMessageWindow()->Handle();
  }
  params.Style |= WS_CLIPCHILDREN;
}

void TcxCustomPopupWindow::CreateWnd() {
  const bool listed = IsOpen();
  if (!listed) openPopups.push_back(this);
  TcxPopupWindow::CreateWnd();
  if (!listed) RemoveOpenPopup(this);
  if (!captureFocus_) ::SetParent(Handle(), nullptr);
}

void TcxCustomPopupWindow::AdjustClientRect(TRect& rect) {
  if (!viewInfo_->ClientRect.IsEmpty()) rect = viewInfo_->ClientRect;
}

void TcxCustomPopupWindow::Paint() { viewInfo_->PaintAll(cxCanvas()); }

void TcxCustomPopupWindow::Deactivate() {
  TForm::Deactivate();
  if (closingLock_ > 0) return;
  if (!openPopups.empty()) {
    HWND active = GetActiveWindow();
    for (size_t i = openPopups.size(); i-- > 0;) {
      if (i >= openPopups.size()) continue;
      TcxCustomPopupWindow* popup = openPopups[i];
      if (popup->HandleAllocated() && popup->Handle() == active) return;
      if (popup->HandleAllocated() && IsWindowEnabled(popup->Handle()) && popup->closingLock_ == 0) popup->ClosePopup();
    }
  }
  if (!openPopups.empty()) ClosePopup();
}

void TcxCustomPopupWindow::VisibleChanged() {
  if (Visible() || !captureFocus_ || !ownerControl_) return;
  TCustomForm* form = OwnerForm();
  auto* owner = ObjectAs<TWinControl>(ownerControl_);
  if (form && form->HandleAllocated() && GetFocus() == form->Handle() && owner && owner->CanFocus() &&
      !form->ComponentState().Contains(csDesigning))
    owner->SetFocus();
}

void TcxCustomPopupWindow::KeyDown(Word& key, TShiftState shift) {
  if (key == VK_ESCAPE && IsOpen() && HandleAllocated() && GetCapture() == Handle()) {
    ReleaseCapture();
    key = 0;
    return;
  }
  TcxPopupWindow::KeyDown(key, shift);
}

void TcxCustomPopupWindow::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CM_CXPOPUP_CLOSE: CloseDeferred(m); break;
    case CM_CXPOPUP_SHOW: ShowPopup(focusedControl_); break;
    case WM_ACTIVATEAPP: break;  // the hooks handle the application's deactivation
    case WM_ERASEBKGND:
      if (ErasesBackground()) TcxPopupWindow::Dispatch(m);
      else m.Result = 1;
      break;
    default: TcxPopupWindow::Dispatch(m);
  }
}
