// The base painter's own drawing: arrows, the standard button, check marks and boxes, text cells,
// headers, footer cells, the filter close cross, indicator cells, the progress bar, navigation
// buttons and the analog clock. Every operation leaves the canvas's brush, pen, font and clipping
// as it found them.
#include "cxLookAndFeelPainters.h"

#include <cmath>

#include "ImgList.h"
#include "cxLookAndFeelPaintersShared.h"

using P = TcxCustomLookAndFeelPainter;

using namespace PainterDrawing;

Cardinal PainterDrawing::TextFlags(TAlignment horz, TcxAlignmentVert vert, bool multiLine, bool endEllipsis) {
  static constexpr Cardinal horzFlags[] = {cxAlignLeft, cxAlignRight, cxAlignHCenter};
  static constexpr Cardinal vertFlags[] = {cxAlignTop, cxAlignBottom, cxAlignVCenter};
  Cardinal flags = horzFlags[horz] | vertFlags[vert] | (multiLine ? cxWordBreak : cxSingleLine);
  return endEllipsis ? flags | cxShowEndEllipsis : flags;
}

void PainterDrawing::SolidPolygon(TcxCanvas* canvas, const TPoint* points, int count, TColor color) {
  canvas->GetBrush()->SetColor(color);
  canvas->GetBrush()->SetStyle(TBrushStyle::bsSolid);
  canvas->GetPen()->SetColor(color);
  canvas->GetPen()->SetStyle(TPenStyle::psSolid);
  canvas->Canvas()->Polygon(points, count);
}

void PainterDrawing::Line(TcxCanvas* canvas, int x1, int y1, int x2, int y2) {
  canvas->Canvas()->MoveTo(x1, y1);
  canvas->Canvas()->LineTo(x2, y2);
}

void PainterDrawing::Fill(TcxCanvas* canvas, const TRect& rect, TColor color) {
  canvas->SetBrushColor(color);
  canvas->FillRectTiled(rect, nullptr, false);
}

TRect PainterDrawing::Shrunk(const TRect& rect, int d) {
  TRect r = rect;
  r.Inflate(-d, -d);
  return r;
}

namespace {

int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Arrows

void P::CalcArrowTriangle(const TRect& rect, TPoint (&points)[3], TcxArrowDirection direction, bool proportional,
                          int size) {
  TRect r = rect;
  if (proportional) {
    const int d = r.Width() - r.Height();
    if (d < 1)
      r.Inflate(0, d / 2);
    else
      r.Inflate(-(d / 2), 0);
  }
  const bool vertical = direction == adUp || direction == adDown;
  const int a = size != 0 ? size : ((vertical ? r.Width() : r.Height()) - 1) / 4 + 1;
  const int w = vertical ? 2 * a - 1 : a, h = vertical ? a : 2 * a - 1;
  const int x0 = (r.Left + r.Right - w) / 2, y0 = MulDiv(r.Top + r.Bottom - h, 1, 2);
  switch (direction) {
    case adUp:
      points[0] = {(r.Left + r.Right - 1) / 2, y0}, points[1] = {x0, y0 + h - 1}, points[2] = {x0 + w - 1, y0 + h - 1};
      break;
    case adDown:
      points[0] = {x0, y0}, points[1] = {x0 + w - 1, y0}, points[2] = {(r.Left + r.Right - 1) / 2, y0 + h - 1};
      break;
    case adLeft:
      points[0] = {x0, (r.Top + r.Bottom) / 2}, points[1] = {x0 + w - 1, y0}, points[2] = {x0 + w - 1, y0 + h - 1};
      break;
    case adRight:
      points[0] = {x0, y0}, points[1] = {x0 + w - 1, (r.Top + r.Bottom) / 2}, points[2] = {x0, y0 + h - 1};
      break;
  }
}

void P::DrawSolidArrow(TcxCanvas* canvas, const TRect& rect, TcxArrowDirection direction, TColor color) const {
  TCanvasStateSaver saver(canvas);
  TPoint p[3];
  CalcArrowTriangle(rect, p, direction, true);
  SolidPolygon(canvas, p, 3, color);
}

void P::PaintArrowButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, TcxArrowDirection direction,
                         bool withBorder) const {
  TCanvasStateSaver saver(canvas);
  if (withBorder)
    PaintArrowButtonBorder(canvas, rect, state);
  else
    Fill(canvas, rect, ButtonColor(state));
  TPoint p[3];
  CalcArrowTriangle(rect, p, direction, false);
  SolidPolygon(canvas, p, 3, ButtonGlyphColor(state));
}

void P::PaintArrowButtonBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const {
  TCanvasStateSaver saver(canvas);
  Fill(canvas, rect, ButtonColor(state));
  PaintButtonBorder(canvas, rect, state);
}

void P::PaintArrowGlyph(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                        TcxArrowDirection direction) const {
  TCanvasStateSaver saver(canvas);
  TRect r = rect;
  if (state == cxbsPressed) r.Offset(ButtonPressedShift(), ButtonPressedShift());
  TPoint p[3];
  CalcArrowTriangle(r, p, direction, true);
  if (state != cxbsDisabled) return SolidPolygon(canvas, p, 3, ButtonGlyphColor(state));
  TPoint shifted[3] = {p[0] + TPoint(1, 1), p[1] + TPoint(1, 1), p[2] + TPoint(1, 1)};
  SolidPolygon(canvas, shifted, 3, clBtnHighlight);
  SolidPolygon(canvas, p, 3, clBtnShadow);
}

void P::PaintSmallDownArrow(TcxCanvas* canvas, const TRect& rect, TColor color) const {
  TCanvasStateSaver saver(canvas);
  int w = rect.Width() / 2;
  if (w % 2 == 0) ++w;
  const int h = w / 2 + 1;
  const int x0 = (rect.Left + rect.Right - w) / 2, y0 = MulDiv(rect.Top + rect.Bottom - h, 1, 2);
  TPoint p[3] = {{x0, y0}, {x0 + w - 1, y0}, {x0 + w / 2, y0 + h - 1}};
  SolidPolygon(canvas, p, 3, color);
}

// ---------------------------------------------------------------------------------------------
// General drawing

void P::FillAreaBackground(TcxCanvas* canvas, const TRect& rect, bool useBitmap, TColor color,
                           TBitmap* bitmap) const {
  TCanvasStateSaver saver(canvas);
  if (!useBitmap)
    canvas->FillRectColor(rect, color);
  else if (bitmap && !bitmap->Empty())
    canvas->FillRectTiled(rect, bitmap, false);
}

void P::PaintTextCell(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxButtonState,
                      TAlignment horzAlignment, TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis,
                      const std::string& text, TFont* font, TColor textColor, TColor backgroundColor,
                      const TcxDrawBackgroundEvent& onCustomDrawBackground, bool) const {
  TCanvasStateSaver saver(canvas);
  if (!(onCustomDrawBackground && onCustomDrawBackground(canvas, rect))) Fill(canvas, rect, backgroundColor);
  if (text.empty()) return;
  canvas->GetBrush()->SetStyle(TBrushStyle::bsClear);
  if (font) canvas->SetFont(font);
  canvas->GetFont()->SetColor(textColor);
  canvas->DrawText(text, textRect, TextFlags(horzAlignment, vertAlignment, multiLine, endEllipsis), true);
}

// ---------------------------------------------------------------------------------------------
// Buttons

void P::PaintBorder(TcxCanvas*, const TRect&) const {}

void P::PaintButton(TcxCanvas* canvas, const TRect& rect, const std::string& caption, TcxButtonState state,
                    bool drawBorder, TColor color, TColor textColor, bool wordWrap) const {
  TCanvasStateSaver saver(canvas);
  TRect r = rect;
  if (drawBorder) {
    PaintButtonBorder(canvas, r, state);
    r.Inflate(-ButtonBorderWidth(state), -ButtonBorderWidth(state));
  }
  Fill(canvas, r, color == clDefault ? ButtonColor(state) : color);
  canvas->GetFont()->SetColor(textColor == clDefault ? ButtonGlyphColor(state) : textColor);
  canvas->GetBrush()->SetStyle(TBrushStyle::bsClear);
  if (r.Height() % 2 != 0) --r.Bottom;
  if (r.Height() < 18) --r.Top;
  if (state == cxbsPressed) r.Offset(ButtonPressedShift(), ButtonPressedShift());
  if (!caption.empty())
    canvas->DrawText(caption, r,
                     cxAlignHCenter | cxAlignVCenter | cxShowPrefix | (wordWrap ? cxWordBreak : cxSingleLine),
                     state != cxbsDisabled);
}

void P::PaintCaptionlessButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, int, int, TColor) const {
  PaintButton(canvas, rect, "", state, true, clDefault, clDefault, false);
}

void P::PaintButtonBorder(TcxCanvas*, const TRect&, TcxButtonState) const {}
void P::PaintStateFrame(TcxCanvas*, const TRect&, bool, bool) const {}
void P::PaintExpandButton(TcxCanvas*, const TRect&, bool, TColor) const {}

void P::PaintGroupExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TcxButtonState state) const {
  TCanvasStateSaver saver(canvas);
  PaintButton(canvas, rect, "", state, true, clDefault, clDefault, false);
  // Two chevrons, each three pixels high, six wide and two lines thick, with two rows between them.
  const int x0 = (rect.Left + rect.Right - 6) / 2, top = (rect.Top + rect.Bottom - 10) / 2;
  const TColor color = ButtonGlyphColor(state);
  for (int chevron = 0; chevron < 2; ++chevron)
    for (int k = 0; k < 3; ++k)
      for (int thick = 0; thick < 2; ++thick) {
        const int y = top + chevron * 6 + (expanded ? 2 - k : k) + thick;
        Fill(canvas, TRect(x0 + k, y, x0 + k + 1, y + 1), color);
        Fill(canvas, TRect(x0 + 5 - k, y, x0 + 6 - k, y + 1), color);
      }
}

void P::PaintSmallExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor frameColor,
                               TColor color) const {
  TCanvasStateSaver saver(canvas);
  canvas->FrameRect(rect, frameColor, 1, cxBordersAll, false);
  TRect inner = rect;
  inner.Inflate(-1, -1);
  if (color != clDefault) Fill(canvas, inner, color);
  const int h = (rect.Width() - 4) / 2;
  const int cx = (rect.Left + rect.Right) / 2, cy = (rect.Top + rect.Bottom) / 2;
  Fill(canvas, TRect(cx - h, cy, cx + h + 1, cy + 1), clBtnText);
  if (!expanded) Fill(canvas, TRect(cx, cy - h, cx + 1, cy + h + 1), clBtnText);
}

// ---------------------------------------------------------------------------------------------
// Check boxes and radio buttons

void P::PaintCheckMark(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, bool checked, TColor color) const {
  TCanvasStateSaver saver(canvas);
  if (canvas->GetBrush()->Style() == TBrushStyle::bsSolid) Fill(canvas, rect, CheckBoxColor(state));
  if (!checked) return;
  const int x = rect.Width() - 2, y = rect.Height() - 4;
  const int xc = (rect.Left + rect.Right) / 2 - 1;
  canvas->GetPen()->SetColor(color);
  canvas->GetPen()->SetStyle(TPenStyle::psSolid);
  for (int d = 0; d < 3; ++d) {
    const int yb = (rect.Top + rect.Bottom + y) / 2 + d - 2;
    TPoint tick[3] = {{xc + 1 - x / 2, yb - y / 2}, {xc, yb}, {xc + x / 2 + 2, yb - y}};
    canvas->Canvas()->Polyline(tick, 3);
  }
}

void P::PaintCheckBoxBorder(TcxCanvas*, const TRect&, TcxButtonState) const {}

void P::PaintCheckBoxByBool(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, bool checked) const {
  PaintCheckBox(canvas, rect, state, checked ? cbsChecked : cbsUnchecked);
}

void P::PaintCheckBox(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, TcxCheckBoxState checkState) const {
  TCanvasStateSaver saver(canvas);
  PaintCheckBoxBorder(canvas, rect, state);
  TRect r = rect;
  r.Inflate(-CheckBoxBorderWidth(), -CheckBoxBorderWidth());
  const TColor color = state == cxbsDisabled || checkState == cbsGrayed ? clGrayText : clBtnText;
  PaintCheckMark(canvas, r, state, checkState != cbsUnchecked, color);
}

TSize P::CheckGlyphSize() const { return cxCheckGlyphSize(); }

void P::PaintRadioButton(TcxCanvas* canvas, int x, int y, TcxButtonState state, bool checked, bool focused,
                         TColor backgroundColor, bool highlighted) const {
  GetRadioButtonImages()->Draw(canvas, x, y, backgroundColor, KindOfDrawingStyle(DrawingStyle()), state, checked,
                               focused, highlighted);
}

TSize P::RadioButtonSize() const { return GetRadioButtonImages()->GetSize(); }

// ---------------------------------------------------------------------------------------------
// Headers

void P::PaintHeader(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                    TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                    TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis, const std::string& text,
                    TFont* font, TColor textColor, TColor backgroundColor,
                    const TcxDrawBackgroundEvent& onCustomDrawBackground, bool, bool) const {
  PaintHeaderBorder(canvas, rect, neighbors, borders);
  PaintTextCell(canvas, HeaderContentBounds(rect, borders), textRect, state, horzAlignment, vertAlignment, multiLine,
                endEllipsis, text, font, textColor, backgroundColor, onCustomDrawBackground, false);
}

void P::PaintHeaderSimple(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                          TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                          TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis, const std::string& text,
                          TFont* font, TColor textColor, TColor backgroundColor,
                          const TcxDrawBackgroundEvent& onCustomDrawBackground) const {
  PaintHeader(canvas, rect, textRect, neighbors, borders, state, horzAlignment, vertAlignment, multiLine,
              endEllipsis, text, font, textColor, backgroundColor, onCustomDrawBackground, false, false);
}

void P::PaintHeaderBorder(TcxCanvas*, const TRect&, TcxBorders, TcxBorders) const {}

void P::PaintHeaderPressed(TcxCanvas* canvas, const TRect& rect) const {
  TCanvasStateSaver saver(canvas);
  canvas->DrawFocusRect(rect);
}

void P::PaintHeaderSection(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders,
                           TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                           TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis, const std::string& text,
                           TFont* font, TColor textColor, TColor backgroundColor) const {
  PaintHeaderSectionBorder(canvas, rect, borders, state);
  PaintHeaderSectionContent(canvas, HeaderSectionContentBounds(rect, state), textRect, state, horzAlignment,
                            vertAlignment, multiLine, endEllipsis, text, font, textColor, backgroundColor);
}

void P::PaintHeaderSectionBorder(TcxCanvas*, const TRect&, TcxBorders, TcxButtonState) const {}

void P::PaintHeaderSectionContent(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxButtonState state,
                                  TAlignment horzAlignment, TcxAlignmentVert vertAlignment, bool multiLine,
                                  bool endEllipsis, const std::string& text, TFont* font, TColor textColor,
                                  TColor backgroundColor) const {
  TCanvasStateSaver saver(canvas);
  Fill(canvas, rect, backgroundColor);
  PaintHeaderSectionText(canvas, HeaderSectionTextBounds(textRect, state), state, horzAlignment, vertAlignment,
                         multiLine, endEllipsis, text, font, textColor);
}

void P::PaintHeaderSectionText(TcxCanvas* canvas, const TRect& textRect, TcxButtonState state,
                               TAlignment horzAlignment, TcxAlignmentVert vertAlignment, bool multiLine,
                               bool endEllipsis, const std::string& text, TFont* font, TColor textColor) const {
  TCanvasStateSaver saver(canvas);
  const Cardinal flags = TextFlags(horzAlignment, vertAlignment, multiLine, endEllipsis);
  canvas->GetBrush()->SetStyle(TBrushStyle::bsClear);
  if (font) canvas->SetFont(font);
  if (state == cxbsDisabled) {
    TRect shifted = textRect;
    shifted.Offset(1, 1);
    canvas->GetFont()->SetColor(clBtnHighlight);
    canvas->DrawText(text, shifted, flags, true);
    canvas->GetFont()->SetColor(clBtnShadow);
  } else {
    canvas->GetFont()->SetColor(textColor);
  }
  canvas->DrawText(text, textRect, flags, true);
}

void P::PaintHeaderSeparator(TcxCanvas* canvas, const TRect& rect, int width, TColor color,
                             const TcxViewParams& viewParams) const {
  TCanvasStateSaver saver(canvas);
  const TRect left(rect.Left, rect.Top, std::min(rect.Left + width, rect.Right), rect.Bottom);
  const TRect right(std::max(rect.Right - width, rect.Left), rect.Top, rect.Right, rect.Bottom);
  canvas->FillRectWithBorders(left, viewParams, {}, clDefault, 0, false);
  canvas->FillRectWithBorders(right, viewParams, {}, clDefault, 0, false);
  Fill(canvas, TRect(left.Right, rect.Top, right.Left, rect.Bottom), color);
}

void P::PaintSortMark(TcxCanvas*, const TRect&, bool) const {}

int P::HeaderWidth(TcxCanvas* canvas, TcxBorders borders, const std::string& text, TFont* font) const {
  TCanvasStateSaver saver(canvas);
  if (font) canvas->SetFont(font);
  int width = canvas->TextWidth(text) + 4;
  if (borders.Contains(bLeft)) width += HeaderBorderWidth();
  if (borders.Contains(bRight)) width -= HeaderBorderWidth();
  return width;
}

void P::PaintHeaderAreaBackground(TcxCanvas* canvas, const TRect& rect, bool useBitmap, TColor color,
                                  TBitmap* bitmap) const {
  FillAreaBackground(canvas, rect, useBitmap, color, bitmap);
}

void P::PaintSortMarkOutline(TcxCanvas* canvas, const TRect& rect, TColor darkColor, TColor lightColor,
                             bool ascending) const {
  TCanvasStateSaver saver(canvas);
  const TPoint e = SortMarkExtent();
  const int w = e.X, h = e.Y, even = w % 2 == 0 ? 1 : 0;
  const int xc = (rect.Left + rect.Right) / 2 - even, a = w / 2 - even, b = w / 2, dir = ascending ? 1 : -1;
  const int y0 = ascending ? (rect.Top + rect.Bottom - h) / 2 : (rect.Top + rect.Bottom + h) / 2 - 1;
  TCanvas* c = canvas->Canvas();
  canvas->GetPen()->SetStyle(TPenStyle::psSolid);
  canvas->GetPen()->SetColor(lightColor);
  c->MoveTo(xc + b, y0 + (h - 2) * dir);
  c->LineTo(xc + b - a, y0);
  c->LineTo(xc + b, y0 + (h - 1) * dir);
  if (!ascending) canvas->GetPen()->SetColor(darkColor);
  c->LineTo(xc - a, y0 + (h - 1) * dir);
  if (ascending) canvas->GetPen()->SetColor(darkColor);
  c->LineTo(xc, y0);
  c->LineTo(xc - a, y0 + (h - w % 2) * dir);
}

// ---------------------------------------------------------------------------------------------
// Footer, filter buttons, window content, tabs

void P::PaintFooterCell(TcxCanvas* canvas, const TRect& rect, TAlignment horzAlignment,
                        TcxAlignmentVert vertAlignment, bool multiLine, const std::string& text, TFont* font,
                        TColor textColor, TColor backgroundColor,
                        const TcxDrawBackgroundEvent& onCustomDrawBackground) const {
  PaintFooterCellBorder(canvas, rect);
  PaintTextCell(canvas, FooterCellContentBounds(rect), FooterCellTextBounds(rect), cxbsDefault, horzAlignment,
                vertAlignment, multiLine, false, text, font, textColor, backgroundColor, onCustomDrawBackground, true);
}

void P::PaintFooterBorder(TcxCanvas*, const TRect&) const {}
void P::PaintFooterCellBorder(TcxCanvas*, const TRect&) const {}

void P::PaintFooterPanel(TcxCanvas* canvas, const TRect& rect, const TcxViewParams& viewParams) const {
  if (rect.IsEmpty()) return;
  TCanvasStateSaver saver(canvas);
  canvas->FillRectWithBorders(rect, viewParams, {}, clDefault, 0, false);
}

void P::PaintFooterSeparator(TcxCanvas* canvas, const TRect& rect) const {
  TCanvasStateSaver saver(canvas);
  Fill(canvas, rect, FooterSeparatorColor());
}

void P::PaintFilterActivateButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, bool checked) const {
  PaintCheckBoxByBool(canvas, rect, state, checked);
}

void P::PaintFilterCloseButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const {
  TCanvasStateSaver saver(canvas);
  PaintButtonBorder(canvas, rect, state);
  TRect r = rect;
  r.Inflate(-ButtonBorderWidth(cxbsNormal), -ButtonBorderWidth(cxbsNormal));
  Fill(canvas, r, ButtonColor(state));
  int n = FilterCloseButtonExtent().X / 2;
  if (n % 2 == 0) --n;
  int x = (r.Left + r.Right - n) / 2, y = (r.Top + r.Bottom - n) / 2;
  if (ButtonGlyphState(state) == cxbsPressed) ++x, ++y;
  canvas->GetPen()->SetColor(ButtonGlyphColor(state));
  canvas->GetPen()->SetStyle(TPenStyle::psSolid);
  for (int dx = 0; dx < 2; ++dx) {
    Line(canvas, x + dx, y, x + dx + n, y + n);
    Line(canvas, x + dx, y + n - 1, x + dx + n, y - 1);
  }
}

void P::PaintFilterDropDownButton(TcxCanvas*, const TRect&, TcxButtonState, bool) const {}

void P::PaintFilterPanel(TcxCanvas* canvas, const TRect& rect, bool useBitmap, TColor color, TBitmap* bitmap) const {
  FillAreaBackground(canvas, rect, useBitmap, color, bitmap);
}

void P::PaintWindowContent(TcxCanvas* canvas, const TRect& rect) const {
  TCanvasStateSaver saver(canvas);
  Fill(canvas, rect, clBtnFace);
}

void P::PaintTab(TcxCanvas*, const TRect&, TcxBorders, const std::string&, TcxButtonState, bool, TFont*, TColor,
                 TColor, bool) const {}
void P::PaintTabBorder(TcxCanvas*, const TRect&, TcxBorder, TcxBorders, bool) const {}
void P::PaintTabsRoot(TcxCanvas*, const TRect&, TcxBorders, bool) const {}

// ---------------------------------------------------------------------------------------------
// Indicator, scroll bar, size grip

void P::PaintIndicatorGrip(TcxCanvas* canvas, const TRect& rect, TColor color) const {
  TCanvasStateSaver saver(canvas);
  canvas->GetPen()->SetColor(color);
  canvas->GetPen()->SetStyle(TPenStyle::psSolid);
  const int top = (rect.Top + rect.Bottom - 9) / 2;
  for (int row = 0; row < 5; ++row) {
    const int y = top + 2 * row;
    Line(canvas, rect.Left + 5, y, rect.Right - 3, y);
    if (row % 2 == 0) canvas->Canvas()->SetPixel(rect.Left + 3, y, color);
  }
}

void P::PaintIndicatorImage(TcxCanvas* canvas, const TRect& rect, TcxIndicatorKind kind) const {
  if (kind == ikNone) return;
  DrawIndicatorImage(canvas, rect, kind);
}

void P::PaintIndicatorItem(TcxCanvas* canvas, const TRect& rect, TcxIndicatorKind kind, TColor backgroundColor,
                           const TcxDrawBackgroundEvent& onCustomDrawBackground) const {
  PaintHeader(canvas, rect, rect, {}, HeaderDrawnBorders({bTop, bBottom}), cxbsNormal, taLeftJustify, vaTop, false,
              false, "", nullptr, clNone, backgroundColor, onCustomDrawBackground, false, false);
  PaintIndicatorImage(canvas, rect, kind);
}

void P::PaintIndicatorItemSimple(TcxCanvas* canvas, const TRect& rect, TcxIndicatorKind kind, TColor backgroundColor,
                                 const TcxDrawBackgroundEvent& onCustomDrawBackground) const {
  PaintHeaderSimple(canvas, rect, rect, {}, cxBordersAll, cxbsNormal, taLeftJustify, vaTop, false, false, "",
                    nullptr, clNone, backgroundColor, onCustomDrawBackground);
  PaintIndicatorImage(canvas, rect, kind);
}

void P::PaintScrollBarPart(TcxCanvas*, bool, const TRect&, TcxScrollBarPart, TcxButtonState) const {}

void P::PaintSizeGrip(TcxCanvas* canvas, const TRect& rect, TColor backgroundColor) const {
  TCanvasStateSaver saver(canvas);
  canvas->FillRectColor(rect, backgroundColor);  // clNone: the grip over what is there
  RECT r = rect;
  DrawFrameControl(canvas->GetHandle(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

// ---------------------------------------------------------------------------------------------
// Side arrows, control border, progress bar, navigation buttons, splitter

void P::PaintHeaderWithSideArrows(TcxCanvas* canvas, const TRect& rect, const std::string& text, TcxBorders neighbors,
                                  const TcxViewParams& viewParams, int arrows, int arrowInset,
                                  const TcxDrawBackgroundEvent& onCustomDrawBackground) const {
  PaintHeader(canvas, rect, rect, neighbors, HeaderDrawnBorders(neighbors), cxbsNormal, taCenter, vaCenter, false,
              false, text, viewParams.Font, viewParams.TextColor, viewParams.Color, onCustomDrawBackground, false,
              false);
  PaintSideArrows(canvas, rect, arrows, arrowInset);
}

void P::PaintSideArrows(TcxCanvas* canvas, const TRect& rect, int arrows, int arrowInset) const {
  TCanvasStateSaver saver(canvas);
  const TRect inner(rect.Left, rect.Top + BorderWidth() + 1, rect.Right, rect.Bottom - 1);
  int s = inner.Height() / 2;
  if (s % 2 == 0) ++s;
  const int top = (inner.Top + inner.Bottom - (s + 1)) / 2, bottom = top + s, middle = (top + bottom) / 2;
  if (arrows == 1 || arrows == 3) {
    const int base = inner.Left + arrowInset - 1;
    TPoint p[3] = {{base, top}, {base, bottom}, {base - (s / 2 + 1), middle}};
    SolidPolygon(canvas, p, 3, clWindowText);
  }
  if (arrows == 2 || arrows == 3) {
    const int base = inner.Right - arrowInset;
    TPoint p[3] = {{base, top}, {base, bottom}, {base + (s / 2 + 1), middle}};
    SolidPolygon(canvas, p, 3, clWindowText);
  }
}

void P::PaintControlBorder(TcxCanvas* canvas, const TRect& rect) const { PaintBorder(canvas, rect); }

void P::PaintProgressBar(TcxCanvas* canvas, const TRect& rect, const TRect& chunkRect,
                         const TcxViewParams& viewParams, bool frameOnly) const {
  TCanvasStateSaver saver(canvas);
  if (frameOnly)
    canvas->FrameRect(rect, clGray, 1, cxBordersAll, false);
  else
    canvas->FillRectWithBorders(rect, viewParams, cxBordersAll, clGray, 1, false);
  Fill(canvas, chunkRect, clNavy);
}

void P::PaintNavigationButton(TcxCanvas* canvas, const TRect& rect, const TRect& glyphRect,
                              TcxNavigationButtonDirection direction, TcxButtonState state) const {
  TCanvasStateSaver saver(canvas);
  Fill(canvas, rect, clBtnFace);
  // The side facing the content stays open.
  const TcxBorders sides = direction == nbdPrevious ? TcxBorders{bTop, bRight, bBottom} : TcxBorders{bLeft, bTop, bBottom};
  canvas->FrameRect(rect, clBtnShadow, 1, sides, false);
  TRect r = rect;
  r.Top += 1, r.Bottom -= 1;
  if (direction == nbdPrevious)
    r.Right -= 1;
  else
    r.Left += 1;
  const bool pressed = state == cxbsPressed;
  canvas->FrameRectTwoColor(r, pressed ? clBtnShadow : clBtnHighlight, pressed ? clBtnHighlight : clBtnFace, sides, 1);
  PaintChevron(canvas, glyphRect, direction, ButtonGlyphColor(state));
}

void P::PaintChevron(TcxCanvas* canvas, const TRect& rect, TcxNavigationButtonDirection direction,
                     TColor color) const {
  TCanvasStateSaver saver(canvas);
  const int n = (rect.Height() + 1) / 2;
  const bool next = direction == nbdNext;
  const int x0 = next ? rect.Left : rect.Right - 2, step = next ? 1 : -1;
  TRect top(x0, rect.Top, x0 + 2, rect.Top + 1), bottom(x0, rect.Bottom - 1, x0 + 2, rect.Bottom);
  for (int i = 0; i < n; ++i) {
    Fill(canvas, top, color);
    Fill(canvas, bottom, color);
    top.Offset(step, 1);
    bottom.Offset(step, -1);
  }
  Fill(canvas, next ? TRect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom)
                    : TRect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom),
       color);
}

void P::PaintNavigationButtonWithText(TcxCanvas* canvas, const TRect& rect, TcxNavigationButtonDirection direction,
                                      TcxButtonState state, const std::string& text, const TRect& textRect,
                                      const TRect& glyphRect) const {
  if (textRect.IsEmpty()) return PaintNavigationButton(canvas, rect, glyphRect, direction, state);
  TCanvasStateSaver saver(canvas);
  const TRect local(0, 0, rect.Width(), rect.Height());
  TcxBitmap bitmap(rect.Width(), rect.Height());
  bitmap.Canvas()->CopyRect(local, canvas->Canvas(), rect);
  TRect glyph = glyphRect;
  glyph.Offset(-rect.Left, -rect.Top);
  PaintNavigationButton(bitmap.Canvas(), local, glyph, direction, state);
  // Turned a quarter clockwise, the text written across the bitmap runs upward along the button.
  bitmap.Rotate(raMinus90);
  TcxCanvas* c = bitmap.Canvas();
  c->SetFont(canvas->GetFont());
  c->GetFont()->SetColor(ButtonGlyphColor(state, canvas->GetFont()->Color()));
  c->GetBrush()->SetStyle(TBrushStyle::bsClear);
  RECT r = Bounds(rect.Bottom - textRect.Bottom, textRect.Left - rect.Left, textRect.Height(), textRect.Width());
  const HDC dc = c->GetHandle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(c->GetFont()->Color()));
  ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  bitmap.Rotate(raPlus90);
  canvas->Draw(rect.Left, rect.Top, &bitmap);
}

void P::PaintScrollButtonFace(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const {
  PaintButton(canvas, rect, "", state, true, clDefault, clDefault, false);
}

void P::PaintSplitter(TcxCanvas*, const TRect&, const TcxViewParams&, bool) const {}

// ---------------------------------------------------------------------------------------------
// Clock

namespace {

// One hand: a quadrilateral from the tip through the sides to the back, filled in teal.
void PaintClockHand(TcxCanvas* canvas, double cx, double cy, double rx, double ry, double width, double tip,
                    double back, double angle, TColor color) {
  const double pi = 3.14159265358979323846;
  TPoint p[5] = {{Round(cx + tip * rx * std::cos(angle)), Round(cy + tip * ry * std::sin(angle))},
                 {Round(cx + width / 2 * std::cos(angle + pi / 2)), Round(cy + width / 2 * std::sin(angle + pi / 2))},
                 {Round(cx + back * rx * std::cos(angle + pi)), Round(cy + back * ry * std::sin(angle + pi))},
                 {Round(cx + width / 2 * std::cos(angle + 3 * pi / 2)),
                  Round(cy + width / 2 * std::sin(angle + 3 * pi / 2))},
                 {}};
  p[4] = p[0];
  canvas->Canvas()->SetPixel(p[0].X, p[0].Y, color);
  canvas->GetPen()->SetColor(color);
  canvas->GetBrush()->SetColor(color);
  canvas->GetBrush()->SetStyle(TBrushStyle::bsSolid);
  HDC dc = canvas->GetHandle();
  BeginPath(dc);
  Polyline(dc, reinterpret_cast<const POINT*>(p), 5);
  EndPath(dc);
  StrokeAndFillPath(dc);
}

// The time of day in whole seconds, as the platform decodes a time: to the nearest millisecond,
// then the seconds begun (12:00:04.6 shows 4 s). A negative date's fraction counts from midnight too.
int SecondOfDay(TDateTime time) {
  const int64_t milliseconds = Round(std::fabs(time - std::trunc(time)) * 86400000.0L);
  return static_cast<int>(milliseconds / 1000 % 86400);
}

}  // namespace

void P::PaintClock(TcxCanvas* canvas, const TRect& rect, TDateTime time, TColor backgroundColor) const {
  TCanvasStateSaver saver(canvas);
  const double pi = 3.14159265358979323846;
  const int cx = (rect.Left + rect.Right) / 2, cy = (rect.Top + rect.Bottom) / 2;
  const double rx = rect.Width() / 2.0 - 2, ry = rect.Height() / 2.0 - 2;
  canvas->GetPen()->SetStyle(TPenStyle::psSolid);
  for (int i = 0; i < 60; i += 5) {
    const int x = Round(cx + rx * std::cos(2 * pi * i / 60)), y = Round(cy + ry * std::sin(2 * pi * i / 60));
    canvas->Canvas()->SetPixel(x, y, clTeal);
    canvas->GetPen()->SetColor(clAqua);
    TPoint light[3] = {{x - 1, y + 1}, {x - 1, y - 1}, {x, y - 1}};
    canvas->Canvas()->Polyline(light, 3);
    canvas->GetPen()->SetColor(clBtnText);
    TPoint dark[3] = {{x, y + 1}, {x + 1, y + 1}, {x + 1, y - 1}};
    canvas->Canvas()->Polyline(dark, 3);
    canvas->ExcludeClipRect(TRect(x - 1, y - 1, x + 2, y + 2));
  }
  Fill(canvas, rect, backgroundColor);
  PaintClockHands(canvas, rect, time, clTeal, clRed);
}

void P::PaintClockHands(TcxCanvas* canvas, const TRect& rect, TDateTime time, TColor handColor,
                        TColor secondColor) const {
  TCanvasStateSaver saver(canvas);
  const double pi = 3.14159265358979323846;
  const int cx = (rect.Left + rect.Right) / 2, cy = (rect.Top + rect.Bottom) / 2;
  const double rx = rect.Width() / 2.0 - 2, ry = rect.Height() / 2.0 - 2;
  const int seconds = SecondOfDay(time);
  const int h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
  PaintClockHand(canvas, cx, cy, rx, ry, 9, 0.75, 0.15, ((h % 12) * 3600 + m * 60 + s - 10800) * 2 * pi / 43200,
                 handColor);
  PaintClockHand(canvas, cx, cy, rx, ry, 7, 0.85, 0.2, (m * 60 + s - 900) * 2 * pi / 3600, handColor);
  const double second = (s - 15) * 2 * pi / 60;
  canvas->GetPen()->SetStyle(TPenStyle::psSolid);
  canvas->GetPen()->SetColor(secondColor);
  Line(canvas, cx, cy, Round(cx + 0.9 * rx * std::cos(second)), Round(cy + 0.9 * ry * std::sin(second)));
}

// ---------------------------------------------------------------------------------------------
// Editor buttons, navigator glyphs, progress bar parts, group box, track bar, splitter element

void P::PaintEditorButton(TcxCanvas*, const TRect&, TcxEditBtnKind, TcxButtonState) const {}

void P::PaintNavigatorGlyph(TcxCanvas* canvas, TCustomImageList* imageList, int imageIndex, int,
                            const TRect& glyphRect, bool enabled, bool) const {
  if (!imageList || imageIndex < 0 || imageIndex >= imageList->Count()) return;
  canvas->SaveDC();
  imageList->Draw(canvas->Canvas(), glyphRect.Left, glyphRect.Top, imageIndex, enabled);
  canvas->RestoreDC();
}

void P::PaintProgressBarBorder(TcxCanvas*, const TRect&, bool) const {}
void P::PaintProgressBarChunk(TcxCanvas*, const TRect&, bool) const {}
void P::PaintGroupBoxBackground(TcxCanvas*, const TRect&, const TRect&) const {}
void P::PaintGroupBoxCaption(TcxCanvas*, const TRect&, TcxGroupBoxCaptionPosition) const {}
void P::PaintGroupBoxContent(TcxCanvas*, const TRect&, TcxGroupBoxCaptionPosition) const {}

void P::PaintGroupBoxInterior(TcxCanvas* canvas, TControl*, const TRect& rect, TColor, TColor) const {
  PaintGroupBoxBackground(canvas, rect, rect);
}

void P::PaintGroupPanelFrame(TcxCanvas*, const TRect&) const {}

void P::PaintGroupBoxCaptionArea(TcxCanvas* canvas, const TRect& captionRect,
                                 TcxGroupBoxCaptionPosition captionPosition) const {
  PaintGroupBoxCaption(canvas, captionRect, captionPosition);
}

void P::PaintGroupPanelBackground(TcxCanvas*, const TRect&, bool) const {}
void P::PaintTrackBarTrack(TcxCanvas*, const TRect&, const TRect&, bool, bool, bool) const {}
void P::PaintTrackBarThumb(TcxCanvas*, const TRect&, TcxButtonState, bool, TcxTrackBarTickMarks) const {}
void P::PaintSplitterElement(TcxCanvas*, const TRect&, Byte, Byte, bool) const {}
