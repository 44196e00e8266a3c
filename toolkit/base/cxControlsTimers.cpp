// Hidden windows, timers on one shared window, and mouse tracking by polling the cursor.
#include <algorithm>
#include <memory>
#include <vector>

#include "SysUtils.h"
#include "cxControlsRoutines.h"
#include "cxControlsServices.h"

CALDERAN_IMPLEMENT_CLASS(TcxMessageWindow, TObject)
CALDERAN_IMPLEMENT_CLASS(TcxTimer, TComponent)

namespace {

class TcxTimerWindow : public TcxMessageWindow {
 protected:
  void WndProc(TMessage& message) override;
};

class TMouseTrackingTimer : public TcxTimer {
 public:
  TMouseTrackingTimer(TWinControl* control, const TRect& area, IcxMouseTrackingCaller* caller);
  IcxMouseTrackingCaller* Caller() const { return caller_; }

 private:
  void Tick(TObject* sender);
  bool StillInside() const;

  TWinControl* control_;
  TRect area_;  // screen coordinates
  IcxMouseTrackingCaller* caller_;
};

struct TControlServices {
  bool shutDown = false;
  std::unique_ptr<TcxMessageWindow> messageWindow;
  std::unique_ptr<TcxTimerWindow> timerWindow;
  std::vector<TcxTimer*> runningTimers;
  std::vector<TMouseTrackingTimer*> trackingTimers;
};

// Made on first use and never destroyed by C++: the unit's shut-down frees the windows. A static
// destructor would free them at process exit, after Wine has cut the process from its server; the
// window calls then fail and Wine ends the process there with exit code 0, losing the real code.
TControlServices& Services() {
  static TControlServices* services = new TControlServices;
  return *services;
}

TcxTimerWindow* TimerWindow() {
  if (!Services().timerWindow && !Services().shutDown) Services().timerWindow = std::make_unique<TcxTimerWindow>();
  return Services().timerWindow.get();
}

bool IsRunning(TcxTimer* timer) {
  auto& list = Services().runningTimers;
  return std::find(list.begin(), list.end(), timer) != list.end();
}

// A tick of a timer that was stopped or freed meanwhile is dropped.
void TcxTimerWindow::WndProc(TMessage& m) {
  if (m.Msg != WM_TIMER) return TcxMessageWindow::WndProc(m);
  auto* timer = reinterpret_cast<TcxTimer*>(m.WParam);
  if (IsRunning(timer)) timer->TimeOut();
}

TMouseTrackingTimer* FindTrackingTimer(IcxMouseTrackingCaller* caller) {
  for (TMouseTrackingTimer* timer : Services().trackingTimers)
    if (timer->Caller() == caller) return timer;
  return nullptr;
}

TMouseTrackingTimer::TMouseTrackingTimer(TWinControl* control, const TRect& area, IcxMouseTrackingCaller* caller)
    : TcxTimer(nullptr), control_(control), area_(area), caller_(caller) {
  if (control) area_ = TRect(control->ClientToScreen(area.TopLeft()), control->ClientToScreen(area.BottomRight()));
  SetInterval(10);
  SetOnTimer(MakeEvent(this, &TMouseTrackingTimer::Tick));
}

bool TMouseTrackingTimer::StillInside() const {
  const TPoint cursor = GetCursorPosSafe();
  if (auto* hitTest = dynamic_cast<IcxMouseTrackingHitTest*>(caller_)) {
    if (!control_ || !control_->HandleAllocated()) return false;
    return hitTest->PtInCaller(control_->ScreenToClient(cursor));
  }
  return area_.Contains(cursor);
}

void TMouseTrackingTimer::Tick(TObject*) {
  if (StillInside()) return;
  IcxMouseTrackingCaller* caller = caller_;  // this timer is freed by the last step
  if (control_ && control_->HandleAllocated() &&
      !control_->ClientRect().Contains(control_->ScreenToClient(GetCursorPosSafe())))
    SendMessageA(control_->Handle(), CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(control_));
  caller->MouseLeave();
  EndMouseTracking(caller);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
TcxMessageWindow::TcxMessageWindow() : handle_(AllocateHWnd(MakeEvent(this, &TcxMessageWindow::MainWndProc))) {}

TcxMessageWindow::~TcxMessageWindow() { DeallocateHWnd(handle_); }

void TcxMessageWindow::WndProc(TMessage& m) { m.Result = DefWindowProcA(handle_, m.Msg, m.WParam, m.LParam); }

TcxMessageWindow* GetMessageWindow() {
  if (!Services().messageWindow && !Services().shutDown) Services().messageWindow = std::make_unique<TcxMessageWindow>();
  return Services().messageWindow.get();
}

// ---------------------------------------------------------------------------------------------
TcxTimer::TcxTimer(TComponent* owner) : TComponent(owner) {}

TcxTimer::~TcxTimer() { StopTimer(); }

void TcxTimer::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  RestartTimer();
}

void TcxTimer::SetInterval(uint32_t value) {
  if (value == 0 || value == interval_) return;
  interval_ = value;
  RestartTimer();
}

void TcxTimer::SetOnTimer(const TNotifyEvent& value) {
  onTimer_ = value;
  RestartTimer();
}

void TcxTimer::TimeOut() {
  if (onTimer_) onTimer_(this);
}

void TcxTimer::RestartTimer() {
  StopTimer();
  StartTimer();
}

void TcxTimer::StartTimer() {
  if (!CanSetTimer()) return;
  TcxTimerWindow* window = TimerWindow();
  SetRunning(window && SetTimer(window->Handle(), reinterpret_cast<UINT_PTR>(this), interval_, nullptr) != 0);
}

void TcxTimer::StopTimer() {
  if (!running_) return;
  if (Services().timerWindow) KillTimer(Services().timerWindow->Handle(), reinterpret_cast<UINT_PTR>(this));
  SetRunning(false);
}

void TcxTimer::SetRunning(bool value) {
  running_ = value;
  auto& list = Services().runningTimers;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (value) list.push_back(this);
}

// ---------------------------------------------------------------------------------------------
void BeginMouseTracking(TWinControl* control, const TRect& area, IcxMouseTrackingCaller* caller) {
  if (Services().shutDown || !caller || FindTrackingTimer(caller)) return;
  Services().trackingTimers.push_back(new TMouseTrackingTimer(control, area, caller));
}

void EndMouseTracking(IcxMouseTrackingCaller* caller) {
  TMouseTrackingTimer* timer = FindTrackingTimer(caller);
  if (!timer) return;
  auto& list = Services().trackingTimers;
  list.erase(std::find(list.begin(), list.end(), timer));
  delete timer;
}

bool IsMouseTracking(IcxMouseTrackingCaller* caller) { return !Services().shutDown && FindTrackingTimer(caller); }

// ---------------------------------------------------------------------------------------------
bool IsControlServicesShutDown() { return Services().shutDown; }

void BeginControlServicesShutDown() {
  Services().shutDown = true;
  if (!Services().trackingTimers.empty()) throw Exception("MouseTrackingTimerList.Count <> 0");
}

void FreeControlServices() {
  Services().timerWindow.reset();
  Services().runningTimers.clear();
  Services().messageWindow.reset();
}
