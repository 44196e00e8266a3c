#include "dxBarOffice11Painter.h"

#include <algorithm>
#include <vector>

#include "dxBarControl.h"
#include "dxBarDrawRoutines.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"
#include "dxBarOffice11Entries.h"
#include "dxOffice11.h"

DX_IMPLEMENT_BAR_PAINTER(TdxBarOffice11Painter, TdxBarFlatPainter)

namespace {
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

void TdxBarOffice11Painter::DrawArrow(HDC dc, const TRect& rect, TColor, bool, bool enabled, bool selected, int,
                                      int direction) const {
  PaintOffice11Arrow(dc, *rect.Win(), direction == 1, enabled, selected);
}

// The swatch sits in a ring of the menu background inside the border colour.
void TdxBarOffice11Painter::DrawColorSwatch(HDC dc, TColor color, const TRect& rect) const {
  TRect r = rect;
  FrameRect(dc, r.Win(), B(o11Border));
  r.Inflate(-1, -1);
  FrameRect(dc, r.Win(), B(o11MenuBackground));
  r.Inflate(-1, -1);
  FillColor(dc, r, color);
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

namespace {
// The rounded frame of a docked toolbar, described for a horizontal bar and drawn turned for a
// vertical one: every rectangle and pixel is given in the horizontal bar's coordinates (along,
// across) and swapped on the way to the DC.
class TRoundedBorder {
 public:
  TRoundedBorder(const TdxBarOffice11Painter* painter, TCustomdxBarControl* bar, HDC dc, HBRUSH brush)
      : painter_(painter), bar_(bar), dc_(dc), brush_(brush), vertical_(IsVerticalBar(bar)) {}

  TRect Turned(const TRect& r) const { return vertical_ ? TRect{r.Top, r.Left, r.Bottom, r.Right} : r; }
  void Dock(const TRect& r) const { bar_->FillBackground(dc_, Turned(r), bar_->BkBrush(), clNone, true); }
  void Bar(const TRect& r) const { painter_->FillToolbarBackground(bar_, dc_, brush_, Turned(r)); }
  void Fill(const TRect& r, TColor color) const { FillColor(dc_, Turned(r), color); }
  void Pixel(int x, int y, TColor color) const { Fill({x, y, x + 1, y + 1}, color); }
  void DockPixel(int x, int y) const { Dock({x, y, x + 1, y + 1}); }
  bool Vertical() const { return vertical_; }
  HDC DC() const { return dc_; }

 private:
  const TdxBarOffice11Painter* painter_;
  TCustomdxBarControl* bar_;
  HDC dc_;
  HBRUSH brush_;
  bool vertical_;
};

TColor Half(TColor a, TColor b) { return BlendColorsPercent(a, b, 50); }

// The dock's gradient colour under a point of the bar (horizontal, over the window the bar sits on).
TColor DockColorAt(TCustomdxBarControl* bar, int x) {
  TWinControl* dock = bar->Parent();
  if (!dock) return C(o11DockColor1);
  const TRect r = dock->ClientRect();
  return GradientColorAt(*r.Win(), bar->Left() + x, C(o11DockColor1), C(o11DockColor2), true);
}

struct TBorderColors {
  TColor DockLeft, DockRight, G, Corner, Mark1, Mark2, MarkA;
};

// The right end of a bar that shows no mark.
void DrawPlainRightEnd(const TRoundedBorder& b, int T, int R, int B, const TBorderColors& c) {
  b.Bar({R - 2, T + 1, R - 1, B - 2});
  b.Bar({R - 1, T + 2, R, B - 1});
  b.DockPixel(R - 1, T);
  b.DockPixel(R - 1, B - 1);
  b.Pixel(R - 2, T, Half(c.DockRight, c.G));
  b.Pixel(R - 1, T + 1, Half(c.DockRight, c.G));
  b.Pixel(R - 2, B - 1, Half(c.Corner, c.DockRight));
  b.Pixel(R - 1, B - 2, Half(c.Corner, c.DockRight));
  b.Pixel(R - 2, B - 2, c.Corner);
}

// The right end joined to the mark: the mark's border pixels take its gradient, the corners blend.
void DrawMarkedRightEnd(const TRoundedBorder& b, int T, int R, int B, int m, const TBorderColors& c) {
  const TRect pixels[] = {{R - m, T, R - 1, T + 1}, {R - 2, T + 2, R, B - 2}, {R - m - 1, B - 1, R - 1, B},
                          {R - m, B - 2, R, B - 1}};
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (const TRect& p : pixels) {
    const TRect t = b.Turned(p);
    HRGN part = CreateRectRgn(t.Left, t.Top, t.Right, t.Bottom);
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
  }
  HRGN saved;
  bool hadClip;
  SaveClipRegion(b.DC(), saved, hadClip);
  ExtSelectClipRgn(b.DC(), region, RGN_AND);
  DeleteObject(region);
  FillTwoPhaseGradientRect(b.DC(), *b.Turned({R - m - 1, T, R, B}).Win(), c.Mark1, c.Mark2, b.Vertical());
  RestoreClipRegion(b.DC(), saved, hadClip);
  b.Pixel(R - m - 1, T, c.MarkA);
  b.Pixel(R - 2, T + 1, c.MarkA);
  b.Pixel(R - m - 2, T, Half(c.MarkA, c.G));
  b.Pixel(R - 2, T, Half(c.MarkA, c.DockRight));
  b.Pixel(R - 1, T + 1, Half(c.MarkA, c.DockRight));
  b.Pixel(R - 1, B - 2, Half(c.Mark2, c.DockRight));
  b.Pixel(R - 2, B - 1, Half(c.Mark2, c.DockRight));
  b.Pixel(R - m - 2, B - 1, Half(c.Mark2, c.Corner));
  b.Pixel(R - m - 1, B - 2, Half(c.Mark2, c.Corner));
  b.Pixel(R - m - 2, B - 2, c.Corner);
  b.DockPixel(R - 1, T);
  b.DockPixel(R - 1, B - 1);
}
}  // namespace

// The toolbar over its dock: a two-pixel dock band at the leading side, rounded corners blended
// into the dock, the bottom shadow line and, at the far end, the mark's gradient joined to the
// frame; then the dotted drag handle.
void TdxBarOffice11Painter::DrawToolbarBorder(TCustomdxBarControl* bar, HDC dc, HBRUSH brush,
                                              const TRect& rect) const {
  const TRoundedBorder b(this, bar, dc, brush);
  const TRect h = b.Turned(rect);  // the rectangle as a horizontal bar's
  if (bar->IsMainMenu()) {
    b.Dock({h.Left, h.Top, h.Right, h.Top + 2});
    b.Dock({h.Left, h.Bottom - 2, h.Right, h.Bottom});
  } else if (bar->HasBorder()) {
    DrawRoundedBorder(bar, dc, brush, rect);
  }
  if (!bar->CanBeMoved()) return;
  TRect r = rect;
  r.Inflate(-2, -2);
  const int left = GetDragHandleLeft(), width = GetDragHandleWidth(bar);
  if (b.Vertical()) DrawDragHandle(bar, dc, false, {r.Left + 3, r.Top + left, r.Right - 3, r.Top + left + width});
  else DrawDragHandle(bar, dc, true, {r.Left + left, r.Top + 3, r.Left + left + width, r.Bottom - 3});
}

void TdxBarOffice11Painter::DrawRoundedBorder(TCustomdxBarControl* bar, HDC dc, HBRUSH brush,
                                              const TRect& rect) const {
  const TRoundedBorder b(this, bar, dc, brush);
  const TRect h = b.Turned(rect);
  const int state = std::clamp(bar->MarkState(), 0, 2);
  const int m = ShowsMarkArrow(bar) ? GetMarkSize(bar) : 0;
  const TRect barRect = bar->ClientRect();
  TBorderColors c;
  c.DockLeft = DockColorAt(bar, b.Vertical() ? h.Top : h.Left);
  c.DockRight = DockColorAt(bar, b.Vertical() ? h.Top : h.Right - 1);
  c.G = GradientColorAt(*barRect.Win(), (b.Vertical() ? barRect.Left : barRect.Top) + 1, C(o11ToolbarColor1),
                        C(o11ToolbarColor2), b.Vertical());
  c.Corner = C(o11ToolbarCorner);
  c.Mark1 = C(o11MarkColor1 + state), c.Mark2 = C(o11MarkColor2 + state), c.MarkA = C(o11MarkCornerA + state);
  const int L = h.Left + 2, T = h.Top + 1, R = h.Right, B = h.Bottom;
  b.Dock({h.Left, h.Top, L, B});
  b.Dock({L, h.Top, R, T});
  b.Bar({L + 2, T, R - 2 - m, T + 1});
  b.DockPixel(L, T);
  b.Pixel(L + 1, T, Half(c.DockLeft, c.G));
  b.Pixel(L, T + 1, Half(c.DockLeft, c.G));
  b.Bar({L, T + 2, L + 1, B - 3});
  for (const TPoint& p : {TPoint{L, B - 1}, TPoint{L, B - 2}, TPoint{L + 1, B - 1}}) b.DockPixel(p.X, p.Y);
  b.Pixel(L, B - 3, Half(c.DockLeft, c.Corner));
  b.Pixel(L + 1, B - 2, Half(c.DockLeft, c.Corner));
  b.Pixel(L + 1, B - 3, c.Corner);
  b.Bar({L + 2, B - 2, R - 2 - m, B - 1});
  HBRUSH line = CreateSolidBrush(ColorToRGB(C(o11ToolbarBottomLine)));
  FillRect(dc, b.Turned({L + 2, B - 1, R - 2 - m, B}).Win(), line);
  DeleteObject(line);
  if (m == 0) DrawPlainRightEnd(b, T, R, B, c);
  else DrawMarkedRightEnd(b, T, R, B, m, c);
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
      // The routine takes the last index, not the count: one more would read past the points.
      DrawFilledPolygon(dc, p.data(), static_cast<int>(p.size()) - 1, color, color);
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
