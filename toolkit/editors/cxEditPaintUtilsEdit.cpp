// The edit painting routines that need an editor's view data, view info or buttons: button widths
// and borders, the shadow test and the background drawn under the buttons.
#include <algorithm>

#include "cxEdit.h"
#include "cxEditPaintUtils.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {

TdxThemedObjectType ButtonThemeKind(const TcxEditButtonViewInfo* button) {
  return button->Data.IsSingleDropDown ? totComboBox : totButton;
}

// The classic ring of an editor: border in its style, shadow, and the unbordered sides grown.
void DrawClassicBorder(TcxCanvas* canvas, TcxCustomEditViewInfo* v) {
  const int w = v->Painter ? 1 : GetContainerBorderWidth(v->EditBorderStyle);
  TRect ring = v->BorderRect;
  GrowRectOnSides(ring, w, TcxBorders{bLeft, bTop} + (v->Edges * TcxBorders{bRight, bBottom}));
  if (v->Shadow) DrawContainerShadow(canvas, ring);
  GrowRectOnSides(ring, w, TcxBorders{bRight, bBottom} - v->Edges);
  if (v->EditBorderStyle == cbsNone) return;
  if (v->Painter || v->EditBorderStyle == cbsSingle || v->EditBorderStyle == cbsThick)
    canvas->FrameRect(ring, v->BorderColor, w);
  else v->DrawBorderRing(canvas, ring);
}

void FillClassicBackground(TcxCanvas* canvas, TcxCustomEditViewInfo* v, bool fill, HBRUSH brush) {
  if (v->IsInPlace) {
    if (v->Transparent) return;
    if (fill) FillRectWithBrush(canvas->GetHandle(), v->Bounds, brush);
    else if (v->HasContentOffsets) FillFrameWithBrush(canvas, v->Bounds, v->BorderRect, brush);
    return;
  }
  if (fill && !v->Transparent) FillRectWithBrush(canvas->GetHandle(), v->BorderRect, brush);
}

}  // namespace

int EditButtonBorderExtent(TcxCanvas* canvas, TcxEditButtonViewInfo* button) {
  if (!button->Data.Native) return 4;
  const RECT box{0, 0, 100, 100};
  RECT content = box;
  if (HTHEME theme = OpenThemeByKind(ButtonThemeKind(button)))
    UxGetThemeBackgroundContentRect(theme, canvas ? canvas->GetHandle() : nullptr, 1, 1, &box, &content);
  return 100 - (content.right - content.left);
}

int DefaultEditButtonWidth(TcxCanvas* canvas, TcxEditButtonViewInfo* button) {
  const bool native = button->Data.Native;
  if (native && !OpenThemeByKind(ButtonThemeKind(button))) button->Data.Native = false;
  const int extent = EditButtonBorderExtent(canvas, button);
  button->Data.Native = native;
  if (button->Width >= 1) return std::max(button->Width, extent);
  const int arrowHeight = GetSystemMetrics(SM_CYHSCROLL);
  switch (button->Data.Kind) {
    case bkGlyph:
      if (IsBitmapUsable(button->Data.Glyph)) return button->Data.Glyph->Width() + extent;
      break;
    case bkText: return std::max(extent + canvas->TextWidth(button->Data.VisibleCaption) + 3, arrowHeight);
    default: break;
  }
  return arrowHeight;
}

int NativeInnerEditHeightCorrection(TcxCustomEditProperties* properties, bool inPlace) {
  return inPlace && properties->Buttons()->Count() > 0 ? 1 : 0;
}

bool EditHasShadow(TcxCustomEditViewData* viewData) {
  return viewData->Style->Shadow() && !viewData->UsesNativeEditTheme(viewData->StyleLookAndFeel());
}

void DrawEditBackgroundAndButtons(TcxCanvas* canvas, TcxCustomEditViewInfo* v, bool fillBackground, int nativeMode) {
  const bool clipButtons = v->ButtonCount() > 0 && !v->Button(0)->Data.BackgroundPartiallyTransparent;
  HDC dc = canvas->GetHandle();
  const int saved = clipButtons ? SaveDC(dc) : 0;
  if (clipButtons)
    for (const auto& button : v->ButtonsInfo) canvas->ExcludeClipRect(button->VisibleBounds);
  HBRUSH brush = GetCachedSolidBrush(v->BackgroundColor);
  bool handled = false;
  if (v->IsInPlace && v->OnBackgroundPaint) v->OnBackgroundPaint(v, canvas, handled);
  if (!handled) {
    if (v->NativeStyle) v->DrawNativeBackground(canvas, fillBackground, brush, nativeMode);
    else {
      DrawClassicBorder(canvas, v);
      FillClassicBackground(canvas, v, fillBackground, brush);
    }
  }
  if (saved) RestoreDC(dc, saved);
  v->PaintButtons(canvas);
}
