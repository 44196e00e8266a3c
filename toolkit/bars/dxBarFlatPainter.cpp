#include "dxBarFlatPainter.h"

#include "dxBarControl.h"
#include "dxBarDrawRoutines.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"
#include "dxBarSizeGrip.h"
#include "dxOffice11.h"

DX_IMPLEMENT_BAR_PAINTER(TdxBarFlatPainter, TdxBarPainter)

namespace {
void FillSys(HDC dc, const TRect& rect, int index) { FillRect(dc, rect.Win(), GetSysColorBrush(index)); }

// A one-pixel pen line, end point excluded.
void PenLine(HDC dc, TColor color, int x1, int y1, int x2, int y2) {
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(color));
  HGDIOBJ old = SelectObject(dc, pen);
  POINT last{};
  MoveToEx(dc, x1, y1, &last);
  LineTo(dc, x2, y2);
  MoveToEx(dc, last.x, last.y, nullptr);
  SelectObject(dc, old);
  DeleteObject(pen);
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// Flags and metrics.

int TdxBarFlatPainter::GetHalfFontHeight(TdxBarItemControl* control) const {
  if (control->IsInMainMenu() && control->Parent()->IsMainMenu()) return 8;
  return TdxBarPainter::GetHalfFontHeight(control);
}

int TdxBarFlatPainter::GetMenuItemExtraWidth(TdxBarItemControl* control) const {
  return control->GetPaintType() == ptMenu ? control->Parent()->TextSize() + 3 : 0;
}

int TdxBarFlatPainter::GetDragHandleSize(TCustomdxBarControl* bar) const {
  return GetDragHandleWidth(bar) + GetDragHandleLeft() + 2;
}

int TdxBarFlatPainter::GetButtonArrowWidth(TdxBarManager* manager) const {
  return TdxBarPainter::GetButtonArrowWidth(manager) - 1;
}

int TdxBarFlatPainter::GetLargeButtonArrowWidth(TdxBarManager* manager) const {
  return TdxBarPainter::GetLargeButtonArrowWidth(manager) - 1;
}

int TdxBarFlatPainter::GetMenuChevronSize(int markSize) const {
  int size = (markSize - 4) / 2;
  if (size >= 5 && size % 2 != 0) --size;
  return size;
}

TRect TdxBarFlatPainter::CalcMenuGlyphRect(const TRect& rect, int iconAreaSize) const {
  TRect inner = rect;
  inner.Inflate(-1, -1);
  return TdxBarPainter::CalcMenuGlyphRect(inner, iconAreaSize - 2);
}

void TdxBarFlatPainter::CalcMenuMarkSizes(TcxCanvas* canvas, int textSize, int& markSize, int& arrowWidth) const {
  TdxBarPainter::CalcMenuMarkSizes(canvas, textSize, markSize, arrowWidth);
  const int chevron = GetMenuChevronSize(markSize - 2);
  if (chevron % 2 != 0) markSize = 2 * chevron + 4;
}

// ---------------------------------------------------------------------------------------------
// Brushes and colours.

HBRUSH TdxBarFlatPainter::GetToolbarBrush(TCustomdxBarControl* bar) const {
  return bar->BarManager()->FlatToolbarsBrush();
}

HBRUSH TdxBarFlatPainter::GetToolbarBrushOfBar(TCustomdxBarControl* bar) const {
  return bar->IsMainMenu() ? GetSysColorBrush(COLOR_BTNFACE) : GetToolbarBrush(bar);
}

HBRUSH TdxBarFlatPainter::GetDownedBrush(TCustomdxBarControl* bar) const {
  return bar->BarManager()->FlatToolbarsDownedBrush();
}

HBRUSH TdxBarFlatPainter::GetDownedSelectedBrush(TCustomdxBarControl* bar) const {
  return bar->BarManager()->FlatToolbarsDownedSelBrush();
}

HBRUSH TdxBarFlatPainter::GetSelectedBrush(TCustomdxBarControl* bar) const {
  return bar->BarManager()->FlatToolbarsSelBrush();
}

HBRUSH TdxBarFlatPainter::GetMenuBackgroundBrush(TCustomdxBarControl*) const { return GetSysColorBrush(COLOR_WINDOW); }

HBRUSH TdxBarFlatPainter::GetButtonBrush(const TdxBarItemControlDrawParams& params) const {
  if (!params.DrawSelected) return TdxBarPainter::GetButtonBrush(params);
  TCustomdxBarControl* bar = params.BarItemControl->Parent();
  TdxBarPainterClass painter = bar->GetPainter();
  if (params.DroppedDown || IsWhiteButtonFace()) return painter->GetDownedSelectedBrush(bar);
  return painter->GetSelectedBrush(bar);
}

TColor TdxBarFlatPainter::GetComboArrowColor(const TdxBarItemControlDrawParams& params) const {
  if (params.DrawSelected && (params.DroppedDown || IsWhiteButtonFace())) return clHighlightText;
  if (!params.DrawSelected && !params.Enabled) return clBtnShadow;
  return TdxBarPainter::GetComboArrowColor(params);
}

// The hot, pressed, down and dropped-down faces behind a glyph.
HBRUSH TdxBarFlatPainter::GetGlyphBackgroundBrush(TdxBarItemControl* control, const TdxBarGlyphState& state) const {
  TCustomdxBarControl* bar = control->Parent();
  TdxBarPainterClass painter = bar->GetPainter();
  if (state.DroppedDown && !state.Down) return painter->GetFlatFaceBrush(bar->BarManager());
  if (!state.DroppedDown && !state.Selected) {
    if (state.Down) return painter->GetDownedBrush(bar);
    if (control->GetPaintType() == ptMenu) return GetMenuGlyphBrush(control);
    return control->GetBackgroundBrush();
  }
  if (!state.DroppedDown && !state.Down && !state.Pressed) return painter->GetSelectedBrush(bar);
  return painter->GetDownedSelectedBrush(bar);
}

TColor TdxBarFlatPainter::GetFloatingCaptionColor(TCustomdxBarControl* bar, int) const {
  return TdxBarPainter::GetFloatingCaptionColor(bar, 0);
}

TColor TdxBarFlatPainter::GetFloatingMarkColor(TCustomdxBarControl* bar, int markState) const {
  return markState != 0 ? clBtnText : TdxBarPainter::GetFloatingMarkColor(bar, markState);
}

int TdxBarFlatPainter::GetMarkArrowColorIndex(TCustomdxBarControl* bar) const {
  return IsWhiteButtonFace() && bar->MarkState() == 1 ? COLOR_BTNFACE : COLOR_BTNTEXT;
}

bool TdxBarFlatPainter::IsItemHighlighted(TdxBarItemControl* control, bool down, bool checkMarkMode, bool selected,
                                          bool pressed) const {
  if (checkMarkMode) return TdxBarPainter::IsItemHighlighted(control, down, true, selected, pressed);
  return down || pressed || selected || TdxBarPainter::IsItemHighlighted(control, down, false, selected, pressed);
}

HBRUSH TdxBarFlatPainter::GetMenuGlyphBrush(TdxBarItemControl* control) const {
  return control->BarManager()->FlatToolbarsBrush();
}

HBRUSH TdxBarFlatPainter::GetStaticBorderBrush(TdxBarItemControl*, int) const {
  return GetSysColorBrush(COLOR_BTNSHADOW);
}

TColor TdxBarFlatPainter::GetMenuSeparatorColor() const { return GetSysColor(COLOR_BTNSHADOW); }

// ---------------------------------------------------------------------------------------------
// Drawing.

void TdxBarFlatPainter::DrawSelectionFrame(HDC dc, const TRect& rect) const {
  if (IsBlackButtonFace() || IsBlackButtonFaceNonWhiteText()) FrameDCRectWithColor(dc, *rect.Win(), clHighlightText);
  else FrameRectHighlight(dc, rect);
}

void TdxBarFlatPainter::DrawButtonSunkenFrame(HDC dc, TRect& rect) const {
  FrameRect(dc, rect.Win(), GetSysColorBrush(COLOR_BTNSHADOW));
  rect.Inflate(-1, -1);
}

// 2·scale polylines, each a pixel lower than the one before; a disabled mark starts a pixel lower.
void TdxBarFlatPainter::DrawCheckMark(TdxBarItemControl* control, HDC dc, int scale, int top, int left) const {
  const bool enabled = control->GetEnabled();
  TColor color = clBtnShadow;
  if (enabled) color = IsWhiteButtonFace() || IsBlackButtonFaceNonWhiteText() ? clWhite : clBlack;
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(color));
  HGDIOBJ old = SelectObject(dc, pen);
  POINT last{};
  MoveToEx(dc, 0, 0, &last);
  const int s = scale;
  for (int i = 0, k = enabled ? 0 : 1; i < 2 * s; ++i, ++k) {
    const POINT points[] = {{left + s, top + k + 2 * s}, {left + 3 * s, top + k + 4 * s}, {left + 8 * s, top + k - s}};
    Polyline(dc, points, 3);
  }
  MoveToEx(dc, last.x, last.y, nullptr);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void TdxBarFlatPainter::DrawGlyphFrame(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state,
                                       int paintType, const TRect& backgroundRect, bool frameRoom,
                                       HBRUSH brush) const {
  if (state.DroppedDown) {
    DrawFrameExcludingJoint(control->Parent(), dc, control->OpenSubMenu(), control, backgroundRect);
  } else if (state.Down || (state.Selected && paintType != ptMenu)) {
    DrawSelectionFrame(dc, backgroundRect);
  } else if (frameRoom) {
    const bool useBrush = state.Down || state.Selected || state.Pressed || control->IsPressed() ||
                          control->HasOwnBackgroundBrush();
    FrameItemBackground(control, dc, useBrush, brush, backgroundRect);
  }
}

void TdxBarFlatPainter::DrawButtonBackground(const TdxBarItemControlDrawParams& params, const TRect& rect,
                                             HBRUSH brush) const {
  TdxBarPainter::DrawButtonBackground(params, rect, brush);
  if (params.DroppedDown && params.PaintType != ptMenu) return;
  TRect r = rect;
  if (params.PaintType != ptMenu) r.Left -= 1;  // joined with the button part's right column
  DrawButtonFrame(params.BarItemControl, params.Canvas->GetHandle(), params.Down, params.DrawSelected,
                  params.PaintType, brush, r);
}

void TdxBarFlatPainter::DrawButtonFrame(TdxBarItemControl* control, HDC dc, bool down, bool selected, int paintType,
                                        HBRUSH, const TRect& rect) const {
  if (!selected && !down && paintType != ptMenu) FrameRect(dc, rect.Win(), control->Parent()->BkBrush());
  else if (paintType == ptMenu && !selected && down) FrameRect(dc, rect.Win(), GetSysColorBrush(COLOR_BTNSHADOW));
  else DrawSelectionFrame(dc, rect);
}

TRect TdxBarFlatPainter::JointRect(TCustomdxBarControl* bar, HDC dc, TCustomdxBarControl* subMenu) const {
  TRect joint;
  if (!subMenu || !subMenu->HandleAllocated() || !subMenu->CalcOwnerEdgeRect(joint)) return {};
  if (bar && bar->HandleAllocated()) {
    POINT origin{0, 0};
    ClientToScreen(bar->WindowHandle(), &origin);
    RECT client{};
    GetClientRect(bar->WindowHandle(), &client);
    OffsetRect(&client, origin.x, origin.y);
    RECT meet{};
    if (!IntersectRect(&meet, &client, joint.Win()) && !(joint.Height() == 1 || joint.Width() == 1)) {
      RECT window{};
      GetWindowRect(bar->WindowHandle(), &window);
      origin = {window.left, window.top};
    }
    joint.Offset(-origin.x, -origin.y);
  } else {
    POINT origin{};
    GetDCOrgEx(dc, &origin);
    joint.Offset(-origin.x, -origin.y);
  }
  return joint;
}

void TdxBarFlatPainter::DrawFrameExcludingJoint(TCustomdxBarControl* bar, HDC dc, TCustomdxBarControl* subMenu,
                                                TdxBarItemControl* control, const TRect& rect) const {
  const TRect joint = JointRect(bar, dc, subMenu);
  if (!joint.IsEmpty()) FillSubMenuJoint(bar, dc, control, joint, rect);
  HRGN saved;
  bool hadClip;
  SaveClipRegion(dc, saved, hadClip);
  if (!joint.IsEmpty()) ExcludeClipRect(dc, joint.Left, joint.Top, joint.Right, joint.Bottom);
  FrameDroppedDownItem(bar, dc, rect);
  RestoreClipRegion(dc, saved, hadClip);
}

void TdxBarFlatPainter::DrawDroppedDownItemFrame(TCustomdxBarControl* bar, HDC dc, TCustomdxBarControl* subMenu,
                                                 TdxBarItemControl* control, const TRect& rect) const {
  DrawFrameExcludingJoint(bar, dc, subMenu, control, rect);
  TRect inner = rect;
  inner.Inflate(-1, -1);
  FillRect(dc, inner.Win(), bar->GetPainter()->GetFlatFaceBrush(bar->BarManager()));
}

void TdxBarFlatPainter::FrameDroppedDownItem(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const {
  FrameRect(dc, rect.Win(), bar->BarManager()->FlatToolbarsBorderBrush());
}

void TdxBarFlatPainter::FillSubMenuJoint(TCustomdxBarControl* bar, HDC dc, TdxBarItemControl*,
                                         const TRect& jointRect, const TRect&) const {
  FillRect(dc, jointRect.Win(), bar->GetPainter()->GetFlatFaceBrush(bar->BarManager()));
}

void TdxBarFlatPainter::DrawToolbarSeparator(TCustomdxBarControl* bar, HDC dc, bool horizontal, HBRUSH brush,
                                             const TRect& rect) const {
  const int margin = GetSeparatorMargin();
  TRect line = rect;
  if (horizontal) {
    bar->FillBackground(dc, {rect.Left, rect.Top, rect.Right, rect.Top + margin}, brush, clNone, true);
    bar->FillBackground(dc, {rect.Left, rect.Bottom - margin, rect.Right, rect.Bottom}, brush, clNone, true);
    line.Inflate(0, -margin);
    line.Bottom = line.Top + 1;
  } else {
    bar->FillBackground(dc, {rect.Left, rect.Top, rect.Left + margin, rect.Bottom}, brush, clNone, true);
    bar->FillBackground(dc, {rect.Right - margin, rect.Top, rect.Right, rect.Bottom}, brush, clNone, true);
    line.Inflate(-margin, 0);
    line.Right = line.Left + 1;
  }
  FillSys(dc, line, COLOR_BTNSHADOW);
}

void TdxBarFlatPainter::DrawToolbarBorder(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const {
  TRect r = rect;
  FrameRect(dc, r.Win(), GetSysColorBrush(COLOR_BTNFACE));
  r.Inflate(-1, -1);
  for (const TPoint& p : {TPoint{r.Left, r.Top}, TPoint{r.Right - 1, r.Top}, TPoint{r.Left, r.Bottom - 1},
                          TPoint{r.Right - 1, r.Bottom - 1}})
    FillSys(dc, {p.X, p.Y, p.X + 1, p.Y + 1}, COLOR_BTNFACE);
  r.Inflate(-1, -1);
  if (bar->CanBeMoved()) DrawFlatDragHandle(bar, dc, brush, r);
}

void TdxBarFlatPainter::DrawFlatDragHandle(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& r) const {
  const int left = GetDragHandleLeft(), width = GetDragHandleWidth(bar);
  if (bar->PaintType() != ptVert) {
    for (int y = r.Top + 3, i = 0; y < r.Bottom - 3; ++y, ++i) {
      const TRect row{r.Left + left, y, r.Left + left + width, y + 1};
      if (i % 2 == 0) FillSys(dc, row, COLOR_BTNSHADOW);
      else FillRect(dc, row.Win(), brush);
    }
  } else {
    for (int x = r.Left + 3, i = 0; x < r.Right - 3; ++x, ++i) {
      const TRect column{x, r.Top + left, x + 1, r.Top + left + width};
      if (i % 2 == 0) FillSys(dc, column, COLOR_BTNSHADOW);
      else FillRect(dc, column.Win(), brush);
    }
  }
}

void TdxBarFlatPainter::DrawFloatingCloseButton(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const {
  const int state = bar->CloseButtonState();
  DrawCaptionButtonBackground(bar, dc, state, rect);
  TRect r = rect;
  r.Inflate(-3, -4);
  if (r.Width() % 2 != 0) r.Right -= 1;
  r.Bottom = r.Top + r.Width() - 1;
  const TColor color = GetFloatingMarkColor(bar, state);
  PenLine(dc, color, r.Left, r.Top, r.Right - 1, r.Bottom);
  PenLine(dc, color, r.Left + 1, r.Top, r.Right, r.Bottom);
  PenLine(dc, color, r.Left, r.Bottom - 1, r.Right - 1, r.Top - 1);
  PenLine(dc, color, r.Left + 1, r.Bottom - 1, r.Right, r.Top - 1);
}

void TdxBarFlatPainter::DrawMarkBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const {
  TRect inner = rect;
  inner.Inflate(-1, -1);
  switch (bar->MarkState()) {
    case 2:
      DrawDroppedDownItemFrame(bar, dc, nullptr, nullptr, rect);
      break;
    case 1:
      DrawSelectionFrame(dc, rect);
      FillRect(dc, inner.Win(), bar->GetPainter()->GetSelectedBrush(bar));
      break;
    default:
      FrameRect(dc, rect.Win(), brush);
      bar->FillBackground(dc, inner, brush, clNone, true);
  }
}

void TdxBarFlatPainter::DrawMDIButton(TCustomdxBarControl* bar, int kind, const TRect& rect, HDC dc,
                                      int state) const {
  static const UINT kinds[] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
  TRect inner = rect;
  inner.Inflate(-1, -1);
  if (inner.IsEmpty()) return;
  TBitmap glyph;
  glyph.SetSize(inner.Width(), inner.Height());
  RECT area{-1, -1, inner.Width() + 1, inner.Height() + 1};
  DrawFrameControl(glyph.Canvas()->Handle(), &area, DFC_CAPTION,
                   kinds[kind < 0 || kind > 2 ? 2 : kind] | DFCS_FLAT | (state == 1 ? DFCS_INACTIVE : 0));
  TdxBarPainterClass painter = bar->GetPainter();
  if (state >= 2 && state <= 4) {
    const HBRUSH brushes[] = {painter->GetSelectedBrush(bar), painter->GetDownedBrush(bar),
                              painter->GetDownedSelectedBrush(bar)};
    FillRect(dc, inner.Win(), brushes[state - 2]);
    DrawSelectionFrame(dc, rect);
  } else {
    bar->FillBackground(dc, rect, bar->BkBrush(), clNone, true);
  }
  DrawGlyphInRect(dc, inner, &glyph, true);
}

// The glyph column in the flat face colour, the text part in the menu's colour, one frame ring
// shared by both; a selected item is one selection face.
void TdxBarFlatPainter::DrawMenuItemBackground(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  TdxBarItemControl* control = params.BarItemControl;
  TCustomdxBarControl* bar = control->Parent();
  HDC dc = params.Canvas->GetHandle();
  const int iconArea = GetIconAreaSize(bar);
  const TRect g = CalcMenuGlyphRect(rect, iconArea);
  const bool useBrush = params.DrawSelected || control->IsPressed();
  HBRUSH face = control->BarManager()->FlatToolbarsBrush(), background = bar->BkBrush();
  HBRUSH selected = bar->GetPainter()->GetSelectedBrush(bar);
  if (params.DrawSelected) {
    DrawSelectionFrame(dc, rect);
  } else {
    const int x = rect.Left + iconArea + 1;
    for (const TRect& part : {TRect{rect.Left, rect.Top, x, rect.Top + 1}, TRect{rect.Left, rect.Bottom - 1, x, rect.Bottom},
                              TRect{rect.Left, rect.Top, rect.Left + 1, rect.Bottom}})
      FillItemBackground(control, dc, useBrush, face, part);
    for (const TRect& part : {TRect{x, rect.Top, rect.Right, rect.Top + 1}, TRect{x, rect.Bottom - 1, rect.Right, rect.Bottom},
                              TRect{rect.Right - 1, rect.Top, rect.Right, rect.Bottom}})
      FillItemBackground(control, dc, useBrush, background, part);
  }
  TRect r = rect;
  r.Inflate(-1, -1);
  HBRUSH column = params.DrawSelected ? selected : face;
  FillItemBackground(control, dc, useBrush, column, {g.Right, g.Top, g.Right + 2, g.Bottom});
  if (g.Top > r.Top) FillItemBackground(control, dc, useBrush, column, {g.Left, r.Top, g.Right + 2, g.Top});
  if (g.Bottom < r.Bottom) FillItemBackground(control, dc, useBrush, column, {g.Left, g.Bottom, g.Right + 2, r.Bottom});
  FillItemBackground(control, dc, useBrush, params.DrawSelected ? selected : control->GetBackgroundBrush(),
                     {g.Right + 2, r.Top, r.Right, r.Bottom});
}

void TdxBarFlatPainter::DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const {
  FillDCRectWithColor(canvas->GetHandle(), RECT{rect.Left, rect.Top, rect.Right, rect.Top + 1}, GetMenuSeparatorColor());
}

void TdxBarFlatPainter::DrawDropDownNonClient(HWND window, bool sizable, int corner, TRect& gripRect,
                                              TRect& closeRect, bool hot, bool pressed) const {
  DrawResizableDropDownNonClient(window, sizable, true, corner, gripRect, closeRect, hot, pressed);
}
