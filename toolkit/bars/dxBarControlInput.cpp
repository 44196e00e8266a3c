// Bar windows: mouse routing, selection and the click.
#include "Forms.h"
#include "dxBarButtonControl.h"
#include "dxBarControl.h"
#include "dxBarEditControls.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarItemRegistry.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarRoutines.h"

namespace {
bool IsMouseMessage(UINT message) {
  return (message >= WM_MOUSEFIRST && message <= WM_MOUSEWHEEL) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

TPoint CursorPos() {
  POINT p;
  GetCursorPos(&p);
  return {p.x, p.y};
}
}  // namespace

void TCustomdxBarControl::Dispatch(TMessage& m) {
  if (IsMouseMessage(m.Msg)) {
    currentMessage_ = m;
    if (!IsInActiveChain()) return;
  }
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: WMLButtonDown(m); break;
    case WM_LBUTTONUP: WMLButtonUp(m); break;
    case WM_MOUSEMOVE: WMMouseMove(m); break;
    case WM_MOUSELEAVE: MouseLeft(); break;
    case WM_CAPTURECHANGED: WMCaptureChanged(m); break;
    case WM_KEYDOWN: WMKeyDown(m); break;
    case WM_KILLFOCUS: WMKillFocus(m); break;
    case WM_ERASEBKGND: m.Result = 1; break;
    case WM_MOUSEACTIVATE:
      TCustomControl::Dispatch(m);
      m.Result = MA_NOACTIVATE;
      break;
    case WM_NCPAINT: WMNCPaint(m); break;
    case WM_DESTROY: WMDestroy(m); break;
    case WM_SIZE:
      TCustomControl::Dispatch(m);
      if (HandleAllocated()) UpdateLayout();
      break;
    case DXM_BAR_REBUILDITEMCONTROLS: Rebuild(true); break;
    case WM_SETFOCUS: WMSetFocus(m); break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: WMCtlColorEdit(m); break;
    case WM_COMMAND: WMCommand(m); break;
    default: TCustomControl::Dispatch(m);
  }
}

void TCustomdxBarControl::WMDestroy(TMessage& m) {
  if (!ComponentState().Contains(csDestroying)) MouseLeft();
  TCustomControl::Dispatch(m);
}

// A bar window keeps no focus: it goes to the manager's owner window (a hosted edit keeps it).
void TCustomdxBarControl::WMSetFocus(TMessage& m) {
  TdxBarItemControl* selected = SelectedControl();
  if (selected && selected->HostsWindow()) return TCustomControl::Dispatch(m);
  TWinControl* owner = manager_ ? GetWinControlOwner(manager_) : nullptr;
  if (owner && owner->HandleAllocated() && IsWindowVisible(owner->WindowHandle())) ::SetFocus(owner->WindowHandle());
}

// A hosted window that is no control of its own (an item control's edit window) gets its
// notifications back, so that its item control sees its text change.
void TCustomdxBarControl::WMCommand(TMessage& m) {
  HWND child = reinterpret_cast<HWND>(m.LParam);
  if (child && GetParent(child) == WindowHandle() && !FindControl(child)) {
    m.Result = SendMessageA(child, WM_COMMAND, m.WParam, m.LParam);
    return;
  }
  TCustomControl::Dispatch(m);
}

// The edit being edited takes the colours of its control; it is told once that the bar window
// coloured it.
void TCustomdxBarControl::WMCtlColorEdit(TMessage& m) {
  auto* edit = ObjectAs<TdxBarCustomEditControl>(SelectedControl());
  if (edit && reinterpret_cast<HWND>(m.LParam) == edit->GetWindowHandle()) {
    TColor text, background;
    edit->Painter()->GetEditColors(edit, text, background);
    const HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToRGB(text));
    SetBkColor(dc, ColorToRGB(background));
    m.Result = reinterpret_cast<LRESULT>(edit->GetEditBrushHandle());
  } else {
    TCustomControl::Dispatch(m);
  }
  if (!IsEditActive()) {
    editColoredPosted_ = false;
    return;
  }
  if (editColoredPosted_) return;
  editColoredPosted_ = true;
  PostMessageA(reinterpret_cast<HWND>(m.LParam), DXM_BAR_EDITCOLORED, 0, 0);
}

void TCustomdxBarControl::WMKillFocus(TMessage& m) {
  TCustomControl::Dispatch(m);
  if (m.WParam == 0) Close();
}

// ---------------------------------------------------------------------------------------------
// Mouse tracking.

TdxBarItemControl* TCustomdxBarControl::ItemControlAtPos(const TPoint& point) const {
  for (int i = 0; i < viewInfo_->GetItemControlViewInfoCount(); ++i) {
    TdxBarItemControlViewInfo* info = viewInfo_->GetItemControlViewInfo(i);
    if (info->Control()->IsHitTestVisible() && info->Bounds().Contains(point)) return info->Control();
  }
  return nullptr;
}

bool TCustomdxBarControl::IgnoresMousePosition(bool checkUnchanged) const {
  if (IsCustomizing()) return true;
  if (!HandleAllocated()) return true;
  const TPoint cursor = CursorPos();
  if (checkUnchanged && cursor == lastMousePos_) return true;
  RECT window;
  GetWindowRect(WindowHandle(), &window);
  return !TRect(window).Contains(cursor);
}

void TCustomdxBarControl::WMMouseMove(TMessage& m) {
  TcxObjectLinkGuard alive(this);
  TCustomControl::Dispatch(m);
  if (alive.Alive()) TrackMousePosition(KeysToShiftState(LOWORD(m.WParam)), m.Pos());
}

void TCustomdxBarControl::TrackMousePosition(TShiftState, const TPoint&) {
  if (!IgnoresMousePosition(true)) lastMousePos_ = CursorPos();
  else if (IgnoresMousePosition(false)) MouseLeft();
}

void TCustomdxBarControl::MouseLeft() {
  lastMousePos_ = TPoint(-1, -1);
  if (!tracking_) return;
  tracking_ = false;
  DoMouseLeave();
}

void TCustomdxBarControl::ChangeTrackedLink(TdxBarItemLink* link) {
  const TPoint point = HandleAllocated() ? ScreenToClient(CursorPos()) : TPoint(-1, -1);
  if (link != trackedLink_) {
    if (trackedLink_ && trackedLink_->Control()) trackedLink_->Control()->MouseLeave();
    trackedLink_ = link;
    if (link && link->Control()) link->Control()->MouseEnter(point);
  }
  if (link && link->Control()) link->Control()->MouseMove(point);
}

// The window tracks the mouse until it leaves (the system reports WM_MOUSELEAVE then).
void TCustomdxBarControl::DoMouseEnter(TdxBarItemControl* control) {
  tracking_ = true;
  if (HandleAllocated()) {
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, WindowHandle(), 0};
    TrackMouseEvent(&track);
  }
  ChangeTrackedLink(control ? control->Link() : nullptr);
  SetViewState(1);
}

void TCustomdxBarControl::DoMouseLeave() {
  ChangeTrackedLink(nullptr);
  SetViewState(0);
  TdxBarItemControl* selected = SelectedControl();
  if (!clickedControl_ && !(selected && selected->IsDroppedDown()) && !IsCustomizing()) SetSelectedItemControl(nullptr);
}

void TCustomdxBarControl::SetViewState(int state) {
  if (state == viewState_ || IsCustomizing()) return;
  viewState_ = state;
}

void TCustomdxBarControl::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (ComponentState().Contains(csDestroying)) return;
  TdxBarItemControl* control = ItemControlAtPos(TPoint(x, y));
  if (lastMousePos_ == TPoint(-1, -1) && !IgnoresMousePosition(true)) DoMouseEnter(control);
  DoMouseMove(shift, TPoint(x, y), control);
}

// Moving off every item keeps the selection while a child menu is open or a control holds the
// mouse; an active toolbar keeps its keyboard selection when the mouse is over no item.
void TCustomdxBarControl::DoMouseMove(TShiftState, const TPoint&, TdxBarItemControl* control) {
  if (IgnoresMousePosition(true)) return;
  ChangeTrackedLink(control ? control->Link() : nullptr);
  if (control && !control->CanSelect()) control = nullptr;
  if ((!Is<TdxBarControl>() || !active_ || control) && !clickedControl_ && (control || !childBar_))
    SelectItemControlByMouse(control);
}

void TCustomdxBarControl::WMLButtonDown(TMessage& m) {
  if (ignoreNextClick_) return;
  TCustomControl::Dispatch(m);
}

void TCustomdxBarControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  const TPoint point(x, y);
  TdxBarItemControl* control = ItemControlAtPos(point);
  if (!tracking_ && !IsCustomizing()) DoMouseEnter(control);
  if (shift.Contains(ssDouble) && control && control == SelectedControl() && control->WantsDblClick()) {
    ItemDoubleClicked(control);
    return;
  }
  // A hosted edit sent the stored message must see a plain press.
  if (currentMessage_.Msg == WM_LBUTTONDBLCLK) currentMessage_.Msg = WM_LBUTTONDOWN;
  else if (currentMessage_.Msg == WM_RBUTTONDBLCLK) currentMessage_.Msg = WM_RBUTTONDOWN;
  else if (currentMessage_.Msg == WM_MBUTTONDBLCLK) currentMessage_.Msg = WM_MBUTTONDOWN;
  DoMouseDown(button, shift, point, control);
}

void TCustomdxBarControl::DoMouseDown(TMouseButton button, TShiftState shift, const TPoint& point,
                                      TdxBarItemControl* control) {
  if (control && !IgnoresMousePosition(false)) control->MouseDown(button, shift, point);
  if (button == mbLeft && !IsCustomizing()) {
    ClickItemControl(control);
  } else if (button == mbRight && control != SelectedControl() && IsFocusedBar()) {
    Deactivate();
  }
}

void TCustomdxBarControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  const TPoint point(x, y);
  DoMouseUp(button, shift, point, ItemControlAtPos(point));
}

void TCustomdxBarControl::DoMouseUp(TMouseButton button, TShiftState shift, const TPoint& point,
                                    TdxBarItemControl* control) {
  if (control && !IgnoresMousePosition(false)) control->MouseUp(button, shift, point);
}

void TCustomdxBarControl::ItemDoubleClicked(TdxBarItemControl* control) { control->DblClick(); }

// The release clicks only the enabled control that is still the selected one; a release on a
// disabled control while another is selected closes a toolbar's active state.
void TCustomdxBarControl::WMLButtonUp(TMessage& m) {
  if (ignoreNextClick_) {
    ignoreNextClick_ = false;
    return;
  }
  TcxObjectLinkGuard alive(this);
  TCustomControl::Dispatch(m);
  if (!alive.Alive()) return;
  TdxBarItemControl* clicked = clickedControl_;
  if (clicked) SetMouseCapture(false);
  const TPoint point = m.Pos();
  if (ClientRect().Contains(point) && active_ && !IsCustomizing()) ClickAtPoint(point);
  if (clicked && alive.Alive()) Close();
}

void TCustomdxBarControl::ClickAtPoint(const TPoint& point) {
  TdxBarItemControl* control = ItemControlAtPos(point);
  if (!control || !control->CanClick()) return;
  TdxBarItemControl* selected = SelectedControl();
  if (control->GetEnabled() && control == selected) {
    control->Click(true);
  } else if (!control->GetEnabled() && selected != control && Is<TdxBarControl>()) {
    auto* button = ObjectAs<TdxBarButtonControl>(selected);
    if (!(button && button->IsDroppedDown())) Close();
  }
}

void TCustomdxBarControl::WMCaptureChanged(TMessage& m) {
  TCustomControl::Dispatch(m);
  clickedControl_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Selection.

TdxBarItemControl* TCustomdxBarControl::SelectedControl() const {
  return selectedLink_ ? selectedLink_->Control() : nullptr;
}

void TCustomdxBarControl::SetSelectedItemControl(TdxBarItemControl* control) {
  if (!HandleAllocated() || ComponentState().Contains(csDestroying) || control == SelectedControl()) return;
  TcxObjectLinkGuard alive(this);
  TdxBarItemControl* selected = SelectedControl();
  if (selected && selected->Active()) {
    selected->ControlInactivate(true);
    if (!alive.Alive()) return;
  }
  if (control) control->SetSelectedByMouse(false);
  DoSetSelectedItemControl(control);
  if (alive.Alive()) ItemControlSelected(control);
}

// Button-like controls are activated when the mouse selects them: a menu window opens their
// drop-down after the delay, a toolbar that the user is pressing along opens it at once.
void TCustomdxBarControl::SelectItemControlByMouse(TdxBarItemControl* control) {
  if (!HandleAllocated() || ComponentState().Contains(csDestroying)) return;
  TdxBarItemControl* selected = SelectedControl();
  if (control == selected) return;
  TcxObjectLinkGuard alive(this);
  if (selected && selected->Active()) {
    selected->ControlInactivate(false);
    if (!alive.Alive()) return;
  }
  if (control) control->SetSelectedByMouse(true);
  DoSetSelectedItemControl(control);
  if (!alive.Alive()) return;
  if (auto* buttonLike = ObjectAs<TdxBarButtonLikeControl>(control)) {
    buttonLike->SetOpenedByMouse(true);
    buttonLike->ControlActivate(false);
  }
}

void TCustomdxBarControl::DoSetSelectedItemControl(TdxBarItemControl* control) {
  TdxBarItemControl* old = SelectedControl();
  if (control == old) return;
  selectedLink_ = control ? control->Link() : nullptr;
  if (GetBehaviourFlags() & bbfKeepSelectionWhileNavigating) downed_ = false;
  TcxObjectLinkGuard alive(this);
  if (manager_) manager_->SetSelectedItemControl(control);
  if (old) RepaintItemControl(old);
  if (control) RepaintItemControl(control);
  if (!manager_ || !alive.Alive()) return;
  std::string text, shortCut;
  const bool hasHint = control && control->GetHintText(text, shortCut);
  manager_->UpdateHint(hasHint, text, control);
}

// ---------------------------------------------------------------------------------------------
// The click.

void TCustomdxBarControl::ClickItemControl(TdxBarItemControl* control) {
  if (!control || !control->GetEnabled() || !control->CanClick()) return;
  SetSelectedItemControl(control);
  if (manager_) manager_->HideHint();
  auto* buttonLike = ObjectAs<TdxBarButtonLikeControl>(control);
  if (buttonLike) buttonLike->SetOpenedByMouse(true);
  TcxObjectLinkGuard alive(this);
  control->ControlClick(true, 0);
  if (alive.Alive() && ShowsItemControl(control) && buttonLike && SelectedControl() == control)
    buttonLike->SetOpenedByMouse(false);
}
