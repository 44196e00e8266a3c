#include "dxBarOffice11Painter.h"

#include <vector>

#include "dxBarControl.h"
#include "dxBarDrawRoutines.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"
#include "dxOffice11.h"

DX_IMPLEMENT_BAR_PAINTER(TdxBarOffice11Painter, TdxBarFlatPainter)

namespace {
// The entries of the Office-2003 colour set this painter reads.
enum : int {
  o11ToolbarColor1 = 2, o11ToolbarColor2 = 3, o11MarkColor1 = 4, o11MarkColor2 = 7, o11ToolbarBottomLine = 10,
  o11ToolbarCorner = 11, o11MarkCornerA = 12, o11DragDotDark = 18, o11DragDotLight = 19, o11SeparatorDark = 20,
  o11SeparatorLight = 21, o11MarkArrow = 22, o11MarkArrowShadow = 23, o11FloatingCaptionFill = 26,
  o11FloatingCaption = 27, o11CaptionText = 28, o11FloatingMarkHot = 29, o11FloatingMarkPressed = 30,
  o11MenuBackground = 31, o11GlyphColumn1 = 34, o11GlyphColumn2 = 35, o11Border = 38, o11Hot = 40,
  o11HighlightFrame = 41, o11HotColor1 = 42, o11HotColor2 = 43, o11PressedColor1 = 44, o11PressedColor2 = 45,
  o11Checked = 46, o11Down = 47, o11Pressed = 48, o11Text = 51, o11DisabledText = 52, o11SelectedText = 56
};

TColor C(int entry) { return Office11Colors[entry]; }
HBRUSH B(int entry) { return Office11Brush(entry); }
bool IsVerticalBar(TCustomdxBarControl* bar) { return bar->PaintType() == ptVert; }
void FillColor(HDC dc, const TRect& r, TColor color) { FillDCRectWithColor(dc, *r.Win(), color); }
}  // namespace

// ---------------------------------------------------------------------------------------------
// Flags and metrics.

bool TdxBarOffice11Painter::HighlightsPressedButtonText() const {
  return !AreLunaSchemeColorsUsed() && TdxBarFlatPainter::HighlightsPressedButtonText();
}

bool TdxBarOffice11Painter::HasMenuShadow(TCustomdxBarControl* bar) const { return !bar->IsDocked(); }

TRect TdxBarOffice11Painter::GetSingleBorderRect(TCustomdxBarControl* bar, TdxBarDockingStyle style) const {
  if (!bar->IsMainMenu()) return TdxBarFlatPainter::GetSingleBorderRect(bar, style);
  return bar->PaintType() == ptVert ? TRect{2, 0, 2, 0} : TRect{0, 2, 0, 2};
}

void TdxBarOffice11Painter::CalcMenuMarkSizes(TcxCanvas* canvas, int textSize, int& markSize,
                                              int& arrowWidth) const {
  TdxBarFlatPainter::CalcMenuMarkSizes(canvas, textSize, markSize, arrowWidth);
  BITMAP info{};
  if (HBITMAP picture = Office11SubMenuExpandBitmap(); picture && GetObject(picture, sizeof info, &info))
    markSize = info.bmHeight + 2;
}

// ---------------------------------------------------------------------------------------------
// Brushes and colours.

HBRUSH TdxBarOffice11Painter::GetToolbarBrush(TCustomdxBarControl*) const { return B(o11MenuBackground); }
HBRUSH TdxBarOffice11Painter::GetMenuBackgroundBrush(TCustomdxBarControl*) const { return B(o11MenuBackground); }
HBRUSH TdxBarOffice11Painter::GetDownedBrush(TCustomdxBarControl*) const { return B(o11Down); }
HBRUSH TdxBarOffice11Painter::GetDownedSelectedBrush(TCustomdxBarControl*) const { return B(o11Pressed); }
HBRUSH TdxBarOffice11Painter::GetSelectedBrush(TCustomdxBarControl*) const { return B(o11Hot); }
HBRUSH TdxBarOffice11Painter::GetFlatFaceBrush(TdxBarManager*) const { return B(o11Checked); }

HBRUSH TdxBarOffice11Painter::GetMenuGlyphBrush(TdxBarItemControl* control) const {
  return control->Parent()->GetPainter()->GetToolbarBrush(control->Parent());
}

HBRUSH TdxBarOffice11Painter::GetStaticBorderBrush(TdxBarItemControl*, int) const { return B(o11Border); }
TColor TdxBarOffice11Painter::GetMenuSeparatorColor() const { return C(o11SeparatorDark); }

HBRUSH TdxBarOffice11Painter::GetButtonBrush(const TdxBarItemControlDrawParams& params) const {
  if (!params.Enabled) return GetSysColorBrush(COLOR_BTNFACE);
  TCustomdxBarControl* bar = params.BarItemControl->Parent();
  if (!params.DrawSelected) return bar->BkBrush();
  return params.DroppedDown ? GetDownedSelectedBrush(bar) : GetSelectedBrush(bar);
}

TColor TdxBarOffice11Painter::GetComboArrowColor(const TdxBarItemControlDrawParams& params) const {
  if (!params.Enabled) return C(o11DisabledText);
  if (!params.DrawSelected) return C(o11Text);
  if (IsWhiteButtonFace()) return clWhite;
  return params.DroppedDown && !AreLunaSchemeColorsUsed() ? clHighlightText : C(o11Text);
}

TColor TdxBarOffice11Painter::GetTextColor(TdxBarItemControl*, bool selected, bool flat) const {
  if (!selected || flat) return C(o11Text);
  return IsWhiteButtonFace() ? clWhite : C(o11SelectedText);
}

void TdxBarOffice11Painter::GetDisabledTextColors(TdxBarItemControl*, bool, TColor& text, TColor& shadow,
                                                  bool) const {
  text = shadow = C(o11DisabledText);
}

TColor TdxBarOffice11Painter::GetFloatingCaptionColor(TCustomdxBarControl*, int) const {
  return C(o11FloatingCaption);
}
TColor TdxBarOffice11Painter::GetFloatingCaptionTextColor(TCustomdxBarControl*) const { return C(o11CaptionText); }

TColor TdxBarOffice11Painter::GetFloatingMarkColor(TCustomdxBarControl*, int markState) const {
  if (markState == 1) return C(o11FloatingMarkHot);
  if (markState == 2) return C(o11FloatingMarkPressed);
  return C(o11CaptionText);
}

// ---------------------------------------------------------------------------------------------
// Item faces and frames.

void TdxBarOffice11Painter::GetItemFaceColors(TCustomdxBarControl* bar, bool pressedOrDown, bool selected,
                                              TColor& start, TColor& end) const {
  if (bar && bar->IsPopupBar()) {
    start = end = pressedOrDown ? C(o11Checked) : C(o11HotColor1);
  } else if (!pressedOrDown) {
    start = C(o11HotColor1), end = C(o11HotColor2);
  } else if (selected) {
    start = C(o11PressedColor2), end = C(o11PressedColor1);
  } else {
    start = C(o11PressedColor1), end = C(o11PressedColor2);
    if (start == end) start = end = C(o11Down);
  }
}

void TdxBarOffice11Painter::DrawSelectionFrame(HDC dc, const TRect& rect) const { FrameHighlightRect(dc, *rect.Win()); }

void TdxBarOffice11Painter::DrawButtonFrame(TdxBarItemControl* control, HDC dc, bool down, bool selected,
                                            int paintType, HBRUSH, const TRect& rect) const {
  if (!selected && !down && paintType != ptMenu) FrameItemBackground(control, dc, false, control->Parent()->BkBrush(), rect);
  else if (paintType == ptMenu && down && !selected) FrameRect(dc, rect.Win(), B(o11SeparatorDark));
  else FrameHighlightRect(dc, *rect.Win());
}

void TdxBarOffice11Painter::FrameDroppedDownItem(TCustomdxBarControl*, HDC dc, const TRect& rect) const {
  FrameRect(dc, rect.Win(), B(o11Border));
}

void TdxBarOffice11Painter::FillSubMenuJoint(TCustomdxBarControl* bar, HDC dc, TdxBarItemControl* control,
                                             const TRect& jointRect, const TRect& itemRect) const {
  if (!control || control->GetPaintType() == ptMenu) {
    TdxBarFlatPainter::FillSubMenuJoint(bar, dc, control, jointRect, itemRect);
    return;
  }
  const bool horizontalJoint = jointRect.Height() == 1;
  const bool beyondCentre = horizontalJoint ? jointRect.Top > (itemRect.Top + itemRect.Bottom) / 2
                                            : jointRect.Left > (itemRect.Left + itemRect.Right) / 2;
  FillColor(dc, jointRect, beyondCentre ? C(o11ToolbarColor2) : C(o11ToolbarColor1));
}

void TdxBarOffice11Painter::DrawGlyphFrame(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state,
                                           int paintType, const TRect& rect, bool frameRoom, HBRUSH brush) const {
  if ((state.CheckMarkMode && paintType == ptMenu && state.Selected && !state.Down) ||
      control->HasOwnBackgroundBrush()) {
    FillRect(dc, rect.Win(), brush);
    return;
  }
  TCustomdxBarControl* bar = control->Parent();
  const bool highlighted = state.Down || state.Selected || state.Pressed;
  const bool vertical = IsVerticalBar(bar);
  if (state.DroppedDown && !state.Down && paintType != ptMenu) {
    FillGradientRect(dc, *rect.Win(), C(o11ToolbarColor1), C(o11ToolbarColor2), !vertical);
  } else if (paintType != ptMenu && highlighted) {
    TColor start, end;
    GetItemFaceColors(bar, state.Pressed || state.Down, state.Selected, start, end);
    FillGradientRect(dc, *rect.Win(), start, end, vertical);
  } else {
    FillItemBackground(control, dc, highlighted, brush, rect);
  }
  if (state.DroppedDown) DrawFrameExcludingJoint(bar, dc, control->OpenSubMenu(), control, rect);
  else if (state.Selected && paintType != ptMenu) FrameHighlightRect(dc, *rect.Win());
  else if (state.Down) FrameRect(dc, rect.Win(), B(o11HighlightFrame));
  else if (frameRoom) FrameItemBackground(control, dc, highlighted, brush, rect);
}

void TdxBarOffice11Painter::DrawDropDownArrow(HDC dc, const TRect& rect, TColor, bool, bool selected, bool enabled,
                                              int direction) const {
  PaintOffice11Arrow(dc, *rect.Win(), direction == 1, enabled, selected);
}

void TdxBarOffice11Painter::DrawCaptionButtonBackground(TCustomdxBarControl* bar, HDC dc, int state,
                                                        const TRect& rect) const {
  if (state == 0) {
    FillColor(dc, rect, GetFloatingCaptionColor(bar, 0));
    return;
  }
  FrameHighlightRect(dc, *rect.Win());
  TRect inner = rect;
  inner.Inflate(-1, -1);
  FillColor(dc, inner, state == 1 ? C(o11HotColor1) : C(o11HotColor2));
}

// ---------------------------------------------------------------------------------------------
// Toolbars.

void TdxBarOffice11Painter::FillToolbarBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush,
                                                  const TRect& rect) const {
  if (!bar->HasBorder() || bar->IsMainMenu()) {
    TdxBarFlatPainter::FillToolbarBackground(bar, dc, brush, rect);
    return;
  }
  const bool vertical = IsVerticalBar(bar);
  TRect whole = bar->ClientRect();
  if (vertical) whole.Inflate(-1, 0);
  else whole.Inflate(0, -1);
  HRGN saved;
  bool hadClip;
  SaveClipRegion(dc, saved, hadClip);
  IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
  FillTwoPhaseGradientRect(dc, *whole.Win(), C(o11ToolbarColor1), C(o11ToolbarColor2), vertical);
  RestoreClipRegion(dc, saved, hadClip);
}

void TdxBarOffice11Painter::DrawToolbarSeparator(TCustomdxBarControl* bar, HDC dc, bool horizontal, HBRUSH brush,
                                                 const TRect& rect) const {
  FillToolbarBackground(bar, dc, brush, rect);
  const int margin = GetSeparatorMargin();
  TRect r = rect;
  if (horizontal) {
    r.Inflate(0, -margin);
    FillColor(dc, {r.Left + 3, r.Top, r.Right - 4, r.Top + 1}, C(o11SeparatorDark));
    FillColor(dc, {r.Left + 4, r.Top + 1, r.Right - 3, r.Top + 2}, C(o11SeparatorLight));
  } else {
    r.Inflate(-margin, 0);
    FillColor(dc, {r.Left, r.Top + 3, r.Left + 1, r.Bottom - 4}, C(o11SeparatorDark));
    FillColor(dc, {r.Left + 1, r.Top + 4, r.Left + 2, r.Bottom - 3}, C(o11SeparatorLight));
  }
}

// The toolbar over its dock: a two-pixel dock band at the leading side, the gradient body, the
// bottom shadow line and rounded corners in the corner colour; then the dotted drag handle.
void TdxBarOffice11Painter::DrawToolbarBorder(TCustomdxBarControl* bar, HDC dc, HBRUSH brush,
                                              const TRect& rect) const {
  const bool vertical = IsVerticalBar(bar);
  HBRUSH dock = bar->BkBrush();
  if (bar->IsMainMenu()) {
    if (vertical) {
      bar->FillBackground(dc, {rect.Left, rect.Top, rect.Left + 2, rect.Bottom}, dock, clNone, true);
      bar->FillBackground(dc, {rect.Right - 2, rect.Top, rect.Right, rect.Bottom}, dock, clNone, true);
    } else {
      bar->FillBackground(dc, {rect.Left, rect.Top, rect.Right, rect.Top + 2}, dock, clNone, true);
      bar->FillBackground(dc, {rect.Left, rect.Bottom - 2, rect.Right, rect.Bottom}, dock, clNone, true);
    }
  } else if (bar->HasBorder()) {
    const int L = rect.Left + 2, T = rect.Top + 1, R = rect.Right, B = rect.Bottom;
    bar->FillBackground(dc, {rect.Left, rect.Top, L, B}, dock, clNone, true);
    bar->FillBackground(dc, {L, rect.Top, R, T}, dock, clNone, true);
    FillToolbarBackground(bar, dc, brush, {L, T, R, B - 1});
    FillColor(dc, {L + 2, B - 1, R - 2, B}, C(o11ToolbarBottomLine));
    for (const TPoint& p : {TPoint{L, T}, TPoint{R - 1, T}, TPoint{L, B - 1}, TPoint{R - 1, B - 1}, TPoint{L + 1, B - 1},
                            TPoint{R - 2, B - 1}})
      bar->FillBackground(dc, {p.X, p.Y, p.X + 1, p.Y + 1}, dock, clNone, true);
    FillColor(dc, {L + 1, B - 3, L + 2, B - 2}, C(o11ToolbarCorner));
    FillColor(dc, {R - 2, B - 2, R - 1, B - 1}, C(o11ToolbarCorner));
  }
  if (!bar->CanBeMoved()) return;
  TRect r = rect;
  r.Inflate(-2, -2);
  const int left = GetDragHandleLeft(), width = GetDragHandleWidth(bar);
  if (vertical) DrawDragHandle(bar, dc, false, {r.Left + 3, r.Top + left, r.Right - 3, r.Top + left + width});
  else DrawDragHandle(bar, dc, true, {r.Left + left, r.Top + 3, r.Left + left + width, r.Bottom - 3});
}

void TdxBarOffice11Painter::DrawDragHandle(TCustomdxBarControl*, HDC dc, bool horizontal, const TRect& rect) const {
  PaintGripDots(dc, *rect.Win(), horizontal, B(o11DragDotDark), B(o11DragDotLight));
}

void TdxBarOffice11Painter::DrawMarkBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush,
                                               const TRect& rect) const {
  const int state = bar->MarkState();
  const TColor color1 = C(o11MarkColor1 + state), color2 = C(o11MarkColor2 + state);
  if (!bar->HasBorder() || bar->IsMainMenu()) {
    FillTwoPhaseGradientRect(dc, *rect.Win(), color1, color2, IsVerticalBar(bar));
    return;
  }
  TRect gradient = rect;
  if (IsVerticalBar(bar)) {
    bar->FillBackground(dc, {rect.Left, rect.Top, rect.Right, rect.Top + 2}, brush, clNone, true);
    gradient.Top += 2;
    gradient.Inflate(2, 0);
  } else {
    bar->FillBackground(dc, {rect.Left, rect.Top, rect.Left + 2, rect.Bottom}, brush, clNone, true);
    gradient.Left += 2;
    gradient.Inflate(0, 2);
  }
  HRGN saved;
  bool hadClip;
  SaveClipRegion(dc, saved, hadClip);
  IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
  FillTwoPhaseGradientRect(dc, *gradient.Win(), color1, color2, IsVerticalBar(bar));
  RestoreClipRegion(dc, saved, hadClip);
  const TColor bar2 = GradientColorAt(*bar->ClientRect().Win(), 2, C(o11ToolbarColor1), C(o11ToolbarColor2), false);
  FillColor(dc, {rect.Left + 1, rect.Top, rect.Left + 2, rect.Top + 1},
            BlendColorsPercent(C(o11MarkCornerA + state), bar2, 50));
}

// Each glyph twice: a pixel right and down in the shadow colour, then in place.
void TdxBarOffice11Painter::DrawMark(TCustomdxBarControl* bar, HDC dc, int, const TRect& rect) const {
  const bool plain = !bar->HasBorder() || bar->IsMainMenu();
  const int a = plain ? 2 : 0, b = plain ? 1 : 0;
  const bool vertical = IsVerticalBar(bar);
  for (int pass = 0; pass < 2; ++pass) {
    const int d = pass == 0 ? 1 : 0;
    const TColor color = pass == 0 ? C(o11MarkArrowShadow) : C(o11MarkArrow);
    auto polygon = [&](std::initializer_list<POINT> points) {
      std::vector<POINT> p(points);
      for (POINT& q : p) q.x += d, q.y += d;
      DrawFilledPolygon(dc, p.data(), static_cast<int>(p.size()), color, color);
    };
    if (!vertical) {
      const int x = rect.Right - a - 6, y = rect.Bottom - b - 8;
      polygon({{x, y}, {x + 4, y}, {x + 4, y}, {x, y}});
      polygon({{x, y + 3}, {x + 4, y + 3}, {x + 2, y + 5}});
      if (!bar->HasHiddenItems()) continue;
      for (int cx : {rect.Right - a - 7 - 4, rect.Right - a - 7}) {
        const int cy = rect.Top - b + 3;
        polygon({{cx, cy}, {cx + 1, cy + 1}, {cx, cy + 2}});
      }
    } else {
      const int x = rect.Right - b - 8, y = rect.Bottom - a - 6;
      polygon({{x, y}, {x, y + 4}, {x, y + 4}, {x, y}});
      polygon({{x + 3, y}, {x + 3, y + 4}, {x + 5, y + 2}});
      if (!bar->HasHiddenItems()) continue;
      for (int cy : {rect.Bottom - b - 7 - 4, rect.Bottom - b - 7}) {
        const int cx = rect.Left - a + 3;
        polygon({{cx, cy}, {cx + 1, cy + 1}, {cx + 2, cy}});
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Menus.

// As the flat look, but an unselected item shows the menu's own background (its glyph-column
// gradient included): everything is filled with the menu's brush, the selected brush when selected.
void TdxBarOffice11Painter::DrawMenuItemBackground(const TdxBarItemControlDrawParams& params,
                                                   const TRect& rect) const {
  TdxBarItemControl* control = params.BarItemControl;
  TCustomdxBarControl* bar = control->Parent();
  HDC dc = params.Canvas->GetHandle();
  const bool selected = params.DrawSelected;
  HBRUSH brush = selected ? GetSelectedBrush(bar) : bar->BkBrush();
  if (selected) {
    DrawSelectionFrame(dc, rect);
    TRect inner = rect;
    inner.Inflate(-1, -1);
    FillRect(dc, inner.Win(), brush);
    return;
  }
  const int column = GetIconAreaSize(bar) + 1;
  bar->FillBackground(dc, {rect.Left + column, rect.Top, rect.Right, rect.Bottom}, brush, clNone, true);
  FillGradientRect(dc, RECT{rect.Left, rect.Top, rect.Left + column, rect.Bottom}, C(o11GlyphColumn1),
                   C(o11GlyphColumn2), true);
}

void TdxBarOffice11Painter::DrawExpandButtonChevrons(TCustomdxBarControl*, HDC dc, bool, const TRect& rect) const {
  HBITMAP picture = Office11SubMenuExpandBitmap();
  if (!picture) return;
  const int side = rect.Height() - 2;
  const TRect square{rect.Left + (rect.Width() - side) / 2, rect.Top + 1, rect.Left + (rect.Width() - side) / 2 + side,
                     rect.Top + 1 + side};
  TBitmap bitmap;
  bitmap.SetHandle(static_cast<HBITMAP>(CopyImage(picture, IMAGE_BITMAP, 0, 0, 0)));
  bitmap.SetTransparent(true);
  DrawGlyphInRect(dc, square, &bitmap, true);
}
