#include "PainterSheet.h"

#include "cxLookAndFeels.h"

namespace {

using P = TcxCustomLookAndFeelPainterClass;

TcxViewParams SheetViewParams() {
  TcxViewParams params;
  params.Color = clInfoBk;
  params.TextColor = clInfoText;
  return params;
}

TRect Small(const TRect& r, int size) { return Bounds(r.Left + 2, r.Top + 2, size, size); }

// A little scroll bar of five parts across the cell, every part in the row's state.
void ScrollBarRow(P p, TcxCanvas* c, const TRect& r, TcxButtonState s, bool horizontal) {
  const TRect bar = horizontal ? TRect(r.Left, r.Top + 8, r.Right, r.Top + 25) : TRect(r.Left + 30, r.Top, r.Left + 47, r.Bottom);
  const int length = horizontal ? bar.Width() : bar.Height(), a = 16, thumb = length / 4;
  const int stops[] = {0, a, a + (length - 2 * a - thumb) / 2, a + (length - 2 * a - thumb) / 2 + thumb, length - a, length};
  const TcxScrollBarPart parts[] = {sbpLineUp, sbpPageUp, sbpThumbnail, sbpPageDown, sbpLineDown};
  for (int i = 0; i < 5; ++i) {
    const TRect part = horizontal ? TRect(bar.Left + stops[i], bar.Top, bar.Left + stops[i + 1], bar.Bottom)
                                  : TRect(bar.Left, bar.Top + stops[i], bar.Right, bar.Top + stops[i + 1]);
    p->PaintScrollBarPart(c, horizontal, part, parts[i], s);
  }
}

std::vector<TSheetRow> BuildRows() {
  const TcxViewParams params = SheetViewParams();
  return {
      {"Button", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintButton(c, r, "&Button", s); }},
      {"Captionless", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintCaptionlessButton(c, r, s); }},
      {"ButtonBorder", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintButtonBorder(c, r, s); }},
      {"StateFrame", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintStateFrame(c, r, s == cxbsHot, s == cxbsPressed); }},
      {"ArrowButton", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintArrowButton(c, r, s, adUp, true); }},
      {"ArrowGlyph", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintArrowGlyph(c, r, s, adRight); }},
      {"EditorButton", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintEditorButton(c, Bounds(r.Left + 2, r.Top + 2, 18, r.Height() - 4), cxbkComboBtn, s);
         p->PaintEditorButton(c, Bounds(r.Left + 24, r.Top + 2, 18, r.Height() - 4), cxbkEllipsisBtn, s);
         p->PaintEditorButton(c, Bounds(r.Left + 46, r.Top + 2, 18, r.Height() - 4), cxbkSpinUpBtn, s); }},
      {"CheckBox", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) {
         for (int i = 0; i < 3; ++i) p->PaintCheckBox(c, Bounds(r.Left + 2 + i * 18, r.Top + 2, 13, 13), s, static_cast<TcxCheckBoxState>(i)); }},
      {"CheckBoxBorder", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintCheckBoxBorder(c, Small(r, 13), s); }},
      {"RadioButton", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintRadioButton(c, r.Left + 2, r.Top + 2, s, false, false, clDefault, false);
         p->PaintRadioButton(c, r.Left + 22, r.Top + 2, s, true, false, clDefault, false); }},
      {"ExpandButton", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintExpandButton(c, Small(r, 11), s % 2 == 0);
         p->PaintSmallExpandButton(c, Bounds(r.Left + 20, r.Top + 2, 9, 9), s == cxbsPressed, clBtnShadow, clWindow);
         p->PaintGroupExpandButton(c, Bounds(r.Left + 36, r.Top + 2, 16, 16), s != cxbsHot, s); }},
      {"Header", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintHeader(c, r, r, {}, cxBordersAll, s, taCenter, vaCenter, false, false, "Header", nullptr, clBtnText, clBtnFace, nullptr); }},
      {"HeaderSection", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintHeaderSection(c, r, r, {}, cxBordersAll, s, taLeftJustify, vaTop, true, false, "Section", nullptr, clBtnText, clBtnFace); }},
      {"SortMark", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintSortMark(c, Small(r, 12), s % 2 == 0); }},
      {"Footer", [=](P p, TcxCanvas* c, const TRect& r, TcxButtonState) {
         p->PaintFooterPanel(c, r, params);
         p->PaintFooterCell(c, TRect(r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4), taRightJustify, vaCenter, false, "Sum", nullptr,
                            clWindowText, clBtnFace, nullptr); }},
      {"Filter", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintFilterActivateButton(c, Bounds(r.Left, r.Top, 13, 13), s, true);
         p->PaintFilterCloseButton(c, Bounds(r.Left + 18, r.Top + 2, 16, 14), s);
         p->PaintFilterDropDownButton(c, Bounds(r.Left + 40, r.Top + 2, 16, 16), s, true); }},
      {"Tab", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintTab(c, r, cxBordersAll, "Tab", s, false, nullptr, clBtnText, clBtnFace); }},
      {"ScrollBar H", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) { ScrollBarRow(p, c, r, s, true); }},
      {"ScrollBar V", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) { ScrollBarRow(p, c, r, s, false); }},
      {"SizeGrip", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintSizeGrip(c, Small(r, 17), clBtnFace); }},
      {"Border", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintBorder(c, r); }},
      {"ProgressBar", [=](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) {
         TRect chunk = r;
         chunk.Inflate(-2, -2);
         chunk.Right = chunk.Left + chunk.Width() * s / 4;
         p->PaintProgressBar(c, r, chunk, params, s == cxbsDisabled); }},
      {"GroupBox", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState) {
         p->PaintGroupBoxCaption(c, TRect(r.Left, r.Top, r.Right, r.Top + 12), cxgpTop);
         p->PaintGroupBoxContent(c, TRect(r.Left, r.Top + 12, r.Right, r.Bottom), cxgpTop); }},
      {"TrackBar", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintTrackBarTrack(c, TRect(r.Left + 2, r.Top + 14, r.Right - 2, r.Top + 18), TRect(), false, s != cxbsDisabled, true);
         p->PaintTrackBarThumb(c, Bounds(r.Left + 30, r.Top + 4, 11, 22), s, true, tbtmBoth); }},
      {"Splitter", [=](P p, TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintSplitter(c, r, params, true); }},
      {"Indicator", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintIndicatorItem(c, Bounds(r.Left, r.Top, 24, r.Height()), static_cast<TcxIndicatorKind>(s + 1), clBtnFace, nullptr); }},
      {"Navigation", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintNavigationButton(c, r, Bounds(r.Left + 36, r.Top + 13, 7, 7), nbdNext, s); }},
      {"ScrollButtonFace", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) { p->PaintScrollButtonFace(c, r, s); }},
      {"WindowContent", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState) { p->PaintWindowContent(c, r); }},
      {"TextCell", [](P p, TcxCanvas* c, const TRect& r, TcxButtonState s) {
         p->PaintTextCell(c, r, r, s, taLeftJustify, vaCenter, false, true, "Cell text", nullptr, clWindowText, clWindow, nullptr, false); }},
  };
}

}  // namespace

std::vector<TSheetPainter> SheetPainters() {
  std::vector<TSheetPainter> painters = {
      {"flat", TcxFlatLookAndFeelPainter::Instance()},
      {"standard", TcxStandardLookAndFeelPainter::Instance()},
      {"ultra-flat", TcxUltraFlatLookAndFeelPainter::Instance()},
      {"office-11", TcxOffice11LookAndFeelPainter::Instance()},
      {"native", TcxWinXPLookAndFeelPainter::Instance()},
  };
  if (TcxExtendedStylePainters* skins = ExtendedStylePainters())
    for (int i = 0; i < skins->Count(); ++i) painters.push_back({skins->Names(i), skins->Painters(i)});
  return painters;
}

const std::vector<TSheetRow>& PainterSheetRows() {
  static const std::vector<TSheetRow> rows = BuildRows();
  return rows;
}

TSize PainterSheetSize(const TPainterSheetLayout& layout) {
  const int rows = static_cast<int>(PainterSheetRows().size());
  const int columns = (rows + layout.RowsPerColumn - 1) / layout.RowsPerColumn;
  return TSize(columns * layout.ColumnWidth(), std::min(rows, layout.RowsPerColumn) * layout.RowHeight() + layout.Margin);
}

void DrawPainterSheet(TcxCanvas* canvas, const TPoint& origin, P painter, const TPainterSheetLayout& layout) {
  const auto& rows = PainterSheetRows();
  for (size_t i = 0; i < rows.size(); ++i) {
    const int column = static_cast<int>(i) / layout.RowsPerColumn, row = static_cast<int>(i) % layout.RowsPerColumn;
    const TPoint rowOrigin(origin.X + column * layout.ColumnWidth(), origin.Y + row * layout.RowHeight() + layout.Margin);
    canvas->Canvas()->TextOut(rowOrigin.X + layout.Margin, rowOrigin.Y + layout.CellHeight / 2 - 7, rows[i].Name);
    for (int state = cxbsDefault; state <= cxbsDisabled; ++state) {
      const TRect cell = Bounds(rowOrigin.X + layout.LabelWidth + state * (layout.CellWidth + layout.Margin), rowOrigin.Y,
                                layout.CellWidth, layout.CellHeight);
      rows[i].Draw(painter, canvas, cell, static_cast<TcxButtonState>(state));
    }
  }
}
