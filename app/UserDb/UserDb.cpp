// The selection-rectangle window (see UserDb.h). Plain Win32: the library stands outside the
// program and uses none of its framework.
#include "UserDb.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr char kClassName[] = "CalderanSelRect";
constexpr int kHandle = 7;      // side of a handle square
constexpr int kGrab = 5;        // how far from a handle's centre the pointer still takes it
constexpr int kMinExtent = 1;   // the rectangle never gets thinner than this

// What the pointer holds: the edges a drag moves (a corner moves two, the inside all four).
struct TGrip {
  bool left = false, top = false, right = false, bottom = false;
  bool Any() const { return left || top || right || bottom; }
  bool Whole() const { return left && top && right && bottom; }
};

struct TSelRect {
  HWND window = nullptr;
  HWND target = nullptr;
  UINT message = 0;
  RECT rect{};
  HBITMAP background = nullptr;
  TGrip grip;
  POINT downAt{};
  RECT rectAtDown{};
};

TSelRect& State() {
  static TSelRect state;
  return state;
}

SIZE ClientSize() {
  RECT client{};
  GetClientRect(State().window, &client);
  return {std::max<LONG>(client.right, kMinExtent + 0), std::max<LONG>(client.bottom, kMinExtent + 0)};
}

// Orders the edges, keeps them inside 0..size and at least kMinExtent apart.
RECT Normalised(RECT r, SIZE size) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  r.left = std::clamp<LONG>(r.left, 0, std::max<LONG>(size.cx - kMinExtent, 0));
  r.top = std::clamp<LONG>(r.top, 0, std::max<LONG>(size.cy - kMinExtent, 0));
  r.right = std::clamp<LONG>(r.right, r.left + kMinExtent, std::max<LONG>(size.cx, r.left + kMinExtent));
  r.bottom = std::clamp<LONG>(r.bottom, r.top + kMinExtent, std::max<LONG>(size.cy, r.top + kMinExtent));
  return r;
}

// The eight handles' centres: corners first, then the middles of the edges.
struct THandleSpot {
  TGrip grip;
  POINT centre;
};

int HandleSpots(const RECT& r, THandleSpot* spots) {
  const LONG cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  const THandleSpot all[8] = {
      {{true, true, false, false}, {r.left, r.top}},     {{false, true, true, false}, {r.right, r.top}},
      {{true, false, false, true}, {r.left, r.bottom}},  {{false, false, true, true}, {r.right, r.bottom}},
      {{false, true, false, false}, {cx, r.top}},        {{false, false, false, true}, {cx, r.bottom}},
      {{true, false, false, false}, {r.left, cy}},       {{false, false, true, false}, {r.right, cy}},
  };
  std::copy(all, all + 8, spots);
  return 8;
}

TGrip HitTest(POINT p) {
  const RECT& r = State().rect;
  THandleSpot spots[8];
  for (int i = 0, n = HandleSpots(r, spots); i < n; ++i)
    if (std::abs(p.x - spots[i].centre.x) <= kGrab && std::abs(p.y - spots[i].centre.y) <= kGrab) return spots[i].grip;
  if (PtInRect(&r, p)) return {true, true, true, true};
  return {};
}

// The rectangle while a drag runs: moved whole (clamped, size kept) or by the held edges.
RECT Dragged(POINT p) {
  const TSelRect& s = State();
  const SIZE size = ClientSize();
  const LONG dx = p.x - s.downAt.x, dy = p.y - s.downAt.y;
  RECT r = s.rectAtDown;
  if (s.grip.Whole()) {
    const LONG w = r.right - r.left, h = r.bottom - r.top;
    const LONG left = std::clamp<LONG>(r.left + dx, 0, std::max<LONG>(size.cx - w, 0));
    const LONG top = std::clamp<LONG>(r.top + dy, 0, std::max<LONG>(size.cy - h, 0));
    return Normalised({left, top, left + w, top + h}, size);
  }
  // A held edge stops one pixel before the opposite one: the rectangle never turns over.
  if (s.grip.left) r.left = std::clamp<LONG>(r.left + dx, 0, r.right - kMinExtent);
  if (s.grip.right) r.right = std::clamp<LONG>(r.right + dx, r.left + kMinExtent, size.cx);
  if (s.grip.top) r.top = std::clamp<LONG>(r.top + dy, 0, r.bottom - kMinExtent);
  if (s.grip.bottom) r.bottom = std::clamp<LONG>(r.bottom + dy, r.top + kMinExtent, size.cy);
  return Normalised(r, size);
}

void Report() {
  const TSelRect& s = State();
  if (!s.target || !s.message) return;
  INT32 edges[4] = {s.rect.left, s.rect.top, s.rect.right, s.rect.bottom};
  SendMessageA(s.target, s.message, reinterpret_cast<WPARAM>(edges), 0);
}

// ---------------------------------------------------------------------------------------------
// Painting: the background, the outside dimmed by a hatch, the outline and handles in black and
// white so that they stand out on dark and light pictures alike.

void PaintBackground(HDC dc, const RECT& client) {
  if (!State().background) {
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return;
  }
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, State().background);
  BITMAP info{};
  GetObjectA(State().background, sizeof(info), &info);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

void DimOutside(HDC dc, const RECT& client, const RECT& r) {
  HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 0));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const RECT bands[4] = {{0, 0, client.right, r.top},
                         {0, r.bottom, client.right, client.bottom},
                         {0, r.top, r.left, r.bottom},
                         {r.right, r.top, client.right, r.bottom}};
  for (const RECT& band : bands)
    if (band.right > band.left && band.bottom > band.top) FillRect(dc, &band, hatch);
  SetBkMode(dc, oldMode);
  DeleteObject(hatch);
}

void PaintOutline(HDC dc, const RECT& r) {
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  HPEN black = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HPEN white = CreatePen(PS_DOT, 1, RGB(255, 255, 255));
  HGDIOBJ oldPen = SelectObject(dc, black);
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
  SelectObject(dc, white);
  const int oldMode = SetBkMode(dc, OPAQUE);
  const COLORREF oldBk = SetBkColor(dc, RGB(0, 0, 0));
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
  SetBkColor(dc, oldBk);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(white);
  DeleteObject(black);
}

void PaintHandles(HDC dc, const RECT& r) {
  THandleSpot spots[8];
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
  for (int i = 0, n = HandleSpots(r, spots); i < n; ++i) {
    const POINT c = spots[i].centre;
    Rectangle(dc, c.x - kHandle / 2, c.y - kHandle / 2, c.x + kHandle / 2 + 1, c.y + kHandle / 2 + 1);
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  // Drawn off-screen first: the background is redrawn every few hundred milliseconds.
  HDC buffer = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
  HGDIOBJ old = SelectObject(buffer, bitmap);
  PaintBackground(buffer, client);
  DimOutside(buffer, client, State().rect);
  PaintOutline(buffer, State().rect);
  PaintHandles(buffer, State().rect);
  BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
  SelectObject(buffer, old);
  DeleteObject(bitmap);
  DeleteDC(buffer);
  EndPaint(window, &ps);
}

// ---------------------------------------------------------------------------------------------
// Mouse

LPCSTR CursorFor(const TGrip& grip) {
  if (grip.Whole()) return IDC_SIZEALL;
  if ((grip.left && grip.top) || (grip.right && grip.bottom)) return IDC_SIZENWSE;
  if ((grip.right && grip.top) || (grip.left && grip.bottom)) return IDC_SIZENESW;
  if (grip.left || grip.right) return IDC_SIZEWE;
  if (grip.top || grip.bottom) return IDC_SIZENS;
  return IDC_ARROW;
}

POINT PointOf(LPARAM lParam) {
  return {static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
}

void MouseDown(HWND window, POINT p) {
  TSelRect& s = State();
  s.grip = HitTest(p);
  if (!s.grip.Any()) return;
  s.downAt = p;
  s.rectAtDown = s.rect;
  SetCapture(window);
}

void MouseMove(HWND window, POINT p) {
  TSelRect& s = State();
  if (!s.grip.Any()) return;
  const RECT moved = Dragged(p);
  if (EqualRect(&moved, &s.rect)) return;
  s.rect = moved;
  InvalidateRect(window, nullptr, FALSE);
  Report();
}

void MouseUp() {
  if (!State().grip.Any()) return;
  State().grip = {};
  if (GetCapture() == State().window) ReleaseCapture();
}

LRESULT DispatchSelRect(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(window); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: MouseDown(window, PointOf(lParam)); return 0;
    case WM_MOUSEMOVE: MouseMove(window, PointOf(lParam)); return 0;
    case WM_LBUTTONUP: MouseUp(); return 0;
    case WM_CAPTURECHANGED: State().grip = {}; return 0;
    case WM_SETCURSOR: {
      POINT p;
      GetCursorPos(&p);
      ScreenToClient(window, &p);
      SetCursor(LoadCursorA(nullptr, CursorFor(State().grip.Any() ? State().grip : HitTest(p))));
      return TRUE;
    }
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

// Nothing may escape into Win32 (an escaping exception ends the process without a word).
LRESULT CALLBACK SelRectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return DispatchSelRect(window, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

bool RegisterSelRectClass(HINSTANCE instance) {
  WNDCLASSA existing{};
  if (GetClassInfoA(instance, kClassName, &existing)) return true;
  WNDCLASSA cls{};
  cls.lpfnWndProc = SelRectWindowProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  cls.lpszClassName = kClassName;
  return RegisterClassA(&cls) != 0;
}

void Repaint() {
  if (State().window) InvalidateRect(State().window, nullptr, FALSE);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The six entry points

extern "C" HWND WINAPI SCCreateSelrectWnd(HWND Parent, HINSTANCE, int Left, int Top, int Width, int Height) {
  SCDestroySelrectWnd();
  // The window class belongs to this library, whatever module the caller names.
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&SelRectWindowProc), &self);
  if (!RegisterSelRectClass(self)) return nullptr;
  HWND window = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, Left, Top,
                                std::max(Width, 1), std::max(Height, 1), Parent, nullptr, self, nullptr);
  State().window = window;
  State().rect = Normalised({0, 0, Width, Height}, ClientSize());
  return window;
}

extern "C" BOOL WINAPI SCSetMSGWnd(HWND Window) {
  State().target = Window;
  return TRUE;
}

extern "C" BOOL WINAPI SCSetMSGRectID(UINT Message) {
  State().message = Message;
  return TRUE;
}

extern "C" BOOL WINAPI SCSetRect(int Left, int Top, int Right, int Bottom) {
  if (!State().window) return FALSE;
  State().rect = Normalised({Left, Top, Right, Bottom}, ClientSize());
  Repaint();
  return TRUE;
}

extern "C" BOOL WINAPI SCDrawBackGround(const char* FileName) {
  if (!State().window || !FileName) return FALSE;
  HBITMAP picture = static_cast<HBITMAP>(
      LoadImageA(nullptr, FileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!picture) return FALSE;
  if (State().background) DeleteObject(State().background);
  State().background = picture;
  Repaint();
  return TRUE;
}

extern "C" BOOL WINAPI SCDestroySelrectWnd() {
  TSelRect& s = State();
  if (s.background) DeleteObject(s.background);
  s.background = nullptr;
  s.grip = {};
  const bool had = s.window != nullptr;
  if (had) DestroyWindow(s.window);
  s.window = nullptr;
  return had;
}
