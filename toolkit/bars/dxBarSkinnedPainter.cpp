// The skinned painter's toolbar, metric, menu and screen-tip operations; the buttons, their text
// and glyphs are in dxBarSkinnedPainterButtons.cpp.
#include "dxBarSkinnedPainter.h"

#include <algorithm>

#include "cxGeometry.h"
#include "dxBarControl.h"
#include "dxBarItemControl.h"
#include "dxBarSkinnedPainterElements.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarSkinnedPainter, TdxBarOffice11Painter)

using namespace dxBarSkinElements;

namespace {

// Where the client area lies in the window (the non-client frame's left and top widths).
TPoint ClientOffset(TCustomdxBarControl* bar) {
  if (!bar->HandleAllocated()) return {};
  RECT window{};
  GetWindowRect(bar->WindowHandle(), &window);
  POINT origin{0, 0};
  ClientToScreen(bar->WindowHandle(), &origin);
  return {origin.x - window.left, origin.y - window.top};
}

// The bar's view state as an element state: hot bars draw hot.
int BarState(TCustomdxBarControl* bar) { return bar->ViewState() == 1 ? bssHot : bssNormal; }

void FillColor(HDC dc, const TRect& rect, TColor color) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  FillRect(dc, rect.Win(), brush);
  DeleteObject(brush);
}

bool IsMenu(TCustomdxBarControl* bar) { return bar && bar->PaintType() == ptMenu; }

}  // namespace

IdxSkin* TdxBarSkinnedPainter::GetSkin() const { return dynamic_cast<IdxSkin*>(owner_); }

bool TdxBarSkinnedPainter::HasEditStyleName() const {
  IdxSkin* skin = GetSkin();
  return skin && !skin->GetSkinName().empty();
}

void TdxBarSkinnedPainter::DrawSeparatorLine(HDC dc, const TRect& rect, bool horizontal, TColor first,
                                             TColor second) {
  if (horizontal) {
    const TRect line = RectCenterWH(rect, rect.Width(), 1);
    FillColor(dc, line, first);
    FillColor(dc, TRect(line.Left, line.Bottom, line.Right, line.Bottom + 1), second);
  } else {
    const TRect line = RectCenterWH(rect, 1, rect.Height());
    FillColor(dc, line, second);
    FillColor(dc, TRect(line.Right, line.Top, line.Right + 1, line.Bottom), first);
  }
}

// ---------------------------------------------------------------------------------------------
// Toolbar and group windows.

// The group element covers the whole window; drawn on the client DC, it is shifted by the frame
// so that it lines up with what the non-client drawing puts around it.
void TdxBarSkinnedPainter::DrawToolbarBackground(TCustomdxBarControl* bar, HDC dc) const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::DrawToolbarBackground(bar, dc);
  const TPoint offset = ClientOffset(bar);
  POINT saved{};
  OffsetWindowOrgEx(dc, offset.X, offset.Y, &saved);
  skin->DrawElement(dc, TRect(0, 0, bar->Width(), bar->Height()), kGroup, BarState(bar));
  SetWindowOrgEx(dc, saved.x, saved.y, nullptr);
}

void TdxBarSkinnedPainter::DrawToolbarNonClient(TCustomdxBarControl* bar, HDC dc) const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::DrawToolbarNonClient(bar, dc);
  const TRect window(0, 0, bar->Width(), bar->Height());
  const TPoint offset = ClientOffset(bar);
  TRect client = bar->ClientRect();
  client.Offset(offset.X, offset.Y);
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
  skin->DrawElement(dc, window, kGroup, BarState(bar));
  skin->DrawElementCaption(dc, bar->Caption(), kGroup, skin->GetElementCaptionRect(window, kGroup));
  RestoreDC(dc, saved);
}

void TdxBarSkinnedPainter::GetFloatingCaptionRect(const TRect& windowRect, TRect& captionRect) const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::GetFloatingCaptionRect(windowRect, captionRect);
  captionRect = skin->GetElementCaptionRect(windowRect, kGroup);
}

bool TdxBarSkinnedPainter::PaintsToolbarNonClient() const {
  return HasSkin() || TdxBarOffice11Painter::PaintsToolbarNonClient();
}

bool TdxBarSkinnedPainter::SupportsLargeIcons() const {
  return !HasSkin() && TdxBarOffice11Painter::SupportsLargeIcons();
}

int TdxBarSkinnedPainter::GetDockContentOffset() const {
  IdxSkin* skin = GetSkin();
  return skin ? skin->GetElementMetric(kGroup) : TdxBarOffice11Painter::GetDockContentOffset();
}

int TdxBarSkinnedPainter::GetBarBorderSize() const {
  return HasSkin() ? 2 : TdxBarOffice11Painter::GetBarBorderSize();
}

// Menus with small items keep two more pixels for the glyph column's frame.
int TdxBarSkinnedPainter::GetIconAreaSize(TCustomdxBarControl* bar) const {
  const int size = TdxBarOffice11Painter::GetIconAreaSize(bar);
  return HasSkin() && IsMenu(bar) && !bar->UsesLargeItems() ? size + 2 : size;
}

void TdxBarSkinnedPainter::FillToolbarBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush,
                                                 const TRect& rect) const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::FillToolbarBackground(bar, dc, brush, rect);
  skin->DrawElement(dc, rect, kGroup, BarState(bar));
}

void TdxBarSkinnedPainter::DrawToolbarSeparator(TCustomdxBarControl* bar, HDC dc, bool horizontal, HBRUSH brush,
                                                const TRect& rect) const {
  if (!HasSkin()) return TdxBarOffice11Painter::DrawToolbarSeparator(bar, dc, horizontal, brush, rect);
  DrawSeparatorLine(dc, rect, horizontal, kSeparatorDark, kSeparatorLight);
}

// Mark states: 1 hot, 2 dropped down.
void TdxBarSkinnedPainter::DrawMark(TCustomdxBarControl* bar, HDC dc, int markState, const TRect& rect) const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::DrawMark(bar, dc, markState, rect);
  const int state = markState == 1 ? bssHot : markState == 2 ? bssPressed : bssNormal;
  skin->DrawElement(dc, rect, kMarkGlyph, state);
}

// Without a skin a toolbar window keeps the base painter's frame, which is none.
TRect TdxBarSkinnedPainter::GetToolbarBorderOffsets(TCustomdxBarControl*) const {
  IdxSkin* skin = GetSkin();
  return skin ? skin->GetElementContentOffsets(kGroup) : TRect();
}

void TdxBarSkinnedPainter::DrawBarBackground(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const {
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
  DrawToolbarBackground(bar, dc);
  RestoreDC(dc, saved);
}

void TdxBarSkinnedPainter::FillItemBackground(TdxBarItemControl* control, HDC dc, bool useBrush, HBRUSH brush,
                                              const TRect& rect) const {
  IdxSkin* skin = GetSkin();
  if (!skin || useBrush) return TdxBarOffice11Painter::FillItemBackground(control, dc, useBrush, brush, rect);
  TCustomdxBarControl* bar = control->Parent();
  if (IsMenu(bar)) DrawMenuBackground(skin, bar, dc, rect);
  else DrawBarBackground(bar, dc, rect);
}

// ---------------------------------------------------------------------------------------------
// Metrics of buttons and edits.

TRect TdxBarSkinnedPainter::GetArrowMargins() const {
  return HasSkin() ? TRect(3, 0, 2, 0) : TdxBarOffice11Painter::GetArrowMargins();
}

int TdxBarSkinnedPainter::GetButtonArrowWidth(TdxBarManager* manager) const {
  return HasSkin() ? 13 : TdxBarOffice11Painter::GetButtonArrowWidth(manager);
}

int TdxBarSkinnedPainter::GetButtonArrowExtra(TdxBarItemControl* control) const {
  return HasSkin() ? 0 : TdxBarOffice11Painter::GetButtonArrowExtra(control);
}

int TdxBarSkinnedPainter::GetButtonPaddingY() const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::GetButtonPaddingY();
  const TRect margins = skin->GetElementContentOffsets(kSmallButton);
  return margins.Top + margins.Bottom;
}

int TdxBarSkinnedPainter::GetButtonPaddingX() const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::GetButtonPaddingX();
  const TRect margins = skin->GetElementContentOffsets(kSmallButton);
  return margins.Left + margins.Right;
}

namespace {
// At least a small glyph's size inside the padding, and of the content's parity, so that the
// content sits exactly in the middle.
int PaddedButtonSize(int content, int padding) {
  const int size = std::max(content, 16) + padding;
  return (size - content) % 2 != 0 ? size + 1 : size;
}
}  // namespace

int TdxBarSkinnedPainter::CalcButtonHeight(int contentSize) const {
  if (!HasSkin()) return TdxBarOffice11Painter::CalcButtonHeight(contentSize);
  return PaddedButtonSize(contentSize, GetButtonPaddingY());
}

int TdxBarSkinnedPainter::CalcButtonWidth(int contentSize) const {
  if (!HasSkin()) return TdxBarOffice11Painter::CalcButtonWidth(contentSize);
  return PaddedButtonSize(contentSize, GetButtonPaddingX());
}

TSize TdxBarSkinnedPainter::GetSmallIndentSize() const {
  return HasSkin() ? TSize(5, 4) : TdxBarOffice11Painter::GetSmallIndentSize();
}

bool TdxBarSkinnedPainter::HasShadow(TCustomdxBarControl* bar) const {
  return !HasSkin() && TdxBarOffice11Painter::HasShadow(bar);
}

bool TdxBarSkinnedPainter::ShowsEditButtonsInMenus() const { return true; }

void TdxBarSkinnedPainter::AdjustIconAreaSize(TCustomdxBarControl* bar, int& size) const {
  if (!HasSkin()) TdxBarOffice11Painter::AdjustIconAreaSize(bar, size);
}

int TdxBarSkinnedPainter::GetTextLineHeight(TcxCanvas* canvas) const {
  if (!HasSkin()) return TdxBarOffice11Painter::GetTextLineHeight(canvas);
  return canvas->TextHeight("Wg") + 3;
}

int TdxBarSkinnedPainter::GetComboEditGap() const { return HasSkin() ? 0 : TdxBarOffice11Painter::GetComboEditGap(); }

TRect TdxBarSkinnedPainter::GetComboButtonMargins(int paintType) const {
  return HasSkin() ? TRect() : TdxBarOffice11Painter::GetComboButtonMargins(paintType);
}

TRect TdxBarSkinnedPainter::GetSpinButtonMargins(int paintType) const {
  return HasSkin() ? TRect() : TdxBarOffice11Painter::GetSpinButtonMargins(paintType);
}

int TdxBarSkinnedPainter::GetEllipsisButtonWidth(int paintType, const TRect& rect) const {
  return HasEditStyleName() ? 19 : TdxBarOffice11Painter::GetEllipsisButtonWidth(paintType, rect);
}

int TdxBarSkinnedPainter::GetComboArrowWidth(TCustomdxBarControl* bar, int size) const {
  if (!HasSkin()) return TdxBarOffice11Painter::GetComboArrowWidth(bar, size);
  return HasEditStyleName() ? 19 : size + 8;
}

TSize TdxBarSkinnedPainter::CalcSpinArrowSize(int buttonHeight) const {
  return HasSkin() ? TSize(5, 3) : TdxBarOffice11Painter::CalcSpinArrowSize(buttonHeight);
}

void TdxBarSkinnedPainter::DrawColorSwatch(HDC dc, TColor color, const TRect& rect) const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::DrawColorSwatch(dc, color, rect);
  skin->DrawElement(dc, rect, kMenuFrame, bssNormal);
}

void TdxBarSkinnedPainter::FillColorRect(TcxCanvas* canvas, const TRect& rect, TColor color) const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::FillColorRect(canvas, rect, color);
  skin->DrawElement(canvas->GetHandle(), rect, kSmallArrow, bssNormal);
}

// ---------------------------------------------------------------------------------------------
// Menus.

// The glyph column (with its two-pixel separator) left of the text, or one plain background for
// menus of large items; L is the left band's edge (menus have no side bar here).
void TdxBarSkinnedPainter::DrawMenuBackground(IdxSkin* skin, TCustomdxBarControl* menu, HDC dc,
                                              const TRect& rect) const {
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
  const int left = menu->ClientRect().Left, column = GetMenuIconAreaWidth(menu);
  const bool large = menu->UsesLargeItems();
  skin->DrawElement(dc, TRect(left, rect.Top, left + column, rect.Bottom), large ? kMenuContent : kMenuGlyphColumn,
                    bssNormal);
  skin->DrawElement(dc, TRect(left + column, rect.Top, left + column + 2, rect.Bottom),
                    large ? kMenuContent : kMenuColumnSeparator, bssNormal);
  skin->DrawElement(dc, TRect(left + column + 2, rect.Top, std::max(rect.Right, left + column + 2), rect.Bottom),
                    kMenuContent, bssNormal);
  RestoreDC(dc, saved);
}

void TdxBarSkinnedPainter::DrawMenuItemBackground(const TdxBarItemControlDrawParams& params,
                                                  const TRect& rect) const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::DrawMenuItemBackground(params, rect);
  HDC dc = params.Canvas->GetHandle();
  FillItemBackground(params.BarItemControl, dc, false, nullptr, rect);
  if (!params.DrawSelected) return;
  if (params.IsButton && params.DropDown) {
    TRect main, arrow;
    CalcButtonParts(params, rect, main, arrow);
    skin->DrawElement(dc, main, kSmallSplitMain, MenuPartState(params, 0));
    skin->DrawElement(dc, arrow, kSmallSplitArrow, MenuPartState(params, 1));
  } else {
    skin->DrawElement(dc, rect, kSmallButton, MenuPartState(params, 0));
  }
}

void TdxBarSkinnedPainter::DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::DrawMenuSeparatorLine(canvas, rect);
  skin->DrawElement(canvas->GetHandle(), rect, kMenuSeparator, bssNormal);
}

// In the Office 2003 painter's chevron square: as high as the button less a pixel at each end.
void TdxBarSkinnedPainter::DrawExpandButtonChevrons(TCustomdxBarControl* menu, HDC dc, bool selected,
                                                    const TRect& rect) const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::DrawExpandButtonChevrons(menu, dc, selected, rect);
  const int side = rect.Height() - 2;
  const int left = rect.Left + (rect.Width() - side) / 2;
  skin->DrawElement(dc, TRect(left, rect.Top + 1, left + side, rect.Top + 1 + side), kExpandChevrons, bssNormal);
}

bool TdxBarSkinnedPainter::IsExpandButtonFlat() const {
  return HasSkin() || TdxBarOffice11Painter::IsExpandButtonFlat();
}

int TdxBarSkinnedPainter::GetMenuScrollButtonHeight(TCustomdxBarControl* bar) const {
  const int height = TdxBarOffice11Painter::GetMenuScrollButtonHeight(bar);
  return HasSkin() ? (height * 3 - 18) / 4 : height;
}

int TdxBarSkinnedPainter::GetMenuScrollArrowSize(int height) const {
  return HasSkin() ? height / 7 : TdxBarOffice11Painter::GetMenuScrollArrowSize(height);
}

int TdxBarSkinnedPainter::CalcMenuArrowWidth(int textSize) const {
  return HasSkin() ? textSize : TdxBarOffice11Painter::CalcMenuArrowWidth(textSize);
}

int TdxBarSkinnedPainter::GetMenuSeparatorSize() const {
  return HasSkin() ? 3 : TdxBarOffice11Painter::GetMenuSeparatorSize();
}

// The base painter's glyph rectangle: the skin's glyph column has no frame to keep clear.
TRect TdxBarSkinnedPainter::CalcMenuGlyphRect(const TRect& rect, int iconAreaSize) const {
  if (!HasSkin()) return TdxBarOffice11Painter::CalcMenuGlyphRect(rect, iconAreaSize);
  return TdxBarPainter::CalcMenuGlyphRect(rect, iconAreaSize);
}

int TdxBarSkinnedPainter::GetBaseTextSize() const {
  return HasSkin() ? 22 : TdxBarOffice11Painter::GetBaseTextSize();
}

int TdxBarSkinnedPainter::GetMenuFrameWidth(TCustomdxBarControl* menu) const {
  return HasSkin() ? 2 : TdxBarOffice11Painter::GetMenuFrameWidth(menu);
}

int TdxBarSkinnedPainter::GetMenuMargin() const { return HasSkin() ? 0 : TdxBarOffice11Painter::GetMenuMargin(); }

// The base painter's answers without a skin: no inflation, no extra indent.
int TdxBarSkinnedPainter::GetMenuTextInflate() const { return HasSkin() ? 2 : 0; }
int TdxBarSkinnedPainter::GetMenuExtraIndent() const { return HasSkin() ? 1 : 0; }

int TdxBarSkinnedPainter::GetMenuTextLineHeight(TcxCanvas* canvas) const {
  return GetTextLineHeight(canvas) + 2 * (GetMenuTextInflate() + GetMenuExtraIndent());
}

int TdxBarSkinnedPainter::GetMenuIconAreaWidth(TCustomdxBarControl* menu) const {
  if (!HasSkin()) return menu->IconAreaSize();
  return GetMenuTextInflate() + menu->IconAreaSize() - 2;
}

// ---------------------------------------------------------------------------------------------
// Screen tips.

void TdxBarSkinnedPainter::DrawScreenTipBackground(TcxCanvas* canvas, const TRect& rect) const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::DrawScreenTipBackground(canvas, rect);
  skin->DrawElement(canvas->GetHandle(), rect, kScreenTip, bssNormal);
}

void TdxBarSkinnedPainter::DrawScreenTipFooterLine(TcxCanvas* canvas, const TRect& rect) const {
  IdxSkin* skin = GetSkin();
  if (!skin) return TdxBarOffice11Painter::DrawScreenTipFooterLine(canvas, rect);
  HDC dc = canvas->GetHandle();
  FillColor(dc, TRect(rect.Left, rect.Top, rect.Right, rect.Top + 1), skin->GetElementColor(kScreenTipFooterColor, 0));
  FillColor(dc, TRect(rect.Left, rect.Top + 1, rect.Right, rect.Top + 2), clWhite);
}
