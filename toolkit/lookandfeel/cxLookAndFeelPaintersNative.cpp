// The native painter: draws with the operating system's visual styles. Every operation opens the
// theme of one kind first; without it, or when a size or colour query fails, it draws or measures
// as the standard painter (or the base painter) does, so the look degrades part by part.
#include "cxLookAndFeelPainters.h"

#include <vssym32.h>

#include <algorithm>

#include "cxGraphicsRoutines.h"
#include "cxLookAndFeelPaintersShared.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

using P = TcxWinXPLookAndFeelPainter;
using B = TcxCustomLookAndFeelPainter;
using namespace PainterDrawing;

namespace {

TcxCustomLookAndFeelPainterClass Standard() { return TcxStandardLookAndFeelPainter::Instance(); }

// Theme states by TcxButtonState (default, normal, hot, pressed, disabled).
constexpr int pushButtonStates[] = {PBS_DEFAULTED, PBS_NORMAL, PBS_HOT, PBS_PRESSED, PBS_DISABLED};
constexpr int genericStates[] = {1, 1, 2, 3, 4};
constexpr int headerStates[] = {HIS_NORMAL, HIS_NORMAL, HIS_HOT, HIS_PRESSED, HIS_NORMAL};  // disabled looks normal
constexpr int toolBarStates[] = {TS_HOT, TS_HOT, TS_CHECKED, TS_PRESSED, TS_DISABLED};
constexpr int checkStates[2][5] = {{1, 1, 2, 3, 4}, {5, 5, 6, 7, 8}};  // [checked][state]; radio buttons alike
// Thumb, track and gripper.
constexpr int scrollPartStates[] = {SCRBS_NORMAL, SCRBS_NORMAL, SCRBS_HOT, SCRBS_PRESSED, SCRBS_DISABLED};
// The first arrow state of each direction (up, down, left, right), then normal, hot, pressed, disabled.
constexpr int scrollArrowFirstStates[] = {ABS_UPNORMAL, ABS_DOWNNORMAL, ABS_LEFTNORMAL, ABS_RIGHTNORMAL};
constexpr int scrollArrowStateOffsets[] = {0, 0, 1, 2, 3};
// By horizontal.
constexpr int thumbParts[] = {SBP_THUMBBTNVERT, SBP_THUMBBTNHORZ};
constexpr int gripperParts[] = {SBP_GRIPPERVERT, SBP_GRIPPERHORZ};
// By [horizontal][the page after the thumb]: the page before the thumb is the upper track.
constexpr int trackParts[2][2] = {{SBP_UPPERTRACKVERT, SBP_LOWERTRACKVERT}, {SBP_UPPERTRACKHORZ, SBP_LOWERTRACKHORZ}};
// The quarter turns of a navigation button's bitmap, by direction.
constexpr TcxRotationAngle navigationRotations[] = {raMinus90, raPlus90};

constexpr RECT box100{0, 0, 100, 100};

void DrawPart(TcxCanvas* canvas, HTHEME theme, int part, int state, const TRect& rect, const RECT* clip = nullptr) {
  const RECT r = rect;
  UxDrawThemeBackground(theme, canvas->GetHandle(), part, state, &r, clip);
}

bool ContentRect(HTHEME theme, int part, int state, const RECT& bounds, TRect& content) {
  RECT r{};
  if (FAILED(UxGetThemeBackgroundContentRect(theme, nullptr, part, state, &bounds, &r))) return false;
  content = r;
  return true;
}

bool TrueSize(HTHEME theme, int part, int state, TSize& size) {
  SIZE s{};
  if (FAILED(UxGetThemePartSizeNoRect(theme, nullptr, part, state, TS_TRUE, &s))) return false;
  size = {s.cx, s.cy};
  return true;
}

bool ThemeColor(HTHEME theme, int part, int state, int property, TColor& color) {
  COLORREF c = 0;
  if (FAILED(UxGetThemeColor(theme, part, state, property, &c))) return false;
  color = static_cast<TColor>(c);
  return true;
}

int ScrollArrowState(TcxArrowDirection direction, TcxButtonState state) {
  return scrollArrowFirstStates[direction] + scrollArrowStateOffsets[state];
}

}  // namespace

int P::DrawingStyle() const { return 3; }
TColor P::AuxColor11() const { return B::AuxColor11(); }

TColor P::SchedulerBorderLineColor() const {
  TColor color;
  if (HTHEME theme = OpenThemeByKind(totComboBox); theme && ThemeColor(theme, CP_DROPDOWNBUTTON, 1, TMT_BORDERCOLOR, color))
    return color;
  return Standard()->SchedulerBorderLineColor();
}

// ---------------------------------------------------------------------------------------------
// Arrows, border, navigation button

void P::PaintArrowButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, TcxArrowDirection direction,
                         bool withBorder) const {
  const HTHEME theme = OpenThemeByKind(totScrollBar);
  if (!theme) return B::PaintArrowButton(canvas, rect, state, direction, withBorder);
  DrawPart(canvas, theme, SBP_ARROWBTN, ScrollArrowState(direction, state), rect);
}

void P::PaintArrowButtonBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const {
  const HTHEME theme = OpenThemeByKind(totButton);
  if (!theme) return B::PaintArrowButtonBorder(canvas, rect, state);
  DrawPart(canvas, theme, BP_PUSHBUTTON, pushButtonStates[state], rect);
}

int P::BorderWidth() const { return OpenThemeByKind(totListView) ? 1 : Standard()->BorderWidth(); }

void P::PaintBorder(TcxCanvas* canvas, const TRect& rect) const {
  const HTHEME theme = OpenThemeByKind(totListView);
  if (!theme) return TcxStandardLookAndFeelPainter::PaintBorder(canvas, rect);
  TCanvasStateSaver saver(canvas);
  canvas->ExcludeClipRect(Shrunk(rect));
  DrawPart(canvas, theme, 5, 0, rect);  // the list view's frame
}

// The style has no sideways tab: the tab item is drawn into a bitmap turned a quarter.
void P::PaintNavigationButton(TcxCanvas* canvas, const TRect& rect, const TRect& glyphRect,
                              TcxNavigationButtonDirection direction, TcxButtonState state) const {
  const HTHEME theme = OpenThemeByKind(totTab);
  if (!theme) return B::PaintNavigationButton(canvas, rect, glyphRect, direction, state);
  TCanvasStateSaver saver(canvas);
  TcxBitmap bitmap(rect.Width(), rect.Height());
  BitBlt(bitmap.Canvas()->GetHandle(), 0, 0, rect.Width(), rect.Height(), canvas->GetHandle(), rect.Left, rect.Top,
         SRCCOPY);
  bitmap.Rotate(navigationRotations[direction ^ 1]);
  DrawPart(bitmap.Canvas(), theme, TABP_TABITEM, genericStates[state], TRect(0, 0, bitmap.Width(), bitmap.Height()));
  bitmap.Rotate(navigationRotations[direction]);
  BitBlt(canvas->GetHandle(), rect.Left, rect.Top, rect.Width(), rect.Height(), bitmap.Canvas()->GetHandle(), 0, 0,
         SRCCOPY);
  PaintChevron(canvas, glyphRect, direction, ButtonGlyphColor(state));
}

// ---------------------------------------------------------------------------------------------
// Buttons

TRect P::GroupButtonBounds(const TRect& rect, int buttonCount, int buttonIndex) const {
  TRect r = B::GroupButtonBounds(rect, buttonCount, buttonIndex);
  const HTHEME theme = OpenThemeByKind(totButton);
  if (theme && UxIsThemeBackgroundPartiallyTransparent(theme, BP_PUSHBUTTON, PBS_NORMAL)) r.Inflate(1, 1);
  return r;
}

int P::ButtonBorderWidth(TcxButtonState state) const {
  TRect content;
  if (HTHEME theme = OpenThemeByKind(totButton); theme && ContentRect(theme, BP_PUSHBUTTON, pushButtonStates[state], box100, content))
    return content.Left;
  return Standard()->ButtonBorderWidth(state);
}

TColor P::ButtonColor(TcxButtonState state) const {
  TColor color;
  if (HTHEME theme = OpenThemeByKind(totButton); theme && ThemeColor(theme, BP_PUSHBUTTON, pushButtonStates[state], TMT_FILLCOLOR, color))
    return color;
  return B::ButtonColor(state);
}

TRect P::ButtonFocusBounds(TcxCanvas* canvas, const TRect& rect) const {
  TRect content;
  if (HTHEME theme = OpenThemeByKind(totButton); theme && ContentRect(theme, BP_PUSHBUTTON, PBS_NORMAL, rect, content))
    return content;
  return B::ButtonFocusBounds(canvas, rect);
}

TRect P::ButtonGroupBorderWidths(int buttonCount, int buttonIndex) const {
  const HTHEME theme = OpenThemeByKind(totButton);
  TRect content;
  if (!theme || !ContentRect(theme, BP_PUSHBUTTON, PBS_NORMAL, box100, content))
    return Standard()->ButtonGroupBorderWidths(buttonCount, buttonIndex);
  TRect widths(content.Left, content.Top, 100 - content.Right, 100 - content.Bottom);
  if (UxIsThemeBackgroundPartiallyTransparent(theme, BP_PUSHBUTTON, PBS_NORMAL)) widths.Offset(-1, -1);
  return widths;
}

int P::ButtonTextInset() const { return 2; }
int P::ButtonPressedShift() const { return 0; }

TColor P::ButtonGlyphColor(TcxButtonState state, TColor color) const {
  TColor themed;
  if (HTHEME theme = OpenThemeByKind(totButton); theme && ThemeColor(theme, BP_PUSHBUTTON, pushButtonStates[state], TMT_TEXTCOLOR, themed))
    return themed;
  return B::ButtonGlyphColor(state, color);
}

// The style's button face and caption; the colour, border and word-wrap arguments do not apply.
void P::PaintButton(TcxCanvas* canvas, const TRect& rect, const std::string& caption, TcxButtonState state,
                    bool drawBorder, TColor color, TColor textColor, bool wordWrap) const {
  const HTHEME theme = OpenThemeByKind(totButton);
  if (!theme) return B::PaintButton(canvas, rect, caption, state, drawBorder, color, textColor, wordWrap);
  TCanvasStateSaver saver(canvas);
  DrawPart(canvas, theme, BP_PUSHBUTTON, pushButtonStates[state], rect);
  if (caption.empty()) return;
  const RECT r = rect;
  UxDrawThemeTextAnsi(theme, canvas->GetHandle(), BP_PUSHBUTTON, pushButtonStates[state], caption, -1,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, &r);
}

void P::PaintExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor color) const {
  const HTHEME theme = OpenThemeByKind(totTreeView);
  if (!theme) return TcxStandardLookAndFeelPainter::PaintExpandButton(canvas, rect, expanded, color);
  DrawPart(canvas, theme, TVP_GLYPH, expanded ? GLPS_OPENED : GLPS_CLOSED, rect);
  canvas->ExcludeClipRect(rect);
}

bool P::ExpandButtonFlag() const { return false; }

// The style knows normal, hot and pressed group buttons; default and disabled ones look normal.
void P::PaintGroupExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TcxButtonState state) const {
  const HTHEME theme = OpenThemeByKind(totExplorerBar);
  if (!theme) return TcxStandardLookAndFeelPainter::PaintGroupExpandButton(canvas, rect, expanded, state);
  static constexpr int states[] = {1, 1, 2, 3, 1};
  DrawPart(canvas, theme, expanded ? EBP_NORMALGROUPCOLLAPSE : EBP_NORMALGROUPEXPAND, states[state], rect);
}

void P::PaintSmallExpandButton(TcxCanvas* canvas, const TRect& rect, bool expanded, TColor frameColor,
                               TColor) const {
  if (!OpenThemeByKind(totTreeView)) return B::PaintSmallExpandButton(canvas, rect, expanded, frameColor, clDefault);
  PaintExpandButton(canvas, rect, expanded, clDefault);
}

int P::ExpandButtonExtent() const {
  TSize size;
  if (HTHEME theme = OpenThemeByKind(totTreeView); theme && TrueSize(theme, TVP_GLYPH, GLPS_CLOSED, size)) return size.cx;
  return Standard()->ExpandButtonExtent();
}

int P::GroupExpandButtonExtent() const {
  TSize size;
  if (HTHEME theme = OpenThemeByKind(totExplorerBar); theme && TrueSize(theme, EBP_NORMALGROUPEXPAND, 1, size))
    return size.cx;
  return B::GroupExpandButtonExtent();
}

bool P::HasHotButtons() const { return true; }

bool P::HitTestGroupExpandButton(const TRect& rect, TPoint point) const {
  const HTHEME theme = OpenThemeByKind(totExplorerBar);
  HRGN region = nullptr;
  const RECT r = rect;
  if (!theme || FAILED(UxGetThemeBackgroundRegion(theme, nullptr, EBP_NORMALGROUPEXPAND, 1, &r, &region)) || !region)
    return B::HitTestGroupExpandButton(rect, point);
  const bool inside = PtInRegion(region, point.X, point.Y) != FALSE;
  DeleteObject(region);
  return inside;
}

int P::SmallExpandButtonExtent() const {
  return OpenThemeByKind(totTreeView) ? ExpandButtonExtent() : B::SmallExpandButtonExtent();
}

// ---------------------------------------------------------------------------------------------
// Check boxes and radio buttons

int P::CheckBoxBorderWidth() const { return OpenThemeByKind(totButton) ? 0 : B::CheckBoxBorderWidth(); }

TSize P::CheckGlyphSize() const {
  TSize size;
  if (HTHEME theme = OpenThemeByKind(totButton); theme && TrueSize(theme, BP_CHECKBOX, CBS_CHECKEDNORMAL, size))
    return size;
  return B::CheckGlyphSize();
}

void P::PaintCheckMark(TcxCanvas* canvas, const TRect& rect, TcxButtonState state, bool checked, TColor color) const {
  const HTHEME theme = OpenThemeByKind(totButton);
  if (!theme) return B::PaintCheckMark(canvas, rect, state, checked, color);
  DrawPart(canvas, theme, BP_CHECKBOX, checkStates[checked][state], rect);
}

// The themed check box carries its own border.
void P::PaintCheckBoxBorder(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const {
  if (!OpenThemeByKind(totButton)) TcxStandardLookAndFeelPainter::PaintCheckBoxBorder(canvas, rect, state);
}

void P::PaintRadioButton(TcxCanvas* canvas, int x, int y, TcxButtonState state, bool checked, bool focused,
                         TColor backgroundColor, bool highlighted) const {
  const HTHEME theme = OpenThemeByKind(totButton);
  if (!theme) return B::PaintRadioButton(canvas, x, y, state, checked, focused, backgroundColor, highlighted);
  const TSize size = RadioButtonSize();
  DrawPart(canvas, theme, BP_RADIOBUTTON, checkStates[checked][state], Bounds(x, y, size.cx, size.cy));
}

TSize P::RadioButtonSize() const {
  TSize size;
  if (HTHEME theme = OpenThemeByKind(totButton); theme && TrueSize(theme, BP_RADIOBUTTON, RBS_UNCHECKEDNORMAL, size))
    return size;
  return B::RadioButtonSize();
}

// ---------------------------------------------------------------------------------------------
// Headers

// Sort marks and glyphs are not drawn here.
void P::PaintHeader(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                    TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                    TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis, const std::string& text,
                    TFont* font, TColor textColor, TColor backgroundColor,
                    const TcxDrawBackgroundEvent& onCustomDrawBackground, bool isLast, bool isGroup) const {
  const HTHEME theme = OpenThemeByKind(totHeader);
  if (!theme)
    return B::PaintHeader(canvas, rect, textRect, neighbors, borders, state, horzAlignment, vertAlignment, multiLine,
                          endEllipsis, text, font, textColor, backgroundColor, onCustomDrawBackground, isLast,
                          isGroup);
  const int themeState = headerStates[state];
  const TdxLunaScheme scheme = CurrentLunaScheme();
  const bool rightItem = isLast && themeState == HIS_NORMAL && (scheme == lsNormalColor || scheme == lsHomestead);
  const int part = rightItem ? HP_HEADERITEMRIGHT : HP_HEADERITEM;
  DrawPart(canvas, theme, part, themeState, rect);
  TRect r = textRect;
  if (state == cxbsPressed) r.Offset(1, 1);
  DrawThemedText(canvas, theme, part, themeState, r, horzAlignment, vertAlignment, multiLine, endEllipsis, false, text,
                 font, textColor);
}

void P::PaintHeaderPressed(TcxCanvas*, const TRect&) const {}

void P::PaintHeaderSection(TcxCanvas* canvas, const TRect& rect, const TRect& textRect, TcxBorders neighbors,
                           TcxBorders borders, TcxButtonState state, TAlignment horzAlignment,
                           TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis, const std::string& text,
                           TFont* font, TColor textColor, TColor backgroundColor) const {
  {
    TCanvasStateSaver saver(canvas);
    Fill(canvas, rect, clBtnFace);
  }
  PaintHeader(canvas, rect, textRect, neighbors, borders, state, horzAlignment, vertAlignment, multiLine, endEllipsis,
              text, font, textColor, backgroundColor, nullptr, false, false);
}

void P::PaintSortMark(TcxCanvas* canvas, const TRect& rect, bool ascending) const {
  PaintSortMarkOutline(canvas, rect, clBtnShadow, clBtnShadow, ascending);
}

int P::HeaderBorderWidth() const {
  TRect content;
  if (HTHEME theme = OpenThemeByKind(totHeader); theme && ContentRect(theme, HP_HEADERITEM, HIS_NORMAL, box100, content))
    return (content.Left + content.Top) / 2;
  return Standard()->HeaderBorderWidth();
}

int P::HeaderSectionBorderWidth(TcxButtonState) const { return HeaderBorderWidth(); }

TRect P::HeaderSectionContentBounds(const TRect& rect, TcxButtonState state) const {
  if (!OpenThemeByKind(totHeader)) return B::HeaderSectionContentBounds(rect, state);
  return Shrunk(rect, HeaderBorderWidth());
}

bool P::IsHeaderBackgroundTransparent() const { return true; }
TPoint P::SortMarkExtent() const { return {7, 8}; }

void P::PaintHeaderWithSideArrows(TcxCanvas* canvas, const TRect& rect, const std::string& text, TcxBorders neighbors,
                                  const TcxViewParams& viewParams, int arrows, int arrowInset,
                                  const TcxDrawBackgroundEvent& onCustomDrawBackground) const {
  PaintHeader(canvas, rect, rect, neighbors, cxBordersAll, cxbsNormal, taCenter, vaCenter, false, false, text,
              viewParams.Font, viewParams.TextColor, viewParams.Color, onCustomDrawBackground,
              !neighbors.Contains(bRight), false);
  PaintSideArrows(canvas, rect, arrows, arrowInset);
}

// ---------------------------------------------------------------------------------------------
// Footer, filter buttons

int P::FooterCellBorderWidth() const {
  TRect content;
  if (HTHEME theme = OpenThemeByKind(totTrackBar); theme && ContentRect(theme, TKP_TRACK, TRS_NORMAL, box100, content))
    return content.Left;
  return Standard()->FooterCellBorderWidth();
}

bool P::IsFooterCellFramed() const { return false; }

void P::PaintFooterCell(TcxCanvas* canvas, const TRect& rect, TAlignment horzAlignment, TcxAlignmentVert vertAlignment,
                        bool multiLine, const std::string& text, TFont* font, TColor textColor,
                        TColor backgroundColor, const TcxDrawBackgroundEvent& onCustomDrawBackground) const {
  const HTHEME theme = OpenThemeByKind(totTrackBar);
  if (!theme)
    return B::PaintFooterCell(canvas, rect, horzAlignment, vertAlignment, multiLine, text, font, textColor,
                              backgroundColor, onCustomDrawBackground);
  DrawPart(canvas, theme, TKP_TRACK, TRS_NORMAL, rect);
  DrawThemedText(canvas, theme, TKP_TRACK, TRS_NORMAL, FooterCellTextBounds(rect), horzAlignment, vertAlignment,
                 multiLine, false, false, text, font, textColor);
}

void P::PaintFooterBorder(TcxCanvas* canvas, const TRect& rect) const {
  const HTHEME theme = OpenThemeByKind(totEdit);
  if (!theme) return TcxStandardLookAndFeelPainter::PaintFooterBorder(canvas, rect);
  const RECT r = rect;
  UxDrawThemeEdge(theme, canvas->GetHandle(), 0, 0, &r, BDR_RAISEDINNER, BF_RECT, nullptr);
}

void P::PaintFilterCloseButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const {
  const HTHEME theme = OpenThemeByKind(totWindow);
  if (!theme) return B::PaintFilterCloseButton(canvas, rect, state);
  DrawPart(canvas, theme, WP_SMALLCLOSEBUTTON, genericStates[state], rect);
}

// The style's drop-down button does not show an active filter.
void P::PaintFilterDropDownButton(TcxCanvas* canvas, const TRect& rect, TcxButtonState state,
                                  bool isFilterActive) const {
  const HTHEME theme = OpenThemeByKind(totComboBox);
  if (!theme) return TcxStandardLookAndFeelPainter::PaintFilterDropDownButton(canvas, rect, state, isFilterActive);
  DrawPart(canvas, theme, CP_DROPDOWNBUTTON, genericStates[state], rect);
}

TPoint P::FilterActivateButtonExtent() const {
  TSize size;
  if (HTHEME theme = OpenThemeByKind(totButton); theme && TrueSize(theme, BP_CHECKBOX, CBS_CHECKEDNORMAL, size))
    return {size.cx, size.cy};
  return B::FilterActivateButtonExtent();
}

TPoint P::FilterCloseButtonExtent() const {
  TSize size;
  if (HTHEME theme = OpenThemeByKind(totWindow); theme && TrueSize(theme, WP_SMALLCLOSEBUTTON, CBS_NORMAL, size))
    return {size.cx + 4, size.cy + 4};
  return B::FilterCloseButtonExtent();
}

// ---------------------------------------------------------------------------------------------
// Tabs

// A vertical tab is drawn lying down into a bitmap, then stood up.
void P::PaintTab(TcxCanvas* canvas, const TRect& rect, TcxBorders borders, const std::string& text,
                 TcxButtonState state, bool vertical, TFont* font, TColor textColor, TColor backgroundColor,
                 bool showPrefix) const {
  const HTHEME theme = OpenThemeByKind(totTab);
  if (!theme)
    return B::PaintTab(canvas, rect, borders, text, state, vertical, font, textColor, backgroundColor, showPrefix);
  TCanvasStateSaver saver(canvas);
  const bool selected = state == cxbsPressed;
  const TRect r = vertical ? TRect(0, 0, rect.Height(), rect.Width()) : rect;
  // A side without a border reaches under the neighbouring tab.
  TRect t = r;
  if (!borders.Contains(vertical ? bTop : bLeft)) t.Left -= 2;
  if (!borders.Contains(vertical ? bBottom : bRight)) t.Right += 2;
  RECT clip = r;
  if (selected)
    ++t.Bottom;
  else
    --clip.bottom;
  if (vertical) {
    TcxBitmap bitmap(r.Width(), r.Height());
    Fill(bitmap.Canvas(), r, clBtnFace);
    DrawPart(bitmap.Canvas(), theme, TABP_TABITEM, genericStates[state], t, &clip);
    bitmap.Rotate(raPlus90, true);
    BitBlt(canvas->GetHandle(), rect.Left, rect.Top, rect.Width(), rect.Height(), bitmap.Canvas()->GetHandle(), 0, 0,
           SRCCOPY);
    t = Bounds(rect.Left + t.Left, rect.Top + t.Top, t.Height(), t.Width());
  } else {
    DrawPart(canvas, theme, TABP_TABITEM, genericStates[state], t, &clip);
  }
  if (selected) (vertical ? t.Right : t.Bottom) -= 2;
  DrawThemedText(canvas, theme, TABP_TABITEM, genericStates[state], t, taCenter, vaCenter, false, false, showPrefix,
                 text, font, textColor);
}

void P::PaintTabBorder(TcxCanvas* canvas, const TRect& rect, TcxBorder border, TcxBorders borders,
                       bool vertical) const {
  if (!OpenThemeByKind(totTab)) TcxStandardLookAndFeelPainter::PaintTabBorder(canvas, rect, border, borders, vertical);
}

// The pane is drawn larger than the rectangle and clipped to it, so its far edge lies outside.
void P::PaintTabsRoot(TcxCanvas* canvas, const TRect& rect, TcxBorders borders, bool vertical) const {
  const HTHEME theme = OpenThemeByKind(totTab);
  if (!theme) return TcxStandardLookAndFeelPainter::PaintTabsRoot(canvas, rect, borders, vertical);
  TRect content = rect;
  ContentRect(theme, TABP_PANE, 0, rect, content);
  TRect pane = rect;
  if (vertical) {
    pane.Bottom += (rect.Bottom - content.Bottom) - (content.Top - rect.Top);
    pane.Right += 10;
  } else {
    pane.Right += (rect.Right - content.Right) - (content.Left - rect.Left);
    pane.Bottom += 10;
  }
  const RECT clip = rect;
  DrawPart(canvas, theme, TABP_PANE, 0, pane, &clip);
}

bool P::IsTabPaintingImplemented(bool vertical) const {
  return OpenThemeByKind(totTab) ? true : B::IsTabPaintingImplemented(vertical);
}

bool P::IsTabHotTrackable(bool vertical) const {
  return OpenThemeByKind(totTab) ? true : B::IsTabHotTrackable(vertical);
}

// ---------------------------------------------------------------------------------------------
// Scroll bar and size grip

// At least the gripper's minimum size, and room round the gripper when its true size is known.
int P::ScrollBarMinThumbLength(bool horizontal) const {
  const HTHEME theme = OpenThemeByKind(totScrollBar);
  if (!theme) return B::ScrollBarMinThumbLength(horizontal);
  const int part = gripperParts[horizontal];
  SIZE minimum{}, size{};
  if (FAILED(UxGetThemePartSizeNoRect(theme, nullptr, part, 1, TS_MIN, &minimum))) return 8;
  int length = horizontal ? minimum.cx : minimum.cy;
  if (SUCCEEDED(UxGetThemePartSizeNoRect(theme, nullptr, part, 1, TS_TRUE, &size)))
    length = std::max(length, (horizontal ? size.cx : size.cy) + 4);
  return std::max(length, 8);
}

void P::PaintScrollBarPart(TcxCanvas* canvas, bool horizontal, const TRect& rect, TcxScrollBarPart part,
                           TcxButtonState state) const {
  if (rect.IsEmpty() || part == sbpNone) return;
  const HTHEME theme = OpenThemeByKind(totScrollBar);
  if (!theme) return TcxStandardLookAndFeelPainter::PaintScrollBarPart(canvas, horizontal, rect, part, state);
  switch (part) {
    case sbpLineUp:
    case sbpLineDown:
      return PaintArrowButton(canvas, rect, state, ScrollBarArrowDirection(horizontal, part), true);
    case sbpThumbnail:
      DrawPart(canvas, theme, thumbParts[horizontal], scrollPartStates[state], rect);
      return DrawPart(canvas, theme, gripperParts[horizontal], scrollPartStates[state], rect);
    default:
      return DrawPart(canvas, theme, trackParts[horizontal][part == sbpPageDown], scrollPartStates[state], rect);
  }
}

void P::PaintSizeGrip(TcxCanvas* canvas, const TRect& rect, TColor backgroundColor) const {
  const HTHEME theme = OpenThemeByKind(totScrollBar);
  if (!theme) return B::PaintSizeGrip(canvas, rect, backgroundColor);
  TCanvasStateSaver saver(canvas);
  canvas->FillRectColor(rect, backgroundColor);  // clNone: the grip over what is there
  DrawPart(canvas, theme, SBP_SIZEBOX, SZB_RIGHTALIGN, rect);
}

// ---------------------------------------------------------------------------------------------
// Indicator, progress bar, scroll button, splitter, group box

void P::PaintIndicatorItem(TcxCanvas* canvas, const TRect& rect, TcxIndicatorKind kind, TColor backgroundColor,
                           const TcxDrawBackgroundEvent& onCustomDrawBackground) const {
  Standard()->PaintIndicatorItem(canvas, rect, kind, backgroundColor, onCustomDrawBackground);
}

void P::PaintProgressBar(TcxCanvas* canvas, const TRect& rect, const TRect& chunkRect,
                         const TcxViewParams& viewParams, bool frameOnly) const {
  const HTHEME theme = OpenThemeByKind(totProgress);
  if (!theme) return B::PaintProgressBar(canvas, rect, chunkRect, viewParams, frameOnly);
  DrawPart(canvas, theme, PP_BAR, 0, rect);
  DrawPart(canvas, theme, PP_CHUNK, 0, chunkRect);
}

TRect P::ProgressBarBorderWidths() const { return {3, 3, 3, 3}; }

void P::PaintScrollButtonFace(TcxCanvas* canvas, const TRect& rect, TcxButtonState state) const {
  const HTHEME theme = OpenThemeByKind(totToolBar);
  if (!theme) return B::PaintScrollButtonFace(canvas, rect, state);
  DrawPart(canvas, theme, TP_BUTTON, toolBarStates[state], rect);
}

// One pair of lines in the combo box's border colour.
void P::PaintSplitter(TcxCanvas* canvas, const TRect& rect, const TcxViewParams& viewParams, bool horizontal) const {
  const HTHEME theme = OpenThemeByKind(totComboBox);
  TColor color;
  if (!theme || !OpenThemeByKind(totListView) || !ThemeColor(theme, CP_DROPDOWNBUTTON, 1, TMT_BORDERCOLOR, color))
    return TcxStandardLookAndFeelPainter::PaintSplitter(canvas, rect, viewParams, horizontal);
  PaintSplitterLines(canvas, rect, viewParams, horizontal, {{color, color}});
}

void P::PaintGroupBoxInterior(TcxCanvas* canvas, TControl* control, const TRect& rect, TColor color1, TColor) const {
  TCanvasStateSaver saver(canvas);
  if (color1 != clDefault)
    canvas->FillRectColor(rect, color1);
  else if (control)
    PaintParentImage(control, canvas, rect, false);
}

// ---------------------------------------------------------------------------------------------
// Themed text

void P::DrawThemedText(TcxCanvas* canvas, HTHEME theme, int part, int state, const TRect& textRect,
                       TAlignment horzAlignment, TcxAlignmentVert vertAlignment, bool multiLine, bool endEllipsis,
                       bool showPrefix, const std::string& text, TFont* font, TColor textColor) const {
  if (text.empty()) return;
  static constexpr DWORD horzFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  static constexpr DWORD vertFlags[] = {DT_TOP, DT_BOTTOM, DT_VCENTER};
  TCanvasStateSaver saver(canvas);
  if (font) canvas->SetFont(font);
  canvas->GetFont()->SetColor(textColor);
  TRect r = textRect;
  // The platform centres single lines only.
  if (multiLine) {
    static constexpr TcxAlignMultiLineKind kinds[] = {amlNone, amlBottom, amlCenter};
    canvas->AlignMultiLineText(r, text, false, true, showPrefix, true, kinds[vertAlignment]);
  }
  DWORD flags = horzFlags[horzAlignment] | DT_EDITCONTROL | vertFlags[vertAlignment];
  if (endEllipsis) flags |= DT_END_ELLIPSIS;
  if (!showPrefix) flags |= DT_NOPREFIX;
  flags |= multiLine ? DT_WORDBREAK : DT_SINGLELINE;
  const RECT rr = r;
  UxDrawThemeTextAnsi(theme, canvas->GetHandle(), part, state, text, -1, flags, 0, &rr);
}
