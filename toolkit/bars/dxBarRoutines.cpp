#include "dxBarRoutines.h"

#include <cmath>

#include "dxBarItemRegistry.h"
#include "dxBarManager.h"

bool IsActiveWindow(HWND window) { return window && window == GetActiveWindow(); }

bool IsControlWindowVisible(TWinControl* control) {
  return control && control->HandleAllocated() && IsWindowVisible(control->Handle());
}

bool IsWindowEnabledChain(HWND window) {
  for (HWND w = window; w; w = GetParent(w)) {
    if (!IsWindowEnabled(w)) return false;
    if (!(GetWindowLongA(w, GWL_STYLE) & WS_CHILD)) break;
  }
  return window != nullptr;
}

bool IsFocusInChain(HWND window) {
  for (HWND w = GetFocus(); w; w = (GetWindowLongA(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr) {
    if (w == window) return true;
  }
  return false;
}

bool IsDescendantWindow(HWND window, HWND ancestor) {
  for (HWND w = GetParent(window); w; w = GetParent(w)) {
    if (w == ancestor) return true;
  }
  return false;
}

bool IsWindowOfOtherProcess(HWND window) {
  if (!window) return true;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process != GetCurrentProcessId();
}

void ActivateTopLevelWindow(HWND window) { SetActiveWindow(GetAncestor(window, GA_ROOT)); }

TWinControl* GetWinControlOwner(TComponent* component) {
  for (TComponent* c = component ? component->Owner() : nullptr; c; c = c->Owner()) {
    if (auto* control = ObjectAs<TWinControl>(c)) return control;
  }
  return nullptr;
}

TWinControl* GetWinControlOf(TControl* control) {
  if (auto* windowed = ObjectAs<TWinControl>(control)) return windowed;
  return control ? control->Parent() : nullptr;
}

bool IsControlInside(TControl* control, TControl* other) {
  auto* a = ObjectAs<TWinControl>(control);
  auto* b = ObjectAs<TWinControl>(other);
  if (a && b && a->HandleAllocated() && b->HandleAllocated()) {
    return a->Handle() == b->Handle() || IsDescendantWindow(b->Handle(), a->Handle());
  }
  for (TControl* c = other; c; c = c->Parent()) {
    if (c == control) return true;
  }
  return false;
}

TCustomForm* FindParentForm(TControl* control, int mode) {
  TCustomForm* result = nullptr;
  for (TControl* c = control; c; c = c->Parent()) {
    auto* form = ObjectAs<TCustomForm>(c);
    if (!form) continue;
    result = form;
    if (mode == 2 || (mode == 1 && form->FormStyle() == fsMDIChild)) break;
  }
  return result;
}

TCustomForm* GetParentFormOf(TControl* control) { return FindParentForm(control, 2); }

TdxBarManager* FindBarManagerForWindow(HWND window) { return FindBarManagerOf(FindControl(window)); }

TdxBarManager* FindBarManagerForControl(TControl* control) {
  for (TWinControl* c = GetWinControlOf(control); c; c = c->Parent()) {
    if (TdxBarManager* manager = FindBarManagerOf(c)) return manager;
  }
  return nullptr;
}

HWND WindowFromScreenPoint(const TPoint& point) {
  HWND window = WindowFromPoint({point.X, point.Y});
  for (HWND child = window; child;) {
    POINT p{point.X, point.Y};
    ScreenToClient(window, &p);
    child = ChildWindowFromPointEx(window, p, CWP_SKIPINVISIBLE);
    if (!child || child == window) break;
    window = child;
  }
  return window;
}

void SetWindowZOrder(HWND window, HWND after, bool activate, UINT flags) {
  SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | (activate ? 0 : SWP_NOACTIVATE) | flags);
}

void DestroyWindowVar(HWND& window, bool destroy) {
  if (destroy && window) DestroyWindow(window);
  window = nullptr;
}

bool KillTimerVar(HWND window, UINT_PTR& timer) {
  if (timer == 0 || !KillTimer(window, timer)) return false;
  timer = 0;
  return true;
}

void SetWindowAlphaBlend(HWND window, Byte alpha) {
  TSetLayeredWindowAttributesFunc setAttributes = SetLayeredWindowAttributesFunc();
  if (!setAttributes) return;
  const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
  if (alpha < 255) {
    if (!(exStyle & WS_EX_LAYERED)) SetWindowLongA(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    setAttributes(window, 0, alpha, LWA_ALPHA);
  } else if (exStyle & WS_EX_LAYERED) {
    SetWindowLongA(window, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
    RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

int ShowAppMessageBox(const std::string& text, UINT flags) {
  return Application ? Application->MessageBox(text, Application->Title(), flags) : 0;
}

// ---------------------------------------------------------------------------------------------
uint16_t KeyMessageToShortCut(WPARAM charCode, LPARAM keyData) {
  if (charCode == 0) return 0;
  uint16_t result = static_cast<uint16_t>(charCode);
  if (GetKeyState(VK_SHIFT) < 0) result |= 0x2000;
  if (GetKeyState(VK_CONTROL) < 0) result |= 0x4000;
  if (keyData & (1 << 29)) result |= 0x8000;
  return result;
}

bool IsCharacterKey(UINT virtualKey) {
  const UINT c = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_CHAR);
  return c < 65536 && c > 32;
}

bool IsMouseButtonDownMessage(UINT message) {
  switch (message) {
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK: case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: return true;
    default: return false;
  }
}

bool IsLeftMouseButtonDown() {
  return GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) < 0;
}

bool IsRightMouseButtonDown() {
  return GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_LBUTTON : VK_RBUTTON) < 0;
}

int FindAccelCharPos(std::string& caption, bool deleteAmp) {
  int result = 0;
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (deleteAmp) caption.erase(i, 1);
    else ++i;
    if (caption[i] != '&') result = static_cast<int>(i) + 1;
  }
  return result;
}

std::string StripAccelChars(const std::string& caption) {
  std::string text = caption;
  FindAccelCharPos(text, true);
  return text;
}

int FirstViewLevel(TdxBarItemViewLevels levels) {
  for (int level = 0; level < 4; ++level) {
    if (levels.Contains(static_cast<TdxBarItemViewLevel>(level))) return level;
  }
  return 4;
}

int LastViewLevel(TdxBarItemViewLevels levels) {
  for (int level = 3; level >= 0; --level) {
    if (levels.Contains(static_cast<TdxBarItemViewLevel>(level))) return level;
  }
  return 255;
}

int NextViewLevel(TdxBarItemViewLevels levels, int level) {
  for (int next = level + 1; next < 4; ++next) {
    if (levels.Contains(static_cast<TdxBarItemViewLevel>(next))) return next;
  }
  return 4;
}

// ---------------------------------------------------------------------------------------------
namespace {
struct TCandidate {
  int Distance;
  double Angle;
};

TCandidate Measure(const TRect& a, const TRect& b, int direction) {
  const double dx = (b.Left + b.Right) / 2.0 - (a.Left + a.Right) / 2.0;
  const double dy = (b.Top + b.Bottom) / 2.0 - (a.Top + a.Bottom) / 2.0;
  double t = std::atan2(dy, dx) * 180.0 / M_PI;
  if (t < 0) t += 360;
  static const double turns[] = {180, 270, 0, 90};
  t -= turns[direction];
  const double angle = std::min(std::fabs(t), std::fabs(t < 0 ? t + 360 : t - 360));
  const int distances[] = {a.Left - b.Right, a.Top - b.Bottom, b.Left - a.Right, b.Top - a.Bottom};
  return {distances[direction], angle};
}

int BestCandidate(const TRect& from, const std::vector<TRect>& candidates, int direction) {
  int best = -1;
  TCandidate bestMeasure{};
  for (size_t i = 0; i < candidates.size(); ++i) {
    const TCandidate m = Measure(from, candidates[i], direction);
    if (m.Distance < 0) continue;
    if (best < 0 || m.Distance < bestMeasure.Distance ||
        (m.Distance == bestMeasure.Distance && m.Angle < bestMeasure.Angle)) {
      best = static_cast<int>(i);
      bestMeasure = m;
    }
  }
  return best;
}
}  // namespace

int FindNeighbourInDirection(const TRect& from, const std::vector<TRect>& candidates, int direction, bool wrap) {
  if (direction < 0 || direction > 3) return -1;
  const int found = BestCandidate(from, candidates, direction);
  if (found >= 0 || !wrap || (direction != 0 && direction != 2)) return found;
  TRect moved = from;
  constexpr int farEdge = 1073741823;
  moved.Offset(direction == 0 ? farEdge - from.Right : -farEdge - from.Left, 0);
  return BestCandidate(moved, candidates, direction);
}
