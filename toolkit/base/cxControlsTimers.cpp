// Hidden windows, timers on one shared window, and mouse tracking by polling the cursor.
#include <algorithm>
#include <memory>
#include <vector>

#include "SysUtils.h"
#include "cxControls.h"
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
} services;

TcxTimerWindow* TimerWindow() {
  if (!services.timerWindow && !services.shutDown) services.timerWindow = std::make_unique<TcxTimerWindow>();
  return services.timerWindow.get();
}

bool IsRunning(TcxTimer* timer) {
  auto& list = services.runningTimers;
  return std::find(list.begin(), list.end(), timer) != list.end();
}

// A tick of a timer that was stopped or freed meanwhile is dropped.
void TcxTimerWindow::WndProc(TMessage& m) {
  if (m.Msg != WM_TIMER) return TcxMessageWindow::WndProc(m);
  auto* timer = reinterpret_cast<TcxTimer*>(m.WParam);
  if (IsRunning(timer)) timer->TimeOut();
}

TMouseTrackingTimer* FindTrackingTimer(IcxMouseTrackingCaller* caller) {
  for (TMouseTrackingTimer* timer : services.trackingTimers)
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
  if (!services.messageWindow && !services.shutDown) services.messageWindow = std::make_unique<TcxMessageWindow>();
  return services.messageWindow.get();
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
  if (services.timerWindow) KillTimer(services.timerWindow->Handle(), reinterpret_cast<UINT_PTR>(this));
  SetRunning(false);
}

void TcxTimer::SetRunning(bool value) {
  running_ = value;
  auto& list = services.runningTimers;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (value) list.push_back(this);
}

// ---------------------------------------------------------------------------------------------
void BeginMouseTracking(TWinControl* control, const TRect& area, IcxMouseTrackingCaller* caller) {
  if (services.shutDown || !caller || FindTrackingTimer(caller)) return;
  services.trackingTimers.push_back(new TMouseTrackingTimer(control, area, caller));
}

void EndMouseTracking(IcxMouseTrackingCaller* caller) {
  TMouseTrackingTimer* timer = FindTrackingTimer(caller);
  if (!timer) return;
  auto& list = services.trackingTimers;
  list.erase(std::find(list.begin(), list.end(), timer));
  delete timer;
}

bool IsMouseTracking(IcxMouseTrackingCaller* caller) { return !services.shutDown && FindTrackingTimer(caller); }

// ---------------------------------------------------------------------------------------------
bool IsControlServicesShutDown() { return services.shutDown; }

void BeginControlServicesShutDown() {
  services.shutDown = true;
  if (!services.trackingTimers.empty()) throw Exception("MouseTrackingTimerList.Count <> 0");
}

void FreeControlServices() {
  FreeSettingsController();
  services.timerWindow.reset();
  services.runningTimers.clear();
  services.messageWindow.reset();
}
