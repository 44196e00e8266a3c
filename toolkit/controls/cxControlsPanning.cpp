// Middle-button panning: an anchor mark where the button was pressed, and a modal loop that keeps
// scrolling toward the mouse, faster the farther it is.
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "Forms.h"
#include "cxControls.h"

namespace {

constexpr int kPanningTimerInterval = 20;  // ms
constexpr int kMaxPanningSpeed = 12;

TCursor PanningCursor(const TcxPanningState& state) {
  switch (state.Direction) {
    case dirLeft: return crcxLeftScroll;
    case dirRight: return crcxRightScroll;
    case dirUp: return crcxUpScroll;
    case dirDown: return crcxDownScroll;
    default:
      if (state.HorzBarShown && state.VertBarShown) return crcxFullScroll;
      return state.HorzBarShown ? crcxHorScroll : crcxVerScroll;
  }
}

const char* AnchorBitmapName(const TcxPanningState& state) {
  if (state.HorzBarShown && state.VertBarShown) return "CX_FULLSCROLLBITMAP";
  return state.HorzBarShown ? "CX_HORSCROLLBITMAP" : "CX_VERSCROLLBITMAP";
}

bool IsMouseButtonMessage(UINT msg) {
  return (msg >= WM_LBUTTONDOWN && msg <= WM_MOUSELAST) || (msg >= WM_NCLBUTTONDOWN && msg <= WM_NCMBUTTONDBLCLK);
}

// One panning run: the anchor window, the timer and the capture, released in the destructor
// whatever ends the loop.
class TcxPanning {
 public:
  explicit TcxPanning(TcxControl* control);
  ~TcxPanning();
  void Run();

 private:
  void ShowAnchor();
  void SetPanningCursor() { ::SetCursor(Screen->Cursors(PanningCursor(state_))); }
  // Follows the timer and the mouse; tells whether the message ends the loop once dispatched.
  void Look(const MSG& msg, bool& endAfterDispatch);

  TcxControl* control_;
  HWND controlWindow_;  // the control may be gone when the run ends
  TcxPanningState state_;
  HWND anchorWindow_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  UINT_PTR timer_ = 0;
  int ticks_ = 0;
  TPoint lastPoint_;
};

TcxPanning::TcxPanning(TcxControl* control) : control_(control), controlWindow_(control->Handle()) {
  state_.HorzBarShown = control->IsHScrollBarVisible();
  state_.VertBarShown = control->IsVScrollBarVisible();
  state_.Anchor = GetCursorPosSafe();
  lastPoint_ = state_.Anchor;
  bitmap_ = LoadBitmapA(GetModuleHandleA(nullptr), AnchorBitmapName(state_));
  BITMAP info{};
  if (bitmap_ && GetObjectA(bitmap_, sizeof info, &info)) state_.AnchorSize = info.bmWidth;
  ShowAnchor();
  state_.Direction = dirNone;
  SetPanningCursor();
  state_.Speed = 1;
  timer_ = SetTimer(nullptr, 0, kPanningTimerInterval, nullptr);
  SetCapture(controlWindow_);
}

TcxPanning::~TcxPanning() {
  if (GetCapture() == controlWindow_) ReleaseCapture();
  if (timer_) KillTimer(nullptr, timer_);
  if (anchorWindow_) DestroyWindow(anchorWindow_);
  if (bitmap_) DeleteObject(bitmap_);
}

void TcxPanning::ShowAnchor() {
  int w = state_.AnchorSize, h = state_.AnchorSize;
  if (bitmap_) {
    BITMAP info{};
    GetObjectA(bitmap_, sizeof info, &info);
    h = info.bmHeight;
  }
  anchorWindow_ = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP, state_.Anchor.X - w / 2,
                                  state_.Anchor.Y - h / 2, w, h, control_->Handle(), nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
  if (!anchorWindow_) return;
  SetWindowRgn(anchorWindow_, CreateEllipticRgn(0, 0, w + 1, h + 1), FALSE);
  SetWindowPos(anchorWindow_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  HDC dc = GetDC(anchorWindow_);
  if (bitmap_) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap_);
    BitBlt(dc, 0, 0, w, h, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  }
  HRGN frame = CreateEllipticRgn(0, 0, w + 1, h + 1);
  FrameRgn(dc, frame, GetSysColorBrush(COLOR_WINDOWTEXT), 1, 1);
  DeleteObject(frame);
  ReleaseDC(anchorWindow_, dc);
}

void TcxPanning::Look(const MSG& msg, bool& endAfterDispatch) {
  if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer_) {
    ++ticks_;
    if (ticks_ % (kMaxPanningSpeed + 1 - state_.Speed) == 0) control_->ScrollByDirection(state_.Direction);
  } else if (msg.message == WM_MOUSEMOVE) {
    POINT p{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
    ClientToScreen(msg.hwnd, &p);
    TPoint point(p.x, p.y);
    if (point != lastPoint_) {
      CalcPanningDirectionAndSpeed(state_, point, Screen->DesktopRect());
      SetPanningCursor();
      lastPoint_ = point;
    }
  } else if (msg.message == WM_MBUTTONUP) {
    endAfterDispatch = state_.MovedOut;
  } else if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_ESCAPE) {
    endAfterDispatch = true;
  }
}

void TcxPanning::Run() {
  TcxObjectLinkGuard link(control_);
  while (link.Alive() && GetCapture() == controlWindow_) {
    MSG msg;
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (msg.message == WM_PAINT && msg.hwnd == anchorWindow_) {
      ValidateRect(anchorWindow_, nullptr);  // its drawing stays
      continue;
    }
    if (IsMouseButtonMessage(msg.message) && msg.message != WM_MOUSEMOVE && msg.message != WM_MBUTTONUP) return;
    bool endAfterDispatch = false;
    Look(msg, endAfterDispatch);
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    if (endAfterDispatch) return;
  }
}

}  // namespace

void CalcPanningDirectionAndSpeed(TcxPanningState& state, const TPoint& point, const TRect& screen) {
  const int half = state.AnchorSize / 2;
  TRect zone(state.Anchor.X - half, state.Anchor.Y - half, state.Anchor.X - half + state.AnchorSize,
             state.Anchor.Y - half + state.AnchorSize);
  if (!state.HorzBarShown) zone.Left = screen.Left, zone.Right = screen.Right;
  if (!state.VertBarShown) zone.Top = screen.Top, zone.Bottom = screen.Bottom;
  if (point.X >= zone.Left && point.X < zone.Right && point.Y >= zone.Top && point.Y < zone.Bottom) {
    state.Direction = dirNone;
    state.Speed = 0;
    return;
  }
  state.MovedOut = true;
  const int dx = point.X - state.Anchor.X, dy = point.Y - state.Anchor.Y;
  int distance;
  if (!state.HorzBarShown || (state.VertBarShown && std::abs(dy) >= std::abs(dx))) {
    state.Direction = dy < 0 ? dirUp : dirDown;
    distance = std::abs(dy);
  } else {
    state.Direction = dx < 0 ? dirLeft : dirRight;
    distance = std::abs(dx);
  }
  state.Speed = std::min((distance - half) / 5 + 1, kMaxPanningSpeed);
}

void TcxControl::PanContent() {
  if (panning_ || !HandleAllocated() || (!IsHScrollBarVisible() && !IsVScrollBarVisible())) return;
  panning_ = true;
  TcxObjectLinkGuard link(this);
  try {
    TcxPanning(this).Run();
  } catch (...) {
    if (link.Alive()) panning_ = false;
    throw;
  }
  if (link.Alive()) panning_ = false;
}
