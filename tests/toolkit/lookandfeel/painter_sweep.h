// The painter sweep: every drawing part of a painter in every state, drawn into one sheet. A part
// must not crash, must leave no GDI object behind, must leave the canvas's brush, pen, font,
// clipping and saved states as they were, and must draw nothing outside its cell.
#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "lookandfeel_fixture.h"

struct TCanvasSnapshot {
  TColor BrushColor, PenColor, FontColor;
  TBrushStyle BrushStyle;
  TPenStyle PenStyle;
  int PenWidth, FontHeight, SavedDCs;
  std::string FontName;
  RECT ClipBox;
  int ClipKind;
  bool operator==(const TCanvasSnapshot& o) const {
    return BrushColor == o.BrushColor && PenColor == o.PenColor && FontColor == o.FontColor &&
           BrushStyle == o.BrushStyle && PenStyle == o.PenStyle && PenWidth == o.PenWidth &&
           FontHeight == o.FontHeight && SavedDCs == o.SavedDCs && FontName == o.FontName &&
           EqualRect(&ClipBox, &o.ClipBox) && ClipKind == o.ClipKind;
  }
};

inline TCanvasSnapshot Snapshot(TcxCanvas* c) {
  TCanvasSnapshot s{};
  s.BrushColor = c->GetBrush()->Color(), s.PenColor = c->GetPen()->Color(), s.FontColor = c->GetFont()->Color();
  s.BrushStyle = c->GetBrush()->Style(), s.PenStyle = c->GetPen()->Style(), s.PenWidth = c->GetPen()->Width();
  s.FontHeight = c->GetFont()->Height(), s.FontName = c->GetFont()->Name(), s.SavedDCs = c->SavedDCCount();
  s.ClipKind = GetClipBox(c->GetHandle(), &s.ClipBox);
  return s;
}

using TPart = std::function<void(TcxCanvas*, const TRect&, TcxButtonState)>;
using TPartList = std::vector<std::pair<const char*, TPart>>;

// The parts every painter draws, the base painter included.
inline TPartList PainterParts(TcxCustomLookAndFeelPainterClass p) {
  TcxViewParams params;
  params.Color = clInfoBk;
  params.TextColor = clInfoText;
  TPartList parts = {
      {"FillAreaBackground", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->FillAreaBackground(c, r, false, clTeal, nullptr); }},
      {"SmallDownArrow", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintSmallDownArrow(c, r, clBtnText); }},
      {"TextCell", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintTextCell(c, r, r, s, taLeftJustify, vaCenter, false, true, "Cell text", nullptr, clWindowText, clWindow, nullptr, false); }},
      {"NavigationPrevious", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintNavigationButton(c, r, Bounds(r.Left + 40, r.Top + 16, 7, 7), nbdPrevious, s); }},
      {"NavigationNext", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintNavigationButton(c, r, Bounds(r.Left + 40, r.Top + 16, 7, 7), nbdNext, s); }},
      {"SolidArrow", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->DrawSolidArrow(c, r, adLeft, clNavy); }},
      {"ArrowButton", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintArrowButton(c, r, s, adUp, true); }},
      {"ArrowButtonPlain", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintArrowButton(c, r, s, adDown, false); }},
      {"ArrowGlyph", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintArrowGlyph(c, r, s, adRight); }},
      {"Button", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintButton(c, r, "&Button", s); }},
      {"ButtonWrapped", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintButton(c, r, "Two words", s, true, clDefault, clDefault, true); }},
      {"CaptionlessButton", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintCaptionlessButton(c, r, s); }},
      {"CaptionlessGroup", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         for (int i = 0; i < 3; ++i) p->PaintCaptionlessButton(c, Bounds(r.Left + i * 28, r.Top, 28, 20), s, 3, i, clBtnShadow); }},
      {"GroupExpandButton", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintGroupExpandButton(c, r, s != cxbsHot, s); }},
      {"SmallExpandButton", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         TRect b = Bounds(r.Left + 2, r.Top + 2, 9, 9); p->PaintSmallExpandButton(c, b, s == cxbsPressed, clBtnShadow, clWindow); }},
      {"CheckMark", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintCheckMark(c, Bounds(r.Left + 2, r.Top + 2, 13, 13), s, true, clBtnText); }},
      {"CheckBox", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintCheckBox(c, Bounds(r.Left + 2, r.Top + 2, 13, 13), s, static_cast<TcxCheckBoxState>(s % 3)); }},
      {"RadioButton", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintRadioButton(c, r.Left + 2, r.Top + 2, s, s % 2 == 0, s == cxbsHot, clDefault, s == cxbsPressed); }},
      {"Header", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintHeader(c, r, r, {}, cxBordersAll, s, taCenter, vaCenter, false, false, "Header", nullptr, clBtnText, clBtnFace, nullptr); }},
      {"HeaderPressed", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintHeaderPressed(c, r); }},
      {"HeaderSection", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintHeaderSection(c, r, r, {}, cxBordersAll, s, taLeftJustify, vaTop, true, false, "Section", nullptr, clBtnText, clBtnFace); }},
      {"HeaderSeparator", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintHeaderSeparator(c, r, 3, clBtnShadow, params); }},
      {"FooterCell", [=](TcxCanvas* c, const TRect& r, TcxButtonState) {
         p->PaintFooterCell(c, r, taRightJustify, vaBottom, false, "Sum", nullptr, clWindowText, clBtnFace, nullptr); }},
      {"FooterPanel", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintFooterPanel(c, r, params); }},
      {"FooterSeparator", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintFooterSeparator(c, r); }},
      {"FilterActivate", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintFilterActivateButton(c, Bounds(r.Left, r.Top, 13, 13), s, true); }},
      {"FilterClose", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintFilterCloseButton(c, Bounds(r.Left + 2, r.Top + 2, 16, 14), s); }},
      {"WindowContent", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintWindowContent(c, r); }},
      {"IndicatorGrip", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintIndicatorGrip(c, r, clBtnShadow); }},
      {"IndicatorItem", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintIndicatorItem(c, r, static_cast<TcxIndicatorKind>(s + 1), clBtnFace, nullptr); }},
      {"IndicatorItemSimple", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintIndicatorItemSimple(c, r, static_cast<TcxIndicatorKind>(s + 2), clBtnFace, nullptr); }},
      {"SizeGrip", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintSizeGrip(c, r, clBtnFace); }},
      {"HeaderWithSideArrows", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintHeaderWithSideArrows(c, r, "Band", {}, params, s % 4, 16, nullptr); }},
      {"ProgressBar", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         TRect chunk = r; chunk.Inflate(-2, -2); chunk.Right = chunk.Left + chunk.Width() * s / 4;
         p->PaintProgressBar(c, r, chunk, params, s == cxbsDisabled); }},
      {"NavigationWithText", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintNavigationButtonWithText(c, r, nbdNext, s, "Go", TRect(r.Left + 20, r.Top + 2, r.Right - 2, r.Bottom - 2),
                                          Bounds(r.Left + 6, r.Top + 16, 7, 7)); }},
      {"Chevron", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintChevron(c, Bounds(r.Left + 4, r.Top + 4, 7, 7), nbdPrevious, clBtnText);
         p->PaintChevron(c, Bounds(r.Left + 20, r.Top + 4, 7, 7), nbdNext, clBtnText); }},
      {"ScrollButtonFace", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintScrollButtonFace(c, r, s); }},
      {"Clock", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintClock(c, r, (10 + s) / 24.0 + 8 / 1440.0 + 30 / 86400.0, clWindow); }},
  };
  return parts;
}

// The parts the base painter leaves to the looks: its drawing of them is nothing.
inline TPartList PartsLeftToTheLooks(TcxCustomLookAndFeelPainterClass p) {
  TcxViewParams params;
  params.Color = clInfoBk;
  return {
      {"Border", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintBorder(c, r); }},
      {"ButtonBorder", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintButtonBorder(c, r, s); }},
      {"StateFrame", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintStateFrame(c, r, s == cxbsHot, s == cxbsPressed); }},
      {"ExpandButton", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintExpandButton(c, r, true); }},
      {"CheckBoxBorder", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintCheckBoxBorder(c, r, s); }},
      {"HeaderBorder", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintHeaderBorder(c, r, {}, cxBordersAll); }},
      {"SortMark", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintSortMark(c, r, true); }},
      {"FilterDropDown", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintFilterDropDownButton(c, r, s, true); }},
      {"Tab", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintTab(c, r, cxBordersAll, "Tab", s, false, nullptr, clBtnText, clBtnFace); }},
      {"ScrollLineUp", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintScrollBarPart(c, false, Bounds(r.Left, r.Top, 17, 17), sbpLineUp, s); }},
      {"ScrollLineRight", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintScrollBarPart(c, true, Bounds(r.Left, r.Top, 17, 17), sbpLineDown, s); }},
      {"ScrollThumb", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintScrollBarPart(c, true, Bounds(r.Left, r.Top, 60, 17), sbpThumbnail, s); }},
      {"ScrollPages", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintScrollBarPart(c, false, Bounds(r.Left, r.Top, 17, 40), sbpPageUp, s);
         p->PaintScrollBarPart(c, false, Bounds(r.Left + 20, r.Top, 17, 40), sbpPageDown, s); }},
      {"HeaderSectionBorder", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintHeaderSectionBorder(c, r, cxBordersAll, s); }},
      {"SortMarkDescending", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintSortMark(c, r, false); }},
      {"FooterBorder", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintFooterBorder(c, r); }},
      {"FooterCellBorder", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintFooterCellBorder(c, r); }},
      {"VerticalTab", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintTab(c, Bounds(r.Left, r.Top, 24, 40), {bTop, bLeft}, "Tab", s, true, nullptr, clBtnText, clBtnFace); }},
      {"TabBorders", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) {
         for (int side = bLeft; side <= bBottom; ++side)
           p->PaintTabBorder(c, Bounds(r.Left + side * 10, r.Top, 4, 30), static_cast<TcxBorder>(side), cxBordersAll, s % 2 == 0); }},
      {"TabsRoot", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintTabsRoot(c, r, cxBordersAll, s % 2 == 0); }},
      {"Splitter", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintSplitter(c, r, params, true); }},
      {"EditorButton", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintEditorButton(c, r, cxbkComboBtn, s); }},
      {"ProgressBarChunk", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintProgressBarChunk(c, r, false); }},
      {"GroupBoxInterior", [=](TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintGroupBoxInterior(c, nullptr, r, clRed, clBlue); }},
      {"TrackBarThumb", [=](TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintTrackBarThumb(c, r, s, true, tbtmBoth); }},
  };
}

constexpr int cellWidth = 90, cellHeight = 40, margin = 4;

inline void DrawSheet(TPainterSurface& s, const TPartList& parts, bool check) {
  for (size_t row = 0; row < parts.size(); ++row)
    for (int state = cxbsDefault; state <= cxbsDisabled; ++state) {
      const TRect cell = Bounds(state * (cellWidth + margin) + margin, static_cast<int>(row) * (cellHeight + margin) + margin,
                                cellWidth, cellHeight);
      const TCanvasSnapshot before = Snapshot(s.Canvas());
      parts[row].second(s.Canvas(), cell, static_cast<TcxButtonState>(state));
      if (!check) continue;
      EXPECT_TRUE(Snapshot(s.Canvas()) == before) << parts[row].first << " state " << state << " left the canvas changed";
    }
}

inline int SheetWidth() { return 5 * (cellWidth + margin) + margin; }
inline int SheetHeight(const TPartList& parts) { return static_cast<int>(parts.size()) * (cellHeight + margin) + margin; }
