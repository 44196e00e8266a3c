// The drawing operations of the ribbon skins: each element is a part or a state strip of the
// sheets; on a low-colour display most draw system colours and plain shapes instead.
#include <memory>

#include "cxLookAndFeelPainters.h"
#include "cxDWMApi.h"
#include "dxOffice11.h"
#include "dxRibbonSkins.h"

namespace {


// Restores the DC's state (clip region, selected objects) it found.
class TDCStateSaver {
 public:
  explicit TDCStateSaver(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~TDCStateSaver() { RestoreDC(dc_, saved_); }
  TDCStateSaver(const TDCStateSaver&) = delete;
  TDCStateSaver& operator=(const TDCStateSaver&) = delete;

 private:
  HDC dc_;
  int saved_;
};

void Fill(HDC dc, const TRect& r, TColor color) {
  if (!r.IsEmpty()) FillDCRectWithColor(dc, r, color);
}

enum TSide { sLeft, sTop, sRight, sBottom };

// Bands of the frame colour along the given sides (left, top, right, bottom, in that order), each
// cut off what is left, then the rest in the fill colour unless that is clNone.
void DrawFramedRect(HDC dc, TRect r, TColor fill, int width, std::initializer_list<TSide> sides, TColor frame) {
  if (r.IsEmpty()) return;
  for (TSide side : {sLeft, sTop, sRight, sBottom}) {
    if (std::find(sides.begin(), sides.end(), side) == sides.end()) continue;
    TRect band = r;
    switch (side) {
      case sLeft: band.Right = r.Left = std::min(r.Left + width, r.Right); break;
      case sTop: band.Bottom = r.Top = std::min(r.Top + width, r.Bottom); break;
      case sRight: band.Left = r.Right = std::max(r.Right - width, r.Left); break;
      case sBottom: band.Top = r.Bottom = std::max(r.Bottom - width, r.Top); break;
    }
    Fill(dc, band, frame);
  }
  if (fill != clNone) Fill(dc, r, fill);
}

constexpr std::initializer_list<TSide> AllSides = {sLeft, sTop, sRight, sBottom};

void DrawArrowGlyphLowColor(HDC dc, const TRect& r, TcxArrowDirection direction) {
  if (r.IsEmpty()) return;
  TPoint points[3];
  TcxCustomLookAndFeelPainter::CalcArrowTriangle(r, points, direction, false, 4);
  if (direction == adDown) {
    --points[0].X;
    --points[1].X;
  }
  POINT polygon[3] = {{points[0].X, points[0].Y}, {points[1].X, points[1].Y}, {points[2].X, points[2].Y}};
  HRGN region = CreatePolygonRgn(polygon, 3, WINDING);
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 0));
  FillRgn(dc, region, brush);
  DeleteObject(brush);
  DeleteObject(region);
}

int FrameOfState(int state) { return state == 2 ? 1 : state == 4 ? 2 : 0; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Parts and strips

void TdxCustomRibbonSkin::DrawPart(HDC dc, int id, const TRect& r, Byte alpha) {
  const int index = PartIndex(id);
  if (index >= 0) GetPart(index)->Draw(dc, r, alpha);
}

void TdxCustomRibbonSkin::DrawStatePart(HDC dc, int firstId, int state, const TRect& r) {
  if (state < 0 || state > 8 || PartIndex(firstId + state) < 0) return;
  if (!LowColor()) return DrawPart(dc, firstId + state, r);
  if (state == 2 || state == 6 || state == 7)
    DrawFramedRect(dc, r, clHighlight, 1, AllSides, clWhite);
  else
    DrawFramedRect(dc, r, state == 4 ? clHighlight : clBtnFace, 1, AllSides, clBtnShadow);
}

void TdxCustomRibbonSkin::DrawGlyphSquare(HDC dc, int id, const TRect& r, int offsetY) {
  const int size = id == 10088 ? 16 : 9;
  TRect square = Bounds(r.Left + (r.Width() - size) / 2, r.Top + (r.Height() - size) / 2 + offsetY, size, size);
  DrawPart(dc, id, square);
}

void TdxCustomRibbonSkin::DrawCentredWideGlyph(HDC dc, const TRect& r) {
  const int width = r.Height() * 18 / 7;
  DrawPart(dc, 10124, TRect(r.Left + (r.Width() - width) / 2, r.Top, r.Left + (r.Width() - width) / 2 + width, r.Bottom));
}

// ---------------------------------------------------------------------------------------------
// Application button and menu

void TdxCustomRibbonSkin::DrawApplicationButtonLowColor(HDC dc, const TRect& r, int state) {
  if (r.IsEmpty()) return;
  TRect e(r.Left + 1, r.Top + 1, r.Right - 2, r.Bottom - 2);
  HPEN pen = CreatePen(PS_SOLID, 3, ColorToRGB(state == 2 ? clBtnShadow : clWhite));
  HBRUSH brush = CreateSolidBrush(ColorToRGB(state != 0 ? clHighlight : clBtnFace));
  HPEN outline = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  {
    TDCStateSaver saver(dc);
    SelectObject(dc, pen);
    SelectObject(dc, brush);
    Ellipse(dc, e.Left, e.Top, e.Right, e.Bottom);
    SelectObject(dc, outline);
    SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    Ellipse(dc, e.Left, e.Top, e.Right, e.Bottom);
  }
  DeleteObject(outline);
  DeleteObject(brush);
  DeleteObject(pen);
}

void TdxCustomRibbonSkin::DrawApplicationButton(HDC dc, const TRect& r, int state) {
  if (LowColor()) return DrawApplicationButtonLowColor(dc, r, state);
  if (state >= 0 && state <= 2) DrawPart(dc, 10067 + state, r);
}

void TdxCustomRibbonSkin::DrawApplicationMenuButton(HDC dc, const TRect& r, int state) {
  if (state == 2)
    DrawStatePart(dc, 10290, 2, r);
  else
    DrawPart(dc, 10089, r);
}

void TdxCustomRibbonSkin::DrawApplicationMenuFrameLowColor(HDC dc, const TRect& r) {
  DrawFramedRect(dc, r, clMenu, 1, AllSides, clBlack);
}

void TdxCustomRibbonSkin::DrawApplicationMenuFrame(HDC dc, const TRect& r) {
  if (LowColor()) return DrawApplicationMenuFrameLowColor(dc, r);
  DrawPart(dc, 10070, r);
}

void TdxCustomRibbonSkin::DrawApplicationMenuHeader(HDC dc, const TRect& r) {
  if (LowColor()) return Fill(dc, r, clMenu);
  DrawPart(dc, 10071, r);
}

void TdxCustomRibbonSkin::DrawApplicationMenuFooter(HDC dc, const TRect& r) {
  if (LowColor()) return Fill(dc, r, clMenu);
  DrawPart(dc, 10072, r);
}

// ---------------------------------------------------------------------------------------------
// Arrows, glyphs and item parts

void TdxCustomRibbonSkin::DrawDropDownArrow(HDC dc, const TRect& r, int state) {
  if (LowColor()) return DrawArrowGlyphLowColor(dc, r, adDown);
  DrawStatePart(dc, 10218, state, r);
}

void TdxCustomRibbonSkin::DrawDownArrowGlyph(HDC dc, const TRect& r) {
  if (LowColor()) return DrawArrowGlyphLowColor(dc, r, adDown);
  DrawPart(dc, 10079, r);
}

void TdxCustomRibbonSkin::DrawRightArrowGlyph(HDC dc, const TRect& r) {
  if (LowColor()) return DrawArrowGlyphLowColor(dc, r, adRight);
  DrawPart(dc, 10080, r);
}

void TdxCustomRibbonSkin::DrawButtonGroupSeparator(HDC dc, const TRect& r, int state) {
  DrawStatePart(dc, 10344, state, r);
}

void TdxCustomRibbonSkin::DrawButtonGroupBorderLeft(HDC dc, const TRect& r) {
  if (!LowColor()) DrawPart(dc, 10084, r);
}

void TdxCustomRibbonSkin::DrawButtonGroupSplitter(HDC dc, const TRect& r, int state) {
  if (!LowColor()) DrawStatePart(dc, 10353, state, r);
}

void TdxCustomRibbonSkin::DrawButtonGroupBorderRight(HDC dc, const TRect& r) {
  if (!LowColor()) DrawPart(dc, 10085, r);
}

void TdxCustomRibbonSkin::DrawButtonGroupArrowSplitter(HDC dc, const TRect& r, int state) {
  if (!LowColor()) DrawStatePart(dc, 10362, state, r);
}

void TdxCustomRibbonSkin::DrawCollapsedGroupButton(HDC dc, const TRect& r, int state) {
  DrawStatePart(dc, 10263, state == 0 || (state >= 2 && state <= 4) ? state : 0, r);
}

void TdxCustomRibbonSkin::DrawCollapsedGroupGlyphFrame(HDC dc, const TRect& r, int state) {
  DrawStatePart(dc, 10272, state, r);
}

void TdxCustomRibbonSkin::DrawMenuFrame(HDC dc, const TRect& r) { DrawPart(dc, 10073, r); }

void TdxCustomRibbonSkin::FillPanelBackground(HDC dc, const TRect& r) { Fill(dc, r, GetElementColor(56, 0)); }

void TdxCustomRibbonSkin::DrawRightGlyphA(HDC dc, const TRect& r) {
  TRect area(r.Left, r.Top + 3, r.Right - 2, r.Bottom - 1);
  DrawPart(dc, 10123, TRect(area.Right - area.Height(), area.Top, area.Right, area.Bottom));
}

void TdxCustomRibbonSkin::DrawNarrowFrameA(HDC dc, const TRect& r) { DrawPart(dc, 10121, r); }

void TdxCustomRibbonSkin::DrawWideGlyphBelow(HDC dc, const TRect& r) {
  DrawCentredWideGlyph(dc, TRect(r.Left, r.Top + 1, r.Right, r.Bottom));
}

void TdxCustomRibbonSkin::DrawRightGlyphB(HDC dc, const TRect& r) {
  TRect area(r.Left, r.Top + 1, r.Right - 2, r.Bottom - 3);
  DrawPart(dc, 10122, TRect(area.Right - area.Height(), area.Top, area.Right, area.Bottom));
}

void TdxCustomRibbonSkin::DrawNarrowFrameB(HDC dc, const TRect& r) { DrawPart(dc, 10120, r); }

void TdxCustomRibbonSkin::DrawWideGlyphAbove(HDC dc, const TRect& r) {
  DrawCentredWideGlyph(dc, TRect(r.Left, r.Top, r.Right, r.Bottom - 1));
}

void TdxCustomRibbonSkin::DrawEditButton(HDC dc, const TRect& r, int state) { DrawStatePart(dc, 10281, state, r); }

void TdxCustomRibbonSkin::DrawSmallFrameA(HDC dc, const TRect& r) { DrawPart(dc, 10125, r); }
void TdxCustomRibbonSkin::DrawSmallFrameB(HDC dc, const TRect& r) { DrawPart(dc, 10126, r); }

// ---------------------------------------------------------------------------------------------
// Form frame and caption

void TdxCustomRibbonSkin::DrawFormBordersLowColor(HDC dc, const TRect& widths, const TRect& bounds) {
  TRect left(bounds.Left, bounds.Top, bounds.Left + widths.Left, bounds.Bottom);
  DrawFramedRect(dc, left, clBtnFace, 2, {sLeft}, clBtnHighlight);
  TRect right(bounds.Right - widths.Right, bounds.Top, bounds.Right, bounds.Bottom);
  DrawFramedRect(dc, right, clNone, 1, {sRight}, cl3DDkShadow);
  right.Right -= 1;
  DrawFramedRect(dc, right, clBtnFace, 1, {sRight}, clBtnShadow);
  Fill(dc, TRect(bounds.Left, bounds.Bottom - 1, bounds.Right, bounds.Bottom), cl3DDkShadow);
}

void TdxCustomRibbonSkin::DrawFormBorders(HDC dc, const TRect& widths, const TRect& bounds,
                                          const TdxRibbonFormData& data, int captionHeight) {
  if (bounds.IsEmpty()) return;
  if (LowColor()) return DrawFormBordersLowColor(dc, widths, bounds);
  TDCStateSaver saver(dc);  // the bottom band is kept out of the side borders only
  const int k = data.Active ? 0 : 1;
  const bool fixed = data.Border == bsSingle || data.Border == bsDialog || data.Border == bsToolWindow || data.MDIChild;
  const TRect& b = bounds;
  if (captionHeight > 0) {
    DrawPart(dc, 10004 + k, TRect(b.Left, b.Top, b.Left + widths.Left, b.Top + captionHeight));
    DrawPart(dc, 10006 + k, TRect(b.Right - widths.Right, b.Top, b.Right, b.Top + captionHeight));
  }
  if (widths.Bottom < 2) {
    DrawPart(dc, 10012 + k, TRect(b.Left + widths.Left, b.Bottom - widths.Bottom, b.Right - widths.Right, b.Bottom));
  } else {
    TRect band(b.Left, b.Bottom - widths.Bottom, b.Right, b.Bottom);
    DrawPart(dc, (fixed ? 10016 : 10014) + k, band);
    ExcludeClipRect(dc, band.Left, band.Top, band.Right, band.Bottom);
  }
  const int top = b.Top + captionHeight + widths.Top, bottom = b.Bottom - (fixed ? 0 : 1);
  DrawPart(dc, 10008 + k, TRect(b.Left, top, b.Left + widths.Left, bottom));
  DrawPart(dc, 10010 + k, TRect(b.Right - widths.Right, top, b.Right, bottom));
}

void TdxCustomRibbonSkin::DrawFormCaptionLowColor(HDC dc, const TRect& r, const TdxRibbonFormData& data) {
  TDCStateSaver saver(dc);
  TRect rest = r;
  if (data.CaptionStyle != 2) {
    for (TColor color : {clBtnHighlight, clBtnFace}) {
      TRect row(rest.Left, rest.Top, rest.Right, rest.Top + 1);
      Fill(dc, row, color);
      ExcludeClipRect(dc, row.Left, row.Top, row.Right, row.Bottom);
      ++rest.Top;
    }
  }
  Fill(dc, r, data.Active ? clActiveCaption : clInactiveCaption);
}

void TdxCustomRibbonSkin::DrawFormCaption(HDC dc, const TRect& r, const TdxRibbonFormData& data) {
  if (LowColor()) return DrawFormCaptionLowColor(dc, r, data);
  const int k = data.Active ? 0 : 1;
  if (data.State == wsMaximized) return DrawPart(dc, 10002 + k, r);
  if (data.State == wsNormal) return DrawPart(dc, 10000 + k, r);
  DrawPart(dc, 10000 + k, TRect(r.Left, r.Top, r.Right, r.Bottom - 1));
  DrawPart(dc, 10012 + k, TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
}

void TdxCustomRibbonSkin::DrawFormCaptionButtonLowColor(HDC dc, const TRect& r, int kind, int state) {
  static const UINT kinds[] = {DFCS_CAPTIONMIN, DFCS_CAPTIONMAX, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE,
                               DFCS_CAPTIONHELP};
  RECT frame{r.Left + 1, r.Top + 2, r.Right - 1, r.Bottom};
  DrawFrameControl(dc, &frame, DFC_CAPTION, kinds[std::min(std::max(kind, 0), 4)] | (state == 2 ? DFCS_PUSHED : 0));
}

void TdxCustomRibbonSkin::DrawFormCaptionButton(HDC dc, const TRect& r, int kind, int state, bool /*active*/) {
  if (LowColor()) return DrawFormCaptionButtonLowColor(dc, r, kind, state);
  if (state == 1 || state == 2) DrawPart(dc, 10019 + state, r);
  if (state == 4) DrawPart(dc, 10022, r);
  static const int glyphs[] = {10023, 10027, 10031, 10035, 10039};
  const int frame = state == 1 ? 1 : state == 2 ? 2 : state == 3 || state == 4 ? 3 : 0;
  DrawGlyphSquare(dc, glyphs[std::min(std::max(kind, 0), 4)] + frame, r, 1);
}

void TdxCustomRibbonSkin::DrawMDIButton(HDC dc, const TRect& r, int kind, int state) {
  DrawHelpButtonBackground(dc, r, state);
  const int strip = kind == 0 ? 10023 : kind == 1 ? 10031 : 10035;
  const int frame = state >= 1 && state <= 3 ? state : 0;
  DrawGlyphSquare(dc, strip + frame, r, 1);
}

void TdxCustomRibbonSkin::DrawCaptionEdgePart(HDC dc, const TRect& r, int side, int index, bool active, bool variant) {
  if (LowColor()) return Fill(dc, r, clBtnFace);
  const int strip = variant ? (side == 0 ? 10100 : 10108) : (side == 0 ? 10104 : 10112);
  DrawStatePart(dc, strip, index + (active ? 0 : 2), r);
}

void TdxCustomRibbonSkin::DrawHelpButtonBackground(HDC dc, const TRect& r, int state) {
  if (state == 1) return DrawStatePart(dc, 10290, 2, r);
  if (state == 2) return DrawStatePart(dc, 10290, 4, r);
  Fill(dc, r, GetElementColor(10065, 0));
}

void TdxCustomRibbonSkin::DrawHelpButtonGlyph(HDC dc, const TRect& r) { DrawGlyphSquare(dc, 10088, r, 0); }

// ---------------------------------------------------------------------------------------------
// Buttons, scroll buttons and panels

void TdxCustomRibbonSkin::DrawGroupScrollButton(HDC dc, const TRect& r, int direction, int state) {
  DrawPart(dc, (direction == 0 ? 10452 : 10443) + FrameOfState(state), r);
}

void TdxCustomRibbonSkin::DrawTabScrollButton(HDC dc, const TRect& r, int direction, int state) {
  DrawPart(dc, (direction == 0 ? 10434 : 10425) + FrameOfState(state), r);
}

void TdxCustomRibbonSkin::DrawFramedPanel(HDC dc, const TRect& r, int state) {
  DrawFramedRect(dc, r, GetElementColor(51, state), 1, AllSides, GetElementColor(52, state));
}

void TdxCustomRibbonSkin::DrawScrollButtonStrip(HDC dc, const TRect& r, int state, int variant) {
  if (variant >= 0 && variant <= 2) DrawStatePart(dc, 10461 + variant * 9, state, r);
}

void TdxCustomRibbonSkin::DrawLargeButton(HDC dc, const TRect& r, int state) { DrawStatePart(dc, 10317, state, r); }
void TdxCustomRibbonSkin::DrawLargeSplitButtonUpper(HDC dc, const TRect& r, int state) {
  DrawStatePart(dc, 10326, state, r);
}
void TdxCustomRibbonSkin::DrawLargeSplitButtonLower(HDC dc, const TRect& r, int state) {
  DrawStatePart(dc, 10335, state, r);
}
void TdxCustomRibbonSkin::DrawSmallButton(HDC dc, const TRect& r, int state) { DrawStatePart(dc, 10290, state, r); }
void TdxCustomRibbonSkin::DrawSmallSplitButtonMain(HDC dc, const TRect& r, int state) {
  DrawStatePart(dc, 10299, state, r);
}
void TdxCustomRibbonSkin::DrawSmallSplitButtonArrow(HDC dc, const TRect& r, int state) {
  DrawStatePart(dc, 10308, state, r);
}
void TdxCustomRibbonSkin::DrawGroupCaptionButton(HDC dc, const TRect& r, int state) {
  DrawStatePart(dc, 10407, state, r);
}
void TdxCustomRibbonSkin::DrawGroupCaptionButtonGlyph(HDC dc, const TRect& r, int state) {
  DrawStatePart(dc, 10416, state, r);
}

void TdxCustomRibbonSkin::DrawFrameButton(HDC dc, const TRect& r, int state) {
  // Five frames: a state past them draws the last.
  state = std::min(std::max(state, 0), 4);
  if (!LowColor()) return DrawPart(dc, 10043 + state, r);
  if (state == 0) return Fill(dc, r, clBtnFace);
  if (state == 2) return DrawFramedRect(dc, r, clHighlight, 1, {sLeft, sTop, sRight}, clWhite);
  DrawFramedRect(dc, r, clHighlight, 1, {sTop}, clBtnFace);
}

// ---------------------------------------------------------------------------------------------
// Menus

void TdxCustomRibbonSkin::DrawMenuCheckFrame(HDC dc, const TRect& r, int state) { DrawStatePart(dc, 10236, state, r); }
void TdxCustomRibbonSkin::DrawMenuCheckMark(HDC dc, const TRect& r, int state) { DrawStatePart(dc, 10245, state, r); }
void TdxCustomRibbonSkin::DrawMenuContentBackground(HDC dc, const TRect& r) { DrawPart(dc, 10074, r); }
void TdxCustomRibbonSkin::DrawDetachCaption(HDC dc, const TRect& r, int state) { DrawStatePart(dc, 10227, state, r); }
void TdxCustomRibbonSkin::DrawMenuGlyphColumn(HDC dc, const TRect& r) { DrawPart(dc, 10075, r); }
void TdxCustomRibbonSkin::DrawExpandButtonGlyph(HDC dc, const TRect& r) { DrawPart(dc, 10076, r); }
void TdxCustomRibbonSkin::DrawMenuSeparatorLine(HDC dc, const TRect& r) { DrawPart(dc, 10077, r); }
void TdxCustomRibbonSkin::DrawMenuGlyphColumnSeparator(HDC dc, const TRect& r) { DrawPart(dc, 10078, r); }
void TdxCustomRibbonSkin::DrawMenuScrollButton(HDC dc, const TRect& r, int state) {
  DrawStatePart(dc, 10254, state, r);
}

// ---------------------------------------------------------------------------------------------
// Progress, tips, tabs and groups

void TdxCustomRibbonSkin::FillProgressBar(HDC dc, const TRect& r) { DrawPart(dc, 10081, r); }
void TdxCustomRibbonSkin::DrawProgressBarFrame(HDC dc, const TRect& r) { DrawPart(dc, 10083, r); }
void TdxCustomRibbonSkin::DrawProgressBlock(HDC dc, const TRect& r) { DrawPart(dc, 10082, r); }
void TdxCustomRibbonSkin::DrawSpinArrowGlyph(HDC dc, const TRect& r) { DrawPart(dc, 10086, r); }
void TdxCustomRibbonSkin::DrawScreenTipBackground(HDC dc, const TRect& r) { DrawPart(dc, 10087, r); }
void TdxCustomRibbonSkin::DrawTabRowBackground(HDC dc, const TRect& r) { Fill(dc, r, GetElementColor(10065, 0)); }
void TdxCustomRibbonSkin::DrawTabRowCaptionBackground(HDC dc, const TRect& r) { DrawPart(dc, 10054, r); }

void TdxCustomRibbonSkin::DrawTabGroupBody(HDC dc, const TRect& r, int state) {
  if (LowColor()) return DrawFramedRect(dc, r, clBtnFace, 1, {sLeft, sTop, sRight}, clBtnShadow);
  DrawStatePart(dc, 10371, state, r);
}

void TdxCustomRibbonSkin::DrawTabGroupCaption(HDC dc, const TRect& r, int state) {
  if (!LowColor()) return DrawStatePart(dc, 10380, state, r);
  TDCStateSaver saver(dc);
  TRect line(r.Left + 4, r.Top, r.Right - 4, r.Top + 1);
  Fill(dc, line, clBtnShadow);
  ExcludeClipRect(dc, line.Left, line.Top, line.Right, line.Bottom);
  DrawFramedRect(dc, r, clBtnFace, 1, {sLeft, sRight, sBottom}, clBtnShadow);
}

void TdxCustomRibbonSkin::DrawMarkGlyph(HDC dc, const TRect& r, int state) {
  const int a = r.Height() / 7;
  DrawStatePart(dc, 10389, state, TRect(r.Left + 3, r.Top + 3 * a, r.Right - 3, r.Bottom - 2 * a));
}

void TdxCustomRibbonSkin::DrawMarkGlyphAlt(HDC dc, const TRect& r, int state) {
  const int a = r.Height() / 7;
  DrawStatePart(dc, 10398, state, TRect(r.Left + a + 1, r.Top + 3 * a, r.Right - a + 1, r.Bottom - 2 * a));
}

void TdxCustomRibbonSkin::DrawTabGroupsArea(HDC dc, const TRect& r) {
  if (LowColor()) return DrawFramedRect(dc, r, clBtnFace, 1, AllSides, clBtnShadow);
  DrawPart(dc, 10048, r);
}

void TdxCustomRibbonSkin::DrawTabSeparator(HDC dc, const TRect& r, Byte alpha) { DrawPart(dc, 10049, r, alpha); }

// ---------------------------------------------------------------------------------------------
// Quick access toolbar, glyphs and status panels

void TdxCustomRibbonSkin::DrawQuickAccessToolbarBackground(HDC dc, const TRect& r, bool below, bool inCaption,
                                                           bool withApplicationButton, bool active, bool noGlass) {
  if (below) return DrawPart(dc, 10053, r);
  const int h = r.Height() / 2;
  if (r.Width() < 2 * h) return;
  const int k = inCaption && !active ? 1 : 0;
  const int w = withApplicationButton ? 15 : 7;
  int leftId = (withApplicationButton ? 10059 : 10061) + k, rightId = 10063 + k;
  TRect left(r.Left, r.Top + 3, r.Left + w, r.Bottom - 4), right(left.Right, r.Top + 3, r.Right - h, r.Bottom - 4);
  if (inCaption) {
    if (IsCompositionEnabled() && !noGlass) {
      leftId = withApplicationButton ? 10055 : 10056;
      rightId = 10057;
    }
    OffsetRect(left.Win(), 0, 1);
    OffsetRect(right.Win(), 0, 1);
  }
  DrawPart(dc, leftId, left);
  DrawPart(dc, rightId, right);
}

void TdxCustomRibbonSkin::DrawSmallGlyph(HDC dc, const TRect& r) {
  if (LowColor()) return Fill(dc, r, clBtnFace);
  DrawPart(dc, 10052, r);
}

void TdxCustomRibbonSkin::DrawQuickAccessButton(HDC dc, const TRect& r, int state, bool first, bool middle, bool last) {
  DrawStatePart(dc, last || (middle && !first) ? 10209 : 10200, state, r);
}

void TdxCustomRibbonSkin::DrawQuickAccessPopupBackground(HDC dc, const TRect& r) {
  if (LowColor()) return Fill(dc, r, clBtnFace);
  DrawPart(dc, 10058, r);
}

void TdxCustomRibbonSkin::DrawPanelSeparatorA(HDC dc, const TRect& r) {
  if (LowColor()) return Fill(dc, r, clBtnFace);
  DrawPart(dc, 10090, r);
}

void TdxCustomRibbonSkin::DrawPanelSeparatorB(HDC dc, const TRect& r) {
  if (LowColor()) return Fill(dc, r, clBtnFace);
  DrawPart(dc, 10095, r);
}

void TdxCustomRibbonSkin::DrawPanelSeparatorC(HDC dc, const TRect& r, bool first) {
  if (LowColor()) return Fill(dc, r, clBtnFace);
  DrawPart(dc, first ? 10090 : 10093, r);
}

void TdxCustomRibbonSkin::DrawPanelSeparatorD(HDC dc, const TRect& r) {
  if (!LowColor()) return DrawPart(dc, 10094, r);
  Fill(dc, r, clBtnFace);
  Fill(dc, TRect(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1), clBtnShadow);
}

void TdxCustomRibbonSkin::DrawPanelSeparatorE(HDC dc, const TRect& r) {
  if (!LowColor()) return DrawPart(dc, 10096, r);
  Fill(dc, r, clBtnFace);
  Fill(dc, TRect(r.Left, r.Top, r.Left + 1, r.Bottom - 1), clBtnShadow);
}

void TdxCustomRibbonSkin::DrawSizeGripDots(HDC dc, const TRect& r) {
  if (r.IsEmpty()) return;
  PaintSizeGripDots(dc, r, GetElementColor(10098, 0), GetElementColor(10099, 0));
}

// ---------------------------------------------------------------------------------------------
// The schemes' bottom lines of the tab area

namespace {

void DrawBottomLines(HDC dc, const TRect& r, TColor first, TColor second) {
  Fill(dc, TRect(r.Left, r.Top, r.Right, r.Bottom - 1), first);
  Fill(dc, TRect(r.Left, r.Top + 1, r.Right, r.Bottom), second);
}

}  // namespace

void TdxBlueRibbonSkin::DrawAreaBottomLines(HDC dc, const TRect& r) {
  DrawBottomLines(dc, r, TColor(RGB(164, 195, 235)), TColor(RGB(213, 226, 243)));
}
void TdxBlackRibbonSkin::DrawAreaBottomLines(HDC dc, const TRect& r) {
  DrawBottomLines(dc, r, TColor(RGB(79, 79, 79)), TColor(RGB(98, 98, 98)));
}
void TdxSilverRibbonSkin::DrawAreaBottomLines(HDC dc, const TRect& r) {
  DrawBottomLines(dc, r, TColor(RGB(128, 128, 128)), TColor(RGB(235, 225, 220)));
}
