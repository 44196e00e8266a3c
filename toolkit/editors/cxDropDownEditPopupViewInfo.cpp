// The editor popup's geometry (border, shadow, system panel, grip and close button) and painting.
#include <windows.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>

#include "cxDWMApi.h"
#include "cxDropDownEdit.h"
#include "cxEditPaintUtils.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

CALDERAN_IMPLEMENT_CLASS(TcxCustomEditPopupWindowViewInfo, TcxContainerViewInfo)

namespace {

constexpr int ShadowWidth = cxContainerShadowWidth;

struct TPopupBorderWidths {
  int Border, ClientEdge;
};
// Indexed by TcxEditPopupBorderStyle, for the classic painting.
constexpr TPopupBorderWidths borderWidthsOfStyle[] = {{0, 0}, {1, 2}, {4, 2}, {2, 1}};
// Rotation that turns the painter's bottom-right grip into each corner (indexed by the corner).
constexpr TcxRotationAngle gripRotationOfCorner[] = {ra180, raPlus90, raMinus90, ra0};

TSize ThemePartSize(TdxThemedObjectType kind, int part, int state) {
  SIZE size{0, 0};
  if (HTHEME theme = OpenThemeByKind(kind)) UxGetThemePartSizeNoRect(theme, nullptr, part, state, TS_TRUE, &size);
  return TSize(size.cx, size.cy);
}

bool ThemeOpens(TdxThemedObjectType kind) { return OpenThemeByKind(kind) != nullptr; }

}  // namespace

TcxPopupSizingState& PopupSizingState() {
  static TcxPopupSizingState state;
  return state;
}

int TcxCustomEditPopupWindowViewInfo::PopupBorderWidth(bool withClientEdge) {
  int width = 0;
  bool handled = false;
  if (OnCustomBorder) OnCustomBorder(this, nullptr, width, handled, Bounds);
  const bool painterBorder = UseNativeStyle || SkinPainter;
  if (!handled) width = painterBorder ? 1 : borderWidthsOfStyle[PopupBorder].Border;
  if (withClientEdge && HasClientEdge) width += painterBorder ? 2 : borderWidthsOfStyle[PopupBorder].ClientEdge;
  return width;
}

int TcxCustomEditPopupWindowViewInfo::NaturalPanelHeight() const {
  int height = std::max(GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CYSIZE));
  if (ShowsSysPanel && UseNativeStyle && ThemeOpens(totWindow)) {
    height = std::max<int>(height, ThemePartSize(totWindow, WP_CLOSEBUTTON, 1).cy);
    height = std::max<int>(height, ThemePartSize(totScrollBar, SBP_SIZEBOX, 1).cy);
  }
  return height;
}

int TcxCustomEditPopupWindowViewInfo::GetPanelHeight() {
  const int natural = NaturalPanelHeight();
  return MinPanelHeight > 0 && MinPanelHeight > natural ? MinPanelHeight : natural;
}

bool TcxCustomEditPopupWindowViewInfo::PanelSeparated() const {
  return UseNativeStyle || PopupBorder == epbsSingle || SkinPainter;
}

TRect TcxCustomEditPopupWindowViewInfo::GetBorderExtents() {
  const int width = PopupBorderWidth(true);
  TRect extents(width, width, width, width);
  if (DropShadow) extents.Right += ShadowWidth, extents.Bottom += ShadowWidth;
  PanelHeight = ShowsSysPanel ? GetPanelHeight() : 0;
  if (ShowsSysPanel) (GripAtTop() ? extents.Top : extents.Bottom) += PanelHeight + (PanelSeparated() ? 1 : 0);
  SizingMargin = std::max(GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CYSIZE));
  return extents;
}

void TcxCustomEditPopupWindowViewInfo::CalculateLayout() {
  const TRect extents = GetBorderExtents();
  const TRect bounds(0, 0, Bounds.Width(), Bounds.Height());
  ClientRect = TRect(bounds.Left + extents.Left, bounds.Top + extents.Top, bounds.Right - extents.Right,
                     bounds.Bottom - extents.Bottom);
  InnerSizingRect = bounds;
  const int border = PopupBorderWidth(!ShowsSysPanel);
  InnerSizingRect.Inflate(-border, -border);
  if (DropShadow) InnerSizingRect.Right -= ShadowWidth, InnerSizingRect.Bottom -= ShadowWidth;
  const bool nativePanel = ShowsSysPanel && UseNativeStyle && ThemeOpens(totWindow);
  CloseBtnThemeState = nativePanel ? static_cast<int>(CloseBtnState) : 0;
  GripRect = GripHitRect = CloseBtnRect = TRect();
  if (!ShowsSysPanel) return;
  if (CanSize) CalculateGripRects();
  CalculateCloseButtonRect();
}

void TcxCustomEditPopupWindowViewInfo::CalculateGripRects() {
  int size = NaturalPanelHeight() - 2;
  if (UseNativeStyle && ThemeOpens(totScrollBar)) {
    const TSize part = ThemePartSize(totScrollBar, SBP_SIZEBOX, 1);
    size = std::max<int>(size, std::max<int>(part.cx, part.cy) + 2);
  }
  const TRect& inner = InnerSizingRect;
  const int left = GripAtLeft() ? inner.Left : inner.Right - size;
  const int top = GripAtTop() ? inner.Top : inner.Bottom - size;
  GripHitRect = TRect(left, top, left + size, top + size);
  GripRect = GripHitRect;
  (GripAtLeft() ? GripRect.Left : GripRect.Right) += GripAtLeft() ? 2 : -2;
  (GripAtTop() ? GripRect.Top : GripRect.Bottom) += GripAtTop() ? 2 : -2;
}

void TcxCustomEditPopupWindowViewInfo::CalculateCloseButtonRect() {
  if (!HasCloseButton) return;
  const bool native = CloseBtnThemeState != 0;
  TSize size(NaturalPanelHeight() - 4, NaturalPanelHeight() - 4);
  if (native) size = ThemePartSize(totWindow, WP_CLOSEBUTTON, CloseBtnThemeState);
  const TRect& inner = InnerSizingRect;
  int left = GripAtLeft() ? inner.Right - size.cx - 1 : inner.Left + 1;
  if (!native) left += GripAtLeft() ? -2 : 2;
  int top;
  if (native) {
    const int offset = (PanelHeight - size.cy) / 2;
    top = GripAtTop() ? inner.Top + offset : inner.Bottom - PanelHeight + offset;
  } else {
    top = GripAtTop() ? inner.Top + 2 : inner.Bottom - 2 - size.cy;
  }
  CloseBtnRect = TRect(left, top, left + size.cx, top + size.cy);
}

bool TcxCustomEditPopupWindowViewInfo::HitTestSizing(int x, int y) {
  TcxPopupSizingState& state = PopupSizingState();
  state.Horz = state.Vert = 0;
  const TRect bounds(0, 0, Bounds.Width(), Bounds.Height());
  const TPoint p(x, y);
  if (!CanSize || !bounds.Contains(p)) return false;
  if (GripHitRect.Contains(p)) {
    state.Horz = GripAtLeft() ? -1 : 1;
    state.Vert = GripAtTop() ? -1 : 1;
    return true;
  }
  if (InnerSizingRect.Contains(p)) return false;
  if (x < SizingMargin && GripAtLeft()) state.Horz = -1;
  else if (x >= bounds.Right - SizingMargin && !GripAtLeft()) state.Horz = 1;
  if (y < SizingMargin && GripAtTop()) state.Vert = -1;
  else if (y >= bounds.Bottom - SizingMargin && !GripAtTop()) state.Vert = 1;
  return true;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TcxCustomEditPopupWindowViewInfo::PaintPopupBorder(TcxCanvas* canvas, TRect& rect) {
  int width = 0;
  bool handled = false;
  if (OnCustomBorder) OnCustomBorder(this, canvas, width, handled, rect);
  if (handled) return rect.Inflate(-width, -width);
  if (UseNativeStyle) {
    HTHEME theme = IsCompositionEnabled() ? OpenThemeByKind(totListBox) : nullptr;
    if (theme) UxDrawThemeBackground(theme, canvas->GetHandle(), 3, 3, rect.Win(), nullptr);
    else canvas->FrameRect(rect, clBtnText);
    return rect.Inflate(-1, -1);
  }
  if (SkinPainter) {
    canvas->FrameRect(rect, SkinPainter->ContainerBorderColor(false));
    return rect.Inflate(-1, -1);
  }
  if (PopupBorder == epbsSingle) {
    canvas->FrameRect(rect, clBtnText);
    return rect.Inflate(-1, -1);
  }
  if (PopupBorder != epbsFrame3D && PopupBorder != epbsFlat) return;
  canvas->Draw3DEdgeRing(rect, false, true);
  rect.Inflate(-1, -1);
  canvas->Draw3DEdgeRing(rect, false, false);
  if (PopupBorder == epbsFrame3D) {
    rect.Inflate(-1, -1);
    canvas->FrameRect(rect, HasClientEdge ? clInactiveBorder : clBtnFace);
    rect.Inflate(-1, -1);
    if (HasClientEdge) canvas->FrameRect(rect, clBtnFace);
    else canvas->Draw3DEdgeRing(rect, true, true);
  }
  rect.Inflate(-1, -1);
}

TRect TcxCustomEditPopupWindowViewInfo::BorderInnerRect() {
  TRect r(0, 0, Bounds.Width(), Bounds.Height());
  if (DropShadow) r.Right -= ShadowWidth, r.Bottom -= ShadowWidth;
  const int border = PopupBorderWidth(false);
  r.Inflate(-border, -border);
  return r;
}

void TcxCustomEditPopupWindowViewInfo::PaintPanelSeparator(TcxCanvas* canvas) {
  if (!ShowsSysPanel || !(PopupBorder == epbsSingle || CloseBtnThemeState != 0)) return;
  const int edge = HasClientEdge ? PopupBorderWidth(true) - PopupBorderWidth(false) : 0;
  const int y = GripAtTop() ? ClientRect.Top - 1 : ClientRect.Bottom;
  const TColor color = SkinPainter ? SkinPainter->ContainerBorderColor(false) : clBtnText;
  canvas->FillRectColor(TRect(ClientRect.Left - edge, y, ClientRect.Right + edge, y + 1), color);
}

void TcxCustomEditPopupWindowViewInfo::PaintClientEdge(TcxCanvas* canvas) {
  if (!HasClientEdge) return;
  TRect r = BorderInnerRect();
  if (ShowsSysPanel) {
    const int panel = PanelHeight + (UseNativeStyle || PopupBorder == epbsSingle ? 1 : 0);
    (GripAtTop() ? r.Top : r.Bottom) += GripAtTop() ? panel : -panel;
  }
  canvas->Draw3DEdgeRing(r, true, true);
  if (UseNativeStyle || PopupBorder != epbsFlat) {
    r.Inflate(-1, -1);
    canvas->Draw3DEdgeRing(r, true, false);
  }
}

void TcxCustomEditPopupWindowViewInfo::PaintGrip(TcxCanvas* canvas) {
  canvas->FillRectColor(GripRect, clBtnFace);
  if (SkinPainter) {
    TcxCustomBitmap bitmap(GripRect.Width(), GripRect.Height());
    const TRect local(0, 0, GripRect.Width(), GripRect.Height());
    SkinPainter->PaintWindowContent(bitmap.Canvas(), local);
    SkinPainter->PaintSizeGrip(bitmap.Canvas(), local, clDefault);
    bitmap.Rotate(gripRotationOfCorner[GripCorner]);
    canvas->Draw(GripRect.Left, GripRect.Top, &bitmap);
    return;
  }
  const bool native = UseNativeStyle && ThemeOpens(totScrollBar);
  TSize size(GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
  if (native) size = ThemePartSize(totScrollBar, SBP_SIZEBOX, 1), size.cx += 2, size.cy += 2;
  TcxCustomBitmap glyph(size.cx, size.cy);
  RECT local{0, 0, size.cx, size.cy};
  glyph.Canvas()->FillRectColor(TRect(local), clBtnFace);
  if (native) UxDrawThemeBackground(OpenThemeByKind(totScrollBar), glyph.Canvas()->GetHandle(), SBP_SIZEBOX, 1, &local, nullptr);
  else DrawFrameControl(glyph.Canvas()->GetHandle(), &local, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  // Mirrored so that the grip's lines point into the corner.
  const int x = GripAtLeft() ? GripRect.Left + size.cx - 1 : GripRect.Right - size.cx;
  const int y = GripAtTop() ? GripRect.Top + size.cy - 1 : GripRect.Bottom - size.cy;
  StretchBlt(canvas->GetHandle(), x, y, GripAtLeft() ? -size.cx : size.cx, GripAtTop() ? -size.cy : size.cy,
             glyph.Canvas()->GetHandle(), 0, 0, size.cx, size.cy, SRCCOPY);
}

void TcxCustomEditPopupWindowViewInfo::PaintCloseButton(TcxCanvas* canvas) {
  if (SkinPainter) {
    SkinPainter->PaintWindowContent(canvas, CloseBtnRect);
    return SkinPainter->PaintFilterCloseButton(canvas, CloseBtnRect, CloseBtnState);
  }
  if (CloseBtnThemeState == 0)
    return SelectPainterClass(false, CloseBtnKind)->PaintFilterCloseButton(canvas, CloseBtnRect, CloseBtnState);
  HTHEME theme = OpenThemeByKind(totWindow);
  if (UxIsThemeBackgroundPartiallyTransparent(theme, WP_CLOSEBUTTON, CloseBtnThemeState))
    canvas->FillRectColor(CloseBtnRect, clBtnFace);
  const RECT r = CloseBtnRect;
  UxDrawThemeBackground(theme, canvas->GetHandle(), WP_CLOSEBUTTON, CloseBtnThemeState, &r, nullptr);
}

void TcxCustomEditPopupWindowViewInfo::FillBackgrounds(TcxCanvas* canvas) {
  auto fill = [&](const TRect& r) {
    if (SkinPainter) SkinPainter->PaintWindowContent(canvas, r);
    else canvas->FillRectColor(r, clBtnFace);
  };
  fill(ClientRect);
  if (!ShowsSysPanel) return;
  TRect panel = BorderInnerRect();
  if (GripAtTop()) panel.Bottom = panel.Top + PanelHeight;
  else panel.Top = panel.Bottom - PanelHeight;
  fill(panel);
}

void TcxCustomEditPopupWindowViewInfo::PaintBody(TcxCanvas* canvas) {
  canvas->SaveClipRegion();
  TRect r(0, 0, Bounds.Width(), Bounds.Height());
  if (DropShadow) {
    r.Right -= ShadowWidth, r.Bottom -= ShadowWidth;
    DrawContainerShadow(canvas, r);
  }
  PaintPopupBorder(canvas, r);
  PaintPanelSeparator(canvas);
  PaintClientEdge(canvas);
  if (ShowsSysPanel) {
    if (CanSize) PaintGrip(canvas), canvas->ExcludeClipRect(GripRect);
    if (!CloseBtnRect.IsEmpty()) PaintCloseButton(canvas), canvas->ExcludeClipRect(CloseBtnRect);
  }
  FillBackgrounds(canvas);
  canvas->RestoreClipRegion();
}
