// The base painter's metrics, colours, brushes and the small drawing operations; the button, glyph
// and text drawing is in dxBarPainterButtons.cpp.
#include "dxBarPainter.h"

#include <cmath>

#include "cxGraphicsRoutines.h"
#include "dxBarControl.h"
#include "dxBarDrawRoutines.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"
#include "dxOffice11.h"

DX_IMPLEMENT_BAR_PAINTER(TdxBarPainter, TClassOperations)
DX_IMPLEMENT_BAR_PAINTER(TdxBarStandardPainter, TdxBarPainter)
DX_IMPLEMENT_BAR_PAINTER(TdxBarEnhancedPainter, TdxBarStandardPainter)

TdxBarPainterClass dxBarSkinnedPainterClass = TdxBarStandardPainter::Instance();

void DrawShadedArrow(HDC dc, const TRect& rect, TColor color, bool flat, bool enabled, bool selected, int size,
                     int direction) {
  DrawArrowSized(dc, rect, direction == 1 ? 1 : 3, size, selected, enabled, flat, color);
}

// ---------------------------------------------------------------------------------------------
// Toolbar window.

void TdxBarPainter::DrawToolbarBackground(TCustomdxBarControl* bar, HDC dc) const {
  bar->FillBackground(dc, bar->ClientRect(), bar->BkBrush(), clNone, true);
}

void TdxBarPainter::DrawToolbarNonClient(TCustomdxBarControl*, HDC) const {}

void TdxBarPainter::GetFloatingCaptionRect(const TRect& windowRect, TRect& captionRect) const {
  captionRect = windowRect;
  captionRect.Left += GetFloatingFrameWidth();
  captionRect.Right -= GetFloatingFrameWidth();
  captionRect.Top += GetFloatingFrameHeight();
  captionRect.Bottom -= GetFloatingFrameHeight();
  captionRect.Bottom = captionRect.Top + GetFloatingCaptionHeight();
}

// ---------------------------------------------------------------------------------------------
// Bar parts and hints.

void TdxBarPainter::DrawGlyphFrame(TdxBarItemControl*, HDC, const TdxBarGlyphState&, int, const TRect&, bool,
                                   HBRUSH) const {}

void TdxBarPainter::DrawCheckMark(TdxBarItemControl*, HDC, int, int, int) const {}

void TdxBarPainter::DrawCheckGlyph(TdxBarItemControl* control, HDC dc, bool down, int paintType,
                                   const TRect& rect) const {
  if (!down || paintType != ptMenu) return;
  const TFont* font = control->Parent()->ItemsFont();
  const int scale = font->Size() < 16 ? 1 : 2;
  const int width = 9 * scale, height = 7 * scale;
  DrawCheckMark(control, dc, scale, rect.Top + (rect.Height() - height) / 2, rect.Left + (rect.Width() - width) / 2);
}

void TdxBarPainter::DrawDropDownArrow(HDC dc, const TRect& rect, TColor color, bool flat, bool selected,
                                      bool enabled, int direction) const {
  DrawShadedArrow(dc, rect, color, flat, enabled, selected, ArrowSizeForRect(rect, direction == 1 ? 1 : 3),
                  direction);
}

void TdxBarPainter::DrawArrow(HDC dc, const TRect& rect, TColor color, bool flat, bool enabled, bool selected,
                              int size, int direction) const {
  DrawShadedArrow(dc, rect, color, flat, enabled, selected, size, direction);
}

void TdxBarPainter::DrawSelectionFrame(HDC, const TRect&) const {}

TColor TdxBarPainter::GetTextColor(TdxBarItemControl*, bool selected, bool flat) const {
  return selected && !flat ? clHighlightText : clBtnText;
}

void TdxBarPainter::GetDisabledTextColors(TdxBarItemControl*, bool selected, TColor& text, TColor& shadow,
                                          bool flat) const {
  if (selected || flat) {
    text = shadow = clGrayText;
  } else {
    text = clBtnShadow;
    shadow = clBtnHighlight;
  }
}

TColor TdxBarPainter::GetEnabledTextColor(TdxBarItemControl* control, bool selected, bool flat) const {
  return GetTextColor(control, selected, flat);
}

TColor TdxBarPainter::GetArrowColor(const TdxBarItemControlDrawParams& params) const {
  if (!ArrowsUseTextColor()) return clDefault;
  TColor text, shadow;
  GetItemTextColors(params.BarItemControl, params.Enabled, text, shadow, IsFlatLookForParams(params),
                    params.DrawSelected);
  return text;
}

bool TdxBarPainter::FadesDisabledImages(TCustomdxBarControl* bar) const {
  return bar->BarManager()->ImageOptions()->MakeDisabledImagesFaded();
}

bool TdxBarPainter::IsMainMenuItem(TdxBarItemControl*) const { return false; }

TSize TdxBarPainter::CalcHintSize(TCustomdxBarControl*, HDC, const std::string&, const TSize& textSize) const {
  return {textSize.cx, textSize.cy + 20};
}

bool TdxBarPainter::IsSmallFloatingCaption(TCustomdxBarControl*, const TRect& captionRect) const {
  return captionRect.Height() < 17;
}

TColor TdxBarPainter::GetFloatingCaptionColor(TCustomdxBarControl*, int index) const {
  return GetSysColor(index == 1 ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
}

TColor TdxBarPainter::GetFloatingCaptionTextColor(TCustomdxBarControl*) const { return clCaptionText; }
TColor TdxBarPainter::GetFloatingMarkColor(TCustomdxBarControl*, int) const { return clCaptionText; }

int TdxBarPainter::GetFloatingMarkLeft(TCustomdxBarControl*, TRect& textRect) const { return textRect.Right + 3; }

int TdxBarPainter::GetMarkArrowColorIndex(TCustomdxBarControl*) const { return COLOR_BTNTEXT; }

void TdxBarPainter::DrawButtonText(const TdxBarItemControlDrawParams& params, const TRect& rect, UINT format,
                                   int alignment) const {
  DrawItemText(params.BarItemControl, params.Canvas->GetHandle(), format, params.TextShadow, false,
               params.PaintType == ptVert, params.TextSelected, params.Enabled, alignment, rect, params.Caption);
}

void TdxBarPainter::CalcButtonTextExtent(const TdxBarItemControlDrawParams& params, TRect& rect) const {
  DrawTextA(params.Canvas->GetHandle(), params.Caption.c_str(), -1, rect.Win(), DT_CALCRECT | DT_SINGLELINE);
}

void TdxBarPainter::AddArrowWidth(const TdxBarItemControlDrawParams& params, int& width) const {
  if (!params.DropDown) return;
  if (params.IsButton && params.PaintType != ptMenu) {
    width += GetArrowMargins().Right + params.ArrowSize.cx;
  } else if (!params.IsButton && !params.ArrowSuppressed) {
    width += params.BarItemControl->Parent()->TextSize() / 2;
  }
}

int TdxBarPainter::GetEllipsisButtonWidth(int paintType, const TRect& rect) const {
  const TRect margins = GetComboButtonMargins(paintType);
  return (rect.Height() - 4) / 7 * 7 + 4 - margins.Left - margins.Right;
}

void TdxBarPainter::DrawComboArrow(const TdxBarItemControlDrawParams& params, const TRect& rect, TColor color,
                                   int arrowSize) const {
  const TColor c = !params.Enabled && !IsFlatLook() ? clDefault : color;
  DrawShadedArrow(params.Canvas->GetHandle(), rect, c, IsFlatLook(), params.Enabled, false, arrowSize, 1);
}

void TdxBarPainter::FillColorRect(TcxCanvas* canvas, const TRect& rect, TColor color) const {
  canvas->FillRectColor(rect, color);
}

int TdxBarPainter::GetMenuScrollButtonHeight(TCustomdxBarControl* bar) const { return bar->TextSize(); }

void TdxBarPainter::DeflateEditRect(TdxBarItemControl*, TRect& rect) const {
  int top, bottom;
  GetEditFrameWidths(top, bottom);
  const TRect margins = GetEditMargins();
  rect = {rect.Left + margins.Left, rect.Top + top, rect.Right - margins.Right, rect.Bottom - bottom};
}

// ---------------------------------------------------------------------------------------------
// Item controls.

void TdxBarPainter::CalcButtonParts(const TdxBarItemControlDrawParams& params, const TRect& itemRect,
                                    TRect& buttonPart, TRect& arrowPart) const {
  buttonPart = itemRect;
  arrowPart = {};
  if (!params.DropDown || !params.IsButton) return;
  buttonPart.Right = itemRect.Right - params.ArrowSize.cx;
  arrowPart = {buttonPart.Right, itemRect.Top, itemRect.Right, itemRect.Bottom};
}

void TdxBarPainter::GetItemTextColors(TdxBarItemControl* control, bool enabled, TColor& text, TColor& shadow,
                                      bool flat, bool selected) const {
  if (!enabled) return GetDisabledTextColors(control, selected, text, shadow, flat);
  const TColor own = control ? control->ItemTextColor() : clDefault;
  text = shadow = own != clDefault ? own : GetEnabledTextColor(control, selected, flat);
}

int TdxBarPainter::GetIconAreaSize(TCustomdxBarControl* bar) const {
  int size = bar->TextSize();
  if (bar->UsesLargeItems()) size = static_cast<int>(std::nearbyint(40 * bar->ScaleRatio()));
  AdjustIconAreaSize(bar, size);
  return size;
}

int TdxBarPainter::GetHalfFontHeight(TdxBarItemControl* control) const {
  return -control->Parent()->ItemsFont()->Height() / 2;
}

int TdxBarPainter::GetTextLineHeight(TcxCanvas* canvas) const { return canvas->TextHeight("Wg") + 6; }

void TdxBarPainter::FillItemBackground(TdxBarItemControl* control, HDC dc, bool useBrush, HBRUSH brush,
                                       const TRect& rect) const {
  if (useBrush) FillRect(dc, rect.Win(), brush);
  else control->Parent()->FillBackground(dc, rect, brush, clNone, true);
}

void TdxBarPainter::FrameItemBackground(TdxBarItemControl* control, HDC dc, bool useBrush, HBRUSH brush,
                                        const TRect& rect) const {
  if (useBrush) {
    FrameRect(dc, rect.Win(), brush);
    return;
  }
  HRGN saved;
  bool hadClip;
  SaveClipRegion(dc, saved, hadClip);
  ExcludeClipRect(dc, rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
  FillItemBackground(control, dc, false, brush, rect);
  RestoreClipRegion(dc, saved, hadClip);
}

void TdxBarPainter::DrawDisabledDot(TdxBarItemControl*, HDC dc, const TRect& rect) const {
  FillRect(dc, rect.Win(), GetSysColorBrush(COLOR_BTNSHADOW));
}

// ---------------------------------------------------------------------------------------------
// Metrics, flags and brushes.

void TdxBarPainter::DrawButtonSunkenFrame(HDC dc, TRect& rect) const {
  DrawEdge(dc, rect.Win(), BDR_SUNKENOUTER, BF_RECT);
  rect.Inflate(-1, -1);
}

HBRUSH TdxBarPainter::GetGlyphBackgroundBrush(TdxBarItemControl* control, const TdxBarGlyphState&) const {
  return control->GetBackgroundBrush();
}

int TdxBarPainter::GetGlyphDownOffset(TdxBarItemControl*) const { return 0; }
int TdxBarPainter::GetGlyphPressedOffset(TdxBarItemControl*) const { return 0; }

bool TdxBarPainter::IsFlatLookOnColoredFace() const { return IsFlatLook() && !IsWhiteButtonFace(); }

bool TdxBarPainter::HighlightsButtonText(TdxBarItemControl*) const { return false; }

bool TdxBarPainter::IsItemHighlighted(TdxBarItemControl* control, bool down, bool checkMarkMode, bool selected,
                                      bool pressed) const {
  if (!checkMarkMode) return control->IsPressed() || control->HasOwnBackgroundBrush();
  return control->IsPressed() || down || selected || pressed;
}

bool TdxBarPainter::HasTransparentGlyphBackground(TdxBarItemControl* control) const {
  if (UsesThemes()) return true;
  if (control->IsPressed()) return false;
  return control->Parent()->HasDockBackground();
}

int TdxBarPainter::GetButtonArrowExtra(TdxBarItemControl*) const { return 0; }

int TdxBarPainter::GetMenuItemExtraWidth(TdxBarItemControl* control) const {
  return control->GetPaintType() == ptMenu ? control->Parent()->TextSize() + 1 : 0;
}

int TdxBarPainter::GetFloatingFrameWidth() const { return GetSystemMetrics(SM_CXFRAME); }
int TdxBarPainter::GetFloatingFrameHeight() const { return GetSystemMetrics(SM_CYFRAME); }
int TdxBarPainter::GetDragHandleSize(TCustomdxBarControl*) const { return 0; }
int TdxBarPainter::GetDragHandleWidth(TCustomdxBarControl*) const { return 3; }

int TdxBarPainter::GetButtonArrowWidth(TdxBarManager* manager) const {
  const int width = (manager->ImageOptions()->LargeIcons() ? 2 : 1) * manager->ButtonArrowWidth();
  return width % 2 == 0 ? width + 1 : width;
}

int TdxBarPainter::GetLargeButtonArrowWidth(TdxBarManager* manager) const { return manager->LargeButtonArrowWidth(); }

bool TdxBarPainter::DrawsBarsFlat(TCustomdxBarControl*) const { return false; }
bool TdxBarPainter::HasMenuShadow(TCustomdxBarControl* bar) const { return IsFlatLook() && !bar->IsDocked(); }
bool TdxBarPainter::HasShadow(TCustomdxBarControl* bar) const { return HasMenuShadow(bar); }
HBRUSH TdxBarPainter::GetFlatFaceBrush(TdxBarManager* manager) const { return manager->FlatToolbarsBrush(); }
HBRUSH TdxBarPainter::GetToolbarBrush(TCustomdxBarControl*) const { return GetSysColorBrush(COLOR_BTNFACE); }
HBRUSH TdxBarPainter::GetToolbarBrushOfBar(TCustomdxBarControl* bar) const { return GetToolbarBrush(bar); }
HBRUSH TdxBarPainter::GetDownedBrush(TCustomdxBarControl*) const { return CheckerBrush(); }
HBRUSH TdxBarPainter::GetDownedSelectedBrush(TCustomdxBarControl*) const { return GetSysColorBrush(COLOR_BTNFACE); }
HBRUSH TdxBarPainter::GetSelectedBrush(TCustomdxBarControl*) const { return GetSysColorBrush(COLOR_HIGHLIGHT); }
int TdxBarPainter::GetComboArrowWidth(TCustomdxBarControl*, int size) const { return 2 * size - 1; }

int TdxBarPainter::CalcEditHeight(TCustomdxBarControl* bar, int textHeight) const {
  const TRect borders = GetEditBorders(bar->PaintType()), margins = GetEditMargins();
  return textHeight + borders.Top + borders.Bottom + margins.Top + margins.Bottom;
}

void TdxBarPainter::GetEditFrameWidths(int& top, int& bottom) const { top = bottom = 2; }
bool TdxBarPainter::ShowsMarkArrow(TCustomdxBarControl*) const { return true; }
int TdxBarPainter::GetSeparatorMargin() const { return (GetSeparatorThickness() - 2) / 2; }
TRect TdxBarPainter::GetSingleBorderRect(TCustomdxBarControl*, TdxBarDockingStyle) const { return {2, 2, 2, 2}; }
int TdxBarPainter::GetFloatingCaptionTotalHeight(TCustomdxBarControl*) const { return GetFloatingCaptionHeight() + 1; }
int TdxBarPainter::GetFloatingCaptionHeight() const { return ReadNonClientMetrics().iSmCaptionHeight; }

TSize TdxBarPainter::GetCaptionButtonSize() const {
  const int size = GetFloatingCaptionHeight();
  return {size, size};
}

int TdxBarPainter::GetMarkSize(TCustomdxBarControl*) const { return 11; }
int TdxBarPainter::GetStatusBarTopMargin(TCustomdxBarControl*) const { return 2; }
TRect TdxBarPainter::GetTextMargins(TdxBarItemControl*) const { return {3, 0, 3, 0}; }
HBRUSH TdxBarPainter::GetButtonBrush(const TdxBarItemControlDrawParams& params) const {
  return params.BarItemControl->GetBackgroundBrush();
}

// ---------------------------------------------------------------------------------------------
// Buttons and menu items (metrics).

bool TdxBarPainter::FillsButtonWithBrush(const TdxBarItemControlDrawParams& params) const {
  return params.BarItemControl->IsPressed() || (IsFlatLook() && (params.DroppedDown || params.DrawSelected));
}

bool TdxBarPainter::IsArrowSelected(const TdxBarItemControlDrawParams& params) const {
  const bool inMenu = params.PaintType == ptMenu;
  return IsFlatLook() && ((IsWhiteButtonFace() && params.DrawSelected && (inMenu || !params.DroppedDown)) ||
                          (inMenu && params.DroppedDown));
}

bool TdxBarPainter::IsFlatLookForParams(const TdxBarItemControlDrawParams&) const { return IsFlatLook(); }
bool TdxBarPainter::IsFlatLookForArrow(const TdxBarItemControlDrawParams&) const { return IsFlatLook(); }
int TdxBarPainter::CalcButtonHeight(int contentSize) const { return contentSize + GetButtonPaddingY(); }
int TdxBarPainter::CalcButtonWidth(int contentSize) const { return contentSize + GetButtonPaddingX(); }
TSize TdxBarPainter::CalcButtonSize(int contentSize) const {
  return {CalcButtonWidth(contentSize), CalcButtonHeight(contentSize)};
}
void TdxBarPainter::AdjustIconAreaSize(TCustomdxBarControl*, int&) const {}
void TdxBarPainter::AdjustMenuItemWidth(TdxBarItemControl*, int&) const {}

void TdxBarPainter::OffsetPressedContent(bool down, bool pressed, TRect& rect) const {
  if (IsFlatLook()) return;
  if (down || pressed) rect.Offset(1, 1);
  if (down && pressed) rect.Offset(1, 1);
}

void TdxBarPainter::OffsetPressedGlyph(bool pressed, TRect& rect) const {
  if (pressed && !IsFlatLook()) rect.Offset(1, 1);
}

TColor TdxBarPainter::GetComboArrowColor(const TdxBarItemControlDrawParams&) const { return clBtnText; }

void TdxBarPainter::DrawColorSwatch(HDC dc, TColor color, const TRect& rect) const {
  FrameRect(dc, rect.Win(), GetSysColorBrush(COLOR_BTNSHADOW));
  TRect inner = rect;
  inner.Inflate(-1, -1);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  FillRect(dc, inner.Win(), brush);
  DeleteObject(brush);
}

int TdxBarPainter::CalcMenuArrowWidth(int textSize) const { return textSize / 4 * 3 + 1; }
int TdxBarPainter::GetMenuFrameWidth(TCustomdxBarControl*) const { return 1; }
int TdxBarPainter::GetMenuBorderSize(TCustomdxBarControl* menu) const {
  return GetMenuFrameWidth(menu) + GetMenuMargin();
}

void TdxBarPainter::CalcMenuMarkSizes(TcxCanvas* canvas, int textSize, int& markSize, int& arrowWidth) const {
  arrowWidth = CalcMenuArrowWidth(textSize);
  markSize = canvas->TextHeight("0") + 1;
  const int chevron = GetMenuChevronSize(markSize);
  if (chevron % 2 != 0) markSize = 2 * chevron + 4;
}

// ---------------------------------------------------------------------------------------------
// Edits, statics and separators (metrics).

TRect TdxBarPainter::GetEditBorders(int) const { return {2, 2, 2, 2}; }
TColor TdxBarPainter::GetEditColor(TdxBarItemControl*) const { return GetSysColor(COLOR_WINDOW); }
TRect TdxBarPainter::GetComboButtonMargins(int) const { return {1, 2, 1, 2}; }
TRect TdxBarPainter::GetSpinButtonMargins(int) const { return {1, 0, 1, 0}; }

TSize TdxBarPainter::CalcSpinArrowSize(int buttonHeight) const {
  const int a = (buttonHeight / 2 - 2) / 2;
  return {2 * a - 1, a};
}

TColor TdxBarPainter::GetProgressBarColor() const { return GetSysColor(COLOR_HIGHLIGHT); }
TRect TdxBarPainter::GetSeparatorTextMargins(TdxBarItemControl*) const { return {6, 0, 0, 0}; }

TRect TdxBarPainter::GetStaticBorderRect(int borderStyle) {
  static const int widths[] = {0, 1, 1, 2, 2};
  const int w = borderStyle >= 0 && borderStyle < 5 ? widths[borderStyle] : 0;
  return {w, w, w, w};
}
