#include "dxBarSizeGrip.h"

#include <vssym32.h>

#include <algorithm>

#include "dxBarDrawRoutines.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {
bool IsLeftCorner(int corner) { return corner == 0 || corner == 2; }
bool IsTopCorner(int corner) { return corner == 0 || corner == 1; }

// The grip glyph of the system, mirrored so that its lines point into the corner.
void DrawMirroredGripGlyph(HDC dc, const TRect& area, int corner) {
  const int w = area.Width(), h = area.Height();
  if (w <= 0 || h <= 0) return;
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, w, h);
  HGDIOBJ old = SelectObject(memory, bitmap);
  RECT r{0, 0, w, h};
  DrawFrameControl(memory, &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  const bool left = IsLeftCorner(corner), top = IsTopCorner(corner);
  StretchBlt(dc, area.Left, area.Top, w, h, memory, left ? w - 1 : 0, top ? h - 1 : 0, left ? -w : w,
             top ? -h : h, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

TRect CornerRect(const TRect& rect, int corner, int width, int height) {
  const int left = IsLeftCorner(corner) ? rect.Left : rect.Right - width;
  const int top = IsTopCorner(corner) ? rect.Top : rect.Bottom - height;
  return {left, top, left + width, top + height};
}

// The button's place in the strip: at the end away from the grip, vertically centred.
TRect CloseButtonRect(const TRect& strip, int corner) {
  const int size = GetSystemMetrics(SM_CXSIZE);
  TRect r;
  if (corner == 1 || corner == 3) r.Left = strip.Left, r.Right = strip.Left + size;
  else r.Right = strip.Right, r.Left = strip.Right - size;
  r.Top = (strip.Top + strip.Bottom - size - 1) / 2 + (IsTopCorner(corner) ? 0 : 1);
  r.Bottom = r.Top + size + 1;
  r.Inflate(-1, -2);
  return r;
}

void DrawCloseCross(HDC dc, const TRect& rect, bool flat, bool pressed) {
  HRGN saved;
  bool hadClip;
  SaveClipRegion(dc, saved, hadClip);
  TRect clip = rect;
  clip.Inflate(-1, -1);
  IntersectClipRect(dc, clip.Left, clip.Top, clip.Right, clip.Bottom);
  TRect cross = rect;
  cross.Inflate(1, 1);
  if (GetSystemMetrics(SM_CXSIZE) != 22) cross.Top += 1;
  UINT state = DFCS_CAPTIONCLOSE | DFCS_FLAT;
  if (pressed && !flat) state |= DFCS_PUSHED;
  DrawFrameControl(dc, cross.Win(), DFC_CAPTION, state);
  RestoreClipRegion(dc, saved, hadClip);
}

// What both frames share: the window DC, the frame colour, the strip and the grip and button in it.
struct TDropDownFrame {
  HWND Window;
  HDC DC;
  TRect WindowRect, Strip;
  TPoint ScreenOrigin;
};

bool BeginFrame(HWND window, bool sizable, int corner, TColor frameColor, TDropDownFrame& f) {
  RECT screen{}, client{};
  GetWindowRect(window, &screen);
  GetClientRect(window, &client);
  POINT clientOrigin{0, 0};
  ClientToScreen(window, &clientOrigin);
  f.Window = window;
  f.ScreenOrigin = {screen.left, screen.top};
  f.WindowRect = {0, 0, screen.right - screen.left, screen.bottom - screen.top};
  HBRUSH frame = CreateSolidBrush(ColorToRGB(frameColor));
  FrameRect(f.DC, f.WindowRect.Win(), frame);
  DeleteObject(frame);
  if (!sizable) return false;
  const int border = clientOrigin.x - screen.left;
  TRect inner = f.WindowRect;
  inner.Inflate(-border, -border);
  const int height = GetGripStripHeight();
  f.Strip = inner;
  TRect line = inner;
  if (IsTopCorner(corner)) {
    f.Strip.Bottom = f.Strip.Top + height - 1;
    line = {inner.Left, f.Strip.Bottom, inner.Right, f.Strip.Bottom + 1};
  } else {
    f.Strip.Top = f.Strip.Bottom - height + 1;
    line = {inner.Left, f.Strip.Top - 1, inner.Right, f.Strip.Top};
  }
  FillDCRectWithColor(f.DC, *line.Win(), frameColor);
  return true;
}

TRect ToScreen(const TDropDownFrame& f, TRect r) {
  r.Offset(f.ScreenOrigin.X, f.ScreenOrigin.Y);
  return r;
}

void FinishFrame(TDropDownFrame& f, int corner) {
  FillRect(f.DC, f.Strip.Win(), GetSysColorBrush(COLOR_BTNFACE));
  const LONG style = GetWindowLongW(f.Window, GWL_STYLE);
  if (IsTopCorner(corner) || (style & (WS_HSCROLL | WS_VSCROLL)) != (WS_HSCROLL | WS_VSCROLL)) return;
  const int w = GetSystemMetrics(SM_CXVSCROLL), h = GetSystemMetrics(SM_CYHSCROLL);
  const TRect box{f.Strip.Right - w, f.Strip.Top - 1 - h, f.Strip.Right, f.Strip.Top - 1};
  FillRect(f.DC, box.Win(), GetSysColorBrush(COLOR_BTNFACE));
}

TRect GripScreenRect(const TDropDownFrame& f, TRect grip) {
  grip.Inflate(2, 2);
  grip.Top = std::max(grip.Top, f.Strip.Top);
  grip.Bottom = std::min(grip.Bottom, f.Strip.Bottom);
  return ToScreen(f, grip);
}

void ExcludeRect(HDC dc, const TRect& r) { ExcludeClipRect(dc, r.Left, r.Top, r.Right, r.Bottom); }
}  // namespace

int GetGripStripHeight() {
  const int scroll = GetSystemMetrics(SM_CYHSCROLL), size = GetSystemMetrics(SM_CYSIZE);
  return scroll + 2 < size ? size + 1 : scroll + 3;
}

int CalcGripCorner(const TRect& ownerRect, const TRect& dropDownRect) {
  const bool below = ownerRect.Bottom < dropDownRect.Bottom;
  const bool right = ownerRect.Left < dropDownRect.Right;
  if (below) return right ? 3 : 2;
  return right ? 1 : 0;
}

int GripCornerHitTest(int corner) {
  static const int codes[] = {HTTOPLEFT, HTTOPRIGHT, HTBOTTOMLEFT, HTBOTTOMRIGHT};
  return codes[std::clamp(corner, 0, 3)];
}

void DrawCornerSizeGrip(HDC dc, TRect& rect, int corner) {
  rect = CornerRect(rect, corner, GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  TRect glyph = rect;
  TRect column = rect, row = rect;
  if (IsLeftCorner(corner)) column.Right = column.Left + 2, glyph.Left += 2;
  else column.Left = column.Right - 2, glyph.Right -= 2;
  if (IsTopCorner(corner)) row.Bottom = row.Top + 2, glyph.Top += 2;
  else row.Top = row.Bottom - 2, glyph.Bottom -= 2;
  FillRect(dc, column.Win(), face);
  FillRect(dc, row.Win(), face);
  DrawMirroredGripGlyph(dc, glyph, corner);
}

void DrawDropDownCloseButton(HDC dc, TRect& rect, bool hot, int corner, bool flat, bool pressed) {
  rect = CloseButtonRect(rect, corner);
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  if (!hot || flat) FrameRect(dc, rect.Win(), face);
  else DrawEdge(dc, rect.Win(), pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  TRect inner = rect;
  inner.Inflate(-1, -1);
  FrameRect(dc, inner.Win(), face);
  DrawCloseCross(dc, inner, flat, pressed);
}

void DrawResizableDropDownNonClient(HWND window, bool sizable, bool flat, int corner, TRect& gripRect,
                                    TRect& closeRect, bool hot, bool pressed) {
  gripRect = closeRect = {};
  TDropDownFrame f;
  f.DC = GetWindowDC(window);
  if (!f.DC) return;
  const int saved = SaveDC(f.DC);
  if (BeginFrame(window, sizable, corner, flat ? clBtnShadow : clWindowFrame, f)) {
    TRect grip = f.Strip;
    DrawCornerSizeGrip(f.DC, grip, corner);
    ExcludeRect(f.DC, grip);
    gripRect = GripScreenRect(f, grip);
    TRect close = f.Strip;
    DrawDropDownCloseButton(f.DC, close, hot || pressed, corner, flat, hot && pressed);
    ExcludeRect(f.DC, close);
    closeRect = ToScreen(f, close);
    FinishFrame(f, corner);
  }
  RestoreDC(f.DC, saved);
  ReleaseDC(window, f.DC);
}

void DrawThemedResizableDropDownNonClient(HWND window, bool sizable, int corner, TRect& gripRect,
                                          TRect& closeRect, bool hot, bool pressed) {
  gripRect = closeRect = {};
  TDropDownFrame f;
  f.DC = GetWindowDC(window);
  if (!f.DC) return;
  const int saved = SaveDC(f.DC);
  if (BeginFrame(window, sizable, corner, clBtnShadow, f)) {
    const TSize gripSize = GetThemedSizeGripSize();
    TRect grip = CornerRect(f.Strip, corner, gripSize.cx, std::min(gripSize.cy, f.Strip.Height()));
    FillRect(f.DC, grip.Win(), GetSysColorBrush(COLOR_BTNFACE));
    DrawThemedSizeGrip(f.DC, grip, corner);
    ExcludeRect(f.DC, grip);
    gripRect = GripScreenRect(f, grip);
    TRect close = CloseButtonRect(f.Strip, corner);
    FillRect(f.DC, close.Win(), GetSysColorBrush(COLOR_BTNFACE));
    DrawThemedCloseButton(f.DC, close, pressed ? 3 : hot ? 2 : 1);
    ExcludeRect(f.DC, close);
    closeRect = ToScreen(f, close);
    FinishFrame(f, corner);
  }
  RestoreDC(f.DC, saved);
  ReleaseDC(window, f.DC);
}

TSize GetThemedCloseButtonSize() {
  SIZE size{GetSystemMetrics(SM_CXSIZE), GetSystemMetrics(SM_CYSIZE)};
  if (HTHEME theme = OpenThemeByKind(totWindow)) {
    SIZE themed{};
    if (SUCCEEDED(UxGetThemePartSizeNoRect(theme, nullptr, WP_SMALLCLOSEBUTTON, CBS_NORMAL, TS_TRUE, &themed)) &&
        themed.cx > 0)
      size = themed;
  }
  return {size.cx, size.cy};
}

TSize GetThemedSizeGripSize() {
  SIZE size{GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
  if (HTHEME theme = OpenThemeByKind(totScrollBar)) {
    SIZE themed{};
    if (SUCCEEDED(UxGetThemePartSizeNoRect(theme, nullptr, SBP_SIZEBOX, SZB_RIGHTALIGN, TS_TRUE, &themed)) &&
        themed.cx > 0)
      size = themed;
  }
  return {size.cx + 2, size.cy + 2};
}

// Without the ScrollBar class the classic grip stands in.
void DrawThemedSizeGrip(HDC dc, const TRect& rect, int corner) {
  HTHEME theme = OpenThemeByKind(totScrollBar);
  const int state = IsLeftCorner(corner) ? SZB_LEFTALIGN : SZB_RIGHTALIGN;
  if (theme && SUCCEEDED(UxDrawThemeBackgroundInRect(theme, dc, SBP_SIZEBOX, state, *rect.Win(), nullptr))) return;
  TRect r = rect;
  DrawCornerSizeGrip(dc, r, corner);
}

void DrawThemedCloseButton(HDC dc, const TRect& rect, int state) {
  HTHEME theme = OpenThemeByKind(totWindow);
  if (theme && SUCCEEDED(UxDrawThemeBackgroundInRect(theme, dc, WP_SMALLCLOSEBUTTON, state, *rect.Win(), nullptr)))
    return;
  DrawCloseCross(dc, rect, false, state == 3);
}
