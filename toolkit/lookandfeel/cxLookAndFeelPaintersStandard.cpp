// The standard painter (raised and sunken 3-D edges in the four system 3-D colours) and the flat
// painter (the same look with single-pixel edges). Where both draw alike they share the helpers
// below.
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeelPaintersShared.h"

using S = TcxStandardLookAndFeelPainter;
using F = TcxFlatLookAndFeelPainter;
using namespace PainterDrawing;

// ---------------------------------------------------------------------------------------------
// Drawing steps shared with the other looks

void PainterDrawing::PaintScrollBarPageArea(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) {
  TCanvasStateSaver saver(canvas);
  // Tiled from the logical origin, as a pattern brush would be.
  canvas->FillRectTiled(rect, cxPatternBitmap(state == cxbsPressed), false);
}

void PainterDrawing::PaintSplitterLines(TcxCanvas* canvas, const TRect& rect, const TcxViewParams& viewParams,
                                        bool horizontal, std::initializer_list<std::pair<TColor, TColor>> pairs) {
  TCanvasStateSaver saver(canvas);
  TRect r = rect;
  for (const auto& [first, second] : pairs) {
    if (horizontal) {
      Fill(canvas, TRect(r.Left, r.Top, r.Right, r.Top + 1), first);
      Fill(canvas, TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom), second);
      r.Inflate(1, -1);
    } else {
      Fill(canvas, TRect(r.Left, r.Top, r.Left + 1, r.Bottom), first);
      Fill(canvas, TRect(r.Right - 1, r.Top, r.Right, r.Bottom), second);
      r.Inflate(-1, 1);
    }
  }
  canvas->FillRectWithBorders(r, viewParams, {}, clDefault, 1, false);
}

namespace {

// A one-pixel frame, the first colour on the left and top, the second on the right and bottom.
void Frame2(TcxCanvas* canvas, const TRect& rect, TColor leftTop, TColor rightBottom,
            TcxBorders sides = cxBordersAll) {
  canvas->FrameRectTwoColor(rect, leftTop, rightBottom, sides, 1);
}

void BlackFrame(TcxCanvas* canvas, const TRect& rect) { canvas->FrameRect(rect, clBlack, 1, cxBordersAll, false); }

// Both looks: a raised inner ring whatever the sides, with corner pixels that join the neighbours.
void PaintRaisedHeaderBorder(TcxCanvas* canvas, const TRect& r, TcxBorders neighbors) {
  TCanvasStateSaver saver(canvas);
  canvas->Draw3DEdgeRing(r, false, false, cxBordersAll);
  if (neighbors.Contains(bLeft)) {
    canvas->SetPixel(r.Left, r.Top + 1, clBtnFace);
    canvas->SetPixel(r.Left, r.Bottom - 2, clBtnFace);
  }
  if (neighbors.Contains(bRight)) {
    canvas->SetPixel(r.Right - 1, r.Top, clBtnHighlight);
    canvas->SetPixel(r.Right - 1, r.Top + 1, clBtnFace);
    canvas->SetPixel(r.Right - 1, r.Bottom - 2, clBtnFace);
  }
}

void PaintRingOnAllSides(TcxCanvas* canvas, const TRect& rect, bool sunken, bool outer) {
  TCanvasStateSaver saver(canvas);
  canvas->Draw3DEdgeRing(rect, sunken, outer, cxBordersAll);
}

void PaintFilterDropDown(TcxCanvas* canvas, const TcxCustomLookAndFeelPainter* painter, const TRect& rect,
                         TcxButtonState state, bool isFilterActive) {
  TCanvasStateSaver saver(canvas);
  const bool pressed = state == cxbsPressed;
  canvas->Draw3DEdgeRing(rect, pressed, pressed, cxBordersAll);
  const TRect r = Shrunk(rect);
  Fill(canvas, r, clBtnFace);
  painter->PaintSmallDownArrow(canvas, r, isFilterActive ? clBlue : clBtnText);
}

// The strip of one side of a tab, with the corners that round it off.
void PaintTabSide(TcxCanvas* canvas, const TRect& rect, TcxBorder side, TcxBorders sides, bool vertical) {
  TCanvasStateSaver saver(canvas);
  TRect r = rect;
  if (vertical) {
    if (side == bLeft) {
      r.Top += sides.Contains(bTop) ? 2 : 1;
      r.Bottom -= sides.Contains(bBottom) ? 2 : 1;
      canvas->SetPixel(r.Left + 1, r.Top - 1, clBtnHighlight);
      canvas->SetPixel(r.Left + 1, r.Bottom, clBtnHighlight);
    } else if ((side == bTop || side == bBottom) && sides.Contains(bLeft)) {
      ++r.Left;
    }
  } else if (side == bLeft || side == bRight) {
    if (sides.Contains(bTop)) r.Top += 2;
    if (sides.Contains(bBottom)) --r.Bottom;
  } else if (side == bTop) {
    ++r.Left, --r.Right;
    canvas->SetPixel(r.Left - 1, r.Top + 1, clBtnHighlight);
    canvas->SetPixel(r.Right, r.Top + 1, clBtnHighlight);
  }
  Fill(canvas, r, side == (vertical ? bBottom : bRight) ? clBtnShadow : clBtnHighlight);
}

void PaintTabsRootRing(TcxCanvas* canvas, const TRect& rect, TcxBorders sides) {
  TCanvasStateSaver saver(canvas);
  canvas->Draw3DEdgeRing(rect, false, false, sides);
}

// The platform's scroll-arrow kinds, by horizontal x 2 + (the arrow at the end).
constexpr UINT scrollArrowKinds[] = {DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT};

void PaintStandardScrollArrow(TcxCanvas* canvas, bool horizontal, const TRect& rect, TcxScrollBarPart part,
                              TcxButtonState state) {
  const bool pressed = state == cxbsPressed;
  RECT glyph = rect;
  if (pressed) OffsetRect(&glyph, 1, 1);
  UINT kind = scrollArrowKinds[horizontal * 2 + (part == sbpLineDown)];
  if (state == cxbsDisabled) kind |= DFCS_INACTIVE;
  if (pressed) kind |= DFCS_FLAT;
  DrawFrameControl(canvas->GetHandle(), &glyph, DFC_SCROLL, kind);
  if (pressed) {
    Frame2(canvas, rect, clBtnShadow, clBtnShadow);
    Frame2(canvas, Shrunk(rect), clBtnFace, clBtnFace);
  } else {
    Frame2(canvas, rect, clBtnFace, cl3DDkShadow);
    Frame2(canvas, Shrunk(rect), clBtnHighlight, clBtnShadow);
  }
}

// Sides drawn round a header with side arrows, by (left neighbour) x 2 + (right neighbour).
constexpr TcxBorders sideArrowHeaderSides[] = {
    cxBordersAll, {bLeft, bTop, bBottom}, {bTop, bRight, bBottom}, {bTop, bBottom}};

}  // namespace

// ---------------------------------------------------------------------------------------------
// The standard painter

int S::DrawingStyle() const { return 1; }
TColor S::AuxColor11() const { return clWindow; }
int S::BorderWidth() const { return 2; }

void S::PaintBorder(TcxCanvas* canvas, const TRect& rect) const {
  TCanvasStateSaver saver(canvas);
  Frame2(canvas, rect, clBtnShadow, clBtnHighlight);
  Frame2(canvas, Shrunk(rect), cl3DDkShadow, cl3DLight);
}

int S::ButtonBorderWidth(TcxButtonState state) const { return state == cxbsDefault ? 3 : 2; }
int S::ButtonTextInset() const { return 1; }
int S::ButtonPressedShift() const { return 1; }

void S::PaintButtonBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const {
  TCanvasStateSaver saver(canvas);
  TRect r = rect;
  if (state == cxbsPressed) {
    BlackFrame(canvas, r);
    return Frame2(canvas, Shrunk(r), clBtnShadow, clBtnShadow);
  }
  if (state == cxbsDefault) BlackFrame(canvas, r), r = Shrunk(r);
  Frame2(canvas, r, clBtnHighlight, cl3DDkShadow);
  Frame2(canvas, Shrunk(r), cl3DLight, clBtnShadow);
}

void S::PaintExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor color) const {
  TCanvasStateSaver saver(canvas);
  canvas->Draw3DEdgeRing(rect, false, false, {bLeft, bTop});
  canvas->Draw3DEdgeRing(rect, false, true, {bRight, bBottom});
  TRect r = Shrunk(rect);
  canvas->Draw3DEdgeRing(r, false, false, {bRight, bBottom});
  --r.Right, --r.Bottom;
  Fill(canvas, r, color == clDefault ? clBtnFace : color);
  // The base painter's plus or minus sign over the whole button, without its frame and fill.
  TcxCustomLookAndFeelPainter::PaintSmallExpandButton(canvas, rect, expanded, clNone, clDefault);
  canvas->ExcludeClipRect(rect);
}

// Drawn with the flat painter's one-pixel button border.
void S::PaintGroupExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TcxButtonState state) const {
  TcxFlatLookAndFeelPainter::Instance()->PaintGroupExpandButton(canvas, rect, expanded, state);
}

int S::ExpandButtonExtent() const { return 12; }
bool S::HasHotButtons() const { return false; }

void S::PaintCheckBoxBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState) const {
  TCanvasStateSaver saver(canvas);
  canvas->Draw3DEdgeRing(rect, true, true, cxBordersAll);
  canvas->Draw3DEdgeRing(Shrunk(rect), true, false, cxBordersAll);
}

void S::PaintHeaderBorder(TcxCanvas* canvas, const TRect& rect, TcxBorders neighbors, TcxBorders) const {
  PaintRaisedHeaderBorder(canvas, rect, neighbors);
}

void S::PaintHeaderSectionBorder(TcxCanvas* canvas, const TRect& rect, TcxBorders borders,
                                 TcxButtonState state) const {
  TCanvasStateSaver saver(canvas);
  if (state == cxbsPressed) return Frame2(canvas, rect, clBtnShadow, clBtnShadow, borders);
  Frame2(canvas, rect, clBtnHighlight, cl3DDkShadow, borders);
  Frame2(canvas, Shrunk(rect), cl3DLight, clBtnShadow, borders);
}

void S::PaintSortMark(TcxCanvas* canvas, const TRect& rect, bool ascending) const {
  PaintSortMarkOutline(canvas, rect, clBtnShadow, clBtnHighlight, ascending);
}

int S::HeaderBorderWidth() const { return 1; }
int S::HeaderSectionBorderWidth(TcxButtonState state) const { return state == cxbsPressed ? 1 : 2; }
TPoint S::SortMarkExtent() const { return {8, 7}; }
int S::FooterBorderWidth() const { return 1; }
int S::FooterCellBorderWidth() const { return 1; }
int S::FooterCellSpacing() const { return 1; }
void S::PaintFooterBorder(TcxCanvas* canvas, const TRect& rect) const { PaintRingOnAllSides(canvas, rect, false, false); }
void S::PaintFooterCellBorder(TcxCanvas* canvas, const TRect& rect) const { PaintRingOnAllSides(canvas, rect, true, true); }

void S::PaintFilterDropDownButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                  bool isFilterActive) const {
  PaintFilterDropDown(canvas, this, rect, state, isFilterActive);
}

void S::PaintTabBorder(TcxCanvas* canvas, const TRect& rect, TcxBorder border, TcxBorders borders,
                       bool vertical) const {
  PaintTabSide(canvas, rect, border, borders, vertical);
}

void S::PaintTabsRoot(TcxCanvas* canvas, const TRect& rect, TcxBorders borders, bool) const {
  PaintTabsRootRing(canvas, rect, borders);
}

int S::TabBorderWidth(bool) const { return 1; }

// No hot look: a hot part is drawn as a normal one.
void S::PaintScrollBarPart(TcxCanvas* canvas, bool horizontal, const TRect& rect, TcxScrollBarPart part,
                           TcxButtonState state) const {
  if (rect.IsEmpty() || part == sbpNone || (part == sbpThumbnail && state == cxbsDisabled)) return;
  if (state == cxbsHot) state = cxbsNormal;
  if (part == sbpPageUp || part == sbpPageDown) return PaintScrollBarPageArea(canvas, rect, state);
  TCanvasStateSaver saver(canvas);
  if (part != sbpThumbnail) return PaintStandardScrollArrow(canvas, horizontal, rect, part, state);
  Frame2(canvas, rect, clBtnFace, cl3DDkShadow);
  Frame2(canvas, Shrunk(rect), clBtnHighlight, clBtnShadow);
  Fill(canvas, Shrunk(rect, ButtonBorderWidth(cxbsNormal)), clBtnFace);
}

void S::PaintHeaderWithSideArrows(TcxCanvas* canvas, const TRect& rect, const std::string& text, TcxBorders neighbors,
                                  const TcxViewParams& viewParams, int arrows, int arrowInset,
                                  const TcxDrawBackgroundEvent& onCustomDrawBackground) const {
  const TcxBorders sides = sideArrowHeaderSides[neighbors.Contains(bLeft) * 2 + neighbors.Contains(bRight)];
  {
    TCanvasStateSaver saver(canvas);
    canvas->FrameRect(rect, clBlack, 1, sides, false);
  }
  const TRect content = HeaderContentBounds(rect, sides);
  PaintHeader(canvas, content, content, neighbors, cxBordersAll, cxbsNormal, taCenter, vaCenter, false, false, text,
              viewParams.Font, viewParams.TextColor, viewParams.Color, onCustomDrawBackground, false, false);
  PaintSideArrows(canvas, rect, arrows, arrowInset);
}

void S::PaintSplitter(TcxCanvas* canvas, const TRect& rect, const TcxViewParams& viewParams, bool horizontal) const {
  PaintSplitterLines(canvas, rect, viewParams, horizontal, {{clBtnFace, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}});
}

// ---------------------------------------------------------------------------------------------
// The flat painter

int F::DrawingStyle() const { return 0; }
int F::BorderWidth() const { return 1; }
void F::PaintBorder(TcxCanvas* canvas, const TRect& rect) const { PaintRingOnAllSides(canvas, rect, true, true); }
int F::ButtonBorderWidth(TcxButtonState state) const { return state == cxbsDefault ? 2 : 1; }
int F::ButtonTextInset() const { return 1; }
int F::ButtonPressedShift() const { return 1; }

void F::PaintButtonBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const {
  TCanvasStateSaver saver(canvas);
  TRect r = rect;
  if (state == cxbsPressed) return Frame2(canvas, r, clBtnShadow, clBtnHighlight);
  if (state == cxbsDefault) BlackFrame(canvas, r), r = Shrunk(r);
  Frame2(canvas, r, clBtnHighlight, clBtnShadow);
}

void F::PaintExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor color) const {
  TCanvasStateSaver saver(canvas);
  PaintButton(canvas, rect, "", cxbsNormal, true, color, clDefault, false);
  // The base painter's plus or minus sign, without its frame and fill.
  TcxCustomLookAndFeelPainter::PaintSmallExpandButton(canvas, Shrunk(rect), expanded, clNone, clDefault);
  canvas->ExcludeClipRect(rect);
}

int F::ExpandButtonExtent() const { return 11; }
bool F::HasHotButtons() const { return false; }

void F::PaintCheckBoxBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const {
  TCanvasStateSaver saver(canvas);
  canvas->Draw3DEdgeRing(rect, true, true, cxBordersAll);
  canvas->FrameRect(Shrunk(rect), CheckBoxColor(state), 1, cxBordersAll, false);
}

void F::PaintHeaderBorder(TcxCanvas* canvas, const TRect& rect, TcxBorders neighbors, TcxBorders) const {
  PaintRaisedHeaderBorder(canvas, rect, neighbors);
}

void F::PaintHeaderSectionBorder(TcxCanvas* canvas, const TRect& rect, TcxBorders borders,
                                 TcxButtonState state) const {
  TCanvasStateSaver saver(canvas);
  if (state == cxbsPressed) return Frame2(canvas, rect, clBtnShadow, clBtnHighlight, borders);
  Frame2(canvas, rect, clBtnHighlight, clBtnShadow, borders);
}

void F::PaintSortMark(TcxCanvas* canvas, const TRect& rect, bool ascending) const {
  PaintSortMarkOutline(canvas, rect, clBtnShadow, clBtnHighlight, ascending);
}

int F::HeaderBorderWidth() const { return 1; }
TPoint F::SortMarkExtent() const { return {8, 7}; }
int F::FooterBorderWidth() const { return 1; }
int F::FooterCellBorderWidth() const { return 1; }
int F::FooterCellSpacing() const { return 1; }
void F::PaintFooterBorder(TcxCanvas* canvas, const TRect& rect) const { PaintRingOnAllSides(canvas, rect, false, false); }
void F::PaintFooterCellBorder(TcxCanvas* canvas, const TRect& rect) const { PaintRingOnAllSides(canvas, rect, true, true); }

void F::PaintFilterDropDownButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                  bool isFilterActive) const {
  PaintFilterDropDown(canvas, this, rect, state, isFilterActive);
}

void F::PaintTabBorder(TcxCanvas* canvas, const TRect& rect, TcxBorder border, TcxBorders borders,
                       bool vertical) const {
  PaintTabSide(canvas, rect, border, borders, vertical);
}

void F::PaintTabsRoot(TcxCanvas* canvas, const TRect& rect, TcxBorders borders, bool) const {
  PaintTabsRootRing(canvas, rect, borders);
}

int F::TabBorderWidth(bool) const { return 1; }

void F::PaintScrollBarPart(TcxCanvas* canvas, bool horizontal, const TRect& rect, TcxScrollBarPart part,
                           TcxButtonState state) const {
  if (rect.IsEmpty() || part == sbpNone || (part == sbpThumbnail && state == cxbsDisabled)) return;
  if (state == cxbsHot) state = cxbsNormal;
  if (part == sbpPageUp || part == sbpPageDown) return PaintScrollBarPageArea(canvas, rect, state);
  PaintButton(canvas, rect, "", state, true, clDefault, clDefault, false);
  if (part != sbpThumbnail)
    PaintArrowGlyph(canvas, Shrunk(rect, ButtonBorderWidth(cxbsNormal)), state,
                    ScrollBarArrowDirection(horizontal, part));
}

void F::PaintSplitter(TcxCanvas* canvas, const TRect& rect, const TcxViewParams& viewParams, bool horizontal) const {
  PaintSplitterLines(canvas, rect, viewParams, horizontal, {{clBtnHighlight, clBtnShadow}});
}
