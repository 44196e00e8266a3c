// The base painter's answers for toolbar frames, menu parts, size grips and drop-down frames that
// the flat, Office 2003 and themed looks override.
#include "dxBarControl.h"
#include "dxBarDrawRoutines.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"
#include "dxBarSizeGrip.h"
#include "dxOffice11.h"

void TdxBarPainter::Create(TComponent*) const {}

void TdxBarPainter::DrawToolbarSeparator(TCustomdxBarControl* bar, HDC dc, bool horizontal, HBRUSH brush,
                                         const TRect& rect) const {
  const int margin = GetSeparatorMargin();
  TRect line = rect;
  if (horizontal) {
    bar->FillBackground(dc, {rect.Left, rect.Top, rect.Right, rect.Top + margin}, brush, clNone, true);
    bar->FillBackground(dc, {rect.Left, rect.Bottom - margin, rect.Right, rect.Bottom}, brush, clNone, true);
    line.Inflate(0, -margin);
  } else {
    bar->FillBackground(dc, {rect.Left, rect.Top, rect.Left + margin, rect.Bottom}, brush, clNone, true);
    bar->FillBackground(dc, {rect.Right - margin, rect.Top, rect.Right, rect.Bottom}, brush, clNone, true);
    line.Inflate(-margin, 0);
  }
  DrawEdge(dc, line.Win(), EDGE_ETCHED, horizontal ? BF_TOP : BF_LEFT);
}

void TdxBarPainter::DrawToolbarBorder(TCustomdxBarControl*, HDC, HBRUSH, const TRect&) const {}

void TdxBarPainter::FillToolbarBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const {
  bar->FillBackground(dc, rect, brush, clNone, true);
}

void TdxBarPainter::DrawCaptionButtonBackground(TCustomdxBarControl* bar, HDC dc, int state,
                                                const TRect& rect) const {
  if (state == 0) {
    FillDCRectWithColor(dc, *rect.Win(), GetFloatingCaptionColor(bar, 0));
    return;
  }
  DrawSelectionFrame(dc, rect);
  TRect inner = rect;
  inner.Inflate(-1, -1);
  FillRect(dc, inner.Win(), state == 1 ? GetSelectedBrush(bar) : GetDownedSelectedBrush(bar));
}

void TdxBarPainter::DrawFloatingCloseButton(TCustomdxBarControl*, HDC, const TRect&) const {}
void TdxBarPainter::DrawMarkBackground(TCustomdxBarControl*, HDC, HBRUSH, const TRect&) const {}
void TdxBarPainter::DrawMDIButton(TCustomdxBarControl*, int, const TRect&, HDC, int) const {}
void TdxBarPainter::DrawMenuItemBackground(const TdxBarItemControlDrawParams&, const TRect&) const {}

void TdxBarPainter::DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const {
  DrawEdge(canvas->GetHandle(), TRect(rect).Win(), EDGE_ETCHED, BF_TOP);
}

HBRUSH TdxBarPainter::GetMenuBackgroundBrush(TCustomdxBarControl*) const { return GetSysColorBrush(COLOR_BTNFACE); }

TRect TdxBarPainter::CalcMenuGlyphRect(const TRect& rect, int iconAreaSize) const {
  return {rect.Left, rect.Top, rect.Left + iconAreaSize, rect.Bottom};
}

void TdxBarPainter::DrawExpandButtonChevrons(TCustomdxBarControl*, HDC, bool, const TRect&) const {}

void TdxBarPainter::DrawSizeGrip(TCustomdxBarControl* bar, HDC dc, TColor, const TRect& rect) const {
  if (UsesThemes() && bar && bar->BarManager() && bar->BarManager()->AreVisualStylesAvailable())
    DrawThemedSizeGrip(dc, rect, 3);
  else
    ::DrawSizeGrip(dc, rect);
}

TSize TdxBarPainter::GetSizeGripSize(TdxBarManager* manager) const {
  if (UsesThemes() && manager && manager->AreVisualStylesAvailable()) return GetThemedSizeGripSize();
  return {GetSystemMetrics(SM_CXHSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

void TdxBarPainter::CalcDropDownNonClient(HWND window, TRect& rect, bool sizable, TdxBarItemControl* ownerControl,
                                          int& corner) const {
  rect.Inflate(-1, -1);
  corner = 3;
  if (!sizable || !ownerControl) return;
  TRect owner = ownerControl->ViewInfo()->Bounds();
  if (ownerControl->Parent()->HandleAllocated()) {
    MapWindowPoints(ownerControl->Parent()->WindowHandle(), nullptr, reinterpret_cast<POINT*>(owner.Win()), 2);
  }
  RECT windowRect{};
  GetWindowRect(window, &windowRect);
  corner = CalcGripCorner(owner, TRect(windowRect.left, windowRect.top, windowRect.right, windowRect.bottom));
  if (corner < 2) rect.Top += GetDropDownGripStripHeight();
  else rect.Bottom -= GetDropDownGripStripHeight();
}

void TdxBarPainter::DrawDropDownNonClient(HWND window, bool sizable, int corner, TRect& gripRect, TRect& closeRect,
                                          bool hot, bool pressed) const {
  DrawResizableDropDownNonClient(window, sizable, false, corner, gripRect, closeRect, hot, pressed);
}

int TdxBarPainter::GetDropDownGripStripHeight() const { return GetGripStripHeight(); }
