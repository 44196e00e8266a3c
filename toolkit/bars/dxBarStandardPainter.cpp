// The standard and enhanced painters: the classic three-dimensional look. Buttons are flat at rest,
// raised when hot and sunken when down or pressed; toolbars get a raised border with grip bars;
// floating toolbars a raised frame and the system's caption close button.
#include <algorithm>

#include "dxBarControl.h"
#include "dxBarDrawRoutines.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"

namespace {

void FillSysColor(HDC dc, const TRect& rect, int index) { FillRect(dc, rect.Win(), GetSysColorBrush(index)); }

void SetSysPixel(HDC dc, int x, int y, int index) { FillSysColor(dc, {x, y, x + 1, y + 1}, index); }

// A polyline in one colour.
void DrawLines(HDC dc, TColor color, std::initializer_list<POINT> points, int width = 1) {
  HPEN pen = CreatePen(PS_SOLID, width, ColorToRGB(color));
  HGDIOBJ old = SelectObject(dc, pen);
  Polyline(dc, points.begin(), static_cast<int>(points.size()));
  SelectObject(dc, old);
  DeleteObject(pen);
}

bool IsHorizontalToolbar(TCustomdxBarControl* bar) { return !bar->IsVertical(); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Item states.

void TdxBarStandardPainter::DrawGlyphFrame(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state,
                                           int paintType, const TRect& backgroundRect, bool frameRoom,
                                           HBRUSH brush) const {
  const bool checkMarkInMenu = state.CheckMarkMode && paintType == ptMenu;
  if (state.Down || (state.Selected && !checkMarkInMenu)) {
    const bool sunken = state.Down || state.Pressed || (state.DroppedDown && !state.HasArrow);
    DrawEdge(dc, TRect(backgroundRect).Win(), sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  } else if (frameRoom) {
    const bool useBrush = state.Down || state.Selected || state.Pressed || control->IsPressed() ||
                          control->HasOwnBackgroundBrush();
    FrameItemBackground(control, dc, useBrush, brush, backgroundRect);
  }
}

HBRUSH TdxBarStandardPainter::GetGlyphBackgroundBrush(TdxBarItemControl* control,
                                                      const TdxBarGlyphState& state) const {
  TCustomdxBarControl* bar = control->Parent();
  if (state.Down && state.Enabled) return state.Selected ? GetDownedSelectedBrush(bar) : GetDownedBrush(bar);
  if (state.Selected && state.CheckMarkMode && control->GetPaintType() == ptMenu) return GetSelectedBrush(bar);
  return control->GetBackgroundBrush();
}

// Each stroke is the polyline (x + s, y + r + 2s) -> (x + 3s, y + r + 4s) -> (x + 8s, y + r - s).
void TdxBarStandardPainter::DrawCheckMark(TdxBarItemControl* control, HDC dc, int scale, int top, int left) const {
  const int s = scale, x = left, y = top;
  auto stroke = [&](TColor color, int r) {
    DrawLines(dc, color, {{x + s, y + r + 2 * s}, {x + 3 * s, y + r + 4 * s}, {x + 8 * s, y + r - s}});
  };
  if (control->GetEnabled()) {
    const bool blackFace = ColorToRGB(clBtnFace) == 0;
    const TColor ink = blackFace ? clWhite : clBlack, opposite = blackFace ? clBlack : clWhite;
    int r = 0;
    for (int i = 0; i < s; ++i) stroke(TColor(0xC0C0C0), r++);
    for (int i = 0; i < 2 * s; ++i) stroke(ink, r++);
    for (int i = 0; i < s; ++i) stroke(opposite, r++);
    DrawLines(dc, ink, {{x + s - 1, y + 2 * s + 1}, {x + s - 1, y + 6 * s - 1}});
    DrawLines(dc, ink, {{x + 8 * s, y - s + 2}, {x + 8 * s, y + 3 * s}});
    return;
  }
  for (int r = 0; r < 2 * s; ++r) stroke(clBtnShadow, r);
  for (int i = 0; i < s; ++i) {
    DrawLines(dc, clBtnHighlight, {{x + 3 * s + 1, y + 7 * s - i - 1}, {x + 9 * s, y + s - i}});
    DrawLines(dc, clBtnHighlight, {{x + 4 * s, y + 7 * s - i}, {x + 9 * s, y + 2 * s - i}});
  }
}

void TdxBarStandardPainter::DrawDisabledDot(TdxBarItemControl* control, HDC dc, const TRect& rect) const {
  TRect light = rect;
  light.Offset(1, 1);
  FillSysColor(dc, light, COLOR_BTNHIGHLIGHT);
  TdxBarPainter::DrawDisabledDot(control, dc, rect);
}

void TdxBarStandardPainter::DrawButtonBackground(const TdxBarItemControlDrawParams& params, const TRect& rect,
                                                 HBRUSH brush) const {
  TdxBarPainter::DrawButtonBackground(params, rect, brush);
  HDC dc = params.Canvas->GetHandle();
  if (params.DrawSelected) {
    DrawEdge(dc, TRect(rect).Win(), params.DroppedDown ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  } else if (params.PaintType == ptMenu) {
    TRect divider{rect.Left - 1, rect.Top, rect.Left + 1, rect.Bottom};
    DrawEdge(dc, divider.Win(), EDGE_ETCHED, BF_LEFT | BF_RIGHT);
  }
}

void TdxBarStandardPainter::DrawColorSwatch(HDC dc, TColor, const TRect& rect) const {
  DrawEdge(dc, TRect(rect).Win(), EDGE_RAISED, BF_RECT);
}

void TdxBarStandardPainter::GetEditFrameWidths(int& top, int& bottom) const {
  top = 0;
  bottom = 2;
}

// ---------------------------------------------------------------------------------------------
// Toolbar frames.

int TdxBarStandardPainter::GetDragHandleSize(TCustomdxBarControl* bar) const {
  return 2 * GetDragHandleWidth(bar) + GetDragHandleLeft() + 1;
}

void TdxBarStandardPainter::DrawGrip(TCustomdxBarControl* bar, HDC dc, const TRect& rect, bool highlightCorner) const {
  DrawEdge(dc, TRect(rect).Win(), BDR_RAISEDINNER, BF_RECT);
  if (highlightCorner) {
    if (IsHorizontalToolbar(bar)) SetSysPixel(dc, rect.Left, rect.Bottom - 1, COLOR_BTNHIGHLIGHT);
    else SetSysPixel(dc, rect.Right - 1, rect.Top, COLOR_BTNHIGHLIGHT);
  }
  TRect inner = rect;
  inner.Inflate(-1, -1);
  FillSysColor(dc, inner, COLOR_BTNFACE);
  ExcludeClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
}

// Two grip bars side by side along the leading edge.
void TdxBarStandardPainter::DrawToolbarBorder(TCustomdxBarControl* bar, HDC dc, HBRUSH, const TRect& rect) const {
  TRect r = rect;
  DrawEdge(dc, r.Win(), BDR_RAISEDINNER, BF_RECT);
  r.Inflate(-2, -2);
  if (!bar->CanBeMoved()) return;
  const int width = GetDragHandleWidth(bar);
  for (int i = 0; i < 2; ++i) {
    const int start = GetDragHandleLeft() + i * width;
    const TRect grip = IsHorizontalToolbar(bar) ? TRect{r.Left + start, r.Top, r.Left + start + width, r.Bottom}
                                                : TRect{r.Left, r.Top + start, r.Right, r.Top + start + width};
    DrawGrip(bar, dc, grip, true);
  }
}

void TdxBarStandardPainter::DrawFloatingBorder(TCustomdxBarControl*, HDC dc, const TRect& rect) const {
  TRect r = rect;
  DrawEdge(dc, r.Win(), EDGE_RAISED, BF_RECT);
  r.Inflate(-2, -2);
  for (int i = 0; i < 2; ++i) {
    FrameRect(dc, r.Win(), GetSysColorBrush(COLOR_BTNFACE));
    r.Inflate(-1, -1);
  }
}

void TdxBarStandardPainter::DrawFloatingCloseButton(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const {
  HBRUSH caption = CreateSolidBrush(ColorToRGB(GetFloatingCaptionColor(bar, bar->Active() ? 1 : 0)));
  FillRect(dc, TRect(rect).Win(), caption);
  DeleteObject(caption);
  TRect button = rect;
  button.Inflate(-1, -1);
  DrawFrameControl(dc, button.Win(), DFC_CAPTION,
                   DFCS_CAPTIONCLOSE | (bar->CloseButtonState() == 2 ? DFCS_PUSHED : 0));
}

void TdxBarStandardPainter::DrawMDIButton(TCustomdxBarControl* bar, int kind, const TRect& rect, HDC dc,
                                          int state) const {
  static const UINT kinds[] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
  UINT flags = kinds[kind < 0 || kind > 2 ? 2 : kind];
  if (state == 1) flags |= DFCS_INACTIVE;
  if (state == 4) flags |= DFCS_PUSHED;
  const bool flatClose = kind == 2 && bar->IsMainMenu() && bar->BarManager() && bar->BarManager()->FlatCloseButton();
  if (!flatClose) {
    DrawFrameControl(dc, TRect(rect).Win(), DFC_CAPTION, flags);
    return;
  }
  HRGN saved;
  bool hadClip;
  SaveClipRegion(dc, saved, hadClip);
  TRect inner = rect;
  inner.Inflate(-1, -1);
  AddClipRect(dc, inner);
  DrawFrameControl(dc, TRect(rect).Win(), DFC_CAPTION, (flags & ~DFCS_PUSHED) | DFCS_FLAT);
  RestoreClipRegion(dc, saved, hadClip);
  DrawEdge(dc, TRect(rect).Win(), state == 4 ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
}

// ---------------------------------------------------------------------------------------------
// The mark.

// A floating toolbar's mark sits at the left of its caption.
TRect TdxBarStandardPainter::CalcMarkRect(TCustomdxBarControl* bar, const TRect& area) const {
  if (bar->DockingStyle() != dsNone) return TdxBarPainter::CalcMarkRect(bar, area);
  return {area.Left, area.Top, std::min(area.Left + 13, area.Right), area.Bottom};
}

void TdxBarStandardPainter::DrawMarkBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush,
                                               const TRect& rect) const {
  DrawBarBackground(bar, dc, brush, rect);
}

// Embossed chevrons: a highlight line with a shadow line beside it.
void TdxBarStandardPainter::DrawMarkChevrons(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const {
  if (IsHorizontalToolbar(bar)) {
    for (int offset : {2, 6}) {
      const int x = rect.Left + offset, y = rect.Top;
      DrawLines(dc, clBtnHighlight, {{x - 1, y + 1}, {x + 2, y + 4}});
      DrawLines(dc, clBtnHighlight, {{x + 3, y + 4}, {x - 1, y + 8}});
      DrawLines(dc, clBtnShadow, {{x, y + 1}, {x + 2, y + 3}, {x + 2, y + 4}, {x - 1, y + 7}});
    }
    return;
  }
  const int right = rect.Right;
  for (int offset : {2, 6}) {
    const int y = rect.Top + offset;
    DrawLines(dc, clBtnShadow, {{right - 9, y}, {right - 7, y + 2}, {right - 6, y + 2}, {right - 3, y - 1}});
    DrawLines(dc, clBtnHighlight, {{right - 9, y - 1}, {right - 6, y + 2}});
    DrawLines(dc, clBtnHighlight, {{right - 6, y + 3}, {right - 2, y - 1}});
  }
}

// ---------------------------------------------------------------------------------------------
// The enhanced painter.

int TdxBarEnhancedPainter::GetDragHandleSize(TCustomdxBarControl* bar) const {
  return GetDragHandleWidth(bar) + GetDragHandleLeft() + 2;
}

// One grip, 1 pixel in from the border and 1 pixel shorter at each end.
void TdxBarEnhancedPainter::DrawToolbarBorder(TCustomdxBarControl* bar, HDC dc, HBRUSH, const TRect& rect) const {
  TRect r = rect;
  DrawEdge(dc, r.Win(), BDR_RAISEDINNER, BF_RECT);
  r.Inflate(-2, -2);
  if (!bar->CanBeMoved()) return;
  const int start = GetDragHandleLeft(), width = GetDragHandleWidth(bar);
  const TRect grip = IsHorizontalToolbar(bar)
                         ? TRect{r.Left + start, r.Top + 1, r.Left + start + width, r.Bottom - 1}
                         : TRect{r.Left + 1, r.Top + start, r.Right - 1, r.Top + start + width};
  DrawGrip(bar, dc, grip, false);
}

void TdxBarEnhancedPainter::DrawMarkBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush,
                                               const TRect& rect) const {
  switch (bar->MarkState()) {
    case 1:
      DrawEdge(dc, TRect(rect).Win(), BDR_RAISEDINNER, BF_RECT);
      break;
    case 2:
      DrawEdge(dc, TRect(rect).Win(), BDR_SUNKENOUTER, BF_RECT);
      break;
    default:
      FrameRect(dc, TRect(rect).Win(), brush);
  }
  TRect inner = rect;
  inner.Inflate(-1, -1);
  DrawBarBackground(bar, dc, brush, inner);
}

void TdxBarEnhancedPainter::DrawMarkChevrons(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const {
  TdxBarPainter::DrawMarkChevrons(bar, dc, rect);
}
