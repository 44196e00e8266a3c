// The base painter's menu drawing: the menu frame, menu items (glyph column, caption, shortcut,
// sub-menu arrow), separators and scroll buttons.
#include <algorithm>

#include "dxBarControl.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarPainter.h"

// Face-coloured top and left lines, a raised outer edge at the right and bottom, and the raised
// inner edge inside it.
void TdxBarPainter::DrawMenuFrame(TCustomdxBarControl*, HDC dc, const TRect& rect) const {
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  const RECT left{rect.Left, rect.Top, rect.Left + 1, rect.Bottom - 1};
  const RECT top{rect.Left + 1, rect.Top, rect.Right - 1, rect.Top + 1};
  FillRect(dc, &left, face);
  FillRect(dc, &top, face);
  RECT r = *rect.Win();
  DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
  TRect inner = rect;
  inner.Inflate(-1, -1);
  DrawEdge(dc, inner.Win(), BDR_RAISEDINNER, BF_RECT);
}

TRect TdxBarPainter::CalcMenuTextRect(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  TRect r = rect;
  r.Left += params.BarItemControl->Parent()->IconAreaSize() + 3;
  const int inflate = GetMenuTextInflate();
  r.Inflate(0, inflate);
  return r;
}

// A menu always keeps its glyph column; an item without an image shows its down state there as a
// check mark.
void TdxBarPainter::DrawMenuItemGlyph(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state,
                                      const TRect& rect) const {
  const TdxBarItemControlDrawParams& params = control->DrawParams();
  TdxBarGlyphPlacement placement;
  placement.ViewSize = params.ViewSize;
  placement.ViewStructure = params.ViewStructure;
  placement.PaintType = params.PaintType;
  placement.GlyphAreaSize = params.GlyphAreaSize;
  placement.WholeArea = true;
  placement.GlyphHidden = !params.ShowsGlyph() || !control->HasGlyphForSize(params.ViewSize);
  TRect glyphRect;
  DrawItemGlyphInRect(control, dc, state, placement, TRect(), rect, glyphRect);
}

void TdxBarPainter::DrawMenuItem(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  TdxBarItemControl* control = params.BarItemControl;
  TCustomdxBarControl* bar = control->Parent();
  HDC dc = params.Canvas->GetHandle();
  DrawMenuItemBackground(params, rect);
  TdxBarGlyphState state;
  state.Enabled = params.Enabled;
  state.Selected = params.DrawSelected;
  state.Down = params.Down;
  state.Pressed = params.Pressed;
  state.GreyScale = params.GreyScale;
  DrawMenuItemGlyph(control, dc, state, CalcMenuGlyphRect(rect, bar->IconAreaSize()));
  TRect textRect = CalcMenuTextRect(params, rect);
  const bool shadow = IsFlatLookOnColoredFace();
  DrawItemText(control, dc, DT_SINGLELINE, shadow, false, false, params.DrawSelected, params.Enabled, 0, textRect,
               params.Caption);
  TdxBarItemLinks* links = control->Link() ? control->Link()->Links() : nullptr;
  if (!params.ShortCut.empty() && (!links || links->GetShowShortCuts())) {
    textRect.Right -= bar->TextSize() + 5;
    DrawItemText(control, dc, DT_SINGLELINE, shadow, false, false, params.DrawSelected, params.Enabled, 2, textRect,
                 params.ShortCut);
  }
  if (params.DropDown && !params.ArrowSuppressed) DrawInlineArrow(params, rect);
}

// The band above an item that begins a group, with an etched line across its middle.
void TdxBarPainter::DrawMenuSeparator(TCustomdxBarControl* menu, TdxBarItemControl* control, const TRect& rect,
                                      TcxCanvas* canvas) const {
  TRect band = rect;
  HBRUSH brush = menu->CurrentBackgroundBrush();
  if (control && control->IsPressed()) {
    band.Right += 2;
    if (menu->GetKind() == 2) band.Left -= 1;
  }
  FillRect(canvas->GetHandle(), band.Win(), brush);
  band = rect;
  band.Inflate(-GetMenuSeparatorIndent(), -4);
  DrawMenuSeparatorLine(canvas, band);
}

// A triangle of a third of the text height pointing away from the links, on the menu's background.
void TdxBarPainter::DrawMenuScrollButton(TCustomdxBarControl* menu, TcxCanvas* canvas, const TRect& rect,
                                         bool top) const {
  HDC dc = canvas->GetHandle();
  FillRect(dc, rect.Win(), menu->BkBrush());
  const int size = GetMenuScrollArrowSize(menu->TextSize());
  if (size <= 0) return;
  const int x = (rect.Left + rect.Right) / 2;
  const int y = (rect.Top + rect.Bottom) / 2;
  POINT points[3];
  if (top) {
    points[0] = {x - size, y + size / 2};
    points[1] = {x + size, y + size / 2};
    points[2] = {x, y - size / 2 - 1};
  } else {
    points[0] = {x - size, y - size / 2};
    points[1] = {x + size, y - size / 2};
    points[2] = {x, y + size / 2 + 1};
  }
  HRGN region = CreatePolygonRgn(points, 3, WINDING);
  FillRgn(dc, region, GetSysColorBrush(COLOR_BTNTEXT));
  DeleteObject(region);
}

void TdxBarPainter::AdjustButtonWidth(TdxBarItemControl*, int&) const {}

// The standard style fills a selected menu item with the selection colour.
void TdxBarStandardPainter::DrawMenuItemBackground(const TdxBarItemControlDrawParams& params,
                                                   const TRect& rect) const {
  TCustomdxBarControl* bar = params.BarItemControl->Parent();
  HBRUSH brush = params.DrawSelected ? GetSelectedBrush(bar) : params.BarItemControl->GetBackgroundBrush();
  FillRect(params.Canvas->GetHandle(), rect.Win(), brush);
}
