// The ultra-flat painter: one-pixel frames in a single colour, no 3-D edges, hot and pressed
// faces mixed from the highlight colour.
#include "cxGraphicsRoutines.h"
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeelPaintersShared.h"

using P = TcxUltraFlatLookAndFeelPainter;
using namespace PainterDrawing;

namespace {

// The sides a navigation button frames, by direction: the side facing the content stays open.
constexpr TcxBorders navigationButtonSides[] = {{bTop, bRight, bBottom}, {bLeft, bTop, bBottom}};

void Frame(TcxCanvas* canvas, const TRect& rect, TColor color) { canvas->FrameRect(rect, color, 1, cxBordersAll, false); }

}  // namespace

int P::DrawingStyle() const { return 2; }
TColor P::SchedulerBorderLineColor() const { return clBtnShadow; }
int P::BorderWidth() const { return 1; }

void P::PaintBorder(TcxCanvas* canvas, const TRect& rect) const {
  TCanvasStateSaver saver(canvas);
  Frame(canvas, rect, clBtnShadow);
}

void P::PaintNavigationButton(TcxCanvas* canvas, const TRect& rect, const TRect& glyphRect,
                              TcxNavigationButtonDirection direction, TcxButtonState state) const {
  TCanvasStateSaver saver(canvas);
  Fill(canvas, rect, clBtnFace);
  const TColor frame = state == cxbsHot ? TabBorderColor() : TabBorderDarkColor();
  canvas->FrameRectTwoColor(rect, frame, frame, navigationButtonSides[direction], 1);
  PaintChevron(canvas, glyphRect, direction, ButtonGlyphColor(state));
}

// ---------------------------------------------------------------------------------------------
// Buttons

int P::ButtonBorderWidth(TcxButtonState state) const { return state == cxbsDefault ? 2 : 1; }

TColor P::ButtonColor(TcxButtonState state) const {
  switch (state) {
    case cxbsHot: return HotMixColor();
    case cxbsPressed: return PressedMixColor();
    default: return TcxCustomLookAndFeelPainter::ButtonColor(state);
  }
}

TRect P::ButtonFocusBounds(TcxCanvas*, const TRect& rect) const {
  const TRect r = Shrunk(rect, 3);
  return r.IsEmpty() ? rect : r;
}

TRect P::ButtonGroupBorderWidths(int buttonCount, int buttonIndex) const {
  TRect widths(1, 2, 1, 2);
  if (buttonIndex == 0)
    widths.Left = 2;
  else if (buttonIndex == buttonCount - 1)
    widths.Right = 2;
  return widths;
}

int P::ButtonTextInset() const { return 2; }
int P::ButtonPressedShift() const { return 0; }

TColor P::ButtonGlyphColor(TcxButtonState state, TColor color) const {
  return state == cxbsPressed ? clHighlightText : TcxCustomLookAndFeelPainter::ButtonGlyphColor(state, color);
}

TcxButtonState P::ButtonGlyphState(TcxButtonState) const { return cxbsNormal; }

// The buttons of a group share their borders: only the outer ones close the group at its ends.
void P::PaintCaptionlessButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, int buttonCount,
                               int buttonIndex, TColor color) const {
  TCanvasStateSaver saver(canvas);
  TRect r(rect.Left, rect.Top + 1, rect.Right, rect.Bottom - 1);
  if (buttonIndex == 0) ++r.Left;
  if (buttonIndex == buttonCount - 1) --r.Right;
  if (state == cxbsNormal || state == cxbsDisabled) {
    // No colour given: the frame of a normal button.
    Frame(canvas, r, color == clDefault ? ButtonBorderColorForState(cxbsNormal) : color);
    r = Shrunk(r);
  } else {
    if (buttonIndex > 0) Fill(canvas, TRect(r.Left, r.Top, r.Left + 1, r.Bottom), HighlightBorderColor()), ++r.Left;
    if (buttonIndex < buttonCount - 1)
      Fill(canvas, TRect(r.Right - 1, r.Top, r.Right, r.Bottom), HighlightBorderColor()), --r.Right;
  }
  Fill(canvas, r, ButtonColor(state));
}

void P::PaintButtonBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const {
  TCanvasStateSaver saver(canvas);
  // By state: default, normal, hot, pressed, disabled.
  static constexpr TColor frameColors[] = {clWindowFrame, clBtnText, clHighlight, clHighlight, clBtnShadow};
  Frame(canvas, rect, frameColors[state]);
  if (state == cxbsDefault) Frame(canvas, Shrunk(rect), clWindowFrame);
}

void P::PaintStateFrame(TcxCanvas* canvas, const TRect& rect, bool hot, bool pressed) const {
  TCanvasStateSaver saver(canvas);
  Frame(canvas, rect, hot ? clBtnText : pressed ? HighlightBorderColor() : clBtnShadow);
}

void P::PaintExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor color) const {
  TCanvasStateSaver saver(canvas);
  Frame(canvas, rect, clBtnShadow);
  const TRect inner = Shrunk(rect);
  Fill(canvas, inner, color == clDefault ? clBtnFace : color);
  // The base painter's plus or minus sign, without its frame and fill.
  TcxCustomLookAndFeelPainter::PaintSmallExpandButton(canvas, inner, expanded, clNone, clDefault);
  canvas->ExcludeClipRect(rect);
}

int P::ExpandButtonExtent() const { return 11; }
bool P::HasHotButtons() const { return true; }

void P::PaintCheckBoxBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const {
  TCanvasStateSaver saver(canvas);
  Frame(canvas, rect, clBtnText);
  Frame(canvas, Shrunk(rect), CheckBoxColor(state));
}

// ---------------------------------------------------------------------------------------------
// Headers

void P::PaintHeaderSimple(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                          TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                          TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis, const std::string& text,
                          TFont* font, TColor textColor, TColor backgroundColor,
                          const TcxDrawBackgroundEvent& onCustomDrawBackground) const {
  const TRect r = Shrunk(rect);
  PaintTextCell(canvas, r, textRect, state, horzAlignment, vertAlignment, multiLine, endEllipsis, text, font,
                textColor, backgroundColor, onCustomDrawBackground, false);
  PaintHeaderBorder(canvas, r, neighbors, borders);
}

// The right and bottom lines always; the left and top ones only where asked, so that neighbouring
// cells share one line.
void P::PaintHeaderBorder(TcxCanvas* canvas, const TRect& rect, TcxBorders, TcxBorders borders) const {
  TCanvasStateSaver saver(canvas);
  TcxBorders sides{bRight, bBottom};
  if (borders.Contains(bLeft)) sides.Include(bLeft);
  if (borders.Contains(bTop)) sides.Include(bTop);
  canvas->FrameRect(rect, clBtnText, 1, sides, false);
}

void P::PaintHeaderSectionBorder(TcxCanvas* canvas, const TRect& rect, TcxBorders borders,
                                 TcxButtonState state) const {
  TCanvasStateSaver saver(canvas);
  const TColor color = state == cxbsDisabled ? clBtnShadow : clBlack;
  canvas->FrameRectTwoColor(rect, color, color, borders, 1);
}

void P::PaintHeaderSectionContent(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxButtonState state,
                                  TAlignment horzAlignment, TcxAlignmentVert vertAlignment, bool multiLine,
                                  bool endEllipsis, const std::string& text, TFont* font, TColor textColor,
                                  TColor backgroundColor) const {
  TCanvasStateSaver saver(canvas);
  Fill(canvas, rect, state == cxbsDefault || state == cxbsNormal ? backgroundColor : ButtonColor(state));
  PaintHeaderSectionText(canvas, HeaderSectionTextBounds(textRect, state), state, horzAlignment, vertAlignment,
                         multiLine, endEllipsis, text, font, textColor);
}

void P::PaintSortMark(TcxCanvas* canvas, const TRect& rect, bool ascending) const {
  PaintSortMarkOutline(canvas, rect, clBtnShadow, clBtnShadow, ascending);
}

TcxBorders P::HeaderDrawnBorders(TcxBorders neighbors) const {
  TcxBorders borders = TcxCustomLookAndFeelPainter::HeaderDrawnBorders(neighbors);
  if (neighbors.Contains(bLeft)) borders.Exclude(bLeft);
  if (neighbors.Contains(bTop)) borders.Exclude(bTop);
  return borders;
}

int P::HeaderBorderWidth() const { return 1; }
TPoint P::SortMarkExtent() const { return {7, 8}; }
TcxBorders P::HeaderAreaBorders() const { return {bRight, bBottom}; }

// ---------------------------------------------------------------------------------------------
// Footer, filter button, tabs

int P::FooterBorderWidth() const { return 1; }
int P::FooterCellBorderWidth() const { return 1; }
int P::FooterCellSpacing() const { return 2; }

void P::PaintFooterBorder(TcxCanvas* canvas, const TRect& rect) const {
  TCanvasStateSaver saver(canvas);
  canvas->FrameRect(rect, FooterSeparatorColor(), 1, {bRight, bBottom}, false);
}

void P::PaintFooterCellBorder(TcxCanvas* canvas, const TRect& rect) const {
  TCanvasStateSaver saver(canvas);
  Frame(canvas, rect, FooterSeparatorColor());
}

void P::PaintFilterDropDownButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                  bool isFilterActive) const {
  TCanvasStateSaver saver(canvas);
  Frame(canvas, rect, ButtonBorderColorForState(state));
  const TRect r = Shrunk(rect);
  Fill(canvas, r, ButtonColor(state));
  PaintSmallDownArrow(canvas, r, isFilterActive ? clBlue : ButtonGlyphColor(state));
}

TPoint P::FilterCloseButtonExtent() const {
  TPoint extent = TcxCustomLookAndFeelPainter::FilterCloseButtonExtent();
  ++extent.Y;
  return extent;
}

// The dark side is the bottom of a vertical tab or the right of a horizontal one.
void P::PaintTabBorder(TcxCanvas* canvas, const TRect& rect, TcxBorder border, TcxBorders, bool vertical) const {
  TCanvasStateSaver saver(canvas);
  const bool dark = border == (vertical ? bBottom : bRight);
  TRect r = rect;
  if (dark && !vertical) r.Bottom -= TabBorderWidth(vertical);
  Fill(canvas, r, dark ? TabBorderDarkColor() : TabBorderColor());
}

void P::PaintTabsRoot(TcxCanvas* canvas, const TRect& rect, TcxBorders borders, bool vertical) const {
  TCanvasStateSaver saver(canvas);
  canvas->FrameRectTwoColor(rect, TabBorderColor(), TabBorderColor(), borders, TabBorderWidth(vertical));
}

int P::TabBorderWidth(bool) const { return 1; }

// ---------------------------------------------------------------------------------------------
// Scroll bar, scroll buttons, splitter

void P::PaintScrollBarPart(TcxCanvas* canvas, bool horizontal, const TRect& rect, TcxScrollBarPart part,
                           TcxButtonState state) const {
  if (rect.IsEmpty() || part == sbpNone || (part == sbpThumbnail && state == cxbsDisabled)) return;
  if (part == sbpPageUp || part == sbpPageDown) return PaintScrollBarPageArea(canvas, rect, state);
  PaintButton(canvas, rect, "", state, true, clDefault, clDefault, false);
  if (part != sbpThumbnail) PaintArrowGlyph(canvas, rect, state, ScrollBarArrowDirection(horizontal, part));
}

void P::PaintScrollButtonFace(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const {
  PaintButton(canvas, rect, "", state, state == cxbsHot || state == cxbsPressed, clDefault, clDefault, false);
}

void P::PaintSplitter(TcxCanvas* canvas, const TRect& rect, const TcxViewParams& viewParams, bool horizontal) const {
  PaintSplitterLines(canvas, rect, viewParams, horizontal, {{SchedulerBorderLineColor(), SchedulerBorderLineColor()}});
}

// ---------------------------------------------------------------------------------------------
// The colours this look adds

TColor P::ButtonBorderColorForState(TcxButtonState state) const {
  return state == cxbsNormal ? clBtnShadow : clHighlight;
}

TColor P::TabBorderColor() const { return clBtnShadow; }
TColor P::TabBorderDarkColor() const { return clBtnText; }
TColor P::HighlightBorderColor() const { return clHighlight; }
