// The skinned painter's buttons: the element states of their parts, their faces (small, large, split
// and in button groups), arrows, captions (a large caption on two lines with its drop-down arrow)
// and glyphs.
#include <algorithm>
#include <cmath>

#include "cxGeometry.h"
#include "dxBarControl.h"
#include "dxBarDrawRoutines.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"
#include "dxBarSkinnedPainter.h"
#include "dxBarSkinnedPainterElements.h"

using namespace dxBarSkinElements;

namespace {

// A large caption always takes two lines (the second may be empty but for the arrow).
constexpr int kCaptionLineCount = 2;

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

bool IsSplit(const TdxBarItemControlDrawParams& params) { return params.IsButton && params.DropDown; }
bool IsLargeOutsideMenu(const TdxBarItemControlDrawParams& params) {
  return params.IsLarge() && params.PaintType != ptMenu;
}

int TextWidthOf(HDC dc, const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

// What a drop-down large caption appends to its last line: a space, then dots at least as wide as
// the arrow glyph, whose place the arrow takes.
std::string ArrowPadding(HDC dc, int arrowWidth) {
  std::string dots = ".";
  while (TextWidthOf(dc, dots) < arrowWidth && dots.size() < 16) dots += '.';
  return " " + dots;
}

// The canvas the parameters measure on: theirs, or the screen's in the bar's font.
TcxCanvas* MeasuringCanvas(const TdxBarItemControlDrawParams& params) {
  if (params.Canvas) return params.Canvas;
  TcxScreenCanvas* canvas = SharedScreenCanvas();
  if (params.BarItemControl && params.BarItemControl->Parent())
    canvas->SetFont(params.BarItemControl->Parent()->ItemsFont());
  return canvas;
}

// --- Button groups

// 0 none, 1 first, 2 middle, 3 last, 4 alone.
int ButtonGroupPositionOf(const TdxBarItemControlDrawParams& params) {
  TdxBarItemControl* control = params.BarItemControl;
  return control && control->ViewInfo() ? control->ViewInfo()->PositionInButtonGroup() : 0;
}

// The two parts of a split button face each other inside the group.
int MainPartPosition(int position) { return position == 3 ? 2 : position == 4 ? 1 : position; }
int ArrowPartPosition(int position) { return position == 1 ? 2 : position == 4 ? 3 : position; }

// Which edges a position keeps and how far its face steps in from them.
struct TGroupEdges {
  bool LeftBorder, RightBorder, LeftSplitter, RightSplitter;
  int LeftInset, RightInset;
};
constexpr TGroupEdges kGroupEdges[] = {
    {false, false, false, false, 0, 0},  // none
    {true, false, false, true, 1, 0},    // first
    {false, false, true, true, 0, 0},    // middle
    {false, true, true, false, 0, 1},    // last
    {true, true, true, false, 1, 1},     // alone
};

enum TFacePart { fpWhole, fpMain, fpArrow };

void DrawFacePart(IdxSkin* skin, HDC dc, const TRect& r, int element, int state, int position, TFacePart part) {
  const TGroupEdges& edges = kGroupEdges[position >= 0 && position <= 4 ? position : 0];
  skin->DrawElement(dc, TRect(r.Left + edges.LeftInset, r.Top, r.Right - edges.RightInset, r.Bottom), element, state);
  if (edges.LeftBorder) skin->DrawElement(dc, TRect(r.Left, r.Top, r.Left + 2, r.Bottom), kButtonGroupBorderLeft, 0);
  if (edges.RightBorder)
    skin->DrawElement(dc, TRect(r.Right - 2, r.Top, r.Right, r.Bottom), kButtonGroupBorderRight, 0);
  const TRect leftSplitter(r.Left - 1, r.Top, r.Left + 1, r.Bottom), rightSplitter(r.Right - 1, r.Top, r.Right, r.Bottom);
  if (part == fpArrow && edges.LeftSplitter) skin->DrawElement(dc, leftSplitter, kButtonGroupArrowSplitter, state);
  if (part != fpMain && edges.RightSplitter) skin->DrawElement(dc, rightSplitter, kButtonGroupSplitter, state);
}

struct TFaceElements {
  int Whole, Main, Arrow;
};

// --- Glyph placement

TdxBarGlyphState GlyphStateOf(const TdxBarItemControlDrawParams& params) {
  TdxBarGlyphState state;
  state.Enabled = params.Enabled;
  state.Selected = params.DrawSelected;
  state.Down = params.Down;
  state.Pressed = params.Pressed;
  state.DroppedDown = params.DroppedDown;
  state.HasArrow = IsSplit(params);
  state.GreyScale = params.GreyScale;
  return state;
}

TdxBarGlyphPlacement GlyphPlacementOf(const TdxBarItemControlDrawParams& params) {
  TdxBarGlyphPlacement placement;
  placement.ViewSize = params.ViewSize;
  placement.ViewStructure = params.ViewStructure;
  placement.PaintType = params.PaintType;
  placement.GlyphAreaSize = params.GlyphAreaSize;
  placement.GlyphHidden = !params.ShowsGlyph();
  return placement;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Element states.

int TdxBarSkinnedPainter::BaseState(const TdxBarItemControlDrawParams& params, int part) {
  if (part == params.HotPartIndex && params.CanSelect) return bssHot;
  const bool hot = (params.CanSelect && params.DrawSelected) || params.HotPartIndex != -1;
  if (hot) return params.Enabled ? bssSelected : bssSelectedDisabled;
  return params.Enabled ? bssNormal : bssDisabled;
}

int TdxBarSkinnedPainter::ButtonState(const TdxBarItemControlDrawParams& params, int part) {
  if (params.Customizing) return params.Down ? bssChecked : params.DroppedDown ? bssDroppedDown : bssNormal;
  if (part == 0) {
    if (params.Pressed) return bssPressed;
    if (params.Down) {
      if (params.DroppedDown) return bssSelected;
      const bool hot = params.HotPartIndex == 0 || (params.SelectedByKey && !params.DropDown);
      return hot ? bssCheckedHot : bssChecked;
    }
    if (params.DroppedDown) return IsSplit(params) ? bssSelected : bssDroppedDown;
    return BaseState(params, 0);
  }
  if (part == 1) {
    if (params.DroppedDown) return bssDroppedDown;
    if (params.Down && params.HotPartIndex == -1 && !params.SelectedByKey) return bssChecked;
    return BaseState(params, 1);
  }
  return bssNormal;
}

int TdxBarSkinnedPainter::MenuPartState(const TdxBarItemControlDrawParams& params, int part) {
  if (part == 1 && params.DroppedDown) return bssHot;
  if (part == 0 && params.DrawSelected && !params.IsLarge()) return bssHot;
  return BaseState(params, part);
}

// ---------------------------------------------------------------------------------------------
// Faces and arrows.

void TdxBarSkinnedPainter::DrawButtonFace(IdxSkin* skin, const TdxBarItemControlDrawParams& params,
                                          const TRect& rect) const {
  const int position = ButtonGroupPositionOf(params);
  const TFaceElements faces = params.IsLarge() ? TFaceElements{kLargeButton, kLargeSplitUpper, kLargeSplitLower}
                              : position != 0  ? TFaceElements{kButtonGroupFace, kButtonGroupFace, kButtonGroupFace}
                                               : TFaceElements{kSmallButton, kSmallSplitMain, kSmallSplitArrow};
  HDC dc = params.Canvas->GetHandle();
  if (!IsSplit(params)) {
    DrawFacePart(skin, dc, rect, faces.Whole, ButtonState(params, 0), position, fpWhole);
    return;
  }
  TRect main, arrow;
  CalcButtonParts(params, rect, main, arrow);
  DrawFacePart(skin, dc, main, faces.Main, ButtonState(params, 0), MainPartPosition(position), fpMain);
  DrawFacePart(skin, dc, arrow, faces.Arrow, ButtonState(params, 1), ArrowPartPosition(position), fpArrow);
}

void TdxBarSkinnedPainter::DrawButton(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  IdxSkin* skin = GetSkin();
  if (!skin || params.PaintType == ptMenu) return TdxBarOffice11Painter::DrawButton(params, rect);
  DrawButtonFace(skin, params, rect);
  TRect content = rect;
  if (IsSplit(params) && !params.IsLarge()) {
    TRect arrow;
    CalcButtonParts(params, rect, content, arrow);
  }
  TRect glyphRect;
  DrawItemGlyphInRect(params.BarItemControl, params.Canvas->GetHandle(), GlyphStateOf(params),
                      GlyphPlacementOf(params), TRect(), content, glyphRect);
  DrawButtonCaption(params, content, glyphRect);
  if (!params.DropDown || params.ArrowSuppressed) return;
  if (IsSplit(params)) DrawSplitArrowPart(params, rect);
  else DrawInlineArrow(params, rect);
}

TRect TdxBarSkinnedPainter::CalcArrowPartRect(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  TRect part(rect.Right - params.ArrowSize.cx, rect.Top, rect.Right, rect.Bottom);
  if (params.PaintType != ptMenu) part.Right -= GetBarBorderSize();
  return part;
}

void TdxBarSkinnedPainter::DrawArrowGlyph(IdxSkin* skin, HDC dc, const TRect& rect, int state) const {
  const TSize size = GetSmallIndentSize();
  const int left = rect.Left + (rect.Width() - size.cx) / 2, top = rect.Top + (rect.Height() - size.cy) / 2;
  skin->DrawElement(dc, TRect(left, top, left + size.cx, top + size.cy), kDropDownArrow, state);
}

// The glyph grows with the bar's text: 4 x 7 at the base text size, pointing right for direction 3.
void TdxBarSkinnedPainter::DrawMenuArrowGlyph(IdxSkin* skin, const TdxBarItemControlDrawParams& params,
                                              const TRect& rect, int direction) const {
  TdxBarItemControl* control = params.BarItemControl;
  const double ratio = control && control->Parent() ? control->Parent()->ScaleRatio() : 1.0;
  const int narrow = static_cast<int>(std::nearbyint(4 * ratio)), wide = static_cast<int>(7 * ratio);
  const bool right = direction == 3;
  const TRect glyph = RectCenterSize(CalcArrowPartRect(params, rect), right ? TSize(narrow, wide) : TSize(wide, narrow));
  skin->DrawElement(params.Canvas->GetHandle(), glyph, right ? kRightArrowGlyph : kDownArrowGlyph, bssNormal);
}

// A large button's arrow belongs to its caption (DrawButtonText).
void TdxBarSkinnedPainter::DrawButtonArrow(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::DrawButtonArrow(params, rect);
  if (params.PaintType == ptMenu) return DrawMenuArrowGlyph(skin, params, rect, 3);
  if (params.IsLarge()) return;
  DrawArrowGlyph(skin, params.Canvas->GetHandle(), CalcArrowPartRect(params, rect), ButtonState(params, 1));
}

// In a menu an unselected split item shows a line between its parts, 14 pixels at the base text size.
void TdxBarSkinnedPainter::DrawSplitArrowPart(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::DrawSplitArrowPart(params, rect);
  DrawButtonArrow(params, rect);
  if (params.PaintType != ptMenu || params.IsLarge() || params.DrawSelected) return;
  const TRect part = CalcArrowPartRect(params, rect);
  const int height = part.Height();
  const double scale = std::max(static_cast<double>(height) / GetBaseTextSize(), 1.0);
  const int inset = static_cast<int>(std::nearbyint((height - 14 * scale) / 2));
  HBRUSH brush = CreateSolidBrush(ColorToRGB(skin->GetElementColor(kSplitArrowLineColor, 0)));
  const RECT line{part.Left, part.Top + inset, part.Left + 1, part.Bottom - inset};
  FillRect(params.Canvas->GetHandle(), &line, brush);
  DeleteObject(brush);
}

void TdxBarSkinnedPainter::DrawInlineArrow(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  if (!HasSkin()) return TdxBarOffice11Painter::DrawInlineArrow(params, rect);
  DrawButtonArrow(params, rect);
}

// ---------------------------------------------------------------------------------------------
// Parts and layout.

// A large drop-down button outside menus splits into the glyph above and the caption band below.
void TdxBarSkinnedPainter::CalcButtonParts(const TdxBarItemControlDrawParams& params, const TRect& itemRect,
                                           TRect& buttonPart, TRect& arrowPart) const {
  if (!HasSkin() || !params.DropDown || !IsLargeOutsideMenu(params))
    return TdxBarOffice11Painter::CalcButtonParts(params, itemRect, buttonPart, arrowPart);
  TRect caption;
  CalcTextRectForLines(MeasuringCanvas(params)->GetHandle(), params.Caption, kCaptionLineCount, caption, true);
  arrowPart = TRect(itemRect.Left, itemRect.Bottom - caption.Height() - 2, itemRect.Right, itemRect.Bottom);
  buttonPart = TRect(itemRect.Left, itemRect.Top, itemRect.Right, arrowPart.Top);
}

void TdxBarSkinnedPainter::CalcButtonTextExtent(const TdxBarItemControlDrawParams& params, TRect& rect) const {
  if (!HasSkin() || !IsLargeOutsideMenu(params)) return TdxBarOffice11Painter::CalcButtonTextExtent(params, rect);
  HDC dc = MeasuringCanvas(params)->GetHandle();
  const std::string text = params.DropDown ? params.Caption + ArrowPadding(dc, GetSmallIndentSize().cx) : params.Caption;
  TRect extent;
  CalcTextRectForLines(dc, text, kCaptionLineCount, extent, true);
  rect.Right = rect.Left + extent.Width();
  rect.Bottom = rect.Top + extent.Height();
}

void TdxBarSkinnedPainter::CalcButtonTextRect(const TdxBarItemControlDrawParams& params, const TRect& glyphRect,
                                              TRect& textRect, int& alignment) const {
  if (!HasSkin()) return TdxBarOffice11Painter::CalcButtonTextRect(params, glyphRect, textRect, alignment);
  if (params.IsLarge()) {
    TRect extent;
    CalcButtonTextExtent(params, extent);
    const int left = textRect.Left + (textRect.Width() - extent.Width()) / 2, bottom = textRect.Bottom - 1;
    textRect = TRect(left, bottom - extent.Height(), left + extent.Width(), bottom);
    alignment = 1;
    return;
  }
  alignment = 0;
  if (params.ShowsGlyph()) textRect.Left = glyphRect.Right + GetArrowMargins().Left;
  else textRect.Left += params.BarItemControl ? params.BarItemControl->GetHalfFontSize() : 0;
  const int height = MeasuringCanvas(params)->TextHeight("Wg");
  textRect.Top += (textRect.Height() - height) / 2;
  textRect.Bottom = textRect.Top + height;
}

void TdxBarSkinnedPainter::AddArrowWidth(const TdxBarItemControlDrawParams& params, int& width) const {
  if (!HasSkin()) return TdxBarOffice11Painter::AddArrowWidth(params, width);
  if (params.IsLarge() || params.PaintType == ptMenu || !params.DropDown) return;
  width += params.ArrowSize.cx;
  if (params.IsButton) width += GetArrowMargins().Right;
}

// Centred across, and in the height the caption leaves free.
void TdxBarSkinnedPainter::PlaceLargeGlyph(TdxBarItemControl* control, const TSize& glyphSize, const TRect& rect,
                                           TRect& glyphRect, int paintType, bool captionShown) const {
  if (!HasSkin())
    return TdxBarOffice11Painter::PlaceLargeGlyph(control, glyphSize, rect, glyphRect, paintType, captionShown);
  int captionHeight = 0;
  if (captionShown) {
    TRect extent;
    CalcButtonTextExtent(control->DrawParams(), extent);
    captionHeight = extent.Height();
  }
  const int left = rect.Left + (rect.Width() - glyphSize.cx) / 2;
  const int top = rect.Top + (rect.Height() - captionHeight - glyphSize.cy) / 2;
  glyphRect = Bounds(left, top, glyphSize.cx, glyphSize.cy);
}

// ---------------------------------------------------------------------------------------------
// Text.

TColor TdxBarSkinnedPainter::SkinTextColor(IdxSkin* skin, TdxBarItemControl* control) const {
  const bool menu = control && control->GetPaintType() == ptMenu;
  const int state = control ? BaseState(control->DrawParams(), 0) : bssNormal;
  return skin->GetElementColor(menu ? kMenuTextColor : kToolbarTextColor, state);
}

// A colour the skin does not have is the Office 2003 painter's.
TColor TdxBarSkinnedPainter::GetTextColor(TdxBarItemControl* control, bool selected, bool flat) const {
  IdxSkin* skin = GetSkin();
  const TColor color = skin ? SkinTextColor(skin, control) : clDefault;
  return color != clDefault ? color : TdxBarOffice11Painter::GetTextColor(control, selected, flat);
}

void TdxBarSkinnedPainter::GetDisabledTextColors(TdxBarItemControl* control, bool selected, TColor& text,
                                                 TColor& shadow, bool flat) const {
  if (!HasSkin()) return TdxBarOffice11Painter::GetDisabledTextColors(control, selected, text, shadow, flat);
  text = shadow = GetTextColor(control, selected, flat);
}

void TdxBarSkinnedPainter::DrawButtonText(const TdxBarItemControlDrawParams& params, const TRect& rect, UINT format,
                                          int alignment) const {
  IdxSkin* skin = GetSkin();
  if (!skin || params.PaintType == ptVert) return TdxBarOffice11Painter::DrawButtonText(params, rect, format, alignment);
  HDC dc = params.Canvas->GetHandle();
  TTextStateSaver saver(dc);
  SetBkMode(dc, TRANSPARENT);
  TColor color = clDefault, shadow;
  if (params.BarItemControl)
    GetItemTextColors(params.BarItemControl, params.Enabled, color, shadow, false, params.DrawSelected);
  else
    color = skin->GetElementColor(kToolbarTextColor, BaseState(params, 0));
  if (color == clDefault) color = TdxBarOffice11Painter::GetTextColor(nullptr, false, false);
  SetTextColor(dc, ColorToRGB(color));
  format |= alignment == 1 ? DT_CENTER : alignment == 2 ? DT_RIGHT : 0;
  if (IsLargeOutsideMenu(params)) return DrawLargeCaption(skin, params, rect, format);
  RECT r = *rect.Win();
  DrawTextA(dc, params.Caption.c_str(), -1, &r, format);
}

// Lines as wide as the rectangle, one "Wg" high each, at least two; a drop-down's arrow follows
// the last line's text, or stands alone in the middle of an empty last line.
void TdxBarSkinnedPainter::DrawLargeCaption(IdxSkin* skin, const TdxBarItemControlDrawParams& params,
                                            const TRect& rect, UINT format) const {
  HDC dc = params.Canvas->GetHandle();
  TStringList lines;
  SplitTextToWidth(params.Caption, params.Canvas, rect, &lines);
  while (lines.Count() < kCaptionLineCount) lines.Add("");
  const int lineHeight = params.Canvas->TextHeight("Wg"), last = lines.Count() - 1;
  for (int i = 0; i <= last; ++i) {
    const TRect lineRect(rect.Left, rect.Top + i * lineHeight, rect.Right, rect.Top + (i + 1) * lineHeight);
    const std::string line = lines.Get(i);
    if (i < last || !params.DropDown) {
      RECT r = *lineRect.Win();
      DrawTextA(dc, line.c_str(), -1, &r, format);
      continue;
    }
    const int arrowState = ButtonState(params, 1);
    if (line.empty()) {
      DrawArrowGlyph(skin, dc, lineRect, arrowState);
      continue;
    }
    const int arrowWidth = GetSmallIndentSize().cx;
    const int width = TextWidthOf(dc, line + ArrowPadding(dc, arrowWidth));
    const int left = lineRect.Left + (lineRect.Width() - width) / 2;
    RECT r{left, lineRect.Top, left + width, lineRect.Bottom};
    DrawTextA(dc, line.c_str(), -1, &r, (format & ~(DT_CENTER | DT_RIGHT)) | DT_NOCLIP);
    DrawArrowGlyph(skin, dc, TRect(left + width - arrowWidth, lineRect.Top, left + width, lineRect.Bottom), arrowState);
  }
}

// ---------------------------------------------------------------------------------------------
// Glyphs.

// A checked item of a menu shows the skin's check frame under its glyph, or the check mark alone.
void TdxBarSkinnedPainter::DrawGlyph(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state,
                                     const TRect& glyphRect, const TRect& backgroundRect) const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::DrawGlyph(control, dc, state, glyphRect, backgroundRect);
  TCustomImageList* images = nullptr;
  int index = -1;
  TBitmap* glyph = nullptr;
  const bool hasGlyph =
      !state.CheckMarkMode && control->GetImageInfo(control->DrawParams().ViewSize, state.Selected, images, index, glyph);
  if (control->GetPaintType() == ptMenu && state.Down) {
    const int side = std::min(glyphRect.Width(), glyphRect.Height());
    TRect square = RectCenterWH(glyphRect, side, side);
    square.Inflate(-1, -1);
    skin->DrawElement(dc, square, hasGlyph ? kMenuCheckFrame : kMenuCheckMark, state.Enabled ? bssNormal : bssDisabled);
  }
  if (!hasGlyph) return;
  TdxBarManager* manager = control->BarManager();
  TdxBarGlyphDrawFlags flags;
  flags.Enabled = state.Enabled && control->IsGlyphShownEnabled();
  flags.Faded = manager && FadesDisabledImages(control->Parent());
  flags.GreyScale = state.GreyScale;
  flags.Selected = state.Selected;
  flags.Pressed = state.Pressed;
  flags.Shadow = UsesGlyphShadow();
  flags.Smooth = manager && manager->ImageOptions()->SmoothGlyphs();
  ::DrawItemGlyph(dc, glyphRect, flags, nullptr, images, index, glyph, images ? images->BkColor() : clNone);
}
