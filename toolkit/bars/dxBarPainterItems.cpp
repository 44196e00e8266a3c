// The base painter's drawing of the item controls that are neither buttons nor edits: ellipsis and
// spin buttons, progress bars, static items, separators and the push button of drop-down windows.
#include <algorithm>

#include "dxBarControl.h"
#include "dxBarItemControl.h"
#include "dxBarPainter.h"
#include "dxOffice11.h"

namespace {
void FillSysColor(HDC dc, const TRect& rect, int index) { FillRect(dc, rect.Win(), GetSysColorBrush(index)); }

void LineSysColor(HDC dc, int x1, int y1, int x2, int y2, int index) {
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(index));
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void FillTriangle(HDC dc, const POINT (&points)[3], int colorIndex) {
  HBRUSH brush = GetSysColorBrush(colorIndex);
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(colorIndex));
  HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
  Polygon(dc, points, 3);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

TRect EmptyAtRight(const TRect& rect) { return {rect.Right, rect.Top, rect.Right, rect.Bottom}; }
}  // namespace

// ---------------------------------------------------------------------------------------------
// Ellipsis buttons.

TRect TdxBarPainter::CalcEllipsisButtonRect(int paintType, const TRect& rect, const TRect& editRect,
                                            bool shown) const {
  const TRect margins = GetComboButtonMargins(paintType);
  const int outerWidth = GetEllipsisButtonWidth(paintType, rect) + margins.Left + margins.Right;
  if (!shown || outerWidth >= editRect.Width() / 2) return EmptyAtRight(rect);
  return {rect.Right - outerWidth + margins.Left, rect.Top + margins.Top, rect.Right - margins.Right,
          rect.Bottom - margins.Bottom};
}

void TdxBarPainter::DrawEditButtonFace(HDC dc, const TRect& rect, bool pressed, bool, bool) const {
  FillSysColor(dc, rect, COLOR_BTNFACE);
  TRect edge = rect;
  DrawEdge(dc, edge.Win(), pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
}

void TdxBarPainter::DrawEllipsisDot(HDC dc, const TRect& rect, bool selected, bool enabled) const {
  if (enabled) {
    FillSysColor(dc, rect, selected && IsWhiteButtonFace() ? COLOR_BTNFACE : COLOR_BTNTEXT);
    return;
  }
  if (IsStandardLook()) {
    TRect shadow = rect;
    OffsetRect(shadow.Win(), 1, 1);
    FillSysColor(dc, shadow, COLOR_BTNHIGHLIGHT);
  }
  FillSysColor(dc, rect, COLOR_BTNSHADOW);
}

void TdxBarPainter::DrawEllipsisButton(HDC dc, const TRect& rect, bool pressed, bool selected, bool enabled) const {
  if (rect.IsEmpty()) return;
  DrawEditButtonFace(dc, rect, pressed, selected, enabled);
  const int a = std::max(rect.Width() / 7, 1);
  TRect dot(rect.Left + (rect.Width() - 5 * a) / 2, 0, 0, rect.Bottom - GetEllipsisDotOffset(a));
  dot.Top = dot.Bottom - a;
  dot.Right = dot.Left + a;
  OffsetPressedGlyph(pressed, dot);
  for (int i = 0; i < 3; ++i) {
    DrawEllipsisDot(dc, dot, selected, enabled);
    OffsetRect(dot.Win(), 2 * a, 0);
  }
}

// ---------------------------------------------------------------------------------------------
// Spin buttons.

int TdxBarPainter::GetSpinButtonsWidth(int paintType, const TRect& rect) const {
  const int a = CalcSpinArrowSize(rect.Height()).cy;
  const TRect margins = GetSpinButtonMargins(paintType);
  return (2 * a - 1) + 2 * a + 4 - margins.Left - margins.Right;
}

TRect TdxBarPainter::CalcSpinButtonRect(int paintType, const TRect& rect, const TRect& editRect, int kind) const {
  const TRect margins = GetSpinButtonMargins(paintType);
  const int outerWidth = GetSpinButtonsWidth(paintType, rect) + margins.Left + margins.Right;
  if (outerWidth >= editRect.Width() / 2) return EmptyAtRight(rect);
  TRect button(rect.Right - outerWidth + margins.Left, rect.Top + margins.Top, rect.Right - margins.Right,
               rect.Bottom - margins.Bottom);
  const int middle = (button.Top + button.Bottom) / 2;
  if (kind == 1) button.Bottom = middle;
  else button.Top = middle;
  return button;
}

void TdxBarPainter::DrawSpinButton(HDC dc, const TRect& rect, int part, int pressedPart, bool selected,
                                   bool enabled) const {
  if (rect.IsEmpty()) return;
  const bool pressed = part == pressedPart;
  DrawEditButtonFace(dc, rect, pressed, selected, enabled);
  const int a = CalcSpinArrowSize(rect.Height() * 2).cy;
  const int w = 2 * a - 1;
  TRect at(rect.Left + a, (rect.Top + rect.Bottom - a) / 2, 0, 0);
  if (part == 3) at.Top += a - 1;
  OffsetPressedGlyph(pressed, at);
  const int tip = part == 3 ? at.Top - w / 2 : at.Top + w / 2;
  const POINT points[3] = {{at.Left, at.Top}, {at.Left + w - 1, at.Top}, {at.Left + w / 2, tip}};
  if (enabled) {
    FillTriangle(dc, points, COLOR_BTNTEXT);
    return;
  }
  const POINT shadow[3] = {{points[0].x + 1, points[0].y + 1}, {points[1].x + 1, points[1].y + 1},
                           {points[2].x + 1, points[2].y + 1}};
  FillTriangle(dc, shadow, COLOR_BTNHIGHLIGHT);
  FillTriangle(dc, points, COLOR_BTNSHADOW);
}

int TdxBarPainter::GetSpinButtonState(bool enabled, int part, int pressedPart, int hotPart) const {
  if (!enabled) return 4;
  if (part == pressedPart) return 3;
  if (part == hotPart) return 2;
  return 1;
}

// ---------------------------------------------------------------------------------------------
// Progress bars.

void TdxBarPainter::DrawProgressBar(const TdxBarItemControlDrawParams& params, const TRect& rect, int position,
                                    int min, int max, bool smooth, TColor color) const {
  const HDC dc = params.Canvas->GetHandle();
  const HBRUSH background = params.BarItemControl && params.BarItemControl->Parent()
                                ? params.BarItemControl->Parent()->CurrentBackgroundBrush()
                                : GetSysColorBrush(COLOR_BTNFACE);
  FillRect(dc, rect.Win(), background);
  if (max <= min || position <= min) return;
  const bool vertical = params.PaintType == ptVert;
  const int length = vertical ? rect.Height() : rect.Width();
  const int start = vertical ? rect.Top : rect.Left;
  const int end = start + MulDiv(length, std::min(position, max) - min, max - min);
  const HBRUSH brush = CreateSolidBrush(ColorToRGB(color == clDefault ? clHighlight : color));
  auto block = [&](int from, int to) {
    const TRect r = vertical ? TRect(rect.Left, from, rect.Right, to) : TRect(from, rect.Top, to, rect.Bottom);
    FillRect(dc, r.Win(), brush);
  };
  if (smooth) {
    block(start, end);
  } else {
    const int thickness = vertical ? rect.Width() : rect.Height();
    const int size = std::max(MulDiv(thickness, 2, 3), 1);
    for (int from = start; from < end; from += size + 2) block(from, std::min(from + size, end));
  }
  DeleteObject(brush);
}

// ---------------------------------------------------------------------------------------------
// Statics and separators.

void TdxBarPainter::DrawStaticBorder(HDC dc, TRect& rect, int borderStyle) const {
  constexpr int sbsLowered = 1, sbsRaised = 2, sbsEtched = 3, sbsBump = 4;
  switch (borderStyle) {
    case sbsLowered: DrawEdge(dc, rect.Win(), BDR_SUNKENOUTER, BF_RECT); break;
    case sbsRaised: DrawEdge(dc, rect.Win(), BDR_RAISEDINNER, BF_RECT); break;
    case sbsEtched: DrawEdge(dc, rect.Win(), EDGE_ETCHED, BF_RECT); break;
    case sbsBump:
      DrawEdge(dc, rect.Win(), BDR_RAISEDINNER, BF_RECT);
      rect.Inflate(-1, -1);
      DrawEdge(dc, rect.Win(), BDR_SUNKENOUTER, BF_RECT);
      rect.Inflate(-1, -1);
      return;
    default: return;
  }
  const TRect border = GetStaticBorderRect(borderStyle);
  rect = {rect.Left + border.Left, rect.Top + border.Top, rect.Right - border.Right, rect.Bottom - border.Bottom};
}

void TdxBarPainter::DrawStaticIndents(TdxBarItemControl* control, HDC dc, TRect& rect, int leftIndent,
                                      int rightIndent, bool vertical) const {
  const HBRUSH brush = control->Parent()->CurrentBackgroundBrush();
  if (leftIndent > 0) {
    const TRect strip = vertical ? TRect(rect.Left, rect.Top, rect.Right, rect.Top + leftIndent)
                                 : TRect(rect.Left, rect.Top, rect.Left + leftIndent, rect.Bottom);
    FillRect(dc, strip.Win(), brush);
    (vertical ? rect.Top : rect.Left) += leftIndent;
  }
  if (rightIndent > 0) {
    const TRect strip = vertical ? TRect(rect.Left, rect.Bottom - rightIndent, rect.Right, rect.Bottom)
                                 : TRect(rect.Right - rightIndent, rect.Top, rect.Right, rect.Bottom);
    FillRect(dc, strip.Win(), brush);
    (vertical ? rect.Bottom : rect.Right) -= rightIndent;
  }
}

void TdxBarPainter::DrawSeparator(const TdxBarItemControlDrawParams& params, const TRect& rect, bool captionShown,
                                  bool firstOfBar) const {
  TdxBarItemControl* control = params.BarItemControl;
  const HDC dc = params.Canvas->GetHandle();
  if (captionShown) {
    FillRect(dc, rect.Win(), control->Parent()->CurrentBackgroundBrush());
    const int line = GetSeparatorLineSize();
    const TRect margins = GetSeparatorTextMargins(control);
    TRect text(rect.Left + margins.Left, rect.Top + line, rect.Right - margins.Right, rect.Bottom - line);
    DrawItemText(control, dc, DT_SINGLELINE, false, true, false, false, params.Enabled, 0, text, params.Caption);
    if (!firstOfBar) DrawMenuSeparatorLine(params.Canvas, {rect.Left, rect.Top, rect.Right, rect.Top + line});
    DrawMenuSeparatorLine(params.Canvas, {rect.Left, rect.Bottom - line, rect.Right, rect.Bottom});
  } else if (params.PaintType == ptMenu) {
    FillRect(dc, rect.Win(), control->Parent()->CurrentBackgroundBrush());
    const int middle = (rect.Top + rect.Bottom) / 2;
    DrawMenuSeparatorLine(params.Canvas, {rect.Left, middle - 1, rect.Right, middle + 1});
  } else {
    DrawToolbarSeparator(control->Parent(), dc, params.PaintType == ptVert, control->Parent()->BkBrush(), rect);
  }
}

// ---------------------------------------------------------------------------------------------
// The push button of drop-down windows.

void TdxBarPainter::DrawDropDownButton(HDC dc, bool pushed, const std::string& text, const TRect& rect) const {
  TRect r = rect;
  if (pushed) {
    DrawFrameControl(dc, r.Win(), DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  } else {
    LineSysColor(dc, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1, COLOR_BTNTEXT);
    LineSysColor(dc, r.Right - 1, r.Top, r.Right - 1, r.Bottom, COLOR_BTNTEXT);
    LineSysColor(dc, r.Left, r.Top, r.Right - 1, r.Top, COLOR_BTNFACE);
    LineSysColor(dc, r.Left, r.Top, r.Left, r.Bottom - 1, COLOR_BTNFACE);
    LineSysColor(dc, r.Left + 1, r.Bottom - 2, r.Right - 1, r.Bottom - 2, COLOR_BTNSHADOW);
    LineSysColor(dc, r.Right - 2, r.Top + 1, r.Right - 2, r.Bottom - 1, COLOR_BTNSHADOW);
    LineSysColor(dc, r.Left + 1, r.Top + 1, r.Right - 2, r.Top + 1, COLOR_BTNHIGHLIGHT);
    LineSysColor(dc, r.Left + 1, r.Top + 1, r.Left + 1, r.Bottom - 2, COLOR_BTNHIGHLIGHT);
    SetPixel(dc, r.Right - 2, r.Top + 1, GetSysColor(COLOR_BTNFACE));
  }
  r.Inflate(-2, -2);
  const int offset = pushed ? 1 : 0;
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  SIZE extent;
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  const int x = r.Left + (r.Width() - extent.cx) / 2 + offset, y = r.Top + (r.Height() - extent.cy) / 2 + offset;
  ExtTextOutA(dc, x, y, ETO_CLIPPED | ETO_OPAQUE, r.Win(), text.c_str(), static_cast<UINT>(text.size()), nullptr);
}
