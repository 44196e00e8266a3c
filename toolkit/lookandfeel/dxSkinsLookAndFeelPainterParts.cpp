// The skin painter's text cells, headers, footers, filter parts and window content.
#include "cxGeometry.h"
#include "dxSkinsLookAndFeelPainter.h"

namespace {

using Parent = TcxOffice11LookAndFeelPainter;

Cardinal TextCellFlags(TAlignment horzAlignment, TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis) {
  Cardinal flags = horzAlignment == taRightJustify ? cxAlignRight : horzAlignment == taCenter ? cxAlignHCenter : cxAlignLeft;
  flags |= vertAlignment == vaBottom ? cxAlignBottom : vertAlignment == vaCenter ? cxAlignVCenter : cxAlignTop;
  flags |= multiLine ? cxWordBreak : cxSingleLine;
  if (endEllipsis) flags |= cxShowEndEllipsis;
  return flags;
}

}  // namespace

void TdxSkinLookAndFeelPainter::PaintTextCell(TcxCanvas* canvas, const TRect&, const TRect& textRect,
                                              TcxButtonState, TAlignment horzAlignment,
                                              TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis,
                                              const std::string& text, TFont* font, TColor textColor, TColor,
                                              const TcxDrawBackgroundEvent&, bool) const {
  if (text.empty()) return;
  TdxSkinCanvasStateSaver saver(canvas);
  canvas->GetBrush()->SetStyle(TBrushStyle::bsClear);
  if (font) canvas->SetFont(font);
  canvas->GetFont()->SetColor(textColor);
  canvas->DrawText(text, textRect, TextCellFlags(horzAlignment, vertAlignment, multiLine, endEllipsis), true);
  canvas->GetBrush()->SetStyle(TBrushStyle::bsSolid);
}

void TdxSkinLookAndFeelPainter::PaintNavigationButton(TcxCanvas* canvas, const TRect& rect, const TRect& glyphRect,
                                                      TcxNavigationButtonDirection direction,
                                                      TcxButtonState state) const {
  TdxSkinElement* button = Bound(direction == nbdPrevious ? seNavButtonPrev : seNavButtonNext);
  if (!button) return Parent::PaintNavigationButton(canvas, rect, glyphRect, direction, state);
  TRect outer = direction == nbdNext ? RectInflateEdges(rect, 0, 0, 1, 0) : RectInflateEdges(rect, 1, 0, 0, 0);
  TdxSkinClipRegionSaver saver(canvas);
  canvas->SetClipRegion(new TcxRegion(rect), roIntersect);
  DrawElement(canvas, button, outer, 0, ButtonStateToSkinState(state));
  if (TdxSkinElement* arrow = Bound(direction == nbdPrevious ? seNavButtonPrevArrow : seNavButtonNextArrow))
    DrawElement(canvas, arrow, glyphRect, 0, ButtonStateToSkinState(state));
}

void TdxSkinLookAndFeelPainter::PaintHeader(TcxCanvas* canvas, const TRect& rect, const TRect& textRect,
                                            TcxBorders neighbors, TcxBorders borders, TcxButtonState state,
                                            TAlignment horzAlignment, TcxAlignmentVert vertAlignment, bool multiLine,
                                            bool endEllipsis, const std::string& text, TFont* font, TColor textColor,
                                            TColor backgroundColor, const TcxDrawBackgroundEvent& onCustomDrawBackground,
                                            bool isLast, bool isGroup) const {
  TdxSkinElement* header = Bound(isGroup ? seHeaderSpecial : seHeader);
  if (!header)
    return Parent::PaintHeader(canvas, rect, textRect, neighbors, borders, state, horzAlignment, vertAlignment,
                               multiLine, endEllipsis, text, font, textColor, backgroundColor, onCustomDrawBackground,
                               isLast, isGroup);
  // Sides without a border of their own are drawn one pixel further and clipped off.
  TRect outer = RectInflateEdges(rect, borders.Contains(bLeft) ? 0 : 1, borders.Contains(bTop) ? 0 : 1,
                                 borders.Contains(bRight) ? 0 : 1, borders.Contains(bBottom) ? 0 : 1);
  TdxSkinClipRegionSaver saver(canvas);
  canvas->SetClipRegion(new TcxRegion(rect), roIntersect);
  DrawElement(canvas, header, outer, 0, ButtonStateToSkinState(state));
  PaintTextCell(canvas, HeaderContentBounds(rect, borders), textRect, state, horzAlignment, vertAlignment, multiLine,
                endEllipsis, text, font, textColor, backgroundColor, onCustomDrawBackground, false);
}

void TdxSkinLookAndFeelPainter::PaintHeaderSimple(TcxCanvas* canvas, const TRect& rect, const TRect& textRect,
                                                  TcxBorders neighbors, TcxBorders borders, TcxButtonState state,
                                                  TAlignment horzAlignment, TcxAlignmentVert vertAlignment,
                                                  bool multiLine, bool endEllipsis, const std::string& text,
                                                  TFont* font, TColor textColor, TColor backgroundColor,
                                                  const TcxDrawBackgroundEvent& onCustomDrawBackground) const {
  PaintHeader(canvas, rect, textRect, neighbors, borders, state, horzAlignment, vertAlignment, multiLine, endEllipsis,
              text, font, textColor, backgroundColor, onCustomDrawBackground, false, false);
}

void TdxSkinLookAndFeelPainter::PaintHeaderSeparator(TcxCanvas* canvas, const TRect& rect, int width, TColor color,
                                                     const TcxViewParams& viewParams) const {
  TdxSkinColor* background = BoundColor(scHeaderBackgroundColor);
  if (!background) return TcxCustomLookAndFeelPainter::PaintHeaderSeparator(canvas, rect, width, color, viewParams);
  TdxSkinCanvasStateSaver saver(canvas);
  canvas->FillRectColor(RectInflate(rect, -width, 0), background->Value());
}

TcxBorders TdxSkinLookAndFeelPainter::HeaderDrawnBorders(TcxBorders neighbors) const {
  TcxBorders borders = Parent::HeaderDrawnBorders(neighbors);
  if (neighbors.Contains(bLeft)) borders.Exclude(bLeft);
  if (neighbors.Contains(bTop)) borders.Exclude(bTop);
  return borders;
}

bool TdxSkinLookAndFeelPainter::IsHeaderHotTrackable() const { return false; }

void TdxSkinLookAndFeelPainter::PaintHeaderAreaBackground(TcxCanvas* canvas, const TRect& rect, bool useBitmap,
                                                          TColor color, TBitmap* bitmap) const {
  TdxSkinElement* panel = Bound(seGridGroupPanel);
  if (!panel) return TcxCustomLookAndFeelPainter::PaintHeaderAreaBackground(canvas, rect, useBitmap, color, bitmap);
  DrawElement(canvas, panel, rect);
}

int TdxSkinLookAndFeelPainter::FooterCellBorderWidth() const {
  TdxSkinElement* cell = Bound(seFooterCell);
  if (!cell) return TcxUltraFlatLookAndFeelPainter::FooterCellBorderWidth();
  const TRect& m = cell->ContentOffset()->GetRect();
  return std::max({m.Left, m.Top, m.Right, m.Bottom});
}

bool TdxSkinLookAndFeelPainter::IsFooterCellFramed() const { return false; }

TColor TdxSkinLookAndFeelPainter::FooterSeparatorColor() const { return GridLineColor(); }

void TdxSkinLookAndFeelPainter::PaintFooterCell(TcxCanvas* canvas, const TRect& rect, TAlignment horzAlignment,
                                                TcxAlignmentVert vertAlignment, bool multiLine, const std::string& text,
                                                TFont* font, TColor textColor, TColor backgroundColor,
                                                const TcxDrawBackgroundEvent& onCustomDrawBackground) const {
  TdxSkinElement* cell = Bound(seFooterCell);
  if (!cell)
    return TcxCustomLookAndFeelPainter::PaintFooterCell(canvas, rect, horzAlignment, vertAlignment, multiLine, text,
                                                        font, textColor, backgroundColor, onCustomDrawBackground);
  DrawElement(canvas, cell, rect);
  PaintTextCell(canvas, FooterCellContentBounds(rect), FooterCellTextBounds(rect), cxbsDefault, horzAlignment,
                vertAlignment, multiLine, false, text, font, textColor, backgroundColor, onCustomDrawBackground, true);
  canvas->ExcludeClipRect(rect);
}

// Only the right and bottom strips of the footer panel's frame show.
void TdxSkinLookAndFeelPainter::PaintFooterBorder(TcxCanvas* canvas, const TRect& rect) const {
  TdxSkinElement* panel = Bound(seFooterPanel);
  if (!panel) return TcxUltraFlatLookAndFeelPainter::PaintFooterBorder(canvas, rect);
  const TRect& co = panel->ContentOffset()->GetRect();
  TdxSkinClipRegionSaver saver(canvas);
  canvas->ExcludeClipRect(TRect(rect.Left, rect.Top, rect.Right - co.Right, rect.Bottom - co.Bottom));
  canvas->ExcludeClipRect(TRect(rect.Left, rect.Top - 1, rect.Right, rect.Top));
  DrawElement(canvas, panel, TRect(rect.Left - co.Left, rect.Top - 1, rect.Right, rect.Bottom));
}

void TdxSkinLookAndFeelPainter::PaintFooterPanel(TcxCanvas* canvas, const TRect& rect,
                                                 const TcxViewParams& viewParams) const {
  TdxSkinElement* panel = Bound(seFooterPanel);
  if (!panel || (viewParams.Bitmap && !viewParams.Bitmap->Empty()))
    return TcxCustomLookAndFeelPainter::PaintFooterPanel(canvas, rect, viewParams);
  const TRect& co = panel->ContentOffset()->GetRect();
  DrawElement(canvas, panel, TRect(rect.Left - co.Left, rect.Top - 1, rect.Right + co.Right, rect.Bottom + co.Bottom));
}

void TdxSkinLookAndFeelPainter::PaintFilterCloseButton(TcxCanvas* canvas, const TRect& rect,
                                                       TcxButtonState state) const {
  TdxSkinElement* close = Bound(seCloseButton);
  if (!close) return TcxCustomLookAndFeelPainter::PaintFilterCloseButton(canvas, rect, state);
  DrawElement(canvas, close, rect, 0, ButtonStateToSkinState(state));
}

void TdxSkinLookAndFeelPainter::PaintFilterDropDownButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                                          bool isFilterActive) const {
  TdxSkinElement* button = Bound(isFilterActive ? seFilterButtonActive : seFilterButton);
  if (!button) return Parent::PaintFilterDropDownButton(canvas, rect, state, isFilterActive);
  DrawElement(canvas, button, rect, 0, ButtonStateToSkinState(state));
}

void TdxSkinLookAndFeelPainter::PaintFilterPanel(TcxCanvas* canvas, const TRect& rect, bool useBitmap, TColor color,
                                                 TBitmap* bitmap) const {
  TdxSkinElement* panel = Bound(seGridFilterPanel);
  if (!panel) return TcxCustomLookAndFeelPainter::PaintFilterPanel(canvas, rect, useBitmap, color, bitmap);
  DrawElement(canvas, panel, rect);
}

TPoint TdxSkinLookAndFeelPainter::FilterCloseButtonExtent() const {
  TdxSkinElement* close = Bound(seCloseButton);
  if (!close) return TcxUltraFlatLookAndFeelPainter::FilterCloseButtonExtent();
  TSize size = ImageSize(close);
  return TPoint(size.cx, size.cy);
}

void TdxSkinLookAndFeelPainter::PaintWindowContent(TcxCanvas* canvas, const TRect& rect) const {
  TdxSkinElement* content = Bound(seFormContent);
  if (!content) return TcxCustomLookAndFeelPainter::PaintWindowContent(canvas, rect);
  TdxSkinCanvasStateSaver saver(canvas);
  canvas->FillRectColor(rect, content->Color());
}
