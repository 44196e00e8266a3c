// Docking a manager's toolbars: edge sites, the site under a dragged toolbar and the drag loop.
#include "dxBarDocking.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "cxClasses.h"
#include "dxBarControl.h"
#include "dxBarManager.h"
#include "dxBarToolbar.h"

namespace {

std::vector<TdxBars*>& AllBars() {
  static std::vector<TdxBars*> bars;
  return bars;
}

// The docking wait: one at a time, for the toolbar being dragged.
UINT_PTR dockingWaitTimer = 0;
TdxBars* dockingWaitBars = nullptr;

constexpr TdxBarDockingStyle sideOrder[] = {dsLeft, dsRight, dsTop, dsBottom};

TPoint CursorPos() {
  POINT p;
  GetCursorPos(&p);
  return {p.x, p.y};
}

TPoint WindowOrigin(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {r.left, r.top};
}

// A mouse message's point on the screen (its coordinates are the receiving window's client ones).
TPoint MessagePoint(const MSG& msg) {
  POINT p{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
  if (msg.hwnd) ClientToScreen(msg.hwnd, &p);
  return {p.x, p.y};
}

}  // namespace

TdxBars* BarsOf(const TdxBarManager* manager) {
  for (TdxBars* bars : AllBars())
    if (bars->BarManager() == manager) return bars;
  return nullptr;
}

TdxBars::TdxBars(TdxBarManager* manager) : manager_(manager) {
  auto* owner = manager ? dynamic_cast<TWinControl*>(manager->Owner()) : nullptr;
  for (TdxBarDockingStyle style : {dsLeft, dsTop, dsRight, dsBottom}) {
    auto* dock = new TdxDockControl(nullptr, manager, style);
    if (owner) dock->SetParent(owner);
    edgeDocks_[style - dsLeft] = dock;
    edgeDocksAlive_[style - dsLeft] = std::make_unique<TcxObjectLinkGuard>(dock);
  }
  AllBars().push_back(this);
}

TdxBars::~TdxBars() {
  if (dockingWaitBars == this) StopDockingWait();
  std::erase(AllBars(), this);
  for (int i = 0; i < 4; ++i)
    if (edgeDocksAlive_[i]->Alive()) delete edgeDocks_[i];
}

TdxDockControl* TdxBars::DockControl(TdxBarDockingStyle style) const {
  return style == dsNone ? nullptr : edgeDocks_[style - dsLeft];
}

TdxDockControl* TdxBars::DockOf(TdxBarControl* window) const {
  return window->DockingStyle() == dsNone ? nullptr : dynamic_cast<TdxDockControl*>(window->Parent());
}

// ---------------------------------------------------------------------------------------------
// The site under the point.

bool TdxBars::Qualifies(TdxDockControl* dock, TdxBar* bar, TdxBarDockingStyle style, TPoint point) const {
  if (!dock->HandleAllocated() || !IsWindowVisible(dock->Handle()) || !dock->CanDocking(bar)) return false;
  if (!manager_->CanDock(bar, style, dock)) return false;
  if (!dock->GetDockingZoneRect().Contains(point)) return false;
  // A site covered by another child of its form does not catch the toolbar.
  TWinControl* parent = dock->Parent();
  if (!parent || !parent->Parent()) return true;
  HWND grandparent = parent->Parent()->Handle();
  POINT p{point.X, point.Y};
  ScreenToClient(grandparent, &p);
  return ChildWindowFromPointEx(grandparent, p, CWP_SKIPINVISIBLE) == parent->Handle();
}

void TdxBars::FindTargetAt(TdxBar* bar, TPoint point, TdxBarDockingStyle& style, TdxDockControl*& dock) const {
  for (TdxBarDockingStyle side : sideOrder)
    for (int i = 0; i < manager_->DockControlCount(); ++i) {
      TdxDockControl* candidate = manager_->DockControls(i);
      if (candidate->DockingStyle() == side && Qualifies(candidate, bar, side, point)) {
        style = side;
        dock = candidate;
        return;
      }
    }
}

void TdxBars::FindDockingTarget(TdxBar* bar, TPoint point, TdxBarDockingStyle& style, TdxDockControl*& dock) const {
  style = dsNone;
  dock = nullptr;
  // Ctrl keeps a dragged toolbar floating.
  if (moving_ && GetAsyncKeyState(VK_CONTROL) < 0) return;
  FindTargetAt(bar, point, style, dock);
  if (!dock && moving_) FindTargetAt(bar, point - pointerOffset_, style, dock);
}

void TdxBars::DockBarAt(TdxBarDockingStyle style, TdxDockControl* dock, TPoint point, TdxBarControl* window) {
  if (!dock) dock = DockControl(style);
  if (dock) dock->AddBarControl(window, point, true);
}

void TdxBars::UndockBar(TdxBarDockingStyle style, TdxDockControl* dock, TdxBarControl* window) {
  if (!dock) dock = DockControl(style);
  if (dock) dock->RemoveBarControl(window, true);
}

// ---------------------------------------------------------------------------------------------
// Moving.

void CALLBACK TdxBars::DockingWaitElapsed(HWND, UINT, UINT_PTR, DWORD) {
  TdxBars* bars = dockingWaitBars;
  if (dockingWaitTimer) KillTimer(nullptr, dockingWaitTimer);
  dockingWaitTimer = 0;
  dockingWaitBars = nullptr;
  if (!bars || !bars->movingWindow_) return;
  bars->timerDocking_ = true;
  bars->MoveBarTo(bars->movingWindow_, CursorPos() + bars->pointerOffset_);
  bars->timerDocking_ = false;
}

void TdxBars::StartDockingWait() {
  StopDockingWait();
  dockingWaitBars = this;
  dockingWaitTimer = SetTimer(nullptr, 0, static_cast<UINT>(manager_->WaitForDockingTime()), &DockingWaitElapsed);
}

void TdxBars::StopDockingWait() {
  if (dockingWaitTimer) KillTimer(nullptr, dockingWaitTimer);
  dockingWaitTimer = 0;
  dockingWaitBars = nullptr;
}

void TdxBars::MoveBarTo(TdxBarControl* window, TPoint point) {
  TdxBar* bar = window->Bar();
  TdxBarDockingStyle style;
  TdxDockControl* dock;
  FindDockingTarget(bar, point, style, dock);
  if (!manager_->CanDock(bar, style, dock)) return;
  // A floating toolbar docks only when the pointer stays over the site for a while.
  if (!timerDocking_ && window->DockingStyle() == dsNone && dock) {
    StartDockingWait();
    style = dsNone;
    dock = nullptr;
  }
  if (!dock) point = point - pointerOffset_;
  TdxDockControl* current = DockOf(window);
  const TPoint topLeft = point - grabOffset_;
  if (window->DockingStyle() == style && current == dock) {
    if (dock) dock->MoveBarControl(window, point);
    else SetWindowPos(window->Handle(), nullptr, topLeft.X, topLeft.Y, 0, 0,
                      SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
    return;
  }
  if (window->HandleAllocated()) ShowWindow(window->Handle(), SW_HIDE);
  if (current) current->RemoveBarControl(window, true);
  if (dock) {
    window->SetParent(dock);
    window->SetDockingStyle(style);
    const TSize size = window->CalcFullSize();
    window->SetBounds(window->Left(), window->Top(), size.cx, size.cy);
    DockBarAt(style, dock, point, window);
  } else {
    window->SetDockingStyle(dsNone);
    window->SetParent(nullptr);
    const TSize size = window->CalcFullSize();
    window->SetBounds(topLeft.X, topLeft.Y, size.cx, size.cy);
  }
  window->HandleNeeded();
  window->SetVisible(true);
  ShowWindow(window->Handle(), SW_SHOWNA);
  window->Rebuild();
}

// ---------------------------------------------------------------------------------------------
// The drag loop.

void TdxBars::DragBar(TdxBarControl* window) {
  if (!window->Bar() || !window->HandleAllocated()) return;
  TcxObjectLinkGuard alive(window);
  moving_ = true;
  movingWindow_ = window;
  TPoint last = CursorPos();
  pointerOffset_ = {0, 0};
  grabOffset_ = last - WindowOrigin(window->Handle());
  if (TdxDockControl* dock = DockOf(window)) {
    // While docked the hit point is the start of the toolbar's row, so that the toolbar changes
    // rows when its edge (not the cursor) crosses a zone.
    int row, col;
    if (dock->FindBarControl(window, row, col)) {
      const TRect rect = dock->GetRowRect(row);
      const TPoint start = dock->ClientToScreen({rect.Left, rect.Top});
      if (dock->IsVertical()) pointerOffset_.X = start.X - last.X;
      else pointerOffset_.Y = start.Y - last.Y;
    }
  }
  // The window itself is re-created when it changes between docked and floating: the mouse is
  // held by the manager's owner form.
  auto* owner = dynamic_cast<TWinControl*>(manager_->Owner());
  HWND capture = owner && owner->HandleAllocated() ? owner->Handle() : window->Handle();
  SetCapture(capture);
  MSG msg;
  while (GetCapture() == capture && alive.Alive()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (!got) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TPoint point;
    if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_CONTROL) {
      // Ctrl pressed or released decides again at once, where the cursor is.
      msg.message = WM_MOUSEMOVE;
      point = CursorPos();
      last = {INT_MIN, INT_MIN};
    } else if (msg.message == WM_MOUSEMOVE) {
      point = MessagePoint(msg);
    }
    if (msg.message == WM_MOUSEMOVE) {
      if (point == last) continue;
      MoveBarTo(window, point + pointerOffset_);
      last = point;
    } else if (msg.message == WM_LBUTTONUP) {
      break;
    } else if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
      if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
    } else {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  EndDrag(alive.Alive() ? window : nullptr, capture);
}

void TdxBars::EndDrag(TdxBarControl* window, HWND capture) {
  StopDockingWait();
  if (GetCapture() == capture) ReleaseCapture();
  if (window)
    if (TdxDockControl* dock = DockOf(window)) dock->StoreColumnPositions();
  moving_ = false;
  movingWindow_ = nullptr;
}
