// Control canvases, custom and graphic controls, the mouse, hidden message windows and the
// subclassing of existing windows.
#include "Controls.h"

#include <commctrl.h>

#include <algorithm>
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CREATABLE0(TControlCanvas, TCanvas)
CALDERAN_IMPLEMENT_CREATABLE(TCustomControl, TWinControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TGraphicControl, TControl, TComponent*)

namespace {
// Control canvases that hold a device context taken with GetDC.
std::vector<TControlCanvas*>& CanvasesWithContext() {
  static std::vector<TControlCanvas*> list;
  return list;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// TControlCanvas
TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* control) {
  if (control == control_) return;
  FreeHandle();
  control_ = control;
}

void TControlCanvas::CreateHandle() {
  if (!control_) return;
  if (!deviceContext_) {
    deviceContext_ = control_->GetDeviceContext(window_);
    CanvasesWithContext().push_back(this);
  }
  SetHandle(deviceContext_);
}

void TControlCanvas::FreeHandle() {
  if (!deviceContext_) {
    if (HandleAllocated()) SetHandle(nullptr);
    return;
  }
  SetHandle(nullptr);
  ReleaseDC(window_, deviceContext_);
  deviceContext_ = nullptr;
  window_ = nullptr;
  std::erase(CanvasesWithContext(), this);
}

void TControlCanvas::FreeDeviceContexts() {
  auto list = CanvasesWithContext();
  for (TControlCanvas* canvas : list)
    if (canvas->LockCount() == 0) canvas->FreeHandle();
}

// ---------------------------------------------------------------------------------------------
// TCustomControl
TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>()) {
  canvas_->SetControl(this);
}

TCustomControl::~TCustomControl() {
  Destroying();
  canvas_->FreeHandle();
}

void TCustomControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: WMPaint(m); break;
    default: TWinControl::Dispatch(m);
  }
}

void TCustomControl::WMPaint(TMessage& m) {
  TCustomPaintScope scope(this);
  TWinControl::WMPaint(m);
}

void TCustomControl::PaintWindow(HDC dc) {
  TCanvasPaintScope scope(canvas_.get(), dc);
  Paint();
}

// ---------------------------------------------------------------------------------------------
// TGraphicControl
TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(std::make_unique<TControlCanvas>()) {
  canvas_->SetControl(this);
}

TGraphicControl::~TGraphicControl() {
  Destroying();
  canvas_->FreeHandle();
}

void TGraphicControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: WMPaint(m); break;
    default: TControl::Dispatch(m);
  }
}

// The parent paints its graphic children with WM_PAINT and its device context in WParam.
void TGraphicControl::WMPaint(TMessage& m) {
  if (!m.WParam) return;
  TCanvasPaintScope scope(canvas_.get(), reinterpret_cast<HDC>(m.WParam));
  Paint();
}

// ---------------------------------------------------------------------------------------------
// TMouse
void TMouse::SetCapture(HWND window) {
  if (window) ::SetCapture(window);
  else ReleaseCapture();
}

TPoint TMouse::CursorPos() const {
  POINT p{};
  if (!GetCursorPos(&p)) return {-1, -1};
  return p;
}

void TMouse::SetCursorPos(TPoint p) { ::SetCursorPos(p.X, p.Y); }

bool TMouse::WheelPresent() const { return GetSystemMetrics(SM_MOUSEWHEELPRESENT) != 0; }

int TMouse::WheelScrollLines() const {
  UINT lines = 3;
  if (!SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) lines = 3;
  return static_cast<int>(lines);
}

// ---------------------------------------------------------------------------------------------
// Hidden message windows
namespace {
LRESULT CALLBACK UtilWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!method) return DefWindowProcA(window, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  GuardedCall([&] { (*method)(m); });
  return m.Result;
}

const char* UtilWindowClass() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = UtilWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "CalderanUtilWindow";
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      throw EOSError(SysErrorMessage(GetLastError()));
    registered = true;
  }
  return "CalderanUtilWindow";
}

// A top-level (not message-only) window, so that broadcasts such as WM_SETTINGCHANGE reach it.
HWND CreateHiddenTopLevelWindow(const char* className) {
  return CreateWindowExA(WS_EX_TOOLWINDOW, className, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}
}  // namespace

HWND AllocateHWnd(TWndMethod method) {
  HWND window = CreateHiddenTopLevelWindow(UtilWindowClass());
  if (!window) throw EOSError(SysErrorMessage(GetLastError()));
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TWndMethod(method)));
  return window;
}

void DeallocateHWnd(HWND window) {
  if (!window) return;
  auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
  delete method;
}

HWND CreateBroadcastWindow(const char* className, WNDPROC procedure) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = className;
  RegisterClassA(&wc);
  return CreateHiddenTopLevelWindow(className);
}

void DestroyBroadcastWindow(HWND window, const char* className) {
  if (window) DestroyWindow(window);
  UnregisterClassA(className, GetModuleHandleA(nullptr));
}

// ---------------------------------------------------------------------------------------------
// TWindowSubclass
TWindowSubclass::TWindowSubclass(HWND window, TWndMethod method) : window_(window), method_(method) {
  if (!window || !SetWindowSubclass(window, Procedure, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)))
    throw EOSError("Cannot subclass the window");
}

TWindowSubclass::~TWindowSubclass() { Remove(); }

void TWindowSubclass::Remove() {
  if (!window_) return;
  RemoveWindowSubclass(window_, Procedure, reinterpret_cast<UINT_PTR>(this));
  window_ = nullptr;
}

void TWindowSubclass::CallOriginal(TMessage& m) {
  m.Result = window_ ? DefSubclassProc(window_, m.Msg, m.WParam, m.LParam) : 0;
}

LRESULT CALLBACK TWindowSubclass::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TWindowSubclass*>(data);
  TMessage m{msg, wParam, lParam, 0};
  GuardedCall([&] { self->method_(m); });
  if (msg == WM_NCDESTROY && self->window_ == window) {
    RemoveWindowSubclass(window, Procedure, reinterpret_cast<UINT_PTR>(self));
    self->window_ = nullptr;
  }
  return m.Result;
}
