// The screen: forms, cursors, monitors and the system's fonts.
#include <algorithm>

#include "Forms.h"

CALDERAN_IMPLEMENT_CLASS(TScreen, TComponent)

namespace {
struct TStockCursor {
  TCursor cursor;
  const char* resource;
};
// The predefined cursors and the system cursors that stand for them.
const TStockCursor stockCursors[] = {
    {crArrow, IDC_ARROW},       {crCross, IDC_CROSS},       {crIBeam, IDC_IBEAM},         {crSizeNESW, IDC_SIZENESW},
    {crSizeNS, IDC_SIZENS},     {crSizeNWSE, IDC_SIZENWSE}, {crSizeWE, IDC_SIZEWE},       {crUpArrow, IDC_UPARROW},
    {crHourGlass, IDC_WAIT},    {crDrag, IDC_ARROW},        {crNoDrop, IDC_NO},           {crHSplit, IDC_SIZEWE},
    {crVSplit, IDC_SIZENS},     {crMultiDrag, IDC_ARROW},   {crSQLWait, IDC_WAIT},        {crNo, IDC_NO},
    {crAppStart, IDC_APPSTARTING}, {crHelp, IDC_HELP},      {crHandPoint, IDC_HAND},      {crSizeAll, IDC_SIZEALL},
};
}  // namespace

BOOL CALLBACK ScreenMonitorProc(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto* screen = reinterpret_cast<TScreen*>(data);
  GuardedCall([&] {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return;
    TMonitor m;
    m.Handle = monitor;
    m.MonitorNum = static_cast<int>(screen->monitors_.size());
    m.BoundsRect = info.rcMonitor;
    m.WorkareaRect = info.rcWork;
    m.Primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    screen->monitors_.push_back(m);
  });
  return TRUE;
}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {
  for (const auto& c : stockCursors) {
    HCURSOR h = LoadCursorA(nullptr, c.resource);
    cursors_[c.cursor] = h ? h : LoadCursorA(nullptr, IDC_ARROW);
  }
  cursors_[crDefault] = LoadCursorA(nullptr, IDC_ARROW);
  cursors_[crNone] = nullptr;
  LoadSystemFonts();
}

TScreen::~TScreen() {
  Destroying();
  for (auto& [index, cursor] : cursors_)
    if (index > 0 && cursor) DestroyCursor(cursor);
}

void TScreen::LoadSystemFonts() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
  hintFont_.SetHandle(CreateFontIndirectA(&metrics.lfStatusFont));
  hintFont_.SetColor(clInfoText);
  menuFont_.SetHandle(CreateFontIndirectA(&metrics.lfMenuFont));
  menuFont_.SetColor(clMenuText);
  LOGFONTA icon{};
  if (SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof icon, &icon, 0)) iconFont_.SetHandle(CreateFontIndirectA(&icon));
}

HCURSOR TScreen::Cursors(int index) const {
  auto it = cursors_.find(index);
  if (it != cursors_.end()) return it->second;
  return cursors_.at(crDefault);
}

void TScreen::SetCursors(int index, HCURSOR cursor) {
  if (index == crDefault) return;
  auto it = cursors_.find(index);
  if (it != cursors_.end() && index > 0 && it->second && it->second != cursor) DestroyCursor(it->second);
  cursors_[index] = cursor;
}

// crDefault gives every window its own cursor back: the window under the mouse chooses again.
void TScreen::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  POINT p{};
  if (cursor == crDefault && GetCursorPos(&p)) {
    HWND window = WindowFromPoint(p);
    if (window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
      LRESULT code = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
      SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(code, WM_MOUSEMOVE));
      return;
    }
  }
  ::SetCursor(Cursors(cursor));
}

TRect TScreen::WorkAreaRect() const {
  RECT r{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0)) return Rect(0, 0, Width(), Height());
  return r;
}

TRect TScreen::DesktopRect() const {
  int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (w <= 0 || h <= 0) return Rect(0, 0, Width(), Height());
  return Bounds(x, y, w, h);
}

void TScreen::ReadMonitors() {
  monitors_.clear();
  EnumDisplayMonitors(nullptr, nullptr, ScreenMonitorProc, reinterpret_cast<LPARAM>(this));
  if (monitors_.empty()) {
    TMonitor m;
    m.BoundsRect = Rect(0, 0, Width(), Height());
    m.WorkareaRect = WorkAreaRect();
    m.Primary = true;
    monitors_.push_back(m);
  }
}

int TScreen::MonitorCount() {
  ReadMonitors();
  return static_cast<int>(monitors_.size());
}

TMonitor* TScreen::Monitors(int index) {
  if (monitors_.empty()) ReadMonitors();
  if (index < 0 || index >= static_cast<int>(monitors_.size())) return nullptr;
  return &monitors_[index];
}

TMonitor* TScreen::FindMonitor(HMONITOR handle) {
  ReadMonitors();
  if (!handle) return nullptr;
  for (auto& m : monitors_)
    if (m.Handle == handle) return &m;
  return &monitors_.front();
}

namespace {
constexpr DWORD defaults[] = {MONITOR_DEFAULTTONEAREST, MONITOR_DEFAULTTONULL, MONITOR_DEFAULTTOPRIMARY};
}

TMonitor* TScreen::MonitorFromPoint(TPoint p, TMonitorDefaultTo to) { return FindMonitor(::MonitorFromPoint(p, defaults[to])); }

TMonitor* TScreen::MonitorFromRect(const TRect& r, TMonitorDefaultTo to) {
  return FindMonitor(::MonitorFromRect(r.Win(), defaults[to]));
}

TMonitor* TScreen::MonitorFromWindow(HWND window, TMonitorDefaultTo to) {
  return FindMonitor(::MonitorFromWindow(window, defaults[to]));
}

void TScreen::RemoveForm(TCustomForm* form) {
  std::erase(forms_, form);
  if (activeForm_ == form) activeForm_ = nullptr;
  if (focusedForm_ == form) focusedForm_ = nullptr;
  if (activeControl_ && GetParentForm(activeControl_) == form) activeControl_ = nullptr;
}

// A control leaving its form (freed or moved) is no longer the active one: the screen would
// otherwise keep it after it is freed, and freeing its form later asks the freed control for its form.
void TScreen::ControlRemoved(TWinControl* control) {
  if (activeControl_ && control->ContainsControl(activeControl_)) activeControl_ = nullptr;
}

void TScreen::SetFocused(TCustomForm* form, TWinControl* control) {
  bool formChanged = form != activeForm_;
  bool controlChanged = control != activeControl_;
  activeForm_ = form;
  focusedForm_ = form;
  activeControl_ = control;
  if (formChanged && OnActiveFormChange) OnActiveFormChange(this);
  if (controlChanged && OnActiveControlChange) OnActiveControlChange(this);
}
