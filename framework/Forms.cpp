// Forms and frames.
#include "Forms.h"

#include <algorithm>

#include "FormReader.h"
#include "Menus.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CREATABLE(TCustomForm, TWinControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TForm, TCustomForm, TComponent*)
CALDERAN_IMPLEMENT_CLASS(TCustomDockForm, TCustomForm)
CALDERAN_IMPLEMENT_CREATABLE(TCustomFrame, TWinControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TFrame, TCustomFrame, TComponent*)

namespace {
constexpr const char* SCannotShowModal = "Cannot make a visible window modal";
constexpr const char* SCannotFocus = "Cannot focus a disabled or invisible window";

// The top-level windows that a modal form disables, and gives back afterwards.
struct TTaskWindows {
  HWND active;
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableTaskWindow(HWND window, LPARAM data) {
  auto* list = reinterpret_cast<TTaskWindows*>(data);
  GuardedCall([&] {
    if (window != list->active && IsWindowVisible(window) && IsWindowEnabled(window)) {
      list->windows.push_back(window);
      EnableWindow(window, FALSE);
    }
  });
  return TRUE;
}

TTaskWindows DisableTaskWindows(HWND active) {
  TTaskWindows list{active, {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableTaskWindow, reinterpret_cast<LPARAM>(&list));
  return list;
}

void EnableTaskWindows(const TTaskWindows& list) {
  for (HWND window : list.windows)
    if (IsWindow(window)) EnableWindow(window, TRUE);
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// Life
TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>()) {
  canvas_->SetControl(this);
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 320, 240);
  SetVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  if (Screen) Screen->AddForm(this);
}

TCustomForm::TCustomForm(TComponent* owner, int) : TCustomForm(owner) { createNew_ = true; }

TCustomForm::~TCustomForm() {
  BeforeDestruction();
  Destroying();
  if (Screen) Screen->RemoveForm(this);
  if (Application && Application->MainForm() == this) Application->ControlDestroyed(this);
  canvas_->FreeHandle();
  if (HandleAllocated()) DestroyHandle();
}

void TCustomForm::AfterConstruction() {
  if (!createNew_ && ClassType() != TForm::StaticClass() && ClassType() != TCustomForm::StaticClass()) {
    if (!InitInheritedComponent(this, TForm::StaticClass()))
      throw EResNotFound(Format(SResNotFound, {ClassName()}));
  }
  formState_.Exclude(fsCreating);
  DoCreate();
}

void TCustomForm::BeforeDestruction() {
  if (destroyed_) return;
  destroyed_ = true;
  GuardedCall([this] { DoDestroy(); });
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  if (readClientWidth_ >= 0) {
    int w = readClientWidth_, h = readClientHeight_;
    readClientWidth_ = readClientHeight_ = -1;
    SetClientSize(w, h);
  }
}

void TCustomForm::DefineProperties(TFiler* filer) {
  TWinControl::DefineProperties(filer);
  for (const char* name : {"PixelsPerInch", "TextHeight", "OldCreateOrder", "DesignSize"})
    filer->DefineProperty(name, TReaderProc(this, &TCustomForm::IgnoreValue), nullptr, false);
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}
void TCustomForm::DoDestroy() {
  if (OnDestroy) OnDestroy(this);
}
void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}
void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}
void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}
void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}
void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

// ---------------------------------------------------------------------------------------------
// The window
void TCustomForm::StylesOf(DWORD& style, DWORD& exStyle) {
  static constexpr DWORD borderStyles[] = {WS_POPUP, WS_CAPTION | WS_BORDER, WS_CAPTION | WS_THICKFRAME,
                                           WS_POPUP | WS_CAPTION, WS_CAPTION | WS_BORDER, WS_CAPTION | WS_THICKFRAME};
  style |= borderStyles[borderStyle_];
  if (borderStyle_ == bsDialog) exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) exStyle |= WS_EX_TOOLWINDOW;
  if (formStyle_ == fsStayOnTop) exStyle |= WS_EX_TOPMOST;
  if (borderStyle_ != bsNone) {
    TBorderIcons icons = borderIcons_;
    if (borderStyle_ == bsDialog) icons = icons * TBorderIcons{biSystemMenu, biHelp};
    if (icons.Contains(biSystemMenu)) style |= WS_SYSMENU;
    if (icons.Contains(biMinimize)) style |= WS_MINIMIZEBOX;
    if (icons.Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
    if (icons.Contains(biHelp) && !(icons.Contains(biMinimize) || icons.Contains(biMaximize))) exStyle |= WS_EX_CONTEXTHELP;
  }
  if (alphaBlend_) exStyle |= WS_EX_LAYERED;
}

void TCustomForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  if (!Parent() && !ParentWindow()) {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    p.WndParent = main && main != this && main->HandleAllocated() ? main->WindowHandle()
                  : Application ? Application->Handle() : nullptr;
    p.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
    StylesOf(p.Style, p.ExStyle);
  }
  p.WindowClass.style = CS_DBLCLKS | (borderStyle_ == bsDialog ? CS_SAVEBITS : 0);
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (menu_) ::SetMenu(WindowHandle(), menu_->Handle());
  if (!icon_.Empty()) SendMessageA(WindowHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Handle()));
  if (alphaBlend_) ApplyAlphaBlend();
}

// Before the window exists the client area follows from the border styles.
TRect TCustomForm::ClientRect() {
  if (readClientWidth_ >= 0) return Rect(0, 0, readClientWidth_, readClientHeight_);
  if (HandleAllocated() || Parent()) return TWinControl::ClientRect();
  DWORD style = 0, exStyle = 0;
  StylesOf(style, exStyle);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, style, menu_ != nullptr, exStyle);
  return Rect(0, 0, std::max<LONG>(0, Width() - (frame.right - frame.left)), std::max<LONG>(0, Height() - (frame.bottom - frame.top)));
}

// A stored definition sets the client size before the border style may be known: it is applied
// once the form is loaded.
void TCustomForm::SetClientSize(int width, int height) {
  if (ComponentState().Contains(csReading)) {
    readClientWidth_ = width;
    readClientHeight_ = height;
    return;
  }
  TWinControl::SetClientSize(width, height);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle style) {
  if (style == formStyle_) return;
  formStyle_ = style;
  if (HandleAllocated())
    SetWindowPos(WindowHandle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState state) {
  if (state == windowState_) return;
  windowState_ = state;
  static constexpr int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
  if (HandleAllocated() && Showing()) ShowWindow(WindowHandle(), commands[state]);
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  if (menu_) menu_->RemoveFreeNotification(this);
  menu_ = menu;
  if (menu) menu->FreeNotification(this);
  if (HandleAllocated()) {
    ::SetMenu(WindowHandle(), menu ? menu->Handle() : nullptr);
    DrawMenuBar(WindowHandle());
  }
}

void TCustomForm::SetAlphaBlend(bool value) {
  if (value == alphaBlend_) return;
  alphaBlend_ = value;
  if (!HandleAllocated()) return;
  LONG ex = GetWindowLongA(WindowHandle(), GWL_EXSTYLE);
  SetWindowLongA(WindowHandle(), GWL_EXSTYLE, value ? ex | WS_EX_LAYERED : ex & ~WS_EX_LAYERED);
  if (value) ApplyAlphaBlend();
}

void TCustomForm::SetAlphaBlendValue(uint8_t value) {
  if (value == alphaBlendValue_) return;
  alphaBlendValue_ = value;
  if (alphaBlend_ && HandleAllocated()) ApplyAlphaBlend();
}

void TCustomForm::ApplyAlphaBlend() { SetLayeredWindowAttributes(WindowHandle(), 0, alphaBlendValue_, LWA_ALPHA); }

// ---------------------------------------------------------------------------------------------
// Messages
void TCustomForm::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE: WMClose(m); break;
    case WM_ACTIVATE: WMActivate(m); break;
    case WM_PAINT: WMPaint(m); break;
    case WM_COMMAND: WMCommand(m); break;
    case WM_SYSCOMMAND: WMSysCommand(m); break;
    case WM_DESTROY: WMDestroy(m); break;
    case CM_SHOWINGCHANGED: CMShowingChanged(m); break;
    case CM_DIALOGKEY: CMDialogKey(m); break;
    case CM_ACTIVATE: CMActivate(m); break;
    case CM_DEACTIVATE: CMDeactivate(m); break;
    case CM_RELEASE: CMRelease(m); break;
    case CM_TEXTCHANGED: CMTextChanged(m); break;
    default: TWinControl::Dispatch(m);
  }
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::WMActivate(TMessage& m) {
  SetActive(LOWORD(m.WParam) != WA_INACTIVE);
}

void TCustomForm::WMPaint(TMessage& m) {
  TCustomPaintScope scope(this);
  TWinControl::WMPaint(m);
}

void TCustomForm::PaintWindow(HDC dc) {
  TCanvasPaintScope scope(canvas_.get(), dc);
  Paint();
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

// Menu commands arrive with no control window in LParam.
void TCustomForm::WMCommand(TMessage& m) {
  if (m.LParam == 0 && HIWORD(m.WParam) == 0 && menu_ && menu_->DispatchCommand(LOWORD(m.WParam))) return;
  TWinControl::WMCommand(m);
}

void TCustomForm::WMSysCommand(TMessage& m) {
  if ((m.WParam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) windowState_ = wsMinimized;
  DefaultHandler(m);
}

void TCustomForm::WMDestroy(TMessage& m) {
  active_ = false;
  DefaultHandler(m);
}

void TCustomForm::CMTextChanged(TMessage& m) { m.Result = 0; }

void TCustomForm::CMActivate(TMessage&) { Activate(); }
void TCustomForm::CMDeactivate(TMessage&) { Deactivate(); }

void TCustomForm::CMRelease(TMessage&) {
  BeforeDestruction();
  delete this;
}

// Tab and arrows move the focus between the controls; other dialog keys go to the controls.
void TCustomForm::CMDialogKey(TMessage& m) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (LOWORD(m.WParam)) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
          m.Result = 1;
          return;
        }
        break;
      case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        if (activeControl_ && activeControl_->Parent()) {
          WORD key = LOWORD(m.WParam);
          activeControl_->Parent()->SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN, false);
          m.Result = 1;
        }
        return;
    }
  }
  TWinControl::CMDialogKey(m);
}

// ---------------------------------------------------------------------------------------------
// Showing
void TCustomForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TCustomForm::PlaceOnShow() {
  int x = Left(), y = Top();
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter: {
      TRect area = Screen ? Screen->WorkAreaRect() : TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
      x = area.Left + (area.Width() - Width()) / 2;
      y = area.Top + (area.Height() - Height()) / 2;
      break;
    }
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* center = Application ? Application->MainForm() : nullptr;
      if (position_ == poOwnerFormCenter)
        if (auto* owner = ObjectAs<TCustomForm>(Owner())) center = owner;
      if (center == this) center = nullptr;
      if (center) {
        x = (center->Width() - Width()) / 2 + center->Left();
        y = (center->Height() - Height()) / 2 + center->Top();
      } else {
        x = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
      }
      x = std::max(x, 0);
      y = std::max(y, 0);
      break;
    }
    default: return;
  }
  SetBounds(x, y, Width(), Height());
}

void TCustomForm::CMShowingChanged(TMessage&) {
  formState_.Include(fsShowing);
  struct TDone {
    TFormState& state;
    ~TDone() { state.Exclude(fsShowing); }
  } done{formState_};
  if (Showing()) {
    GuardedCall([this] { DoShow(); });
    PlaceOnShow();
    static constexpr int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(WindowHandle(), commands[windowState_]);
    if (formStyle_ == fsStayOnTop)
      SetWindowPos(WindowHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    formState_.Include(fsVisible);
    if (!activeControl_) SetActiveControl(FindNextControl(nullptr, true, true, false));
    SetWindowFocus();
  } else {
    GuardedCall([this] { DoHide(); });
    formState_.Exclude(fsVisible);
    ShowWindow(WindowHandle(), SW_HIDE);
  }
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || formState_.Contains(fsModal)) throw EInvalidOperation(SCannotShowModal);
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  if (Application) Application->ModalStarted();
  formState_.Include(fsModal);
  HWND activeWindow = GetActiveWindow();
  TTaskWindows disabled = DisableTaskWindows(nullptr);
  TModalResult result = mrNone;
  try {
    Show();
    SendMessageA(Handle(), CM_ACTIVATE, 0, 0);
    modalResult_ = mrNone;
    do {
      Application->HandleMessage();
      if (Application->Terminated()) modalResult_ = mrCancel;
      else if (modalResult_ != mrNone) CloseModal();
    } while (modalResult_ == mrNone);
    result = modalResult_;
    SendMessageA(Handle(), CM_DEACTIVATE, 0, 0);
  } catch (...) {
    EnableTaskWindows(disabled);
    Hide();
    formState_.Exclude(fsModal);
    if (Application) Application->ModalFinished();
    throw;
  }
  EnableTaskWindows(disabled);
  Hide();
  if (activeWindow && IsWindow(activeWindow)) SetActiveWindow(activeWindow);
  formState_.Exclude(fsModal);
  if (Application) Application->ModalFinished();
  return result;
}

// The modal loop asks before it ends: a close that is refused keeps the form open.
void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  switch (action) {
    case caNone: modalResult_ = mrNone; break;
    case caFree: Release(); break;
    default: break;
  }
}

void TCustomForm::Close() {
  if (formState_.Contains(fsModal)) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this) Application->Terminate();
  else if (action == caHide) Hide();
  else if (action == caMinimize) SetWindowState(wsMinimized);
  else Release();
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Release() {
  if (HandleAllocated()) PostMessageA(WindowHandle(), CM_RELEASE, 0, 0);
  else {
    BeforeDestruction();
    delete this;
  }
}

// ---------------------------------------------------------------------------------------------
// Focus
void TCustomForm::SetActive(bool value) {
  active_ = value;
  if (!value) return;
  if (!activeControl_) SetActiveControl(FindNextControl(nullptr, true, true, false));
  SetWindowFocus();
}

void TCustomForm::SetWindowFocus() {
  HWND focus = activeControl_ ? activeControl_->Handle() : WindowHandle();
  if (focus) ::SetFocus(focus);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control == activeControl_) return;
  if (control && (control == this || GetParentForm(control) != this ||
                  (!ComponentState().Contains(csLoading) && !control->CanFocus())))
    throw EInvalidOperation(SCannotFocus);
  activeControl_ = control;
  if (!ComponentState().Contains(csLoading) && active_) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control) {
  bool wasActive = active_;
  SetActiveControl(control);
  if (!wasActive) SetFocus();
}

bool CanFocusNow(TWinControl* control) {
  if (!control->CanFocus()) return false;
  TCustomForm* form = GetParentForm(control);
  return !form || form->CanFocus();
}

void TCustomForm::SetFocus() {
  if (!Visible() || !Enabled()) throw EInvalidOperation(SCannotFocus);
  SetWindowFocus();
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
  if (removing && control->ContainsControl(focusedControl_)) focusedControl_ = control->Parent();
  if (control->ContainsControl(activeControl_)) {
    activeControl_ = nullptr;
  }
  if (removing && Screen) Screen->ControlRemoved(control);
}

// A focus message whose handler moved the focus elsewhere stops the walk.
bool TCustomForm::SendFocusMessage(TControl* control, UINT msg) {
  int count = focusCount_;
  control->Perform(msg);
  return focusCount_ == count;
}

// Called when a control of this form gets the Win32 focus: CM_EXIT goes to the controls the focus
// leaves (innermost first), CM_ENTER to those it enters (outermost first).
bool TCustomForm::SetFocusedControl(TWinControl* control) {
  ++focusCount_;
  activeControl_ = control != this ? control : nullptr;
  // A form being destroyed still hears the focus leave its windows; the screen must not take it
  // (or its control) as active again, or it would keep them after they are freed.
  if (Screen && !ComponentState().Contains(csDestroying)) Screen->SetFocused(this, control);
  if (control->ControlState().Contains(csFocusing)) return false;
  control->SetControlState(control->ControlState() + csFocusing);
  struct TUnmark {
    TWinControl* c;
    ~TUnmark() { c->SetControlState(c->ControlState() - csFocusing); }
  } unmark{control};
  if (!focusedControl_) focusedControl_ = this;
  if (focusedControl_ != control) {
    while (focusedControl_ && !focusedControl_->ContainsControl(control)) {
      TWinControl* leaving = focusedControl_;
      focusedControl_ = focusedControl_->Parent();
      if (!SendFocusMessage(leaving, CM_EXIT)) return false;
    }
    while (focusedControl_ != control) {
      TWinControl* entering = control;
      while (entering->Parent() != focusedControl_) entering = entering->Parent();
      focusedControl_ = entering;
      if (!SendFocusMessage(entering, CM_ENTER)) return false;
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
  }
  return true;
}

void TCustomForm::SendCancelMode(TControl* sender) {
  if (active_ && activeControl_) activeControl_->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(sender));
  TControl* capture = GetCaptureControl();
  if (capture && capture != sender) capture->Perform(WM_CANCELMODE);
}

bool TCustomForm::IsShortCut(TMessage& m) {
  return menu_ && menu_->IsShortCut(m);
}

// ---------------------------------------------------------------------------------------------
// Frames
TCustomFrame::TCustomFrame(TComponent* owner) : TWinControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 320, 240);
}

void TCustomFrame::AfterConstruction() {
  if (constructed_) return;
  constructed_ = true;
  if (ClassType() != TFrame::StaticClass() && ClassType() != TCustomFrame::StaticClass())
    if (!InitInheritedComponent(this, TFrame::StaticClass())) throw EResNotFound(Format(SResNotFound, {ClassName()}));
}

// ---------------------------------------------------------------------------------------------
// TCustomDockForm

TCustomDockForm::TCustomDockForm(TComponent* owner) : TCustomForm(owner, 0) {
  SetBorderStyle(bsSizeToolWin);
  SetDockSite(true);
  SetDragKind(dkDock);
}

void TCustomDockForm::Dispatch(TMessage& m) {
  if (m.Msg == CM_DOCKNOTIFICATION) return CMDockNotification(m);
  TCustomForm::Dispatch(m);
}

void TCustomDockForm::GetSiteInfo(TControl*, TRect&, TPoint, bool& canDock) { canDock = false; }

void TCustomDockForm::DoAddDockClient(TControl* client, const TRect& rect) {
  TCustomForm::DoAddDockClient(client, rect);
  client->SetAlign(alClient);
}

void TCustomDockForm::DoRemoveDockClient(TControl* client) {
  TCustomForm::DoRemoveDockClient(client);
  if (client->Align() == alClient) client->SetAlign(alNone);
  if (DockClientCount() == 0) Release();
}

void TCustomDockForm::CMDockNotification(TMessage& m) {
  const auto* rec = reinterpret_cast<const TDockNotifyRec*>(m.LParam);
  if (rec->ClientMsg == WM_SETTEXT) SetCaption(reinterpret_cast<const char*>(rec->MsgLParam));
  else if (rec->ClientMsg == CM_VISIBLECHANGED) SetVisible(rec->MsgWParam != 0);
  TCustomForm::Dispatch(m);
}
