#include "cxLookAndFeelPainters.h"

#include <commctrl.h>

#include "cxLookAndFeelPaintersShared.h"

CX_IMPLEMENT_PAINTER(TcxCustomLookAndFeelPainter, TClassOperations)
CX_IMPLEMENT_PAINTER(TcxStandardLookAndFeelPainter, TcxCustomLookAndFeelPainter)
CX_IMPLEMENT_PAINTER(TcxFlatLookAndFeelPainter, TcxCustomLookAndFeelPainter)
CX_IMPLEMENT_PAINTER(TcxUltraFlatLookAndFeelPainter, TcxCustomLookAndFeelPainter)
CX_IMPLEMENT_PAINTER(TcxOffice11LookAndFeelPainter, TcxUltraFlatLookAndFeelPainter)
CX_IMPLEMENT_PAINTER(TcxWinXPLookAndFeelPainter, TcxStandardLookAndFeelPainter)
CALDERAN_IMPLEMENT_CLASS(TcxExtendedStylePainterInfo, TObject)
CALDERAN_IMPLEMENT_CLASS(TcxExtendedStylePainters, TcxObjectList)


TcxLookAndFeelKind KindOfDrawingStyle(int style) {
  switch (style) {
    case 0: return lfFlat;
    case 2: return lfUltraFlat;
    case 4: return lfOffice11;
    default: return lfStandard;
  }
}

TcxArrowDirection ScrollBarArrowDirection(bool horizontal, TcxScrollBarPart part) {
  if (horizontal) return part == sbpLineUp ? adLeft : adRight;
  return part == sbpLineUp ? adUp : adDown;
}

using P = TcxCustomLookAndFeelPainter;

// ---------------------------------------------------------------------------------------------
// Metrics and bounds

TRect P::FooterCellContentBounds(const TRect& rect) const {
  TRect r = rect;
  r.Inflate(-FooterCellBorderWidth(), -FooterCellBorderWidth());
  return r;
}

TRect P::FooterCellTextBounds(const TRect& rect) const {
  TRect r = FooterCellContentBounds(rect);
  r.Inflate(-2, -2);
  return r;
}

int P::DrawingStyle() const { return 1; }

// ---------------------------------------------------------------------------------------------
// Colours

TColor P::ContentColor() const { return clWindow; }
TColor P::ContentEvenColor() const { return ContentColor(); }
TColor P::ContentOddColor() const { return ContentColor(); }
TColor P::ContentTextColor() const { return clWindowText; }
TColor P::EditorBackgroundColor(bool) const { return clDefault; }
TColor P::EditorTextColor(bool) const { return clDefault; }
TColor P::FilterPanelColor() const { return clBtnShadow; }
TColor P::FilterPanelTextColor() const { return clBtnHighlight; }
TColor P::FixedLineColor() const { return clBtnText; }
TColor P::AuxColor01() const { return clBtnFace; }
TColor P::AuxColor02() const { return clBtnText; }
TColor P::GridLineColor() const { return clBtnShadow; }
TColor P::GroupPanelColor() const { return clBtnShadow; }
TColor P::GroupPanelTextColor() const { return clBtnFace; }
TColor P::GroupRowColor() const { return clBtnFace; }
TColor P::GroupRowTextColor() const { return clBtnText; }
TColor P::HeaderBackgroundColor() const { return clBtnShadow; }
TColor P::HeaderBackgroundTextColor() const { return clBtnFace; }
TColor P::HeaderColor() const { return clBtnFace; }
TColor P::HeaderTextColor() const { return clBtnText; }
TColor P::AuxColor03() const { return clBlue; }
TColor P::AuxColor04() const { return clBtnFace; }
TColor P::AuxColor05() const { return clBtnText; }
TColor P::AuxColor06() const { return clBlue; }
TColor P::FixedGridLineColor() const { return GridLineColor(); }
TColor P::FormContentColor() const { return clBtnFace; }
TColor P::CategoryColor() const { return HeaderColor(); }
TColor P::CategoryTextColor() const { return clDefault; }
TColor P::VerticalGridLineColor() const { return clBlack; }
TColor P::BandBorderColor() const { return VerticalGridLineColor(); }
TColor P::AuxColor07() const { return clBtnFace; }
TColor P::HighlightColor() const { return clHighlight; }
TColor P::HighlightTextColor() const { return clHighlightText; }
TColor P::AuxColor08() const { return clWindow; }
TColor P::AuxColor09() const { return clWindowText; }
TColor P::SchedulerBorderLineColor() const { return 0x009D9DA1; }
TColor P::AuxColor10() const { return clBtnFace; }
TColor P::NavigatorColor() const { return clBtnFace; }
TColor P::AuxColor11() const { return 0x00D5FFFF; }
TColor P::AuxColor12() const { return SelectionTextColor(); }
TColor P::AppointmentTextColor() const { return clWindowText; }
TColor P::SelectionColor() const { return clHighlight; }
TColor P::SelectionTextColor() const { return clHighlightText; }
TColor P::CardSeparatorColor() const { return clBtnFace; }
TColor P::AuxColor13() const { return clBtnFace; }
TColor P::AuxColor14() const { return clBtnText; }
TColor P::AuxColor15() const { return clBtnFace; }
TColor P::AuxColor16() const { return clWhite; }
TColor P::AuxColor17() const { return clBlack; }
TColor P::AuxColor18() const { return clBtnFace; }
TColor P::AuxColor19() const { return clBtnText; }
TColor P::AuxColor20() const { return clWhite; }
TColor P::AuxColor21() const { return clBlack; }
TColor P::AuxColor22() const { return clBlack; }
TColor P::AuxColor23() const { return clBlack; }
TColor P::AuxColor24() const { return 0x00CFCFCF; }
TColor P::AuxColor25() const { return clWhite; }
TColor P::AuxColor26() const { return clBtnShadow; }
TColor P::AuxColor27() const { return 0x00F0CAA6; }
TColor P::AuxColor28() const { return clNavy; }
TColor P::AuxColor29() const { return clBtnShadow; }
TColor P::AuxColor30() const { return clBtnShadow; }

// ---------------------------------------------------------------------------------------------
// Border, buttons, check boxes

int P::BorderWidth() const { return 0; }
TRect P::GroupButtonBounds(const TRect& rect, int, int) const { return rect; }
int P::ButtonBorderWidth(TcxButtonState) const { return 0; }
TColor P::ButtonColor(TcxButtonState) const { return clBtnFace; }

TRect P::ButtonFocusBounds(TcxCanvas*, const TRect& rect) const {
  TRect r = rect;
  r.Inflate(-4, -4);
  return r.IsEmpty() ? rect : r;
}

TRect P::ButtonGroupBorderWidths(int, int) const {
  const int w = ButtonBorderWidth(cxbsNormal);
  return {w, w, w, w};
}

int P::ButtonTextInset() const { return 0; }
int P::ButtonPressedShift() const { return 0; }

TColor P::ButtonGlyphColor(TcxButtonState state, TColor color) const {
  if (state == cxbsDisabled) return clBtnShadow;
  return color == clDefault ? clBtnText : color;
}

TcxButtonState P::ButtonGlyphState(TcxButtonState state) const { return state; }
bool P::ExpandButtonFlag() const { return true; }
int P::ExpandButtonExtent() const { return 0; }
int P::GroupExpandButtonExtent() const { return 15; }
bool P::HasHotButtons() const { return false; }
bool P::HitTestGroupExpandButton(const TRect& rect, TPoint point) const { return rect.Contains(point); }
int P::SmallExpandButtonExtent() const { return 9; }
int P::CheckBoxBorderWidth() const { return 2; }

TColor P::CheckBoxColor(TcxButtonState state) const {
  return state == cxbsPressed || state == cxbsDisabled ? clBtnFace : clWindow;
}

// ---------------------------------------------------------------------------------------------
// Headers

TcxBorders P::HeaderDrawnBorders(TcxBorders) const { return cxBordersAll; }
int P::HeaderBorderWidth() const { return 0; }

TRect P::HeaderOuterBounds(const TRect& rect, TcxBorders neighbors, TcxBorders borders) const {
  TRect r = rect;
  const TcxBorders outward = borders - HeaderDrawnBorders(neighbors);
  const int w = HeaderBorderWidth();
  if (outward.Contains(bLeft)) r.Left -= w;
  if (outward.Contains(bTop)) r.Top -= w;
  if (outward.Contains(bRight)) r.Right += w;
  if (outward.Contains(bBottom)) r.Bottom += w;
  return r;
}

TRect P::HeaderContentBounds(const TRect& rect, TcxBorders borders) const {
  TRect r = rect;
  const int w = HeaderBorderWidth();
  if (borders.Contains(bLeft)) r.Left += w;
  if (borders.Contains(bTop)) r.Top += w;
  if (borders.Contains(bRight)) r.Right -= w;
  if (borders.Contains(bBottom)) r.Bottom -= w;
  return r;
}

bool P::IsHeaderHotTrackable() const { return true; }
int P::HeaderHeight(int textHeight) const { return textHeight + 2 * HeaderBorderWidth() + 4; }
int P::HeaderSectionBorderWidth(TcxButtonState) const { return 1; }

TRect P::HeaderSectionTextBounds(const TRect& rect, TcxButtonState state) const {
  TRect r = rect;
  if (state == cxbsPressed) r.Offset(1, 1);
  return r;
}

TRect P::HeaderSectionContentBounds(const TRect& rect, TcxButtonState state) const {
  TRect r = rect;
  r.Inflate(-HeaderSectionBorderWidth(state), -HeaderSectionBorderWidth(state));
  return r;
}

bool P::IsHeaderBackgroundTransparent() const { return false; }
TPoint P::SortMarkAreaSize() const { return {16, SortMarkExtent().Y}; }
TPoint P::SortMarkExtent() const { return {0, 0}; }
TcxBorders P::HeaderAreaBorders() const { return cxBordersAll; }

// ---------------------------------------------------------------------------------------------
// Footer, filter, popup, tabs, indicator, scroll bar

int P::FooterBorderWidth() const { return 0; }
int P::FooterCellBorderWidth() const { return 0; }
int P::FooterCellSpacing() const { return 0; }
bool P::IsFooterCellFramed() const { return true; }
TColor P::FooterSeparatorColor() const { return clBtnShadow; }
int P::FooterSeparatorWidth() const { return 1; }
TPoint P::FilterActivateButtonExtent() const { return {13, 13}; }
TPoint P::FilterCloseButtonExtent() const { return {16, 14}; }
TPoint P::FilterDropDownButtonExtent() const { return {15, 0}; }
int P::PopupBorderKind() const { return 1; }
bool P::IsTabPaintingImplemented(bool) const { return false; }
bool P::IsTabHotTrackable(bool) const { return false; }
int P::TabBorderWidth(bool) const { return 0; }
bool P::IndicatorItemsFirst() const { return true; }
int P::ScrollBarMinThumbLength(bool) const { return 8; }
TSize P::SizeGripSize() const { return {GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)}; }
TColor P::SizeGripAreaColor() const { return clBtnFace; }

// ---------------------------------------------------------------------------------------------
// Navigation buttons, progress bar, editor buttons, group box, track bar

void P::NavigationButtonLayout(TcxNavigationButtonDirection direction, bool withoutText, TSize size1, TSize size2,
                               TRect& bounds, TRect& textRect, TRect& glyphRect) const {
  TRect margins;
  TSize glyph;
  NavigationButtonMetrics(direction, margins, glyph);
  const int g = 3 * glyph.cy;
  if (withoutText) {
    textRect = TRect();
    bounds.Top = (bounds.Top + bounds.Bottom - margins.Top - margins.Bottom - g) / 2;
    bounds.Bottom = bounds.Top + g + margins.Top + margins.Bottom;
    glyphRect = Bounds((bounds.Left + bounds.Right - glyph.cx) / 2, (bounds.Top + bounds.Bottom - glyph.cy) / 2,
                       glyph.cx, glyph.cy);
    return;
  }
  const TRect inner(bounds.Left + margins.Left, bounds.Top + margins.Top, bounds.Right - margins.Right,
                    bounds.Bottom - margins.Bottom);
  glyphRect = Bounds((inner.Left + inner.Right - glyph.cx) / 2, inner.Top + (g - glyph.cy) / 2, glyph.cx, glyph.cy);
  textRect = TRect(inner.Left, inner.Top + g + 5, inner.Right, inner.Bottom - 2 * glyph.cy);
  // The text runs along the button, so a text's width is the height it needs.
  const int d = std::max(size1.cx, size2.cx) - textRect.Height();
  if (d > 0) {
    glyphRect.Offset(0, -d);
    textRect.Top -= d;
    textRect.Bottom += d;
    bounds.Top -= d;
    bounds.Bottom += d;
  }
}

TRect P::ProgressBarBorderWidths() const { return {2, 2, 2, 2}; }

void P::NavigationButtonMetrics(TcxNavigationButtonDirection direction, TRect& margins, TSize& glyphSize) const {
  margins = direction == nbdPrevious ? TRect(0, 6, 2, 6) : TRect(2, 6, 0, 6);
  glyphSize = {7, 7};
}

int P::AuxMetric() const { return 1; }
int P::EditorButtonInset() const { return 0; }
TSize P::EditorButtonSize() const { return {0, 0}; }
TColor P::EditorButtonTextColor() const { return clDefault; }
TColor P::ContainerBorderColor(bool) const { return clDefault; }
TSize P::NavigatorGlyphSize() const { return {0, 0}; }
TRect P::ProgressBarContentOffsets(bool) const { return {0, 0, 0, 0}; }
TColor P::ProgressBarTextColor() const { return clDefault; }
TRect P::GroupBoxBorderWidths(bool, TcxGroupBoxCaptionPosition) const { return {0, 0, 0, 0}; }
TColor P::GroupBoxCaptionTextColor(TcxGroupBoxCaptionPosition) const { return clDefault; }
bool P::IsGroupBoxTransparent(bool, TcxGroupBoxCaptionPosition) const { return false; }
TRect P::AuxOffsets() const { return {0, 0, 0, 0}; }
TColor P::AuxColor31() const { return clDefault; }
TSize P::TrackBarThumbSize(bool) const { return {0, 0}; }
TColor P::AuxColor32(TcxButtonState) const { return clDefault; }
int P::TrackBarTrackWidth() const { return 0; }
TSize P::SplitterElementSize(bool) const { return {0, 0}; }

// ---------------------------------------------------------------------------------------------
// The registry of named skin painters

namespace {

TcxExtendedStylePainters* extendedStylePainters = nullptr;

// Equal length and equal after folding ASCII letters only.
bool SameTextAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

int CompareByName(void* item1, void* item2) {
  const std::string& a = static_cast<TcxExtendedStylePainterInfo*>(item1)->Name;
  const std::string& b = static_cast<TcxExtendedStylePainterInfo*>(item2)->Name;
  return CompareStringA(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) - CSTR_EQUAL;
}

}  // namespace

TcxExtendedStylePainters* ExtendedStylePainters() { return extendedStylePainters; }

int TcxExtendedStylePainters::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameTextAscii(Names(i), name)) return i;
  return -1;
}

bool TcxExtendedStylePainters::Register(const std::string& name, TcxCustomLookAndFeelPainterClass painter,
                                        TObject* data) {
  if (IndexOfName(name) >= 0) return false;
  Add(new TcxExtendedStylePainterInfo(data, name, painter));
  Sort(CompareByName);
  NotifyPainterListeners(painter);
  return true;
}

bool TcxExtendedStylePainters::Unregister(const std::string& name) {
  const int index = IndexOfName(name);
  if (index < 0) return false;
  TcxExtendedStylePainterInfo* item = Items(index);
  Delete(index);
  NotifyPainterListeners(item->Painter);
  delete item;
  return true;
}

bool TcxExtendedStylePainters::FindPainterByName(const std::string& name,
                                                 TcxCustomLookAndFeelPainterClass& painter) const {
  const int index = IndexOfName(name);
  if (index < 0) return false;
  painter = Painters(index);
  return true;
}

bool TcxExtendedStylePainters::FindNameByPainter(TcxCustomLookAndFeelPainterClass painter, std::string& name) const {
  name.clear();
  for (int i = 0; i < Count(); ++i)
    if (Painters(i) == painter) {
      name = Names(i);
      return true;
    }
  return false;
}

bool TcxExtendedStylePainters::FindDataByPainter(TcxCustomLookAndFeelPainterClass painter, TObject*& data) const {
  data = nullptr;
  for (int i = 0; i < Count(); ++i)
    if (Painters(i) == painter) {
      data = Items(i)->Data;
      return true;
    }
  return false;
}

void TcxExtendedStylePainters::AddPainterListener(IcxSkinPainterListener* listener) {
  for (IcxSkinPainterListener* l : listeners_)
    if (l == listener) return;
  listeners_.push_back(listener);
}

void TcxExtendedStylePainters::RemovePainterListener(IcxSkinPainterListener* listener) {
  for (auto it = listeners_.begin(); it != listeners_.end(); ++it)
    if (*it == listener) {
      listeners_.erase(it);
      return;
    }
}

// Last to first: a listener that leaves the list while it is told does not disturb the walk.
void TcxExtendedStylePainters::NotifyPainterListeners(TcxCustomLookAndFeelPainterClass painter) {
  for (size_t i = listeners_.size(); i > 0; --i) {
    if (i > listeners_.size()) continue;
    listeners_[i - 1]->SkinPainterChanged(painter);
  }
}

// ---------------------------------------------------------------------------------------------
// Module start-up

namespace {

void StartPainters() {
  extendedStylePainters = new TcxExtendedStylePainters;
  StartPainterResources();
}

void StopPainters() {
  StopPainterResources();
  delete extendedStylePainters;
  extendedStylePainters = nullptr;
}

}  // namespace

constinit const TUnitInfo cxLookAndFeelPaintersUnit{"cxLookAndFeelPainters", StartPainters, StopPainters};
