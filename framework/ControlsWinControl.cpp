// TWinControl: the window's life, message dispatch, children, alignment, focus and tab order,
// keyboard, painting and the reflection of notifications to the controls they are about.
#include <algorithm>

#include "Controls.h"
#include "Forms.h"
#include "Menus.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CREATABLE(TWinControl, TControl, TComponent*)

namespace {
// The window property that leads from a window to its control.
const char* ControlProperty() {
  static char name[40];
  if (!name[0]) std::snprintf(name, sizeof name, "CalderanControl%08X", static_cast<unsigned>(GetCurrentProcessId()));
  return name;
}

// The control whose window is being created: its first messages arrive before CreateWindowEx
// returns the handle.
thread_local TWinControl* creationControl = nullptr;

// Child window identifiers, so that WM_MEASUREITEM and GetDlgItem find the right child.
UINT_PTR NextChildId() {
  static UINT_PTR next = 0x100;
  if (++next > 0xFFF0) next = 0x100;
  return next;
}

void MoveWindowOrg(HDC dc, int dx, int dy) {
  POINT p{};
  GetWindowOrgEx(dc, &p);
  SetWindowOrgEx(dc, p.x - dx, p.y - dy, nullptr);
}

// Sends a reflected notification to our control that owns the window; false when none does.
bool DoControlMsg(HWND window, TMessage& m) {
  TWinControl* control = FindControl(window);
  if (!control) return false;
  m.Result = control->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  return true;
}
}  // namespace

TWinControl* FindControl(HWND window) {
  if (!window) return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return nullptr;
  return static_cast<TWinControl*>(GetPropA(window, ControlProperty()));
}

// The window procedure of every control's window class.
LRESULT CALLBACK ControlWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = static_cast<TWinControl*>(GetPropA(window, ControlProperty()));
  if (!control) {
    control = creationControl;
    if (!control) return DefWindowProcA(window, msg, wParam, lParam);
    creationControl = nullptr;
    control->handle_ = window;
    SetPropA(window, ControlProperty(), control);
  }
  TMessage m{msg, wParam, lParam, 0};
  GuardedCall([&] { control->WindowProc()(m); });
  return m.Result;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
  brush_.SetColor(Color());
}

TWinControl::~TWinControl() {
  Destroying();
  for (TControl* client : dockClients_) client->hostDockSite_ = nullptr;
  dockClients_.clear();
  dockManager_.reset();
  if (Parent()) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, true);
  }
  if (handle_) DestroyWindowHandle();
  while (!controls_.empty() || !winControls_.empty()) {
    TControl* child = !winControls_.empty() ? static_cast<TControl*>(winControls_.back()) : controls_.back();
    RemoveControl(child);
    delete child;
  }
  SetParent(nullptr);
}

// ---------------------------------------------------------------------------------------------
// The window's life
HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (Parent()) Parent()->HandleNeeded();
  CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = StoredText();
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ControlStyle().Contains(csAcceptsControls)) {
    p.Style |= WS_CLIPCHILDREN;
    p.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (tabStop_) p.Style |= WS_TABSTOP;
  if (ctl3D_ && ControlStyle().Contains(csFramed)) p.ExStyle |= WS_EX_CLIENTEDGE;
  else if (ControlStyle().Contains(csFramed)) p.Style |= WS_BORDER;
  p.X = Left();
  p.Y = Top();
  p.Width = Width();
  p.Height = Height();
  p.WndParent = Parent() ? Parent()->Handle() : parentWindow_;
  p.WindowClass.style = CS_VREDRAW | CS_HREDRAW | (ControlStyle().Contains(csDoubleClicks) ? CS_DBLCLKS : 0);
  p.WindowClass.lpfnWndProc = DefWindowProcA;
  p.WindowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // the arrow
  p.WindowClass.hbrBackground = nullptr;
  p.WindowClass.hInstance = GetModuleHandleA(nullptr);
  p.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& p, const char* controlClassName) {
  constexpr UINT keep = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_PARENTDC | CS_SAVEBITS | CS_GLOBALCLASS;
  WNDCLASSA native{};
  if (!GetClassInfoA(nullptr, controlClassName, &native) &&
      !GetClassInfoA(GetModuleHandleA(nullptr), controlClassName, &native))
    throw EOSError(Format("Window class %s is not registered", {controlClassName}));
  HINSTANCE instance = p.WindowClass.hInstance;
  p.WindowClass = native;
  p.WindowClass.hInstance = instance;
  p.WindowClass.style &= keep;
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if ((p.Style & WS_CHILD) && !p.WndParent)
    throw EInvalidOperation(Format("Control '%s' has no parent window", {Name()}));
  defWndProc_ = p.WindowClass.lpfnWndProc;
  HINSTANCE instance = p.WindowClass.hInstance;
  WNDCLASSA existing{};
  bool registered = GetClassInfoA(instance, p.WinClassName.c_str(), &existing);
  if (!registered || existing.lpfnWndProc != ControlWindowProc) {
    if (registered) UnregisterClassA(p.WinClassName.c_str(), instance);
    p.WindowClass.lpfnWndProc = ControlWindowProc;
    p.WindowClass.lpszClassName = p.WinClassName.c_str();
    if (!RegisterClassA(&p.WindowClass)) throw EOSError(SysErrorMessage(GetLastError()));
  }
  creationControl = this;
  try {
    CreateWindowHandle(p);
  } catch (...) {
    creationControl = nullptr;
    throw;
  }
  creationControl = nullptr;
  if (!handle_) throw EOSError(Format("Cannot create the window of %s: %s", {Name(), SysErrorMessage(GetLastError())}));
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
  HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(NextChildId()) : nullptr;
  HWND window = CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                                p.Height, p.WndParent, id, p.WindowClass.hInstance, p.Param);
  if (window) handle_ = window;
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  creatingHandle_ = true;
  try {
    CreateWnd();
  } catch (...) {
    creatingHandle_ = false;
    throw;
  }
  creatingHandle_ = false;
  if (Parent()) {
    // keep the windows' stacking order the same as the children's order
    HWND after = HWND_TOP;
    auto& siblings = Parent()->winControls_;
    auto it = std::find(siblings.begin(), siblings.end(), this);
    for (++it; it != siblings.end(); ++it)
      if ((*it)->handle_) { after = (*it)->handle_; break; }
    SetWindowPos(handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  UpdateBounds();
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
  for (TWinControl* child : std::vector<TWinControl*>(winControls_)) child->UpdateControlState();
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TWinControl* child : winControls_) child->DestroyHandle();
  DestroyWnd();
}

// Keeps the window's text, so that a new window gets it back.
void TWinControl::DestroyWnd() {
  StoredText() = Text();
  TControlCanvas::FreeDeviceContexts();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  state_.Include(csDestroyingHandle);
  HWND window = handle_;
  BOOL ok = DestroyWindow(window);
  state_.Exclude(csDestroyingHandle);
  if (handle_ == window) {  // WM_NCDESTROY did not reach us (a window of another thread)
    RemovePropA(window, ControlProperty());
    handle_ = nullptr;
  }
  showing_ = false;
  if (!ok && IsWindow(window)) throw EOSError(SysErrorMessage(GetLastError()));
}

void TWinControl::RecreateWnd() {
  if (handle_) Perform(CM_RECREATEWND);
}

void TWinControl::CMRecreateWnd(TMessage&) {
  bool wasFocused = Focused();
  DestroyHandle();
  UpdateControlState();
  if (wasFocused && handle_) ::SetFocus(handle_);
}

void TWinControl::SetParentWindow(HWND window) {
  if (window == parentWindow_ || Parent()) return;
  if (handle_ && parentWindow_ && window) {
    SetParent(nullptr);
    ::SetParent(handle_, window);
    parentWindow_ = window;
    UpdateControlState();
    return;
  }
  DestroyHandle();
  parentWindow_ = window;
  UpdateControlState();
}

TWinControl* TWinControl::CreateParented(TClass cls, HWND parentWindow) {
  auto* control = ObjectAs<TWinControl>(cls->Create(nullptr));
  if (!control) throw EInvalidOperation(Format("%s is not a windowed control", {cls->Name}));
  control->parentWindow_ = parentWindow;
  return control;
}

// Makes the window exist and show when it should: it and its parents are visible up to a form
// (or a foreign parent window).
void TWinControl::UpdateControlState() {
  TWinControl* root = this;
  while (root->Parent()) {
    root = root->Parent();
    if (!root->showing_) return;
  }
  if (root->Is<TCustomForm>() || root->parentWindow_) UpdateShowing();
}

void TWinControl::UpdateShowing() {
  bool show = Visible() && !state_.Contains(csReadingState);
  if (show) {
    if (!handle_) CreateHandle();
    // A child's window creation may parent further controls here (an inner list placing its
    // scroll bars beside itself): they are shown too, in a later pass.
    std::vector<TWinControl*> shown;
    for (bool added = true; added;) {
      added = false;
      for (TWinControl* child : std::vector<TWinControl*>(winControls_)) {
        if (std::find(shown.begin(), shown.end(), child) != shown.end()) continue;
        shown.push_back(child);
        added = true;
        child->UpdateShowing();
      }
    }
  }
  if (handle_ && showing_ != show) {
    showing_ = show;
    try {
      Perform(CM_SHOWINGCHANGED);
    } catch (...) {
      showing_ = !show;
      throw;
    }
  }
}

void TWinControl::CMShowingChanged(TMessage&) {
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (showing_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChanged(TMessage&) {
  if (!Visible() && Parent())
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
  UpdateControlState();
}

void TWinControl::CMEnabledChanged(TMessage&) {
  if (!Enabled() && Parent())
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
  if (handle_) EnableWindow(handle_, Enabled());
}

void TWinControl::CMColorChanged(TMessage& m) {
  TControl::CMColorChanged(m);
  brush_.SetColor(Color());
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& m) {
  TControl::CMFontChanged(m);
  if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMShowHintChanged(TMessage&) { NotifyControls(CM_PARENTSHOWHINTCHANGED); }

void TWinControl::CMInvalidate(TMessage&) {
  if (handle_) InvalidateRect(handle_, nullptr, !ControlStyle().Contains(csOpaque));
}

void TWinControl::CMCursorChanged(TMessage&) {
  POINT p{};
  if (handle_ && GetCursorPos(&p) && FindDragTarget(p, false) == this)
    Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(handle_), HTCLIENT);
}

void TWinControl::SetCtl3D(bool value) {
  if (value == ctl3D_ && !parentCtl3D_) return;
  bool changed = value != ctl3D_;
  ctl3D_ = value;
  parentCtl3D_ = false;
  if (changed) Perform(CM_CTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool value) {
  if (value == parentCtl3D_) return;
  parentCtl3D_ = value;
  if (Parent() && !ComponentState().Contains(csReading)) Perform(CM_PARENTCTL3DCHANGED);
}

// A framed control draws its border with the 3-D edge or flat: its window is made again.
void TWinControl::CMCtl3DChanged(TMessage&) {
  if (ControlStyle().Contains(csFramed)) RecreateWnd();
  NotifyControls(CM_PARENTCTL3DCHANGED);
}

void TWinControl::CMParentCtl3DChanged(TMessage&) {
  if (!parentCtl3D_ || !Parent()) return;
  SetCtl3D(Parent()->Ctl3D());
  parentCtl3D_ = true;
}

void TWinControl::SetParentBackground(bool value) {
  if (value == ParentBackground()) return;
  TControlStyle s = ControlStyle();
  if (value) s.Include(csParentBackground);
  else s.Exclude(csParentBackground);
  SetControlStyle(s);
  Perform(CM_PARENTBACKGROUNDCHANGED, value);
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Messages
void TWinControl::WndProc(TMessage& m) {
  const bool mouse = (m.Msg >= WM_MOUSEMOVE && m.Msg <= WM_MBUTTONDBLCLK) || m.Msg == WM_SETCURSOR;
  if (mouse && dockSite_ && useDockManager_ && dockManager_ && dockManager_->HandleSiteMessage(m)) return;
  switch (m.Msg) {
    case WM_SETFOCUS:
      if (TCustomForm* form = GetParentForm(this))
        if (!form->SetFocusedControl(this)) return;
      break;
    case WM_KILLFOCUS:
      if (state_.Contains(csFocusing)) return;
      break;
    case WM_NCHITTEST:
      TControl::WndProc(m);
      if (m.Result == HTTRANSPARENT && ControlAtPos(ScreenToClient(m.Pos()), false)) m.Result = HTCLIENT;
      return;
    case WM_CANCELMODE:
      if (GetCapture() == handle_ && GetCaptureControl() && GetCaptureControl() != this)
        GetCaptureControl()->Perform(WM_CANCELMODE);
      break;
    default:
      if (m.Msg >= WM_MOUSEMOVE && m.Msg <= WM_MBUTTONDBLCLK && IsControlMouseMsg(m)) {
        if (m.Result == 0 && handle_) DefWindowProcA(handle_, m.Msg, m.WParam, m.LParam);
        return;
      }
  }
  TControl::WndProc(m);
}

void TWinControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: WMPaint(m); break;
    case WM_ERASEBKGND: WMEraseBkgnd(m); break;
    case WM_SIZE: WMSize(m); break;
    case WM_MOVE: WMMove(m); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); break;
    case WM_SETFOCUS: WMSetFocus(m); break;
    case WM_KILLFOCUS: WMKillFocus(m); break;
    case WM_KEYDOWN: WMKeyDown(m); break;
    case WM_KEYUP: WMKeyUp(m); break;
    case WM_CHAR: WMChar(m); break;
    case WM_SYSKEYDOWN: WMSysKeyDown(m); break;
    case WM_SYSKEYUP: WMSysKeyUp(m); break;
    case WM_MOUSEWHEEL: WMMouseWheel(m); break;
    case WM_SETCURSOR: WMSetCursor(m); break;
    case WM_COMMAND: WMCommand(m); break;
    case WM_NOTIFY: WMNotify(m); break;
    case WM_DRAWITEM: WMDrawItem(m); break;
    case WM_MEASUREITEM: WMMeasureItem(m); break;
    case WM_COMPAREITEM: WMCompareItem(m); break;
    case WM_DELETEITEM: WMDeleteItem(m); break;
    case WM_HSCROLL: WMHScroll(m); break;
    case WM_VSCROLL: WMVScroll(m); break;
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: WMCtlColor(m); break;
    case CM_DRAG: CMDrag(m); break;
    case CM_DOCKCLIENT: CMDockClient(m); break;
    case CM_UNDOCKCLIENT: CMUnDockClient(m); break;
    case CM_DOCKNOTIFICATION: CMDockNotification(m); break;
    case WM_NCDESTROY: WMNCDestroy(m); break;
    case WM_GETDLGCODE: WMGetDlgCode(m); break;
    case CN_KEYDOWN: CNKeyDown(m); break;
    case CN_KEYUP: CNKeyUp(m); break;
    case CN_CHAR: CNChar(m); break;
    case CN_SYSKEYDOWN: CNSysKeyDown(m); break;
    case CN_SYSCHAR: CNSysChar(m); break;
    case CN_CTLCOLORMSGBOX: case CN_CTLCOLOREDIT: case CN_CTLCOLORLISTBOX: case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG: case CN_CTLCOLORSCROLLBAR: case CN_CTLCOLORSTATIC: CNCtlColor(m); break;
    case CM_DIALOGKEY: CMDialogKey(m); break;
    case CM_DIALOGCHAR: CMDialogChar(m); break;
    case CM_FOCUSCHANGED: CMFocusChanged(m); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(m); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); break;
    case CM_COLORCHANGED: CMColorChanged(m); break;
    case CM_FONTCHANGED: CMFontChanged(m); break;
    case CM_SHOWINGCHANGED: CMShowingChanged(m); break;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(m); break;
    case CM_ENTER: CMEnter(m); break;
    case CM_EXIT: CMExit(m); break;
    case CM_INVALIDATE: CMInvalidate(m); break;
    case CM_RECREATEWND: CMRecreateWnd(m); break;
    case CM_MOUSEWHEEL: CMMouseWheel(m); break;
    case CM_CHILDKEY: CMChildKey(m); break;
    case CM_CURSORCHANGED: CMCursorChanged(m); break;
    case CM_CTL3DCHANGED: CMCtl3DChanged(m); break;
    case CM_PARENTCTL3DCHANGED: CMParentCtl3DChanged(m); break;
    default: TControl::Dispatch(m);
  }
}

// Without a window the text lives in the control; with one, the window procedure (native or
// Win32's default) handles everything this chain did not.
void TWinControl::DefaultHandler(TMessage& m) {
  if (!handle_) {
    TControl::DefaultHandler(m);
    return;
  }
  if (m.Msg == WM_CONTEXTMENU && Parent()) {
    // Win32's default asks the parent window, which would show its menu instead of nothing
    m.Result = Parent()->Perform(m.Msg, m.WParam, m.LParam);
    if (m.Result) return;
  }
  m.Result = CallWindowProcA(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
}

void TWinControl::WMNCDestroy(TMessage& m) {
  DefaultHandler(m);
  if (handle_) RemovePropA(handle_, ControlProperty());
  handle_ = nullptr;
  showing_ = false;
}

void TWinControl::Broadcast(TMessage& m) {
  for (int i = 0; i < ControlCount(); ++i) {
    Controls(i)->WndProc(m);
    if (m.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT msg) {
  TMessage m{msg, 0, 0, 0};
  Broadcast(m);
}

// Mouse messages over a graphic child (or held by one) go to that child.
bool TWinControl::IsControlMouseMsg(TMessage& m) {
  TControl* control = nullptr;
  if (GetCapture() == handle_) {
    TControl* captured = GetCaptureControl();
    if (captured && captured != this && captured->Parent() == this) control = captured;
  } else {
    control = ControlAtPos(m.Pos(), false);
  }
  if (!control) return false;
  TPoint p = m.Pos() - TPoint(control->Left(), control->Top());
  m.Result = control->Perform(m.Msg, m.WParam, PointToLParam(p));
  return true;
}

void TWinControl::WMCommand(TMessage& m) {
  if (!DoControlMsg(reinterpret_cast<HWND>(m.LParam), m)) DefaultHandler(m);
}

void TWinControl::WMNotify(TMessage& m) {
  auto* header = reinterpret_cast<NMHDR*>(m.LParam);
  if (!header || !DoControlMsg(header->hwndFrom, m)) DefaultHandler(m);
}

void TWinControl::WMDrawItem(TMessage& m) {
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
  if (!item || item->CtlType == ODT_MENU || !DoControlMsg(item->hwndItem, m)) DefaultHandler(m);
}

void TWinControl::WMMeasureItem(TMessage& m) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
  if (!item || item->CtlType == ODT_MENU || !handle_ || !DoControlMsg(GetDlgItem(handle_, item->CtlID), m))
    DefaultHandler(m);
}

void TWinControl::WMCompareItem(TMessage& m) {
  auto* item = reinterpret_cast<COMPAREITEMSTRUCT*>(m.LParam);
  if (!item || !DoControlMsg(item->hwndItem, m)) DefaultHandler(m);
}

void TWinControl::WMDeleteItem(TMessage& m) {
  auto* item = reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam);
  if (!item || !DoControlMsg(item->hwndItem, m)) DefaultHandler(m);
}

void TWinControl::WMHScroll(TMessage& m) {
  if (!m.LParam || !DoControlMsg(reinterpret_cast<HWND>(m.LParam), m)) DefaultHandler(m);
}

void TWinControl::WMVScroll(TMessage& m) {
  if (!m.LParam || !DoControlMsg(reinterpret_cast<HWND>(m.LParam), m)) DefaultHandler(m);
}

void TWinControl::WMCtlColor(TMessage& m) {
  if (!DoControlMsg(reinterpret_cast<HWND>(m.LParam), m)) DefaultHandler(m);
}

void TWinControl::CNCtlColor(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  SetTextColor(dc, ColorToRGB(Font()->Color()));
  SetBkColor(dc, ColorToRGB(brush_.Color()));
  m.Result = reinterpret_cast<LRESULT>(brush_.Handle());
}

// The cursor of the graphic child under the mouse, else this control's, else Win32's choice.
void TWinControl::WMSetCursor(TMessage& m) {
  if (reinterpret_cast<HWND>(m.WParam) == handle_ && static_cast<int16_t>(LOWORD(m.LParam)) == HTCLIENT) {
    TCursor cursor = Screen ? Screen->Cursor() : crDefault;
    if (cursor == crDefault) {
      POINT p{};
      GetCursorPos(&p);
      if (TControl* child = ControlAtPos(ScreenToClient(p), false)) cursor = child->Cursor();
      if (cursor == crDefault) cursor = Cursor();
    }
    if (cursor != crDefault && Screen) {
      ::SetCursor(Screen->Cursors(cursor));
      m.Result = 1;
      return;
    }
  }
  DefaultHandler(m);
}

// ---------------------------------------------------------------------------------------------
// Children
TControl* TWinControl::Controls(int index) const {
  int graphic = static_cast<int>(controls_.size());
  if (index < 0 || index >= ControlCount()) throw EListError(Format(SListIndexError, {index}));
  return index < graphic ? controls_[index] : winControls_[index - graphic];
}

void TWinControl::InsertControl(TControl* control) {
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 1);
  if (auto* w = ObjectAs<TWinControl>(control)) {
    winControls_.push_back(w);
    tabList_.push_back(w);
  } else {
    controls_.push_back(control);
  }
  control->parent_ = this;
  if (!control->ComponentState().Contains(csReading)) {
    control->Perform(CM_PARENTCTL3DCHANGED);
    control->Perform(CM_PARENTCOLORCHANGED);
    control->Perform(CM_PARENTFONTCHANGED);
    control->Perform(CM_PARENTSHOWHINTCHANGED);
    if (auto* w = ObjectAs<TWinControl>(control)) w->UpdateControlState();
    else if (handle_) control->Invalidate();
    AlignControl(control);
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 1);
}

void TWinControl::RemoveControl(TControl* control) {
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 0);
  if (auto* w = ObjectAs<TWinControl>(control)) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(w, true);
    w->DestroyHandle();
  } else if (handle_) {
    control->InvalidateControl(control->Visible(), false);
  }
  std::erase(controls_, control);
  std::erase(winControls_, static_cast<TWinControl*>(control));
  std::erase(tabList_, static_cast<TWinControl*>(control));
  control->parent_ = nullptr;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 0);
  Realign();
}

bool TWinControl::ContainsControl(TControl* control) const {
  for (TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) {
  auto hit = [&](TControl* c) {
    if (!c->Visible() || !(c->Enabled() || allowDisabled) || !c->BoundsRect().Contains(pos)) return false;
    TPoint local = pos - TPoint(c->Left(), c->Top());
    return c->Perform(CM_HITTEST, 0, PointToLParam(local)) != 0;
  };
  if (allowWinControls)
    for (auto it = winControls_.rbegin(); it != winControls_.rend(); ++it)
      if (hit(*it)) return *it;
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
    if (hit(*it)) return *it;
  return nullptr;
}

TRect TWinControl::ClientRect() {
  if (handle_) {
    RECT r{};
    ::GetClientRect(handle_, &r);
    return r;
  }
  return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() {
  POINT p{0, 0};
  ::ClientToScreen(Handle(), &p);
  return p;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == Left() && top == Top() && width == Width() && height == Height()) return;
  if (handle_ && !IsIconic(handle_)) {
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (!ComponentState().Contains(csLoading)) {
      AlignControl(nullptr);
      Resize();
    }
  }
  UpdateAnchorRules();
  RequestAlign();
}

// Reads the window's place back: Win32 may have changed what SetWindowPos asked for.
void TWinControl::UpdateBounds() {
  if (!handle_) return;
  RECT r{};
  GetWindowRect(handle_, &r);
  if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) {
    if (HWND parent = GetParent(handle_)) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  left_ = r.left;
  top_ = r.top;
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
  UpdateAnchorRules();
}

void TWinControl::WMSize(TMessage& m) {
  UpdateBounds();
  DefaultHandler(m);
  Realign();
  if (!ComponentState().Contains(csLoading)) Resize();
}

void TWinControl::WMMove(TMessage& m) {
  UpdateBounds();
  DefaultHandler(m);
}

void TWinControl::WMWindowPosChanged(TMessage& m) {
  auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
  bool sized = pos && !(pos->flags & SWP_NOSIZE);
  if (sized && handle_ && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) == 0) UpdateBounds();
  DefaultHandler(m);
}

// ---------------------------------------------------------------------------------------------
// Alignment
void TWinControl::EnableAlign() {
  if (--alignLevel_ == 0 && state_.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* control) {
  if (ComponentState().Contains(csDestroying)) return;
  if (alignLevel_ != 0) {
    state_.Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  try {
    TRect r = ClientRect();
    AlignControls(control, r);
  } catch (...) {
    state_.Exclude(csAlignmentNeeded);
    --alignLevel_;
    throw;
  }
  state_.Exclude(csAlignmentNeeded);
  --alignLevel_;
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
  bool work = false;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->align_ != alNone || !(c->anchors_ == TAnchors{akLeft, akTop})) work = true;
  }
  const bool docking = dockSite_ && useDockManager_ && dockManager_;
  if (!work && !docking) return;
  AdjustClientRect(rect);
  AlignControlsInner(control, rect);
  // the dock manager lays its zones out in what the aligned controls left
  if (docking) dockManager_->LayoutIn(rect);
}

namespace {
bool InsertBefore(TControl* c1, TControl* c2, TAlign align) {
  switch (align) {
    case alTop: return c1->Top() < c2->Top();
    case alBottom: return c1->Top() + c1->Height() >= c2->Top() + c2->Height();
    case alLeft: return c1->Left() < c2->Left();
    case alRight: return c1->Left() + c1->Width() >= c2->Left() + c2->Width();
    default: return false;
  }
}
}  // namespace

// Places the aligned children side by side from the outside in (top, bottom, left, right, then
// the client), in their current order along each side, then moves the anchored ones.
void TWinControl::AlignControlsInner(TControl* control, TRect& rect) {
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient, alNone}) {
    std::vector<TControl*> list;
    if (control && control->align_ == align && (align == alNone || control->Visible())) list.push_back(control);
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (c == control || c->align_ != align || (align != alNone && !c->Visible())) continue;
      size_t j = 0;
      while (j < list.size() && !InsertBefore(c, list[j], align)) ++j;
      list.insert(list.begin() + j, c);
    }
    for (TControl* c : list) {
      if (align == alNone) {
        if (c->anchors_ == TAnchors{akLeft, akTop} || c->originalParentSize_.X == 0 || c->originalParentSize_.Y == 0) continue;
        TRect client = ClientRect();
        int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
        if (c->anchors_.Contains(akRight)) {
          if (c->anchors_.Contains(akLeft)) w = client.Width() - (c->originalParentSize_.X - c->anchorRules_.X);
          else l = client.Width() - (c->originalParentSize_.X - c->anchorRules_.X);
        } else if (!c->anchors_.Contains(akLeft)) {
          l = MulDiv(c->anchorRules_.X, client.Width(), c->originalParentSize_.X) - w / 2;
        }
        if (c->anchors_.Contains(akBottom)) {
          if (c->anchors_.Contains(akTop)) h = client.Height() - (c->originalParentSize_.Y - c->anchorRules_.Y);
          else t = client.Height() - (c->originalParentSize_.Y - c->anchorRules_.Y);
        } else if (!c->anchors_.Contains(akTop)) {
          t = MulDiv(c->anchorRules_.Y, client.Height(), c->originalParentSize_.Y) - h / 2;
        }
        c->anchorMove_ = true;
        c->SetBounds(l, t, w, h);
        c->anchorMove_ = false;
        continue;
      }
      int w = rect.Width(), h = rect.Height();
      if (w < 0 || align == alLeft || align == alRight) w = c->Width();
      if (h < 0 || align == alTop || align == alBottom) h = c->Height();
      int l = rect.Left, t = rect.Top;
      switch (align) {
        case alTop: rect.Top += h; break;
        case alBottom: rect.Bottom -= h; t = rect.Bottom; break;
        case alLeft: rect.Left += w; break;
        case alRight: rect.Right -= w; l = rect.Right; break;
        default: break;
      }
      c->anchorMove_ = true;
      c->SetBounds(l, t, w, h);
      c->anchorMove_ = false;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Focus and tab order
bool TWinControl::CanFocus() {
  TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  for (TControl* c = this; c != form; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (Parent()) Parent()->ShowControl(this);
  if (TCustomForm* form = GetParentForm(this)) form->FocusControl(this);
  else if (parentWindow_ || !Parent()) ::SetFocus(Handle());
}

void TWinControl::SetTabStop(bool value) {
  if (value == tabStop_) return;
  tabStop_ = value;
  if (handle_) {
    LONG style = GetWindowLongA(handle_, GWL_STYLE);
    SetWindowLongA(handle_, GWL_STYLE, value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
  Perform(CM_TABSTOPCHANGED);
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  auto& list = Parent()->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  int current = TabOrder();
  if (current < 0) return;
  auto& list = Parent()->tabList_;
  order = std::clamp(order, 0, static_cast<int>(list.size()) - 1);
  if (order == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + order, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
  for (TWinControl* c : tabList_) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  int count = static_cast<int>(list.size());
  auto found = std::find(list.begin(), list.end(), current);
  int start = found == list.end() ? (goForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
  int i = start;
  do {
    i = goForward ? (i + 1) % count : (i + count - 1) % count;
    TWinControl* c = list[i];
    if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this)) return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) next->SetFocus();
}

void TWinControl::SelectFirst() {
  if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::WMSetFocus(TMessage& m) { DefaultHandler(m); }
void TWinControl::WMKillFocus(TMessage& m) { DefaultHandler(m); }

// ---------------------------------------------------------------------------------------------
// Keyboard
void TWinControl::KeyDown(Word& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(Word& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

// The form sees the key first when it previews keys; a handler that clears the key consumes it.
bool TWinControl::DoKeyDown(TMessage& m) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyDown(m)) return true;
  if (!ControlStyle().Contains(csNoStdEvents)) {
    Word key = LOWORD(m.WParam);
    KeyDown(key, KeyDataToShiftState(m.LParam));
    m.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TMessage& m) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyUp(m)) return true;
  if (!ControlStyle().Contains(csNoStdEvents)) {
    Word key = LOWORD(m.WParam);
    KeyUp(key, KeyDataToShiftState(m.LParam));
    m.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TMessage& m) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyPress(m)) return true;
  if (!ControlStyle().Contains(csNoStdEvents)) {
    char key = static_cast<char>(m.WParam);
    KeyPress(key);
    m.WParam = static_cast<unsigned char>(key);
    if (key == 0) return true;
  }
  return false;
}

void TWinControl::WMKeyDown(TMessage& m) {
  if (!DoKeyDown(m)) DefaultHandler(m);
}

void TWinControl::WMKeyUp(TMessage& m) {
  if (!DoKeyUp(m)) DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m) {
  if (!DoKeyPress(m)) DefaultHandler(m);
}

void TWinControl::WMSysKeyDown(TMessage& m) {
  if (!DoKeyDown(m)) DefaultHandler(m);
}

void TWinControl::WMSysKeyUp(TMessage& m) {
  if (!DoKeyUp(m)) DefaultHandler(m);
}

bool TWinControl::IsMenuKey(TMessage& m) {
  for (TControl* c = this; c; c = c->Parent())
    if (TPopupMenu* menu = c->PopupMenu(); menu && menu->IsShortCut(m)) return true;
  TCustomForm* form = GetParentForm(this);
  return form && form->IsShortCut(m);
}

void TWinControl::CMChildKey(TMessage& m) {
  if (Parent()) m.Result = Parent()->Perform(CM_CHILDKEY, m.WParam, m.LParam);
}

// Keys before the window sees them: menu shortcuts, then tab, arrows, Enter and Escape for the
// dialog navigation when the control does not want them itself.
void TWinControl::CNKeyDown(TMessage& m) {
  m.Result = 1;
  if (IsMenuKey(m)) return;
  if (Perform(CM_CHILDKEY, m.WParam, reinterpret_cast<LPARAM>(this)) != 0) return;
  LRESULT mask = 0;
  switch (LOWORD(m.WParam)) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
  }
  if (mask && Perform(CM_WANTSPECIALKEY, m.WParam) == 0 && (Perform(WM_GETDLGCODE) & mask) == 0)
    if (TCustomForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) return;
  m.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& m) {
  switch (LOWORD(m.WParam)) {
    case VK_TAB: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_RETURN: case VK_EXECUTE:
    case VK_ESCAPE: case VK_CANCEL:
      m.Result = Perform(CM_WANTSPECIALKEY, m.WParam, m.LParam);
      break;
  }
}

void TWinControl::CNChar(TMessage& m) {
  if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0)
    if (TCustomForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0)
      m.Result = 1;
}

void TWinControl::CNSysKeyDown(TMessage& m) {
  m.Result = IsMenuKey(m) ? 1 : 0;
}

void TWinControl::CNSysChar(TMessage& m) {
  if (LOWORD(m.WParam) == VK_SPACE) return;
  if (TCustomForm* form = GetParentForm(this)) m.Result = form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
}

bool TWinControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
  return handled;
}

void TWinControl::WMMouseWheel(TMessage& m) {
  m.Result = Perform(CM_MOUSEWHEEL, m.WParam, m.LParam);
  if (m.Result == 0) DefaultHandler(m);
}

// The wheel goes up the parents until one of them takes it.
void TWinControl::CMMouseWheel(TMessage& m) {
  TShiftState shift = KeysToShiftState(LOWORD(m.WParam));
  int delta = static_cast<int16_t>(HIWORD(m.WParam));
  if (DoMouseWheel(shift, delta, m.Pos())) m.Result = 1;
  else if (Parent()) m.Result = Parent()->Perform(CM_MOUSEWHEEL, m.WParam, m.LParam);
}

// ---------------------------------------------------------------------------------------------
// Painting
void TWinControl::Invalidate() { Perform(CM_INVALIDATE); }

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::SetZOrder(bool topMost) {
  if (Parent()) {
    auto& list = Parent()->winControls_;
    std::erase(list, this);
    if (topMost) list.push_back(this);
    else list.insert(list.begin(), this);
  }
  if (handle_)
    SetWindowPos(handle_, topMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SetZOrderPosition(int position) {
  if (!Parent()) return;
  auto& list = Parent()->winControls_;
  std::erase(list, this);
  position = std::clamp(position, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + position, this);
  if (!handle_) return;
  HWND after = HWND_TOP;
  for (size_t i = position + 1; i < list.size(); ++i)
    if (list[i]->handle_) { after = list[i]->handle_; break; }
  SetWindowPos(handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HDC TWinControl::GetDeviceContext(HWND& window) {
  HDC dc = GetDC(Handle());
  if (!dc) throw EOutOfResources("Error creating window device context");
  window = handle_;
  return dc;
}

void TWinControl::PaintBackground(HDC dc) {
  RECT r = ClientRect();
  FillRect(dc, &r, brush_.Handle());
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
  // painting into memory (double buffering) erases only when asked with WParam == LParam
  if (!doubleBuffered_ || m.WParam == static_cast<WPARAM>(m.LParam)) PaintBackground(reinterpret_cast<HDC>(m.WParam));
  m.Result = 1;
}

void TWinControl::WMPaint(TMessage& m) {
  if (!doubleBuffered_ || m.WParam) {
    if (!state_.Contains(csCustomPaint) && controls_.empty()) DefaultHandler(m);
    else PaintHandler(m);
    return;
  }
  TRect client = ClientRect();
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, std::max<LONG>(client.Right, 1), std::max<LONG>(client.Bottom, 1));
  ReleaseDC(nullptr, screen);
  HDC memory = CreateCompatibleDC(nullptr);
  if (!bitmap || !memory) {
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    throw EOutOfResources("Out of system resources");
  }
  HGDIOBJ old = SelectObject(memory, bitmap);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle_, &ps);
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), reinterpret_cast<LPARAM>(memory));
  TMessage inner{WM_PAINT, reinterpret_cast<WPARAM>(memory), 0, 0};
  try {
    WMPaint(inner);
  } catch (...) {
    EndPaint(handle_, &ps);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    throw;
  }
  BitBlt(dc, 0, 0, client.Right, client.Bottom, memory, 0, 0, SRCCOPY);
  EndPaint(handle_, &ps);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

// Paints the window (leaving out opaque graphic children), then the graphic children.
void TWinControl::PaintHandler(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  PAINTSTRUCT ps;
  if (!dc) dc = BeginPaint(handle_, &ps);
  struct TEnd {
    TWinControl* self;
    bool own;
    PAINTSTRUCT* ps;
    ~TEnd() {
      if (own) EndPaint(self->handle_, ps);
    }
  } end{this, m.WParam == 0, &ps};
  int saved = SaveDC(dc);
  int clip = SIMPLEREGION;
  for (TControl* c : controls_)
    if (c->Visible() && c->ControlStyle().Contains(csOpaque)) {
      clip = ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
      if (clip == NULLREGION) break;
    }
  if (clip != NULLREGION) PaintWindow(dc);
  RestoreDC(dc, saved);
  PaintControls(dc, nullptr);
  if (dockSite_ && useDockManager_ && dockManager_) dockManager_->PaintSite(dc);
}

void TWinControl::PaintWindow(HDC dc) {
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  auto it = first ? std::find(controls_.begin(), controls_.end(), first) : controls_.begin();
  if (it == controls_.end()) it = controls_.begin();
  for (; it != controls_.end(); ++it) {
    TControl* c = *it;
    RECT r = c->BoundsRect();
    if (!c->Visible() || !RectVisible(dc, &r)) continue;
    if (state_.Contains(csPaintCopy)) c->state_.Include(csPaintCopy);
    int saved = SaveDC(dc);
    MoveWindowOrg(dc, c->Left(), c->Top());
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
    c->state_.Exclude(csPaintCopy);
  }
}

namespace {
// A bitmap like the target's to paint one window into, selected into a memory device context.
struct TScratch {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  TScratch(HDC like, int w, int h) {
    dc = CreateCompatibleDC(like);
    bitmap = CreateCompatibleBitmap(like, std::max(w, 1), std::max(h, 1));
    if (!dc || !bitmap) {
      if (dc) DeleteDC(dc);
      if (bitmap) DeleteObject(bitmap);
      throw EOutOfResources("Out of system resources");
    }
    old = SelectObject(dc, bitmap);
  }
  ~TScratch() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
};
}  // namespace

// Paints the control and its children into another device context (a bitmap) at (x, y). Each
// window paints into a bitmap of its own with an untouched origin, which is then copied: native
// controls clip to their client rectangle mapped through DPtoLP (seen with Wine's buttons), so a
// moved origin would clip away everything they draw.
void TWinControl::PaintTo(HDC dc, int x, int y) {
  HandleNeeded();
  state_.Include(csPaintCopy);
  struct TDone {
    TControlState& s;
    ~TDone() { s.Exclude(csPaintCopy); }
  } done{state_};
  UINT edge = 0, flags = 0;
  if (GetWindowLongA(handle_, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
    edge = EDGE_SUNKEN;
    flags = BF_RECT | BF_ADJUST;
  } else if (GetWindowLongA(handle_, GWL_STYLE) & WS_BORDER) {
    edge = BDR_OUTER;
    flags = BF_RECT | BF_ADJUST | BF_MONO;
  }
  TScratch whole(dc, Width(), Height());
  RECT client{0, 0, Width(), Height()};
  if (flags) DrawEdge(whole.dc, &client, edge, flags);
  TScratch inside(dc, client.right - client.left, client.bottom - client.top);
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(inside.dc), reinterpret_cast<LPARAM>(inside.dc));
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(inside.dc), 0);
  for (TWinControl* child : winControls_)
    if (child->Visible()) child->PaintTo(inside.dc, child->Left(), child->Top());
  BitBlt(whole.dc, client.left, client.top, client.right - client.left, client.bottom - client.top, inside.dc, 0, 0, SRCCOPY);
  BitBlt(dc, x, y, Width(), Height(), whole.dc, 0, 0, SRCCOPY);
}
