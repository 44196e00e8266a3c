#include "dxRibbonServices.h"

#include "Forms.h"
#include "dxBarControl.h"

namespace {
HHOOK ribbonMouseHook = nullptr;

bool IsRibbonReachable(TdxCustomRibbon* ribbon) {
  return ribbon && !ribbon->IsHidden() && (ribbon->ShowTabHeaders() || ribbon->ShowTabGroups());
}

TdxCustomRibbon* FirstRibbonOf(TComponent* owner) {
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (auto* ribbon = ObjectAs<TdxCustomRibbon>(owner->Components(i))) return ribbon;
  return nullptr;
}

TdxCustomRibbon* RibbonAmongParents(HWND window) {
  for (; window; window = (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr)
    if (auto* ribbon = ObjectAs<TdxCustomRibbon>(FindControl(window))) return ribbon;
  return nullptr;
}

WORD MouseKeysOf(TShiftState shift) {
  WORD keys = 0;
  if (shift.Contains(ssShift)) keys |= MK_SHIFT;
  if (shift.Contains(ssCtrl)) keys |= MK_CONTROL;
  if (shift.Contains(ssLeft)) keys |= MK_LBUTTON;
  if (shift.Contains(ssRight)) keys |= MK_RBUTTON;
  if (shift.Contains(ssMiddle)) keys |= MK_MBUTTON;
  return keys;
}

// Hands the wheel to whoever takes it; false when the message goes on to the next hook.
bool RouteWheel(const MOUSEHOOKSTRUCTEX& hook) {
  const short delta = static_cast<short>(HIWORD(hook.mouseData));
  switch (GetBarWheelRouting()) {
    case bwrBarTakes: {
      const WPARAM wParam = MAKEWPARAM(MouseKeysOf(KeyboardStateToShiftState()), static_cast<WORD>(delta));
      SendMessageW(ActiveBarControl()->Handle(), WM_MOUSEWHEEL, wParam, MAKELPARAM(hook.pt.x, hook.pt.y));
      return true;
    }
    case bwrNoActiveBar: {
      TdxCustomRibbon* ribbon = FindRibbon(WindowFromPoint(hook.pt), false);
      if (!ribbon || !IsWindowEnabled(ribbon->Handle())) return false;
      ribbon->HandleMouseWheel(KeyboardStateToShiftState(), delta, TPoint(-1, -1));
      return true;
    }
    default:
      return false;
  }
}
}  // namespace

TdxCustomRibbon* FindRibbon(HWND window, bool searchForm) {
  TdxCustomRibbon* ribbon = nullptr;
  auto* form = searchForm ? ObjectAs<TCustomForm>(FindControl(window)) : nullptr;
  ribbon = form ? FirstRibbonOf(form) : RibbonAmongParents(window);
  return IsRibbonReachable(ribbon) ? ribbon : nullptr;
}

TRect GetWindowWorkArea(HWND window) {
  HMONITOR monitor;
  if (window) {
    monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
  } else {
    POINT cursor;
    GetCursorPos(&cursor);
    monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
  }
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (monitor && GetMonitorInfoW(monitor, &info)) return TRect(info.rcWork);
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return TRect(left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

void RedrawControl(TWinControl* control, bool allChildren, bool synchronous) {
  if (!control || !control->HandleAllocated() || !IsWindowVisible(control->Handle())) return;
  control->Invalidate();
  UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME;
  if (allChildren) flags |= RDW_ALLCHILDREN;
  if (synchronous) flags |= RDW_UPDATENOW | RDW_ERASENOW;
  RedrawWindow(control->Handle(), nullptr, nullptr, flags);
  if (!synchronous) control->Update();
}

void FillRectAndExclude(HDC dc, const TRect& rect, TColor color, bool exclude) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  FillRect(dc, rect.Win(), brush);
  DeleteObject(brush);
  if (exclude) ExcludeClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
}

bool HasComponentOfClass(TComponent* owner, TClass componentClass) {
  for (int i = 0; owner && i < owner->ComponentCount(); ++i)
    if (owner->Components(i)->InheritsFrom(componentClass)) return true;
  return false;
}

bool IsBarMenuModeActive() { return ActiveBarControl() != nullptr; }

TdxBarWheelRouting GetBarWheelRouting() {
  TCustomdxBarControl* bar = ActiveBarControl();
  if (!bar || !bar->HandleAllocated()) return bwrNoActiveBar;
  HWND focus = GetFocus();
  if (focus && focus != bar->Handle() && IsChild(bar->Handle(), focus)) return bwrFocusedControl;
  return bar->AcceptsMouseWheel() ? bwrBarTakes : bwrBarIgnores;
}

LRESULT CALLBACK RibbonMouseWheelHook(int code, WPARAM message, LPARAM data) {
  if (code < 0 || message != WM_MOUSEWHEEL || (Mouse && !Mouse->WheelPresent()))
    return CallNextHookEx(ribbonMouseHook, code, message, data);
  bool handled = false;
  GuardedCall([&] { handled = RouteWheel(*reinterpret_cast<const MOUSEHOOKSTRUCTEX*>(data)); });
  return handled ? 1 : CallNextHookEx(ribbonMouseHook, code, message, data);
}

void InstallRibbonMouseHook() {
  if (!ribbonMouseHook)
    ribbonMouseHook = SetWindowsHookExW(WH_MOUSE, RibbonMouseWheelHook, nullptr, GetCurrentThreadId());
}

void RemoveRibbonMouseHook() {
  if (ribbonMouseHook) UnhookWindowsHookEx(ribbonMouseHook);
  ribbonMouseHook = nullptr;
}

bool IsRibbonMouseHookInstalled() { return ribbonMouseHook != nullptr; }
