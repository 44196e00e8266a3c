// The ribbon painter and the tab painter: the view info's rectangles handed to the ribbon skin,
// plus what the skin does not draw (arrows, texts, the form icon, the design placeholder).
#include "dxRibbon.h"

#include "cxGeometry.h"
#include "cxGraphicsGlyphs.h"
#include "dxRibbonApplicationMenu.h"

CALDERAN_IMPLEMENT_CLASS(TdxRibbonTabPainter, TObject)
CALDERAN_IMPLEMENT_CLASS(TdxRibbonPainter, TObject)

namespace {

// Toolkit text flags: single line, bottom-aligned, centred or left-aligned.
constexpr Cardinal tabTextCentred = DT_SINGLELINE | DT_BOTTOM | DT_CENTER;
constexpr Cardinal tabTextLeft = DT_SINGLELINE | DT_BOTTOM | DT_LEFT;

TRect Deflated(const TRect& r, int left, int top, int right, int bottom) {
  return TRect(r.Left + left, r.Top + top, r.Right - right, r.Bottom - bottom);
}

// A solid black triangle pointing left or right, centred in the rectangle.
void DrawSolidArrow(HDC dc, const TRect& r, bool pointsLeft) {
  const int size = std::max(2, std::min(r.Width() / 2, r.Height() / 2));
  const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  const int half = size / 2;
  POINT points[3];
  if (pointsLeft) {
    points[0] = {cx - half, cy};
    points[1] = {cx + half - half / 2, cy - half};
    points[2] = {cx + half - half / 2, cy + half};
  } else {
    points[0] = {cx + half, cy};
    points[1] = {cx - half + half / 2, cy - half};
    points[2] = {cx - half + half / 2, cy + half};
  }
  HBRUSH brush = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  HPEN pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  Polygon(dc, points, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Tab painter

void TdxRibbonTabPainter::DrawBackground(TcxCanvas* canvas, const TRect& rect, int state) {
  if (skin_) skin_->DrawFrameButton(canvas->GetHandle(), rect, state);
}

void TdxRibbonTabPainter::DrawSeparator(TcxCanvas* canvas, const TRect& rect, Byte alpha) {
  if (skin_) skin_->DrawTabSeparator(canvas->GetHandle(), rect, alpha);
}

void TdxRibbonTabPainter::DrawText(TcxCanvas* canvas, const TRect& rect, bool leftAligned, const std::string& caption) {
  canvas->GetBrush()->SetStyle(TBrushStyle::bsClear);
  canvas->DrawText(caption, rect, leftAligned ? tabTextLeft : tabTextCentred, true);
  canvas->GetBrush()->SetStyle(TBrushStyle::bsSolid);
}

// ---------------------------------------------------------------------------------------------
// Ribbon painter

TdxCustomRibbonSkin* TdxRibbonPainter::Skin() const { return ribbon_->Skin(); }
TdxRibbonViewInfo* TdxRibbonPainter::ViewInfo() const { return ribbon_->ViewInfo(); }

void TdxRibbonPainter::DrawApplicationButton(TcxCanvas* canvas, const TRect& rect, int state) {
  if (!ViewInfo()->IsApplicationButtonVisible() || rect.IsEmpty() || !Skin()) return;
  Skin()->DrawApplicationButton(canvas->GetHandle(), rect, state);
  TdxRibbonApplicationButton* button = ribbon_->ApplicationButton();
  if (!button->Glyph() || button->Glyph()->Empty()) DrawFormIcon(canvas, Deflated(rect, 9, 9, 9, 9));
  else DrawApplicationButtonGlyph(canvas, rect, button->StretchGlyph(), button->Glyph());
}

void TdxRibbonPainter::DrawApplicationButtonGlyph(TcxCanvas* canvas, const TRect& rect, bool stretch, TBitmap* glyph) {
  TRect target = Deflated(rect, 9, 9, 9, 9);
  if (!stretch) {
    const int left = rect.Left + (rect.Width() - glyph->Width()) / 2;
    const int top = rect.Top + (rect.Height() - glyph->Height()) / 2;
    target = TRect(left, top, left + glyph->Width(), top + glyph->Height());
  }
  target.Offset(-1, -1);
  if (glyph->PixelFormat() == TPixelFormat::pf32bit) {
    AlphaBlendBitmapToDC(canvas->GetHandle(), glyph, target, 255);
    return;
  }
  canvas->GetBrush()->SetStyle(TBrushStyle::bsClear);
  canvas->Canvas()->BrushCopy(target, glyph, TRect(0, 0, glyph->Width(), glyph->Height()), glyph->TransparentColor());
  canvas->GetBrush()->SetStyle(TBrushStyle::bsSolid);
}

void TdxRibbonPainter::DrawBackground(TcxCanvas* canvas, const TRect& bounds) {
  if (!Skin()) return;
  TdxRibbonViewInfo* viewInfo = ViewInfo();
  if (viewInfo->IsQuickAccessToolbarVisible() && !viewInfo->IsQuickAccessToolbarBelow()) {
    const int cut = viewInfo->QuickAccessToolbarBounds().Bottom;
    Skin()->DrawQuickAccessToolbarBackground(canvas->GetHandle(), TRect(bounds.Left, bounds.Top, bounds.Right, cut),
                                             false, false, viewInfo->IsApplicationButtonVisible(), true, true);
    Skin()->DrawTabRowBackground(canvas->GetHandle(), TRect(bounds.Left, cut, bounds.Right, bounds.Bottom));
    return;
  }
  Skin()->DrawTabRowBackground(canvas->GetHandle(), bounds);
}

void TdxRibbonPainter::DrawGroupsArea(TcxCanvas* canvas, const TRect& rect) {
  if (Skin()) Skin()->DrawTabGroupsArea(canvas->GetHandle(), rect);
}

void TdxRibbonPainter::DrawQuickAccessToolbar(TcxCanvas* canvas, const TRect& rect, bool active) {
  if (!Skin()) return;
  canvas->SaveClipRegion();
  canvas->IntersectClipRect(rect);
  DrawBackground(canvas, ViewInfo()->Bounds());
  canvas->RestoreClipRegion();
  Skin()->DrawQuickAccessToolbarBackground(canvas->GetHandle(), rect, ViewInfo()->IsQuickAccessToolbarBelow(), false,
                                           ViewInfo()->IsApplicationButtonVisible(), active, true);
}

void TdxRibbonPainter::DrawScrollArrow(TcxCanvas* canvas, const TRect& rect, bool isLeft, int rightInset) {
  DrawSolidArrow(canvas->GetHandle(), Deflated(rect, 2, 0, rightInset, 2), isLeft);
}

void TdxRibbonPainter::DrawTabScrollButton(TcxCanvas* canvas, const TRect& rect, bool hot, bool pressed,
                                           bool isLeft) {
  const int state = pressed ? 4 : hot ? 2 : 0;
  if (Skin()) Skin()->DrawTabScrollButton(canvas->GetHandle(), rect, isLeft ? 0 : 1, state);
  DrawScrollArrow(canvas, rect, isLeft, 4);
  canvas->ExcludeClipRect(rect);
}

void TdxRibbonPainter::DrawGroupScrollButton(TcxCanvas* canvas, const TRect& rect, bool hot, bool pressed,
                                             bool isLeft) {
  const int state = pressed ? 4 : hot ? 2 : 0;
  if (Skin()) Skin()->DrawGroupScrollButton(canvas->GetHandle(), rect, isLeft ? 0 : 1, state);
  if (!Skin() || Skin()->DrawsScrollButtonArrows()) DrawScrollArrow(canvas, rect, isLeft, 2);
  canvas->ExcludeClipRect(rect);
}

void TdxRibbonPainter::DrawMDIButton(TcxCanvas* canvas, const TRect& rect, int state, int index) {
  if (Skin()) Skin()->DrawMDIButton(canvas->GetHandle(), rect, index, state);
  canvas->ExcludeClipRect(rect);
}

void TdxRibbonPainter::DrawBottomEdge(TcxCanvas* canvas) {
  const TRect& bounds = ViewInfo()->Bounds();
  const TRect edge(bounds.Left, bounds.Bottom - 2, bounds.Right, bounds.Bottom);
  if (Skin()) Skin()->DrawAreaBottomLines(canvas->GetHandle(), edge);
  canvas->ExcludeClipRect(edge);
}

void TdxRibbonPainter::DrawHelpButton(TcxCanvas* canvas, const TRect& rect, int state) {
  if (Skin()) {
    Skin()->DrawHelpButtonBackground(canvas->GetHandle(), rect, state);
    Skin()->DrawHelpButtonGlyph(canvas->GetHandle(), rect);
  }
  canvas->ExcludeClipRect(rect);
}

HICON TdxRibbonPainter::GetFormIcon() const {
  if (auto* form = ObjectAs<TCustomForm>(ribbon_->Parent()))
    if (HICON icon = form->Icon()->Handle()) return icon;
  return LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // the application icon of the system
}

void TdxRibbonPainter::DrawFormIcon(TcxCanvas* canvas, const TRect& rect) {
  if (rect.IsEmpty()) return;
  if (HICON icon = GetFormIcon())
    DrawIconEx(canvas->GetHandle(), rect.Left, rect.Top, icon, rect.Width(), rect.Height(), 0, nullptr, DI_NORMAL);
}

void TdxRibbonPainter::DrawDesignPlaceholder(TcxCanvas* canvas) {
  HDC dc = canvas->GetHandle();
  HBRUSH hatch = CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0));
  const COLORREF oldBackground = SetBkColor(dc, RGB(192, 192, 192));
  const int oldMode = SetBkMode(dc, OPAQUE);
  const TRect& b = ViewInfo()->Bounds();
  const RECT bounds{b.Left, b.Top, b.Right, b.Bottom};
  FillRect(dc, &bounds, hatch);
  SetBkMode(dc, oldMode);
  SetBkColor(dc, oldBackground);
  DeleteObject(hatch);
}
