// The base painter's drawing of button-like item controls: the glyph with its background and
// frame, the caption with its disabled and highlighted colours, the drop-down and split arrows.
// Styles change the result by overriding the small operations called here.
#include <cmath>

#include "dxBarControl.h"
#include "dxBarDrawRoutines.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"

namespace {
// Restores the text colour and background mode of a device context.
class TTextStateSaver {
 public:
  explicit TTextStateSaver(HDC dc) : dc_(dc), color_(GetTextColor(dc)), mode_(GetBkMode(dc)) {}
  ~TTextStateSaver() {
    SetTextColor(dc_, color_);
    SetBkMode(dc_, mode_);
  }
  TTextStateSaver(const TTextStateSaver&) = delete;
  TTextStateSaver& operator=(const TTextStateSaver&) = delete;

 private:
  HDC dc_;
  COLORREF color_;
  int mode_;
};

// 1-based position of the character after the last single "&"; 0 when none.
int AccelCharPos(const std::string& text) {
  int result = 0;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    ++i;
    if (text[i] != '&') result = static_cast<int>(i) + 1;
  }
  return result;
}

TSize TextExtentOf(HDC dc, const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return {size.cx, size.cy};
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// Buttons.

void TdxBarPainter::DrawButton(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  TRect r = rect;
  if (params.SunkenFrame) DrawButtonSunkenFrame(params.Canvas->GetHandle(), r);
  if (params.PaintType == ptMenu) return DrawMenuItem(params, r);
  TRect content = r;
  if (params.DropDown && params.IsButton) content.Right -= params.ArrowSize.cx;
  TRect largeBackground;
  if (params.IsLarge()) {
    largeBackground = content;
    content.Inflate(-1, -1);
    OffsetPressedContent(params.Down, params.Pressed, content);
  }
  const TRect background = params.FillWholeRect ? r : params.IsLarge() ? largeBackground : TRect();
  TdxBarGlyphState state;
  state.Enabled = params.Enabled;
  state.HasArrow = params.IsButton && params.DropDown;
  state.GreyScale = params.GreyScale;
  state.DroppedDown = params.DroppedDown;
  state.Pressed = params.Pressed;
  state.Down = params.Down;
  state.Selected = params.DrawSelected;
  TdxBarGlyphPlacement placement;
  placement.ViewSize = params.ViewSize;
  placement.ViewStructure = params.ViewStructure;
  placement.PaintType = params.PaintType;
  placement.GlyphAreaSize = params.GlyphAreaSize;
  placement.GlyphHidden = !params.ShowsGlyph();
  TRect glyphRect;
  DrawItemGlyphInRect(params.BarItemControl, params.Canvas->GetHandle(), state, placement, background, content,
                      glyphRect);
  DrawButtonCaption(params, content, glyphRect);
  if (params.DropDown && !params.ArrowSuppressed) {
    if (params.IsButton) DrawSplitArrowPart(params, r);
    else DrawInlineArrow(params, r);
  }
}

void TdxBarPainter::DrawButtonCaption(const TdxBarItemControlDrawParams& params, const TRect& rect,
                                      const TRect& glyphRect) const {
  if (!params.ShowsCaption()) return;
  TRect textRect = rect;
  int alignment = 0;
  CalcButtonTextRect(params, glyphRect, textRect, alignment);
  DrawButtonText(params, textRect, DT_SINGLELINE, alignment);
}

void TdxBarPainter::CalcButtonTextRect(const TdxBarItemControlDrawParams& params, const TRect& glyphRect,
                                       TRect& textRect, int& alignment) const {
  const bool vertical = params.PaintType == ptVert;
  if (params.IsLarge()) {
    switch (params.BarItemControl->GlyphLayout()) {
      case glLeft: (vertical ? textRect.Top = glyphRect.Bottom : textRect.Left = glyphRect.Right) += 3; alignment = 0; break;
      case glRight: (vertical ? textRect.Bottom = glyphRect.Top : textRect.Right = glyphRect.Left) -= 3; alignment = 2; break;
      case glTop: (vertical ? textRect.Right = glyphRect.Left : textRect.Top = glyphRect.Bottom); alignment = 1; break;
      case glBottom: (vertical ? textRect.Left = glyphRect.Right : textRect.Bottom = glyphRect.Top); alignment = 1; break;
    }
    return;
  }
  alignment = 0;
  const int indent = params.BarItemControl->CaptionIndent();
  if (params.PaintType == ptHorz) textRect.Left += params.ShowsGlyph() ? params.GlyphAreaSize.cx : indent;
  else textRect.Top += params.ShowsGlyph() ? params.GlyphAreaSize.cy : indent;
  if (!IsMainMenuItem(params.BarItemControl)) OffsetPressedContent(params.Down, params.Pressed, textRect);
}

// ---------------------------------------------------------------------------------------------
// Glyphs.

TSize TdxBarPainter::PlacedGlyphSize(TdxBarItemControl* control, const TdxBarGlyphPlacement& placement,
                                     bool hot) const {
  TSize size = control->GetGlyphSize(placement.ViewSize, hot);
  TdxBarManager* manager = control->BarManager();
  if (placement.PaintType == ptMenu) {
    if (manager && manager->ImageOptions()->StretchGlyphs()) {
      const double ratio = control->Parent()->ScaleRatio();
      size = {static_cast<LONG>(std::nearbyint(size.cx * ratio)), static_cast<LONG>(std::nearbyint(size.cy * ratio))};
    }
    return size;
  }
  if (manager && control->UsesLargeIcons() && placement.ViewSize != cvsLarge) {
    TCustomImageList* large = manager->ImageOptions()->LargeImages();
    if (manager->UsesLargeImages() && large) return {large->Width(), large->Height()};
    return {size.cx * 2, size.cy * 2};
  }
  return size;
}

void TdxBarPainter::PlaceLargeGlyph(TdxBarItemControl* control, const TSize& glyphSize, const TRect& rect,
                                    TRect& glyphRect, int paintType, bool captionShown) const {
  const int left = rect.Left + (rect.Width() - glyphSize.cx) / 2, top = rect.Top + (rect.Height() - glyphSize.cy) / 2;
  glyphRect = Bounds(left, top, glyphSize.cx, glyphSize.cy);
  if (!captionShown) return;
  const bool vertical = paintType == ptVert;
  switch (control->GlyphLayout()) {
    case glLeft:
      if (vertical) glyphRect = Bounds(left, rect.Top + 4, glyphSize.cx, glyphSize.cy);
      else glyphRect = Bounds(rect.Left + 4, top, glyphSize.cx, glyphSize.cy);
      break;
    case glRight:
      if (vertical) glyphRect = Bounds(left, rect.Bottom - 4 - glyphSize.cy, glyphSize.cx, glyphSize.cy);
      else glyphRect = Bounds(rect.Right - 4 - glyphSize.cx, top, glyphSize.cx, glyphSize.cy);
      break;
    case glTop:
      if (vertical) glyphRect = Bounds(rect.Right - 2 - glyphSize.cx, top, glyphSize.cx, glyphSize.cy);
      else glyphRect = Bounds(left, rect.Top + 2, glyphSize.cx, glyphSize.cy);
      break;
    case glBottom:
      if (vertical) glyphRect = Bounds(rect.Left + 2, top, glyphSize.cx, glyphSize.cy);
      else glyphRect = Bounds(left, rect.Bottom - 2 - glyphSize.cy, glyphSize.cx, glyphSize.cy);
      break;
  }
}

void TdxBarPainter::DrawItemGlyphInRect(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state,
                                        const TdxBarGlyphPlacement& placement, const TRect& backgroundRect,
                                        const TRect& rect, TRect& glyphRect) const {
  // A selected control may show its hot glyph, which need not have the size of the plain one.
  const TSize size = PlacedGlyphSize(control, placement, state.Selected);
  const bool large = placement.ViewSize == cvsLarge && placement.PaintType != ptMenu;
  if (large) {
    PlaceLargeGlyph(control, size, rect, glyphRect, placement.PaintType, (placement.ViewStructure & cvsCaption) != 0);
  } else {
    TRect area = rect;
    if (!placement.WholeArea && placement.PaintType == ptHorz) area.Right = area.Left + placement.GlyphAreaSize.cx;
    if (!placement.WholeArea && placement.PaintType == ptVert) area.Bottom = area.Top + placement.GlyphAreaSize.cy;
    glyphRect = Bounds(area.Left + (area.Width() - size.cx) / 2, area.Top + (area.Height() - size.cy) / 2, size.cx,
                       size.cy);
    if (state.Down) glyphRect.Offset(GetGlyphDownOffset(control), GetGlyphDownOffset(control));
    if (state.Pressed) glyphRect.Offset(GetGlyphPressedOffset(control), GetGlyphPressedOffset(control));
  }
  control->ViewInfo()->SetImageBounds(glyphRect);
  TdxBarGlyphState glyphState = state;
  glyphState.CheckMarkMode = placement.GlyphHidden;
  DrawGlyph(control, dc, glyphState, glyphRect, backgroundRect.IsEmpty() ? rect : backgroundRect);
}

void TdxBarPainter::DrawGlyph(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state,
                              const TRect& glyphRect, const TRect& backgroundRect) const {
  HBRUSH brush = GetGlyphBackgroundBrush(control, state);
  const int glyphWidth = state.CheckMarkMode && control->BarManager() ? control->BarManager()->GetGlyphSize()
                                                                       : glyphRect.Width();
  const int glyphHeight = state.CheckMarkMode && control->BarManager() ? glyphWidth : glyphRect.Height();
  const bool frameRoom = backgroundRect.Width() >= glyphWidth + 2 && backgroundRect.Height() >= glyphHeight + 2;
  if (UsesThemes()) DrawGlyphFrame(control, dc, state, control->GetPaintType(), backgroundRect, frameRoom, brush);
  TRect inner = backgroundRect;
  if (frameRoom) inner.Inflate(-1, -1);
  const bool transparent = HasTransparentGlyphBackground(control);
  if (!UsesThemes() && (state.CheckMarkMode || transparent)) {
    const bool highlighted = IsItemHighlighted(control, state.Down, state.CheckMarkMode, state.Selected, state.Pressed);
    FillItemBackground(control, dc, highlighted, brush, inner);
  }
  if (state.CheckMarkMode) {
    DrawCheckGlyph(control, dc, state.Down, control->GetPaintType(), inner);
  } else {
    TCustomImageList* images = nullptr;
    int index = -1;
    TBitmap* glyph = nullptr;
    control->GetImageInfo(control->DrawParams().ViewSize, state.Selected, images, index, glyph);
    TdxBarGlyphDrawFlags flags;
    flags.Enabled = state.Enabled && control->IsGlyphShownEnabled();
    flags.Faded = control->BarManager() && FadesDisabledImages(control->Parent());
    flags.GreyScale = state.GreyScale;
    flags.Selected = state.Selected;
    flags.Pressed = state.Pressed;
    flags.Shadow = UsesGlyphShadow();
    flags.Smooth = control->BarManager() && control->BarManager()->ImageOptions()->SmoothGlyphs();
    ::DrawItemGlyph(dc, glyphRect, flags, transparent ? nullptr : brush, images, index, glyph,
                    images ? images->BkColor() : clNone);
  }
  if (!UsesThemes()) DrawGlyphFrame(control, dc, state, control->GetPaintType(), backgroundRect, frameRoom, brush);
}

void TdxBarPainter::DrawItemGlyph(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state,
                                  const TRect& rect) const {
  const TdxBarItemControlDrawParams& params = control->DrawParams();
  TdxBarGlyphPlacement placement;
  placement.ViewSize = params.ViewSize;
  placement.ViewStructure = params.ViewStructure;
  placement.PaintType = params.PaintType;
  placement.GlyphAreaSize = params.GlyphAreaSize;
  placement.WholeArea = true;
  placement.GlyphHidden = !params.ShowsGlyph();
  TRect glyphRect;
  DrawItemGlyphInRect(control, dc, state, placement, TRect(), rect, glyphRect);
}

// ---------------------------------------------------------------------------------------------
// Text.

void TdxBarPainter::DrawItemText(TdxBarItemControl* control, HDC dc, UINT format, bool allowFlatShadow, bool clip,
                                 bool vertical, bool selected, bool enabled, int alignment, const TRect& rect,
                                 const std::string& text) const {
  if (text.empty()) return;
  TTextStateSaver saver(dc);
  HRGN savedClip = nullptr;
  bool hadClip = false;
  if (!clip || vertical) format |= DT_NOCLIP;
  if (clip && vertical) {
    SaveClipRegion(dc, savedClip, hadClip);
    IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
  }
  TColor textColor, shadowColor;
  GetItemTextColors(control, enabled, textColor, shadowColor, IsFlatLook() && allowFlatShadow, selected);
  SetBkMode(dc, TRANSPARENT);
  if (!vertical) format |= (alignment == 1 ? DT_CENTER : alignment == 2 ? DT_RIGHT : 0) | DT_VCENTER;
  auto draw = [&](TColor color, int shift) {
    SetTextColor(dc, ColorToRGB(color));
    if (vertical) return DrawVerticalText(dc, format, rect, text, alignment, color, TPoint(shift, shift));
    TRect r = rect;
    r.Offset(shift, shift);
    DrawTextA(dc, text.c_str(), -1, r.Win(), format);
  };
  if (textColor != shadowColor) draw(shadowColor, 1);
  draw(textColor, 0);
  if (savedClip) RestoreClipRegion(dc, savedClip, hadClip);
}

// Vertical text runs top to bottom in the rotated font selected in the device context; the
// accelerator's underline is drawn by hand, since the system draws it for horizontal text only.
void TdxBarPainter::DrawVerticalText(HDC dc, UINT format, const TRect& rect, const std::string& text, int alignment,
                                     TColor color, TPoint shift) const {
  const int accel = AccelCharPos(text);
  if (accel > 0) format |= DT_NOPREFIX;
  std::string shown = text;
  if (accel > 0) shown.erase(static_cast<size_t>(accel) - 2, 1);
  const TSize extent = TextExtentOf(dc, shown);
  const int offset = alignment == 1 ? (rect.Height() - extent.cx) / 2 : alignment == 2 ? rect.Height() - extent.cx : 0;
  TRect r = rect;
  r.Offset((rect.Width() + extent.cy) / 2 + shift.X, offset + shift.Y);
  DrawTextA(dc, shown.c_str(), -1, r.Win(), format);
  if (accel <= 0) return;
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  const int x = (rect.Left + rect.Right - extent.cy) / 2 + metrics.tmDescent - 2 + shift.X;
  const int top = rect.Top + offset + TextExtentOf(dc, shown.substr(0, accel - 2)).cx + shift.Y;
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(color));
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x, top, nullptr);
  LineTo(dc, x, top + TextExtentOf(dc, shown.substr(accel - 2, 1)).cx);
  SelectObject(dc, old);
  DeleteObject(pen);
}

// ---------------------------------------------------------------------------------------------
// Arrows.

void TdxBarPainter::DrawButtonArrow(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  TRect r = rect;
  const bool inMenu = params.PaintType == ptMenu;
  if (!IsFlatLookForArrow(params) && params.DroppedDown && (r.Width() > 9 || inMenu)) r.Offset(1, 1);
  const bool enabled = params.Enabled && params.DropDownEnabled;
  HDC dc = params.Canvas->GetHandle();
  if (inMenu) {
    DrawArrow(dc, r, GetArrowColor(params), IsFlatLookForArrow(params), enabled, IsArrowSelected(params),
              params.ArrowSize.cy, 3);
  } else {
    DrawDropDownArrow(dc, r, GetArrowColor(params), IsFlatLookForArrow(params), IsArrowSelected(params), enabled, 1);
  }
}

void TdxBarPainter::DrawSplitArrowPart(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  TRect part = rect;
  part.Left = part.Right - params.ArrowSize.cx;
  DrawButtonBackground(params, part, GetButtonBrush(params));
  DrawButtonArrow(params, part);
}

void TdxBarPainter::DrawButtonBackground(const TdxBarItemControlDrawParams& params, const TRect& rect,
                                         HBRUSH brush) const {
  TRect r = rect;
  if (IsFlatLookForParams(params) && params.PaintType != ptMenu) {
    r.Left -= 1;
    if (params.DroppedDown) return;
  }
  FillItemBackground(params.BarItemControl, params.Canvas->GetHandle(), FillsButtonWithBrush(params), brush, r);
}

void TdxBarPainter::DrawInlineArrow(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  TRect r = rect;
  const int paintType = params.PaintType;
  if (paintType != ptMenu) OffsetPressedContent(params.DroppedDown, false, r);
  const int direction = paintType == ptHorz ? 1 : 3;
  const int size = params.ArrowSize.cy - (paintType == ptMenu ? 0 : 1);
  TCustomdxBarControl* bar = params.BarItemControl->Parent();
  const int textSize = bar->TextSize();
  if (paintType == ptMenu) {
    r.Left = r.Right + params.ArrowSize.cy - textSize;
  } else {
    const int inset = bar->ItemsFont()->Height() / 2 - textSize / 2;
    if (paintType == ptHorz) r.Left = r.Right + inset;
    else r.Top = r.Bottom + inset;
  }
  const bool selected = paintType == ptMenu ? params.DrawSelected && !IsFlatLookOnColoredFace() : params.TextSelected;
  DrawArrow(params.Canvas->GetHandle(), r, GetArrowColor(params), IsFlatLook(), params.Enabled, selected, size,
            direction);
}
