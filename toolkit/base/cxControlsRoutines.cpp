#include "cxControlsRoutines.h"

#include <cstdlib>

#include "Forms.h"
#include "SysUtils.h"
#include "cxGeometry.h"
#include "cxControlsServices.h"
#include "cxGraphics.h"

UINT CXM_QUERYOWNSKIN = 0;
UINT CXM_SKINSTATECHANGED = 0;

namespace {

bool WinXPOrLater = false;
HMODULE UserLibrary = nullptr;

using TMonitorFromPoint = HMONITOR(WINAPI*)(POINT, DWORD);
using TGetMonitorInfo = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

// Looked up by name: older systems lack the monitor functions.
template <class F> F UserFunction(const char* name) {
  if (!UserLibrary) return nullptr;
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(UserLibrary, name)));
}

// The cursors in the order they are loaded at start-up (the hand comes from the system).
struct TCursorEntry {
  int Id;
  const char* Resource;
};
constexpr TCursorEntry ToolkitCursors[] = {
    {crcxDragCopy, "CX_DRAGCOPYCURSOR"},     {crcxFullScroll, "CX_FULLSCROLLCURSOR"},
    {crcxHorScroll, "CX_HORSCROLLCURSOR"},   {crcxVerScroll, "CX_VERSCROLLCURSOR"},
    {crcxUpScroll, "CX_UPSCROLLCURSOR"},     {crcxRightScroll, "CX_RIGHTSCROLLCURSOR"},
    {crcxDownScroll, "CX_DOWNSCROLLCURSOR"}, {crcxLeftScroll, "CX_LEFTSCROLLCURSOR"},
    {crcxRemove, "CX_REMOVECURSOR"},         {crcxVertSize, "CX_VERTSIZECURSOR"},
    {crcxHorzSize, "CX_HORZSIZECURSOR"},     {crcxMultiDrag, "CX_MULTIDRAGCURSOR"},
    {crcxNoDrop, "CX_NODROPCURSOR"},         {crcxDrag, "CX_DRAGCURSOR"},
    {crcxHandPoint, nullptr},                {crcxColorPicker, "CX_COLORPICKERCURSOR"},
};

bool ComputeWinXPOrLater() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExA(&info)) return false;
  // Version 5.1 or later: a minor version of 0 counts from major version 6 on.
  return info.dwPlatformId == VER_PLATFORM_WIN32_NT &&
         (info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion >= 1));
}

void LoadToolkitCursors() {
  HINSTANCE module = GetModuleHandleA(nullptr);
  for (const TCursorEntry& entry : ToolkitCursors) {
    HCURSOR cursor = entry.Resource ? LoadCursorA(module, entry.Resource) : LoadCursorA(nullptr, IDC_HAND);
    // A program linked without the toolkit's resources keeps the default cursor for these ids.
    if (cursor) Screen->SetCursors(entry.Id, cursor);
  }
}

void InitializeControls() {
  WinXPOrLater = ComputeWinXPOrLater();
  LoadToolkitCursors();
  UserLibrary = LoadLibraryA("user32.dll");
  CXM_QUERYOWNSKIN = RegisterWindowMessageA("{B2CE3777-44D8-4998-9701-47BBBC10B656}");
  CXM_SKINSTATECHANGED = RegisterWindowMessageA("{B2CE3777-44D8-1321-4656-12C54AA613BB}");
}

void FinalizeControls() {
  BeginControlServicesShutDown();
  if (UserLibrary) FreeLibrary(UserLibrary);
  UserLibrary = nullptr;
  FreeControlServices();
}

TRect DesktopWorkArea() {
  RECT r{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0)) r = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return r;
}

}  // namespace

constinit const TUnitInfo cxControlsRoutinesUnit{"cxControlsRoutines", &InitializeControls, &FinalizeControls};

bool IsWinXPOrLater() { return WinXPOrLater; }

// ---------------------------------------------------------------------------------------------
// Windows and coordinates

bool CanAllocateHandle(TWinControl* control) {
  if (!control) return false;
  if (control->HandleAllocated()) return true;
  if (control->ComponentState().Contains(csDestroying)) return false;
  if (control->ParentWindow() || (control->Parent() && CanAllocateHandle(control->Parent()))) return true;
  const bool formOrFrame = control->Is<TCustomForm>() || control->Is<TCustomFrame>();
  return formOrFrame && Application && Application->Handle();
}

bool IsChildWindowStyle(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0; }

bool IsWindowOrDescendant(HWND window, HWND other) {
  return window && (window == other || IsChild(window, other));
}

bool IsParentWindowOf(HWND window, HWND other) {
  if (!window || !other) return false;
  for (HWND parent = GetParent(other); parent; parent = GetParent(parent))
    if (parent == window) return true;
  return false;
}

TPoint MapPointBetweenWindows(HWND from, HWND to, const TPoint& point) {
  POINT p = point;
  MapWindowPoints(from, to, &p, 1);
  return p;
}

TRect MapRectBetweenWindows(HWND from, HWND to, const TRect& rect) {
  return TRect(MapPointBetweenWindows(from, to, rect.TopLeft()), MapPointBetweenWindows(from, to, rect.BottomRight()));
}

TRect GetWorkAreaAtPoint(const TPoint& point) {
  auto monitorFromPoint = UserFunction<TMonitorFromPoint>("MonitorFromPoint");
  auto getMonitorInfo = UserFunction<TGetMonitorInfo>("GetMonitorInfoA");
  if (!monitorFromPoint || !getMonitorInfo) return DesktopWorkArea();
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  HMONITOR monitor = monitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
  if (!monitor || !getMonitorInfo(monitor, &info)) return DesktopWorkArea();
  return info.rcWork;
}

TPoint GetCursorPosSafe() {
  POINT p;
  if (!GetCursorPos(&p)) return TPoint(-1, -1);
  return p;
}

bool IsComponentLoading(TComponent* component) {
  return component && component->ComponentState().Contains(csLoading);
}

// ---------------------------------------------------------------------------------------------
// Keyboard and mouse

bool IsCtrlKeyDown() { return GetAsyncKeyState(VK_CONTROL) < 0; }

WPARAM GetMouseKeys() {
  struct { int Key; WPARAM Flag; } const keys[] = {
      {VK_LBUTTON, MK_LBUTTON}, {VK_RBUTTON, MK_RBUTTON}, {VK_SHIFT, MK_SHIFT},
      {VK_CONTROL, MK_CONTROL}, {VK_MBUTTON, MK_MBUTTON},
  };
  WPARAM result = 0;
  for (const auto& k : keys)
    if (GetAsyncKeyState(k.Key) < 0) result |= k.Flag;
  return result;
}

WPARAM ShiftStateToMouseKeys(TShiftState shift) {
  struct { TShiftStateFlag Flag; WPARAM Key; } const keys[] = {
      {ssShift, MK_SHIFT}, {ssCtrl, MK_CONTROL}, {ssLeft, MK_LBUTTON}, {ssRight, MK_RBUTTON}, {ssMiddle, MK_MBUTTON},
  };
  WPARAM result = 0;
  for (const auto& k : keys)
    if (shift.Contains(k.Flag)) result |= k.Key;
  return result;
}

Word NormalizeKeyCode(Word key) { return key; }

bool IsPointInDragDetectArea(const TPoint& pressPoint, int x, int y) {
  const int threshold = Mouse ? Mouse->DragThreshold() : 5;
  return std::abs(x - pressPoint.X) < threshold && std::abs(y - pressPoint.Y) < threshold;
}

UINT GetSystemDoubleClickTime() { return GetDoubleClickTime(); }

// ---------------------------------------------------------------------------------------------
// Characters and captions

bool IsNumericInputChar(char c, int mode) {
  if ((c >= '0' && c <= '9') || c == '+' || c == '-') return true;
  if (mode == 1 || mode == 2)
    if (c == FormatSettings().DecimalSeparator) return true;
  return mode == 2 && (c == 'e' || c == 'E');
}

bool IsPrintableChar(int code) { return code > 31; }

std::string RemoveAccelChars(const std::string& caption, bool underscore) {
  std::string result;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      result += caption[i];
    } else if (i + 1 < caption.size()) {
      result += caption[++i];  // taken literally: "&&" gives one ampersand
    } else if (underscore) {
      result += '_';
    }
  }
  return result;
}

// ---------------------------------------------------------------------------------------------
// Popup menus

bool IsPopupMenuShortCut(TComponent* popupMenu, TMessage& message) {
  if (!popupMenu) return false;
  if (auto* handler = dynamic_cast<IcxPopupMenuHandler*>(popupMenu)) return handler->IsShortCut(message);
  auto* menu = ObjectAs<TPopupMenu>(popupMenu);
  return menu && menu->WindowHandle() && menu->IsShortCut(message);
}

bool ShowPopupMenu(TControl* control, TComponent* popupMenu, int x, int y) {
  if (!popupMenu) return false;
  if (auto* handler = dynamic_cast<IcxPopupMenuHandler*>(popupMenu)) {
    handler->Popup(x, y);
    return true;
  }
  auto* menu = ObjectAs<TPopupMenu>(popupMenu);
  if (!menu || !menu->AutoPopup()) return false;
  menu->SetPopupComponent(control);
  menu->Popup(x, y);
  return true;
}

namespace {
bool MenuItemNeedsMeasure(TPopupMenu* menu, TMenuItem* item) {
  return menu->OwnerDraw() || item->GetImageList() || item->HasBitmap();
}
}  // namespace

int GetPopupMenuHeight(TPopupMenu* popupMenu) {
  TcxScreenCanvas canvas;
  canvas.SetFont(Screen->MenuFont());
  const int defaultHeight = canvas.TextHeight("Qg") + 4;
  int height = 0;
  TMenuItem* items = popupMenu->Items();
  for (int i = 0; i < items->Count(); ++i) {
    TMenuItem* item = items->Items(i);
    if (!item->Visible()) continue;
    int itemHeight = defaultHeight;
    if (MenuItemNeedsMeasure(popupMenu, item)) {
      int width = 0;
      item->MeasureItem(canvas.Canvas(), width, itemHeight);
    }
    height += itemHeight;
  }
  return height + 4;
}
