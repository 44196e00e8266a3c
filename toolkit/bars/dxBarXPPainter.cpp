#include "dxBarXPPainter.h"

#include <vssym32.h>

#include <algorithm>

#include "dxBarControl.h"
#include "dxBarDrawRoutines.h"
#include "dxBarFlatPainter.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"
#include "dxBarSizeGrip.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

DX_IMPLEMENT_BAR_PAINTER(TdxBarXPPainter, TdxBarPainter)

namespace {
TdxBarXPThemeMetrics metrics;

SIZE PartSize(TdxThemedObjectType kind, int part, int state, SIZE fallback) {
  HTHEME theme = OpenThemeByKind(kind);
  SIZE size{};
  if (theme && SUCCEEDED(UxGetThemePartSizeNoRect(theme, nullptr, part, state, TS_TRUE, &size))) return size;
  return fallback;
}

TSize SizeOf(SIZE s) { return {s.cx, s.cy}; }

SIZE MinSize(TdxThemedObjectType kind, int part, int state, SIZE fallback) {
  HTHEME theme = OpenThemeByKind(kind);
  SIZE size{};
  if (theme && SUCCEEDED(UxGetThemePartSizeNoRect(theme, nullptr, part, state, TS_MIN, &size))) return size;
  return fallback;
}

// The content rectangle of a part inside (0, 0, 100, 100); false without the theme.
bool ContentOf100(TdxThemedObjectType kind, int part, int state, RECT& content) {
  HTHEME theme = OpenThemeByKind(kind);
  const RECT box{0, 0, 100, 100};
  return theme && SUCCEEDED(UxGetThemeBackgroundContentRect(theme, nullptr, part, state, &box, &content));
}

// Draws a part; false when the class did not open or the part failed, so the caller falls back.
bool DrawPart(TdxThemedObjectType kind, HDC dc, int part, int state, const TRect& rect) {
  HTHEME theme = OpenThemeByKind(kind);
  return theme && SUCCEEDED(UxDrawThemeBackgroundInRect(theme, dc, part, state, *rect.Win(), nullptr));
}

void MeasureTheme() {
  metrics.SeparatorThickness = MinSize(totToolBar, TP_SEPARATOR, 1, SIZE{6, 6}).cx;
  metrics.CaptionButtonSize = SizeOf(PartSize(totWindow, WP_SMALLCLOSEBUTTON, 1,
                                              SIZE{GetSystemMetrics(SM_CXSMSIZE), GetSystemMetrics(SM_CYSMSIZE)}));
  RECT content{};
  metrics.ButtonPadding = ContentOf100(totToolBar, TP_SPLITBUTTON, 1, content) ? 100 - (content.bottom - content.top) : 6;
  metrics.ComboArrowWidth = PartSize(totComboBox, CP_DROPDOWNBUTTON, 1, SIZE{13, 13}).cx;
  metrics.EditBorders = ContentOf100(totEdit, EP_EDITTEXT, 1, content)
                            ? TRect{content.left, content.top, 100 - content.right, 100 - content.bottom}
                            : TRect{2, 2, 2, 2};
  metrics.GripperWidth = PartSize(totRebar, RP_GRIPPER, 1, SIZE{3, 3}).cx;
  RECT bar{};
  const int margins = ContentOf100(totProgress, PP_BAR, 0, bar) ? bar.left + (100 - bar.right) : 0;
  metrics.ProgressHeight = PartSize(totProgress, PP_CHUNK, 0, SIZE{12, 12 - margins}).cy + margins;
  metrics.MenuSeparatorSize = PartSize(totToolBar, TP_SEPARATORVERT, 1, SIZE{10, 10}).cy;
  metrics.SizeGripSize = SizeOf(PartSize(totStatus, SP_GRIPPER, 0,
                                         SIZE{GetSystemMetrics(SM_CXHSCROLL), GetSystemMetrics(SM_CYHSCROLL)}));
}

TdxBarPainterClass FlatPainter() { return TdxBarFlatPainter::Instance(); }
}  // namespace

const TdxBarXPThemeMetrics& dxBarXPThemeMetrics() { return metrics; }

void TdxBarXPPainter::Create(TComponent*) const { MeasureTheme(); }

bool TdxBarXPPainter::IsMainMenuItem(TdxBarItemControl* control) const {
  return control->IsInMainMenu() && control->Parent()->IsMainMenu();
}

int TdxBarXPPainter::GetDragHandleSize(TCustomdxBarControl* bar) const { return GetDragHandleWidth(bar) + 2; }
int TdxBarXPPainter::GetDragHandleWidth(TCustomdxBarControl*) const { return metrics.GripperWidth; }
int TdxBarXPPainter::GetButtonArrowWidth(TdxBarManager* manager) const {
  return TdxBarPainter::GetButtonArrowWidth(manager) + 3;
}
int TdxBarXPPainter::GetLargeButtonArrowWidth(TdxBarManager* manager) const {
  return TdxBarPainter::GetLargeButtonArrowWidth(manager) + 3;
}
HBRUSH TdxBarXPPainter::GetToolbarBrush(TCustomdxBarControl* bar) const {
  HBRUSH themed = bar->BarManager()->ThemedToolbarBrush();
  return themed ? themed : GetSysColorBrush(COLOR_BTNFACE);
}
HBRUSH TdxBarXPPainter::GetToolbarBrushOfBar(TCustomdxBarControl* bar) const { return GetToolbarBrush(bar); }
int TdxBarXPPainter::GetSeparatorThickness() const { return metrics.SeparatorThickness; }
TSize TdxBarXPPainter::GetCaptionButtonSize() const { return metrics.CaptionButtonSize; }
int TdxBarXPPainter::GetButtonPaddingY() const { return metrics.ButtonPadding; }
int TdxBarXPPainter::GetButtonPaddingX() const { return metrics.ButtonPadding; }
int TdxBarXPPainter::GetMenuSeparatorSize() const { return metrics.MenuSeparatorSize; }
HBRUSH TdxBarXPPainter::GetMenuBackgroundBrush(TCustomdxBarControl*) const { return GetSysColorBrush(COLOR_MENU); }
TColor TdxBarXPPainter::GetEditColor(TdxBarItemControl*) const { return GetSysColor(COLOR_WINDOW); }
TRect TdxBarXPPainter::GetEditBorders(int) const { return metrics.EditBorders; }
int TdxBarXPPainter::GetComboArrowWidth(TCustomdxBarControl*, int) const { return metrics.ComboArrowWidth; }
int TdxBarXPPainter::GetProgressBarHeight(TdxBarItemControl*) const { return metrics.ProgressHeight; }
int TdxBarXPPainter::GetSeparatorLineSize() const { return metrics.MenuSeparatorSize; }

TColor TdxBarXPPainter::GetProgressBarColor() const {
  HTHEME theme = OpenThemeByKind(totProgress);
  COLORREF color{};
  if (theme && SUCCEEDED(UxGetThemeColor(theme, PP_CHUNK, 0, TMT_FILLCOLOR, &color))) return color;
  return TdxBarPainter::GetProgressBarColor();
}

int TdxBarXPPainter::GetDropDownGripStripHeight() const {
  return std::max(GetThemedCloseButtonSize().cy + 4, GetThemedSizeGripSize().cy + 1);
}

HBRUSH TdxBarXPPainter::GetGlyphBackgroundBrush(TdxBarItemControl* control, const TdxBarGlyphState& state) const {
  if (state.CheckMarkMode && state.Selected && !state.Down && control->GetPaintType() == ptMenu)
    return GetSelectedBrush(control->Parent());
  return control->GetBackgroundBrush();
}

void TdxBarXPPainter::DrawCheckMark(TdxBarItemControl* control, HDC dc, int scale, int top, int left) const {
  FlatPainter()->DrawCheckMark(control, dc, scale, top, left);
}

int TdxBarXPPainter::ButtonThemeState(const TdxBarGlyphState& state) {
  if (!state.Enabled) return TS_DISABLED;
  if (state.Pressed) return TS_PRESSED;
  if (state.Down || (state.DroppedDown && !state.HasArrow)) return TS_CHECKED;
  if (state.Selected) return TS_HOT;
  return TS_NORMAL;
}

void TdxBarXPPainter::DrawGlyphFrame(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state,
                                     int paintType, const TRect& rect, bool, HBRUSH brush) const {
  const bool plain = state.CheckMarkMode && paintType == ptMenu &&
                     (state.Selected || (control->IsPressed() && !state.Down));
  if (plain || control->HasOwnBackgroundBrush()) {
    FillRect(dc, rect.Win(), brush);
    return;
  }
  control->Parent()->FillBackground(dc, rect, control->Parent()->BkBrush(), clNone, true);
  if (IsMainMenuItem(control) && paintType != ptMenu) {
    if (state.Pressed || state.Selected || state.Down || state.DroppedDown)
      FillRect(dc, rect.Win(), GetSysColorBrush(COLOR_HIGHLIGHT));
    return;
  }
  const int themeState = ButtonThemeState(state);
  if (DrawPart(totToolBar, dc, state.HasArrow ? TP_SPLITBUTTON : TP_BUTTON, themeState, rect)) return;
  if (themeState == TS_HOT) DrawEdge(dc, TRect(rect).Win(), BDR_RAISEDINNER, BF_RECT);
  else if (themeState == TS_PRESSED || themeState == TS_CHECKED) DrawEdge(dc, TRect(rect).Win(), BDR_SUNKENOUTER, BF_RECT);
}

void TdxBarXPPainter::DrawButtonBackground(const TdxBarItemControlDrawParams& params, const TRect& rect,
                                           HBRUSH brush) const {
  TdxBarPainter::DrawButtonBackground(params, rect, brush);
  const bool inMenu = params.PaintType == ptMenu;
  int state = TS_NORMAL;
  if (!params.Enabled || !params.DropDownEnabled) state = TS_DISABLED;
  else if (params.DroppedDown || (params.Pressed && !inMenu)) state = TS_PRESSED;
  else if (params.Down && !inMenu) state = TS_CHECKED;
  else if (params.DrawSelected) state = TS_HOT;
  if (DrawPart(totToolBar, params.Canvas->GetHandle(), inMenu ? TP_BUTTON : TP_SPLITBUTTONDROPDOWN, state, rect) ||
      inMenu)
    return;
  // Without the ToolBar class the arrow is the base painter's.
  TdxBarPainter::DrawButtonArrow(params, rect);
}

void TdxBarXPPainter::DrawButtonArrow(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  if (params.PaintType == ptMenu) TdxBarPainter::DrawButtonArrow(params, rect);
}

void TdxBarXPPainter::DrawMarkBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const {
  bar->FillBackground(dc, rect, brush, clNone, true);
  TRect r = rect;
  if (!bar->HasBorder()) {
    if (bar->PaintType() == ptVert) r.Inflate(-2, 0);
    else r.Inflate(0, -2);
  }
  static const int states[] = {TS_NORMAL, TS_HOT, TS_PRESSED};
  const int markState = bar->MarkState();
  DrawPart(totToolBar, dc, TP_BUTTON, states[markState < 0 || markState > 2 ? 0 : markState], r);
}

void TdxBarXPPainter::DrawToolbarSeparator(TCustomdxBarControl* bar, HDC dc, bool horizontal, HBRUSH brush,
                                           const TRect& rect) const {
  bar->FillBackground(dc, rect, brush, clNone, true);
  if (!DrawPart(totToolBar, dc, horizontal ? TP_SEPARATORVERT : TP_SEPARATOR, 1, rect))
    TdxBarPainter::DrawToolbarSeparator(bar, dc, horizontal, brush, rect);
}

void TdxBarXPPainter::DrawToolbarBorder(TCustomdxBarControl* bar, HDC dc, HBRUSH, const TRect& rect) const {
  if (!bar->CanBeMoved()) return;
  TRect r = rect;
  r.Inflate(-2, -2);
  const int width = GetDragHandleWidth(bar);
  const bool vertical = bar->PaintType() == ptVert;
  const TRect gripper = vertical ? TRect{r.Left, r.Top, r.Right, r.Top + width} : TRect{r.Left, r.Top, r.Left + width, r.Bottom};
  if (!DrawPart(totRebar, dc, vertical ? RP_GRIPPERVERT : RP_GRIPPER, 1, gripper))
    DrawEdge(dc, TRect(gripper).Win(), BDR_RAISEDINNER, BF_RECT);
}

void TdxBarXPPainter::DrawFloatingCloseButton(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const {
  const int state = bar->CloseButtonState();
  if (!DrawPart(totWindow, dc, WP_SMALLCLOSEBUTTON, state + 1, rect))
    FlatPainter()->DrawFloatingCloseButton(bar, dc, rect);
}

void TdxBarXPPainter::DrawMDIButton(TCustomdxBarControl* bar, int kind, const TRect& rect, HDC dc, int state) const {
  static const int parts[] = {WP_MDIMINBUTTON, WP_MDIRESTOREBUTTON, WP_MDICLOSEBUTTON};
  bar->FillBackground(dc, rect, bar->BkBrush(), clNone, true);
  const int themeState = state == 1 ? 4 : state == 2 ? 2 : (state == 3 || state == 4) ? 3 : 1;
  if (!DrawPart(totWindow, dc, parts[kind < 0 || kind > 2 ? 2 : kind], themeState, rect))
    FlatPainter()->DrawMDIButton(bar, kind, rect, dc, state);
}

// A hot or pressed menu item fills its text area with the selected brush; the glyph column keeps
// the menu background, where the glyph frame draws the checked or disabled part.
void TdxBarXPPainter::DrawMenuItemBackground(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  TdxBarItemControl* control = params.BarItemControl;
  TCustomdxBarControl* bar = control->Parent();
  HDC dc = params.Canvas->GetHandle();
  const int column = GetIconAreaSize(bar);
  const TRect text{rect.Left + column, rect.Top, rect.Right, rect.Bottom};
  bar->FillBackground(dc, {rect.Left, rect.Top, text.Left, rect.Bottom}, bar->BkBrush(), clNone, true);
  if (params.DrawSelected || control->IsPressed()) FillRect(dc, text.Win(), GetSelectedBrush(bar));
  else bar->FillBackground(dc, text, bar->BkBrush(), clNone, true);
}

void TdxBarXPPainter::DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const {
  if (!DrawPart(totToolBar, canvas->GetHandle(), TP_SEPARATORVERT, 1, rect))
    TdxBarPainter::DrawMenuSeparatorLine(canvas, rect);
}

void TdxBarXPPainter::DrawDropDownNonClient(HWND window, bool sizable, int corner, TRect& gripRect,
                                            TRect& closeRect, bool hot, bool pressed) const {
  DrawThemedResizableDropDownNonClient(window, sizable, corner, gripRect, closeRect, hot, pressed);
}
