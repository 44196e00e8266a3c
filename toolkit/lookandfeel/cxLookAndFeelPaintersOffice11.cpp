// The Office-2003 painter: the ultra-flat look in the Office-2003 colour set. Colours are read
// from Office11Colors at every call, so a change of colour scheme shows at the next paint.
#include "cxGraphicsRoutines.h"
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeelPaintersShared.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"

using P = TcxOffice11LookAndFeelPainter;
using namespace PainterDrawing;

namespace {

TColor Entry(int n) { return Office11Colors[n]; }

void Frame(TcxCanvas* canvas, const TRect& rect, TColor color) { canvas->FrameRect(rect, color, 1, cxBordersAll, false); }

// The sides a navigation button frames, by direction: the side facing the content stays open.
constexpr TcxBorders navigationButtonSides[] = {{bTop, bRight, bBottom}, {bLeft, bTop, bBottom}};

// The faces of buttons and navigation buttons, by state.
TColor FaceColor(TcxButtonState state) {
  switch (state) {
    case cxbsHot: return Entry(42);
    case cxbsPressed: return Entry(44);
    case cxbsDisabled: return clBtnFace;
    default: return Entry(0);
  }
}

// One column of a header cell's side edge: the pixel under the top row, the edge itself, then the
// two pixels that fade into the shade above the bottom row.
struct THeaderEdgeColumn {
  TColor Top;  // clNone: the top pixel stays the top border's
  TColor Edge;
  TColor AboveShade;  // clNone: the edge runs on to it
  TColor Shade;
};

void PaintHeaderEdgeColumn(TcxCanvas* canvas, const TRect& rect, int x, const THeaderEdgeColumn& column) {
  const int edgeTop = column.Top == clNone ? rect.Top + 1 : rect.Top + 2;
  const int edgeBottom = column.AboveShade == clNone ? rect.Bottom - 2 : rect.Bottom - 3;
  if (column.Top != clNone) canvas->SetPixel(x, rect.Top + 1, column.Top);
  Fill(canvas, TRect(x, edgeTop, x + 1, edgeBottom), column.Edge);
  if (column.AboveShade != clNone) canvas->SetPixel(x, rect.Bottom - 3, column.AboveShade);
  canvas->SetPixel(x, rect.Bottom - 2, column.Shade);
}

}  // namespace

int P::DrawingStyle() const { return 4; }

// ---------------------------------------------------------------------------------------------
// Colours

TColor P::FilterPanelColor() const { return Entry(24); }
TColor P::FilterPanelTextColor() const { return Entry(28); }
TColor P::AuxColor01() const { return Entry(0); }
TColor P::AuxColor02() const { return HeaderTextColor(); }
TColor P::GroupPanelColor() const { return Entry(55); }
TColor P::GroupPanelTextColor() const { return Entry(2); }
TColor P::GroupRowColor() const { return Entry(58); }
TColor P::HeaderBackgroundColor() const { return GroupPanelColor(); }
TColor P::HeaderColor() const { return HeaderFaceColor(); }
TColor P::AuxColor07() const { return Entry(0); }
TColor P::HighlightColor() const { return Entry(59); }
TColor P::HighlightTextColor() const { return clWindowText; }
TColor P::SchedulerBorderLineColor() const { return Entry(60); }
TColor P::AuxColor10() const { return Entry(61); }
TColor P::AuxColor13() const { return Entry(1); }
TColor P::AuxColor15() const { return AuxColor13(); }
TColor P::AuxColor18() const { return Entry(0); }
TColor P::AuxColor20() const { return AuxColor10(); }
TColor P::FooterSeparatorColor() const { return HeaderDarkEdgeColor(); }
TColor P::ButtonBorderColorForState(TcxButtonState state) const {
  return state == cxbsNormal ? HeaderDarkEdgeColor() : Entry(41);
}
TColor P::TabBorderColor() const { return HeaderDarkEdgeColor(); }
TColor P::HighlightBorderColor() const { return Entry(41); }
TColor P::HeaderShadeColor() const { return Entry(3); }
TColor P::HeaderDarkEdgeColor() const { return Entry(20); }
TColor P::HeaderLightEdgeColor() const { return Entry(21); }
TColor P::HeaderFaceColor() const { return BlendColorsPercent(Entry(2), Entry(3), 50); }

// ---------------------------------------------------------------------------------------------
// Borders, buttons, check boxes

void P::PaintBorder(TcxCanvas* canvas, const TRect& rect) const {
  TCanvasStateSaver saver(canvas);
  Frame(canvas, rect, Entry(57));
}

void P::PaintControlBorder(TcxCanvas* canvas, const TRect& rect) const {
  TCanvasStateSaver saver(canvas);
  Frame(canvas, rect, SchedulerBorderLineColor());
}

TColor P::ButtonColor(TcxButtonState state) const { return FaceColor(state); }

TColor P::ButtonGlyphColor(TcxButtonState state, TColor) const {
  if (state == cxbsPressed && !AreLunaSchemeColorsUsed()) return clHighlightText;
  return state == cxbsDisabled ? Entry(52) : Entry(51);
}

void P::PaintButtonBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const {
  if (state == cxbsDefault) return TcxUltraFlatLookAndFeelPainter::PaintButtonBorder(canvas, rect, state);
  TCanvasStateSaver saver(canvas);
  Frame(canvas, rect, state == cxbsNormal ? clBtnText : state == cxbsDisabled ? Entry(52) : Entry(41));
}

void P::PaintNavigationButton(TcxCanvas* canvas, const TRect& rect, const TRect& glyphRect,
                              TcxNavigationButtonDirection direction, TcxButtonState state) const {
  TCanvasStateSaver saver(canvas);
  canvas->FillRectColor(rect, state == cxbsHot ? Entry(42) : state == cxbsPressed ? Entry(44) : Entry(0));
  canvas->FrameRectTwoColor(rect, Entry(60), Entry(60), navigationButtonSides[direction], 1);
  PaintChevron(canvas, glyphRect, direction, ButtonGlyphColor(state));
}

// The shared 11 x 11 picture, its corners blended into what lies under them. The corners are
// set on the canvas after the copy, so the shared bitmap itself stays as loaded.
void P::PaintExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor color) const {
  const HBITMAP picture = Office11ExpandButtonBitmap(!expanded);
  if (!picture) return TcxUltraFlatLookAndFeelPainter::PaintExpandButton(canvas, rect, expanded, color);
  TCanvasStateSaver saver(canvas);
  const HDC dc = canvas->GetHandle();
  const TColor topLeft = BlendColorsPercent(Entry(79), static_cast<TColor>(GetPixel(dc, rect.Left, rect.Top)), 25);
  const TColor bottomRight =
      BlendColorsPercent(Entry(80), static_cast<TColor>(GetPixel(dc, rect.Right - 1, rect.Bottom - 1)), 25);
  const HDC source = CreateCompatibleDC(dc);
  const HGDIOBJ old = SelectObject(source, picture);
  BitBlt(dc, rect.Left, rect.Top, 11, 11, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
  canvas->SetPixel(rect.Left, rect.Top, topLeft);
  canvas->SetPixel(rect.Left + 10, rect.Top + 10, bottomRight);
  canvas->SetPixel(rect.Left, rect.Top + 10, bottomRight);
  canvas->SetPixel(rect.Left + 10, rect.Top, bottomRight);
}

bool P::ExpandButtonFlag() const { return false; }

void P::PaintSmallExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor, TColor color) const {
  PaintExpandButton(canvas, rect, expanded, color);
}

int P::SmallExpandButtonExtent() const { return ExpandButtonExtent(); }

TColor P::CheckBoxColor(TcxButtonState state) const {
  if (state == cxbsHot || state == cxbsPressed || state == cxbsDisabled) return ButtonColor(state);
  return TcxCustomLookAndFeelPainter::CheckBoxColor(state);
}

// ---------------------------------------------------------------------------------------------
// Text cells and headers

// A header cell (not plain) fades into the shade over its last four rows; a hot one keeps the
// hot face and gets a highlight strip over its bottom edge. A footer cell (plain) is one colour.
void P::PaintTextCell(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxButtonState state,
                      TAlignment horzAlignment, TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis,
                      const std::string& text, TFont* font, TColor textColor, TColor,
                      const TcxDrawBackgroundEvent& onCustomDrawBackground, bool isFooter) const {
  TCanvasStateSaver saver(canvas);
  const HDC dc = canvas->GetHandle();
  const bool hot = state == cxbsHot;
  if (!(onCustomDrawBackground && onCustomDrawBackground(canvas, rect))) {
    const TColor face = hot ? Entry(2) : HeaderFaceColor(), shade = hot ? Entry(2) : HeaderShadeColor();
    if (isFooter) {
      FillDCRectWithColor(dc, rect, face);
    } else {
      FillDCRectWithColor(dc, TRect(rect.Left, rect.Top, rect.Right, rect.Bottom - 3), face);
      FillGradientRect(dc, TRect(rect.Left, rect.Bottom - 4, rect.Right, rect.Bottom), face, shade, false);
    }
  }
  if (!text.empty()) {
    canvas->GetBrush()->SetStyle(TBrushStyle::bsClear);
    if (font) canvas->SetFont(font);
    canvas->GetFont()->SetColor(textColor);
    canvas->DrawText(text, textRect, TextFlags(horzAlignment, vertAlignment, multiLine, endEllipsis), true);
  }
  if (hot) FillGradientRect(dc, TRect(rect.Left - 1, rect.Bottom - 2, rect.Right, rect.Bottom + 1), Entry(42), Entry(43), false);
}

void P::PaintHeader(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                    TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                    TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis, const std::string& text,
                    TFont* font, TColor textColor, TColor backgroundColor, const TcxDrawBackgroundEvent&,
                    bool isLast, bool) const {
  TcxCustomLookAndFeelPainter::PaintHeader(canvas, rect, textRect, neighbors, borders, state, horzAlignment,
                                           vertAlignment, multiLine, endEllipsis, text, font, textColor,
                                           backgroundColor, nullptr, isLast, false);
}

// Hand-drawn edges whose corner pixels blend into the face and the shade, so that neighbouring
// cells join without a seam.
void P::PaintHeaderBorder(TcxCanvas* canvas, const TRect& rect, TcxBorders neighbors, TcxBorders) const {
  TCanvasStateSaver saver(canvas);
  const TColor face = HeaderFaceColor(), shade = HeaderShadeColor(), dark = HeaderDarkEdgeColor();
  const TColor light = HeaderLightEdgeColor(), faded = BlendColorsPercent(face, shade, 25);
  Fill(canvas, TRect(rect.Left, rect.Top, rect.Right, rect.Top + 1), face);
  Fill(canvas, TRect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom), dark);
  PaintHeaderEdgeColumn(canvas, rect, rect.Left,
                        neighbors.Contains(bLeft) ? THeaderEdgeColumn{face, light, faded, shade}
                                                  : THeaderEdgeColumn{clNone, light, clNone, shade});
  if (neighbors.Contains(bRight)) {
    PaintHeaderEdgeColumn(canvas, rect, rect.Right - 1, {face, dark, faded, shade});
  } else {
    canvas->SetPixel(rect.Right - 1, rect.Top, BlendColorsPercent(face, dark, 50));
    PaintHeaderEdgeColumn(canvas, rect, rect.Right - 1, {clNone, dark, clNone, BlendColorsPercent(shade, dark, 50)});
  }
}

void P::PaintHeaderSection(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                           TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                           TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis, const std::string& text,
                           TFont* font, TColor textColor, TColor backgroundColor) const {
  PaintHeader(canvas, rect, textRect, neighbors, borders, state, horzAlignment, vertAlignment, multiLine, endEllipsis,
              text, font, textColor, backgroundColor, nullptr, false, false);
  if (state == cxbsPressed) PaintHeaderPressed(canvas, rect);
}

void P::PaintSortMark(TcxCanvas* canvas, const TRect& rect, bool ascending) const {
  PaintSortMarkOutline(canvas, rect, HeaderDarkEdgeColor(), HeaderLightEdgeColor(), ascending);
}

TcxBorders P::HeaderDrawnBorders(TcxBorders) const { return cxBordersAll; }
bool P::IsHeaderBackgroundTransparent() const { return true; }

// No border: the cell's face and text between the two side arrows.
void P::PaintHeaderWithSideArrows(TcxCanvas* canvas, const TRect& rect, const std::string& text, TcxBorders,
                                  const TcxViewParams& viewParams, int arrows, int arrowInset,
                                  const TcxDrawBackgroundEvent& onCustomDrawBackground) const {
  {
    TCanvasStateSaver saver(canvas);
    const TRect inner = Shrunk(rect);
    if (!(onCustomDrawBackground && onCustomDrawBackground(canvas, inner)))
      canvas->FillRectWithBorders(inner, viewParams, {}, clDefault, 1, false);
    if (!text.empty()) {
      canvas->GetBrush()->SetStyle(TBrushStyle::bsClear);
      if (viewParams.Font) canvas->SetFont(viewParams.Font);
      canvas->GetFont()->SetColor(viewParams.TextColor);
      canvas->DrawText(text, inner, cxAlignHCenter | cxAlignVCenter | cxSingleLine, true);
    }
  }
  PaintSideArrows(canvas, rect, arrows, arrowInset);
}

// ---------------------------------------------------------------------------------------------
// Scroll bars, size grip, group box

// The visual style draws the scroll bars when it can; the 3-D ones otherwise.
void P::PaintScrollBarPart(TcxCanvas* canvas, bool horizontal, const TRect& rect, TcxScrollBarPart part,
                           TcxButtonState state) const {
  const TcxCustomLookAndFeelPainterClass painter = AreThemeKindsAvailable({totScrollBar})
                                                       ? TcxWinXPLookAndFeelPainter::Instance()
                                                       : TcxStandardLookAndFeelPainter::Instance();
  painter->PaintScrollBarPart(canvas, horizontal, rect, part, state);
}

void P::PaintScrollButtonFace(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const {
  TcxWinXPLookAndFeelPainter::Instance()->PaintScrollButtonFace(canvas, rect, state);
}

void P::PaintSizeGrip(TcxCanvas* canvas, const TRect& rect, TColor backgroundColor) const {
  TCanvasStateSaver saver(canvas);
  canvas->FillRectColor(rect, backgroundColor);
  PaintSizeGripDots(canvas->GetHandle(), rect, clDefault, clDefault);
}

void P::PaintGroupBoxInterior(TcxCanvas* canvas, TControl* control, const TRect& rect, TColor color1,
                              TColor color2) const {
  TCanvasStateSaver saver(canvas);
  if (color1 == clDefault) {
    if (control) PaintParentImage(control, canvas, rect, true);
  } else if (color2 == clDefault) {
    canvas->FillRectColor(rect, color1);
  } else {
    FillGradientRect(canvas->GetHandle(), rect, color1, color2, false);
  }
}
